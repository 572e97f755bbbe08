#include "ReportQuery.h"

#include <algorithm>
#include <vector>

#include "FormData.h"
#include "TaxForm.h"
#include "db/Catalog.h"
#include "vb/Conversions.h"

using db::Param;
using vb::Variant;

namespace modMain {
namespace {

constexpr const char* kDirectory = "krn_leas";

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return vb::TextEquals(n, name); });
}

// The columns of one table for the select list: `sqlName` qualifies them,
// and a column that `shared` names is answered as "<label>.<column>".
void SelectColumns(db::SqlText& q, bool& first, const std::string& sqlName, const std::string& label,
                   const std::vector<std::string>& columns, const std::vector<std::string>& shared) {
  for (const std::string& column : columns) {
    q << (first ? "" : ", ") << sqlName << "." << db::QuoteName(column);
    first = false;
    if (Contains(shared, column)) q << " AS " << db::QuoteName(label + "." + column);
  }
}

}  // namespace

db::SqlText GetReportSQL(const db::ConnectionPtr& conn, const std::string& FormName, const std::string& TableName,
                         std::int32_t FiscalYear, std::int32_t CountyID, std::int32_t PeriodID,
                         std::int32_t SchoolDistrictID, std::int32_t SchoolID, bool /*Flag*/,
                         std::int16_t /*PrintTaxType*/, std::int16_t TaxType) {
  db::Connection& db = *forms::Required(conn);
  const bool tax = vb::UCase(FormName) == "TAX";
  const std::string table = db::catalog::RequireSqlName(db, TableName);
  const std::string directory = db::catalog::RequireSqlName(db, kDirectory);
  const std::vector<std::string> tableColumns = db::catalog::ColumnNames(db, TableName);
  const std::vector<std::string> directoryColumns = db::catalog::ColumnNames(db, kDirectory);

  // The names both tables have, and the table's own tax type, which gives
  // its plain name to the computed text.
  std::vector<std::string> shared;
  for (const std::string& column : tableColumns) {
    if (Contains(directoryColumns, column) || (tax && vb::TextEquals(column, "TaxType"))) shared.push_back(column);
  }

  db::SqlText q;
  q << "SELECT ";
  bool first = true;
  if (tax) {
    q << "CASE WHEN " << table << ".TaxType = 0 THEN 'County' ELSE 'School District' END AS TaxType";
    first = false;
  }
  SelectColumns(q, first, table, TableName, tableColumns, shared);
  SelectColumns(q, first, directory, kDirectory, directoryColumns, shared);
  // The directory row of the agency in the report's year (an agency listed
  // for two years prints once).
  q << " FROM " << table << " JOIN " << directory << " ON " << directory
    << ".school_district_id = " << Param(Variant(SchoolDistrictID)) << " AND " << directory
    << ".county_id = " << Param(Variant(CountyID)) << " AND " << directory << ".school_id = " << Param(Variant(SchoolID))
    << " AND " << directory << ".fiscal_year = " << Param(Variant(FiscalYear)) << " WHERE " << table
    << ".fiscal_year = " << Param(Variant(FiscalYear)) << " AND " << table << ".county_id = " << Param(Variant(CountyID))
    << " AND " << table << ".period_id = " << Param(Variant(PeriodID)) << " AND " << table
    << ".school_district_id = " << Param(Variant(SchoolDistrictID)) << " AND " << table
    << ".school_id = " << Param(Variant(SchoolID));
  if (tax) {
    q << " AND " << table << ".taxtype = " << Param(Variant(TaxType)) << " ORDER BY 1, " << table
      << ".rescountyname, " << table << ".resschooldistname";
  }
  return q;
}

}  // namespace modMain

namespace forms {

db::SqlText CatalogueRowQuery(std::int32_t formNo) {
  db::SqlText q;
  q << "SELECT * FROM VHO_TORB_FORMS WHERE FORM_NO = " << Param(Variant(formNo));
  return q;
}

db::SqlText OpenDirectoryRowQuery(std::int32_t year, std::int32_t county, std::int32_t district,
                                  std::int32_t school) {
  db::SqlText q;
  q << "SELECT * FROM KRN_LEAS WHERE FISCAL_YEAR = " << Param(Variant(year)) << " AND COUNTY_ID = "
    << Param(Variant(county)) << " AND SCHOOL_DISTRICT_ID = " << Param(Variant(district))
    << " AND SCHOOL_ID = " << Param(Variant(school)) << " AND STAT_TYPE = 'OPEN'";
  return q;
}

}  // namespace forms

namespace taxform {

db::SqlText DistrictRowsOfType(const forms::FormScope& scope) {
  db::SqlText q = forms::RowsOfAgency(kTable, scope, Variant(scope.period), Variant(0));
  q << " and taxtype = " << Param(Variant(scope.taxType));
  return q;
}

}  // namespace taxform

namespace certnotes {

db::SqlText Answers(int countyId, int districtId, int fiscalYear, int periodId, const std::string& type) {
  db::SqlText q;
  q << "SELECT CASE WHEN TorbLeaNotes.Qn1 = 1 THEN 'YES' ELSE 'NO' END AS Qn1, "
       "CASE WHEN TorbLeaNotes.Qn2 = 1 THEN 'YES' ELSE 'NO' END AS Qn2, "
       "CASE WHEN TorbLeaNotes.Qn3 = 1 THEN 'YES' ELSE 'NO' END AS Qn3, "
       "CASE WHEN TorbLeaNotes.Qn4 = 1 THEN 'YES' ELSE 'NO' END AS Qn4, "
       "CASE WHEN TorbLeaNotes.SCHOOL_ID <= 0 THEN '' ELSE TorbLeaNotes.SCHOOL_ID END AS SCHOOL_ID, "
       "printf('%02d', TorbLeaNotes.COUNTY_ID) || '  ' || TorbLeaNotes.SCHOOL_DISTRICT_ID AS SCHOOL_DISTRICT_ID, "
       "TorbLeaNotes.* FROM TorbLeaNotes WHERE TorbLeaNotes.COUNTY_ID = "
    << db::Param(countyId) << " AND TorbLeaNotes.SCHOOL_DISTRICT_ID = " << db::Param(districtId)
    << " AND TorbLeaNotes.FISCAL_YEAR = " << db::Param(fiscalYear)
    << " AND TorbLeaNotes.PERIOD_ID = " << db::Param(periodId) << " AND TorbLeaNotes.TYPE = " << db::Param(type);
  return q;
}

}  // namespace certnotes

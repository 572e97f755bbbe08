#include "BlankReportQuery.h"

#include <algorithm>

#include "FormData.h"
#include "db/Catalog.h"
#include "vb/Conversions.h"

using db::Param;
using vb::Variant;

namespace modMain {
namespace {

constexpr const char* kDirectory = "krn_leas";

// What a column of the general blank row carries.
enum class Carries { Null, County, District, Period, Year, School, SelpaCounty, Provider };

// Exact spelling: a key spelt otherwise carries Null.
struct BlankColumn {
  const char* name;
  Carries carries;
};
constexpr BlankColumn kBlankColumns[] = {
    {"COUNTY_ID", Carries::County},         {"SCHOOL_DISTRICT_ID", Carries::District},
    {"PERIOD_ID", Carries::Period},         {"FISCAL_YEAR", Carries::Year},
    {"SCHOOL_ID", Carries::School},         {"SelpaLocation", Carries::SelpaCounty},
    {"LicenseNumber", Carries::Provider},   {"NpsNpaTypeId", Carries::Provider},
    {"Code", Carries::Provider},            {"LCILicenseNumber", Carries::Provider},
};
constexpr int kProviderValue = 213;

Carries CarriesOf(const std::string& column) {
  for (const BlankColumn& c : kBlankColumns) {
    if (column == c.name) return c.carries;
  }
  return Carries::Null;
}

// The keys a made row of a special entry screen carries (any letter case),
// and the residence columns, which it sets to 0.
Variant MadeValue(const std::string& column, const BlankScope& s, const BlankAgency& a, bool& made) {
  made = true;
  const std::string u = vb::UCase(column);
  if (u == "FISCAL_YEAR") return Variant(s.fiscalYear);
  if (u == "SCHOOL_ID") return a.schoolId;
  if (u == "SCHOOL_DISTRICT_ID") return a.districtId;
  if (u == "PERIOD_ID") return Variant(s.periodId);
  if (u == "COUNTY_ID") return Variant(s.countyId);
  if (u == "RES_SCHOOL_DISTRICT_ID" || u == "RES_COUNTY_ID") return Variant(0);
  made = false;
  return Variant();
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return vb::TextEquals(n, name); });
}

// The agency's 'OPEN' directory row in the county, the report year's row
// first when the directory lists the agency for more than one year.
void DirectoryFilter(db::SqlText& q, const std::string& directory, const BlankScope& s, const BlankAgency& a) {
  q << " WHERE " << directory << ".stat_type = 'OPEN' AND " << directory
    << ".school_district_id = " << Param(a.districtId) << " AND " << directory
    << ".county_id = " << Param(Variant(s.countyId)) << " AND " << directory << ".school_id = " << Param(a.schoolId)
    << " ORDER BY " << directory << ".fiscal_year = " << Param(Variant(s.fiscalYear)) << " DESC, " << directory
    << ".fiscal_year DESC LIMIT 1";
}

void AppendColumnList(db::SqlText& q, const std::vector<std::string>& columns, const BlankScope& s,
                      const BlankAgency& a) {
  bool first = true;
  for (const std::string& column : columns) {
    q << (first ? "" : ",");
    first = false;
    switch (CarriesOf(column)) {
      case Carries::County: q << Param(Variant(s.countyId)); break;
      case Carries::District: q << Param(a.districtId); break;
      case Carries::Period: q << Param(Variant(s.periodId)); break;
      case Carries::Year: q << Param(Variant(s.fiscalYear)); break;
      case Carries::School: q << Param(a.schoolId); break;
      case Carries::SelpaCounty: q << Param(a.selpaCounty); break;
      case Carries::Provider: q << std::to_string(kProviderValue); break;
      case Carries::Null: q << "NULL"; break;
    }
    q << " AS " << db::QuoteName(column);
  }
}

// The general blank row: the column list beside the directory row. It
// never reads the entry screen's table.
db::SqlText GeneralBlank(db::Connection& db, const std::vector<std::string>& columns, const BlankScope& s,
                         const BlankAgency& a) {
  const std::string directory = db::catalog::RequireSqlName(db, kDirectory);
  db::SqlText q;
  q << "SELECT ";
  AppendColumnList(q, columns, s, a);
  // The directory's columns follow; those the entry screen has too come
  // under "krn_leas.<column>".
  for (const std::string& column : db::catalog::ColumnNames(db, kDirectory)) {
    q << ", " << directory << "." << db::QuoteName(column);
    if (Contains(columns, column)) q << " AS " << db::QuoteName(std::string(kDirectory) + "." + column);
  }
  q << " FROM " << directory;
  DirectoryFilter(q, directory, s, a);
  return q;
}

// The computed columns of the special entry screens, in front of the
// table's own columns; `value` gives a column's expression in the row.
template <typename ValueOf>
void SpecialItems(db::SqlText& q, bool attendanceDays, ValueOf value) {
  if (attendanceDays) {
    q << "CASE WHEN ";
    value(q, "OptionDay");
    q << " = 1 THEN 'Yes' ELSE 'No' END AS CEASE, ";
  } else {
    // Both answers of each are empty: the columns only give the report its
    // field names. True is stored as -1.
    for (const char* column : {"Other_Opportunity", "Other_SpecializedSecondarySchools", "Other_TechAg"}) {
      const std::string shortName = std::string(column) == "Other_SpecializedSecondarySchools" ? "Other_Specialized"
                                                                                               : column;
      q << "CASE WHEN ";
      value(q, column);
      q << " = -1 THEN '' ELSE '' END AS " << db::QuoteName(shortName + "YN") << ", ";
    }
  }
}

// A special entry screen: the agency's first stored row of the table, or,
// when it has none, the row made from the table's columns.
db::SqlText SpecialBlank(db::Connection& db, const std::string& formName, bool attendanceDays,
                         const std::vector<db::ColumnInfo>& columns, const BlankScope& s, const BlankAgency& a) {
  const std::string table = db::catalog::RequireSqlName(db, formName);
  const std::string directory = db::catalog::RequireSqlName(db, kDirectory);
  // A column's value in the row: the stored one, or the made one when the
  // agency has no stored row (a key, residence 0, else the table's default).
  auto value = [&](db::SqlText& q, const std::string& name) {
    const auto column = std::find_if(columns.begin(), columns.end(),
                                     [&](const db::ColumnInfo& c) { return vb::TextEquals(c.name, name); });
    // A column the table lacks is left to the database to refuse.
    if (column == columns.end()) {
      q << "a." << db::QuoteName(name);
      return;
    }
    q << "CASE WHEN a.lev_stored IS NULL THEN ";
    bool made = false;
    const Variant madeValue = MadeValue(column->name, s, a, made);
    if (made) {
      q << Param(madeValue);
    } else if (column->hasDefault) {
      q << "(" << column->defaultExpression << ")";
    } else {
      q << "NULL";
    }
    q << " ELSE a." << db::QuoteName(column->name) << " END";
  };
  db::SqlText q;
  q << "SELECT ";
  SpecialItems(q, attendanceDays, value);
  q << directory << ".CHARTER_ID, " << directory << ".CharterFundingType, " << directory << ".COUNTY_NAME, "
    << directory << ".SCHOOL_DISTRICT_NAME, " << directory << ".SCHOOL_NAME";
  for (const db::ColumnInfo& column : columns) {
    q << ", ";
    value(q, column.name);
    q << " AS " << db::QuoteName(column.name);
  }
  q << " FROM " << directory << " LEFT JOIN (SELECT 1 AS lev_stored, * FROM " << table
    << ") AS a ON a.fiscal_year = " << Param(Variant(s.fiscalYear)) << " AND a.county_id = "
    << Param(Variant(s.countyId)) << " AND a.period_id = " << Param(Variant(s.periodId))
    << " AND a.school_district_id = " << Param(a.districtId) << " AND a.school_id = " << Param(a.schoolId);
  DirectoryFilter(q, directory, s, a);
  return q;
}

}  // namespace

std::string BlankColumnsTable(const std::string& FormName) {
  const std::string u = vb::UCase(FormName);
  return u == "ATTCSSBC" || u == "ATTCSEHS" ? "ATTCSBGCOE" : FormName;
}

db::SqlText BlankColumnList(const std::vector<std::string>& Columns, const BlankScope& Scope,
                            const BlankAgency& Agency) {
  db::SqlText q;
  AppendColumnList(q, Columns, Scope, Agency);
  return q;
}

db::SqlText GetBlankSQL(const db::ConnectionPtr& conn, const std::string& FormName, const BlankScope& Scope,
                        const BlankAgency& Agency) {
  db::Connection& db = *forms::Required(conn);
  const std::vector<db::ColumnInfo> columns = db::catalog::Columns(db, BlankColumnsTable(FormName));
  if (columns.empty()) return {};
  const bool attendanceDays = vb::TextEquals(FormName, "AttCsACD");
  if (attendanceDays || vb::UCase(FormName) == "ATTCOEDISTFUNDADA") {
    return SpecialBlank(db, FormName, attendanceDays, columns, Scope, Agency);
  }
  std::vector<std::string> names;
  for (const db::ColumnInfo& c : columns) names.push_back(c.name);
  return GeneralBlank(db, names, Scope, Agency);
}

}  // namespace modMain

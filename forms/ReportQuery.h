#pragma once
// The rows an entry-screen report prints: one agency's rows of a form's
// table for a fiscal year and period, each joined with the agency's row of
// the organisation directory for that year; and the check that the agency
// has tax rows of a type at all.
//
// The report reads the directory's key columns and the data table's own
// columns of the same name by qualified names, so the query names them so:
// "Tax.COUNTY_ID" and "krn_leas.COUNTY_ID" for the columns both tables
// have, the plain name for the others. The tax query puts the computed
// "TaxType" ("County" or "School District") first, and names the table's
// own tax-type column "Tax.TaxType".

#include <cstdint>
#include <string>

#include "FormScope.h"
#include "db/Connection.h"
#include "db/SqlText.h"

namespace modMain {

// The report query of a form: the tax query for the form name "Tax" in any
// letter case, ordered by tax type and the names of the county and
// district of residence; otherwise the general query, unordered. The
// table must exist (the catalogue checks it); every value is bound. The
// switch and the print tax type are taken as the printer hands them and
// select nothing.
db::SqlText GetReportSQL(const db::ConnectionPtr& conn, const std::string& FormName, const std::string& TableName,
                         std::int32_t FiscalYear, std::int32_t CountyID, std::int32_t PeriodID,
                         std::int32_t SchoolDistrictID, std::int32_t SchoolID, bool Flag, std::int16_t PrintTaxType,
                         std::int16_t TaxType);

}  // namespace modMain

namespace forms {

// The catalogue row of a form number.
db::SqlText CatalogueRowQuery(std::int32_t formNo);
// The agency's open directory row of the year.
db::SqlText OpenDirectoryRowQuery(std::int32_t year, std::int32_t county, std::int32_t district,
                                  std::int32_t school);

}  // namespace forms

namespace taxform {

// The agency's own district-level tax rows (school 0) of the scope's year,
// period and tax type.
db::SqlText DistrictRowsOfType(const forms::FormScope& scope);

}  // namespace taxform

namespace certnotes {

// The certification answers of one agency (county and district) for a
// fiscal year, period and question set ("COUNTY" or "TAX"), as the
// exception reports print them: Qn1 to Qn4 as 'YES' for 1 and 'NO'
// otherwise (an empty answer too), SCHOOL_ID empty for 0 or less, and
// SCHOOL_DISTRICT_ID as the county in two digits, two blanks and the
// district. These computed columns come before the table's own, so their
// plain names find them. Every value is bound.
db::SqlText Answers(int countyId, int districtId, int fiscalYear, int periodId, const std::string& type);

}  // namespace certnotes

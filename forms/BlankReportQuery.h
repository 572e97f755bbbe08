#pragma once
// The one-row record set a blank report prints: the entry screen's column
// names, each carrying Null, a key value of the agency or a fixed value,
// beside the agency's row of the organisation directory. Composing it
// reads and never writes: the row is made in the query itself, so that no
// stored figure of the agency, and no row of another, can be touched by a
// blank printout.
//
//   const db::SqlText q = modMain::GetBlankSQL(conn, "Tax", scope, agency);
//   if (q.Empty()) ... the entry screen has no columns: tell the user
//   rs->Open(q.Sql(), conn, q.Params());

#include <cstdint>
#include <string>
#include <vector>

#include "db/Connection.h"
#include "db/SqlText.h"
#include "vb/Variant.h"

namespace modMain {

// The period the blank reports are printed for.
struct BlankScope {
  std::int32_t fiscalYear = 0;
  std::int32_t countyId = 0;
  std::int32_t periodId = 0;
};

// The agency a blank report heads, as its row in the agency list gives it.
struct BlankAgency {
  vb::Variant districtId;
  vb::Variant schoolId;
  vb::Variant selpaCounty;  // the county of the agency's SELPA
};

// The table whose column names an entry screen's blank row carries: the
// entry screen's own table, but "ATTCSBGCOE" for "ATTCSSBC" and "ATTCSEHS"
// (in any letter case).
std::string BlankColumnsTable(const std::string& FormName);

// The select items of the general blank row, one for each column in order,
// joined by commas: the key columns spelt exactly "COUNTY_ID",
// "SCHOOL_DISTRICT_ID", "PERIOD_ID", "FISCAL_YEAR", "SCHOOL_ID" and
// "SelpaLocation" carry the scope's or agency's value (bound), the provider
// columns "LicenseNumber", "NpsNpaTypeId", "Code" and "LCILicenseNumber"
// carry 213, every other column (a key spelt in other letter cases among
// them) Null. Empty for no columns.
db::SqlText BlankColumnList(const std::vector<std::string>& Columns, const BlankScope& Scope,
                            const BlankAgency& Agency);

// The blank query of an entry screen for an agency: at most one row, none
// when the directory has no 'OPEN' row of the agency in the county.
// "AttCsACD" (any case) and "ATTCOEDISTFUNDADA" answer the agency's first
// stored row of the entry screen when it has one, else a row made from the
// table's columns (the keys, residence 0, the table's defaults), with their
// computed columns in front; every other entry screen (the tax form among
// them) answers the general blank row. Empty when the table whose columns
// are taken does not exist or has none. Table names are looked up in the
// schema; every value is bound. A table of a special entry screen that the
// database lacks is the statement error of db::catalog::RequireSqlName.
db::SqlText GetBlankSQL(const db::ConnectionPtr& conn, const std::string& FormName, const BlankScope& Scope,
                        const BlankAgency& Agency);

}  // namespace modMain

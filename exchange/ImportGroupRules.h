#pragma once
// What the certified-data import does differently for each form group: one
// row of data per group that differs from the rest, looked up by the
// group's name in any letter case. A group without a row of its own (the
// tax form, say) follows the default row: its rows lie in the table named
// like the group, are read per school, and its entry-check type is 1.
//
//   const ImportGroupRule& rule = importrules::Rule("GATE");
//   if (rule.incoming == IncomingRows::Gate) ...

#include <span>
#include <string>
#include <string_view>

// How the merge reads a group's rows of one agency from the file (and, for
// a group of entry-check type 2, asks whether the working database holds
// some already).
enum class IncomingRows {
  // The agency's county, district and school, year and period.
  OfSchool,
  // The agency's county and district, year and period, whatever the school.
  WithoutSchool,
  // As WithoutSchool; for the opener's own county and district, also the
  // school rows of the county's other districts.
  Gate,
};

// A companion table: detail rows that travel with their group's rows and
// have no table-of-contents row of their own.
struct CompanionTable {
  std::string_view table;
};

// How the group's certificate number and record count are made once its
// rows are in.
enum class GroupCertificate {
  // The certificate of the group table's rows of the agency; the count is
  // their number.
  GroupRows,
};

struct ImportGroupRule {
  // The group's name, upper-cased; empty in the default row.
  std::string_view group;
  // The table its rows lie in; empty: the table named like the group.
  std::string_view table;
  IncomingRows incoming = IncomingRows::OfSchool;
  // The entry-check type, 1, 2 or 3: for type 2 the merge first asks
  // whether the working database holds rows of the group for the agency.
  int entryCheckType = 1;
  // The companion tables, in the order they are merged.
  std::span<const CompanionTable> companions;
  GroupCertificate certificate = GroupCertificate::GroupRows;
};

namespace importrules {

// The row of the group (any letter case), or the default row.
const ImportGroupRule& Rule(std::string_view group);
// The table that holds the group's rows: the rule's, else the group's own
// name as given.
std::string TableOf(std::string_view group);

}  // namespace importrules

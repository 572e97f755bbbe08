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
// have no table-of-contents row of their own. Its rows of the agency are
// those that match the key of the group's last incoming row (RowKey) or the
// group's companion key (CompanionKey); `counted` rows count as copied or
// overwritten with the group's.
enum class CompanionSource { RowKey, CompanionKey };
struct CompanionTable {
  std::string_view table;
  CompanionSource source = CompanionSource::CompanionKey;
  bool counted = true;
};

// A part of a group's companion key: the key columns of `table` but those
// left out (compared ignoring case, or letter for letter), with the values
// of the group's last incoming row.
struct CompanionKeyPart {
  std::string_view table;
  std::span<const std::string_view> leftOut;
  bool ignoreCase = false;
};

// The certificate number of a group kept in several tables: the group key of
// the group's rows and of each further table's rows of the agency, each in
// the key order of its table, the keys that are not 0 joined as decimal
// texts, and the checksum of that text.
struct FurtherTable {
  std::string_view table;
  // The agency's school too, or its whole district.
  bool ofSchool = true;
};
enum class RecordCount {
  GroupAndFurther,  // the group's rows and every further table's
  GroupOnly,        // the group's rows
  FurtherPlusOne,   // the further tables' rows and one; a missing further table is left out
  None,             // no count
};
struct GroupKeys {
  std::string_view groupTable;  // whose key order sorts the group's rows
  std::span<const FurtherTable> further;
  RecordCount count = RecordCount::GroupAndFurther;
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
  // The companion tables, in the order they are merged, and the parts of
  // the companion key.
  std::span<const CompanionTable> companions;
  std::span<const CompanionKeyPart> companionKey;
  // The certificate over several tables; none: the certificate of the
  // group table's rows, whose number is the record count.
  const GroupKeys* certificate = nullptr;
};

namespace importrules {

// The row of the group (any letter case), or the default row.
const ImportGroupRule& Rule(std::string_view group);
// The table that holds the group's rows: the rule's, else the group's own
// name as given.
std::string TableOf(std::string_view group);
// The table whose key columns key the group's rows and whose rows the
// group's certificate covers (the block-grant screens' shared table).
std::string KeyTableOf(std::string_view group);

// The group certificates over several tables, by the group table, also of
// the groups no import reads: ROCPSCHOOL with the district's small-school
// ADA, ATTCS with its tracks alone, ATTCOE with adult education.
extern const GroupKeys kInfantFunding, kRocpSmall, kAttCsBgCoe, kAttCs, kAttCsAll, kAttCsAcdTrack, kAttCoeCs,
    kSciCs, kAttCoeAeCoe;

}  // namespace importrules

#pragma once
// What the rule sets of the school screens of a district share: messages
// that name the school, the ADA bounds of a small school, and the column
// totals over the school rows that may not exceed the district's own
// attendance screen.

#include <span>
#include <string_view>

#include "modGeneralRoutines.h"

namespace modRulesAttendance {

// A check whose message names the school: the check's Message is the text
// before the school, `after` the text after it.
struct SchoolCheck {
  rulegate::Check check;
  std::string_view after;
};
// Reports the check for the current row with the school's name or code in
// its message (a Null adds nothing).
void ReportSchool(const db::RecordsetPtr& CurrentValues, const db::RecordsetPtr& RsErr, const SchoolCheck& check,
                  const vb::Variant& school);

// The period in which several checks of a school's rows do not apply.
inline constexpr int kAnnual = 3;
// The most ADA that a necessary small elementary or high school may have,
// and the fewest pupils that it should enrol.
inline constexpr double kMostElementaryAda = 96.49;
inline constexpr double kMostHighSchoolAda = 286.49;
inline constexpr int kFewestPupils = 5;

// ADA of at most 0, or above the most that a school of its kind may have.
rulegate::Truth AdaOutOfBounds(const vb::Variant& ada, double most);

// A column of the school rows whose total may not exceed a line of the
// district's attendance screen, less another of its lines where one is
// named.
struct DistrictLimit {
  std::string_view column;
  std::string_view districtColumn;
  std::string_view lessColumn;  // empty: nothing is taken off
  rulegate::Check check;
};

// The district's attendance row for the current row's period, with the
// columns that the limits name, read on the rule set's own connection. A
// Null key of the current row is error 94.
db::RecordsetPtr DistrictAttendanceOf(const db::ConnectionPtr& conn, const db::Recordset& row,
                                      std::span<const DistrictLimit> limits);

// The totals of the limited columns over the school rows: exact decimals
// from zero, Null for good once a Null has been added.
class SchoolTotals {
 public:
  explicit SchoolTotals(std::span<const DistrictLimit> limits);
  void Add(const db::Recordset& row);
  // Reports, in order, every total above its limit, with the keys of the
  // current row. A district without its attendance row is error 3021.
  void CheckAgainst(const db::Recordset& district, const db::RecordsetPtr& CurrentValues,
                    const db::RecordsetPtr& RsErr) const;

 private:
  std::span<const DistrictLimit> limits_;
  std::vector<vb::Variant> totals_;
};

}  // namespace modRulesAttendance

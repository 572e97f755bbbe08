// The rule set of the county office's foster-youth screen for a necessary
// small high school: the staff count and total ADA of every row, and the
// placement columns of the current row against the High School column of
// the county office's attendance screen.

#include <array>

#include "modRulesAttendance.h"
#include "modRulesAttendanceSchools.h"

namespace modRulesAttendance {
namespace {

using modGeneralRoutines::Report;
using rulegate::Check;
using rulegate::Compare;
using rulegate::Fires;
using rulegate::Op;

constexpr Check kFosterYouthTrap = rulegate::TrapRow("A", "1", "", "FOSTERYOUTHNSHS");
constexpr Check kEmployees{"A", "1", "", "E", "NumberOfFTEEmployees", "Number of FTE Certificated Employees",
                           "Number of FTE Certificated Employees must be greater than 0"};
constexpr Check kTotalAda{"A", "5", "", "E", "ADATotal", "Total High School ADA",
                          "Total High School ADA must be greater than 0 and less than or equal to 286.49"};

// A placement column of the row and the line of the county office's High
// School column that bounds it.
struct PlacementLimit {
  std::string_view column;
  std::string_view limitColumn;
  Check check;
};
constexpr std::array kPlacementLimits{
    PlacementLimit{"CountyGroupHomeInstitutionPupils", "CountyGroupHomeInstitutionPupilsHigh",
                   {"A", "2", "", "E", "CountyGroupHomeInstitutionPupils", "County Group Home and Institution Pupils",
                    "ADA must be less than or equal to line A-1 in the High School Column of the Attendance COE "
                    "entry screen"}},
    PlacementLimit{"JuvenileHallsHomesCamps", "JuvenileHallsHomesCampsHigh",
                   {"A", "3", "", "E", "JuvenileHallsHomesCamps", "Juvenile Halls, Homes and Camps",
                    "ADA must be less than or equal to line A-2 in the High School Column of the Attendance COE "
                    "entry screen"}},
    PlacementLimit{"Probation", "ProbationHigh",
                   {"A", "4", "", "E", "Probation",
                    "Probation Referred, On Probation or Parole, Expelled Pursuant to EC 48915(a) or (c)",
                    "ADA must be less than or equal to line A-3 in the High School Column of the Attendance COE "
                    "entry screen"}},
};

// The county office's High School lines for the row's period, 0 each when
// it has no attendance row.
std::array<vb::Variant, kPlacementLimits.size()> HighSchoolLimits(const db::Recordset& row) {
  std::string columns;
  for (const PlacementLimit& limit : kPlacementLimits)
    columns += (columns.empty() ? "" : ", ") + std::string(limit.limitColumn);
  const db::SqlText keys = rulegate::KeysOf(row, {"Fiscal_Year", "Period_ID", "County_ID", "School_District_ID"});
  db::ConnectionPtr conn = modGeneralRoutines::OpenOwnConnection();
  auto attendance = db::Recordset::Query("SELECT " + columns + " FROM ATTCOE" + keys.Sql(), conn, keys.Params());
  std::array<vb::Variant, kPlacementLimits.size()> limits;
  const bool found = !(attendance->Bof() && attendance->Eof());
  for (std::size_t i = 0; i < limits.size(); ++i) limits[i] = found ? attendance->Value(static_cast<int>(i)) : vb::Variant(0);
  return limits;
}

}  // namespace

db::RecordsetPtr Validate_FOSTERYOUTHNSHS(db::RecordsetPtr& CurrentValues, ParamsRef) {
  return modGeneralRoutines::RunRuleSet(&kFosterYouthTrap, CurrentValues, [&](const db::RecordsetPtr& RsErr) {
    db::Recordset& rs = *CurrentValues;
    const auto limits = HighSchoolLimits(rs);

    modGeneralRoutines::ForEveryRow(rs, [&] {
      if (Fires(Compare(rs.Value("NumberOfFTEEmployees"), Op::Le, 0))) Report(CurrentValues, RsErr, kEmployees);
      if (Fires(AdaOutOfBounds(rs.Value("ADATotal"), kMostHighSchoolAda))) Report(CurrentValues, RsErr, kTotalAda);
    });

    for (std::size_t i = 0; i < kPlacementLimits.size(); ++i) {
      if (Fires(Compare(rs.Value(kPlacementLimits[i].column), Op::Gt, limits[i])))
        Report(CurrentValues, RsErr, kPlacementLimits[i].check);
    }
  });
}

}  // namespace modRulesAttendance

// The rule set of the county office's foster-youth screen: staff and total
// ADA of every row, and the placements of the current row against the High
// School column of the county office's attendance screen.

#include <optional>

#include "RuleFixture.h"

namespace ruletest {
namespace {

const Finding kEmployees{"A-1", "NumberOfFTEEmployees", "E",
                         "Number of FTE Certificated Employees must be greater than 0"};
const Finding kTotalAda{"A-5", "ADATotal", "E",
                        "Total High School ADA must be greater than 0 and less than or equal to 286.49"};
const Finding kGroupHomes{"A-2", "CountyGroupHomeInstitutionPupils", "E",
                          "ADA must be less than or equal to line A-1 in the High School Column of the Attendance "
                          "COE entry screen"};
const Finding kJuvenileHalls{"A-3", "JuvenileHallsHomesCamps", "E",
                             "ADA must be less than or equal to line A-2 in the High School Column of the "
                             "Attendance COE entry screen"};
const Finding kProbation{"A-4", "Probation", "E",
                         "ADA must be less than or equal to line A-3 in the High School Column of the Attendance "
                         "COE entry screen"};

// A row with staff, a total inside its bounds and no placements, with what
// the test sets.
Cells FosterRow(Cells cells) {
  Cells row{{"NumberOfFTEEmployees", 1.0}, {"ADATotal", 12.0}, {"CountyGroupHomeInstitutionPupils", 0.0},
            {"JuvenileHallsHomesCamps", 0.0}, {"Probation", 0.0}};
  row.insert(row.end(), cells.begin(), cells.end());
  return row;
}

class FosterYouthRulesTest : public RuleTest {
 protected:
  struct Case {
    const char* name;
    std::optional<Cells> highSchool;  // the county office's attendance row, if it has one
    std::vector<Cells> rows;
    std::vector<Finding> expected;
  };

  void Check(const Case& c) {
    conn_->Execute("DELETE FROM ATTCOE");
    if (c.highSchool) Insert("ATTCOE", *c.highSchool);
    auto rows = FormRows("FOSTERYOUTHNSHS", c.rows);
    rows->MoveLast();
    ExpectFindings(Validate("FOSTERYOUTHNSHS", rows), c.expected, c.name);
    EXPECT_EQ(rows->AbsolutePosition(), static_cast<long>(c.rows.size())) << c.name;
  }
};

const Cells kLines10_5_2{{"CountyGroupHomeInstitutionPupilsHigh", 10.0},
                         {"JuvenileHallsHomesCampsHigh", 5.0},
                         {"ProbationHigh", 2.0}};

TEST_F(FosterYouthRulesTest, PlacementsOfTheCurrentRowStayWithinTheHighSchoolLines) {
  const Case cases[] = {
      {"no attendance row, no placements", std::nullopt, {FosterRow({})}, {}},
      {"no attendance row, some probation", std::nullopt, {FosterRow({{"Probation", 0.5}})}, {kProbation}},
      {"placements on the lines", kLines10_5_2,
       {FosterRow({{"CountyGroupHomeInstitutionPupils", 10.0}, {"JuvenileHallsHomesCamps", 5.0}, {"Probation", 2.0}})},
       {}},
      {"group homes over their line", kLines10_5_2, {FosterRow({{"CountyGroupHomeInstitutionPupils", 10.01}})},
       {kGroupHomes}},
      {"every placement over its line", kLines10_5_2,
       {FosterRow({{"CountyGroupHomeInstitutionPupils", 11.0}, {"JuvenileHallsHomesCamps", 6.0}, {"Probation", 3.0}})},
       {kGroupHomes, kJuvenileHalls, kProbation}},
      {"a blank line bounds nothing",
       Cells{{"CountyGroupHomeInstitutionPupilsHigh", 10.0}, {"JuvenileHallsHomesCampsHigh", 5.0}, {"ProbationHigh", vb::Null}},
       {FosterRow({{"Probation", 250.0}})},
       {}},
      {"another period's attendance row does not count",
       Cells{{"Period_ID", 2}, {"CountyGroupHomeInstitutionPupilsHigh", 50.0}},
       {FosterRow({{"CountyGroupHomeInstitutionPupils", 1.0}})},
       {kGroupHomes}},
  };
  for (const Case& c : cases) Check(c);
}

TEST_F(FosterYouthRulesTest, EveryRowNeedsStaffAndATotalWithinItsBounds) {
  const Case cases[] = {
      {"no staff", std::nullopt, {FosterRow({{"NumberOfFTEEmployees", 0.0}})}, {kEmployees}},
      {"no staff in the annual period", Cells{{"Period_ID", 3}},
       {FosterRow({{"Period_ID", 3}, {"NumberOfFTEEmployees", 0.0}})}, {kEmployees}},
      {"blank staff and total", std::nullopt, {FosterRow({{"NumberOfFTEEmployees", vb::Null}, {"ADATotal", vb::Null}})},
       {}},
      {"total on its bound", std::nullopt, {FosterRow({{"ADATotal", 286.49}})}, {}},
      {"total over its bound", std::nullopt, {FosterRow({{"ADATotal", 286.5}})}, {kTotalAda}},
      {"no total", std::nullopt, {FosterRow({{"ADATotal", 0.0}})}, {kTotalAda}},
      {"staff and total both off", std::nullopt, {FosterRow({{"NumberOfFTEEmployees", -1.0}, {"ADATotal", -3.0}})},
       {kEmployees, kTotalAda}},
      {"two rows: both for staff and total, the first for placements", kLines10_5_2,
       {FosterRow({{"School_ID", 1}, {"NumberOfFTEEmployees", 0.0}, {"Probation", 3.0}}),
        FosterRow({{"School_ID", 2}, {"NumberOfFTEEmployees", 0.0}, {"ADATotal", 300.0}, {"JuvenileHallsHomesCamps", 9.0}})},
       {kEmployees, kEmployees, kTotalAda, kProbation}},
  };
  for (const Case& c : cases) Check(c);
}

}  // namespace
}  // namespace ruletest

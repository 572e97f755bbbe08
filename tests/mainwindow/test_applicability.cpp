// Whether an entry screen applies to the agency taken up: charter screens by
// the charter type, the small-school screens at Annual, and the district
// screens of an all-charter district.

#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "modGlobals.h"

namespace {

clsGlobalParam& Params() { return *modGlobals::gobjGlobalParam; }

void TakeUp(std::int32_t county, std::int32_t district, std::int32_t school, std::int32_t period = 2) {
  clsGlobalParam& P = Params();
  P.CountyID = county;
  P.DistrictID = district;
  P.SchoolId = school;
  P.ReportPeriod = period;
}

TEST_F(MainWindowTest, CharterScreensApplyByTheOpenCharterRowsType) {
  AddAgencies();
  Execute("INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, LEA_TYPE, STAT_TYPE, "
          "CHARTER_ID, CHARTER_TYPE) VALUES (2019, 3, 31005, 3100503, 4, 'OPEN', 'Y', 6), "
          "(2019, 3, 31005, 3100504, 4, 'CLOSED', 'Y', 1)");
  // The charter schools: none open, type Null, 1, 4 and 6.
  const std::int32_t schools[] = {3100504, 7100201, 3100501, 3100502, 3100503};
  const struct {
    const char* form;
    bool applies[5];
  } cases[] = {
      {"ATTCS", {false, true, false, true, false}},
      {"attcs", {false, true, false, true, false}},
      {"ATTCSACD", {false, false, false, false, true}},
      {"ATTCSFUNDADA", {false, false, true, false, false}},
      {"ATTCOECS", {false, false, true, false, false}},
      {"CS_BA", {false, false, false, true, false}},
      {"CHARTERVORNESTDATAADJ", {false, false, true, false, false}},
      {"CHARTERPHYSICALLOCATION", {false, true, true, true, false}},
      {"ATT_SD", {false, false, false, false, false}},
  };
  frmMain w;
  for (std::size_t i = 0; i < std::size(schools); ++i) {
    const std::int32_t district = schools[i] == 7100201 ? 71002 : 31005;
    TakeUp(schools[i] == 7100201 ? 7 : 3, district, schools[i]);
    for (const auto& c : cases) EXPECT_EQ(w.IsCharterFormApplicable(c.form), c.applies[i]) << c.form << " " << schools[i];
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(MainWindowTest, SmallSchoolScreensApplyAtAnnualWithMigrantsOrExtendedYear) {
  AddAgencies();
  // Quail has migrants; Reed and Rush report attendance; Sage reports nothing.
  Execute("UPDATE KRN_LEAS SET MigrantPopulation = -1 WHERE SCHOOL_DISTRICT_ID = 31001");
  Execute("INSERT INTO ATT_SD (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, "
          "ExtYearSpEd_GradesTKTO3, ExtYearSpEd_Grades4TO6, ExtYearSpEd_Grades7TO8, ExtYearSpEd_Grades9TO12) VALUES "
          "(2019, 3, 4, 41001, 0, 0, 0, 0, 2.5), (2019, 3, 4, 41002, 0, 1, NULL, 0, 0)");
  const struct {
    const char* what;
    std::int32_t county, district, period;
    const char* form;
    bool applies;
  } cases[] = {
      {"P-2, whatever the data", 3, 31005, 2, "BRL_SD_NSES_ADA", true},
      {"P-1, any form", 3, 31005, 1, "ATT_SD", true},
      {"no migrants, no attendance", 3, 31005, 3, "BRL_SD_NSES_ADA", false},
      {"no migrants, no attendance", 3, 31005, 3, "BRL_SD_NSHS_ADA", false},
      {"migrants", 3, 31001, 3, "BRL_SD_NSES_ADA", true},
      {"migrants, name in lower case", 3, 31001, 3, "brl_sd_nses_ada", true},
      {"elementary grades without extended year", 4, 41001, 3, "BRL_SD_NSES_ADA", false},
      {"high-school grades with extended year", 4, 41001, 3, "BRL_SD_NSHS_ADA", true},
      {"a Null counts as extended year", 4, 41002, 3, "BRL_SD_NSES_ADA", true},
      {"high-school grades without extended year", 4, 41002, 3, "BRL_SD_NSHS_ADA", false},
      {"lower case takes no account of extended year", 4, 41001, 3, "brl_sd_nshs_ada", false},
      {"another form at Annual", 4, 41001, 3, "ATT_SD", false},
  };
  frmMain w;
  for (const auto& c : cases) {
    TakeUp(c.county, c.district, 0, c.period);
    EXPECT_EQ(w.IsSmallSchoolFormApplicable(c.form), c.applies) << c.what << ": " << c.form;
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(MainWindowTest, AnAllCharterDistrictHasOnlyItsOwnDistrictScreens) {
  const struct {
    const char* form;
    bool allCharter;
    bool applies;
  } cases[] = {
      {"ATT_SD", true, true},       {"gate", true, true},     {"ROCPSCHOOL", true, true},
      {"DISTRICTLIMIT", true, false}, {"", true, false},      {"DISTRICTLIMIT", false, true},
      {"", false, true},
  };
  frmMain w;
  for (const auto& c : cases) {
    Params().AllCharterDistrict = c.allCharter;
    EXPECT_EQ(w.IsDistrictAttendanceFormApplicable(c.form), c.applies) << c.form << " " << c.allCharter;
  }
}

}  // namespace

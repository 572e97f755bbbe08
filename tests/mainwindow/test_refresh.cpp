// The main window's full refresh: the prior-year roll-up of the agencies'
// corrected flags, the agency row it restores, and the export's sequence of
// detaching both lists, copying the database file and attaching them again.

#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <functional>

#include "MainWindowFixture.h"
#include "clsMyAdoUtils.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "vb/Conversions.h"

namespace {

using Names = std::vector<std::string>;

// Every agency's flag of 2019, "county-district-school=flag", in key order.
constexpr const char* kFlags =
    "SELECT group_concat(k, ' ') FROM (SELECT COUNTY_ID || '-' || SCHOOL_DISTRICT_ID || '-' || SCHOOL_ID || '=' || "
    "PY_LEA_CORRECTED AS k FROM KRN_LEAS WHERE FISCAL_YEAR = 2019 ORDER BY COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)";

// The kind shown and the one kind item that carries the check mark (none
// for nullptr).
void Tick(frmMain& w, std::int32_t kind, const char* item) {
  modGlobals::gobjGlobalParam->UserGroup = kind;
  for (const std::string& other : kKindItems) w.Menus().Item(other).Checked(false);
  if (item) w.Menus().Item(item).Checked(true);
}

TEST_F(MainWindowTest, TheRollUpFlagsTheAgenciesInScopeByTheirCountingCorrections) {
  AddAgencies();
  struct Correction {
    std::int32_t county, district, school, period;
    int form;
  };
  struct Case {
    const char* what;
    Logon logon;
    std::int32_t kind;
    const char* item;  // ticked before the refresh
    std::vector<Correction> corrections;
    Names flags;  // "agency=flag" afterwards; every other agency keeps "Old"
  };
  // A county office's scope is every row of its county and district
  // codes, its charter school among them.
  Logon officeAtP1 = As(2, 7, 10070);
  officeAtP1.period = 1;
  const Case cases[] = {
      {"P-1, outside the correction mode", officeAtP1, 2, "mnuLEA_COE_Auditor", {{7, 10070, 0, 1, 29}},
       {"7-10070-0=Yes", "7-10070-1007001=No"}},
      {"a correction of another period", As(2, 7, 10070), 2, "mnuLEA_COE_Auditor", {{7, 10070, 0, 1, 29}},
       {"7-10070-0=No", "7-10070-1007001=No"}},
      {"a form outside the county auditor's set", As(2, 7, 10070), 2, "mnuLEA_COE_Auditor", {{7, 10070, 0, 2, 23}},
       {"7-10070-0=No", "7-10070-1007001=No"}},
      {"the county-office set right after a switch", As(2, 7, 10070), 2, "mnuLEA_COE", {{7, 10070, 0, 2, 23}},
       {"7-10070-0=Yes", "7-10070-1007001=No"}},
      {"form 510 under the county-office set", As(7, 7, 10070), 2, "mnuLEA_COE", {{7, 10070, 0, 2, 510}},
       {"7-10070-0=Yes", "7-10070-1007001=No"}},
      {"form 510 under the district set, closed districts included", As(2, 9, 10090), 3, "mnuLEA_SD",
       {{9, 91002, 0, 2, 510}},
       {"9-91001-0=No", "9-91002-0=Yes"}},
      {"a charter logon counts any form", As(4, 7, 71002, 7100201), 4, "mnuLEA_Charter", {{7, 71002, 7100201, 2, 999}},
       {"7-71002-7100201=Yes"}},
      {"the district's charter schools", As(3, 7, 71002), 4, "mnuLEA_Charter", {{7, 71002, 123, 2, 41}},
       {"7-71002-123=Yes", "7-71002-7100201=No", "7-71002-7100202=No", "7-71002-7100203=No"}},
      {"a SELPA's region in its county", As(5, 3, 31005, 0, "01-X"), 5, "mnuSELPA", {{3, 31001, 0, 2, 100}},
       {"3-31001-0=Yes", "3-31005-0=No"}},
      {"a district logon shown county offices has no scope", As(3, 7, 71001), 2, "mnuLEA_COE", {}, {}},
      {"no kind ticked rolls nothing up", As(2, 7, 10070), 2, nullptr, {{7, 10070, 0, 2, 29}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LogOn(c.logon);
    frmMain& w = Open();
    Execute("DELETE FROM LEA_FORMS_STATUS; UPDATE KRN_LEAS SET PY_LEA_CORRECTED = 'Old'");
    for (const Correction& k : c.corrections)
      AddStatus(k.county, k.district, k.school, k.period, k.form, "PY_FORMS_CORRECTED", "'Yes'");
    Tick(w, c.kind, c.item);
    const std::string before = Scalar(kFlags);
    w.RefreshTopandBottomGrid(false);
    std::string expected = before;
    for (const std::string& flag : c.flags) {
      const std::string agency = flag.substr(0, flag.find('='));
      const std::size_t at = expected.find(agency + "=Old");
      ASSERT_NE(at, std::string::npos) << agency;
      expected.replace(at, agency.size() + 4, flag);
    }
    EXPECT_EQ(Scalar(kFlags), expected);
    EXPECT_EQ(WaitMessage(), "");
    delete window_.data();
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

// Each logon group and kind rolls up with its own set of entry screens:
// a correction of any form of the set marks the agency corrected. Rows
// beside the agency must keep their flags: its charter schools under a
// district logon, the row of the same codes in another year or county, and
// a correction of another year counts for nothing.
TEST_F(MainWindowTest, EachGroupsFormSetMarksItsAgenciesAndNoNeighbour) {
  AddAgencies();
  UseFormCatalogue();  // the entry-screen list read again on each refresh stays short
  struct Case {
    const char* what;
    Logon logon;
    std::int32_t kind;
    const char* item;
    std::string agency;  // "county-district-school"
    std::vector<int> forms;
    std::vector<std::string> untouched;  // of 2019, keeping "Old"
  };
  const std::vector<int> districtSet = {21, 22, 24, 25, 92, 111, 112, 113, 114, 500, 510, 519};
  const std::vector<int> charterSet = {41, 50, 51, 507, 511, 512, 513, 514};
  const std::vector<int> selpaSet = {100, 102, 502};
  const Case cases[] = {
      {"county office, county offices", As(2, 7, 10070), 2, "mnuLEA_COE", "7-10070-0", {23, 26, 88, 90, 91, 510, 515},
       {"8-10080-0", "7-71001-0"}},
      {"county office, county auditor", As(2, 7, 10070), 2, "mnuLEA_COE_Auditor", "7-10070-0", {29, 30, 89},
       {"8-10080-0"}},
      {"county office, districts", As(2, 7, 10070), 3, "mnuLEA_SD", "7-71001-0", districtSet,
       {"8-81001-0", "7-71002-7100201"}},
      {"county office, charters", As(2, 7, 10070), 4, "mnuLEA_Charter", "7-71002-7100201", charterSet,
       {"7-71002-0", "7-10070-0"}},
      {"county office, SELPAs", As(2, 7, 10070), 5, "mnuSELPA", "7-71001-0", selpaSet, {"8-81001-0"}},
      {"district, itself", As(3, 7, 71002), 3, "mnuLEA_SD", "7-71002-0", districtSet,
       {"7-71002-7100201", "7-71002-7100202", "8-71002-0", "7-71001-0"}},
      {"district, its charters", As(3, 7, 71002), 4, "mnuLEA_Charter", "7-71002-7100202", charterSet,
       {"7-71002-0", "8-71002-0", "7-10070-1007001"}},
      {"SELPA, its region in its county", As(5, 3, 31005, 0, "01-X"), 5, "mnuSELPA", "3-31001-0", selpaSet,
       {"4-31005-0", "4-41001-0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LogOn(c.logon);
    frmMain& w = Open();
    const std::vector<std::int32_t> key = AgencyKey(c.agency);
    for (int form : c.forms) {
      SCOPED_TRACE(form);
      Execute("DELETE FROM LEA_FORMS_STATUS; UPDATE KRN_LEAS SET PY_LEA_CORRECTED = 'Old'");
      AddStatus(key[0], key[1], key[2], 2, form, "PY_FORMS_CORRECTED", "'Yes'");
      Tick(w, c.kind, c.item);
      w.RefreshTopandBottomGrid(true);
      EXPECT_EQ(CorrectedFlag(c.agency), "Yes");
      for (const std::string& other : c.untouched) EXPECT_EQ(CorrectedFlag(other), "Old") << other;
    }
    // The same correction in another year marks nothing.
    Execute("UPDATE KRN_LEAS SET PY_LEA_CORRECTED = 'Old'; UPDATE LEA_FORMS_STATUS SET FISCAL_YEAR = 2018");
    Tick(w, c.kind, c.item);
    w.RefreshTopandBottomGrid(true);
    EXPECT_EQ(CorrectedFlag(c.agency), "No");
    EXPECT_EQ(CorrectedFlag("7-10070-0", 2018), "Old") << "the directory of another year";
    delete window_.data();
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

// A SELPA sees agencies of two counties; with one of the other county
// highlighted, the refresh still rolls up the logon's county.
TEST_F(MainWindowTest, ARefreshRollsUpTheLogonsCountyWhicheverAgencyIsHighlighted) {
  LogOn(As(5, 7, 71005, 0, "R7"));
  frmMain& w = Open();
  const std::vector<std::string> listed = ListedAgencies();
  const auto other = std::find(listed.begin(), listed.end(), "8-81001-0");
  ASSERT_NE(other, listed.end());
  ClickRecordSelector(*w.dgLEA, static_cast<int>(other - listed.begin()));
  ASSERT_EQ(modGlobals::gobjGlobalParam->CountyID, 8);
  Execute("UPDATE KRN_LEAS SET PY_LEA_CORRECTED = 'Old'");
  AddStatus(7, 71001, 0, 2, 100, "PY_FORMS_CORRECTED", "'Yes'");
  AddStatus(8, 81001, 0, 2, 100, "PY_FORMS_CORRECTED", "'Yes'");
  w.RefreshTopandBottomGrid(true);
  EXPECT_EQ(CorrectedFlag("7-71001-0"), "Yes");
  EXPECT_EQ(CorrectedFlag("7-71002-0"), "No");
  EXPECT_EQ(CorrectedFlag("8-81001-0"), "Old");
  EXPECT_EQ(CorrectedFlag("8-10080-0"), "Old");
}

TEST_F(MainWindowTest, AFailingUpdateLeavesEveryFlagAsItWas) {
  LogOn(As(2, 7, 10070));
  frmMain& w = Open();
  Tick(w, 3, "mnuLEA_SD");
  Execute("UPDATE KRN_LEAS SET PY_LEA_CORRECTED = 'Old'");
  // The second agency's update is refused.
  Execute(
      "CREATE TABLE hits (n INTEGER); INSERT INTO hits VALUES (0);"
      "CREATE TRIGGER refuse BEFORE UPDATE OF PY_LEA_CORRECTED ON KRN_LEAS BEGIN"
      "  UPDATE hits SET n = n + 1;"
      "  SELECT RAISE(ABORT, 'refused') WHERE (SELECT n FROM hits) >= 2;"
      " END;");
  modMain::ShowWaitMsg("Please wait...");
  EXPECT_THROW(w.RefreshTopandBottomGrid(true), vb::VbError);
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM KRN_LEAS WHERE PY_LEA_CORRECTED <> 'Old'"), "0");
  EXPECT_EQ(Scalar("SELECT n FROM hits"), "0");
  EXPECT_EQ(WaitMessage(), "Please wait...") << "the caller hides it";
}

TEST_F(MainWindowTest, TheRefreshPutsTheAgencyListBackOnTheSavedRowWhileTheNewListHasIt) {
  LogOn(As(3, 7, 71002));
  frmMain& w = Open();
  w.mnuLEA_Charter_Click();
  ASSERT_EQ(ListedAgencies().size(), 2u);
  const struct {
    std::int16_t saved;
    int row;  // the agency grid's row afterwards
  } cases[] = {{2, 1}, {0, 0}, {-1, 0}, {3, 0}};
  for (const auto& c : cases) {
    modGlobals::gintSavedLEARow = c.saved;
    w.RefreshTopandBottomGrid(false);
    EXPECT_EQ(w.dgLEA->Row(), c.row) << c.saved;
    EXPECT_EQ(modGlobals::gintSavedLEARow, c.saved);
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(MainWindowTest, TheExportDetachesBothListsCopiesTheFileAndShowsItsDateAfterwards) {
  UseFormCatalogue();
  LogOn({});
  frmMain& w = Open();
  ClickRecordSelector(*w.dgLEA, 0);
  const std::size_t forms = ListedForms().size();
  const int rowsShown = w.dgForms->model()->rowCount();
  modMain::ShowWaitMsg("Exporting...");

  w.DisconnectTopandBottomGrid();
  modGlobals::gobjAdoUtils->CloseConn();
  EXPECT_EQ(ListedAgencies(), Names{"7-10070-0"});
  EXPECT_EQ(ListedForms().size(), forms);
  EXPECT_EQ(w.dgForms->model()->rowCount(), rowsShown);
  EXPECT_EQ(w.dgForms->Columns("FORM_DISPLAY_NAME").Text(), "Screen Tax");
  std::filesystem::copy_file(DatabasePath(), ProgramFolder() / "Export" / "RUDOVA.mdb");
  modGlobals::gobjAdoUtils->OpenConn();
  w.ConnectTopandBottomGrid();

  // The lists write through the reopened connection.
  ClickCell(*w.dgForms, FormRow(29), 0);
  EXPECT_EQ(Scalar("SELECT SELECTED FROM VHO_TORB_FORMS WHERE FORM_NO = 29"), "Yes");

  Execute("UPDATE LEA_FORMS_STATUS SET LAST_EXPORT_DATE = '2020-01-15 00:00:00' WHERE FORM_NO = 29");
  modGlobals::gblnExportRunning = true;
  w.RefreshTopandBottomGrid(true);
  modGlobals::gblnExportRunning = false;
  EXPECT_EQ(WaitMessage(), "Exporting...");
  ASSERT_GE(FormRow(29), 0);
  EXPECT_EQ(vb::Format(w.FormList()->ValueAt(FormRow(29) + 1, w.FormList()->FieldIndex("LAST_EXPORT_DATE")),
                       "m/d/yyyy"),
            "1/15/2020");

  ClickCell(*w.dgForms, FormRow(29), 0);
  EXPECT_EQ(Scalar("SELECT SELECTED FROM VHO_TORB_FORMS WHERE FORM_NO = 29"), "No");
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(MainWindowTest, DetachingWithoutAnEntryScreenListIsAnUnsetObject) {
  LogOn(As(3, 7, 71001));
  frmMain& w = Open();
  w.mnuLEA_Charter_Click();  // no agencies: the entry-screen list is released
  try {
    w.DisconnectTopandBottomGrid();
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.Number(), vb::err::ObjectNotSet);
  }
}

}  // namespace

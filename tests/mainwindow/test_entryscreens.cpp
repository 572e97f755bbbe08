// The entry-screen list of the main window: the status rows each logon
// group's forms get, which forms the list shows in which mode and order,
// its columns, and where the list stands after a rebuild.

#include <gtest/gtest.h>

#include <QHeaderView>

#include "MainWindowFixture.h"
#include "modGlobals.h"
#include "vb/Conversions.h"

namespace {

using Names = std::vector<std::string>;
using Forms = std::vector<int>;

// "form|No|0|": a status row as the upkeep adds it.
Names Fresh(const Forms& forms) {
  Names rows;
  for (int form : forms) rows.push_back(std::to_string(form) + "|No|0|");
  return rows;
}

// A status row of the county office of Cedar County (2019, P-2).
std::string CedarStatus(int form, const std::string& columns = {}, const std::string& values = {}) {
  return "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO" +
         (columns.empty() ? "" : ", " + columns) + ") VALUES (2019, 2, 7, 10070, 0, " + std::to_string(form) +
         (values.empty() ? "" : ", " + values) + ");";
}

bool Hidden(ui::DataGrid& grid, const char* column) {
  return grid.horizontalHeader()->isSectionHidden(grid.ColumnIndex(column));
}

// --- Status rows -------------------------------------------------------------------

TEST_F(MainWindowTest, EachApplicableFormGetsOneEmptyStatusRowOnceAndOnlyUsedFormsAreListed) {
  UseFormCatalogue();
  AddAgencies();
  struct Case {
    const char* who;
    Logon logon;
    Forms rows;    // forms with a status row for the first agency afterwards
    Forms listed;  // the list, in order
  };
  const Case cases[] = {
      // 31 is not used in 2019, 32 belongs to Annual only; 30 and 89 are
      // hidden outside the correction mode.
      {"county office at P-2", As(2, 7, 10070), {27, 29, 30, 31, 89}, {29, 27}},
      {"county auditor", As(7, 8, 10080), {27, 29, 30, 31, 89}, {29, 27}},
      {"school district", As(3, 7, 71001), {21, 41, 45, 50, 60, 88}, {21}},
      {"charter of a county office's district", As(4, 7, 10070, 1007001), {48}, {48}},
      {"charter of type 5", As(4, 7, 71002, 7100203), {48}, {48}},
      {"other charter", As(4, 7, 71002, 7100201), {41, 45, 50}, {41, 50, 45}},
      {"SELPA", As(5, 7, 71005, 0, "R7"), {88}, {88}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.who);
    LogOn(c.logon);
    frmMain& w = Open();
    const clsGlobalParam& P = *modGlobals::gobjGlobalParam;
    const Names rows = StatusRows(P.CountyID, P.DistrictID, P.SchoolId);
    EXPECT_EQ(rows, Fresh(c.rows));
    EXPECT_EQ(ListedForms(), c.listed);

    w.Initialize_Forms_status();
    EXPECT_EQ(StatusRows(P.CountyID, P.DistrictID, P.SchoolId), rows) << "a second pass adds nothing";
    delete window_.data();
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(MainWindowTest, AnExistingStatusRowIsLeftAsItIs) {
  UseFormCatalogue();
  Execute(CedarStatus(29, "PY_FORMS_CORRECTED, PY_REASON_CODE, NUM_RECORD, CERTIFICATE_NUMBER", "'Yes', 1, 5, 255"));
  LogOn({});
  Open();
  EXPECT_EQ(StatusRows(7, 10070), (Names{"27|No|0|", "29|Yes|1|255", "30|No|0|", "31|No|0|", "89|No|0|"}));
}

TEST_F(MainWindowTest, AGroupWithoutFormsAddsNoStatusRowsAndReportsNothing) {
  UseFormCatalogue();
  LogOn(As(4, 7, 71002, 7100201));
  frmMain& w = Open();
  Execute("DELETE FROM LEA_FORMS_STATUS");
  // A charter-school logon has forms only while it looks at charter schools.
  w.Menus().Item("mnuLEA_Charter").Checked(false);
  w.Initialize_Forms_status();
  modGlobals::gobjGlobalParam->LogonUserGroup = 6;
  w.Initialize_Forms_status();
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM LEA_FORMS_STATUS"), "0");
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

// --- What the list shows ------------------------------------------------------------

TEST_F(MainWindowTest, TheListShowsTheFormsOfTheKindModeAndStatusRowsInOrder) {
  UseFormCatalogue();
  struct Case {
    const char* what;
    Logon logon;
    std::int32_t kind;
    const char* mode;   // gstrPeriodMode at load
    std::string setup;  // run before the window opens
    Forms listed;
    const char* caption;
    const char* certificate;  // of the first row
    std::string check = {};   // a query whose first value is then...
    const char* checked = "";  // ...this
  };
  const Logon cedar = As(2, 7, 10070);
  Logon cedarAnnual = cedar;
  cedarAnnual.period = 3;
  const char* const offices = "County Offices of Education";
  const Case cases[] = {
      {"P-2 hides 89 and 30", cedar, 2, "2", "", {29, 27}, offices, ""},
      {"P-2 correction hides 27 and 28", cedar, 2, "PY_P2", "", {29, 30, 89}, offices, ""},
      {"P-2 correction of a county auditor hides 89 too", As(7, 8, 10080), 7, "PY_P2", "", {29, 30}, "County Auditor",
       ""},
      {"Annual correction hides 89 and 30", cedarAnnual, 2, "PY_ANNUAL", "", {29, 32}, offices, ""},
      {"a reason code without its reason row hides the form", cedar, 2, "2",
       CedarStatus(27, "PY_REASON_CODE", "99"), {29}, offices, ""},
      {"a county office looking at charter schools", cedar, 4, "2", CedarStatus(48), {48}, "Charter School(s)", ""},
      {"a status row of form 45 with 3 records counts 2, whatever its agency", cedar, 2, "2",
       "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,"
       " NUM_RECORD) VALUES (2018, 3, 8, 81001, 0, 45, 3), (2018, 1, 8, 81001, 0, 45, 4), (2018, 2, 8, 81001, 0, 44, 3)",
       {29, 27}, offices, "",
       "SELECT group_concat(NUM_RECORD, ',') FROM (SELECT NUM_RECORD FROM LEA_FORMS_STATUS WHERE COUNTY_ID = 8"
       " ORDER BY PERIOD_ID)",
       "4,3,2"},
      {"certificate 0", cedar, 2, "2", CedarStatus(29, "CERTIFICATE_NUMBER", "0"), {29, 27}, offices, "00000000"},
      {"certificate 255", cedar, 2, "2", CedarStatus(29, "CERTIFICATE_NUMBER", "255"), {29, 27}, offices, "000000FF"},
      {"certificate 2147483647", cedar, 2, "2", CedarStatus(29, "CERTIFICATE_NUMBER", "2147483647"), {29, 27}, offices,
       "7FFFFFFF"},
      {"certificate -1", cedar, 2, "2", CedarStatus(29, "CERTIFICATE_NUMBER", "-1"), {29, 27}, offices, "FFFFFFFF"},
      {"certificate -2147483648", cedar, 2, "2", CedarStatus(29, "CERTIFICATE_NUMBER", "-2147483648"), {29, 27},
       offices, "80000000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Execute("DELETE FROM LEA_FORMS_STATUS; " + c.setup);
    modGlobals::gstrPeriodMode = c.mode;
    LogOn(c.logon);
    modGlobals::gobjGlobalParam->UserGroup = c.kind;
    frmMain& w = Open();
    EXPECT_EQ(ListedForms(), c.listed);
    EXPECT_EQ(w.lblLeaList->text().toStdString(), c.caption);
    ASSERT_EQ(w.dgForms->DataSource(), w.FormList());
    EXPECT_EQ(w.dgForms->Columns("CERTIFICATE_NUMBER").Text(), c.certificate);
    if (!c.check.empty()) {
      EXPECT_EQ(Scalar(c.check), c.checked);
    }
    delete window_.data();
  }
}

TEST_F(MainWindowTest, TheListKeepsItsColumnsInOrderAndShowsTheCorrectionColumnsOnlyInACorrectionMode) {
  UseFormCatalogue();
  const Names columns = {"SELECTED",           "FORM_DISPLAY_NAME",   "CORRECTED",          "REASON_CODE",
                         "FORM_TITLE1",        "FORM_NAME",           "FORM_NO",            "CERTIFICATE_NUMBER",
                         "NUM_RECORD",         "NUM_ERROR",           "NUM_WARNING",        "LAST_MODIFIED_DATE",
                         "LAST_EDIT_CHECK_DATE", "LAST_EXPORT_DATE",  "LAST_IMPORT_DATE",   "PY_CORRECTION_NOTE",
                         "PY_REASON_CODE",     "program_type"};
  for (const char* mode : {"2", "PY_P2", "PY_ANNUAL"}) {
    SCOPED_TRACE(mode);
    modGlobals::gstrPeriodMode = mode;
    Logon logon;
    logon.period = std::string(mode) == "PY_ANNUAL" ? 3 : 2;
    LogOn(logon);
    frmMain& w = Open();
    ui::DataGrid& grid = *w.dgForms;
    Names fields;
    for (int i = 0; i < grid.ColumnCount(); ++i) fields.push_back(grid.Columns(i).DataField());
    EXPECT_EQ(fields, columns);
    EXPECT_EQ(grid.Columns("FORM_DISPLAY_NAME").Caption(), "ENTRY SCREEN NAME");
    EXPECT_DOUBLE_EQ(grid.Columns("FORM_DISPLAY_NAME").Width(), 5000);
    const bool correction = std::string(mode) != "2";
    EXPECT_DOUBLE_EQ(grid.Columns("CORRECTED").Width(), correction ? 1100 : 0);
    EXPECT_DOUBLE_EQ(grid.Columns("REASON_CODE").Width(), correction ? 2000 : 0);
    EXPECT_EQ(Hidden(grid, "CORRECTED"), !correction);
    for (const char* hidden : {"FORM_TITLE1", "FORM_NAME", "FORM_NO", "PY_CORRECTION_NOTE", "PY_REASON_CODE"}) {
      EXPECT_FALSE(grid.Columns(hidden).Visible()) << hidden;
      EXPECT_TRUE(Hidden(grid, hidden)) << hidden;
    }
    EXPECT_TRUE(grid.Columns("program_type").Visible());
    EXPECT_DOUBLE_EQ(grid.Columns("program_type").Width(), 0);
    EXPECT_EQ(grid.Columns("REASON_CODE").Text(), "None");
    delete window_.data();
  }
}

TEST_F(MainWindowTest, AFormNumberListShowsThoseFormsLaidOutByName) {
  UseFormCatalogue();
  LogOn({});
  frmMain& w = Open();
  w.refreshForms(std::nullopt, std::string("30, 29"));
  EXPECT_EQ(ListedForms(), (Forms{29, 30})) << "no flag column, no exclusions";
  ui::DataGrid& grid = *w.dgForms;
  EXPECT_EQ(grid.ColumnCount(), 14);
  EXPECT_EQ(grid.Columns("FORM_DISPLAY_NAME").Caption(), "ENTRY SCREEN NAME");
  for (const char* hidden : {"FORM_TITLE1", "FORM_NAME", "FORM_NO"}) EXPECT_TRUE(Hidden(grid, hidden)) << hidden;
  EXPECT_FALSE(Hidden(grid, "CERTIFICATE_NUMBER"));
  EXPECT_FALSE(Hidden(grid, "NUM_RECORD"));
}

TEST_F(MainWindowTest, AnEmptyCategoryListsOnlyFormsWithoutACategory) {
  UseFormCatalogue();
  LogOn({});
  frmMain& w = Open();
  w.refreshForms(std::string());
  EXPECT_TRUE(ListedForms().empty());
  EXPECT_NE(w.FormList(), nullptr) << "open, without rows";
  EXPECT_EQ(w.dgForms->DataSource(), nullptr);
  Execute("UPDATE VHO_TORB_FORMS SET CATEGORY = '' WHERE FORM_NO = 27");
  w.refreshForms(std::string());
  EXPECT_EQ(ListedForms(), Forms{27});
}

TEST_F(MainWindowTest, WithoutACurrentAgencyOrCharterRowTheListIsEmptyAndNothingIsReported) {
  UseFormCatalogue();
  Execute("INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,"
          " NUM_RECORD) VALUES (2018, 3, 8, 81001, 0, 45, 3)");
  // No agency in the list: no list, no status rows, no fix-up.
  LogOn(As(2, 6, 10060));
  frmMain& none = Open();
  none.Refresh_Forms_By_Category();
  EXPECT_EQ(none.FormList(), nullptr);
  EXPECT_EQ(none.dgForms->DataSource(), nullptr);
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM LEA_FORMS_STATUS"), "1");
  EXPECT_EQ(Scalar("SELECT NUM_RECORD FROM LEA_FORMS_STATUS"), "3");
  delete window_.data();

  // The charter kind for an agency that is no open charter school.
  LogOn(As(3, 7, 71001));
  frmMain& w = Open();
  Execute("DELETE FROM LEA_FORMS_STATUS");
  modGlobals::gobjGlobalParam->UserGroup = 4;
  w.refreshForms(std::string("CA"));
  EXPECT_EQ(w.lblLeaList->text(), "Charter School(s)");
  EXPECT_TRUE(ListedForms().empty());
  EXPECT_EQ(w.dgForms->DataSource(), nullptr);
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM LEA_FORMS_STATUS"), "0");
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(MainWindowTest, ARebuiltListStandsOnTheScreenLastOpenedOrElseOnItsFirstRow) {
  UseFormCatalogue();
  modGlobals::gstrPeriodMode = "PY_P2";
  LogOn({});
  frmMain& w = Open();
  ASSERT_EQ(ListedForms(), (Forms{29, 30, 89}));
  struct Case {
    const char* formname;
    long position;
  };
  const Case cases[] = {{"", 1}, {"SPEDTAXALLOC", 3}, {"spedtaxalloc", 1}, {"EDS_CS", 1}, {"TAXMISC", 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.formname);
    modGlobals::gobjGlobalParam->formname = c.formname;
    w.Refresh_Forms_By_Category();
    EXPECT_EQ(w.FormList()->AbsolutePosition(), c.position);
    EXPECT_EQ(w.dgForms->Row(), c.position - 1) << "the grid follows";
    w.refresh_dgForms();
    EXPECT_EQ(w.dgForms->DataSource(), w.FormList()) << "a later binding keeps the rows";
  }
}

TEST_F(MainWindowTest, BInArrayFindsATextInAnyLetterCase) {
  LogOn({});
  frmMain& w = Open();
  const std::vector<std::string> list = {"ATT_SD", "Tax"};
  EXPECT_TRUE(w.bInArray(list, "tax"));
  EXPECT_TRUE(w.bInArray(list, "att_sd"));
  EXPECT_FALSE(w.bInArray(list, "TAXMISC"));
  EXPECT_FALSE(w.bInArray({}, "Tax"));
}

}  // namespace

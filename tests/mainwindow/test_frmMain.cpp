// The main window: what a logon of each group sees (caption, status bar,
// menus, the agency list), the current agency as the list moves, and
// leaving by log-out, Exit or the close box.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTest>

#include "MainWindowFixture.h"
#include "ScriptedSeams.h"
#include "clsMyAdoUtils.h"
#include "frmWait.h"
#include "modGlobals.h"
#include "ui/Printers.h"
#include "ui/Settings.h"
#include "ui/Twips.h"
#include "vb/Conversions.h"
#include "vb/End.h"

namespace {

const std::vector<std::string> kDataMenus = {"mnuPeriod", "mnuNew_Import", "mnuNew_Export", "mnuNew_Print",
                                             "mnuTools_ContactInfo"};

using Names = std::vector<std::string>;

// --- What a county office sees ---------------------------------------------------

TEST_F(MainWindowTest, ACountyOfficeAtP2SeesItsOwnOfficeAsTheCurrentAgency) {
  LogOn({});
  frmMain& w = Open();

  EXPECT_EQ(w.windowTitle().toStdString(), "Levrona MAIN MENU \\ FY 2019-20 \\ P-2");
  EXPECT_EQ(w.PanelText(1), "Levrona  -  Version  19.00");
  EXPECT_EQ(w.PanelText(2), "Pat Quill");
  EXPECT_EQ(w.PanelText(3), "FY 2019-20  P-2");
  EXPECT_EQ(w.PanelText(4), "Certification");

  EXPECT_EQ(VisibleItems(kKindItems), Names{"mnuLEA_COE_Auditor"});
  EXPECT_EQ(w.Menus().Item("mnuLEA_COE_Auditor").Caption(), "County &Auditor");
  EXPECT_TRUE(w.Menus().Item("mnuLEA_COE_Auditor").Checked());
  EXPECT_EQ(w.Menus().Item("mnuLEA").Caption(), "&LEA");
  EXPECT_TRUE(w.Menus().Item("mnuPeriod_P2").Checked());

  EXPECT_EQ(w.lblLeaList->text(), "County Offices of Education");
  EXPECT_EQ(ListedAgencies(), Names{"7-10070-0"});
  EXPECT_EQ(w.dgLEA->Columns("COUNTY_ID").Text(), "07");
  EXPECT_EQ(w.dgLEA->Columns("SCHOOL_ID").Text(), "0000000");
  EXPECT_EQ(VisibleColumns(), (Names{"SELECTED", "COUNTY_ID", "DISTRICT_ID", "SCHOOL_ID", "COUNTY_NAME",
                                     "DISTRICT_NAME", "SCHOOL_NAME", "DISTRICT_TYPE"}));
  EXPECT_DOUBLE_EQ(w.dgLEA->Columns("DISTRICT_NAME").Width(), 2500);

  for (int i : {2, 3}) {
    EXPECT_TRUE(w.cmdSelection[i]->isEnabled()) << "agency button " << i;
    EXPECT_TRUE(w.cmdSelection[i]->isHidden()) << "one row: agency button " << i << " hidden";
  }
  for (int i : {0, 1}) EXPECT_FALSE(w.cmdSelection[i]->isEnabled()) << "entry-screen button " << i;
  EXPECT_FALSE(w.dgForms->isEnabled()) << "no entry screen before an agency is chosen";

  const clsGlobalParam& P = *modGlobals::gobjGlobalParam;
  EXPECT_EQ(P.CountyID, 7);
  EXPECT_EQ(P.DistrictID, 10070);
  EXPECT_EQ(P.SchoolId, 0);
  EXPECT_EQ(P.DistrictType, "CO OFFICE");
  EXPECT_EQ(P.DistrictName, "Cedar County Office of Education");
  EXPECT_EQ(P.LocCountyID, 7);
  EXPECT_EQ(w.GParam->DistrictID, 10070) << "the window keeps the logon agency";

  // The grids follow the window's width, keeping their margins.
  w.resize(w.width() + 120, w.height() + 60);
  EXPECT_NEAR(w.dgLEA->width(), w.frameGeometry().width() - 2 * w.dgLEA->x(), 1);
  EXPECT_NEAR(w.dgForms->width(), w.frameGeometry().width() - 2 * w.dgForms->x(), 1);
  EXPECT_NEAR(w.dgForms->y() + w.dgForms->height(), w.centralwidget->height() - ui::TwipsToPixelsY(20), 1);
}

// --- Menus by logon group ----------------------------------------------------------

TEST_F(MainWindowTest, MenusFollowTheLogonGroupAtLoadAndTheNextRefresh) {
  const Names watched = {"mnuLEA_COE",       "mnuLEA_SD",       "mnuLEA_Charter",         "mnuLEA_COE_Auditor",
                         "mnuSELPA",         "mnuCertCounty",   "mnuCertDistrict",        "mnuCertCharter",
                         "mnuCertTax",       "mnuCertSELPA",    "mnuUploadCertifiedData", "mnuTools_ContactInfo",
                         "mnu_Coe_Certification", "mnuStatus"};
  struct Case {
    const char* who;
    Logon logon;
    Names afterLoad;
    Names checked;
    Names afterRefresh;
    bool dataMenus;  // enabled once the menus are set by the list
  };
  const Names countyOffice = {"mnuLEA_COE_Auditor",     "mnuCertCounty",        "mnuCertTax",
                              "mnuUploadCertifiedData", "mnuTools_ContactInfo", "mnu_Coe_Certification"};
  const Case cases[] = {
      {"county office", As(2, 7, 10070), countyOffice, {"mnuLEA_COE_Auditor"}, countyOffice, true},
      {"county office without agencies", As(2, 6, 10060), countyOffice, {"mnuLEA_COE_Auditor"}, countyOffice, false},
      {"county auditor", As(7, 7, 10070), {"mnuLEA_COE_Auditor", "mnuCertTax"}, {"mnuLEA_COE_Auditor"},
       {"mnuLEA_COE_Auditor", "mnuCertTax"}, true},
      {"school district", As(3, 7, 71001),
       {"mnuCertDistrict", "mnuCertCharter", "mnuCertSELPA", "mnuTools_ContactInfo"}, {"mnuLEA_SD"},
       {"mnuTools_ContactInfo"}, true},
      {"charter school", As(4, 7, 71002, 7100202), {"mnuCertCharter", "mnuTools_ContactInfo"}, {"mnuLEA_Charter"},
       {"mnuTools_ContactInfo"}, true},
      {"SELPA", As(5, 7, 71005, 0, "R7"),
       {"mnuSELPA", "mnuCertSELPA", "mnuUploadCertifiedData", "mnuTools_ContactInfo"}, {"mnuSELPA"},
       {"mnuUploadCertifiedData", "mnuTools_ContactInfo"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.who);
    LogOn(c.logon);
    frmMain& w = Open();
    EXPECT_EQ(VisibleItems(watched), c.afterLoad);
    EXPECT_EQ(CheckedItems(kKindItems), c.checked);
    w.RefreshLEAs();
    EXPECT_EQ(VisibleItems(watched), c.afterRefresh);
    w.EnableDisableMenu();
    for (const std::string& menu : kDataMenus) EXPECT_EQ(w.Menus().Item(menu).Enabled(), c.dataMenus) << menu;
    delete window_.data();
  }
}

TEST_F(MainWindowTest, ThePeriodAndCorrectionModeAtLoadMarkTheirItemAndTheCaption) {
  struct Case {
    std::int32_t period;
    const char* mode;
    const char* marked;
    const char* caption;
    const char* panel3;
    const char* periodText;
  };
  // Each window opens after the one before: the program-wide period text
  // is still the last window's when the next one loads.
  const Case cases[] = {
      {1, "", "mnuPeriod_P1", "Levrona MAIN MENU \\ FY 2019-20 \\ P-1", "FY 2019-20  P-1", "P-1"},
      {2, "2", "mnuPeriod_P2", "Levrona MAIN MENU \\ FY 2019-20 \\ P-2", "FY 2019-20  P-2", "P-2"},
      {2, "PY_P2", "mnu_PY_P2", "Levrona MAIN MENU \\ FY 2019-20 \\ P-2 Correction", "FY 2019-20  P-2 Correction",
       "P-2"},
      {3, "3", "mnuPeriod_Annual", "Levrona MAIN MENU \\ FY 2019-20 \\ Annual", "FY 2019-20  Annual", "Annual"},
      {3, "PY_ANNUAL", "mnu_PY_Annual", "Levrona MAIN MENU \\ FY 2019-20 \\ Annual Correction",
       "FY 2019-20  Annual Correction", "Annual"},
      {1, "", "mnuPeriod_P1", "Levrona MAIN MENU \\ FY 2019-20 \\ P-1", "FY 2019-20  P-1", "P-1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.marked);
    modGlobals::gstrPeriodMode = c.mode;
    Logon logon;
    logon.period = c.period;
    LogOn(logon);
    frmMain& w = Open();
    EXPECT_EQ(CheckedItems(kPeriodItems), Names{c.marked});
    EXPECT_EQ(w.windowTitle().toStdString(), c.caption);
    EXPECT_EQ(w.PanelText(3), c.panel3);
    // The window's own copy, which its reports head with, names the same
    // period from the start, not only after a period command.
    EXPECT_EQ(w.GParam->PeriodText, c.periodText);
    const bool correction = std::string(c.mode).rfind("PY_", 0) == 0;
    EXPECT_EQ(w.dgLEA->horizontalHeader()->isSectionHidden(w.dgLEA->ColumnIndex("CORRECTED")), !correction);
    if (correction) {
      EXPECT_DOUBLE_EQ(w.dgLEA->Columns("CORRECTED").Width(), 1100);
    }
    delete window_.data();
  }
}

// --- The agency list -------------------------------------------------------------------

TEST_F(MainWindowTest, EachLogonGroupAndKindListsItsScopeInOrder) {
  struct Case {
    const char* what;
    Logon logon;
    std::int32_t kind;
    Names rows;
  };
  const Names wholeR7 = {"7-71005-0", "7-10070-0", "7-71001-0", "7-71002-0", "8-10080-0", "8-81001-0"};
  Names r7AndR8 = wholeR7;
  r7AndR8.insert(r7AndR8.end(), {"8-71005-0", "8-82001-0"});
  const Case cases[] = {
      {"county office, its office", As(2, 7, 10070), 2, {"7-10070-0"}},
      {"county office, no agencies", As(2, 6, 10060), 2, {}},
      {"county office, SELPAs by administrative-unit county", As(2, 7, 10070), 5, wholeR7},
      {"county office, SELPAs by location county", As(2, 8, 10080, 0, "", false, 7), 5,
       {"8-10080-0", "8-71005-0"}},
      {"county auditor", As(7, 7, 10070), 7, {"7-10070-0"}},
      {"district, its district", As(3, 7, 71001), 3, {"7-71001-0"}},
      {"district, its charter schools", As(3, 7, 71002), 4, {"7-71002-7100201", "7-71002-7100202"}},
      {"district, SELPA rows of the district", As(3, 7, 71001, 0, "R7", false, 0, "ELEM"), 5, {"7-71001-0"}},
      {"SELPA unit district with two regions", As(3, 7, 71005, 0, "R7", true), 5, r7AndR8},
      {"SELPA unit district with none, region with an apostrophe", As(3, 9, 91001, 0, "O'Hara", true), 5,
       {"9-91005-0", "9-91001-0"}},
      {"charter school", As(4, 7, 71002, 7100202), 4, {"7-71002-7100202"}},
      {"SELPA across counties", As(5, 7, 71005, 0, "R7"), 5, wholeR7},
      {"SELPA of the region with an apostrophe", As(5, 9, 91005, 0, "O'Hara"), 5, {"9-91005-0", "9-91001-0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LogOn(c.logon);
    modGlobals::gobjGlobalParam->UserGroup = c.kind;
    frmMain& w = Open();
    EXPECT_EQ(ListedAgencies(), c.rows);
    const bool none = c.rows.empty(), several = c.rows.size() > 1;
    for (int i : {2, 3}) {
      EXPECT_EQ(w.cmdSelection[i]->isEnabled(), !none) << "button " << i;
      EXPECT_EQ(!w.cmdSelection[i]->isHidden(), several) << "button " << i;
    }
    if (c.kind == 5) {
      EXPECT_EQ(VisibleColumns(), (Names{"SELECTED", "COUNTY_ID", "DISTRICT_ID", "COUNTY_NAME", "DISTRICT_NAME",
                                         "SELPA_NAME", "SELPA_COUNTY", "SELPA_ID"}));
    }
    delete window_.data();
  }
}

// --- The current agency -----------------------------------------------------------------

TEST_F(MainWindowTest, TheFirstRowBecomesTheCurrentAgencyWithItsDistrictType) {
  struct Case {
    const char* what;
    Logon logon;
    std::int32_t kind;
    const char* districtType;
    std::int32_t district;
  };
  const Case cases[] = {
      {"district kind keeps four characters", As(3, 7, 71001), 3, "ELEM", 71001},
      {"SELPA kind keeps the whole text", As(3, 7, 71001, 0, "R7", false, 0, "ELEM"), 5, "ELEMENTARY", 71001},
      {"a district without a type", As(3, 7, 71002), 3, "", 71002},
      {"a charter school", As(4, 7, 71002, 7100201), 4, "CHARTER", 71002},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LogOn(c.logon);
    modGlobals::gobjGlobalParam->UserGroup = c.kind;
    modGlobals::gobjGlobalParam->DistrictType = "stale";
    Open();
    EXPECT_EQ(modGlobals::gobjGlobalParam->DistrictType, c.districtType);
    EXPECT_EQ(modGlobals::gobjGlobalParam->DistrictID, c.district);
    delete window_.data();
  }
}

TEST_F(MainWindowTest, TheUsersRowChangeMakesThatAgencyCurrentOnceAndABatchWalkNone) {
  LogOn({});
  modGlobals::gobjGlobalParam->UserGroup = 5;
  frmMain& w = Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  const db::RecordsetPtr rs = w.dgLEA->DataSource();
  int moves = 0;
  rs->AddMoveHandler([&](db::Recordset&, db::MoveReason) { ++moves; });
  clsGlobalParam& P = *modGlobals::gobjGlobalParam;
  EXPECT_EQ(P.DistrictID, 71005) << "the first row";

  w.dgLEA->setCurrentIndex(w.dgLEA->model()->index(2, 2));
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(P.DistrictID, 71001);
  EXPECT_EQ(P.DistrictName, "Acorn Elementary");

  // A press on a record selector: that row, and no current column.
  ClickRecordSelector(*w.dgLEA, 4);
  EXPECT_EQ(w.dgLEA->Col(), -1);
  EXPECT_EQ(P.DistrictID, 10080);
  EXPECT_EQ(P.CountyID, 8);
  EXPECT_EQ(P.LocCountyID, 8);

  w.mblnLEABathMode = true;
  rs->MoveFirst();
  rs->MoveLast();
  EXPECT_EQ(P.DistrictID, 10080) << "the walk changes no current agency";
  w.mblnLEABathMode = false;
}

TEST_F(MainWindowTest, AnEmptyListLeavesTheCurrentAgencyAsItWas) {
  LogOn(As(2, 6, 10060));
  modGlobals::gobjGlobalParam->DistrictName = "before";
  frmMain& w = Open();
  EXPECT_TRUE(ListedAgencies().empty());
  EXPECT_EQ(w.dgLEA->Row(), -1);
  EXPECT_EQ(modGlobals::gobjGlobalParam->DistrictID, 10060);
  EXPECT_EQ(modGlobals::gobjGlobalParam->DistrictName, "before");
}

TEST_F(MainWindowTest, ASelectedAgencyIsStoredAtOnce) {
  LogOn(As(3, 7, 71002));
  modGlobals::gobjGlobalParam->UserGroup = 4;
  frmMain& w = Open();
  const db::RecordsetPtr rs = w.dgLEA->DataSource();
  rs->MoveLast();
  rs->SetValue("SELECTED", vb::Variant("Yes"));
  rs->Update();
  EXPECT_EQ(vb::CStr(OpenDatabase()->Scalar("SELECT SELECTED FROM KRN_LEAS WHERE SCHOOL_ID = 7100202")), "Yes");
}

// --- Leaving -------------------------------------------------------------------------

TEST_F(MainWindowTest, LeavingClearsTheSelectionsOfTheLogonScope) {
  struct Case {
    const char* who;
    Logon logon;
    Names cleared;  // agencies whose flag is 'No' afterwards
  };
  const Case cases[] = {
      {"district, across counties", As(3, 7, 71002), {"7-71002-0", "7-71002-7100201", "7-71002-7100202", "8-71002-0"}},
      {"charter school", As(4, 7, 71002, 7100202), {"7-71002-7100202"}},
      {"county office, every year",
       As(2, 7, 10070),
       {"7-10070-0", "7-10070-0", "7-71001-0", "7-71002-0", "7-71002-7100201", "7-71002-7100202", "7-71005-0"}},
      {"SELPA", As(5, 7, 71005, 0, "R7"), {}},
      {"county auditor", As(7, 7, 10070), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.who);
    SelectEverything();
    LogOn(c.logon);
    modGlobals::gobjAdoUtils = std::make_unique<clsMyAdoUtils>();
    frmMain& w = Open();
    try {
      w.mnuNew_Exit_Click();
      ADD_FAILURE() << "Exit ends the program";
    } catch (const vb::ProgramEnded& ended) {
      EXPECT_EQ(ended.exitCode, 0);
    }
    const db::RecordsetPtr cleared = db::Recordset::Query(
        "SELECT COUNTY_ID || '-' || SCHOOL_DISTRICT_ID || '-' || SCHOOL_ID AS K FROM KRN_LEAS WHERE SELECTED = 'No' "
        "ORDER BY K",
        OpenDatabase());
    Names keys;
    for (; !cleared->Eof(); cleared->MoveNext()) keys.push_back(vb::CStr(cleared->Value("K")));
    Names expected = c.cleared;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(vb::CLng(OpenDatabase()->Scalar("SELECT COUNT(*) FROM VHO_TORB_FORMS WHERE SELECTED <> 'No'")), 0);
    EXPECT_FALSE(modGlobals::gobjAdoUtils) << "the connection is closed and released";
    delete window_.data();
  }
}

TEST_F(MainWindowTest, ExitAndTheCloseBoxEndTheProgramWithZero) {
  const std::function<void(frmMain&)> ways[] = {[](frmMain& w) { w.Menus().Click("mnuNew_Exit"); },
                                                [](frmMain& w) { w.close(); }};
  for (const auto& leave : ways) {
    LogOn({});
    modGlobals::gobjAdoUtils = std::make_unique<clsMyAdoUtils>();
    frmMain& w = Open();
    try {
      leave(w);
      ADD_FAILURE() << "the program goes on";
    } catch (const vb::ProgramEnded& ended) {
      EXPECT_EQ(ended.exitCode, 0);
    }
    delete window_.data();
  }
}

TEST_F(MainWindowTest, HelpOpensTheHelpPageOfTheSetHostFromAnywhereInTheWindow) {
  RecordingShell shell;
  LogOn({});
  frmMain& w = Open();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  w.dgLEA->setFocus();
  QTest::keyClick(w.dgLEA, Qt::Key_F1);
  ui::SaveSetting("VHO-KRN", "Setting", "HelpHost", "help.levrona.test");
  w.Menus().Click("mnuHelp_Help");
  EXPECT_EQ(shell.urls, (Names{"http://www.levrona.example/fg/sf/tc/tax1920.asp",
                               "http://help.levrona.test/fg/sf/tc/tax1920.asp"}));
}

TEST_F(MainWindowTest, HelpThatCannotOpenItsPageSaysSo) {
  RecordingShell shell(false);
  LogOn({});
  frmMain& w = Open();
  dialogs_.AnswerMsgBox(ui::vbOK);
  w.Menus().Click("mnuHelp_Help");
  EXPECT_EQ(dialogs_.LastPrompt().text, "The page http://www.levrona.example/fg/sf/tc/tax1920.asp could not be opened.");
}

TEST_F(MainWindowTest, AboutShowsTheAboutBoxModally) {
  LogOn({});
  frmMain& w = Open();
  std::string shown;
  dialogs_.AnswerModal([&](QWidget& box) {
    shown = box.objectName().toStdString();
    return 1;
  });
  w.Menus().Click("mnuHelp_About");
  EXPECT_EQ(shown, "frmAbout");
}

// The exchange and printing are not in this version: their commands say so
// rather than doing nothing.
TEST_F(MainWindowTest, CommandsThisVersionLacksTellTheUser) {
  LogOn({});
  frmMain& w = Open();
  const std::pair<const char*, const char*> cases[] = {
      {"mnuNew_ImportASCII", "Importing ASCII files"},
      {"mnuNew_ExportASCII", "Exporting ASCII files"},
      {"mnuNew_ExportCertified", "Exporting certified data"},
      {"mnuNew_Reports", "Printing"},
      {"mnuNew_Certification", "Printing"},
      {"mnunew_BlankCert", "Printing"},
      {"mnu_Coe_Certification", "Printing"},
      {"mnuNew_SummaryPrint", "Printing"},
      {"mnuCertCounty", "Printing"},
      {"mnuCertTax", "Printing"},
      {"mnuUploadCertifiedData", "Uploading certified data"},
  };
  for (const auto& [item, what] : cases) {
    dialogs_.ClearPrompts();
    dialogs_.AnswerMsgBox(ui::vbOK);
    w.Menus().Click(item);
    ASSERT_EQ(dialogs_.Prompts().size(), 1u) << item;
    EXPECT_EQ(dialogs_.LastPrompt().text, std::string(what) + " is not available in this version.") << item;
    EXPECT_EQ(ui::IconOf(dialogs_.LastPrompt().style), ui::vbInformation) << item;
  }
}

TEST_F(MainWindowTest, PrinterSetUpChoosesThePrinterOfTheJobs) {
  LogOn({});
  frmMain& w = Open();
  const std::string before = ui::JobPrinter();
  dialogs_.AnswerPrinter(ui::PdfPrinterName);
  w.Menus().Click("mnuNew_PrinterSetup");
  EXPECT_EQ(dialogs_.LastPrompt().kind, "ChoosePrinter");
  EXPECT_EQ(ui::JobPrinter(), ui::PdfPrinterName);
  ui::SetJobPrinter(before);
}

}  // namespace

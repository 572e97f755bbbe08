// A click in the entry-screen list: opening an entry screen (the tax form
// through a scripted stand-in window), the certificate number read from its
// hexadecimal text, the opening's notices, the selection column, and the
// prior-year correction reason of the correction column.

#include <gtest/gtest.h>

#include <QDialog>

#include "MainWindowFixture.h"
#include "ScriptedSeams.h"
#include "modCOECorrection.h"
#include "modGlobals.h"
#include "vb/Conversions.h"

namespace {

const clsGlobalParam& Params() { return *modGlobals::gobjGlobalParam; }

// The value of a column of the entry-screen grid's current row.
std::string Shown(frmMain& w, const char* column) { return w.dgForms->Columns(column).Text(); }

// A stand-in for the tax form's window, counted as it is made.
frmMain::WindowMaker CountedWindow(int& made) {
  return [&made] {
    ++made;
    return std::make_unique<QDialog>();
  };
}

// --- The main road ------------------------------------------------------------------

TEST_F(MainWindowTest, TheTaxFormOpensModalAndTheListsShowItsNewStatusWhenItCloses) {
  UseFormCatalogue();
  AddStatus(7, 10070, 0, 2, 29, "CERTIFICATE_NUMBER, NUM_RECORD", "-1, 2");
  LogOn({});
  ScriptedClock clock;
  int made = 0;
  frmMain::SetTaxWindow(CountedWindow(made));
  frmMain& w = Open();
  ClickRecordSelector(*w.dgLEA, 0);
  ASSERT_TRUE(w.dgForms->isEnabled());

  dialogs_.AnswerModal([&](QWidget&) {
    EXPECT_EQ(Params().formname, "Tax");
    EXPECT_EQ(Params().FormNo, 29);
    EXPECT_EQ(Params().CertKey, -1);
    EXPECT_EQ(Params().NumRecord, 2);
    EXPECT_FALSE(w.isEnabled());
    // The tax form saves: a new certificate and one more record.
    Execute("UPDATE LEA_FORMS_STATUS SET CERTIFICATE_NUMBER = 255, NUM_RECORD = 3 WHERE FORM_NO = 29 AND PERIOD_ID = 2");
    return 1;
  });
  ClickRecordSelector(*w.dgForms, FormRow(29));

  EXPECT_EQ(made, 1);
  ASSERT_EQ(dialogs_.Prompts().size(), 1u) << "one modal window, no message";
  EXPECT_EQ(dialogs_.Prompts()[0].kind, "ShowModal");
  EXPECT_EQ(ListedForms()[static_cast<std::size_t>(w.dgForms->Row())], 29) << "the list stands on the form opened";
  EXPECT_EQ(Shown(w, "CERTIFICATE_NUMBER"), "000000FF");
  EXPECT_EQ(Shown(w, "NUM_RECORD"), "3");
  EXPECT_TRUE(w.isEnabled());
  EXPECT_EQ(w.dgLEA->Row(), 0);
  EXPECT_TRUE(w.dgLEA->selectionModel()->isRowSelected(0, {})) << "the agency row shows selected";
  EXPECT_EQ(w.dgLEA->Columns("DISTRICT_ID").Text(), "10070");
  EXPECT_EQ(WaitMessage(), "");
}

TEST_F(MainWindowTest, AnOpeningReadsANewStatusRowAsNoDataAndTheDistrictsAttributes) {
  UseFormCatalogue();
  Execute("UPDATE KRN_LEAS SET AllCharterDistrict = -1, ROCP = 12, ROCP_TYPE = NULL, ROCP_SMALL = 1, "
          "ExceptionAttCoe = 1 WHERE SCHOOL_DISTRICT_ID = 10070 AND FISCAL_YEAR = 2019");
  LogOn({});
  ScriptedClock clock;
  int made = 0;
  frmMain::SetTaxWindow(CountedWindow(made));
  // What an earlier opening left behind.
  clsGlobalParam& P = *modGlobals::gobjGlobalParam;
  P.NumRecord = P.NumError = P.NumWarning = 9;
  P.LastModifiedDate = P.EditCheckDate = vb::Date{43000};
  P.RocpType = 4;
  frmMain& w = Open();  // the list adds the office's status rows, which hold no counts or dates
  ClickRecordSelector(*w.dgLEA, 0);
  dialogs_.AnswerModal([&](QWidget&) {
    EXPECT_EQ(P.NumRecord, 0);
    EXPECT_EQ(P.NumError, 0);
    EXPECT_EQ(P.NumWarning, 0);
    EXPECT_EQ(P.LastModifiedDate.serial, 0);
    EXPECT_EQ(P.EditCheckDate.serial, 0);
    EXPECT_EQ(P.CertKey, 0);
    EXPECT_TRUE(P.AllCharterDistrict);
    EXPECT_EQ(P.RocpId, 12);
    EXPECT_EQ(P.RocpType, 0);
    EXPECT_TRUE(P.SmallRocp);
    EXPECT_TRUE(P.AttCoeBlockRocp);
    return 1;
  });
  ClickRecordSelector(*w.dgForms, FormRow(29));
  EXPECT_EQ(made, 1);

  // A district without an open row keeps what the last opening set.
  Execute("UPDATE KRN_LEAS SET STAT_TYPE = 'CLOSED' WHERE SCHOOL_DISTRICT_ID = 10070");
  P.RocpId = 5;
  dialogs_.AnswerModal([&](QWidget&) {
    EXPECT_EQ(P.RocpId, 5);
    EXPECT_TRUE(P.AllCharterDistrict);
    return 1;
  });
  ClickRecordSelector(*w.dgForms, FormRow(29));
  dialogs_.ExpectAllUsed();
}

TEST(CertKeyOf, ReadsTheEightHexadecimalDigitsAsASigned32BitNumber) {
  const struct {
    vb::Variant text;
    std::int32_t key;
  } cases[] = {
      {vb::Variant("0000000A"), 10},
      {vb::Variant("7FFFFFFF"), 2147483647},
      {vb::Variant("FFFFFFFF"), -1},
      {vb::Variant("80000000"), -2147483647 - 1},
      {vb::Variant("00000000"), 0},
      {vb::Variant(" 000000ff "), 255},
      {vb::Variant("00G0000A"), 10},
      {vb::Variant(""), 0},
      {vb::Variant(vb::Null), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(frmMain::CertKeyOf(c.text), c.key) << vb::TextOf(c.text);
}

// --- Notices ----------------------------------------------------------------------------

TEST_F(MainWindowTest, EntryScreensWithoutAWindowOrNotApplicableOnlyTellTheUser) {
  UseFormCatalogue();
  AddAgencies();
  struct Case {
    const char* what;
    Logon logon;
    bool taxWindow;        // a tax window is installed
    const char* renamed;   // this form's name becomes "Tax" first
    int form;
    bool clearSchool;      // no charter school taken up
    const char* message;
  };
  const Case cases[] = {
      {"another entry screen", As(2, 7, 10070), true, nullptr, 27, false, "Screen EDS_CS currently under process"},
      {"the tax form without its window", As(2, 7, 10070), false, nullptr, 29, false,
       "Screen Tax currently under process"},
      {"the tax form of a district", As(3, 7, 71001), true, "21", 21, false,
       "This entry screen is not applicable for Acorn Elementary"},
      {"the tax form of a charter school", As(4, 7, 71002, 7100201), true, "41", 41, false,
       "This entry screen is not applicable for Brook Charter"},
      {"no charter school taken up", As(4, 7, 71002, 7100201), true, nullptr, 41, true, "Please re-select the LEA."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UseFormCatalogue();
    if (c.renamed) Execute(std::string("UPDATE VHO_TORB_FORMS SET FORM_NAME = 'Tax' WHERE FORM_NO = ") + c.renamed);
    int made = 0;
    frmMain::SetTaxWindow(c.taxWindow ? CountedWindow(made) : frmMain::WindowMaker());
    LogOn(c.logon);
    frmMain& w = Open();
    ClickRecordSelector(*w.dgLEA, 0);
    if (c.clearSchool) modGlobals::gobjGlobalParam->SchoolName.clear();
    dialogs_.ClearPrompts();
    dialogs_.AnswerMsgBox(ui::vbOK);
    ClickRecordSelector(*w.dgForms, FormRow(c.form));
    ASSERT_EQ(dialogs_.Prompts().size(), 1u);
    EXPECT_EQ(dialogs_.LastPrompt().text, c.message);
    EXPECT_EQ(ui::IconOf(dialogs_.LastPrompt().style), ui::vbInformation);
    EXPECT_EQ(made, 0);
    EXPECT_TRUE(w.isEnabled());
    delete window_.data();
  }
}

TEST_F(MainWindowTest, AnEntryScreenWithoutAWindowOfItsOwnOnlyRefreshesTheLists) {
  UseFormCatalogue();
  Execute("UPDATE VHO_TORB_FORMS SET FORM_NAME = 'brl_sd_csp_new' WHERE FORM_NO = 21");
  LogOn(As(3, 7, 71001));
  ScriptedClock clock;
  int made = 0;
  frmMain::SetTaxWindow(CountedWindow(made));
  frmMain& w = Open();
  ClickRecordSelector(*w.dgLEA, 0);
  Execute("UPDATE LEA_FORMS_STATUS SET NUM_RECORD = 6 WHERE FORM_NO = 21");
  ClickRecordSelector(*w.dgForms, FormRow(21));
  EXPECT_TRUE(dialogs_.Prompts().empty()) << "no window and no message";
  EXPECT_EQ(made, 0);
  EXPECT_EQ(Params().formname, "brl_sd_csp_new");
  EXPECT_EQ(Shown(w, "NUM_RECORD"), "6") << "the lists are read again";
  EXPECT_TRUE(w.isEnabled());
  EXPECT_EQ(WaitMessage(), "");
}

// --- The selection column ---------------------------------------------------------------

TEST_F(MainWindowTest, TheSelectionColumnFlipsOnlyYesAndNoAndStoresTheFlag) {
  UseFormCatalogue();
  Execute("UPDATE VHO_TORB_FORMS SET SELECTED = CASE FORM_NO WHEN 29 THEN 'No' WHEN 27 THEN 'Maybe' ELSE 'Yes' END");
  LogOn({});
  frmMain& w = Open();
  ClickRecordSelector(*w.dgLEA, 0);
  const std::string stored = "SELECT SELECTED FROM VHO_TORB_FORMS WHERE FORM_NO = ";
  for (const char* flips : {"Yes", "No"}) {
    ClickCell(*w.dgForms, FormRow(29), 0);
    EXPECT_EQ(Scalar(stored + "29"), flips);
    EXPECT_EQ(Shown(w, "SELECTED"), flips);
    EXPECT_EQ(modGlobals::gintSavedFormRow, FormRow(29) + 1);
  }
  ClickCell(*w.dgForms, FormRow(27), 0);
  EXPECT_EQ(Scalar(stored + "27"), "Maybe");
  EXPECT_EQ(modGlobals::gintSavedFormRow, FormRow(27) + 1) << "the row is still saved";
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

// --- The correction column --------------------------------------------------------------

TEST_F(MainWindowTest, ACorrectionReasonMarksTheFormAndTheOfficeUntilAnotherPeriodRollsItBack) {
  UseFormCatalogue();
  AddStatus(7, 10070, 0, 3, 29, "NUM_RECORD", "2");
  AddStatus(7, 10070, 0, 3, 32, "NUM_RECORD", "0");
  LogOn({});
  frmMain& w = Open();
  w.Menus().Click("mnu_PY_Annual");
  EXPECT_TRUE(w.windowTitle().endsWith("\\ Annual Correction"));
  EXPECT_EQ(Scalar("SELECT PeriodID FROM ReportPeriod"), "PY_ANNUAL");
  ClickRecordSelector(*w.dgLEA, 0);
  ASSERT_EQ(ListedForms(), (std::vector<int>{29, 32}));
  modCOE::SetCorrectionReasonWindow([] { return std::make_unique<QDialog>(); });
  const std::string office =
      "SELECT PY_LEA_CORRECTED FROM KRN_LEAS WHERE FISCAL_YEAR = 2019 AND SCHOOL_DISTRICT_ID = 10070";

  // A form without data rows has nothing to explain.
  ClickCell(*w.dgForms, FormRow(32), 2);
  EXPECT_TRUE(dialogs_.Prompts().empty());
  Execute("UPDATE LEA_FORMS_STATUS SET NUM_RECORD = 4 WHERE FORM_NO = 32");

  // The dialog saves a reason for the tax form.
  dialogs_.AnswerModal([&](QWidget&) {
    EXPECT_EQ(modGlobals::gintCorrectionFormNo, 29);
    EXPECT_EQ(modGlobals::gstrCorrectionNote, "");
    EXPECT_FALSE(modGlobals::gblnCorrectionPending) << "the user may close without a reason";
    Execute("UPDATE LEA_FORMS_STATUS SET PY_FORMS_CORRECTED = 'Yes', PY_CORRECTION_NOTE = 'Roll fixed', "
            "PY_REASON_CODE = 2 WHERE FORM_NO = 29 AND PERIOD_ID = 3");
    return 1;
  });
  ClickCell(*w.dgForms, FormRow(29), 2);
  EXPECT_EQ(Scalar(office), "Yes");
  EXPECT_EQ(w.dgLEA->Columns("CORRECTED").Text(), "Yes");
  EXPECT_EQ(ListedForms()[static_cast<std::size_t>(w.dgForms->Row())], 29) << "back on the form's row";
  EXPECT_EQ(Shown(w, "CORRECTED"), "Yes");
  EXPECT_EQ(WaitMessage(), "");

  // The corrected form starts from its reason; another form from none, even
  // when the dialog before left its note behind.
  dialogs_.AnswerModal([&](QWidget&) {
    EXPECT_EQ(modGlobals::gstrCorrectionNote, "Roll fixed");
    EXPECT_EQ(modGlobals::gintCorrectionReasonCode, 2);
    return 1;
  });
  ClickCell(*w.dgForms, FormRow(29), 2);
  dialogs_.AnswerModal([&](QWidget&) {
    EXPECT_EQ(modGlobals::gintCorrectionFormNo, 32);
    EXPECT_EQ(modGlobals::gstrCorrectionNote, "");
    EXPECT_EQ(modGlobals::gintCorrectionReasonCode, 0);
    return 1;
  });
  ClickCell(*w.dgForms, FormRow(32), 2);
  dialogs_.ExpectAllUsed();
  EXPECT_EQ(dialogs_.Prompts().size(), 3u);

  w.Menus().Click("mnuPeriod_P1");
  EXPECT_EQ(Scalar(office), "No");
  EXPECT_EQ(Scalar("SELECT PY_FORMS_CORRECTED FROM LEA_FORMS_STATUS WHERE FORM_NO = 29 AND PERIOD_ID = 3"), "Yes");
}

TEST_F(MainWindowTest, ACorrectionClosedWithoutSavingStillRollsTheOfficeFlagFromItsForms) {
  UseFormCatalogue();
  AddStatus(7, 10070, 0, 3, 29, "NUM_RECORD", "2");
  Execute("UPDATE KRN_LEAS SET PY_LEA_CORRECTED = 'Yes' WHERE SCHOOL_DISTRICT_ID = 10070");
  LogOn({});
  frmMain& w = Open();
  w.Menus().Click("mnu_PY_Annual");
  ClickRecordSelector(*w.dgLEA, 0);
  modCOE::SetCorrectionReasonWindow([] { return std::make_unique<QDialog>(); });
  dialogs_.AnswerModal([](QWidget&) { return 0; });
  ClickCell(*w.dgForms, FormRow(29), 2);
  EXPECT_EQ(Scalar("SELECT PY_LEA_CORRECTED FROM KRN_LEAS WHERE FISCAL_YEAR = 2019 AND SCHOOL_DISTRICT_ID = 10070"),
            "No");
  dialogs_.ExpectAllUsed();
}

}  // namespace

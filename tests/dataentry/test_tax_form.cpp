// The tax form as a county office uses it: opening, choosing the tax type,
// moving through the rows, adding, cancelling and deleting them, and the
// commands that refuse (print, copy) or hand over (notes, help).

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "TaxFormFixture.h"
#include "clsMyCRC32.h"
#include "ctlTax_1.h"
#include "frmFormNote.h"
#include "frmTaxCopy.h"
#include "modMainStart.h"
#include "numbox/CNumCtrl.h"
#include "ui/Settings.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

// The record commands' states, in the order First, Previous, Next, Last,
// Add New, Delete, Cancel, Save, menu Save; 1 enabled, 0 disabled.
std::string Commands(frmTax& f) {
  std::string states;
  for (QPushButton* button : {f.cmdMoveFirst, f.cmdMovePrevious, f.cmdMoveNext, f.cmdMoveLast, f.cmdAddNew,
                              f.cmdDelete, f.cmdCancel, f.cmdRecalculate})
    states += button->isEnabled() ? '1' : '0';
  states += f.Menus().Item("mnuFile_Save").Enabled() ? '1' : '0';
  return states;
}

std::string Position(frmTax& f) { return f.Text2->text().toStdString(); }

// --- Opening -----------------------------------------------------------------------------

TEST_F(TaxFormTest, OpensWithNoTypeChosenAndTheRecordCommandsDisabled) {
  for (int period : {1, 2, 3}) {
    SCOPED_TRACE(period);
    gp().ReportPeriod = period;
    frmTax& f = Open();
    EXPECT_EQ(f.windowTitle().toStdString(),
              "Property Tax \\ 2019-20 \\ P-2 \\ Juniper County \\ Larkspur Unified");
    EXPECT_EQ(f.size(), QSize(840, 620));
    EXPECT_EQ(f.GParam->DistrictID, kAgency) << "the agency is the main window's current row";
    EXPECT_EQ(modGlobals::gstrCurrentForm, "Tax");
    EXPECT_EQ(f.cboTaxType->currentIndex(), -1);
    EXPECT_TRUE(f.cboTaxType->isEnabled());
    EXPECT_FALSE(f.ctlTax_11->isEnabled());
    EXPECT_EQ(Commands(f), "000000000");
    EXPECT_FALSE(f.cmdEditCheck->isEnabled());
    EXPECT_FALSE(f.Menus().Item("mnuFile_SaveAndCheck").Enabled());
    EXPECT_TRUE(f.cmdClose->isEnabled());
    EXPECT_EQ(f.Menus().Item("mnuCopy").Enabled(), period == 2);
    EXPECT_TRUE(f.isEnabled());
  }
  EXPECT_TRUE(TakeMessages().empty());
}

// --- Choosing the type, adding and saving ---------------------------------------------------

TEST_F(TaxFormTest, ACountyRowIsAddedSavedRecalculatedKeyedAndCertified) {
  frmTax& f = Open();
  AcknowledgeMessages(1);
  ChooseType("County");
  EXPECT_EQ(TakeMessages(), Texts{"Click Add New to add a new record"});
  EXPECT_EQ(Position(f), " 0 of 0 ");
  EXPECT_EQ(Commands(f), "000010000");

  AddNew(kCounty, kOffice);
  EXPECT_TRUE(f.NewRecordPending());
  EXPECT_EQ(Position(f), "1 of 1");
  EXPECT_EQ(Commands(f), "000000111");
  // Until the first edit the type can still be chosen again, which gives
  // the new row up.
  EXPECT_TRUE(f.cboTaxType->isEnabled());
  EXPECT_TRUE(f.Menus().Item("mnuCopy").Enabled());
  EXPECT_EQ(f.ctlTax_11->lblDistrictName->text().toStdString(), "Juniper County Office of Education");
  Enter("Secured", "1000");
  Enter("Unsecured", "200");
  Enter("HOX", "30");
  EXPECT_TRUE(f.Dirty());
  EXPECT_FALSE(f.cboTaxType->isEnabled());

  clock_.Advance(3600);
  f.cmdRecalculate->click();
  EXPECT_TRUE(TakeMessages().empty());
  EXPECT_FALSE(f.Dirty());
  EXPECT_FALSE(f.NewRecordPending());
  EXPECT_EQ(TaxRows(), Texts{"19/10199/0: 1000 200 30 1230"});
  auto row = db::Recordset::Query("select * from Tax", modGlobals::SharedConnection());
  EXPECT_EQ(vb::TextOf(row->Value("ResCountyName")), "Juniper County");
  EXPECT_EQ(vb::TextOf(row->Value("ResSchoolDistName")), "Juniper County Office of Education");
  EXPECT_EQ(vb::TextOf(row->Value("ResDistrictType")), "CO OFFICE");
  EXPECT_EQ(vb::TextOf(row->Value("Explanation")), " ");

  // The row key hashes the row's values in column order; the certificate
  // hashes the keys of all the agency's rows.
  const std::string rowText = std::string("2019") + "2" + "19" + "64733" + "0" + "19" + "10199" + "0" +
                              "Juniper County" + "Juniper County Office of Education" + "CO OFFICE" + "1000" + "200" +
                              "30" + "0000000" + "1230" + "00000" + " ";
  const std::int32_t key = CertKeyOf(kCounty, kOffice, 0);
  EXPECT_EQ(key, clsMyCRC32().GetCRC32(rowText));
  const std::string saved = ClockText(clock_.Now());
  EXPECT_EQ(StatusRow(), (Texts{std::to_string(clsMyCRC32().GetCRC32(std::to_string(key))), "1", "0", "0", saved,
                                saved, "0", "No"}));
  // The certificate (BDF18DB8) that the form operations' own test gets for
  // the same row without a window (tests/forms/test_tax_save_data.cpp).
  EXPECT_EQ(StatusRow().at(0), "-1108243016");

  EXPECT_EQ(Position(f), "1 of 1");
  EXPECT_EQ(Commands(f), "000011111");
  EXPECT_EQ(Shown("Total"), "1,230");
  EXPECT_TRUE(f.cboTaxType->isEnabled());
  EXPECT_TRUE(f.Menus().Item("mnuCopy").Enabled());
}

TEST_F(TaxFormTest, TheCertificateCoversBothTypesInKeyOrderWhicheverTypeIsShown) {
  frmTax& f = Open();
  auto addRow = [&](const char* type, int resDistrict, const char* secured) {
    AcknowledgeMessages(1);  // the type has no row yet
    ChooseType(type);
    AddNew(kCounty, resDistrict);
    Enter("Secured", secured);
    f.cmdRecalculate->click();
  };
  auto certificateOfBoth = [&] {
    return std::to_string(clsMyCRC32().GetCRC32(std::to_string(CertKeyOf(kCounty, kOffice, 0)) +
                                                std::to_string(CertKeyOf(kCounty, kAgency, 1))));
  };
  // The district row's keys come after the county row's.
  addRow("District", kAgency, "70");
  addRow("County", kOffice, "500");
  EXPECT_EQ(TakeMessages(), (Texts{"Click Add New to add a new record", "Click Add New to add a new record"}));
  EXPECT_EQ(TaxRows(), (Texts{"19/10199/0: 500 0 0 500", "19/64733/1: 70 0 0 70"}));
  EXPECT_EQ(StatusRow().at(0), certificateOfBoth());
  EXPECT_EQ(StatusRow().at(1), "2");

  ChooseType("District");
  EXPECT_EQ(Position(f), "1 of 1");
  Enter("Unsecured", "5");
  f.mnuFile_Save_Click();
  EXPECT_EQ(TaxRows(), (Texts{"19/10199/0: 500 0 0 500", "19/64733/1: 70 5 0 75"}));
  EXPECT_EQ(StatusRow().at(0), certificateOfBoth());
  EXPECT_EQ(StatusRow().at(1), "2");
  EXPECT_TRUE(TakeMessages().empty());
}

// --- Moving --------------------------------------------------------------------------------

TEST_F(TaxFormTest, MovesShowTheRowAndEnableOnlyTheMovesThatStayInside) {
  StoreTaxRow(kCounty, kOffice, 0, 100);
  StoreTaxRow(6, 61500, 0, 200);
  StoreTaxRow(kCounty, kAgency, 0, 300);
  StoreTaxRow(kCounty, kAgency, 1, 400);  // the other type is not shown
  frmTax& f = Open();
  ChooseType("County");
  struct Step {
    QPushButton* Ui::frmTax::*button;
    const char* position;
    const char* commands;
    const char* secured;
  };
  // The rows come in key order.
  const Step steps[] = {
      {nullptr, "1 of 3", "001111111", "200"},
      {&Ui::frmTax::cmdMoveNext, "2 of 3", "111111111", "100"},
      {&Ui::frmTax::cmdMoveLast, "3 of 3", "110011111", "300"},
      {&Ui::frmTax::cmdMovePrevious, "2 of 3", "111111111", "100"},
      {&Ui::frmTax::cmdMoveFirst, "1 of 3", "001111111", "200"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.position);
    if (step.button) (f.*step.button)->click();
    EXPECT_EQ(Position(f), step.position);
    EXPECT_EQ(Commands(f), step.commands);
    EXPECT_EQ(Shown("Secured"), step.secured);
    EXPECT_FALSE(f.Dirty());
  }
  // The residence of the row shown, with its directory name.
  EXPECT_EQ(f.ctlTax_11->lblCountyID->text().toStdString(), "06");
  EXPECT_EQ(f.ctlTax_11->lblDistrictName->text().toStdString(), "Fenwick Valley Elementary");
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(TaxFormTest, AnEditTurnsNavigationOffUntilSaveOrCancel) {
  StoreTaxRow(kCounty, kOffice, 0, 100);
  StoreTaxRow(kCounty, kAgency, 0, 300);
  frmTax& f = Open();
  ChooseType("County");
  Enter("HOX", "9");
  EXPECT_TRUE(f.Dirty());
  EXPECT_EQ(Commands(f), "000000111");
  EXPECT_FALSE(f.cboTaxType->isEnabled());
  EXPECT_FALSE(f.Menus().Item("mnuCopy").Enabled());

  f.cmdCancel->click();
  EXPECT_FALSE(f.Dirty());
  EXPECT_EQ(Shown("HOX"), "0") << "the stored row is shown again";
  EXPECT_EQ(Commands(f), "001111111");
  EXPECT_TRUE(f.cboTaxType->isEnabled());
  EXPECT_TRUE(f.Menus().Item("mnuCopy").Enabled());
  EXPECT_EQ(TaxRows(), (Texts{"19/10199/0: 100 0 0 100", "19/64733/0: 300 0 0 300"}));
}

// --- Adding ----------------------------------------------------------------------------------

TEST_F(TaxFormTest, ACancelledNewRecordDialogChangesNothing) {
  StoreTaxRow(kCounty, kOffice, 0, 100);
  frmTax& f = Open();
  ChooseType("County");
  AddNew(0, 0);
  EXPECT_TRUE(TakeMessages().empty());
  EXPECT_FALSE(f.NewRecordPending());
  EXPECT_EQ(Position(f), "1 of 1");
  EXPECT_EQ(Commands(f), "000011111");
  EXPECT_EQ(Shown("Secured"), "100");
}

// Cancel and a new choice of type give a new row that waits for its save
// up: the next save writes the row shown.
TEST_F(TaxFormTest, CancelAndATypeChoiceGiveUpTheNewRow) {
  StoreTaxRow(kCounty, kOffice, 0, 100);
  frmTax& f = Open();
  ChooseType("County");

  AddNew(6, 10600);
  ASSERT_TRUE(f.NewRecordPending());
  f.cmdCancel->click();
  EXPECT_FALSE(f.NewRecordPending());
  EXPECT_EQ(modGlobals::glngNewResCountyID, 0);
  EXPECT_EQ(modGlobals::glngNewResDistrictID, 0);
  EXPECT_EQ(Position(f), "1 of 1");
  EXPECT_EQ(Shown("Secured"), "100");
  Enter("Secured", "150");
  f.cmdRecalculate->click();
  EXPECT_EQ(TaxRows(), Texts{"19/10199/0: 150 0 0 150"});

  AddNew(6, 10600);
  ChooseType("County");
  EXPECT_FALSE(f.NewRecordPending());
  Enter("Unsecured", "1");
  f.cmdRecalculate->click();
  EXPECT_EQ(TaxRows(), Texts{"19/10199/0: 150 1 0 151"});
  EXPECT_TRUE(TakeMessages().empty());
}

// --- Deleting ----------------------------------------------------------------------------------

TEST_F(TaxFormTest, DeletingKeepsTheStatusAndNotesUntilTheAgencyHasNoTaxRowLeft) {
  StoreTaxRow(kCounty, kOffice, 0, 100);
  StoreTaxRow(kCounty, kAgency, 1, 40);
  StoreNote();
  frmTax& f = Open();
  ChooseType("District");

  // No: nothing changes.
  dialogs_.AnswerMsgBox(ui::vbNo);
  f.cmdDelete->click();
  EXPECT_EQ(TaxRows().size(), 2u);
  ASSERT_EQ(dialogs_.LastPrompt().text, "Do you really want to delete?");
  EXPECT_EQ(dialogs_.LastPrompt().title, "Delete?");
  EXPECT_EQ(dialogs_.LastPrompt().style, ui::vbYesNo + ui::vbQuestion);
  TakeMessages();

  // The shown type's last row: the status covers the other type's row and
  // the notes stay.
  dialogs_.AnswerMsgBox(ui::vbYes);
  AcknowledgeMessages(1);
  clock_.Advance(60);
  f.cmdDelete->click();
  EXPECT_EQ(TakeMessages(), (Texts{"Do you really want to delete?", "Click Add New to add a new record"}));
  EXPECT_EQ(TaxRows(), Texts{"19/10199/0: 100 0 0 100"});
  const std::string when = ClockText(clock_.Now());
  EXPECT_EQ(StatusRow(), (Texts{"0", "1", "0", "0", when, when, "0", "No"}))
      << "the stored row has no key: it counts as the empty text";
  EXPECT_EQ(Notes(), 1);
  EXPECT_EQ(Position(f), " 0 of 0 ");
  EXPECT_EQ(Commands(f), "000010000");
  EXPECT_FALSE(f.ctlTax_11->isEnabled());

  // The agency's last row: the status is cleared and the notes go.
  ChooseType("County");
  dialogs_.AnswerMsgBox(ui::vbYes);
  AcknowledgeMessages(1);
  f.cmdDelete->click();
  EXPECT_TRUE(TaxRows().empty());
  EXPECT_EQ(StatusRow(), (Texts{"Null", "Null", "Null", "Null", "Null", "Null", "0", "No"}));
  EXPECT_EQ(Notes(), 0);

  // Nothing left to delete.
  TakeMessages();
  AcknowledgeMessages(1);
  f.cmdDelete_Click();
  EXPECT_EQ(TakeMessages(), Texts{"No record(s) to delete"});
}

TEST_F(TaxFormTest, DeletingOneOfSeveralRowsShowsTheFirstRowLeft) {
  StoreTaxRow(kCounty, kOffice, 0, 100);
  StoreTaxRow(6, 61500, 0, 200);
  StoreTaxRow(kCounty, kAgency, 0, 300);
  frmTax& f = Open();
  ChooseType("County");
  f.cmdMoveLast->click();
  dialogs_.AnswerMsgBox(ui::vbYes);
  f.cmdDelete->click();
  EXPECT_EQ(TaxRows(), (Texts{"6/61500/0: 200 0 0 200", "19/10199/0: 100 0 0 100"}));
  EXPECT_EQ(Position(f), "1 of 2");
  EXPECT_EQ(Shown("Secured"), "200");
  EXPECT_EQ(StatusRow().at(1), "2");
  EXPECT_FALSE(f.Dirty());
}

// --- The focus -------------------------------------------------------------------------------------

namespace {

// The last amount line that Tab reaches.
QWidget* LastLine(frmTax& f) {
  QWidget* last = nullptr;
  for (QWidget* w = f.ctlTax_11->Field("Secured"); w != f.ctlTax_11->txtDUMMYOnReachEndFocus; w = w->nextInFocusChain())
    if (qobject_cast<numbox::CNumCtrl*>(w) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) last = w;
  return last;
}

// Names the widgets that Tab (or Shift+Tab) gives the focus to, one key
// press after another, from the first line until the focus is back on it
// (at most `limit` presses).
std::vector<std::string> Walk(frmTax& f, bool forwards, int limit) {
  QWidget* first = f.ctlTax_11->Field("Secured");
  first->setFocus(Qt::TabFocusReason);
  std::vector<std::string> visited;
  for (int i = 0; i < limit; ++i) {
    QTest::keyClick(QApplication::focusWidget(), forwards ? Qt::Key_Tab : Qt::Key_Backtab,
                    forwards ? Qt::NoModifier : Qt::ShiftModifier);
    QWidget* now = QApplication::focusWidget();
    visited.push_back(now ? now->objectName().toStdString() : "(none)");
    if (now == first) break;
  }
  return visited;
}

void ShowActive(frmTax& f) {
  f.show();
  QApplication::setActiveWindow(&f);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
}

}  // namespace

// Tab from the last line of either tax type, with the switcher showing its
// tab or its list, leaves the lines for the window's next control, the
// position text, and then the tax-type list; Shift+Tab from the first line
// reaches the last button. Add New puts the focus on the first line.
TEST_F(TaxFormTest, TabFromTheLastLineGoesOnToTheRestOfTheWindow) {
  StoreTaxRow(kCounty, kOffice, 0, 100);
  StoreTaxRow(kCounty, kAgency, 1, 200);
  frmTax& f = Open();
  ShowActive(f);
  struct Case {
    const char* type;
    bool list;  // the switcher shows its list
    const char* last;
  } cases[] = {{"County", false, "txtEstExcessERAF"},
               {"District", false, "txtRedevAgencyAssetLiquidation"},
               {"County", true, "txtEstExcessERAF"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.type) + (c.list ? ", list" : ", tab"));
    if (c.list) f.ctlTabCombo1->cmdCombo_Click();
    ChooseType(c.type);
    QWidget* last = LastLine(f);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->objectName().toStdString(), c.last);
    last->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f.Text2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f.cboTaxType);
    f.ctlTax_11->Field("Secured")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), f.cmdClose);
  }

  AddNew(6, 10600);
  EXPECT_EQ(QApplication::focusWidget(), f.ctlTax_11->Field("Secured"));
}

// A line that has the focus with its text selected and is given the value of
// another row selects the whole new value: a digit typed then replaces it.
TEST_F(TaxFormTest, ADigitTypedAfterTheTypeChangesReplacesTheShownValue) {
  StoreTaxRow(kCounty, kAgency, 1, 2000000);
  StoreTaxRow(kCounty, kOffice, 0, 9999999999.0);
  frmTax& f = Open();
  ShowActive(f);
  ChooseType("District");
  numbox::CNumCtrl* secured = f.ctlTax_11->Field("Secured");
  secured->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(secured->SelText(), "2000000");
  ChooseType("County");
  ASSERT_EQ(QApplication::focusWidget(), secured);
  EXPECT_EQ(secured->SelText(), "9999999999");
  QTest::keyClick(secured, Qt::Key_5);
  EXPECT_EQ(Shown("Secured"), "5");
  EXPECT_TRUE(f.Dirty());
}

// --- Print, copy, notes, help ----------------------------------------------------------------

TEST_F(TaxFormTest, PrintNeedsSavedValuesAndAModifiedStatusRow) {
  struct Printed {
    std::string table;
    bool entryScreen = false;
    std::string source;
    int county = 0;
  };
  std::vector<Printed> printed;
  modMain::SetFormPrinter([&](std::shared_ptr<clsGlobalParam>& param, const std::string& table, bool, bool) {
    printed.push_back({table, modGlobals::gblnEntryScreenPrint, modGlobals::gstrPrintSource, param->CountyID});
  });
  StoreTaxRow(kCounty, kOffice, 0, 100);
  frmTax& f = Open();
  ChooseType("County");

  AcknowledgeMessages(1);
  f.Menus().Click("mnuFile_Print");
  EXPECT_EQ(TakeMessages(), Texts{"No records to print"}) << "the status row has no modification date";

  Enter("Secured", "120");
  AcknowledgeMessages(1);
  f.Menus().Click("mnuFile_Print");
  EXPECT_EQ(TakeMessages(), Texts{"Current record not saved and cannot be printed"});
  EXPECT_TRUE(printed.empty());

  f.cmdRecalculate->click();
  f.Menus().Click("mnuFile_Print");
  ASSERT_EQ(printed.size(), 1u);
  EXPECT_EQ(printed[0].table, "Tax");
  EXPECT_TRUE(printed[0].entryScreen);
  EXPECT_EQ(printed[0].source, "Form");
  EXPECT_EQ(printed[0].county, kCounty);
  EXPECT_FALSE(modGlobals::gblnEntryScreenPrint);
  EXPECT_EQ(modGlobals::gstrPrintSource, "");
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(TaxFormTest, CopyNeedsP1RowsAndAsksForTheTypeAgainAfterACopy) {
  frmTax& f = Open();
  AcknowledgeMessages(1);
  f.Menus().Click("mnuCopy");
  EXPECT_EQ(TakeMessages(), Texts{"Data does not exist"});
  EXPECT_TRUE(f.isEnabled());

  Execute(
      "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
      " RES_SCHOOL_DISTRICT_ID, TaxType, Secured, Unsecured, HOX, Total)"
      " VALUES (2019, 1, 19, 64733, 0, 19, 10199, 0, 75, 0, 0, 75)");
  AcknowledgeMessages(1);  // the type has no P-2 row yet
  ChooseType("County");
  TakeMessages();
  dialogs_.AnswerModal([&](QWidget& window) {
    auto& copy = dynamic_cast<frmTaxCopy&>(window);
    copy.MoveAllSchoolsRightTax();
    AcknowledgeMessages(1);  // "Copy operation completed"
    copy.cmdAddNew_Click();
    copy.Unload();
    return 0;
  });
  AcknowledgeMessages(1);
  f.Menus().Click("mnuCopy");
  EXPECT_EQ(TakeMessages(),
            (Texts{"Copy operation completed", "Please refresh your screen by selecting Tax Type again"}));
  EXPECT_EQ(TaxRows(), Texts{"19/10199/0: 75 0 0 75"});
  EXPECT_EQ(Position(f), " 0 of 0 ") << "the form reloads nothing by itself";
  EXPECT_TRUE(f.isEnabled());
}

TEST_F(TaxFormTest, NotesAreTheAgencysTaxNotesAndHelpIsTheTaxPage) {
  frmTax& f = Open();
  dialogs_.AnswerModal([&](QWidget& window) {
    auto& notes = dynamic_cast<frmFormNote&>(window);
    EXPECT_EQ(notes.GParam(), f.GParam.get());
    notes.cmdClose_Click();
    return 0;
  });
  f.Menus().Click("mnuNote_Add");
  dialogs_.ExpectAllUsed();

  f.Menus().Click("mnuHelp_Help");
  ui::SaveSetting("VHO-KRN", "Setting", "HelpHost", "help.example.org");
  f.mnuHelp_Help_Click();
  EXPECT_EQ(shell_.urls, (Texts{"http://www.levrona.example/fg/sf/tc/tax1920.asp",
                                "http://help.example.org/fg/sf/tc/tax1920.asp"}));
}

}  // namespace


// With the keyboard alone Tab visits every line that takes it, the position
// text, the tax-type list, the switcher's shown chooser controls and every
// enabled button of the bottom bar, and comes back to the first line;
// Shift+Tab visits the same in reverse. For both tax types, with the
// switcher showing its tab strip or its list.
TEST_F(TaxFormTest, TabAndShiftTabCycleThroughEveryControlOfTheWindow) {
  StoreTaxRow(kCounty, kOffice, 0, 100);
  StoreTaxRow(kCounty, kAgency, 0, 300);
  StoreTaxRow(kCounty, kAgency, 1, 200);
  StoreTaxRow(6, 61500, 1, 400);
  frmTax& f = Open();
  ShowActive(f);
  struct Case {
    const char* type;
    bool list;      // the switcher shows its list
    bool lastRow;   // on the last row, so that First and Previous are enabled
  } cases[] = {{"County", false, false}, {"District", false, true}, {"County", true, true}, {"District", true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.type) + (c.list ? ", list" : ", tab"));
    if (c.list != (f.ctlTabCombo1->Mode() == "Combo")) {
      if (c.list) f.ctlTabCombo1->cmdCombo_Click();
      else f.ctlTabCombo1->cmdTab_Click();
    }
    ChooseType(c.type);
    if (c.lastRow) f.cmdMoveLast->click();

    std::vector<std::string> expected;
    for (QWidget* w = f.ctlTax_11->Field("Secured")->nextInFocusChain(); w != f.ctlTax_11->txtDUMMYOnReachEndFocus;
         w = w->nextInFocusChain())
      if (qobject_cast<numbox::CNumCtrl*>(w) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
        expected.push_back(w->objectName().toStdString());
    expected.insert(expected.end(), {"Text2", "cboTaxType"});
    if (c.list) expected.insert(expected.end(), {"cboCtl", "cmdTab"});
    else expected.push_back("cmdCombo");
    for (QPushButton* button : {f.cmdMoveFirst, f.cmdMovePrevious, f.cmdMoveNext, f.cmdMoveLast, f.cmdAddNew,
                                f.cmdDelete, f.cmdRecalculate, f.cmdEditCheck, f.cmdCancel, f.cmdClose})
      if (button->isEnabled()) expected.push_back(button->objectName().toStdString());
    if (c.lastRow) {
      EXPECT_TRUE(f.cmdMoveFirst->isEnabled() && f.cmdMovePrevious->isEnabled());
    }
    expected.push_back("txtSecured");

    const int limit = static_cast<int>(expected.size()) + 5;
    EXPECT_EQ(Walk(f, true, limit), expected);
    std::vector<std::string> backwards(expected.rbegin() + 1, expected.rend());
    backwards.push_back("txtSecured");
    EXPECT_EQ(Walk(f, false, limit), backwards);

    // A click on the switcher's tab still shows its entry and focuses the
    // first line.
    if (!c.list) {
      f.Text2->setFocus(Qt::TabFocusReason);
      QTest::mouseClick(f.ctlTabCombo1->tabCtl, Qt::LeftButton, {}, f.ctlTabCombo1->tabCtl->tabRect(0).center());
      QCoreApplication::processEvents();
      EXPECT_EQ(QApplication::focusWidget(), f.ctlTax_11->Field("Secured"));
    }
  }
}

// The start module's services: the test of the configured components, the
// wait box, the printer set-up, the form status and controls of a window
// that opens, and the notes window.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>

#include "ScriptedSeams.h"
#include "StartupFixture.h"
#include "clsMyAdoUtils.h"
#include "frmWait.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "ui/Printers.h"
#include "vb/Conversions.h"

namespace {

using ServicesTest = StartupTest;
using fixtures::AlderTaxForm;

TEST_F(ServicesTest, TheComponentTestShowsWhatIsMissingInOneBox) {
  EXPECT_TRUE(modMain::ComponentsAvailable(2019, 1));
  EXPECT_TRUE(dialogs_.Prompts().empty());

  Execute("DELETE FROM ComponentConfiguration WHERE ComponentTypeID = 2");
  dialogs_.AnswerMsgBox(ui::vbOK);
  EXPECT_FALSE(modMain::ComponentsAvailable(2019, 1));
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_EQ(dialogs_.LastPrompt().text, "No Calculation Component defined in database\r");
  EXPECT_EQ(dialogs_.LastPrompt().style, ui::vbExclamation + ui::vbOKOnly);
  EXPECT_EQ(dialogs_.LastPrompt().title, "Levrona");

  // Without the program's connection the configuration cannot be read.
  auto utils = std::move(modGlobals::gobjAdoUtils);
  dialogs_.AnswerMsgBox(ui::vbOK);
  EXPECT_FALSE(modMain::ComponentsAvailable(2019, 1));
  EXPECT_EQ(dialogs_.LastPrompt().text, "Unknown Error in ComponentStatus - 91");
  modGlobals::gobjAdoUtils = std::move(utils);
  dialogs_.ExpectAllUsed();
}

TEST_F(ServicesTest, WaitBoxShowsTheLatestTextUntilClosed) {
  ScriptedClock clock;
  modMain::ShowWaitMsg("Please wait...");
  frmWait& box = frmWait::Default();
  EXPECT_TRUE(box.isVisible());
  EXPECT_EQ(box.lblMsg->text().toStdString(), "Please wait...");
  EXPECT_EQ(clock.Turns(), 0) << "painted by the pump, which never rests on the clock";

  modMain::ShowWaitMsg("Logging Out...");
  EXPECT_EQ(&frmWait::Default(), &box) << "one shared box";
  EXPECT_EQ(box.lblMsg->text().toStdString(), "Logging Out...");

  QApplication::setOverrideCursor(Qt::WaitCursor);
  modMain::ShowWaitMsg("");
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(box.lblMsg->text().toStdString(), "");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the normal pointer is back";

  // Closing a box that is not shown is harmless.
  modMain::ShowWaitMsg("");
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(ServicesTest, PrinterSetupChoosesThePrinterOfTheProgramsJobs) {
  RecordingPrinters printers({"Office Laser", "Print to PDF"});
  ui::SetJobPrinter({});
  dialogs_.AnswerPrinter(std::string("Print to PDF"));
  modMain::ShowPrinterSetup();
  EXPECT_EQ(ui::JobPrinter(), "Print to PDF");

  dialogs_.AnswerPrinter(std::nullopt);  // cancelled: nothing changes
  modMain::ShowPrinterSetup();
  EXPECT_EQ(ui::JobPrinter(), "Print to PDF");
  ui::SetJobPrinter({});
  EXPECT_EQ(ui::JobPrinter(), "Office Laser");
}

TEST_F(ServicesTest, FormStatusOfTheOpeningWindow) {
  clsGlobalParam p = AlderTaxForm();
  p.NumRecord = 9;
  p.LastModifiedDate = vb::CDate(vb::Variant("1/2/2020"));
  modGlobals::gstrCurrentForm = "Some Window";

  // No status row: nothing counted, no dates.
  modMain::OnFormOpen(p);
  EXPECT_EQ(p.NumRecord, 0);
  EXPECT_EQ(p.NumError, 0);
  EXPECT_EQ(p.NumWarning, 0);
  EXPECT_EQ(p.LastModifiedDate.serial, 0.0);
  EXPECT_EQ(p.EditCheckDate.serial, 0.0);

  Execute("INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO, "
          "NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_MODIFIED_DATE, LAST_EDIT_CHECK_DATE) "
          "VALUES (2019, 2, 61, 10610, 0, 29, 3, 1, NULL, '2020-03-02 10:15:30', NULL)");
  modMain::OnFormOpen(p);
  EXPECT_EQ(p.NumRecord, 3);
  EXPECT_EQ(p.NumError, 1);
  EXPECT_EQ(p.NumWarning, 0) << "Null counts as 0";
  EXPECT_EQ(vb::Format(vb::Variant(p.LastModifiedDate), "m/d/yyyy hh:nn:ss"), "3/2/2020 10:15:30");
  EXPECT_EQ(p.EditCheckDate.serial, 0.0) << "a Null date is the zero date";

  // Another period of the same form has no row.
  p.ReportPeriod = 1;
  modMain::OnFormOpen(p);
  EXPECT_EQ(p.NumRecord, 0);
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(ServicesTest, MainWindowOpensWithNoEntryScreenOffered) {
  clsGlobalParam p = AlderTaxForm();
  mainWindow_->Load();
  mainWindow_->setEnabled(false);
  modGlobals::gstrCurrentForm = "frmMain";

  modMain::OnFormOpen(p);

  EXPECT_TRUE(mainWindow_->isEnabled());
  EXPECT_FALSE(mainWindow_->dgForms->isEnabled());
  for (QPushButton* button : mainWindow_->cmdSelection) EXPECT_FALSE(button->isEnabled());
  EXPECT_FALSE(mainWindow_->cmdSelection[2]->isHidden());
  EXPECT_FALSE(mainWindow_->cmdSelection[3]->isHidden());
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

// The contact registration window as far as the start module reaches it.
class StandInContactWindow final : public ui::Form {
 public:
  StandInContactWindow() {
    setObjectName("frmNewUser");
    cboUserGroup = new QComboBox(this);
    cboUserGroup->setObjectName("cboUserGroup");
  }
  QComboBox* cboUserGroup;
};

std::vector<std::string> Entries(const QComboBox& list) {
  std::vector<std::string> entries;
  for (int i = 0; i < list.count(); ++i) entries.push_back(list.itemText(i).toStdString());
  return entries;
}

TEST_F(ServicesTest, ContactWindowGetsTheCountyGroupsAndKeepsTheMainWindowAsIts) {
  struct {
    const char* window;
    bool groupsAdded;
    bool mainEnabledAfter;
  } const cases[] = {
      {"Update User", true, false},
      {"New User", true, true},
      {"Edit Contact", false, false},
  };
  mainWindow_->Load();
  for (const auto& c : cases) {
    StandInContactWindow contact;
    contact.Load();
    mainWindow_->setEnabled(true);
    modGlobals::gstrCurrentForm = c.window;
    clsGlobalParam p = AlderTaxForm();

    modMain::OnFormOpen(p);

    const std::vector<std::string> groups = {"County Office", "County Auditor"};
    EXPECT_EQ(Entries(*contact.cboUserGroup), c.groupsAdded ? groups : std::vector<std::string>()) << c.window;
    EXPECT_EQ(mainWindow_->isEnabled(), c.mainEnabledAfter) << c.window;
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

// The notes window as far as the start module drives it.
class StandInNotes final : public modMain::NotesWindow {
 public:
  void GParam(clsGlobalParam* param) override { param_ = param; }
  void RefreshData() override {
    refreshedFor = param_ ? param_->CountyID : -1;
    if (param_ && param_->ReportPeriod > 3) param_->ReportPeriod = 3;
  }
  int ShowModal() override {
    ++shown;
    return 0;
  }
  clsGlobalParam* param_ = nullptr;
  int refreshedFor = 0;
  int shown = 0;
};

TEST_F(ServicesTest, NotesWindowWorksOnTheCallersParameters) {
  StandInNotes notes;
  modMain::SetFormNoteWindow([&]() -> modMain::NotesWindow& { return notes; });
  clsGlobalParam p = AlderTaxForm();
  p.ReportPeriod = 7;

  modMain::ShowFormNote(p);

  EXPECT_EQ(notes.param_, &p);
  EXPECT_EQ(notes.refreshedFor, 61);
  EXPECT_EQ(notes.shown, 1);
  EXPECT_EQ(p.ReportPeriod, 3) << "changed on the caller's object";
}

}  // namespace

// The shared windows: status report, four-answer question, message box with
// a link, about box and wait message.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <QApplication>
#include <QKeyEvent>

#include "ScriptedSeams.h"
#include "TestEnvironment.h"
#include "Utilities.h"
#include "frmAbout.h"
#include "frmMessageBox.h"
#include "frmMsgBox.h"
#include "frmStatus.h"
#include "frmWait.h"
#include "modGlobals.h"
#include "ui/Settings.h"
#include "ui/Twips.h"

namespace {

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class SharedWindows : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    auto& gp = *modGlobals::gobjGlobalParam;
    gp.PeriodText = "P-2";
    gp.LogonCountyName = "Alameda";
    gp.LogonDistrictName = "Berkeley Unified";
    gp.SchoolName = "Oak Charter";
    modGlobals::gintMessageBoxAnswer = 0;
  }
};

TEST_F(SharedWindows, StatusCaptionNamesTheLogonScopeWithoutEmptyParts) {
  struct Case {
    const char* state;
    int group;
    const char* period;
    const char* county;
    const char* school;
    std::string caption;
  };
  const Case cases[] = {
      {"county office", 2, "P-2", "Alameda", "Oak Charter", "Status  \\ FY 2019-20 \\ P-2 \\ Alameda"},
      {"county auditor", 7, "P-2", "Alameda", "", "Status  \\ FY 2019-20 \\ P-2 \\ Alameda"},
      {"district", 3, "Annual", "Alameda", "", "Status  \\ FY 2019-20 \\ Annual \\ Alameda \\ Berkeley Unified"},
      {"charter school", 4, "P-2", "Alameda", "Oak Charter",
       "Status  \\ FY 2019-20 \\ P-2 \\ Alameda \\ Berkeley Unified \\ Oak Charter"},
      {"charter school, no school taken up", 4, "P-2", "Alameda", "",
       "Status  \\ FY 2019-20 \\ P-2 \\ Alameda \\ Berkeley Unified"},
      // Get Latest before logon: neither period nor county is known yet.
      {"before logon", 0, "", "", "", "Status  \\ FY 2019-20"},
      {"before logon, period remembered", 0, "P-1", "", "", "Status  \\ FY 2019-20 \\ P-1"},
  };
  for (const Case& c : cases) {
    auto& gp = *modGlobals::gobjGlobalParam;
    gp.LogonUserGroup = c.group;
    gp.PeriodText = c.period;
    gp.LogonCountyName = c.county;
    gp.SchoolName = c.school;
    frmStatus status;
    status.Load();
    EXPECT_EQ(status.windowTitle().toStdString(), c.caption) << c.state;
    EXPECT_EQ("Status  \\ " + status.Label1->text().toStdString(), c.caption) << c.state << ": the line above the report";
    EXPECT_EQ(status.GParam, modGlobals::gobjGlobalParam.get());
  }
}

TEST_F(SharedWindows, TransferStatusShowsTheReportModallyAndSavesItAsWindowsText) {
  const auto target = ProgramFolder() / "Export" / "status.txt";
  std::string report = "Imported 3 rows\r\nZoë: 5 €";
  dialogs_.AnswerModal([&](QWidget& window) {
    auto& status = dynamic_cast<frmStatus&>(window);
    EXPECT_EQ(status.txtStatus->toPlainText().toStdString(), "Imported 3 rows\nZoë: 5 €");
    dialogs_.AnswerFile(target.string());
    status.cmdSave_Click();
    status.cmdClose_Click();
    return 0;
  });
  modGlobals::gblnStatusModeless = true;  // nothing sets it; unload clears it
  modGlobals::gblnStatusModeless = false;
  Utilities::TransferStatus(report);
  EXPECT_EQ(ReadBytes(target), "Imported 3 rows\r\nZo\xEB: 5 \x80\r\n");
  EXPECT_EQ(dialogs_.Prompts()[1].text, "Text (*.txt)|*.txt");
  EXPECT_FALSE(modGlobals::gblnStatusModeless);
  dialogs_.ExpectAllUsed();
}

TEST_F(SharedWindows, StatusSaveCancelWritesNothingAndSaysNothing) {
  frmStatus status;
  status.Load();
  status.txtStatus->setPlainText("report");
  dialogs_.AnswerFile(std::nullopt);
  status.cmdSave_Click();
  EXPECT_EQ(dialogs_.Prompts().size(), 1u);
}

TEST_F(SharedWindows, StatusSaveAsksToTryAgainUntilTheUserCancels) {
  frmStatus status;
  status.Load();
  status.txtStatus->setPlainText("report");
  const auto blocked = ProgramFolder() / "Export";  // a folder cannot be written as a file
  dialogs_.AnswerFile(blocked.string());
  dialogs_.AnswerMsgBox(ui::vbOK);
  dialogs_.AnswerMsgBox(ui::vbCancel);
  status.cmdSave_Click();
  ASSERT_EQ(dialogs_.Prompts().size(), 3u);
  EXPECT_EQ(dialogs_.LastPrompt().text, "Unable to write to file. It may be in use or write protected. Try again");
  EXPECT_EQ(ui::ButtonsOf(dialogs_.LastPrompt().style), ui::vbOKCancel);
  EXPECT_EQ(dialogs_.LastPrompt().title, "Levrona");
}

TEST_F(SharedWindows, StatusPrintsTheWholeReportAsOneJobOnThePrinterOfThePrinterSetUp) {
  // No printer chosen yet: the default printer; then the one chosen.
  const std::pair<std::string, std::string> cases[] = {{"", "Office"}, {"Back Office", "Back Office"}};
  for (const auto& [chosen, expected] : cases) {
    RecordingPrinters printers({"Office", "Back Office", ui::PdfPrinterName});
    ui::SetJobPrinter(chosen);
    frmStatus status;
    status.Load();
    status.txtStatus->setPlainText("line 1\nline 2");
    status.cmdPrint_Click();
    ASSERT_EQ(printers.jobs.size(), 1u) << chosen;
    EXPECT_EQ(printers.jobs[0].printer, expected) << chosen;
    EXPECT_EQ(printers.jobs[0].text, "line 1\nline 2");
  }
  ui::SetJobPrinter({});
}

TEST_F(SharedWindows, StatusPrintWithoutPrintersExplainsAndPrintsNothing) {
  RecordingPrinters printers({});
  frmStatus status;
  status.Load();
  dialogs_.AnswerMsgBox(ui::vbOK);
  status.cmdPrint_Click();
  EXPECT_TRUE(printers.jobs.empty());
  EXPECT_EQ(dialogs_.LastPrompt().text,
            "Cannot print due to a problem with the current printer setup.\r\n"
            "Try one or more of the following:\r\n"
            "*Check the printer by printing a test page from the system's printer settings.\r\n"
            "*Make sure the printer is turned on and online.\r\n"
            "*Reinstall the printer driver.");
  EXPECT_EQ(ui::IconOf(dialogs_.LastPrompt().style), ui::vbInformation);
}

TEST_F(SharedWindows, FourAnswerQuestionAnswersThePressedButton) {
  for (int index = 0; index < 4; ++index) {
    dialogs_.AnswerModal([&](QWidget& window) {
      auto& box = dynamic_cast<frmMessageBox&>(window);
      EXPECT_EQ(box.lblMessage->text(), "Overwrite the record of Alameda?");
      EXPECT_EQ(box.windowTitle(), "Import");
      box.cmdAction_Click(index);
      return 0;
    });
    EXPECT_EQ(Utilities::MessageBox("Overwrite the record of Alameda?", "Import"), frmMessageBox::Answers[index]);
  }
  EXPECT_EQ(frmMessageBox::Answers, (std::array<int, 4>{6, 7, 1, 2}));
}

TEST_F(SharedWindows, FourAnswerQuestionClosedOrEscapedAnswersNoNotTheEarlierAnswer) {
  dialogs_.AnswerModal([](QWidget& window) {
    dynamic_cast<frmMessageBox&>(window).cmdAction_Click(2);  // Yes to All
    return 0;
  });
  ASSERT_EQ(Utilities::MessageBox("first?", "Import"), 1);
  dialogs_.AnswerModal([](QWidget& window) {
    window.close();  // the close box
    return 0;
  });
  EXPECT_EQ(Utilities::MessageBox("second?", "Import"), 7);
  dialogs_.AnswerModal([](QWidget& window) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&window, &escape);
    return 0;
  });
  EXPECT_EQ(Utilities::MessageBox("third?", "Import"), 7);
}

TEST_F(SharedWindows, FourAnswerQuestionWithoutMessageAsksNothing) {
  EXPECT_EQ(Utilities::MessageBox("", "Import"), 0);
  EXPECT_EQ(Utilities::MessageBox(vb::Variant(), "Import"), 0);
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(SharedWindows, LinkBoxSizesItsLabelByTheTextLength) {
  const std::pair<std::size_t, double> cases[] = {{0, 250}, {99, 250}, {100, 500}, {250, 750}};
  for (const auto& [length, labelTwips] : cases) {
    frmMsgBox box;
    box.MsgBoxText = std::string(length, 'x');
    box.MsgBoxTitle = "Entry screen disabled";
    box.URL = "https://example.org/notes";
    box.Load();
    EXPECT_EQ(box.lblText->height(), ui::TwipsToPixelsY(labelTwips)) << length;
    EXPECT_EQ(box.height(), ui::TwipsToPixelsY(labelTwips + 1500)) << length;
    const int buttonTop = ui::TwipsToPixelsY(labelTwips + 1500 - 650 - ui::PixelsToTwipsY(box.cmdOK->height()));
    EXPECT_EQ(box.cmdOK->y(), buttonTop);
    EXPECT_EQ(box.cmdGoToURL->y(), buttonTop);
    EXPECT_EQ(box.windowTitle(), "Entry screen disabled");
    EXPECT_EQ(box.cmdOK->text(), "Close");
    EXPECT_EQ(box.cmdGoToURL->text(), "Go to Software Release Notes");
  }
}

TEST_F(SharedWindows, LinkBoxOpensThePageAndStaysOpen) {
  RecordingShell shell;
  frmMsgBox& box = frmMsgBox::Default();
  EXPECT_EQ(&box, &frmMsgBox::Default());
  box.MsgBoxText = "The entry screen has been disabled.";
  box.URL = "https://example.org/notes";
  dialogs_.AnswerModal([&](QWidget&) {
    box.cmdGoToURL_Click();
    EXPECT_TRUE(box.Loaded());
    box.cmdOK_Click();
    return 0;
  });
  box.ShowModal();
  EXPECT_EQ(shell.urls, (std::vector<std::string>{"https://example.org/notes"}));
  EXPECT_FALSE(box.Loaded());
}

TEST_F(SharedWindows, LinkBoxTellsWhenThePageCannotBeOpened) {
  RecordingShell shell(false);
  frmMsgBox box;
  box.URL = "https://example.org/notes";
  dialogs_.AnswerMsgBox(ui::vbOK);
  box.cmdGoToURL_Click();
  EXPECT_NE(dialogs_.LastPrompt().text.find("https://example.org/notes"), std::string::npos);
}

TEST_F(SharedWindows, AboutBoxTextsAndArtwork) {
  frmAbout about;
  about.Load();
  EXPECT_EQ(about.lblSplashName->text().toStdString(), "\n2019 - 20\nQuillmark\nLevrona");
  EXPECT_EQ(about.lblSplashName->font().pointSize(), 24);
  EXPECT_EQ(about.lblVersion->text(), "Version 2019-19.00");
  EXPECT_EQ(about.windowTitle(), "Levrona");
  EXPECT_EQ(about.Label1->text(), "Varnholt");
  EXPECT_EQ(about.Label6->text(), "Pellwick");
  EXPECT_EQ(about.cmdSysInfo->text(), "&System Info...");
  // The picture box holds the product artwork at its full size.
  EXPECT_EQ(about.Picture3->pixmap().size(), QSize(415, 355));
}

TEST_F(SharedWindows, SystemInformationToolComesFromTheSettingWhenExecutable) {
  RecordingShell shell;
  frmAbout about;
  const auto tool = ProgramFolder() / "sysinfo";
  std::ofstream(tool) << "#!/bin/sh\n";

  // No setting, a file that is not executable, a missing file: unavailable.
  for (int i = 0; i < 3; ++i) {
    if (i == 1) ui::SaveSetting("VHO-KRN", "Setting", "SysInfoPath", tool.string());
    if (i == 2) ui::SaveSetting("VHO-KRN", "Setting", "SysInfoPath", (ProgramFolder() / "missing").string());
    dialogs_.AnswerMsgBox(ui::vbOK);
    about.cmdSysInfo_Click();
    EXPECT_EQ(dialogs_.LastPrompt().text, "System information is unavailable at this time") << i;
    EXPECT_EQ(ui::ButtonsOf(dialogs_.LastPrompt().style), ui::vbOKOnly);
  }
  EXPECT_TRUE(shell.programs.empty());

  std::filesystem::permissions(tool, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
  ui::SaveSetting("VHO-KRN", "Setting", "SysInfoPath", tool.string());
  dialogs_.ClearPrompts();
  about.cmdSysInfo_Click();
  EXPECT_EQ(shell.programs, (std::vector<std::string>{tool.string()}));
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(SharedWindows, WaitMessageIsOneBoldFixedPitchBox) {
  frmWait& wait = frmWait::Default();
  EXPECT_EQ(&wait, &frmWait::Default());
  EXPECT_EQ(wait.windowTitle(), "Please Wait ... ");
  EXPECT_TRUE(wait.lblMsg->font().bold());
  EXPECT_DOUBLE_EQ(wait.lblMsg->font().pointSizeF(), 10.5);
  wait.lblMsg->setText("Exporting ...");
  wait.ShowModeless();
  EXPECT_TRUE(wait.isVisible());
  wait.Unload();
  EXPECT_FALSE(wait.isVisible());
}

}  // namespace

// The user-interface seams: single instance, printers, file filters,
// message box buttons and twips.

#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFont>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <filesystem>

#include "ScriptedDialogs.h"
#include "TestEnvironment.h"
#include "ui/Printers.h"
#include "ui/QtDialogs.h"
#include "ui/SingleInstance.h"
#include "ui/Twips.h"

namespace {

const std::string kName = "Levrona-19.0.0_APPLICATION_MUTEX";

class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = fixtures::MakeTempFolder("levlock").string(); }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // Runs the helper to its end while this process answers its requests;
  // answers the exit code.
  int RunCopy(const char* mode, qint64* elapsedMs = nullptr) {
    QProcess copy;
    copy.start(LEV_INSTANCE_HELPER, {QString::fromStdString(kName), QString::fromStdString(folder_), mode});
    EXPECT_TRUE(copy.waitForStarted(5000));
    QElapsedTimer timer;
    timer.start();
    while (copy.state() != QProcess::NotRunning && timer.elapsed() < 10000) {
      QApplication::processEvents(QEventLoop::AllEvents, 20);
      copy.waitForFinished(20);
    }
    if (elapsedMs) *elapsedMs = timer.elapsed();
    return copy.exitCode();
  }

  std::string folder_;
};

TEST_F(SingleInstanceTest, SecondCopyBringsTheFirstToTheFrontAndEndsAtOnce) {
  ui::SingleInstance first(kName, folder_);
  int activations = 0;
  first.SetActivationHandler([&] { ++activations; });
  ASSERT_TRUE(first.TryAcquire());
  qint64 elapsed = 0;
  EXPECT_EQ(RunCopy("try", &elapsed), 3);
  EXPECT_EQ(activations, 1);
  EXPECT_LT(elapsed, 5000);

  // Once the first copy gives the lock up, a new copy starts.
  first.Release();
  EXPECT_EQ(RunCopy("try"), 0);
}

TEST_F(SingleInstanceTest, LockOfACrashedCopyDoesNotBlockANewStart) {
  QProcess crashed;
  crashed.start(LEV_INSTANCE_HELPER, {QString::fromStdString(kName), QString::fromStdString(folder_), "hold"});
  ASSERT_TRUE(crashed.waitForReadyRead(5000));
  ASSERT_EQ(crashed.readAll().trimmed(), "held");

  ui::SingleInstance meanwhile(kName, folder_);
  EXPECT_FALSE(meanwhile.TryAcquire()) << "the running copy holds the lock";

  ::kill(static_cast<pid_t>(crashed.processId()), SIGKILL);
  ASSERT_TRUE(crashed.waitForFinished(5000));
  ASSERT_TRUE(QFile::exists(QString::fromStdString(meanwhile.LockPath()))) << "the crash leaves the lock file";

  ui::SingleInstance next(kName, folder_);
  EXPECT_TRUE(next.TryAcquire());
  int activations = 0;
  next.SetActivationHandler([&] { ++activations; });
  EXPECT_EQ(RunCopy("try"), 3) << "the new copy answers on the socket the crashed one left";
  EXPECT_EQ(activations, 1);
}

TEST(Printers, PdfPrinterIsAlwaysListedAndWritesAFile) {
  const auto names = ui::printers().Names();
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names.back(), ui::PdfPrinterName);

  ScriptedDialogs dialogs;
  const auto folder = fixtures::MakeTempFolder("levpdf");
  const auto target = (folder / "status.pdf").string();
  dialogs.AnswerFile(target);
  ui::SetJobOrientation(ui::OrientationLandscape);
  EXPECT_TRUE(ui::printers().PrintText(ui::PdfPrinterName, "Status report\nline 2"));
  ui::SetJobOrientation(ui::OrientationPortrait);
  EXPECT_EQ(dialogs.LastPrompt().kind, "SaveFile");
  QFile pdf(QString::fromStdString(target));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
  std::filesystem::remove_all(folder);
}

TEST(Printers, JobsTakeTheProgramsOrientationAndCancelPrintsNothing) {
  ScriptedDialogs dialogs;
  QPrinter printer;
  dialogs.AnswerFile("/tmp/out.pdf");
  ui::SetJobOrientation(ui::OrientationLandscape);
  ASSERT_TRUE(ui::SetUpJob(printer, ui::PdfPrinterName));
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
  EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
  EXPECT_EQ(printer.outputFileName(), "/tmp/out.pdf");
  ui::SetJobOrientation(ui::OrientationPortrait);

  dialogs.AnswerFile(std::nullopt);
  QPrinter cancelled;
  EXPECT_FALSE(ui::SetUpJob(cancelled, ui::PdfPrinterName));
  QPrinter unknown;
  EXPECT_FALSE(ui::SetUpJob(unknown, "No Such Printer 42"));
}

TEST(QtDialogs, ClassicFiltersBecomeQtNameFilters) {
  const std::pair<std::string, std::string> cases[] = {
      {"Text (*.txt)|*.txt", "Text (*.txt)"},
      {"Text files|*.txt|All files (*.*)|*.*", "Text files (*.txt);;All files (*)"},
      {"Data|*.mdb;*.dat", "Data (*.mdb *.dat)"},
      // Names without an extension match "*.*", as in the classic dialogs.
      {"Certified|VuzO*.*;ZORIQV*.*", "Certified (VuzO* ZORIQV*)"},
      {"", ""},
  };
  for (const auto& [classic, qt] : cases) EXPECT_EQ(ui::QtNameFilter(classic), qt) << classic;
}

TEST(QtDialogs, ButtonsLeftToRightAndTheAnswerOfClosing) {
  struct Case {
    int style;
    std::vector<int> buttons;
    int defaultAnswer;
    int closeAnswer;
  } cases[] = {
      {ui::vbOKOnly, {ui::vbOK}, ui::vbOK, ui::vbOK},
      {ui::vbOKCancel + ui::vbQuestion, {ui::vbOK, ui::vbCancel}, ui::vbOK, ui::vbCancel},
      {0x40032, {ui::vbAbort, ui::vbRetry, ui::vbIgnore}, ui::vbAbort, ui::vbCancel},
      {ui::vbYesNoCancel + ui::vbDefaultButton3, {ui::vbYes, ui::vbNo, ui::vbCancel}, ui::vbCancel, ui::vbCancel},
      {ui::vbYesNo + ui::vbDefaultButton2, {ui::vbYes, ui::vbNo}, ui::vbNo, ui::vbNo},
      // A default button past the last is the first, as the shown box has it.
      {ui::vbYesNo + ui::vbDefaultButton3, {ui::vbYes, ui::vbNo}, ui::vbYes, ui::vbNo},
      {ui::vbOKCancel + ui::vbDefaultButton4, {ui::vbOK, ui::vbCancel}, ui::vbOK, ui::vbCancel},
      {ui::vbRetryCancel, {ui::vbRetry, ui::vbCancel}, ui::vbRetry, ui::vbCancel},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ui::ButtonAnswers(c.style), c.buttons) << c.style;
    EXPECT_EQ(ui::DefaultAnswer(c.style), c.defaultAnswer) << c.style;
    EXPECT_EQ(ui::CloseAnswer(c.style), c.closeAnswer) << c.style;
  }
}

TEST(QtDialogs, AMessageBoxIsWideEnoughForItsTitle) {
  ui::QtDialogs dialogs;
  const std::string title = "Levrona - a title much longer than the message below it";
  int shown = 0;
  int needed = 0;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    shown = box->width();
    needed = ui::TitleWidth(box->windowTitle(), box->font());
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(dialogs.MsgBox("Notes saved", ui::vbInformation, title), ui::vbOK);
  ASSERT_GT(needed, QFontMetrics(QApplication::font()).horizontalAdvance(QString::fromStdString(title)));
  EXPECT_GE(shown, needed);
}

TEST(Twips, ConvertWithTheScreensLogicalResolution) {
  const double dpi = QApplication::primaryScreen()->logicalDotsPerInchY();
  EXPECT_DOUBLE_EQ(ui::TwipsPerPixelY(), 1440.0 / dpi);
  EXPECT_EQ(ui::TwipsToPixelsY(1440), static_cast<int>(dpi));
  EXPECT_DOUBLE_EQ(ui::PixelsToTwipsX(static_cast<int>(QApplication::primaryScreen()->logicalDotsPerInchX())), 1440.0);
}

// The text the layouts were made for: 8.25 points for the window and what
// it holds, in the design face or in the window's own family and weight.
TEST(Twips, LayoutFaceGivesTheLayoutSizeInTheFamilyAsked) {
  struct Case {
    ui::FaceFamily family;
    const char* expectedFamily;
    bool expectedBold;
  };
  const Case cases[] = {
      {ui::FaceFamily::Design, "MS Sans Serif", false},
      {ui::FaceFamily::Kept, "Serif Of Its Own", true},
  };
  for (const Case& c : cases) {
    QWidget window;
    auto* label = new QLabel("Name", &window);
    QFont own(QStringLiteral("Serif Of Its Own"), 12);
    own.setBold(true);
    window.setFont(own);
    ui::UseLayoutFace(window, c.family);
    for (const QWidget* w : {static_cast<const QWidget*>(&window), static_cast<const QWidget*>(label)}) {
      EXPECT_EQ(w->font().family().toStdString(), c.expectedFamily);
      EXPECT_DOUBLE_EQ(w->font().pointSizeF(), ui::LayoutPoints);
      EXPECT_EQ(w->font().bold(), c.expectedBold);
    }
  }
}

}  // namespace

// The upload dialog against the test server: the whole upload, the
// password check by the signed component, a slow transfer, the settings and
// the settings panel.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <optional>

#include "KeyInput.h"
#include "UploadFixture.h"
#include "ui/Settings.h"

namespace {

using Texts = std::vector<std::string>;

std::string Stored(const char* app, const char* key) { return ui::GetSetting(app, "Setting", key, "<none>"); }

// The five upload settings as stored: server, folder, port, user name and
// password.
Texts StoredUploadSettings() {
  Texts values;
  for (const char* key : {"FTPServer", "FTPDirectory", "FTPPort", "FTPUsername", "FTPPassword"})
    values.push_back(Stored("VHO-KRN", key));
  return values;
}

constexpr const char* kSignatureWarning =
    "The password component from the server failed its signature check and was not used. Nothing was uploaded.";

// The texts shown since the label was last emptied.
Texts SinceLastCleared(const Texts& texts) {
  auto last = std::find(texts.rbegin(), texts.rend(), std::string());
  return Texts(last.base(), texts.end());
}

TEST_F(UploadTest, UploadsTheChosenFileOnceAndReportsIt) {
  const std::string name = "VuzO19_00_2_19_Dec_09_2026_14_33_57";
  const auto file = ExportFileOf(name, 250000);
  frmTransfer& w = Open();
  Upload("a8cd749", file);

  EXPECT_EQ(ServerUploads(), Texts{name});
  EXPECT_EQ(ReadBytes(ServerUploadFolder() / name), ReadBytes(file));
  EXPECT_EQ(SinceLastCleared(statuses_),
            (Texts{"Connected to 127.0.0.1", "Current Directory: leafiles", "Bytes Transferred: 100000",
                   "Bytes Transferred: 200000", "Transfer Complete: 250000 Bytes Total", "Upload Complete"}));
  EXPECT_EQ(w.lblStatus->text().toStdString(), "Upload Complete");
  EXPECT_EQ(w.txtExportMDB->text().toStdString(), file.string());
  EXPECT_EQ(report_, "Submit Datafile.. Date & Time:  Dec-09-2026 14:33:57\n\n" + file.string() +
                         "\n\nOperation Completed.\n");
  // The file dialog and the question.
  const auto& prompts = dialogs_.Prompts();
  ASSERT_EQ(prompts.size(), 3u);
  EXPECT_EQ(prompts[0].kind, "OpenFile");
  EXPECT_EQ(prompts[0].title, "Select Datafile to Submit");
  EXPECT_EQ(prompts[0].text, "Export Files|ZORIQV*;VuzO*");
  EXPECT_EQ(prompts[1].text,
            "You are uploading a file to be submitted to VHO for processing.\r\n"
            "Are you sure you want to upload the following data file:\r\n" + name + "?");
  EXPECT_EQ(prompts[1].style, ui::vbYesNo + ui::vbQuestion);
  EXPECT_FALSE(w.Transferring());
  EXPECT_TRUE(w.cmdSelectFile->isEnabled());

  // The same file again: the server keeps the one it has.
  WriteBytes(file, Pattern(1000));
  dialogs_.ClearPrompts();
  dialogs_.AnswerFile(file.string());
  dialogs_.AnswerMsgBox(ui::vbYes);
  w.cmdSelectFile_Click();
  EXPECT_EQ(w.lblStatus->text().toStdString(), name + " already on server");
  EXPECT_EQ(ReadBytes(ServerUploadFolder() / name), Pattern(250000));
  EXPECT_EQ(ServerUploads(), Texts{name});
  dialogs_.ExpectAllUsed();
}

TEST_F(UploadTest, AWrongPasswordIsRefusedBeforeAnyFileIsChosen) {
  frmTransfer& w = Open();
  w.txtLeaPassword->setText("A8CD74");
  dialogs_.AnswerMsgBox(ui::vbOK);
  w.cmdSelectFile_Click();
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_EQ(dialogs_.LastPrompt().text, "The password to submit your datafile is incorrect");
  EXPECT_EQ(ui::IconOf(dialogs_.LastPrompt().style), ui::vbExclamation);
  EXPECT_EQ(dialogs_.LastPrompt().title, "Levrona");
  EXPECT_EQ(w.focusWidget(), w.txtLeaPassword);
  EXPECT_EQ(w.txtLeaPassword->selectedText().toStdString(), "A8CD74");
  EXPECT_TRUE(ServerUploads().empty());
  // The component account was read, its defaults stored.
  EXPECT_EQ(Stored("VHO", "FtpVhoPassword"), "~1987mint");
  EXPECT_EQ(Stored("VHO", "FtpVhoUsername"), "WZSTBftktg");
  EXPECT_EQ(Stored("VHO", "FtpVhoDirectory"), "/TORB");
}

TEST_F(UploadTest, WithoutAPasswordNothingIsFetched) {
  frmTransfer& w = Open();
  statuses_.clear();
  dialogs_.AnswerMsgBox(ui::vbOK);
  w.cmdSelectFile_Click();
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_EQ(dialogs_.LastPrompt().text, "Please enter your password");
  EXPECT_EQ(ui::IconOf(dialogs_.LastPrompt().style), ui::vbInformation);
  EXPECT_EQ(w.focusWidget(), w.txtLeaPassword);
  EXPECT_TRUE(statuses_.empty()) << "no connection was made";
  EXPECT_EQ(Stored("VHO", "FtpVhoUsername"), "<none>");
  EXPECT_FALSE(std::filesystem::exists(KeptComponentFolder()));
}

// Only a component whose signature verifies with the deployment's key runs,
// from the bytes that were checked; any other leaves everything as it was.
TEST_F(UploadTest, OnlyASignedComponentChecksThePassword) {
  const std::string library = ComponentBytes();
  std::string changed = library;
  changed[changed.size() / 2] ^= 0x01;
  com::PublicKey otherPublic{};
  com::SecretKey otherSecret{};
  com::NewKeyPair(otherPublic, otherSecret);
  const std::string signature = TestSignature(library);
  struct Case {
    const char* what;
    std::string library;
    std::optional<std::string> signature;
  };
  const Case refused[] = {
      {"one changed byte", changed, signature},
      {"no signature", library, std::nullopt},
      {"another key's signature", library, com::SignDetached(library, otherSecret)},
      {"a 63-byte signature", library, signature.substr(0, 63)},
  };
  // The program's own folder offers no component of its own.
  WriteBytes(ProgramFolder() / "libpasswarden.so", "not a library");
  WriteBytes(KeptComponentFolder() / "libpasswarden.so", "the component kept before");
  const auto file = ExportFileOf("VuzO_signed", 1000);
  frmTransfer& w = Open();
  w.txtLeaPassword->setText("A8CD749");
  for (const Case& c : refused) {
    Publish(c.library, c.signature ? &*c.signature : nullptr);
    dialogs_.ClearPrompts();
    dialogs_.AnswerMsgBox(ui::vbOK);
    w.cmdSelectFile_Click();
    EXPECT_EQ(dialogs_.TakeMessages(), Texts{kSignatureWarning}) << c.what;
    EXPECT_EQ(w.lblStatus->text().toStdString(), "Signature check failed: libpasswarden.so") << c.what;
    EXPECT_TRUE(ServerUploads().empty()) << c.what;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(KeptComponentFolder()), {}), 1) << c.what;
    EXPECT_EQ(ReadBytes(KeptComponentFolder() / "libpasswarden.so"), "the component kept before") << c.what;
  }
  Publish(library, &signature);
  Upload("A8CD749", file);
  EXPECT_EQ(ServerUploads(), Texts{"VuzO_signed"});
  EXPECT_EQ(ReadBytes(KeptComponentFolder() / "libpasswarden.so"), library);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(KeptComponentFolder()), {}), 1);
  dialogs_.ExpectAllUsed();
}

TEST_F(UploadTest, AComponentTheServerRefusesIsReportedAndNothingIsSent) {
  std::filesystem::remove(ServerComponentFolder() / "libpasswarden.so");
  frmTransfer& w = Open();
  w.txtLeaPassword->setText("A8CD749");
  dialogs_.AnswerMsgBox(ui::vbOK);
  w.cmdSelectFile_Click();
  EXPECT_EQ(dialogs_.TakeMessages(), Texts{"Unable to update dll"});
  // The client's failure, its reply line shown on a line of its own.
  const std::string failure = statuses_.back();
  EXPECT_TRUE(failure.starts_with("12003: ") && failure.find("\r550 ") != std::string::npos) << failure;
  QString shown = QString::fromStdString(failure);
  EXPECT_EQ(w.lblStatus->text(), shown.replace('\r', '\n'));
  EXPECT_TRUE(ServerUploads().empty());
}

// A transfer runs while the window stays alive: its progress shows while
// the server still waits for bytes, a close is refused, and Escape stops it.
TEST_F(UploadTest, ASlowUploadCanBeWatchedAndStopped) {
  StartServer({.throttle = 1000000});
  const std::size_t size = 8000000;
  const auto file = ExportFileOf("VuzO_slow", size);
  frmTransfer& w = Open();
  w.txtLeaPassword->setText("A8CD749");
  dialogs_.AnswerFile(file.string());
  dialogs_.AnswerMsgBox(ui::vbYes);
  dialogs_.AnswerMsgBox(ui::vbOK);  // the refused close

  bool acted = false;
  std::uintmax_t serverBytes = 0;
  bool busy = false, selectEnabled = true, stayedOpen = false;
  std::chrono::steady_clock::time_point escaped;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (acted || statuses_.empty() || !statuses_.back().starts_with("Bytes Transferred: ")) return;
    acted = true;
    std::error_code ec;
    serverBytes = std::filesystem::file_size(ServerUploadFolder() / "part-VuzO_slow", ec);
    busy = w.Transferring();
    selectEnabled = w.cmdSelectFile->isEnabled();
    w.close();
    stayedOpen = w.Loaded() && w.isVisible();
    escaped = std::chrono::steady_clock::now();
    QTest::keyClick(&w, Qt::Key_Escape);
  });
  watch.start(5);
  w.cmdSelectFile_Click();
  const auto stopped = std::chrono::steady_clock::now();

  ASSERT_TRUE(acted);
  EXPECT_LT(serverBytes, size);
  EXPECT_TRUE(busy);
  EXPECT_FALSE(selectEnabled);
  EXPECT_TRUE(stayedOpen);
  EXPECT_LT(stopped - escaped, std::chrono::seconds(1));
  const Texts messages = dialogs_.TakeMessages();
  ASSERT_EQ(messages.size(), 2u);  // the question, then the refusal
  EXPECT_EQ(messages[1], "Cannot close while uploading files\rTry again later");
  EXPECT_EQ(w.lblStatus->text().toStdString(), "Transfer cancelled by the user");
  EXPECT_TRUE(ServerUploads().empty());
  // Usable again.
  EXPECT_FALSE(w.Transferring());
  EXPECT_TRUE(w.cmdSelectFile->isEnabled() && w.cmdCancel->isEnabled() && w.txtLeaPassword->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  dialogs_.ExpectAllUsed();
}

// --- Settings --------------------------------------------------------------------------

TEST_F(UploadTest, TheFirstOpeningStoresTheDefaultsInAFileOfTheUsersOwn) {
  frmTransfer& w = Open(false);
  EXPECT_EQ(StoredUploadSettings(), (Texts{"127.0.0.1", "leafiles", "21", "BPTYrsq", "KMTW7gate"}));
  EXPECT_EQ(w.FtpPort(), 21);
  struct stat info {};
  ASSERT_EQ(::stat((ProgramFolder() / "config" / "Levrona" / "VHO-KRN.ini").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(UploadTest, StoredSettingsAreUsedOrReplaced) {
  struct Case {
    const char* key;
    const char* stored;
    std::string held;  // and stored again
  };
  const Case cases[] = {
      {"FTPServer", "old-ftp.example", "127.0.0.1"},     {"FTPServer", "192.0.2.7", "127.0.0.1"},
      {"FTPServer", "old-files.example", "127.0.0.1"},   {"FTPServer", "OLD-FTP.example", "OLD-FTP.example"},
      {"FTPServer", "ftp.other.example", "ftp.other.example"},
      {"FTPDirectory", "/", "leafiles"},                 {"FTPDirectory", "/TORB/Attendance/2002", "leafiles"},
      {"FTPDirectory", "/incoming", "/incoming"},        {"FTPPort", "0", "21"},
      {"FTPPort", "2121", "2121"},
  };
  for (const Case& c : cases) {
    ui::SaveSetting("VHO-KRN", "Setting", c.key, c.stored);
    frmTransfer& w = Open(false);
    const std::string key = c.key;
    const std::string held = key == "FTPServer"      ? w.FtpServer()
                             : key == "FTPDirectory" ? w.FtpDirectory()
                                                     : std::to_string(w.FtpPort());
    EXPECT_EQ(held, c.held) << c.key << " " << c.stored;
    EXPECT_EQ(Stored("VHO-KRN", c.key), c.held) << c.key << " " << c.stored;
  }
}

TEST_F(UploadTest, APortThatIsNoNumberIsReportedAndStoredAsZero) {
  ui::SaveSetting("VHO-KRN", "Setting", "FTPPort", "abc");
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  frmTransfer& w = Open(false);
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_EQ(dialogs_.LastPrompt().title, "Exception");
  EXPECT_NE(dialogs_.LastPrompt().text.find("Procedure: LoadParameters"), std::string::npos);
  EXPECT_EQ(w.FtpPort(), 0);
  EXPECT_EQ(Stored("VHO-KRN", "FTPPort"), "0");
  EXPECT_EQ(Open(false).FtpPort(), 21);
}

// --- The password box and the settings panel ----------------------------------------------------

TEST_F(UploadTest, ANinthCharacterGivesWayToTheEightBefore) {
  frmTransfer& w = Open(false);
  fixtures::Type(*w.txtLeaPassword, "a8cd749x");
  EXPECT_EQ(w.LeaPassword(), "A8CD749X");
  EXPECT_EQ(w.txtLeaPassword->text().toStdString(), "a8cd749x");
  fixtures::Type(*w.txtLeaPassword, "y");
  EXPECT_EQ(w.txtLeaPassword->text().toStdString(), "A8CD749X");
  EXPECT_EQ(w.txtLeaPassword->cursorPosition(), 8);
  EXPECT_EQ(w.LeaPassword(), "A8CD749X");
}

TEST_F(UploadTest, ThePanelEditsTheSettingsUntilOkOrCancel) {
  frmTransfer& w = Open(false);
  EXPECT_EQ(w.Height(), 2000);
  EXPECT_FALSE(w.Frame1->isVisibleTo(&w));
  w.cmdConfigure_Click();
  EXPECT_EQ(w.Height(), 4215);
  EXPECT_TRUE(w.Frame1->isVisibleTo(&w));
  EXPECT_EQ(w.txtServer->text().toStdString(), "127.0.0.1");
  EXPECT_EQ(w.txtDirectory->text().toStdString(), "leafiles");
  EXPECT_EQ(w.txtPort->text().toStdString(), "21");
  EXPECT_EQ(w.txtUsername->text().toStdString(), "BPTYrsq");
  EXPECT_EQ(w.txtPassword->text().toStdString(), "KMTW7gate");
  EXPECT_EQ(w.txtPassword->echoMode(), QLineEdit::Password);
  EXPECT_FALSE(w.Changed());
  EXPECT_TRUE(w.cmdSelectFile->isEnabled() && w.cmdCancel->isEnabled() && w.cmdOkFTP->isEnabled());

  // OK needs five filled boxes and a numeric port.
  const std::pair<ui::QuorMaskText*, const char*> incomplete[] = {
      {w.txtServer, ""}, {w.txtUsername, "   "}, {w.txtPort, "12a"}, {w.txtDirectory, " "}};
  for (const auto& [box, text] : incomplete) {
    const QString kept = box->text();
    box->setText(text);
    EXPECT_FALSE(w.cmdOkFTP->isEnabled()) << box->objectName().toStdString() << " \"" << text << "\"";
    box->setText(kept);
    EXPECT_TRUE(w.cmdOkFTP->isEnabled());
  }
  EXPECT_TRUE(w.Changed());
  EXPECT_FALSE(w.cmdSelectFile->isEnabled() || w.cmdCancel->isEnabled());

  // Cancel puts the held values back and writes nothing.
  w.txtServer->setText("ftp.new.example");
  w.cmdCancelFTP_Click();
  EXPECT_EQ(w.txtServer->text().toStdString(), "127.0.0.1");
  EXPECT_EQ(Stored("VHO-KRN", "FTPServer"), "127.0.0.1");
  EXPECT_EQ(w.Height(), 2000);
  EXPECT_FALSE(w.Frame1->isVisibleTo(&w));
  EXPECT_TRUE(w.cmdSelectFile->isEnabled() && w.cmdCancel->isEnabled());
  EXPECT_FALSE(w.Changed());

  // OK writes all five.
  w.cmdConfigure_Click();
  w.txtServer->setText("ftp.new.example");
  w.txtDirectory->setText("incoming");
  w.txtPort->setText("2121");
  w.txtUsername->setText("someone");
  w.txtPassword->setText("secret");
  w.cmdOkFTP_Click();
  EXPECT_EQ(StoredUploadSettings(), (Texts{"ftp.new.example", "incoming", "2121", "someone", "secret"}));
  EXPECT_EQ(w.FtpPort(), 2121);
  EXPECT_EQ(w.Height(), 2000);
  EXPECT_TRUE(w.cmdSelectFile->isEnabled() && w.cmdCancel->isEnabled());
  EXPECT_FALSE(w.Changed());

  // A port beyond the ports keeps the panel open.
  w.cmdConfigure_Click();
  w.txtPort->setText("70000");
  dialogs_.AnswerMsgBox(ui::vbOK);
  w.cmdOkFTP_Click();
  EXPECT_EQ(dialogs_.LastPrompt().text, "The port must be a whole number from 1 to 65535.");
  EXPECT_EQ(w.Height(), 4215);
  EXPECT_EQ(Stored("VHO-KRN", "FTPPort"), "2121");
  dialogs_.ExpectAllUsed();
}

TEST_F(UploadTest, ClosingWithPendingEditsAsksFirst) {
  frmTransfer& w = Open(false);
  w.cmdConfigure_Click();
  w.txtDirectory->setText("elsewhere");
  dialogs_.AnswerMsgBox(ui::vbNo);
  w.close();
  EXPECT_EQ(dialogs_.LastPrompt().text, "Some of the FTP parameters have changed. Close this form and lose changes?");
  EXPECT_EQ(dialogs_.LastPrompt().style, ui::vbYesNo + ui::vbQuestion);
  EXPECT_TRUE(w.Loaded() && w.isVisible());
  dialogs_.AnswerMsgBox(ui::vbYes);
  w.close();
  EXPECT_FALSE(w.Loaded());
  EXPECT_EQ(Stored("VHO-KRN", "FTPDirectory"), "leafiles");
}

TEST_F(UploadTest, ThePanelsKeysAndTheClipboardGuardOfThePort) {
  frmTransfer& w = Open(false);
  w.activateWindow();
  w.cmdConfigure_Click();
  QApplication::processEvents();

  // Enter moves on: from the password to the server, from the port to the
  // user name.
  w.txtPassword->setFocus();
  fixtures::Key(*w.txtPassword, Qt::Key_Return, "\r");
  EXPECT_EQ(QApplication::focusWidget(), w.txtServer);
  EXPECT_EQ(w.txtServer->selectedText().toStdString(), "127.0.0.1");
  w.txtPort->setFocus();
  fixtures::Key(*w.txtPort, Qt::Key_Return, "\r");
  EXPECT_EQ(QApplication::focusWidget(), w.txtUsername);

  // The port takes digits only.
  w.txtPort->setText("");
  fixtures::Type(*w.txtPort, "2a1-0b9");
  EXPECT_EQ(w.txtPort->text().toStdString(), "2109");

  // A clipboard text that is no number is away while the button is down.
  QClipboard& clipboard = *QApplication::clipboard();
  clipboard.setText("ftp.example");
  QTest::mousePress(w.txtPort, Qt::LeftButton);
  EXPECT_EQ(clipboard.text().toStdString(), "");
  QTest::mouseRelease(w.txtPort, Qt::LeftButton);
  EXPECT_EQ(clipboard.text().toStdString(), "ftp.example");
  clipboard.setText("2121");
  QTest::mousePress(w.txtPort, Qt::LeftButton);
  EXPECT_EQ(clipboard.text().toStdString(), "2121");
  QTest::mouseRelease(w.txtPort, Qt::LeftButton);
  EXPECT_EQ(clipboard.text().toStdString(), "2121");
}

}  // namespace

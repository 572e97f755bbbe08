#include "frmTransfer.h"

#include <stdlib.h>

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QPointer>
#include <QThread>
#include <cctype>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "Deployment.h"
#include "Utilities.h"
#include "clsFTP.h"
#include "clsPassword.h"
#include "com/Registry.h"
#include "frmMain.h"
#include "modGlobals.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Settings.h"
#include "ui/TextFieldInput.h"
#include "ui/Twips.h"
#include "vb/App.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

namespace {

constexpr const char* kModule = "frmTransfer";

// The settings: the upload's under "VHO-KRN", the component account's
// under "VHO".
constexpr const char* kUploadApp = "VHO-KRN";
constexpr const char* kAccountApp = "VHO";
constexpr const char* kSection = "Setting";

// What a stored upload setting becomes when it is empty (or, for the
// folder, one of the former folders).
constexpr const char* kDefaultDirectory = "leafiles";
constexpr const char* kFormerDirectories[] = {"/TORB/Attendance/2002", "/"};
constexpr const char* kDefaultUsername = "BPTYrsq";
constexpr const char* kDefaultPassword = "KMTW7gate";
constexpr std::int32_t kDefaultPort = 21;

// The upload-password component on the server, and its detached signature
// beside it.
const std::string kComponentFile = "libpasswarden.so";
const std::string kSignatureFile = kComponentFile + ".sig";

constexpr const char* kSignatureWarning =
    "The password component from the server failed its signature check and was not used. Nothing was uploaded.";

// The window's client area is the classic window's size less its title bar
// and borders.
constexpr int kNonClientHeight = 405;
constexpr int kClientWidth = 7785;

// The layout, in twips; the panel's boxes inside the panel.
constexpr ui::TwipsPlace kPlaces[] = {
    {"Label1", 120, 195, 1560, 255},        {"txtExportMDB", 1740, 150, 4305, 315},
    {"Label7", 120, 585, 1560, 255},        {"txtLeaPassword", 1740, 540, 1575, 315},
    {"Label8", 120, 975, 1560, 255},        {"lblStatus", 1740, 975, 4305, 600},
    {"cmdSelectFile", 6240, 150, 1425, 375}, {"cmdConfigure", 6240, 585, 1425, 375},
    {"cmdCancel", 6240, 1020, 1425, 375},   {"Frame1", 120, 1500, 7545, 2220},
    {"Label6", 240, 345, 1095, 255},        {"txtServer", 1380, 300, 5925, 315},
    {"Label2", 240, 705, 1095, 255},        {"txtDirectory", 1380, 660, 3375, 315},
    {"Label3", 240, 1065, 1095, 255},       {"txtPort", 1380, 1020, 1095, 315},
    {"Label4", 240, 1425, 1095, 255},       {"txtUsername", 1380, 1380, 3375, 315},
    {"Label5", 240, 1785, 1095, 255},       {"txtPassword", 1380, 1740, 3375, 315},
    {"cmdOkFTP", 5880, 1290, 1425, 375},    {"cmdCancelFTP", 5880, 1710, 1425, 375},
};

std::string Setting(const char* app, const char* key) { return ui::GetSetting(app, kSection, key); }

// The folder in which the fetched component is kept: the user's own data
// folder, readable by the user alone.
std::filesystem::path ComponentDownloadFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  std::filesystem::path base;
  if (data && *data) {
    base = data;
  } else {
    const char* home = std::getenv("HOME");
    base = std::filesystem::path(home ? home : ".") / ".local" / "share";
  }
  const std::filesystem::path folder = base / "Levrona" / "Vho";
  if (!std::filesystem::exists(folder)) {
    std::filesystem::create_directories(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
  }
  return folder;
}

// A new folder inside another, removed with all it holds when the object
// goes.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::filesystem::path& inside) {
    std::string pattern = (inside / "fetch-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) vb::Raise(vb::err::PathFileAccessError);
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) vb::Raise(vb::err::FileNotFound);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The file name of a path: its part after the last "/".
std::string BaseName(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A port text as a port: digits only (blanks around them left aside),
// from 1 to 65535.
std::optional<std::int32_t> PortOf(const std::string& text) {
  const std::string digits = vb::Trim(text);
  if (digits.empty() || digits.size() > 5) return std::nullopt;
  for (char c : digits)
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
  const int port = std::stoi(digits);
  if (port < 1 || port > 65535) return std::nullopt;
  return port;
}

}  // namespace

frmTransfer::frmTransfer(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  ui::UseLayoutFace(*this);
  ui::PlaceControls(*this, kPlaces);
  ui::KeepAltCharactersOut(*txtLeaPassword);
  SetHeight(kCollapsedHeight);

  connect(cmdSelectFile, &QPushButton::clicked, this, [this] { cmdSelectFile_Click(); });
  connect(cmdConfigure, &QPushButton::clicked, this, [this] { cmdConfigure_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  connect(cmdOkFTP, &QPushButton::clicked, this, [this] { cmdOkFTP_Click(); });
  connect(cmdCancelFTP, &QPushButton::clicked, this, [this] { cmdCancelFTP_Click(); });
  connect(txtLeaPassword, &QLineEdit::textChanged, this, [this] { txtLeaPassword_Change(); });

  for (ui::QuorMaskText* box : {txtServer, txtDirectory, txtPort, txtUsername, txtPassword}) {
    connect(box, &QLineEdit::textChanged, this, [this] { PanelBoxChanged(); });
    connect(box, &ui::QuorMaskText::GotFocus, box, [box] { box->selectAll(); });
  }
  connect(txtServer, &ui::QuorMaskText::KeyPress, this,
          [this](std::int16_t& key) { EnterMovesOn("txtServer_KeyPress", key); });
  connect(txtDirectory, &ui::QuorMaskText::KeyPress, this,
          [this](std::int16_t& key) { EnterMovesOn("txtDirectory_KeyPress", key); });
  connect(txtUsername, &ui::QuorMaskText::KeyPress, this,
          [this](std::int16_t& key) { EnterMovesOn("txtUsername_KeyPress", key); });
  connect(txtPassword, &ui::QuorMaskText::KeyPress, this, [this](std::int16_t& key) { txtPassword_KeyPress(key); });
  connect(txtPort, &ui::QuorMaskText::KeyPress, this, [this](std::int16_t& key) { txtPort_KeyPress(key); });
  connect(txtPort, &ui::QuorMaskText::MouseDown, this, [this] { txtPort_MouseDown(); });
  connect(txtPort, &ui::QuorMaskText::MouseUp, this, [this] { txtPort_MouseUp(); });
}

frmTransfer::~frmTransfer() = default;

void frmTransfer::Install() {
  frmMain::SetUploadWindow([] {
    // Shown without an owner.
    auto window = std::make_unique<frmTransfer>();
    window->Load();
    return std::unique_ptr<QWidget>(std::move(window));
  });
}

// --- Opening, closing and the settings -------------------------------------------------

void frmTransfer::Form_Load() {
  Trap trap(kModule, "Form_Load");
  trap([&] { SetHeight(kCollapsedHeight); });
  trap([&] { ShowStatus({}); });
  trap([&] { LoadParameters(); });
}

void frmTransfer::SetHeight(int twips) {
  height_ = twips;
  setFixedSize(ui::TwipsToPixelsX(kClientWidth), ui::TwipsToPixelsY(twips - kNonClientHeight));
  // Below the window's edge the panel is out of sight and out of Tab's
  // reach.
  Frame1->setVisible(twips > kCollapsedHeight);
}

void frmTransfer::LoadParameters() {
  Trap trap(kModule, "LoadParameters");
  trap([&] {
    const deployment::UploadSites& sites = deployment::Sites();
    const std::string stored = Setting(kUploadApp, "FTPServer");
    const bool replaced = stored.empty() || stored == sites.formerServers[0] || stored == sites.formerServers[1] ||
                          stored == sites.formerServers[2];
    server_ = replaced ? sites.uploadServer : stored;
  });
  trap([&] {
    const std::string stored = Setting(kUploadApp, "FTPDirectory");
    const bool replaced =
        stored.empty() || stored == kFormerDirectories[0] || stored == kFormerDirectories[1];
    directory_ = replaced ? kDefaultDirectory : stored;
  });
  trap([&] {
    const std::string stored = Setting(kUploadApp, "FTPUsername");
    username_ = stored.empty() ? kDefaultUsername : stored;
  });
  trap([&] {
    const std::string stored = Setting(kUploadApp, "FTPPassword");
    password_ = stored.empty() ? kDefaultPassword : stored;
  });
  trap([&] {
    const std::string stored = Setting(kUploadApp, "FTPPort");
    port_ = stored.empty() || stored == "0" ? kDefaultPort : vb::CLng(vb::Variant(stored));
  });
  trap([&] { SaveParameters(); });
}

void frmTransfer::SaveParameters() {
  Trap trap(kModule, "SaveParameters");
  trap([&] { ui::SaveSetting(kUploadApp, kSection, "FTPServer", server_); });
  trap([&] { ui::SaveSetting(kUploadApp, kSection, "FTPDirectory", directory_); });
  trap([&] { ui::SaveSetting(kUploadApp, kSection, "FTPUsername", username_); });
  trap([&] { ui::SaveSetting(kUploadApp, kSection, "FTPPassword", password_); });
  trap([&] { ui::SaveSetting(kUploadApp, kSection, "FTPPort", std::to_string(port_)); });
}

void frmTransfer::DisplayError(std::string& text) { ui::MsgBox(text, ui::vbInformation); }

void frmTransfer::cmdCancel_Click() { Unload(); }

void frmTransfer::Form_QueryUnload(bool& cancel, UnloadMode) {
  Trap trap(kModule, "Form_QueryUnload");
  if (transferring_) {
    trap([] { ui::MsgBox("Cannot close while uploading files\rTry again later", ui::vbInformation); });
    cancel = true;
    return;
  }
  if (changed_) {
    int answer = ui::vbNo;
    trap([&] {
      answer = ui::MsgBox("Some of the FTP parameters have changed. Close this form and lose changes?",
                          ui::vbYesNo + ui::vbQuestion);
    });
    if (answer != ui::vbYes) cancel = true;
  }
}

void frmTransfer::reject() {
  if (transferring_) {
    TerminateTransfer();
    return;
  }
  ui::Form::reject();
}

// --- The county password ------------------------------------------------------------------

void frmTransfer::txtLeaPassword_Change() {
  // Eight characters at most: a longer text gives way to the last accepted
  // one.
  if (txtLeaPassword->text().size() > 8) {
    txtLeaPassword->setText(QString::fromStdString(leaPassword_).left(8));
    txtLeaPassword->setCursorPosition(8);
  }
  leaPassword_ = vb::UCase(txtLeaPassword->text().toStdString());
}

// --- The upload command ---------------------------------------------------------------------

void frmTransfer::cmdSelectFile_Click() {
  Trap trap(kModule, "cmdSelectFile_Click");
  if (leaPassword_.empty()) {
    trap([] { ui::MsgBox("Please enter your password", ui::vbInformation); });
    trap([&] { txtLeaPassword->setFocus(); });
    return;
  }

  // A failed account step goes on with the fetch after Ignore.
  bool account = true;
  trap([&] { account = GetVhoFtpStuff(); });
  if (trap.Left()) return;
  if (!account) {
    trap([] { ui::MsgBox("Unable to read registry", ui::vbInformation); });
    return;
  }
  bool fetched = false;
  trap([&] { fetched = GetVhoDll(); });
  if (trap.Left()) return;
  if (!fetched) {
    trap([&] {
      if (signatureRefused_)
        ui::MsgBox(kSignatureWarning, ui::vbExclamation);
      else
        ui::MsgBox("Unable to update dll", ui::vbInformation);
    });
    return;
  }

  // The component verifies the password; one that cannot be made verifies
  // nothing.
  bool verified = false;
  trap([&] {
    auto checker = com::CreateObjectFromDescriptor<password::clsPassword>(vb::Deref(component_).Descriptor(),
                                                                           password::kClassName);
    verified = checker->VerifyLeaPassword(modGlobals::GlobalParam().CountyName, leaPassword_) == -1;
  });
  component_.reset();
  if (trap.Left()) return;
  if (!verified) {
    trap([] { ui::MsgBox("The password to submit your datafile is incorrect", ui::vbExclamation); });
    trap([&] {
      txtLeaPassword->setFocus();
      txtLeaPassword->selectAll();
    });
    return;
  }
  trap([&] { ShowStatus({}); });

  // The choice and the question report no failure of their own.
  Trap quiet(kModule, "cmdSelectFile_Click", Trap::Mode::Silent);
  ui::FileDialogRequest request;
  request.title = "Select Datafile to Submit";
  request.filter = "Export Files|ZORIQV*;VuzO*";
  request.initialDir = vb::App::Path() + "/Export";
  std::optional<std::string> chosen;
  quiet([&] { chosen = ui::dialogs().OpenFile(request); });
  if (!chosen) return;
  const std::string path = *chosen;
  quiet([&] { UploadFileName = BaseName(path); });
  int answer = ui::vbNo;
  quiet([&] {
    answer = ui::MsgBox(
        "You are uploading a file to be submitted to VHO for processing.\r\n"
        "Are you sure you want to upload the following data file:\r\n" +
            UploadFileName + "?",
        ui::vbYesNo + ui::vbQuestion);
  });
  if (answer != ui::vbYes) return;
  quiet([&] { txtExportMDB->setText(QString::fromStdString(path)); });
  if (quiet.Failed()) {
    trap([] { Utilities::ScreenMouseEnabled(true); });
    return;
  }

  bool available = false;
  trap([&] {
    std::error_code ec;
    available = std::filesystem::is_regular_file(txtExportMDB->text().toStdString(), ec);
  });
  if (!available) {
    trap([] { ui::MsgBox("FTP file is not available", ui::vbInformation); });
    return;
  }
  trap([&] {
    std::string fileName = txtExportMDB->text().toStdString();
    ExportFile(fileName);
  });
}

bool frmTransfer::GetVhoFtpStuff() {
  try {
    // A value that is missing is stored with its default.
    auto account = [](const char* key, const char* fallback) {
      std::string value = Setting(kAccountApp, key);
      if (value.empty()) {
        value = fallback;
        ui::SaveSetting(kAccountApp, kSection, key, value);
      }
      return value;
    };
    vhoPassword_ = account("FtpVhoPassword", "~1987mint");
    vhoUsername_ = account("FtpVhoUsername", "WZSTBftktg");
    vhoDirectory_ = account("FtpVhoDirectory", "/TORB");
    return true;
  } catch (const vb::VbError& e) {
    throw vb::VbError(666, e.Description(), "GetVhoFtpStuff");
  } catch (const std::exception& e) {
    throw vb::VbError(666, e.what(), "GetVhoFtpStuff");
  }
}

bool frmTransfer::GetVhoDll() {
  try {
    signatureRefused_ = false;
    component_.reset();
    const deployment::UploadSites& sites = deployment::Sites();
    const std::filesystem::path folder = ComponentDownloadFolder();
    const ScratchFolder scratch(folder);
    const std::filesystem::path library = scratch.Path() / kComponentFile;
    const std::filesystem::path signature = scratch.Path() / kSignatureFile;

    objFTP = NewClient();
    std::shared_ptr<clsFTP> ftp = objFTP;
    ftp->Server = sites.componentServer;
    ftp->Username = vhoUsername_;
    ftp->Password = vhoPassword_;
    ftp->Port = sites.componentPort;
    std::string directory = vhoDirectory_;
    // A signature that the server does not have is a failed check, not a
    // failed fetch.
    bool signed_ = false;
    const bool fetched = RunTransfer([&] {
      if (!ftp->Connect() || !ftp->SetDirectory(directory) || !ftp->GetFile(kComponentFile, library.string()))
        return false;
      signed_ = ftp->GetFile(kSignatureFile, signature.string());
      const bool missing = !signed_ && ftp->LastError().starts_with(std::to_string(clsFTP::kServerRefused) + ": ");
      ftp->Disconnect();
      return signed_ || missing;
    });
    if (!fetched) {
      QApplication::beep();
      ShowStatus(QString::fromStdString(ftp->LastError()));
      objFTP.reset();
      return false;
    }
    objFTP.reset();

    // The bytes checked are the bytes that will run.
    com::SealedLibrary sealed(ReadBytes(library), kComponentFile);
    if (!signed_ || !sealed.SignedBy(ReadBytes(signature), sites.componentKey)) {
      QApplication::beep();
      ShowStatus(QString::fromStdString("Signature check failed: " + kComponentFile));
      signatureRefused_ = true;
      return false;
    }
    // Replaced by rename: a library that is loaded is never written over.
    std::filesystem::rename(library, folder / kComponentFile);
    component_ = std::move(sealed);
    return true;
  } catch (const vb::VbError& e) {
    objFTP.reset();
    throw vb::VbError(6666, e.Description(), "GetVhoDll");
  } catch (const std::exception& e) {
    objFTP.reset();
    throw vb::VbError(6666, e.what(), "GetVhoDll");
  }
}

void frmTransfer::ExportFile(std::string& fileName) {
  Trap trap(kModule, "ExportFile");
  std::shared_ptr<clsFTP> ftp;
  trap([&] {
    objFTP = NewClient();
    ftp = objFTP;
    ftp->Server = server_;
    ftp->Username = username_;
    ftp->Password = password_;
    ftp->Port = port_;
  });
  if (!ftp) return;

  enum class Step { Connect, Folder, Send, Done };
  Step reached = Step::Connect;
  trap([&] {
    std::string directory = directory_;
    const std::string source = fileName;
    RunTransfer([&] {
      reached = Step::Connect;
      if (!ftp->Connect()) return false;
      reached = Step::Folder;
      if (!ftp->SetDirectory(directory)) return false;
      reached = Step::Send;
      std::string remoteName;
      if (ftp->SendFile(source, remoteName)) reached = Step::Done;
      ftp->Disconnect();
      return reached == Step::Done;
    });
  });

  if (reached == Step::Done) {
    trap([&] { ShowStatus(QStringLiteral("Upload Complete")); });
    trap([] { Utilities::ScreenMouseEnabled(true); });
    trap([&] {
      std::string report = "Submit Datafile.. Date & Time:  " +
                           vb::Format(vb::Variant(ui::Now()), "mmm-dd-yyyy hh:nn:ss") + "\r\n\r\n" + fileName +
                           "\r\n\r\nOperation Completed.\r\n";
      Utilities::TransferStatus(report);
    });
  } else if (!trap.Left()) {
    trap([&] {
      QApplication::beep();
      std::string shown = ftp->LastError();
      // The server's refusal of a file it holds names the file.
      const bool held = reached == Step::Send && !UploadFileName.empty() &&
                        vb::LCase(shown).find(vb::LCase(UploadFileName)) != std::string::npos;
      if (held) shown = UploadFileName + " already on server";
      ShowStatus(QString::fromStdString(shown));
    });
  }
  objFTP.reset();
}

// --- The transfer under way ---------------------------------------------------------------------

std::shared_ptr<clsFTP> frmTransfer::NewClient() {
  auto client = std::make_shared<clsFTP>();
  client->Status = [this](std::string& text) {
    const std::string shown = text;
    if (QThread::currentThread() == thread())
      objFTP_Status(shown);
    else
      QMetaObject::invokeMethod(this, [this, shown] { objFTP_Status(shown); }, Qt::QueuedConnection);
  };
  return client;
}

void frmTransfer::objFTP_Status(const std::string& text) {
  if (text.compare(0, 10, "DISCONNECT") != 0) ShowStatus(QString::fromStdString(text));
}

void frmTransfer::ShowStatus(const QString& text) {
  // A server's reply after a carriage return shows on a line of its own.
  QString shown = text;
  lblStatus->setText(shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n'));
  emit StatusShown(text);
}

bool frmTransfer::RunTransfer(const std::function<bool()>& work) {
  SetTransferring(true);
  bool done = false;
  std::exception_ptr failure;
  QEventLoop loop;
  // The window keeps painting and takes Escape and close attempts while the
  // work runs; its Status texts arrive before the loop ends.
  std::thread worker([&] {
    try {
      done = work();
    } catch (...) {
      failure = std::current_exception();
    }
    QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  SetTransferring(false);
  if (failure) std::rethrow_exception(failure);
  return done;
}

void frmTransfer::SetTransferring(bool busy) {
  transferring_ = busy;
  for (QWidget* control : std::initializer_list<QWidget*>{txtExportMDB, txtLeaPassword, cmdSelectFile, cmdConfigure,
                                                         cmdCancel, Frame1})
    control->setEnabled(!busy);
  Utilities::ScreenMouseEnabled(!busy);
}

void frmTransfer::TerminateTransfer() {
  Trap trap(kModule, "TerminateTransfer");
  trap([&] {
    if (transferring_ && objFTP)
      objFTP->Cancel();  // the busy state ends when the transfer has stopped
    else
      SetTransferring(false);
  });
}

// --- The settings panel ------------------------------------------------------------------------------

void frmTransfer::ShowHeldSettings() {
  txtUsername->setText(QString::fromStdString(username_));
  txtPassword->setText(QString::fromStdString(password_));
  txtServer->setText(QString::fromStdString(server_));
  txtDirectory->setText(QString::fromStdString(directory_));
  txtPort->setText(QString::number(port_));
}

void frmTransfer::cmdConfigure_Click() {
  Trap trap(kModule, "cmdConfigure_Click");
  trap([&] { SetHeight(kExpandedHeight); });
  trap([&] { ShowHeldSettings(); });
  trap([&] {
    cmdSelectFile->setEnabled(true);
    cmdCancel->setEnabled(true);
    changed_ = false;
  });
}

void frmTransfer::PanelBoxChanged() {
  CheckConfiguration();
  changed_ = true;
}

void frmTransfer::CheckConfiguration() {
  bool complete = true;
  for (const ui::QuorMaskText* box : {txtServer, txtDirectory, txtPort, txtUsername, txtPassword})
    if (box->text().trimmed().isEmpty()) complete = false;
  cmdOkFTP->setEnabled(complete && vb::IsNumeric(vb::Variant(txtPort->text().toStdString())));
  // No upload and no close by button while the panel holds edits.
  cmdSelectFile->setEnabled(false);
  cmdCancel->setEnabled(false);
}

void frmTransfer::cmdOkFTP_Click() {
  const std::optional<std::int32_t> port = PortOf(txtPort->text().toStdString());
  if (!port) {
    ui::MsgBox("The port must be a whole number from 1 to 65535.", ui::vbInformation);
    txtPort->setFocus();
    return;
  }
  username_ = txtUsername->text().toStdString();
  password_ = txtPassword->text().toStdString();
  server_ = txtServer->text().toStdString();
  directory_ = txtDirectory->text().toStdString();
  port_ = *port;
  SaveParameters();
  cmdSelectFile->setEnabled(true);
  cmdCancel->setEnabled(true);
  SetHeight(kCollapsedHeight);
  changed_ = false;
}

void frmTransfer::cmdCancelFTP_Click() {
  ShowHeldSettings();
  SetHeight(kCollapsedHeight);
  cmdSelectFile->setEnabled(true);
  cmdCancel->setEnabled(true);
  changed_ = false;
}

void frmTransfer::EnterMovesOn(const char* procedure, std::int16_t& KeyAscii) {
  Trap trap(kModule, procedure);
  if (KeyAscii == 13) trap([] { Utilities::SendTab(); });
}

void frmTransfer::txtPassword_KeyPress(std::int16_t& KeyAscii) {
  Trap trap(kModule, "txtPassword_KeyPress");
  // The last box of the panel goes back to the first.
  if (KeyAscii == 13) trap([&] { txtServer->setFocus(); });
}

void frmTransfer::txtPort_KeyPress(std::int16_t& KeyAscii) {
  if (KeyAscii == 13) {
    EnterMovesOn("txtPort_KeyPress", KeyAscii);
    return;
  }
  const bool digit = KeyAscii >= '0' && KeyAscii <= '9';
  if (!digit && KeyAscii != 8) KeyAscii = 0;
}

// A text on the clipboard that is not a number is kept away from the port
// box while a mouse button is down on it, and comes back afterwards. A
// clipboard without text is left alone.
void frmTransfer::txtPort_MouseDown() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  auto guard = [&](QClipboard::Mode mode, std::string& saved) {
    saved = clipboard->text(mode).toStdString();
    if (!saved.empty() && !vb::IsNumeric(vb::Variant(saved))) clipboard->clear(mode);
  };
  guard(QClipboard::Clipboard, savedClipboard_);
  if (clipboard->supportsSelection()) guard(QClipboard::Selection, savedSelection_);
}

void frmTransfer::txtPort_MouseUp() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  auto restore = [&](QClipboard::Mode mode, const std::string& saved) {
    if (!saved.empty() && !vb::IsNumeric(vb::Variant(saved))) clipboard->setText(QString::fromStdString(saved), mode);
  };
  restore(QClipboard::Clipboard, savedClipboard_);
  if (clipboard->supportsSelection()) restore(QClipboard::Selection, savedSelection_);
}

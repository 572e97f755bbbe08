#include "UploadFixture.h"

#include <QApplication>
#include <fstream>
#include <iterator>

#include "frmStatus.h"
#include "modGlobals.h"
#include "ui/Settings.h"

namespace {

constexpr double kDecember9th2026At143357 = 46365.0 + (14 * 3600 + 33 * 60 + 57) / 86400.0;

com::SecretKey TestKey() {
  return com::SecretKeyFromHex(ReadBytes(std::filesystem::path(LEV_SOURCE_DIR) / "tests/fixtures/component-test.key"));
}

}  // namespace

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  std::uint32_t x = 2463534242u;
  for (char& b : bytes) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    b = static_cast<char>(x);
  }
  return bytes;
}

void UploadTest::SetUp() {
  ProgramTest::SetUp();
  ftpRoot_ = ProgramFolder() / "ftp";
  std::filesystem::create_directories(ServerUploadFolder());
  std::filesystem::create_directories(ServerComponentFolder());
  StartServer();
  sites_.uploadServer = "127.0.0.1";
  sites_.formerServers = {"old-ftp.example", "192.0.2.7", "old-files.example"};
  sites_.componentServer = "127.0.0.1";
  sites_.componentKey = com::PublicKeyOf(TestKey());
  deployment::RedirectSites(&sites_);
  const std::string library = ComponentBytes();
  const std::string signature = TestSignature(library);
  Publish(library, &signature);
  modGlobals::GlobalParam().CountyName = "Birch County";
  clock_ = std::make_unique<ScriptedClock>(vb::Date{kDecember9th2026At143357});
}

void UploadTest::TearDown() {
  window_.reset();
  clock_.reset();
  server_.reset();
  deployment::RedirectSites(nullptr);
  ProgramTest::TearDown();
}

void UploadTest::StartServer(fixtures::FtpSwitches switches) {
  server_.reset();
  server_ = std::make_unique<fixtures::FtpServer>(
      std::vector<fixtures::FtpAccount>{{"BPTYrsq", "KMTW7gate", ftpRoot_ / "upload"},
                                        {"WZSTBftktg", "~1987mint", ftpRoot_ / "component"}},
      switches);
  sites_.componentPort = server_->Port();
}

std::vector<std::string> UploadTest::ServerUploads() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(ServerUploadFolder()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string UploadTest::ComponentBytes() {
  return ReadBytes(std::filesystem::path(LEV_PROGRAM_DIR) / "libpasswarden.so");
}

std::string UploadTest::TestSignature(const std::string& bytes) { return com::SignDetached(bytes, TestKey()); }

void UploadTest::Publish(const std::string& library, const std::string* signature) {
  std::error_code ec;
  std::filesystem::remove(ServerComponentFolder() / "libpasswarden.so", ec);
  std::filesystem::remove(ServerComponentFolder() / "libpasswarden.so.sig", ec);
  WriteBytes(ServerComponentFolder() / "libpasswarden.so", library);
  if (signature) WriteBytes(ServerComponentFolder() / "libpasswarden.so.sig", *signature);
}

std::filesystem::path UploadTest::ExportFileOf(const std::string& name, std::size_t size) {
  const auto path = ProgramFolder() / "Export" / name;
  WriteBytes(path, Pattern(size));
  return path;
}

frmTransfer& UploadTest::Open(bool pointAtServer) {
  if (pointAtServer) ui::SaveSetting("VHO-KRN", "Setting", "FTPPort", std::to_string(Port()));
  window_ = std::make_unique<frmTransfer>();
  QObject::connect(window_.get(), &frmTransfer::StatusShown,
                   [this](const QString& text) { statuses_.push_back(text.toStdString()); });
  window_->Load();
  window_->show();
  return *window_;
}

void UploadTest::Upload(const std::string& typedPassword, const std::filesystem::path& file) {
  frmTransfer& w = Window();
  w.txtLeaPassword->setText(QString::fromStdString(typedPassword));
  dialogs_.AnswerFile(file.string());
  dialogs_.AnswerMsgBox(ui::vbYes);
  dialogs_.AnswerModal([this](QWidget& window) {
    report_ = dynamic_cast<frmStatus&>(window).txtStatus->toPlainText().toStdString();
    return 0;
  });
  w.cmdSelectFile_Click();
}

#pragma once
// The upload against a real FTP server on 127.0.0.1: an upload account
// (home "upload", folder "leafiles") and a component account (home
// "component", folder "TORB") with the default account names and
// passwords, the program's password component published in "TORB" with a
// signature of the test signing key (tests/fixtures/component-test.key),
// and the deployment's sites and key redirected to the server and that key.
// The clock stands at Dec-09-2026 14:33:57; the county is "Birch County"
// (whose password is A8CD749).

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Deployment.h"
#include "FtpServer.h"
#include "ScriptedSeams.h"
#include "TestEnvironment.h"
#include "com/SealedLibrary.h"
#include "frmTransfer.h"

class UploadTest : public ProgramTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // (Re)starts the server over the same folders, with these switches.
  void StartServer(fixtures::FtpSwitches switches = {});
  int Port() const { return server_->Port(); }

  // The server's upload folder and component folder.
  std::filesystem::path ServerUploadFolder() const { return ftpRoot_ / "upload" / "leafiles"; }
  std::filesystem::path ServerComponentFolder() const { return ftpRoot_ / "component" / "TORB"; }
  // The names in the server's upload folder.
  std::vector<std::string> ServerUploads() const;
  // The folder where the program keeps the fetched component.
  std::filesystem::path KeptComponentFolder() const { return ProgramFolder() / "data" / "Levrona" / "Vho"; }

  // The program's password component, and a signature of bytes by the test
  // key.
  static std::string ComponentBytes();
  static std::string TestSignature(const std::string& bytes);
  // Publishes a library and (unless nullptr) its signature on the server.
  void Publish(const std::string& library, const std::string* signature);

  // A file of `size` bytes in the Export folder; answers its path.
  std::filesystem::path ExportFileOf(const std::string& name, std::size_t size);

  // A new upload window, loaded and shown off screen; with `pointAtServer`
  // the stored upload port is the server's first. Each status text it shows
  // is kept in statuses_.
  frmTransfer& Open(bool pointAtServer = true);
  frmTransfer& Window() { return *window_; }

  // Types the county password and answers the file dialog with the path
  // and the question with Yes; answers the report window, keeping its
  // text. Then presses Select File.
  void Upload(const std::string& typedPassword, const std::filesystem::path& file);

  std::vector<std::string> statuses_;
  std::string report_;
  deployment::UploadSites sites_;

 private:
  std::filesystem::path ftpRoot_;
  std::unique_ptr<fixtures::FtpServer> server_;
  std::unique_ptr<frmTransfer> window_;
  std::unique_ptr<ScriptedClock> clock_;
};

// Reads a whole file.
std::string ReadBytes(const std::filesystem::path& path);
// Writes a whole file.
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
// `size` bytes of a pattern that no shift of it repeats.
std::string Pattern(std::size_t size);

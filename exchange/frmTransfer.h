#pragma once
// The upload dialog ("Submit Datafile"): sends one certified-data file from
// the Export folder to the state's collection server by FTP. Select File
// runs the whole upload: it requires the county password, fetches the
// upload-password component from the server, has it verify the password,
// lets the user pick the file, asks, and sends it. Progress and failures
// show in the status label; a completed upload is also reported in the
// status window. Advanced opens the settings panel below, in which the user
// edits the five upload settings.
//
// The upload settings live under "VHO-KRN", the component account under
// "VHO" (section "Setting"); defaults and replaced values are stored at
// once. The servers and the component's signing key are the deployment's
// (Deployment.h).
//
// The component runs only when its detached signature verifies with the
// deployment's public key, and it runs from the very bytes that were
// verified (a sealed memory file). A verified component replaces the one
// kept in the user's data folder ($XDG_DATA_HOME/Levrona/Vho) by rename.
//
// The fetch and the upload run on a worker thread, so the window is never
// frozen: while they run the window is busy (its boxes and buttons
// disabled, the hourglass shown), a close is refused, and Escape stops the
// transfer.
//
// The main window's upload command opens the window modally through the
// maker that Install puts in place.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "com/SealedLibrary.h"
#include "ui/Form.h"
#include "ui_frmTransfer.h"

class clsFTP;

class frmTransfer : public ui::Form, public Ui::frmTransfer {
  Q_OBJECT

 public:
  explicit frmTransfer(QWidget* parent = nullptr);
  ~frmTransfer() override;

  // Makes the main window's upload command open a new, loaded window.
  static void Install();

  // The window's height in twips (the panel shows above kCollapsedHeight).
  static constexpr int kCollapsedHeight = 2000;
  static constexpr int kExpandedHeight = 4215;
  int Height() const { return height_; }

  // Stops a transfer under way (the busy state ends when it has stopped);
  // without one, clears the busy state.
  void TerminateTransfer();
  // Fills the upload settings from the settings store, then writes them
  // back.
  void LoadParameters();
  // Writes the five upload settings.
  void SaveParameters();
  // Shows the text in an information box.
  void DisplayError(std::string& text);

  // The held upload settings.
  const std::string& FtpServer() const { return server_; }
  const std::string& FtpDirectory() const { return directory_; }
  const std::string& FtpUsername() const { return username_; }
  const std::string& FtpPassword() const { return password_; }
  std::int32_t FtpPort() const { return port_; }
  // The county password as typed, upper-cased.
  const std::string& LeaPassword() const { return leaPassword_; }
  // The settings panel holds edits that are not confirmed.
  bool Changed() const { return changed_; }
  // A transfer is under way.
  bool Transferring() const { return transferring_; }

 signals:
  // The status label shows a new text.
  void StatusShown(const QString& text);

 public:
  // --- Commands and handlers.
  void cmdSelectFile_Click();
  void cmdCancel_Click();
  void cmdConfigure_Click();
  void cmdOkFTP_Click();
  void cmdCancelFTP_Click();
  void txtLeaPassword_Change();
  void txtPort_KeyPress(std::int16_t& KeyAscii);
  void txtPort_MouseDown();
  void txtPort_MouseUp();

 protected:
  void Form_Load() override;
  void Form_QueryUnload(bool& cancel, UnloadMode mode) override;
  // Escape stops a transfer under way instead of closing the window.
  void reject() override;

 private:
  // The component account (application "VHO"); error 666 on failure.
  bool GetVhoFtpStuff();
  // Fetches the component and its signature and checks it; error 6666 on
  // a run-time failure.
  bool GetVhoDll();
  // Sends the file.
  void ExportFile(std::string& fileName);
  // The Status event of the client under way: shown in the label.
  void objFTP_Status(const std::string& text);
  // Puts a text into the status label.
  void ShowStatus(const QString& text);
  // Runs the work on a worker thread while the window stays busy but
  // responsive; a run-time failure of the work is raised here afterwards.
  bool RunTransfer(const std::function<bool()>& work);
  // A new client whose Status texts reach the label.
  std::shared_ptr<clsFTP> NewClient();
  void SetTransferring(bool busy);
  void SetHeight(int twips);
  // The panel's box handlers.
  void PanelBoxChanged();
  void CheckConfiguration();
  void EnterMovesOn(const char* procedure, std::int16_t& KeyAscii);
  void txtPassword_KeyPress(std::int16_t& KeyAscii);
  // Puts the held settings into the panel's boxes.
  void ShowHeldSettings();

  std::string server_;
  std::string directory_;
  std::string username_;
  std::string password_;
  std::int32_t port_ = 0;
  // The component account.
  std::string vhoUsername_;
  std::string vhoPassword_;
  std::string vhoDirectory_;

  std::string leaPassword_;
  std::string UploadFileName;
  bool changed_ = false;
  bool transferring_ = false;
  int height_ = kCollapsedHeight;
  // The client of the operation under way.
  std::shared_ptr<clsFTP> objFTP;
  // The verified component, until the password object is made from it.
  std::optional<com::SealedLibrary> component_;
  // The last fetch failed its signature check.
  bool signatureRefused_ = false;
  // The clipboard's texts at the last mouse press on the port box.
  std::string savedClipboard_;
  std::string savedSelection_;
};

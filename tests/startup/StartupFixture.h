#pragma once
// The start-up tests' program: a fresh program folder and database
// (ProgramTest), the components found in a folder that also holds a probe
// component ("startprobe"), a runtime folder of its own for the
// single-instance lock, the program-wide texts cleared, and a stand-in main
// window that a logon opens.

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <array>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "ui/Form.h"
#include "vb/Variant.h"

class frmLogon;

// The main window as far as the logon, the start module and the contact
// window reach it: a window named "frmMain" with its selection buttons,
// entry-screen grid and the status-bar panel that names the contact.
class StandInMainWindow final : public ui::Form {
 public:
  StandInMainWindow();
  std::array<QPushButton*, 4> cmdSelection{};
  QTableView* dgForms = nullptr;
  QLabel* userPanel = nullptr;
  int shown = 0;
};

struct Contact {
  std::string name;
  int group = 0;
  vb::Variant county;
  vb::Variant district;
  vb::Variant school;
  vb::Variant phone = vb::Null;
  vb::Variant fax = vb::Null;
  vb::Variant email = vb::Null;
};

class StartupTest : public ProgramTest {
 public:
  // Runs a statement on the test's own connection.
  void Execute(const std::string& sql, const std::vector<vb::Variant>& params = {});
  // Adds a contact; answers its id.
  int AddContact(const Contact& contact);

 protected:
  void SetUp() override;
  void TearDown() override;

  // A new logon window, loaded as when it is shown.
  frmLogon& OpenLogon();
  // Chooses a contact in a logon window's list by name and logs on.
  void LogOn(frmLogon& logon, const std::string& contact);

  // The folder where the single-instance lock of the program lives.
  const std::string& RuntimeFolder() const { return runtime_; }
  // The path of the helper that plays a copy of the program already
  // running.
  static const char* FirstCopyProgram();

  StandInMainWindow* mainWindow_ = nullptr;

 private:
  std::string runtime_;
};

// The prompts of one kind.
std::vector<RecordedPrompt> PromptsOf(const ScriptedDialogs& dialogs, const std::string& kind);

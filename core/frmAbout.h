#pragma once
// The about box: the product artwork beside the program name, fiscal-year
// range, version and maker, and a button that starts the
// system-information tool.

#include <string>

#include "ui/Form.h"
#include "ui_frmAbout.h"

class frmAbout : public ui::Form, public Ui::frmAbout {
  Q_OBJECT

 public:
  explicit frmAbout(QWidget* parent = nullptr);

  void cmdSysInfo_Click();
  void cmdOK_Click();

  // Starts the system-information tool named by the setting "SysInfoPath"
  // (application "VHO-KRN", section "Setting") when it is an executable
  // file; otherwise tells the user that it is unavailable.
  void StartSysInfo();
  // Reads one setting into `value`; answers false (and an empty value) when
  // it is not there.
  bool GetKeyValue(const std::string& appName, const std::string& section, const std::string& key,
                   std::string& value);

 protected:
  void Form_Load() override;
};

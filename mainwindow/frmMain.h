#pragma once
// The main window: after a logon it drives the program until the user logs
// out (the logon window comes back) or exits (the program ends). One shared
// instance exists per logon; its module installs the maker with which the
// logon window opens it.
//
// Its caption and status bar show the program, the logged-on contact, the
// fiscal year and period. The status-bar panels are reachable by name
// ("StBarMain_Panel1" to "StBarMain_Panel5").

#include <QLabel>
#include <array>
#include <memory>

#include "clsGlobalParam.h"
#include "ui/Form.h"
#include "ui_frmMain.h"

class frmMain : public ui::Form, public Ui::frmMain {
  Q_OBJECT

 public:
  explicit frmMain(QWidget* parent = nullptr);

  // The shared instance, created on first reference; after an unload the
  // next reference makes a fresh one.
  static frmMain& Default();
  // Lets the logon window open the main window.
  static void Install();

  // The window's own copy of the global parameters, made at load.
  std::unique_ptr<clsGlobalParam> GParam;

  // The caption and the status-bar panels 2 to 4.
  void RefreshTitle();
  // The text of a status-bar panel (1 to 5).
  QString PanelText(int panel) const;

  void mnuNew_Logout_Click();
  void mnuNew_Exit_Click();

 protected:
  void Form_Load() override;
  void Form_Unload() override;

 private:
  void SetPanelText(int panel, const std::string& text);
  void ShowDate();

  std::array<QLabel*, 5> panels_{};
  bool released_ = false;
};

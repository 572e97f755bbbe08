#pragma once
// The main window: after a logon it drives the program until the user logs
// out (the logon window comes back) or exits (the program ends). One shared
// instance exists per logon.
//
// Its upper grid, dgLEA, lists the agencies of the chosen kind that the
// logged-on contact may see (record set rsDist); the current row of that list
// is the current agency, copied into the global parameters on every row
// move. The lower grid, dgForms, lists the entry screens of that agency.
// The caption and the status bar show the program, the logged-on contact,
// the fiscal year and period; the menus are kept by name in Menus(), whose
// check marks also hold the agency kind and the prior-year correction mode.

#include <QLabel>
#include <QPushButton>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "clsGlobalParam.h"
#include "db/Recordset.h"
#include "ui/MainForm.h"
#include "ui/MenuModel.h"
#include "ui_frmMain.h"

class frmMain : public ui::MainForm, public Ui::frmMain {
  Q_OBJECT

 public:
  explicit frmMain(QWidget* parent = nullptr);
  ~frmMain() override;

  // The shared instance, created on first reference; after an unload the
  // next reference makes a fresh one.
  static frmMain& Default();
  // Lets the logon window open the main window.
  static void Install();

  // --- Window state.
  // The window's own copy of the global parameters, made at load: it keeps
  // the logon agency's codes while gobjGlobalParam follows the current
  // agency.
  std::unique_ptr<clsGlobalParam> GParam;
  // Row and column of each grid under the pointer at its last mouse-down.
  std::int16_t dgLEARowValue = 0;
  std::int16_t dgLEAColValue = 0;
  std::int16_t dgFormsRowValue = 0;
  std::int16_t dgFormsColValue = 0;
  // True while a command walks the whole agency list: the row moves then
  // change no current agency.
  bool mblnLEABathMode = false;
  // The four selection buttons: 0 and 1 act on the entry-screen list, 2 and
  // 3 on the agency list.
  std::array<QPushButton*, 4> cmdSelection{};

  // The menu items by name ("mnu_PY_P2").
  ui::MenuModel& Menus() { return *menus_; }

  // --- The entry-screen list of the current agency.
  void refreshForms(const std::string& category = {});
  void Refresh_Forms_By_Category();

  // --- The agency list.
  // Caption and kind marks for the current kind, then the list.
  void RefreshLEAs();
  // The query of the logon scope and kind, the binding and layout of the
  // grid, and the agency selection buttons.
  void refresh_LEA();

  // --- Caption, status bar and menu states.
  void RefreshTitle();
  // Greys the data menus while the agency list is empty.
  void EnableDisableMenu();
  // Hides the items that this tax program does not offer.
  void CountyTaxOnlyMenu();
  // The text of a status-bar panel (1 to 5); the contact registration
  // window writes panels too.
  std::string PanelText(int panel) const;
  void SetPanelText(int panel, const std::string& text);

  // --- Commands of the File and Help menus.
  void mnuNew_Logout_Click();
  void mnuNew_Exit_Click();
  void mnuHelp_Help_Click();
  void mnuHelp_About_Click();
  void mnuStatus_Click();

  // --- Commands of the import, export, printing and ASCII exchange.
  void mnuNew_ImportASCII_Click();
  void mnuNew_ImportCertified_Click();
  void mnuNew_ExportASCII_Click();
  void mnuNew_ExportCertified_Click();
  void mnuNew_Reports_Click();
  void mnuNew_BlankReports_Click();
  void mnuNew_Certification_Click();
  void mnunew_BlankCert_Click();
  void mnu_Coe_Certification_Click();
  void mnuNew_SummaryPrint_Click();
  void mnuCertCounty_Click();
  void mnuCertTax_Click();
  void mnuNew_PrinterSetup_Click();
  void mnuUploadCertifiedData_Click();

 protected:
  void Form_Load() override;
  void Form_Unload() override;
  void Form_Resize() override;

 private:
  // The hourglass and a disabled window (false), or the normal pointer and
  // an enabled window (true).
  void EnableMouse(bool bEnable);
  bool OpenHelpPage(int unused);
  // The common start of the agency-kind commands.
  void BeginLEAKindSwitch();
  // Menu states by the logged-on user group, once per load.
  void ToggleMenu();
  // Clears the agency-kind check marks.
  void MenuUnCheck();
  // The column layout that depends on the agency kind.
  void SelpaRefreshGrid();
  // The column layout of the agency grid after each binding.
  void LayOutAgencyGrid();
  // The row-move notification of rsDist: the current agency.
  void rsDist_MoveComplete();
  // The prior-year correction mode: either correction item is checked.
  bool CorrectionMode() const;
  void PlaceControls();
  void BuildStatusBar();

  std::unique_ptr<ui::MenuModel> menus_;
  std::array<QLabel*, 5> panels_{};
  db::RecordsetPtr rsDist;
  db::RecordsetPtr rsForm;
  bool released_ = false;
};

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
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "SelectionArray.h"

#include "clsGlobalParam.h"
#include "db/Recordset.h"
#include "ui/MainForm.h"
#include "ui/MenuModel.h"
#include "ui_frmMain.h"

class Trap;

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

  // --- What the batch commands gather (printing, export).
  // Rows added to agency arrays (the commands set it to 0 before gathering)
  // and rows of the last entry-screen array.
  std::int16_t mintLEACount = 0;
  std::int16_t mintProgramCount = 0;
  // 1 when a blank-printing command may run without a selected agency.
  std::int32_t mlngNoLEASelected = 0;
  // The blank-reports run's copy of the entry-screen list.
  db::RecordsetPtr mrsFormClone;
  // Where the commands keep the arrays they gathered.
  SelectionArray mstrSelectedLEAs;
  SelectionArray mstrSelectedPrograms;

  // The menu items by name ("mnu_PY_P2").
  ui::MenuModel& Menus() { return *menus_; }

  // --- The entry-screen list of the current agency.
  // Rebuilds the list (rsForm behind dgForms) for the current agency, year
  // and period, after adding the agency's missing status rows. Both
  // arguments count when given, even empty: `category` lists only the
  // forms of that catalogue category, `vFormNoList` ("21, 29") only those
  // form numbers.
  void refreshForms(std::optional<std::string> category = std::nullopt,
                    std::optional<std::string> vFormNoList = std::nullopt);
  // Binds dgForms to rsForm and lays out its columns; a list standing past
  // its last row leaves the grid empty.
  void refresh_dgForms();
  // refreshForms with the category of the kind whose menu item is checked.
  void Refresh_Forms_By_Category();
  // Adds an empty status row for each form of the logon group's forms in
  // the period that the current agency has none for.
  void Initialize_Forms_status();
  // Some element equals the text, ignoring case.
  bool bInArray(const std::vector<std::string>& vList, const std::string& strSearchElement) const;
  // The entry-screen list; none before the first refresh and while the
  // agency list has no current row.
  const db::RecordsetPtr& FormList() const { return rsForm; }
  // The agency list behind dgLEA.
  const db::RecordsetPtr& AgencyList() const { return rsDist; }

  // --- Selecting agencies and entry screens.
  // A click in the agency list: the first column flips the agency's flag;
  // the record selector takes the agency up and enables its entry screens.
  void dgLEA_Click();
  // Select All (0, 2) and Deselect All (1, 3) of the entry-screen list (0,
  // 1) and the agency list (2, 3).
  void cmdSelection_Click(std::int16_t Index);
  // Keep the row and column under the pointer for the click that follows.
  void dgLEA_MouseDown(int Button, int Shift, int X, int Y);
  void dgForms_MouseDown(int Button, int Shift, int X, int Y);

  // --- Gathering for the batch commands.
  // Whether what a command needs is selected; tells the user what is
  // missing. The blank-printing commands' check marks count.
  bool bSelectionMade(const bool& blnCheckLEA, const bool& blnCheckProgram);
  // The selected agencies (columns 0 to 8), or without any the current
  // agency's codes as one row of five columns.
  SelectionArray GetSelected();
  // The selected agencies, or the empty result.
  SelectionArray GetExportSelected();
  // The selected entry screens (columns 0 to 4), or the empty result.
  SelectionArray GetSelectedProgram();
  // Puts both lists back on gintSavedLEARow and gintSavedFormRow.
  bool SyncRS2SavedValues();
  // Every open agency and every entry screen of the logon scope, whatever
  // is selected.
  SelectionArray GetSelectedALL();
  SelectionArray GetSelectedProgramALL();

  // --- Opening an entry screen.
  // A click in the entry-screen list, by the column under the pointer at
  // the mouse-down: the first column flips the entry screen's flag, the
  // correction column asks for its prior-year correction reason, the record
  // selector opens the entry screen.
  void dgForms_Click();
  // The certificate number that the list shows as hexadecimal text, as the
  // signed 32-bit number whose eight digits it is ("FFFFFFFF" is -1); 0 for
  // Null or "". Characters that are no digit count as 0 in their place.
  static std::int32_t CertKeyOf(const vb::Variant& certificateText);
  // A window for one opening, made and loaded by the module of its form.
  using WindowMaker = std::function<std::unique_ptr<QWidget>()>;
  // The tax form's window; its module installs the maker at start. Without
  // one the tax form answers as an entry screen under process.
  static void SetTaxWindow(WindowMaker maker);
  // The export window of File > Export > Certified Data, made on this
  // window's own parameters; its module installs the maker. Without one the
  // command says that exporting is not available.
  static void SetExportWindow(WindowMaker maker);
  // The upload dialog; its module installs the maker at start. Without one
  // the upload command says that it is not available.
  static void SetUploadWindow(WindowMaker maker);
  // The body of a menu command that a later part of the program brings,
  // by the menu item's name ("mnuNew_ExportASCII"); its module installs it
  // at start, nullptr removes it. Without one the command says that it is
  // not available.
  using CommandBody = std::function<void(frmMain&)>;
  static void SetCommandBody(const std::string& item, CommandBody body);
  // Whether a body is installed for the item's command.
  static bool HasCommandBody(const std::string& item);
  // The import window of File > Import > Certified Data, made and loaded on
  // this window's own parameters; its module installs the maker. Without
  // one the command says that importing is not available.
  static void SetImportWindow(WindowMaker maker);

  // --- Whether an entry screen applies to the agency taken up (nothing in
  // --- the window asks yet).
  // Charter-school screens by the open charter row's charter type.
  bool IsCharterFormApplicable(const std::string& strFormName);
  // The two necessary-small-school screens at Annual: with migrant
  // population or extended-year special education.
  bool IsSmallSchoolFormApplicable(const std::string& strFormName);
  // In an all-charter district only the district screens that such a
  // district reports.
  bool IsDistrictAttendanceFormApplicable(const std::string& strFormName);

  // --- Bringing both grids up to date.
  // Rolls the prior-year correction flags of the agencies in scope up from
  // their status rows, then requeries the agency list and the entry-screen
  // list and puts the agency list back on gintSavedLEARow. Failures pass to
  // the caller. The wait message shows unless bNoShowMessage, and is hidden
  // at the end unless the certified-data export runs.
  void RefreshTopandBottomGrid(bool bNoShowMessage);
  // Detach both lists from the main connection and attach them again (the
  // export closes the connection in between); the grids keep their rows.
  void DisconnectTopandBottomGrid();
  void ConnectTopandBottomGrid();

  // A row of the period commands' and of the agency-kind commands' tables
  // (the Period and LEA menus).
  struct PeriodCommand;
  struct KindCommand;

  // --- Agency kinds the certified-data import shows again after it closes.
  void mnuLEA_SD_Click();
  void mnuLEA_Charter_Click();

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
  // The contact that came with the highlighted agency's certified data, and
  // the logged-on contact's own information; both only for an agency of the
  // logon county.
  void mnuTools_ContactInfo_Click();
  void mnuTools_UserInfo_Click();

  // --- Commands of the import, export, printing and ASCII exchange. Each
  // runs the window or command body installed for it at start-up
  // (`SetCommandBody` and the window setters); one with nothing installed
  // tells the user that it is not available. The export shows its window
  // modally and then refreshes both lists, whatever was exported.
  void mnuNew_ImportASCII_Click();
  // Shows a new import window modally with this window disabled under it,
  // then refreshes both lists. An agency that was taken up before is taken
  // up again, on the entry-screen row it was on, so that the imported
  // figures show where the user left off; otherwise both lists stand on
  // their top rows and the entry-screen list and its two selection buttons
  // wait, disabled, until an agency is taken up.
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
  // Opens a new upload dialog modally, without an owner, and releases it.
  void mnuUploadCertifiedData_Click();
  // The fiscal-year choice kept by the window; no menu item offers it in
  // this fiscal year, and nothing reads it.
  void mnuFY0_Click() { mintFYIndex = 0; }
  void mnuFY1_Click() { mintFYIndex = 1; }
  void mnuFY2_Click() { mintFYIndex = 2; }
  void mnuFY3_Click() { mintFYIndex = 3; }

 protected:
  void Form_Load() override;
  void Form_Unload() override;
  void Form_Resize() override;

 private:
  int mintFYIndex = 0;
  // Lets the period and agency-kind items run their commands.
  void ConnectPeriodAndKindCommands();
  void RunPeriodCommand(const PeriodCommand& command);
  void SwitchAgencyKind(const KindCommand& command);
  // The three branches of an entry-screen click.
  void FlipFormSelection(Trap& trap);
  void AskFormCorrection(Trap& trap);
  void OpenEntryScreen();
  // refreshForms with the category of the kind shown, when that kind's own
  // item carries the check mark (as the agency list's refresh leaves it);
  // answers whether the list was rebuilt.
  bool RefreshFormsOfShownKind();
  // The prior-year roll-up of the refresh.
  void RollUpCorrections();
  // The entry-screen list of the kind, and the agency row saved.
  void RequeryFormsAndRestoreAgency();
  // The highlighted agency lies in the logon county; otherwise tells the
  // user.
  bool InLogonCounty();
  // The agency taken up (the entry-screen list enabled): its place and
  // codes in the agency list, and the entry-screen row; none otherwise.
  struct TakenUpAgency {
    long row = 0;
    std::array<std::int32_t, 3> codes{};
    long formRow = 0;
  };
  std::optional<TakenUpAgency> TakenUp() const;
  // After both lists were read again: the agency becomes current and taken
  // up again, the entry-screen list back on its row. False, and nothing
  // enabled, when the list no longer holds that agency at its place.
  bool TakeUpAgain(const TakenUpAgency& agency);
  // The entry-screen list and its two selection buttons.
  void EnableEntryScreens(bool enable);
  // The hourglass and a disabled window (false), or the normal pointer and
  // an enabled window (true).
  void EnableMouse(bool bEnable);
  // Runs the installed body of the item's command; false when none is
  // installed.
  bool RunCommandBody(const std::string& item);
  // Tells the user that `what` is not available in this version; a failure
  // goes to the error report under `procedure`.
  void NotInThisVersion(const char* procedure, const std::string& what);
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
  // The regions of the logon district's open SELPA rows, or the fallback
  // region when it has none.
  std::vector<vb::Variant> SelpaRegions(const std::string& fallbackRegion) const;
  // The current agency's row as an open charter school of the year.
  db::RecordsetPtr CharterRow() const;
  // The selected agencies into `result`; answers how many.
  std::int16_t GatherSelectedAgencies(Trap& trap, SelectionArray& result);
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

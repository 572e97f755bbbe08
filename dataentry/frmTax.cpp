// The tax form: the window, the choice of tax type, moving through the rows,
// adding, cancelling and deleting them, closing, printing, the copy of P-1
// data, notes, printer set-up and help.

#include "frmTax.h"

#include <QApplication>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ControlFace.h"
#include "FormData.h"
#include "RecordDialogs.h"
#include "Utilities.h"
#include "clsMyAdoUtils.h"
#include "frmMain.h"
#include "frmNewRec.h"
#include "frmTaxCopy.h"
#include "frmTaxDetail.h"
#include "modCOE.h"
#include "ScopeOfParams.h"
#include "modCOEStatus.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "ui/DataGrid.h"
#include "ui/Dialogs.h"
#include "ui/Pump.h"
#include "ui/Twips.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

using modGlobals::gintTaxType;
using frmTaxDetail::kModule;
using frmTaxDetail::kTable;
using vb::Deref;
using vb::Variant;

namespace {

// The window's size in pixels.
constexpr int kWindowWidth = 840;
constexpr int kWindowHeight = 620;

// The layout, in twips.
constexpr int kSwitcherTop = 200;
constexpr int kBarGapBelow = 200;
constexpr int kEntryGapAbove = 260;
constexpr int kRightMargin = 20;
// The bottom bar and what it holds; the label and the tax-type list on the
// switcher's line, right of its one tab.
constexpr ui::TwipsPlace kPlaces[] = {
    {"picFormheader", 0, 0, 10140, 495},
    {"picControl", 60, 60, 10020, 375},
    {"cmdMoveFirst", 0, 0, 375, 375},
    {"cmdMovePrevious", 375, 0, 375, 375},
    {"Text2", 750, 0, 1350, 375},
    {"cmdMoveNext", 2100, 0, 375, 375},
    {"cmdMoveLast", 2475, 0, 375, 375},
    {"cmdAddNew", 2970, 0, 1125, 375},
    {"cmdDelete", 4155, 0, 1125, 375},
    {"cmdRecalculate", 5340, 0, 1125, 375},
    {"cmdEditCheck", 6525, 0, 1125, 375},
    {"cmdCancel", 7710, 0, 1125, 375},
    {"cmdClose", 8895, 0, 1125, 375},
    {"lblCaption", 8160, 230, 2040, 255},
    {"cboTaxType", 10260, 200, 1740, 315},
};

// --- Menus ---------------------------------------------------------------------

constexpr bool kDisabled = false;

const ui::MenuItemSpec kMenuItems[] = {
    {"mnuFile", "&File", nullptr},
    {"mnuFile_Save", "&Save", "mnuFile", true, true, "Ctrl+S"},
    {"mnuFile_SaveAndCheck", "Chec&k/Save", "mnuFile", true, kDisabled, "Ctrl+K"},
    {"mnuSep0", "-", "mnuFile"},
    {"mnuFile_Print", "&Print", "mnuFile", true, true, "Ctrl+P"},
    {"mnuPrinterSetup", "Printer Set&up", "mnuFile", true, true, "Ctrl+U"},
    {"mnuSep2", "-", "mnuFile"},
    {"mnuFile_Close", "Clos&e", "mnuFile", true, true, "Ctrl+E"},
    {"mnuNote", "&Note", nullptr},
    {"mnuNote_Add", "Add &Note", "mnuNote", true, true, "Ctrl+N"},
    {"mnuTool", "&Tools", nullptr},
    {"mnuCopy", "&Copy P-1 to P-2", "mnuTool"},
    {"mnuHelp", "&Help", nullptr},
    {"mnuHelp_Help", "&Help", "mnuHelp", true, true, "F1"},
};

struct MenuCommand {
  const char* item;
  void (frmTax::*command)();
};
constexpr MenuCommand kMenuCommands[] = {
    {"mnuFile_Save", &frmTax::mnuFile_Save_Click},
    {"mnuFile_SaveAndCheck", &frmTax::mnuFile_SaveAndCheck_Click},
    {"mnuFile_Print", &frmTax::mnuFile_Print_Click},
    {"mnuPrinterSetup", &frmTax::mnuPrinterSetup_Click},
    {"mnuFile_Close", &frmTax::mnuFile_Close_Click},
    {"mnuNote_Add", &frmTax::mnuNote_Add_Click},
    {"mnuCopy", &frmTax::mnuCopy_Click},
    {"mnuHelp_Help", &frmTax::mnuHelp_Help_Click},
};

// The buttons and what a click on each runs.
struct ButtonCommand {
  QPushButton* Ui::frmTax::*button;
  void (frmTax::*command)();
};
constexpr ButtonCommand kButtonCommands[] = {
    {&Ui::frmTax::cmdMoveFirst, &frmTax::cmdMoveFirst_Click},
    {&Ui::frmTax::cmdMovePrevious, &frmTax::cmdMovePrevious_Click},
    {&Ui::frmTax::cmdMoveNext, &frmTax::cmdMoveNext_Click},
    {&Ui::frmTax::cmdMoveLast, &frmTax::cmdMoveLast_Click},
    {&Ui::frmTax::cmdAddNew, &frmTax::cmdAddNew_Click},
    {&Ui::frmTax::cmdDelete, &frmTax::cmdDelete_Click},
    {&Ui::frmTax::cmdRecalculate, &frmTax::cmdRecalculate_Click},
    {&Ui::frmTax::cmdEditCheck, &frmTax::cmdEditCheck_Click},
    {&Ui::frmTax::cmdCancel, &frmTax::cmdCancel_Click},
    {&Ui::frmTax::cmdClose, &frmTax::cmdClose_Click},
};

constexpr const char* kAddNewMessage = "Click Add New to add a new record";

bool HasNoRows(const db::RecordsetPtr& rs) { return Deref(rs.get()).Eof() || rs->RecordCount() < 1; }

// The widgets a control puts into the window's tab order: itself when it
// takes the focus, else those it holds that take it, in their own order.
// (A tab order set on a control that takes no focus itself is ignored.)
std::vector<QWidget*> TabStopsOf(QWidget& control) {
  if (control.focusPolicy() != Qt::NoFocus) return {&control};
  std::vector<QWidget*> stops;
  for (QWidget* w = control.nextInFocusChain(); w != &control; w = w->nextInFocusChain())
    if (control.isAncestorOf(w) && w->focusPolicy() != Qt::NoFocus) stops.push_back(w);
  return stops;
}

// Gives the focus to the first tab stop after the control and all it holds,
// in the window's tab order: one that is shown and enabled.
void FocusNextAfter(QWidget& control) {
  QWidget* top = control.window();
  QWidget* focused = QApplication::focusWidget();
  QWidget* from = focused && control.isAncestorOf(focused) ? focused : &control;
  for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
    if (w == &control || control.isAncestorOf(w) || w->window() != top || w->isWindow()) continue;
    if (w->isVisibleTo(top) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
      w->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

}  // namespace

// --- The window ---------------------------------------------------------------------

frmTax::frmTax(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  ui::UseLayoutFace(*this, ui::FaceFamily::Kept);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(menuBar);
  layout->addWidget(picClient);
  ui::PlaceControls(*picClient, kPlaces);
  lblCaption->raise();
  cboTaxType->raise();
  cboTaxType->setCurrentIndex(-1);

  SetMoveFaces(palette(), *cmdMoveFirst, *cmdMovePrevious, *cmdMoveNext, *cmdMoveLast);

  menus_ = std::make_unique<ui::MenuModel>(*menuBar, kMenuItems, this);
  for (const MenuCommand& entry : kMenuCommands)
    menus_->OnClick(entry.item, [this, command = entry.command] { (this->*command)(); });
  for (const ButtonCommand& entry : kButtonCommands)
    connect(this->*entry.button, &QPushButton::clicked, this, [this, command = entry.command] { (this->*command)(); });
  connect(cboTaxType, &QComboBox::activated, this, [this] { cboTaxType_Click(); });
  connect(ctlTax_11, &ctlTax_1::OnEnter, this, [this] { ctlTax_11_OnEnter(); });
  connect(ctlTax_11, &ctlTax_1::PropChanged, this, [this] { ctlTax_11_PropChanged(); });
  // A line changed after its fill no longer holds the row's stored value.
  connect(ctlTax_11, &ctlTax_1::PropertyChanged, this,
          [this](const QString& property) { unchangedLines_.erase(property.toStdString()); });
  connect(ctlTax_11, &ctlTax_1::OnReachEnd, this, [this] { ctlTax_11_OnReachEnd(); });
  connect(ctlTabCombo1, &ctlTabCombo::TabClick, this, [this] { ctlTabCombo1_TabClick(); });

  // The tab order: the switcher, the bottom bar's buttons, the entry lines,
  // the position text and the tax-type list.
  const std::vector<QWidget*> controls = {ctlTabCombo1, cmdMoveFirst, cmdMovePrevious, cmdMoveNext, cmdMoveLast,
                                          cmdAddNew,    cmdDelete,    cmdRecalculate,  cmdEditCheck, cmdCancel,
                                          cmdClose,     ctlTax_11,    Text2,           cboTaxType};
  std::vector<QWidget*> chain;
  for (QWidget* control : controls) {
    const std::vector<QWidget*> stops = TabStopsOf(*control);
    chain.insert(chain.end(), stops.begin(), stops.end());
  }
  for (std::size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

frmTax::~frmTax() = default;

std::unique_ptr<QWidget> frmTax::MakeWindow() {
  auto window = std::make_unique<frmTax>(QApplication::activeWindow());
  window->Load();
  return window;
}

void frmTax::Install() { frmMain::SetTaxWindow(&frmTax::MakeWindow); }

void frmTax::Form_Load() {
  // No guard of its own: a failure passes to the step that opens the form.
  BusyOn();
  modMain::ShowWaitMsg("");
  GParam = std::make_shared<clsGlobalParam>();
  {
    // The agency is the current row of the main window's agency list.
    QWidget& mainWindow = Deref(ui::FindForm("frmMain"));
    auto* agencies = dynamic_cast<ui::DataGrid*>(&ui::Control(mainWindow, "dgLEA"));
    modGlobals::GlobalParam().DistrictID = vb::CLng(Deref(agencies).Columns("district_id").Value());
  }
  modGlobals::GlobalParam().CopyTo(*GParam);
  const clsGlobalParam& p = *GParam;
  setWindowTitle(QString::fromStdString(p.FormDisplayName + " \\ " + p.FiscalYearText + " \\ " + p.PeriodText +
                                        " \\ " + p.CountyName + " \\ " + p.DistrictName));
  setFixedSize(kWindowWidth, kWindowHeight);
  layout()->activate();
  modMain::ShowWaitMsg("");
  Resize();
  UseCtl();
  modGlobals::gstrCurrentForm = p.formname;
  ctlTax_11->ctlTax_11_Disable();
  repaint();
  RefreshButtons();
  cboTaxType->setEnabled(true);
  mblnDirty = false;
  modGlobals::gblnPriorYearMode = false;
  BusyOff();
  EnableCopyByPeriod();
}

void frmTax::Form_Activate() { ui::DoEvents(); }

void frmTax::resizeEvent(QResizeEvent* event) {
  ui::Form::resizeEvent(event);
  Form_Resize();
}

void frmTax::Form_Resize() {
  Trap trap(kModule, "Form_Resize");
  trap([&] { Resize(); });
}

void frmTax::Resize() {
  Trap trap(kModule, "Resize", Trap::Mode::Silent);
  const int width = ui::PixelsToWholeTwipsX(picClient->width());
  const int height = ui::PixelsToWholeTwipsY(picClient->height());
  const int barHeight = ui::PixelsToWholeTwipsY(picFormheader->height());
  const int barTop = height - barHeight - kBarGapBelow;
  trap([&] { picFormheader->move(ui::TwipsToPixelsX((width - ui::PixelsToWholeTwipsX(picFormheader->width())) / 2.0),
                                 ui::TwipsToPixelsY(barTop)); });
  trap([&] {
    ui::SetTwipsGeometry(*ctlTabCombo1, 0, kSwitcherTop, width - kRightMargin, ui::PixelsToWholeTwipsY(ctlTabCombo1->height()));
  });
  trap([&] {
    const int switcherHeight = ui::PixelsToWholeTwipsY(ctlTabCombo1->height());
    ui::SetTwipsGeometry(*ctlTax_11, 0, kSwitcherTop + switcherHeight, width - kRightMargin,
                         barTop - kEntryGapAbove - switcherHeight);
  });
  trap([&] { ctlTax_11->SetLEAType(Deref(GParam.get())); });
}

void frmTax::UseCtl() {
  Trap trap(kModule, "UseCtl");
  trap([&] { ctlTabCombo1->ParentForm(this); });
  trap([&] { ctlTabCombo1->AddItem("Taxes", "ctlTax_11"); });
  trap([&] { ctlTax_11->setVisible(true); });
}

void frmTax::BusyOn() { recorddialogs::ShowBusy(*this, true); }

void frmTax::BusyOff() { recorddialogs::ShowBusy(*this, false); }

void frmTax::EnableCopyByPeriod() { menus_->Item("mnuCopy").Enabled(Deref(GParam.get()).ReportPeriod == 2); }

void frmTax::EnableMoveButtons(bool enabled) {
  for (QPushButton* button : {cmdMoveFirst, cmdMovePrevious, cmdMoveNext, cmdMoveLast}) button->setEnabled(enabled);
}

void frmTax::ShowPosition() {
  Text2->setText(QString::fromStdString(std::to_string(mrsTax->AbsolutePosition()) + " of " +
                                        std::to_string(mrsTax->RecordCount())));
}

void frmTax::RefreshButtons() {
  auto recordCommands = [this](bool addNew, bool others) {
    cmdAddNew->setEnabled(addNew);
    for (QPushButton* button : {cmdDelete, cmdCancel, cmdRecalculate}) button->setEnabled(others);
    menus_->Item("mnuFile_Save").Enabled(others);
  };
  if (!mrsTax) {
    EnableMoveButtons(false);
    recordCommands(false, false);
    return;
  }
  if (HasNoRows(mrsTax)) {
    Text2->setText(QStringLiteral(" 0 of 0 "));
    EnableMoveButtons(false);
    recordCommands(true, false);
    return;
  }
  ShowPosition();
  recordCommands(true, true);
  const long count = mrsTax->RecordCount();
  const long position = mrsTax->AbsolutePosition();
  bool back = true;
  bool forward = true;
  if (count == 1 && position == 1) {
    back = forward = false;
  } else if (position == 1) {
    back = false;
  } else if (position == count) {
    forward = false;
  }
  cmdMoveFirst->setEnabled(back);
  cmdMovePrevious->setEnabled(back);
  cmdMoveNext->setEnabled(forward);
  cmdMoveLast->setEnabled(forward);
  ctlTax_11->SetLEAType(*GParam);
}

// --- The rows -------------------------------------------------------------------------

db::RecordsetPtr frmTax::AgencyRows() const { return taxform::AgencyRows(modGlobals::SharedConnection(), Scope()); }

db::RecordsetPtr frmTax::TaxTypeRows() const { return taxform::TaxTypeRows(modGlobals::SharedConnection(), Scope()); }

void frmTax::ShowRow() {
  db::Recordset& rows = Deref(mrsTax.get());
  ctlTax_11->RES_COUNTY_ID(vb::TextOf(rows.Value("res_county_id")));
  ctlTax_11->RES_SCHOOL_DISTRICT_ID(vb::TextOf(rows.Value("res_school_district_id")));
  modCOE::SetValuesFromRs(rows, ctlTax_11->Controls(), false);
  RememberFilledLines(rows);
}

void frmTax::RememberFilledLines(db::Recordset& rows) {
  unchangedLines_.clear();
  for (const char* line : ctlTax_1::AmountProperties()) unchangedLines_[line] = rows.Value(line);
}

void frmTax::BlankControl() {
  unchangedLines_.clear();
  ctlTax_11->RES_COUNTY_ID("");
  ctlTax_11->RES_SCHOOL_DISTRICT_ID("");
  modCOE::SetValuesFromRs(Deref(mrsTax.get()), ctlTax_11->Controls(), true);
}

void frmTax::DropPendingNewRow() {
  mblnNewRecord = false;
  modGlobals::glngNewResCountyID = 0;
  modGlobals::glngNewResDistrictID = 0;
}

// --- The tax type and moves -----------------------------------------------------------

void frmTax::cboTaxType_Click() {
  Trap trap(kModule, "cboTaxType_Click");
  trap([&] { Utilities::ScreenMouseEnabled(false); });
  // A new row waiting for its save belongs to the type shown before.
  trap([&] { DropPendingNewRow(); });
  trap([&] {
    const QString text = cboTaxType->currentText();
    if (text == "County") gintTaxType = 0;
    if (text == "District") gintTaxType = 1;
  });
  trap([&] {
    mrsTax.reset();
    rowsStale_ = false;
    mrsTax = TaxTypeRows();
  });
  bool rows = false;
  trap([&] { rows = !HasNoRows(mrsTax); });
  if (rows) {
    trap([&] { ShowRow(); });
    trap([&] { ctlTax_11->ctlTax_11_Enable(); });
  } else {
    trap([&] { BlankControl(); });
    trap([&] { ctlTax_11->ctlTax_11_Disable(); });
    trap([&] { BusyOff(); });
    trap([] { ui::DoEvents(); });
    trap([] { ui::MsgBox(kAddNewMessage, ui::vbInformation); });
  }
  trap([&] { mblnDirty = false; });
  trap([&] { RefreshButtons(); });
  trap([&] { cboTaxType->setEnabled(true); });
  trap([&] { EnableCopyByPeriod(); });
  trap([&] { BusyOff(); });
  trap([&] { Resize(); });
}

void frmTax::Move(const char* procedure, void (db::Recordset::*move)()) {
  Trap trap(kModule, procedure);
  if (!ReadAgainIfStale(trap)) return;
  trap([&] {
    (Deref(mrsTax.get()).*move)();
    ShowPosition();
  });
  trap([&] { ShowRow(); });
  trap([&] { RefreshButtons(); });
  trap([&] { mblnDirty = false; });
  trap([&] { cboTaxType->setEnabled(true); });
  trap([&] { EnableCopyByPeriod(); });
}

void frmTax::cmdMoveFirst_Click() { Move("cmdMoveFirst_Click", &db::Recordset::MoveFirst); }
void frmTax::cmdMovePrevious_Click() { Move("cmdMovePrevious_Click", &db::Recordset::MovePrevious); }
void frmTax::cmdMoveNext_Click() { Move("cmdMoveNext_Click", &db::Recordset::MoveNext); }
void frmTax::cmdMoveLast_Click() { Move("cmdMoveLast_Click", &db::Recordset::MoveLast); }

// --- Adding, cancelling, deleting ---------------------------------------------------------

void frmTax::cmdAddNew_Click() {
  Trap trap(kModule, "cmdAddNew_Click");
  trap([&] {
    modGlobals::gstrNewRecSource.clear();
    DropPendingNewRow();
  });
  trap([&] {
    modGlobals::gstrNewRecSource = kTable;
    frmNewRec dialog(this);
    dialog.GParam = GParam;
    dialog.ShowModal();
  });
  trap([] { modGlobals::gstrNewRecSource.clear(); });
  if (modGlobals::glngNewResCountyID > 0 && modGlobals::glngNewResDistrictID > 0) {
    trap([&] { mblnNewRecord = true; });
    trap([&] { ctlTax_11->RES_COUNTY_ID(std::to_string(modGlobals::glngNewResCountyID)); });
    trap([&] { ctlTax_11->RES_SCHOOL_DISTRICT_ID(std::to_string(modGlobals::glngNewResDistrictID)); });
    trap([&] { ctlTax_11->ctlTax_11_Enable(); });
    trap([&] {
      // Clearing the fields is not an edit: the tax type and the copy menu
      // stay as they are until the user changes a value.
      const QSignalBlocker notAnEdit(ctlTax_11);
      unchangedLines_.clear();
      modCOE::SetValuesFromRs(Deref(mrsTax.get()), ctlTax_11->Controls(), true);
    });
    trap([&] {
      const std::string next = std::to_string(Deref(mrsTax.get()).RecordCount() + 1);
      Text2->setText(QString::fromStdString(next + " of " + next));
    });
    trap([&] { EnableMoveButtons(false); });
    trap([&] {
      cmdAddNew->setEnabled(false);
      cmdDelete->setEnabled(false);
      cmdCancel->setEnabled(true);
      cmdRecalculate->setEnabled(true);
      menus_->Item("mnuFile_Save").Enabled(true);
    });
    trap([] { ui::DoEvents(); });
    trap([&] { ctlTax_11->setFocus(Qt::OtherFocusReason); });
    trap([&] { mblnDirty = true; });
  } else {
    trap([&] {
      if (HasNoRows(mrsTax)) ui::MsgBox(kAddNewMessage, ui::vbInformation);
    });
  }
  trap([&] { ctlTax_11->SetLEAType(*GParam); });
}

void frmTax::cmdCancel_Click() {
  Trap trap(kModule, "cmdCancel_Click");
  trap([&] { BusyOn(); });
  // A new row waiting for its save is given up with the values on screen.
  trap([&] { DropPendingNewRow(); });
  ReadAgainIfStale(trap);
  bool none = true;
  trap([&] { none = HasNoRows(mrsTax); });
  if (none) {
    trap([&] { BlankControl(); });
    trap([&] { ctlTax_11->ctlTax_11_Disable(); });
    trap([] { Utilities::ScreenMouseEnabled(true); });
    trap([] { ui::MsgBox(kAddNewMessage, ui::vbInformation); });
  } else {
    trap([&] { ShowRow(); });
  }
  trap([&] { mblnDirty = false; });
  trap([&] { RefreshButtons(); });
  trap([&] { cboTaxType->setEnabled(true); });
  trap([&] { EnableCopyByPeriod(); });
  trap([&] { BusyOff(); });
}

void frmTax::cmdDelete_Click() {
  Trap trap(kModule, "cmdDelete_Click");
  if (!ReadAgainIfStale(trap)) return;
  bool none = true;
  trap([&] { none = !mrsTax || HasNoRows(mrsTax); });
  if (none) {
    trap([] { ui::MsgBox("No record(s) to delete", ui::vbInformation); });
    return;
  }
  int answer = ui::vbNo;
  trap([&] { answer = ui::MsgBox("Do you really want to delete?", ui::vbYesNo + ui::vbQuestion, "Delete?"); });
  if (answer != ui::vbYes) return;
  trap([&] { BusyOn(); });

  // The row, the form's status and, when the agency has no tax row left,
  // its notes of the form go as one change.
  const State before = Remember();
  bool typeHasRows = false;
  const bool deleted = DeleteCurrent(trap, typeHasRows);
  if (!deleted) {
    Trap giveBack(kModule, "cmdDelete_Click");
    giveBack([&] { GiveBack(before); });
    giveBack([&] { BusyOff(); });
    return;
  }

  if (typeHasRows) {
    trap([&] { mrsTax->MoveFirst(); });
    trap([&] { ShowRow(); });
    trap([&] { RefreshButtons(); });
  } else {
    trap([&] { BlankControl(); });
    trap([&] { ctlTax_11->ctlTax_11_Disable(); });
    trap([&] { RefreshButtons(); });
    trap([] { Utilities::ScreenMouseEnabled(true); });
    trap([] { ui::MsgBox(kAddNewMessage, ui::vbInformation); });
  }
  trap([&] { mblnDirty = false; });
  trap([&] { cboTaxType->setEnabled(true); });
  trap([&] { EnableCopyByPeriod(); });
  trap([&] { BusyOff(); });
}

// --- Closing ----------------------------------------------------------------------------

void frmTax::cmdClose_Click() {
  Trap trap(kModule, "cmdClose_Click");
  trap([&] { CheckAndClose(); });
}

void frmTax::mnuFile_Close_Click() {
  Trap trap(kModule, "mnuFile_Close_Click");
  trap([&] { CheckAndClose(); });
}

void frmTax::CheckAndClose() {
  Trap trap(kModule, "CheckAndClose");
  if (RefusedByNegativeRule(trap)) return;
  trap([&] { Unload(); });
}

void frmTax::Form_QueryUnload(bool& cancel, UnloadMode /*mode*/) {
  Trap trap(kModule, "Form_QueryUnload");
  // A save made in a prior-year correction mode asks for the reason of the
  // correction; the status row keeps the last save's certificate, unless no
  // tax row of the agency is left.
  if (modGlobals::gblnPriorYearMode) {
    CorrectionStep(trap);
    trap([&] {
      // The status row's kind follows the form the program has open, as the
      // status upkeep reads it from the global parameters.
      if (!HasNoRows(AgencyRows()))
        modCOE::UpdateCOEFormsStatus(modGlobals::SharedConnection(), Scope(), forms::StatusOf(*GParam),
                                     modGlobals::GlobalParam().FormNo, false);
    });
  }
  modGlobals::gblnPriorYearMode = false;

  if (mblnDirty) {
    int answer = ui::vbNo;
    trap([&] { answer = ui::MsgBox("Do you want to save the data?", ui::vbYesNo + ui::vbQuestion, "Save Data?"); });
    if (answer == ui::vbYes) {
      trap([&] { BusyOn(); });
      // Values that break the rule, or that could not be saved, keep the
      // window open.
      if (RefusedByNegativeRule(trap)) {
        cancel = true;
        return;
      }
      if (!SaveAll("Form_QueryUnload")) {
        trap([&] { BusyOff(); });
        cancel = true;
        return;
      }
      if (modGlobals::gblnPriorYearMode) CorrectionStep(trap);
      modGlobals::gblnPriorYearMode = false;
    }
  }

  trap([] {
    modGlobals::glngNewResCountyID = 0;
    modGlobals::glngNewResDistrictID = 0;
    modGlobals::gstrNewRecSource.clear();
  });
  trap([&] { mrsTax.reset(); });
  trap([&] { setEnabled(false); });
  trap([] { Utilities::Time_Process(); });
  trap([] { ui::DoEvents(); });
}

void frmTax::Form_Unload() {
  Trap trap(kModule, "Form_Unload");
  // The rule is checked again: its message shows while the window closes.
  trap([&] {
    if (NegativeRuleBroken()) ShowNegativeRuleMessage();
  });
}

// --- Print, copy, notes, printer, help ----------------------------------------------------

void frmTax::mnuFile_Print_Click() {
  Trap trap(kModule, "mnuFile_Print_Click");
  if (mblnDirty) {
    trap([] { ui::MsgBox("Current record not saved and cannot be printed", ui::vbInformation); });
    return;
  }
  db::RecordsetPtr status;
  trap([&] {
    status = forms::Snapshot(modGlobals::SharedConnection(), modCOE::StatusRowQuery(Scope()));
  });
  // Without the status row its date cannot be read: that is reported and
  // nothing is printed.
  std::optional<bool> modified;
  trap([&] { modified = !Deref(status.get()).Value("last_modified_date").IsNull(); });
  if (modified && !*modified) trap([] { ui::MsgBox("No records to print", ui::vbInformation); });
  if (modified && *modified) {
    trap([] {
      modGlobals::gblnEntryScreenPrint = true;
      modGlobals::gstrPrintSource = "Form";
    });
    trap([&] { modMain::mPrintForm(GParam, kTable, false, false); });
    trap([] {
      modGlobals::gstrPrintSource.clear();
      modGlobals::gblnEntryScreenPrint = false;
    });
  }
  trap([&] { status.reset(); });
}

void frmTax::mnuCopy_Click() {
  Trap trap(kModule, "mnuCopy_Click");
  trap([&] { BusyOn(); });
  bool none = true;
  const bool read = trap([&] {
    db::RecordsetPtr p1 = taxform::P1Rows(modGlobals::SharedConnection(), Scope());
    none = Deref(p1.get()).Eof() || p1->Bof();
  });
  if (!read || none) {
    trap([&] { BusyOff(); });
    trap([] { ui::DoEvents(); });
    if (read) trap([] { ui::MsgBox("Data does not exist", ui::vbInformation); });
    return;
  }
  trap([] { modGlobals::gblnTaxCopied = false; });
  trap([&] {
    frmTaxCopy copy(this);
    copy.ShowModal();
  });
  trap([&] { BusyOff(); });
  trap([] { ui::DoEvents(); });
  trap([&] {
    if (!cboTaxType->currentText().isEmpty() && modGlobals::gblnTaxCopied)
      ui::MsgBox("Please refresh your screen by selecting Tax Type again", ui::vbInformation);
  });
}

void frmTax::mnuNote_Add_Click() {
  Trap trap(kModule, "mnuNote_Add_Click");
  trap([&] { modMain::ShowFormNote(Deref(GParam.get())); });
}

void frmTax::mnuPrinterSetup_Click() {
  Trap trap(kModule, "mnuPrinterSetup_Click");
  trap([] { modMain::ShowPrinterSetup(); });
}

void frmTax::mnuHelp_Help_Click() {
  Trap trap(kModule, "mnuHelp_Help_Click");
  trap([&] {
    if (ctlTabCombo1->CurrentIndex() == 1) OpenHelpPage();
  });
}

void frmTax::OpenHelpPage() { modMain::ShowHelpPage(); }

void frmTax::cmdEditCheck_Click() {}

void frmTax::mnuFile_SaveAndCheck_Click() {
  Trap trap(kModule, "mnuFile_SaveAndCheck_Click");
  trap([&] { cmdEditCheck_Click(); });
}

// --- The hosted controls' events ------------------------------------------------------------

void frmTax::ctlTax_11_OnEnter() {
  Trap trap(kModule, "ctlTax_11_OnEnter");
  trap([] { Utilities::SendTab(); });
}

void frmTax::ctlTax_11_PropChanged() {
  Trap trap(kModule, "ctlTax_11_PropChanged");
  trap([&] { mblnDirty = true; });
  trap([&] { EnableMoveButtons(false); });
  trap([&] {
    cmdAddNew->setEnabled(false);
    cmdDelete->setEnabled(false);
    cboTaxType->setEnabled(false);
  });
  trap([&] { menus_->Item("mnuCopy").Enabled(false); });
}

void frmTax::ctlTax_11_OnReachEnd() {
  Trap trap(kModule, "ctlTax_11_OnReachEnd");
  trap([&] { ctlTabCombo1->NextControl(); });
  // The focus leaves the lines for the window's next control. Not for the
  // switcher: a focus given to it shows its entry and hands the focus back
  // to the first line.
  trap([&] { FocusNextAfter(*ctlTax_11); });
}

void frmTax::ctlTabCombo1_TabClick() {
  Trap trap(kModule, "ctlTabCombo1_TabClick");
  trap([&] { ctlTabCombo1->setFocus(Qt::OtherFocusReason); });
}

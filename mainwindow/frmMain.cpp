#include "frmMain.h"

#include <QPointer>
#include <QTimer>

#include "Utilities.h"
#include "clsMyAdoUtils.h"
#include "frmLogon.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "ui/Clock.h"
#include "vb/App.h"
#include "vb/Conversions.h"
#include "vb/End.h"
#include "zelErrHandler.h"

namespace {

constexpr const char* kModule = "frmMain";

// Panel widths in pixels (2400, 2100, 1900 and 1800 twips); panel 1
// stretches over the rest, at least 4700 twips.
constexpr std::array<int, 5> kPanelWidths{{313, 160, 140, 127, 120}};

// The prior-year correction mode is on.
bool CorrectionMode() {
  return modGlobals::gstrPeriodMode == "PY_P2" || modGlobals::gstrPeriodMode == "PY_ANNUAL";
}

}  // namespace

frmMain::frmMain(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    auto* panel = new QLabel(StBarMain);
    panel->setObjectName(QStringLiteral("StBarMain_Panel%1").arg(i + 1));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setMinimumWidth(kPanelWidths[i]);
    if (i == 0) {
      StBarMain->addWidget(panel, 1);
    } else {
      panel->setFixedWidth(kPanelWidths[i]);
      StBarMain->addPermanentWidget(panel);
    }
    panels_[i] = panel;
  }
  // The date panel keeps itself current.
  auto* clock = new QTimer(this);
  connect(clock, &QTimer::timeout, this, [this] { ShowDate(); });
  clock->start(60 * 1000);
  ShowDate();

  connect(mnuNew_Logout, &QAction::triggered, this, [this] { mnuNew_Logout_Click(); });
  connect(mnuNew_Exit, &QAction::triggered, this, [this] { mnuNew_Exit_Click(); });
}

frmMain& frmMain::Default() {
  static QPointer<frmMain> instance;
  if (!instance || instance->released_) {
    instance = new frmMain;
    instance->setAttribute(Qt::WA_DeleteOnClose);
  }
  return *instance;
}

void frmMain::Install() {
  frmLogon::SetMainWindow([]() -> ui::Form& { return Default(); });
}

void frmMain::Form_Load() {
  Trap trap(kModule, "Form_Load");
  trap([&] { SetPanelText(1, vb::App::Title() + "  -  Version  " + modGlobals::gstrVersion); });
  trap([&] {
    GParam = std::make_unique<clsGlobalParam>();
    modGlobals::GlobalParam().CopyTo(*GParam);
  });
  trap([] { modGlobals::gstrCurrentForm = "frmMain"; });
  trap([] {
    clsGlobalParam& P = modGlobals::GlobalParam();
    P.PeriodText = P.ReportPeriod == 1 ? "P-1" : P.ReportPeriod == 2 ? "P-2" : "Annual";
  });
  trap([&] { RefreshTitle(); });
}

void frmMain::RefreshTitle() {
  Trap trap(kModule, "RefreshTitle");
  const std::string correction = CorrectionMode() ? " Correction" : "";
  trap([&] {
    const clsGlobalParam& P = modGlobals::GlobalParam();
    setWindowTitle(QString::fromStdString(vb::App::Title() + " MAIN MENU \\ " + P.FiscalYearText + " \\ " +
                                          P.PeriodText + correction));
  });
  trap([&] {
    SetPanelText(4, "Certification");
    modGlobals::gstrModeTitle.clear();
  });
  trap([&] { SetPanelText(3, modGlobals::GlobalParam().FiscalYearText + "  " + modGlobals::GlobalParam().PeriodText + correction); });
  trap([&] { SetPanelText(2, modGlobals::GlobalParam().Username); });
}

QString frmMain::PanelText(int panel) const { return panels_.at(static_cast<std::size_t>(panel - 1))->text(); }

void frmMain::SetPanelText(int panel, const std::string& text) {
  panels_.at(static_cast<std::size_t>(panel - 1))->setText(QString::fromStdString(text));
}

void frmMain::ShowDate() { SetPanelText(5, vb::Format(vb::Variant(ui::Now()), "m/d/yyyy")); }

void frmMain::mnuNew_Logout_Click() {
  Trap trap(kModule, "mnuNew_Logout_Click");
  trap([] { modMain::ShowWaitMsg("Logging Out..."); });
  trap([] { Utilities::Time_Process(); });
  trap([] { modMain::ShowWaitMsg(""); });
  trap([] { modGlobals::gstrLogOut = "LogOut"; });
  trap([&] { Unload(); });
}

void frmMain::mnuNew_Exit_Click() { Unload(); }

void frmMain::Form_Unload() {
  released_ = true;
  Trap trap(kModule, "Form_Unload");
  // Every other window of the program closes with this one.
  trap([] { ui::UnloadAll(); });
  if (modGlobals::gstrLogOut == "LogOut") {
    trap([] { modGlobals::gstrLogOut.clear(); });
    trap([] { frmLogon::ShowNew(); });
    return;
  }
  trap([] { ui::clock().ProcessEvents(); });
  trap([] { Utilities::EndApp(); });
  trap([] { ui::clock().ProcessEvents(); });
  trap([] {
    if (modGlobals::gobjAdoUtils) modGlobals::gobjAdoUtils->CloseConn();
    modGlobals::gobjAdoUtils.reset();
  });
  vb::End(0);
}

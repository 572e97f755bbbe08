// The main window's Period and LEA menus: the period commands choose the
// reporting period or the prior-year correction mode of P-2 or Annual, the
// agency-kind commands choose which kind of agency the window lists. Each
// command re-reads both grids when it is accepted.

#include <string_view>

#include "Utilities.h"
#include "frmMain.h"
#include "frmMainDetail.h"
#include "modMainStart.h"
#include "ui/Dialogs.h"
#include "ui/Pump.h"
#include "vb/Conversions.h"

using frmMainDetail::Globals;
using frmMainDetail::kModule;
using frmMainDetail::Narrow16;
using vb::Deref;

namespace {

constexpr const char* kNotApplicable = "Corrections not applicable for this Period";

// The five period items: exactly one carries the check mark.
constexpr const char* kPeriodItems[] = {"mnuPeriod_P1", "mnuPeriod_P2", "mnuPeriod_Annual", "mnu_PY_P2",
                                        "mnu_PY_Annual"};

}  // namespace

struct frmMain::PeriodCommand {
  // Whether the entry-screen list is re-filtered by the kind's category.
  enum class Refilter { Always, UnlessAuditorMark };

  const char* item;
  const char* procedure;
  const char* periodMode;
  std::int32_t period;
  const char* periodText;
  bool correction;              // the prior-year correction mode: hourglass, GParam copied
  const char* refusedWhile[2];  // checked items that refuse the command
  Refilter refilter;
};

struct frmMain::KindCommand {
  const char* item;
  const char* procedure;
  std::int32_t group;
  bool refusedUnderP2Correction;
  bool titleAfterRefusal;
};

namespace {

using Refilter = frmMain::PeriodCommand::Refilter;

constexpr frmMain::PeriodCommand kPeriodCommands[] = {
    {"mnuPeriod_P1", "mnuPeriod_P1_Click", "1", 1, "P-1", false, {}, Refilter::UnlessAuditorMark},
    {"mnuPeriod_P2", "mnuPeriod_P2_Click", "2", 2, "P-2", false, {}, Refilter::UnlessAuditorMark},
    {"mnuPeriod_Annual", "mnuPeriod_Annual_Click", "3", 3, "Annual", false, {}, Refilter::Always},
    {"mnu_PY_P2", "mnu_PY_P2_Click", "PY_P2", 2, "P-2", true, {"mnuSELPA", "mnuLEA_COE_Auditor"}, Refilter::Always},
    {"mnu_PY_Annual", "mnu_PY_Annual_Click", "PY_ANNUAL", 3, "Annual", true, {}, Refilter::UnlessAuditorMark},
};

constexpr frmMain::KindCommand kKindCommands[] = {
    {"mnuLEA_COE", "mnuLEA_COE_Click", 2, false, false},
    {"mnuLEA_SD", "mnuLEA_SD_Click", 3, false, false},
    {"mnuLEA_Charter", "mnuLEA_Charter_Click", 4, false, false},
    {"mnuLEA_COE_Auditor", "mnuLEA_COE_Auditor_Click", 7, true, false},
    {"mnuSELPA", "mnuSelpa_Click", 5, true, true},
};

const frmMain::KindCommand& KindCommandOf(std::string_view item) {
  for (const frmMain::KindCommand& command : kKindCommands)
    if (item == command.item) return command;
  vb::Raise(vb::err::SubscriptOutOfRange);
}

}  // namespace

void frmMain::ConnectPeriodAndKindCommands() {
  for (const PeriodCommand& command : kPeriodCommands)
    menus_->OnClick(command.item, [this, &command] { RunPeriodCommand(command); });
  for (const KindCommand& command : kKindCommands)
    menus_->OnClick(command.item, [this, &command] { SwitchAgencyKind(command); });
}

// --- Period commands ----------------------------------------------------------------

void frmMain::RunPeriodCommand(const PeriodCommand& command) {
  Trap trap(kModule, command.procedure);
  bool refused = false;
  trap([&] {
    for (const char* item : command.refusedWhile)
      if (item && menus_->Item(item).Checked()) refused = true;
  });
  if (trap.Left()) return;
  if (refused) {
    trap([] { ui::MsgBox(kNotApplicable, ui::vbInformation); });
    return;
  }
  // The correction mode keeps the hourglass up while the lists are rebuilt.
  auto hourglass = [&] {
    if (command.correction) trap([] { Utilities::ScreenMouseEnabled(false); });
  };

  trap([&] { setEnabled(false); });
  trap([] { modMain::ShowWaitMsg("Please wait..."); });
  hourglass();
  trap([&] { modGlobals::gstrPeriodMode = command.periodMode; });
  for (const char* item : kPeriodItems) trap([&] { menus_->Item(item).Checked(std::string_view(item) == command.item); });
  trap([&] {
    Globals().ReportPeriod = command.period;
    Globals().PeriodText = command.periodText;
  });
  trap([&] {
    clsGlobalParam& own = Deref(GParam);
    own.ReportPeriod = command.period;
    own.PeriodText = command.periodText;
  });
  bool refilter = true;
  trap([&] {
    refilter = command.refilter == Refilter::Always || !menus_->Item("mnuLEA_COE_Auditor").Checked();
  });
  if (refilter) {
    hourglass();
    trap([&] { Refresh_Forms_By_Category(); });
    hourglass();
  }
  trap([&] { RefreshTitle(); });
  hourglass();
  trap([&] { modGlobals::gintSavedLEARow = Narrow16(Deref(rsDist).AbsolutePosition()); });
  trap([&] { RefreshTopandBottomGrid(false); });
  trap([] { modMain::SaveSettings(); });
  trap([] { modMain::ShowWaitMsg(""); });
  if (command.correction) trap([] { Utilities::ScreenMouseEnabled(true); });
  trap([&] { setEnabled(true); });
  trap([&] { setFocus(); });
  // A period whose components are missing stays chosen; the check only
  // tells the user.
  trap([] {
    const clsGlobalParam& P = Globals();
    modMain::ComponentsAvailable(P.ReportYear, P.ReportPeriod);
  });
}

// --- Agency-kind commands -------------------------------------------------------------

void frmMain::mnuLEA_SD_Click() { SwitchAgencyKind(KindCommandOf("mnuLEA_SD")); }

void frmMain::mnuLEA_Charter_Click() { SwitchAgencyKind(KindCommandOf("mnuLEA_Charter")); }

void frmMain::SwitchAgencyKind(const KindCommand& command) {
  Trap trap(kModule, command.procedure);
  bool refused = false;
  trap([&] { refused = command.refusedUnderP2Correction && menus_->Item("mnu_PY_P2").Checked(); });
  if (trap.Left()) return;
  if (refused) {
    trap([] { ui::MsgBox(kNotApplicable, ui::vbInformation); });
    if (command.titleAfterRefusal) trap([&] { RefreshTitle(); });
    return;
  }

  trap([] { modMain::ShowWaitMsg("Please wait..."); });
  trap([] { ui::DoEvents(); });
  trap([] { ui::DoEvents(); });
  trap([&] { Globals().UserGroup = command.group; });
  trap([&] { BeginLEAKindSwitch(); });
  trap([&] { menus_->Item(command.item).Checked(true); });
  trap([&] { RefreshTopandBottomGrid(false); });
  trap([&] { EnableMouse(true); });
  trap([] { modMain::ShowWaitMsg(""); });
  trap([&] { setFocus(); });
  // The topmost agency in view becomes the current one; the entry screens
  // wait, disabled, until the user takes an agency up.
  bool agencies = false;
  trap([&] { agencies = Deref(rsDist).RecordCount() >= 1; });
  if (agencies) trap([&] { dgLEA->Row(0); });
  bool forms = false;
  if (agencies) trap([&] { forms = Deref(rsForm).RecordCount() >= 1; });
  if (forms) {
    trap([&] { dgForms->setEnabled(true); });
    trap([&] { rsForm->AbsolutePosition(1); });
    trap([&] { dgForms->setEnabled(false); });
  }
  trap([&] { EnableDisableMenu(); });
  trap([&] { RefreshTitle(); });
}

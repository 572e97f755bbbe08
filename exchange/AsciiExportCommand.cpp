#include "AsciiExportCommand.h"

#include <algorithm>
#include <filesystem>

#include "AsciiExport.h"
#include "MainWindowRows.h"
#include "Utilities.h"
#include "frmMain.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "ui/Clock.h"
#include "ui/DataGrid.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"
#include "vb/Trap.h"

namespace AsciiExportCommand {
namespace {

constexpr const char* kModule = "frmMain";
constexpr const char* kProcedure = "mnuNew_ExportASCII_Click";
constexpr const char* kDelimiter = ",";
using vb::kCrLf;

// Programs whose rows the file cannot hold, by form name upper-cased.
constexpr const char* kNotExported[] = {"ATTCSACD",      "ATTCS",       "ATTCOECS",           "ATTCSFUNDADA",
                                        "SELPAADAALLOC", "COUNTYMODEL", "NSSFUNDINGSELECTION"};
// The width of the agency list's correction column in a correction mode.
constexpr double kCorrectedWidth = 1100;

void Refuse(Trap& trap, frmMain& w, const char* message, long position) {
  trap([&] { ui::MsgBox(message, ui::vbInformation); });
  trap([&] { w.setEnabled(true); });
  trap([] { modMain::ShowWaitMsg(""); });
  mainwindowrows::PutAgencyBack(trap, w, position);
}

bool NotExported(const std::string& formName) {
  const std::string upper = vb::UCase(formName);
  return std::any_of(std::begin(kNotExported), std::end(kNotExported), [&](const char* name) { return upper == name; });
}

// The report of a written file; with no agency's rows the file is gone and
// the report names none.
std::string Report(AsciiExport& run, const std::string& displayName, const std::string& startTime) {
  run.mstrExportHeader += "Export Date & Time: " + vb::Format(vb::Variant(ui::Now()), "mmm-dd-yyyy") + "  " + startTime +
                          kCrLf + kCrLf;
  if (run.mblnRecordsExported) {
    run.mstrExportHeader += "ASCII Data FileName: " + run.mstrExportFileName + kCrLf + kCrLf;
    run.mstrExportHeader += "Export Group: " + displayName + kCrLf;
    return run.mstrExportHeader + run.mstrExportReport + kCrLf + kCrLf + "Export Operation Completed." + kCrLf + kCrLf +
           kCrLf + run.mstrExportFootnote;
  }
  std::error_code ignored;
  std::filesystem::remove(run.mstrExportFileName, ignored);
  run.mstrExportHeader += "Export Group: " + displayName + kCrLf;
  return run.mstrExportHeader + run.mstrExportReport + kCrLf + kCrLf + "Export Operation Completed.";
}

}  // namespace

void Run(frmMain& w) {
  Trap trap(kModule, kProcedure);
  AsciiExport run;
  std::string startTime;
  trap([&] { startTime = vb::Format(vb::Variant(ui::Now()), "hh:mm:ss"); });
  long position = -1;
  trap([&] { position = mainwindowrows::AgencyPosition(w); });

  bool selected = false;
  trap([&] { selected = w.bSelectionMade(true, true); });
  if (!selected) {
    mainwindowrows::PutAgencyBack(trap, w, position);
    return;
  }
  trap([&] { mainwindowrows::SavePositions(w, position); });
  trap([&] {
    w.mintLEACount = 0;
    w.mintProgramCount = 0;
  });
  if (position == -1) {
    trap([] { ui::MsgBox("Operation not valid. Cannot continue", ui::vbCritical); });
    trap([&] { w.setFocus(); });
    return;
  }
  trap([&] { w.setEnabled(false); });

  // The agency list is walked as a batch: its moves take up no agency.
  trap([] { Utilities::ScreenMouseEnabled(false); });
  trap([&] {
    w.mblnLEABathMode = true;
    run.marrSelectedLEAs = w.GetExportSelected();
    run.mintLEACount = run.marrSelectedLEAs.Dimensions() == 2 ? run.marrSelectedLEAs.UBound(2) + 1 : 0;
  });
  trap([&] { w.mblnLEABathMode = false; });
  trap([] { Utilities::ScreenMouseEnabled(true); });
  if (run.mintLEACount == 0) return Refuse(trap, w, "Select one or more LEA(s) and try again", position);

  trap([] { Utilities::ScreenMouseEnabled(false); });
  trap([&] { run.marrSelectedPrograms = w.GetSelectedProgram(); });
  trap([] { Utilities::ScreenMouseEnabled(true); });
  if (w.mintProgramCount == 0) return Refuse(trap, w, "Select a program and try again", position);
  if (w.mintProgramCount > 1) return Refuse(trap, w, "Only one program can be selected for export. Try again", position);
  std::string displayName, formName;
  trap([&] {
    displayName = run.marrSelectedPrograms.At(0, run.mintProgramIndex);
    formName = run.marrSelectedPrograms.At(2, run.mintProgramIndex);
  });
  if (NotExported(formName)) return Refuse(trap, w, "This program cannot be exported", position);

  bool written = false;
  trap([&] {
    const clsGlobalParam& P = *modGlobals::gobjGlobalParam;
    run.conn = modGlobals::SharedConnection();
    run.ReportYear = P.ReportYear;
    run.ReportPeriod = P.ReportPeriod;
    run.LogonUserGroup = P.LogonUserGroup;
    written = WriteAsciiExportFile(run, displayName, formName, kDelimiter);
  });
  trap([] { Utilities::ScreenMouseEnabled(true); });
  trap([&] { w.setEnabled(false); });
  if (written) {
    std::string report;
    trap([&] { report = Report(run, displayName, startTime); });
    trap([&] { Utilities::TransferStatus(report); });
  }

  // The closing steps.
  trap([&] {
    const bool correction = w.Menus().Item("mnu_PY_P2").Checked() || w.Menus().Item("mnu_PY_Annual").Checked();
    w.dgLEA->Columns("CORRECTED").Width(correction ? kCorrectedWidth : 0);
  });
  trap([&] { w.setEnabled(true); });
  mainwindowrows::PutAgencyBack(trap, w, position);
  trap([&] { mainwindowrows::DisableEntryScreens(w); });
}

void Install() { frmMain::SetCommandBody("mnuNew_ExportASCII", &Run); }

}  // namespace AsciiExportCommand

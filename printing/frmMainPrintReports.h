#pragma once
// File > Print > "&Reports" of the main window: the entry-screen report of
// every selected program for every selected agency, printed in one batch
// without previews on the program's printer, with the run log shown in the
// status window at the end.
//
// The frame every print command shares: the printer check, the selection
// check, the agency grid's row kept and given back, the window disabled
// while it works, the wait message and the run log. The batch works on its
// own copy of the program-wide parameters: neither they nor the window's
// own copy change. Each report is one guarded step: Retry prints that
// report again, Ignore goes on with the next agency; afterwards the batch
// flag is false, the wait message closed and the window enabled, whatever
// happened.

#include <cstdint>
#include <string>

#include "vb/Variant.h"

class frmMain;

namespace printing {

// The command (mnuNew_Reports_Click).
void PrintReportsCommand(frmMain& window);

// The printer check that every print command but Printer Setup starts with:
// true when a printer is installed; otherwise the printer message
// (Utilities::NoPrinterMessage), the focus given back to the main window,
// and false, after which the command ends without touching the grids, the
// selection or the run state (a blank command clears its check mark).
bool CheckPrinter(frmMain& window);

// The run log's stamp of a run that started at `time` (read first) on
// `date`: "Dec-09-2019 14:35:07", English month names whatever the locale.
std::string RunLogStamp(const vb::Date& time, const vb::Date& date);

// The agency's text in the run log under a form: the district code, then
// for a SELPA form (100, 102, 502) "-" and the agency type, for any other
// form "-" and the seven-digit school code when there is a school.
std::string AgencyLogText(std::int32_t formNo, const std::string& district, std::int32_t school,
                          const std::string& agencyType);

// Installs the main window's print command bodies.
void InstallCommands();

}  // namespace printing

#pragma once
// File > Print > "&Summary" of the main window: the county's tax summary
// for each selected program that has one, a " - Not Applicable" line in the
// run log for every other, and the run log in the status window at the end.
// It needs no agency selection: a summary covers every tax row of the
// county of the program-wide parameters, whatever agency entered it.
//
// The tax summary prints in three landscape parts, one job each, from the
// same rows: part 1 the lines, part 2, part 3 A-12
// to A-16 and the explanation. The district tax type groups the rows by the
// kind of the district of residence, with sub totals; the county tax type
// prints them without groups. Each part ends with the grand totals and the
// legend.
//
// Failures are reported under the command's procedure name
// ("mnuNew_SummaryPrint_Click") or the summary printer's
// ("mnuFile_Summary_Print_Click"); Retry runs the failed step again from
// the log it started with, Ignore goes on with the next program or part. A
// summary is logged as printed only when all three parts printed; else as
// " - Cancelled" (a job cancelled at the PDF printer's question) or " - Not
// printed". On the PDF printer a run asks for its folder once.
// The window is enabled and the wait message closed on every way out.

#include <cstdint>
#include <string>

class frmMain;

namespace printing {

// The command (mnuNew_SummaryPrint_Click).
void PrintSummaryCommand(frmMain& window);

// What the summary printer did for one program.
enum class SummaryOutcome {
  NotTaxForm,  // not the tax form: nothing asked, printed or logged
  Cancelled,   // the tax dialog was cancelled: nothing printed or logged
  NoRecords,   // the county has no rows of the tax type: logged so
  Printed,       // the three parts were printed and logged
  JobCancelled,  // a part's job was cancelled (the PDF printer's question): logged so
  NotPrinted,    // a part failed (reported) or its job was refused: logged so
};

// The summary printer of a program (mnuFile_Summary_Print_Click), from its
// catalogue row: only for the form name "TAX" (trimmed, any case) it asks
// for the tax type and prints the three parts. The heading's agency,
// county and fiscal year are the program-wide parameters', the period and
// version line the window's own copy's. Leaves the choice in
// gintTaxSummaryChoice and its line in gstrPrintLog: after the three parts
// " - Report Printed" (or how they failed), or " - No Records to Print".
SummaryOutcome PrintTaxSummary(frmMain& window, const std::string& formName, const std::string& formTitle,
                               const std::string& displayName);

// Whether the form number belongs to the programs with a summary.
bool HasSummary(std::int32_t formNo);

// The run log's line of a program without a summary: a tab, the display
// name, the form's number of tabs, " - Not Applicable" (with a trailing
// blank for 24, 88 and 89) and two CR LFs.
std::string NotApplicableLine(std::int32_t formNo, const std::string& displayName);

// Installs the command's body in the main window.
void InstallSummaryCommand();

}  // namespace printing

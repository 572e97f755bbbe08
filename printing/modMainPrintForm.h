#pragma once
// The entry-screen report printer: one agency's entry screen as a banded
// report, previewed (from the tax form) or, in a batch, printed straight on
// the program's printer with one line of the batch print log. For the tax
// form it first asks for the tax type (frmTaxSummary) and checks that the
// agency has tax rows of that type. The printing module installs it as the
// printer behind modMain::mPrintForm (startup/modMainStart.h).
//
//   modGlobals::gblnEntryScreenPrint = true;
//   modGlobals::gstrPrintSource = "Form";
//   modMain::mPrintForm(GParam, "Tax", false, false);
//
// Param is only read: the caller's object is left as it was. A failure is
// reported once ("modMain", "mPrintForm") and ends the call whatever the
// answer; the job orientation a preview sets is put back on every way out.

#include <cstdint>
#include <memory>
#include <string>

#include "clsGlobalParam.h"

namespace modMain {

// The printer behind mPrintForm. TableName is the form's table ("Tax"),
// Flag a switch handed to the report query; the last argument is not read.
//
// Batch (gblnBatchPrint): the report prints in portrait on the job printer
// after a one-second pause, and the log gains a tab and "- Number of
// Record(s) Printed = " with the rows printed, or, when nothing prints,
// "- Cancelled" (the tax dialog, or the batch's PDF folder question),
// "- No Records to Print", "- No report available" or, when the printer
// refused the job (the error shown), "- Not printed"; every note ends
// with CR LF. Otherwise the report is previewed modally with the
// job orientation portrait, and an agency without rows of the chosen type
// is told "No records to print" when the tax form prints.
void PrintEntryScreenForm(std::shared_ptr<clsGlobalParam>& Param, const std::string& TableName, bool Flag,
                          bool unused = false);

// Whether table Tax holds district-level rows (school 0) of the agency for
// the year, period and tax type. When not, the pointer is put as
// gblnEntryScreenPrint says and the tax form (gstrPrintSource "Form") is
// told "No records to print". Failures go to the caller.
bool HasTaxRecords(std::int32_t CountyID, std::int32_t DistrictID, std::int32_t ReportYear,
                   std::int32_t ReportPeriod, std::int16_t TaxType);

}  // namespace modMain

namespace printing {

// Installs the entry-screen report printer behind modMain::mPrintForm and
// the main window's print commands.
void Install();

}  // namespace printing

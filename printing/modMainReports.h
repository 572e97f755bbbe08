#pragma once
// The reports of the print commands: the factory that makes a report
// designer by its key, the product line every report's footer carries, and
// the page heading of the entry-screen reports.

#include <memory>
#include <string>

#include "clsGlobalParam.h"
#include "db/Recordset.h"
#include "report/Report.h"
#include "vb/Variant.h"

namespace modMain {

// A new report for the key, in any letter case: "TAX" makes the tax report,
// "RPTCERTPAGE" the certificate page, "TORBLEANOTES" the county set's
// certification exception report; any other key has none and answers
// nullptr. A failed creation is reported ("modMain", "GetReport"); Ignore
// answers nullptr.
std::shared_ptr<report::Report> GetReport(const std::string& Name);

// "Levrona", followed by " - " and the mode title (gstrModeTitle) while the
// program-wide parameters are in the reconciliation or forecasting mode,
// then by " - Corrections" while the main window has a prior-year
// correction period (P-2 or Annual) checked.
std::string ReportProductLine();

// Writes the page heading of an entry-screen report bound to `rows`
// (standing on the row whose agency it heads), from the parameters handed
// to the printer: in the page header "Section1" the form title (a second
// line for a charter with a funding type), fiscal year, period, county and
// district lines, CDS code and the form's certificate number when its
// status row has one; in the page footer "Sec45" the version line and the
// product line; the window's caption and size. The status row is the one
// of Param's agency, year, period and form. Answers that row's record
// count (Null without a row). A section, control or field the report or
// rows lack fails, and the failure goes to the caller.
vb::Variant SetReportHeading(report::Report& rpt, db::Recordset& rows, const clsGlobalParam& Param);

// Writes the page footer "Sec45" every entry-screen report carries: the
// version line "lblVersion" (the report year, "-" and the program version)
// and the product line "label4".
void SetReportFooter(report::Report& rpt, const clsGlobalParam& Param);

// Sizes a report's preview window to 740 by 520 screen pixels.
void SizePreviewWindow(report::Report& rpt);

// The fiscal-year line of the heading: "Fiscal Year: " and the fiscal-year
// text from its third character on ("FY 2019-20" gives two blanks after
// the colon).
std::string FiscalYearLine(const clsGlobalParam& Param);

}  // namespace modMain

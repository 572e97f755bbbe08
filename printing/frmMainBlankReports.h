#pragma once
// The blank reports of the main window: an entry screen's report printed
// with no figures, headed for each selected agency, or with an empty
// heading to fill in by hand when no agency is selected.

#include <cstdint>
#include <string>

#include "clsGlobalParam.h"
#include "db/Recordset.h"
#include "report/Report.h"
#include "vb/Variant.h"

class frmMain;

namespace printing {

// File > Print > "&Blank Reports" (mnuNew_BlankReports_Click; the item is
// hidden). For every selected agency in list order, the report of every
// selected program with the agency's heading and empty fields; with
// programs but no agency selected, one form per program with an empty
// heading. Each agency's blank row is read in the agency's own county (a
// SELPA's list reaches across counties). It reads and writes nothing but
// the reports (the blank rows are made by their queries). The item carries a check mark while it runs.
// A program without a report, a query the database refuses or a report
// that cannot be printed ends the run with "Print job cannot be completed"
// and no status report; otherwise the run ends with its status report
// (the agencies, the programs, "Print Operation Completed.").
void PrintBlankReportsCommand(frmMain& window);

// The agency's line in the status report: a tab, the district code in
// five digits, then "-" and the SELPA for a SELPA logon (user group 5),
// else "-" and the seven-digit school when there is one; CR LF.
std::string BlankAgencyLine(std::int32_t userGroup, const vb::Variant& district, const vb::Variant& selpa,
                            const vb::Variant& school);

// Writes the heading and footing of one blank report bound to `data`,
// standing on its row: in "Section1" the agency lines (district, county
// and their codes, the school with seven digits), the fiscal year and the
// period; without an agency (`noAgency`) only "District: ", "County: " and
// "Fiscal Year:" with eight no-break spaces to write in, the period hidden
// and the code labels as designed. The form title is "District Revenue
// Limit Adjustments" for the form name "DISTRICTLIMITK12", else
// `FormTitle`. The footer "Sec45" and the window caption (display name,
// year, period, county and district of Param, joined by " \ ") follow.
// Failures are reported ("frmMain", "BlankReportsClick1"); Ignore goes on
// with the next text.
void BlankReportsClick1(report::Report& Report, db::Recordset& Data, const std::string& FormName,
                        const clsGlobalParam& Param, bool NoAgency, const vb::Variant& FormTitle);

}  // namespace printing

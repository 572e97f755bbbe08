#pragma once
// The report printers of the Reports batch for the two entry screens the
// entry-screen report printer does not print: form 94, and the SELPA's
// infant-funding screen (form 102) with its three reports. The batch is
// their only caller; it has set gblnBatchPrint and begun the agency's line
// (and, before each infant-funding printer, that report's line) in
// gstrPrintLog, and each printer ends the line with its note and CR LF.
//
//   modGlobals::gstrPrintLog += "\t\t Infant Funding Transfer ";
//   modMain::PrintInfantFundingTransfer("INFANTFUNDINGTRANSFER", ...);
//
// No report designer exists for these reports, so they never print: an
// agency with rows gets " - No report available", one without
// " - No Records to Print". They leave the job orientation, the mouse
// pointer and the wait message as they found them, write nothing to the
// database and report no error to the batch (a failed query is reported
// by the form operations and ends the printer with its note).

#include <cstdint>
#include <string>

namespace modMain {

// Form 94's printer. The report factory has no designer for the form, so
// nothing is read and the agency's line gets "- No report available".
void PrintEntryScreenReport(std::int32_t CountyID, const std::string& CountyName, std::int32_t DistrictID,
                            const std::string& DistrictName, std::int32_t SchoolID, const std::string& SchoolName,
                            std::int32_t ReportYear, const std::string& FiscalYearText, std::int32_t ReportPeriod,
                            const std::string& PeriodText, std::int16_t FormNo, const std::string& FormName,
                            const std::string& FormDisplayName, const std::string& FormTitle,
                            const std::string& FormName2, bool Switch1, bool Switch2, std::int16_t Number);

// The infant-funding printers, each reading its own table for the agency
// (district, county, school) and period; the allocation rows and transfers
// of the fiscal year, the justification of any. The report key argument is
// not read: each printer uses its own. The fiscal-year caption, period
// text, names and form number would head the report; the last three are
// the batch's constants (True, False, 1).
//
// Allocation data: its rows with their SELPA parameters.
void PrintInfantFundingAllocationData(const std::string& ReportName, std::int32_t DistrictID, std::int32_t CountyID,
                                      std::int32_t ReportYear, std::int32_t ReportPeriod,
                                      const std::string& FiscalYearCaption, const std::string& PeriodText,
                                      const std::string& CountyName, const std::string& DistrictName,
                                      std::int32_t SchoolID, std::int16_t FormNo, bool PrintDirect, bool BlankForm,
                                      std::int16_t Number);
// Transfers in and out.
void PrintInfantFundingTransfer(const std::string& ReportName, std::int32_t DistrictID, std::int32_t CountyID,
                                std::int32_t ReportYear, std::int32_t ReportPeriod,
                                const std::string& FiscalYearCaption, const std::string& PeriodText,
                                const std::string& CountyName, const std::string& DistrictName,
                                std::int32_t SchoolID, std::int16_t FormNo, bool PrintDirect, bool BlankForm,
                                std::int16_t Number);
// The justification: a first row whose text is blank counts as no rows
// (a Null one does not).
void PrintInfantFundingJustification(const std::string& ReportName, std::int32_t DistrictID, std::int32_t CountyID,
                                     std::int32_t ReportYear, std::int32_t ReportPeriod,
                                     const std::string& FiscalYearCaption, const std::string& PeriodText,
                                     const std::string& CountyName, const std::string& DistrictName,
                                     std::int32_t SchoolID, std::int16_t FormNo, bool PrintDirect, bool BlankForm,
                                     std::int16_t Number);

}  // namespace modMain

#include "modMainBatchPrinters.h"

#include "FormData.h"
#include "InfantFundingQuery.h"
#include "modGlobals.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

namespace modMain {
namespace {

constexpr const char* kModule = "modMain";
using vb::kCrLf;

// Ends the report's line in the batch print log.
void LogNote(const char* note) { modGlobals::gstrPrintLog += std::string("\t") + note + kCrLf; }

enum class InfantReport { Allocation, Transfer, Justification };

// The printer's name in an error report.
const char* ProcedureOf(InfantReport which) {
  static const char* const procedures[] = {"PrintInfantFundingAllocationData", "PrintInfantFundingTransfer",
                                           "PrintInfantFundingJustification"};
  return procedures[static_cast<int>(which)];
}

db::SqlText QueryOf(InfantReport which, const forms::FormScope& scope) {
  switch (which) {
    case InfantReport::Allocation: return infantfunding::AllocationRows(scope);
    case InfantReport::Transfer: return infantfunding::TransferRows(scope);
    case InfantReport::Justification: break;
  }
  return infantfunding::JustificationRows(scope);
}

// The steps the three printers share: the agency's rows of the report, the
// note for none, and the note for rows that no designer can print.
void PrintInfantReport(InfantReport which, std::int32_t DistrictID, std::int32_t CountyID, std::int32_t ReportYear,
                       std::int32_t ReportPeriod, std::int32_t SchoolID) {
  Trap trap(kModule, ProcedureOf(which), Trap::Mode::Leave);
  // Rows or not, no designer prints these reports: the report factory
  // has none for their keys.
  const char* note = " - No report available";
  trap([&] {
    forms::FormScope scope;
    scope.county = CountyID;
    scope.district = DistrictID;
    scope.school = SchoolID;
    scope.year = ReportYear;
    scope.period = ReportPeriod;
    // A failed query has been reported by the form operations.
    const db::RecordsetPtr rows = forms::Fetch(modGlobals::SharedConnection(), QueryOf(which, scope));
    if (!rows) return;
    if (rows->RecordCount() <= 0) {
      note = " - No Records to Print";
    } else if (which == InfantReport::Justification) {
      rows->MoveFirst();
      const vb::Variant text = rows->Value("Justification");
      if (!text.IsNull() && vb::Trim(vb::TextOf(text)).empty()) note = " - No Records to Print";
    }
  });
  LogNote(note);
}

}  // namespace

void PrintEntryScreenReport(std::int32_t, const std::string&, std::int32_t, const std::string&, std::int32_t,
                            const std::string&, std::int32_t, const std::string&, std::int32_t, const std::string&,
                            std::int16_t, const std::string& /*FormName*/, const std::string&,
                            const std::string&, const std::string&, bool, bool, std::int16_t) {
  // The report factory has no designer for the form.
  LogNote("- No report available");
}

void PrintInfantFundingAllocationData(const std::string&, std::int32_t DistrictID, std::int32_t CountyID,
                                      std::int32_t ReportYear, std::int32_t ReportPeriod, const std::string&,
                                      const std::string&, const std::string&, const std::string&,
                                      std::int32_t SchoolID, std::int16_t, bool, bool, std::int16_t) {
  PrintInfantReport(InfantReport::Allocation, DistrictID, CountyID, ReportYear, ReportPeriod, SchoolID);
}

void PrintInfantFundingTransfer(const std::string&, std::int32_t DistrictID, std::int32_t CountyID,
                                std::int32_t ReportYear, std::int32_t ReportPeriod, const std::string&,
                                const std::string&, const std::string&, const std::string&, std::int32_t SchoolID,
                                std::int16_t, bool, bool, std::int16_t) {
  PrintInfantReport(InfantReport::Transfer, DistrictID, CountyID, ReportYear, ReportPeriod, SchoolID);
}

void PrintInfantFundingJustification(const std::string&, std::int32_t DistrictID, std::int32_t CountyID,
                                     std::int32_t ReportYear, std::int32_t ReportPeriod, const std::string&,
                                     const std::string&, const std::string&, const std::string&,
                                     std::int32_t SchoolID, std::int16_t, bool, bool, std::int16_t) {
  PrintInfantReport(InfantReport::Justification, DistrictID, CountyID, ReportYear, ReportPeriod, SchoolID);
}

}  // namespace modMain

#include "frmMainPrintReports.h"

#include "frmMainBlankReports.h"

#include <algorithm>
#include <array>
#include <memory>

#include "FormData.h"
#include "ReportQuery.h"
#include "Utilities.h"
#include "frmMain.h"
#include "modGlobals.h"
#include "modMainBatchPrinters.h"
#include "modMainPrintForm.h"
#include "modMainReports.h"
#include "modMainStart.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Printers.h"
#include "vb/App.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

using vb::Variant;

namespace printing {
namespace {

constexpr const char* kModule = "frmMain";
constexpr const char* kProcedure = "mnuNew_Reports_Click";
constexpr const char* kWait = "Printing Reports";
using vb::kCrLf;

// The forms whose reports are keyed by school, and the SELPA forms.
constexpr std::array<std::int32_t, 12> kSchoolForms = {41, 45, 47, 49, 50, 51, 55, 507, 511, 512, 513, 514};
constexpr std::array<std::int32_t, 3> kSelpaForms = {100, 102, 502};
// Forms with a printer of their own.
constexpr std::int32_t kBatchOnlyForm = 94;
constexpr std::int32_t kInfantFundingForm = 102;

template <std::size_t N>
bool In(const std::array<std::int32_t, N>& set, std::int32_t formNo) {
  return std::find(set.begin(), set.end(), formNo) != set.end();
}

[[noreturn]] void Missing(const std::string& what) {
  throw vb::VbError(vb::err::ApplicationDefined, what);
}

// Prints one program for one agency on the batch's own parameters.
void PrintOne(clsGlobalParam& param, std::shared_ptr<clsGlobalParam>& copy, const SelectionArray& leas, int lea) {
  const std::string district = leas.At(0, lea);
  const std::int32_t school = vb::CLng(Variant(leas.At(1, lea)));
  db::RecordsetPtr directory = forms::Snapshot(
      modGlobals::SharedConnection(),
      forms::OpenDirectoryRowQuery(param.ReportYear, vb::CLng(Variant(leas.At(4, lea))),
                                   vb::CLng(Variant(district)), school));
  if (directory->Eof())
    Missing("The agency " + district + " has no open directory row for " + std::to_string(param.ReportYear) + ".");
  param.DistrictID = vb::CLng(directory->Value("school_district_id"));
  param.CountyID = vb::CLng(directory->Value("county_id"));
  param.ReportYear = vb::CLng(directory->Value("fiscal_year"));
  param.CountyName = vb::TextOf(directory->Value("county_name"));
  param.DistrictName = vb::TextOf(directory->Value("school_district_name"));
  if (In(kSchoolForms, param.FormNo)) {
    param.SchoolId = vb::CLng(directory->Value("SCHOOL_ID"));
    param.SchoolName = vb::TextOf(directory->Value("school_name"));
  } else if (In(kSelpaForms, param.FormNo)) {
    param.SchoolId = vb::CLng(directory->Value("SCHOOL_ID"));
  } else {
    param.SchoolId = 0;
  }
  param.CopyTo(*copy);

  modGlobals::gstrPrintLog += "\tLEA: " + AgencyLogText(param.FormNo, district, school, leas.At(6, lea));
  modGlobals::gblnBatchPrint = true;
  if (param.FormNo == kBatchOnlyForm) {
    modMain::PrintEntryScreenReport(param.CountyID, param.CountyName, vb::CLng(Variant(district)), leas.At(2, lea),
                                    school, leas.At(3, lea), param.ReportYear, param.FiscalYearText,
                                    param.ReportPeriod, param.PeriodText, static_cast<std::int16_t>(param.FormNo),
                                    param.formname, param.FormDisplayName, param.FormDisplayTitle, param.formname,
                                    true, false, 0);
  } else if (param.FormNo == kInfantFundingForm) {
    using InfantPrinter = void (*)(const std::string&, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                   const std::string&, const std::string&, const std::string&, const std::string&,
                                   std::int32_t, std::int16_t, bool, bool, std::int16_t);
    struct InfantReport {
      const char* piece;  // the report's line in the log
      const char* key;
      InfantPrinter print;
    };
    static constexpr InfantReport kInfantReports[] = {
        {" Infant Funding Allocation ", "INFANTFUNDINGALLOCATIONDATA", &modMain::PrintInfantFundingAllocationData},
        {" Infant Funding Transfer ", "INFANTFUNDINGTRANSFER", &modMain::PrintInfantFundingTransfer},
        {" Infant Funding Justification ", "INFANTFUNDINGJUSTIFICATION", &modMain::PrintInfantFundingJustification},
    };
    for (const InfantReport& report : kInfantReports) {
      // Each report on a line of its own: the previous report's note has
      // ended its line already.
      std::string& log = modGlobals::gstrPrintLog;
      if (!log.ends_with(kCrLf)) log += kCrLf;
      log += std::string("\t\t") + report.piece;
      report.print(report.key, param.DistrictID, param.CountyID, param.ReportYear, param.ReportPeriod,
                   modMain::FiscalYearLine(param), param.PeriodText, param.CountyName, param.DistrictName,
                   param.SchoolId, static_cast<std::int16_t>(param.FormNo), true, false, 1);
    }
  } else {
    ui::PdfRun::NameNextJob(AgencyLogText(param.FormNo, district, school, leas.At(6, lea)) + " " + param.formname);
    modMain::mPrintForm(copy, param.formname, false, false);
  }
  modGlobals::gblnBatchPrint = false;
  modMain::ShowWaitMsg("");
  modMain::ShowWaitMsg(kWait);
}

void PrintSelectedReports(frmMain& window, Trap& trap) {
  const vb::Date time = ui::Now();
  const vb::Date date = ui::Now();
  const std::string stamp = RunLogStamp(time, date);
  modGlobals::gstrPrintLog.clear();
  window.mintLEACount = 0;
  window.mintProgramCount = 0;
  if (!window.AgencyList() || window.AgencyList()->AbsolutePosition() < 1) {
    ui::MsgBox("Operation not valid. Cannot continue", ui::vbCritical);
    return;
  }
  const SelectionArray leas = window.GetSelected();
  if (window.mintLEACount == 0) {
    ui::MsgBox("Select one or more LEA(s) and try again", ui::vbInformation);
    return;
  }
  const SelectionArray programs = window.GetSelectedProgram();
  if (window.mintProgramCount == 0) {
    ui::MsgBox("Select one or more program(s) and try again", ui::vbInformation);
    return;
  }
  modMain::ShowWaitMsg(kWait);

  // The batch's own parameters: the program-wide ones and the window's
  // stay as the user left them.
  clsGlobalParam param;
  modGlobals::GlobalParam().CopyTo(param);
  auto copy = std::make_shared<clsGlobalParam>();
  // On the PDF printer the batch's files go into one folder, asked once.
  const ui::PdfRun pdfRun;
  std::string body;
  for (int p = 0; p < window.mintProgramCount; ++p) {
    const std::int32_t formNo = vb::CLng(Variant(programs.At(1, p)));
    const bool found = trap([&] {
      db::RecordsetPtr catalogue =
          forms::Snapshot(modGlobals::SharedConnection(), forms::CatalogueRowQuery(formNo));
      if (catalogue->Eof()) Missing("The form catalogue has no form " + std::to_string(formNo) + ".");
      param.FormNo = vb::CLng(catalogue->Value("form_no"));
      param.FormDisplayName = vb::TextOf(catalogue->Value("form_display_name"));
      param.formname = vb::TextOf(catalogue->Value("form_name"));
      param.FormDisplayTitle = vb::TextOf(catalogue->Value("form_title1"));
    });
    if (!found) continue;
    const std::string heading = param.FormDisplayName + kCrLf;
    for (int lea = 0; lea < window.mintLEACount; ++lea) {
      const std::string before = modGlobals::gstrPrintLog;
      // Retry prints this report again from a log without its line.
      trap([&] {
        modGlobals::gstrPrintLog = before;
        PrintOne(param, copy, leas, lea);
      });
      modGlobals::gblnBatchPrint = false;
    }
    modGlobals::gstrPrintLog += kCrLf;
    body += heading + modGlobals::gstrPrintLog + kCrLf;
    modGlobals::gstrPrintLog.clear();
  }
  modMain::ShowWaitMsg("");
  std::string text =
      "Reports Printing.. Date & Time: " + stamp + kCrLf + kCrLf + body + kCrLf + " Print Operation Completed.";
  Utilities::TransferStatus(text);
}

}  // namespace

std::string RunLogStamp(const vb::Date& time, const vb::Date& date) {
  return vb::Format(Variant(date), "mmm-dd-yyyy") + " " + vb::Format(Variant(time), "hh:mm:ss");
}

std::string AgencyLogText(std::int32_t formNo, const std::string& district, std::int32_t school,
                          const std::string& agencyType) {
  if (In(kSelpaForms, formNo)) return district + "-" + agencyType;
  return school != 0 ? district + "-" + vb::Format(Variant(school), "0000000") : district;
}

bool CheckPrinter(frmMain& window) {
  if (!ui::printers().Names().empty()) return true;
  ui::MsgBox(Utilities::NoPrinterMessage(), ui::vbInformation);
  window.activateWindow();
  return false;
}

void PrintReportsCommand(frmMain& window) {
  Trap trap(kModule, kProcedure);
  if (!CheckPrinter(window)) return;
  const int row = window.dgLEA->Row();
  auto giveRowBack = [&] {
    if (row >= 0) trap([&] { window.dgLEA->Row(row); });
  };
  bool checkAgencies = true, checkPrograms = true;
  if (!window.bSelectionMade(checkAgencies, checkPrograms)) {
    giveRowBack();
    return;
  }
  trap([&] {
    modGlobals::gintSavedFormRow = static_cast<std::int16_t>(vb::Deref(window.FormList().get()).AbsolutePosition());
    modGlobals::gintSavedLEARow = static_cast<std::int16_t>(vb::Deref(window.AgencyList().get()).AbsolutePosition());
  });
  window.setEnabled(false);
  PrintSelectedReports(window, trap);
  // Whatever happened in the batch.
  modGlobals::gblnBatchPrint = false;
  modGlobals::gstrPrintLog.clear();
  modMain::ShowWaitMsg("");
  window.setEnabled(true);
  giveRowBack();
  window.activateWindow();
}

void InstallCommands() {
  frmMain::SetCommandBody("mnuNew_Reports", &PrintReportsCommand);
  frmMain::SetCommandBody("mnuNew_BlankReports", &PrintBlankReportsCommand);
}

}  // namespace printing

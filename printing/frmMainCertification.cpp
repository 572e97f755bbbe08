// File > Print > "&Certification": the certificate pages of the selected
// agencies and programs.

#include "frmMainCertification.h"

#include <memory>

#include "CertificationCopies.h"
#include "CertificationQuery.h"
#include "FormData.h"
#include "Utilities.h"
#include "db/Shape.h"
#include "frmMain.h"
#include "frmMainPrintReports.h"
#include "modCOEStatus.h"
#include "modGlobals.h"
#include "modMainReports.h"
#include "modMainStart.h"
#include "rptCertPage.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace printing {
namespace {

using namespace certcopies;

constexpr const char* kProcedure = "mnuNew_Certification_Click";
constexpr const char* kWait = "Printing Certificate...";
constexpr const char* kGenerated = " - Certification Letter Generated";
constexpr const char* kFailed = " - Print Failed due to Error(s) in Certification Process";
constexpr std::int32_t kCountyAuditorGroup = 7;
constexpr std::int32_t kCharterGroup = 4;

// What became of one agency's letter.
enum class Letter { NoStatusRow, Printed, NotPrinted };

// The certificate page of the form group for the agency of row `lea`, on
// the run's own parameters; answers whether a page came out (none when
// the agency has no certified export row of the group).
bool PrintCertificatePage(const clsGlobalParam& own, const SelectionArray& leas, int lea) {
  const forms::FormScope agency = AgencyScope(own, leas, lea);
  const db::ConnectionPtr& conn = modGlobals::SharedConnection();
  const std::int32_t statement =
      LetterStatementNumber(leas.At(0, lea), modGlobals::GlobalParam().LogonUserGroup);
  const db::RecordsetPtr rows = db::ComputeBy(
      db::AppendRelate(forms::Snapshot(conn, certification::AgencyExportRows(agency, own.FormGroupName)),
                       forms::Snapshot(conn, certification::Statements(own.FormGroupName, statement)),
                       "FORM_GROUP_NAME", "FORM_GROUP", "Command2"),
      {"CERTIFICATE"}, "Command1");
  if (rows->Eof() || rows->Value("CERTIFICATE").IsNull()) return false;

  std::shared_ptr<rptCertPage> page = std::dynamic_pointer_cast<rptCertPage>(modMain::GetReport("rptcertpage"));
  if (!page) page = report::Create<rptCertPage>();
  page->GParam = std::make_shared<clsGlobalParam>(own);
  page->DataSource(rows);
  page->Init();
  page->Sections("Section8").Controls("TEXT8").Visible(modGlobals::GlobalParam().UserGroup == kCharterGroup);
  page->Sections("Section2").Controls("lblCountyDist").Caption("County: " + own.CountyName);
  page->Sections("Section8").Controls("lblCountyCode").Caption(vb::Format(Variant(own.CountyID), "00"));
  page->Sections("Section2").Controls("LBLFISCALYEAR").Caption(modMain::FiscalYearLine(own));
  page->Sections("Section8").Controls("LBLPERIOD").Caption(own.PeriodText);
  page->Sections("Section3").Controls("lblVersion").Caption(std::to_string(own.ReportYear) + "-" +
                                                            modGlobals::gstrVersion);
  page->Sections("Section3").Controls("label4").Caption(modMain::ReportProductLine());
  modMain::ShowWaitMsg(kWait);
  const bool printed = PrintCopy(*page, page->FailedJobs);
  Utilities::Time_Process();
  return printed;
}

// The agency's letter of the program: its status row decides; a letter
// that did not come out is a failure of the run's log.
Letter AgencyLetter(clsGlobalParam& own, const SelectionArray& leas, int lea, const SelectionArray& programs,
                    int program) {
  forms::FormScope scope = AgencyScope(modGlobals::GlobalParam(), leas, lea);
  scope.formNo = vb::CLng(Variant(programs.At(1, program)));
  const db::RecordsetPtr status = forms::Snapshot(modGlobals::SharedConnection(), modCOE::StatusRowQuery(scope));
  if (status->Eof()) return Letter::NoStatusRow;
  if (!certification::Certified(certification::FactsOf(*status))) return Letter::NotPrinted;
  own.FormGroupName = programs.At(2, program);
  return PrintCertificatePage(own, leas, lea) ? Letter::Printed : Letter::NotPrinted;
}

}  // namespace

std::int32_t LetterStatementNumber(const std::string& district, std::int32_t logonGroup) {
  const bool countyOffice = vb::Val(vb::Left(district, 2)) == 10;
  return countyOffice && logonGroup != kCountyAuditorGroup ? 2 : 1;
}

void PrintCertificationCommand(frmMain& window) {
  Trap trap(kModule, kProcedure);
  SaveListPositions(window, trap);
  RunEnd end(window, trap);
  window.mintLEACount = 0;
  window.mintProgramCount = 0;
  if (!CheckPrinter(window)) return;
  const bool checkAgencies = true, checkPrograms = true;
  if (!window.bSelectionMade(checkAgencies, checkPrograms)) {
    end.Refused();
    return;
  }
  if (!window.AgencyList() || window.AgencyList()->AbsolutePosition() < 1) {
    ui::MsgBox("Operation not valid. Cannot continue", ui::vbCritical);
    return;
  }
  const vb::Date time = ui::Now();
  const std::string stamp = RunLogStamp(time, ui::Now());
  modMain::ShowWaitMsg(kWait);
  window.setEnabled(false);

  window.mstrSelectedLEAs = SelectedAgencies(window);
  if (window.mintLEACount == 0) return;
  window.mstrSelectedPrograms = window.GetSelectedProgram();
  if (window.mintProgramCount == 0) return;
  const SelectionArray& leas = window.mstrSelectedLEAs;
  const SelectionArray& programs = window.mstrSelectedPrograms;

  // The run's own parameters: the window's copy is left as it is.
  clsGlobalParam own = vb::Deref(window.GParam.get());
  std::string body;
  for (int program = 0; program < window.mintProgramCount; ++program) {
    std::string lines;
    for (int lea = 0; lea < window.mintLEACount; ++lea) {
      Letter letter = Letter::NotPrinted;
      // Retry prints this agency's letter again; Ignore logs it as failed.
      trap([&] { letter = AgencyLetter(own, leas, lea, programs, program); });
      if (letter == Letter::NoStatusRow) continue;
      lines += std::string("\tLEA: ") + AgencyCode(leas, lea) + (letter == Letter::Printed ? kGenerated : kFailed) +
               kCrLf;
    }
    body += "Certification Group: " + programs.At(0, program) + kCrLf + kCrLf + lines + kCrLf;
  }
  modMain::ShowWaitMsg("");
  std::string text = "Certification Printing.. Date and Time " + stamp + kCrLf + kCrLf + body + kCrLf +
                     "Print Operation Completed.";
  Utilities::TransferStatus(text);
  end.Finish();
  end.GiveRowBack();
  window.activateWindow();
  Utilities::Time_Process();
}

void InstallCertificationCommands() {
  frmMain::SetCommandBody("mnuNew_Certification", &PrintCertificationCommand);
  frmMain::SetCommandBody("mnu_Coe_Certification", &PrintCoeCertificationCommand);
  frmMain::SetCommandBody("mnunew_BlankCert", &PrintBlankCertificationCommand);
}

}  // namespace printing

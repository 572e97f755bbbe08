// File > Print > "COE C&ertification": the county office's certification
// of each selected program, listing the county's certified agencies.

#include <cstdio>
#include <memory>

#include "CertificationCopies.h"
#include "CertificationQuery.h"
#include "FormData.h"
#include "Utilities.h"
#include "frmMain.h"
#include "frmMainCertification.h"
#include "frmMainPrintReports.h"
#include "modCOEStatus.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "rptCert.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace printing {
namespace {

using namespace certcopies;

constexpr const char* kProcedure = "mnu_Coe_Certification_Click";
constexpr const char* kWait = "Printing COE Certification";
constexpr std::int32_t kCountyOfficeStatement = 2;

// The three aligned lists of one program's certified agencies; each entry
// starts on a new line.
struct AgencyLists {
  std::string codes, names, certificates;
  bool Empty() const { return codes.empty(); }
};

std::string Hex8(const Variant& certificate) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<std::uint32_t>(vb::CLng(certificate)));
  return text;
}

// The characters a list column holds on one line: the lists print in
// Courier New of 8.25 points, whose characters are 0.6 em (99 twips) wide.
// A longer name is cut, so that it does not wrap and every certificate
// stays on its agency's line.
std::size_t ColumnChars(const report::Control& column) {
  constexpr int kCharTwips = 99;
  return column.Width() > kCharTwips ? static_cast<std::size_t>((column.Width() - 1) / kCharTwips) : 1;
}

void List(AgencyLists& lists, db::Recordset& row, std::size_t nameChars) {
  const std::int32_t school = vb::CLng(row.Value("SCHOOL_ID"));
  std::string code = vb::Format(row.Value("COUNTY_ID"), "00") + "-" + vb::Format(row.Value("SCHOOL_DISTRICT_ID"), "00000");
  std::string name = vb::TextOf(row.Value("SCHOOL_DISTRICT_NAME"));
  if (school > 0) {
    code += "-" + vb::Format(Variant(school), "0000000");
    name += " : " + vb::TextOf(row.Value("SCHOOL_NAME"));
  }
  lists.codes += kCrLf + code;
  lists.names += kCrLf + vb::Left(name, nameChars);
  lists.certificates += kCrLf + Hex8(row.Value("CERTIFICATE"));
}

// The county's agencies whose certified data of the form is listed: an
// export row with certificate and date, and a status row that passes the
// certification test.
AgencyLists CertifiedAgencies(const clsGlobalParam& global, std::int32_t formNo, const std::string& formGroup,
                              std::size_t nameChars) {
  const db::ConnectionPtr& conn = modGlobals::SharedConnection();
  AgencyLists lists;
  const db::RecordsetPtr rows = forms::Snapshot(
      conn, certification::CountyExportRows(global.ReportYear, global.ReportPeriod, global.CountyID, formGroup));
  for (; !rows->Eof(); rows->MoveNext()) {
    forms::FormScope scope;
    scope.year = global.ReportYear;
    scope.period = global.ReportPeriod;
    scope.county = global.CountyID;
    scope.district = vb::CLng(rows->Value("SCHOOL_DISTRICT_ID"));
    scope.school = vb::CLng(rows->Value("SCHOOL_ID"));
    scope.formNo = formNo;
    const db::RecordsetPtr status = forms::Snapshot(conn, modCOE::StatusRowQuery(scope));
    if (status->Eof() || !certification::Certified(certification::FactsOf(*status))) continue;
    List(lists, *rows, nameChars);
  }
  return lists;
}

// The county office's directory rows of the run: the open one gives its
// codes, the one at school 0 its name.
struct CountyOffice {
  db::RecordsetPtr codes, name;
};

CountyOffice ReadCountyOffice(const clsGlobalParam& global) {
  const db::ConnectionPtr& conn = modGlobals::SharedConnection();
  CountyOffice office{forms::Snapshot(conn, certification::CountyOfficeRow(global.ReportYear, global.CountyID, true)),
                      forms::Snapshot(conn, certification::CountyOfficeRow(global.ReportYear, global.CountyID, false))};
  if (office.codes->Eof() || office.name->Eof()) {
    throw vb::VbError(vb::err::ApplicationDefined, "The county " + vb::Format(Variant(global.CountyID), "00") +
                                                       " has no county office in the directory of " +
                                                       std::to_string(global.ReportYear) + ".");
  }
  return office;
}

// Heads, fills and prints the program's copy; answers whether it came out.
bool PrintCopyOfProgram(rptCert& rpt, const db::RecordsetPtr& statements, const AgencyLists& lists,
                        const CountyOffice& office, const clsGlobalParam& global, const clsGlobalParam& heading,
                        const std::string& phone) {
  rpt.DataSource(statements);
  report::Section header = rpt.Sections("section1");
  header.Controls("lblcountyname").Caption("County: " + global.CountyName);
  header.Controls("lblcountyid").Caption(vb::Format(Variant(global.CountyID), "00"));
  header.Controls("lbldistrictname").Caption("District: " + vb::TextOf(office.name->Value("SCHOOL_DISTRICT_NAME")));
  header.Controls("lbldistrictid").Caption(vb::Format(office.codes->Value("SCHOOL_DISTRICT_ID"), "00000"));
  header.Controls("lblperiod").Caption(global.PeriodText);
  SetFormFiscalYearAndFooter(rpt, heading);
  report::Section detail = rpt.Sections("section12");
  for (const char* shown : {"label7", "label15", "label16", "label20", "shape3"}) detail.Controls(shown).Visible(true);
  detail.Controls("label17").Caption(lists.codes);
  detail.Controls("label18").Caption(lists.names);
  detail.Controls("label19").Caption(lists.certificates);
  detail.Controls("label21").Caption(global.Username);
  detail.Controls("label22").Caption(phone);
  detail.Controls("label23").Caption(global.UserEMail);
  detail.Controls("label24").Caption(global.UserFax);
  return PrintCopy(rpt, rpt.FailedJobs);
}

void PrintCoeCertification(frmMain& window, Trap& trap) {
  const vb::Date time = ui::Now();
  const std::string stamp = RunLogStamp(time, ui::Now());
  const clsGlobalParam& global = modGlobals::GlobalParam();
  const clsGlobalParam& heading = vb::Deref(window.GParam.get());
  const std::shared_ptr<rptCert> rpt = report::Create<rptCert>();
  const std::string phone = ContactPhoneText(global.UserPhone);
  const std::size_t nameChars = ColumnChars(rpt->Sections("section12").Controls("label18"));
  if (!window.AgencyList() || window.AgencyList()->AbsolutePosition() < 1) {
    ui::MsgBox("Operation not valid. Cannot continue", ui::vbCritical);
    return;
  }
  window.mstrSelectedPrograms = window.GetSelectedProgram();
  if (window.mintProgramCount == 0) {
    ui::MsgBox("Select one or more program(s) and try again", ui::vbInformation);
    return;
  }
  const SelectionArray& programs = window.mstrSelectedPrograms;
  CountyOffice office;
  if (!trap([&] { office = ReadCountyOffice(global); })) return;

  std::string body;
  for (int program = 0; program < window.mintProgramCount; ++program) {
    const std::int32_t formNo = vb::CLng(Variant(programs.At(1, program)));
    std::string name;
    AgencyLists lists;
    bool printed = false;
    // One copy a step: Retry prints it again, Ignore goes on with the next.
    const bool completed = trap([&] {
      name.clear();
      lists = {};
      printed = false;
      const db::RecordsetPtr statements =
          forms::Snapshot(modGlobals::SharedConnection(), certification::FormStatements(formNo, kCountyOfficeStatement));
      if (statements->Eof()) return;
      name = vb::TextOf(statements->Value("FORM_DISPLAY_NAME"));
      lists = CertifiedAgencies(global, formNo, vb::TextOf(statements->Value("FORM_NAME")), nameChars);
      if (!lists.Empty()) printed = PrintCopyOfProgram(*rpt, statements, lists, office, global, heading, phone);
    });
    // A program without a county-office statement has no block.
    if (name.empty()) continue;
    std::string line;
    if (completed && lists.Empty()) {
      line = "\tNo Certified LEA Found.";
    } else {
      line = "\tLEA: " + vb::Format(office.codes->Value("COUNTY_ID"), "00") + "-" +
             vb::Format(office.codes->Value("SCHOOL_DISTRICT_ID"), "00000") + (printed ? "" : " - Print Failed");
    }
    body += name + kCrLf + line + kCrLf + kCrLf;
  }
  modMain::ShowWaitMsg("");
  std::string text =
      "Reports Printing.. Date & Time: " + stamp + kCrLf + kCrLf + body + kCrLf + " Print Operation Completed.";
  Utilities::TransferStatus(text);
}

}  // namespace

std::string ContactPhoneText(const std::string& digits) {
  return "(" + vb::Mid(digits, 1, 3) + ")" + vb::Mid(digits, 4, 3) + "-" + vb::Mid(digits, 7, 4) + " * " +
         vb::Mid(digits, 11, 4);
}

void PrintCoeCertificationCommand(frmMain& window) {
  Trap trap(kModule, kProcedure);
  if (!CheckPrinter(window)) return;
  RunEnd end(window, trap);
  const bool checkAgencies = false, checkPrograms = true;
  if (!window.bSelectionMade(checkAgencies, checkPrograms)) {
    end.Refused();
    return;
  }
  SaveListPositions(window, trap);
  window.setEnabled(false);
  modMain::ShowWaitMsg(kWait);
  PrintCoeCertification(window, trap);
}

}  // namespace printing

// File > Print > "Blan&k Certification": certification forms with empty
// contact lines, per selected agency, or per program with the county
// heading only when no agency is selected.

#include <functional>
#include <memory>

#include "CertificationCopies.h"
#include "CertificationQuery.h"
#include "FormData.h"
#include "Utilities.h"
#include "frmMain.h"
#include "frmMainCertification.h"
#include "frmMainPrintReports.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "rptCert.h"
#include "ui/Clock.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace printing {
namespace {

using namespace certcopies;

constexpr const char* kProcedure = "mnunew_BlankCert_Click";
constexpr const char* kWait = "Printing Blank Certification";
constexpr const char* kMark = "mnunew_BlankCert";

// What a copy's page header shows in each mode, by control: the agency's
// lines, or the county heading alone with the codes hidden.
struct HeaderLine {
  const char* control;
  std::function<void(report::Control, const SelectionArray&, int)> agencyMode;
  std::function<void(report::Control, const SelectionArray&, int)> countyMode;
};

using Label = report::Control;
const std::vector<HeaderLine>& HeaderLines() {
  static const std::vector<HeaderLine> lines = {
      {"lblcountyname",
       [](Label c, const SelectionArray&, int) { c.Caption("County: " + modGlobals::GlobalParam().CountyName); },
       [](Label c, const SelectionArray&, int) { c.Caption("County: "); }},
      {"lblcountyid",
       [](Label c, const SelectionArray&, int) {
         c.Caption(vb::Format(Variant(modGlobals::GlobalParam().CountyID), "00"));
       },
       [](Label c, const SelectionArray&, int) { c.Visible(false); }},
      // A district's copy after a school's shows no school code.
      {"lblschoolid",
       [](Label c, const SelectionArray& leas, int lea) {
         const std::int32_t school = SchoolOf(leas, lea);
         c.Caption(school > 0 ? vb::Format(Variant(school), "0000000") : std::string());
       },
       [](Label c, const SelectionArray&, int) { c.Visible(false); }},
      {"lbldistrictname",
       [](Label c, const SelectionArray& leas, int lea) {
         c.Caption("District: " + leas.At(2, lea) + (SchoolOf(leas, lea) > 0 ? " : " + leas.At(3, lea) : ""));
       },
       [](Label c, const SelectionArray& leas, int lea) {
         c.Caption("District: " + (SchoolOf(leas, lea) > 0 ? leas.At(2, lea) + " : " : std::string()));
       }},
      {"lbldistrictid",
       [](Label c, const SelectionArray& leas, int lea) {
         c.Caption(vb::Format(Variant(vb::CLng(Variant(leas.At(0, lea)))), "00000"));
       },
       [](Label c, const SelectionArray&, int) { c.Visible(false); }},
      {"lblperiod", [](Label c, const SelectionArray&, int) { c.Caption(modGlobals::GlobalParam().PeriodText); },
       [](Label c, const SelectionArray&, int) { c.Caption(""); }},
  };
  return lines;
}

// One copy for the agency of row `lea`: the statement its kind signs, the
// header of the mode, printed; answers whether it came out.
bool PrintBlankCopy(rptCert& rpt, const db::RecordsetPtr& statements, const SelectionArray& leas, int lea,
                    bool countyMode, const clsGlobalParam& heading) {
  statements->Filter(vb::Val(vb::Left(leas.At(0, lea), 2)) == 10 ? "SNO =2" : "SNO =1");
  rpt.DataSource(statements);
  report::Section header = rpt.Sections("section1");
  for (const HeaderLine& line : HeaderLines())
    (countyMode ? line.countyMode : line.agencyMode)(header.Controls(line.control), leas, lea);
  SetFormFiscalYearAndFooter(rpt, heading);
  return PrintCopy(rpt, rpt.FailedJobs);
}

void PrintBlankCertification(frmMain& window, Trap& trap) {
  const vb::Date time = ui::Now();
  const std::string stamp = RunLogStamp(time, ui::Now());
  const std::shared_ptr<rptCert> rpt = report::Create<rptCert>();
  const clsGlobalParam& heading = vb::Deref(window.GParam.get());
  const bool countyMode = window.mlngNoLEASelected == 1;
  const SelectionArray& leas = window.mstrSelectedLEAs;
  const SelectionArray& programs = window.mstrSelectedPrograms;
  const int copiesPerProgram = countyMode ? 1 : window.mintLEACount;

  std::string body;
  for (int program = 0; program < window.mintProgramCount; ++program) {
    db::RecordsetPtr statements;
    if (!trap([&] {
          statements = forms::Snapshot(modGlobals::SharedConnection(),
                                       certification::FormStatements(vb::CLng(Variant(programs.At(1, program)))));
        }))
      continue;
    std::string block, agencies;
    // A program without statements prints nothing: empty lines mark it.
    if (!statements->Eof()) {
      block = vb::TextOf(statements->Value("FORM_DISPLAY_NAME")) + kCrLf;
      for (int lea = 0; lea < copiesPerProgram; ++lea) {
        bool printed = false;
        // One copy a step: Retry prints it again, Ignore goes on.
        trap([&] { printed = PrintBlankCopy(*rpt, statements, leas, lea, countyMode, heading); });
        if (!countyMode) agencies += "\tLEA: " + AgencyCode(leas, lea) + (printed ? "" : " - Print Failed");
      }
    }
    if (!countyMode) agencies += kCrLf;
    body += block + agencies + kCrLf;
  }
  modMain::ShowWaitMsg("");
  std::string text =
      "Reports Printing.. Date & Time: " + stamp + kCrLf + kCrLf + body + kCrLf + " Print Operation Completed.";
  Utilities::TransferStatus(text);
}

}  // namespace

void PrintBlankCertificationCommand(frmMain& window) {
  Trap trap(kModule, kProcedure);
  window.mlngNoLEASelected = 0;
  SaveListPositions(window, trap);
  RunEnd end(window, trap);
  // The mark tells the selection check that a blank certification may run
  // without an agency; it goes on every way out.
  auto mark = [&](bool on) { trap([&] { window.Menus().Item(kMark).Checked(on); }); };
  mark(true);
  struct Unmark {
    std::function<void()> off;
    ~Unmark() { off(); }
  } unmark{[&] { mark(false); }};

  if (!CheckPrinter(window)) return;
  const bool checkAgencies = true, checkPrograms = true;
  if (!window.bSelectionMade(checkAgencies, checkPrograms)) {
    end.Refused();
    return;
  }
  window.mintLEACount = 0;
  window.mintProgramCount = 0;
  window.mstrSelectedLEAs = SelectedAgencies(window);
  if (window.mintLEACount == 0) return;
  window.mstrSelectedPrograms = window.GetSelectedProgram();
  if (window.mintProgramCount == 0) return;
  window.setEnabled(false);
  modMain::ShowWaitMsg(kWait);
  PrintBlankCertification(window, trap);
}

}  // namespace printing

#pragma once
// What the three certification commands share (frmMainCertification.h):
// the frame's steps as they take them and the printing of one copy.

#include <cstdint>
#include <string>

#include "FormScope.h"
#include "SelectionArray.h"
#include "clsGlobalParam.h"
#include "report/Report.h"
#include "vb/Conversions.h"
#include "vb/Trap.h"

class frmMain;

namespace printing::certcopies {

inline constexpr const char* kModule = "frmMain";
using vb::kCrLf;

// Stores the positions of the entry-screen and agency lists in
// gintSavedFormRow and gintSavedLEARow.
void SaveListPositions(frmMain& window, Trap& trap);

// The end of every run, whatever happened: the wait message closed, the
// window enabled, the agency grid's row given back, the focus on the
// window; each once, when asked or when it goes.
class RunEnd {
 public:
  RunEnd(frmMain& window, Trap& trap);
  ~RunEnd();
  RunEnd(const RunEnd&) = delete;
  RunEnd& operator=(const RunEnd&) = delete;
  // A refused selection: only the grid's row is given back, now; the
  // check has told the user and nothing else changed.
  void Refused();
  void GiveRowBack();
  // Closes the wait message and enables the window now.
  void Finish();

 private:
  frmMain& window_;
  Trap& trap_;
  int row_;
  bool done_ = false;
  bool refused_ = false;
};

// The selected agencies (frmMain::GetSelected), gathered as a batch: the
// walk through the agency list takes up no agency, so the entry-screen
// list keeps the programs the user selected.
SelectionArray SelectedAgencies(frmMain& window);

// The agency of row `lea` of the selected agencies as the run logs name
// it: the district code, then "-" and the seven-digit school when there is
// one.
std::string AgencyCode(const SelectionArray& leas, int lea);
// The school of that row as a number (0 for a district).
std::int32_t SchoolOf(const SelectionArray& leas, int lea);
// The agency of that row in the year and period of `P`.
forms::FormScope AgencyScope(const clsGlobalParam& P, const SelectionArray& leas, int lea);

// Prints one copy on the program's printer, portrait, after the
// one-second pause; answers whether it came out (no job error was raised
// for it: `failedJobs` is the report's count of them).
bool PrintCopy(report::Report& rpt, const int& failedJobs);

// The heading lines of the certification form that every copy carries:
// the fiscal year (from `heading`) and the footer's version and product
// lines.
void SetFormFiscalYearAndFooter(report::Report& rpt, const clsGlobalParam& heading);

}  // namespace printing::certcopies

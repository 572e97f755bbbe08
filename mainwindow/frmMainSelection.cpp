// The main window's selection flags: a click in the agency list's first
// column flips that agency's flag, a click on its record selector takes the
// agency up and enables its entry screens, and the four selection buttons
// set every flag of one list. Flags are stored as they change.

#include "frmMain.h"
#include "frmMainDetail.h"
#include "modMainStart.h"
#include "vb/Conversions.h"

using frmMainDetail::Globals;
using frmMainDetail::kModule;
using frmMainDetail::Narrow16;
using vb::Deref;

namespace {

// The buttons of cmdSelection: which list each sets, and to what.
enum class List { EntryScreens, Agencies };
struct SelectionButton {
  std::int16_t index;
  List list;
  const char* flag;
};
constexpr SelectionButton kSelectionButtons[] = {
    {0, List::EntryScreens, "Yes"},
    {1, List::EntryScreens, "No"},
    {2, List::Agencies, "Yes"},
    {3, List::Agencies, "No"},
};

// The menus that a taken-up agency enables.
constexpr const char* kAgencyMenus[] = {"mnuPeriod", "mnuNew_Import", "mnuNew_Export", "mnuNew_Print"};

// Sets SELECTED of every row from the current one to the last, storing each
// change at once; a row that already holds the flag in any letter case is
// not written. A Null flag is written too, so that the batch commands find
// the row as the user asked.
void SetEveryFlag(Trap& trap, db::Recordset& list, const char* flag) {
  const std::string wanted = vb::UCase(flag);
  while (!trap.Left()) {
    bool end = true;
    trap([&] { end = list.Eof(); });
    if (end) return;
    trap([&] {
      const vb::Variant current = list.Value("SELECTED");
      if (!current.IsNull() && vb::UCase(vb::CStr(current)) == wanted) return;
      frmMainDetail::StoreSelected(list, flag);
    });
    trap([&] { list.MoveNext(); });
  }
}

}  // namespace

void frmMain::dgLEA_MouseDown(int /*Button*/, int /*Shift*/, int X, int Y) {
  Trap trap(kModule, "dgLEA_MouseDown");
  trap([&] {
    const std::int16_t kept = dgLEARowValue;
    dgLEARowValue = Narrow16(dgLEA->RowContaining(Y));
    if (dgLEARowValue == -1) dgLEARowValue = kept;  // headings and the empty area keep the last row
  });
  trap([&] { dgLEAColValue = Narrow16(dgLEA->ColContaining(X)); });
}

void frmMain::dgForms_MouseDown(int /*Button*/, int /*Shift*/, int X, int Y) {
  Trap trap(kModule, "dgForms_MouseDown");
  trap([&] { dgFormsRowValue = Narrow16(dgForms->RowContaining(Y)); });
  trap([&] { dgFormsColValue = Narrow16(dgForms->ColContaining(X)); });
}

void frmMain::dgLEA_Click() {
  Trap trap(kModule, "dgLEA_click");
  trap([&] { dgLEA->Columns("LEA_TYPE").Width(0); });
  // A test that cannot be made stops the click.
  bool stop = true;
  trap([&] { stop = dgLEA->Row() < 0 || dgLEARowValue < 0; });
  if (!stop) trap([&] { stop = Deref(rsDist).RecordCount() <= 0; });
  if (!stop) trap([&] { stop = rsDist->AbsolutePosition() < 1; });
  if (!stop) stop = dgLEAColValue > 0;  // only the first column and the record selector act
  if (stop || trap.Left()) return;

  if (dgLEAColValue == -1) {
    trap([&] { EnableEntryScreens(true); });
    trap([&] { modGlobals::gintSavedLEARow = Narrow16(rsDist->AbsolutePosition()); });
    // The entry-screen list starts from its first row.
    trap([&] {
      if (Deref(rsForm).RecordCount() >= 1) rsForm->MoveFirst();
    });
  }
  trap([] { modMain::ShowWaitMsg("Please wait..."); });

  auto finish = [&] {
    trap([] { modMain::ShowWaitMsg(""); });
    trap([&] { setFocus(); });
    trap([&] { RefreshTitle(); });
  };

  bool takeUp = false;
  trap([&] { takeUp = dgLEA->Row() < 0 || dgLEA->Col() < 0; });
  if (takeUp) {
    // The record selector: the agency becomes the one the entry screens
    // and the commands work on.
    clsGlobalParam& P = Globals();
    trap([&] { P.LocCountyID = vb::CLng(rsDist->Value("LOCATION_COUNTY_ID")); });
    trap([&] {
      P.SchoolId = vb::CLng(rsDist->Value("SCHOOL_ID"));
      modGlobals::glngClickedSchoolID = P.SchoolId;
    });
    trap([&] {
      P.SchoolName = modGlobals::glngClickedSchoolID == 0 ? std::string() : vb::TextOf(rsDist->Value("SCHOOL_NAME"));
    });
    for (const char* menu : kAgencyMenus) trap([&] { menus_->Item(menu).Enabled(true); });
    finish();
    return;
  }
  trap([&] { Globals().LocCountyID = vb::CLng(rsDist->Value("LOCATION_COUNTY_ID")); });
  bool atEnd = false;
  trap([&] { atEnd = rsDist->Eof(); });
  if (atEnd) {
    finish();
    return;
  }

  if (dgLEAColValue == 0) {
    // The first column: the agency's flag flips, stored at once.
    trap([&] { dgLEA->Row(dgLEARowValue); });
    trap([&] {
      const vb::Variant flag = rsDist->Value("SELECTED");
      const bool yes = !flag.IsNull() && vb::CStr(flag) == "Yes";
      frmMainDetail::StoreSelected(*rsDist, yes ? "No" : "Yes");
    });
    trap([&] { dgLEA->DataSource(rsDist); });
    trap([&] { LayOutAgencyGrid(); });
    trap([&] { SelpaRefreshGrid(); });
  } else {
    // A record selector while the grid keeps a current column: the
    // window's own parameters take the agency's county. (The grid offers
    // no row sizing or cell editing to switch off.)
    trap([&] { Deref(GParam).LocCountyID = vb::CLng(rsDist->Value("COUNTY_ID")); });
  }
  finish();
}

void frmMain::cmdSelection_Click(std::int16_t Index) {
  Trap trap(kModule, "cmdSelection_Click");
  trap([&] { setEnabled(false); });
  trap([] { modMain::ShowWaitMsg("Please wait..."); });
  const SelectionButton* button = nullptr;
  for (const SelectionButton& candidate : kSelectionButtons)
    if (candidate.index == Index) button = &candidate;

  if (button && button->list == List::EntryScreens) {
    // The entry-screen grid stays bound: its flags belong to the catalogue.
    trap([&] {
      if (Deref(rsForm).AbsolutePosition() != 1) rsForm->MoveFirst();
    });
    if (rsForm) SetEveryFlag(trap, *rsForm, button->flag);
    trap([&] { Deref(rsForm).MoveFirst(); });
  } else if (button) {
    // The agency list is walked unbound, with the row-move handling at
    // rest, and comes back to the row it stood on.
    long kept = 0;
    trap([&] { kept = Deref(rsDist).AbsolutePosition(); });
    trap([&] { dgLEA->DataSource(nullptr); });
    trap([&] { mblnLEABathMode = true; });
    trap([&] {
      if (Deref(rsDist).AbsolutePosition() != 1) rsDist->MoveFirst();
    });
    if (rsDist) SetEveryFlag(trap, *rsDist, button->flag);
    trap([&] {
      Deref(rsDist).MoveFirst();
      if (kept > 1) rsDist->Move(kept - 1);
    });
    trap([&] { mblnLEABathMode = false; });
    trap([&] { dgLEA->DataSource(rsDist); });
    trap([&] { LayOutAgencyGrid(); });
  }
  trap([&] { SelpaRefreshGrid(); });
  trap([&] { setEnabled(true); });
  trap([] { modMain::ShowWaitMsg(""); });
}

#include "frmFormNote.h"

#include <QPointer>

#include <algorithm>
#include <vector>

#include "FormData.h"
#include "ScopeOfParams.h"
#include "clsGlobalParam.h"
#include "clsMyAdoUtils.h"
#include "modCOEStatus.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "ui/TextFieldInput.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

namespace {

constexpr const char* kModule = "frmFormNote";

QPointer<frmFormNote>& SharedSlot() {
  static QPointer<frmFormNote> shared;
  return shared;
}

}  // namespace

frmFormNote::frmFormNote(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  ui::KeepAltCharactersOut(*txtformnote);
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

frmFormNote& frmFormNote::Shared() {
  QPointer<frmFormNote>& shared = SharedSlot();
  if (!shared) shared = new frmFormNote();
  return *shared;
}

frmFormNote* frmFormNote::SharedIfAny() { return SharedSlot().data(); }

void frmFormNote::ReleaseShared() {
  QPointer<frmFormNote>& shared = SharedSlot();
  if (shared) shared->deleteLater();
  shared.clear();
}

void frmFormNote::Install() {
  modMain::SetFormNoteWindow([]() -> modMain::NotesWindow& { return Shared(); });
}

clsGlobalParam& frmFormNote::Context() const { return vb::Deref(gparam_); }

std::string frmFormNote::BoxText() const { return txtformnote->toPlainText().toStdString(); }

std::string frmFormNote::TrimmedBox() const { return vb::Trim(BoxText()); }

void frmFormNote::Form_Load() {
  Trap trap(kModule, "Form_Load");
  // A freshly loaded window starts with an empty box.
  trap([&] { txtformnote->clear(); });
  trap([&] {
    const clsGlobalParam& P = Context();
    const std::string title = "Notes for " + P.FormDisplayName + " \\ " + P.FiscalYearText + " \\ " + P.PeriodText +
                              " \\ " + P.CountyName + " \\ " + P.DistrictName;
    setWindowTitle(QString::fromStdString(title));
  });
}

void frmFormNote::Form_Activate() {
  Trap trap(kModule, "Form_Activate");
  trap([&] { baseline_ = TrimmedBox(); });
}

void frmFormNote::RefreshData() {
  Load();  // the box is the window's: using it loads the window
  Trap trap(kModule, "RefreshData");
  trap([&] {
    clsGlobalParam& P = Context();
    P.ReportPeriod = std::clamp(P.ReportPeriod, 1, 3);
  });
  trap([&] {
    rsNote_ = modCOE::FormNoteRows(modGlobals::AdoUtils().Conn(), forms::ScopeOf(Context()));
  });
  trap([&] {
    if (vb::Deref(rsNote_).RecordCount() > 0)
      txtformnote->setPlainText(QString::fromStdString(vb::TextOf(rsNote_->Value("form_note"))));
  });
}

void frmFormNote::SaveNote(Trap& trap, bool announce) {
  // The entry screen must hold rows for the agency, year and period.
  db::RecordsetPtr entryRows;
  trap([&] { entryRows = forms::NoteEntryRows(modGlobals::SharedConnection(), forms::ScopeOf(Context())); });
  bool hasData = false;
  trap([&] {
    const db::Recordset& rows = vb::Deref(entryRows);
    hasData = !(rows.Bof() && rows.Eof());
    if (!hasData) ui::MsgBox("Cannot save now!", ui::vbInformation);
  });
  if (!hasData) return;  // nothing is written unless the data were found

  const bool written = trap([&] {
    const clsGlobalParam& P = Context();
    const std::string note = TrimmedBox();
    if (!rsNote_ || rsNote_->RecordCount() <= 0) {
      RefreshData();
      if (vb::Deref(rsNote_).RecordCount() <= 0) rsNote_->AddNew();
    }
    db::Recordset& rs = *rsNote_;
    rs.SetValue("COUNTY_ID", vb::Variant(P.CountyID));
    rs.SetValue("school_district_id", vb::Variant(P.DistrictID));
    rs.SetValue("school_id", vb::Variant(P.SchoolId));
    rs.SetValue("fiscal_year", vb::Variant(P.ReportYear));
    rs.SetValue("period_id", vb::Variant(P.ReportPeriod));
    rs.SetValue("form_name", vb::Variant(P.formname));
    rs.SetValue("form_note", vb::Variant(note));
    rs.Update();
  });
  if (written && announce) trap([&] { ui::MsgBox("Notes saved", ui::vbInformation); });
}

void frmFormNote::cmdSave_Click() {
  Trap trap(kModule, "cmdSave_Click");
  SaveNote(trap, true);
  // Saved or refused, the box as it is now is what Close compares with.
  trap([&] { baseline_ = TrimmedBox(); });
}

void frmFormNote::cmdCancel_Click() {
  Trap trap(kModule, "cmdCancel_Click");
  trap([&] {
    if (vb::Deref(rsNote_).RecordCount() >= 0) txtformnote->setPlainText(QString::fromStdString(baseline_));
  });
}

void frmFormNote::cmdDelete_Click() {
  // Every failing step is passed over without a word.
  Trap trap(kModule, "cmdDelete_Click", Trap::Mode::Silent);
  bool confirmed = false;
  trap([&] {
    if (BoxText().empty()) {
      ui::MsgBox("Nothing to delete", ui::vbInformation);
      return;
    }
    confirmed = ui::MsgBox(
                    "If you click yes you won't be able to undo this Delete Operation. Are you sure you want to "
                    "delete these Notes ?",
                    ui::vbYesNo + ui::vbInformation + ui::vbDefaultButton2) == ui::vbYes;
  });
  if (!confirmed) return;
  trap([&] { vb::Deref(rsNote_).Delete(); });
  trap([&] { txtformnote->clear(); });
  trap([&] { baseline_.clear(); });
}

void frmFormNote::cmdClose_Click() {
  Trap trap(kModule, "cmdClose_Click");
  trap([&] {
    if (TrimmedBox().empty()) txtformnote->setPlainText(QString::fromStdString(baseline_));
  });
  trap([&] { Unload(); });
  trap([&] {
    if (SharedSlot() == this) ReleaseShared();
  });
}

void frmFormNote::Form_Unload() {
  Trap trap(kModule, "Form_Unload");
  bool changed = false;
  trap([&] { changed = TrimmedBox() != baseline_; });
  if (!changed) return;
  int answer = ui::vbNo;
  trap([&] {
    answer = ui::MsgBox("Do you want to save the data?", ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2,
                        "Save Data?");
  });
  if (answer == ui::vbYes) SaveNote(trap, false);
}

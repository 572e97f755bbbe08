#include "frmCORRECTION_REASON.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "clsGlobalParam.h"
#include "clsMyAdoUtils.h"
#include "ScopeOfParams.h"
#include "modCOECorrection.h"
#include "modCOEStatus.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "ui/TextFieldInput.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

namespace {

constexpr const char* kModule = "frmCORRECTION_REASON";

using modGlobals::gblnCorrectionPending;
using modGlobals::gintCorrectionFormNo;
using modGlobals::gintCorrectionReasonCode;
using modGlobals::gstrCorrectionNote;

// The agency's own status row of the correction's form (at school 0 for
// county offices, districts and county auditors).
forms::FormScope AgencyStatusRow() {
  forms::FormScope scope = forms::ScopeOf(modGlobals::GlobalParam());
  scope.formNo = gintCorrectionFormNo;
  return modCOE::CorrectionStatusScope(scope);
}

}  // namespace

frmCORRECTION_REASON::frmCORRECTION_REASON(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(size());
  ui::KeepAltCharactersOut(*txtnotes);
  connect(cboRCode, &QComboBox::currentIndexChanged, this, [this] { cboRCode_Click(); });
  connect(txtnotes->document(), &QTextDocument::contentsChange, this, [this](int position, int, int added) {
    editStart_ = position;
    editEnd_ = position + added;
  });
  connect(txtnotes, &QPlainTextEdit::textChanged, this, [this] { KeepNoteLength(); });
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

void frmCORRECTION_REASON::Install() {
  modCOE::SetCorrectionReasonWindow([] {
    auto window = std::make_unique<frmCORRECTION_REASON>(QApplication::activeWindow());
    window->Load();
    return std::unique_ptr<QWidget>(std::move(window));
  });
}

bool frmCORRECTION_REASON::Required() { return gblnCorrectionPending; }

void frmCORRECTION_REASON::KeepNoteLength() {
  const QString text = txtnotes->toPlainText();
  const int excess = static_cast<int>(text.size()) - static_cast<int>(kNoteLength);
  if (excess <= 0) return;
  // Cut from the end of what the edit inserted, so the text around it stays.
  const int end = std::clamp(editEnd_, 0, static_cast<int>(text.size()));
  int start = std::max(std::min(editStart_, end), end - excess);
  if (end - start < excess) start = static_cast<int>(kNoteLength);  // not the edit's doing: keep the start
  if (start > 0 && text.at(start - 1).isHighSurrogate()) --start;    // never half a character
  QTextCursor cursor(txtnotes->document());
  cursor.setPosition(start);
  cursor.setPosition(end - start < excess ? static_cast<int>(text.size()) : end, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
}

void frmCORRECTION_REASON::Form_Load() {
  Trap trap(kModule, "Form_Load");
  trap([&] {
    clsMyAdoUtils& utils = modGlobals::AdoUtils();
    db::RecordsetPtr reasons = utils.getNewRecordSet();
    // List position p stands for reason code p + 1.
    vb::Deref(reasons).Open("select * from PY_CORRECTION_REASON where PY_REASON_code <> 0 ORDER BY PY_REASON_CODE",
                            utils.Conn());
    const QSignalBlocker quiet(cboRCode);
    for (; !reasons->Eof(); reasons->MoveNext())
      cboRCode->addItem(QString::fromStdString(vb::TextOf(reasons->Value("PY_REASON_DESC"))));
    cboRCode->setCurrentIndex(-1);
  });
  if (!vb::Trim(gstrCorrectionNote).empty()) {
    trap([&] { cmdDelete->setEnabled(true); });
    trap([&] {
      const int position = gintCorrectionReasonCode - 1;
      if (position < -1 || position >= cboRCode->count()) vb::Raise(vb::err::InvalidPropertyValue);
      cboRCode->setCurrentIndex(position);
    });
    trap([&] { txtnotes->setPlainText(QString::fromStdString(gstrCorrectionNote)); });
  }
  // Asked for, the window only takes a reason: after the stored one has
  // been shown, Save and Delete are disabled.
  trap([&] {
    if (Required()) {
      cmdSave->setEnabled(false);
      cmdDelete->setEnabled(false);
    }
  });
  changed_ = false;
}

void frmCORRECTION_REASON::cboRCode_Click() { changed_ = true; }

frmCORRECTION_REASON::Saving frmCORRECTION_REASON::bSaveCorrection() {
  const std::string note = txtnotes->toPlainText().toStdString();
  const int position = cboRCode->currentIndex();
  if (vb::Trim(note).empty() || position < 0) {
    ui::MsgBox("Reason Code / Notes cannot be blank", ui::vbInformation + ui::vbOKOnly);
    return Saving::Blank;
  }
  const long long written = modCOE::WriteCorrectionReason(modGlobals::SharedConnection(), AgencyStatusRow(),
                                                          vb::Left(note, kNoteLength), position + 1);
  if (written == 0) {
    ui::MsgBox(
        "The correction details were not saved: this form has no status row for the agency, year and period.",
        ui::vbExclamation);
    return Saving::NoStatusRow;
  }
  if (!Required()) ui::MsgBox("Correction details saved", ui::vbInformation);
  cmdDelete->setEnabled(true);
  changed_ = false;
  return Saving::Saved;
}

void frmCORRECTION_REASON::cmdSave_Click() {
  Trap trap(kModule, "cmdSave_Click");
  trap([&] { bSaveCorrection(); });
}

void frmCORRECTION_REASON::cmdDelete_Click() {
  Trap trap(kModule, "cmdDelete_Click");
  int answer = ui::vbNo;
  trap([&] {
    answer = ui::MsgBox(
        "This would delete the Correction Reason and Correction Notes and resets the Corrected Status to \"No\" "
        "\r\nDo you really want to delete?",
        ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton1, "Delete?");
  });
  if (answer != ui::vbYes) return;
  trap([&] {
    modCOE::ClearCorrectionReason(modGlobals::SharedConnection(), AgencyStatusRow());
  });
  trap([&] {
    cmdDelete->setEnabled(false);
    txtnotes->clear();
    cboRCode->setCurrentIndex(-1);
    changed_ = false;
  });
}

void frmCORRECTION_REASON::cmdClose_Click() {
  Trap trap(kModule, "cmdClose_Click");
  if (Required()) {
    // The window is left once the reason is stored, or when it cannot be:
    // without the status row to store it in (no answer could change that)
    // or after a failed write the user did not retry, the window closes
    // with nothing written rather than never.
    Saving saving = Saving::Failed;
    if (!trap([&] { saving = bSaveCorrection(); }))
      trap([] { ui::MsgBox("The correction details were not saved.", ui::vbExclamation); });
    if (saving == Saving::Blank) return;
  } else if (changed_) {
    int answer = ui::vbNo;
    trap([&] {
      answer = ui::MsgBox("Do you want to save the data?", ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton1,
                          "Save Data?");
    });
    if (answer == ui::vbYes) {
      cmdSave_Click();
      if (changed_) return;  // the save was refused
    }
  }
  trap([&] {
    gintCorrectionReasonCode = 0;
    gstrCorrectionNote.clear();
    gblnCorrectionPending = false;
  });
  trap([&] { Unload(); });
}

void frmCORRECTION_REASON::reject() { cmdClose_Click(); }

void frmCORRECTION_REASON::closeEvent(QCloseEvent* event) {
  event->ignore();
  cmdClose_Click();
}

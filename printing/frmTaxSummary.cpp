#include "frmTaxSummary.h"

#include "modGlobals.h"
#include "ui/Dialogs.h"

namespace {

constexpr std::int16_t kCancelled = 999;
constexpr std::int16_t kCountyType = 0;
constexpr std::int16_t kDistrictType = 1;

}  // namespace

frmTaxSummary::frmTaxSummary(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(size());
  connect(cmdView, &QPushButton::clicked, this, [this] { cmdView_Click(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

void frmTaxSummary::Form_Load() {
  chosen_ = false;
  setWindowTitle(QStringLiteral("Taxes"));
}

void frmTaxSummary::cmdView_Click() {
  if (!optDistrict->isChecked() && !optCOE->isChecked()) {
    ui::MsgBox("Please make a selection", ui::vbInformation);
    return;
  }
  modGlobals::gintTaxSummaryChoice = optDistrict->isChecked() ? kDistrictType : kCountyType;
  chosen_ = true;
  Unload(QDialog::Accepted);
}

void frmTaxSummary::cmdClose_Click() { Unload(); }

void frmTaxSummary::Form_Unload() {
  // Every way out but Print is a cancel, so that no tax type prints that
  // the user did not choose.
  if (!chosen_) modGlobals::gintTaxSummaryChoice = kCancelled;
}

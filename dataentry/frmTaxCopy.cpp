#include "frmTaxCopy.h"

#include "RecordDialogs.h"
#include "ScopeOfParams.h"
#include "TaxForm.h"
#include "Utilities.h"
#include "modGlobals.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

using vb::Variant;

namespace {

constexpr const char* kModule = "frmTaxCopy";
// An item shows the district code, five blanks and the district's name; the
// copy reads the code back from the first six characters.
constexpr const char* kItemGap = "     ";
constexpr std::size_t kCodeWidth = 6;

}  // namespace

frmTaxCopy::frmTaxCopy(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  recorddialogs::DesignLook(*this);
  connect(cmdAddNew, &QPushButton::clicked, this, [this] { cmdAddNew_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  connect(cmdRight, &QPushButton::clicked, this, [this] { cmdRight_Click(); });
  connect(cmdRightAll, &QPushButton::clicked, this, [this] { cmdRightAll_Click(); });
  connect(cmdLeft, &QPushButton::clicked, this, [this] { cmdLeft_Click(); });
  connect(cmdLeftAll, &QPushButton::clicked, this, [this] { cmdLeftAll_Click(); });
  connect(lstSchools, &QListWidget::itemDoubleClicked, this, [this] { MoveSchoolsRightTax(); });
  connect(lstSelected, &QListWidget::itemDoubleClicked, this, [this] { MoveSchoolsLeftTax(); });
}

void frmTaxCopy::Form_Load() {
  Trap trap(kModule, "Form_Load");
  copyPending_ = false;
  setWindowTitle(QStringLiteral("District List"));
  trap([&] {
    GParam = std::make_shared<clsGlobalParam>();
    modGlobals::GlobalParam().CopyTo(*GParam);
  });
  // The opener leaves the hourglass on while the window opens.
  trap([&] { recorddialogs::ShowBusy(*this, false); });
  trap([&] { LoadSchoolsTax(); });
}

void frmTaxCopy::LoadSchoolsTax() {
  lstSchools->clear();
  // Every open county office or district that is the district of residence
  // of a P-1 tax row of the county's agencies in the year.
  db::RecordsetPtr districts =
      taxform::P1ResidenceDistricts(modGlobals::SharedConnection(), forms::ScopeOf(modGlobals::GlobalParam()));
  for (districts->MoveFirst(); !districts->Eof(); districts->MoveNext()) {
    auto* item = new QListWidgetItem(QString::fromStdString(vb::TextOf(districts->Value("SCHOOL_DISTRICT_ID")) +
                                                            kItemGap +
                                                            vb::TextOf(districts->Value("SCHOOL_DISTRICT_NAME"))));
    item->setData(Qt::UserRole, 0);
    lstSchools->addItem(item);
  }
  lstSelected->clear();
}

// --- Moves ---------------------------------------------------------------------

void frmTaxCopy::MoveItems(QListWidget& source, QListWidget& target, bool selectedOnly) {
  if (selectedOnly ? !source.selectedItems().isEmpty() : source.count() > 0) copyPending_ = true;
  Utilities::ScreenMouseEnabled(false);
  target.setUpdatesEnabled(false);
  source.setUpdatesEnabled(false);
  // Appended at the end of the target, unselected, with the item data.
  auto append = [&](const QListWidgetItem& item) {
    auto* moved = new QListWidgetItem(item.text());
    moved->setData(Qt::UserRole, item.data(Qt::UserRole));
    target.addItem(moved);
  };
  if (selectedOnly) {
    for (int i = source.count() - 1; i >= 0; --i) {
      if (!source.item(i)->isSelected()) continue;
      append(*source.item(i));
      delete source.takeItem(i);
    }
  } else {
    for (int i = 0; i < source.count(); ++i) append(*source.item(i));
    source.clear();
  }
  target.setUpdatesEnabled(true);
  source.setUpdatesEnabled(true);
  source.update();
  target.update();
  Utilities::ScreenMouseEnabled(true);
}

void frmTaxCopy::MoveSchoolsRightTax() { MoveItems(*lstSchools, *lstSelected, true); }
void frmTaxCopy::MoveAllSchoolsRightTax() { MoveItems(*lstSchools, *lstSelected, false); }
void frmTaxCopy::MoveSchoolsLeftTax() { MoveItems(*lstSelected, *lstSchools, true); }
void frmTaxCopy::MoveAllSchoolsLeftTax() { MoveItems(*lstSelected, *lstSchools, false); }

void frmTaxCopy::cmdRight_Click() { MoveSchoolsRightTax(); }
void frmTaxCopy::cmdRightAll_Click() { MoveAllSchoolsRightTax(); }
void frmTaxCopy::cmdLeft_Click() { MoveSchoolsLeftTax(); }
void frmTaxCopy::cmdLeftAll_Click() { MoveAllSchoolsLeftTax(); }

// --- The copy --------------------------------------------------------------------

void frmTaxCopy::CopyTaxData(const std::vector<Variant>& districts) {
  clsGlobalParam& own = vb::Deref(GParam);
  // The status row's kind follows the form the program has open, as the
  // status upkeep reads it from the global parameters.
  const clsGlobalParam& agency = modGlobals::GlobalParam();
  const forms::FormStatus status =
      taxform::CopyP1ToP2(modGlobals::SharedConnection(), forms::ScopeOf(agency), forms::ScopeOf(own), districts,
                          ui::Now(), agency.FormNo);
  forms::TakeStatus(own, status);
}

void frmTaxCopy::cmdAddNew_Click() {
  Trap trap(kModule, "cmdAddNew_Click");
  if (lstSelected->count() == 0) {
    trap([] { ui::MsgBox("No Records to Copy", ui::vbInformation); });
    return;
  }
  std::vector<Variant> districts;
  for (int i = 0; i < lstSelected->count(); ++i)
    districts.emplace_back(vb::Trim(vb::Left(lstSelected->item(i)->text().toStdString(), kCodeWidth)));

  // Retry runs the whole copy again; after a failure nothing of it stays.
  bool copied = false;
  {
    const recorddialogs::BusyWindow busy(*this);
    copied = trap([&] { CopyTaxData(districts); });
  }
  if (!copied) return;
  trap([] { ui::MsgBox("Copy operation completed", ui::vbInformation); });
  copyPending_ = false;
  modGlobals::gblnTaxCopied = true;
  trap([&] { LoadSchoolsTax(); });
}

void frmTaxCopy::cmdCancel_Click() {
  Trap trap(kModule, "cmdCancel_Click");
  if (lstSelected->count() > 0 && copyPending_) {
    int answer = ui::vbNo;
    trap([&] { answer = ui::MsgBox("Do you want to copy the data?", ui::vbYesNo + ui::vbQuestion, "Save Data?"); });
    if (answer == ui::vbYes) {
      cmdAddNew_Click();
      copyPending_ = false;
    }
  }
  trap([&] { Unload(); });
}

#include "frmTaxCopy.h"

#include "RecordDialogs.h"
#include "Utilities.h"
#include "db/SqlText.h"
#include "modCOE.h"
#include "modGlobals.h"
#include "modMain.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

using db::Param;
using db::SqlText;
using vb::Variant;

namespace {

constexpr const char* kModule = "frmTaxCopy";
constexpr const char* kTable = "Tax";
// An item shows the district code, five blanks and the district's name; the
// copy reads the code back from the first six characters.
constexpr const char* kItemGap = "     ";
constexpr std::size_t kCodeWidth = 6;

// The rows of a query; a failed read (reported by the data-access class) is
// error 91 here.
db::RecordsetPtr Read(const SqlText& q) {
  db::RecordsetPtr rs = recorddialogs::Fetch(q);
  vb::Deref(rs);
  return rs;
}

// The agency's tax rows of one period for the chosen districts of residence.
db::RecordsetPtr TaxRowsOf(const clsGlobalParam& agency, int period, const std::vector<Variant>& districts) {
  SqlText q = recorddialogs::RowsOfAgency(kTable, agency, Variant(period), Variant(0));
  q << " and res_school_district_id in (";
  for (std::size_t i = 0; i < districts.size(); ++i) q << (i ? "," : "") << Param(districts[i]);
  q << ")";
  return Read(q);
}

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
  const clsGlobalParam& gp = modGlobals::GlobalParam();
  SqlText q;
  q << "SELECT distinct KRN_LEAS.SCHOOL_DISTRICT_ID, KRN_LEAS.SCHOOL_DISTRICT_NAME, KRN_LEAS.STAT_TYPE, KRN_LEAS.LEA_TYPE "
       " FROM KRN_LEAS INNER JOIN Tax ON KRN_LEAS.SCHOOL_DISTRICT_ID = Tax.RES_SCHOOL_DISTRICT_ID "
       " WHERE (((KRN_LEAS.STAT_TYPE)='OPEN') AND ((KRN_LEAS.LEA_TYPE)=2 Or (KRN_LEAS.LEA_TYPE)=3)) and tax.period_id = 1 "
       " and tax.county_id = "
    << Param(Variant(gp.CountyID)) << " and   tax.fiscal_year = " << Param(Variant(gp.ReportYear))
    << "     order by KRN_LEAS.school_district_name asc";
  db::RecordsetPtr districts = Read(q);
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
  const clsGlobalParam& agency = modGlobals::GlobalParam();
  clsGlobalParam& own = vb::Deref(GParam);
  db::Transaction transaction(*modGlobals::SharedConnection());

  db::RecordsetPtr p1 = TaxRowsOf(agency, 1, districts);
  db::RecordsetPtr p2 = TaxRowsOf(agency, 2, districts);
  SqlText none;
  none << "Select * from tax where taxtype = 3";
  db::RecordsetPtr added = Read(none);

  // Each P-1 row replaces the P-2 row of its county, district of residence
  // and tax type.
  const int columns = p1->FieldCount();
  for (p1->MoveFirst(); !p1->Eof(); p1->MoveNext()) {
    const Variant resCounty = p1->Value("res_county_id");
    const Variant resDistrict = p1->Value("res_school_district_id");
    const Variant taxType = p1->Value("taxtype");
    p2->Filter([&](const db::RowView& row) {
      return vb::Equal(row.Value("county_id"), Variant(agency.CountyID)) &&
             vb::Equal(row.Value("school_district_id"), Variant(agency.DistrictID)) &&
             vb::Equal(row.Value("fiscal_year"), Variant(agency.ReportYear)) &&
             vb::Equal(row.Value("period_id"), Variant(2)) && vb::Equal(row.Value("school_id"), Variant(0)) &&
             vb::Equal(row.Value("res_county_id"), resCounty) &&
             vb::Equal(row.Value("res_school_district_id"), resDistrict) && vb::Equal(row.Value("taxtype"), taxType);
    });
    if (!p2->Eof()) {
      p2->Delete();
      recorddialogs::Submit(*p2);
    }
    // The copy keeps every value but the period; its key is made below.
    added->AddNew();
    for (int i = 0; i < columns; ++i)
      added->SetValue(i, p1->FieldInfo(i).name == "PERIOD_ID" ? Variant(2) : p1->Value(i));
    added->Update();
  }
  // The P-2 deletions were written as they were made; the copies go in one
  // batch.
  if (added->RecordCount() > 0) recorddialogs::Submit(*added);

  // The keys, certificate and status of the agency's rows of the period.
  db::RecordsetPtr rows = Read(recorddialogs::AgencyTaxRows(own));
  modCOE::SetCertKeysInRs(kTable, *rows, false);
  recorddialogs::Submit(*rows);

  const vb::Date now = ui::Now();
  own.LastModifiedDate = now;
  own.EditCheckDate = now;
  own.CertKey = modCOE::GetGroupCertKey(*rows, modMain::GetSortKeys(own, ""));
  own.NumRecord = static_cast<std::int16_t>(rows->RecordCount());
  own.NumError = 0;
  own.NumWarning = 0;
  modCOE::UpdateCOEFormsStatus(own, true);
  // The status upkeep reports its own failures; a status row that was not
  // rewritten fails the whole copy.
  modCOE::RequireFormStatus(own, false, true);
  transaction.Commit();
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

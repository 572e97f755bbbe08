#include "frmNewRec.h"

#include <QFont>
#include <algorithm>

#include "FormData.h"
#include "FormNumbers.h"
#include "RecordDialogs.h"
#include "ScopeOfParams.h"
#include "modGlobals.h"
#include "modMainPickLists.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

using newrec::FormRule;
using recorddialogs::HasRows;
using vb::Variant;

namespace {

constexpr const char* kModule = "frmNewRec";

// The scope of the pick lists: the program's current form and agency, with
// the tax type chosen.
forms::FormScope ListScope() { return forms::ScopeOf(modGlobals::GlobalParam(), modGlobals::gintTaxType); }
db::ConnectionPtr Conn() { return modGlobals::SharedConnection(); }

// A pick list held without a connection: the dialog only reads it.
db::RecordsetPtr Detached(db::RecordsetPtr rs) {
  if (rs && rs->State() == db::ObjectState::Open) rs->ActiveConnection(nullptr);
  return rs;
}

std::string TextOf(const QComboBox& box) { return box.currentIndex() < 0 ? std::string() : box.currentText().toStdString(); }

// The district and school codes of a SELPA key (" 61901: 6190101").
struct SelpaKey {
  std::int32_t district;
  std::int32_t school;
};
SelpaKey SplitSelpaKey(const std::string& key) {
  const std::size_t colon = key.find(':');
  if (colon == std::string::npos) vb::Raise(vb::err::SubscriptOutOfRange);
  return {vb::CLng(Variant(vb::Trim(key.substr(0, colon)))), vb::CLng(Variant(vb::Trim(key.substr(colon + 1))))};
}

}  // namespace

const char* const frmNewRec::kResidentType = "Average Daily Attendance and Days of Operation - Resident";
const char* const frmNewRec::kNonResidentType = "Average Daily Attendance and Days of Operation - Non Resident";

frmNewRec::frmNewRec(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  recorddialogs::DesignLook(*this);
  QFont bold;
  bold.setBold(true);
  Label6->setFont(bold);
  connect(dcoRES_COUNTY_ID, &ui::DataBoundList::Change, this, [this] { dcoRES_COUNTY_ID_Change(); });
  connect(dcoRES_SCHOOL_DISTRICT_ID, &ui::DataBoundList::Change, this, [this] { dcoRES_SCHOOL_DISTRICT_ID_Change(); });
  connect(cmdAddNew, &QPushButton::clicked, this, [this] { cmdAddNew_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

std::int32_t frmNewRec::RES_COUNTY_ID() const { return modGlobals::glngResCountyID; }
void frmNewRec::RES_COUNTY_ID(std::int32_t value) { modGlobals::glngResCountyID = value; }
std::int32_t frmNewRec::RES_SCHOOL_DISTRICT_ID() const { return modGlobals::glngResSchoolDistrictID; }
void frmNewRec::RES_SCHOOL_DISTRICT_ID(std::int32_t value) { modGlobals::glngResSchoolDistrictID = value; }

const FormRule& frmNewRec::Rule() const { return newrec::RuleFor(modGlobals::GlobalParam().FormNo); }

const newrec::Columns& frmNewRec::ByTaxType(const newrec::Columns (&columns)[2]) {
  return columns[modGlobals::gintTaxType == 1 ? 1 : 0];
}

// --- Loading -----------------------------------------------------------------

void frmNewRec::Form_Load() {
  Trap trap(kModule, "Form_Load");
  const FormRule* rule = nullptr;
  trap([&] { rule = &Rule(); });
  if (!rule) return;
  if (rule->caption) setWindowTitle(QString::fromUtf8(rule->caption));

  // The tax form's county type reads "Report amount of taxes being
  // disbursed to :" (received from, in the annual period) above the county.
  trap([&] {
    const clsGlobalParam& gp = modGlobals::GlobalParam();
    const bool countyTax = gp.FormNo == forms::formno::kTax && modGlobals::gintTaxType == 0;
    Label5->setVisible(countyTax);
    Label6->setVisible(countyTax);
    if (!countyTax) return;
    Label6->setText(gp.ReportPeriod == 3 ? QStringLiteral("received from :") : QStringLiteral("disbursed to :"));
    Label6->adjustSize();
    // The bold words follow the plain ones on the same line.
    Label6->move(std::max(Label6->x(), Label5->geometry().right() + 1), Label6->y());
  });
  if (!trap.Left()) LayOut(*rule);
}

void frmNewRec::LayOut(const FormRule& rule) {
  switch (rule.layout) {
    case newrec::Layout::Attendance:
      LayOutAttendance();
      return;
    case newrec::Layout::Rocp:
      LayOutRocp(rule);
      return;
    case newrec::Layout::Selpa:
      LayOutSelpa();
      return;
    case newrec::Layout::Residence:
      break;
  }
  Trap trap(kModule, "Form_Load");
  trap([&] {
    db::RecordsetPtr counties =
        rule.counties == newrec::CountyList::CountiesForTax ? modMain::getRS_CountiesForTax(Conn(), ListScope())
                                                            : modMain::getRS_Counties(Conn(), ListScope());
    const newrec::Columns& columns = ByTaxType(rule.countyColumns);
    dcoRES_COUNTY_ID->Bind(Detached(counties), columns.list, columns.key);
  });
  if (rule.countyLocked) dcoRES_COUNTY_ID->setEnabled(false);
  if (rule.countyOfAgency) trap([&] { dcoRES_COUNTY_ID->Text(modGlobals::GlobalParam().CountyName); });
}

void frmNewRec::LayOutAttendance() {
  Trap trap(kModule, "Form_Load");
  Label1->hide();
  Label2->hide();
  Label4->show();
  Combo1->show();
  trap([&] {
    if (modGlobals::GlobalParam().DistrictType == "UNIFIED") {
      Combo1->addItem(QString::fromUtf8(kResidentType));
      Combo1->addItem(QString::fromUtf8(kNonResidentType));
      Combo1->setCurrentIndex(-1);
    }
  });
  // The county and district are the agency's own.
  dcoRES_COUNTY_ID->setEnabled(false);
  trap([&] {
    dcoRES_COUNTY_ID->Bind(modMain::getRS_Counties(Conn(), ListScope()), newrec::kCounty.list, newrec::kCounty.key);
    dcoRES_COUNTY_ID->Text(modGlobals::GlobalParam().CountyName);
  });
  dcoRES_SCHOOL_DISTRICT_ID->setEnabled(false);
  trap([&] {
    dcoRES_SCHOOL_DISTRICT_ID->Bind(modMain::getRS_Districts(Conn(), ListScope(), Variant(dcoRES_COUNTY_ID->BoundText())),
                                    newrec::kDistrict.list, newrec::kDistrict.key);
    dcoRES_SCHOOL_DISTRICT_ID->Text(modGlobals::GlobalParam().DistrictName);
  });
  dcoRES_COUNTY_ID->hide();
  dcoRES_SCHOOL_DISTRICT_ID->hide();
}

void frmNewRec::LayOutRocp(const FormRule& rule) {
  Trap trap(kModule, "Form_Load");
  Label2->setText(QStringLiteral("ROC/P"));
  Label1->setText(QStringLiteral("School District"));
  if (rule.schoolList) {
    Label3->show();
    dcoSCHOOL->show();
  }
  db::RecordsetPtr rocps;
  trap([&] {
    rocps = Detached(modMain::getRS_ROCPCounties(Conn(), ListScope(), rule.counties == newrec::CountyList::SmallRocpCounties));
    dcoRES_COUNTY_ID->Bind(rocps, rule.countyColumns[0].list, rule.countyColumns[0].key);
  });
  // A county office or district has its own ROC/P only.
  trap([&] {
    const std::int32_t group = modGlobals::GlobalParam().UserGroup;
    if (!HasRows(rocps) || (group != 2 && group != 3)) return;
    rocps->MoveFirst();
    dcoRES_COUNTY_ID->Text(vb::TextOf(rocps->Value("school_district_name")));
    dcoRES_COUNTY_ID->setEnabled(false);
  });
}

void frmNewRec::LayOutSelpa() {
  Trap trap(kModule, "Form_Load");
  Label2->hide();
  dcoRES_COUNTY_ID->hide();
  Label3->hide();
  dcoSCHOOL->hide();
  Label1->setText(QStringLiteral("SELPA"));
  trap([&] { dcoRES_SCHOOL_DISTRICT_ID->Bind(modMain::getRS_SELPAAus(Conn(), ListScope(), ""), "SELPA_AU_NAME", "HashedValue"); });
}

// --- The boxes -----------------------------------------------------------------

db::RecordsetPtr frmNewRec::DistrictsOf(const FormRule& rule, const std::string& countyKey) const {
  switch (rule.districts) {
    case newrec::DistrictList::Districts:
      return modMain::getRS_Districts(Conn(), ListScope(), Variant(countyKey));
    case newrec::DistrictList::ForCoeTax:
      return modMain::getRS_DistrictsForCOETax(Conn(), ListScope(), Variant(countyKey));
    case newrec::DistrictList::ForRocp:
      return modMain::getRS_DistrictsForROCP(Conn(), ListScope(), countyKey,
                                             static_cast<std::int16_t>(modGlobals::GlobalParam().FormNo));
    case newrec::DistrictList::None:
      break;
  }
  return nullptr;
}

void frmNewRec::dcoRES_COUNTY_ID_Change() {
  // A list that cannot be loaded leaves the district box as it is.
  Trap trap(kModule, "dcoRES_COUNTY_ID_Change", Trap::Mode::Silent);
  const FormRule* rule = nullptr;
  trap([&] { rule = &Rule(); });
  if (!rule || rule->districts == newrec::DistrictList::None) return;
  trap([&] { dcoRES_SCHOOL_DISTRICT_ID->Text(""); });
  db::RecordsetPtr districts;
  trap([&] {
    districts = Detached(DistrictsOf(*rule, dcoRES_COUNTY_ID->BoundText()));
    const newrec::Columns& columns = ByTaxType(rule->districtColumns);
    dcoRES_SCHOOL_DISTRICT_ID->Bind(districts, columns.list, columns.key);
  });
  // A district user of the small ROC/P form reports for its own district.
  if (rule->firstDistrictForDistrictUser) {
    trap([&] {
      if (modGlobals::GlobalParam().UserGroup != 3) return;
      if (HasRows(districts)) {
        districts->MoveFirst();
        dcoRES_SCHOOL_DISTRICT_ID->Text(vb::TextOf(districts->Value("school_district_name")));
      }
      dcoRES_SCHOOL_DISTRICT_ID->setEnabled(false);
    });
  }
}

void frmNewRec::dcoRES_SCHOOL_DISTRICT_ID_Change() {
  Trap trap(kModule, "dcoRES_SCHOOL_DISTRICT_ID_Change");
  const FormRule* rule = nullptr;
  trap([&] { rule = &Rule(); });
  if (!rule || rule->districtChangeIgnored) return;
  if (vb::Trim(dcoRES_COUNTY_ID->Text()).empty()) {
    if (vb::Trim(dcoRES_SCHOOL_DISTRICT_ID->Text()).empty()) return;
    trap([] { ui::MsgBox("County not selected", ui::vbInformation); });
    // Clearing the text brings this handler back, which then does nothing.
    trap([&] { dcoRES_SCHOOL_DISTRICT_ID->Text(""); });
    trap([&] { dcoRES_SCHOOL_DISTRICT_ID->Refresh(); });
    return;
  }
  if (rule->schoolList) {
    trap([&] { dcoSCHOOL->Text(""); });
    trap([&] {
      dcoSCHOOL->Bind(modMain::getRS_SchoolForROCP(Conn(), ListScope(), dcoRES_SCHOOL_DISTRICT_ID->BoundText(), dcoRES_COUNTY_ID->BoundText(),
                                                   static_cast<std::int16_t>(modGlobals::GlobalParam().FormNo)),
                      "school_name", "school_ID");
    });
  }
}

// --- Add Record ------------------------------------------------------------------

std::string frmNewRec::FailedCheck(const FormRule& rule) const {
  const std::string county = dcoRES_COUNTY_ID->Text();
  const std::string district = dcoRES_SCHOOL_DISTRICT_ID->Text();
  if (rule.sameDistrictCheck && modGlobals::GlobalParam().DistrictName == district)
    return "The residence school district cannot be the same as the school district attendance. "
           "Please select a different district of residence";
  // A box counts as empty only with the empty text.
  const struct {
    bool applies;
    const std::string& text;
    const char* message;
  } choices[] = {
      {rule.countyMessage != nullptr, county, rule.countyMessage},
      {true, district, rule.districtMessage},
      {rule.needsSchool, dcoSCHOOL->Text(), "Please select a small high school"},
      {rule.needsType, TextOf(*Combo1), "Please select a Type"},
  };
  for (const auto& choice : choices)
    if (choice.applies && choice.text.empty()) return choice.message;
  return {};
}

db::RecordsetPtr frmNewRec::ExistingRows(const FormRule& rule) const {
  const clsGlobalParam& owner = vb::Deref(GParam);
  const std::string countyKey = dcoRES_COUNTY_ID->BoundText();
  const std::string districtKey = dcoRES_SCHOOL_DISTRICT_ID->BoundText();
  Variant school(owner.SchoolId);
  switch (rule.school) {
    case newrec::SchoolPart::Zero:
      school = Variant(0);
      break;
    case newrec::SchoolPart::SchoolBox:
      school = Variant(dcoSCHOOL->BoundText());
      break;
    case newrec::SchoolPart::SelpaSchool:
      school = Variant(SplitSelpaKey(districtKey).school);
      break;
    case newrec::SchoolPart::Agency:
      break;
  }

  forms::Conditions conditions;
  auto residence = [&] {
    conditions.emplace_back("res_county_id", Variant(countyKey));
    conditions.emplace_back("res_school_district_id", Variant(districtKey));
  };
  switch (rule.tail) {
    case newrec::KeyTail::Residence:
      residence();
      break;
    case newrec::KeyTail::TaxResidence:
      residence();
      conditions.emplace_back("TaxType", Variant(modGlobals::gintTaxType));
      break;
    case newrec::KeyTail::Rocp:
      conditions.emplace_back("ROP", Variant(countyKey));
      conditions.emplace_back("ROP_district", Variant(districtKey));
      break;
    case newrec::KeyTail::Selpa:
      conditions.emplace_back("res_school_district_id", Variant(SplitSelpaKey(districtKey).district));
      break;
    case newrec::KeyTail::Attendance:
      residence();
      conditions.emplace_back("type", Variant(modGlobals::gintNewRecType));
      conditions.emplace_back("form_no", Variant(modGlobals::GlobalParam().DistrictType == "UNIFIED"
                                                     ? forms::formno::kResidency
                                                     : forms::formno::kResidencyNotUnified));
      break;
  }
  return forms::AgencyRowsWhere(Conn(), modGlobals::gstrNewRecSource, forms::ScopeOf(owner),
                                Variant(owner.ReportPeriod), school, conditions);
}

void frmNewRec::HandBack(const FormRule& rule) const {
  const std::string districtKey = dcoRES_SCHOOL_DISTRICT_ID->BoundText();
  if (rule.tail == newrec::KeyTail::Selpa) {
    const SelpaKey key = SplitSelpaKey(districtKey);
    modGlobals::glngNewResDistrictID = key.district;
    modGlobals::glngNewSchoolID = key.school;
    return;
  }
  modGlobals::glngNewResCountyID = vb::CLng(Variant(dcoRES_COUNTY_ID->BoundText()));
  modGlobals::glngNewResDistrictID = vb::CLng(Variant(districtKey));
  if (rule.school == newrec::SchoolPart::SchoolBox)
    modGlobals::glngNewSchoolID = vb::CLng(Variant(dcoSCHOOL->BoundText()));
}

void frmNewRec::cmdAddNew_Click() {
  Trap trap(kModule, "cmdAddNew_Click");
  const FormRule* rule = nullptr;
  trap([&] { rule = &Rule(); });
  if (!rule) return;
  if (rule->needsType) {
    trap([&] {
      const std::string type = TextOf(*Combo1);
      if (type == kResidentType) modGlobals::gintNewRecType = 1;
      if (type == kNonResidentType) modGlobals::gintNewRecType = 11;
    });
  }
  std::string failed;
  trap([&] { failed = FailedCheck(*rule); });
  if (!failed.empty()) {
    trap([&] { ui::MsgBox(failed, ui::vbInformation); });
    return;
  }

  db::RecordsetPtr existing;
  {
    const recorddialogs::BusyWindow busy(*this);
    trap([&] { existing = ExistingRows(*rule); });
  }
  if (!recorddialogs::NoExistingRecord(trap, existing)) return;
  trap([&] { HandBack(*rule); });
  trap([&] { Unload(QDialog::Accepted); });
}

void frmNewRec::cmdCancel_Click() { recorddialogs::CancelNewRecord(kModule, *this); }

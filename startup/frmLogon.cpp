#include "frmLogon.h"

#include <array>
#include <memory>

#include "clsDataAccess.h"
#include "clsMyAdoUtils.h"
#include "frmNewUser.h"
#include "ProductArtwork.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"
#include "vb/App.h"
#include "vb/Conversions.h"
#include "vb/End.h"
#include "zelErrHandler.h"

namespace {

constexpr const char* kModule = "frmLogon";

// The contact list: one row per contact whose county is in the agency
// directory, with that county's name, in contact-name order.
constexpr const char* kContactListSql =
    "SELECT distinct krn_leas.COUNTY_name AS COUNTY, krn_leas.COUNTY_ID AS COUNTY_ID, contacts.id as id, "
    "CONTACTS.CONTACT AS CONTACT, CONTACTS.SCHOOL_DISTRICT_ID AS SCHOOL_DISTRICT_ID, CONTACTS.PHONE AS PHONE, "
    "CONTACTS.FAX AS FAX, CONTACTS.EMAIL AS EMAIL, CONTACTS.SCHOOL_ID AS SCHOOL_ID, CONTACTS.USER_GROUP AS USER_GROUP "
    "FROM CONTACTS INNER JOIN krn_leas ON CONTACTS.COUNTY_ID = krn_leas.COUNTY_ID "
    "ORDER BY CONTACTS.CONTACT";
// The list shows this column and is bound to that one.
constexpr const char* kDisplayColumn = "CONTACT";
constexpr const char* kBoundColumn = "COUNTY_ID";

// User groups.
constexpr std::int32_t kCountyOffice = 2;
constexpr std::int32_t kSchoolDistrict = 3;
constexpr std::int32_t kSelpa = 5;
constexpr std::int32_t kCountyAuditor = 7;

const QColor kDarkBlue(0, 0, 192);

// A field of the global parameters and the column it is copied from.
template <class T>
struct ColumnField {
  const char* column;
  T clsGlobalParam::*field;
};
// The fields that a logon copies from the chosen row, numbers and texts.
constexpr std::array<ColumnField<std::int32_t>, 9> kNumberCopies{{
    {"id", &clsGlobalParam::logonUserid},
    {"COUNTY_ID", &clsGlobalParam::CountyID},
    {"SCHOOL_DISTRICT_ID", &clsGlobalParam::DistrictID},
    {"USER_GROUP", &clsGlobalParam::UserGroup},
    {"USER_GROUP", &clsGlobalParam::LogonUserGroup},
    {"SCHOOL_ID", &clsGlobalParam::SchoolId},
    {"COUNTY_ID", &clsGlobalParam::lnglogonCounty},
    {"SCHOOL_DISTRICT_ID", &clsGlobalParam::lnglogonDistrict},
    {"SCHOOL_ID", &clsGlobalParam::lnglogonSchool},
}};
constexpr std::array<ColumnField<std::string>, 5> kTextCopies{{
    {"CONTACT", &clsGlobalParam::Username},
    {"COUNTY", &clsGlobalParam::CountyName},
    {"PHONE", &clsGlobalParam::UserPhone},
    {"FAX", &clsGlobalParam::UserFax},
    {"EMAIL", &clsGlobalParam::UserEMail},
}};
// Texts of the contact's agency that a logon looks up.
constexpr std::array<std::string clsGlobalParam::*, 2> kAgencyTexts{{&clsGlobalParam::EditSchoolName,
                                                                    &clsGlobalParam::AuName}};

std::function<ui::FormLife&()>& MainWindowMaker() {
  static std::function<ui::FormLife&()> maker;
  return maker;
}

modCOE::WindowMaker& GetLatestMaker() {
  static modCOE::WindowMaker maker;
  return maker;
}

// The first row of a query on the program's connection, or no record set
// when it has none.
db::RecordsetPtr FirstRow(const char* sql, std::vector<vb::Variant> params) {
  clsMyAdoUtils& utilities = modGlobals::AdoUtils();
  db::RecordsetPtr rs = utilities.getNewRecordSet();
  vb::Deref(rs).Open(sql, utilities.Conn(), std::move(params));
  if (rs->RecordCount() == 0) return nullptr;
  rs->MoveFirst();
  return rs;
}

void Paint(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  widget->setPalette(palette);
}

void SetPointSize(QWidget* widget, qreal points, bool bold = false) {
  QFont font = widget->font();
  font.setPointSizeF(points);
  font.setBold(bold);
  widget->setFont(font);
}

// Shows a window modally; a program window is loaded first.
void ShowModalWindow(QWidget& window) {
  if (auto* form = qobject_cast<ui::Form*>(&window))
    form->ShowModal();
  else
    ui::dialogs().ShowModal(window);
}

}  // namespace

frmLogon::frmLogon(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  ui::UseLayoutFace(*this);
  // lblSplashName takes its 24 points when the window loads.
  SetPointSize(Label1, 13.5);
  SetPointSize(Label6, 13.5);
  SetPointSize(Label2, ui::LayoutPoints, true);
  for (QWidget* label : {lblSplashName, Label1, Label6, lblVersion}) Paint(label, kDarkBlue);
  Picture3->setPixmap(ProductArtwork(Picture3->size()));
  setFixedSize(size());
  cmdGetLatest->setEnabled(static_cast<bool>(GetLatestMaker()));

  connect(cmdLogon, &QPushButton::clicked, this, [this] { cmdLogon_Click(); });
  connect(cmdNewUser, &QPushButton::clicked, this, [this] { cmdNewUser_Click(); });
  connect(cmdGetLatest, &QPushButton::clicked, this, [this] { cmdGetLatest_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

frmLogon* frmLogon::ShowNew() {
  auto* logon = new frmLogon;
  logon->setAttribute(Qt::WA_DeleteOnClose);
  logon->ShowModeless();
  return logon;
}

void frmLogon::Form_Load() {
  Trap trap(kModule, "Form_Load");
  trap([&] { rsUser_ = modGlobals::AdoUtils().getNewRecordSet(); });
  trap([&] {
    dcmUser->ListField(kDisplayColumn);
    dcmUser->BoundColumn(kBoundColumn);
  });
  trap([&] {
    vb::Deref(rsUser_).Open(kContactListSql, modGlobals::SharedConnection());
    dcmUser->RowSource(rsUser_);
  });

  // A contact just registered stands chosen.
  bool newContact = false;
  trap([&] { newContact = !vb::Trim(modGlobals::gstrNewContactName).empty(); });
  if (trap.Left()) return;
  if (newContact) {
    trap([&] { dcmUser->Text(modGlobals::gstrNewContactName); });
    trap([] { modGlobals::gstrNewContactName.clear(); });
  }

  trap([&] { SetPointSize(lblSplashName, 24); });
  trap([&] { lblSplashName->setText(QString::fromStdString(modGlobals::SplashNameText())); });
  trap([&] { lblVersion->setText(QString::fromStdString(modGlobals::VersionText())); });
  trap([] { modGlobals::gstrModeTitle.clear(); });
}

void frmLogon::Form_Unload() {
  if (rsUser_ && rsUser_->State() == db::ObjectState::Open) rsUser_->Close();
  rsUser_.reset();
}

vb::Variant frmLogon::BoundValue() const {
  return dcmUser->SelectedBookmark() == 0 ? vb::Variant(vb::Null) : vb::Variant(dcmUser->BoundText());
}

void frmLogon::cmdLogon_Click() {
  Trap trap(kModule, "cmdLogon_Click");
  bool chosen = false;
  trap([&] {
    const vb::Variant bound = BoundValue();
    chosen = !bound.IsNull() && !vb::Trim(vb::CStr(bound)).empty();
  });
  if (trap.Left()) return;
  if (!chosen) {
    trap([] { ui::MsgBox("Please select Username", ui::vbInformation + ui::vbOKOnly, vb::App::Title()); });
    trap([&] { dcmUser->setFocus(); });
    return;
  }
  trap([&] { vb::Deref(rsUser_).AbsolutePosition(dcmUser->SelectedBookmark()); });
  if (trap.Left()) return;

  // From here on a step that fails is passed over and the logon goes on.
  Trap step(kModule, "cmdLogon_Click", Trap::Mode::Silent);
  const auto P = []() -> clsGlobalParam& { return modGlobals::GlobalParam(); };
  const auto column = [this](const char* name) { return vb::Deref(rsUser_).Value(name); };

  // The contact and its agency replace the previous logon's wholly: every
  // field that the logon copies starts cleared, so that a Null column
  // leaves 0 or the empty text, never another contact's value.
  step([&] {
    for (const auto& copy : kNumberCopies) P().*copy.field = 0;
    for (const auto& copy : kTextCopies) (P().*copy.field).clear();
    for (auto field : kAgencyTexts) (P().*field).clear();
  });
  for (const auto& copy : kNumberCopies) {
    step([&] {
      const vb::Variant value = column(copy.column);
      if (!value.IsNull()) P().*copy.field = vb::CLng(value);
    });
  }
  for (const auto& copy : kTextCopies) step([&] { P().*copy.field = vb::TextOf(column(copy.column)); });

  step([&] {
    if (auto rs = FirstRow("select school_name from krn_leas where school_id = ?", {column("SCHOOL_ID")}))
      P().EditSchoolName = vb::TextOf(rs->Value(0));
  });

  step([&] {
    P().bSelpaAu = false;
    P().bDifferentSelpaLocation = false;
    P().AURegion.clear();
    P().AuCountyId = 0;
  });
  step([&] {
    const vb::Variant district = column("SCHOOL_DISTRICT_ID");
    const vb::Variant school = column("SCHOOL_ID");
    const vb::Variant county = column("COUNTY_ID");
    switch (P().LogonUserGroup) {
      case kSelpa:
        if (auto rs = FirstRow("select distinct selpa_AU_Region, school_district_name from krn_leas "
                               "where school_district_id = ? and school_id = ? and (lea_type = 5)",
                               {district, school})) {
          P().AURegion = vb::TextOf(rs->Value(0));
          P().bSelpaAu = true;
          P().AuName = vb::TextOf(rs->Value("school_district_name"));
        }
        break;
      case kSchoolDistrict:
        if (auto rs = FirstRow("select distinct selpa_AU_Region from krn_leas "
                               "where school_district_id = ? and (lea_type = 5)",
                               {district})) {
          P().AURegion = vb::TextOf(rs->Value(0));
          P().bSelpaAu = true;
        } else if (auto own = FirstRow("select distinct selpa_AU_Region, au_county from krn_leas "
                                       "where school_district_id = ? and lea_type = 3",
                                       {district})) {
          P().AURegion = vb::TextOf(own->Value(0));
          const vb::Variant auCounty = own->Value("au_county");
          if (!auCounty.IsNull() && vb::CLng(auCounty) != P().CountyID) P().bDifferentSelpaLocation = true;
        }
        break;
      case kCountyOffice:
        if (auto rs = FirstRow("select AU_COUNTY from krn_leas where COUNTY_ID = ? And Au_county <> ? "
                               "and (lea_type = 2)",
                               {county, county})) {
          P().AuCountyId = vb::CLng(rs->Value("AU_COUNTY"));
          P().bDifferentSelpaLocation = true;
        }
        break;
      default:
        break;
    }
  });

  // SELPA and county-auditor users do not work in the corrected P-2: they
  // log on in Annual.
  step([&] {
    const std::int32_t group = P().LogonUserGroup;
    if (modGlobals::gstrPeriodMode == "PY_P2" && (group == kSelpa || group == kCountyAuditor)) {
      P().ReportPeriod = 3;
      modGlobals::gstrPeriodMode = "3";
    }
  });

  step([&] {
    P().UserDistrictName = P().DistrictID > 0 ? getDistrictName(vb::Variant(P().DistrictID)) : "County Superintendent";
  });
  step([&] { P().DistrictName = P().UserDistrictName; });

  step([&] {
    if (P().ReportPeriod < 1) P().ReportPeriod = 1;
  });
  step([] { modMain::getPeriodText(); });

  step([&] {
    clsGlobalParam& p = P();
    p.LogonCountyID = p.CountyID;
    p.LogonDistrictID = p.DistrictID;
    p.LogonCountyName = p.CountyName;
    p.LogonDistrictName = p.DistrictName;
    p.EditCounty = p.CountyID;
    p.EditDistrict = p.DistrictID;
    p.EditSchool = p.SchoolId;
    p.EditContact = vb::TextOf(column("CONTACT"));
    p.EditDistrictName = p.DistrictName;
  });

  // The main window comes up before this window goes: the program ends when
  // its last window has closed, and in between none would be open.
  step([] {
    if (!MainWindowMaker()) vb::Raise(vb::err::ObjectNotSet);
    MainWindowMaker()().ShowModeless();
  });
  step([&] { Unload(); });
}

std::string frmLogon::getDistrictName(const vb::Variant& DistrictID) {
  Trap trap(kModule, "getDistrictName");
  std::string name;
  db::RecordsetPtr rs;
  trap([&] {
    rs = clsDataAccess().GetRecordset(
        "Select distinct School_district_name from krn_leas where school_district_id = ? and stat_type = 'OPEN'",
        {DistrictID}, modGlobals::gstrConnectionString, modGlobals::SharedConnection());
  });
  bool none = true;
  trap([&] { none = vb::Deref(rs).Eof() && rs->Bof(); });
  if (trap.Left() || none) return name;
  trap([&] { name = vb::TextOf(rs->Value("School_district_name")); });
  return name;
}

void frmLogon::cmdNewUser_Click() {
  Trap trap(kModule, "cmdNewUser_Click");
  trap([] { modGlobals::gstrUserFormMode = "New User"; });
  // As with a logon, the next window is up before this one goes.
  trap([&] { ShowContactRegistration(); });
  trap([&] { Unload(); });
}

void frmLogon::ShowContactRegistration() { frmNewUser::Default().ShowModeless(); }

void frmLogon::cmdGetLatest_Click() {
  Trap trap(kModule, "cmdGetLatest_Click");
  std::unique_ptr<QWidget> window;
  trap([&] {
    if (!GetLatestMaker()) vb::Raise(vb::err::ObjectNotSet);
    window = GetLatestMaker()();
  });
  trap([&] { ShowModalWindow(vb::Deref(window)); });
  trap([&] {
    if (auto* form = qobject_cast<ui::Form*>(window.get())) form->Unload();
    window.reset();
  });
}

void frmLogon::cmdExit_Click() {
  Trap trap(kModule, "cmdExit_Click");
  // This window is among those unloaded: nothing below touches it.
  trap([] { ui::UnloadAll(); });
  trap([] { modGlobals::AdoUtils().CloseConn(); });
  trap([] { ui::clock().ProcessEvents(); });
  vb::End(0);
}

void frmLogon::SetMainWindow(std::function<ui::FormLife&()> maker) { MainWindowMaker() = std::move(maker); }

void frmLogon::SetGetLatestWindow(modCOE::WindowMaker maker) { GetLatestMaker() = std::move(maker); }

#include "frmNewUser.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "ScopeOfParams.h"
#include "Utilities.h"
#include "clsMyAdoUtils.h"
#include "db/SqlText.h"
#include "frmLogon.h"
#include "modGlobals.h"
#include "modMainPickLists.h"
#include "modMainStart.h"
#include "ui/Pump.h"
#include "ui/Shell.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

using vb::Variant;

namespace {

constexpr const char* kModule = "frmNewUser";

bool IsOfficeGroup(const std::string& group) { return group == "County Office" || group == "County Auditor"; }

struct Group {
  const char* text;
  int code;
};
constexpr Group kGroups[] = {
    {"County Office", 2}, {"School District", 3}, {"Charter School", 4}, {"SELPA", 5}, {"County Auditor", 7}};

// The program-wide instance; it lets go of it when it unloads.
QPointer<frmNewUser>& Instance() {
  static QPointer<frmNewUser> instance;
  return instance;
}

}  // namespace

const char* const frmNewUser::kMailingList = "join-dolk@lists.quillmark.example";

frmNewUser::frmNewUser(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  setFixedSize(size());
  const QString link = palette().color(QPalette::Highlight).name();
  lblJoin->setText(QStringLiteral("<a href=\"mailto:%1\" style=\"color:%2\">%1</a>").arg(kMailingList, link));
  lblJoin->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  // The county, district and school names of modes "Edit" and
  // "ImportContact" are shown, not typed.
  for (QComboBox* names : {Combo1, Combo2, Combo3}) names->lineEdit()->setReadOnly(true);

  connect(cboUserGroup, &QComboBox::activated, this, [this] { cboUserGroup_Click(); });
  connect(cboCounty, &ui::DataBoundList::Click, this, [this] { cboCounty_Click(); });
  connect(cboSDistId, &ui::DataBoundList::Click, this, [this] { cboSDistId_Click(); });
  connect(txtContact, &ui::QuorMaskText::KeyPress, this, [this](std::int16_t& key) { txtContact_KeyPress(key); });
  connect(txtPhone, &ui::QuorMaskText::KeyPress, this, [this](std::int16_t& key) { txtPhone_KeyPress(key); });
  connect(txtFax, &ui::QuorMaskText::KeyPress, this, [this](std::int16_t& key) { txtFax_KeyPress(key); });
  connect(txtEmail, &ui::QuorMaskText::KeyPress, this, [this](std::int16_t& key) { txtEmail_KeyPress(key); });
  connect(txtPhone, &ui::QuorMaskText::GotFocus, this, [this] { txtPhone_GotFocus(); });
  connect(txtFax, &ui::QuorMaskText::GotFocus, this, [this] { txtFax_GotFocus(); });
  connect(txtEmail, &ui::QuorMaskText::GotFocus, this, [this] { txtEmail_GotFocus(); });
  connect(lblJoin, &QLabel::linkActivated, this, [this] { lblJoin_Click(); });
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

frmNewUser& frmNewUser::Default() {
  QPointer<frmNewUser>& instance = Instance();
  if (!instance) {
    instance = new frmNewUser;
    instance->releaseOnUnload_ = true;
  }
  return *instance;
}

void frmNewUser::ContactName(const Variant& value) { contactName_ = vb::CStr(value); }
void frmNewUser::UserGroup(const Variant& value) { userGroup_ = vb::CStr(value); }
void frmNewUser::County(const Variant& value) { county_ = vb::CStr(value); }
void frmNewUser::SDist(const Variant& value) { sDist_ = vb::CStr(value); }
void frmNewUser::School(const Variant& value) { school_ = vb::CStr(value); }
void frmNewUser::Phone(const Variant& value) { phone_ = vb::CStr(value); }
void frmNewUser::Fax(const Variant& value) { fax_ = vb::CStr(value); }
void frmNewUser::Email(const Variant& value) { email_ = vb::CStr(value); }

const char* frmNewUser::GroupText(long code) {
  for (const Group& g : kGroups)
    if (g.code == code) return g.text;
  return nullptr;
}

int frmNewUser::GroupCode(const std::string& text) {
  for (const Group& g : kGroups)
    if (text == g.text) return g.code;
  return 0;
}

// --- Loading -----------------------------------------------------------------

void frmNewUser::Form_Load() {
  const std::string& mode = modGlobals::gstrUserFormMode;
  if (mode == "Edit") {
    LoadEdit();
  } else if (mode == "ImportContact") {
    LoadImportContact();
  } else {
    Trap trap(kModule, "Form_Load");
    trap([] { modGlobals::GlobalParam().FormNo = 0; });
    if (trap.Left()) return;
    LoadCommonEnd();
  }
}

void frmNewUser::LoadEdit() {
  Trap trap(kModule, "Form_Load");
  db::RecordsetPtr contact;
  trap([&] {
    contact = modGlobals::AdoUtils().getNewRecordSet();
    setWindowTitle(QStringLiteral("User Information"));
  });
  trap([&] {
    vb::Deref(contact).Open("select * from contacts where id = ?", modGlobals::SharedConnection(),
                            {Variant(modGlobals::GlobalParam().logonUserid)});
  });
  bool found = false;
  trap([&] { found = vb::Deref(contact).RecordCount() > 0; });
  if (trap.Left()) return;
  if (!found) {
    LoadCommonEnd();
    return;
  }

  db::RecordsetPtr agency;
  trap([&] {
    db::SqlText q;
    q << "select * from krn_leas where fiscal_year = " << db::Param(Variant(modGlobals::GlobalParam().ReportYear))
      << " and school_id = " << db::Param(vb::Deref(contact).Value("school_id"))
      << " and school_district_id = " << db::Param(vb::Deref(contact).Value("school_district_id"))
      << " and county_id = " << db::Param(vb::Deref(contact).Value("county_id"));
    agency = modGlobals::AdoUtils().getNewRecordSet();
    vb::Deref(agency).Open(q.Sql(), modGlobals::SharedConnection(), q.Params());
  });
  trap([&] {
    cboCounty->hide();
    cboUserGroup->setEnabled(false);
    cboSDistId->hide();
    cboSchool->hide();
  });
  // The agency's names; a contact whose agency has no row in the year fails
  // here and is reported.
  struct AgencyName {
    QComboBox* box;
    const char* column;
  };
  const AgencyName names[] = {{Combo1, "county_name"}, {Combo2, "school_district_name"}, {Combo3, "school_name"}};
  for (const AgencyName& name : names)
    trap([&] { name.box->setEditText(QString::fromStdString(vb::TextOf(vb::Deref(agency).Value(name.column)))); });
  trap([&] {
    txtContact->Text(vb::TextOf(vb::Deref(contact).Value("contact")));
    mstrOldContact = txtContact->Text();
  });
  trap([&] { ShowOnlyGroup(modGlobals::GlobalParam().LogonUserGroup); });
  // The contact's phone, fax and e-mail, which the global parameters follow.
  struct Detail {
    ui::QuorMaskText* field;
    const char* column;
    std::string clsGlobalParam::*global;
  };
  const Detail details[] = {{txtPhone, "phone", &clsGlobalParam::UserPhone},
                            {txtFax, "fax", &clsGlobalParam::UserFax},
                            {txtEmail, "email", &clsGlobalParam::UserEMail}};
  for (const Detail& d : details) {
    trap([&] {
      const std::string text = vb::TextOf(vb::Deref(contact).Value(d.column));
      d.field->Text(text);
      modGlobals::GlobalParam().*d.global = text;
    });
  }
}

void frmNewUser::LoadImportContact() {
  Trap trap(kModule, "Form_Load");
  trap([&] { setWindowTitle(QStringLiteral("Contact Information")); });
  trap([&] { txtContact->Text(contactName_); });
  trap([&] {
    const long code = vb::CLng(Variant(userGroup_));
    if (!ShowOnlyGroup(code)) return;
    Combo1->raise();
    Combo1->setEditText(QString::fromStdString(county_));
    Combo2->raise();
    Combo2->setEditText(QString::fromStdString(sDist_));
    if (code == 4) {
      Combo3->raise();
      Combo3->setEditText(QString::fromStdString(school_));
    }
  });
  trap([&] { cboUserGroup->setEnabled(false); });
  trap([&] { txtPhone->Text(phone_); });
  trap([&] { txtFax->Text(fax_); });
  trap([&] { txtEmail->Text(email_); });
  trap([&] {
    Frame1->setEnabled(false);
    cmdOK->show();
    cmdSave->hide();
    cmdCancel->hide();
  });
}

void frmNewUser::LoadCommonEnd() {
  Trap trap(kModule, "Form_Load");
  trap([&] {
    cboCounty->RowSource(
        modMain::getRS_Counties(modGlobals::SharedConnection(), forms::ScopeOf(modGlobals::GlobalParam())));
    cboCounty->ListField("COUNTY");
    cboCounty->BoundColumn("COUNTY_ID");
  });
  trap([&] { GParam = std::make_shared<clsGlobalParam>(); });
  trap([&] {
    if (modGlobals::gstrUserFormMode == "Edit") {
      modGlobals::GlobalParam().CopyTo(vb::Deref(GParam));
      modGlobals::gstrCurrentForm = "Update User";
      setWindowTitle(QStringLiteral("Update User"));
    } else {
      modGlobals::gstrCurrentForm = windowTitle().toStdString();
    }
  });
  trap([&] { modMain::OnFormOpen(vb::Deref(GParam)); });
  // The groups are offered, none is chosen yet.
  trap([&] { cboUserGroup->setCurrentIndex(-1); });
  trap([&] {
    cboCounty->setEnabled(false);
    cboSDistId->setEnabled(false);
    cboSchool->setEnabled(false);
  });
}

bool frmNewUser::ShowOnlyGroup(long code) {
  const char* text = GroupText(code);
  if (!text) return false;
  cboUserGroup->addItem(QString::fromUtf8(text));
  cboUserGroup->setCurrentIndex(cboUserGroup->count() - 1);
  cboUserGroup_Click();
  return true;
}

// --- The cascading lists -------------------------------------------------------

void frmNewUser::cboUserGroup_Click() {
  Trap trap(kModule, "cboUserGroup_Click");
  trap([&] { cboCounty->Text(""); });
  trap([&] { cboSDistId->Text(""); });
  trap([&] { cboSchool->Text(""); });
  const std::string group = cboUserGroup->currentText().toStdString();
  trap([&] {
    if (IsOfficeGroup(group) || group == "Charter School") cboSDistId->setEnabled(false);
    cboSchool->setEnabled(false);
  });
  trap([&] { cboCounty->setEnabled(true); });
  trap([&] { Label3->setText(group == "SELPA" ? QStringLiteral("SELPA AU") : QStringLiteral("School District")); });
}

void frmNewUser::cboCounty_Click() {
  Trap trap(kModule, "cboCounty_Click", Trap::Mode::Silent);
  trap([&] { cboSDistId->Text(""); });
  trap([&] {
    cboSDistId->setEnabled(false);
    cboSchool->setEnabled(false);
  });
  const std::string group = cboUserGroup->currentText().toStdString();
  db::RecordsetPtr districts;
  trap([&] {
    const db::Param year{Variant(modGlobals::GlobalParam().ReportYear)};
    db::SqlText q;
    q << "select distinct d.school_district_id as district_id, d.school_district_name as district, d.county_id"
         " from krn_leas d where d.stat_type = 'OPEN' and d.district_type <> '' and d.COUNTY_ID = "
      << db::Param(Variant(cboCounty->BoundText()));
    if (IsOfficeGroup(group))
      q << " and fiscal_year = " << year << " and d.lea_type = 2";
    else if (group == "Charter School")
      q << " and fiscal_year = " << year << " and (d.lea_type = 2 or d.lea_type = 3 or d.lea_type = 4)";
    else
      q << " and (charter_type = 0 or charter_type is null) and fiscal_year = " << year
        << (group == "SELPA" ? " and d.lea_type = 5" : " and d.lea_type = 3");
    q << " order by d.school_district_name";
    districts = modGlobals::AdoUtils().getNewRecordSet();
    vb::Deref(districts).Open(q.Sql(), modGlobals::SharedConnection(), q.Params());
  });
  trap([&] {
    cboSDistId->RowSource(districts);
    cboSDistId->ListField("DISTRICT");
    cboSDistId->BoundColumn("DISTRICT_ID");
  });
  trap([&] {
    if (IsOfficeGroup(group)) {
      // The county office of the chosen county, chosen for the user.
      vb::Deref(districts).MoveFirst();
      cboSDistId->Text(vb::TextOf(vb::Deref(districts).Value("district")));
    } else {
      cboSDistId->setEnabled(true);
    }
  });
}

void frmNewUser::cboSDistId_Click() {
  Trap trap(kModule, "cboSDistId_Click", Trap::Mode::Silent);
  trap([&] {
    cboSchool->Refresh();
    cboSchool->Text("");
    cboSchool->setEnabled(false);
  });
  const std::string group = cboUserGroup->currentText().toStdString();
  if (group == "SELPA") return;
  trap([&] {
    db::SqlText q;
    q << "select distinct d.school_id as school_id, d.school_name as school, d.school_district_id,"
         " CS_BA_CHARTER_FILL_BY_DIST from krn_leas d where d.stat_type = 'OPEN' and d.school_district_id = "
      << db::Param(Variant(cboSDistId->BoundText())) << " and CS_BA_CHARTER_FILL_BY_DIST = 0 and fiscal_year = "
      << db::Param(Variant(modGlobals::GlobalParam().ReportYear))
      << " and d.lea_type = 4 and charter_id = 'Y' order by d.school_name";
    auto schools = modGlobals::AdoUtils().getNewRecordSet();
    schools->Open(q.Sql(), modGlobals::SharedConnection(), q.Params());
    cboSchool->RowSource(schools);
    cboSchool->ListField("SCHOOL");
    cboSchool->BoundColumn("SCHOOL_ID");
  });
  trap([&] { cboSchool->setEnabled(group != "School District" && group != "County Office"); });
}

// --- Keys and focus ------------------------------------------------------------

void frmNewUser::txtContact_KeyPress(std::int16_t& KeyAscii) {
  Trap trap(kModule, "txtContact_KeyPress");
  trap([&] {
    const bool passes = (KeyAscii >= '0' && KeyAscii <= '9') || (KeyAscii >= 'A' && KeyAscii <= 'Z') ||
                        (KeyAscii >= 'a' && KeyAscii <= 'z') || KeyAscii == ' ' || KeyAscii == 8;
    if (passes) return;
    if (KeyAscii == 13) {
      if (modGlobals::gstrUserFormMode == "Edit")
        txtPhone->setFocus();
      else if (cboUserGroup->isEnabled())
        cboUserGroup->setFocus();
      return;
    }
    KeyAscii = 0;
  });
}

void frmNewUser::EnterMovesOn(const char* procedure, std::int16_t KeyAscii) {
  Trap trap(kModule, procedure);
  trap([&] {
    if (KeyAscii == 13) Utilities::MySendKey(13);
  });
}

void frmNewUser::txtPhone_KeyPress(std::int16_t& KeyAscii) { EnterMovesOn("txtPhone_KeyPress", KeyAscii); }
void frmNewUser::txtFax_KeyPress(std::int16_t& KeyAscii) { EnterMovesOn("txtFax_KeyPress", KeyAscii); }
void frmNewUser::txtEmail_KeyPress(std::int16_t& KeyAscii) { EnterMovesOn("txtEmail_KeyPress", KeyAscii); }

void frmNewUser::SelectFrom0(const char* procedure, ui::QuorMaskText& field, int length) {
  Trap trap(kModule, procedure);
  trap([&] {
    field.SelStart(0);
    field.SelLength(length);
  });
}

// The whole mask "(999) 000-0000 x 9999", the whole mask "(999) 000-0000",
// and the whole address.
void frmNewUser::txtPhone_GotFocus() { SelectFrom0("txtPhone_GotFocus", *txtPhone, 21); }
void frmNewUser::txtFax_GotFocus() { SelectFrom0("txtFax_GotFocus", *txtFax, 14); }
void frmNewUser::txtEmail_GotFocus() {
  SelectFrom0("txtEmail_GotFocus", *txtEmail, static_cast<int>(txtEmail->text().size()));
}

void frmNewUser::lblJoin_Click() { ui::OpenPage(std::string("mailto:") + kMailingList); }

// --- Closing ---------------------------------------------------------------------

void frmNewUser::cmdCancel_Click() {
  Trap trap(kModule, "cmdCancel_Click");
  trap([&] { Unload(); });
}

void frmNewUser::cmdOK_Click() { Unload(); }

void frmNewUser::Form_Unload() {
  Trap trap(kModule, "Form_Unload");
  if (modGlobals::gstrUserFormMode == "New User") {
    trap([] { frmLogon::ShowNew(); });
  } else {
    trap([] {
      if (QWidget* main = ui::FindForm("frmMain")) main->setEnabled(true);
    });
    trap([] { ui::DoEvents(); });
  }
  if (releaseOnUnload_) {
    if (Instance() == this) Instance() = nullptr;
    deleteLater();
  }
}

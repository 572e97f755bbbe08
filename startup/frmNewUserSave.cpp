// The contact window's Save button: the field checks, the refusal of a name
// that another contact uses, and the save of a new or edited contact.

#include <QLabel>
#include <optional>

#include "Utilities.h"
#include "clsMyAdoUtils.h"
#include "db/SqlText.h"
#include "frmNewUser.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

using vb::Variant;

namespace {

constexpr const char* kModule = "frmNewUser";
constexpr const char* kNameTaken = "Contact name already used. Please enter a different name.";

std::string Trimmed(const ui::QuorMaskText& field) { return vb::Trim(field.Text()); }

std::size_t LengthWithoutBlanks(const std::string& text) { return vb::Len(vb::Replace(text, " ", "")); }

bool NewUserMode() { return modGlobals::gstrUserFormMode == "New User"; }

// One field check: when `fails` holds, the message is shown with its icon
// and `afterwards` (if any) puts the focus where the user is to mend it.
struct FieldCheck {
  bool (*fails)(frmNewUser&);
  const char* message;
  int icon;
  void (*afterwards)(frmNewUser&);
};

// The checks in the order they run; the first that fails ends the checking.
const FieldCheck kFieldChecks[] = {
    {[](frmNewUser& w) { return Trimmed(*w.txtContact).empty(); }, "Contact Name cannot be blank", ui::vbInformation,
     nullptr},
    {[](frmNewUser& w) {
       const std::string name = Trimmed(*w.txtContact);
       return name[0] >= '0' && name[0] <= '9';
     },
     "The first letter in the Contact Name field must be a character", ui::vbCritical,
     [](frmNewUser& w) {
       w.txtContact->Text(Trimmed(*w.txtContact));
       w.txtContact->SelStart(0);
       w.txtContact->SelLength(static_cast<int>(w.txtContact->text().size()));
       w.txtContact->setFocus();
     }},
    {[](frmNewUser& w) { return w.cboUserGroup->currentText().isEmpty(); }, "User Group cannot be blank ",
     ui::vbInformation, [](frmNewUser& w) { w.cboUserGroup->setFocus(); }},
    {[](frmNewUser& w) { return NewUserMode() && w.cboCounty->Text().empty(); }, "County name cannot be blank ",
     ui::vbInformation, [](frmNewUser& w) { w.cboCounty->setFocus(); }},
    {[](frmNewUser& w) { return NewUserMode() && w.cboSDistId->Text().empty(); }, "District name cannot be blank ",
     ui::vbInformation, [](frmNewUser& w) { w.cboSDistId->setFocus(); }},
    {[](frmNewUser& w) {
       return NewUserMode() && w.cboUserGroup->currentText() == QStringLiteral("Charter School") &&
              w.cboSchool->Text().empty();
     },
     "School name cannot be blank ", ui::vbInformation, [](frmNewUser& w) { w.cboSchool->setFocus(); }},
    {[](frmNewUser& w) { return Trimmed(*w.txtPhone).empty(); }, "Phone field cannot be blank ", ui::vbInformation,
     [](frmNewUser& w) { w.txtPhone->setFocus(); }},
    {[](frmNewUser& w) { return LengthWithoutBlanks(w.txtPhone->Text()) < 10; }, "Incomplete phone number",
     ui::vbInformation, nullptr},
    {[](frmNewUser& w) { return !Trimmed(*w.txtFax).empty() && LengthWithoutBlanks(w.txtFax->Text()) < 10; },
     "Incomplete FAX number", ui::vbInformation, nullptr},
    {[](frmNewUser& w) { return Trimmed(*w.txtEmail).empty(); }, "E-mail field cannot be blank", ui::vbInformation,
     [](frmNewUser& w) { w.txtEmail->setFocus(); }},
    {[](frmNewUser& w) { return !Utilities::CharacterAsciiKeyCheck(Trimmed(*w.txtContact)); }, "Invalid data entry",
     ui::vbInformation, nullptr},
};

// Whether the name is used by another contact: for an edit, `own` is the
// name as loaded, which the contact may keep in any letter case.
bool NameTaken(Trap& trap, const std::string& name, const std::optional<std::string>& own) {
  bool taken = false;
  trap([&] {
    auto rs = modGlobals::AdoUtils().getNewRecordSet();
    rs->Open("select * from contacts where CONTACT = ?", modGlobals::SharedConnection(), {Variant(name)});
    if (rs->RecordCount() < 1) return;
    taken = own ? vb::UCase(name) != vb::UCase(vb::Trim(*own))
                : vb::UCase(vb::TextOf(rs->Value("contact"))) == vb::UCase(name);
  });
  if (taken) trap([] { ui::MsgBox(kNameTaken, ui::vbOKOnly + ui::vbCritical); });
  return taken;
}

}  // namespace

bool frmNewUser::bValidateFields() {
  for (const FieldCheck& check : kFieldChecks) {
    if (!check.fails(*this)) continue;
    ui::MsgBox(check.message, ui::vbOKOnly + check.icon);
    if (check.afterwards) check.afterwards(*this);
    return false;
  }
  return true;
}

void frmNewUser::cmdSave_Click() {
  Trap trap(kModule, "cmdSave_Click");
  bool valid = false;
  trap([&] { valid = bValidateFields(); });
  if (!valid || trap.Left()) return;
  if (modGlobals::gstrUserFormMode == "Edit")
    SaveEdit();
  else
    SaveNew();
}

void frmNewUser::SaveEdit() {
  Trap trap(kModule, "cmdSave_Click");
  const std::string name = Trimmed(*txtContact);
  if (NameTaken(trap, name, mstrOldContact) || trap.Left()) return;

  // Nothing changes when the logged-on contact's row is gone.
  bool found = false;
  trap([&] {
    auto rs = modGlobals::AdoUtils().getNewRecordSet();
    rs->Open("select * from contacts where id = ?", modGlobals::SharedConnection(),
             {Variant(modGlobals::GlobalParam().logonUserid)});
    found = rs->RecordCount() > 0;
  });
  if (!found) return;

  // The contact row and the certified-data contents that name it change
  // together or not at all.
  const std::string phone = txtPhone->Text();
  const std::string fax = txtFax->Text();
  const std::string email = txtEmail->Text();
  bool saved = false;
  trap([&] {
    db::Connection& conn = *modGlobals::SharedConnection();
    db::Transaction trans(conn);
    if (!vb::Trim(mstrOldContact).empty())
      conn.Execute("update export_file_info set contact = ? where contact = ?",
                   {Variant(name), Variant(mstrOldContact)});
    conn.Execute(
        "update contacts set CONTACT = ?, PHONE = ?, fax = ?, email = ? where id = ?",
        {Variant(name), Variant(phone), Variant(fax), Variant(email), Variant(modGlobals::GlobalParam().logonUserid)});
    trans.Commit();
    saved = true;
  });
  if (!saved) return;

  trap([&] {
    clsGlobalParam& gp = modGlobals::GlobalParam();
    gp.Username = name;
    gp.UserPhone = phone;
    gp.UserFax = fax;
    gp.UserEMail = email;
  });
  trap([&] {
    if (QWidget* main = ui::FindForm("frmMain"))
      vb::Deref(qobject_cast<QLabel*>(&ui::Control(*main, "StBarMain_Panel2")))
          .setText(QString::fromStdString(vb::Trim(modGlobals::GlobalParam().Username)));
  });
  trap([&] { CloseForm(); });
}

void frmNewUser::SaveNew() {
  Trap trap(kModule, "cmdSave_Click");
  const std::string name = Trimmed(*txtContact);
  if (NameTaken(trap, name, std::nullopt) || trap.Left()) return;

  const std::string group = cboUserGroup->currentText().toStdString();
  db::RecordsetPtr rs;
  trap([&] {
    rs = modGlobals::AdoUtils().getNewRecordSet();
    vb::Deref(rs).Open("select * from contacts where 1 = 0", modGlobals::SharedConnection());
    vb::Deref(rs).AddNew();
  });
  trap([&] { vb::Deref(rs).SetValue("CONTACT", Variant(name)); });
  trap([&] {
    if (const int code = GroupCode(group))
      vb::Deref(rs).SetValue("USER_GROUP", Variant(static_cast<std::int16_t>(code)));
  });
  trap([&] { vb::Deref(rs).SetValue("COUNTY_ID", Variant(cboCounty->BoundText())); });
  trap([&] { vb::Deref(rs).SetValue("SCHOOL_DISTRICT_ID", Variant(cboSDistId->BoundText())); });
  trap([&] {
    if (!cboSchool->Text().empty()) {
      vb::Deref(rs).SetValue("SCHOOL_ID", Variant(cboSchool->BoundText()));
    } else if (group == "SELPA") {
      // The SELPA's own row keys the contact.
      db::SqlText q;
      q << "select d.school_id from krn_leas d where d.stat_type = 'OPEN' and d.school_district_id = "
        << db::Param(Variant(cboSDistId->BoundText()))
        << " and d.school_district_name = " << db::Param(Variant(cboSDistId->Text()))
        << " and d.county_id = " << db::Param(Variant(cboCounty->BoundText()))
        << " and fiscal_year = " << db::Param(Variant(modGlobals::GlobalParam().ReportYear)) << " and d.lea_type = 5";
      auto selpa = modGlobals::AdoUtils().getNewRecordSet();
      selpa->Open(q.Sql(), modGlobals::SharedConnection(), q.Params());
      if (!selpa->Eof()) vb::Deref(rs).SetValue("SCHOOL_ID", selpa->Value("school_id"));
    } else {
      vb::Deref(rs).SetValue("SCHOOL_ID", Variant(0));
    }
  });
  trap([&] { vb::Deref(rs).SetValue("PHONE", Variant(Trimmed(*txtPhone))); });
  trap([&] { vb::Deref(rs).SetValue("FAX", Variant(Trimmed(*txtFax))); });
  trap([&] { vb::Deref(rs).SetValue("EMAIL", Variant(Trimmed(*txtEmail))); });
  trap([&] { vb::Deref(rs).SetValue("FISCAL_YEAR", Variant(static_cast<std::int16_t>(modGlobals::kFiscalYear))); });
  // The row reaches the table here or not at all; the window stays open
  // with the entries when it does not.
  bool written = false;
  trap([&] {
    vb::Deref(rs).Update();
    written = true;
  });
  if (!written) {
    trap([&] {
      if (rs && rs->EditMode() != db::EditMode::None) vb::Deref(rs).CancelUpdate();
    });
    return;
  }
  trap([&] { CloseForm(); });
}

void frmNewUser::CloseForm() {
  // The next logon window has the contact just registered chosen.
  if (NewUserMode()) modGlobals::gstrNewContactName = Trimmed(*txtContact);
  Unload();
}

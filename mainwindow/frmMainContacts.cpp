// The main window's Tools commands on contacts: the contact that came with
// the highlighted agency's certified data, shown read-only, and the
// logged-on contact's own information, to change and save.

#include "clsDataAccess.h"
#include "db/SqlText.h"
#include "frmMain.h"
#include "frmMainDetail.h"
#include "frmNewUser.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"

using frmMainDetail::Globals;
using frmMainDetail::kModule;
using vb::Deref;

namespace {

// What the contact window shows of an imported contact: a property and its
// column; a Null column shows as "".
struct ContactField {
  void (frmNewUser::*property)(const vb::Variant&);
  const char* column;
};
constexpr ContactField kContactFields[] = {
    {&frmNewUser::ContactName, "CONTACT"}, {&frmNewUser::SDist, "SCHOOL_DISTRICT_NAME"},
    {&frmNewUser::School, "SCHOOL_NAME"},  {&frmNewUser::Phone, "PHONE"},
    {&frmNewUser::Fax, "FAX"},             {&frmNewUser::Email, "EMAIL"},
};

}  // namespace

bool frmMain::InLogonCounty() {
  if (Globals().CountyID == Deref(GParam).CountyID) return true;
  ui::MsgBox("Keep your Highlighted County to Logon County and try again.", ui::vbCritical);
  return false;
}

void frmMain::mnuTools_ContactInfo_Click() {
  Trap trap(kModule, "mnuTools_ContactInfo_Click");
  bool noAgency = true;
  trap([&] { noAgency = dgLEA->Row() < 0; });
  if (noAgency || trap.Left()) return;
  bool sameCounty = false;
  trap([&] { sameCounty = InLogonCounty(); });
  if (!sameCounty || trap.Left()) return;
  trap([] { modGlobals::gstrUserFormMode = "ImportContact"; });

  // The highlighted agency's contact of the year and period.
  db::RecordsetPtr contact;
  trap([&] {
    const clsGlobalParam& P = Globals();
    db::SqlText q;
    q << "SELECT * FROM ImportContactInfo WHERE county_id = " << db::Param(dgLEA->Columns("county_id").Value())
      << " AND school_district_id = " << db::Param(dgLEA->Columns("district_id").Value())
      << " AND school_id = " << db::Param(dgLEA->Columns("school_id").Value())
      << " AND FISCAL_YEAR = " << db::Param(vb::Variant(P.ReportYear))
      << " AND PERIOD_ID = " << db::Param(vb::Variant(P.ReportPeriod));
    contact = clsDataAccess().GetRecordset(q.Sql(), q.Params(), modGlobals::gstrConnectionString,
                                           modGlobals::SharedConnection());
  });
  bool available = false;
  trap([&] { available = !Deref(contact).Eof() && contact->RecordCount() >= 1; });
  if (trap.Left()) return;
  if (!available) {
    trap([] { ui::MsgBox("Contact Information is not available for the selected LEA.", ui::vbInformation); });
    return;
  }

  auto window = std::make_unique<frmNewUser>();
  for (const ContactField& field : kContactFields)
    trap([&] { (window.get()->*field.property)(vb::Variant(vb::TextOf(contact->Value(field.column)))); });
  trap([&] { window->UserGroup(vb::Variant(Globals().UserGroup)); });
  trap([&] { window->County(vb::Variant(vb::TextOf(dgLEA->Columns("county_name").Value()))); });
  trap([&] { window->ShowModal(); });
}

void frmMain::mnuTools_UserInfo_Click() {
  Trap trap(kModule, "mnuTools_UserInfo_Click");
  bool sameCounty = false;
  trap([&] { sameCounty = InLogonCounty(); });
  if (!sameCounty || trap.Left()) return;
  trap([] { modGlobals::gstrUserFormMode = "Edit"; });
  trap([] { frmNewUser::Default().ShowModal(); });
}

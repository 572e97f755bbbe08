#include "frmAddSchool.h"

#include <QEvent>

#include "FormData.h"
#include "RecordDialogs.h"
#include "ScopeOfParams.h"
#include "db/Catalog.h"
#include "modCOE.h"
#include "modCOEStatus.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

using db::Param;
using vb::Variant;

namespace {

constexpr const char* kModule = "frmAddSchool";

// The kinds of necessary small school: the table of their attendance, the
// form number of its entry screen and the name that the messages use. The
// second line of the edit-check message begins with a blank for the high
// schools.
struct SmallSchoolKind {
  int type;
  const char* table;
  int formNo;
  const char* name;
  const char* secondLine;
};
constexpr SmallSchoolKind kKinds[] = {
    {1, "BRL_SD_NSES_ADA", 111, "Necessary Small Elementary School - ADA", "Record cannot be added."},
    {2, "BRL_SD_NSHS_ADA", 112, "Necessary Small High School - ADA", " Record cannot be added."},
    {3, "BRL_SD_NSCHS_ADA", 110, "New Necessary Small Continuation High School - ADA", " Record cannot be added."},
};

const SmallSchoolKind* KindOf(int type) {
  for (const SmallSchoolKind& kind : kKinds)
    if (kind.type == type) return &kind;
  return nullptr;
}

// The entry screen has passed its edit check: it has rows, no errors, and
// no change since the check. A Null fails the test; warnings do not count.
bool PassedEditCheck(db::Recordset& status) {
  const Variant records = status.Value("num_record");
  const Variant errors = status.Value("num_error");
  const Variant checked = status.Value("last_edit_check_date");
  const Variant modified = status.Value("last_modified_date");
  for (const Variant* value : {&records, &errors, &checked, &modified})
    if (value->IsNull()) return false;
  return vb::CDbl(records) > 0 && vb::CDbl(errors) == 0 && vb::CDate(checked) >= vb::CDate(modified);
}

}  // namespace

frmAddSchool::frmAddSchool(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  recorddialogs::DesignLook(*this);
  connect(cmdAddNew, &QPushButton::clicked, this, [this] { cmdAddNew_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

std::int32_t frmAddSchool::RES_COUNTY_ID() const { return modGlobals::glngResCountyID; }
void frmAddSchool::RES_COUNTY_ID(std::int32_t value) { modGlobals::glngResCountyID = value; }

void frmAddSchool::Form_Load() {
  Trap trap(kModule, "Form_Load");
  noData_ = false;
  notPassed_ = false;
  refused_ = false;
  const SmallSchoolKind* kind = KindOf(modGlobals::gintSmallSchoolType);
  if (!kind) {
    // No table to offer schools from: said once, and the window closes.
    noData_ = true;
    trap([] {
      vb::Raise(vb::err::InvalidProcedureCall,
                "There is no small school of type " + std::to_string(modGlobals::gintSmallSchoolType) + ".");
    });
    return;
  }

  // The agency's schools with rows in the table; a failed read has been
  // reported and offers none.
  db::RecordsetPtr schools = modCOE::getSchoolList(kind->table);
  if (!recorddialogs::HasRows(schools) || schools->Eof()) {
    noData_ = true;
    return;
  }
  schools->ActiveConnection(nullptr);

  db::RecordsetPtr status;
  trap([&] {
    // The period, year and county are the program's; the district and
    // school the window's agency's.
    forms::FormScope scope = forms::ScopeOf(modGlobals::GlobalParam());
    const clsGlobalParam& agency = vb::Deref(GParam);
    scope.district = agency.DistrictID;
    scope.school = agency.SchoolId;
    scope.formNo = kind->formNo;
    status = forms::Fetch(modGlobals::SharedConnection(), modCOE::StatusRowQuery(scope));
  });
  // Without a status row the test fails as an error; Ignore lets the
  // window offer the schools.
  bool passed = true;
  trap([&] { passed = PassedEditCheck(vb::Deref(status)); });
  if (trap.Left()) return;
  if (!passed) {
    notPassed_ = true;
    return;
  }
  trap([&] { dcoSchool_name->Bind(schools, "SCHOOL_NAME", "SCHOOL_ID"); });
}

bool frmAddSchool::event(QEvent* event) {
  const bool handled = ui::Form::event(event);
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  return handled;
}

void frmAddSchool::Form_Activate() {
  if (refused_ || !Loaded()) return;
  const SmallSchoolKind* kind = KindOf(modGlobals::gintSmallSchoolType);
  std::string message;
  if (kind && noData_) message = std::string("You must have data in ") + kind->name;
  if (kind && !noData_ && notPassed_)
    message = std::string(kind->name) + " has not passed the edit check process.\r\n" + kind->secondLine;
  if (!noData_ && !notPassed_) return;
  refused_ = true;
  if (!message.empty()) ui::MsgBox(message + "\r\n", ui::vbInformation);
  Unload();
}

void frmAddSchool::cmdAddNew_Click() {
  Trap trap(kModule, "cmdAddNew_Click");
  if (dcoSchool_name->Text().empty()) {
    trap([] { ui::MsgBox("Select a school", ui::vbInformation); });
    return;
  }
  const std::string school = dcoSchool_name->BoundText();
  db::RecordsetPtr existing;
  {
    const recorddialogs::BusyWindow busy(*this);
    trap([&] {
      const clsGlobalParam& agency = vb::Deref(GParam);
      existing = forms::AgencyRowsWhere(modGlobals::SharedConnection(), modGlobals::gstrNewRecSource,
                                        forms::ScopeOf(agency), Variant(agency.ReportPeriod), Variant(school),
                                        {{"Type", Variant(modGlobals::gintSmallSchoolType)}});
    });
  }
  if (!recorddialogs::NoExistingRecord(trap, existing)) return;
  trap([&] { modGlobals::glngChosenSchoolID = vb::CLng(Variant(school)); });
  trap([&] { Unload(QDialog::Accepted); });
}

void frmAddSchool::cmdCancel_Click() { recorddialogs::CancelNewRecord(kModule, *this); }

void frmAddSchool::Form_Unload() { modGlobals::gblnAddSchoolClosed = true; }

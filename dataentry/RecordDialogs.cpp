#include "RecordDialogs.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>

#include "Utilities.h"
#include "clsDataAccess.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"
#include "vb/VbError.h"

namespace recorddialogs {

db::RecordsetPtr Fetch(const db::SqlText& q) {
  return clsDataAccess().GetRecordset(q.Sql(), q.Params(), modGlobals::gstrConnectionString,
                                      modGlobals::SharedConnection());
}

bool HasRows(const db::RecordsetPtr& rs) {
  return rs && rs->State() == db::ObjectState::Open && rs->RecordCount() > 0;
}

void Submit(db::Recordset& rs) {
  clsDataAccess().SubmitRecordset(rs, modGlobals::gstrConnectionString, modGlobals::SharedConnection());
}

db::SqlText RowsOfAgency(std::string_view table, const clsGlobalParam& agency, const vb::Variant& period,
                         const vb::Variant& school) {
  using db::Param;
  using vb::Variant;
  db::SqlText q;
  q << "Select * from " << table << " where county_id = " << Param(Variant(agency.CountyID))
    << " and school_district_id = " << Param(Variant(agency.DistrictID))
    << " and fiscal_year = " << Param(Variant(agency.ReportYear)) << " and period_id = " << Param(period)
    << " AND SCHOOL_ID = " << Param(school);
  return q;
}

db::SqlText AgencyTaxRows(const clsGlobalParam& agency) {
  return RowsOfAgency("Tax", agency, vb::Variant(agency.ReportPeriod), vb::Variant(agency.SchoolId));
}

bool NoExistingRecord(Trap& trap, const db::RecordsetPtr& found) {
  bool exists = true;
  if (!trap([&] { exists = !vb::Deref(found).Eof() && found->RecordCount() >= 1; })) return false;
  if (exists) trap([] { ui::MsgBox("Record already exists for this selection", ui::vbInformation); });
  return !exists;
}

void CancelNewRecord(const char* module, ui::Form& window) {
  Trap trap(module, "cmdCancel_Click");
  trap([] {
    modGlobals::glngNewResCountyID = 0;
    modGlobals::glngNewResDistrictID = 0;
  });
  trap([&] { window.Unload(); });
}

namespace {

void FitLabels(QWidget& window) {
  for (QLabel* label : window.findChildren<QLabel*>()) {
    const int missing = label->fontMetrics().horizontalAdvance(label->text()) + 2 * label->margin() - label->width();
    if (missing <= 0) continue;
    const Qt::Alignment alignment = label->alignment();
    const int left = alignment & Qt::AlignRight ? missing : alignment & Qt::AlignHCenter ? missing / 2 : 0;
    label->setGeometry(label->x() - left, label->y(), label->width() + missing, label->height());
  }
}

void WidePopups(QWidget& window) {
  for (QComboBox* box : window.findChildren<QComboBox*>()) {
    auto fit = [box] {
      QAbstractItemView* list = box->view();
      list->setMinimumWidth(list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width() +
                            2 * list->frameWidth());
    };
    QObject::connect(box->model(), &QAbstractItemModel::rowsInserted, box, fit);
    QObject::connect(box->model(), &QAbstractItemModel::modelReset, box, fit);
  }
}

}  // namespace

void DesignLook(QWidget& window) {
  ui::UseLayoutFace(window);
  FitLabels(window);
  WidePopups(window);
  window.setFixedSize(window.size());
}

void ShowBusy(QWidget& window, bool busy) {
  Utilities::ScreenMouseEnabled(!busy);
  window.setEnabled(!busy);
}

BusyWindow::BusyWindow(QWidget& window) : window_(window) { ShowBusy(window_, true); }

BusyWindow::~BusyWindow() { ShowBusy(window_, false); }

}  // namespace recorddialogs

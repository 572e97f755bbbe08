#include "ctlAdoNav.h"

#include "ControlFace.h"
#include "ui/Dialogs.h"
#include "ui/Pump.h"
#include "ui/Twips.h"
#include "vb/App.h"
#include "zelErrHandler.h"

namespace {

constexpr const char* kModule = "ctlAdoNav";

// The controls' places in twips: left, top, width, height.
constexpr ui::TwipsPlace kPlaces[] = {
    {"cmdMoveFirst", 0, 60, 375, 255},   {"cmdMovePrevious", 360, 60, 375, 255}, {"Text2", 720, 45, 795, 285},
    {"cmdMoveNext", 1485, 60, 375, 255}, {"cmdMoveLast", 1845, 60, 375, 255},    {"cmdAddNew", 2205, 60, 735, 255},
    {"cmdDelete", 2925, 60, 735, 255},   {"cmdUpdate", 840, 420, 735, 255},      {"cmdCancel", 1680, 420, 735, 255},
    {"cmdRefresh", 480, 780, 852, 372},
};
// The bar's own size: the visible row of buttons.
constexpr int kBarWidth = 3660;
constexpr int kBarHeight = 345;

// The numeric field types whose Null a commit turns into 0: big, decimal,
// double, integer, numeric, single, small, tiny and the unsigned integers.
// Currency is not among them.
constexpr int kNumericTypes[] = {20, 14, 5, 3, 131, 4, 2, 16, 21, 19, 18, 17};

bool IsNumeric(db::DataType type) {
  for (int code : kNumericTypes)
    if (static_cast<int>(type) == code) return true;
  return false;
}

}  // namespace

ctlAdoNav::ctlAdoNav(QWidget* parent) : QWidget(parent) {
  setupUi(this);
  ui::UseLayoutFace(*this, ui::FaceFamily::Kept);
  ui::PlaceControls(*this, kPlaces);
  resize(ui::TwipsToPixelsX(kBarWidth), ui::TwipsToPixelsY(kBarHeight));
  SetMoveFaces(palette(), *cmdMoveFirst, *cmdMovePrevious, *cmdMoveNext, *cmdMoveLast);
  cmdAddNew->setEnabled(canAdd_);
  cmdDelete->setEnabled(canDelete_);

  connect(cmdMoveFirst, &QPushButton::clicked, this, [this] { cmdMoveFirst_Click(); });
  connect(cmdMovePrevious, &QPushButton::clicked, this, [this] { cmdMovePrevious_Click(); });
  connect(cmdMoveNext, &QPushButton::clicked, this, [this] { cmdMoveNext_Click(); });
  connect(cmdMoveLast, &QPushButton::clicked, this, [this] { cmdMoveLast_Click(); });
  connect(cmdAddNew, &QPushButton::clicked, this, [this] { cmdAddNew_Click(); });
  connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
  connect(cmdUpdate, &QPushButton::clicked, this, [this] { Update(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { Cancel(); });
  connect(cmdRefresh, &QPushButton::clicked, this, [this] { cmdRefresh_Click(); });
}

ctlAdoNav::~ctlAdoNav() { rs(nullptr); }

db::Recordset& ctlAdoNav::Set() const { return vb::Deref(rs_.get()); }

void ctlAdoNav::rs(db::RecordsetPtr set) {
  if (rs_) {
    rs_->RemoveMoveHandler(moveHandle_);
    rs_->RemoveWillChangeFieldHandler(fieldHandle_);
  }
  rs_ = std::move(set);
  if (!rs_) return;
  moveHandle_ = rs_->AddMoveHandler([this](db::Recordset&, db::MoveReason) { ShowPosition(); });
  fieldHandle_ = rs_->AddWillChangeFieldHandler([this](db::Recordset&, int) { rs_WillChangeField(); });
  // An open set shows where it stands at once, not only after its next move.
  if (rs_->State() == db::ObjectState::Open) ShowPosition();
}

db::RecordsetPtr ctlAdoNav::newRecordSet() {
  db::RecordsetPtr set;
  Trap trap(kModule, "newRecordSet");
  trap([&] {
    set = db::Recordset::Create();
    set->CursorType(db::CursorType::Dynamic);
    set->CursorLocation(db::CursorLocation::Client);
    set->LockType(db::LockType::Optimistic);
  });
  return set;
}

// --- Properties -------------------------------------------------------------------------

void ctlAdoNav::CanAdd(bool new_CanAdd) {
  Trap trap(kModule, "CanAdd[Let]");
  trap([&] { canAdd_ = new_CanAdd; });
  trap([&] { cmdAddNew->setEnabled(new_CanAdd); });
  trap([&] { emit PropertyChanged("CanAdd"); });
}

void ctlAdoNav::CanDelete(bool new_CanDelete) {
  Trap trap(kModule, "CanDelete[Let]");
  trap([&] { canDelete_ = new_CanDelete; });
  trap([&] { cmdDelete->setEnabled(new_CanDelete); });
  trap([&] { emit PropertyChanged("CanDelete"); });
}

void ctlAdoNav::Dirty(bool newValue) {
  Trap trap(kModule, "Dirty[Let]");
  trap([&] { dirty_ = newValue; });
  trap([&] { EnableNavigation(!newValue); });
  trap([&] { cmdAddNew->setEnabled(canAdd_); });
}

void ctlAdoNav::ReadProperties(const QVariantMap& bag) {
  Trap trap(kModule, "UserControl_ReadProperties");
  trap([&] { canAdd_ = bag.value("CanAdd", true).toBool(); });
  trap([&] { canDelete_ = bag.value("CanDelete", false).toBool(); });
  trap([&] { cmdAddNew->setEnabled(canAdd_); });
  trap([&] { cmdDelete->setEnabled(canDelete_); });
}

QVariantMap ctlAdoNav::WriteProperties() const {
  QVariantMap bag;
  if (!canAdd_) bag.insert("CanAdd", false);
  if (canDelete_) bag.insert("CanDelete", true);
  return bag;
}

// --- Buttons that follow the position -----------------------------------------------------

void ctlAdoNav::SetEditButtons(bool enabled) {
  cmdUpdate->setEnabled(enabled);
  cmdCancel->setEnabled(enabled);
}

void ctlAdoNav::EnableNavigation(bool on) {
  Trap trap(kModule, "EnableNavigation");
  trap([&] {
    QPushButton* moves[] = {cmdMoveFirst, cmdMovePrevious, cmdMoveNext, cmdMoveLast};
    if (!on || Set().RecordCount() <= 1) {
      for (QPushButton* button : moves) button->setEnabled(false);
      return;
    }
    const long position = Set().AbsolutePosition();
    const long count = Set().RecordCount();
    cmdMovePrevious->setEnabled(position != 1);
    cmdMoveFirst->setEnabled(position != 1);
    cmdMoveNext->setEnabled(position != count);
    cmdMoveLast->setEnabled(position != count);
  });
  Trap quiet(kModule, "EnableNavigation", Trap::Mode::Silent);
  quiet([&] { cmdDelete->setEnabled(Set().RecordCount() > 0 && canDelete_); });
}

// The record set moved (for whatever reason): the position text, and the
// buttons for the new position. A row being added counts as one more row.
void ctlAdoNav::ShowPosition() {
  Trap trap(kModule, "rs_MoveComplete");
  bool outside = false;
  trap([&] { outside = Set().Bof() || Set().Eof(); });
  if (outside) {
    trap([&] { Text2->setText("0 of 0"); });
    trap([&] { EnableNavigation(false); });
    return;
  }
  Trap quiet(kModule, "rs_MoveComplete", Trap::Mode::Silent);
  quiet([&] { EnableNavigation(true); });
  quiet([&] {
    long position = Set().AbsolutePosition();
    long count = Set().RecordCount();
    if (position == -1) position = count = count + 1;
    Text2->setText(QString("%1 of %2").arg(position).arg(count));
  });
  quiet([&] { SetEditButtons(false); });
}

void ctlAdoNav::rs_WillChangeField() {
  Trap trap(kModule, "rs_WillChangeField");
  trap([&] { SetEditButtons(true); });
  trap([&] { Dirty(true); });
}

// --- Moving ------------------------------------------------------------------------------------

void ctlAdoNav::cmdMoveFirst_Click() {
  Trap trap(kModule, "cmdMoveFirst_Click", Trap::Mode::Silent);
  trap([&] { Set().MoveFirst(); });
  trap([&] { emit FirstRecord(); });
}

void ctlAdoNav::cmdMoveLast_Click() {
  Trap trap(kModule, "cmdMoveLast_Click", Trap::Mode::Silent);
  trap([&] { Set().MoveLast(); });
  trap([&] { emit LastRecord(); });
}

void ctlAdoNav::cmdMoveNext_Click() {
  Trap trap(kModule, "cmdMoveNext_Click", Trap::Mode::Silent);
  trap([&] { Set().MoveNext(); });
  trap([&] { emit NextRecord(); });
  trap([&] {
    if (Set().Eof()) cmdMoveNext->setEnabled(false);
  });
}

void ctlAdoNav::cmdMovePrevious_Click() {
  Trap trap(kModule, "cmdMovePrevious_Click", Trap::Mode::Silent);
  trap([&] { Set().MovePrevious(); });
  trap([&] { emit PreviousRecord(); });
  trap([&] {
    if (Set().Bof()) cmdMovePrevious->setEnabled(false);
  });
}

// Back to the row at a 1-based position, counted from the first row.
void ctlAdoNav::ReturnTo(long position) {
  Set().MoveFirst();
  Set().Move(position - 1);
}

void ctlAdoNav::cmdRefresh_Click() {
  Trap trap(kModule, "cmdRefresh_Click", Trap::Mode::Silent);
  long position = 0;
  trap([&] { position = Set().AbsolutePosition(); });
  trap([&] { Set().Requery(); });
  trap([&] {
    if (Set().RecordCount() >= position)
      ReturnTo(position);
    else
      Set().MoveLast();
  });
}

// --- Adding, committing, cancelling, deleting -----------------------------------------------

void ctlAdoNav::cmdAddNew_Click() {
  Trap trap(kModule, "cmdAddNew_Click", Trap::Mode::Silent);
  trap([&] {
    positionBeforeAdd_ = static_cast<std::int16_t>(Set().RecordCount() >= 1 ? Set().AbsolutePosition() : 0);
  });
  trap([&] {
    Set().AddNew();
    adding_ = true;
  });
  trap([&] { emit OnAddNew(rs_); });
  trap([&] { SetEditButtons(true); });
  trap([&] {
    ui::DoEvents();
    ui::DoEvents();
  });
  trap([&] {
    const long count = Set().RecordCount();
    cmdAddNew->setEnabled(count == 0 || (count > 0 && !dirty_));
  });
}

void ctlAdoNav::Update() {
  Trap trap(kModule, "Update");
  trap([&] {
    db::Recordset& set = Set();
    for (int i = 0; i < set.FieldCount(); ++i)
      if (IsNumeric(set.FieldInfo(i).type) && set.Value(i).IsNull()) set.SetValue(i, vb::Variant(0));
  });
  // Moving by no rows commits the edit; a commit that fails keeps the row
  // dirty so that the user can mend it or cancel.
  if (!trap([&] { Set().Move(0); })) return;
  trap([&] { adding_ = false; });
  trap([&] { Dirty(false); });
  trap([&] { SetEditButtons(false); });
}

void ctlAdoNav::Cancel() {
  Trap trap(kModule, "Cancel");
  long position = 0;
  trap([&] {
    if (!adding_) position = Set().AbsolutePosition();
  });
  const bool wasAdding = adding_;
  trap([&] { adding_ = false; });
  trap([&] { Dirty(false); });
  trap([&] { Set().CancelUpdate(); });
  trap([&] { Set().Requery(); });
  trap([&] {
    if (wasAdding && positionBeforeAdd_ > 1)
      ReturnTo(positionBeforeAdd_);
    else if (position >= 1)
      ReturnTo(position);
  });
  trap([&] { SetEditButtons(false); });
}

void ctlAdoNav::cmdDelete_Click() {
  Trap trap(kModule, "cmdDelete_Click");
  long count = 0;
  if (!trap([&] { count = Set().RecordCount(); })) return;
  if (count < 1) {
    trap([&] { ui::MsgBox("No record(s) to delete", ui::vbInformation, vb::App::Title()); });
    return;
  }
  bool confirmed = false;
  trap([&] { confirmed = ui::MsgBox("Do you really want to delete?", ui::vbQuestion + ui::vbYesNo, "Delete?") == ui::vbYes; });
  if (!confirmed) return;
  if (adding_) {
    // Only the pending new row goes; no stored row is deleted.
    Trap quiet(kModule, "cmdDelete_Click", Trap::Mode::Silent);
    quiet([&] { Cancel(); });
    quiet([&] { EnableNavigation(true); });
    quiet([&] { emit OnDeleteRecord(); });
    return;
  }
  // A deletion the record set refuses is reported and changes nothing.
  long position = 0;
  if (!trap([&] {
        position = Set().AbsolutePosition();
        Set().Delete();
        Set().Update();
      }))
    return;
  Trap quiet(kModule, "cmdDelete_Click", Trap::Mode::Silent);
  quiet([&] {
    if (Set().RecordCount() <= 1)
      Set().MoveFirst();
    else if (position == count)  // the last row went: the new last row
      Set().MoveLast();
    else
      Set().MoveNext();
  });
  quiet([&] { EnableNavigation(true); });
  quiet([&] { emit OnDeleteRecord(); });
}

#pragma once
// The record navigator: a bar that moves through the rows of a record set
// the host hands it (first, previous, next, last), shows the position as
// "n of m", adds a row, deletes the current row after asking, and commits
// or cancels the pending edit of the current row. Its buttons follow the
// position, the host's permissions (CanAdd, CanDelete) and whether the
// current row has changes not yet committed (Dirty), which the record
// set's will-change-field notification sets.
//
// The navigator keeps its places whatever size the host gives it; they are
// in twips. A failed commit leaves the row dirty and is reported.

#include <QPointer>
#include <QVariantMap>
#include <QWidget>
#include <cstdint>

#include "db/Recordset.h"
#include "ui_ctlAdoNav.h"

class ctlAdoNav : public QWidget, public Ui::ctlAdoNav {
  Q_OBJECT

 public:
  explicit ctlAdoNav(QWidget* parent = nullptr);
  ~ctlAdoNav() override;

  // A binding collection a host may keep here; the navigator never reads it.
  QPointer<QObject> BindingColl;

  // The record set navigated; setting one follows its moves and edits.
  const db::RecordsetPtr& rs() const { return rs_; }
  void rs(db::RecordsetPtr set);

  // Commits the pending edit or new row of the current row (numeric fields
  // left Null become 0 first). A commit that fails is reported, and the row
  // stays dirty with Update and Cancel enabled.
  void Update();
  // Discards the pending change and returns to the row that was current
  // before the add or the edit.
  void Cancel();
  // A new record set for the host to open and hand back: dynamic cursor,
  // client side, optimistic locking.
  db::RecordsetPtr newRecordSet();

  bool CanAdd() const { return canAdd_; }
  void CanAdd(bool new_CanAdd);
  bool CanDelete() const { return canDelete_; }
  void CanDelete(bool new_CanDelete);
  bool Dirty() const { return dirty_; }
  // True turns navigation off, False on; Add New then follows CanAdd.
  void Dirty(bool newValue);

  // The stored properties ("CanAdd", default True; "CanDelete", default
  // False): read when the host loads its layout, written when it saves it
  // (a value equal to its default is left out).
  void ReadProperties(const QVariantMap& bag);
  QVariantMap WriteProperties() const;

  void cmdMoveFirst_Click();
  void cmdMovePrevious_Click();
  void cmdMoveNext_Click();
  void cmdMoveLast_Click();
  void cmdAddNew_Click();
  void cmdDelete_Click();
  void cmdRefresh_Click();

 signals:
  // Right after a new row was started in the record set.
  void OnAddNew(db::RecordsetPtr& rs);
  void NextRecord();
  void PreviousRecord();
  void LastRecord();
  void FirstRecord();
  void OnDeleteRecord();
  // The container's notice that a stored property changed.
  void PropertyChanged(const QString& property);

 private:
  void EnableNavigation(bool on);
  void ShowPosition();
  void rs_WillChangeField();
  void SetEditButtons(bool enabled);
  void ReturnTo(long position);
  db::Recordset& Set() const;

  db::RecordsetPtr rs_;
  int moveHandle_ = 0;
  int fieldHandle_ = 0;
  bool canAdd_ = true;
  bool canDelete_ = false;
  bool dirty_ = false;
  bool adding_ = false;
  std::int16_t positionBeforeAdd_ = 0;
};

#include "numbox/CCursorBinding.h"

#include "numbox/CNumCtrl.h"

#include <QPointer>

#include <algorithm>

namespace numbox {

namespace {

int FirstReason(const QList<int>& reasons) { return reasons.isEmpty() ? 0 : reasons.first(); }

// The reasons of a data change after which the field reads again.
constexpr int kReadReasons[] = {33, 3, 20, 2, 1, 29};

}  // namespace

Kind KindOfColumnType(int type) {
  switch (type) {
    case kColumnInteger: return Kind::Integer;
    case kColumnLong: return Kind::Long;
    case kColumnSingle: return Kind::Single;
    case kColumnDouble: return Kind::Double;
    case kColumnCurrency: return Kind::Currency;
    case kColumnString: return Kind::String;
    default: return Kind::Other;
  }
}

void CCursorBinding::Attach(RowSource* source) {
  if (source_) source_->Disconnect(this);
  source_ = nullptr;
  columns_.clear();
  if (!source) return;
  source_ = source;
  source_->Connect(this);
  LoadColumns();
}

void CCursorBinding::LoadColumns() {
  columns_.clear();
  QList<RowColumn> all;
  if (!source_->Columns(all)) return;
  for (int i = 0; i < all.size(); ++i) {
    const RowColumn& c = all[i];
    // Large objects and columns without a name are never bound.
    if (c.type == kColumnBlob || c.name.isEmpty()) continue;
    columns_.append(Column{i, c.name, c.type});
  }
}

int CCursorBinding::FindColumn(const QString& name) const {
  for (int i = 0; i < columns_.size(); ++i) {
    if (columns_[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

int CCursorBinding::ColumnType(const QString& name) const {
  const int i = FindColumn(name);
  return i < 0 ? -1 : columns_[i].type;
}

QStringList CCursorBinding::ColumnNames() const {
  QStringList names;
  for (const Column& c : columns_) names << c.name;
  return names;
}

QVariant CCursorBinding::ReadValue(const QString& name) {
  const int i = FindColumn(name);
  if (!source_ || i < 0) return QVariant();
  QVariant value;
  if (!source_->Read(columns_[i].index, value)) return QVariant();
  return value;
}

RowStatus CCursorBinding::WriteValue(const QString& name, const QVariant& value) {
  const int i = FindColumn(name);
  if (!source_ || i < 0) return kRowNoColumn;
  if (!source_->CanUpdate()) return kRowReadOnly;
  int mode = 0;
  if (const RowStatus s = source_->EditMode(mode); s != kRowOk) return s;
  if (mode == 1) {
    if (const RowStatus s = source_->BeginUpdate(); s != kRowOk) return s;
  }
  writing_ = true;
  RowStatus status = source_->SetColumn(columns_[i].index, value);
  if (status == kRowOk && !noFinish_) status = source_->Update();
  writing_ = false;
  return status;
}

void CCursorBinding::OKToDo(unsigned what, const QList<int>& reasons) {
  QPointer<CNumCtrl> owner(owner_);
  if (what & kRowCurrentChange) {
    owner_->WriteToDataSource();
    if (!owner) return;
  }
  const int first = FirstReason(reasons);
  if (!writing_ && (what & kRowDataChange) && (first == 3 || first == 2)) {
    noFinish_ = true;
    owner_->WriteToDataSource();
    if (owner) noFinish_ = false;
  }
}

void CCursorBinding::SyncAfter(unsigned what, const QList<int>& reasons) {
  const int first = FirstReason(reasons);
  const bool dataReason = std::find(std::begin(kReadReasons), std::end(kReadReasons), first) != std::end(kReadReasons);
  if ((what & kRowCurrentChange) || ((what & kRowDataChange) && dataReason)) owner_->ReadFromDataSource();
}

}  // namespace numbox

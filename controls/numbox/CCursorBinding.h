#pragma once
// The binding of a field to a row source: the source and its column list,
// reading and writing the current row's value of one column, and the
// source's notifications, which it turns into the field's reads and
// writes. Flags keep the notifications of the binding's own writes from
// starting a second write.

#include "numbox/NumValue.h"
#include "numbox/RowSource.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace numbox {

class CNumCtrl;

// The value kind of a column type (Kind::Other for types the field has none for).
Kind KindOfColumnType(int type);

class CCursorBinding : public RowSourceSink {
 public:
  explicit CCursorBinding(CNumCtrl* owner) : owner_(owner) {}
  ~CCursorBinding() override { Attach(nullptr); }
  CCursorBinding(const CCursorBinding&) = delete;
  CCursorBinding& operator=(const CCursorBinding&) = delete;

  // Drops the source held so far, then takes `source` (none: unbound),
  // connects to it and loads its column list.
  void Attach(RowSource* source);
  RowSource* Source() const { return source_; }

  // The column's position in the list, ignoring case, or −1.
  int FindColumn(const QString& name) const;
  // The column's type code, or −1 when there is no such column.
  int ColumnType(const QString& name) const;
  QStringList ColumnNames() const;

  // The current row's value of the column; Empty when it cannot be read.
  QVariant ReadValue(const QString& name);
  RowStatus WriteValue(const QString& name, const QVariant& value);

  void OKToDo(unsigned what, const QList<int>& reasons) override;
  void SyncAfter(unsigned what, const QList<int>& reasons) override;

 private:
  struct Column {
    int index;  // in the source's own list
    QString name;
    int type;
  };

  void LoadColumns();

  CNumCtrl* owner_;
  RowSource* source_ = nullptr;
  QList<Column> columns_;
  bool writing_ = false;
  bool noFinish_ = false;
};

}  // namespace numbox

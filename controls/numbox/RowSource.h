#pragma once
// The row source a field can be bound to: a set of rows with a current
// row, whose columns the field lists, reads and writes, and which tells
// the field before and after its current row or its data change.
//
// A host hands a source to a field through its DataSource member; the
// field then reads the current row's value of the column named by
// DataField, follows the source's notifications, and writes its changed
// value back before the row changes.

#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariant>

namespace numbox {

// The type codes of columns (the classic variant type numbers).
enum ColumnType : int {
  kColumnEmpty = 0,
  kColumnNull = 1,
  kColumnInteger = 2,
  kColumnLong = 3,
  kColumnSingle = 4,
  kColumnDouble = 5,
  kColumnCurrency = 6,
  kColumnDate = 7,
  kColumnString = 8,
  kColumnBoolean = 11,
  kColumnBlob = 65,
};

// Status codes of the source's operations: 0 success, else a failure.
using RowStatus = quint32;
constexpr RowStatus kRowOk = 0;
// No such column, or no source.
constexpr RowStatus kRowNoColumn = 0x80040E00;
// The source cannot be written.
constexpr RowStatus kRowReadOnly = 0x80004005;
// The write was refused before it reached the source.
constexpr RowStatus kRowAborted = 0x80004004;

// What a notification is about (bits).
enum RowEvent : unsigned {
  kRowCurrentChange = 0x1,  // the current row changes / has changed
  kRowDataChange = 0x2,     // the current row's data changes / has changed
};

struct RowColumn {
  QString name;  // may be empty
  int type = kColumnEmpty;
};

// The field's side of the notifications.
class RowSourceSink {
 public:
  virtual ~RowSourceSink() = default;
  // Before `what` happens, for the reasons given (the first counts).
  virtual void OKToDo(unsigned what, const QList<int>& reasons) = 0;
  // After `what` has happened.
  virtual void SyncAfter(unsigned what, const QList<int>& reasons) = 0;
};

class RowSource {
 public:
  virtual ~RowSource() = default;

  // The columns, in the source's order; false when they cannot be listed.
  virtual bool Columns(QList<RowColumn>& columns) = 0;
  // The current row's value of column `index` (of Columns); false when it
  // cannot be read.
  virtual bool Read(int index, QVariant& value) = 0;

  // Writing the current row; a source that cannot be written answers
  // false to CanUpdate and is only read.
  virtual bool CanUpdate() const = 0;
  // 1 when no edit is in progress.
  virtual RowStatus EditMode(int& mode) = 0;
  virtual RowStatus BeginUpdate() = 0;
  virtual RowStatus SetColumn(int index, const QVariant& value) = 0;
  virtual RowStatus Update() = 0;

  // The sinks told of the source's changes; the source does not own them.
  virtual void Connect(RowSourceSink* sink) = 0;
  virtual void Disconnect(RowSourceSink* sink) = 0;
};

}  // namespace numbox

Q_DECLARE_METATYPE(numbox::RowSource*)

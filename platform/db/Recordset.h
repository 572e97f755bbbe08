#pragma once
// A record set: the rows of a query (or of fields appended in code), held in
// memory, with a current row, filter, sort, clones and write-back.
//
// Two modes of writing back:
// - immediate: with an active connection and a lock type other than
//   BatchOptimistic, Update (or moving off an edited row) writes the row at
//   once;
// - batch: otherwise changes stay in the rows, each with its original values
//   and status, until UpdateBatch writes them all in one transaction. A
//   failure rolls the whole batch back, keeps the changes pending and raises
//   the error: nothing is half written and the caller learns of it.
// A changed field is written to the table and column it was read from, so a
// record set opened on a join writes each column back to its own table.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "db/Connection.h"
#include "db/Types.h"
#include "vb/Variant.h"

namespace db {

class Recordset;
using RecordsetPtr = std::shared_ptr<Recordset>;

struct FieldMeta {
  std::string name;
  std::string baseTable;   // empty for computed columns and appended fields
  std::string baseColumn;
  std::string baseSchema;  // "main", or the name of an attached database
  std::string declaredType;
  DataType type = DataType::Variant;
  long definedSize = 0;  // characters for texts; 0 when not limited
};

namespace detail {
struct RowStore;
struct Row;
class FilterExpr;
}  // namespace detail

// One field of the current row. Assigning to it changes the row; reading it
// reads the row. It refers to its record set and must not outlive it.
class Field {
 public:
  Field(Recordset* rs, int index) : rs_(rs), index_(index) {}

  const std::string& Name() const;
  const FieldMeta& Meta() const;
  DataType Type() const { return Meta().type; }
  long DefinedSize() const { return Meta().definedSize; }
  int Index() const { return index_; }

  vb::Variant Value() const;
  void Value(const vb::Variant& value);
  // The value as read from the database (before changes), Null for new rows.
  vb::Variant OriginalValue() const;

  operator vb::Variant() const { return Value(); }  // NOLINT(google-explicit-constructor)
  Field& operator=(const vb::Variant& value) {
    Value(value);
    return *this;
  }
  // Assigning one field to another copies the value, as in the classic
  // language.
  Field& operator=(const Field& other) {
    Value(other.Value());
    return *this;
  }
  Field(const Field&) = default;

 private:
  Recordset* rs_;
  int index_;
};

// A read-only view of one row, handed to filter predicates.
class RowView {
 public:
  RowView(const Recordset& rs, const detail::Row& row) : rs_(rs), row_(row) {}
  vb::Variant Value(std::string_view fieldName) const;
  vb::Variant Value(int index) const;

 private:
  const Recordset& rs_;
  const detail::Row& row_;
};

enum class EditMode { None = 0, InProgress = 1, Add = 2 };

class Recordset : public std::enable_shared_from_this<Recordset> {
 public:
  Recordset();
  ~Recordset();
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  static RecordsetPtr Create() { return std::make_shared<Recordset>(); }
  // Opens a query on a connection: a convenience for Create + Open.
  static RecordsetPtr Query(std::string_view sql, const ConnectionPtr& conn,
                            std::vector<vb::Variant> params = {});

  // --- Settings (kept for the program's own use; every record set is held
  // --- on the client). The lock type decides the writing mode.
  db::CursorLocation CursorLocation() const { return cursorLocation_; }
  void CursorLocation(db::CursorLocation v) { cursorLocation_ = v; }
  db::CursorType CursorType() const { return cursorType_; }
  void CursorType(db::CursorType v) { cursorType_ = v; }
  db::LockType LockType() const { return lockType_; }
  void LockType(db::LockType v);

  // --- Opening and closing.
  // Runs the query with its parameters and reads every row. The record set
  // stays connected to `conn`. The move notification fires once.
  void Open(std::string_view sql, const ConnectionPtr& conn, std::vector<vb::Variant> params = {});
  // Appends a field to a record set that is not open (a fabricated set).
  void AppendField(std::string name, DataType type, long definedSize = 0);
  // Opens a fabricated record set on its appended fields, with no rows.
  void Open();
  // A disconnected record set over fields described in full (names, base
  // tables and columns, types kept as given) and the given rows, each with
  // one value per field, on its first row. Values are taken as they are.
  static RecordsetPtr FromRows(std::vector<FieldMeta> fields, std::vector<std::vector<vb::Variant>> rows);
  void Close();
  ObjectState State() const { return store_ ? ObjectState::Open : ObjectState::Closed; }
  const std::string& Source() const { return source_; }

  // The connection that writes and Requery use; none for a disconnected set.
  const ConnectionPtr& ActiveConnection() const { return conn_; }
  void ActiveConnection(ConnectionPtr conn);

  // --- Fields.
  int FieldCount() const;
  const FieldMeta& FieldInfo(int index) const;
  // The index of a field by name ("COL" or "table.COL" for a column that a
  // join holds twice), ignoring case; -1 when there is none.
  int FieldIndex(std::string_view name) const;
  Field Fields(int index);
  Field Fields(std::string_view name);  // error 3265 when there is no such field
  Field operator[](std::string_view name) { return Fields(name); }
  vb::Variant Value(std::string_view name) const;
  vb::Variant Value(int index) const;
  // The current row's values in field order, read in place for a caller
  // that walks many rows; a field of a new row that was never assigned
  // holds Empty here, where Value answers Null.
  const std::vector<vb::Variant>& CurrentValues() const;
  void SetValue(std::string_view name, const vb::Variant& value);
  void SetValue(int index, const vb::Variant& value);

  // --- Position.
  bool Bof() const;
  bool Eof() const;
  long RecordCount() const;
  // 1-based position of the current row; -2 before the first row, -3 after
  // the last, -1 when there are no rows or the current row was deleted. Setting a position
  // outside 1..RecordCount is error 3001.
  long AbsolutePosition() const;
  void AbsolutePosition(long position);
  void MoveFirst();
  void MoveLast();
  void MoveNext();      // error 3021 when already after the last row
  void MovePrevious();  // error 3021 when already before the first row
  void Move(long offset);
  // The value of a field in the row at a 1-based position, without moving
  // the current row (for views that show every row); Null outside
  // 1..RecordCount.
  vb::Variant ValueAt(long position, int index) const;
  // Changes whenever the rows in view change (open, requery, filter, sort,
  // rows added or removed), so that a view knows when to lay out again.
  std::uint64_t RowsVersion() const;

  // --- Filter and sort. Setting either makes the first row of the result
  // --- current. An empty text clears them.
  // Criteria: "COL op value" joined by AND / OR, with parentheses; op is one
  // of = <> < > <= >= LIKE; values are numbers, 'texts', #dates# or Null;
  // LIKE takes * or % as wildcards. Texts compare without regard to case.
  void Filter(std::string_view criteria);
  void Filter(std::function<bool(const RowView&)> predicate);
  const std::string& Filter() const { return filterText_; }
  // "COL1, COL2 DESC": ascending unless DESC; Null first; texts ignoring
  // case; rows that compare equal keep their order.
  void Sort(std::string_view spec);
  const std::string& Sort() const { return sortText_; }

  // A second cursor on the same rows: changes made through either are seen
  // by both. The clone has no filter and no sort and starts on its first row.
  RecordsetPtr Clone();
  // Reads the rows again from the active connection (error 3709 when there
  // is none); pending changes are dropped, filter and sort are kept.
  void Requery();

  // --- Changes.
  void AddNew();
  // Ends the edit of the current row; in immediate mode writes it.
  void Update();
  void CancelUpdate();
  // Deletes the current row (in immediate mode from the table at once). The
  // deleted row stays current, without values, until the next move.
  void Delete();
  // Writes every pending change in one transaction (error 3709 without an
  // active connection). On failure nothing is written, the changes stay
  // pending and the error is raised.
  void UpdateBatch();
  // Drops every pending change.
  void CancelBatch();
  db::EditMode EditMode() const { return editMode_; }
  db::RecordStatus Status() const;  // of the current row
  // Rows with changes that UpdateBatch would write.
  long PendingCount() const;

  // --- Move notification: fires after every operation that sets the
  // --- current row (open, moves, position, filter, sort, requery, add),
  // --- even when the row stays the same. Answers a handle for removal.
  using MoveHandler = std::function<void(Recordset&, MoveReason)>;
  int AddMoveHandler(MoveHandler handler);
  void RemoveMoveHandler(int handle);

  // --- Will-change-field notification: fires when a value is about to be
  // --- assigned to a field of the current row (after the value has been
  // --- checked against the field, before the row changes), with the
  // --- field's index. A handler that raises an error refuses the change.
  using FieldHandler = std::function<void(Recordset&, int field)>;
  int AddWillChangeFieldHandler(FieldHandler handler);
  void RemoveWillChangeFieldHandler(int handle);

 private:
  friend class Field;
  friend class RowView;

  void RequireOpen() const;
  // The index of a field by name; error 3265, naming it, when there is none.
  int RequireField(std::string_view name) const;
  void SyncView() const;
  void RebuildView() const;
  detail::Row& CurrentRow();
  const detail::Row& CurrentRow() const;
  bool HasCurrentRow() const;
  void SetPosition(long index, MoveReason reason);
  void LeaveRow();  // implicit Update when an edit is in progress
  void Fire(MoveReason reason);
  bool Immediate() const;
  void WriteRows(const std::vector<std::uint32_t>& rows);
  void Load(std::string_view sql, std::vector<vb::Variant> params);
  void Assign(int index, const vb::Variant& value);
  void BeginEdit(detail::Row& row);
  void EndEdit();
  void SetFilter(std::shared_ptr<detail::FilterExpr> expr, std::function<bool(const RowView&)> predicate,
                 std::string text);
  void RequireCurrent() const;

  std::shared_ptr<detail::RowStore> store_;
  ConnectionPtr conn_;
  std::string source_;
  std::vector<vb::Variant> params_;
  db::CursorLocation cursorLocation_ = db::CursorLocation::Client;
  db::CursorType cursorType_ = db::CursorType::Static;
  db::LockType lockType_ = db::LockType::BatchOptimistic;
  db::EditMode editMode_ = db::EditMode::None;
  std::vector<FieldMeta> pendingFields_;  // appended before Open

  std::string filterText_;
  std::shared_ptr<detail::FilterExpr> filterExpr_;
  std::function<bool(const RowView&)> filterPredicate_;
  std::string sortText_;
  std::vector<std::pair<int, bool>> sortKeys_;  // field index, descending

  // The cursor: indices into the store's rows, in view order.
  mutable std::vector<std::uint32_t> view_;
  mutable std::uint64_t viewVersion_ = 0;
  mutable std::uint64_t rowsVersion_ = 0;  // counts rebuilds of view_
  mutable long pos_ = -1;              // index into view_; -1 BOF, view_.size() EOF
  mutable bool onDeletedRow_ = false;  // the current row was deleted and is still current
  mutable std::int64_t currentRowId_ = -1;
  // The row and its values as they were when the current edit began, so
  // that CancelUpdate can put them back.
  std::vector<vb::Variant> editSnapshot_;
  db::RecordStatus editStatus_ = db::RecordStatus::Unmodified;
  bool editHadOriginal_ = false;
  std::int64_t rowBeforeAddNew_ = -1;

  std::vector<std::pair<int, MoveHandler>> handlers_;
  std::vector<std::pair<int, FieldHandler>> fieldHandlers_;
  int nextHandle_ = 1;
};

// Makes a position that AbsolutePosition answered current again by the
// moves a caller makes: from the first row on by the position less one; a
// set that stood before its first row or after its last row is put there
// again. The set must have rows.
void MoveBackTo(Recordset& rs, long position);

}  // namespace db

#include "db/Recordset.h"

#include <sqlite3.h>

#include <algorithm>
#include <map>

#include "db/Catalog.h"
#include "db/RecordsetDetail.h"
#include "vb/Conversions.h"

namespace db {

using detail::NullIfEmpty;
using detail::Row;
using detail::RowStore;

// --- Row store ---------------------------------------------------------------

namespace detail {

namespace {

char LowerAsciiChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = LowerAsciiChar(c);
  return out;
}

std::size_t NoCaseHash::operator()(std::string_view s) const noexcept {
  std::size_t hash = 14695981039346656037ull;  // FNV-1a
  for (char c : s) hash = (hash ^ static_cast<unsigned char>(LowerAsciiChar(c))) * 1099511628211ull;
  return hash;
}

bool NoCaseEqual::operator()(std::string_view a, std::string_view b) const noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAsciiChar(a[i]) != LowerAsciiChar(b[i])) return false;
  return true;
}

void RaiseUnknownField(std::string_view name) {
  throw vb::VbError(vb::err::ItemNotFound, vb::ErrorDescription(vb::err::ItemNotFound) + " (" + std::string(name) + ")");
}

}  // namespace detail

ResultColumns::ResultColumns(std::vector<FieldMeta> f) : fields(std::move(f)) {
  for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
    names.emplace(fields[i].name, i);
    if (!fields[i].baseTable.empty()) names.emplace(fields[i].baseTable + "." + fields[i].baseColumn, i);
  }
}

int ResultColumns::Find(std::string_view name) const {
  auto it = names.find(name);
  return it == names.end() ? -1 : it->second;
}

namespace {

[[noreturn]] void RaiseClosed() { vb::Raise(vb::err::ObjectClosed); }

}  // namespace

// --- Field and RowView -------------------------------------------------------

const std::string& Field::Name() const { return rs_->FieldInfo(index_).name; }
const FieldMeta& Field::Meta() const { return rs_->FieldInfo(index_); }
vb::Variant Field::Value() const { return rs_->Value(index_); }
void Field::Value(const vb::Variant& value) { rs_->SetValue(index_, value); }

vb::Variant Field::OriginalValue() const {
  rs_->RequireCurrent();
  const Row& row = rs_->CurrentRow();
  if (row.status == RecordStatus::New) return vb::Null;
  return NullIfEmpty(row.OriginalOf(index_));
}

vb::Variant RowView::Value(std::string_view fieldName) const { return Value(rs_.RequireField(fieldName)); }

vb::Variant RowView::Value(int index) const {
  if (index < 0 || index >= rs_.FieldCount()) vb::Raise(vb::err::ItemNotFound);
  return NullIfEmpty(row_.values[static_cast<std::size_t>(index)]);
}

// --- Opening -----------------------------------------------------------------

Recordset::Recordset() = default;
Recordset::~Recordset() = default;

RecordsetPtr Recordset::Query(std::string_view sql, const ConnectionPtr& conn, std::vector<vb::Variant> params) {
  auto rs = Create();
  rs->Open(sql, conn, std::move(params));
  return rs;
}

void Recordset::LockType(db::LockType v) { lockType_ = v; }

void Recordset::Open(std::string_view sql, const ConnectionPtr& conn, std::vector<vb::Variant> params) {
  if (store_) vb::Raise(vb::err::ArgumentOutOfRange, "Operation is not allowed when the object is open.");
  if (!conn || conn->State() != ObjectState::Open) vb::Raise(vb::err::NoConnection);
  // A record set that is not open has no filter, sort or edit (Close drops them).
  conn_ = conn;
  Load(sql, std::move(params));
  source_ = std::string(sql);
  RebuildView();
  SetPosition(view_.empty() ? -1 : 0, MoveReason::Move);
}

void Recordset::Load(std::string_view sql, std::vector<vb::Variant> params) {
  Statement stmt = conn_->Prepare(sql);
  stmt.Bind(params);
  sqlite3_stmt* s = stmt.get();
  // The first step comes before the columns are read: a statement kept from
  // before a change of the table's layout is prepared again by that step,
  // and only then describes the columns it returns.
  bool hasRow = stmt.Step();
  auto store = std::make_shared<RowStore>();
  const int n = sqlite3_column_count(s);
  // The columns are read once for each statement the connection keeps.
  store->columns = stmt.KeptColumns();
  if (!store->columns) {
    std::vector<FieldMeta> fields;
    fields.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      FieldMeta meta;
      meta.name = sqlite3_column_name(s, i);
      if (const char* t = sqlite3_column_table_name(s, i)) meta.baseTable = t;
      if (const char* c = sqlite3_column_origin_name(s, i)) meta.baseColumn = c;
      if (const char* d = sqlite3_column_database_name(s, i)) meta.baseSchema = d;
      if (const char* decl = sqlite3_column_decltype(s, i)) meta.declaredType = decl;
      meta.type = TypeOfDeclared(meta.declaredType, &meta.definedSize);
      fields.push_back(std::move(meta));
    }
    store->columns = std::make_shared<const ResultColumns>(std::move(fields));
    stmt.KeepColumns(store->columns);
  }
  std::vector<DataType> types;
  for (const FieldMeta& f : store->Fields()) types.push_back(f.type);
  {
    ConnectionLock lock(conn_->Handle());
    for (; hasRow; hasRow = stmt.Step()) {
      Row& row = store->rows.emplace_back();
      row.values.reserve(static_cast<std::size_t>(n));
      for (int i = 0; i < n; ++i) row.values.push_back(ReadValue(s, i, types[static_cast<std::size_t>(i)]));
    }
  }
  store_ = std::move(store);
  params_ = std::move(params);
  pos_ = -1;
  onDeletedRow_ = false;
  currentRowId_ = -1;
}

void Recordset::AppendField(std::string name, DataType type, long definedSize) {
  if (store_) vb::Raise(vb::err::ArgumentOutOfRange, "Fields cannot be appended to an open record set.");
  FieldMeta meta;
  meta.name = std::move(name);
  meta.type = type;
  meta.definedSize = definedSize;
  pendingFields_.push_back(std::move(meta));
}

void Recordset::Open() {
  if (store_) vb::Raise(vb::err::ArgumentOutOfRange, "Operation is not allowed when the object is open.");
  if (pendingFields_.empty()) vb::Raise(vb::err::ArgumentOutOfRange, "A record set needs fields or a query to open.");
  auto store = std::make_shared<RowStore>();
  store->columns = std::make_shared<const ResultColumns>(std::move(pendingFields_));
  pendingFields_.clear();
  store_ = std::move(store);
  source_.clear();
  RebuildView();
  SetPosition(-1, MoveReason::Move);
}

RecordsetPtr Recordset::FromRows(std::vector<FieldMeta> fields, std::vector<std::vector<vb::Variant>> rows) {
  if (fields.empty()) vb::Raise(vb::err::ArgumentOutOfRange, "A record set needs fields or a query to open.");
  auto store = std::make_shared<RowStore>();
  store->columns = std::make_shared<const ResultColumns>(std::move(fields));
  for (auto& values : rows) {
    if (values.size() != store->Fields().size())
      vb::Raise(vb::err::ArgumentOutOfRange, "A row needs one value for each field of the record set.");
    store->rows.emplace_back().values = std::move(values);
  }
  auto rs = Create();
  rs->store_ = std::move(store);
  rs->RebuildView();
  rs->SetPosition(rs->view_.empty() ? -1 : 0, MoveReason::Move);
  return rs;
}

void Recordset::Close() {
  ++rowsVersion_;
  store_.reset();
  view_.clear();
  pos_ = -1;
  onDeletedRow_ = false;
  currentRowId_ = -1;
  editMode_ = db::EditMode::None;
  filterText_.clear();
  filterExpr_.reset();
  filterPredicate_ = nullptr;
  sortText_.clear();
  sortKeys_.clear();
}

void Recordset::ActiveConnection(ConnectionPtr conn) { conn_ = std::move(conn); }

void Recordset::RequireOpen() const {
  if (!store_) RaiseClosed();
}

// --- Fields ------------------------------------------------------------------

int Recordset::FieldCount() const {
  if (store_) return static_cast<int>(store_->Fields().size());
  return static_cast<int>(pendingFields_.size());
}

const FieldMeta& Recordset::FieldInfo(int index) const {
  const auto& fields = store_ ? store_->Fields() : pendingFields_;
  if (index < 0 || index >= static_cast<int>(fields.size())) vb::Raise(vb::err::ItemNotFound);
  return fields[static_cast<std::size_t>(index)];
}

int Recordset::FieldIndex(std::string_view name) const {
  if (store_) return store_->Find(name);
  for (int i = 0; i < static_cast<int>(pendingFields_.size()); ++i)
    if (vb::TextEquals(pendingFields_[static_cast<std::size_t>(i)].name, name)) return i;
  return -1;
}

int Recordset::RequireField(std::string_view name) const {
  const int index = FieldIndex(name);
  if (index < 0) detail::RaiseUnknownField(name);
  return index;
}

Field Recordset::Fields(int index) {
  FieldInfo(index);
  return Field(this, index);
}

Field Recordset::Fields(std::string_view name) { return Field(this, RequireField(name)); }

vb::Variant Recordset::Value(std::string_view name) const { return Value(RequireField(name)); }

vb::Variant Recordset::Value(int index) const {
  RequireCurrent();
  if (index < 0 || index >= FieldCount()) vb::Raise(vb::err::ItemNotFound);
  return NullIfEmpty(CurrentRow().values[static_cast<std::size_t>(index)]);
}

const std::vector<vb::Variant>& Recordset::CurrentValues() const {
  RequireCurrent();
  return CurrentRow().values;
}

void Recordset::SetValue(std::string_view name, const vb::Variant& value) { SetValue(RequireField(name), value); }

void Recordset::SetValue(int index, const vb::Variant& value) { Assign(index, value); }

// --- Cursor ------------------------------------------------------------------

void Recordset::SyncView() const {
  if (store_ && viewVersion_ != store_->version) RebuildView();
}

void Recordset::RebuildView() const {
  ++rowsVersion_;
  view_.clear();
  if (!store_) return;
  const auto& rows = store_->rows;
  view_.reserve(rows.size());
  for (std::uint32_t id = 0; id < rows.size(); ++id) {
    const Row& row = rows[id];
    if (!row.Visible()) continue;
    bool keep = true;
    if (filterExpr_) keep = filterExpr_->Matches(row);
    if (keep && filterPredicate_) keep = filterPredicate_(RowView(*this, row));
    // A row being added stays in view until it is written, whatever the filter.
    if (!keep && static_cast<std::int64_t>(id) == currentRowId_ && row.status == RecordStatus::New) keep = true;
    if (keep) view_.push_back(id);
  }
  if (!sortKeys_.empty()) {
    // Rows read in the sort's order (a query's ORDER BY) stay as they are.
    const auto less = [&](std::uint32_t a, std::uint32_t b) { return detail::SortLess(rows[a], rows[b], sortKeys_); };
    if (!std::is_sorted(view_.begin(), view_.end(), less)) std::stable_sort(view_.begin(), view_.end(), less);
  }
  viewVersion_ = store_->version;

  // Keep the current row where it is; a row that left the view stays
  // current as a deleted row until the next move.
  const long size = static_cast<long>(view_.size());
  if (currentRowId_ >= 0 && pos_ >= 0 && !onDeletedRow_) {
    auto it = std::find(view_.begin(), view_.end(), static_cast<std::uint32_t>(currentRowId_));
    if (it != view_.end()) {
      pos_ = static_cast<long>(it - view_.begin());
    } else {
      onDeletedRow_ = true;
      pos_ = std::min(pos_, size);
    }
  } else if (pos_ > size) {
    pos_ = size;
  }
}

bool Recordset::HasCurrentRow() const {
  SyncView();
  return store_ && !onDeletedRow_ && pos_ >= 0 && pos_ < static_cast<long>(view_.size());
}

void Recordset::RequireCurrent() const {
  RequireOpen();
  if (!HasCurrentRow()) vb::Raise(vb::err::NoCurrentRecord);
}

Row& Recordset::CurrentRow() { return store_->rows[view_[static_cast<std::size_t>(pos_)]]; }
const Row& Recordset::CurrentRow() const { return store_->rows[view_[static_cast<std::size_t>(pos_)]]; }

bool Recordset::Bof() const {
  RequireOpen();
  SyncView();
  return view_.empty() ? !onDeletedRow_ : (pos_ < 0 && !onDeletedRow_);
}

bool Recordset::Eof() const {
  RequireOpen();
  SyncView();
  return view_.empty() ? !onDeletedRow_ : (pos_ >= static_cast<long>(view_.size()) && !onDeletedRow_);
}

long Recordset::RecordCount() const {
  RequireOpen();
  SyncView();
  return static_cast<long>(view_.size());
}

long Recordset::AbsolutePosition() const {
  RequireOpen();
  SyncView();
  if (onDeletedRow_ || view_.empty()) return -1;
  if (pos_ < 0) return -2;
  if (pos_ >= static_cast<long>(view_.size())) return -3;
  return pos_ + 1;
}

void Recordset::SetPosition(long index, MoveReason reason) {
  SyncView();
  const long size = static_cast<long>(view_.size());
  pos_ = std::clamp(index, -1L, size);
  onDeletedRow_ = false;
  currentRowId_ = (pos_ >= 0 && pos_ < size) ? static_cast<std::int64_t>(view_[static_cast<std::size_t>(pos_)]) : -1;
  Fire(reason);
}

void Recordset::LeaveRow() {
  if (editMode_ != db::EditMode::None) Update();
}

void Recordset::AbsolutePosition(long position) {
  RequireOpen();
  SyncView();
  if (position < 1 || position > static_cast<long>(view_.size())) {
    throw vb::VbError(vb::err::ArgumentOutOfRange,
                      "The position " + std::to_string(position) + " is outside the record set's " +
                          std::to_string(view_.size()) + " rows.");
  }
  LeaveRow();
  SetPosition(position - 1, MoveReason::Move);
}

void Recordset::MoveFirst() {
  RequireOpen();
  LeaveRow();
  SyncView();
  SetPosition(view_.empty() ? -1 : 0, MoveReason::MoveFirst);
}

void Recordset::MoveLast() {
  RequireOpen();
  LeaveRow();
  SyncView();
  SetPosition(static_cast<long>(view_.size()) - 1, MoveReason::MoveLast);
}

void Recordset::MoveNext() {
  RequireOpen();
  if (Eof()) vb::Raise(vb::err::NoCurrentRecord);
  LeaveRow();
  SyncView();
  SetPosition(onDeletedRow_ ? pos_ : pos_ + 1, MoveReason::MoveNext);
}

void Recordset::MovePrevious() {
  RequireOpen();
  if (Bof()) vb::Raise(vb::err::NoCurrentRecord);
  LeaveRow();
  SyncView();
  SetPosition(pos_ - 1, MoveReason::MovePrevious);
}

void Recordset::Move(long offset) {
  RequireOpen();
  if ((offset > 0 && Eof()) || (offset < 0 && Bof())) vb::Raise(vb::err::NoCurrentRecord);
  LeaveRow();
  SyncView();
  long base = pos_;
  if (onDeletedRow_ && offset > 0) --base;  // the row after a deleted one already sits at pos_
  SetPosition(base + offset, MoveReason::Move);
}

vb::Variant Recordset::ValueAt(long position, int index) const {
  if (!store_) return vb::Null;
  SyncView();
  if (position < 1 || position > static_cast<long>(view_.size())) return vb::Null;
  if (index < 0 || index >= FieldCount()) vb::Raise(vb::err::ItemNotFound);
  return NullIfEmpty(store_->rows[view_[static_cast<std::size_t>(position - 1)]].values[static_cast<std::size_t>(index)]);
}

std::uint64_t Recordset::RowsVersion() const {
  SyncView();
  return rowsVersion_;
}

// --- Filter, sort, clone, requery --------------------------------------------

void Recordset::SetFilter(std::shared_ptr<detail::FilterExpr> expr, std::function<bool(const RowView&)> predicate,
                          std::string text) {
  LeaveRow();
  filterExpr_ = std::move(expr);
  filterPredicate_ = std::move(predicate);
  filterText_ = std::move(text);
  // A new filter applies to every row, a row added earlier that is still
  // current too: the first row of the result becomes current.
  currentRowId_ = -1;
  RebuildView();
  SetPosition(view_.empty() ? -1 : 0, MoveReason::Move);
}

void Recordset::Filter(std::string_view criteria) {
  RequireOpen();
  std::string text = vb::Trim(criteria);
  SetFilter(text.empty() ? nullptr : detail::FilterExpr::Parse(text, *store_), nullptr, text);
}

void Recordset::Filter(std::function<bool(const RowView&)> predicate) {
  RequireOpen();
  SetFilter(nullptr, std::move(predicate), {});
}

void Recordset::Sort(std::string_view spec) {
  RequireOpen();
  std::string text = vb::Trim(spec);
  auto keys = detail::ParseSort(text, *store_);
  LeaveRow();
  sortKeys_ = std::move(keys);
  sortText_ = std::string(spec);
  RebuildView();
  SetPosition(view_.empty() ? -1 : 0, MoveReason::Move);
}

RecordsetPtr Recordset::Clone() {
  RequireOpen();
  auto clone = Create();
  clone->store_ = store_;
  clone->conn_ = conn_;
  clone->source_ = source_;
  clone->params_ = params_;
  clone->cursorLocation_ = cursorLocation_;
  clone->cursorType_ = cursorType_;
  clone->lockType_ = lockType_;
  clone->RebuildView();
  clone->pos_ = clone->view_.empty() ? -1 : 0;
  clone->currentRowId_ = clone->view_.empty() ? -1 : static_cast<std::int64_t>(clone->view_[0]);
  return clone;
}

void Recordset::Requery() {
  RequireOpen();
  if (!conn_ || conn_->State() != ObjectState::Open) vb::Raise(vb::err::NoConnection);
  editMode_ = db::EditMode::None;
  Load(source_, params_);
  if (!filterText_.empty()) filterExpr_ = detail::FilterExpr::Parse(filterText_, *store_);
  if (!sortText_.empty()) sortKeys_ = detail::ParseSort(sortText_, *store_);
  RebuildView();
  SetPosition(view_.empty() ? -1 : 0, MoveReason::Requery);
}

// --- Notification ------------------------------------------------------------

namespace {

// A notification's handlers, each with the handle it was added under.
template <class Handler>
using Handlers = std::vector<std::pair<int, Handler>>;

template <class Handler>
int AddHandler(Handlers<Handler>& handlers, Handler handler, int& nextHandle) {
  const int handle = nextHandle++;
  handlers.emplace_back(handle, std::move(handler));
  return handle;
}

template <class Handler>
void RemoveHandler(Handlers<Handler>& handlers, int handle) {
  std::erase_if(handlers, [handle](const auto& h) { return h.first == handle; });
}

// Calls every handler in turn; a handler may remove itself meanwhile.
template <class Handler, class... Args>
void Notify(const Handlers<Handler>& handlers, Args&... args) {
  if (handlers.empty()) return;
  const Handlers<Handler> called = handlers;
  for (const auto& [handle, handler] : called) handler(args...);
}

}  // namespace

int Recordset::AddMoveHandler(MoveHandler handler) { return AddHandler(handlers_, std::move(handler), nextHandle_); }

void Recordset::RemoveMoveHandler(int handle) { RemoveHandler(handlers_, handle); }

int Recordset::AddWillChangeFieldHandler(FieldHandler handler) {
  return AddHandler(fieldHandlers_, std::move(handler), nextHandle_);
}

void Recordset::RemoveWillChangeFieldHandler(int handle) { RemoveHandler(fieldHandlers_, handle); }

void Recordset::Fire(MoveReason reason) { Notify(handlers_, *this, reason); }

// --- Changes -----------------------------------------------------------------

bool Recordset::Immediate() const {
  return conn_ && lockType_ != db::LockType::BatchOptimistic;
}

void Recordset::BeginEdit(Row& row) {
  if (editMode_ != db::EditMode::None) return;
  editSnapshot_ = row.values;
  editStatus_ = row.status;
  editHadOriginal_ = row.original != nullptr;
  editMode_ = db::EditMode::InProgress;
}

void Recordset::Assign(int index, const vb::Variant& value) {
  RequireCurrent();
  if (lockType_ == db::LockType::ReadOnly)
    vb::Raise(vb::err::FieldNotUpdatable, "The record set is read-only.");
  const FieldMeta& meta = FieldInfo(index);
  vb::Variant converted = ConvertForField(value, meta.type, meta.definedSize, meta.name);
  Notify(fieldHandlers_, *this, index);
  Row& row = CurrentRow();
  BeginEdit(row);
  if (row.status == RecordStatus::Unmodified) {
    row.original = std::make_unique<std::vector<vb::Variant>>(row.values);
    row.status = RecordStatus::Modified;
  }
  row.values[static_cast<std::size_t>(index)] = std::move(converted);
}

void Recordset::AddNew() {
  RequireOpen();
  if (lockType_ == db::LockType::ReadOnly)
    vb::Raise(vb::err::FieldNotUpdatable, "The record set is read-only.");
  LeaveRow();
  rowBeforeAddNew_ = HasCurrentRow() ? currentRowId_ : -1;
  // Without a filter or a sort a new row simply ends the view; otherwise
  // the view is built again around it.
  const bool appendOnly = !filterExpr_ && !filterPredicate_ && sortKeys_.empty() && viewVersion_ == store_->version;
  Row& row = store_->rows.emplace_back();
  row.values.resize(store_->Fields().size());
  row.status = RecordStatus::New;
  ++store_->version;
  currentRowId_ = static_cast<std::int64_t>(store_->rows.size() - 1);
  pos_ = 0;
  onDeletedRow_ = false;
  long position;
  if (appendOnly) {
    view_.push_back(static_cast<std::uint32_t>(currentRowId_));
    viewVersion_ = store_->version;
    position = static_cast<long>(view_.size()) - 1;
  } else {
    RebuildView();
    auto it = std::find(view_.begin(), view_.end(), static_cast<std::uint32_t>(currentRowId_));
    position = static_cast<long>(it - view_.begin());
  }
  editSnapshot_.clear();  // a cancelled new row is dropped, never put back
  editStatus_ = RecordStatus::New;
  editHadOriginal_ = false;
  editMode_ = db::EditMode::Add;
  SetPosition(position, MoveReason::AddNew);
}

void Recordset::EndEdit() {
  editMode_ = db::EditMode::None;
  editSnapshot_.clear();
}

void Recordset::Update() {
  RequireOpen();
  if (editMode_ == db::EditMode::None) return;
  if (Immediate() && HasCurrentRow()) {
    std::vector<std::uint32_t> rows{view_[static_cast<std::size_t>(pos_)]};
    WriteRows(rows);  // on failure the edit stays open, so the user can correct it
  }
  EndEdit();
}

void Recordset::CancelUpdate() {
  RequireOpen();
  if (editMode_ == db::EditMode::None) return;
  const bool adding = editMode_ == db::EditMode::Add;
  if (HasCurrentRow()) {
    Row& row = CurrentRow();
    if (adding) {
      row.gone = true;
      ++store_->version;
    } else {
      row.values = editSnapshot_;
      row.status = editStatus_;
      if (!editHadOriginal_) row.original.reset();
    }
  }
  EndEdit();
  if (adding) {
    onDeletedRow_ = false;
    currentRowId_ = rowBeforeAddNew_;
    RebuildView();
    auto it = std::find(view_.begin(), view_.end(), static_cast<std::uint32_t>(rowBeforeAddNew_));
    SetPosition(it == view_.end() ? static_cast<long>(view_.size()) : static_cast<long>(it - view_.begin()),
                MoveReason::Move);
  }
}

void Recordset::Delete() {
  RequireCurrent();
  if (lockType_ == db::LockType::ReadOnly)
    vb::Raise(vb::err::FieldNotUpdatable, "The record set is read-only.");
  Row& row = CurrentRow();
  if (row.status == RecordStatus::New) {
    row.gone = true;  // never written: nothing to delete in the table
  } else {
    // Deleting drops the edit: the row is deleted as it was read. Should the
    // delete be refused, the row and its edit come back as they were.
    std::vector<vb::Variant> edited = row.values;
    const RecordStatus editedStatus = row.status;
    std::unique_ptr<std::vector<vb::Variant>> editedOriginal =
        row.original ? std::make_unique<std::vector<vb::Variant>>(*row.original) : nullptr;
    if (editMode_ != db::EditMode::None) {
      row.values = editSnapshot_;
      row.status = editStatus_;
      if (!editHadOriginal_) row.original.reset();
    }
    row.status = RecordStatus::Deleted;
    if (Immediate()) {
      std::vector<std::uint32_t> rows{view_[static_cast<std::size_t>(pos_)]};
      try {
        WriteRows(rows);
      } catch (...) {
        row.values = std::move(edited);
        row.status = editedStatus;
        row.original = std::move(editedOriginal);
        throw;
      }
    }
  }
  EndEdit();
  ++store_->version;
  RebuildView();  // the row leaves the view and stays current as a deleted row
}

long Recordset::PendingCount() const {
  RequireOpen();
  long count = 0;
  for (const Row& row : store_->rows)
    if (!row.gone && row.status != RecordStatus::Unmodified) ++count;
  return count;
}

db::RecordStatus Recordset::Status() const {
  RequireOpen();
  if (onDeletedRow_) return RecordStatus::Deleted;
  RequireCurrent();
  return CurrentRow().status;
}

void Recordset::UpdateBatch() {
  RequireOpen();
  if (editMode_ != db::EditMode::None) EndEdit();
  std::vector<std::uint32_t> rows;
  for (std::uint32_t id = 0; id < store_->rows.size(); ++id) {
    const Row& row = store_->rows[id];
    if (!row.gone && row.status != RecordStatus::Unmodified) rows.push_back(id);
  }
  if (rows.empty()) return;
  if (!conn_ || conn_->State() != ObjectState::Open) vb::Raise(vb::err::NoConnection);
  WriteRows(rows);
}

void Recordset::CancelBatch() {
  RequireOpen();
  EndEdit();
  for (Row& row : store_->rows) {
    if (row.gone) continue;
    if (row.status == RecordStatus::New) {
      row.gone = true;
    } else if (row.status != RecordStatus::Unmodified) {
      if (row.original) row.values = std::move(*row.original);
      row.original.reset();
      row.status = RecordStatus::Unmodified;
    }
  }
  ++store_->version;
  SyncView();
}

// --- Writing back ------------------------------------------------------------

namespace {

// How the rows of one base table are written: its fields in the record set
// and the fields that identify a row.
struct TablePlan {
  std::string qualifiedName;
  std::vector<int> fields;
  std::vector<int> keyFields;  // primary key, or every field of the table when the key is not all present
};

// The name the catalogue knows a field's table by: with its schema, so that
// a table of an attached database is not taken for its namesake in another.
std::string CatalogName(const FieldMeta& f) {
  return f.baseSchema.empty() ? f.baseTable : f.baseSchema + "." + f.baseTable;
}

std::string KeyCondition(const std::vector<int>& keyFields, const std::vector<FieldMeta>& meta) {
  std::string sql;
  for (int f : keyFields) {
    if (!sql.empty()) sql += " AND ";
    sql += QuoteName(meta[static_cast<std::size_t>(f)].baseColumn) + " IS ?";
  }
  return sql;
}

// The defaults of the given fields of one table (Null where the table has
// none), as their fields hold them, and the field that numbers new rows (an
// INTEGER PRIMARY KEY of its own) when it is among them.
std::vector<vb::Variant> TableDefaults(Connection& conn, const std::vector<FieldMeta>& meta,
                                       const std::vector<int>& fields, int* rowIdField) {
  std::vector<vb::Variant> defaults(fields.size(), vb::Null);
  if (fields.empty()) return defaults;
  const FieldMeta& first = meta[static_cast<std::size_t>(fields.front())];
  std::vector<ColumnInfo> columns = catalog::Columns(conn, CatalogName(first));
  int keyColumns = 0;
  for (const ColumnInfo& c : columns) keyColumns += c.keyPosition > 0;
  std::string select;
  std::vector<std::size_t> selected;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const FieldMeta& f = meta[static_cast<std::size_t>(fields[i])];
    for (const ColumnInfo& c : columns) {
      if (!vb::TextEquals(c.name, f.baseColumn)) continue;
      if (c.keyPosition > 0 && keyColumns == 1 && vb::TextEquals(c.declaredType, "INTEGER")) *rowIdField = fields[i];
      if (!c.defaultExpression.empty()) {
        select += (select.empty() ? "SELECT " : ", ") + c.defaultExpression;
        selected.push_back(i);
      }
    }
  }
  if (select.empty()) return defaults;
  // The defaults are constant expressions of the table's definition.
  Statement stmt = conn.Prepare(select);
  if (stmt.Step()) {
    for (std::size_t k = 0; k < selected.size(); ++k) {
      const std::size_t i = selected[k];
      defaults[i] = ReadValue(stmt.get(), static_cast<int>(k), meta[static_cast<std::size_t>(fields[i])].type);
    }
  }
  return defaults;
}

void ExpectOneRow(long long changed, const std::string& table) {
  if (changed == 1) return;
  if (changed == 0) {
    throw vb::VbError(vb::err::RowNotFound,
                      "Row cannot be located for updating in '" + table +
                          "'. Some values may have been changed since it was last read.");
  }
  throw vb::VbError(vb::err::Unspecified,
                    "Insufficient key column information for updating '" + table + "': " + std::to_string(changed) +
                        " rows match.");
}

// Whether a stored value is still the value that was read: as it was, or as
// storing it gives it back (a time to the second, an exact number as a
// double), for values that the record set wrote itself.
bool StillHolds(Connection& conn, const vb::Variant& stored, const vb::Variant& original, DataType type) {
  if (stored.Identical(NullIfEmpty(original))) return true;
  Statement echo = conn.Prepare("SELECT ?");
  echo.Bind(1, original);
  return echo.Step() && stored.Identical(ReadValue(echo.get(), 0, type));
}

// A row is changed only as it was read: the columns about to be changed must
// still hold their original values (as a batch update that compares the
// changed columns does), else another user changed the row meanwhile and it
// "cannot be located".
void RequireUnchanged(Connection& conn, const std::string& table, const std::string& where,
                      const std::vector<vb::Variant>& keys, const std::vector<int>& changed, const detail::Row& row,
                      const std::vector<FieldMeta>& meta) {
  std::string columns;
  for (int f : changed) columns += (columns.empty() ? "" : ", ") + QuoteName(meta[static_cast<std::size_t>(f)].baseColumn);
  Statement check = conn.Prepare("SELECT " + columns + " FROM " + table + where + " LIMIT 2");
  check.Bind(keys);
  long long found = 0;
  bool same = true;
  while (check.Step()) {
    if (++found > 1) break;
    for (std::size_t i = 0; i < changed.size(); ++i) {
      const FieldMeta& field = meta[static_cast<std::size_t>(changed[i])];
      const vb::Variant stored = ReadValue(check.get(), static_cast<int>(i), field.type);
      if (!StillHolds(conn, stored, row.OriginalOf(changed[i]), field.type)) same = false;
    }
  }
  ExpectOneRow(same ? found : 0, table);
}

// One plan per base table, in the order of the fields. Error 3251 when the
// fields come from no table.
std::vector<TablePlan> PlanTables(Connection& conn, const std::vector<FieldMeta>& meta) {
  std::vector<TablePlan> plans;
  std::map<std::string, std::size_t> planOf;
  for (int i = 0; i < static_cast<int>(meta.size()); ++i) {
    const FieldMeta& f = meta[static_cast<std::size_t>(i)];
    if (f.baseTable.empty() || f.baseColumn.empty()) continue;
    std::string key = detail::LowerAscii(f.baseSchema + "." + f.baseTable);
    auto [it, added] = planOf.emplace(key, plans.size());
    if (added) {
      TablePlan plan;
      plan.qualifiedName =
          f.baseSchema.empty() ? QuoteName(f.baseTable) : QuoteName(f.baseSchema) + "." + QuoteName(f.baseTable);
      plans.push_back(std::move(plan));
    }
    plans[it->second].fields.push_back(i);
  }
  if (plans.empty()) {
    throw vb::VbError(vb::err::FieldNotUpdatable,
                      "The record set holds no table columns, so its changes cannot be written.");
  }
  for (TablePlan& plan : plans) {
    const FieldMeta& first = meta[static_cast<std::size_t>(plan.fields.front())];
    std::vector<std::string> key = catalog::PrimaryKey(conn, CatalogName(first));
    for (const std::string& column : key) {
      auto found = std::find_if(plan.fields.begin(), plan.fields.end(), [&](int f) {
        return vb::TextEquals(meta[static_cast<std::size_t>(f)].baseColumn, column);
      });
      if (found == plan.fields.end()) {
        plan.keyFields.clear();
        break;
      }
      plan.keyFields.push_back(*found);
    }
    if (plan.keyFields.empty()) plan.keyFields = plan.fields;
  }
  return plans;
}

// Writes the fields of one table that a changed row changed, to the row the
// original key finds, once they are seen to hold what was read.
void UpdateRow(Connection& conn, const TablePlan& plan, const detail::Row& row, const std::vector<FieldMeta>& meta) {
  std::vector<int> changed;
  for (int f : plan.fields)
    if (!row.values[static_cast<std::size_t>(f)].Identical(row.OriginalOf(f))) changed.push_back(f);
  if (changed.empty()) return;
  std::vector<vb::Variant> keys;
  for (int f : plan.keyFields) keys.push_back(row.OriginalOf(f));
  const std::string where = " WHERE " + KeyCondition(plan.keyFields, meta);
  RequireUnchanged(conn, plan.qualifiedName, where, keys, changed, row, meta);
  std::string sets;
  std::vector<vb::Variant> params;
  for (int f : changed) {
    if (!sets.empty()) sets += ", ";
    sets += QuoteName(meta[static_cast<std::size_t>(f)].baseColumn) + " = ?";
    params.push_back(row.values[static_cast<std::size_t>(f)]);
  }
  params.insert(params.end(), keys.begin(), keys.end());
  conn.Execute("UPDATE " + plan.qualifiedName + " SET " + sets + where, params);
  ExpectOneRow(conn.Changes(), plan.qualifiedName);
}

}  // namespace

void Recordset::WriteRows(const std::vector<std::uint32_t>& ids) {
  if (!conn_ || conn_->State() != ObjectState::Open) vb::Raise(vb::err::NoConnection);
  Connection& conn = *conn_;
  const std::vector<FieldMeta>& meta = store_->Fields();

  const std::vector<TablePlan> plans = PlanTables(conn, meta);
  // New and deleted rows go to the table of the first column.
  const TablePlan& target = plans.front();

  struct InsertPlan {
    Statement stmt;
    std::vector<int> bound;              // fields whose values the statement takes
    std::vector<int> returned;           // fields left to the table: they take its defaults
    std::vector<vb::Variant> defaults;   // the default of each of those fields
    int rowIdField = -1;                 // the field that numbers new rows, if it is among them
  };
  // Keyed by which of the target's fields a row assigns (1) or leaves (0).
  std::map<std::vector<unsigned char>, InsertPlan> inserts;
  std::vector<unsigned char> assigned(target.fields.size());
  InsertPlan* lastPlan = nullptr;  // rows mostly assign what the row before assigned
  const std::vector<unsigned char>* lastAssigned = nullptr;
  // The rows inserted, to take the table's defaults once all is written.
  struct Inserted {
    std::uint32_t id;
    const InsertPlan* plan;
    long long rowId;
  };
  std::vector<Inserted> inserted;
  inserted.reserve(ids.size());
  // Statements go back to the connection before the transaction ends.
  auto releaseStatements = [&] {
    for (auto& entry : inserts) entry.second.stmt = Statement();
  };
  struct Release {
    decltype(releaseStatements)& release;
    ~Release() { release(); }
  };
  // The statement for rows that assign the fields marked in `assigned`.
  auto makePlan = [&] {
    InsertPlan made;
    std::string columns, marks;
    for (std::size_t i = 0; i < target.fields.size(); ++i) {
      const int f = target.fields[i];
      if (assigned[i]) {
        if (!columns.empty()) columns += ", ";
        columns += QuoteName(meta[static_cast<std::size_t>(f)].baseColumn);
        marks += marks.empty() ? "?" : ", ?";
        made.bound.push_back(f);
      } else {
        made.returned.push_back(f);
      }
    }
    made.stmt = conn.Prepare("INSERT INTO " + target.qualifiedName +
                             (columns.empty() ? " DEFAULT VALUES" : " (" + columns + ") VALUES (" + marks + ")"));
    made.defaults = TableDefaults(conn, meta, made.returned, &made.rowIdField);
    return made;
  };

  {
    Transaction trans(conn);
    Release release{releaseStatements};
    for (std::uint32_t id : ids) {
      Row& row = store_->rows[id];
      if (row.gone) continue;
      if (row.status == RecordStatus::New) {
        // Rows that assign the same fields share one prepared statement. The
        // fields left unassigned take the table's defaults, which the
        // statement hands back.
        for (std::size_t i = 0; i < target.fields.size(); ++i)
          assigned[i] = !row.values[static_cast<std::size_t>(target.fields[i])].IsEmpty();
        if (!lastPlan || *lastAssigned != assigned) {
          auto plan = inserts.find(assigned);
          if (plan == inserts.end()) plan = inserts.emplace(assigned, makePlan()).first;
          lastPlan = &plan->second;
          lastAssigned = &plan->first;
        }
        InsertPlan& insert = *lastPlan;
        // Every parameter is bound again, so the old values need no clearing.
        sqlite3_reset(insert.stmt.get());
        for (std::size_t i = 0; i < insert.bound.size(); ++i)
          BindValue(insert.stmt.get(), static_cast<int>(i + 1), row.values[static_cast<std::size_t>(insert.bound[i])]);
        while (insert.stmt.Step()) {
        }
        inserted.push_back({id, &insert, insert.rowIdField >= 0 ? conn.LastInsertRowId() : 0});
      } else if (row.status == RecordStatus::Modified) {
        for (const TablePlan& plan : plans) UpdateRow(conn, plan, row, meta);
      } else if (row.status == RecordStatus::Deleted) {
        std::vector<vb::Variant> params;
        for (int f : target.keyFields) params.push_back(row.OriginalOf(f));
        conn.Execute("DELETE FROM " + target.qualifiedName + " WHERE " + KeyCondition(target.keyFields, meta), params);
        ExpectOneRow(conn.Changes(), target.qualifiedName);
      }
    }
    releaseStatements();
    trans.Commit();
  }

  // Everything is written: the rows now hold what the table holds. One pass,
  // the inserted rows being met in the order they were written.
  bool removed = false;
  auto next = inserted.begin();
  for (std::uint32_t id : ids) {
    Row& row = store_->rows[id];
    if (row.gone) continue;
    if (next != inserted.end() && next->id == id) {
      const InsertPlan& plan = *next->plan;
      for (std::size_t i = 0; i < plan.returned.size(); ++i) {
        const int f = plan.returned[i];
        row.values[static_cast<std::size_t>(f)] =
            f == plan.rowIdField ? vb::Variant::FromInt64(next->rowId) : plan.defaults[i];
      }
      ++next;
    }
    if (row.status == RecordStatus::Deleted) {
      row.gone = true;
      removed = true;
    }
    row.original.reset();
    if (!row.gone) row.status = RecordStatus::Unmodified;
  }
  if (removed) ++store_->version;
}

void MoveBackTo(Recordset& rs, long position) {
  if (position >= 1) {
    rs.MoveFirst();
    if (position > 1) rs.Move(position - 1);
  } else if (position == -3) {  // after the last row
    rs.MoveLast();
    rs.MoveNext();
  } else {
    rs.MoveFirst();
    if (!rs.Bof()) rs.MovePrevious();
  }
}

}  // namespace db

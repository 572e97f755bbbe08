#include "db/Connection.h"

#include <sqlite3.h>

#include <cctype>
#include <cmath>
#include <filesystem>

#include "db/SqlFunctions.h"
#include "vb/Conversions.h"

namespace db {
namespace {

std::string TrimBlanks(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return std::string(s.substr(b, e - b));
}

long ErrorNumberOf(int code) {
  switch (code & 0xff) {
    case SQLITE_CONSTRAINT:
    case SQLITE_MISMATCH:
      return vb::err::IntegrityViolation;
    case SQLITE_ERROR:
      return vb::err::SqlError;
    default:
      return vb::err::Unspecified;
  }
}

}  // namespace

// --- Statement ---------------------------------------------------------------

ConnectionLock::ConnectionLock(sqlite3* db) : mutex_(sqlite3_db_mutex(db)) { sqlite3_mutex_enter(mutex_); }
ConnectionLock::~ConnectionLock() { sqlite3_mutex_leave(mutex_); }

Statement::Statement(Connection* owner, sqlite3_stmt* stmt, std::string sql,
                     std::shared_ptr<const ResultColumns> columns, int columnsPrepared)
    : owner_(owner), stmt_(stmt), sql_(std::move(sql)), columns_(std::move(columns)),
      columnsPrepared_(columnsPrepared) {}

Statement::Statement(Statement&& other) noexcept
    : owner_(other.owner_),
      stmt_(other.stmt_),
      sql_(std::move(other.sql_)),
      columns_(std::move(other.columns_)),
      columnsPrepared_(other.columnsPrepared_) {
  other.stmt_ = nullptr;
  other.owner_ = nullptr;
}

Statement& Statement::operator=(Statement&& other) noexcept {
  if (this != &other) {
    if (stmt_) owner_->Release(*this);
    owner_ = other.owner_;
    stmt_ = other.stmt_;
    sql_ = std::move(other.sql_);
    columns_ = std::move(other.columns_);
    columnsPrepared_ = other.columnsPrepared_;
    other.stmt_ = nullptr;
    other.owner_ = nullptr;
  }
  return *this;
}

Statement::~Statement() {
  if (stmt_) owner_->Release(*this);
}

std::shared_ptr<const ResultColumns> Statement::KeptColumns() const {
  if (!stmt_ || sqlite3_stmt_status(stmt_, SQLITE_STMTSTATUS_REPREPARE, 0) != columnsPrepared_) return nullptr;
  return columns_;
}

void Statement::KeepColumns(std::shared_ptr<const ResultColumns> columns) {
  if (!stmt_) return;
  columns_ = std::move(columns);
  columnsPrepared_ = sqlite3_stmt_status(stmt_, SQLITE_STMTSTATUS_REPREPARE, 0);
}

void Statement::Bind(const std::vector<vb::Variant>& params) {
  int expected = sqlite3_bind_parameter_count(stmt_);
  if (static_cast<int>(params.size()) != expected) {
    throw vb::VbError(vb::err::SqlError, "The statement takes " + std::to_string(expected) +
                                             " values but was given " + std::to_string(params.size()) + ".");
  }
  ConnectionLock lock(sqlite3_db_handle(stmt_));
  for (std::size_t i = 0; i < params.size(); ++i) BindValue(stmt_, static_cast<int>(i + 1), params[i]);
}

void Statement::Reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

void Statement::Bind(int index, const vb::Variant& value) { BindValue(stmt_, index, value); }

bool Statement::Step() {
  int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  sqlite3_reset(stmt_);
  owner_->RaiseLastError();
}

// --- Binding -----------------------------------------------------------------

void BindValue(sqlite3_stmt* stmt, int index, const vb::Variant& value) {
  int rc = SQLITE_OK;
  switch (value.Type()) {
    case vb::VarType::Empty:
    case vb::VarType::Null:
      rc = sqlite3_bind_null(stmt, index);
      break;
    case vb::VarType::Boolean:
      rc = sqlite3_bind_int(stmt, index, value.AsBool() ? -1 : 0);
      break;
    case vb::VarType::Integer:
      rc = sqlite3_bind_int(stmt, index, value.AsInteger());
      break;
    case vb::VarType::Long:
      rc = sqlite3_bind_int(stmt, index, value.AsLong());
      break;
    case vb::VarType::Double:
      rc = sqlite3_bind_double(stmt, index, value.AsDouble());
      break;
    case vb::VarType::Currency: {
      std::int64_t scaled = value.AsCurrency().scaled;
      if (scaled % 10000 == 0)
        rc = sqlite3_bind_int64(stmt, index, scaled / 10000);
      else
        rc = sqlite3_bind_double(stmt, index, value.AsCurrency().ToDouble());
      break;
    }
    case vb::VarType::Decimal: {
      const vb::Decimal& d = value.AsDecimal();
      if (d.Scale() == 0 && d.Magnitude() < (static_cast<unsigned __int128>(1) << 62))
        rc = sqlite3_bind_int64(stmt, index, d.ToInt64());
      else
        rc = sqlite3_bind_double(stmt, index, d.ToDouble());
      break;
    }
    case vb::VarType::Date: {
      std::string text = vb::ToIsoText(value.AsDate());
      rc = sqlite3_bind_text(stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
      break;
    }
    case vb::VarType::String: {
      const std::string& s = value.AsString();
      rc = sqlite3_bind_text(stmt, index, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
      break;
    }
    case vb::VarType::Object:
      throw vb::VbError(vb::err::TypeMismatch, vb::ErrorDescription(vb::err::TypeMismatch));
  }
  if (rc != SQLITE_OK) {
    throw vb::VbError(vb::err::SqlError, std::string("A value could not be bound: ") + sqlite3_errstr(rc));
  }
}

std::string QuoteName(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

// --- Connection --------------------------------------------------------------

Connection::~Connection() { Close(); }

ConnectionPtr Connection::OpenNew(const std::string& connectionString) {
  auto conn = Create();
  conn->Open(connectionString);
  return conn;
}

std::string Connection::ConnectionStringFor(std::string_view path) {
  const bool quote = path.find_first_of(";\"'") != std::string_view::npos ||
                     (!path.empty() && (std::isspace(static_cast<unsigned char>(path.front())) ||
                                        std::isspace(static_cast<unsigned char>(path.back()))));
  // Quoted as a name is: between double quotes, its own doubled.
  const std::string source = quote ? QuoteName(path) : std::string(path);
  return "Provider=SQLite;Data Source=" + source + ";Persist Security Info=False";
}

std::string Connection::DataSourceOf(std::string_view connectionString) {
  // "key=value" parts separated by ";"; a value may stand between double or
  // single quotes, inside which ";" is part of the value and a doubled quote
  // stands for one.
  const std::size_t n = connectionString.size();
  std::size_t i = 0;
  while (i < n) {
    const std::size_t eq = connectionString.find_first_of("=;", i);
    if (eq == std::string_view::npos) break;
    if (connectionString[eq] == ';') {
      i = eq + 1;
      continue;
    }
    const std::string key = TrimBlanks(connectionString.substr(i, eq - i));
    std::size_t j = eq + 1;
    while (j < n && std::isspace(static_cast<unsigned char>(connectionString[j]))) ++j;
    std::string value;
    if (j < n && (connectionString[j] == '"' || connectionString[j] == '\'')) {
      const char q = connectionString[j++];
      for (; j < n; ++j) {
        if (connectionString[j] != q) {
          value += connectionString[j];
        } else if (j + 1 < n && connectionString[j + 1] == q) {
          value += q;
          ++j;
        } else {
          ++j;
          break;
        }
      }
      const std::size_t end = connectionString.find(';', j);
      i = end == std::string_view::npos ? n : end + 1;
    } else {
      std::size_t end = connectionString.find(';', j);
      if (end == std::string_view::npos) end = n;
      value = TrimBlanks(connectionString.substr(j, end - j));
      i = end + 1;
    }
    if (vb::TextEquals(key, "Data Source")) return value;
  }
  return {};
}

void Connection::Open(const std::string& connectionString, bool createIfMissing) {
  if (db_) {
    throw vb::VbError(vb::err::ArgumentOutOfRange, "Operation is not allowed when the object is open.");
  }
  if (!connectionString.empty()) connectionString_ = connectionString;
  std::string path = DataSourceOf(connectionString_);
  if (path.empty()) {
    throw vb::VbError(vb::err::NoConnection, "The connection string names no database file.");
  }
  if (path.find('\0') != std::string::npos) {
    throw vb::VbError(vb::err::Unspecified, "The database path is not valid: it holds a NUL character.");
  }
  if (!createIfMissing && !std::filesystem::exists(path)) {
    throw vb::VbError(vb::err::Unspecified, "Could not find file '" + path + "'.");
  }
  int flags = SQLITE_OPEN_READWRITE | (createIfMissing ? SQLITE_OPEN_CREATE : 0);
  sqlite3* handle = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &handle, flags, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = handle ? sqlite3_errmsg(handle) : sqlite3_errstr(rc);
    sqlite3_close_v2(handle);
    throw vb::VbError(vb::err::Unspecified, "The database '" + path + "' cannot be opened: " + message);
  }
  sqlite3_extended_result_codes(handle, 1);
  sqlite3_busy_timeout(handle, 5000);
  // A file that is not a database fails here rather than at the first query.
  char* errmsg = nullptr;
  rc = sqlite3_exec(handle, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, &errmsg);
  if (rc != SQLITE_OK) {
    std::string message = errmsg ? errmsg : sqlite3_errstr(rc);
    sqlite3_free(errmsg);
    sqlite3_close_v2(handle);
    throw vb::VbError(vb::err::Unspecified, "The database '" + path + "' cannot be opened: " + message);
  }
  RegisterSqlFunctions(handle);
  db_ = handle;
  path_ = path;
  transLevel_ = 0;
}

void Connection::Close() {
  if (!db_) return;
  for (auto& [sql, cached] : cache_) sqlite3_finalize(cached.stmt);
  cache_.clear();
  sqlite3_close_v2(db_);
  db_ = nullptr;
  transLevel_ = 0;
}

void Connection::RequireOpen() const {
  if (!db_) throw vb::VbError(vb::err::ObjectClosed, vb::ErrorDescription(vb::err::ObjectClosed));
}

Statement Connection::Prepare(std::string_view sql) {
  RequireOpen();
  std::string key(sql);
  if (auto it = cache_.find(key); it != cache_.end()) {
    Cached cached = std::move(it->second);
    cache_.erase(it);
    return Statement(this, cached.stmt, std::move(key), std::move(cached.columns), cached.columnsPrepared);
  }
  sqlite3_stmt* stmt = nullptr;
  const char* tail = nullptr;
  int rc = sqlite3_prepare_v2(db_, key.c_str(), static_cast<int>(key.size()), &stmt, &tail);
  if (rc != SQLITE_OK) RaiseLastError(key);
  if (!stmt) throw vb::VbError(vb::err::SqlError, "The statement is empty.");
  while (tail && *tail && std::isspace(static_cast<unsigned char>(*tail))) ++tail;
  if (tail && *tail && *tail != ';') {
    sqlite3_finalize(stmt);
    throw vb::VbError(vb::err::SqlError, "Only one statement can be run at a time: " + key);
  }
  return Statement(this, stmt, std::move(key));
}

void Connection::Release(Statement& statement) {
  sqlite3_stmt* stmt = statement.stmt_;
  statement.stmt_ = nullptr;
  sqlite3_reset(stmt);
  sqlite3_clear_bindings(stmt);
  if (!db_ || cache_.size() > 256) {
    sqlite3_finalize(stmt);
    return;
  }
  cache_.emplace(std::move(statement.sql_), Cached{stmt, std::move(statement.columns_), statement.columnsPrepared_});
}

long long Connection::Execute(std::string_view sql, const std::vector<vb::Variant>& params) {
  Statement stmt = Prepare(sql);
  stmt.Bind(params);
  while (stmt.Step()) {
  }
  return sqlite3_changes64(db_);
}

void Connection::ExecuteScript(std::string_view sql) {
  RequireOpen();
  std::string text(sql);
  char* errmsg = nullptr;
  int rc = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &errmsg);
  if (rc != SQLITE_OK) {
    std::string message = errmsg ? errmsg : sqlite3_errstr(rc);
    sqlite3_free(errmsg);
    throw vb::VbError(ErrorNumberOf(rc), message);
  }
}

vb::Variant Connection::Scalar(std::string_view sql, const std::vector<vb::Variant>& params) {
  Statement stmt = Prepare(sql);
  stmt.Bind(params);
  if (!stmt.Step()) return {};
  return ReadValue(stmt.get(), 0, DataType::Variant);
}

int Connection::BeginTrans() {
  RequireOpen();
  // Prepared once and kept, as a merge opens a savepoint for each of its steps.
  if (transLevel_ == 0)
    Execute("BEGIN IMMEDIATE");
  else
    Execute("SAVEPOINT lev_" + std::to_string(transLevel_));
  return ++transLevel_;
}

void Connection::CommitTrans() {
  RequireOpen();
  if (transLevel_ == 0) throw vb::VbError(vb::err::Unspecified, "No transaction is active.");
  if (transLevel_ == 1)
    Execute("COMMIT");
  else
    Execute("RELEASE lev_" + std::to_string(transLevel_ - 1));
  --transLevel_;
}

void Connection::RollbackTrans() {
  RequireOpen();
  if (transLevel_ == 0) throw vb::VbError(vb::err::Unspecified, "No transaction is active.");
  if (sqlite3_get_autocommit(db_)) {
    // The database has already rolled the whole transaction back (a full
    // disk, an I/O error, a rollback raised by a trigger): nothing is left
    // at any level.
    transLevel_ = 0;
    return;
  }
  const int level = transLevel_--;
  if (level == 1) {
    ExecuteScript("ROLLBACK");
  } else {
    std::string name = "lev_" + std::to_string(level - 1);
    ExecuteScript("ROLLBACK TO " + name + "; RELEASE " + name);
  }
}

Transaction::Transaction(Connection& conn) : conn_(conn), level_(conn.BeginTrans()) {}

Transaction::~Transaction() {
  if (done_) return;
  // Rolls back what this level did, unless the database has already rolled
  // the whole transaction back (the level is then gone).
  try {
    if (conn_.State() == ObjectState::Open && conn_.TransactionLevel() >= level_) {
      while (conn_.TransactionLevel() > level_) conn_.RollbackTrans();
      conn_.RollbackTrans();
    }
  } catch (...) {
    // The failure that unwinds this scope is the one to report.
  }
}

void Transaction::Commit() {
  if (done_) throw vb::VbError(vb::err::Unspecified, "The transaction has already ended.");
  if (conn_.TransactionLevel() != level_) {
    done_ = true;
    throw vb::VbError(vb::err::Unspecified, "The transaction was rolled back before it could be committed.");
  }
  conn_.CommitTrans();
  done_ = true;
}

void Connection::Attach(const std::string& path, const std::string& schemaName) {
  Execute("ATTACH DATABASE ? AS " + QuoteName(schemaName), {vb::Variant(path)});
}

void Connection::Detach(const std::string& schemaName) { Execute("DETACH DATABASE " + QuoteName(schemaName)); }

long long Connection::LastInsertRowId() const {
  RequireOpen();
  return sqlite3_last_insert_rowid(db_);
}

long long Connection::Changes() const {
  RequireOpen();
  return sqlite3_changes64(db_);
}

void Connection::RaiseLastError(std::string_view context) const {
  int code = db_ ? sqlite3_extended_errcode(db_) : SQLITE_MISUSE;
  std::string message = db_ ? sqlite3_errmsg(db_) : "The connection is closed.";
  if (!context.empty() && (code & 0xff) == SQLITE_ERROR) message += " (in: " + std::string(context) + ")";
  throw vb::VbError(ErrorNumberOf(code), message);
}

// --- Reading ------------------------------------------------------------------

namespace {

std::string_view TextView(sqlite3_value* v) {
  const unsigned char* text = sqlite3_value_text(v);
  return {reinterpret_cast<const char*>(text), static_cast<std::size_t>(sqlite3_value_bytes(v))};
}

vb::Variant StoredValue(sqlite3_value* v, int storage) {
  switch (storage) {
    case SQLITE_NULL:
      return vb::Null;
    case SQLITE_INTEGER:
      return vb::Variant::FromInt64(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
      return vb::Variant(sqlite3_value_double(v));
    default:
      return vb::Variant(std::string(TextView(v)));
  }
}

}  // namespace

vb::Variant ReadValue(sqlite3_stmt* s, int col, DataType type) {
  // The column's value object is read directly: one call into the database
  // per value instead of one for its kind and one for its content. A
  // connection and its statements serve one thread at a time.
  sqlite3_value* v = sqlite3_column_value(s, col);
  const int storage = sqlite3_value_type(v);
  if (storage == SQLITE_NULL) return vb::Null;
  switch (type) {
    case DataType::SmallInt:
    case DataType::TinyInt:
    case DataType::UnsignedTinyInt:
      if (storage == SQLITE_INTEGER) {
        sqlite3_int64 n = sqlite3_value_int64(v);
        if (n >= INT16_MIN && n <= INT16_MAX) return vb::Variant(static_cast<std::int16_t>(n));
        return vb::Variant::FromInt64(n);
      }
      break;
    case DataType::Integer:
    case DataType::BigInt:
      if (storage == SQLITE_INTEGER) return vb::Variant::FromInt64(sqlite3_value_int64(v));
      break;
    case DataType::Single:
    case DataType::Double:
      if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT) return vb::Variant(sqlite3_value_double(v));
      break;
    case DataType::Currency:
      if (storage == SQLITE_INTEGER) {
        sqlite3_int64 n = sqlite3_value_int64(v);
        if (n > INT64_MAX / 10000 || n < INT64_MIN / 10000) break;
        return vb::Variant(vb::Currency{n * 10000});
      }
      if (storage == SQLITE_FLOAT) return vb::Variant(vb::Currency::FromDouble(sqlite3_value_double(v)));
      break;
    case DataType::Decimal:
    case DataType::Numeric:
      // A number that the decimal cannot hold is read as a double.
      if (storage == SQLITE_INTEGER) return vb::Variant(vb::Decimal(static_cast<std::int64_t>(sqlite3_value_int64(v))));
      try {
        if (storage == SQLITE_FLOAT) {
          const double d = sqlite3_value_double(v);
          if (!std::isfinite(d)) vb::Raise(vb::err::Overflow);
          return vb::Variant(vb::Decimal::FromDouble(d));
        }
        if (auto d = vb::Decimal::Parse(TextView(v))) return vb::Variant(*d);
      } catch (const vb::VbError& e) {
        if (e.Number() != vb::err::Overflow) throw;
        // Error 6 still when no double holds it either (infinity, 1E400).
        const vb::Variant stored = StoredValue(v, storage);
        const double d = vb::CDbl(stored);
        if (!std::isfinite(d)) vb::Raise(vb::err::Overflow);
        return vb::Variant(d);
      }
      break;
    case DataType::Date:
    case DataType::DBTimeStamp:
      if (storage == SQLITE_TEXT) {
        if (auto d = vb::FromIsoText(TextView(v))) return vb::Variant(*d);
        break;
      }
      // A number outside the dates' range is error 6, as in every conversion.
      if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
        return vb::Variant(vb::CDate(vb::Variant(sqlite3_value_double(v))));
      break;
    case DataType::Boolean:
      if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT) return vb::Variant(sqlite3_value_double(v) != 0);
      break;
    case DataType::Char:
    case DataType::WChar:
    case DataType::VarChar:
    case DataType::LongVarChar:
    case DataType::VarWChar:
    case DataType::LongVarWChar:
      if (storage == SQLITE_TEXT) return vb::Variant(std::string(TextView(v)));
      return vb::Variant(vb::TextOf(StoredValue(v, storage)));
    default:
      break;
  }
  // A value stored in another kind than its column declares is handed out as
  // it is stored.
  return StoredValue(v, storage);
}

}  // namespace db

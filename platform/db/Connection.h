#pragma once
// A connection to the working database (an SQLite file). Opened from a
// connection string of the form "...;Data Source=<path>;..." (other parts are
// ignored). Statements run synchronously; values are always bound as
// parameters, never written into the SQL text.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "db/Types.h"
#include "vb/Variant.h"

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_mutex;

namespace db {

class Connection;
using ConnectionPtr = std::shared_ptr<Connection>;
// The result columns of a query as a record set reads them (RecordsetDetail.h).
struct ResultColumns;

enum class ObjectState { Closed = 0, Open = 1 };

// Holds a connection's lock for a scope, so that binding or reading many
// values takes it once instead of once for every value (the database takes
// it again inside without waiting).
class ConnectionLock {
 public:
  explicit ConnectionLock(sqlite3* db);
  ~ConnectionLock();
  ConnectionLock(const ConnectionLock&) = delete;
  ConnectionLock& operator=(const ConnectionLock&) = delete;

 private:
  sqlite3_mutex* mutex_;
};

// A prepared statement owned by a connection's cache; reset on release.
class Statement {
 public:
  Statement() = default;
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&& other) noexcept;
  ~Statement();

  sqlite3_stmt* get() const { return stmt_; }
  explicit operator bool() const { return stmt_ != nullptr; }

  // Binds the values to the statement's parameters in order.
  void Bind(const std::vector<vb::Variant>& params);
  void Bind(int index, const vb::Variant& value);  // index from 1
  // Steps once: true when a row is ready, false when done; raises the
  // database's error as a VbError.
  bool Step();
  // Makes the statement ready to run again with new values.
  void Reset();

  // The result columns a record set read of this statement, kept with it in
  // the connection's cache so that the next query of the same text skips
  // reading them again; null until kept, and once the database has prepared
  // the statement anew (a table's layout changed, and with it maybe the
  // columns). Ask after the first Step, which is when that happens.
  std::shared_ptr<const ResultColumns> KeptColumns() const;
  void KeepColumns(std::shared_ptr<const ResultColumns> columns);

 private:
  friend class Connection;
  Statement(Connection* owner, sqlite3_stmt* stmt, std::string sql, std::shared_ptr<const ResultColumns> columns = {},
            int columnsPrepared = -1);
  Connection* owner_ = nullptr;
  sqlite3_stmt* stmt_ = nullptr;
  std::string sql_;
  std::shared_ptr<const ResultColumns> columns_;
  int columnsPrepared_ = -1;  // the database's count of new preparations when the columns were kept
};

class Connection : public std::enable_shared_from_this<Connection> {
 public:
  Connection() = default;
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  static ConnectionPtr Create() { return std::make_shared<Connection>(); }
  // A new open connection.
  static ConnectionPtr OpenNew(const std::string& connectionString);

  // The connection string of the working database file at `path`:
  // "Provider=SQLite;Data Source=<path>;Persist Security Info=False". A path
  // that holds ";", a quote or blanks at either end is written between double
  // quotes, with its own double quotes doubled. The one place that builds it.
  static std::string ConnectionStringFor(std::string_view path);
  // The path named by "Data Source=" in a connection string (blanks around
  // it removed, quotes taken off); empty when there is none.
  static std::string DataSourceOf(std::string_view connectionString);

  void ConnectionString(std::string value) { connectionString_ = std::move(value); }
  const std::string& ConnectionString() const { return connectionString_; }

  // Opens the file that the connection string names (error 3709 when it
  // names none, the database's error when the file is missing or not a
  // database, error -2147467259 for a path holding a NUL character). The file must exist: a connection never creates one unless
  // asked with createIfMissing.
  void Open(const std::string& connectionString = {}, bool createIfMissing = false);
  void Close();
  ObjectState State() const { return db_ ? ObjectState::Open : ObjectState::Closed; }
  const std::string& Path() const { return path_; }

  // Runs a statement that returns no rows and answers the rows affected.
  long long Execute(std::string_view sql, const std::vector<vb::Variant>& params = {});
  // Runs several statements separated by ";" with no parameters (scripts).
  void ExecuteScript(std::string_view sql);
  // The first column of the first row, or Empty when there is no row.
  vb::Variant Scalar(std::string_view sql, const std::vector<vb::Variant>& params = {});

  // Transactions nest: the outermost begins a transaction that takes the
  // write lock at once (so that the busy timeout applies to it), inner levels
  // are savepoints. Answers the new nesting level (1 for the outermost).
  // Code that changes data uses the scoped Transaction below.
  int BeginTrans();
  void CommitTrans();
  void RollbackTrans();
  int TransactionLevel() const { return transLevel_; }

  // Attaches another database file under a schema name.
  void Attach(const std::string& path, const std::string& schemaName);
  void Detach(const std::string& schemaName);

  // A prepared statement for the SQL text, from the connection's cache.
  Statement Prepare(std::string_view sql);
  long long LastInsertRowId() const;
  long long Changes() const;
  sqlite3* Handle() const { return db_; }

  // Raises the connection's last error as a VbError with a number that
  // callers can test (constraint -2147217873, statement -2147217900, other
  // -2147467259) and the database's message.
  [[noreturn]] void RaiseLastError(std::string_view context = {}) const;

 private:
  friend class Statement;
  // A statement of the cache, with the result columns kept with it.
  struct Cached {
    sqlite3_stmt* stmt;
    std::shared_ptr<const ResultColumns> columns;
    int columnsPrepared;
  };
  void Release(Statement& stmt);
  void RequireOpen() const;

  sqlite3* db_ = nullptr;
  std::string connectionString_;
  std::string path_;
  int transLevel_ = 0;
  std::unordered_multimap<std::string, Cached> cache_;
};

// A transaction for one scope: the constructor begins it (a savepoint when
// the connection is already in a transaction), Commit commits it, and the
// destructor rolls it back unless it was committed. Every operation that
// changes data in more than one step runs under one:
//
//   db::Transaction trans(conn);
//   ... statements ...
//   trans.Commit();
class Transaction {
 public:
  explicit Transaction(Connection& conn);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void Commit();

 private:
  Connection& conn_;
  int level_;
  bool done_ = false;
};

// Binds one value: Null/Empty as NULL, Boolean -1/0, whole numbers as
// integers, Double/Currency/Decimal as reals, Date as "YYYY-MM-DD HH:MM:SS",
// texts as UTF-8.
void BindValue(sqlite3_stmt* stmt, int index, const vb::Variant& value);

// Reads one column of the current result row as a value of the given field
// type (a database integer in a CURRENCY column becomes Currency, ISO text in
// a DATETIME column becomes a Date); Variant takes the stored kind.
vb::Variant ReadValue(sqlite3_stmt* stmt, int column, DataType type);

// Quotes a name for SQL text: "name" with inner quotes doubled. Use it for
// table and column names taken from the catalogue, never for values.
std::string QuoteName(std::string_view name);

}  // namespace db

#include "clsDataAccess.h"

#include "clsMyAdoUtils.h"
#include "db/Catalog.h"
#include "modGlobals.h"
#include "zelErrHandler.h"

namespace {

constexpr const char* kModule = "clsDataAccess";

// The connection a call works on: the one given; else the shared connection
// when the text names the working database; else one of the call's own to
// the other file, closed when the last reference to it goes.
db::ConnectionPtr ConnectionFor(const db::ConnectionPtr& given, const std::string& strConnect) {
  if (given) return given;
  if (modGlobals::gobjAdoUtils && modGlobals::gobjAdoUtils->IsWorkingDatabase(strConnect))
    return modGlobals::SharedConnection();
  return db::Connection::OpenNew(strConnect);
}

}  // namespace

db::RecordsetPtr clsDataAccess::GetRecordset(const std::string& strSQLQuery, const std::string& strConnect,
                                             db::ConnectionPtr objConnection, bool blnLeaveConnected, int CursorLoc,
                                             int CursorType, int LockType, int /*CmdType*/) {
  db::RecordsetPtr result;
  Trap trap(kModule, "GetRecordset");
  trap([&] {
    db::ConnectionPtr conn = ConnectionFor(objConnection, strConnect);
    auto rs = db::Recordset::Create();
    rs->CursorLocation(static_cast<db::CursorLocation>(CursorLoc));
    rs->CursorType(static_cast<db::CursorType>(CursorType));
    rs->LockType(static_cast<db::LockType>(LockType));
    rs->Open(strSQLQuery, conn);
    if (!blnLeaveConnected) rs->ActiveConnection(nullptr);
    result = rs;
  });
  return result;
}

db::RecordsetPtr clsDataAccess::GetRecordset(const std::string& strSQLQuery, const std::vector<vb::Variant>& params,
                                             const std::string& strConnect, db::ConnectionPtr objConnection) {
  db::RecordsetPtr result;
  Trap trap(kModule, "GetRecordset");
  trap([&] {
    auto rs = db::Recordset::Query(strSQLQuery, ConnectionFor(objConnection, strConnect), params);
    rs->ActiveConnection(nullptr);
    result = rs;
  });
  return result;
}

void clsDataAccess::SubmitRecordset(db::Recordset& rsSet, const std::string& strConnect,
                                    db::ConnectionPtr objConnection) {
  db::ConnectionPtr conn = ConnectionFor(objConnection, strConnect);
  // The record set is connected only for the write, whatever happens.
  struct Disconnect {
    db::Recordset& rs;
    ~Disconnect() { rs.ActiveConnection(nullptr); }
  } disconnect{rsSet};
  rsSet.ActiveConnection(conn);
  rsSet.UpdateBatch();
}

bool clsDataAccess::ExecuteQuery(const std::string& strSQLQuery, const std::string& strConnect,
                                 db::ConnectionPtr objConnection) {
  return ExecuteQuery(strSQLQuery, {}, strConnect, std::move(objConnection));
}

bool clsDataAccess::ExecuteQuery(const std::string& strSQLQuery, const std::vector<vb::Variant>& params,
                                 const std::string& strConnect, db::ConnectionPtr objConnection) {
  db::ConnectionPtr conn;
  bool ran = false;
  Trap trap(kModule, "ExecuteQuery");
  // The statement needs the connection: after a failed open nothing follows.
  if (!trap([&] { conn = ConnectionFor(objConnection, strConnect); })) return false;
  trap([&] {
    conn->Execute(strSQLQuery, params);
    ran = true;
  });
  return ran;
}

bool clsDataAccess::ZapTable(const std::string& sTable, const std::string& strConnect, const std::string& sWhere,
                             const std::vector<vb::Variant>& params) {
  bool deleted = false;
  Trap trap(kModule, "ZapTable");
  trap([&] {
    db::ConnectionPtr conn = ConnectionFor(nullptr, strConnect);
    const std::string table = db::catalog::RequireSqlName(*conn, sTable);
    std::string sql = "DELETE FROM " + table;
    if (!sWhere.empty()) sql += " WHERE " + sWhere;
    deleted = ExecuteQuery(sql, params, strConnect, conn);
  });
  return deleted;
}

void clsDataAccess::AddTable(db::Connection& dbsNew, const std::string& TableName) {
  Trap trap(kModule, "AddTable");
  trap([&] {
    db::Connection& cat = modGlobals::AdoUtils().cat();
    db::catalog::RequireSqlName(cat, TableName);  // a missing table is the statement error
    const std::string table = db::catalog::TableName(cat, TableName);
    std::string columns;
    for (const db::ColumnInfo& column : db::catalog::Columns(cat, table)) {
      if (!columns.empty()) columns += ", ";
      std::string declared = column.type == db::DataType::Numeric ? std::string("DOUBLE") : column.declaredType;
      columns += db::QuoteName(column.name) + (declared.empty() ? "" : " " + declared);
      if (column.type == db::DataType::VarWChar || column.type == db::DataType::LongVarWChar) columns += " COLLATE NOCASE";
    }
    std::string key;
    for (const std::string& name : db::catalog::PrimaryKey(cat, table)) key += (key.empty() ? "" : ", ") + db::QuoteName(name);
    if (!key.empty()) columns += ", PRIMARY KEY (" + key + ")";
    dbsNew.Execute("CREATE TABLE " + db::QuoteName(table) + " (" + columns + ")");
  });
}

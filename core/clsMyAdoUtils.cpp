#include "clsMyAdoUtils.h"

#include <algorithm>
#include <filesystem>

#include "clsTableCols.h"
#include "db/Catalog.h"
#include "modGlobals.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

namespace {
constexpr const char* kModule = "clsMyAdoUtils";
}

clsMyAdoUtils::clsMyAdoUtils() {
  Trap trap(kModule, "Class_Initialize");
  trap([&] { conn_ = db::Connection::Create(); });
  trap([&] { ConnectionString = ConnectionStringFor(modGlobals::GlobalParam().MDBFile()); });
  trap([&] { modGlobals::gstrConnectionString = ConnectionString; });
}

bool clsMyAdoUtils::IsWorkingDatabase(const std::string& connectionString) const {
  const std::string path = db::Connection::DataSourceOf(connectionString);
  const std::string own = db::Connection::DataSourceOf(ConnectionString);
  if (path.empty() || own.empty()) return false;
  if (path == own) return true;
  std::error_code ec;
  return std::filesystem::equivalent(path, own, ec);
}

vb::Variant clsMyAdoUtils::ResetMDBFile(std::string& strMDBFileName) {
  Trap trap(kModule, "ResetMDBFile");
  trap([&] {
    if (strMDBFileName.empty()) strMDBFileName = modGlobals::GlobalParam().MDBFile();
  });
  trap([&] {
    conn_ = db::Connection::Create();
    ConnectionString = ConnectionStringFor(strMDBFileName);
  });
  return {};
}

db::RecordsetPtr clsMyAdoUtils::getNewRecordSet() {
  db::RecordsetPtr rs;
  Trap trap(kModule, "getNewRecordSet");
  trap([&] {
    rs = db::Recordset::Create();
    rs->CursorType(db::CursorType::Dynamic);
    rs->CursorLocation(db::CursorLocation::Client);
    rs->LockType(db::LockType::Pessimistic);
  });
  return rs;
}

db::Connection& clsMyAdoUtils::cat() { return vb::Deref(Conn()); }

db::ConnectionPtr clsMyAdoUtils::Conn() {
  Trap trap(kModule, "Conn[Get]");
  trap([&] {
    if (!conn_ || conn_->State() != db::ObjectState::Open) OpenConn();
  });
  return conn_;
}

void clsMyAdoUtils::Conn(db::ConnectionPtr aConn) {
  Trap trap(kModule, "Conn[Set]");
  trap([&] { conn_ = std::move(aConn); });
}

void clsMyAdoUtils::OpenConn() {
  Trap trap(kModule, "OpenConn");
  trap([&] {
    conn_ = db::Connection::Create();
    conn_->Open(ConnectionString);
  });
}

void clsMyAdoUtils::CloseConn() {
  Trap trap(kModule, "CloseConn");
  trap([&] {
    if (conn_ && conn_->State() == db::ObjectState::Open) conn_->Close();
  });
}

MyCollectionPtr clsMyAdoUtils::getTables() {
  auto list = clsMyCollection::New();
  Trap trap(kModule, "getTables");
  trap([&] { list = clsMyCollection::Of(db::catalog::Tables(cat())); });
  return list;
}

MyCollectionPtr clsMyAdoUtils::getFields(const std::string& TableName) {
  auto list = clsMyCollection::New();
  Trap trap(kModule, "getFields");
  trap([&] { list = clsMyCollection::Of(db::catalog::ColumnNames(cat(), TableName)); });
  return list;
}

MyCollectionPtr clsMyAdoUtils::getPKFields(const std::string& TableName) {
  MyCollectionPtr list;
  Trap trap(kModule, "getPKFields");
  trap([&] { list = clsTableCols().getPKeys(TableName); });
  return list;
}

std::string clsMyAdoUtils::TypeClass(db::DataType type) {
  switch (type) {
    case db::DataType::SmallInt:
    case db::DataType::Integer:
    case db::DataType::Single:
    case db::DataType::Double:
    case db::DataType::Currency:
    case db::DataType::Decimal:
    case db::DataType::TinyInt:
    case db::DataType::UnsignedTinyInt:
    case db::DataType::BigInt:
    case db::DataType::Numeric:
      return "NUMBER";
    case db::DataType::Date:
    case db::DataType::DBTimeStamp:
      return "DATE";
    case db::DataType::Char:
    case db::DataType::WChar:
    case db::DataType::VarChar:
    case db::DataType::LongVarChar:
    case db::DataType::VarWChar:
    case db::DataType::LongVarWChar:
      return "STRING";
    default:
      return "OTHER";
  }
}

std::string clsMyAdoUtils::getFieldDataType(const std::string& TableName, const std::string& FieldName) {
  std::string kind;
  Trap trap(kModule, "getFieldDataType");
  trap([&] {
    if (TableName.empty() || FieldName.empty()) {
      kind = "NA";
      return;
    }
    for (const db::ColumnInfo& column : db::catalog::Columns(cat(), TableName)) {
      if (vb::TextEquals(column.name, FieldName)) {
        kind = TypeClass(column.type);
        return;
      }
    }
    throw vb::VbError(vb::err::ItemNotFound,
                      vb::ErrorDescription(vb::err::ItemNotFound) + " (" + TableName + "." + FieldName + ")");
  });
  return kind;
}

std::string clsMyAdoUtils::getFieldDataTypeNew(const db::Field& Field) {
  std::string kind;
  Trap trap(kModule, "getFieldDataTypeNew");
  trap([&] { kind = Field.Value().IsNull() ? "NA" : TypeClass(Field.Type()); });
  return kind;
}

vb::Variant clsMyAdoUtils::Dlookup(const std::string& fld, const std::string& Tname, const std::string& whereclause) {
  vb::Variant value;
  Trap trap(kModule, "Dlookup");
  trap([&] {
    db::Connection& conn = vb::Deref(Conn());
    // The names enter the statement only as the catalogue knows them: the
    // table, and the column that `fld` names from its tenth character on,
    // after a lead of nine characters that may only ask for DISTINCT rows.
    const std::string table = db::catalog::RequireSqlName(conn, Tname);
    const std::string lead = vb::Trim(vb::Left(fld, 9));
    if (!lead.empty() && !vb::TextEquals(lead, "DISTINCT")) vb::Raise(vb::err::InvalidProcedureCall);
    const std::string column = vb::Mid(fld, 10);
    const std::vector<std::string> columns = db::catalog::ColumnNames(conn, Tname);
    if (std::none_of(columns.begin(), columns.end(), [&](const std::string& c) { return vb::TextEquals(c, column); }))
      vb::Raise(vb::err::ItemNotFound);
    const db::RecordsetPtr rs = getNewRecordSet();
    vb::Deref(rs).Open("Select " + std::string(lead.empty() ? "" : "DISTINCT ") + db::QuoteName(column) + " from " +
                           table + " where " + whereclause,
                       Conn());
    value = rs->Value(column);
  });
  return value;
}

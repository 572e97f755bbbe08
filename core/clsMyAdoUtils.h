#pragma once
// The database utility object: composes the working database's connection
// string, owns the one long-lived connection, hands out record sets with
// fixed settings and answers schema questions. The program-wide instance is
// modGlobals::gobjAdoUtils; every write of the program runs on its
// connection, so that a caller's transaction covers it.

#include <string>

#include "clsMyCollection.h"
#include "db/Connection.h"
#include "db/Recordset.h"

class clsMyAdoUtils {
 public:
  // Composes the connection string for the working database and stores it
  // in gstrConnectionString too. Does not open the connection.
  clsMyAdoUtils();

  // The connection string: "Provider=SQLite;Data Source=<path>;Persist
  // Security Info=False" (db::Connection::ConnectionStringFor builds it).
  std::string ConnectionString;
  static std::string ConnectionStringFor(const std::string& path) { return db::Connection::ConnectionStringFor(path); }
  // True when the connection string names the file of this object's
  // connection: calls given that string then work on Conn.
  bool IsWorkingDatabase(const std::string& connectionString) const;

  // Points the object at another database file (the working one when the
  // name is empty, which is then written back into the argument). The next
  // Conn opens it.
  vb::Variant ResetMDBFile(std::string& strMDBFileName);
  // A new, unopened record set: dynamic cursor, client side, pessimistic
  // locking (so that its changes are written at once).
  db::RecordsetPtr getNewRecordSet();
  // The schema catalogue: the open connection (opened when needed).
  db::Connection& cat();
  // The main connection, reopened when it is found closed.
  db::ConnectionPtr Conn();
  void Conn(db::ConnectionPtr aConn);
  void OpenConn();
  void CloseConn();
  MyCollectionPtr getTables();
  MyCollectionPtr getFields(const std::string& TableName);
  MyCollectionPtr getPKFields(const std::string& TableName);
  // "NUMBER", "DATE", "STRING" or "OTHER" by the column's type; "NA" when a
  // name is empty.
  std::string getFieldDataType(const std::string& TableName, const std::string& FieldName);
  // The same classes for a record-set field; "NA" when its value is Null.
  std::string getFieldDataTypeNew(const db::Field& Field);
  // The value of one column of the first row of "Select <fld> from <Tname>
  // where <whereclause>"; the column is named by `fld` from its tenth
  // character on, after a lead of nine characters that is blank or asks for
  // DISTINCT rows. The table and the column must be the database's (they go
  // through the catalogue: an unknown one is reported, error 3265 for a
  // column). The where clause is program text, never a value from a user or
  // a file: values do not belong in it.
  vb::Variant Dlookup(const std::string& fld, const std::string& Tname, const std::string& whereclause);

  // The class of a field type code, as getFieldDataType answers it.
  static std::string TypeClass(db::DataType type);

 private:
  db::ConnectionPtr conn_;
};

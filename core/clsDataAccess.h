#pragma once
// The data-access class: opens queries as record sets (by default
// disconnected, with changes kept until they are submitted), writes the
// changes of such a record set back in one transaction, runs action
// statements and empties tables. An instance keeps nothing between calls.
//
// Every member opens its own connection from the connection string when no
// connection is given, and closes it before it returns.

#include <string>
#include <vector>

#include "db/Connection.h"
#include "db/Recordset.h"

class clsDataAccess {
 public:
  // The rows of a query. Unless `blnLeaveConnected`, the record set comes
  // back disconnected; its changes reach the database only through
  // SubmitRecordset. Answers no record set after a reported failure.
  db::RecordsetPtr GetRecordset(const std::string& strSQLQuery, const std::string& strConnect,
                                db::ConnectionPtr objConnection = nullptr, bool blnLeaveConnected = false,
                                int CursorLoc = 3, int CursorType = 3, int LockType = 4, int CmdType = 1);
  // The same with values bound to the query's "?" parameters.
  db::RecordsetPtr GetRecordset(const std::string& strSQLQuery, const std::vector<vb::Variant>& params,
                                const std::string& strConnect, db::ConnectionPtr objConnection = nullptr);

  // Writes every change of a disconnected record set in one transaction. On
  // failure nothing is written, the changes stay pending in the record set
  // and the error is raised to the caller, whose trap reports it.
  void SubmitRecordset(db::Recordset& rsSet, const std::string& strConnect,
                       db::ConnectionPtr objConnection = nullptr);

  // Runs an action statement; a failure is reported here. Answers whether
  // the statement ran.
  bool ExecuteQuery(const std::string& strSQLQuery, const std::string& strConnect,
                    db::ConnectionPtr objConnection = nullptr);
  bool ExecuteQuery(const std::string& strSQLQuery, const std::vector<vb::Variant>& params,
                    const std::string& strConnect, db::ConnectionPtr objConnection = nullptr);

  // Deletes the rows of a table (those meeting the condition `sWhere` when
  // it is given, with its "?" values in `params`). The table must be one of
  // the database's. Answers False when the rows could not be deleted.
  bool ZapTable(const std::string& sTable, const std::string& strConnect, const std::string& sWhere = {},
                const std::vector<vb::Variant>& params = {});

  std::string GetConnectionString() { return {}; }
  db::ConnectionPtr GetConnection(const std::string& /*strConnect*/) { return nullptr; }
  void CloseConnection(const db::ConnectionPtr& /*objConnection*/) {}

  // Creates in `dbsNew` an empty table with the columns and primary key of
  // a table of the working database (numeric columns become DOUBLE).
  void AddTable(db::Connection& dbsNew, const std::string& TableName);
};

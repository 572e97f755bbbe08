#pragma once
// The data-access class: opens queries as record sets (by default
// disconnected, with changes kept until they are submitted), writes the
// changes of such a record set back in one transaction, runs action
// statements and empties tables. An instance keeps nothing between calls.
//
// Each member works on the connection it is given; without one, on the
// program's shared connection when the connection string names the working
// database (so that a caller's transaction covers the call), and only for
// another file on a connection of its own, closed before it returns.

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

  // Writes every change of a disconnected record set in one transaction (a
  // savepoint of the caller's, when there is one). A failure, opening the
  // connection included, is raised once to the caller, whose trap reports
  // it: nothing is written and the changes stay pending in the record set.
  void SubmitRecordset(db::Recordset& rsSet, const std::string& strConnect,
                       db::ConnectionPtr objConnection = nullptr);

  // Runs an action statement; a failure is reported here. Answers whether
  // the statement ran. When the connection cannot be opened, that is the
  // one failure reported and the call ends.
  bool ExecuteQuery(const std::string& strSQLQuery, const std::string& strConnect,
                    db::ConnectionPtr objConnection = nullptr);
  bool ExecuteQuery(const std::string& strSQLQuery, const std::vector<vb::Variant>& params,
                    const std::string& strConnect, db::ConnectionPtr objConnection = nullptr);

  // Deletes the rows of a table (those meeting the condition `sWhere` when
  // it is given, with its "?" values in `params`). The table must be one of
  // the database's ("schema.table" for an attached one). Answers False when
  // the rows could not be deleted.
  bool ZapTable(const std::string& sTable, const std::string& strConnect, const std::string& sWhere = {},
                const std::vector<vb::Variant>& params = {});

  // Creates in `dbsNew` an empty table with the columns and primary key of
  // a table of the working database (numeric columns become DOUBLE).
  void AddTable(db::Connection& dbsNew, const std::string& TableName);
};

#pragma once
// The schema catalogue of a database: tables, columns in ordinal order and
// primary-key columns in key order. Names are matched without regard to
// case and answered as the database writes them. A table may be named with
// its schema, "other.T" for the table T of the attached database "other"
// ("main" is the working file); a bare name is looked up as the database
// resolves it in SQL.

#include <string>
#include <string_view>
#include <vector>

#include "db/Connection.h"
#include "db/Types.h"

namespace db {

struct ColumnInfo {
  std::string name;
  std::string declaredType;  // as written in the table's definition, e.g. "VARCHAR(50)"
  DataType type = DataType::Variant;
  long definedSize = 0;
  bool notNull = false;
  int keyPosition = 0;  // 1.. for primary-key columns in key order, 0 otherwise
  bool hasDefault = false;
  std::string defaultExpression;  // the SQL expression of the default, empty when there is none
};

namespace catalog {

// User tables in name order (the database's own tables left out).
std::vector<std::string> Tables(Connection& conn);
bool TableExists(Connection& conn, std::string_view table);
// The table's name as the database writes it, with the schema when one was
// given ("other.T"); empty when there is none.
std::string TableName(Connection& conn, std::string_view table);
// The table's name for SQL text: quoted, with its schema when one was given
// ("other"."T"); empty when there is no such table. Use it for table names
// that come from callers or files.
std::string SqlName(Connection& conn, std::string_view table);
// The same for a table that must exist: a missing table is the statement
// error (-2147217900) "The database has no table named '<table>'.".
std::string RequireSqlName(Connection& conn, std::string_view table);
// Columns in ordinal order; empty for an unknown table.
std::vector<ColumnInfo> Columns(Connection& conn, std::string_view table);
std::vector<std::string> ColumnNames(Connection& conn, std::string_view table);
// Primary-key column names in key order; empty for an unknown table or a
// table without a primary key.
std::vector<std::string> PrimaryKey(Connection& conn, std::string_view table);

}  // namespace catalog
}  // namespace db

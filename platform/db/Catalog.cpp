#include "db/Catalog.h"

#include <sqlite3.h>

#include <algorithm>

namespace db::catalog {
namespace {

std::string ColumnText(sqlite3_stmt* stmt, int col) {
  const unsigned char* text = sqlite3_column_text(stmt, col);
  return text ? std::string(reinterpret_cast<const char*>(text)) : std::string();
}

}  // namespace

std::vector<std::string> Tables(Connection& conn) {
  std::vector<std::string> names;
  Statement stmt = conn.Prepare(
      "SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
      "ORDER BY name COLLATE NOCASE");
  while (stmt.Step()) names.push_back(ColumnText(stmt.get(), 0));
  return names;
}

std::string TableName(Connection& conn, std::string_view table) {
  Statement stmt = conn.Prepare(
      "SELECT name FROM sqlite_schema WHERE type IN ('table', 'view') AND name = ? COLLATE NOCASE");
  stmt.Bind(1, vb::Variant(table));
  return stmt.Step() ? ColumnText(stmt.get(), 0) : std::string();
}

bool TableExists(Connection& conn, std::string_view table) { return !TableName(conn, table).empty(); }

std::vector<ColumnInfo> Columns(Connection& conn, std::string_view table) {
  std::vector<ColumnInfo> columns;
  // The table-valued form of table_info takes the name as a bound value.
  Statement stmt = conn.Prepare(
      "SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?) ORDER BY cid");
  stmt.Bind(1, vb::Variant(table));
  while (stmt.Step()) {
    ColumnInfo info;
    info.name = ColumnText(stmt.get(), 0);
    info.declaredType = ColumnText(stmt.get(), 1);
    info.type = TypeOfDeclared(info.declaredType, &info.definedSize);
    info.notNull = sqlite3_column_int(stmt.get(), 2) != 0;
    info.defaultExpression = ColumnText(stmt.get(), 3);
    info.hasDefault = sqlite3_column_type(stmt.get(), 3) != SQLITE_NULL;
    info.keyPosition = sqlite3_column_int(stmt.get(), 4);
    columns.push_back(std::move(info));
  }
  return columns;
}

std::vector<std::string> ColumnNames(Connection& conn, std::string_view table) {
  std::vector<std::string> names;
  for (ColumnInfo& c : Columns(conn, table)) names.push_back(std::move(c.name));
  return names;
}

std::vector<std::string> PrimaryKey(Connection& conn, std::string_view table) {
  std::vector<ColumnInfo> columns = Columns(conn, table);
  std::vector<const ColumnInfo*> keys;
  for (const ColumnInfo& c : columns)
    if (c.keyPosition > 0) keys.push_back(&c);
  std::sort(keys.begin(), keys.end(),
            [](const ColumnInfo* a, const ColumnInfo* b) { return a->keyPosition < b->keyPosition; });
  std::vector<std::string> names;
  for (const ColumnInfo* c : keys) names.push_back(c->name);
  return names;
}

}  // namespace db::catalog

#include "db/Catalog.h"

#include <sqlite3.h>

#include <algorithm>

#include "vb/VbError.h"

namespace db::catalog {
namespace {

std::string ColumnText(sqlite3_stmt* stmt, int col) {
  const unsigned char* text = sqlite3_column_text(stmt, col);
  return text ? std::string(reinterpret_cast<const char*>(text)) : std::string();
}

// A table name split into its schema (empty when none was given) and the
// table. "a.b" is split only when "a" names a database of the connection.
struct TableRef {
  std::string schema;
  std::string table;
};

TableRef Split(Connection& conn, std::string_view name) {
  const std::size_t dot = name.find('.');
  if (dot != std::string_view::npos) {
    Statement stmt = conn.Prepare("SELECT name FROM pragma_database_list WHERE name = ? COLLATE NOCASE");
    stmt.Bind(1, vb::Variant(name.substr(0, dot)));
    if (stmt.Step()) return {ColumnText(stmt.get(), 0), std::string(name.substr(dot + 1))};
  }
  return {{}, std::string(name)};
}

// The schema that holds the table: the one given, else the first database
// in which the name resolves; empty when there is no such table.
TableRef Resolve(Connection& conn, std::string_view name) {
  TableRef ref = Split(conn, name);
  // Given the name, the pragma lists that table alone (its case ignored),
  // not every table of every schema: a run that names many tables stays
  // linear.
  Statement stmt = conn.Prepare(
      "SELECT schema, name FROM pragma_table_list(?1) WHERE type IN ('table', 'view') AND name = ?1 COLLATE NOCASE "
      "AND (? IS NULL OR schema = ? COLLATE NOCASE) "
      "ORDER BY CASE schema WHEN 'temp' THEN 0 WHEN 'main' THEN 1 ELSE 2 END");
  const vb::Variant schema = ref.schema.empty() ? vb::Null : vb::Variant(ref.schema);
  stmt.Bind({vb::Variant(ref.table), schema, schema});
  if (!stmt.Step()) return {};
  return {ref.schema.empty() ? std::string() : ColumnText(stmt.get(), 0), ColumnText(stmt.get(), 1)};
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
  const TableRef ref = Resolve(conn, table);
  return ref.schema.empty() ? ref.table : ref.schema + "." + ref.table;
}

std::string SqlName(Connection& conn, std::string_view table) {
  const TableRef ref = Resolve(conn, table);
  if (ref.table.empty()) return {};
  return ref.schema.empty() ? QuoteName(ref.table) : QuoteName(ref.schema) + "." + QuoteName(ref.table);
}

std::string RequireSqlName(Connection& conn, std::string_view table) {
  std::string name = SqlName(conn, table);
  if (name.empty())
    throw vb::VbError(vb::err::SqlError, "The database has no table named '" + std::string(table) + "'.");
  return name;
}

bool TableExists(Connection& conn, std::string_view table) { return !TableName(conn, table).empty(); }

std::vector<ColumnInfo> Columns(Connection& conn, std::string_view table) {
  std::vector<ColumnInfo> columns;
  // The table-valued form of table_info takes the name and the schema as
  // bound values.
  const TableRef ref = Split(conn, table);
  Statement stmt = conn.Prepare(
      ref.schema.empty() ? "SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?) ORDER BY cid"
                         : "SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?, ?) ORDER BY cid");
  stmt.Bind(1, vb::Variant(ref.table));
  if (!ref.schema.empty()) stmt.Bind(2, vb::Variant(ref.schema));
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

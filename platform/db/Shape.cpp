#include "db/Shape.h"

#include <map>
#include <memory>

#include "vb/VbError.h"

namespace db {
namespace {

using Values = std::vector<vb::Variant>;

// The rows of a set in its view order (filter and sort applied), read
// without moving its current row.
std::vector<Values> RowsOf(const Recordset& rs) {
  std::vector<Values> rows;
  const long count = rs.RecordCount();
  const int fields = rs.FieldCount();
  rows.reserve(static_cast<std::size_t>(count));
  for (long pos = 1; pos <= count; ++pos) {
    Values& row = rows.emplace_back();
    row.reserve(static_cast<std::size_t>(fields));
    for (int i = 0; i < fields; ++i) row.push_back(rs.ValueAt(pos, i));
  }
  return rows;
}

std::vector<FieldMeta> FieldsOf(const Recordset& rs) {
  std::vector<FieldMeta> fields;
  for (int i = 0; i < rs.FieldCount(); ++i) fields.push_back(rs.FieldInfo(i));
  return fields;
}

int RequireColumn(const Recordset& rs, std::string_view name) {
  const int index = rs.FieldIndex(name);
  if (index < 0) {
    throw vb::VbError(vb::err::ItemNotFound,
                      "The record set has no field named '" + std::string(name) + "' to shape by.");
  }
  return index;
}

FieldMeta ChapterField(std::string_view name) {
  FieldMeta meta;
  meta.name = std::string(name);
  meta.type = DataType::Chapter;
  return meta;
}

// Null first, then the classic comparison ignoring letter case.
int CompareValues(const vb::Variant& a, const vb::Variant& b) {
  if (a.IsNull() || b.IsNull()) return a.IsNull() == b.IsNull() ? 0 : (a.IsNull() ? -1 : 1);
  return *vb::Compare(a, b, vb::CompareMethod::Text);
}

struct TupleLess {
  bool operator()(const Values& a, const Values& b) const {
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (const int c = CompareValues(a[i], b[i]); c != 0) return c < 0;
    }
    return false;
  }
};

const RecordsetPtr& Require(const RecordsetPtr& rs) {
  if (!rs || rs->State() != ObjectState::Open) vb::Raise(vb::err::ObjectClosed);
  return rs;
}

}  // namespace

RecordsetPtr ComputeBy(const RecordsetPtr& child, const std::vector<std::string>& columns,
                       std::string_view chapterName) {
  const Recordset& rs = *Require(child);
  std::vector<int> keys;
  for (const std::string& column : columns) keys.push_back(RequireColumn(rs, column));

  // Each group's tuple (as its first row has it) and its rows, in order.
  std::map<Values, std::vector<Values>, TupleLess> groups;
  for (Values& row : RowsOf(rs)) {
    Values tuple;
    for (int k : keys) tuple.push_back(row[static_cast<std::size_t>(k)]);
    groups[std::move(tuple)].push_back(std::move(row));
  }

  std::vector<FieldMeta> fields{ChapterField(chapterName)};
  for (int k : keys) fields.push_back(rs.FieldInfo(k));
  const std::vector<FieldMeta> childFields = FieldsOf(rs);
  std::vector<Values> parents;
  for (auto& [tuple, rows] : groups) {
    Values parent{vb::Variant(std::make_shared<Chapter>(Recordset::FromRows(childFields, std::move(rows))))};
    parent.insert(parent.end(), tuple.begin(), tuple.end());
    parents.push_back(std::move(parent));
  }
  return Recordset::FromRows(std::move(fields), std::move(parents));
}

RecordsetPtr AppendRelate(const RecordsetPtr& parent, const RecordsetPtr& child, std::string_view parentColumn,
                          std::string_view childColumn, std::string_view chapterName) {
  const Recordset& p = *Require(parent);
  const Recordset& c = *Require(child);
  const auto parentKey = static_cast<std::size_t>(RequireColumn(p, parentColumn));
  const auto childKey = static_cast<std::size_t>(RequireColumn(c, childColumn));

  const std::vector<Values> childRows = RowsOf(c);
  const std::vector<FieldMeta> childFields = FieldsOf(c);
  std::vector<Values> rows = RowsOf(p);
  for (Values& row : rows) {
    const vb::Variant& key = row[parentKey];
    std::vector<Values> related;
    if (!key.IsNull()) {
      for (const Values& candidate : childRows) {
        const vb::Variant& value = candidate[childKey];
        if (!value.IsNull() && CompareValues(key, value) == 0) related.push_back(candidate);
      }
    }
    row.emplace_back(std::make_shared<Chapter>(Recordset::FromRows(childFields, std::move(related))));
  }
  std::vector<FieldMeta> fields = FieldsOf(p);
  fields.push_back(ChapterField(chapterName));
  return Recordset::FromRows(std::move(fields), std::move(rows));
}

RecordsetPtr ChapterRows(const vb::Variant& value) {
  if (value.Type() != vb::VarType::Object || !value.AsObject()) return nullptr;
  const auto chapter = std::dynamic_pointer_cast<Chapter>(value.AsObject());
  return chapter ? chapter->Rows() : nullptr;
}

}  // namespace db

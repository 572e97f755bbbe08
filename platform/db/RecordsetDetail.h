#pragma once
// The rows behind a record set and its clones. Internal to platform/db.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "db/Recordset.h"

namespace db::detail {

// A field's value as callers see it: a field of a new row that was never
// assigned (Empty) reads as Null.
inline const vb::Variant& NullIfEmpty(const vb::Variant& v) { return v.IsEmpty() ? vb::Null : v; }

struct Row {
  std::vector<vb::Variant> values;  // Empty marks a field of a new row that was never assigned
  std::unique_ptr<std::vector<vb::Variant>> original;  // the values as read, kept from the first change
  RecordStatus status = RecordStatus::Unmodified;
  bool gone = false;  // deleted and written, or added and cancelled

  bool Visible() const { return !gone && status != RecordStatus::Deleted; }
  const vb::Variant& OriginalOf(int index) const {
    return original ? (*original)[static_cast<std::size_t>(index)] : values[static_cast<std::size_t>(index)];
  }
};

// Names compared without regard to ASCII letter case, looked up without
// making a lower-cased copy.
struct NoCaseHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const noexcept;
};
struct NoCaseEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const noexcept;
};

}  // namespace db::detail

namespace db {

// The columns of a record set and their names, which do not change while it
// is open; record sets of the same query share them (Statement::KeepColumns).
struct ResultColumns {
  std::vector<FieldMeta> fields;
  std::unordered_map<std::string, int, detail::NoCaseHash, detail::NoCaseEqual> names;  // the name, and "table.column"

  explicit ResultColumns(std::vector<FieldMeta> f);
  int Find(std::string_view name) const;
};

}  // namespace db

namespace db::detail {

struct RowStore {
  std::shared_ptr<const ResultColumns> columns;
  std::deque<Row> rows;
  std::uint64_t version = 1;  // changes whenever rows appear or disappear

  const std::vector<FieldMeta>& Fields() const { return columns->fields; }
  int Find(std::string_view name) const { return columns->Find(name); }
};

std::string LowerAscii(std::string_view s);

// Error 3265 for a field name that a record set does not have, naming it.
[[noreturn]] void RaiseUnknownField(std::string_view name);

// A parsed filter criteria text.
class FilterExpr {
 public:
  virtual ~FilterExpr() = default;
  virtual bool Matches(const Row& row) const = 0;
  // Raises error 3001 for a criteria text that cannot be read and 3265 for
  // an unknown field.
  static std::shared_ptr<FilterExpr> Parse(std::string_view criteria, const RowStore& store);
};

// Parses "A, B DESC" into field indexes and directions.
std::vector<std::pair<int, bool>> ParseSort(std::string_view spec, const RowStore& store);
// Orders two rows by the sort keys; Null before every value.
bool SortLess(const Row& a, const Row& b, const std::vector<std::pair<int, bool>>& keys);

}  // namespace db::detail

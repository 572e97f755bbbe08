#pragma once
// Data shaping: grouped report data built over record sets. A shaped set is
// a parent record set whose rows carry child record sets in a chapter field
// (type DataType::Chapter), so a report walks it level by level: groups
// outermost first, the innermost level's rows as the detail.
//
// - ComputeBy groups the rows of a set by columns: one parent row per
//   distinct tuple of values, its chapter holding that tuple's rows in the
//   set's order.
// - AppendRelate gives every row of a parent set a chapter with the rows of
//   another set whose column equals the parent's column.
// The two nest: a set that already carries chapters can be grouped or
// related again, which gives three levels (or more).
//
// Texts compare without regard to letter case, as the database compares
// them; Null equals only Null in a grouping and never relates. Parent rows of
// a grouping come ascending by their group values (Null first), and every
// chapter keeps the order of the rows it was made from. The shaped sets are
// disconnected copies: the sets they were made from are not moved or
// changed.

#include <string>
#include <string_view>
#include <vector>

#include "db/Recordset.h"
#include "vb/Variant.h"

namespace db {

// The value of a chapter field: the child rows of one parent row.
class Chapter final : public vb::Object {
 public:
  explicit Chapter(RecordsetPtr rows) : rows_(std::move(rows)) {}
  const RecordsetPtr& Rows() const { return rows_; }

 private:
  RecordsetPtr rows_;
};

// One parent row per distinct tuple of `columns` of `child`, with the
// chapter field `chapterName` first, then the group columns. Error 3265 for a
// column `child` lacks.
RecordsetPtr ComputeBy(const RecordsetPtr& child, const std::vector<std::string>& columns,
                       std::string_view chapterName);

// The rows of `parent` with a chapter field `chapterName` added last: the
// rows of `child` whose `childColumn` equals the row's `parentColumn`.
RecordsetPtr AppendRelate(const RecordsetPtr& parent, const RecordsetPtr& child, std::string_view parentColumn,
                          std::string_view childColumn, std::string_view chapterName);

// The child rows that a chapter value holds; nullptr for a value that is no
// chapter (Null, or a field of another kind).
RecordsetPtr ChapterRows(const vb::Variant& value);

}  // namespace db

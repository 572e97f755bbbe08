#pragma once
// SQL text composed piece by piece, where every value goes in as a "?"
// parameter with its value kept beside the text, in order:
//
//   db::SqlText q;
//   q << "select * from krn_leas where county_id = " << db::Param(county)
//     << " and fiscal_year = " << db::Param(year);
//   rs->Open(q.Sql(), conn, q.Params());

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "vb/Variant.h"

namespace db {

// A value to bind where it stands in the text.
struct Param {
  explicit Param(vb::Variant v) : value(std::move(v)) {}
  vb::Variant value;
};

class SqlText {
 public:
  SqlText& operator<<(std::string_view text) {
    sql_ += text;
    return *this;
  }
  SqlText& operator<<(Param param) {
    sql_ += '?';
    params_.push_back(std::move(param.value));
    return *this;
  }

  const std::string& Sql() const { return sql_; }
  const std::vector<vb::Variant>& Params() const { return params_; }
  bool Empty() const { return sql_.empty(); }

 private:
  std::string sql_;
  std::vector<vb::Variant> params_;
};

}  // namespace db

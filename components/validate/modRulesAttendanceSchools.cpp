// What the rule sets of a district's school screens share.

#include "modRulesAttendanceSchools.h"

#include <algorithm>
#include <vector>

#include "vb/Conversions.h"

namespace modRulesAttendance {

using rulegate::Compare;
using rulegate::Op;

void ReportSchool(const db::RecordsetPtr& CurrentValues, const db::RecordsetPtr& RsErr, const SchoolCheck& check,
                  const vb::Variant& school) {
  const std::string message = std::string(check.check.Message) + vb::TextOf(school) + std::string(check.after);
  rulegate::Check named = check.check;
  named.Message = message;
  modGeneralRoutines::Report(CurrentValues, RsErr, named);
}

rulegate::Truth AdaOutOfBounds(const vb::Variant& ada, double most) {
  return rulegate::Or(Compare(ada, Op::Le, 0), Compare(ada, Op::Gt, most));
}

db::RecordsetPtr DistrictAttendanceOf(const db::ConnectionPtr& conn, const db::Recordset& row,
                                      std::span<const DistrictLimit> limits) {
  std::vector<std::string_view> columns;
  for (const DistrictLimit& limit : limits) {
    for (std::string_view column : {limit.districtColumn, limit.lessColumn}) {
      if (!column.empty() && std::find(columns.begin(), columns.end(), column) == columns.end())
        columns.push_back(column);
    }
  }
  std::string select;
  for (std::string_view column : columns) select += (select.empty() ? "" : ", ") + std::string(column);
  const db::SqlText keys = rulegate::KeysOf(row, {"Fiscal_Year", "Period_ID", "County_ID", "School_District_ID"});
  return db::Recordset::Query("SELECT " + select + " FROM ATT_SD" + keys.Sql(), conn, keys.Params());
}

SchoolTotals::SchoolTotals(std::span<const DistrictLimit> limits)
    : limits_(limits), totals_(limits.size(), rulegate::DecimalZero()) {}

void SchoolTotals::Add(const db::Recordset& row) {
  for (std::size_t i = 0; i < limits_.size(); ++i) totals_[i] = totals_[i] + row.Value(limits_[i].column);
}

void SchoolTotals::CheckAgainst(const db::Recordset& district, const db::RecordsetPtr& CurrentValues,
                                const db::RecordsetPtr& RsErr) const {
  if (district.Bof() && district.Eof())
    vb::Raise(vb::err::NoCurrentRecord, "The district has no attendance row for the period");
  for (std::size_t i = 0; i < limits_.size(); ++i) {
    const DistrictLimit& limit = limits_[i];
    vb::Variant most = rulegate::DecimalZero() + district.Value(limit.districtColumn);
    if (!limit.lessColumn.empty()) most = most - district.Value(limit.lessColumn);
    if (rulegate::Fires(Compare(totals_[i], Op::Gt, most)))
      modGeneralRoutines::Report(CurrentValues, RsErr, limit.check);
  }
}

}  // namespace modRulesAttendance

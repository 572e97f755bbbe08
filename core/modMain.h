#pragma once
// Start-module services shared by the program: sort orders and certificate
// numbers of forms.

#include <cstdint>
#include <string>
#include <vector>

#include "clsGlobalParam.h"
#include "db/Recordset.h"

namespace modMain {

// The table's primary-key columns in key order (the table of P's current
// entry screen when the name is empty); none for a table without a key. The
// group certificate sorts by them.
std::vector<std::string> GetSortKeys(const clsGlobalParam& P, const std::string& tableName);
// The same as SQL text: " Order by " and the columns separated by ", "; ""
// for a table without a key.
std::string GetSortOrder(const clsGlobalParam& P, const std::string& tableName);
// The certificate number of a form's rows in the record set's current order;
// 0 for no rows. A Null key is error 94, reported for its row; the other
// rows still count.
std::int32_t genFormCertKey(db::Recordset& rs);

}  // namespace modMain

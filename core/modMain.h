#pragma once
// Start-module services shared by the program: sort orders and certificate
// numbers of forms.

#include <cstdint>
#include <string>

#include "clsGlobalParam.h"
#include "db/Recordset.h"

namespace modMain {

// " Order by " and the table's primary-key columns separated by ", " (the
// table of P's current entry screen when the name is empty); "" for a table
// without a key.
std::string GetSortOrder(const clsGlobalParam& P, const std::string& tableName);
// The certificate number of a form's rows in the record set's current order;
// 0 for no rows. A Null key is an error.
std::int32_t genFormCertKey(db::Recordset& rs);

}  // namespace modMain

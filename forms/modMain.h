#pragma once
// Start-module services of the form operations: the sort order and the
// certificate number of a form's rows.

#include <cstdint>
#include <string>
#include <vector>

#include "FormScope.h"
#include "db/Connection.h"
#include "db/Recordset.h"

namespace modMain {

// The table's primary-key columns in key order (the table of the scope's
// form when the name is empty); none for a table without a key. The group
// certificate sorts by them.
std::vector<std::string> GetSortKeys(const db::ConnectionPtr& conn, const forms::FormScope& P,
                                     const std::string& tableName);
// The same as SQL text: " Order by " and the columns separated by ", "; ""
// for a table without a key.
std::string GetSortOrder(const db::ConnectionPtr& conn, const forms::FormScope& P, const std::string& tableName);
// The certificate number of a form's rows in the record set's current order;
// 0 for no rows. A Null key is error 94, reported for its row; the other
// rows still count.
std::int32_t genFormCertKey(db::Recordset& rs);

}  // namespace modMain

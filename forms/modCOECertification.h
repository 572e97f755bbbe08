#pragma once
// The certification of a form's rows: each row's key (CERT_KEY, the
// checksum of its other values in the table's column order) and the
// certificate number of a form (the checksum of its rows' keys in the order
// of the table's primary-key columns). The numbers are a contract with
// other offices, which compute them again from exported files.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FormScope.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "vb/Trap.h"

namespace modCOE {

// The row text of the current row: the texts of its values in the table's
// column order, CERT_KEY left out, Null as "". A block-grant (CS_BA) row of
// a district that fills in its charter's form stands for the district of
// the county office of the scope's county (the current county).
std::string fcnGetStringForCertKey(const db::ConnectionPtr& conn, const forms::FormScope& scope,
                                   const std::string& tableName, db::Recordset& rs);
// Keys the current row (currentRowOnly) or every row, moving through them.
// A row whose text fails is reported and keyed 0; the others are keyed.
// Answers whether every row got its key (false after any reported
// failure), so that a caller that certifies can refuse a key of 0.
bool SetCertKeysInRs(const db::ConnectionPtr& conn, const forms::FormScope& scope, const std::string& tableName,
                     db::Recordset& rs, bool currentRowOnly);
// The certificate number of a form's rows: the rows sorted by the table's
// primary-key columns (modMain::GetSortKeys; none keeps the record set's own
// order), a Null key counting as ""; 0 for no rows. The record set's sort is
// restored and it is left past its last row.
std::int32_t GetGroupCertKey(db::Recordset& rs, const std::vector<std::string>& keyColumns);
// The same certificate number, or none when a step of it failed (reported
// and passed over): a number of only some of the rows' keys, or of rows in
// another order, must not be stored as the form's certificate.
std::optional<std::int32_t> GroupCertKeyOfAll(db::Recordset& rs, const std::vector<std::string>& keyColumns);

// How a certificate counts a row whose CERT_KEY is Null: as "" (the group
// certificate) or as error 94 (the certificate of a form's rows as they
// stand).
enum class NullCertKey { Empty, Error };
// The one certificate loop: the checksum of the rows' CERT_KEY texts joined,
// from the first row in the record set's current order. Each row is a step
// of the caller's guard: a row whose key fails is reported and left out, and
// the others still count. 0 when the guard was left. `everyStep`, when given,
// tells whether every step completed (a retried one included).
std::int32_t CertificateOfRows(db::Recordset& rs, Trap& trap, NullCertKey nullKey, bool* everyStep = nullptr);

}  // namespace modCOE

#include "modMain.h"

#include "FormData.h"
#include "db/Catalog.h"
#include "modCOECertification.h"
#include "vb/Trap.h"

namespace modMain {

std::vector<std::string> GetSortKeys(const db::ConnectionPtr& conn, const forms::FormScope& P,
                                     const std::string& tableName) {
  std::vector<std::string> keys;
  Trap trap("modMain", "GetSortOrder");
  trap([&] { keys = db::catalog::PrimaryKey(*forms::Required(conn), tableName.empty() ? P.formName : tableName); });
  return keys;
}

std::string GetSortOrder(const db::ConnectionPtr& conn, const forms::FormScope& P, const std::string& tableName) {
  std::string order;
  for (const std::string& key : GetSortKeys(conn, P, tableName)) order += (order.empty() ? " Order by " : ", ") + key;
  return order;
}

std::int32_t genFormCertKey(db::Recordset& rs) {
  Trap trap("modMain", "genFormCertKey");
  long rows = 0;
  trap([&] { rows = rs.RecordCount(); });
  if (rows < 1) return 0;
  return modCOE::CertificateOfRows(rs, trap, modCOE::NullCertKey::Error);
}

}  // namespace modMain

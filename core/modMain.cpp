#include "modMain.h"

#include "clsTableCols.h"
#include "modCOE.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

namespace modMain {

std::vector<std::string> GetSortKeys(const clsGlobalParam& P, const std::string& tableName) {
  std::vector<std::string> keys;
  Trap trap("modMain", "GetSortOrder");
  trap([&] { keys = vb::Deref(clsTableCols().getPKeys(tableName.empty() ? P.formname : tableName)).Texts(); });
  return keys;
}

std::string GetSortOrder(const clsGlobalParam& P, const std::string& tableName) {
  std::string order;
  for (const std::string& key : GetSortKeys(P, tableName)) order += (order.empty() ? " Order by " : ", ") + key;
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

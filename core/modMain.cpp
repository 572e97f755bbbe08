#include "modMain.h"

#include "clsMyCRC32.h"
#include "clsTableCols.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

namespace modMain {

std::string GetSortOrder(const clsGlobalParam& P, const std::string& tableName) {
  std::string order;
  Trap trap("modMain", "GetSortOrder");
  trap([&] {
    MyCollectionPtr keys = clsTableCols().getPKeys(tableName.empty() ? P.formname : tableName);
    if (!keys) vb::Raise(vb::err::ObjectNotSet);
    for (const std::string& key : keys->Texts()) order += (order.empty() ? " Order by " : ", ") + key;
  });
  return order;
}

std::int32_t genFormCertKey(db::Recordset& rs) {
  std::int32_t certificate = 0;
  Trap trap("modMain", "genFormCertKey");
  trap([&] {
    if (rs.RecordCount() < 1) return;
    std::string text;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) text += vb::CStr(rs.Value("CERT_KEY"));
    certificate = clsMyCRC32().GetCRC32(text);
  });
  return certificate;
}

}  // namespace modMain

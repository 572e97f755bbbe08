#include "clsTableInfoUtil.h"

#include "db/Catalog.h"
#include "modGlobals.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

namespace {

constexpr const char* kModule = "clsTableInfoUtil";

std::vector<std::string> SplitKey(const std::string& plc) {
  std::vector<std::string> parts;
  std::string key = vb::UCase(plc);
  std::size_t start = 0;
  for (;;) {
    std::size_t colon = key.find(':', start);
    parts.push_back(key.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  return parts;
}

}  // namespace

clsTableInfoUtil::clsTableInfoUtil() {
  Trap trap(kModule, "Class_Initialize");
  trap([&] { ColumnInfo = "TABLE_INFO"; });
}

db::RecordsetPtr clsTableInfoUtil::getTableInfo(const std::string& plc) {
  db::RecordsetPtr rs;
  Trap trap(kModule, "getTableInfo");
  trap([&] {
    std::vector<std::string> parts = SplitKey(plc);
    if (parts.size() < 3) vb::Raise(vb::err::SubscriptOutOfRange);
    if (ColumnInfo.empty()) ColumnInfo = "TABLE_INFO";
    clsMyAdoUtils& utils = AdoUtil ? *AdoUtil : modGlobals::AdoUtils();
    db::ConnectionPtr conn = utils.Conn();
    const std::string table = db::catalog::RequireSqlName(vb::Deref(conn), ColumnInfo);
    rs = utils.getNewRecordSet();
    vb::Deref(rs).Open("select * from " + table + " where Page_No = ? and Line_No = ? and Column_No = ?", conn,
             {vb::Variant(vb::CDbl(vb::Variant(parts[0]))), vb::Variant(vb::CDbl(vb::Variant(parts[1]))),
              vb::Variant(parts[2])});
  });
  return rs;
}

void clsTableInfoUtil::getTableFieldName(const std::string& plc, std::string& TableName, std::string& FieldName) {
  Trap trap(kModule, "getTableFieldName");
  trap([&] {
    const db::RecordsetPtr rs = getTableInfo(plc);
    TableName = vb::CStr(vb::Deref(rs).Value("table_name"));
    FieldName = vb::CStr(rs->Value("field_name"));
  });
}

std::string clsTableInfoUtil::getCTFormula(const std::string& plc) {
  std::string formula;
  Trap trap(kModule, "getCTFormula");
  trap([&] {
    formula = vb::CStr(vb::Deref(getTableInfo(plc)).Value("CT_Fields"));
  });
  return formula;
}

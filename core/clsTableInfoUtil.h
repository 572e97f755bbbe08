#pragma once
// Looks up cells of the entry-screen layout table by a key "page:line:column"
// (for example "1:3:A").

#include <memory>
#include <string>

#include "clsMyAdoUtils.h"
#include "db/Recordset.h"

class clsTableInfoUtil {
 public:
  clsTableInfoUtil();

  // The table that the lookups read ("TABLE_INFO").
  std::string ColumnInfo;
  std::shared_ptr<clsMyAdoUtils> AdoUtil;

  void getTableFieldName(const std::string& plc, std::string& TableName, std::string& FieldName);
  std::string getCTFormula(const std::string& plc);
  // The layout rows of the cell, positioned on the first.
  db::RecordsetPtr getTableInfo(const std::string& plc);
};

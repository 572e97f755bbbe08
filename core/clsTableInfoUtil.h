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
  // The database utility object whose connection the lookups read on:
  // unset, the program-wide one, so that they see the working file as the
  // rest of the program does (a caller's pending changes included). Set it
  // only to read another file.
  std::shared_ptr<clsMyAdoUtils> AdoUtil;

  void getTableFieldName(const std::string& plc, std::string& TableName, std::string& FieldName);
  std::string getCTFormula(const std::string& plc);
  // The layout rows of the cell, positioned on the first.
  db::RecordsetPtr getTableInfo(const std::string& plc);
};

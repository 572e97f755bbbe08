#include "clsTableCols.h"

#include "db/Catalog.h"
#include "modGlobals.h"
#include "zelErrHandler.h"

MyCollectionPtr clsTableCols::getCols(const std::string& tableName) {
  MyCollectionPtr cols;
  Trap trap("clsTableCols", "getCols");
  trap([&] { cols = clsMyCollection::Of(db::catalog::ColumnNames(*modGlobals::SharedConnection(), tableName)); });
  return cols;
}

MyCollectionPtr clsTableCols::getPKeys(const std::string& tableName) {
  MyCollectionPtr keys;
  Trap trap("clsTableCols", "getPKeys");
  trap([&] { keys = clsMyCollection::Of(db::catalog::PrimaryKey(*modGlobals::SharedConnection(), tableName)); });
  return keys;
}

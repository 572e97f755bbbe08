#include "clsTableCols.h"

#include "db/Catalog.h"
#include "modGlobals.h"
#include "zelErrHandler.h"

namespace {

MyCollectionPtr ToCollection(const std::vector<std::string>& names) {
  auto list = clsMyCollection::New();
  for (const std::string& name : names) list->Add(vb::Variant(name));
  return list;
}

}  // namespace

MyCollectionPtr clsTableCols::getCols(const std::string& tableName) {
  MyCollectionPtr cols;
  Trap trap("clsTableCols", "getCols");
  trap([&] { cols = ToCollection(db::catalog::ColumnNames(*modGlobals::SharedConnection(), tableName)); });
  return cols;
}

MyCollectionPtr clsTableCols::getPKeys(const std::string& tableName) {
  MyCollectionPtr keys;
  Trap trap("clsTableCols", "getPKeys");
  trap([&] { keys = ToCollection(db::catalog::PrimaryKey(*modGlobals::SharedConnection(), tableName)); });
  return keys;
}

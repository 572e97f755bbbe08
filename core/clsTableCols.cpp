#include "clsTableCols.h"

#include "db/Catalog.h"
#include "db/Connection.h"
#include "modGlobals.h"
#include "zelErrHandler.h"

namespace {

// A connection of its own to the working database, opened for one question.
db::ConnectionPtr OpenCatalogConnection() {
  if (!modGlobals::gobjGlobalParam) vb::Raise(vb::err::ObjectNotSet);
  return db::Connection::OpenNew("Data Source=" + modGlobals::gobjGlobalParam->MDBFile() + ";");
}

MyCollectionPtr ToCollection(const std::vector<std::string>& names) {
  auto list = clsMyCollection::New();
  for (const std::string& name : names) list->Add(vb::Variant(name));
  return list;
}

}  // namespace

MyCollectionPtr clsTableCols::getCols(const std::string& tableName) {
  MyCollectionPtr cols;
  Trap trap("clsTableCols", "getCols");
  trap([&] {
    auto conn = OpenCatalogConnection();
    cols = ToCollection(db::catalog::ColumnNames(*conn, tableName));
  });
  return cols;
}

MyCollectionPtr clsTableCols::getPKeys(const std::string& tableName) {
  MyCollectionPtr keys;
  Trap trap("clsTableCols", "getPKeys");
  trap([&] {
    auto conn = OpenCatalogConnection();
    keys = ToCollection(db::catalog::PrimaryKey(*conn, tableName));
  });
  return keys;
}

#pragma once
// A table's columns in ordinal order and its primary-key columns in key
// order, asked of the program's shared connection each time, so that the
// answers follow the working file's current schema (after ResetMDBFile too).
// Names come back as the database writes them; an unknown table, or one
// without a key, answers an empty list. "schema.table" names a table of an
// attached database.

#include <string>

#include "clsMyCollection.h"

class clsTableCols {
 public:
  MyCollectionPtr getCols(const std::string& tableName);
  MyCollectionPtr getPKeys(const std::string& tableName);
};

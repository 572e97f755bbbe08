#pragma once
// A table's columns in ordinal order and its primary-key columns in key
// order, read from the database file each time, so that the answers follow
// the file's current schema. Names come back as the database writes them;
// an unknown table, or one without a key, answers an empty list.

#include <string>

#include "clsMyCollection.h"

class clsTableCols {
 public:
  MyCollectionPtr getCols(const std::string& tableName);
  MyCollectionPtr getPKeys(const std::string& tableName);
};

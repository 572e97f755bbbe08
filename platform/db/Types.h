#pragma once
// Field type codes and record-set settings with their classic numeric
// values, which the program tests and shows.

#include <string_view>

#include "vb/Variant.h"

namespace db {

enum class DataType : int {
  Empty = 0,
  SmallInt = 2,
  Integer = 3,
  Single = 4,
  Double = 5,
  Currency = 6,
  Date = 7,
  Boolean = 11,
  Variant = 12,
  Decimal = 14,
  TinyInt = 16,
  UnsignedTinyInt = 17,
  BigInt = 20,
  Numeric = 131,
  Char = 129,
  WChar = 130,
  VarChar = 200,
  LongVarChar = 201,
  VarWChar = 202,
  LongVarWChar = 203,
  DBTimeStamp = 135,
  Chapter = 136,  // a field whose value is a child record set (data shaping)
};

enum class CursorLocation : int { Server = 2, Client = 3 };
enum class CursorType : int { Unspecified = -1, ForwardOnly = 0, Keyset = 1, Dynamic = 2, Static = 3 };
enum class LockType : int { Unspecified = -1, ReadOnly = 1, Pessimistic = 2, Optimistic = 3, BatchOptimistic = 4 };

// What happened to a row since it was read.
enum class RecordStatus : int { Unmodified = 8, New = 1, Modified = 2, Deleted = 4 };

// Why the current row changed (passed to move notifications).
enum class MoveReason : int {
  AddNew = 1,
  Delete = 2,
  Requery = 7,
  Move = 10,  // an absolute move, an open, a filter or a sort
  MoveFirst = 12,
  MoveNext = 13,
  MovePrevious = 14,
  MoveLast = 15,
};

// The field type of a declared column type ("VARCHAR(50)" -> VarWChar with
// size 50, "CURRENCY" -> Currency, "" -> Variant). Answers the defined size
// through `definedSize`.
DataType TypeOfDeclared(std::string_view declaredType, long* definedSize = nullptr);

// A value converted to what a field of the type holds: texts into numbers
// ("1,234" -> 1234), numbers into texts, Empty into Null. A value that does
// not fit is error 6 (numbers) or error -2147217887 (texts longer than
// `definedSize` characters, when it is above 0); a text that is no number
// is error 13.
vb::Variant ConvertForField(const vb::Variant& value, DataType type, long definedSize,
                            std::string_view fieldName);

}  // namespace db

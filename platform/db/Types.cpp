#include "db/Types.h"

#include <string>

#include "vb/Conversions.h"

namespace db {
namespace {

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

}  // namespace

DataType TypeOfDeclared(std::string_view declaredType, long* definedSize) {
  std::string decl = vb::UCase(declaredType);
  long size = 0;
  std::string base = decl;
  if (auto open = decl.find('('); open != std::string::npos) {
    base = decl.substr(0, open);
    size = std::strtol(decl.c_str() + open + 1, nullptr, 10);
  }
  while (!base.empty() && base.back() == ' ') base.pop_back();

  auto answer = [&](DataType type, long fixedSize) {
    if (definedSize) *definedSize = fixedSize;
    return type;
  };

  if (base.empty()) return answer(DataType::Variant, 0);
  if (base == "TEXT" || base == "MEMO" || base == "LONGTEXT" || base == "CLOB" || base == "NTEXT")
    return answer(DataType::LongVarWChar, 0);
  if (base.find("CHAR") != std::string::npos) return answer(DataType::VarWChar, size);
  if (base == "SMALLINT" || base == "SHORT") return answer(DataType::SmallInt, 2);
  if (base == "TINYINT" || base == "BYTE") return answer(DataType::UnsignedTinyInt, 1);
  if (base == "BIGINT") return answer(DataType::BigInt, 8);
  if (base == "INTEGER" || base == "INT" || base == "LONG" || base == "COUNTER" || base == "AUTOINCREMENT")
    return answer(DataType::Integer, 4);
  if (base == "SINGLE") return answer(DataType::Single, 4);
  if (base == "DOUBLE" || base == "FLOAT" || base == "REAL" || StartsWith(base, "DOUBLE "))
    return answer(DataType::Double, 8);
  if (base == "CURRENCY" || base == "MONEY") return answer(DataType::Currency, 8);
  if (base == "DECIMAL" || base == "NUMERIC") return answer(DataType::Numeric, 19);
  if (base == "DATETIME" || base == "DATE" || base == "TIME" || base == "TIMESTAMP")
    return answer(DataType::Date, 8);
  if (base == "BIT" || base == "BOOLEAN" || base == "YESNO" || base == "LOGICAL")
    return answer(DataType::Boolean, 2);
  return answer(DataType::Variant, 0);
}

vb::Variant ConvertForField(const vb::Variant& value, DataType type, long definedSize,
                            std::string_view fieldName) {
  if (value.IsEmpty() || value.IsNull()) return vb::Null;
  switch (type) {
    case DataType::Char:
    case DataType::WChar:
    case DataType::VarChar:
    case DataType::LongVarChar:
    case DataType::VarWChar:
    case DataType::LongVarWChar: {
      std::string text = value.IsString() ? value.AsString() : vb::TextOf(value);
      if (definedSize > 0 && vb::Len(text) > static_cast<std::size_t>(definedSize)) {
        throw vb::VbError(vb::err::MultipleStepError,
                          "The value is too long for the field '" + std::string(fieldName) + "' (at most " +
                              std::to_string(definedSize) + " characters).");
      }
      return vb::Variant(std::move(text));
    }
    case DataType::SmallInt:
      return vb::Variant(vb::CInt(value));
    case DataType::TinyInt:
    case DataType::UnsignedTinyInt: {
      std::int16_t n = vb::CInt(value);
      if (n < 0 || n > 255) vb::Raise(vb::err::Overflow);
      return vb::Variant(n);
    }
    case DataType::Integer:
      return vb::Variant(static_cast<int>(vb::CLng(value)));
    case DataType::BigInt:
      return vb::Variant::FromInt64(vb::CDec(value).ToInt64());
    case DataType::Single:
    case DataType::Double:
      return vb::Variant(vb::CDbl(value));
    case DataType::Currency:
      return vb::Variant(vb::CCur(value));
    case DataType::Decimal:
    case DataType::Numeric:
      return vb::Variant(vb::CDec(value));
    case DataType::Date:
    case DataType::DBTimeStamp:
      return vb::Variant(vb::CDate(value));
    case DataType::Boolean:
      return vb::Variant(vb::CBool(value));
    default:
      return value;
  }
}

}  // namespace db

#include "db/SqlFunctions.h"

#include <sqlite3.h>

#include <cstdio>
#include <algorithm>
#include <string>

#include "vb/Decimal.h"

namespace db {
namespace {

void Hex8(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
    sqlite3_result_null(ctx);
    return;
  }
  auto bits = static_cast<std::uint32_t>(static_cast<std::int64_t>(sqlite3_value_int64(argv[0])));
  char text[9];
  std::snprintf(text, sizeof text, "%08X", bits);
  sqlite3_result_text(ctx, text, 8, SQLITE_TRANSIENT);
}

// The zero-padded text of a whole number: the last `width` digits of
// "000000" followed by the number, as agency codes are written.
std::string Padded(sqlite3_value* v, std::size_t width) {
  std::string digits = std::to_string(sqlite3_value_int64(v));
  std::string padded = "000000" + digits;
  return padded.substr(padded.size() - std::min(width, padded.size()));
}

void CdsCode(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
    sqlite3_result_null(ctx);
    return;
  }
  std::string code = Padded(argv[0], 5) + " " + Padded(argv[1], 7);
  sqlite3_result_text(ctx, code.c_str(), static_cast<int>(code.size()), SQLITE_TRANSIENT);
}

struct DecSumState {
  vb::Decimal* total;
};

void DecSumStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return;
  auto* state = static_cast<DecSumState*>(sqlite3_aggregate_context(ctx, sizeof(DecSumState)));
  if (!state) {
    sqlite3_result_error_nomem(ctx);
    return;
  }
  if (!state->total) state->total = new vb::Decimal();
  try {
    vb::Decimal value;
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) {
      value = vb::Decimal(static_cast<std::int64_t>(sqlite3_value_int64(argv[0])));
    } else if (sqlite3_value_type(argv[0]) == SQLITE_FLOAT) {
      value = vb::Decimal::FromDouble(sqlite3_value_double(argv[0]));
    } else {
      auto parsed = vb::Decimal::Parse(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])));
      if (!parsed) return;
      value = *parsed;
    }
    *state->total = *state->total + value;
  } catch (const std::exception& e) {
    sqlite3_result_error(ctx, e.what(), -1);
  }
}

void DecSumFinal(sqlite3_context* ctx) {
  auto* state = static_cast<DecSumState*>(sqlite3_aggregate_context(ctx, 0));
  if (!state || !state->total) {
    sqlite3_result_null(ctx);
    return;
  }
  std::string text = state->total->ToString();
  delete state->total;
  state->total = nullptr;
  sqlite3_result_text(ctx, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

}  // namespace

void RegisterSqlFunctions(sqlite3* db) {
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  sqlite3_create_function_v2(db, "hex8", 1, flags, nullptr, Hex8, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "cdscode", 2, flags, nullptr, CdsCode, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "decsum", 1, flags, nullptr, nullptr, DecSumStep, DecSumFinal, nullptr);
}

}  // namespace db

#pragma once
// A calculation component created by its identifier from the program
// folder, and a fresh database with the entry-screen tables.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "clsCalculate.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "vb/Variant.h"

namespace calctest {

inline constexpr const char* kProgId = "sumwright.clsCalculate";

// One column's value: what a test puts into a row or expects of it.
struct Cell {
  std::string column;
  vb::Variant value;
};
using Cells = std::vector<Cell>;

// The cells line_span for the spans given, with the values in span order.
// `separator` joins line and span ("_" for most forms, "" for the county
// office's Elementary/High columns).
Cells Line(const std::string& line, const std::vector<double>& values, const std::vector<std::string>& spans,
           const std::string& separator = "_");
extern const std::vector<std::string> kFourSpans;   // TK-3, 4-6, 7-8, 9-12
extern const std::vector<std::string> kThreeSpans;  // TK-3, 4-6, 7-8
Cells Concat(std::initializer_list<Cells> parts);

void SetCells(db::Recordset& rs, const Cells& cells);
// Numbers compared as numbers; an expected Null must be Null.
void ExpectCells(const db::Recordset& rs, const Cells& expected, const std::string& context);
// The values of every field of the current row.
std::vector<vb::Variant> RowValues(const db::Recordset& rs);

class CalcTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string ConnectionString() const { return db::Connection::ConnectionStringFor(databasePath_.string()); }
  // Adds `rows` rows to the table (keys 1, 2, ...) and opens them in that
  // order, on the first row.
  db::RecordsetPtr OpenRows(const std::string& table, int rows = 1);
  // Sets every number column of the current row that is no key to `value`.
  void FillNumbers(db::Recordset& rs, const std::string& table, const vb::Variant& value);

  std::int16_t Calculate(const std::string& formKey, db::RecordsetPtr& rs) { return calc_->Calculate(formKey, rs); }

  std::filesystem::path folder_;
  std::filesystem::path databasePath_;
  db::ConnectionPtr conn_;
  std::shared_ptr<sumface::clsCalculate> calc_;
};

}  // namespace calctest

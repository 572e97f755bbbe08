#pragma once
// A validation component created by its identifier from the program folder,
// working on a fresh database built from the delivered schema and reference
// rows, and helpers that state a rule set's cases as tables: the rows of the
// form (and of the tables the rule set reads), and the result rows expected.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "NeighbourRows.h"
#include "clsValidate.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "vb/Variant.h"

namespace ruletest {

inline constexpr const char* kProgId = "rulegate.clsValidate";

// The agency whose rows the tests validate, unless a row says otherwise.
inline constexpr int kFiscalYear = 2019;
inline constexpr int kPeriod = 1;
inline constexpr int kCounty = 19;
inline constexpr int kDistrict = 64733;
inline constexpr int kSchool = 0;

// One column's value in a row that a test writes.
using fixtures::Cell;
using fixtures::Cells;

// What a result row says: its line, field, type and message.
struct Finding {
  std::string lineName;
  std::string fieldName;
  std::string errorType;
  std::string message;
  friend bool operator==(const Finding&, const Finding&) = default;
};
void PrintTo(const Finding& finding, std::ostream* os);

// The findings of every result row, in order; none for no record set.
std::vector<Finding> FindingsOf(const db::RecordsetPtr& result);
// The result's rows as findings, compared with those expected.
void ExpectFindings(const db::RecordsetPtr& result, const std::vector<Finding>& expected,
                    const std::string& context = {});
// The value of a field in every result row, in order.
std::vector<vb::Variant> ColumnOf(const db::RecordsetPtr& result, const std::string& field);

class RuleTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string ConnectionString() const { return "Data Source=" + databasePath_.string(); }

  // Adds a row to the table: the agency's five keys unless the cells give
  // them, every other key column numbered after the table's rows so far
  // (texts "K1", "K2", ...), then the cells.
  void Insert(const std::string& table, const Cells& cells);
  // The form's rows: the table is emptied, the rows are added in order and
  // opened in that order, standing on the first row.
  db::RecordsetPtr FormRows(const std::string& table, const std::vector<Cells>& rows);

  db::RecordsetPtr Validate(const std::string& tableName, db::RecordsetPtr& rows,
                            std::shared_ptr<vb::Object>* params = nullptr) {
    return validator_->Validate(tableName, rows, params);
  }

  std::filesystem::path folder_;
  std::filesystem::path databasePath_;
  db::ConnectionPtr conn_;
  std::shared_ptr<ruleface::clsValidate> validator_;
};

}  // namespace ruletest

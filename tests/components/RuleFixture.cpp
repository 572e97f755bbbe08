#include "RuleFixture.h"

#include <map>

#include "TestEnvironment.h"
#include "com/Registry.h"
#include "db/Catalog.h"
#include "vb/Conversions.h"

namespace ruletest {
namespace {

bool IsTextColumn(const db::ColumnInfo& column) {
  const std::string type = vb::UCase(column.declaredType);
  return type.find("CHAR") != std::string::npos || type.find("TEXT") != std::string::npos;
}

const std::map<std::string, int> kAgencyKeys{{"FISCAL_YEAR", kFiscalYear},
                                             {"PERIOD_ID", kPeriod},
                                             {"COUNTY_ID", kCounty},
                                             {"SCHOOL_DISTRICT_ID", kDistrict},
                                             {"SCHOOL_ID", kSchool}};

std::string TextOrNull(const db::Recordset& rs, const char* field) { return vb::TextOf(rs.Value(field)); }

}  // namespace

void PrintTo(const Finding& finding, std::ostream* os) {
  *os << "{" << finding.lineName << ", " << finding.fieldName << ", " << finding.errorType << ", \""
      << finding.message << "\"}";
}

std::vector<Finding> FindingsOf(const db::RecordsetPtr& result) {
  std::vector<Finding> findings;
  if (!result || (result->Bof() && result->Eof())) return findings;
  for (result->MoveFirst(); !result->Eof(); result->MoveNext()) {
    findings.push_back({TextOrNull(*result, "Line_Name"), TextOrNull(*result, "FieldName"),
                        TextOrNull(*result, "Error_Type"), TextOrNull(*result, "Error_Msg")});
  }
  return findings;
}

void ExpectFindings(const db::RecordsetPtr& result, const std::vector<Finding>& expected,
                    const std::string& context) {
  ASSERT_TRUE(result) << context << ": no result record set";
  EXPECT_EQ(FindingsOf(result), expected) << context;
}

std::vector<vb::Variant> ColumnOf(const db::RecordsetPtr& result, const std::string& field) {
  std::vector<vb::Variant> values;
  if (!result || (result->Bof() && result->Eof())) return values;
  for (result->MoveFirst(); !result->Eof(); result->MoveNext()) values.push_back(result->Value(field));
  return values;
}

void RuleTest::SetUp() {
  com::SetComponentFolder(LEV_PROGRAM_DIR);
  folder_ = fixtures::MakeTempFolder("levrules");
  databasePath_ = folder_ / "rules.mdb";
  fixtures::BuildDatabase(databasePath_);
  conn_ = db::Connection::OpenNew(ConnectionString());
  validator_ = com::CreateObject<ruleface::clsValidate>(kProgId);
  validator_->ConnectionString(ConnectionString());
}

void RuleTest::TearDown() {
  validator_.reset();
  if (conn_) conn_->Close();
  com::SetComponentFolder({});
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

void RuleTest::Insert(const std::string& table, const Cells& cells) {
  const long ordinal = vb::CLng(conn_->Scalar("SELECT COUNT(*) FROM " + db::QuoteName(table))) + 1;
  Cells row;
  for (const db::ColumnInfo& column : db::catalog::Columns(*conn_, table)) {
    if (column.keyPosition == 0) continue;
    const auto agencyKey = kAgencyKeys.find(vb::UCase(column.name));
    if (agencyKey != kAgencyKeys.end()) {
      row.push_back({column.name, agencyKey->second});
    } else {
      row.push_back({column.name, IsTextColumn(column) ? vb::Variant("K" + std::to_string(ordinal))
                                                       : vb::Variant(static_cast<int>(ordinal))});
    }
  }
  for (const Cell& cell : cells) {
    auto same = std::find_if(row.begin(), row.end(), [&](const Cell& c) { return vb::TextEquals(c.column, cell.column); });
    if (same != row.end()) {
      same->value = cell.value;
    } else {
      row.push_back(cell);
    }
  }
  std::string columns, marks;
  std::vector<vb::Variant> values;
  for (const Cell& cell : row) {
    columns += (columns.empty() ? "" : ", ") + db::QuoteName(cell.column);
    marks += marks.empty() ? "?" : ", ?";
    values.push_back(cell.value);
  }
  conn_->Execute("INSERT INTO " + db::QuoteName(table) + " (" + columns + ") VALUES (" + marks + ")", values);
}

db::RecordsetPtr RuleTest::FormRows(const std::string& table, const std::vector<Cells>& rows) {
  conn_->Execute("DELETE FROM " + db::QuoteName(table));
  for (const Cells& cells : rows) Insert(table, cells);
  return db::Recordset::Query("SELECT * FROM " + db::QuoteName(table) + " ORDER BY rowid", conn_);
}

}  // namespace ruletest

#include "CalcFixture.h"

#include "com/Registry.h"
#include "db/Catalog.h"
#include "vb/Conversions.h"

namespace calctest {

const std::vector<std::string> kFourSpans{"GradesTKTO3", "Grades4TO6", "Grades7TO8", "Grades9TO12"};
const std::vector<std::string> kThreeSpans{"GradesTKTO3", "Grades4TO6", "Grades7TO8"};

Cells Line(const std::string& line, const std::vector<double>& values, const std::vector<std::string>& spans,
           const std::string& separator) {
  Cells cells;
  for (std::size_t i = 0; i < spans.size() && i < values.size(); ++i)
    cells.push_back({line + separator + spans[i], vb::Variant(values[i])});
  return cells;
}

Cells Concat(std::initializer_list<Cells> parts) {
  Cells all;
  for (const Cells& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

void SetCells(db::Recordset& rs, const Cells& cells) {
  for (const Cell& cell : cells) rs.SetValue(cell.column, cell.value);
}

void ExpectCells(const db::Recordset& rs, const Cells& expected, const std::string& context) {
  for (const Cell& cell : expected) {
    const vb::Variant actual = rs.Value(cell.column);
    if (cell.value.IsNull()) {
      EXPECT_TRUE(actual.IsNull()) << context << ": " << cell.column << " is " << vb::CStr(actual);
    } else {
      ASSERT_FALSE(actual.IsNull()) << context << ": " << cell.column << " is Null";
      EXPECT_NEAR(vb::CDbl(actual), vb::CDbl(cell.value), 1e-9) << context << ": " << cell.column;
    }
  }
}

std::vector<vb::Variant> RowValues(const db::Recordset& rs) {
  std::vector<vb::Variant> values;
  for (int i = 0; i < rs.FieldCount(); ++i) values.push_back(rs.Value(i));
  return values;
}

void CalcTest::SetUp() {
  com::SetComponentFolder(LEV_PROGRAM_DIR);
  folder_ = fixtures::MakeTempFolder("levcalc");
  databasePath_ = folder_ / "calc.mdb";
  fixtures::BuildDatabase(databasePath_);
  conn_ = db::Connection::OpenNew(ConnectionString());
  calc_ = com::CreateObject<sumface::clsCalculate>(kProgId);
}

void CalcTest::TearDown() {
  calc_.reset();
  if (conn_) conn_->Close();
  com::SetComponentFolder({});
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

db::RecordsetPtr CalcTest::OpenRows(const std::string& table, int rows) {
  const std::vector<std::string> keys = db::catalog::PrimaryKey(*conn_, table);
  std::string columns, marks;
  for (const std::string& key : keys) {
    columns += (columns.empty() ? "" : ", ") + db::QuoteName(key);
    marks += marks.empty() ? "?" : ", ?";
  }
  const std::string insert = "INSERT INTO " + db::QuoteName(table) + " (" + columns + ") VALUES (" + marks + ")";
  for (int row = 1; row <= rows; ++row) conn_->Execute(insert, std::vector<vb::Variant>(keys.size(), vb::Variant(row)));
  return db::Recordset::Query("SELECT * FROM " + db::QuoteName(table) + " ORDER BY rowid", conn_);
}

void CalcTest::FillNumbers(db::Recordset& rs, const std::string& table, const vb::Variant& value) {
  for (const db::ColumnInfo& column : db::catalog::Columns(*conn_, table)) {
    const bool number = column.type == db::DataType::Double || column.type == db::DataType::Currency ||
                        column.type == db::DataType::Integer || column.type == db::DataType::SmallInt;
    if (number && column.keyPosition == 0 && !vb::TextEquals(column.name, "CERT_KEY")) rs.SetValue(column.name, value);
  }
}

}  // namespace calctest

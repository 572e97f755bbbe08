// Data shaping: grouping rows by columns and relating two sets, nested to
// three levels, as the reports walk them.

#include <gtest/gtest.h>

#include <filesystem>

#include "../vb/VbTestSupport.h"
#include "TestEnvironment.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/Shape.h"

namespace {

using vbtest::ErrorOf;

class ShapeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fixtures::MakeTempFolder("levshape");
    conn_ = db::Connection::Create();
    conn_->Open(db::Connection::ConnectionStringFor((folder_ / "t.db").string()), true);
    conn_->ExecuteScript(R"(
      CREATE TABLE Tax (ID INTEGER PRIMARY KEY, ResDistrictType VARCHAR(20) COLLATE NOCASE,
        ResSchoolDistName VARCHAR(40) COLLATE NOCASE, Secured CURRENCY);
      INSERT INTO Tax VALUES (1, 'UNIFIED', 'Birch', -300), (2, 'elementary', 'Cedar', 1000),
        (3, NULL, 'Oak', 99), (4, 'ELEMENTARY', 'Aspen', 2500), (5, 'Elementary', 'Dogwood', 500);
      CREATE TABLE Export (CERTIFICATE VARCHAR(8), FORM_GROUP_NAME VARCHAR(20), NAME VARCHAR(40));
      INSERT INTO Export VALUES ('000000FF', 'TAX', 'Alder'), ('001A2B3C', 'Tax', 'Birch'),
        ('000000FF', 'tax', 'Maple'), ('00000007', NULL, 'Cedar');
      CREATE TABLE Cert (FORM_GROUP VARCHAR(20), SNO INTEGER, FORM_TITLE1 VARCHAR(40));
      INSERT INTO Cert VALUES ('Tax', 2, 'County Office Statement'), ('ATTENDANCE', 2, 'Other'),
        ('Tax', 2, 'Second Statement');
    )");
  }
  void TearDown() override {
    conn_->Close();
    std::filesystem::remove_all(folder_);
  }

  db::RecordsetPtr Query(const char* sql) { return db::Recordset::Query(sql, conn_); }

  // The values of one field over every row of a set, as texts ("Null" for Null).
  static std::vector<std::string> Column(const db::RecordsetPtr& rs, const char* field) {
    std::vector<std::string> values;
    for (long pos = 1; pos <= rs->RecordCount(); ++pos) {
      const vb::Variant v = rs->ValueAt(pos, rs->FieldIndex(field));
      values.push_back(v.IsNull() ? "Null" : vb::TextOf(v));
    }
    return values;
  }
  static db::RecordsetPtr ChapterAt(const db::RecordsetPtr& rs, long pos, const char* chapter) {
    return db::ChapterRows(rs->ValueAt(pos, rs->FieldIndex(chapter)));
  }

  std::filesystem::path folder_;
  db::ConnectionPtr conn_;
};

TEST_F(ShapeTest, ComputeByMakesOneParentPerTupleAscendingIgnoringCaseWithChildrenInQueryOrder) {
  const auto tax = Query("SELECT * FROM Tax ORDER BY ResSchoolDistName");
  tax->MoveLast();
  const auto shaped = db::ComputeBy(tax, {"resdistricttype"}, "Command1");

  ASSERT_EQ(shaped->FieldCount(), 2);
  EXPECT_EQ(shaped->FieldInfo(0).name, "Command1");
  EXPECT_EQ(shaped->FieldInfo(0).type, db::DataType::Chapter);
  // The first row of a group gives its value; "elementary" in any case is one group.
  EXPECT_EQ(Column(shaped, "ResDistrictType"), (std::vector<std::string>{"Null", "ELEMENTARY", "UNIFIED"}));
  EXPECT_EQ(Column(ChapterAt(shaped, 1, "command1"), "ResSchoolDistName"), std::vector<std::string>{"Oak"});
  EXPECT_EQ(Column(ChapterAt(shaped, 2, "Command1"), "ResSchoolDistName"),
            (std::vector<std::string>{"Aspen", "Cedar", "Dogwood"}));
  EXPECT_EQ(Column(ChapterAt(shaped, 3, "Command1"), "Secured"), std::vector<std::string>{"-300"});
  // The grouped set keeps its field types, and the source keeps its row.
  EXPECT_EQ(ChapterAt(shaped, 3, "Command1")->FieldInfo(3).type, db::DataType::Currency);
  EXPECT_EQ(tax->AbsolutePosition(), 5);
  EXPECT_EQ(shaped->AbsolutePosition(), 1);
}

TEST_F(ShapeTest, AppendRelateMatchesIgnoringCaseAndNeverOnNull) {
  const auto exports = Query("SELECT * FROM Export ORDER BY NAME");
  const auto certs = Query("SELECT * FROM Cert");
  const auto related = db::AppendRelate(exports, certs, "FORM_GROUP_NAME", "form_group", "Command2");

  ASSERT_EQ(related->FieldCount(), 4);
  EXPECT_EQ(related->FieldInfo(3).name, "Command2");
  EXPECT_EQ(Column(related, "NAME"), (std::vector<std::string>{"Alder", "Birch", "Cedar", "Maple"}));
  // "TAX", "Tax" and "tax" all take the statements of 'Tax', in their order.
  for (long pos : {1L, 2L, 4L}) {
    EXPECT_EQ(Column(ChapterAt(related, pos, "Command2"), "FORM_TITLE1"),
              (std::vector<std::string>{"County Office Statement", "Second Statement"}))
        << pos;
  }
  EXPECT_EQ(ChapterAt(related, 3, "Command2")->RecordCount(), 0);
  // Field names of the query stay reachable as "table.column".
  EXPECT_GE(related->FieldIndex("Export.NAME"), 0);
}

TEST_F(ShapeTest, GroupingARelatedSetNestsThreeLevels) {
  const auto shaped = db::ComputeBy(
      db::AppendRelate(Query("SELECT * FROM Export WHERE FORM_GROUP_NAME IS NOT NULL ORDER BY NAME"),
                       Query("SELECT * FROM Cert"), "FORM_GROUP_NAME", "FORM_GROUP", "Command2"),
      {"CERTIFICATE"}, "Command1");

  EXPECT_EQ(Column(shaped, "CERTIFICATE"), (std::vector<std::string>{"000000FF", "001A2B3C"}));
  const auto agencies = ChapterAt(shaped, 1, "Command1");
  EXPECT_EQ(Column(agencies, "NAME"), (std::vector<std::string>{"Alder", "Maple"}));
  EXPECT_EQ(Column(ChapterAt(agencies, 2, "Command2"), "SNO"), (std::vector<std::string>{"2", "2"}));
}

TEST_F(ShapeTest, AMissingColumnIsNamed) {
  const auto tax = Query("SELECT * FROM Tax");
  try {
    db::ComputeBy(tax, {"DistrictKind"}, "Command1");
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.Number(), vb::err::ItemNotFound);
    EXPECT_NE(std::string(e.Description()).find("DistrictKind"), std::string::npos);
  }
  EXPECT_EQ(ErrorOf([&] { db::AppendRelate(tax, tax, "ID", "Nope", "C"); }), vb::err::ItemNotFound);
  EXPECT_EQ(db::ChapterRows(vb::Null), nullptr);
}

}  // namespace

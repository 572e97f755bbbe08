// The blank row of a blank report, on the printing agencies: what each
// column carries, the directory row beside it, the special entry screens'
// stored or made row, and that composing and reading it writes nothing.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "BlankReportQuery.h"
#include "PrintingAgencies.h"
#include "db/Recordset.h"
#include "vb/Conversions.h"

using vb::Variant;
namespace agencies = fixtures::printing;

namespace {

class BlankReportQueryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("levblankquery-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    database_ = (folder_ / "RUDOVA.mdb").string();
    std::filesystem::copy_file(LEV_SCHEMA_DB, database_, std::filesystem::copy_options::overwrite_existing);
    conn_ = db::Connection::OpenNew(db::Connection::ConnectionStringFor(database_));
    conn_->ExecuteScript(agencies::kRows);
  }
  void TearDown() override {
    conn_.reset();
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  static modMain::BlankScope Scope() { return {2019, agencies::kCounty, 2}; }

  db::RecordsetPtr Blank(const std::string& formName, int district, int school = 0) {
    const db::SqlText q = modMain::GetBlankSQL(conn_, formName, Scope(), {Variant(district), Variant(school), Variant(7)});
    EXPECT_FALSE(q.Empty()) << formName;
    auto rs = std::make_shared<db::Recordset>();
    rs->Open(q.Sql(), conn_, q.Params());
    return rs;
  }

  // Counts every commit to the file, this connection's or another's.
  static long DataVersion(const db::ConnectionPtr& conn) {
    db::Recordset rs;
    rs.Open("PRAGMA data_version", conn);
    return vb::CLng(rs.Value(0));
  }

  db::ConnectionPtr conn_;
  std::string database_;

 private:
  std::filesystem::path folder_;
};

// Each column of the general list, spelt as a table may spell it: the
// exact key names carry their value, any other spelling Null.
TEST_F(BlankReportQueryTest, TheColumnListGivesEachColumnItsValue) {
  struct Case {
    const char* column;
    const char* value;  // "" for Null
  };
  const std::vector<Case> cases = {
      {"FISCAL_YEAR", "2019"},  {"PERIOD_ID", "2"},         {"COUNTY_ID", "1"},        {"SCHOOL_DISTRICT_ID", "20002"},
      {"SCHOOL_ID", "0"},       {"SelpaLocation", "7"},     {"county_id", ""},         {"County_Id", ""},
      {"fiscal_year", ""},      {"SELPALOCATION", ""},      {"LicenseNumber", "213"},  {"NpsNpaTypeId", "213"},
      {"Code", "213"},          {"LCILicenseNumber", "213"}, {"code", ""},             {"Secured", ""},
  };
  std::vector<std::string> columns;
  for (const Case& c : cases) columns.push_back(c.column);
  // SQLite would refuse two columns of one name in a table, not in a result.
  const db::SqlText list =
      modMain::BlankColumnList(columns, Scope(), {Variant(agencies::kOtherDistrict), Variant(0), Variant(7)});
  db::Recordset rs;
  rs.Open("SELECT " + list.Sql(), conn_, list.Params());
  ASSERT_EQ(rs.FieldCount(), static_cast<int>(cases.size()));
  for (int i = 0; i < rs.FieldCount(); ++i) {
    EXPECT_EQ(rs.Fields(i).Name(), cases[i].column);
    const Variant v = rs.Value(i);
    if (*cases[i].value == '\0') {
      EXPECT_TRUE(v.IsNull()) << cases[i].column;
    } else {
      EXPECT_EQ(vb::TextOf(v), cases[i].value) << cases[i].column;
    }
  }
  EXPECT_TRUE(modMain::BlankColumnList({}, Scope(), {}).Empty());
}

// The tax form of Cedar Elementary, which has no tax rows, and of the
// county office, which has four: the same blank row, with the directory's
// row of the report year, and nothing written to the file.
TEST_F(BlankReportQueryTest, TheTaxBlankRowCarriesKeysAndDirectoryAndWritesNothing) {
  const db::ConnectionPtr watcher = db::Connection::OpenNew(db::Connection::ConnectionStringFor(database_));
  const long before = DataVersion(watcher);
  struct Case {
    int district;
    const char* name;
  };
  for (const Case& c : {Case{agencies::kOtherDistrict, "Cedar Elementary SD"},
                        Case{agencies::kOffice, "Alder County Office of Education"}}) {
    db::RecordsetPtr rs = Blank("Tax", c.district);
    ASSERT_EQ(rs->RecordCount(), 1) << c.name;
    EXPECT_EQ(vb::TextOf(rs->Value("FISCAL_YEAR")), "2019");
    EXPECT_EQ(vb::TextOf(rs->Value("PERIOD_ID")), "2");
    EXPECT_EQ(vb::TextOf(rs->Value("COUNTY_ID")), "1");
    EXPECT_EQ(vb::TextOf(rs->Value("SCHOOL_DISTRICT_ID")), std::to_string(c.district));
    for (const char* empty : {"Secured", "Total", "TaxType", "RES_COUNTY_ID", "ResSchoolDistName", "Explanation"}) {
      EXPECT_TRUE(rs->Value(empty).IsNull()) << c.name << " " << empty;
    }
    EXPECT_EQ(vb::TextOf(rs->Value("school_district_name")), c.name) << "the report year's directory row";
    EXPECT_EQ(vb::TextOf(rs->Value("krn_leas.county_id")), "1");
    EXPECT_EQ(vb::TextOf(rs->Value("krn_leas.school_district_id")), std::to_string(c.district));
    EXPECT_EQ(rs->Fields(0).Name(), "FISCAL_YEAR") << "the entry screen's columns come first";
  }
  EXPECT_EQ(DataVersion(watcher), before) << "no write reached the file";
  db::Recordset count;
  count.Open("SELECT COUNT(*) FROM Tax", conn_);
  EXPECT_EQ(vb::CLng(count.Value(0)), 5);
}

TEST_F(BlankReportQueryTest, AnAgencyWithoutAnOpenDirectoryRowGetsNoRow) {
  conn_->ExecuteScript("UPDATE KRN_LEAS SET STAT_TYPE = 'CLOSED' WHERE SCHOOL_DISTRICT_ID = 20002;");
  EXPECT_EQ(Blank("Tax", agencies::kOtherDistrict)->RecordCount(), 0);
  EXPECT_EQ(Blank("Tax", 20099)->RecordCount(), 0) << "an agency the directory lacks";
  EXPECT_EQ(Blank("Tax", agencies::kDistrict, agencies::kCharter)->RecordCount(), 1) << "the charter of another";
}

TEST_F(BlankReportQueryTest, AnEntryScreenWithoutColumnsHasNoBlankQuery) {
  for (const char* form : {"NoSuchScreen", ""}) {
    EXPECT_TRUE(modMain::GetBlankSQL(conn_, form, Scope(), {Variant(20002), Variant(0), Variant()}).Empty()) << form;
  }
  EXPECT_EQ(modMain::BlankColumnsTable("AttCsSbc"), "ATTCSBGCOE");
  EXPECT_EQ(modMain::BlankColumnsTable("Tax"), "Tax");
}

// The attendance-days screen answers the agency's stored row when it has
// one, else a row made from the table's columns: keys, residence 0, the
// table's defaults, with "No" for the computed column. Nothing is written.
TEST_F(BlankReportQueryTest, TheSpecialScreensAnswerTheStoredRowOrAMadeOne) {
  conn_->ExecuteScript(R"(
    DROP TABLE IF EXISTS AttCsACD;
    DROP TABLE IF EXISTS ATTCOEDISTFUNDADA;
    CREATE TABLE AttCsACD (FISCAL_YEAR INTEGER, PERIOD_ID INTEGER, COUNTY_ID INTEGER, SCHOOL_DISTRICT_ID INTEGER,
                           SCHOOL_ID INTEGER, RES_COUNTY_ID INTEGER, OptionDay INTEGER, Days INTEGER DEFAULT 175,
                           Note TEXT);
    INSERT INTO AttCsACD VALUES (2019, 2, 1, 20001, 0, 1, 1, 180, 'stored'),
                                (2019, 1, 1, 20002, 0, 1, 1, 181, 'another period');
    CREATE TABLE ATTCOEDISTFUNDADA (FISCAL_YEAR INTEGER, PERIOD_ID INTEGER, COUNTY_ID INTEGER,
                                    SCHOOL_DISTRICT_ID INTEGER, SCHOOL_ID INTEGER, Other_Opportunity INTEGER,
                                    Other_SpecializedSecondarySchools INTEGER, Other_TechAg INTEGER);
  )");
  const db::ConnectionPtr watcher = db::Connection::OpenNew(db::Connection::ConnectionStringFor(database_));
  const long before = DataVersion(watcher);

  db::RecordsetPtr stored = Blank("attcsacd", agencies::kDistrict);
  ASSERT_EQ(stored->RecordCount(), 1);
  EXPECT_EQ(vb::TextOf(stored->Value("CEASE")), "Yes");
  EXPECT_EQ(vb::TextOf(stored->Value("Days")), "180");
  EXPECT_EQ(vb::TextOf(stored->Value("Note")), "stored");
  EXPECT_EQ(vb::TextOf(stored->Value("RES_COUNTY_ID")), "1");

  db::RecordsetPtr made = Blank("AttCsACD", agencies::kOtherDistrict);
  ASSERT_EQ(made->RecordCount(), 1);
  EXPECT_EQ(vb::TextOf(made->Value("CEASE")), "No");
  EXPECT_EQ(vb::TextOf(made->Value("FISCAL_YEAR")), "2019");
  EXPECT_EQ(vb::TextOf(made->Value("PERIOD_ID")), "2") << "not the row of another period";
  EXPECT_EQ(vb::TextOf(made->Value("SCHOOL_DISTRICT_ID")), "20002");
  EXPECT_EQ(vb::TextOf(made->Value("RES_COUNTY_ID")), "0");
  EXPECT_EQ(vb::TextOf(made->Value("Days")), "175") << "the table's default";
  EXPECT_TRUE(made->Value("Note").IsNull());
  EXPECT_EQ(vb::TextOf(made->Value("SCHOOL_DISTRICT_NAME")), "Cedar Elementary SD");

  db::RecordsetPtr funding = Blank("AttCoeDistFundAda", agencies::kOtherDistrict);
  ASSERT_EQ(funding->RecordCount(), 1);
  for (const char* yn : {"Other_OpportunityYN", "Other_SpecializedYN", "Other_TechAgYN"}) {
    EXPECT_EQ(vb::TextOf(funding->Value(yn)), "") << yn;
  }
  EXPECT_EQ(DataVersion(watcher), before) << "no write reached the file";
}

}  // namespace

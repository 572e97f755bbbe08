// The report query of the entry-screen reports, on the printing agencies:
// which query a form name takes, the rows and the names they come under,
// and the rows it must not take.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "NeighbourRows.h"
#include "PrintingAgencies.h"
#include "ReportQuery.h"
#include "db/Recordset.h"
#include "vb/Conversions.h"
#include "vb/VbError.h"

using vb::Variant;
namespace agencies = fixtures::printing;

namespace {

class ReportQueryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("levreportquery-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    const auto database = folder_ / "RUDOVA.mdb";
    std::filesystem::copy_file(LEV_SCHEMA_DB, database, std::filesystem::copy_options::overwrite_existing);
    conn_ = db::Connection::OpenNew(db::Connection::ConnectionStringFor(database.string()));
    conn_->ExecuteScript(agencies::kRows);
  }
  void TearDown() override {
    conn_.reset();
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  db::RecordsetPtr Open(const std::string& formName, const std::string& table, int district, int school,
                        int taxType, int county = agencies::kCounty) {
    const db::SqlText q =
        modMain::GetReportSQL(conn_, formName, table, 2019, county, 2, district, school, false, 1,
                              static_cast<std::int16_t>(taxType));
    auto rs = std::make_shared<db::Recordset>();
    rs->Open(q.Sql(), conn_, q.Params());
    return rs;
  }

  static std::vector<std::string> Names(db::Recordset& rs) {
    std::vector<std::string> names;
    for (int i = 0; i < rs.FieldCount(); ++i) names.push_back(rs.Fields(i).Name());
    return names;
  }
  static std::vector<std::string> Column(db::Recordset& rs, const std::string& field) {
    std::vector<std::string> values;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) values.push_back(vb::TextOf(rs.Value(field)));
    return values;
  }

  db::ConnectionPtr conn_;

 private:
  std::filesystem::path folder_;
};

using Texts = std::vector<std::string>;

TEST_F(ReportQueryTest, TheFormNameChoosesTheTaxOrTheGeneralQuery) {
  struct Case {
    const char* formName;
    bool tax;
  };
  for (const Case& c : {Case{"Tax", true}, Case{"tax", true}, Case{"TAX", true}, Case{"Taxes", false}, Case{"", false}}) {
    db::RecordsetPtr rs = Open(c.formName, "Tax", agencies::kOffice, 0, 1);
    const Texts names = Names(*rs);
    EXPECT_EQ(names.front() == "TaxType", c.tax) << c.formName;
    if (c.tax) {
      EXPECT_EQ(Column(*rs, "TaxType"), (Texts{"School District", "School District", "School District"}));
      EXPECT_EQ(Column(*rs, "ResSchoolDistName"), (Texts{"Aspen Elementary", "Birch Unified", "Cedar Elementary"}))
          << "ordered by the names of residence";
    } else {
      EXPECT_EQ(rs->RecordCount(), 4) << c.formName << ": every tax type, no order";
      EXPECT_EQ(names.front(), "Tax.FISCAL_YEAR") << c.formName;
      EXPECT_EQ(names.at(7), "TaxType") << "the table's own tax type keeps its name";
    }
  }
}

// The tax query of an office: its rows of the chosen type, once each
// although the directory lists the office for 2018 too, under the names the
// heading and the tax report read.
TEST_F(ReportQueryTest, TheTaxQueryNamesSharedColumnsByTable) {
  db::RecordsetPtr rs = Open("Tax", "Tax", agencies::kOffice, 0, 1);
  const Texts names = Names(*rs);
  const Texts expectedStart = {"TaxType",         "Tax.FISCAL_YEAR",        "PERIOD_ID",
                               "Tax.COUNTY_ID",   "Tax.SCHOOL_DISTRICT_ID", "Tax.SCHOOL_ID",
                               "RES_COUNTY_ID",   "RES_SCHOOL_DISTRICT_ID", "Tax.TaxType",
                               "ResCountyName",   "ResSchoolDistName",      "ResDistrictType"};
  ASSERT_GE(names.size(), expectedStart.size());
  EXPECT_EQ(Texts(names.begin(), names.begin() + static_cast<long>(expectedStart.size())), expectedStart);
  for (const char* name : {"krn_leas.FISCAL_YEAR", "krn_leas.COUNTY_ID", "krn_leas.SCHOOL_DISTRICT_ID",
                           "krn_leas.SCHOOL_ID", "COUNTY_NAME", "SCHOOL_DISTRICT_NAME", "SCHOOL_NAME", "charter_no",
                           "CharterFundingType", "Secured", "Explanation", "CERT_KEY"}) {
    EXPECT_GE(rs->FieldIndex(name), 0) << name;
  }
  EXPECT_EQ(rs->RecordCount(), 3) << "the 2018 directory row adds no row";
  EXPECT_EQ(Column(*rs, "SCHOOL_DISTRICT_NAME"), Texts(3, "Alder County Office of Education"));
  EXPECT_EQ(Column(*rs, "Tax.TaxType"), Texts(3, "1"));
  EXPECT_EQ(Column(*rs, "Secured"), (Texts{"2500", "-300", "1000"}));

  EXPECT_EQ(Column(*Open("TAX", "Tax", agencies::kOffice, 0, 0), "ResSchoolDistName"), Texts{"Oak"});
  EXPECT_EQ(Open("Tax", "Tax", agencies::kOffice, 0, 999)->RecordCount(), 0) << "a cancelled type selects nothing";
  EXPECT_EQ(Open("Tax", "Tax", agencies::kOffice, 0, 1, -1)->RecordCount(), 0) << "a negative key is bound as it is";
}

// The general query of the certification notes: every column of the notes
// table, then the directory's, the shared ones named by table.
TEST_F(ReportQueryTest, TheGeneralQueryJoinsTheDirectoryRowOfTheYear) {
  conn_->Execute(
      "INSERT INTO TorbLeaNotes (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TYPE,"
      " SCHOOL_DISTRICT_NAME) VALUES (2019, 2, 1, 10017, 0, 'TAX', 'Alder COE')");
  db::RecordsetPtr rs = Open("TORBLEANOTES", "TorbLeaNotes", agencies::kOffice, 0, 1);
  const Texts names = Names(*rs);
  EXPECT_EQ(Texts(names.begin(), names.begin() + 7),
            (Texts{"TorbLeaNotes.FISCAL_YEAR", "PERIOD_ID", "TorbLeaNotes.COUNTY_ID",
                   "TorbLeaNotes.SCHOOL_DISTRICT_ID", "TorbLeaNotes.SCHOOL_ID", "TYPE",
                   "TorbLeaNotes.SCHOOL_DISTRICT_NAME"}));
  ASSERT_EQ(rs->RecordCount(), 1);
  EXPECT_EQ(vb::TextOf(rs->Value("TorbLeaNotes.SCHOOL_DISTRICT_NAME")), "Alder COE");
  EXPECT_EQ(vb::TextOf(rs->Value("krn_leas.SCHOOL_DISTRICT_NAME")), "Alder County Office of Education");
}

// Rows that differ from the agency's in one key are not taken.
TEST_F(ReportQueryTest, RowsOfOtherYearsPeriodsCountiesAndSchoolsStayOut) {
  const fixtures::Cells office = {{"COUNTY_ID", Variant(1)}, {"SCHOOL_DISTRICT_ID", Variant(agencies::kOffice)}};
  struct Neighbour {
    const char* key;
    fixtures::Cells changes;
  };
  for (const Neighbour& n : {Neighbour{"year", {{"FISCAL_YEAR", Variant(2018)}}},
                             Neighbour{"period", {{"PERIOD_ID", Variant(1)}}},
                             Neighbour{"county", {{"COUNTY_ID", Variant(0)}}},
                             Neighbour{"school", {{"SCHOOL_ID", Variant(-1)}}}}) {
    fixtures::Cells changes = n.changes;
    changes.push_back({"ResSchoolDistName", Variant(std::string("Neighbour ") + n.key)});
    EXPECT_GT(fixtures::AddNeighbours(*conn_, "Tax", office, changes), 0) << n.key;
  }
  fixtures::AddNeighbours(*conn_, "KRN_LEAS", {{"SCHOOL_DISTRICT_ID", Variant(agencies::kOffice)}},
                          {{"COUNTY_ID", Variant(0)}, {"SCHOOL_DISTRICT_NAME", Variant("Neighbour county")}});
  db::RecordsetPtr rs = Open("Tax", "Tax", agencies::kOffice, 0, 1);
  EXPECT_EQ(Column(*rs, "ResSchoolDistName"), (Texts{"Aspen Elementary", "Birch Unified", "Cedar Elementary"}));
  EXPECT_EQ(Column(*rs, "SCHOOL_DISTRICT_NAME"), Texts(3, "Alder County Office of Education"));
}

TEST_F(ReportQueryTest, ATableTheDatabaseLacksIsRefused) {
  try {
    Open("Tax", "Taxes; drop table Tax", agencies::kOffice, 0, 1);
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_NE(e.Description().find("The database has no table named"), std::string::npos) << e.Description();
  }
}

}  // namespace

namespace {

// The certification answers: computed texts by plain name, the question set
// and the agency's key chosen, the neighbours (another year, period, set,
// district) left out.
TEST_F(ReportQueryTest, CertificationAnswersComputeTheirTextsAndKeepToTheirKey) {
  conn_->ExecuteScript(R"(
    INSERT INTO TorbLeaNotes (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TYPE, Qn1, Qn2, Qn3,
                              Qn4, Qn2Comments) VALUES
      (2019, 2, 7, 12345, 0, 'COUNTY', 1, 0, NULL, 1, 'See line A-3'),
      (2019, 2, 19, 12345, -1, 'COUNTY', 0, 1, 1, 2, NULL),
      (2019, 2, 7, 12345, 0, 'TAX', 0, 0, 0, 0, 'the tax set'),
      (2018, 2, 7, 12345, 0, 'COUNTY', 0, 0, 0, 0, 'another year'),
      (2019, 1, 7, 12345, 0, 'COUNTY', 0, 0, 0, 0, 'another period'),
      (2019, 2, 7, 12346, 0, 'COUNTY', 0, 0, 0, 0, 'another district'),
      (2019, 2, 7, 12345, 1234567, 'COUNTY', 1, 1, 1, 1, 'a school');
  )");
  struct Case {
    int county;
    std::vector<std::string> districtText, schoolText, answers, comments;
  };
  const Case cases[] = {
      {7, {"07  12345", "07  12345"}, {"", "1234567"}, {"YES|NO|NO|YES", "YES|YES|YES|YES"}, {"See line A-3", "a school"}},
      {19, {"19  12345"}, {""}, {"NO|YES|YES|NO"}, {""}},
  };
  for (const Case& c : cases) {
    const db::SqlText q = certnotes::Answers(c.county, 12345, 2019, 2, "COUNTY");
    auto rs = std::make_shared<db::Recordset>();
    rs->Open(q.Sql(), conn_, q.Params());
    EXPECT_EQ(Column(*rs, "SCHOOL_DISTRICT_ID"), c.districtText) << c.county;
    EXPECT_EQ(Column(*rs, "SCHOOL_ID"), c.schoolText) << c.county;
    std::vector<std::string> answers;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
      answers.push_back(vb::TextOf(rs->Value("Qn1")) + "|" + vb::TextOf(rs->Value("Qn2")) + "|" +
                        vb::TextOf(rs->Value("Qn3")) + "|" + vb::TextOf(rs->Value("Qn4")));
    }
    EXPECT_EQ(answers, c.answers) << c.county;
    EXPECT_EQ(Column(*rs, "Qn2Comments"), c.comments) << c.county;
  }
}

}  // namespace

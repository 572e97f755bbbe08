// The delivered database: the schema that every statement and every
// certificate number relies on, and the sample reference rows.

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>

#include "TestEnvironment.h"
#include "db/Catalog.h"
#include "db/Recordset.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

class DeliveredDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fixtures::MakeTempFolder("levdata");
    fixtures::BuildDatabase(folder_ / "RUDOVA.mdb");
    conn_ = db::Connection::OpenNew(db::Connection::ConnectionStringFor((folder_ / "RUDOVA.mdb").string()));
  }
  void TearDown() override {
    conn_->Close();
    std::filesystem::remove_all(folder_);
  }
  long Count(const std::string& sql, std::vector<Variant> params = {}) { return vb::CLng(conn_->Scalar(sql, params)); }

  std::filesystem::path folder_;
  db::ConnectionPtr conn_;
};

TEST_F(DeliveredDatabaseTest, KeysReadBackInTheirFileOrder) {
  EXPECT_EQ(db::catalog::PrimaryKey(*conn_, "tax"),
            (std::vector<std::string>{"FISCAL_YEAR", "PERIOD_ID", "COUNTY_ID", "SCHOOL_DISTRICT_ID", "SCHOOL_ID",
                                      "RES_COUNTY_ID", "RES_SCHOOL_DISTRICT_ID", "TaxType"}));
  EXPECT_EQ(db::catalog::PrimaryKey(*conn_, "LEA_FORMS_STATUS"),
            (std::vector<std::string>{"FISCAL_YEAR", "PERIOD_ID", "COUNTY_ID", "SCHOOL_DISTRICT_ID", "SCHOOL_ID",
                                      "FORM_NO"}));
  const std::vector<std::string> tax = db::catalog::ColumnNames(*conn_, "Tax");
  ASSERT_FALSE(tax.empty());
  EXPECT_EQ(tax.front(), "FISCAL_YEAR");
  EXPECT_EQ(tax.back(), "CERT_KEY");
}

TEST_F(DeliveredDatabaseTest, TextsCompareWithoutCaseAndStatusRowsDefaultToSchoolZero) {
  EXPECT_EQ(Count("SELECT count(*) FROM VHO_TORB_FORMS WHERE FORM_NAME = 'tax'"), 1);
  EXPECT_EQ(Count("SELECT 'tax' = 'Tax' COLLATE NOCASE"), 1);
  // Every text column ignores case.
  for (const std::string& table : db::catalog::Tables(*conn_)) {
    for (const db::ColumnInfo& column : db::catalog::Columns(*conn_, table)) {
      if (column.type != db::DataType::VarWChar && column.type != db::DataType::LongVarWChar) continue;
      const char* collation = nullptr;
      sqlite3_table_column_metadata(conn_->Handle(), "main", table.c_str(), column.name.c_str(), nullptr, &collation,
                                    nullptr, nullptr, nullptr);
      EXPECT_STREQ(collation, "NOCASE") << table << "." << column.name;
    }
  }
  conn_->Execute("INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, FORM_NO, "
                 "PY_REASON_CODE, PY_FORMS_CORRECTED) VALUES (2019, 2, 61, 61001, 111, 0, 'No')");
  EXPECT_EQ(Count("SELECT SCHOOL_ID FROM LEA_FORMS_STATUS WHERE FORM_NO = 111"), 0);
}

TEST_F(DeliveredDatabaseTest, CertificateDisplayAndAgencyCode) {
  EXPECT_EQ(vb::CStr(conn_->Scalar("SELECT hex8(-2033101442)")), "86D1557E");
  EXPECT_EQ(vb::CStr(conn_->Scalar("SELECT hex8(255)")), "000000FF");
  EXPECT_TRUE(conn_->Scalar("SELECT hex8(NULL)").IsNull());
  EXPECT_EQ(vb::CStr(conn_->Scalar("SELECT cdscode(61001, 6100102)")), "61001 6100102");
  EXPECT_EQ(vb::CStr(conn_->Scalar("SELECT cdscode(610, 0)")), "00610 0000000");
}

TEST_F(DeliveredDatabaseTest, EveryFormTheProgramCanOpenHasItsTable) {
  auto forms = db::Recordset::Query("SELECT FORM_NO, FORM_NAME FROM VHO_TORB_FORMS ORDER BY FORM_NO", conn_);
  ASSERT_GT(forms->RecordCount(), 0);
  for (; !forms->Eof(); forms->MoveNext()) {
    const std::string name = vb::CStr(forms->Value("FORM_NAME"));
    EXPECT_TRUE(db::catalog::TableExists(*conn_, name)) << "form " << vb::CStr(forms->Value("FORM_NO")) << " " << name;
    const auto columns = db::catalog::ColumnNames(*conn_, name);
    if (!columns.empty()) {
      EXPECT_EQ(columns.back(), "CERT_KEY") << name;
    }
  }
  EXPECT_EQ(Count("SELECT FORM_NO FROM VHO_TORB_FORMS WHERE FORM_NAME = 'Tax' AND CATEGORY = 'T' AND COE = 'Y' "
                  "AND FY_2019 = 'Y'"),
            29);
  EXPECT_EQ(Count("SELECT count(*) FROM PY_CORRECTION_REASON WHERE PY_REASON_CODE = 0"), 1);
  EXPECT_EQ(Count("SELECT count(*) FROM ReportPeriod"), 1);
}

TEST_F(DeliveredDatabaseTest, TheComponentsAreConfiguredForEveryPeriod) {
  for (int period : {1, 2, 3}) {
    auto rs = db::Recordset::Query(
        "SELECT ComponentTypeName, ComponentName FROM ComponentType A INNER JOIN ComponentConfiguration B "
        "ON A.ComponentTypeID = B.ComponentTypeID WHERE Fiscal_Year = 2019 AND Period_ID = ? ORDER BY ComponentTypeName",
        conn_, {Variant(period)});
    ASSERT_EQ(rs->RecordCount(), 2) << "period " << period;
    EXPECT_EQ(vb::CStr(rs->Value("ComponentTypeName")), "Calculate");
    EXPECT_EQ(vb::CStr(rs->Value("ComponentName")), "sumwright");
    rs->MoveNext();
    EXPECT_EQ(vb::CStr(rs->Value("ComponentTypeName")), "Validate");
    EXPECT_EQ(vb::CStr(rs->Value("ComponentName")), "rulegate");
  }
}

TEST_F(DeliveredDatabaseTest, TheSampleDirectoryHasAnAgencyOfEveryKind) {
  struct Kind {
    const char* what;
    const char* condition;
  };
  const std::vector<Kind> kinds = {
      {"county office", "LEA_TYPE = 2"},
      {"elementary district", "LEA_TYPE = 3 AND DISTRICT_TYPE = 'ELEMENTARY'"},
      {"high school district", "LEA_TYPE = 3 AND DISTRICT_TYPE = 'HIGH'"},
      {"unified district", "LEA_TYPE = 3 AND DISTRICT_TYPE = 'UNIFIED'"},
      {"charter school", "LEA_TYPE = 4 AND CHARTER_ID = 'Y'"},
      {"charter filled in by its district", "LEA_TYPE = 4 AND CHARTER_ID = 'Y' AND CS_BA_CHARTER_FILL_BY_DIST = -1"},
      {"school that is no charter", "LEA_TYPE = 4 AND CHARTER_ID = 'N'"},
      {"SELPA", "LEA_TYPE = 5"},
      {"regional occupational program", "LEA_TYPE = 6"},
  };
  for (const Kind& kind : kinds) {
    EXPECT_GT(Count(std::string("SELECT count(*) FROM KRN_LEAS WHERE FISCAL_YEAR = 2019 AND STAT_TYPE = 'OPEN' AND ") +
                    kind.condition),
              0)
        << kind.what;
  }
  EXPECT_GE(Count("SELECT count(DISTINCT COUNTY_ID) FROM KRN_LEAS WHERE LEA_TYPE = 2 AND FISCAL_YEAR = 2019"), 3);
  EXPECT_GT(Count("SELECT count(*) FROM KRN_LEAS WHERE STAT_TYPE <> 'OPEN'"), 0);
  EXPECT_GT(Count("SELECT count(*) FROM KRN_LEAS WHERE FISCAL_YEAR = 2018"), 0);
}

}  // namespace

namespace {

class DeliveredCatalogueTest : public DeliveredDatabaseTest {};

// Program_Type names the agency kind whose form it is (2 county office, 3
// district, 4 charter school, 5 SELPA), which the export compares with an
// agency's LEA_TYPE: a county office's own forms, the district forms it
// exports for itself (27, 28 and the ROC/P forms), charter and SELPA forms.
TEST_F(DeliveredCatalogueTest, EveryFormsProgramTypeIsTheKindOfAgencyItBelongsTo) {
  const struct {
    const char* what;
    const char* condition;
    int programType;
  } kinds[] = {
      {"the county office's tax forms", "CATEGORY = 'T' AND FORM_NO NOT IN (27, 28)", 2},
      {"district-kind forms of the county office", "FORM_NO IN (27, 28, 94, 95, 96)", 3},
      {"the county offices' other forms", "COE = 'Y' AND CATEGORY <> 'T' AND FORM_NO NOT IN (94, 95, 96)", 2},
      {"district forms", "COE = 'N' AND SCHD = 'Y' AND CHARTER = 'N'", 3},
      {"charter forms", "COE = 'N' AND CHARTER = 'Y'", 4},
      {"SELPA forms", "CATEGORY = 'S'", 5},
  };
  long covered = 0;
  for (const auto& kind : kinds) {
    const std::string where = std::string(" FROM VHO_TORB_FORMS WHERE ") + kind.condition;
    const long forms = Count("SELECT count(*)" + where);
    EXPECT_GT(forms, 0) << kind.what;
    EXPECT_EQ(Count("SELECT count(*)" + where + " AND Program_Type = ?", {Variant(kind.programType)}), forms)
        << kind.what;
    covered += forms;
  }
  EXPECT_EQ(covered, Count("SELECT count(*) FROM VHO_TORB_FORMS"));
}

// The lists that order by program type group a county office's forms by
// kind, its own first; the entry-screen list keeps the catalogue's order.
TEST_F(DeliveredCatalogueTest, ACountyOfficesWholeScopeListStartsWithItsOwnForms) {
  auto forms = db::Recordset::Query(
      "SELECT * FROM VHO_TORB_FORMS WHERE COE = 'Y' AND (CATEGORY = 'A' OR CATEGORY = 'T' OR CATEGORY = 'CA' OR "
      "CATEGORY = 'R') UNION SELECT * FROM VHO_TORB_FORMS WHERE SCHD = 'Y' AND (CATEGORY = 'A' OR CATEGORY = 'R') "
      "UNION SELECT * FROM VHO_TORB_FORMS WHERE SELPA = 'Y' AND CATEGORY = 'S' ORDER BY PROGRAM_TYPE, FORM_NO",
      conn_);
  std::vector<long> types, numbers;
  for (; !forms->Eof(); forms->MoveNext()) {
    types.push_back(vb::CLng(forms->Value("PROGRAM_TYPE")));
    numbers.push_back(vb::CLng(forms->Value("FORM_NO")));
  }
  ASSERT_FALSE(types.empty());
  EXPECT_TRUE(std::is_sorted(types.begin(), types.end()));
  EXPECT_EQ(types.front(), 2);
  EXPECT_EQ(std::vector<long>(numbers.begin(), numbers.begin() + 4), (std::vector<long>{23, 24, 26, 29}));
  EXPECT_EQ(Count("SELECT FORM_NO FROM VHO_TORB_FORMS ORDER BY OrderNo LIMIT 1"), 29);
}

}  // namespace

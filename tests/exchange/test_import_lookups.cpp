// The merge's look-ups: a group's display name and entry-check type, and the
// write of one merged row of a wide table by column name.

#include <gtest/gtest.h>

#include "ImportFixture.h"
#include "db/Catalog.h"
#include "vb/Conversions.h"

TEST_F(ImportTest, EntryCheckTypesFollowTheGroupInAnyLetterCase) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"ATT_SD", 3}, {"att_sd", 3},     {"AttCsAcd", 3},   {"ATTCOE", 3},         {"ATT_SD_SUPP", 3},
      {"ATT_SD_BS", 2}, {"cs_ba", 2},   {"INFANTFUNDING", 2}, {"SPEDTAXALLOC", 2}, {"ATTCOECHCCSE", 2},
      {"TAX", 1},    {"tax", 1},        {"BRL_SD_CSP_NEW", 1}, {"BRL_SD_NSCHS_ADA", 1}, {"NO SUCH GROUP", 1},
  };
  for (const auto& [group, type] : cases) EXPECT_EQ(CertifiedImport::GetFormECtype(group), type) << group;
}

TEST_F(ImportTest, TheDisplayNameOfAGroupIsTheCataloguesAndEmptyWithoutIt) {
  Execute("INSERT INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, FORM_DISPLAY_NAME) VALUES (900, 'O''Neil', 'Apostrophe'),"
          " (901, 'NONAME', NULL)");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Tax", "Property Tax"}, {"TAX", "Property Tax"}, {"O'Neil", "Apostrophe"}, {"KRN_LEAS", ""},
  };
  for (const auto& [group, name] : cases) EXPECT_EQ(CertifiedImport::getFormDetails(conn_, group), name) << group;
  EXPECT_EQ(dialogs_.Prompts().size(), 0u);

  // A catalogue row without a display name is a failure, reported.
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  EXPECT_EQ(CertifiedImport::getFormDetails(conn_, "NONAME"), "");
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_EQ(dialogs_.Prompts()[0].title, "Exception");
}

TEST_F(ImportTest, AWideRowIsAddedWhenMissingAndThenUpdatedColumnByColumnLeavingTheOthers) {
  const std::vector<std::string> columns = db::catalog::ColumnNames(*conn_, "ATT_SD");
  ASSERT_GT(columns.size(), 75u);
  // The agency key and the first 65 data columns, in the table's order.
  auto row = [&](int base) {
    std::string sql = "SELECT 2019 AS FISCAL_YEAR, 2 AS PERIOD_ID, 19 AS COUNTY_ID, 612 AS SCHOOL_DISTRICT_ID,"
                      " 0 AS SCHOOL_ID";
    for (std::size_t i = 5; i < 70; ++i)
      sql += ", " + std::to_string(base + static_cast<int>(i)) + " AS " + db::QuoteName(columns[i]);
    return db::Recordset::Query(sql, conn_);
  };
  auto value = [&](std::size_t column, int district = 612) {
    return vb::TextOf(conn_->Scalar("SELECT " + db::QuoteName(columns[column]) +
                                    " FROM ATT_SD WHERE SCHOOL_DISTRICT_ID = ?", {vb::Variant(district)}));
  };
  // A neighbour of another district that must stay as it is.
  Execute("INSERT INTO ATT_SD (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, " +
          db::QuoteName(columns[5]) + ") VALUES (2019, 2, 19, 613, 0, 7)");

  auto added = row(1000);
  CertifiedImport::SplitAndUpdateTable(conn_, *added, "ATT_SD");
  const std::vector<std::pair<std::size_t, std::string>> afterAdd = {{5, "1005"}, {35, "1035"}, {69, "1069"}, {70, ""}};
  for (const auto& [column, text] : afterAdd) EXPECT_EQ(value(column), text) << columns[column];

  conn_->Execute("UPDATE ATT_SD SET " + db::QuoteName(columns[70]) + " = 5 WHERE SCHOOL_DISTRICT_ID = 612");
  auto updated = row(2000);
  CertifiedImport::SplitAndUpdateTable(conn_, *updated, "att_sd");
  const std::vector<std::pair<std::size_t, std::string>> afterUpdate = {{5, "2005"}, {65, "2065"}, {69, "2069"}, {70, "5"}};
  for (const auto& [column, text] : afterUpdate) EXPECT_EQ(value(column), text) << columns[column];
  EXPECT_EQ(vb::CLng(conn_->Scalar("SELECT count(*) FROM ATT_SD WHERE SCHOOL_DISTRICT_ID = 612")), 1);
  EXPECT_EQ(value(5, 613), "7");

  // The key columns alone write nothing.
  auto keysOnly = db::Recordset::Query(
      "SELECT 2019 AS FISCAL_YEAR, 2 AS PERIOD_ID, 19 AS COUNTY_ID, 614 AS SCHOOL_DISTRICT_ID, 0 AS SCHOOL_ID", conn_);
  CertifiedImport::SplitAndUpdateTable(conn_, *keysOnly, "ATT_SD");
  EXPECT_EQ(vb::CLng(conn_->Scalar("SELECT count(*) FROM ATT_SD WHERE SCHOOL_DISTRICT_ID = 614")), 0);
}

// Row texts, row keys and certificate numbers: exact to the bit, because
// other offices compute them again from exported files.

#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "clsMyAdoUtils.h"
#include "clsMyCRC32.h"
#include "ScopeOfParams.h"
#include "modCOECertification.h"
#include "modGlobals.h"
#include "modMain.h"
#include "db/Catalog.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

class CertificationTest : public ProgramTest {
 protected:
  // The program's connection, and the scope of its current agency.
  db::ConnectionPtr Conn() { return modGlobals::gobjAdoUtils->Conn(); }
  forms::FormScope Scope() { return forms::ScopeOf(*modGlobals::gobjGlobalParam); }

  // A cut-down tax table with the key `key` (the first eight columns in
  // order unless said otherwise) and the two sample rows.
  db::RecordsetPtr SampleRows(const std::string& table, const std::string& key) {
    auto conn = modGlobals::gobjAdoUtils->Conn();
    conn->ExecuteScript("CREATE TABLE " + table +
                        " (FISCAL_YEAR INTEGER, PERIOD_ID INTEGER, COUNTY_ID INTEGER, SCHOOL_DISTRICT_ID INTEGER, "
                        "SCHOOL_ID INTEGER, RES_COUNTY_ID INTEGER, RES_SCHOOL_DISTRICT_ID INTEGER, TaxType SMALLINT, "
                        "ResCountyName VARCHAR(50) COLLATE NOCASE, Secured DOUBLE, Unsecured DOUBLE, "
                        "Explanation TEXT COLLATE NOCASE, CERT_KEY INTEGER, PRIMARY KEY (" +
                        key + "))");
    conn->Execute("INSERT INTO " + table +
                  " VALUES (2019, 2, 19, 64733, 0, 19, 64733, 1, 'Sample County', 1500, NULL, 'Late roll', NULL), "
                  "(2019, 2, 19, 64733, 0, 19, 64733, 0, 'Sample County', -250, 75, NULL, NULL)");
    auto rs = db::Recordset::Query("SELECT * FROM " + table + " ORDER BY TaxType DESC", conn);
    rs->ActiveConnection(nullptr);
    return rs;
  }
  const std::string kKey =
      "FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID, TaxType";
};

TEST_F(CertificationTest, TheWorkedExampleComesOutToTheBit) {
  auto rs = SampleRows("Example", kKey);
  EXPECT_EQ(modCOE::fcnGetStringForCertKey(Conn(), Scope(), "Example", *rs), "201921964733019647331Sample County1500Late roll");
  rs->MoveNext();
  EXPECT_EQ(modCOE::fcnGetStringForCertKey(Conn(), Scope(), "Example", *rs), "201921964733019647330Sample County-25075");

  modCOE::SetCertKeysInRs(Conn(), Scope(), "Example", *rs, false);
  EXPECT_TRUE(rs->Eof()) << "keying every row leaves the record set past its end";
  rs->MoveFirst();
  EXPECT_EQ(vb::CLng(rs->Value("CERT_KEY")), -797038661);
  rs->MoveNext();
  EXPECT_EQ(vb::CLng(rs->Value("CERT_KEY")), 995314163);

  clsGlobalParam P;
  EXPECT_EQ(modMain::GetSortOrder(Conn(), forms::ScopeOf(P), "Example"),
            " Order by FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
            "RES_SCHOOL_DISTRICT_ID, TaxType");
  const std::vector<std::string> order = modMain::GetSortKeys(Conn(), forms::ScopeOf(P), "Example");
  const std::int32_t certificate = modCOE::GetGroupCertKey(*rs, order);
  EXPECT_EQ(certificate, -2033101442);
  EXPECT_EQ(vb::CStr(modGlobals::gobjAdoUtils->Conn()->Scalar("SELECT hex8(?)", {Variant(certificate)})), "86D1557E");
  EXPECT_EQ(rs->Sort(), "") << "the sort is restored";

  // The same rows in another order give the same number...
  rs->Sort("TaxType");
  EXPECT_EQ(modCOE::GetGroupCertKey(*rs, order), -2033101442);
  // ...while genFormCertKey takes the record set's own order.
  rs->Sort("TaxType DESC");
  EXPECT_NE(modMain::genFormCertKey(*rs), -2033101442);
  rs->Sort("TaxType");
  EXPECT_EQ(modMain::genFormCertKey(*rs), -2033101442);
}

TEST_F(CertificationTest, TheKeyOrderOfTheTableDecidesTheCertificate) {
  // The same three rows under the usual key and under a key that puts the
  // tax type first: the rows sort differently, so the certificates differ.
  const std::string taxTypeFirst =
      "TaxType, FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID";
  std::vector<std::int32_t> certificates;
  for (const auto& [table, key] : std::vector<std::pair<std::string, std::string>>{{"UsualKey", kKey},
                                                                                   {"TaxTypeFirst", taxTypeFirst}}) {
    SampleRows(table, key);
    auto conn = modGlobals::gobjAdoUtils->Conn();
    conn->Execute("INSERT INTO " + table +
                  " VALUES (2019, 2, 19, 64733, 0, 19, 64734, 0, 'Sample County', 10, NULL, NULL, NULL)");
    auto rs = db::Recordset::Query("SELECT * FROM " + table, conn);
    modCOE::SetCertKeysInRs(Conn(), Scope(), table, *rs, false);
    clsGlobalParam P;
    P.formname = table;
    certificates.push_back(modCOE::GetGroupCertKey(*rs, modMain::GetSortKeys(Conn(), forms::ScopeOf(P), "")));
  }
  EXPECT_NE(certificates[0], certificates[1]);
}

TEST_F(CertificationTest, KeysOfSpecialRowsAndTables) {
  auto rs = SampleRows("Example", kKey);
  modCOE::SetCertKeysInRs(Conn(), Scope(), "Example", *rs, true);
  const Variant key = rs->Value("CERT_KEY");
  rs->SetValue("CERT_KEY", 12345);
  modCOE::SetCertKeysInRs(Conn(), Scope(), "Example", *rs, true);
  EXPECT_TRUE(rs->Value("CERT_KEY").Identical(key)) << "keying again restores the computed key";
  EXPECT_EQ(rs->AbsolutePosition(), 1) << "keying the current row stays on it";

  rs->SetValue("FISCAL_YEAR", 3019);
  modCOE::SetCertKeysInRs(Conn(), Scope(), "Example", *rs, true);
  EXPECT_TRUE(rs->Value("CERT_KEY").Identical(key)) << "the first character of the row text never counts";

  // Trailing blanks count, except in the cost-pool table, which trims them.
  auto conn = modGlobals::gobjAdoUtils->Conn();
  const char* twoColumns = " (A VARCHAR(10) COLLATE NOCASE, B VARCHAR(10) COLLATE NOCASE, CERT_KEY INTEGER)";
  conn->ExecuteScript(std::string("DROP TABLE SECOSTPOOL; CREATE TABLE SECOSTPOOL") + twoColumns +
                      "; CREATE TABLE PoolLike" + twoColumns);
  for (const char* table : {"SECOSTPOOL", "PoolLike"})
    conn->Execute(std::string("INSERT INTO ") + table + " (A, B) VALUES (' x', 'pool  ')");
  auto plain = db::Recordset::Query("SELECT * FROM PoolLike", conn);
  EXPECT_EQ(modCOE::fcnGetStringForCertKey(Conn(), Scope(), "PoolLike", *plain), " xpool  ");
  auto trimmed = db::Recordset::Query("SELECT * FROM SECOSTPOOL", conn);
  EXPECT_EQ(modCOE::fcnGetStringForCertKey(Conn(), Scope(), "secostpool", *trimmed), "xpool");

  // No rows: certificate 0 either way.
  auto none = db::Recordset::Query("SELECT * FROM Example WHERE 0", conn);
  EXPECT_EQ(modCOE::GetGroupCertKey(*none, {"FISCAL_YEAR"}), 0);
  EXPECT_EQ(modMain::genFormCertKey(*none), 0);
}

// Keying and certifying report a failed row and go on; they also say so,
// so that a save can refuse a key of 0 or a certificate of some keys.
TEST_F(CertificationTest, KeysAndCertificatesSayWhetherEveryRowCounted) {
  auto rs = SampleRows("Example", kKey);
  const std::vector<std::string> order = modMain::GetSortKeys(Conn(), Scope(), "Example");
  EXPECT_TRUE(modCOE::SetCertKeysInRs(Conn(), Scope(), "Example", *rs, false));
  EXPECT_EQ(modCOE::GroupCertKeyOfAll(*rs, order), std::optional<std::int32_t>(modCOE::GetGroupCertKey(*rs, order)));

  // Rows read without a column of the table: no row text can be made.
  auto partial = db::Recordset::Query("SELECT FISCAL_YEAR, PERIOD_ID, TaxType, CERT_KEY FROM Example", Conn());
  partial->ActiveConnection(nullptr);
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  EXPECT_FALSE(modCOE::SetCertKeysInRs(Conn(), Scope(), "Example", *partial, false));
  // Sorted by a key the rows lack: a number of the rows in another order.
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  EXPECT_EQ(modCOE::GroupCertKeyOfAll(*partial, order), std::nullopt);
  dialogs_.ExpectAllUsed();
}

TEST_F(CertificationTest, TheTaxTableKeysItsAmountsAsTheirTexts) {
  auto conn = modGlobals::gobjAdoUtils->Conn();
  conn->Execute(
      "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
      "RES_SCHOOL_DISTRICT_ID, TaxType, ResCountyName, Secured, Unsecured, Total, Explanation) "
      "VALUES (2019, 2, 61, 10610, 0, 61, 61001, 1, 'Alder County', 1500.5, -250, 1250.5, 'Late roll  ')");
  auto rs = db::Recordset::Query("SELECT * FROM Tax", conn);
  std::string expected;
  for (const std::string& column : db::catalog::ColumnNames(*conn, "Tax")) {
    if (column == "FISCAL_YEAR") expected += "2019";
    if (column == "PERIOD_ID") expected += "2";
    if (column == "COUNTY_ID" || column == "RES_COUNTY_ID") expected += "61";
    if (column == "SCHOOL_DISTRICT_ID") expected += "10610";
    if (column == "SCHOOL_ID") expected += "0";
    if (column == "RES_SCHOOL_DISTRICT_ID") expected += "61001";
    if (column == "TaxType") expected += "1";
    if (column == "ResCountyName") expected += "Alder County";
    if (column == "Secured") expected += "1500.5";
    if (column == "Unsecured") expected += "-250";
    if (column == "Total") expected += "1250.5";
    if (column == "Explanation") expected += "Late roll  ";
  }
  EXPECT_EQ(modCOE::fcnGetStringForCertKey(Conn(), Scope(), "Tax", *rs), expected);
}

TEST_F(CertificationTest, ARowWhoseTextFailsIsKeyedZeroAndTheRestAreKeyed) {
  // The middle row's district fills in its charter's block-grant form, and
  // the current county (88) has no county office to stand in for it.
  auto conn = modGlobals::gobjAdoUtils->Conn();
  conn->Execute(
      "INSERT INTO CS_BA (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
      "RES_SCHOOL_DISTRICT_ID) VALUES (2019, 2, 61, 61001, 6100102, 61, 61001), (2019, 2, 61, 61003, 6100101, 61, 61003), "
      "(2019, 2, 61, 61004, 6100401, 61, 61004)");
  modGlobals::gobjGlobalParam->CountyID = 88;
  auto rs = db::Recordset::Query("SELECT * FROM CS_BA ORDER BY SCHOOL_DISTRICT_ID", conn);
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  modCOE::SetCertKeysInRs(Conn(), Scope(), "CS_BA", *rs, false);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Procedure: fcnGetStringForCertKey"), std::string::npos);
  std::vector<std::int32_t> keys;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) keys.push_back(vb::CLng(rs->Value("CERT_KEY")));
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_NE(keys[0], 0);
  EXPECT_EQ(keys[1], 0);
  EXPECT_NE(keys[2], 0) << "the row after the failing one is keyed too";
  dialogs_.ExpectAllUsed();
}

TEST_F(CertificationTest, ANullKeyIsAnErrorForTheFormAndEmptyForTheGroup) {
  auto conn = modGlobals::gobjAdoUtils->Conn();
  conn->ExecuteScript("CREATE TABLE Keyed (ID INTEGER PRIMARY KEY, CERT_KEY INTEGER)");
  conn->Execute("INSERT INTO Keyed VALUES (3, 22), (1, 11), (2, NULL)");
  const std::int32_t expected = clsMyCRC32().GetCRC32("1122");

  // The form's certificate reports the Null row and counts the others.
  auto rs = db::Recordset::Query("SELECT * FROM Keyed ORDER BY ID", conn);
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  EXPECT_EQ(modMain::genFormCertKey(*rs), expected);
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Error No: 94"), std::string::npos);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Procedure: genFormCertKey"), std::string::npos);
  dialogs_.ExpectAllUsed();

  // The group certificate takes it as "", whatever the order read, and
  // leaves the record set past its last row for the caller's loop.
  auto unsorted = db::Recordset::Query("SELECT * FROM Keyed", conn);
  EXPECT_EQ(modCOE::GetGroupCertKey(*unsorted, {"ID"}), expected);
  EXPECT_TRUE(unsorted->Eof());
  EXPECT_EQ(unsorted->Sort(), "");
  EXPECT_EQ(dialogs_.Prompts().size(), 1u) << "no further report";
}

TEST_F(CertificationTest, BlockGrantRowsOfFillingDistrictsTakeTheCountyOfficesDistrict) {
  auto conn = modGlobals::gobjAdoUtils->Conn();
  // A county with its office and two districts, one of which fills in the
  // block-grant form of its charter school.
  conn->Execute("DELETE FROM KRN_LEAS WHERE COUNTY_ID = 77");
  conn->Execute(
      "INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, LEA_TYPE, STAT_TYPE, "
      "CS_BA_CHARTER_FILL_BY_DIST) VALUES (2019, 77, 10770, 0, 2, 'OPEN', 0), (2019, 77, 50001, 0, 3, 'OPEN', 0), "
      "(2019, 77, 50001, 7700001, 4, 'OPEN', -1), (2019, 77, 50002, 0, 3, 'OPEN', 0)");
  modGlobals::gobjGlobalParam->CountyID = 77;
  conn->Execute(
      "INSERT INTO CS_BA (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
      "RES_SCHOOL_DISTRICT_ID) VALUES (2019, 2, 77, 50001, 7700001, 77, 50001), (2019, 2, 77, 50002, 7700002, 77, 50002)");
  auto rows = db::Recordset::Query("SELECT * FROM CS_BA WHERE COUNTY_ID = 77 ORDER BY SCHOOL_DISTRICT_ID", conn);
  const std::string filling = modCOE::fcnGetStringForCertKey(Conn(), Scope(), "CS_BA", *rows);
  rows->MoveNext();
  const std::string own = modCOE::fcnGetStringForCertKey(Conn(), Scope(), "cs_ba", *rows);
  EXPECT_EQ(filling, "201927710770770000177" "50001") << "the county office's district in place of the row's";
  EXPECT_EQ(own, "201927750002770000277" "50002");
}

}  // namespace

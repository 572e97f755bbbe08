// The merge of a checked file: rows added or written over under the
// four-answer question, the groups' certificates and record counts, the
// forms' status rows and notes, the dependent forms' edit checks, and a
// write the database refuses, which imports nothing.

#include <gtest/gtest.h>

#include "ImportFixture.h"
#include "clsMyCRC32.h"
#include "vb/Conversions.h"

using namespace importfixture;
namespace fs = std::filesystem;

namespace {

// The worked example: Larkspur Unified's two tax rows with their keys and
// the status row of their certificate, as the county office exported them.
const std::string kExampleRows =
    "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
    " RES_SCHOOL_DISTRICT_ID, TaxType, ResCountyName, Secured, Unsecured, Explanation, CERT_KEY) VALUES"
    " (2019, 2, 19, 64733, 0, 19, 64733, 1, 'Sample County', 1500, NULL, 'Late roll', -797038661),"
    " (2019, 2, 19, 64733, 0, 19, 64733, 0, 'Sample County', -250, 75, NULL, 995314163);";
const std::string kExampleStatus =
    "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,"
    " CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_MODIFIED_DATE, LAST_EDIT_CHECK_DATE,"
    " LAST_EXPORT_DATE, PY_REASON_CODE, PY_FORMS_CORRECTED, PY_CORRECTION_NOTE) VALUES (2019, 2, 19, 64733, 0, 29,"
    " -2033101442, 2, 1, 1, '2026-11-02 09:15:00', '2026-11-03 10:00:00', '2026-11-04 00:00:00', 0, 'No', NULL);";
const std::string kExample = kExampleRows + kExampleStatus + Toc("Tax", 19, 64733, 0);

const char* kTaxRows =
    "SELECT TaxType, ResCountyName, Secured, Unsecured, Explanation, CERT_KEY FROM Tax WHERE SCHOOL_DISTRICT_ID = 64733"
    " ORDER BY TaxType";
const char* kTaxStatus =
    "SELECT CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_MODIFIED_DATE, LAST_EDIT_CHECK_DATE,"
    " LAST_EXPORT_DATE, LAST_IMPORT_DATE, PY_REASON_CODE, PY_FORMS_CORRECTED FROM LEA_FORMS_STATUS"
    " WHERE SCHOOL_DISTRICT_ID = 64733 AND FORM_NO = 29";

std::string Counts(const std::string& report, const std::string& group) {
  const std::size_t at = report.find("Import Group: " + group + "\r\n");
  if (at == std::string::npos) return "no block";
  const std::size_t end = report.find("\r\n\r\n", at);
  std::string block = report.substr(at, end - at);
  std::string counts;
  if (block.find("Program Skipped.") != std::string::npos) counts += "skipped ";
  for (const char* label : {"Copied = ", "Overwritten = "}) {
    const std::size_t n = block.find(label);
    counts += block.substr(n + std::string(label).size(), block.find("\r\n", n) - n - std::string(label).size()) + " ";
  }
  return counts;
}

}  // namespace

TEST_F(ImportTest, TheWorkedExampleArrivesWithItsRowsCertificateAndStatusRow) {
  Execute("INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,"
          " LAST_EXPORT_DATE) VALUES (2019, 2, 19, 64733, 0, 29, '2026-10-01 00:00:00')");
  const std::string report = Import(File(kExample));
  EXPECT_EQ(Counts(report, "Property Tax"), "2 0 ");
  EXPECT_EQ(questions_, std::vector<std::string>{});
  EXPECT_EQ(Rows(kTaxRows), "0|Sample County|-250|75||995314163; 1|Sample County|1500||Late roll|-797038661");
  EXPECT_EQ(Rows(kTaxStatus), "-2033101442|2|0|0|11/2/2026 9:15:00 AM|11/3/2026 10:00:00 AM|10/1/2026|"
                              "12/9/2026 2:33:57 PM|0|No");
  EXPECT_EQ(vb::CStr(conn_->Scalar("SELECT hex8(CERTIFICATE_NUMBER) FROM LEA_FORMS_STATUS WHERE FORM_NO = 29")),
            "86D1557E");
}

TEST_F(ImportTest, TheQuestionComesOnceForAnExistingGroupAndItsAnswerDecides) {
  struct Case {
    int button;
    const char* counts;
    const char* secured;  // of the row changed locally
    bool importDateRenewed;
  };
  const Case cases[] = {{0, "0 2 ", "1500", true}, {1, "skipped 0 0 ", "999", false}};
  const fs::path file = File(kExample);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    Execute("DELETE FROM Tax; DELETE FROM LEA_FORMS_STATUS;");
    Import(file);
    Execute("UPDATE Tax SET Secured = 999 WHERE TaxType = 1");
    const std::string before = Rows(kTaxStatus);
    clock_.Advance(86400);
    questions_.clear();
    Answer(c.button);
    const std::string report = Import(file);
    EXPECT_EQ(questions_, std::vector<std::string>{"Import: Record for Property Tax already exists, Overwrite?"});
    EXPECT_EQ(Counts(report, "Property Tax"), c.counts);
    EXPECT_EQ(Rows("SELECT Secured FROM Tax WHERE TaxType = 1"), c.secured);
    EXPECT_EQ(Rows(kTaxStatus) != before, c.importDateRenewed);
  }
}

TEST_F(ImportTest, YesToAllAndNoToAllHoldForEveryFurtherGroupWithoutAnotherQuestion) {
  const std::string gate = "INSERT INTO GATE (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID,"
                           " CERT_KEY) VALUES (2019, 2, 19, 64733, 0, 77);";
  const fs::path file = File(kExample + gate + Status(19, 64733, 0, 120) + Toc("GATE", 19, 64733, 0));
  Import(file);
  Execute("UPDATE GATE SET CERT_KEY = 1; UPDATE Tax SET Secured = 999;");

  Answer(2);
  std::string report = Import(file);
  EXPECT_EQ(questions_.size(), 1u);
  EXPECT_EQ(Counts(report, "Gifted and Talented Education"), "0 1 ");
  EXPECT_EQ(Counts(report, "Property Tax"), "0 2 ");
  EXPECT_EQ(Rows("SELECT CERT_KEY FROM GATE"), "77");

  Execute("UPDATE GATE SET CERT_KEY = 1; UPDATE Tax SET Secured = 999;");
  questions_.clear();
  Answer(3);
  report = Import(file);
  EXPECT_EQ(questions_.size(), 1u);
  EXPECT_EQ(Counts(report, "Gifted and Talented Education"), "skipped 0 0 ");
  EXPECT_EQ(Counts(report, "Property Tax"), "skipped 0 0 ");
  EXPECT_EQ(Rows("SELECT CERT_KEY FROM GATE"), "1");
}

TEST_F(ImportTest, AGroupWhoseFirstRowIsNewOverwritesItsLaterRowsWithoutAQuestion) {
  // The incoming rows come in key order: type 0, then type 1.
  Execute(kExampleRows + "DELETE FROM Tax WHERE TaxType = 0; UPDATE Tax SET Secured = 999;");
  const std::string report = Import(File(kExample));
  EXPECT_EQ(questions_, std::vector<std::string>{});
  EXPECT_EQ(Counts(report, "Property Tax"), "1 1 ");
  EXPECT_EQ(Rows("SELECT Secured FROM Tax ORDER BY TaxType"), "-250; 1500");
}

TEST_F(ImportTest, TextKeysWithAnApostropheOrInAnotherCaseAndStudentNumbersMatchTheirRows) {
  auto student = [](const char* id, int cost) {
    return "INSERT INTO SELPAMENTALHEALTH (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID,"
           " SELPALOCATION, HOLBRINStudentID, CostOfMHRoomBoard) VALUES (2019, 2, 19, 612, 0, 19, '" +
           vb::Replace(id, "'", "''") + "', " + std::to_string(cost) + ");";
  };
  // The stored key in another letter case matches, and takes the file's.
  Execute(student("o'hara-1", 5) + student("0042", 5));
  Answer(0);
  const std::string report =
      Import(File(student("O'Hara-1", 10) + student("0042", 20) + student("42", 30) + Status(19, 612, 0, 100) +
                  Toc("SELPAMENTALHEALTH", 19, 612, 0)));
  // "42" is another student than "0042": the number is matched as text.
  EXPECT_EQ(questions_.size(), 1u);
  EXPECT_EQ(Counts(report, "SELPA Mental Health Costs"), "1 2 ");
  EXPECT_EQ(Rows("SELECT HOLBRINStudentID, CostOfMHRoomBoard FROM SELPAMENTALHEALTH ORDER BY HOLBRINStudentID"),
            "0042|20; 42|30; O'Hara-1|10");
}

TEST_F(ImportTest, TheClassSizeGroupReplacesTheDistrictsRowsUnlessNoToAllCameBefore) {
  auto size = [](const char* grade) {
    return "INSERT INTO BRL_SD_CSP_NEW (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, GRADE,"
           " FULL_PERIOD, AVG_CLASS_ENROLL_SIZE, NO_CLASSES_SIZE, FRACTION_IN_SESSION) VALUES (2019, 2, 19, 612, 0, '" +
           std::string(grade) + "', 1, 20, 2, 1);";
  };
  const std::string working = size("K") + size("1") + size("2");
  const std::string sizes = size("K") + size("F") + Status(19, 612, 0, 116) + Toc("BRL_SD_CSP_NEW", 19, 612, 0);
  Execute(working);
  std::string report = Import(File(sizes, "sizes"));
  EXPECT_EQ(questions_, std::vector<std::string>{});
  EXPECT_EQ(Counts(report, "Class Size Penalties"), "2 0 ");
  EXPECT_EQ(Rows("SELECT GRADE FROM BRL_SD_CSP_NEW ORDER BY GRADE"), "F; K");

  // An earlier group answered No to All: the district's rows stay.
  Execute("DELETE FROM BRL_SD_CSP_NEW;" + working +
          "INSERT INTO ATTCOE (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID) VALUES"
          " (2019, 2, 19, 10199, 0);");
  Answer(3);
  report = Import(File(sizes + Status(19, 10199, 0, 23) + Toc("ATTCOE", 19, 10199, 0) +
                           "INSERT INTO ATTCOE (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)"
                           " VALUES (2019, 2, 19, 10199, 0);",
                       "after-no-to-all"));
  EXPECT_EQ(Counts(report, "Class Size Penalties"), "skipped 0 0 ");
  EXPECT_EQ(Rows("SELECT GRADE FROM BRL_SD_CSP_NEW ORDER BY GRADE"), "1; 2; K");
}

TEST_F(ImportTest, BlockGrantRowsOfTypeTwoAreCopiedButStayOutOfCountsAndCertificate) {
  auto grant = [](int type, int key) {
    return "INSERT INTO ATT_CS_BG_U (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
           " RES_SCHOOL_DISTRICT_ID, TYPE, FORM_NO, CERT_KEY) VALUES (2019, 2, 19, 612, 6120001, 19, 612, " +
           std::to_string(type) + ", 43, " + std::to_string(key) + ");";
  };
  const std::string report = Import(File(grant(1, 12345) + grant(2, 67890) + Status(19, 612, 6120001, 43) +
                                         Toc("ATT_CS_BG_U", 19, 612, 6120001)));
  EXPECT_EQ(Counts(report, "Charter Block Grant - Non-Unified"), "1 0 ");
  EXPECT_EQ(Rows("SELECT TYPE FROM ATT_CS_BG_U ORDER BY TYPE"), "1; 2");
  EXPECT_EQ(Rows("SELECT CERTIFICATE_NUMBER, NUM_RECORD FROM LEA_FORMS_STATUS WHERE FORM_NO = 43"),
            std::to_string(clsMyCRC32().GetCRC32("12345")) + "|1");
}

TEST_F(ImportTest, StatusRowsFollowTheEntryCheckRulesAndNotes) {
  auto status = [](int district, int school, int form, const char* counts) {
    return "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,"
           " NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_EDIT_CHECK_DATE, LAST_EXPORT_DATE) VALUES (2019, 2, 19, " +
           std::to_string(district) + ", " + std::to_string(school) + ", " + std::to_string(form) + ", " + counts +
           ", '2026-01-05 00:00:00', '2026-01-06 00:00:00');";
  };
  const std::string fileStatus =
      "UPDATE LEA_FORMS_STATUS SET LAST_EDIT_CHECK_DATE = '2026-11-03 10:00:00', NUM_ERROR = 9;";
  auto bs = [](int district) {
    return "INSERT INTO ATT_SD_BS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
           " RES_SCHOOL_DISTRICT_ID) VALUES (2019, 2, 19, " + std::to_string(district) + ", 0, 19, 613);";
  };
  auto health = [](int district) {
    return "INSERT INTO SELPAMENTALHEALTH (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID,"
           " SELPALOCATION, HOLBRINStudentID) VALUES (2019, 2, 19, " + std::to_string(district) + ", 0, 19, 'A1');";
  };
  auto supp = [](int school) {
    return "INSERT INTO AttSuppIns (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID) VALUES"
           " (2019, 2, 19, 612, " + std::to_string(school) + ");";
  };
  // A type-2 group held before (612) and not (613), ATT_SD_BS held before,
  // and the supplemental instruction of a district and of a school.
  Execute(health(612) + bs(612) + status(612, 0, 100, "1, 3, 4") + status(612, 0, 22, "1, 3, 4") +
          status(613, 0, 100, "0, 3, 4"));
  Execute("INSERT INTO TORB_FORM_NOTES (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NAME,"
          " FORM_NOTE) VALUES (2019, 2, 19, 612, 0, 'SELPAMENTALHEALTH', 'working note'),"
          " (2019, 2, 19, 612, 0, 'ATT_SD_BS', 'kept note')");
  Answer(2);
  Import(File(health(612) + health(613) + bs(612) + supp(0) + supp(6120001) + Status(19, 612, 0, 100) +
              Status(19, 613, 0, 100) + Status(19, 612, 0, 22) + Status(19, 612, 0, 506) + Status(19, 612, 6120001, 507) +
              fileStatus + Toc("SELPAMENTALHEALTH", 19, 612, 0) + Toc("SELPAMENTALHEALTH", 19, 613, 0) +
              Toc("ATT_SD_BS", 19, 612, 0) + Toc("AttSuppIns", 19, 612, 0) + Toc("AttSuppIns", 19, 612, 6120001) +
              "INSERT INTO TORB_FORM_NOTES (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID,"
              " FORM_NAME, FORM_NOTE) VALUES (2019, 2, 19, 612, 0, 'SELPAMENTALHEALTH', 'file note');"));
  const std::string columns =
      "SELECT NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_EDIT_CHECK_DATE, LAST_EXPORT_DATE FROM LEA_FORMS_STATUS WHERE ";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"SCHOOL_DISTRICT_ID = 612 AND FORM_NO = 100", "1|3|4||1/6/2026"},
      {"SCHOOL_DISTRICT_ID = 613 AND FORM_NO = 100", "1|0|0|11/3/2026 10:00:00 AM|1/6/2026"},
      {"SCHOOL_DISTRICT_ID = 612 AND FORM_NO = 22", "1|0|0|11/3/2026 10:00:00 AM|1/6/2026"},
      {"SCHOOL_ID = 0 AND FORM_NO = 506", "1|0|0|11/3/2026 10:00:00 AM|"},
      {"SCHOOL_ID = 6120001 AND FORM_NO = 507", "1|0|0|11/3/2026 10:00:00 AM|"},
  };
  for (const auto& [where, row] : cases) EXPECT_EQ(Rows(columns + where), row) << where;
  EXPECT_EQ(Rows("SELECT FORM_NAME, FORM_NOTE FROM TORB_FORM_NOTES ORDER BY FORM_NAME"),
            "ATT_SD_BS|kept note; SELPAMENTALHEALTH|file note");
}

TEST_F(ImportTest, AnImportedGroupClearsTheEditCheckOfTheFormsThatDependOnIt) {
  auto status = [](int school, int period, int form, int records) {
    return "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,"
           " NUM_RECORD, LAST_EDIT_CHECK_DATE) VALUES (2019, " + std::to_string(period) + ", 19, 612, " +
           std::to_string(school) + ", " + std::to_string(form) + ", " + std::to_string(records) +
           ", '2026-01-05 00:00:00');";
  };
  Execute(status(0, 2, 110, 5) + status(0, 2, 111, 0) + status(0, 1, 112, 5) + status(6120001, 3, 41, 3) +
          status(6120002, 3, 41, 3));
  Import(File("INSERT INTO ATT_SD (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID) VALUES"
              " (2019, 2, 19, 612, 0);"
              "INSERT INTO ATTCSACD (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID) VALUES"
              " (2019, 2, 19, 612, 6120001);" +
              Status(19, 612, 0, 21) + Status(19, 612, 6120001, 40) + Toc("ATT_SD", 19, 612, 0) +
              Toc("ATTCSACD", 19, 612, 6120001)));
  EXPECT_EQ(Rows("SELECT FORM_NO, SCHOOL_ID, PERIOD_ID, LAST_EDIT_CHECK_DATE FROM LEA_FORMS_STATUS"
                 " WHERE FORM_NO IN (110, 111, 112, 41) ORDER BY FORM_NO, SCHOOL_ID"),
            "41|6120001|3|; 41|6120002|3|1/5/2026; 110|0|2|; 111|0|2|1/5/2026; 112|0|1|1/5/2026");
}

TEST_F(ImportTest, AWriteTheDatabaseRefusesImportsNothing) {
  // The file's tax table allows what the working one refuses: no district
  // of residence.
  const std::string looseTax =
      vb::CStr(conn_->Scalar("SELECT sql FROM sqlite_schema WHERE name = 'Tax'"));
  const std::string gate = "INSERT INTO GATE (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)"
                           " VALUES (2019, 2, 19, 64733, 0);";
  const fs::path file = File("DROP TABLE Tax; " + vb::Replace(looseTax, "NOT NULL", "") + ";" +
                             "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID,"
                             " RES_COUNTY_ID, TaxType) VALUES (2019, 2, 19, 64733, 0, 19, 0);" +
                             gate + Status(19, 64733, 0, 29) + Status(19, 64733, 0, 120) + Toc("GATE", 19, 64733, 0) +
                             Toc("Tax", 19, 64733, 0));
  const std::string before = Dump();
  frmImport& w = Window();
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  dialogs_.AcknowledgeMessages(1);
  SelectFile(file);
  const auto messages = dialogs_.TakeMessages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_NE(messages[0].find("NOT NULL"), std::string::npos) << messages[0];
  EXPECT_EQ(messages[1], "Import process failed. Nothing was imported.");
  EXPECT_EQ(Dump(), before);
  EXPECT_EQ(w.LastReport(), "");
}

TEST_F(ImportTest, AFillingDistrictReceivesTheCountyOfficesBlockGrantRowsUnderItsOwnCode) {
  const std::string csba = "INSERT INTO CS_BA (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID,"
                           " RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID, CERT_KEY) VALUES (2019, 2, 19, 10199, 6120001, 19,"
                           " 613, 4321);";
  const fs::path file =
      File(csba + Status(19, 10199, 6120001, 50) + Toc("CS_BA", 19, 10199, 6120001), "block-grant");
  const std::string chosen = Bytes(file);
  const std::string report = Import(file, Scope(3, 19, 612));
  EXPECT_NE(report.find("Number of Records Copied = 1\r\n"), std::string::npos) << report;
  EXPECT_EQ(Rows("SELECT SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_SCHOOL_DISTRICT_ID FROM CS_BA"), "612|6120001|613");
  EXPECT_EQ(Rows("SELECT SCHOOL_DISTRICT_ID, SCHOOL_ID, NUM_RECORD FROM LEA_FORMS_STATUS WHERE FORM_NO = 50"),
            "612|6120001|1");
  EXPECT_EQ(Bytes(file), chosen) << "the re-key is the copy's";
}

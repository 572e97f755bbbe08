// One import from the import window: the file choice, the private copy, the
// refusals and the report; and the merge's walk over the table of contents,
// its report lines, the whole-district replacement and its rollback.

#include <gtest/gtest.h>

#include <fstream>

#include "ImportFixture.h"
#include "db/SealedFile.h"
#include "vb/Conversions.h"

using namespace importfixture;
namespace fs = std::filesystem;

namespace {

constexpr const char* kHeading = "Import Date & Time: Dec-09-2026  14:33:57\r\n\r\nCertified Data FileName: ";

std::string Blocks(const std::string& report) {
  std::string blocks;
  for (std::size_t at = report.find("Import Group: "); at != std::string::npos;
       at = report.find("Import Group: ", at + 1))
    blocks += report.substr(at + 14, report.find("\r\n", at) - at - 14) + ";";
  return blocks;
}

}  // namespace

TEST_F(ImportTest, ACountyOfficeFileIsMergedAndReportedWithTheChosenFileUntouchedAndNoCopyLeft) {
  // The tax group of Larkspur Unified, without rows of it in the file.
  const fs::path file = File(Status(19, 64733, 0, 29) + Toc("Tax", 19, 64733, 0) + TaxRow(19, 612, 0, 612));
  const std::string chosen = Bytes(file);
  frmImport& w = Window();
  EXPECT_EQ(w.windowTitle().toStdString(), "Importing Certified Data");
  ExpectReport();
  SelectFile(file);

  const std::string expected = kHeading + file.string() +
                               "\r\n\r\nImport Group: Property Tax\r\n\tProgram Skipped.\r\n\tNumber of Records Copied = "
                               "0\r\n\tNumber of Records Overwritten = 0\r\n\r\n\r\nImport Operation Completed.";
  EXPECT_EQ(w.LastReport(), expected);
  EXPECT_EQ(shownReport_, vb::Replace(expected, "\r\n", "\n"));
  EXPECT_EQ(Bytes(file), chosen);
  EXPECT_EQ(Temporaries(), std::vector<std::string>{});
  EXPECT_EQ(w.txtFileName->text().toStdString(), file.string());
  EXPECT_TRUE(w.isEnabled());
  ASSERT_EQ(dialogs_.Prompts().size(), 2u);
  EXPECT_EQ(dialogs_.Prompts()[0].kind, "OpenFile");
  EXPECT_EQ(dialogs_.Prompts()[0].title, "Import Data File");
  EXPECT_EQ(dialogs_.Prompts()[1].kind, "ShowModal");
}

TEST_F(ImportTest, TheFileDialogProposesTheExportsNamesInTheImportFolderAndACancelSaysNothing) {
  frmImport& w = Window();
  SelectFile(std::nullopt);
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_EQ(dialogs_.Prompts()[0].kind, "OpenFile");
  EXPECT_TRUE(w.isEnabled());
  EXPECT_EQ(w.txtFileName->text().toStdString(), "");
  EXPECT_EQ(w.LastReport(), "");
}

TEST_F(ImportTest, AMissingFileAndACopyThatCannotBeWrittenAreToldAsSuch) {
  frmImport& w = Window();
  dialogs_.AcknowledgeMessages(1);
  SelectFile(ProgramFolder() / "Import" / "VuzO19_missing");
  EXPECT_EQ(dialogs_.TakeMessages(), std::vector<std::string>{"Import file is not available"});
  EXPECT_TRUE(w.isEnabled());

  const fs::path file = File(Status(19, 64733, 0, 29));
  setenv("TMPDIR", (ProgramFolder() / "no such folder").c_str(), 1);
  dialogs_.AcknowledgeMessages(1);
  SelectFile(file);
  EXPECT_EQ(dialogs_.LastPrompt().title, "Levrona");
  EXPECT_EQ(dialogs_.LastPrompt().style, ui::vbInformation);
  EXPECT_EQ(dialogs_.TakeMessages(),
            std::vector<std::string>{"Import process cannot be completed. Invalid file selected."});
  EXPECT_TRUE(w.isEnabled());
}

TEST_F(ImportTest, ABadFileIsRefusedWithTheFourLinesAndChangesNothing) {
  const fs::path good = File(Status(19, 64733, 0, 29) + Toc("Tax", 19, 64733, 0));
  const std::string sealed = Bytes(good);
  auto write = [&](const std::string& name, const std::string& bytes) {
    const fs::path path = ProgramFolder() / "Import" / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  };
  std::string changed = sealed;
  changed[sealed.size() / 2] ^= 0x01;
  std::string random;
  for (int i = 0; i < 5000; ++i) random += static_cast<char>((i * 7919 + 13) % 251);
  const fs::path text = write("notes.txt", "not a database at all\n");
  db::sealBytes(text, ProgramFolder() / "Import" / "no-database", "ZJX", db::kMinKeyCost);
  const std::vector<std::pair<std::string, fs::path>> files = {
      {"random bytes", write("random", random)},
      {"truncated", write("truncated", sealed.substr(0, sealed.size() - 100))},
      {"one byte changed", write("changed", changed)},
      {"another password", File(Status(19, 64733, 0, 29), "other-password", "ZJY")},
      {"an envelope without a database", ProgramFolder() / "Import" / "no-database"},
      {"a status row of another year", File(Status(19, 64733, 0, 29, 2018), "other-year")},
  };
  frmImport& w = Window();
  const std::string before = Dump();
  for (const auto& [name, path] : files) {
    SCOPED_TRACE(name);
    const std::string bytes = Bytes(path);
    dialogs_.ClearPrompts();
    dialogs_.AcknowledgeMessages(1);
    SelectFile(path);
    ASSERT_EQ(dialogs_.Prompts().size(), 2u) << "the file dialog and the refusal, no error report";
    EXPECT_EQ(dialogs_.Prompts()[1].text, frmImport::RefusalMessage());
    EXPECT_EQ(dialogs_.Prompts()[1].title, "Levrona");
    EXPECT_EQ(dialogs_.Prompts()[1].style, ui::vbInformation);
    EXPECT_EQ(Dump(), before);
    EXPECT_EQ(Bytes(path), bytes);
    EXPECT_EQ(Temporaries(), std::vector<std::string>{});
    EXPECT_TRUE(w.isEnabled());
  }
  EXPECT_EQ(frmImport::RefusalMessage(),
            "The file selected for import failed due to one or more of the following import criteria: \r\n"
            "1. Invalid LEA / Charter / Period has been selected\r\n"
            "2. Insufficient information in the import file\r\n"
            "3. Corrupted Data in the import file\r\n");
}

TEST_F(ImportTest, TheWalkWritesOneBlockPerGroupWhateverTheNumberOfAgencies) {
  const std::string twoGroups = Status(19, 64733, 0, 29) + Status(19, 612, 0, 29) + Status(19, 64733, 0, 30) +
                                Status(19, 613, 0, 30) + Toc("TAXMISC", 19, 613, 0) + Toc("Tax", 19, 612, 0) +
                                Toc("TAXMISC", 19, 64733, 0) + Toc("Tax", 19, 64733, 0);
  frmImport& w = Window();
  ExpectReport();
  SelectFile(File(twoGroups, "two-groups"));
  EXPECT_EQ(Blocks(w.LastReport()), "Property Tax;Miscellaneous Tax;");

  ExpectReport();
  const fs::path empty = File(Status(19, 64733, 0, 29), "empty");
  SelectFile(empty);
  EXPECT_EQ(w.LastReport(), kHeading + empty.string() + "\r\n\r\n\r\nImport Operation Completed.")
      << "an empty table of contents writes no block";
}

TEST_F(ImportTest, GateOfTheOwnDistrictReadsTheCountysOtherSchoolsAndAnotherDistrictOnlyItsOwn) {
  auto gate = [](int county, int district, int school) {
    return "INSERT INTO GATE (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID) VALUES (2019, 2, " +
           std::to_string(county) + ", " + std::to_string(district) + ", " + std::to_string(school) + ");";
  };
  const fs::path file = File(Toc("GATE", 19, 612, 0) + Toc("GATE", 19, 613, 0) + Toc("ATTCSSBC", 19, 612, 6120001) +
                             gate(19, 612, 0) + gate(19, 612, 6120001) + gate(19, 613, 0) + gate(19, 613, 6130001) +
                             gate(20, 2001, 2000001) +
                             "INSERT INTO GATE (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)"
                             " VALUES (2019, 1, 19, 613, 6130002);"
                             "INSERT INTO ATTCSBGCOE (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID,"
                             " SCHOOL_ID, FORM_NO) VALUES (2019, 2, 19, 612, 6120001, 46), (2019, 2, 19, 612, 6120009,"
                             " 46);");
  db::TemporaryFile copy = db::unseal(file, "ZJX");
  ImportFile attached(conn_, copy.Path());
  CertifiedImport import(conn_, Scope(3, 19, 612));
  db::RecordsetPtr toc = db::Recordset::Query(
      "SELECT * FROM other.EXPORT_FILE_INFO ORDER BY FORM_GROUP_NAME, SCHOOL_DISTRICT_ID", conn_);
  auto schools = [&] {
    std::string text;
    db::RecordsetPtr rows = import.IncomingRowsOf(*toc);
    rows->Sort("SCHOOL_DISTRICT_ID, SCHOOL_ID");
    for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext())
      text += vb::CStr(rows->Value("SCHOOL_DISTRICT_ID")) + "-" + vb::CStr(rows->Value("SCHOOL_ID")) + " ";
    toc->MoveNext();
    return text;
  };
  EXPECT_EQ(schools(), "612-6120001 ") << "the block-grant group reads its school in AttCsBgCoe";
  EXPECT_EQ(schools(), "612-0 612-6120001 613-6130001 ") << "the own district";
  EXPECT_EQ(schools(), "613-0 613-6130001 ") << "another district";
}

TEST_F(ImportTest, TheClassSizeGroupReplacesTheDistrictsRowsAndAFailedStepAnsweredIgnoreImportsNothing) {
  auto rows = [](int district, int period, const char* grade) {
    return "INSERT INTO BRL_SD_CSP_NEW (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, GRADE,"
           " FULL_PERIOD, AVG_CLASS_ENROLL_SIZE, NO_CLASSES_SIZE, FRACTION_IN_SESSION) VALUES (2019, " +
           std::to_string(period) + ", 19, " + std::to_string(district) + ", 0, '" + grade + "', 1, 20, 2, 1);";
  };
  Execute(rows(612, 2, "K") + rows(612, 2, "1") + rows(612, 1, "K") + rows(613, 2, "K") + rows(614, 2, "K"));
  const fs::path file = File(Status(19, 612, 0, 116) + Status(19, 613, 0, 116) + Toc("BRL_SD_CSP_NEW", 19, 612, 0) +
                             Toc("BRL_SD_CSP_NEW", 19, 613, 0));
  frmImport& w = Window();

  // A refused delete of the second district, answered Ignore, undoes the
  // first district's delete.
  Execute("CREATE TRIGGER Refuse BEFORE DELETE ON BRL_SD_CSP_NEW WHEN old.SCHOOL_DISTRICT_ID = 613"
          " BEGIN SELECT RAISE(ABORT, 'refused'); END;");
  const std::string before = Dump();
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  dialogs_.AcknowledgeMessages(1);
  SelectFile(file);
  const auto messages = dialogs_.TakeMessages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_NE(messages[0].find("refused"), std::string::npos);
  EXPECT_EQ(messages[1], "Import process failed. Nothing was imported.");
  EXPECT_EQ(Dump(), before);
  EXPECT_EQ(Temporaries(), std::vector<std::string>{});

  Execute("DROP TRIGGER Refuse");
  const int turns = clock_.Turns();
  ExpectReport();
  SelectFile(file);
  EXPECT_EQ(vb::CStr(conn_->Scalar("SELECT group_concat(SCHOOL_DISTRICT_ID || '/' || PERIOD_ID, ' ') FROM"
                                   " BRL_SD_CSP_NEW")),
            "612/1 614/2")
      << "the districts' rows of the period go; another period and district stay";
  EXPECT_EQ(clock_.Turns(), turns) << "no waiting";
  EXPECT_EQ(Blocks(w.LastReport()), "Class Size Penalties;");
}

TEST_F(ImportTest, RetryRunsAFailedStepAgainFromItsStart) {
  Execute("INSERT INTO BRL_SD_CSP_NEW (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, GRADE,"
          " FULL_PERIOD, AVG_CLASS_ENROLL_SIZE, NO_CLASSES_SIZE, FRACTION_IN_SESSION) VALUES"
          " (2019, 2, 19, 612, 0, 'K', 1, 20, 2, 1), (2019, 2, 19, 612, 0, '1', 1, 20, 2, 1);"
          "CREATE TRIGGER Refuse BEFORE DELETE ON BRL_SD_CSP_NEW WHEN old.GRADE = '1'"
          " BEGIN SELECT RAISE(ABORT, 'refused'); END;");
  const fs::path file = File(Status(19, 612, 0, 116) + Toc("BRL_SD_CSP_NEW", 19, 612, 0));
  frmImport& w = Window();
  // The user mends the cause while the report is shown, then retries.
  dialogs_.AnswerMsgBox(ui::vbRetry, [&] { Execute("DROP TRIGGER Refuse"); });
  ExpectReport();
  SelectFile(file);
  EXPECT_EQ(Blocks(w.LastReport()), "Class Size Penalties;");
  EXPECT_EQ(Rows("SELECT count(*) FROM BRL_SD_CSP_NEW"), "0") << "both rows of the district went, none half";
}

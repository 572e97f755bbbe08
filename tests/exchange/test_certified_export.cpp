// The export run's frame: the county office's P-2 export end to end, the
// file name, the decision on each pair, the stops, the empty run and the
// failures that must leave no file and the working database as it was.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "CertifiedExportFixture.h"
#include "CertifiedImport.h"
#include "db/Catalog.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"

namespace fs = std::filesystem;
using Decision = CertifiedExport::Decision;
using CopyRow = CertifiedExport::CopyRow;

namespace {

constexpr const char* kName = "VuzO19_00_2_19_Dec_09_2026_14_33_57";
const CertifiedExportTest::Agency kOffice{19, 64733, 0, 2};

std::string Bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The rows of a dump that are not in the other.
std::set<std::string> Minus(const std::set<std::string>& a, const std::set<std::string>& b) {
  std::set<std::string> rest;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::inserter(rest, rest.begin()));
  return rest;
}

}  // namespace

// --- The county office's full P-2 export ---------------------------------------------------------

TEST_F(CertifiedExportTest, TheCountyOfficesFullP2ExportWritesOneSealedFileAndRecordsIt) {
  Choose({kOffice}, {29, 27});
  const auto before = Dump();
  CertifiedExport& run = Export();

  // One new file, named for the office, the period and the start time.
  ASSERT_EQ(ExportFolder(), std::vector<std::string>{kName});
  EXPECT_EQ(run.WrittenFile(), ProgramFolder() / "Export" / kName);
  EXPECT_EQ(run.Report(),
            std::string("Export Date & Time: Dec-09-2026  14:33:57\r\n\r\nCertified Data FileName: ") +
                ProgramFolder().string() + "/Export/" + kName +
                "\r\n\r\nExport Group: Property Tax\r\n\t\tLEA: 64733\t\t-- Number of Records Exported = 2\r\n\r\n\r\n"
                "Export Group: Excess Debt Service - Charter School\r\n\t\tLEA: 64733\t\t-- Export Failed due to "
                "Error(s) in Edit Check.\r\n");

  // What the file holds.
  const db::ConnectionPtr file = OpenFile(run.WrittenFile());
  EXPECT_EQ(Rows(file, "SELECT name FROM sqlite_schema WHERE type IN ('table', 'view') ORDER BY name"),
            (std::vector<std::string>{"EXPORT_FILE_INFO", "ImportContactInfo", "LEA_FORMS_STATUS", "TORB_FORM_NOTES",
                                      "Tax", "TorbLeaNotes"}));
  EXPECT_EQ(Rows(file, "SELECT count(*) FROM sqlite_schema WHERE type = 'trigger'"), std::vector<std::string>{"0"});
  EXPECT_EQ(Rows(file, "SELECT FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, Total FROM Tax ORDER BY Total"),
            (std::vector<std::string>{"2019|2|19|64733|100", "2019|2|19|64733|200", "2019|2|19|612|300"}));
  EXPECT_EQ(Rows(file, "SELECT SCHOOL_DISTRICT_ID, FORM_NO, CERTIFICATE_NUMBER FROM LEA_FORMS_STATUS ORDER BY 1"),
            (std::vector<std::string>{"612|29|3333", "64733|29|1111"}));
  EXPECT_EQ(Rows(file, "SELECT * FROM EXPORT_FILE_INFO ORDER BY SCHOOL_DISTRICT_ID"),
            (std::vector<std::string>{
                "Tax|2019|2|19|612|0||Oak \"Grove\" Unified|3333|12/9/2026 2:33:57 PM|J O'Brien|(916)555-0142 * "
                "||jobrien@vale.example|",
                "Tax|2019|2|19|64733|0||Vale County Office of Education|1111|12/9/2026 2:33:57 PM|J O'Brien|"
                "(916)555-0142 * ||jobrien@vale.example|"}));
  EXPECT_EQ(Rows(file, "SELECT COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, CONTACT, PHONE, FAX FROM ImportContactInfo"),
            std::vector<std::string>{"19|64733|0|J O'Brien|(916)555-0142 * |"});
  EXPECT_EQ(Rows(file, "SELECT PERIOD_ID, COUNTY_ID FROM TorbLeaNotes"), std::vector<std::string>{"2|19"});
  EXPECT_EQ(Rows(file, "SELECT count(*) FROM TORB_FORM_NOTES"), std::vector<std::string>{"1"});
  file->Close();
  EXPECT_EQ(Bytes(plain_.back().Path()).find("Quenmarsh"), std::string::npos)
      << "nothing of Wren County travels, not even in free pages";

  // The working database: form 29's export date and the two rows of contents.
  const auto after = Dump();
  for (const auto& [table, rows] : after) {
    if (table == "LEA_FORMS_STATUS" || table == "EXPORT_FILE_INFO") continue;
    EXPECT_EQ(rows, before.at(table)) << table;
  }
  const auto changed = Minus(after.at("LEA_FORMS_STATUS"), before.at("LEA_FORMS_STATUS"));
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed.begin()->substr(0, 20), "2019|2|19|64733|0|29");
  EXPECT_NE(changed.begin()->find("|12/9/2026 2:33:57 PM|"), std::string::npos);
  EXPECT_EQ(Minus(before.at("LEA_FORMS_STATUS"), after.at("LEA_FORMS_STATUS")).size(), 1u);
  EXPECT_EQ(Minus(after.at("EXPORT_FILE_INFO"), before.at("EXPORT_FILE_INFO")).size(), 2u);
  EXPECT_TRUE(Minus(before.at("EXPORT_FILE_INFO"), after.at("EXPORT_FILE_INFO")).empty());

  // The main window let go of its lists around the copy and refreshed them once.
  EXPECT_EQ(link_.calls, (std::vector<std::string>{"Disconnect", "Connect", "Refresh(true)"}));
  EXPECT_FALSE(modGlobals::gblnExportRunning);

  // Another password, or one changed byte, is refused.
  EXPECT_THROW(db::unseal(run.WrittenFile(), "zjx"), vb::VbError);
  std::string bytes = Bytes(run.WrittenFile());
  bytes[bytes.size() / 2] ^= 0x01;
  const fs::path changedFile = ProgramFolder() / "changed";
  std::ofstream(changedFile, std::ios::binary) << bytes;
  EXPECT_THROW(db::unseal(changedFile, CertifiedExport::kFilePassword), vb::VbError);
}

TEST_F(CertifiedExportTest, APartialSelectionKeepsOnlyTheChosenOfficesRows) {
  Choose({kOffice}, {29, 27}, {27});
  CertifiedExport& run = Export(true);
  const db::ConnectionPtr file = OpenFile(run.WrittenFile());
  EXPECT_EQ(Rows(file, "SELECT DISTINCT SCHOOL_DISTRICT_ID FROM Tax"), std::vector<std::string>{"64733"});
  EXPECT_EQ(Rows(file, "SELECT SCHOOL_DISTRICT_ID FROM EXPORT_FILE_INFO"), std::vector<std::string>{"64733"});
  EXPECT_EQ(run.Report().find("Excess Debt Service"), std::string::npos);
}

TEST_F(CertifiedExportTest, TheSampleCountyOfficeExportsItsTaxFormFromTheDeliveredDatabase) {
  fixtures::BuildDatabase(DatabasePath(), true);
  Execute(
      "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO, "
      "CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, LAST_MODIFIED_DATE, LAST_EDIT_CHECK_DATE) VALUES "
      "(2019, 2, 61, 10610, 0, 29, 77, 1, 0, '2026-12-01 10:00:00', '2026-12-01 10:00:00');"
      "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
      "RES_SCHOOL_DISTRICT_ID, TaxType, Total) VALUES (2019, 2, 61, 10610, 0, 61, 61001, 1, 5);");
  LogOn(2, 61, 10610);
  Choose({{61, 10610, 0, 2}}, {29});
  CertifiedExport& run = Export();
  EXPECT_NE(run.Report().find("Export Group: Property Tax\r\n\t\tLEA: 10610\t\t-- Number of Records Exported = 1"),
            std::string::npos)
      << run.Report();
  EXPECT_EQ(Rows(OpenFile(run.WrittenFile()), "SELECT Total FROM Tax"), std::vector<std::string>{"5"});
}

// --- The file name ---------------------------------------------------------------------------------

TEST(CertifiedExportName, FollowsTheGroupTheModeAndTheStartTime) {
  const vb::Date afternoon{vb::DateSerial(2026, 12, 9).serial + vb::TimeSerial(14, 33, 57).serial};
  const vb::Date morning{vb::DateSerial(2027, 1, 4).serial + vb::TimeSerial(9, 5, 7).serial};
  const vb::Date twoPm{vb::DateSerial(2026, 12, 9).serial + vb::TimeSerial(14, 0, 0).serial};
  const struct {
    const char* what;
    bool selpa;
    int period;
    bool corrected;
    int county, group, district, school;
    vb::Date start;
    const char* name;
  } cases[] = {
      {"county office", false, 2, false, 19, 2, 64733, 0, afternoon, "VuzO19_00_2_19_Dec_09_2026_14_33_57"},
      {"county auditor", false, 2, false, 19, 7, 64733, 0, afternoon, "VuzO19_00_2_19_Dec_09_2026_14_33_57"},
      {"district, corrected", false, 3, true, 7, 3, 612, 0, afternoon, "VuzO19_00_3C_07_612_Dec_09_2026_14_33_57"},
      {"charter school", false, 1, false, 7, 4, 612, 734, afternoon, "VuzO19_00_1_07_612_734_Dec_09_2026_14_33_57"},
      {"SELPA export", true, 2, false, 7, 5, 612, 0, afternoon, "VuzO19_00SELPA_2_07_612_Dec_09_2026_14_33_57"},
      {"another group", false, 2, false, 5, 9, 612, 0, afternoon, "VuzO19_00_2_05_612_612_Dec_09_2026_14_33_57"},
      {"a county of three digits", false, 2, false, 123, 2, 1, 0, afternoon, "VuzO19_00_2_123_Dec_09_2026_14_33_57"},
      {"five past nine", false, 2, false, 19, 2, 64733, 0, morning, "VuzO19_00_2_19_Jan_04_2027_09_05_07"},
      {"two in the afternoon", false, 2, false, 19, 2, 64733, 0, twoPm, "VuzO19_00_2_19_Dec_09_2026_14_00_00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CertifiedExport::FileName("19.00", c.selpa, c.period, c.corrected, c.county, c.group, c.district,
                                        c.school, c.start),
              c.name)
        << c.what;
  }
}

// --- The decision on a pair ------------------------------------------------------------------------

TEST(CertifiedExportDecision, TheFirstTestThatAppliesDecidesThePair) {
  using Facts = CertifiedExport::PairFacts;
  using Row = CertifiedExport::StatusFacts;
  const vb::Variant noon(vb::Date{46000.5}), later(vb::Date{46000.75}), null(vb::Null);
  const Row ready{vb::Variant(3), vb::Variant(0), noon, noon, vb::Variant("Yes")};
  auto with = [](Row r, auto change) {
    change(r);
    return r;
  };
  // The county office 64733 of county 19 exporting its form 29, unless a
  // case changes that.
  auto facts = [](std::optional<Row> row) {
    Facts f;
    f.logonGroup = 2;
    f.C = 19;
    f.DW = 64733;
    f.F = 29;
    f.PT = "2";
    f.T = "2";
    f.D = 64733;
    f.K = 19;
    f.workingCorrected = [] { return false; };
    f.sharedProgramInvalid = [] { return false; };
    f.copyRow = [row] { return row; };
    return f;
  };
  const struct {
    const char* what;
    Facts facts;
    int test;
    const char* line;  // as ReportLine writes it for district 64733 or 612, school 0 or 734, region "R7-1"
    CopyRow copyRow;
    bool exported;
  } cases[] = {
      {"corrections reported in the working database",
       [&] { Facts f = facts(ready); f.workingCorrected = [] { return true; }; return f; }(), 1,
       "\t\tLEA: 64733\t\t-- Corrections Reported. Record Not Exported.\r\n", CopyRow::Kept, false},
      {"the same in prior-year mode is exported",
       [&] { Facts f = facts(ready); f.priorYearMode = true; f.workingCorrected = [] { return true; }; return f; }(), 9,
       "\t\tLEA: 64733\t\t-- Number of Records Exported = 3\r\n", CopyRow::Kept, true},
      {"a district form of another kind", [&] { Facts f = facts(ready); f.PT = "3"; f.F = 21; return f; }(), 2, "",
       CopyRow::Kept, false},
      {"the county office's own district-kind form", [&] { Facts f = facts(ready); f.PT = "3"; f.F = 27; return f; }(), 9,
       "\t\tLEA: 64733\t\t-- Number of Records Exported = 3\r\n", CopyRow::Kept, true},
      {"another county", [&] { Facts f = facts(ready); f.K = 20; return f; }(), 3, "", CopyRow::Kept, false},
      {"form 96", [&] { Facts f = facts(ready); f.F = 96; return f; }(), 6,
       "\t\tLEA: 64733\t\t-- Not applicable for Export.\r\n", CopyRow::Kept, false},
      {"no status row", facts(std::nullopt), 7, "\t\tLEA: 64733\t\t-- No Records to Export.\r\n", CopyRow::Missing,
       false},
      {"no corrections in correction mode",
       [&] { Facts f = facts(with(ready, [](Row& r) { r.corrected = vb::Variant("No"); })); f.correctionMarked = true; return f; }(),
       8, "\t\tLEA: 64733\t\t-- No Corrections Reported.\r\n", CopyRow::Deleted, false},
      {"NO in capitals in correction mode is exported",
       [&] { Facts f = facts(with(ready, [](Row& r) { r.corrected = vb::Variant("NO"); })); f.correctionMarked = true; return f; }(),
       9, "\t\tLEA: 64733\t\t-- Number of Records Exported = 3\r\n", CopyRow::Kept, true},
      {"ready, a school's line", [&] { Facts f = facts(ready); f.D = 612; f.S = 734; f.T = "2"; return f; }(), 9,
       "\t\tLEA: 612-0000734\t-- Number of Records Exported = 3\r\n", CopyRow::Kept, true},
      {"ready, a SELPA line",
       [&] { Facts f = facts(ready); f.PT = "5"; f.T = "5"; f.R = "R7-1"; f.K = 19; f.logonGroup = 5; return f; }(), 9,
       "\t\tLEA: 64733-R7-1\t-- Number of Records Exported = 3\r\n", CopyRow::Kept, true},
      {"checked before the last change", facts(with(ready, [&](Row& r) { r.modified = later; })), 11,
       "\t\tLEA: 64733\t\t-- Export Failed due to Error(s) in Edit Check.\r\n", CopyRow::Deleted, false},
      {"never modified", facts(with(ready, [&](Row& r) { r.modified = null; })), 11,
       "\t\tLEA: 64733\t\t-- Export Failed due to Error(s) in Edit Check.\r\n", CopyRow::Deleted, false},
      {"no records counted", facts(with(ready, [&](Row& r) { r.numRecord = null; })), 10,
       "\t\tLEA: 64733\t\t-- No Records to Export.\r\n", CopyRow::Deleted, false},
      {"no records", facts(with(ready, [](Row& r) { r.numRecord = vb::Variant(0); })), 11,
       "\t\tLEA: 64733\t\t-- Export Failed due to Error(s) in Edit Check.\r\n", CopyRow::Deleted, false},
      {"an error", facts(with(ready, [](Row& r) { r.numError = vb::Variant(1); })), 11,
       "\t\tLEA: 64733\t\t-- Export Failed due to Error(s) in Edit Check.\r\n", CopyRow::Deleted, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Decision d = CertifiedExport::Decide(c.facts);
    EXPECT_EQ(d.test, c.test);
    EXPECT_EQ(CertifiedExport::ReportLine(d, std::to_string(c.facts.D),
                                          vb::Format(vb::Variant(static_cast<int>(c.facts.S)), "0000000"), c.facts.R),
              c.line);
    EXPECT_EQ(d.copyRow, c.copyRow);
    EXPECT_EQ(d.exported, c.exported) << "the working database's LAST_EXPORT_DATE is written for exported pairs only";
  }
}

// --- Stops, modes and the empty run ----------------------------------------------------------------

TEST_F(CertifiedExportTest, CorrectedProgramsStopTheRunWithoutAFile) {
  Execute("UPDATE LEA_FORMS_STATUS SET PY_FORMS_CORRECTED = 'Yes' WHERE SCHOOL_DISTRICT_ID = 64733 AND FORM_NO = 29 "
          "AND FISCAL_YEAR = 2019 AND PERIOD_ID = 2");
  Agency office = kOffice;
  office.corrected = "Yes";
  Choose({office}, {29});
  const auto before = Dump();
  dialogs_.AcknowledgeMessages(1);
  CertifiedExport& run = Export(false, false, false, 2, false);
  EXPECT_EQ(dialogs_.TakeMessages(), std::vector<std::string>{"LEA(s) have corrected programs. Cannot export in this mode"});
  EXPECT_TRUE(ExportFolder().empty());
  EXPECT_TRUE(run.WrittenFile().empty());
  EXPECT_EQ(Dump(), before);
  EXPECT_TRUE(link_.calls.empty()) << "nothing was copied";
  // Disabled before the wait box shows, so that it is painted disabled under
  // it; enabled again once the box has closed.
  EXPECT_EQ(windowStates_, (std::vector<std::string>{"disabled", "enabled"}));
}

TEST_F(CertifiedExportTest, PriorYearModeMarksTheNameAndLeavesUncorrectedFormsOut) {
  Execute("UPDATE LEA_FORMS_STATUS SET NUM_ERROR = 0, PY_FORMS_CORRECTED = 'Yes' WHERE FORM_NO = 27;");
  Agency office = kOffice;
  office.corrected = "Yes";
  Choose({office}, {29, 27});
  link_.correctionMarked = true;
  CertifiedExport& run = Export(false, true);
  EXPECT_EQ(run.WrittenFile().filename(), "VuzO19_00_2C_19_Dec_09_2026_14_33_57");
  EXPECT_NE(run.Report().find("Export Group: Property Tax\r\n\t\tLEA: 64733\t\t-- No Corrections Reported.\r\n"),
            std::string::npos);
  const db::ConnectionPtr file = OpenFile(run.WrittenFile());
  EXPECT_EQ(Rows(file, "SELECT FORM_NO FROM LEA_FORMS_STATUS"), std::vector<std::string>{"27"});
  EXPECT_FALSE(db::catalog::TableExists(*file, "Tax")) << "form 29 was not exported";
  EXPECT_TRUE(db::catalog::TableExists(*file, "EDS_CS"));
}

TEST_F(CertifiedExportTest, AnEmptyRunIsRepeatedOnceAndReportsWithoutAFile) {
  Execute("DELETE FROM LEA_FORMS_STATUS WHERE FORM_NO = 27");
  Choose({kOffice}, {27});
  const std::string report =
      "Export Date & Time: Dec-09-2026  14:33:57\r\n\r\nExport Group: Excess Debt Service - Charter School\r\n"
      "\t\tLEA: 64733\t\t-- No Records to Export.\r\n";
  CertifiedExport& run = Export();
  EXPECT_EQ(run.Report(), report);
  EXPECT_EQ(link_.calls.size(), 6u) << "two copies, the second run's report";
  EXPECT_TRUE(ExportFolder().empty());
  EXPECT_EQ(emptyRuns_, 0);

  // A later empty run in the same window again gives one report.
  link_.calls.clear();
  Export();
  EXPECT_EQ(run_->Report(), report);
  EXPECT_EQ(link_.calls.size(), 6u);
  // After a repeated empty run whose repetition exported, the next empty
  // run reports at once.
  emptyRuns_ = 1;
  link_.calls.clear();
  Export();
  EXPECT_EQ(run_->Report(), report);
  EXPECT_EQ(link_.calls.size(), 3u);
  EXPECT_EQ(emptyRuns_, 0);
  EXPECT_EQ(windowStates_.back(), "enabled");
  dialogs_.ExpectAllUsed();
}

// --- Failures ----------------------------------------------------------------------------------------

TEST_F(CertifiedExportTest, AWorkingDatabaseLockedByAnotherProcessGivesTheLockedMessageOnly) {
  // Another process takes the working database while the main window lets
  // go of its lists, and lets it go while the user reads the message.
  struct LockingLink final : MainWindowLink {
    RecordingMainWindow& recording;
    db::ConnectionPtr other;
    explicit LockingLink(RecordingMainWindow& r, db::ConnectionPtr c) : recording(r), other(std::move(c)) {}
    bool CorrectionMarked() const override { return false; }
    void DisconnectTopandBottomGrid() override {
      recording.DisconnectTopandBottomGrid();
      other->Execute("BEGIN EXCLUSIVE");
      other->Execute("UPDATE Scratch SET Note = 'held'");
    }
    void ConnectTopandBottomGrid() override { recording.ConnectTopandBottomGrid(); }
    void RefreshTopandBottomGrid(bool quiet) override { recording.RefreshTopandBottomGrid(quiet); }
  } locking(link_, OpenDatabase());
  mainWindow_ = &locking;
  Choose({kOffice}, {29});
  dialogs_.AnswerMsgBox(ui::vbOK, [&] { locking.other->Execute("ROLLBACK"); });
  CertifiedExport& run = Export(false, false, false, 2, false);
  EXPECT_EQ(dialogs_.TakeMessages(),
            std::vector<std::string>{DatabasePath().string() + " is currently open and locked by another process."});
  EXPECT_TRUE(run.Report().empty());
  EXPECT_TRUE(ExportFolder().empty());
  EXPECT_EQ(link_.calls, (std::vector<std::string>{"Disconnect", "Connect", "Refresh(true)"}));
  EXPECT_EQ(modGlobals::SharedConnection()->State(), db::ObjectState::Open);
  mainWindow_ = &link_;
}

TEST_F(CertifiedExportTest, APruningStepPassedOverEndsTheRunWithNoFileNoTemporaryAndNothingRecorded) {
  const fs::path temporaries = ProgramFolder() / "tmp";
  fs::create_directories(temporaries);
  const std::string previous = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
  ::setenv("TMPDIR", temporaries.c_str(), 1);
  Execute("CREATE TRIGGER KeepTax BEFORE DELETE ON Tax BEGIN SELECT RAISE(ABORT, 'Tax rows stay'); END;");
  Choose({kOffice}, {29});
  const auto before = Dump();
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  dialogs_.AcknowledgeMessages(1);
  CertifiedExport& run = Export(false, false, false, 2, false);
  previous.empty() ? ::unsetenv("TMPDIR") : ::setenv("TMPDIR", previous.c_str(), 1);

  const std::vector<RecordedPrompt>& prompts = dialogs_.Prompts();
  ASSERT_EQ(prompts.size(), 2u);
  EXPECT_EQ(prompts[0].title, "Exception");
  EXPECT_NE(prompts[0].text.find("Tax rows stay"), std::string::npos);
  EXPECT_NE(prompts[0].text.find("Source: frmExport\r\nProcedure: ExportCertified"), std::string::npos);
  EXPECT_EQ(prompts[1].text, "Export process failed. No file was written.");
  EXPECT_EQ(prompts[1].style, ui::vbInformation);
  EXPECT_TRUE(run.WrittenFile().empty());
  EXPECT_TRUE(ExportFolder().empty());
  EXPECT_TRUE(fs::is_empty(temporaries));
  EXPECT_EQ(Dump(), before);
}

TEST_F(CertifiedExportTest, AFileThatCannotBeWrittenLeavesTheWorkingDatabaseAsItWas) {
  // The Export folder is gone and a file holds its name: the seal cannot
  // write, after the working database's record of the export was made.
  fs::remove_all(ProgramFolder() / "Export");
  std::ofstream(ProgramFolder() / "Export") << "not a folder";
  Choose({kOffice}, {29});
  const auto before = Dump();
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  dialogs_.AcknowledgeMessages(1);
  CertifiedExport& run = Export(false, false, false, 2, false);
  const std::vector<RecordedPrompt>& prompts = dialogs_.Prompts();
  ASSERT_EQ(prompts.size(), 2u);
  EXPECT_NE(prompts[0].text.find("Error No: 75"), std::string::npos);
  EXPECT_EQ(prompts[1].text, "Export process failed. No file was written.");
  EXPECT_TRUE(run.WrittenFile().empty());
  EXPECT_EQ(Dump(), before) << "neither the export date nor the contents rows remain";
}

TEST_F(CertifiedExportTest, TheCertifiedImportAcceptsTheFileTheRunWrote) {
  // Whole, with the tables the merge reads as the working database lays
  // them out, no view and no trigger, of one year and period, and within the
  // county office's rights.
  Choose({kOffice}, {29});
  CertifiedExport& run = Export();
  db::TemporaryFile copy = db::unseal(run.WrittenFile(), CertifiedExport::kFilePassword);
  ImportScope scope;
  scope.county = 19;
  scope.district = 64733;
  scope.logonUserGroup = 2;
  scope.year = 2019;
  scope.period = 2;
  const db::ConnectionPtr working = modGlobals::SharedConnection();
  ImportFile file(working, copy.Path());
  EXPECT_TRUE(CertifiedImport(working, scope).bDatabaseValid());
}

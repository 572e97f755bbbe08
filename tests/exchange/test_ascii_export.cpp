// File > Export > ASCII File and its writers: the file byte for byte, the
// report, the refusals, the secondary blocks, and a file that is written
// whole or not at all.

#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <fstream>

#include "AsciiFile.h"
#include "AsciiFixture.h"
#include "modGlobals.h"

namespace {

const Lea kElm{19, 64733};
const Lea kAsh{19, 64741};
const Lea kElmCharter{19, 64733, 6473301};

// The first field of each line and its fifth (the district of a data
// line), "End" for an "End" line.
std::vector<std::string> Shape(const std::vector<std::string>& lines) {
  std::vector<std::string> shape;
  for (const std::string& line : lines) {
    if (line == "End") {
      shape.push_back(line);
      continue;
    }
    const std::vector<std::string> fields = SplitFields(line);
    shape.push_back(fields[0] + " " + (fields.size() > 4 ? fields[4] : "?"));
  }
  return shape;
}

std::string GoldenFile(const char* name) {
  return AsciiExportTest::Bytes(std::filesystem::path(LEV_EXCHANGE_TESTS) / "golden" / name);
}

TEST_F(AsciiExportTest, TaxRowsOfOneAgencyExportByteForByteAndTheReportReadsLineForLine) {
  Execute("INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
          " RES_SCHOOL_DISTRICT_ID, TaxType, ResCountyName, ResSchoolDistName, Secured, Unsecured, HOX, Total,"
          " Explanation, CERT_KEY) VALUES"
          " (2019, 2, 19, 64733, 0, 19, 64741, 0, 'Elm', 'Ash Valley', 20, 0, 0, 20, ' ', -7),"
          " (2019, 2, 19, 64733, 0, 19, 10199, 0, 'Elm', 'Elm County Office', 1500, NULL, 12.5, 1512.5,"
          " 'Caf\xC3\xA9', 305419896)");
  // Rows of another period, year, county and office, which the file must
  // not hold.
  AddTax({19, 64733}, 1, 10199, "999");
  AddTax({19, 64733}, 2, 10199, "999", "NULL", 2018);
  AddTax({20, 64733}, 2, 10199, "999");
  AddTax(kAsh, 2, 10199, "999");
  frmMain& w = OpenSelected({64733}, {29});

  const std::string report = RunCommand(w, "tax.txt");

  const std::string file = Bytes(ExportFile("tax.txt"));
  EXPECT_EQ(file, GoldenFile("tax_64733.txt"));
  EXPECT_NE(file.find("\r\nTax,2019,2,19,64733,0,19,10199,0,Elm,Elm County Office,,1500,,12.5,"), std::string::npos);
  EXPECT_NE(file.find(",Caf\xE9,305419896\r\n"), std::string::npos);
  EXPECT_EQ(report, "Export Date & Time: Dec-09-2019  15:04:05\n"
                    "\n"
                    "ASCII Data FileName: " + ExportFile("tax.txt").string() + "\n"
                    "\n"
                    "Export Group: Property Tax\n"
                    "\tLEA: 64733 -- Number of Records Exported = 2\n"
                    "\n"
                    "\n"
                    "Export Operation Completed.\n"
                    "\n"
                    "\n");
  ASSERT_EQ(dialogs_.FileRequests().size(), 1u);
  const ui::FileDialogRequest& request = dialogs_.FileRequests()[0];
  EXPECT_EQ(request.filter, "Text (*.txt)|*.txt");
  EXPECT_EQ(request.fileName, "Property Tax");
  EXPECT_EQ(request.initialDir, (ProgramFolder() / "Export").string());
}

TEST_F(AsciiExportTest, ReportLinesBySchoolAndTable) {
  for (const Lea& lea : {kElm, kElmCharter}) {
    AddTax(lea, 2, 10199);
    Execute("INSERT INTO SENPSLCI (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, SELPALOCATION,"
            " LCILICENSENUMBER, CODE, NPSNPATYPEID) VALUES (2019, 2, 19, 64733, " + std::to_string(lea.school) +
            ", 1, 'L1', 'C1', 1)");
  }
  // District-wide: the rows of the agency's district, whatever the school.
  Execute("INSERT INTO GATE_ALL (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID) VALUES"
          " (2019, 2, 19, 64733, 0), (2019, 2, 19, 64733, 6473302), (2019, 2, 19, 64741, 0)");
  const struct {
    const char* table;
    int formNo;
    Lea lea;
    const char* line;
    std::size_t rows = 1;
  } cases[] = {
      {"Tax", 29, kElm, "\tLEA: 64733 -- Number of Records Exported = 1\r\n"},
      {"Tax", 29, {19, 64741}, "\tLEA: 64741 -- No Record(s) to Export.\r\n"},
      {"Tax", 29, kElmCharter, "\tLEA: 64733-6473301 -- Number of Records Exported = 1\r\n"},
      {"Tax", 29, {19, 64733, 6473302}, "\tLEA: 64733-6473302 -- No Record(s) to Export.\r\n"},
      {"SENPSLCI", 400, kElm, "\tLEA: 64733      -- Number of Records Exported = 1\r\n"},
      {"SENPSLCI", 400, {19, 64741}, "\tLEA: 64741      -- No Record(s) to Export.\r\n"},
      {"SENPSLCI", 400, kElmCharter, "\tLEA: 64733(6473301) -- Number of Records Exported = 1\r\n"},
      {"SENPSLCI", 400, {19, 64733, 6473302}, "\tLEA: 64733(6473302) -- No Record(s) to Export.\r\n"},
      {"GATE_ALL", 52, kElmCharter, "\tLEA: 64733-6473301 -- Number of Records Exported = 2\r\n", 2},
  };
  for (const auto& c : cases) {
    AsciiExport run = State({c.lea}, c.formNo);
    ASSERT_TRUE(Write(run, c.table)) << c.table << " " << c.line;
    EXPECT_EQ(run.mstrExportReport, c.line);
    const bool rows = std::string(c.line).find("Number") != std::string::npos;
    EXPECT_EQ(run.mblnRecordsExported, rows) << c.line;
    EXPECT_EQ(run.mstrExportFootnote,
              rows && std::string(c.table) == "SENPSLCI" ? "LEA(s) represented with () Indicates Selpa AU." : "")
        << c.line;
    EXPECT_EQ(Lines(ExportFile()).size(), rows ? 1 + c.rows : 1u) << c.line;
  }
}

TEST_F(AsciiExportTest, ADistrictUserGetsOnlyTheFirstAgencysDistrictAndAgenciesInOrderOfSelection) {
  AddTax(kElm, 2, 10199);
  AddTax(kAsh, 2, 10199);
  AddTax(kAsh, 2, 10200);
  AsciiExport county = State({kAsh, kElm}, 29, 2);
  ASSERT_TRUE(Write(county, "Tax"));
  EXPECT_EQ(Shape(Lines(ExportFile())),
            (std::vector<std::string>{"Tax SCHOOL_DISTRICT_ID", "Tax 64741", "Tax 64741", "Tax 64733"}));
  AsciiExport district = State({kElm, kAsh}, 29, 3);
  ASSERT_TRUE(Write(district, "Tax"));
  EXPECT_EQ(district.mstrExportReport, "\tLEA: 64733 -- Number of Records Exported = 1\r\n"
                                       "\tLEA: 64741 -- No Record(s) to Export.\r\n");
}

TEST_F(AsciiExportTest, ARunWithoutRowsLeavesNoFileAndNeitherFileNameNorFootnote) {
  AddTax({19, 10199}, 2, 64733);
  frmMain& w = OpenSelected({64733, 64741}, {29});
  const std::string report = RunCommand(w, "tax.txt");
  EXPECT_FALSE(std::filesystem::exists(ExportFile("tax.txt")));
  EXPECT_EQ(report, "Export Date & Time: Dec-09-2019  15:04:05\n"
                    "\n"
                    "Export Group: Property Tax\n"
                    "\tLEA: 64741 -- No Record(s) to Export.\n"
                    "\tLEA: 64733 -- No Record(s) to Export.\n"
                    "\n"
                    "\n"
                    "Export Operation Completed.");
}

TEST_F(AsciiExportTest, TheFootnoteOfASelpaProgramIsGoneOnTheNextRunAndTheDisplayNameIsBlankedOfSlashAndQuote) {
  Execute("INSERT INTO INFANTFUNDING (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, InSeSDC1)"
          " VALUES (2019, 2, 19, 64733, 0, 3)");
  AddTax(kElm, 2, 10199);
  Execute("UPDATE VHO_TORB_FORMS SET FORM_DISPLAY_NAME = 'Infant/\"Funding\"' WHERE FORM_NO = 102");
  frmMain& w = OpenSelected({64733}, {102});
  const std::string first = RunCommand(w, "infant.txt");
  EXPECT_NE(first.find("Export Group: Infant  Funding \n\tLEA: 64733      -- Number of Records Exported = 1\n"),
            std::string::npos)
      << first;
  EXPECT_TRUE(first.ends_with("Export Operation Completed.\n\n\nLEA(s) represented with () Indicates Selpa AU.")) << first;
  EXPECT_EQ(dialogs_.FileRequests().back().fileName, "Infant  Funding ");

  Execute("UPDATE VHO_TORB_FORMS SET SELECTED = CASE FORM_NO WHEN 29 THEN 'Yes' ELSE 'No' END");
  w.RefreshTopandBottomGrid(true);
  const std::string second = RunCommand(w, "tax.txt");
  EXPECT_TRUE(second.ends_with("Export Operation Completed.\n\n\n")) << second;
}

// --- Refusals ---------------------------------------------------------------------------

// The agency list on its second row, as the user left it.
void StandOnSecondAgency(frmMain& w) { w.dgLEA->DataSource()->AbsolutePosition(2); }

void ExpectEnabledOnSecondAgency(frmMain& w) {
  EXPECT_TRUE(w.isEnabled());
  EXPECT_EQ(w.dgLEA->DataSource()->AbsolutePosition(), 2);
  EXPECT_TRUE(w.dgLEA->selectionModel()->isRowSelected(1, {}));
}

TEST_F(AsciiExportTest, RefusalsLeaveTheMainWindowEnabledOnItsAgencyRow) {
  Execute("UPDATE VHO_TORB_FORMS SET FORM_NAME = 'attcs' WHERE FORM_NO = 44");
  const struct {
    std::vector<int> forms;
    const char* message;
  } cases[] = {
      {{29, 27}, "Only one program can be selected for export. Try again"},
      {{}, "Select one or more program(s) and try again"},
      {{44}, "This program cannot be exported"},
  };
  for (const auto& c : cases) {
    Execute("UPDATE VHO_TORB_FORMS SET SELECTED = 'No'");
    frmMain& w = OpenSelected({64733}, c.forms);
    StandOnSecondAgency(w);
    dialogs_.AcknowledgeMessages(1);
    RunCommand(w, std::nullopt, false);
    EXPECT_EQ(dialogs_.TakeMessages(), std::vector<std::string>{c.message});
    ExpectEnabledOnSecondAgency(w);
    EXPECT_TRUE(dialogs_.FileRequests().empty()) << c.message;
    delete window_.data();
  }
}

TEST_F(AsciiExportTest, AProgramThatOnlyBeginsWithARefusedNameIsExportedAndCancellingTheDialogWritesNothing) {
  frmMain& w = OpenSelected({64733}, {44});
  StandOnSecondAgency(w);
  RunCommand(w, "", false);
  ASSERT_EQ(dialogs_.FileRequests().size(), 1u) << "ATTCSBGCOE reaches the Save dialog";
  EXPECT_TRUE(dialogs_.TakeMessages().empty());
  EXPECT_TRUE(std::filesystem::is_empty(ProgramFolder() / "Export"));
  // The closing steps.
  ExpectEnabledOnSecondAgency(w);
  EXPECT_EQ(w.dgLEA->Columns("CORRECTED").Width(), 0);
  EXPECT_FALSE(w.dgForms->isEnabled());
  EXPECT_FALSE(w.cmdSelection[0]->isEnabled());
  EXPECT_FALSE(w.cmdSelection[1]->isEnabled());
}

// --- What the file cannot carry, and failures ------------------------------------------

TEST_F(AsciiExportTest, AValueTheFileCannotCarryRefusesTheFileNamingColumnAndAgencyAndKeepsAnOlderFile) {
  AddTax(kElm, 2, 10199);
  AddTax(kElmCharter, 2, 10199, "1", "'Late roll, see note'");
  std::ofstream(ExportFile(), std::ios::binary) << "older";
  AsciiExport run = State({kElm, kElmCharter}, 29);
  dialogs_.AcknowledgeMessages(1);
  EXPECT_FALSE(Write(run, "Tax"));
  EXPECT_EQ(dialogs_.LastPrompt().style & 0x70, ui::vbExclamation);
  EXPECT_EQ(dialogs_.TakeMessages(),
            std::vector<std::string>{"The ASCII file was not written: the value of Explanation for LEA 64733-6473301"
                                     " holds a comma, a line break or a character that the file cannot carry. Change"
                                     " it and export again."});
  EXPECT_EQ(Bytes(ExportFile()), "older");
  EXPECT_EQ(run.mstrExportReport, "");
}

TEST_F(AsciiExportTest, AFailureAfterTheFirstDataLineLeavesNoFileUnderTheChosenName) {
  Execute("INSERT INTO INFANTFUNDING (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID) VALUES"
          " (2019, 2, 19, 64733, 0); DROP TABLE InfantFundingAllocation");
  AsciiExport run = State({kElm}, 102);
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  EXPECT_FALSE(Write(run, "INFANTFUNDING"));
  ASSERT_EQ(dialogs_.Prompts().back().kind, "MsgBox");
  EXPECT_EQ(dialogs_.Prompts().back().title, "Exception");
  EXPECT_NE(dialogs_.Prompts().back().text.find("WriteAsciiExportFile"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_empty(ProgramFolder() / "Export"));
  EXPECT_EQ(run.mstrExportReport, "");
}

TEST_F(AsciiExportTest, FortyThousandRowsOfOneAgencyAreAllInTheFileAndCounted) {
  Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40000)"
          " INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
          " RES_SCHOOL_DISTRICT_ID, TaxType, Secured) SELECT 2019, 2, 19, 64733, 0, 19, i, 0, i FROM n");
  AsciiExport run = State({kElm}, 29);
  ASSERT_TRUE(Write(run, "Tax"));
  const std::vector<std::string> lines = Lines(ExportFile());
  ASSERT_EQ(lines.size(), 40001u);
  EXPECT_TRUE(lines.back().starts_with("Tax,2019,2,19,64733,0,19,40000,0,,,,40000,")) << lines.back();
  EXPECT_EQ(run.mstrExportReport, "\tLEA: 64733 -- Number of Records Exported = 40000\r\n");
}

// --- Secondary blocks ---------------------------------------------------------------------

constexpr const char* kInfantRows = R"(
INSERT INTO INFANTFUNDING (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, InSeSDC1) VALUES
 (2019, 2, 19, 64733, 0, 1), (2019, 2, 19, 64741, 0, 2), (2019, 1, 19, 64733, 0, 9);
)";
constexpr const char* kAllocationRows = R"(
INSERT INTO InfantFundingAllocation (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, SelpaAUDist,
  SelpaAUDistSchoolId) VALUES
 (2019, 2, 19, 64741, 0, 64733, 0), (2019, 2, 19, 64733, 0, 64741, 0), (2019, 2, 19, 64733, 0, 64733, 0),
 (2019, 1, 19, 64733, 0, 64733, 0), (2019, 2, 20, 64733, 0, 64733, 0);
)";
constexpr const char* kTransferRows = R"(
INSERT INTO InfantFundingTransfer (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TrType, SelpaAU,
  SelpaAuSchoolId, SelpaDist, SelpaDistSchoolId) VALUES
 (2019, 2, 19, 64741, 0, 1, 64733, 0, 64741, 0), (2018, 2, 19, 64741, 0, 1, 64733, 0, 64741, 0);
)";

TEST_F(AsciiExportTest, InfantFundingCarriesItsTwoBlocksAndTheFirstAgencysCountHoldsTheirRows) {
  Execute(std::string(kInfantRows) + kAllocationRows + kTransferRows);
  AsciiExport run = State({kElm, kAsh}, 102);
  ASSERT_TRUE(Write(run, "INFANTFUNDING"));
  EXPECT_EQ(Shape(Lines(ExportFile())),
            (std::vector<std::string>{"INFANTFUNDING SCHOOL_DISTRICT_ID", "INFANTFUNDING 64733", "INFANTFUNDING 64741",
                                      "End", "InfantFundingAllocation SCHOOL_DISTRICT_ID",
                                      "InfantFundingAllocation 64733", "InfantFundingAllocation 64733",
                                      "InfantFundingAllocation 64741", "End",
                                      "InfantFundingTransfer SCHOOL_DISTRICT_ID", "InfantFundingTransfer 64741"}));
  // The allocation rows of one agency in key order.
  EXPECT_TRUE(Lines(ExportFile())[5].starts_with("InfantFundingAllocation,2019,2,19,64733,0,64733,0,"));
  EXPECT_EQ(run.mstrExportReport, "\tLEA: 64733      -- Number of Records Exported = 5\r\n"
                                  "\tLEA: 64741      -- Number of Records Exported = 1\r\n");
}

TEST_F(AsciiExportTest, AFileWithOnlyTheTransferBlock) {
  Execute(std::string(kInfantRows) + kTransferRows);
  AsciiExport run = State({kElm, kAsh}, 102);
  ASSERT_TRUE(Write(run, "INFANTFUNDING"));
  EXPECT_EQ(Shape(Lines(ExportFile())),
            (std::vector<std::string>{"INFANTFUNDING SCHOOL_DISTRICT_ID", "INFANTFUNDING 64733", "INFANTFUNDING 64741",
                                      "End", "InfantFundingTransfer SCHOOL_DISTRICT_ID", "InfantFundingTransfer 64741"}));
}

TEST_F(AsciiExportTest, TheAdaBlockIsWrittenWhenOnlyTheSecondAgencyHasAdaRows) {
  Execute("INSERT INTO ATTCSBGCOE (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO, DATER)"
          " VALUES (2019, 2, 19, 64733, 0, 44, '2019-12-09 15:04:05'), (2019, 2, 19, 64741, 0, 44, '2019-12-09');"
          " INSERT INTO ATTCSBGCOEADA (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID,"
          " RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID) VALUES (2019, 2, 19, 64741, 0, 19, 64733)");
  AsciiExport run = State({kElm, kAsh}, 44);
  ASSERT_TRUE(Write(run, "ATTCSBGCOE"));
  const std::vector<std::string> lines = Lines(ExportFile());
  EXPECT_EQ(Shape(lines), (std::vector<std::string>{"ATTCSBGCOE SCHOOL_DISTRICT_ID", "ATTCSBGCOE 64733",
                                                    "ATTCSBGCOE 64741", "End", "AttCsBgCoeAda SCHOOL_DISTRICT_ID",
                                                    "AttCsBgCoeAda 64741"}));
  EXPECT_EQ(lines[1], "ATTCSBGCOE,2019,2,19,64733,0,44,12/9/2019 3:04:05 PM,");
  EXPECT_EQ(lines[2], "ATTCSBGCOE,2019,2,19,64741,0,44,12/9/2019,");
  EXPECT_EQ(run.mstrExportReport, "\tLEA: 64733 -- Number of Records Exported = 2\r\n"
                                  "\tLEA: 64741 -- Number of Records Exported = 1\r\n");
}

}  // namespace

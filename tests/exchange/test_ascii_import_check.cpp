// The check of an ASCII data file before anything is loaded, and the
// loaders: a well-formed file is accepted and loaded typed; a file that
// breaks a rule is refused at the rule's line; the secondary blocks.

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "AsciiFile.h"
#include "AsciiImportFixture.h"
#include "db/Catalog.h"
#include "modGlobals.h"
#include "vb/Conversions.h"

namespace {

using Lines = std::vector<std::string>;

TEST_F(AsciiImportTest, AWellFormedTaxFileIsAcceptedAndLoadsTyped) {
  const Lines file = TaxFile();
  const asciiimport::Verdict verdict = Check(file);
  EXPECT_TRUE(verdict.accepted) << verdict.rule << " at line " << verdict.line;
  EXPECT_EQ(verdict.formName, "Tax");

  std::size_t next = 0;
  const db::RecordsetPtr rows = asciiimport::LoadImportRows(file, *modGlobals::SharedConnection(), next);
  ASSERT_EQ(rows->RecordCount(), 2);
  EXPECT_EQ(next, file.size());
  EXPECT_EQ(rows->Value("Secured").Type(), vb::VarType::Currency);
  EXPECT_EQ(vb::CDbl(rows->Value("Secured")), 1500);
  EXPECT_TRUE(rows->Value("Unsecured").IsNull());
  EXPECT_EQ(vb::CStr(rows->Value("Explanation")), "Caf\xC3\xA9");
  EXPECT_EQ(vb::CLng(rows->Value("CERT_KEY")), 11) << "the main block keeps the file's key";

  // The check hands on the same rows, typed, without the file's key.
  ASSERT_TRUE(verdict.rows);
  EXPECT_EQ(verdict.blocksFrom, next);
  ASSERT_EQ(verdict.rows->RecordCount(), 2);
  ASSERT_EQ(verdict.rows->FieldCount(), rows->FieldCount());
  rows->MoveFirst();
  for (verdict.rows->MoveFirst(); !verdict.rows->Eof(); verdict.rows->MoveNext(), rows->MoveNext())
    for (int i = 0; i < rows->FieldCount(); ++i) {
      const std::string name = rows->FieldInfo(i).name;
      if (name == "CERT_KEY") {
        EXPECT_TRUE(verdict.rows->Value(i).IsNull());
        continue;
      }
      EXPECT_EQ(verdict.rows->Value(i).Type(), rows->Value(i).Type()) << name;
      EXPECT_EQ(vb::TextOf(verdict.rows->Value(i)), vb::TextOf(rows->Value(i))) << name;
    }
  EXPECT_FALSE(Check({file[0], "Tax,"}).rows) << "a refused file hands on no rows";
}

TEST_F(AsciiImportTest, MalformedTaxFilesAreRefusedAtTheirRule) {
  const Lines good = TaxFile();
  const int columns = static_cast<int>(db::catalog::ColumnNames(*modGlobals::SharedConnection(), "Tax").size());
  const auto field = [&](int line, int f, const std::string& value) {
    return [=](Lines l) {
      l[static_cast<std::size_t>(line)] = WithField(l[static_cast<std::size_t>(line)], f, value);
      return l;
    };
  };
  const struct {
    const char* name;
    std::function<Lines(Lines)> change;
    const char* rule;  // "" accepted; a rule beginning with "error" is a run-time error turned refusal
    long line;
  } cases[] = {
      {"a blank line", [](Lines l) { l.insert(l.begin() + 1, ""); return l; }, "5.3 blank line", 2},
      {"a Tax, line", [](Lines l) { l.insert(l.begin() + 2, "Tax,"); return l; }, "5.3 blank line", 3},
      {"a field too many", field(1, columns, "Late roll, see note"), "5.4 field count", 2},
      {"a field too few", [](Lines l) { l[1] = l[1].substr(0, l[1].rfind(',')); return l; }, "5.4 field count", 2},
      {"end in lower case is a data line", [](Lines l) { l.insert(l.begin() + 2, "end"); return l; },
       "5.4 field count", 3},
      {"behind Tax, lines after End are not read",
       [](Lines l) { l.push_back("End"); l.push_back(l[1]); return l; }, "", 0},
      {"a first line InfantFundingTransfer", [](Lines l) { l[0] = "InfantFundingTransfer,x"; return l; },
       "2 secondary table", 1},
      {"a first line NoSuchTable", [](Lines l) { l[0] = "NoSuchTable,x"; return l; }, "3 form", 1},
      {"an empty file", [](Lines) { return Lines{}; }, "empty file", 0},
      {"a first line without a comma", [](Lines l) { l[0] = "Tax"; return l; }, "first line", 1},
      {"PERIOD_ID 3", field(2, 2, "3"), "10 period and year", 3},
      {"another year", field(1, 1, "2018"), "10 period and year", 2},
      {"COUNTY_ID 20", field(1, 3, "20"), "10 county", 2},
      {"a residence district not open", field(2, 7, "64758"), "6.7", 3},
      {"a wrong ResCountyName", field(2, 9, "Fern County"), "6.6", 3},
      {"a wrong ResSchoolDistName", field(2, 10, "Elm Unified"), "6.8", 3},
      {"the ResSchoolDistName of the line before", field(2, 10, "Elm County Office of Education"), "6.8", 3},
      {"SCHOOL_DISTRICT_ID abc", field(1, 4, "abc"), "error 13", 2},
      {"an empty SCHOOL_ID", field(1, 5, ""), "empty key", 2},
      {"TaxType 2", field(1, 8, "2"), "8 tax type", 2},
      {"TaxType 1 with residence 10199", field(1, 8, "1"), "8 tax type 1 residence", 2},
      {"TaxType 0 with residence 64741", field(2, 8, "0"), "8 tax type 0 residence", 3},
      {"a district whose charter rows the district fills", field(1, 4, "64766"), "6.2.2", 2},
      {"a closed district", field(1, 4, "64758"), "6.2.1", 2},
      {"Secured too large for a currency", field(1, 12, "1e300"), "error", 2},
  };
  for (const auto& c : cases) {
    const asciiimport::Verdict verdict = Check(c.change(good));
    EXPECT_EQ(verdict.accepted, std::string(c.rule).empty()) << c.name << ": " << verdict.rule;
    EXPECT_EQ(verdict.rule.substr(0, std::string(c.rule).size()), c.rule) << c.name << ": " << verdict.rule;
    EXPECT_EQ(verdict.line, c.line) << c.name;
  }
}

TEST_F(AsciiImportTest, AFileOfATableThatIsNoFormIsRefusedWhateverItsRows) {
  const std::vector<std::string> columns = db::catalog::ColumnNames(*modGlobals::SharedConnection(), "LEA_FORMS_STATUS");
  std::string row = "LEA_FORMS_STATUS";
  for (const std::string& column : columns) {
    const std::string upper = vb::UCase(column);
    row += "," + std::string(upper == "FISCAL_YEAR" ? "2019" : upper == "PERIOD_ID" ? "2" : upper == "COUNTY_ID" ? "19"
                             : upper == "SCHOOL_DISTRICT_ID" ? "64733" : "0");
  }
  const asciiimport::Verdict verdict = Check({"LEA_FORMS_STATUS,labels", row});
  EXPECT_FALSE(verdict.accepted);
  EXPECT_EQ(verdict.rule, "3 form");
}

TEST_F(AsciiImportTest, TheDateRuleTakesTheBlankMask) {
  const struct {
    const char* dater;
    bool accepted;
  } cases[] = {{"", true}, {"__/__/____", true}, {"12/9/2019", true}, {"12/9/2019 3:04:05 PM", true},
               {"13/45/2019", false}, {"soon", false}};
  Execute("INSERT INTO ATTCSBGCOE (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO, DATER)"
          " VALUES (2019, 2, 19, 64733, 0, 44, '2019-12-09')");
  const Lines good = Exported("ATTCSBGCOE", 44, 64733);
  Execute("DELETE FROM ATTCSBGCOE");
  ASSERT_EQ(good.size(), 2u);
  for (const auto& c : cases) {
    const Lines file = {good[0], WithField(good[1], 7, c.dater)};
    const asciiimport::Verdict verdict = Check(file);
    EXPECT_EQ(verdict.accepted, c.accepted) << c.dater << ": " << verdict.rule;
    if (!c.accepted) {
      EXPECT_EQ(verdict.rule, "10 date") << c.dater;
    }
  }
  std::size_t next = 0;
  const db::RecordsetPtr rows = asciiimport::LoadImportRows({good[0], WithField(good[1], 7, "__/__/____")},
                                                            *modGlobals::SharedConnection(), next);
  EXPECT_TRUE(rows->Value("DATER").IsNull());
}

TEST_F(AsciiImportTest, TheKeptDistrictOfAttCsAcdIsTakenOnlyFromTheNameAsWritten) {
  // The school must lie in the district of the same line: in the office's
  // district it is found, in another it is not; written in lower case the
  // form has no such rule.
  Execute("INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME, LEA_TYPE,"
          " STAT_TYPE) VALUES (2019, 19, 64733, 6473301, 'Elm County', 4, 'OPEN')");
  const std::vector<std::string> columns = db::catalog::ColumnNames(*modGlobals::SharedConnection(), "ATTCSACD");
  const auto line = [&](const std::string& form, const std::string& school) {
    std::string row = form;
    for (const std::string& column : columns) {
      const std::string upper = vb::UCase(column);
      row += "," + std::string(upper == "FISCAL_YEAR"          ? "2019"
                               : upper == "PERIOD_ID"          ? "2"
                               : upper == "COUNTY_ID"          ? "19"
                               : upper == "SCHOOL_DISTRICT_ID" ? "64733"
                               : upper == "SCHOOL_ID"          ? school
                                                               : "1");
    }
    return Lines{form + ",labels", row};
  };
  const struct {
    const char* form;
    const char* school;
    bool accepted;
  } cases[] = {{"AttCsACD", "6473301", true}, {"AttCsACD", "6474101", false}, {"attcsacd", "6474101", true}};
  for (const auto& c : cases) {
    const asciiimport::Verdict verdict = Check(line(c.form, c.school));
    EXPECT_EQ(verdict.accepted, c.accepted) << c.form << " " << c.school << ": " << verdict.rule;
  }
}

// --- Secondary blocks ------------------------------------------------------------------------

class AsciiImportBlocks : public AsciiImportTest {
 protected:
  void SetUp() override {
    AsciiImportTest::SetUp();
    file_ = InfantFundingFile();
  }
  Lines file_;  // main block (2 lines), End, allocation (2), End, transfer (2)
};

TEST_F(AsciiImportBlocks, BothBlocksOrTheTransferBlockAloneAreAcceptedAndFlagged) {
  ASSERT_EQ(file_.size(), 8u);
  asciiimport::Verdict verdict = Check(file_);
  EXPECT_TRUE(verdict.accepted) << verdict.rule << " at " << verdict.line;
  EXPECT_TRUE(verdict.allocationBlock);
  EXPECT_TRUE(verdict.transferBlock);

  const Lines transferOnly = {file_[0], file_[1], file_[5], file_[6], file_[7]};
  verdict = Check(transferOnly);
  EXPECT_TRUE(verdict.accepted) << verdict.rule;
  EXPECT_FALSE(verdict.allocationBlock);
  EXPECT_TRUE(verdict.transferBlock);

  std::size_t next = 0;
  const db::ConnectionPtr conn = modGlobals::SharedConnection();
  asciiimport::LoadImportRows(file_, *conn, next);
  std::string table;
  const db::RecordsetPtr allocation = asciiimport::LoadSecondaryBlock(file_, *conn, next, table);
  EXPECT_EQ(table, "InfantFundingAllocation");
  ASSERT_EQ(allocation->RecordCount(), 1);
  EXPECT_EQ(vb::CDbl(allocation->Value("P1AllocSDC1Se")), 2.5);
  const db::RecordsetPtr transfer = asciiimport::LoadSecondaryBlock(file_, *conn, next, table);
  EXPECT_EQ(table, "InfantFundingTransfer");
  EXPECT_EQ(transfer->RecordCount(), 1);
  EXPECT_EQ(next, file_.size());
}

TEST_F(AsciiImportBlocks, ABlockThatBreaksARuleRefusesTheWholeFile) {
  const auto at = [&](std::size_t line, int field, const std::string& value) {
    Lines l = file_;
    l[line] = WithField(l[line], field, value);
    return l;
  };
  const struct {
    const char* name;
    Lines file;
    const char* rule;
  } cases[] = {
      {"TRTYPE 3", at(7, 6, "3"), "11 transfer type"},
      {"End then a data line", [&] { Lines l = file_; l.push_back("End"); l.push_back(file_[1]); return l; }(),
       "11 extra block"},
      {"a block of another table", [&] { Lines l = file_; l[3] = "Tax,labels"; return l; }(), "11 block name"},
      {"the blocks out of order", Lines{file_[0], file_[1], file_[2], file_[6], file_[7], file_[5], file_[3], file_[4]},
       "11 extra block"},
      {"an allocation unit outside the program", at(4, 6, "64741"), "11 allocation unit"},
      {"a number of eight digits", at(4, 8, "12345678"), "11 number size"},
      {"a transfer unit named otherwise", at(7, 11, "O'Brien SELPA"), "11 transfer unit"},
      {"a blank line in a block", [&] { Lines l = file_; l.insert(l.begin() + 5, ""); return l; }(), "11 blank line"},
  };
  for (const auto& c : cases) {
    const asciiimport::Verdict verdict = Check(c.file);
    EXPECT_FALSE(verdict.accepted) << c.name;
    EXPECT_EQ(verdict.rule, c.rule) << c.name;
    EXPECT_FALSE(verdict.allocationBlock || verdict.transferBlock) << c.name;
  }
}

TEST_F(AsciiImportTest, AnAdaRowOfAnotherCountyRefusesTheFile) {
  Execute("INSERT INTO ATTCSBGCOE (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO)"
          " VALUES (2019, 2, 19, 64733, 0, 44);"
          " INSERT INTO ATTCSBGCOEADA (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID,"
          " RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID) VALUES (2019, 2, 19, 64733, 0, 19, 64741)");
  Lines file = Exported("ATTCSBGCOE", 44, 64733);
  ASSERT_EQ(file.size(), 5u);
  asciiimport::Verdict verdict = Check(file);
  EXPECT_TRUE(verdict.accepted) << verdict.rule;
  EXPECT_TRUE(verdict.adaBlock);
  file[4] = WithField(file[4], 3, "20");
  verdict = Check(file);
  EXPECT_FALSE(verdict.accepted);
  EXPECT_EQ(verdict.rule, "11 county");
}

}  // namespace

namespace {

using Row = std::map<std::string, std::string>;

// A row with some values changed.
Row With(Row row, const Row& changes) {
  for (const auto& [column, value] : changes) row[column] = value;
  return row;
}

TEST_F(AsciiImportTest, ClassSizeRulesOfBrlSdCspNew) {
  Execute("INSERT INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, CATEGORY) VALUES (70, 'BRL_SD_CSP_NEW', 'A');"
          "UPDATE KRN_LEAS SET Small_District = -1 WHERE SCHOOL_DISTRICT_ID = 64733");
  const Row k = {{"SCHOOL_DISTRICT_ID", "64733"}, {"SCHOOL_ID", "0"}, {"GRADE", "K"}, {"FULL_PERIOD", "1"},
                 {"AVG_CLASS_ENROLL_SIZE", "25"}, {"NO_CLASSES_SIZE", "3"}, {"FRACTION_IN_SESSION", "0.75"}};
  const Row s = With(k, {{"GRADE", "S"}});
  const struct {
    const char* name;
    std::vector<Row> rows;
    const char* rule;
    const char* form = "BRL_SD_CSP_NEW";
  } cases[] = {
      {"a well-formed row", {k}, ""},
      {"no rows", {}, ""},
      {"grade s", {With(k, {{"GRADE", "s"}})}, "7 grade"},
      {"grade s, form written in lower case", {With(k, {{"GRADE", "s"}})}, "", "brl_sd_csp_new"},
      {"full period 2", {With(k, {{"FULL_PERIOD", "2"}})}, "7 full period"},
      {"only S rows of a small district", {s}, ""},
      {"only S rows of another district", {With(s, {{"SCHOOL_DISTRICT_ID", "64741"}})}, "7 small district"},
      {"a K row beside the S rows lifts it",
       {With(s, {{"SCHOOL_DISTRICT_ID", "64741"}}), With(k, {{"SCHOOL_DISTRICT_ID", "64741"}})}, ""},
      {"class size 12.5 in grade S", {With(s, {{"AVG_CLASS_ENROLL_SIZE", "12.5"}})}, "9 class size"},
      {"class size 12.5 in grade F", {With(k, {{"GRADE", "F"}, {"AVG_CLASS_ENROLL_SIZE", "12.5"}})}, ""},
      {"a school outside grade S", {With(k, {{"SCHOOL_ID", "6473301"}})}, "9 grade school"},
      {"full period 1, fraction 2", {With(k, {{"FRACTION_IN_SESSION", "2"}})}, ""},
      {"full period 1, fraction 1.5", {With(k, {{"FRACTION_IN_SESSION", "1.5"}})}, "9 fraction"},
      {"full period 0, fraction 1", {With(k, {{"FULL_PERIOD", "0"}, {"FRACTION_IN_SESSION", "1"}})}, ""},
      {"full period 0, fraction 0.5", {With(k, {{"FULL_PERIOD", "0"}, {"FRACTION_IN_SESSION", "0.5"}})}, "9 fraction"},
      {"full period 0, fraction 2", {With(k, {{"FULL_PERIOD", "0"}, {"FRACTION_IN_SESSION", "2"}})}, "9 fraction"},
      {"period 3", {With(k, {{"PERIOD_ID", "3"}})}, "9 period"},
  };
  for (const auto& c : cases) {
    const asciiimport::Verdict verdict = Check(FileOf(c.form, c.rows));
    EXPECT_EQ(verdict.accepted, std::string(c.rule).empty()) << c.name << ": " << verdict.rule;
    EXPECT_EQ(verdict.rule, c.rule) << c.name;
  }
}

// One row of a form checked by a user group: the rule that refuses it, or
// "" when it is accepted; `setup` runs before the check and `undo` after.
struct FormCase {
  const char* name;
  const char* form;
  Row row;
  const char* rule;
  int group = 2;
  const char* setup = "";
  const char* undo = "";
};

class AsciiImportForms : public AsciiImportTest {
 protected:
  void Expect(const std::vector<FormCase>& cases) {
    for (const FormCase& c : cases) {
      if (*c.setup) Execute(c.setup);
      const asciiimport::Verdict verdict = Check(FileOf(c.form, {c.row}), c.group);
      if (*c.undo) Execute(c.undo);
      EXPECT_EQ(verdict.accepted, std::string(c.rule).empty()) << c.name << ": " << verdict.rule;
      EXPECT_EQ(verdict.rule, c.rule) << c.name;
    }
  }
};

TEST_F(AsciiImportForms, ColumnLookupsByFormAndUserGroup) {
  // Schools of Elm Unified: one of the small-school exception, one plain,
  // one charter; Ash Valley is a basic-aid choice district and the one
  // named for supplemental attendance; Oak County (20) has an open office
  // but nothing listed for supplemental attendance; O'Neil Valley's name
  // holds an apostrophe.
  Execute("INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME,"
          " SCHOOL_DISTRICT_NAME, LEA_TYPE, STAT_TYPE, CHARTER_ID, EXCEPTION_SD_SCH_2501) VALUES"
          " (2019, 19, 64733, 6473301, 'Elm County', 'Elm Unified', 4, 'OPEN', 'N', -1),"
          " (2019, 19, 64733, 6473302, 'Elm County', 'Elm Unified', 4, 'OPEN', 'N', 0),"
          " (2019, 19, 64733, 6473309, 'Elm County', 'Elm Unified', 4, 'OPEN', 'Y', 0),"
          " (2019, 19, 64745, 0, 'Elm County', 'O''Neil Valley', 3, 'OPEN', NULL, 0),"
          " (2019, 20, 10200, 0, 'Oak County', 'Oak County Office', 2, 'OPEN', NULL, 0);"
          "UPDATE KRN_LEAS SET IS_BASIC_AID_CHOICE = -1, EXCEPTION_ATT_SUPP = -1, EXCEPTION_ATT_SUPP_LIST = -1"
          " WHERE SCHOOL_DISTRICT_ID = 64741;"
          "INSERT OR IGNORE INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, CATEGORY) VALUES (31, 'ATT_SD_SUPP', 'A'),"
          " (32, 'ATT_SD_BS', 'A'), (33, 'BRL_SD_NSES_ADA', 'A'), (34, 'FOSTERYOUTHNSHS', 'A'),"
          " (35, 'SELPAADAALLOC', 'S'), (36, 'ATT_CS_BG_U', 'CA'), (37, 'CS_BA', 'CA'), (38, 'ATTCOECCSE', 'A'),"
          " (21, 'ATT_SD', 'A')");
  const Row resident = {{"SCHOOL_DISTRICT_ID", "64733"}, {"SCHOOL_ID", "0"}, {"RES_COUNTY_ID", "19"},
                        {"RESCOUNTYNAME", "Elm County"}, {"RES_SCHOOL_DISTRICT_ID", "64741"},
                        {"RESSCHOOLDISTNAME", "Ash Valley"}};
  const Row supp = With(resident, {{"SCHOOL_DISTRICT_ID", "64741"}});
  const Row school = {{"SCHOOL_DISTRICT_ID", "64733"}, {"SCHOOL_ID", "6473301"}};
  const Row selpa = {{"SCHOOL_DISTRICT_ID", "64790"}, {"SCHOOL_ID", "0"}, {"RES_SCHOOL_DISTRICT_ID", "64790"},
                     {"RESSCHOOLDISTNAME", "O'Brien SELPA"}};
  const Row oak = With(resident, {{"RES_COUNTY_ID", "20"}, {"RESCOUNTYNAME", "Oak County"},
                                  {"RES_SCHOOL_DISTRICT_ID", "10200"}, {"RESSCHOOLDISTNAME", "Oak County Office"}});
  Expect({
      {"6.1: the county office open", "ATTCOECCSE", resident, ""},
      {"6.1: the county office closed", "ATTCOECCSE", resident, "6.1", 2,
       "UPDATE KRN_LEAS SET STAT_TYPE = 'CLOSED' WHERE SCHOOL_DISTRICT_ID = 10199",
       "UPDATE KRN_LEAS SET STAT_TYPE = 'OPEN' WHERE SCHOOL_DISTRICT_ID = 10199"},
      {"6.2.1: supplemental attendance of a listed district", "ATT_SD_SUPP", supp, ""},
      {"6.2.1: supplemental attendance of a district not listed", "ATT_SD_SUPP", resident, "6.2.1"},
      {"6.2.2: ATT_SD of a district that fills charter rows", "ATT_SD", With(school, {{"SCHOOL_DISTRICT_ID", "64766"}}),
       ""},
      {"6.2.2: CS_BA of that district", "CS_BA", With(resident, {{"SCHOOL_DISTRICT_ID", "64766"}}), ""},
      {"6.2.2: cs_ba, as written, is not exempt", "cs_ba", With(resident, {{"SCHOOL_DISTRICT_ID", "64766"}}),
       "6.2.2"},
      {"6.2.3: a basic-aid choice district", "ATT_SD_BS", supp, ""},
      {"6.2.3: a district that is none", "ATT_SD_BS", resident, "6.2.3"},
      {"6.2.1 before 6.2.4: a closed district", "FOSTERYOUTHNSHS", With(school, {{"SCHOOL_DISTRICT_ID", "64758"}}), "6.2.1"},
      {"6.3: group 3 looks in the office's own district", "AttCsACD", With(school, {{"SCHOOL_ID", "0"}}), "", 3},
      {"6.3: group 3, a school of another district", "AttCsACD", school, "6.3", 3},
      {"6.4: a small-school exception school", "BRL_SD_NSES_ADA", school, ""},
      {"6.4: group 3, the same", "BRL_SD_NSES_ADA", school, "", 3},
      {"6.4: a school without the exception", "BRL_SD_NSES_ADA", With(school, {{"SCHOOL_ID", "6473302"}}), "6.4"},
      {"6.4: group 3, the same", "BRL_SD_NSES_ADA", With(school, {{"SCHOOL_ID", "6473302"}}), "6.4", 3},
      {"6.4: a school that is no charter", "FOSTERYOUTHNSHS", With(school, {{"SCHOOL_ID", "6473302"}}), ""},
      {"6.4: a charter school", "FOSTERYOUTHNSHS", With(school, {{"SCHOOL_ID", "6473309"}}), "6.4"},
      {"6.4: group 3, a charter school", "FOSTERYOUTHNSHS", With(school, {{"SCHOOL_ID", "6473309"}}), "6.4", 3},
      {"6.4: the SELPA row of its district", "SELPAADAALLOC", selpa, ""},
      {"6.4: group 3 wants a school there", "SELPAADAALLOC", selpa, "6.4", 3},
      {"6.4: group 4 is asked as group 2", "SELPAADAALLOC", selpa, "", 4},
      {"6.4: group 5 is asked as group 2", "SELPAADAALLOC", selpa, "", 5},
      {"6.4: group 7 is asked as group 2", "FOSTERYOUTHNSHS", With(school, {{"SCHOOL_ID", "6473309"}}), "6.4", 7},
      {"6.5: a residence county elsewhere", "ATTCOECCSE", oak, ""},
      {"6.5: a residence county not in the directory", "ATTCOECCSE", With(resident, {{"RES_COUNTY_ID", "21"}}), "6.5"},
      {"6.5: supplemental, a county without listed districts", "ATT_SD_SUPP",
       With(oak, {{"SCHOOL_DISTRICT_ID", "64741"}}), "6.5"},
      {"6.6: another county name", "ATT_SD_BS", With(supp, {{"RESCOUNTYNAME", "Oak County"}}), "6.6"},
      {"6.7: a closed residence district", "ATT_CS_BG_U",
       With(resident, {{"RES_SCHOOL_DISTRICT_ID", "64758"}, {"TYPE", "1"}, {"FORM_NO", "43"}}), "6.7"},
      {"6.7: an open one", "ATT_CS_BG_U", With(resident, {{"TYPE", "1"}, {"FORM_NO", "43"}}), ""},
      {"6.7: supplemental, a residence district not listed", "ATT_SD_SUPP",
       With(supp, {{"RES_SCHOOL_DISTRICT_ID", "64733"}, {"RESSCHOOLDISTNAME", "Elm Unified"}}), "6.7"},
      {"6.7: a SELPA residence of another district", "SELPAADAALLOC", With(selpa, {{"RES_SCHOOL_DISTRICT_ID", "64733"}}),
       "6.7"},
      {"6.8: another district name", "ATTCOECCSE", With(resident, {{"RESSCHOOLDISTNAME", "Elm Unified"}}), "6.8"},
      {"6.8: a name with an apostrophe as written", "ATTCOECCSE",
       With(resident, {{"RES_SCHOOL_DISTRICT_ID", "64745"}, {"RESSCHOOLDISTNAME", "O'Neil Valley"}}), ""},
  });
}

TEST_F(AsciiImportForms, AgencyProviderAndSelpaLookups) {
  Execute("INSERT INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, CATEGORY) VALUES (401, 'SECOSTPOOL', 'S');"
          "INSERT INTO KRNNPS (NPSCODE, NPSNAME) VALUES ('N1', 'Bright''s School');"
          "INSERT INTO KRNNPA (NPACODE, npaNAME) VALUES ('P1', 'Path Agency');"
          "INSERT INTO KRNLCI (lcilicensenumber, lciNAME) VALUES ('L1', 'Home LCI')");
  const Row pool = {{"SCHOOL_DISTRICT_ID", "64733"}, {"SCHOOL_ID", "0"}, {"SELPALOCATION", "19"},
                    {"LICENSENUMBER", "N1"}, {"HOLBRINSTUDENTID", "S1"}, {"NAME", "Bright's School"},
                    {"USERADDED", "0"}, {"STUDENTBIRTHDATE", "__/__/____"}};
  const Row nps = {{"SCHOOL_DISTRICT_ID", "64733"}, {"SCHOOL_ID", "0"}, {"SELPALOCATION", "19"},
                   {"LCILICENSENUMBER", "L1"}, {"CODE", "N1"}, {"NPSNPATYPEID", "0"}, {"NAME", "Bright's School"},
                   {"LCINAME", "Home LCI"}};
  const Row npa = With(nps, {{"NPSNPATYPEID", "1"}, {"CODE", "P1"}, {"NAME", "Path Agency"}});
  const Row tax = {{"SCHOOL_DISTRICT_ID", "64790"}, {"SCHOOL_ID", "0"}, {"RES_SCHOOL_DISTRICT_ID", "64790"},
                   {"RESSCHOOLDISTNAME", "O'Brien SELPA"}, {"TAXPER", "1.5"}};
  Expect({
      {"pool: found", "SECOSTPOOL", pool, ""},
      {"pool: another SELPA location (A)", "SECOSTPOOL", With(pool, {{"SELPALOCATION", "20"}}), "10 lookup A"},
      {"pool: another provider name (N1)", "SECOSTPOOL", With(pool, {{"NAME", "Brights School"}}), "10 lookup N1"},
      {"pool: no provider name", "SECOSTPOOL", With(pool, {{"NAME", ""}}), "empty NAME"},
      {"pool: added by the user", "SECOSTPOOL", With(pool, {{"USERADDED", "1"}}), "10 USERADDED"},
      {"pool: USERADDED empty", "SECOSTPOOL", With(pool, {{"USERADDED", ""}}), "10 USERADDED"},
      {"pool: a birth date that is none", "SECOSTPOOL", With(pool, {{"STUDENTBIRTHDATE", "31/31/2019"}}), "10 date"},
      {"NPS: found (N2)", "SENPSLCI", nps, ""},
      {"NPS: another name (N2)", "SENPSLCI", With(nps, {{"NAME", "Other"}}), "10 lookup N2"},
      {"NPA and LCI: found (N3, N4)", "SENPSLCI", npa, ""},
      {"NPA: an NPS code (N3)", "SENPSLCI", With(npa, {{"CODE", "N1"}}), "10 lookup N3"},
      {"LCI: another name (N4)", "SENPSLCI", With(npa, {{"LCINAME", "Other"}}), "10 lookup N4"},
      {"type 2: the agency only", "SENPSLCI", With(nps, {{"NPSNPATYPEID", "2"}, {"NAME", "Other"}}), ""},
      {"infant funding: a SELPA of the program (B)", "INFANTFUNDING", {{"SCHOOL_DISTRICT_ID", "64790"}, {"SCHOOL_ID", "0"}},
       ""},
      {"infant funding: a district (B)", "INFANTFUNDING", {{"SCHOOL_DISTRICT_ID", "64733"}, {"SCHOOL_ID", "0"}},
       "10 lookup B"},
      {"SELPA named with an apostrophe (C)", "SPEDTAXALLOC", tax, ""},
      {"another SELPA name (C)", "SPEDTAXALLOC", With(tax, {{"RESSCHOOLDISTNAME", "O'Brien"}}), "10 lookup C"},
      {"a residence district that is no SELPA (6.7)", "SPEDTAXALLOC",
       With(tax, {{"RES_SCHOOL_DISTRICT_ID", "64733"}}), "6.7"},
      {"a county auditor", "SPEDTAXALLOC", tax, "5.5", 7},
  });
}

}  // namespace

#include "AsciiImportFixture.h"

#include <fstream>
#include <sstream>

#include "AsciiExport.h"
#include "AsciiFixture.h"
#include "AsciiFile.h"
#include "db/Catalog.h"
#include "db/Recordset.h"
#include "modGlobals.h"
#include "vb/App.h"
#include "vb/Conversions.h"

namespace {

constexpr const char* kDirectory = R"(
INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME, SCHOOL_DISTRICT_NAME,
  LEA_TYPE, STAT_TYPE, CS_BA_CHARTER_FILL_BY_DIST, INFANTPROGRAM, ALLOCATIONPROGRAM, AU_COUNTY, SELPA_NAME) VALUES
 (2018, 19, 64799, 0, 'Elm County', 'Old Unified', 3, 'OPEN', 0, 0, 0, 19, NULL),
 (2019, 19, 10199, 0, 'Elm County', 'Elm County Office of Education', 2, 'OPEN', 0, 0, 0, 19, NULL),
 (2019, 19, 64733, 0, 'Elm County', 'Elm Unified', 3, 'OPEN', 0, 0, -1, 19, NULL),
 (2019, 19, 64741, 0, 'Elm County', 'Ash Valley', 3, 'OPEN', 0, 0, 0, 19, NULL),
 (2019, 19, 64758, 0, 'Elm County', 'Glen', 3, 'CLOSED', 0, 0, 0, 19, NULL),
 (2019, 19, 64766, 0, 'Elm County', 'Fir Unified', 3, 'OPEN', -1, 0, 0, 19, NULL),
 (2019, 19, 64790, 0, 'Elm County', 'Elm SELPA', 5, 'OPEN', 0, -1, -1, 19, 'O''Brien SELPA');
INSERT INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, FORM_DISPLAY_NAME, CATEGORY) VALUES
 (29, 'Tax', 'Property Tax', 'T'), (44, 'ATTCSBGCOE', 'Charter Block Grant', 'CA'),
 (102, 'INFANTFUNDING', 'Infant Funding', 'S'), (400, 'SENPSLCI', 'Providers', 'S'),
 (89, 'SPEDTAXALLOC', 'Special Education Tax', 'T'), (999, 'AttCsACD', 'Charter Attendance', 'CA');
)";

}  // namespace

void AsciiImportTest::SetUp() {
  ProgramTest::SetUp();
  fixtures::BuildDatabase(DatabasePath(), false);
  Execute(kDirectory);
}

void AsciiImportTest::Execute(const std::string& sql) { OpenDatabase()->ExecuteScript(sql); }

asciiimport::Scope AsciiImportTest::Scope(int group) {
  asciiimport::Scope scope;
  scope.conn = modGlobals::SharedConnection();
  scope.CountyID = 19;
  scope.DistrictID = 10199;
  scope.ReportYear = 2019;
  scope.ReportPeriod = 2;
  scope.LogonUserGroup = group;
  return scope;
}

std::vector<std::string> AsciiImportTest::TaxFile() {
  Execute(
      "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
      " RES_SCHOOL_DISTRICT_ID, TaxType, ResCountyName, ResSchoolDistName, Secured, Unsecured, Explanation, CERT_KEY)"
      " VALUES (2019, 2, 19, 64733, 0, 19, 10199, 0, 'Elm County', 'Elm County Office of Education', 1500, NULL,"
      " 'Caf\xC3\xA9', 11),"
      " (2019, 2, 19, 64733, 0, 19, 64741, 1, 'Elm County', 'Ash Valley', 20, 0, ' ', 12)");
  std::vector<std::string> lines = Exported("Tax", 29, 64733);
  Execute("DELETE FROM Tax");
  return lines;
}

std::vector<std::string> AsciiImportTest::Exported(const std::string& form, int formNo, int district) {
  AsciiExport run;
  run.conn = modGlobals::SharedConnection();
  run.ReportYear = 2019;
  run.ReportPeriod = 2;
  run.LogonUserGroup = 2;
  run.marrSelectedLEAs.Grow(8, 0);
  run.marrSelectedLEAs.At(0, 0) = std::to_string(district);
  run.marrSelectedLEAs.At(1, 0) = "0000000";
  run.marrSelectedLEAs.At(4, 0) = "19";
  run.mintLEACount = 1;
  run.marrSelectedPrograms.Grow(4, 0);
  run.marrSelectedPrograms.At(1, 0) = std::to_string(formNo);
  const std::string path = vb::App::Path() + "/Export/tax.txt";
  dialogs_.AnswerFile(path);
  std::string name = "Property Tax";
  EXPECT_TRUE(WriteAsciiExportFile(run, name, form, ","));
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return asciifile::SplitLines(bytes.str());
}

std::vector<std::string> AsciiImportTest::FileOf(const std::string& form,
                                                const std::vector<std::map<std::string, std::string>>& rows) {
  const std::map<std::string, std::string> defaults = {{"FISCAL_YEAR", "2019"}, {"PERIOD_ID", "2"}, {"COUNTY_ID", "19"}};
  const std::vector<std::string> columns =
      db::catalog::ColumnNames(*modGlobals::SharedConnection(), asciiimport::StorageTable(form));
  std::vector<std::string> lines = {form + ",labels"};
  for (const auto& row : rows) {
    std::string line = form;
    for (const std::string& column : columns) {
      const std::string upper = vb::UCase(column);
      const auto given = row.find(upper);
      const auto preset = defaults.find(upper);
      line += "," + (given != row.end() ? given->second : preset != defaults.end() ? preset->second : std::string());
    }
    lines.push_back(line);
  }
  return lines;
}

asciiimport::Verdict AsciiImportTest::Check(const std::vector<std::string>& lines, int group) {
  return asciiimport::ValidateImportFile(lines, Scope(group));
}

std::string AsciiImportTest::Dump() { return AsciiExportTest::Bytes(DatabasePath()); }

std::string WithField(const std::string& line, int field, const std::string& value) {
  std::vector<std::string> fields = SplitFields(line);
  fields.at(static_cast<std::size_t>(field)) = value;
  std::string joined;
  for (std::size_t i = 0; i < fields.size(); ++i) joined += (i ? "," : "") + fields[i];
  return joined;
}

#include "AsciiFixture.h"

#include <QPlainTextEdit>
#include <fstream>
#include <memory>
#include <sstream>

#include "AsciiExportCommand.h"
#include "modGlobals.h"

namespace {

// Elm County's offices, listed for a county-office logon, and a school.
constexpr const char* kElmCounty = R"(
INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME, SCHOOL_DISTRICT_NAME,
  SCHOOL_NAME, LEA_TYPE, STAT_TYPE, DISTRICT_TYPE, CHARTER_ID) VALUES
 (2019, 19, 10199, 0, 'Elm County', 'Elm County Office of Education', '', 2, 'OPEN', 'CO OFFICE', 'N'),
 (2019, 19, 64733, 0, 'Elm County', 'Elm Unified', '', 2, 'OPEN', 'CO OFFICE', 'N'),
 (2019, 19, 64741, 0, 'Elm County', 'Ash Valley', '', 2, 'OPEN', 'CO OFFICE', 'N'),
 (2019, 19, 64733, 6473301, 'Elm County', 'Elm Unified', 'Elm Charter', 4, 'OPEN', 'CHARTER', 'Y');
)";

}  // namespace

void AsciiExportTest::SetUp() {
  MainWindowTest::SetUp();
  Execute(kElmCounty);
  // The block-grant and infant-funding programs listed among the county
  // office's tax forms, so that the command can export them.
  Execute("UPDATE VHO_TORB_FORMS SET CATEGORY = 'T', COE = 'Y', FY_2019 = 'Y' WHERE FORM_NO IN (44, 102)");
  AsciiExportCommand::Install();
}

void AsciiExportTest::TearDown() {
  frmMain::SetCommandBody("mnuNew_ExportASCII", nullptr);
  MainWindowTest::TearDown();
}

AsciiExport AsciiExportTest::State(const std::vector<Lea>& leas, int formNo, int group) {
  AsciiExport run;
  run.conn = modGlobals::SharedConnection();
  run.ReportYear = 2019;
  run.ReportPeriod = 2;
  run.LogonUserGroup = group;
  run.marrSelectedLEAs.Grow(8, static_cast<int>(leas.size()) - 1);
  for (std::size_t i = 0; i < leas.size(); ++i) {
    const int row = static_cast<int>(i);
    run.marrSelectedLEAs.At(0, row) = std::to_string(leas[i].district);
    run.marrSelectedLEAs.At(1, row) = vb::Format(vb::Variant(leas[i].school), "0000000");
    run.marrSelectedLEAs.At(4, row) = std::to_string(leas[i].county);
  }
  run.mintLEACount = static_cast<std::int32_t>(leas.size());
  run.marrSelectedPrograms.Grow(4, 0);
  run.marrSelectedPrograms.At(1, 0) = std::to_string(formNo);
  return run;
}

bool AsciiExportTest::Write(AsciiExport& run, const std::string& formName, const std::string& file) {
  dialogs_.AnswerFile(ExportFile(file).string());
  std::string name = "Program";
  return WriteAsciiExportFile(run, name, formName, ",");
}

std::string AsciiExportTest::Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::string> AsciiExportTest::Lines(const std::filesystem::path& path) {
  const std::string bytes = Bytes(path);
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(start) + "<no CR LF>");
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void AsciiExportTest::AddTax(const Lea& lea, int period, int resDistrict, const std::string& secured,
                             const std::string& explanation, int year) {
  Execute("INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
          " RES_SCHOOL_DISTRICT_ID, TaxType, Secured, Explanation, CERT_KEY) VALUES (" +
          std::to_string(year) + ", " + std::to_string(period) + ", " + std::to_string(lea.county) + ", " +
          std::to_string(lea.district) + ", " + std::to_string(lea.school) + ", 19, " + std::to_string(resDistrict) +
          ", 0, " + secured + ", " + explanation + ", 7)");
}

frmMain& AsciiExportTest::OpenSelected(const std::vector<int>& agencies, const std::vector<int>& forms) {
  for (int district : agencies)
    Execute("UPDATE KRN_LEAS SET SELECTED = 'Yes' WHERE COUNTY_ID = 19 AND SCHOOL_DISTRICT_ID = " +
            std::to_string(district) + " AND LEA_TYPE = 2");
  for (int form : forms) Execute("UPDATE VHO_TORB_FORMS SET SELECTED = 'Yes' WHERE FORM_NO = " + std::to_string(form));
  LogOn(As(2, 19, 10199));
  return Open();
}

std::string AsciiExportTest::RunCommand(frmMain& w, const std::optional<std::string>& file, bool report) {
  if (file) dialogs_.AnswerFile(file->empty() ? std::nullopt : std::optional(ExportFile(*file).string()));
  auto text = std::make_shared<std::string>();
  if (report)
    dialogs_.AnswerModal([text](QWidget& window) {
      *text = window.findChild<QPlainTextEdit*>("txtStatus")->toPlainText().toStdString();
      return 0;
    });
  w.Menus().Click("mnuNew_ExportASCII");
  return *text;
}

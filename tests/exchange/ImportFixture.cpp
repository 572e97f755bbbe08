#include "ImportFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QPlainTextEdit>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "SealedDatabase.h"
#include "db/Catalog.h"
#include "modGlobals.h"
#include "vb/App.h"
#include "vb/Conversions.h"

namespace fs = std::filesystem;

namespace importfixture {

std::string Status(int county, int district, int school, int form, int year, int period,
                   const std::string& corrected) {
  return "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,"
         " CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING, PY_FORMS_CORRECTED) VALUES (" +
         std::to_string(year) + ", " + std::to_string(period) + ", " + std::to_string(county) + ", " +
         std::to_string(district) + ", " + std::to_string(school) + ", " + std::to_string(form) + ", -1, 0, 0, 0, " +
         corrected + ");";
}

std::string Toc(const std::string& group, int county, int district, int school, int year, int period) {
  return "INSERT INTO EXPORT_FILE_INFO (FORM_GROUP_NAME, FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID,"
         " SCHOOL_ID) VALUES ('" +
         group + "', " + std::to_string(year) + ", " + std::to_string(period) + ", " + std::to_string(county) + ", " +
         std::to_string(district) + ", " + std::to_string(school) + ");";
}

std::string TaxRow(int county, int district, int school, int resDistrict, int taxType) {
  return "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
         " RES_SCHOOL_DISTRICT_ID, TaxType, Secured, CERT_KEY) VALUES (2019, 2, " +
         std::to_string(county) + ", " + std::to_string(district) + ", " + std::to_string(school) + ", " +
         std::to_string(county) + ", " + std::to_string(resDistrict) + ", " + std::to_string(taxType) +
         ", 1000, 1);";
}

}  // namespace importfixture

namespace {

constexpr const char* kDirectory = R"(
  INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME, SCHOOL_DISTRICT_NAME,
                        SCHOOL_NAME, LEA_TYPE, STAT_TYPE, CHARTER_ID, CS_BA_CHARTER_FILL_BY_DIST, SELPA_AU_REGION,
                        SELPA_DISTRICTREGION, AU_COUNTY) VALUES
    (2019, 19, 10199, 0, 'Juniper County', 'Juniper County Office of Education', NULL, 2, 'OPEN', NULL, 0, 'R1', 'R1', 19),
    (2019, 19, 612, 0, 'Juniper County', 'Alder Elementary', NULL, 3, 'OPEN', NULL, 0, 'R1', 'R1', 19),
    (2019, 19, 613, 0, 'Juniper County', 'Birch Elementary', NULL, 3, 'OPEN', NULL, 0, NULL, NULL, NULL),
    (2019, 19, 614, 0, 'Juniper County', 'Cedar Elementary', NULL, 3, 'OPEN', NULL, 0, NULL, NULL, 20),
    (2019, 19, 64733, 0, 'Juniper County', 'Larkspur Unified', NULL, 3, 'OPEN', NULL, 0, NULL, NULL, NULL),
    (2019, 19, 612, 6120001, 'Juniper County', 'Alder Elementary', 'Alder Charter', 4, 'OPEN', 'Y', -1, NULL, NULL, NULL),
    (2019, 19, 612, 6129999, 'Juniper County', 'Alder Elementary', 'Alder SELPA', 5, 'OPEN', NULL, 0, 'R1', 'R1', 19),
    (2019, 20, 10200, 0, 'Fenwick County', 'Fenwick County Office of Education', NULL, 2, 'OPEN', NULL, 0, NULL, NULL, NULL),
    (2019, 20, 2001, 0, 'Fenwick County', 'Fenwick Valley', NULL, 3, 'OPEN', NULL, 0, NULL, NULL, NULL),
    (2019, 21, 2101, 0, 'Hollis County', 'Hollis Joint', NULL, 3, 'OPEN', NULL, 0, 'R1', 'R1', 19);
)";

}  // namespace

void ImportTest::SetUp() {
  ProgramTest::SetUp();
  vb::App::SetPath(ProgramFolder().string());
  fs::create_directories(ProgramFolder() / "Import");
  temporary_ = ProgramFolder() / "tmp";
  fs::create_directories(temporary_);
  if (const char* tmpdir = std::getenv("TMPDIR")) {
    hadTmpdir_ = true;
    previousTmpdir_ = tmpdir;
  }
  setenv("TMPDIR", temporary_.c_str(), 1);
  conn_ = modGlobals::SharedConnection();
  Execute(kDirectory);
  modGlobals::GlobalParam().ReportYear = 2019;
  modGlobals::GlobalParam().ReportPeriod = 2;
}

void ImportTest::TearDown() {
  user_.Close();
  conn_.reset();
  if (hadTmpdir_) {
    setenv("TMPDIR", previousTmpdir_.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  ProgramTest::TearDown();
}

void ImportTest::Execute(const std::string& sql) { conn_->ExecuteScript(sql); }

fs::path ImportTest::File(const std::string& sql, const std::string& name, const std::string& password) {
  const fs::path path = ProgramFolder() / "Import" / name;
  fixtures::BuildSealedDatabase(path, sql, password);
  return path;
}

ImportScope importfixture::Scope(int group, int county, int district, int school, const std::string& region,
                                bool selpaAu) {
  ImportScope scope;
  scope.logonUserGroup = group;
  scope.county = county;
  scope.district = district;
  scope.school = school;
  scope.auRegion = region;
  scope.selpaAu = selpaAu;
  scope.year = 2019;
  scope.period = 2;
  return scope;
}

bool ImportTest::Accepts(const fs::path& file, const ImportScope& scope) {
  db::TemporaryFile copy = db::unseal(file, "ZJX");
  ImportFile attached(conn_, copy.Path());
  return CertifiedImport(conn_, scope).bDatabaseValid();
}

frmImport& ImportWindowUser::Window(const ImportScope& scope) {
  clsGlobalParam& program = modGlobals::GlobalParam();
  program.LogonUserGroup = scope.logonUserGroup;
  program.bSelpaAu = scope.selpaAu;
  program.ReportYear = scope.year;
  program.ReportPeriod = scope.period;
  opener_.CountyID = scope.county;
  opener_.DistrictID = scope.district;
  opener_.SchoolId = scope.school;
  opener_.AURegion = scope.auRegion;
  main_ = std::make_unique<frmMain>();
  main_->Menus().Item("mnu_PY_P2").Checked(scope.correctionMode);
  window_ = std::make_unique<frmImport>(*main_);
  window_->GlobeParam(opener_);
  window_->Load();
  window_->move(-5000, -5000);
  window_->show();
  return *window_;
}

void ImportWindowUser::SelectFile(const std::optional<fs::path>& file) {
  dialogs_.AnswerFile(file ? std::optional<std::string>(file->string()) : std::nullopt);
  window_->cmdfile->click();
}

void ImportWindowUser::ExpectReport() {
  dialogs_.AnswerModal([this](QWidget& window) {
    auto* text = window.findChild<QPlainTextEdit*>("txtStatus");
    if (!text) {
      ADD_FAILURE() << "another window than the report: " << window.objectName().toStdString();
      return 0;
    }
    shownReport = text->toPlainText().toStdString();
    return 0;
  });
}

std::string ImportWindowUser::Import(const fs::path& file, const ImportScope& scope) {
  frmImport& w = Window(scope);
  ExpectReport();
  SelectFile(file);
  return w.LastReport();
}

void ImportWindowUser::Answer(int button) {
  dialogs_.AnswerModal([this, button](QWidget& box) {
    questions.push_back(box.windowTitle().toStdString() + ": " +
                         box.findChild<QLabel*>("lblMessage")->text().toStdString());
    box.findChild<QPushButton*>(QString("cmdAction_%1").arg(button))->click();
    return 0;
  });
}

void ImportWindowUser::Close() {
  window_.reset();
  main_.reset();
}

std::string ImportTest::Rows(const std::string& sql) {
  std::string text;
  db::RecordsetPtr rs = db::Recordset::Query(sql, conn_);
  for (; !rs->Eof(); rs->MoveNext()) {
    if (!text.empty()) text += "; ";
    for (int i = 0; i < rs->FieldCount(); ++i) text += (i ? "|" : "") + vb::TextOf(rs->Value(i));
  }
  return text;
}

std::string ImportTest::Dump() {
  std::ostringstream out;
  for (const std::string& table : db::catalog::Tables(*conn_)) {
    db::RecordsetPtr rs = db::Recordset::Query("SELECT * FROM " + db::QuoteName(table) + " ORDER BY rowid", conn_);
    out << table << "\n";
    for (; !rs->Eof(); rs->MoveNext()) {
      for (int i = 0; i < rs->FieldCount(); ++i) out << vb::TextOf(rs->Value(i)) << "|";
      out << "\n";
    }
  }
  return out.str();
}

std::vector<std::string> ImportTest::Temporaries() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(temporary_)) names.push_back(entry.path().filename().string());
  return names;
}

std::string ImportTest::Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

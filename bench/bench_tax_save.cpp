// The tax form's Save against the same database and checksum work done
// directly:
//   form:     the Save command of a loaded tax form that shows one of the
//             agency's 200 county-type rows, one amount changed before each
//             save (the change is not timed);
//   baseline: in one transaction with prepared statements, the changed row
//             written, every row's total recomputed and its key taken with
//             zlib's CRC-32 over its values, the changed total and key
//             written, all the agency's rows read back in key order for the
//             certificate, and the status row rewritten.
// Prints the ratio of the medians at the end.

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>
#include <zlib.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "AgencyListWindow.h"
#include "NumFieldHost.h"
#include "RatioReporter.h"
#include "clsMyAdoUtils.h"
#include "com/Registry.h"
#include "ctlTax_1.h"
#include "frmTax.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "numbox/CNumCtrl.h"
#include "ui/Dialogs.h"
#include "vb/App.h"
#include "zelErrHandler.h"

namespace {

constexpr int kRows = 200;
constexpr int kCounty = 19;
constexpr int kAgency = 64733;

// No message may show while the form saves: one that does ends the run.
class NoPrompts final : public ui::Dialogs {
 public:
  int MsgBox(const std::string& prompt, int, const std::string& title) override { Fail(title + ": " + prompt); }
  std::optional<std::string> InputBox(const std::string& prompt, const std::string&, const std::string&) override {
    Fail(prompt);
  }
  std::optional<std::string> OpenFile(const ui::FileDialogRequest&) override { Fail("open file"); }
  std::optional<std::string> SaveFile(const ui::FileDialogRequest&) override { Fail("save file"); }
  std::optional<std::string> ChoosePrinter(const std::string&) override { Fail("printer"); }
  std::optional<std::string> ChooseFolder(const ui::FileDialogRequest&) override { Fail("folder"); }
  int ShowModal(QWidget&) override { Fail("modal window"); }

 private:
  [[noreturn]] static void Fail(const std::string& what) {
    std::fprintf(stderr, "unexpected prompt: %s\n", what.c_str());
    std::abort();
  }
};

std::filesystem::path Folder() {
  return std::filesystem::temp_directory_path() / ("levbench-taxsave-" + std::to_string(::getpid()));
}

// A program folder with the delivered database, the agency's 200 county-type
// rows (one per district of residence) and its status row.
std::filesystem::path MakeDatabase(const char* name) {
  const auto path = Folder() / name;
  std::filesystem::create_directories(path.parent_path());
  std::filesystem::copy_file(LEV_TEMPLATE_DB, path, std::filesystem::copy_options::overwrite_existing);
  auto conn = db::Connection::OpenNew(db::Connection::ConnectionStringFor(path.string()));
  db::Transaction trans(*conn);
  conn->Execute(
      "INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME, SCHOOL_DISTRICT_NAME,"
      " LEA_TYPE, STAT_TYPE, DISTRICT_TYPE) VALUES (2019, 19, 64733, 0, 'Juniper County', 'Larkspur Unified', 3,"
      " 'OPEN', 'UNIFIED')");
  for (int i = 0; i < kRows; ++i) {
    conn->Execute(
        "INSERT INTO Tax VALUES (2019, 2, 19, 64733, 0, 19, ?, 0, 'Juniper County', ?, 'ELEMENTARY', ?, 200, 30,"
        " 0, 0, 0, 0, 0, 0, 0, ?, 0, 0, 0, 0, 0, ' ', 0)",
        {vb::Variant(20000 + i), vb::Variant("District " + std::to_string(i)), vb::Variant(1000 + i),
         vb::Variant(1230 + i)});
  }
  conn->Execute(
      "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,"
      " CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING) VALUES (2019, 2, 19, 64733, 0, 29, -1, 200, 0, 0)");
  trans.Commit();
  return path;
}

// --- The form ----------------------------------------------------------------------

struct TaxForm {
  TaxForm() {
    const auto database = MakeDatabase("form.mdb");
    ::setenv("XDG_CONFIG_HOME", (Folder() / "config").c_str(), 1);
    vb::App::SetPath(Folder().string());
    ui::SetDialogs(&prompts);
    modGlobals::gobjGlobalParam = std::make_unique<clsGlobalParam>();
    modGlobals::gobjAdoUtils = std::make_unique<clsMyAdoUtils>();
    modGlobals::gstrConnectionString = clsMyAdoUtils::ConnectionStringFor(database.string());
    modGlobals::gobjAdoUtils->Conn(db::Connection::OpenNew(modGlobals::gstrConnectionString));
    com::SetComponentFolder(LEV_PROGRAM_DIR);
    NumFieldHost::Install();
    clsGlobalParam& g = *modGlobals::gobjGlobalParam;
    g.UserGroup = 2;
    g.CountyID = kCounty;
    g.ReportYear = 2019;
    g.ReportPeriod = 2;
    g.FormNo = 29;
    g.formname = "Tax";
    if (!modMain::ComponentsAvailable(g.ReportYear, g.ReportPeriod)) std::abort();
    agencies = std::make_unique<AgencyListWindow>(kAgency);
    window = frmTax::MakeWindow();
    form = dynamic_cast<frmTax*>(window.get());
    form->cboTaxType->setCurrentIndex(form->cboTaxType->findText("County"));
    form->cboTaxType_Click();
    form->cmdMoveNext_Click();
  }
  ~TaxForm() {
    window.reset();
    agencies.reset();
    NumFieldHost::Uninstall();
    modGlobals::gobjAdoUtils->CloseConn();
    modGlobals::gobjAdoUtils.reset();
    modGlobals::gobjGlobalParam.reset();
    ui::SetDialogs(nullptr);
  }

  NoPrompts prompts;
  std::unique_ptr<QWidget> agencies;
  std::unique_ptr<QWidget> window;
  frmTax* form = nullptr;
};

void BM_Save_Form(benchmark::State& state) {
  TaxForm tax;
  int amount = 5000;
  for (auto _ : state) {
    state.PauseTiming();
    tax.form->ctlTax_11->Field("Secured")->SetText(QString::number(++amount));
    state.ResumeTiming();
    tax.form->cmdRecalculate_Click();
    if (tax.form->Dirty()) std::abort();  // the save did not complete
  }
}

// --- The baseline --------------------------------------------------------------------

struct Statement {
  Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr); }
  ~Statement() { sqlite3_finalize(stmt); }
  sqlite3_stmt* stmt = nullptr;
};

// A tax row as texts in column order (CERT_KEY last), as the key hashes
// them.
using Row = std::vector<std::string>;
constexpr int kSecured = 11;
constexpr int kTotal = 21;
constexpr int kCertKey = 28;

std::int32_t Crc(const std::string& text) {
  if (text.size() < 2) return 0;  // the first character is never hashed
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, reinterpret_cast<const Bytef*>(text.data() + 1), static_cast<uInt>(text.size() - 1));
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(crc));
}

void BM_Save_SqliteBaseline(benchmark::State& state) {
  const auto database = MakeDatabase("baseline.mdb");
  sqlite3* db = nullptr;
  sqlite3_open(database.string().c_str(), &db);
  std::vector<Row> rows;
  {
    Statement read(db, "SELECT * FROM Tax ORDER BY RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID, TaxType");
    while (sqlite3_step(read.stmt) == SQLITE_ROW) {
      Row& row = rows.emplace_back();
      for (int i = 0; i < sqlite3_column_count(read.stmt); ++i) {
        const unsigned char* text = sqlite3_column_text(read.stmt, i);
        row.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
      }
    }
  }
  Statement writeRow(db,
                     "UPDATE Tax SET Secured = ?, Unsecured = ?, HOX = ?, Subventions = ?, "
                     "DistributionTimberYieldTax = ?, DistributionPriorYearTax = ?, ReleasePriorYearTaxImpound = ?, "
                     "SupplementalTax = ?, EducationalRevenueAugmentationFund = ?, PriorYearRestrictedMonie = ?, "
                     "Total = ?, CommRedFunds = ?, SERAF = ?, RedevAgencyAssetLiquidation = ?, CollegeERAF = ?, "
                     "EstExcessERAF = ?, Explanation = ? WHERE FISCAL_YEAR = 2019 AND PERIOD_ID = 2 AND "
                     "COUNTY_ID = 19 AND SCHOOL_DISTRICT_ID = 64733 AND SCHOOL_ID = 0 AND RES_COUNTY_ID = 19 AND "
                     "RES_SCHOOL_DISTRICT_ID = ? AND TaxType = 0");
  Statement writeKey(db,
                     "UPDATE Tax SET Total = ?, CERT_KEY = ? WHERE FISCAL_YEAR = 2019 AND PERIOD_ID = 2 AND "
                     "COUNTY_ID = 19 AND SCHOOL_DISTRICT_ID = 64733 AND SCHOOL_ID = 0 AND RES_COUNTY_ID = 19 AND "
                     "RES_SCHOOL_DISTRICT_ID = ? AND TaxType = 0");
  Statement agency(db,
                   "SELECT * FROM Tax WHERE COUNTY_ID = ? AND SCHOOL_DISTRICT_ID = ? AND FISCAL_YEAR = 2019 AND "
                   "PERIOD_ID = 2 AND SCHOOL_ID = 0 ORDER BY FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, "
                   "SCHOOL_ID, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID, TaxType");
  Statement status(db,
                   "UPDATE LEA_FORMS_STATUS SET CERTIFICATE_NUMBER = ?, NUM_RECORD = ?, NUM_ERROR = 0, "
                   "NUM_WARNING = 0, LAST_MODIFIED_DATE = ?, LAST_EDIT_CHECK_DATE = ? WHERE FISCAL_YEAR = 2019 AND "
                   "PERIOD_ID = 2 AND COUNTY_ID = 19 AND SCHOOL_DISTRICT_ID = 64733 AND SCHOOL_ID = 0 AND "
                   "FORM_NO = 29");
  int amount = 5000;
  Row& shown = rows[1];
  for (auto _ : state) {
    shown[kSecured] = std::to_string(++amount);
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    for (int i = 0; i < 17; ++i) sqlite3_bind_text(writeRow.stmt, i + 1, shown[kSecured + i].c_str(), -1, nullptr);
    sqlite3_bind_text(writeRow.stmt, 18, shown[6].c_str(), -1, nullptr);
    sqlite3_step(writeRow.stmt);
    sqlite3_reset(writeRow.stmt);
    // Every row's total and key; the rows whose total or key changed are
    // written.
    for (Row& row : rows) {
      long long total = 0;
      for (int i = kSecured; i < kTotal; ++i) total += std::stoll(row[i]);
      std::string text;
      row[kTotal] = std::to_string(total);
      for (int i = 0; i < kCertKey; ++i) text += row[i];
      const std::string key = std::to_string(Crc(text));
      if (key == row[kCertKey] && &row != &shown) continue;
      row[kCertKey] = key;
      sqlite3_bind_text(writeKey.stmt, 1, row[kTotal].c_str(), -1, nullptr);
      sqlite3_bind_text(writeKey.stmt, 2, row[kCertKey].c_str(), -1, nullptr);
      sqlite3_bind_text(writeKey.stmt, 3, row[6].c_str(), -1, nullptr);
      sqlite3_step(writeKey.stmt);
      sqlite3_reset(writeKey.stmt);
    }
    // The certificate of all the agency's rows in key order.
    sqlite3_bind_int(agency.stmt, 1, kCounty);
    sqlite3_bind_int(agency.stmt, 2, kAgency);
    std::string keys;
    int count = 0;
    while (sqlite3_step(agency.stmt) == SQLITE_ROW) {
      const unsigned char* key = sqlite3_column_text(agency.stmt, kCertKey);
      keys += key ? reinterpret_cast<const char*>(key) : "";
      ++count;
    }
    sqlite3_reset(agency.stmt);
    sqlite3_bind_int(status.stmt, 1, Crc(keys));
    sqlite3_bind_int(status.stmt, 2, count);
    sqlite3_bind_text(status.stmt, 3, "2020-01-01 12:00:00", -1, nullptr);
    sqlite3_bind_text(status.stmt, 4, "2020-01-01 12:00:00", -1, nullptr);
    sqlite3_step(status.stmt);
    sqlite3_reset(status.stmt);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  }
  sqlite3_close(db);
}

// Five repetitions of each; the ratio compares the medians, so that a burst
// of other work on the machine moves it less.
BENCHMARK(BM_Save_SqliteBaseline)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Save_Form)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  // Failures are shown in the program's report, as the start procedure
  // arranges it.
  zelErrHandler::InstallReport();
  bench::Initialize(&argc, argv);
  bench::RatioReporter reporter({{"save of 200 tax rows", "BM_Save_Form", "BM_Save_SqliteBaseline", 2.0}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::error_code ec;
  std::filesystem::remove_all(Folder(), ec);
  return 0;
}

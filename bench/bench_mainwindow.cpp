// The main window's full refresh against the same statements run straight
// through the SQLite C API:
//   refresh: RefreshTopandBottomGrid on the loaded window of a SELPA logon
//            whose region lists 1,000 open agencies of one county (a third
//            of them with a corrected SELPA form), against the roll-up's
//            agency query, status queries and updates (in one transaction),
//            the agency list and twice the entry-screen list of the first
//            agency, each read row by row.
// Prints the ratio of the medians at the end.

#include <QApplication>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "RatioReporter.h"
#include "clsGlobalParam.h"
#include "clsMyAdoUtils.h"
#include "db/Connection.h"
#include "db/SqlFunctions.h"
#include "frmMain.h"
#include "modGlobals.h"
#include "vb/App.h"
#include "zelErrHandler.h"

namespace {

constexpr int kAgencies = 1000;
constexpr int kCounty = 19;
constexpr int kSelpaDistrict = 19000;
constexpr const char* kRegion = "R1";

std::filesystem::path Folder() { return std::filesystem::temp_directory_path() / "levbench-mainwindow"; }
std::filesystem::path DatabaseFile() { return Folder() / "Data" / "RUDOVA.mdb"; }

// A program folder with the delivered database, the SELPA's agencies and
// their status rows, and the program-wide objects of a SELPA logon.
void PrepareProgram() {
  std::filesystem::remove_all(Folder());
  for (const char* sub : {"Data", "Import", "Export", "config"}) std::filesystem::create_directories(Folder() / sub);
  std::filesystem::copy_file(LEV_TEMPLATE_DB, DatabaseFile());
  ::setenv("XDG_CONFIG_HOME", (Folder() / "config").c_str(), 1);
  vb::App::SetPath(Folder().string());

  auto conn = db::Connection::OpenNew(db::Connection::ConnectionStringFor(DatabaseFile().string()));
  db::Transaction trans(*conn);
  conn->Execute("DELETE FROM KRN_LEAS");
  for (int i = 0; i < kAgencies; ++i) {
    const int district = kSelpaDistrict + i;
    conn->Execute(
        "INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME, "
        "SCHOOL_DISTRICT_NAME, SCHOOL_NAME, LEA_TYPE, STAT_TYPE, DISTRICT_TYPE, SELPA_NAME, SELPA_AU_REGION, "
        "SELPA_DISTRICTREGION, AU_COUNTY) VALUES (2019, ?, ?, 0, 'Sample County', ?, '', ?, 'OPEN', ?, "
        "'Sample SELPA', ?, ?, ?)",
        {vb::Variant(kCounty), vb::Variant(district), vb::Variant("District " + std::to_string(i)),
         vb::Variant(i == 0 ? 5 : 3), vb::Variant(i == 0 ? "SELPA AU" : "UNIFIED"), vb::Variant(kRegion),
         vb::Variant(std::string(kRegion) + "-" + std::to_string(i)), vb::Variant(kCounty)});
    conn->Execute(
        "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO, "
        "NUM_RECORD, PY_FORMS_CORRECTED, PY_REASON_CODE) VALUES (2019, 2, ?, ?, 0, 100, 3, ?, ?)",
        {vb::Variant(kCounty), vb::Variant(district), vb::Variant(i % 3 == 0 ? "Yes" : "No"),
         vb::Variant(i % 3 == 0 ? 1 : 0)});
  }
  trans.Commit();

  modGlobals::gobjGlobalParam = std::make_unique<clsGlobalParam>();
  modGlobals::gobjAdoUtils = std::make_unique<clsMyAdoUtils>();
  clsGlobalParam& P = *modGlobals::gobjGlobalParam;
  P.LogonUserGroup = P.UserGroup = 5;
  P.CountyID = kCounty;
  P.DistrictID = kSelpaDistrict;
  P.SchoolId = 0;
  P.ReportPeriod = 2;
  P.AURegion = kRegion;
  P.Username = "Sam Ruiz";
}

// --- The window -------------------------------------------------------------------------

void BM_Refresh_MainWindow(benchmark::State& state) {
  auto* window = new frmMain;
  window->ShowModeless();
  for (auto _ : state) window->RefreshTopandBottomGrid(true);
  delete window;
}

// --- The same statements through the SQLite C API --------------------------------------------

// Prepares, binds and steps; the row handler reads each row.
class Sqlite {
 public:
  explicit Sqlite(sqlite3* db) : db_(db) {}
  ~Sqlite() {
    for (sqlite3_stmt* stmt : prepared_) sqlite3_finalize(stmt);
  }
  sqlite3_stmt* Prepare(const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr);
    prepared_.push_back(stmt);
    return stmt;
  }
  // Every column of every row read as its stored kind.
  static long ReadAll(sqlite3_stmt* stmt) {
    long cells = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
        switch (sqlite3_column_type(stmt, i)) {
          case SQLITE_INTEGER: benchmark::DoNotOptimize(sqlite3_column_int64(stmt, i)); break;
          case SQLITE_FLOAT: benchmark::DoNotOptimize(sqlite3_column_double(stmt, i)); break;
          case SQLITE_TEXT: benchmark::DoNotOptimize(std::string(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)))); break;
          default: break;
        }
        ++cells;
      }
    }
    sqlite3_reset(stmt);
    return cells;
  }

 private:
  sqlite3* db_;
  std::vector<sqlite3_stmt*> prepared_;
};

constexpr const char* kScopeQuery =
    "SELECT fiscal_year, school_district_id, school_id, county_id FROM KRN_LEAS WHERE fiscal_year = ?"
    " AND substr(selpa_au_region, 1, 2) = ? COLLATE NOCASE AND county_id = ?";
constexpr const char* kStatusQuery =
    "SELECT EXISTS (SELECT 1 FROM lea_forms_status WHERE fiscal_year = ? AND period_id = ? AND form_no IN (?, ?, ?)"
    " AND school_id = ? AND school_district_id = ? AND county_id = ? AND py_forms_corrected = 'Yes')";
constexpr const char* kUpdate =
    "UPDATE krn_leas SET PY_LEA_CORRECTED = ? WHERE fiscal_year = ? AND school_id = ? AND school_district_id = ?"
    " AND county_id = ?";
constexpr const char* kAgencyList =
    "SELECT d.SELECTED, d.PY_LEA_CORRECTED, d.COUNTY_ID, d.SCHOOL_DISTRICT_ID, d.SCHOOL_ID, d.COUNTY_NAME,"
    " d.SCHOOL_DISTRICT_NAME, d.SELPA_NAME, d.AU_COUNTY, d.SCHOOL_NAME, d.DISTRICT_TYPE, d.FISCAL_YEAR, d.COUNTY_ID,"
    " d.LOWEST_GRADE, d.HIGHEST_GRADE, d.SELPA_AU_REGION, d.SELPA_DISTRICTREGION, d.LEA_TYPE FROM KRN_LEAS d"
    " WHERE d.STAT_TYPE = 'OPEN' AND d.FISCAL_YEAR = ? AND (d.LEA_TYPE = 3 OR d.LEA_TYPE = 2 OR d.LEA_TYPE = 5)"
    " AND d.SELPA_AU_REGION = ? AND d.SELPA_AU_REGION IS NOT NULL AND d.SELPA_DISTRICTREGION IS NOT NULL"
    " ORDER BY d.SELPA_AU_REGION, d.SELPA_DISTRICTREGION";
constexpr const char* kEntryScreens =
    "SELECT f.SELECTED, f.FORM_DISPLAY_NAME, s.PY_FORMS_CORRECTED, t.PY_REASON_DESC, f.FORM_TITLE1, f.FORM_NAME,"
    " f.FORM_NO, hex8(s.CERTIFICATE_NUMBER), s.NUM_RECORD, s.NUM_ERROR, s.NUM_WARNING, s.LAST_MODIFIED_DATE,"
    " s.LAST_EDIT_CHECK_DATE, s.LAST_EXPORT_DATE, s.LAST_IMPORT_DATE, s.PY_CORRECTION_NOTE, s.PY_REASON_CODE,"
    " f.Program_Type FROM VHO_TORB_FORMS f, LEA_FORMS_STATUS s, PY_CORRECTION_REASON t"
    " WHERE s.PY_REASON_CODE = t.PY_REASON_CODE AND f.SELPA = 'Y' AND f.FORM_NO <> 89 AND f.FORM_NO <> 30"
    " AND f.FORM_NO = s.FORM_NO AND f.CATEGORY = 'S' AND s.COUNTY_ID = ? AND s.SCHOOL_DISTRICT_ID = ?"
    " AND s.SCHOOL_ID = 0 AND s.FISCAL_YEAR = 2019 AND s.PERIOD_ID = 2 AND f.FY_2019 = 'Y'"
    " AND f.REPORTING_PERIOD LIKE '%P-2%' ORDER BY f.OrderNo";

void BM_Refresh_SqliteBaseline(benchmark::State& state) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(DatabaseFile().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  sqlite3_busy_timeout(db, 5000);
  db::RegisterSqlFunctions(db);
  const int forms[] = {100, 102, 502};
  for (auto _ : state) {
    Sqlite sql(db);
    // The roll-up.
    sqlite3_stmt* scope = sql.Prepare(kScopeQuery);
    sqlite3_bind_int(scope, 1, 2019);
    sqlite3_bind_text(scope, 2, kRegion, -1, SQLITE_STATIC);
    sqlite3_bind_int(scope, 3, kCounty);
    struct Agency {
      long long year, district, school, county;
    };
    std::vector<Agency> agencies;
    while (sqlite3_step(scope) == SQLITE_ROW) {
      agencies.push_back({sqlite3_column_int64(scope, 0), sqlite3_column_int64(scope, 1),
                          sqlite3_column_int64(scope, 2), sqlite3_column_int64(scope, 3)});
    }
    sqlite3_stmt* status = sql.Prepare(kStatusQuery);
    sqlite3_stmt* update = sql.Prepare(kUpdate);
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    for (const Agency& a : agencies) {
      sqlite3_bind_int64(status, 1, a.year);
      sqlite3_bind_int(status, 2, 2);
      for (int i = 0; i < 3; ++i) sqlite3_bind_int(status, 3 + i, forms[i]);
      sqlite3_bind_int64(status, 6, a.school);
      sqlite3_bind_int64(status, 7, a.district);
      sqlite3_bind_int64(status, 8, a.county);
      sqlite3_step(status);
      const bool corrected = sqlite3_column_int(status, 0) != 0;
      sqlite3_reset(status);
      sqlite3_bind_text(update, 1, corrected ? "Yes" : "No", -1, SQLITE_STATIC);
      sqlite3_bind_int64(update, 2, a.year);
      sqlite3_bind_int64(update, 3, a.school);
      sqlite3_bind_int64(update, 4, a.district);
      sqlite3_bind_int64(update, 5, a.county);
      sqlite3_step(update);
      sqlite3_reset(update);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    // The agency list, then the first agency's entry screens twice (on the
    // list's opening and for the kind).
    sqlite3_stmt* list = sql.Prepare(kAgencyList);
    sqlite3_bind_int(list, 1, 2019);
    sqlite3_bind_text(list, 2, kRegion, -1, SQLITE_STATIC);
    benchmark::DoNotOptimize(Sqlite::ReadAll(list));
    sqlite3_stmt* screens = sql.Prepare(kEntryScreens);
    for (int i = 0; i < 2; ++i) {
      sqlite3_bind_int(screens, 1, kCounty);
      sqlite3_bind_int(screens, 2, kSelpaDistrict);
      benchmark::DoNotOptimize(Sqlite::ReadAll(screens));
    }
  }
  sqlite3_close(db);
}

// Five repetitions of each; the ratio compares the medians.
BENCHMARK(BM_Refresh_SqliteBaseline)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Refresh_MainWindow)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  // Failures are shown in the program's report, as the start procedure
  // arranges it.
  zelErrHandler::InstallReport();
  bench::Initialize(&argc, argv);
  PrepareProgram();
  bench::RatioReporter reporter({{"refresh of 1,000 agencies", "BM_Refresh_MainWindow", "BM_Refresh_SqliteBaseline", 3.0}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  modGlobals::gobjAdoUtils.reset();
  modGlobals::gobjGlobalParam.reset();
  std::filesystem::remove_all(Folder());
  return 0;
}

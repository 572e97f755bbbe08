// A county's certified data from one office to another, against the sqlite3
// program moving the same tables:
//   exchange: the county office exports the P-2 data of its 200 charter
//             schools (all chosen; each with its status rows, 20 Tax rows,
//             and an ATTCS row with its tracks and allocations, answers and
//             a contact), and a receiving office that holds older versions
//             of every row imports the file, answering Yes to All: the
//             export run, the unseal, the checks and the merge. Both seals
//             derive their key at the lowest cost, so the key derivation is
//             left out;
//   baseline: the sqlite3 program running VACUUM INTO on the exporting
//             database, then, on the receiving one, ATTACH of the copy and
//             INSERT OR REPLACE ... SELECT of each table the exchange moves;
//   key:      the key derivation alone at the program's cost, as one
//             exchange meets it twice (a seal and an unseal of an empty
//             file), reported on a line of its own.
// Prints the ratios of the medians at the end, of the wall time and of the
// CPU time (this process's on all its threads, and the sqlite3 processes').

#include <QApplication>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>

#include "CertifiedExport.h"
#include "CertifiedImport.h"
#include "ExchangeBenchFixture.h"
#include "ExportSelection.h"
#include "RatioReporter.h"
#include "clsGlobalParam.h"
#include "clsMyAdoUtils.h"
#include "db/Connection.h"
#include "db/SealedFile.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "vb/App.h"
#include "zelErrHandler.h"

namespace fs = std::filesystem;
using vb::Variant;

namespace {

constexpr int kAgencies = 200, kTaxRows = 20, kTracks = 3, kAllocations = 4;
constexpr int kCounty = 1, kOffice = 10001;
constexpr int kYear = 2019, kPeriod = 2;
constexpr int kTaxForm = 29, kAttendanceForm = 41;

// The tables the exchange moves, which the baseline copies.
constexpr const char* kMovedTables[] = {"LEA_FORMS_STATUS", "Tax",          "ATTCS",          "ATTCSTRACK",
                                        "ATTCSADAALLOCATION", "TorbLeaNotes", "ImportContactInfo", "TORB_FORM_NOTES"};

fs::path Folder() { return fs::temp_directory_path() / "levbench-exchange"; }
fs::path ExportingDatabase() { return Folder() / "Data" / "RUDOVA.mdb"; }
fs::path ReceivingDatabase() { return Folder() / "Receiving" / "RUDOVA.mdb"; }
// The receiving database as every run starts on it.
fs::path OlderDatabase() { return Folder() / "Receiving" / "older.mdb"; }

// The receiving office's connection while the exporting office's is the
// program's.
std::unique_ptr<clsMyAdoUtils> receiving;

int District(int agency) { return 1100 + agency; }
int School(int agency) { return 1000000 + agency; }

// The exporting office's database: the county's directory, the two forms
// (both listed for the charter schools, so that every agency exports both),
// and each charter school's rows of the period.
void BuildExportingDatabase() {
  auto conn = db::Connection::OpenNew(db::Connection::ConnectionStringFor(ExportingDatabase().string()));
  db::Transaction trans(*conn);
  conn->ExecuteScript(
      "INSERT INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, FORM_DISPLAY_NAME, CATEGORY, CHARTER, REPORTING_PERIOD, "
      "FY_2019, OrderNo, Program_Type) VALUES (29, 'Tax', 'Property Tax', 'T', 'Y', 'P-1, P-2, Annual', 'Y', 1, 4),"
      " (41, 'ATTCS', 'Charter School Attendance', 'CA', 'Y', 'P-1, P-2, Annual', 'Y', 2, 4);"
      "INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME, SCHOOL_DISTRICT_NAME,"
      " SCHOOL_NAME, LEA_TYPE, STAT_TYPE, AU_COUNTY) VALUES (2019, 1, 10001, 0, 'County 1', 'County Office', '', 2,"
      " 'OPEN', 1);");
  auto execute = [&](const std::string& sql, std::vector<Variant> values) { conn->Execute(sql, values); };
  for (int a = 0; a < kAgencies; ++a) {
    const Variant Y(kYear), P(kPeriod), C(kCounty), D(District(a)), S(School(a));
    execute(
        "INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME, "
        "SCHOOL_DISTRICT_NAME, SCHOOL_NAME, LEA_TYPE, STAT_TYPE, CHARTER_ID, AU_COUNTY) VALUES (?, ?, ?, ?, "
        "'County 1', ?, ?, 4, 'OPEN', 'Y', 1)",
        {Y, C, D, S, Variant("District " + std::to_string(District(a))), Variant("Charter " + std::to_string(a))});
    for (auto [form, records] : {std::pair{kTaxForm, kTaxRows}, std::pair{kAttendanceForm, 1 + kTracks + kAllocations}})
      execute(
          "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO, "
          "CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_MODIFIED_DATE, LAST_EDIT_CHECK_DATE, "
          "PY_FORMS_CORRECTED) VALUES (?, ?, ?, ?, ?, ?, 12345, ?, 0, 0, '2026-12-01 10:00:00', "
          "'2026-12-01 10:00:00', 'No')",
          {Y, P, C, D, S, Variant(form), Variant(records)});
    for (int r = 0; r < kTaxRows; ++r)
      execute(
          "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
          "RES_SCHOOL_DISTRICT_ID, TaxType, ResSchoolDistName, Secured, Unsecured, Total, Explanation, CERT_KEY) "
          "VALUES (?, ?, ?, ?, ?, ?, ?, 1, 'Residence district', 123456, 7890, 131346, "
          "'Apportioned as reported by the county auditor', ?)",
          {Y, P, C, D, S, C, Variant(5000 + r), Variant(987654321 + r)});
    execute(
        "INSERT INTO ATTCS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, "
        "RegularADA_GradesTKTO3, RegularADA_Grades4TO6, RegularADA_Grades7TO8, ADATotal_GradesTKTO3, SiteType, "
        "CERT_KEY) VALUES (?, ?, ?, ?, ?, 120.5, 98.25, 77, 120.5, 'Site', 123456789)",
        {Y, P, C, D, S});
    for (int t = 1; t <= kTracks; ++t)
      execute(
          "INSERT INTO ATTCSTRACK (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TrackNumber, "
          "RegularADA_GradesTKTO3_Track, RegularADA_Grades4TO6_Track, CERT_KEY) VALUES (?, ?, ?, ?, ?, ?, 40.5, 32.75, "
          "?)",
          {Y, P, C, D, S, Variant(t), Variant(555000 + t)});
    for (int r = 0; r < kAllocations; ++r)
      execute(
          "INSERT INTO ATTCSADAALLOCATION (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, "
          "RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID, Res_County_Name, Res_School_District_Name, RegularADA_GradesTKTO3, "
          "CERT_KEY) VALUES (?, ?, ?, ?, ?, ?, ?, 'County 1', 'Residence district', 30.125, ?)",
          {Y, P, C, D, S, C, Variant(5000 + r), Variant(777000 + r)});
    execute(
        "INSERT INTO TorbLeaNotes (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TYPE, Qn1, "
        "Qn1Comments) VALUES (?, ?, ?, ?, ?, 'CHARTER', 1, 'Reviewed')",
        {Y, P, C, D, S});
    execute(
        "INSERT INTO ImportContactInfo (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PERIOD_ID, CONTACT, "
        "PHONE) VALUES (?, ?, ?, ?, ?, 'A Contact', '(916)555-0100')",
        {C, D, S, Y, P});
    execute(
        "INSERT INTO TORB_FORM_NOTES (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PERIOD_ID, FORM_NAME, "
        "FORM_NOTE) VALUES (?, ?, ?, ?, ?, 'Tax', 'Checked with the auditor.')",
        {C, D, S, Y, P});
  }
  trans.Commit();
  conn->Close();
}

// The receiving office's database: the same rows in older versions.
void BuildOlderDatabase() {
  fs::copy_file(ExportingDatabase(), OlderDatabase());
  auto conn = db::Connection::OpenNew(db::Connection::ConnectionStringFor(OlderDatabase().string()));
  conn->ExecuteScript(
      "BEGIN;"
      "UPDATE LEA_FORMS_STATUS SET CERTIFICATE_NUMBER = 54321, LAST_MODIFIED_DATE = '2026-11-01 10:00:00';"
      "UPDATE Tax SET Secured = Secured - 100, Total = Total - 100, CERT_KEY = CERT_KEY + 1;"
      "UPDATE ATTCS SET RegularADA_GradesTKTO3 = 110, CERT_KEY = 1;"
      "UPDATE ATTCSTRACK SET RegularADA_GradesTKTO3_Track = 35, CERT_KEY = 2;"
      "UPDATE ATTCSADAALLOCATION SET RegularADA_GradesTKTO3 = 25, CERT_KEY = 3;"
      "UPDATE TorbLeaNotes SET Qn1 = 0, Qn1Comments = 'Not yet reviewed';"
      "UPDATE ImportContactInfo SET CONTACT = 'An Earlier Contact';"
      "UPDATE TORB_FORM_NOTES SET FORM_NOTE = 'To check with the auditor.';"
      "COMMIT;");
  conn->Close();
}

// The folders, both databases and the program-wide objects of the county
// office's logon, and the receiving office's connection.
void PrepareProgram() {
  fs::remove_all(Folder());
  for (const char* sub : {"Data", "Import", "Export", "config", "Receiving"}) fs::create_directories(Folder() / sub);
  fs::copy_file(LEV_SCHEMA_DB, ExportingDatabase());
  ::setenv("XDG_CONFIG_HOME", (Folder() / "config").c_str(), 1);
  vb::App::SetPath(Folder().string());
  BuildExportingDatabase();
  BuildOlderDatabase();
  fs::copy_file(OlderDatabase(), ReceivingDatabase());

  modGlobals::gobjGlobalParam = std::make_unique<clsGlobalParam>();
  clsGlobalParam& P = *modGlobals::gobjGlobalParam;
  P.LogonUserGroup = P.UserGroup = 2;
  P.CountyID = kCounty;
  P.DistrictID = P.LogonDistrictID = kOffice;
  P.ReportYear = kYear;
  P.ReportPeriod = kPeriod;
  P.Username = "Sam Ruiz";
  P.UserPhone = "9165550100";
  P.BasePath = Folder().string();
  receiving = std::make_unique<clsMyAdoUtils>();
  receiving->ConnectionString = clsMyAdoUtils::ConnectionStringFor(ReceivingDatabase().string());
  modGlobals::gobjAdoUtils = std::make_unique<clsMyAdoUtils>();
}

// The export window's choice: every charter school of the county and both
// forms, all chosen.
ExportSelection Choice() {
  ExportSelection s;
  const int root = s.tvwLEA.Add(0, ExportSelection::kRootKey, "LEA(s)", true);
  const int kind = s.tvwLEA.Add(root, "Charter Schools", "Charter Schools");
  s.arrLeaTree.Grow(9, 1);
  for (int r : {0, 1}) s.arrLeaTree.At(9, r) = "0";
  for (int a = 0; a < kAgencies; ++a) {
    const int node = s.tvwLEA.Add(kind, std::to_string(100 + a) + ":Charter Schools:" + std::to_string(School(a)),
                                  "Charter " + std::to_string(a));
    s.arrLeaTree.Grow(9, node - 1);
    const std::string row[] = {std::to_string(District(a)), std::to_string(School(a)), "", "",
                               std::to_string(kCounty), "No", "4", "", std::to_string(kCounty), "1"};
    for (int c = 0; c <= 9; ++c) s.arrLeaTree.At(c, node - 1) = row[c];
    s.intLeaRowCount = static_cast<std::int16_t>(node - 1);
  }
  const int top = s.tvwProgram.Add(0, ExportSelection::kRootKey, "Program(s)", true);
  const int group = s.tvwProgram.Add(top, "Charter Schools-Attendance", "Attendance");
  for (const char* form : {"029:Charter Schools:Property Tax", "041:Charter Schools:Charter School Attendance"})
    s.tvwProgram.Node(s.tvwProgram.Add(group, form, form)).state = NodeState::All;
  return s;
}

// The receiving office's logon: the same county office.
ImportScope ReceivingScope() {
  ImportScope scope;
  scope.county = kCounty;
  scope.district = kOffice;
  scope.logonUserGroup = 2;
  scope.year = kYear;
  scope.period = kPeriod;
  return scope;
}

// The expected merge: every row of both forms of every agency written over.
const std::string kExpectedLines =
    "Import Group: Charter School Attendance\r\n\tNumber of Records Copied = 0\r\n\tNumber of Records Overwritten = " +
    std::to_string(kAgencies * (1 + kTracks + kAllocations)) +
    "\r\n\r\nImport Group: Property Tax\r\n\tNumber of Records Copied = 0\r\n\tNumber of Records Overwritten = " +
    std::to_string(kAgencies * kTaxRows) + "\r\n\r\n";

// Puts the receiving database back as it was before the run.
void RestoreReceiving(clsMyAdoUtils& utils) {
  utils.CloseConn();
  fs::copy_file(OlderDatabase(), ReceivingDatabase(), fs::copy_options::overwrite_existing);
}

void BM_Exchange(benchmark::State& state) {
  ExportSelection selection = Choice();
  const clsGlobalParam window = *modGlobals::gobjGlobalParam;
  benchfixture::StillMainWindow mainWindow;
  std::int16_t emptyRuns = 0;
  bool checked = false;
  bench::CpuCounter cpu(state);
  for (auto _ : state) {
    cpu.Start();
    CertifiedExport run(selection, window, mainWindow, emptyRuns);
    run.SealKeyCost(db::kMinKeyCost);
    std::string forms = "(29,41)";
    run.ExportCertified(forms, false, false, false, 4);
    if (run.WrittenFile().empty()) {
      state.SkipWithError("no file was written");
      break;
    }

    // The receiving office.
    std::swap(modGlobals::gobjAdoUtils, receiving);
    std::string lines;
    bool merged = false;
    {
      const db::ConnectionPtr conn = modGlobals::SharedConnection();
      db::TemporaryFile copy = db::unseal(run.WrittenFile(), CertifiedExport::kFilePassword);
      ImportFile attached(conn, copy.Path());
      CertifiedImport import(conn, ReceivingScope());
      merged = import.bDatabaseValid() && import.ImportCertified(lines, vb::Date{46365.6});
    }
    std::swap(modGlobals::gobjAdoUtils, receiving);
    cpu.Stop();

    state.PauseTiming();
    if (!merged || (!checked && lines != kExpectedLines)) {
      std::fprintf(stderr, "%s\n", lines.c_str());
      state.SkipWithError("the file was not merged as expected");
      break;
    }
    checked = true;
    RestoreReceiving(*receiving);
    fs::remove_all(Folder() / "Export");
    fs::create_directories(Folder() / "Export");
    state.ResumeTiming();
  }
}

void BM_Baseline_Sqlite3(benchmark::State& state) {
  const fs::path copy = Folder() / "vacuumed.db";
  const std::string vacuum =
      "sqlite3 '" + ExportingDatabase().string() + "' \"VACUUM INTO '" + copy.string() + "'\"";
  std::string statements = "ATTACH '" + copy.string() + "' AS exported; BEGIN;";
  for (const char* table : kMovedTables)
    statements += std::string(" INSERT OR REPLACE INTO main.") + table + " SELECT * FROM exported." + table + ";";
  statements += " COMMIT;";
  const std::string merge = "sqlite3 '" + ReceivingDatabase().string() + "' \"" + statements + "\"";
  bench::CpuCounter cpu(state);
  for (auto _ : state) {
    if (!bench::RunCounted(cpu, vacuum) || !bench::RunCounted(cpu, merge)) {
      state.SkipWithError("sqlite3 failed");
      break;
    }
    state.PauseTiming();
    fs::remove(copy);
    fs::copy_file(OlderDatabase(), ReceivingDatabase(), fs::copy_options::overwrite_existing);
    state.ResumeTiming();
  }
}

// The key derivations one exchange meets at the program's cost: the seal
// and the unseal of an empty file.
void BM_KeyDerivation(benchmark::State& state) {
  const fs::path empty = Folder() / "empty", sealed = Folder() / "empty.sealed";
  std::ofstream{empty};
  for (auto _ : state) {
    db::sealBytes(empty, sealed, CertifiedExport::kFilePassword);
    db::TemporaryFile plain = db::unseal(sealed, CertifiedExport::kFilePassword);
  }
}

BENCHMARK(BM_Baseline_Sqlite3)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Exchange)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_KeyDerivation)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  // The overwrite question is answered Yes to All; the report is closed unread.
  benchfixture::Unattended dialogs([](QWidget& window) {
    if (auto* yesToAll = window.findChild<QPushButton*>("cmdAction_2")) yesToAll->click();
    return 0;
  });
  ui::SetDialogs(&dialogs);
  zelErrHandler::InstallReport();
  bench::Initialize(&argc, argv);
  PrepareProgram();
  bench::RatioReporter reporter({
      {"exchange of a county", "BM_Exchange", "BM_Baseline_Sqlite3", 3.0},
      {"key derivation (not in it)", "BM_KeyDerivation", "BM_Exchange", 0},
  });
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  ui::SetDialogs(nullptr);
  modGlobals::gobjAdoUtils.reset();
  receiving.reset();
  modGlobals::gobjGlobalParam.reset();
  fs::remove_all(Folder());
  return 0;
}

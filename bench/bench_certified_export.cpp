// The certified-data export against a plain compaction of the same database:
//   export:   a county office's full P-2 export of the tax form (29), from a
//             working database of three counties of 200 agencies each (status
//             rows of two years, 20 Tax rows per agency and period, answers,
//             contacts and notes): the copy, the decisions, the pruning, the
//             seal at the program's key cost and the working database's
//             record of it;
//   baseline: the sqlite3 program running VACUUM INTO on the same database;
//   key:      the key derivation alone (a seal of an empty file), whose share
//             of the export the second ratio shows.
// Prints the ratios of the medians at the end, of the wall time and of the
// CPU time: the export's on all its threads (the key is derived on a worker
// thread), the baseline's in the sqlite3 process.

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "CertifiedExport.h"
#include "ExchangeBenchFixture.h"
#include "ExportSelection.h"
#include "MainWindowLink.h"
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
using benchfixture::StillMainWindow;
using benchfixture::Unattended;
using vb::Variant;

namespace {

constexpr int kCounties = 3, kAgencies = 200, kTaxRows = 20;
constexpr int kCounty = 1, kOffice = 10001;

fs::path Folder() { return fs::temp_directory_path() / "levbench-export"; }
fs::path DatabaseFile() { return Folder() / "Data" / "RUDOVA.mdb"; }

// The working database and the program-wide objects of the county office's
// logon.
void PrepareProgram() {
  fs::remove_all(Folder());
  for (const char* sub : {"Data", "Import", "Export", "config"}) fs::create_directories(Folder() / sub);
  fs::copy_file(LEV_SCHEMA_DB, DatabaseFile());
  ::setenv("XDG_CONFIG_HOME", (Folder() / "config").c_str(), 1);
  vb::App::SetPath(Folder().string());

  auto conn = db::Connection::OpenNew(db::Connection::ConnectionStringFor(DatabaseFile().string()));
  db::Transaction trans(*conn);
  conn->Execute(
      "INSERT INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, FORM_DISPLAY_NAME, CATEGORY, COE, REPORTING_PERIOD, FY_2019, "
      "OrderNo, Program_Type) VALUES (29, 'Tax', 'Property Tax', 'T', 'Y', 'P-1, P-2, Annual', 'Y', 1, 2)");
  for (int county = 1; county <= kCounties; ++county) {
    for (int a = 0; a < kAgencies; ++a) {
      const int district = a == 0 ? 10000 + county : county * 1000 + a;
      for (int year : {2018, 2019}) {
        conn->Execute(
            "INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME, "
            "SCHOOL_DISTRICT_NAME, SCHOOL_NAME, LEA_TYPE, STAT_TYPE, AU_COUNTY) VALUES (?, ?, ?, 0, ?, ?, '', ?, "
            "'OPEN', ?)",
            {Variant(year), Variant(county), Variant(district), Variant("County " + std::to_string(county)),
             Variant("Agency " + std::to_string(district)), Variant(a == 0 ? 2 : 3), Variant(county)});
        for (int period = 1; period <= 3; ++period) {
          conn->Execute(
              "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, "
              "FORM_NO, CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_MODIFIED_DATE, "
              "LAST_EDIT_CHECK_DATE) VALUES (?, ?, ?, ?, 0, 29, 12345, ?, 0, 0, '2026-12-01 10:00:00', "
              "'2026-12-01 10:00:00')",
              {Variant(year), Variant(period), Variant(county), Variant(district), Variant(kTaxRows)});
          for (int r = 0; r < kTaxRows; ++r) {
            conn->Execute(
                "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
                "RES_SCHOOL_DISTRICT_ID, TaxType, ResSchoolDistName, Secured, Unsecured, Total, Explanation, "
                "CERT_KEY) VALUES (?, ?, ?, ?, 0, ?, ?, 1, 'Residence district', 123456, 7890, 131346, "
                "'Apportioned as reported by the county auditor', 987654321)",
                {Variant(year), Variant(period), Variant(county), Variant(district), Variant(county),
                 Variant(county * 1000 + r)});
          }
          conn->Execute(
              "INSERT INTO TorbLeaNotes (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TYPE, "
              "Qn1, Qn1Comments) VALUES (?, ?, ?, ?, 0, 'DISTRICT', 1, 'Reviewed')",
              {Variant(year), Variant(period), Variant(county), Variant(district)});
          conn->Execute(
              "INSERT INTO ImportContactInfo (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PERIOD_ID, "
              "CONTACT, PHONE) VALUES (?, ?, 0, ?, ?, 'A Contact', '(916)555-0100 * ')",
              {Variant(county), Variant(district), Variant(year), Variant(period)});
          conn->Execute(
              "INSERT INTO TORB_FORM_NOTES (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PERIOD_ID, "
              "FORM_NAME, FORM_NOTE) VALUES (?, ?, 0, ?, ?, 'Tax', 'Checked with the auditor.')",
              {Variant(county), Variant(district), Variant(year), Variant(period)});
        }
      }
    }
  }
  trans.Commit();
  conn->Close();

  modGlobals::gobjGlobalParam = std::make_unique<clsGlobalParam>();
  modGlobals::gobjAdoUtils = std::make_unique<clsMyAdoUtils>();
  clsGlobalParam& P = *modGlobals::gobjGlobalParam;
  P.LogonUserGroup = P.UserGroup = 2;
  P.CountyID = kCounty;
  P.DistrictID = P.LogonDistrictID = kOffice;
  P.ReportYear = 2019;
  P.ReportPeriod = 2;
  P.Username = "Sam Ruiz";
  P.UserPhone = "9165550100";
  P.BasePath = Folder().string();
}

// The export window's choice: the office and the tax form, both fully chosen.
ExportSelection Choice() {
  ExportSelection s;
  const int root = s.tvwLEA.Add(0, ExportSelection::kRootKey, "LEA(s)", true);
  const int kind = s.tvwLEA.Add(root, "County Offices of Education", "County Offices of Education");
  s.tvwLEA.Add(kind, "002:County Offices of Education:Office", "Office");
  s.arrLeaTree.Grow(9, 2);
  const std::string office[] = {std::to_string(kOffice), "0000000", "", "", std::to_string(kCounty), "No", "2", "",
                                std::to_string(kCounty), "1"};
  for (int c = 0; c <= 9; ++c) s.arrLeaTree.At(c, 2) = office[c];
  for (int r : {0, 1}) s.arrLeaTree.At(9, r) = "0";
  s.intLeaRowCount = 2;
  const int top = s.tvwProgram.Add(0, ExportSelection::kRootKey, "Program(s)", true);
  const int group = s.tvwProgram.Add(top, "County Offices of Education-Tax", "Tax");
  s.tvwProgram.Node(s.tvwProgram.Add(group, "029:County Offices of Education:Property Tax", "Property Tax")).state =
      NodeState::All;
  return s;
}

void BM_Export(benchmark::State& state) {
  ExportSelection selection = Choice();
  const clsGlobalParam window = *modGlobals::gobjGlobalParam;
  StillMainWindow mainWindow;
  std::int16_t emptyRuns = 0;
  bench::CpuCounter cpu(state);
  for (auto _ : state) {
    cpu.Start();
    CertifiedExport run(selection, window, mainWindow, emptyRuns);
    std::string forms = "(29)";
    run.ExportCertified(forms, false, false, false, 2);
    cpu.Stop();
    if (run.WrittenFile().empty()) {
      state.SkipWithError("no file was written");
      break;
    }
    state.PauseTiming();
    fs::remove_all(Folder() / "Export");
    fs::create_directories(Folder() / "Export");
    state.ResumeTiming();
  }
}

void BM_Baseline_Sqlite3VacuumInto(benchmark::State& state) {
  const fs::path target = Folder() / "vacuumed.db";
  const std::string command = "sqlite3 '" + DatabaseFile().string() + "' \"VACUUM INTO '" + target.string() + "'\"";
  bench::CpuCounter cpu(state);
  for (auto _ : state) {
    if (!bench::RunCounted(cpu, command)) {
      state.SkipWithError("sqlite3 failed");
      break;
    }
    state.PauseTiming();
    fs::remove(target);
    state.ResumeTiming();
  }
}

void BM_KeyDerivation(benchmark::State& state) {
  const fs::path empty = Folder() / "empty", sealed = Folder() / "empty.sealed";
  std::ofstream{empty};
  bench::CpuCounter cpu(state);
  for (auto _ : state) {
    cpu.Start();
    db::sealBytes(empty, sealed, CertifiedExport::kFilePassword);
    cpu.Stop();
  }
}

BENCHMARK(BM_Baseline_Sqlite3VacuumInto)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_KeyDerivation)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  Unattended dialogs;
  ui::SetDialogs(&dialogs);
  zelErrHandler::InstallReport();
  bench::Initialize(&argc, argv);
  PrepareProgram();
  bench::RatioReporter reporter({
      {"export of one tax form", "BM_Export", "BM_Baseline_Sqlite3VacuumInto", 3.0},
      {"key derivation's share", "BM_KeyDerivation", "BM_Export", 0},
  });
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  ui::SetDialogs(nullptr);
  modGlobals::gobjAdoUtils.reset();
  modGlobals::gobjGlobalParam.reset();
  fs::remove_all(Folder());
  return 0;
}

// The ASCII import of a large tax file against the sqlite3 program loading
// the same file:
//   import:   a 100,000-line Tax file (1,000 open districts of county 19,
//             100 rows each, one per named residence district) read, checked,
//             loaded and copied into an empty Tax table with its status rows,
//             as the import window runs it;
//   baseline: the sqlite3 program's `.import --csv --skip 1` of the same
//             file into a table of Tax's columns and key plus a leading text
//             column (the form name), in a copy of the same database.
// Prints the ratios of the medians at the end, of the wall time and of the
// CPU time (the import's, and the sqlite3 process's).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "AsciiFile.h"
#include "AsciiImport.h"
#include "AsciiImportCopy.h"
#include "RatioReporter.h"
#include "db/Catalog.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "vb/Conversions.h"

namespace fs = std::filesystem;
using vb::Variant;

namespace {

constexpr int kDistricts = 1000, kResidences = 100;
constexpr int kCounty = 19, kOffice = 10199, kFirstDistrict = 20000;

fs::path Folder() { return fs::temp_directory_path() / ("levbench-ascii-" + std::to_string(::getpid())); }
fs::path ImportFile() { return Folder() / "Tax.txt"; }

std::string DistrictName(int district) { return "District " + std::to_string(district); }

// The agency directory and the form catalogue, in a copy of the schema-only
// database.
fs::path MakeDatabase(const char* name) {
  const fs::path path = Folder() / name;
  fs::copy_file(LEV_SCHEMA_DB, path, fs::copy_options::overwrite_existing);
  auto conn = db::Connection::OpenNew(db::Connection::ConnectionStringFor(path.string()));
  db::Transaction trans(*conn);
  conn->Execute("INSERT INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, FORM_DISPLAY_NAME, CATEGORY) VALUES"
                " (29, 'Tax', 'Property Tax', 'T')");
  const auto agency = [&](int district, int type, const std::string& name) {
    conn->Execute("INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME,"
                  " SCHOOL_DISTRICT_NAME, LEA_TYPE, STAT_TYPE) VALUES (2019, ?, ?, 0, 'Elm County', ?, ?, 'OPEN')",
                  {Variant(kCounty), Variant(district), Variant(name), Variant(type)});
  };
  agency(kOffice, 2, "Elm County Office of Education");
  for (int d = 0; d < kDistricts; ++d) agency(kFirstDistrict + d, 3, DistrictName(kFirstDistrict + d));
  trans.Commit();
  conn->Close();
  return path;
}

// The file as the export writes it: a header line, then one line per row;
// each district pays tax type 1 to the first 100 districts.
void WriteFile(const fs::path& database) {
  auto conn = db::Connection::OpenNew(db::Connection::ConnectionStringFor(database.string()));
  const std::vector<std::string> columns = db::catalog::ColumnNames(*conn, "Tax");
  conn->Close();
  std::ofstream out(ImportFile(), std::ios::binary);
  out << "Tax";
  for (const std::string& column : columns) out << ',' << column;
  out << "\r\n";
  for (int d = 0; d < kDistricts; ++d)
    for (int r = 0; r < kResidences; ++r) {
      const int residence = kFirstDistrict + r;
      out << "Tax,2019,2," << kCounty << ',' << kFirstDistrict + d << ",0," << kCounty << ',' << residence
          << ",1,Elm County," << DistrictName(residence) << ",,"  // ResDistrictType
          << 1000 + r << ".25," << 20 + d << ",0,0,0,0,0,0,0,0," << 1020 + r + d << ",0,0,0,0,0,"
          << "Apportioned as reported,0\r\n";
    }
}

// --- The import ------------------------------------------------------------------------

void BM_Import(benchmark::State& state) {
  const fs::path database = Folder() / "import.mdb";
  auto conn = db::Connection::OpenNew(db::Connection::ConnectionStringFor(database.string()));
  bench::CpuCounter cpu(state);
  for (auto _ : state) {
    cpu.Start();
    std::ifstream in(ImportFile(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::vector<std::string> lines = asciifile::SplitLines(bytes.str());
    asciiimport::Scope scope;
    scope.conn = conn;
    scope.CountyID = kCounty;
    scope.DistrictID = kOffice;
    scope.ReportYear = 2019;
    scope.ReportPeriod = 2;
    scope.LogonUserGroup = 2;
    const asciiimport::Verdict verdict = asciiimport::ValidateImportFile(lines, scope);
    if (!verdict.accepted) {
      state.SkipWithError(("refused: " + verdict.rule + " at line " + std::to_string(verdict.line)).c_str());
      break;
    }
    const db::RecordsetPtr rows = verdict.rows;
    asciiimport::CopyRun run;
    run.conn = conn;
    run.scope.year = 2019;
    run.scope.period = 2;
    run.scope.county = kCounty;
    run.formName = verdict.formName;
    run.ask = [](const std::string&, const std::string&) -> std::int16_t { std::abort(); };
    std::string report;
    const asciiimport::CopyCounts counts = asciiimport::CopyImportRows(run, *rows, report);
    cpu.Stop();
    if (counts.copied != kDistricts * kResidences) {
      state.SkipWithError("not every row was copied");
      break;
    }
    state.PauseTiming();
    conn->Execute("DELETE FROM Tax");
    conn->Execute("DELETE FROM LEA_FORMS_STATUS");
    state.ResumeTiming();
  }
  conn->Close();
}

// --- The baseline ------------------------------------------------------------------------

// Tax's columns and key behind a leading text column, in the baseline's
// copy of the database.
void MakeBaselineTable(const fs::path& database) {
  auto conn = db::Connection::OpenNew(db::Connection::ConnectionStringFor(database.string()));
  std::string create = "CREATE TABLE TaxImport (FORM TEXT";
  for (auto info = db::Recordset::Query("SELECT name, type FROM pragma_table_info('Tax') ORDER BY cid", conn);
       !info->Eof(); info->MoveNext())
    create += ", \"" + vb::CStr(info->Value(0)) + "\" " + vb::CStr(info->Value(1));
  create += ", PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
            " RES_SCHOOL_DISTRICT_ID, TaxType))";
  conn->Execute(create);
  conn->Close();
}

void BM_Baseline_Sqlite3Import(benchmark::State& state) {
  const fs::path database = Folder() / "baseline.mdb";
  const std::string command =
      "sqlite3 '" + database.string() + "' \".import --csv --skip 1 '" + ImportFile().string() + "' TaxImport\"";
  const std::string empty = "sqlite3 '" + database.string() + "' 'DELETE FROM TaxImport'";
  bench::CpuCounter cpu(state);
  for (auto _ : state) {
    if (!bench::RunCounted(cpu, command)) {
      state.SkipWithError("sqlite3 failed");
      break;
    }
    state.PauseTiming();
    if (std::system(empty.c_str()) != 0) state.SkipWithError("sqlite3 failed");
    state.ResumeTiming();
  }
}

BENCHMARK(BM_Baseline_Sqlite3Import)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  bench::Initialize(&argc, argv);
  fs::remove_all(Folder());
  fs::create_directories(Folder());
  WriteFile(MakeDatabase("import.mdb"));
  MakeBaselineTable(MakeDatabase("baseline.mdb"));
  bench::RatioReporter reporter({{"ASCII import of 100,000 tax rows", "BM_Import", "BM_Baseline_Sqlite3Import", 2.0}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  fs::remove_all(Folder());
  return 0;
}

// The record set against plain SQLite loops doing the same work:
//   open:   reading a 100,000-row table into a record set, against a
//           sqlite3_step loop that reads the same rows into vectors;
//   submit: writing 10,000 added rows with UpdateBatch, against a prepared
//           INSERT loop in one transaction.
// Prints the ratio of each pair at the end.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "RatioReporter.h"
#include "db/Connection.h"
#include "db/Recordset.h"

namespace {

constexpr int kOpenRows = 100000;
constexpr int kSubmitRows = 10000;

const char* kSchema =
    "CREATE TABLE Tax (FISCAL_YEAR INTEGER NOT NULL, PERIOD_ID INTEGER NOT NULL, COUNTY_ID INTEGER NOT NULL, "
    "SCHOOL_DISTRICT_ID INTEGER NOT NULL, RES_SCHOOL_DISTRICT_ID INTEGER NOT NULL, TaxType SMALLINT NOT NULL, "
    "ResCountyName VARCHAR(50) COLLATE NOCASE, Secured CURRENCY, Unsecured CURRENCY, HOX CURRENCY, Total CURRENCY, "
    "Explanation TEXT COLLATE NOCASE, CERT_KEY INTEGER, "
    "PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, RES_SCHOOL_DISTRICT_ID, TaxType))";

std::filesystem::path DatabaseFile(const char* name) {
  return std::filesystem::temp_directory_path() / (std::string("levbench-") + name + ".db");
}

db::ConnectionPtr FreshDatabase(const char* name, int rows) {
  auto path = DatabaseFile(name);
  std::filesystem::remove(path);
  auto conn = db::Connection::Create();
  conn->Open(db::Connection::ConnectionStringFor(path.string()), true);
  conn->ExecuteScript(kSchema);
  db::Transaction trans(*conn);
  for (int i = 0; i < rows; ++i) {
    conn->Execute("INSERT INTO Tax VALUES (2019, 2, 19, ?, ?, ?, 'Sample County', ?, ?, NULL, ?, ?, ?)",
                  {vb::Variant(i / 1000), vb::Variant(i % 1000), vb::Variant(static_cast<std::int16_t>(i % 2)),
                   vb::Variant(1500.25 + i), vb::Variant(75), vb::Variant(1575.25 + i),
                   vb::Variant(i % 7 ? "" : "Late roll"), vb::Variant(i * 7919)});
  }
  trans.Commit();
  return conn;
}

// --- open --------------------------------------------------------------------

using Cell = std::variant<std::monostate, long long, double, std::string>;

void BM_Open_SqliteBaseline(benchmark::State& state) {
  auto conn = FreshDatabase("open", kOpenRows);
  for (auto _ : state) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(conn->Handle(), "SELECT * FROM Tax", -1, &stmt, nullptr);
    const int n = sqlite3_column_count(stmt);
    std::vector<std::vector<Cell>> rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      std::vector<Cell>& row = rows.emplace_back();
      row.reserve(static_cast<std::size_t>(n));
      for (int i = 0; i < n; ++i) {
        switch (sqlite3_column_type(stmt, i)) {
          case SQLITE_INTEGER: row.emplace_back(static_cast<long long>(sqlite3_column_int64(stmt, i))); break;
          case SQLITE_FLOAT: row.emplace_back(sqlite3_column_double(stmt, i)); break;
          case SQLITE_TEXT:
            row.emplace_back(std::string(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                         static_cast<std::size_t>(sqlite3_column_bytes(stmt, i))));
            break;
          default: row.emplace_back(); break;
        }
      }
    }
    sqlite3_finalize(stmt);
    benchmark::DoNotOptimize(rows.data());
  }
}

void BM_Open_Recordset(benchmark::State& state) {
  auto conn = FreshDatabase("open", kOpenRows);
  for (auto _ : state) {
    auto rs = db::Recordset::Query("SELECT * FROM Tax", conn);
    benchmark::DoNotOptimize(rs->RecordCount());
  }
}

// --- submit ------------------------------------------------------------------

// Only the writing is timed: making the database and the rows, and
// releasing them afterwards, happen with the clock paused.
void BM_Submit_SqliteBaseline(benchmark::State& state) {
  db::ConnectionPtr conn;
  for (auto _ : state) {
    state.PauseTiming();
    conn.reset();
    conn = FreshDatabase("submit", 0);
    state.ResumeTiming();
    sqlite3* db = conn->Handle();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, "
                       "RES_SCHOOL_DISTRICT_ID, TaxType, ResCountyName, Secured, Unsecured, Total, CERT_KEY) "
                       "VALUES (?,?,?,?,?,?,?,?,?,?,?)",
                       -1, &stmt, nullptr);
    for (int i = 0; i < kSubmitRows; ++i) {
      sqlite3_bind_int(stmt, 1, 2019);
      sqlite3_bind_int(stmt, 2, 2);
      sqlite3_bind_int(stmt, 3, 19);
      sqlite3_bind_int(stmt, 4, i / 100);
      sqlite3_bind_int(stmt, 5, i % 100);
      sqlite3_bind_int(stmt, 6, 0);
      sqlite3_bind_text(stmt, 7, "Sample County", -1, SQLITE_TRANSIENT);
      sqlite3_bind_double(stmt, 8, 1500.25 + i);
      sqlite3_bind_int(stmt, 9, 75);
      sqlite3_bind_double(stmt, 10, 1575.25 + i);
      sqlite3_bind_int(stmt, 11, i * 7919);
      sqlite3_step(stmt);
      sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  }
}

void BM_Submit_Recordset(benchmark::State& state) {
  db::ConnectionPtr conn;
  db::RecordsetPtr rs;
  for (auto _ : state) {
    state.PauseTiming();
    rs.reset();
    conn.reset();
    conn = FreshDatabase("submit", 0);
    rs = db::Recordset::Query("SELECT * FROM Tax WHERE 0", conn);
    rs->ActiveConnection(nullptr);
    for (int i = 0; i < kSubmitRows; ++i) {
      rs->AddNew();
      rs->SetValue(0, 2019);
      rs->SetValue(1, 2);
      rs->SetValue(2, 19);
      rs->SetValue(3, i / 100);
      rs->SetValue(4, i % 100);
      rs->SetValue(5, 0);
      rs->SetValue(6, vb::Variant("Sample County"));
      rs->SetValue(7, 1500.25 + i);
      rs->SetValue(8, 75);
      rs->SetValue(10, 1575.25 + i);
      rs->SetValue(12, i * 7919);
    }
    rs->Update();
    rs->ActiveConnection(conn);
    state.ResumeTiming();
    rs->UpdateBatch();
  }
}

// Five repetitions of each; the ratios compare the medians, so that a burst
// of other work on the machine moves them less.
BENCHMARK(BM_Open_SqliteBaseline)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Open_Recordset)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Submit_SqliteBaseline)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Submit_Recordset)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  bench::Initialize(&argc, argv);
  bench::RatioReporter reporter({
      {"open 100,000 rows", "BM_Open_Recordset", "BM_Open_SqliteBaseline", 1.0},
      {"submit 10,000 added rows", "BM_Submit_Recordset", "BM_Submit_SqliteBaseline", 1.15},
  });
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::filesystem::remove(DatabaseFile("open"));
  std::filesystem::remove(DatabaseFile("submit"));
  return 0;
}

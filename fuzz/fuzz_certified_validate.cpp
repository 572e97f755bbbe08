// Fuzzed database bytes as the contents of a certified-data file: sealed in
// the harness, opened as the import opens a chosen file (a private copy,
// attached to the working database's connection) and checked for each
// logon group in turn. Every input is accepted or refused; the working
// database stays as it was, the input is only read and no temporary remains.

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "CertifiedImport.h"
#include "FuzzSupport.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/SealedFile.h"
#include "vb/Conversions.h"
#include "vb/VbError.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kPassword = "ZJX";

std::string SchemaText() {
  std::ifstream in(fs::path(LEV_SOURCE_DIR) / "data" / "schema.sql", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The agency directory and the forms the checks look up.
constexpr const char* kWorkingRows = R"(
  INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, LEA_TYPE, STAT_TYPE,
                        CS_BA_CHARTER_FILL_BY_DIST, SELPA_AU_REGION, SELPA_DISTRICTREGION, AU_COUNTY) VALUES
    (2019, 19, 10199, 0, 2, 'OPEN', 0, 'R1', 'R1', 19),
    (2019, 19, 612, 0, 3, 'OPEN', 0, 'R1', 'R1', 19),
    (2019, 19, 614, 0, 3, 'OPEN', 0, NULL, NULL, 20),
    (2019, 19, 612, 6120001, 4, 'OPEN', -1, NULL, NULL, NULL),
    (2019, 19, 612, 6129999, 5, 'OPEN', 0, 'R1', 'R1', 19),
    (2019, 21, 2101, 0, 3, 'OPEN', 0, 'R1', 'R1', 19);
  INSERT INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, FORM_DISPLAY_NAME) VALUES
    (29, 'Tax', 'Property Tax'), (50, 'CS_BA', 'Charter School ADA by District of Residence'),
    (100, 'SELPAMENTALHEALTH', 'SELPA Mental Health Costs'), (41, 'ATTCS', 'Charter School Attendance');
)";

// The logons the inputs are checked for, one after the other.
ImportScope ScopeOf(std::int32_t group, std::int32_t district, std::int32_t school, bool selpaAu) {
  ImportScope scope;
  scope.logonUserGroup = group;
  scope.county = 19;
  scope.district = district;
  scope.school = school;
  scope.auRegion = "R1";
  scope.selpaAu = selpaAu;
  scope.year = 2019;
  scope.period = 2;
  return scope;
}
// The district that fills in its charter school's block-grant form comes
// last: its check may re-key the copy.
const ImportScope kScopes[] = {ScopeOf(2, 10199, 0, false),    ScopeOf(3, 612, 0, true),
                               ScopeOf(4, 612, 6120001, false), ScopeOf(5, 612, 6129999, false),
                               ScopeOf(7, 10199, 0, false),     ScopeOf(3, 612, 0, false)};

struct Working {
  fs::path path;
  db::ConnectionPtr conn;
  std::string bytes;
};

Working& WorkingDatabase() {
  static Working* working = [] {
    auto* w = new Working;
    w->path = fuzz::WorkFolder() / "working.db";
    fs::remove(w->path);
    w->conn = db::Connection::Create();
    w->conn->Open(db::Connection::ConnectionStringFor(w->path.string()), true);
    w->conn->ExecuteScript(SchemaText());
    w->conn->ExecuteScript(kWorkingRows);
    w->bytes = fuzz::ReadFile(w->path);
    return w;
  }();
  return *working;
}

// A file's database: the tables the checks read, from the schema, with the
// statements' rows, compacted.
void WriteSeed(const fs::path& seed, const std::string& rows) {
  const db::TemporaryFile plain = db::TemporaryFile::Create("seed-");
  {
    db::Connection conn;
    conn.Open(db::Connection::ConnectionStringFor(plain.Path().string()));
    conn.ExecuteScript(SchemaText());
    const std::string keep = "'LEA_FORMS_STATUS','EXPORT_FILE_INFO','Tax','CS_BA'";
    db::RecordsetPtr others = db::Recordset::Query(
        "SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite%' AND name NOT IN (" + keep + ")",
        db::Connection::OpenNew(db::Connection::ConnectionStringFor(plain.Path().string())));
    for (; !others->Eof(); others->MoveNext())
      conn.Execute("DROP TABLE " + db::QuoteName(vb::CStr(others->Value(0))));
    conn.ExecuteScript(rows);
  }
  fs::remove(seed);
  db::CompactInto(plain.Path(), seed);
}

std::string Status(int district, int school, int form, const char* corrected = "'No'") {
  return "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,"
         " PY_FORMS_CORRECTED) VALUES (2019, 2, 19, " +
         std::to_string(district) + ", " + std::to_string(school) + ", " + std::to_string(form) + ", " + corrected +
         ");";
}

}  // namespace

// Seeds: a county office's tax file, a district's file with the county
// office's block-grant rows, a SELPA's file, a file of another period, an
// empty file.
void WriteSeeds(const fs::path& folder) {
  WriteSeed(folder / "county-office",
            Status(612, 0, 29) +
                "INSERT INTO EXPORT_FILE_INFO (FORM_GROUP_NAME, FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID,"
                " SCHOOL_ID) VALUES ('Tax', 2019, 2, 19, 612, 0);"
                "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
                " RES_SCHOOL_DISTRICT_ID, TaxType, Secured) VALUES (2019, 2, 19, 612, 0, 19, 612, 0, 100);");
  WriteSeed(folder / "block-grant",
            Status(612, 0, 29) + Status(10199, 6120001, 50) +
                "INSERT INTO EXPORT_FILE_INFO (FORM_GROUP_NAME, FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID,"
                " SCHOOL_ID) VALUES ('CS_BA', 2019, 2, 19, 10199, 6120001);"
                "INSERT INTO CS_BA (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
                " RES_SCHOOL_DISTRICT_ID) VALUES (2019, 2, 19, 10199, 6120001, 19, 612);");
  WriteSeed(folder / "selpa", Status(612, 6129999, 100) +
                                  "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID,"
                                  " SCHOOL_ID, FORM_NO) VALUES (2019, 2, 21, 2101, 0, 100);");
  WriteSeed(folder / "other-period", Status(612, 0, 29, "'Yes'") +
                                         "UPDATE LEA_FORMS_STATUS SET PERIOD_ID = 1;");
  WriteSeed(folder / "empty", "");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Working& working = WorkingDatabase();
  const fs::path input = fuzz::WorkFolder() / "input";
  const fs::path sealed = fuzz::WorkFolder() / "sealed";
  fuzz::WriteFile(input, data, size);
  db::sealBytes(input, sealed, kPassword, db::kMinKeyCost);
  try {
    db::TemporaryFile copy = db::unseal(sealed, kPassword);
    std::unique_ptr<ImportFile> attached;
    try {
      attached = std::make_unique<ImportFile>(working.conn, copy.Path());
    } catch (const vb::VbError&) {
      // No database the connection can attach: the import refuses it.
    }
    if (attached) {
      for (const ImportScope& scope : kScopes) {
        CertifiedImport(working.conn, scope).bDatabaseValid();
        if (working.conn->TransactionLevel() != 0) fuzz::Fail("a transaction was left open");
      }
    }
  } catch (const vb::VbError& e) {
    fuzz::Fail("a check failed instead of refusing: " + std::to_string(e.Number()) + ": " + e.Description());
  }
  if (fuzz::ReadFile(working.path) != working.bytes) fuzz::Fail("the working database was changed");
  if (fuzz::ReadFile(input) != std::string(reinterpret_cast<const char*>(data), size)) fuzz::Fail("the input was changed");
  fs::remove(sealed);
  fuzz::RequireNoTemporaries();
  return 0;
}

// Any bytes checked as an ASCII import file against a small directory: the
// answer is accept or refuse, with no crash, no hang and no change to the
// database.

#include <sqlite3.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "AsciiFile.h"
#include "AsciiImport.h"
#include "FuzzSupport.h"
#include "db/Connection.h"

namespace {

constexpr const char* kDirectory = R"(
INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME, SCHOOL_DISTRICT_NAME,
  LEA_TYPE, STAT_TYPE, INFANTPROGRAM, ALLOCATIONPROGRAM, AU_COUNTY) VALUES
 (2019, 19, 10199, 0, 'Elm County', 'Elm County Office of Education', 2, 'OPEN', 0, 0, 19),
 (2019, 19, 64733, 0, 'Elm County', 'Elm Unified', 3, 'OPEN', 0, -1, 19),
 (2019, 19, 64790, 0, 'Elm County', 'Elm SELPA', 5, 'OPEN', -1, -1, 19);
INSERT INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, FORM_DISPLAY_NAME, CATEGORY) VALUES
 (29, 'Tax', 'Property Tax', 'T'), (102, 'INFANTFUNDING', 'Infant Funding', 'S'), (44, 'ATTCSBGCOE', 'Grant', 'CA');
)";

db::Connection& Database() {
  static std::shared_ptr<db::Connection> conn = [] {
    auto c = db::Connection::Create();
    c->Open(db::Connection::ConnectionStringFor((fuzz::WorkFolder() / "check.db").string()), true);
    std::ifstream in(std::string(LEV_SOURCE_DIR) + "/data/schema.sql", std::ios::binary);
    std::ostringstream schema;
    schema << in.rdbuf();
    c->ExecuteScript(schema.str());
    c->ExecuteScript(kDirectory);
    return c;
  }();
  return *conn;
}

}  // namespace

void WriteSeeds(const std::filesystem::path& folder) {
  const std::string tax = "Tax,labels\r\nTax,2019,2,19,64733,0,19,10199,0,Elm County,Elm County Office of Education,,1500,,12.5,,,,,,,,,,,,,,Caf\xE9,7\r\n";
  std::ofstream(folder / "tax", std::ios::binary) << tax;
  std::ofstream(folder / "tax-end", std::ios::binary) << tax << "End\r\nTax,1\r\n";
  std::ofstream(folder / "infant", std::ios::binary)
      << "INFANTFUNDING,labels\r\nINFANTFUNDING,2019,2,19,64790,0,1,,,,,,,,,,,,,,,,,,\r\nEnd\r\n"
         "InfantFundingTransfer,labels\r\nInfantFundingTransfer,2019,2,19,64790,0,1,64790,0,64733,0,Elm SELPA,"
         "Elm Unified,3,,,,\r\n";
  std::ofstream(folder / "empty", std::ios::binary) << "";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  db::Connection& conn = Database();
  const long long before = sqlite3_total_changes(conn.Handle());
  asciiimport::Scope scope;
  scope.conn = conn.shared_from_this();
  scope.CountyID = 19;
  scope.DistrictID = 10199;
  scope.ReportYear = 2019;
  scope.ReportPeriod = 2;
  scope.LogonUserGroup = 2;
  const asciiimport::Verdict verdict =
      asciiimport::ValidateImportFile(asciifile::SplitLines(std::string_view(reinterpret_cast<const char*>(data), size)), scope);
  if (verdict.accepted == !verdict.rule.empty()) fuzz::Fail("an answer that is neither accept nor refuse");
  if (sqlite3_total_changes(conn.Handle()) != before) fuzz::Fail("the check changed the database");
  fuzz::RequireNoTemporaries();
  return 0;
}

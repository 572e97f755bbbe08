#include "FormsFixture.h"

#include <unistd.h>

#include "com/Registry.h"

using namespace fixtures::taxagencies;

void FormsTest::SetUp() {
  folder_ = std::filesystem::temp_directory_path() /
            ("levforms-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::create_directories(folder_);
  const auto database = folder_ / "RUDOVA.mdb";
  std::filesystem::copy_file(LEV_TEMPLATE_DB, database, std::filesystem::copy_options::overwrite_existing);
  conn_ = db::Connection::OpenNew(db::Connection::ConnectionStringFor(database.string()));
  com::SetComponentFolder(LEV_PROGRAM_DIR);
  conn_->ExecuteScript(fixtures::taxagencies::kDirectoryRows);
  conn_->Execute(fixtures::taxagencies::kStatusRow);
}

void FormsTest::TearDown() {
  com::SetComponentFolder({});
  conn_.reset();
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

forms::FormScope FormsTest::TaxScope() const {
  forms::FormScope scope;
  scope.year = 2019;
  scope.period = 2;
  scope.county = kCounty;
  scope.district = kAgency;
  scope.school = 0;
  scope.formNo = 29;
  scope.formName = "Tax";
  scope.taxType = 0;
  scope.agencyKind = 2;
  return scope;
}

forms::FormStatus FormsTest::FixtureStatus() const {
  forms::FormStatus status;
  status.certificate = -1;
  return status;
}

#include "FormsFixture.h"

#include <unistd.h>

#include "com/Registry.h"

void FormsTest::SetUp() {
  folder_ = std::filesystem::temp_directory_path() /
            ("levforms-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::create_directories(folder_);
  const auto database = folder_ / "RUDOVA.mdb";
  std::filesystem::copy_file(LEV_TEMPLATE_DB, database, std::filesystem::copy_options::overwrite_existing);
  conn_ = db::Connection::OpenNew(db::Connection::ConnectionStringFor(database.string()));
  com::SetComponentFolder(LEV_PROGRAM_DIR);
  conn_->ExecuteScript(R"(
    INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME, SCHOOL_DISTRICT_NAME,
                          LEA_TYPE, STAT_TYPE, DISTRICT_TYPE, TaxDistrictSupplement) VALUES
      (2019, 19, 10199, 0, 'Juniper County', 'Juniper County Office of Education', 2, 'OPEN', 'CO OFFICE', 0),
      (2019, 19, 64733, 0, 'Juniper County', 'Larkspur Unified', 3, 'OPEN', 'UNIFIED', -1);
    INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,
                                  CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING)
      VALUES (2019, 2, 19, 64733, 0, 29, -1, 0, 0, 0);
  )");
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

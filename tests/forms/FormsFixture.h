#pragma once
// The form operations alone, without Qt and without the program's error
// report (a failure reaches the test): a private copy of the delivered
// database on a connection of the test's own, the program's components
// found in the program folder, and the agency directory and status row of
// the tax form's tests (fixtures/TaxAgencies.h).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FormScope.h"
#include "TaxAgencies.h"
#include "db/Connection.h"

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Larkspur Unified's tax form in P-2 of 2019, county tax type, as a
  // county-office user sees it.
  forms::FormScope TaxScope() const;
  // The status the fixture's status row holds.
  forms::FormStatus FixtureStatus() const;

  db::ConnectionPtr conn_;

 private:
  std::filesystem::path folder_;
};

#pragma once
// The form operations alone, without Qt and without the program's error
// report (a failure reaches the test): a private copy of the delivered
// database on a connection of the test's own, the program's components
// found in the program folder, and the small agency directory of the tax
// form's tests (Juniper County: its office 10199 and Larkspur Unified
// 64733) with the status row of Larkspur Unified's tax form in P-2 of 2019.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FormScope.h"
#include "db/Connection.h"

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  static constexpr int kCounty = 19;
  static constexpr int kAgency = 64733;  // Larkspur Unified
  static constexpr int kOffice = 10199;  // Juniper County Office of Education

  // Larkspur Unified's tax form in P-2 of 2019, county tax type, as a
  // county-office user sees it.
  forms::FormScope TaxScope() const;
  // The status the fixture's status row holds.
  forms::FormStatus FixtureStatus() const;

  db::ConnectionPtr conn_;

 private:
  std::filesystem::path folder_;
};

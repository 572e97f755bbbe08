#include <gtest/gtest.h>

#include <string>

#include "ProbeInterface.h"
#include "com/Registry.h"
#include "vb/App.h"

namespace {

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { com::SetComponentFolder(PROBE_COMPONENT_DIR); }
  void TearDown() override { com::SetComponentFolder({}); }
};

long ErrorOf(const std::string& progId) {
  try {
    com::CreateObjectRaw(progId);
  } catch (const vb::VbError& e) {
    return e.Number();
  }
  return 0;
}

TEST_F(RegistryTest, CreatesObjectsByIdentifierIgnoringCaseFromOneLoadedLibrary) {
  auto first = com::CreateObject<IProbe>("comprobe.clsProbe");
  ASSERT_NE(first, nullptr);
  const int before = first->Made();
  auto second = com::CreateObject<IProbe>("COMPROBE.CLSPROBE");
  auto third = com::CreateObject<IProbe>("ComProbe.clsprobe");
  EXPECT_NE(first.get(), second.get());
  // All three come from the same loaded library: they count together.
  EXPECT_EQ(third->Made(), before + 2);
  EXPECT_EQ(first->Made(), before + 2);
}

TEST_F(RegistryTest, WhatCannotBeCreatedIsError429) {
  const char* cases[] = {
      "nosuchlib.clsProbe",        // no library
      "comprobe.clsMissing",       // no such class in the library
      "comnofactory.clsProbe",     // a library without the factory
      "comprobe",                  // no class named
      "",                          // nothing named
      "../com/comprobe.clsProbe",  // not a plain library name
      "comprobe.",                 // empty class name
  };
  for (const char* progId : cases) EXPECT_EQ(ErrorOf(progId), 429) << progId;
}

TEST_F(RegistryTest, ObjectWithoutTheInterfaceIsError429) {
  try {
    com::CreateObject<IUnrelated>("comprobe.clsProbe");
    FAIL() << "bound an interface the class does not implement";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.Number(), 429);
  }
}

TEST_F(RegistryTest, LooksInTheProgramFolderUnlessAnotherIsSet) {
  EXPECT_EQ(com::ComponentFolder(), PROBE_COMPONENT_DIR);
  com::SetComponentFolder({});
  EXPECT_EQ(com::ComponentFolder(), vb::App::Path());
  // The test program's folder holds no probe library.
  EXPECT_EQ(ErrorOf("comprobe.clsProbe"), 429);
}

}  // namespace

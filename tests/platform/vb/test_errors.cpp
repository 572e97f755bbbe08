// Run-time errors and the End statement.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vb/End.h"
#include "vb/Trap.h"
#include "vb/VbError.h"

using namespace vb;

TEST(VbError, RaiseUsesTheClassicDescription) {
  struct Case {
    long number;
    const char* description;
  };
  const std::vector<Case> cases = {
      {5, "Invalid procedure call or argument"},
      {6, "Overflow"},
      {7, "Out of memory"},
      {9, "Subscript out of range"},
      {11, "Division by zero"},
      {13, "Type mismatch"},
      {53, "File not found"},
      {75, "Path/File access error"},
      {94, "Invalid use of Null"},
      {429, "Component can't create object"},
      {3001, "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one another."},
      {3021, "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires a "
             "current record."},
      {3265, "Item cannot be found in the collection corresponding to the requested name or ordinal."},
      {3704, "Operation is not allowed when the object is closed."},
      {3709, "The connection cannot be used to perform this operation. It is either closed or invalid in this "
             "context."},
      {32755, "Application-defined or object-defined error"},
      {1234, "Application-defined or object-defined error"},
  };
  for (const Case& c : cases) {
    try {
      Raise(c.number);
      ADD_FAILURE() << "Raise returned";
    } catch (const VbError& e) {
      EXPECT_EQ(e.Number(), c.number);
      EXPECT_EQ(e.Description(), c.description);
      EXPECT_STREQ(e.what(), c.description);
    }
  }
}

TEST(VbError, RaiseWithOwnDescription) {
  try {
    Raise(err::ApplicationDefined, "The year is closed");
    ADD_FAILURE() << "Raise returned";
  } catch (const VbError& e) {
    EXPECT_EQ(e.Number(), err::ApplicationDefined);
    EXPECT_EQ(e.Description(), "The year is closed");
  }
}

TEST(End, CallsTheInstalledHandlerAndAnswersThePreviousOne) {
  auto throwing = [](int code) { throw ProgramEnded{code}; };
  const std::function<void(int)> original = SetEndHandler(throwing);
  ASSERT_TRUE(original);
  try {
    End(3);
    ADD_FAILURE() << "End returned";
  } catch (const ProgramEnded& ended) {
    EXPECT_EQ(ended.exitCode, 3);
  }
  const std::function<void(int)> previous = SetEndHandler(original);
  ASSERT_TRUE(previous);
  EXPECT_THROW(previous(0), ProgramEnded);
}

TEST(EndDeathTest, DefaultHandlerExitsTheProcess) {
  EXPECT_EXIT(End(7), ::testing::ExitedWithCode(7), "");
}

// The guard of a trapping procedure, seen from the runtime: with the
// program's report installed it acts on the answer; without one a failed
// step's error reaches the procedure's caller, and silent mode still passes
// it over.
TEST(Trap, WithoutAReportTheFailureReachesTheCaller) {
  int after = 0;
  try {
    Trap trap("modTest", "Steps");
    trap([] { vb::Raise(vb::err::TypeMismatch); });
    after = 1;
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.Number(), vb::err::TypeMismatch);
  }
  EXPECT_EQ(after, 0) << "no step after the failed one ran";

  Trap silent("modTest", "Steps", Trap::Mode::Silent);
  EXPECT_FALSE(silent([] { vb::Raise(vb::err::Overflow); }));
  EXPECT_TRUE(silent([&] { after = 2; }));
  EXPECT_EQ(after, 2);
  EXPECT_EQ(silent.ErrorNumber(), vb::err::Overflow);
}

TEST(Trap, TheInstalledReportAnswersForEveryGuard) {
  std::vector<std::string> reports;
  std::vector<int> answers = {4, 5, 2};  // Retry, Ignore, then leave
  vb::SetErrorReport([&](long number, const std::string&, const std::string& module, const std::string& procedure) {
    reports.push_back(module + "/" + procedure + " " + std::to_string(number));
    const int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  });
  int tries = 0;
  Trap trap("modTest", "Steps");
  EXPECT_TRUE(trap([&] {
    if (++tries == 1) vb::Raise(vb::err::Overflow);
  }));
  EXPECT_FALSE(trap([] { vb::Raise(vb::err::TypeMismatch); }));
  EXPECT_FALSE(trap([] { vb::Raise(vb::err::TypeMismatch); }));
  EXPECT_TRUE(trap.Left());
  EXPECT_FALSE(trap([] {})) << "skipped once left";
  vb::SetErrorReport(nullptr);
  EXPECT_EQ(reports, (std::vector<std::string>{"modTest/Steps 6", "modTest/Steps 13", "modTest/Steps 13"}));
  EXPECT_EQ(tries, 2);
}

// Leave mode reports once and leaves whatever the answer: Retry runs
// nothing again and Abort ends nothing.
TEST(Trap, LeaveModeReportsOnceAndLeavesOnEveryAnswer) {
  for (const int answer : {3, 4, 5}) {
    int reports = 0;
    vb::SetErrorReport([&](long, const std::string&, const std::string&, const std::string&) {
      ++reports;
      return answer;
    });
    int tries = 0;
    Trap trap("modTest", "Steps", Trap::Mode::Leave);
    EXPECT_FALSE(trap([&] {
      ++tries;
      vb::Raise(vb::err::Overflow);
    }));
    EXPECT_FALSE(trap([&] { ++tries; })) << "answer " << answer;
    EXPECT_TRUE(trap.Left());
    vb::SetErrorReport(nullptr);
    EXPECT_EQ(reports, 1) << "answer " << answer;
    EXPECT_EQ(tries, 1) << "answer " << answer;
  }
}

// The error report, the guard that trapping procedures run their steps
// under, and the crash trap.

#include <gtest/gtest.h>
#include <signal.h>

#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "vb/End.h"
#include "zelCommon.h"
#include "zelErrHandler.h"

namespace {

constexpr int kExceptionBoxStyle = 0x40032;

TEST(ErrorReport, TextHasTheSixLinesJoinedByCrLf) {
  EXPECT_EQ(zelErrHandler::ReportText(6, "Overflow", "Levrona", "clsDataAccess", "GetRecordset"),
            "Error No: 6\r\nDescription: Overflow\r\nProject: Levrona\r\nSource: clsDataAccess\r\n"
            "Procedure: GetRecordset\r\nVersion: 19.00");
  EXPECT_EQ(zelErrHandler::ReportText(-2147217900, "", "Levrona", "m", "p"),
            "Error No: -2147217900\r\nDescription: \r\nProject: Levrona\r\nSource: m\r\nProcedure: p\r\n"
            "Version: 19.00");
}

TEST(ErrorReport, BoxIsTheTopmostWarningTitledExceptionWithAbortFirstAndDefault) {
  ScriptedDialogs dialogs;
  dialogs.AnswerMsgBox(ui::vbIgnore);
  EXPECT_EQ(zelErrHandler::ReportError(13, "Type mismatch", "Levrona", "modCOE", "SetValuesInRs", 120), ui::vbIgnore);
  const RecordedPrompt& box = dialogs.LastPrompt();
  EXPECT_EQ(box.kind, "MsgBox");
  EXPECT_EQ(box.title, "Exception");
  EXPECT_EQ(box.text, zelErrHandler::ReportText(13, "Type mismatch", "Levrona", "modCOE", "SetValuesInRs"));
  EXPECT_EQ(box.style, kExceptionBoxStyle);
  EXPECT_EQ(ui::ButtonsOf(box.style), ui::vbAbortRetryIgnore);
  EXPECT_EQ(ui::IconOf(box.style), ui::vbExclamation);
  EXPECT_EQ(ui::DefaultAnswer(box.style), ui::vbAbort);  // Enter chooses Abort
}

// A procedure of three steps whose second step fails `failures` times.
class ThreeSteps : public ProgramTest {
 protected:
  void Run(Trap::Mode mode = Trap::Mode::Report) {
    Trap trap("modTest", "ThreeSteps", mode);
    trap([&] { ran.push_back(1); });
    trap([&] {
      ran.push_back(2);
      if (failures-- > 0) vb::Raise(vb::err::DivisionByZero);
    });
    trap([&] { ran.push_back(3); });
    left = trap.Left();
    failed = trap.Failed();
    number = trap.ErrorNumber();
  }
  int failures = 1;
  std::vector<int> ran;
  bool left = false;
  bool failed = false;
  long number = 0;
};

TEST_F(ThreeSteps, IgnoreGoesOnWithTheNextStep) {
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  Run();
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(failed);
  EXPECT_FALSE(left);
  EXPECT_EQ(number, 11);
  EXPECT_EQ(dialogs_.LastPrompt().text,
            zelErrHandler::ReportText(11, "Division by zero", "Levrona", "modTest", "ThreeSteps"));
}

TEST_F(ThreeSteps, RetryRunsTheFailedStepAgainUntilItSucceeds) {
  failures = 3;
  for (int i = 0; i < 3; ++i) dialogs_.AnswerMsgBox(ui::vbRetry);
  Run();
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 2, 2, 2, 3}));
  EXPECT_EQ(dialogs_.Prompts().size(), 3u);  // the same box after each failed attempt
  dialogs_.ExpectAllUsed();
}

TEST_F(ThreeSteps, AbortEndsTheProgramAtOnce) {
  dialogs_.AnswerMsgBox(ui::vbAbort);
  EXPECT_THROW(Run(), vb::ProgramEnded);
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST_F(ThreeSteps, AnyOtherAnswerLeavesTheProcedure) {
  dialogs_.AnswerMsgBox(ui::vbCancel);
  Run();
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  EXPECT_TRUE(left);
}

TEST_F(ThreeSteps, SilentModePassesOverTheFailureWithoutABox) {
  Run(Trap::Mode::Silent);
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(failed);
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(ThreeSteps, FailuresOtherThanRunTimeErrorsAreReportedToo) {
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  Trap trap("modTest", "Other");
  trap([] { throw std::runtime_error("disk gone"); });
  EXPECT_EQ(trap.ErrorNumber(), vb::err::Exception);
  EXPECT_EQ(trap.ErrorDescription(), "disk gone");
  trap([] { throw std::bad_alloc(); });
  EXPECT_EQ(trap.ErrorNumber(), vb::err::OutOfMemory);
}

TEST(CrashTrap, ExceptionDescriptions) {
  const std::pair<std::uint32_t, const char*> cases[] = {
      {0x80000001u, "Exception: Guard Page"},
      {0xC0000005u, "Exception: Access Violation"},
      {0xC000001Du, "Exception: Illegal Instruction"},
      {0xC0000094u, "Exception: Integer Divide By Zero"},
      {0xC00000FDu, "Exception: Stack Overflow"},
      {0xC000013Au, "Exception: Control C Exit"},
      {0xC0000007u, "Unknown Exception"},
      {0u, "Unknown Exception"},
  };
  for (const auto& [code, text] : cases) EXPECT_EQ(zelCommon::ExceptionDescription(code), text) << std::hex << code;
}

TEST(CrashTrap, SignalsStandForTheExceptionsOfTheTable) {
  struct Case {
    int signal;
    int code;
    bool overflow;
    const char* text;
  } cases[] = {
      {SIGSEGV, SEGV_MAPERR, false, "Exception: Access Violation"},
      {SIGSEGV, SEGV_MAPERR, true, "Exception: Stack Overflow"},
      {SIGFPE, FPE_INTDIV, false, "Exception: Integer Divide By Zero"},
      {SIGFPE, FPE_FLTDIV, false, "Exception: Float Divide By Zero"},
      {SIGFPE, FPE_FLTINV, false, "Exception: Float Invalid Operation"},
      {SIGILL, ILL_ILLOPC, false, "Exception: Illegal Instruction"},
      {SIGILL, ILL_PRVOPC, false, "Exception: Priv Instruction"},
      {SIGBUS, BUS_ADRALN, false, "Exception: Datatype Misalignment"},
      {SIGBUS, BUS_ADRERR, false, "Exception: In Page Error"},
      {SIGABRT, 0, false, "Unknown Exception"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(zelCommon::ExceptionDescription(zelCommon::ExceptionCodeOfSignal(c.signal, c.code, c.overflow)), c.text)
        << c.signal << "/" << c.code;
}

std::string StandardErrorPattern(const std::string& description) {
  return "Error No: 65535\nDescription: " + description +
         "\nProject: Levrona\nSource: zelCommon\nProcedure: zelExceptionFilter\nVersion: 19\\.00\n";
}

volatile int zero = 0;
volatile int* volatile nowhere = nullptr;

volatile bool deeper = true;

int Recurse(int depth) {
  volatile char filler[1024];
  filler[0] = static_cast<char>(depth);
  return deeper ? Recurse(depth + 1) + filler[0] : 0;
}

class CrashTrapDeathTest : public ::testing::Test {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(CrashTrapDeathTest, AccessViolationPrintsTheReportAndEnds) {
  EXPECT_EXIT(
      {
        zelCommon::zelInitialize();
        *nowhere = 1;
      },
      ::testing::ExitedWithCode(128 + SIGSEGV), StandardErrorPattern("Exception: Access Violation"));
}

TEST_F(CrashTrapDeathTest, IntegerDivisionByZeroPrintsTheReportAndEnds) {
  EXPECT_EXIT(
      {
        zelCommon::zelInitialize();
        volatile int quotient = 10 / zero;
        (void)quotient;
      },
      ::testing::ExitedWithCode(128 + SIGFPE), StandardErrorPattern("Exception: Integer Divide By Zero"));
}

TEST_F(CrashTrapDeathTest, StackOverflowIsReportedOnItsOwnStack) {
  EXPECT_EXIT(
      {
        zelCommon::zelInitialize();
        Recurse(0);
      },
      ::testing::ExitedWithCode(128 + SIGSEGV), StandardErrorPattern("Exception: Stack Overflow"));
}

TEST_F(CrashTrapDeathTest, AbortIsReportedAsAnUnknownException) {
  EXPECT_EXIT(
      {
        zelCommon::zelInitialize();
        std::abort();
      },
      ::testing::ExitedWithCode(128 + SIGABRT), StandardErrorPattern("Unknown Exception"));
}

TEST_F(CrashTrapDeathTest, InitializeInstallsTheTrapOnlyOnce) {
  EXPECT_EXIT(
      {
        zelCommon::zelInitialize();
        EXPECT_TRUE(zelCommon::CurrentOptions().trapUnhandledExceptions);
        EXPECT_FALSE(zelCommon::CurrentOptions().debuggerLink);
        ::signal(SIGSEGV, SIG_DFL);
        zelCommon::zelInitialize();  // does nothing: the default action stays
        struct sigaction now {};
        ::sigaction(SIGSEGV, nullptr, &now);
        ::_exit(now.sa_handler == SIG_DFL && !::testing::Test::HasFailure() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace

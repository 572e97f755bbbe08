// A program-wide object that is not set: every procedure that needs it
// reports error 91 through its guard and goes on without a crash. (The form
// operations take their connection from their caller: tests/forms.)

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "clsMyAdoUtils.h"
#include "clsTableCols.h"
#include "modCOE.h"
#include "modCOECorrection.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"

using vb::Variant;

namespace {

using UnsetObjectTest = ProgramTest;

TEST_F(UnsetObjectTest, EachUseReportsError91AndGoesOn) {
  enum Unset { AdoUtils, GlobalParam };
  struct Case {
    const char* what;
    Unset unset;
    std::function<void()> call;
    // The procedures that report, in order: a procedure left after a report
    // answers no object, and its caller's next use of it fails in turn.
    std::vector<std::string> reportedBy;
  };
  const std::vector<Case> cases = {
      {"school list", AdoUtils, [] { EXPECT_EQ(modCOE::getSchoolList("Tax"), nullptr); }, {"getSchoolList"}},
      {"school list", GlobalParam, [] { EXPECT_EQ(modCOE::getSchoolList("Tax"), nullptr); }, {"getSchoolList"}},
      {"columns", AdoUtils, [] { EXPECT_EQ(clsTableCols().getCols("Tax"), nullptr); }, {"getCols"}},
      {"database utility object", GlobalParam, [] { clsMyAdoUtils utils; }, {"Class_Initialize"}},
      {"database reset", GlobalParam,
       [] {
         std::string name;
         clsMyAdoUtils().ResetMDBFile(name);
       },
       {"Class_Initialize", "ResetMDBFile"}},
  };

  auto globals = std::move(modGlobals::gobjGlobalParam);
  auto utils = std::move(modGlobals::gobjAdoUtils);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + (c.unset == AdoUtils ? " without gobjAdoUtils" : " without gobjGlobalParam"));
    if (c.unset == AdoUtils) {
      modGlobals::gobjGlobalParam = std::make_unique<clsGlobalParam>();
    } else {
      modGlobals::gobjAdoUtils = std::move(utils);
    }
    dialogs_.ClearPrompts();
    for (std::size_t i = 0; i < c.reportedBy.size(); ++i) dialogs_.AnswerMsgBox(ui::vbIgnore);
    c.call();
    ASSERT_EQ(dialogs_.Prompts().size(), c.reportedBy.size());
    for (std::size_t i = 0; i < c.reportedBy.size(); ++i) {
      const std::string& text = dialogs_.Prompts()[i].text;
      EXPECT_NE(text.find("Error No: 91\r\nDescription: Object variable or With block variable not set"),
                std::string::npos)
          << text;
      EXPECT_NE(text.find("Procedure: " + c.reportedBy[i] + "\r\n"), std::string::npos) << text;
    }
    if (c.unset == AdoUtils) {
      modGlobals::gobjGlobalParam.reset();
    } else {
      utils = std::move(modGlobals::gobjAdoUtils);
    }
  }
  modGlobals::gobjGlobalParam = std::move(globals);
  modGlobals::gobjAdoUtils = std::move(utils);
  dialogs_.ExpectAllUsed();
}

TEST_F(UnsetObjectTest, TheCorrectionReasonPassesError91ToItsCaller) {
  auto utils = std::move(modGlobals::gobjAdoUtils);
  try {
    modCOE::AskCorrectionReason(1, 2019, 2, 61, 10610, 0, 29, true, false);
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.Number(), vb::err::ObjectNotSet);
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
  modGlobals::gobjAdoUtils = std::move(utils);
}

}  // namespace

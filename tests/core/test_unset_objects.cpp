// A program-wide object that is not set: every procedure that needs it
// reports error 91 through its guard and goes on without a crash.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "clsMyAdoUtils.h"
#include "clsTableCols.h"
#include "modCOE.h"
#include "modGlobals.h"
#include "modMain.h"
#include "ui/Dialogs.h"

using vb::Variant;

namespace {

class UnsetObjectTest : public ProgramTest {
 protected:
  // A block-grant row of a district that fills in its charter's form, so
  // that its key needs the county office of the current county.
  db::RecordsetPtr FillingBlockGrantRow() {
    auto conn = modGlobals::gobjAdoUtils->Conn();
    conn->Execute(
        "INSERT INTO CS_BA (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
        "RES_SCHOOL_DISTRICT_ID) VALUES (2019, 2, 61, 61003, 6100101, 61, 61003)");
    auto rs = db::Recordset::Query("SELECT * FROM CS_BA", conn);
    rs->ActiveConnection(nullptr);
    return rs;
  }
};

TEST_F(UnsetObjectTest, EachUseReportsError91AndGoesOn) {
  clsGlobalParam P = fixtures::AlderTaxForm();
  db::RecordsetPtr blockGrant = FillingBlockGrantRow();

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
      {"status rewrite", AdoUtils, [&] { modCOE::UpdateCOEFormsStatus(P, true); }, {"UpdateCOEFormsStatus"}},
      {"status rewrite", GlobalParam, [&] { modCOE::UpdateCOEFormsStatus(P, true); }, {"UpdateCOEFormsStatus"}},
      {"status reset", AdoUtils, [&] { modCOE::UpdateSetCOEFormsStatus(P, true); }, {"UpdateSetCOEFormsStatus"}},
      {"status set", AdoUtils, [&] { modCOE::UpdateSetCOEFormsStatusForNonEditCheckMultiForms(P); },
       {"UpdateSetCOEFormsStatusForNonEditCheckMultiForms"}},
      {"form number", AdoUtils, [] { EXPECT_EQ(modCOE::getFormDetails("Tax"), 0); }, {"getFormDetails"}},
      {"notes", AdoUtils, [] { modCOE::TorbNotesDeletion(2019, 10610, 61, 0, "Tax", 2); }, {"TorbNotesDeletion"}},
      {"columns", AdoUtils, [] { EXPECT_EQ(clsTableCols().getCols("Tax"), nullptr); }, {"getCols"}},
      {"sort order", AdoUtils, [&] { EXPECT_EQ(modMain::GetSortOrder(P, "Tax"), ""); }, {"getPKeys", "GetSortOrder"}},
      {"row text", AdoUtils, [&] { EXPECT_EQ(modCOE::fcnGetStringForCertKey("CS_BA", *blockGrant), ""); },
       {"getCols", "fcnGetStringForCertKey"}},
      {"block-grant district rule", GlobalParam,
       [&] { EXPECT_EQ(modCOE::fcnGetStringForCertKey("CS_BA", *blockGrant), ""); }, {"fcnGetStringForCertKey"}},
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

// The prior-year correction question of an entry screen: the prior-year
// mode, the correction-reason window shown for a form with data, and the
// agency's corrected mark that follows the answers.

#include <gtest/gtest.h>

#include <QWidget>

#include "TestEnvironment.h"
#include "clsMyAdoUtils.h"
#include "modCOE.h"
#include "modCOECorrection.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

class CorrectionQuestionTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    conn_ = modGlobals::gobjAdoUtils->Conn();
  }

  db::ConnectionPtr conn_;
};

TEST_F(CorrectionQuestionTest, PriorYearModeAndTheCorrectionReason) {
  struct Mode {
    const char* text;
    bool prior;
  };
  for (const Mode& m : std::vector<Mode>{{"PY_P2", true}, {"PY_ANNUAL", true}, {"py_p2", false}, {"2", false}, {"", false}}) {
    modGlobals::gstrPeriodMode = m.text;
    modCOE::SetPriorYearMode();
    EXPECT_EQ(modGlobals::gblnPriorYearMode, m.prior) << m.text;
  }

  // The Alder County office's tax form has data and a status row.
  conn_->Execute("INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, "
                 "FORM_NO, CERTIFICATE_NUMBER, NUM_RECORD, PY_REASON_CODE, PY_FORMS_CORRECTED) "
                 "VALUES (2019, 2, 61, 10610, 0, 29, 7, 1, 0, 'No')");
  modCOE::SetCorrectionReasonWindow([] { return std::make_unique<QWidget>(); });

  // No data: no window, nothing marked.
  EXPECT_FALSE(modCOE::AskCorrectionReason(0, 2019, 2, 61, 10610, 0, 29, true, true));
  EXPECT_FALSE(modCOE::AskCorrectionReason(1, 2019, 2, 61, 10610, 0, 29, false, true));
  EXPECT_TRUE(dialogs_.Prompts().empty());

  // The window saves a reason: the agency is marked corrected.
  dialogs_.AnswerModal([&](QWidget&) {
    EXPECT_TRUE(modGlobals::gblnCorrectionPending);
    EXPECT_EQ(modGlobals::gintCorrectionFormNo, 29);
    conn_->Execute("UPDATE lea_forms_status SET PY_FORMS_CORRECTED = 'Yes', PY_CORRECTION_NOTE = ?, PY_REASON_CODE = 2 "
                   "WHERE fiscal_year = 2019 AND period_id = 2 AND county_id = 61 AND school_district_id = 10610 "
                   "AND form_no = 29",
                   {Variant("Late roll corrected")});
    modGlobals::gintCorrectionReasonCode = 0;
    modGlobals::gstrCorrectionNote.clear();
    modGlobals::gblnCorrectionPending = false;
    return 1;
  });
  EXPECT_TRUE(modCOE::AskCorrectionReason(1, 2019, 2, 61, 10610, 0, 29, true, true));
  EXPECT_FALSE(modGlobals::gblnCorrectionPending);
  const std::string corrected =
      "SELECT PY_LEA_CORRECTED FROM KRN_LEAS WHERE FISCAL_YEAR = 2019 AND COUNTY_ID = 61 AND SCHOOL_DISTRICT_ID = 10610 "
      "AND SCHOOL_ID = 0";
  EXPECT_EQ(vb::CStr(conn_->Scalar(corrected)), "Yes");

  // The next time the window starts from the recorded correction; when no
  // form of the agency is corrected any more, the agency is not either.
  dialogs_.AnswerModal([&](QWidget&) {
    EXPECT_EQ(modGlobals::gstrCorrectionNote, "Late roll corrected");
    EXPECT_EQ(modGlobals::gintCorrectionReasonCode, 2);
    conn_->Execute("UPDATE lea_forms_status SET PY_FORMS_CORRECTED = 'No', PY_CORRECTION_NOTE = NULL, PY_REASON_CODE = 0");
    return 1;
  });
  EXPECT_TRUE(modCOE::AskCorrectionReason(1, 2019, 2, 61, 10610, 0, 29, true, false));
  EXPECT_EQ(vb::CStr(conn_->Scalar(corrected)), "No");

  // A form not marked corrected starts from no reason, whatever an earlier
  // window left behind.
  modGlobals::gstrCorrectionNote = "Left behind";
  modGlobals::gintCorrectionReasonCode = 3;
  dialogs_.AnswerModal([&](QWidget&) {
    EXPECT_EQ(modGlobals::gstrCorrectionNote, "");
    EXPECT_EQ(modGlobals::gintCorrectionReasonCode, 0);
    return 1;
  });
  EXPECT_TRUE(modCOE::AskCorrectionReason(1, 2019, 2, 61, 10610, 0, 29, true, false));

  // A form without a status row fails to the caller, and nothing is marked.
  EXPECT_THROW(modCOE::AskCorrectionReason(1, 2019, 2, 61, 10610, 0, 30, true, true), vb::VbError);
  dialogs_.ExpectAllUsed();

  // No window to show: error 429 to the caller, and no reason left pending.
  modCOE::SetCorrectionReasonWindow([] { return std::unique_ptr<QWidget>(); });
  try {
    modCOE::AskCorrectionReason(1, 2019, 2, 61, 10610, 0, 29, true, false);
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.Number(), vb::err::CannotCreateObject);
  }
  EXPECT_FALSE(modGlobals::gblnCorrectionPending);
  modCOE::SetCorrectionReasonWindow(nullptr);
}

}  // namespace

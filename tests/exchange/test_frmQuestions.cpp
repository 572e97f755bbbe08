// The certification questions: the panel and question set of each logon
// group, the gate, the refusal of an unexplained Yes, the answers stored
// and shown again, and what happens when the store fails or the window is
// left another way.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QTest>

#include "ExportFixture.h"
#include "modGlobals.h"
#include "ui/Twips.h"

namespace {

QRadioButton& Choice(QWidget& w, const char* name) { return ExportTest::Find<QRadioButton>(w, name); }

// The controls of the stored question whose Yes choice is named.
const frmQuestions::QuestionControls& Question(const frmQuestions& q, const char* yes) {
  for (const frmQuestions::QuestionControls& question : q.Questions())
    if (question.yes->objectName() == yes) return question;
  throw std::runtime_error(std::string("no question ") + yes);
}

void Type(ui::MultiLineText& box, const char* text) { QTest::keyClicks(&box, text); }

const char* kStoredCounty =
    "INSERT INTO TorbLeaNotes (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TYPE,"
    " SCHOOL_DISTRICT_NAME, SCHOOL_NAME, Qn1, Qn1Comments, Qn2, Qn2Comments, Qn3, Qn3Comments, Qn4, Qn4Comments)"
    " VALUES (2019, 2, 7, 10070, 0, 'COUNTY', 'Kept name', NULL, 1, 'loaded', 0, 'noted', 1, NULL, NULL, NULL)";

}  // namespace

class QuestionsTest : public ExportTest {
 protected:
  // Shows the shared window for the logon's agency as the export's start
  // command does; `user` plays the user.
  void Ask(const Logon& logon, std::function<void(frmQuestions&)> user) {
    LogOn(logon);
    frmQuestions& q = frmQuestions::Shared();
    q.CtyId(logon.county);
    q.distid(logon.district);
    q.PeriodId(2);
    q.YearId(2019);
    q.SchId(logon.school);
    q.SchDistName("Not stored");
    q.SchName("Not stored");
    modGlobals::gblnQuestionsCancelled = false;
    dialogs_.AnswerModal([user](QWidget& window) {
      user(dynamic_cast<frmQuestions&>(window));
      return 0;
    });
    q.ShowModal();
  }
};

TEST_F(QuestionsTest, EachGroupAnswersItsOwnSetAndStoresOnlyItsQuestions) {
  const struct {
    Logon logon;
    const char* panel;
    int left;
    const char* gateYes;
    const char* gateNo;
    const char* firstYes;
    std::size_t questions;
    const char* stored;
  } cases[] = {
      {As(2, 7, 10070), "fraCounty", 500, "Option1", "Option2", "optYes1County", 4,
       "COUNTY|7-10070-0|1| late roll |0||0||0||Cedar County Office of Education|"},
      {As(3, 7, 71001), "fraDistrict", 700, "Option4", "Option3", "optYes1District", 2,
       "DISTRICT|7-71001-0|1| late roll |0||||||Acorn Elementary|"},
      {As(4, 7, 71002, 7100201), "fraCharter", 650, "Option5", "Option6", "optYes1Charter", 1,
       "CHARTER|7-71002-7100201|1| late roll |||||||Brook Unified|Brook Charter"},
      {As(5, 7, 71005), "fraSELPA", 650, "Option9", "Option10", "optYes1SELPA", 1,
       "SELPA|7-71005-0|1| late roll |||||||Cedar SELPA|"},
      {As(7, 7, 10070), "fraTax", 650, "Option8", "Option7", "optYes1Tax", 1,
       "TAX|7-10070-0|1| late roll |||||||Cedar County Office of Education|"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.panel);
    Execute("DELETE FROM TorbLeaNotes");
    Ask(c.logon, [&](frmQuestions& q) {
      for (QGroupBox* panel : q.findChildren<QGroupBox*>())
        EXPECT_EQ(panel->isVisibleTo(&q), panel->objectName() == c.panel) << panel->objectName().toStdString();
      auto& panel = Find<QGroupBox>(q, c.panel);
      EXPECT_EQ(panel.geometry(), QRect(ui::TwipsToPixelsX(c.left), ui::TwipsToPixelsY(120), ui::TwipsToPixelsX(8535),
                                        ui::TwipsToPixelsY(6615)));
      // Nothing stored: every question No, its box empty and closed.
      std::size_t shown = 0;
      for (const frmQuestions::QuestionControls& question : q.Questions()) {
        if (question.yes->parentWidget() != &panel) continue;
        ++shown;
        EXPECT_TRUE(question.no->isChecked());
        EXPECT_FALSE(question.comment->isEnabled());
        EXPECT_EQ(question.comment->toolTip(), question.text->text());
      }
      EXPECT_EQ(shown, c.questions);
      // The gate starts unanswered; OK follows it.
      EXPECT_FALSE(Choice(q, c.gateYes).isChecked() || Choice(q, c.gateNo).isChecked());
      EXPECT_FALSE(q.cmdOK->isEnabled());
      Choice(q, c.gateYes).click();
      EXPECT_TRUE(q.cmdOK->isEnabled());
      Choice(q, c.gateNo).click();
      EXPECT_FALSE(q.cmdOK->isEnabled());
      Choice(q, c.gateYes).click();

      const frmQuestions::QuestionControls& first = Question(q, c.firstYes);
      first.yes->click();
      EXPECT_TRUE(first.comment->isEnabled());
      EXPECT_EQ(q.focusWidget(), first.comment);
      Type(*first.comment, " late roll ");
      q.cmdOK->click();
    });
    EXPECT_FALSE(modGlobals::gblnQuestionsCancelled);
    EXPECT_FALSE(frmQuestions::Shared().Loaded()) << "OK closes the window";
    EXPECT_EQ(StoredAnswers(), std::vector<std::string>{c.stored});
  }
  EXPECT_EQ(dialogs_.Prompts().size(), 5u) << "the five windows, no message";
}

TEST_F(QuestionsTest, AnUnexplainedYesIsRefusedInQuestionOrderWithTheFocusInItsBox) {
  Ask(As(2, 7, 10070), [&](frmQuestions& q) {
    Choice(q, "Option1").click();
    for (const char* yes : {"optYes1County", "optYes3County"}) Question(q, yes).yes->click();
    Type(*Question(q, "optYes3County").comment, "   ");
    struct Refusal {
      const char* message;
      const char* box;
    };
    for (const Refusal& refusal :
         {Refusal{"Please provide details of any modification of data received from a school district or SELPA or "
                  "County Auditor",
                  "optYes1County"},
          Refusal{"Please provide details of school district modified the data received from any charter school",
                  "optYes3County"}}) {
      dialogs_.AcknowledgeMessages(1);
      q.cmdOK->click();
      EXPECT_EQ(dialogs_.LastPrompt().text, refusal.message);
      EXPECT_EQ(dialogs_.LastPrompt().title, "Levrona");
      EXPECT_EQ(dialogs_.LastPrompt().style, ui::vbInformation);
      EXPECT_TRUE(q.Loaded()) << "the window stays open";
      EXPECT_EQ(q.focusWidget(), Question(q, refusal.box).comment);
      EXPECT_TRUE(StoredAnswers().empty());
      Type(*Question(q, refusal.box).comment, "explained");
    }
    q.cmdOK->click();
  });
  EXPECT_EQ(StoredAnswers(), std::vector<std::string>{
                                 "COUNTY|7-10070-0|1|explained|0||1|   explained|0||Cedar County Office of Education|"});
}

TEST_F(QuestionsTest, StoredAnswersShowAgainAndAYesBringsBackTheLoadedComment) {
  Execute(kStoredCounty);
  Ask(As(2, 7, 10070), [&](frmQuestions& q) {
    const auto& first = Question(q, "optYes1County");
    const auto& second = Question(q, "optYes2County");
    const auto& third = Question(q, "optYes3County");
    const auto& fourth = Question(q, "optYes4County");
    EXPECT_TRUE(first.yes->isChecked());
    EXPECT_EQ(first.comment->Text(), "loaded");
    EXPECT_TRUE(first.comment->isEnabled());
    // No with a comment: the comment shows, in an open box.
    EXPECT_TRUE(second.no->isChecked());
    EXPECT_EQ(second.comment->Text(), "noted");
    EXPECT_TRUE(second.comment->isEnabled());
    // Yes without a comment: the box is open for the explanation.
    EXPECT_TRUE(third.yes->isChecked());
    EXPECT_TRUE(third.comment->isEnabled());
    // An empty answer is No.
    EXPECT_TRUE(fourth.no->isChecked());
    EXPECT_FALSE(fourth.comment->isEnabled());
    EXPECT_FALSE(q.cmdOK->isEnabled()) << "the gate is asked afresh";

    // Yes, No, Yes: the loaded comment, not the text typed meanwhile.
    Type(*first.comment, " and more");
    first.no->click();
    EXPECT_EQ(first.comment->Text(), "");
    EXPECT_FALSE(first.comment->isEnabled());
    first.yes->click();
    EXPECT_EQ(first.comment->Text(), "loaded");
    EXPECT_TRUE(first.comment->isEnabled());

    Choice(q, "Option1").click();
    Type(*third.comment, "third");
    q.cmdOK->click();
  });
  EXPECT_EQ(StoredAnswers(), std::vector<std::string>{"COUNTY|7-10070-0|1|loaded|0|noted|1|third|0||Kept name|"})
      << "keys, names and type of the row kept";
  // Shown again: the answers as stored.
  Ask(As(2, 7, 10070), [&](frmQuestions& q) {
    EXPECT_EQ(Question(q, "optYes3County").comment->Text(), "third");
    EXPECT_TRUE(Question(q, "optYes3County").yes->isChecked());
    EXPECT_FALSE(Choice(q, "Option1").isChecked());
    q.cmdCancel->click();
  });
  EXPECT_TRUE(modGlobals::gblnQuestionsCancelled);
}

TEST_F(QuestionsTest, EveryWayOutButOKCountsAsCancelAndStoresNothing) {
  const struct {
    const char* what;
    std::function<void(frmQuestions&)> leave;
  } cases[] = {
      {"Cancel", [](frmQuestions& q) { q.cmdCancel->click(); }},
      {"Escape", [](frmQuestions& q) { QTest::keyClick(&q, Qt::Key_Escape); }},
      {"the window manager's close", [](frmQuestions& q) { q.close(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Ask(As(2, 7, 10070), [&](frmQuestions& q) {
      EXPECT_FALSE(q.windowFlags() & Qt::WindowCloseButtonHint);
      EXPECT_EQ(q.size(), QSize(ui::TwipsToPixelsX(9990), ui::TwipsToPixelsY(7365)));
      Choice(q, "Option1").click();
      Question(q, "optYes2County").yes->click();
      Type(*Question(q, "optYes2County").comment, "typed");
      c.leave(q);
    });
    EXPECT_TRUE(modGlobals::gblnQuestionsCancelled);
    EXPECT_FALSE(frmQuestions::Shared().Loaded());
    EXPECT_TRUE(StoredAnswers().empty());
  }
}

TEST_F(QuestionsTest, AFailedStoreKeepsTheWindowOpenAndTheTableAsItWas) {
  Execute(
      "CREATE TRIGGER refuse BEFORE INSERT ON TorbLeaNotes BEGIN SELECT RAISE(ABORT, 'disk full'); END;");
  Ask(As(2, 7, 10070), [&](frmQuestions& q) {
    Choice(q, "Option1").click();
    dialogs_.AnswerMsgBox(ui::vbIgnore);
    q.cmdOK->click();
    EXPECT_EQ(dialogs_.LastPrompt().title, "Exception");
    EXPECT_NE(dialogs_.LastPrompt().text.find("Source: frmQuestions\r\nProcedure: cmdOK_Click"), std::string::npos);
    EXPECT_TRUE(q.Loaded());
    EXPECT_TRUE(StoredAnswers().empty());
    // Mended meanwhile, a second OK stores the answers once.
    Execute("DROP TRIGGER refuse");
    q.cmdOK->click();
  });
  EXPECT_FALSE(modGlobals::gblnQuestionsCancelled);
  EXPECT_EQ(StoredAnswers(),
            std::vector<std::string>{"COUNTY|7-10070-0|0||0||0||0||Cedar County Office of Education|"});
}

TEST_F(QuestionsTest, ANewRowOfAnAgencyMissingFromTheDirectoryTakesEmptyNames) {
  Ask(As(2, 7, 10099), [&](frmQuestions& q) {
    Choice(q, "Option1").click();
    q.cmdOK->click();
  });
  EXPECT_EQ(StoredAnswers(), std::vector<std::string>{"COUNTY|7-10099-0|0||0||0||0|||"});
}

TEST_F(QuestionsTest, AFailedLoadIsReportedAndTheWindowStillAsks) {
  Execute("ALTER TABLE TorbLeaNotes RENAME TO TorbLeaNotesGone");
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  Ask(As(2, 7, 10070), [&](frmQuestions& q) {
    EXPECT_TRUE(Question(q, "optYes1County").no->isChecked());
    q.cmdCancel->click();
  });
  ASSERT_EQ(dialogs_.Prompts().size(), 2u);
  EXPECT_NE(dialogs_.Prompts()[0].text.find("Source: frmQuestions\r\nProcedure: Form_Load"), std::string::npos);
}

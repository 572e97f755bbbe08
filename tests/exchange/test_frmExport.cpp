// The export window: its trees for each logon group, the presses and keys
// that change a node's state, and the start command's checks, questions
// and hand-over to the export run.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "ExportFixture.h"
#include "modGlobals.h"
#include "ui/Twips.h"

namespace {

constexpr const char* kCountyOffice = "002:County Offices of Education:Cedar County Office of Education";
const std::vector<std::string> kCountyForms = {
    "027:County Offices of Education:Screen EDS_CS", "089:County Offices of Education:Screen SPEDTAXALLOC",
    "029:County Offices of Education:Screen Tax", "030:County Offices of Education:Screen TAXMISC",
    "031:County Offices of Education:Screen TAXOLD"};

std::vector<std::string> With(std::vector<std::string> head, const std::vector<std::string>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

}  // namespace

// --- Loading ----------------------------------------------------------------------------

TEST_F(ExportTest, EachLogonGroupSeesItsTreesWithEveryNodeUnchosen) {
  const std::vector<std::string> programTop = {"root", "County Offices of Education", "County Offices of Education-Tax"};
  const struct {
    const char* what;
    Logon logon;
    std::vector<std::string> agencies;
    std::vector<std::string> programs;
  } cases[] = {
      {"a county office", As(2, 7, 10070), {"root", "County Offices of Education", kCountyOffice},
       With(programTop, kCountyForms)},
      {"a county auditor, without forms 89 and 30", As(7, 7, 10070),
       {"root", "County Offices of Education", kCountyOffice},
       With(programTop, {kCountyForms[0], kCountyForms[2], kCountyForms[4]})},
      {"a county office whose current agency is a district", As(2, 7, 71001), {"root"}, With(programTop, kCountyForms)},
      {"a district", As(3, 7, 71001), {"root"}, {"root"}},
      {"a charter school", As(4, 7, 71002, 7100201), {"root"}, {"root"}},
      {"a SELPA", As(5, 7, 71005), {"root"}, {"root"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    frmExport& w = OpenExport(c.logon);
    const ExportSelection& s = w.Selection();
    EXPECT_EQ(Keys(s.tvwLEA), c.agencies);
    EXPECT_EQ(Keys(s.tvwProgram), c.programs);
    EXPECT_EQ(States(s.tvwLEA), std::string(c.agencies.size(), 'N'));
    EXPECT_EQ(States(s.tvwProgram), std::string(c.programs.size(), 'N'));
    EXPECT_EQ(w.tvwLEA->topLevelItemCount(), 1);
    EXPECT_EQ(s.intLeaRowCount, static_cast<std::int16_t>(c.agencies.size() - 1));
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(ExportTest, TheCountyOfficesNodeAndRowCarryItsDirectoryValues) {
  frmExport& w = OpenExport(As(2, 7, 10070));
  const ExportSelection& s = w.Selection();
  EXPECT_EQ(Item(*w.tvwLEA, 3).text(0).toStdString(), "10070   Cedar County Office of Education");
  EXPECT_EQ(s.arrLeaTree.Row(2), (std::vector<std::string>{"10070", "0000000", "Cedar County Office of Education", "",
                                                           "7", "No", "2", "R7-01", "7", "0"}));
  for (int row : {0, 1}) {
    EXPECT_EQ(s.arrLeaTree.At(0, row), "DUMMY");
    EXPECT_EQ(s.arrLeaTree.At(9, row), "0");
  }
  EXPECT_EQ(Item(*w.tvwProgram, 6).text(0).toStdString(), "Screen Tax");
  // The top nodes and the program kind expanded, the agency kind and the
  // Tax group collapsed; every picture the empty box.
  EXPECT_TRUE(Item(*w.tvwLEA, 1).isExpanded());
  EXPECT_FALSE(Item(*w.tvwLEA, 2).isExpanded());
  EXPECT_TRUE(Item(*w.tvwProgram, 2).isExpanded());
  EXPECT_FALSE(Item(*w.tvwProgram, 3).isExpanded());
  EXPECT_EQ(Item(*w.tvwProgram, 6).icon(0).pixmap(14, 14).toImage(),
            frmExport::StatePicture(NodeState::None).toImage());
  EXPECT_EQ(w.windowTitle().toStdString(), "Export Certified");
  EXPECT_EQ(w.tvwProgram->geometry(), QRect(ui::TwipsToPixelsX(4800), ui::TwipsToPixelsY(240),
                                            ui::TwipsToPixelsX(4335), ui::TwipsToPixelsY(4695)));
}

TEST_F(ExportTest, AFailingQueryIsReportedAndLeavesTheTopNodes) {
  Execute("ALTER TABLE VHO_TORB_FORMS RENAME TO VHO_TORB_FORMS_GONE");
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  frmExport& w = OpenExport(As(2, 7, 10070));
  EXPECT_EQ(dialogs_.LastPrompt().title, "Exception");
  EXPECT_NE(dialogs_.LastPrompt().text.find("Source: frmExport\r\nProcedure: PopulatePrograms"), std::string::npos);
  EXPECT_EQ(Keys(w.Selection().tvwProgram), (std::vector<std::string>{"root", "County Offices of Education"}));
  EXPECT_EQ(Keys(w.Selection().tvwLEA).size(), 3u);
}

// --- Presses and keys ---------------------------------------------------------------------

TEST_F(ExportTest, PressesOnPicturesAndTheSpaceBarChangeStatesAndNothingElseDoes) {
  // Program tree nodes: root, kind, Tax, forms 27, 89, 29, 30, 31.
  const struct {
    const char* what;
    bool onlyForm29;
    std::function<void(QTreeWidget&)> user;
    const char* states;
  } cases[] = {
      {"the picture of the only form", true, [](QTreeWidget& t) { PressPicture(t, 4); }, "AAAA"},
      {"the picture of one of five forms", false, [](QTreeWidget& t) { PressPicture(t, 6); }, "SSSNNANN"},
      {"the top node's picture at Some", false,
       [](QTreeWidget& t) {
         PressPicture(t, 6);
         PressPicture(t, 1);
       },
       "NNNNNNNN"},
      {"the top node's picture at None", false, [](QTreeWidget& t) { PressPicture(t, 1); }, "AAAAAAAA"},
      {"the kind's picture at Some", false,
       [](QTreeWidget& t) {
         PressPicture(t, 4);
         PressPicture(t, 2);
       },
       "AAAAAAAA"},
      {"a form's text", false, [](QTreeWidget& t) { PressText(t, 6); }, "NNNNNNNN"},
      {"the kind's expander, then the top node's picture", false,
       [](QTreeWidget& t) {
         PressExpander(t, 2);
         EXPECT_FALSE(Item(t, 2).isExpanded());
         PressPicture(t, 1);
       },
       "AAAAAAAA"},
      {"the top node's picture after the kind was collapsed by key", false,
       [](QTreeWidget& t) {
         t.setCurrentItem(&Item(t, 2));
         QTest::keyClick(&t, Qt::Key_Left);
         ASSERT_FALSE(Item(t, 2).isExpanded());
         PressPicture(t, 1);
       },
       "NNNNNNNN"},
      {"the top node's picture the click after that", false,
       [](QTreeWidget& t) {
         t.setCurrentItem(&Item(t, 2));
         QTest::keyClick(&t, Qt::Key_Left);
         PressPicture(t, 1);
         PressPicture(t, 1);
       },
       "AAAAAAAA"},
      {"letters typed on a form", false,
       [](QTreeWidget& t) {
         t.setCurrentItem(&Item(t, 6));
         QTest::keyClicks(&t, "Sx");
         EXPECT_EQ(t.currentItem(), &Item(t, 6)) << "typing moves nothing";
       },
       "NNNNNNNN"},
      {"the space bar on a form", false,
       [](QTreeWidget& t) {
         t.setCurrentItem(&Item(t, 6));
         QTest::keyClick(&t, Qt::Key_Space);
       },
       "SSSNNANN"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.onlyForm29) Execute("DELETE FROM VHO_TORB_FORMS WHERE FORM_NO <> 29");
    frmExport& w = OpenExport(As(2, 7, 10070));
    c.user(*w.tvwProgram);
    EXPECT_EQ(States(w.Selection().tvwProgram), c.states);
    if (c.onlyForm29) UseFormCatalogue();
  }
  // The pictures follow the states.
  frmExport& w = OpenExport(As(2, 7, 10070));
  PressPicture(*w.tvwProgram, 6);
  EXPECT_EQ(Item(*w.tvwProgram, 6).icon(0).pixmap(14, 14).toImage(), frmExport::StatePicture(NodeState::All).toImage());
  EXPECT_EQ(Item(*w.tvwProgram, 3).icon(0).pixmap(14, 14).toImage(), frmExport::StatePicture(NodeState::Some).toImage());
  // The agency tree follows the same rules.
  PressPicture(*w.tvwLEA, 3);
  EXPECT_EQ(States(w.Selection().tvwLEA), "AAA");
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

// --- The start command -----------------------------------------------------------------------

TEST_F(ExportTest, TheStartRefusesAnIncompleteChoiceInTheOrderOfItsChecks) {
  const struct {
    const char* what;
    Logon logon;
    std::function<void(frmExport&)> choose;
    const char* message;
    const char* title;
    const char* setup = "";
  } cases[] = {
      {"nothing chosen", As(2, 7, 10070), [](frmExport&) {}, "Select one or more LEA(s) and try again", "Levrona"},
      {"programs only", As(2, 7, 10070), [](frmExport& w) { PressPicture(*w.tvwProgram, 6); },
       "Select one or more LEA(s) and try again", "Levrona"},
      {"agencies only", As(2, 7, 10070), [](frmExport& w) { PressPicture(*w.tvwLEA, 1); },
       "Select one or more program(s) and try again", "Levrona"},
      {"a district, whose trees hold their top nodes only", As(3, 7, 71001), [](frmExport&) {},
       "Select one or more LEA(s) and try again", "Levrona"},
      {"programs chosen for unchosen county offices", As(2, 7, 10070),
       [](frmExport& w) {
         // The top node alone, as no press leaves it.
         w.Selection().tvwLEA.Node(1).state = NodeState::All;
         PressPicture(*w.tvwProgram, 6);
       },
       "Make proper selections and try again", "Levrona"},
      {"SELPAs with county offices", As(2, 7, 10070),
       [](frmExport& w) {
         SelectionTree& agencies = w.Selection().tvwLEA;
         agencies.Node(agencies.Add(1, "SELPA(s)", "SELPA(s)")).state = NodeState::All;
         PressPicture(*w.tvwLEA, 1);
         PressPicture(*w.tvwProgram, 1);
       },
       "SELPA data cannot be exported along with other data. ", "Export Certified"},
      {"a program tree without forms", As(2, 7, 10070),
       [](frmExport& w) {
         PressPicture(*w.tvwLEA, 1);
         PressPicture(*w.tvwProgram, 2);
         ASSERT_EQ(w.Selection().tvwProgram.Count(), 2);
       },
       "Select one or more program(s) and try again", "Levrona", "DELETE FROM VHO_TORB_FORMS"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Execute(c.setup);
    frmExport& w = OpenExport(c.logon);
    c.choose(w);
    dialogs_.ClearPrompts();
    dialogs_.AcknowledgeMessages(1);
    w.cmdStart->click();
    ASSERT_EQ(dialogs_.Prompts().size(), 1u) << "no questions, no run";
    EXPECT_EQ(dialogs_.LastPrompt().text, c.message);
    EXPECT_EQ(dialogs_.LastPrompt().title, c.title);
    EXPECT_EQ(dialogs_.LastPrompt().style, ui::vbInformation);
    EXPECT_TRUE(w.ExportRuns().empty());
  }
}

TEST_F(ExportTest, CancelledQuestionsExportNothingAndRestoreThePointer) {
  frmExport& w = OpenExport(As(2, 7, 10070));
  PressPicture(*w.tvwLEA, 1);
  PressPicture(*w.tvwProgram, 6);
  AnswerQuestions({}, true);
  w.cmdStart->click();
  EXPECT_TRUE(modGlobals::gblnQuestionsCancelled);
  EXPECT_TRUE(w.ExportRuns().empty());
  EXPECT_TRUE(MainWindow().calls.empty());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(w.Selection().arrLeaTree.At(9, 2), "0");
  EXPECT_EQ(States(w.Selection().tvwProgram), "SSSNNANN");
  EXPECT_TRUE(StoredAnswers().empty());
  dialogs_.ExpectAllUsed();
}

TEST_F(ExportTest, AnsweredQuestionsAreStoredAndTheRunGetsTheChoice) {
  const struct {
    const char* what;
    Logon logon;
    bool correction;
    std::vector<int> programPresses;
    const char* formNumbers;
    bool partial;
    const char* answersType;
  } cases[] = {
      {"part of the forms in correction mode", As(2, 7, 10070), true, {4, 6}, "(27,29)", true, "COUNTY"},
      {"everything", As(2, 7, 10070), false, {1}, "(27,89,29,30,31)", false, "COUNTY"},
      {"an auditor's forms", As(7, 7, 10070), false, {1}, "(27,29,31)", false, "TAX"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Execute("DELETE FROM TorbLeaNotes");
    frmExport& w = OpenExport(c.logon);
    MainWindow().correctionMarked = c.correction;
    PressPicture(*w.tvwLEA, 3);
    for (int node : c.programPresses) PressPicture(*w.tvwProgram, node);
    dialogs_.ClearPrompts();
    AnswerQuestions();
    // The run's report (the small catalogue's tax forms are of no agency
    // kind, so the run exports nothing).
    dialogs_.AnswerModal([](QWidget&) { return 0; });
    w.cmdStart->click();
    ASSERT_EQ(w.ExportRuns().size(), 1u);
    const frmExport::ExportArguments& run = w.ExportRuns()[0];
    EXPECT_EQ(run.strFormNumbers, c.formNumbers);
    EXPECT_FALSE(run.blnSelpaExport);
    EXPECT_EQ(run.blnPartialSelection, c.partial);
    EXPECT_EQ(run.blnPriorYearMode, c.correction);
    EXPECT_EQ(run.intProgramExportType, 2);
    EXPECT_EQ(w.Selection().arrLeaTree.At(9, 2), "1");
    ASSERT_EQ(StoredAnswers().size(), 1u);
    EXPECT_EQ(StoredAnswers()[0].substr(0, StoredAnswers()[0].find('|')), c.answersType);
    EXPECT_FALSE(modGlobals::gblnQuestionsCancelled);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(w.isEnabled());
    EXPECT_TRUE(w.isVisible()) << "the window stays open for another export";
    EXPECT_EQ(dialogs_.Prompts().size(), 2u) << "the questions and the report";
    ASSERT_NE(w.LastRun(), nullptr);
    EXPECT_TRUE(w.LastRun()->WrittenFile().empty());
  }
}

TEST_F(ExportTest, AfterTwoStartsOnlyTheSecondChoiceIsMarked) {
  frmExport& w = OpenExport(As(2, 7, 10070));
  // A second county office beside the first, as a tree of several offices
  // would hold it.
  ExportSelection& s = w.Selection();
  s.tvwLEA.Add(2, "003:County Offices of Education:Other", "Other");
  s.arrLeaTree.Grow(9, 3);
  const std::string other[] = {"10071", "0000000", "Other", "", "7", "No", "2", "", "7", "0"};
  for (int c = 0; c <= 9; ++c) s.arrLeaTree.At(c, 3) = other[c];
  s.intLeaRowCount = 3;
  PressPicture(*w.tvwProgram, 6);

  ExportSelection::ChangeStatus(s.tvwLEA, 3);
  AnswerQuestions();
  dialogs_.AnswerModal([](QWidget&) { return 0; });
  w.cmdStart->click();
  ExportSelection::ChangeStatus(s.tvwLEA, 3);
  ExportSelection::ChangeStatus(s.tvwLEA, 4);
  AnswerQuestions();
  dialogs_.AnswerModal([](QWidget&) { return 0; });
  w.cmdStart->click();

  ASSERT_EQ(w.ExportRuns().size(), 2u);
  EXPECT_EQ(s.arrLeaTree.At(9, 2), "0");
  EXPECT_EQ(s.arrLeaTree.At(9, 3), "1");
  s.GetSelectedALL();
  EXPECT_EQ(s.intSelectedLeaCount, 1);
  dialogs_.ExpectAllUsed();
}

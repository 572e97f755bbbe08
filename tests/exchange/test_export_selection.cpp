// The choice of the export window as a model: the state rules of a press,
// the rules that judge a choice before an export, and what it hands to the
// export run (form-number list, agency marks and rows, catalogue rows, the
// shared-program check, the name test).

#include <gtest/gtest.h>

#include <map>

#include "ExportFixture.h"
#include "ExportSelection.h"

namespace {

// A tree from lines "key<parent key" ("key" alone for a top node), the
// nodes' states given by key.
SelectionTree Tree(const std::vector<std::string>& lines, const std::map<std::string, NodeState>& states = {}) {
  SelectionTree tree;
  for (const std::string& line : lines) {
    const std::size_t at = line.find('<');
    const std::string key = line.substr(0, at);
    tree.Add(at == std::string::npos ? 0 : tree.Find(line.substr(at + 1)), key, key);
  }
  for (const auto& [key, state] : states) tree.Node(tree.Find(key)).state = state;
  return tree;
}

constexpr NodeState N = NodeState::None;
constexpr NodeState S = NodeState::Some;
constexpr NodeState A = NodeState::All;

const std::vector<std::string> kAgencyKinds = {"root", "County Offices of Education<root", "District(s)<root",
                                               "Charter School(s)<root", "SELPA(s)<root"};

// The program tree of the county offices: forms 027, 028 and 030.
const std::vector<std::string> kCountyForms = {
    "root", "County Offices of Education<root", "County Offices of Education-Tax<County Offices of Education",
    "027:County Offices of Education:A<County Offices of Education-Tax",
    "028:County Offices of Education:B<County Offices of Education-Tax",
    "030:County Offices of Education:C<County Offices of Education-Tax"};

}  // namespace

TEST(ExportSelectionRules, JudgeTheKindsAndCategoriesChosenCountingSomeAsChosen) {
  const struct {
    const char* what;
    std::map<std::string, NodeState> agencies;
    std::vector<std::string> programs;
    std::map<std::string, NodeState> programStates;
    bool balanced;
    std::int16_t exportType;
    bool topNodes;
  } cases[] = {
      {"county offices chosen, their programs not", {{"County Offices of Education", S}},
       {"root", "County Offices of Education<root"}, {}, false, 1, true},
      {"both unchosen", {}, {"root", "County Offices of Education<root"}, {}, true, 0, false},
      {"both chosen, partly and wholly", {{"County Offices of Education", A}},
       {"root", "County Offices of Education<root"}, {{"County Offices of Education", S}}, true, 1, true},
      {"programs chosen for unchosen SELPAs", {}, {"root", "SELPA<root"}, {{"SELPA", A}}, false, 0, false},
      {"a kind without its program node", {{"District(s)", A}}, {"root", "County Offices of Education<root"}, {},
       true, 1, true},
      {"SELPAs alone", {{"SELPA(s)", A}}, {"root", "SELPA<root"}, {{"SELPA", A}}, true, 2, false},
      {"SELPAs with charter schools", {{"SELPA(s)", S}, {"Charter School(s)", A}},
       {"root", "SELPA<root", "Charter<root"}, {{"SELPA", A}, {"Charter", A}}, true, 3, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const SelectionTree agencies = Tree(kAgencyKinds, c.agencies);
    const SelectionTree programs = Tree(c.programs, c.programStates);
    EXPECT_EQ(ExportSelection::TreesAreBalanced(agencies, programs), c.balanced);
    EXPECT_EQ(ExportSelection::GetExportType(agencies), c.exportType);
    EXPECT_EQ(ExportSelection::TopNodesSelected(agencies), c.topNodes);
  }
}

TEST(ExportSelectionRules, TheProgramExportTypeFollowsTheCategoriesChosen) {
  const std::vector<std::string> categories = {
      "root", "County Offices of Education<root", "County Offices of Education-Tax<County Offices of Education",
      "District<root", "District-Revenue Limits<District", "Charter<root", "SELPA<root"};
  const struct {
    std::map<std::string, NodeState> chosen;
    std::int16_t type;
  } cases[] = {
      {{{"County Offices of Education-Tax", A}}, 2},
      {{{"District-Revenue Limits", S}}, 4},
      {{{"County Offices of Education-Tax", A}, {"District-Revenue Limits", A}}, 4},
      {{{"Charter", A}, {"District-Revenue Limits", A}}, 3},
      {{{"County Offices of Education-Tax", A}, {"SELPA", S}}, 0},
      {{}, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExportSelection::GetProgramExportType(Tree(categories, c.chosen)), c.type) << c.chosen.size();
  }
}

TEST(ExportSelectionRules, NamesAreFoundIgnoringCaseAndNothingElse) {
  const struct {
    std::vector<std::string> list;
    const char* name;
    bool found;
  } cases[] = {
      {{"TAX", "ATTCS"}, "attcs", true},
      {{"ATTCS"}, "ATTCS ", false},
      {{}, "ATTCS", false},
  };
  for (const auto& c : cases) EXPECT_EQ(ExportSelection::bInArray(c.list, c.name), c.found) << c.name;
}

TEST(ExportSelectionStates, APressRunsDownToTheDescendantsAndUpToTheAncestors) {
  const struct {
    const char* what;
    std::vector<std::string> tree;
    std::map<std::string, NodeState> before;
    std::vector<std::string> presses;
    const char* states;  // in collection order
  } cases[] = {
      {"the only form", {"root", "County Offices of Education<root", "Tax<County Offices of Education", "029:x<Tax"},
       {}, {"029:x"}, "AAAA"},
      {"one of three forms", kCountyForms, {}, {"028:County Offices of Education:B"}, "SSSNAN"},
      {"the top node at Some clears the tree", kCountyForms, {}, {"028:County Offices of Education:B", "root"},
       "NNNNNN"},
      {"the top node at None chooses the tree", kCountyForms, {}, {"root"}, "AAAAAA"},
      {"a category at Some chooses its branch", kCountyForms, {},
       {"030:County Offices of Education:C", "County Offices of Education-Tax"}, "AAAAAA"},
      {"a chosen form pressed again", kCountyForms, {},
       {"030:County Offices of Education:C", "030:County Offices of Education:C"}, "NNNNNN"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SelectionTree tree = Tree(c.tree, c.before);
    for (const std::string& key : c.presses) ExportSelection::ChangeStatus(tree, tree.Find(key));
    EXPECT_EQ(ExportTest::States(tree), c.states);
  }
}

TEST(ExportSelectionHandOver, TheFormListHoldsTheWhollyChosenFormsInTreeOrder) {
  const struct {
    std::map<std::string, NodeState> chosen;
    const char* list;
  } cases[] = {
      {{{"027:County Offices of Education:A", A}, {"028:County Offices of Education:B", A}}, "(27,28)"},
      {{{"027:County Offices of Education:A", A}, {"County Offices of Education-Tax", S}}, "(27)"},
      {{{"County Offices of Education-Tax", A}, {"root", A}}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ExportSelection::GetSelectedFormNos(Tree(kCountyForms, c.chosen)), c.list);
}

TEST(ExportSelectionHandOver, OnlyAnUnchosenSharedFormOfTheAgencysKindIsInvalid) {
  ExportSelection s;
  s.tvwProgram = Tree(kCountyForms);
  const int form27 = s.tvwProgram.Find("027:County Offices of Education:A");
  const int form30 = s.tvwProgram.Find("030:County Offices of Education:C");
  EXPECT_TRUE(s.InvalidLeaSharedProgram(27, 2));
  EXPECT_FALSE(s.InvalidLeaSharedProgram(27, 3)) << "no district form 027 in the tree";
  EXPECT_FALSE(s.InvalidLeaSharedProgram(27, 5));
  EXPECT_FALSE(s.InvalidLeaSharedProgram(30, 2));
  s.tvwProgram.Node(form27).state = NodeState::All;
  EXPECT_FALSE(s.InvalidLeaSharedProgram(27, 2));
  s.tvwProgram.Node(form30).state = NodeState::All;
  EXPECT_FALSE(s.InvalidLeaSharedProgram(30, 2));
}

TEST(ExportSelectionHandOver, TheMarkedAgencyRowsAreAnsweredInRowOrderAndEachStartMarksAfresh) {
  ExportSelection s;
  s.tvwLEA = Tree({"root", "County Offices of Education<root", "002:a<County Offices of Education",
                   "003:b<County Offices of Education", "004:c<County Offices of Education"});
  s.arrLeaTree.Grow(9, 4);
  for (int r = 0; r <= 4; ++r) {
    s.arrLeaTree.At(0, r) = r < 2 ? "DUMMY" : "agency " + std::to_string(r);
    s.arrLeaTree.At(9, r) = "0";
  }
  s.intLeaRowCount = 4;
  EXPECT_EQ(s.GetSelectedALL().Dimensions(), 1) << "none marked: the empty result";
  EXPECT_EQ(s.intSelectedLeaCount, 0);

  s.tvwLEA.Node(3).state = s.tvwLEA.Node(5).state = NodeState::All;
  s.tvwLEA.Node(1).state = s.tvwLEA.Node(2).state = NodeState::Some;
  EXPECT_EQ(s.ArrangeSelectedLEAs(s.tvwLEA), "");
  SelectionArray chosen = s.GetSelectedALL();
  ASSERT_EQ(s.intSelectedLeaCount, 2);
  EXPECT_EQ(chosen.At(0, 0), "agency 2");
  EXPECT_EQ(chosen.At(0, 1), "agency 4");
  EXPECT_EQ(chosen.At(9, 1), "1");

  // Another start with another choice: only it is marked.
  s.tvwLEA.Node(3).state = s.tvwLEA.Node(5).state = NodeState::None;
  s.tvwLEA.Node(4).state = NodeState::All;
  s.ArrangeSelectedLEAs(s.tvwLEA);
  chosen = s.GetSelectedALL();
  ASSERT_EQ(s.intSelectedLeaCount, 1);
  EXPECT_EQ(chosen.At(0, 0), "agency 3");
}

TEST_F(ExportTest, TheCatalogueRowsOfTheListComeByOrderNumberAndTheirCountAccumulates) {
  ExportSelection s;
  SelectionArray rows = s.GetSelectedProgramALL("(30,27,29)");
  ASSERT_EQ(s.intSelectedProgramCount, 3);
  EXPECT_EQ(rows.Row(0), (std::vector<std::string>{"Screen Tax", "29", "Tax", "No", "1"}));
  EXPECT_EQ(rows.At(1, 1), "30");
  EXPECT_EQ(rows.At(1, 2), "27");
  s.GetSelectedProgramALL("(27)");
  EXPECT_EQ(s.intSelectedProgramCount, 4) << "the run resets the count, not the reader";
  EXPECT_EQ(s.GetSelectedProgramALL("(999)").Dimensions(), 1);
  EXPECT_EQ(s.intSelectedProgramCount, 4);

  // A list that names no forms is a failure of the reader, reported once.
  for (const char* list : {"", "27,28", "(27,x)"}) {
    dialogs_.AnswerMsgBox(ui::vbIgnore);
    EXPECT_EQ(s.GetSelectedProgramALL(list).Dimensions(), 1) << list;
    EXPECT_NE(dialogs_.LastPrompt().text.find("Procedure: GetSelectedProgramALL"), std::string::npos);
  }
  EXPECT_EQ(s.intSelectedProgramCount, 4);
  dialogs_.ExpectAllUsed();
}

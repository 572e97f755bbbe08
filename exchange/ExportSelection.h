#pragma once
// What the export window's two trees hold and the rules that judge and read
// the choice, free of widgets so that the window, the export run and the
// tests share one model.
//
// tvwLEA, the agency tree: the top node "root" ("LEA(s)"), below it one kind
// node per agency kind that has agencies (this program lists only "County
// Offices of Education"), below that one node per agency, keyed by its
// position as three digits ("002:County Offices of Education:<name>").
// tvwProgram, the program tree: the top node "root" ("Program(s)"), the kind
// node "County Offices of Education", the category node
// "County Offices of Education-Tax" ("Tax") and one node per form, keyed by
// its number as three digits ("029:County Offices of Education:<name>").
// Only agency and form keys begin with a digit.
//
// arrLeaTree holds one row of ten texts per agency-tree node, in the order
// the nodes were added (a node's row is its Index - 1): for an agency its
// district code, its school code as seven digits, district and school names,
// county, prior-year correction mark, agency type, SELPA district region, AU
// county, and in column 9 its selection mark ("1" fully chosen, else "0");
// "DUMMY" and "0" for the top and kind nodes.

#include <cstdint>
#include <string>
#include <vector>

#include "SelectionArray.h"
#include "SelectionTree.h"
#include "clsGlobalParam.h"

class ExportSelection {
 public:
  // The key of both trees' top node.
  static constexpr const char* kRootKey = "root";

  SelectionTree tvwLEA;
  SelectionTree tvwProgram;

  SelectionArray arrLeaTree;
  // The highest row of arrLeaTree: the number of kind and agency nodes.
  std::int16_t intLeaRowCount = 0;
  // The rows that GetSelectedALL last answered.
  std::int16_t intSelectedLeaCount = 0;
  // The rows that GetSelectedProgramALL answered since the export run last
  // set it to 0.
  std::int16_t intSelectedProgramCount = 0;

  // --- Filling, from the opener's parameters (the logged-on group, the
  // --- current agency's codes, the year and the period text). Only groups 2
  // --- (county office) and 7 (county auditor) get more than the top nodes.
  // The agency tree and arrLeaTree: the county office whose codes are the
  // current agency's. Failures go to the error report.
  void PopulateLEAs(const clsGlobalParam& GParam);
  // The program tree: the county offices' tax forms of the period (for the
  // auditor without forms 89 and 30), by form name.
  void PopulatePrograms(const clsGlobalParam& GParam);

  // --- Selection states.
  // A press on a node: "None" and "Some" become "All", "All" becomes "None"
  // (the top node at "Some" becomes "None"); then the descendants follow it
  // and the ancestors follow their children.
  static void ChangeStatus(SelectionTree& tree, int nodeCurrent);
  // Every descendant, depth first, takes "All" when the node is "All" and
  // "None" otherwise.
  static void CheckChildrenNode(SelectionTree& tree, int nodeSource);
  // The parent becomes "Some" when a sibling (the node included) is "Some",
  // else "All" or "None" when all siblings agree and "Some" when they do
  // not; then the same for the parent, up to the top node.
  static void CheckParentNode(SelectionTree& tree, int nodeSource);

  // --- The rules of the start command (a kind node at "Some" counts as
  // --- selected, as at "All").
  // Every agency kind is selected exactly when its paired program kind is;
  // a pair whose program node is missing never unbalances the trees.
  static bool TreesAreBalanced(const SelectionTree& nodeLEA, const SelectionTree& nodeProgram);
  // 0 nothing, 1 other kinds only, 2 SELPAs only, 3 SELPAs with others.
  static std::int16_t GetExportType(const SelectionTree& nodeLEA);
  // 2 tax alone, 3 attendance without tax, 4 revenue limits without
  // attendance, 0 nothing or tax with attendance.
  static std::int16_t GetProgramExportType(const SelectionTree& nodePgm);
  // A county-office, district or charter-school kind node is selected.
  static bool TopNodesSelected(const SelectionTree& nodeLEA);

  // --- What the start command hands on, and what the export run reads.
  // The form-number list of the fully chosen form nodes in tree order,
  // "(27,28)"; "" when there is none.
  static std::string GetSelectedFormNos(const SelectionTree& nodeSource);
  // Writes the selection marks of arrLeaTree from the tree: "1" for a fully
  // chosen agency node, "0" for every other row. Answers "".
  std::string ArrangeSelectedLEAs(const SelectionTree& nodeSource);
  // The marked rows of arrLeaTree with their ten columns, in row order, or
  // the empty result; sets intSelectedLeaCount.
  SelectionArray GetSelectedALL();
  // The catalogue rows of the listed forms by OrderNo: display name, number,
  // form name, "No" and program type; adds their number to
  // intSelectedProgramCount. The empty result when none is found.
  SelectionArray GetSelectedProgramALL(const std::string& strFormNumbers);
  // A form that a district (agency type 3) or county office (2) shares with
  // the other kind is left unchosen in the program tree for that kind. Only
  // forms 27, 28, 94, 95 and 212 are shared.
  bool InvalidLeaSharedProgram(std::int16_t FormNo, std::int16_t LeaType);
  // An element equals the text, ignoring letter case (and nothing else).
  static bool bInArray(const std::vector<std::string>& arrList, const std::string& strSearch);
};

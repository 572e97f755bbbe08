// The export window's choice: filling the two trees, the state rules of a
// press, the rules that judge a choice before an export, and the readers
// that hand it to the export run.

#include "ExportSelection.h"

#include <algorithm>
#include <cctype>

#include "db/Recordset.h"
#include "db/SqlText.h"
#include "modGlobals.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

using db::Param;
using db::SqlText;
using vb::Variant;

namespace {

constexpr const char* kModule = "frmExport";

constexpr const char* kCountyOffices = "County Offices of Education";
constexpr const char* kTaxGroupKey = "County Offices of Education-Tax";
// The rows of arrLeaTree that are no agency.
constexpr const char* kDummy = "DUMMY";
constexpr int kLastLeaColumn = 9;
constexpr int kMarkColumn = 9;
constexpr int kLastProgramColumn = 4;

// --- The rules' keys ----------------------------------------------------------------------

// The agency kinds and the program kinds they pair with.
struct KindPair {
  const char* agencyKey;
  const char* programKey;
};
constexpr KindPair kKindPairs[] = {
    {"County Offices of Education", "County Offices of Education"},
    {"District(s)", "District"},
    {"Charter School(s)", "Charter"},
    {"SELPA(s)", "SELPA"},
};

// The agency kinds other than SELPAs, and the SELPA kind.
constexpr const char* kOtherKinds[] = {"County Offices of Education", "District(s)", "Charter School(s)"};
constexpr const char* kSelpaKind = "SELPA(s)";

// The program nodes that mark a category, the first line that names a key
// counting.
enum class Category { Tax, Attendance, Revenue };
struct CategoryKey {
  const char* key;
  Category category;
};
constexpr CategoryKey kCategoryKeys[] = {
    {"County Offices of Education-Tax", Category::Tax},
    {"County Offices of Education-Attendance", Category::Attendance},
    {"Charter", Category::Attendance},
    {"SELPA", Category::Attendance},
    {"County Offices of Education-Revenue Limits", Category::Revenue},
    {"District-Revenue Limits", Category::Revenue},
    {"District-Attendance", Category::Attendance},
};
// The program export type of the categories found (revenue limits found
// with attendance do not count).
struct ProgramExportType {
  bool tax, attendance, revenue;
  std::int16_t answer;
};
constexpr ProgramExportType kProgramExportTypes[] = {
    {false, false, false, 0}, {true, false, false, 2}, {false, false, true, 4},
    {true, false, true, 4},   {false, true, false, 3}, {true, true, false, 0},
};

// The forms that a county office and its districts share, and the
// category text (its first five letters) of each agency type's form nodes.
constexpr std::int16_t kSharedForms[] = {27, 28, 94, 95, 212};
struct SharedKind {
  std::int16_t leaType;
  const char* category;
};
constexpr SharedKind kSharedKinds[] = {{3, "Distr"}, {2, "Count"}};

// --- Filling ----------------------------------------------------------------------------

bool Fills(const clsGlobalParam& GParam) { return GParam.LogonUserGroup == 2 || GParam.LogonUserGroup == 7; }

// The form query of each group that fills the program tree.
struct FormQuery {
  std::int32_t group;
  const char* where;
};
constexpr FormQuery kFormQueries[] = {
    {2, "SELECT * FROM VHO_TORB_FORMS WHERE COE = 'Y' AND CATEGORY = 'T'"},
    {7, "SELECT * FROM VHO_TORB_FORMS WHERE COE = 'Y' AND CATEGORY = 'T' AND FORM_NO NOT IN (89, 30)"},
};

db::RecordsetPtr Rows(const SqlText& q) { return db::Recordset::Query(q.Sql(), modGlobals::SharedConnection(), q.Params()); }

// The three digits that begin agency and form keys.
std::string Numbered(int number) { return vb::Format(Variant(number), "000"); }

// A key's first three characters are digits: an agency or form node.
bool HasNumber(const std::string& key) {
  return key.size() >= 3 && std::all_of(key.begin(), key.begin() + 3, [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}
int NumberOf(const std::string& key) { return std::stoi(key.substr(0, 3)); }

// The numbers of a form-number list "(27,28)"; a list of another shape is
// an invalid statement, as the query it stands in would be.
std::vector<Variant> FormNumbersOf(const std::string& list) {
  auto invalid = [&] {
    vb::Raise(vb::err::SqlError, "The form-number list \"" + list + "\" names no forms.");
  };
  if (list.size() < 3 || list.front() != '(' || list.back() != ')') invalid();
  std::vector<Variant> numbers;
  std::size_t start = 1;
  for (;;) {
    const std::size_t comma = std::min(list.find(',', start), list.size() - 1);
    const std::string item = list.substr(start, comma - start);
    if (item.empty() || !std::all_of(item.begin(), item.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
      invalid();
    numbers.emplace_back(vb::CLng(Variant(item)));
    if (comma == list.size() - 1) break;
    start = comma + 1;
  }
  return numbers;
}

}  // namespace

// --- Filling -----------------------------------------------------------------------------

void ExportSelection::PopulateLEAs(const clsGlobalParam& GParam) {
  Trap trap(kModule, "PopulateLEAs");
  int root = 0;
  const bool rooted = trap([&] {
    root = tvwLEA.Add(0, kRootKey, "LEA(s)", true);
    arrLeaTree.Grow(kLastLeaColumn, 0);
    arrLeaTree.At(0, 0) = kDummy;
    arrLeaTree.At(kMarkColumn, 0) = "0";
  });
  if (!rooted || !Fills(GParam)) return;

  db::RecordsetPtr agencies;
  trap([&] {
    SqlText q;
    q << "SELECT * FROM KRN_LEAS WHERE COUNTY_ID = " << Param(Variant(GParam.CountyID))
      << " AND SCHOOL_DISTRICT_ID = " << Param(Variant(GParam.DistrictID))
      << " AND FISCAL_YEAR = " << Param(Variant(GParam.ReportYear))
      << " AND SCHOOL_ID = " << Param(Variant(GParam.SchoolId)) << " AND LEA_TYPE = 2 AND STAT_TYPE = 'OPEN'";
    agencies = Rows(q);
  });
  if (!agencies || agencies->RecordCount() < 1) return;

  int category = 0;
  const bool kinded = trap([&] {
    category = tvwLEA.Add(root, kCountyOffices, kCountyOffices);
    arrLeaTree.Grow(kLastLeaColumn, category - 1);
    arrLeaTree.At(0, category - 1) = kDummy;
    arrLeaTree.At(kMarkColumn, category - 1) = "0";
    intLeaRowCount = static_cast<std::int16_t>(category - 1);
  });
  if (!kinded) return;
  for (; !agencies->Eof(); agencies->MoveNext()) {
    trap([&] {
      const db::Recordset& rs = *agencies;
      const std::string name = vb::TextOf(rs.Value("SCHOOL_DISTRICT_NAME"));
      const std::string row[] = {
          vb::CStr(rs.Value("SCHOOL_DISTRICT_ID")),
          vb::Format(rs.Value("SCHOOL_ID"), "0000000"),
          name,
          vb::TextOf(rs.Value("SCHOOL_NAME")),
          vb::CStr(rs.Value("COUNTY_ID")),
          vb::TextOf(rs.Value("PY_LEA_CORRECTED")),
          vb::TextOf(rs.Value("LEA_TYPE")),
          vb::TextOf(rs.Value("SELPA_DISTRICTREGION")),
          vb::TextOf(rs.Value("AU_COUNTY")),
          "0",
      };
      const int node = tvwLEA.Add(category, Numbered(tvwLEA.Count()) + ":" + kCountyOffices + ":" + name,
                                  row[0] + "   " + name);
      arrLeaTree.Grow(kLastLeaColumn, node - 1);
      for (int c = 0; c <= kLastLeaColumn; ++c) arrLeaTree.At(c, node - 1) = row[c];
      intLeaRowCount = static_cast<std::int16_t>(node - 1);
    });
  }
}

void ExportSelection::PopulatePrograms(const clsGlobalParam& GParam) {
  Trap trap(kModule, "PopulatePrograms");
  int root = 0;
  if (!trap([&] { root = tvwProgram.Add(0, kRootKey, "Program(s)", true); }) || !Fills(GParam)) return;
  int category = 0;
  if (!trap([&] { category = tvwProgram.Add(root, kCountyOffices, kCountyOffices, true); })) return;

  db::RecordsetPtr forms;
  trap([&] {
    SqlText q;
    for (const FormQuery& query : kFormQueries)
      if (query.group == GParam.LogonUserGroup) q << query.where;
    q << " AND REPORTING_PERIOD LIKE '%' || " << Param(Variant(GParam.PeriodText)) << " || '%' ORDER BY FORM_NAME";
    forms = Rows(q);
  });
  if (!forms || forms->Eof()) return;
  int group = 0;
  if (!trap([&] { group = tvwProgram.Add(category, kTaxGroupKey, "Tax"); })) return;
  for (; !forms->Eof(); forms->MoveNext()) {
    trap([&] {
      const std::string name = vb::TextOf(forms->Value("FORM_DISPLAY_NAME"));
      tvwProgram.Add(group, Numbered(vb::CLng(forms->Value("FORM_NO"))) + ":" + kCountyOffices + ":" + name, name);
    });
  }
}

// --- Selection states ----------------------------------------------------------------------

void ExportSelection::ChangeStatus(SelectionTree& tree, int nodeCurrent) {
  SelectionNode& node = tree.Node(nodeCurrent);
  if (node.key == kRootKey && node.state == NodeState::Some) {
    node.state = NodeState::None;
  } else {
    node.state = node.state == NodeState::All ? NodeState::None : NodeState::All;
  }
  CheckChildrenNode(tree, nodeCurrent);
  CheckParentNode(tree, nodeCurrent);
}

void ExportSelection::CheckChildrenNode(SelectionTree& tree, int nodeSource) {
  const SelectionNode& node = tree.Node(nodeSource);
  const NodeState state = node.state == NodeState::All ? NodeState::All : NodeState::None;
  for (int child : node.children) {
    tree.Node(child).state = state;
    CheckChildrenNode(tree, child);
  }
}

void ExportSelection::CheckParentNode(SelectionTree& tree, int nodeSource) {
  // The top node has no parent to follow it.
  const int parent = tree.Node(nodeSource).parent;
  if (parent == 0) return;
  bool all = false, none = false, some = false;
  for (int sibling : tree.Node(parent).children) {
    const NodeState state = tree.Node(sibling).state;
    if (state == NodeState::Some) {
      some = true;
      break;
    }
    (state == NodeState::All ? all : none) = true;
  }
  tree.Node(parent).state = some || (all && none) ? NodeState::Some : all ? NodeState::All : NodeState::None;
  CheckParentNode(tree, parent);
}

// --- The rules of the start command ------------------------------------------------------------

bool ExportSelection::TreesAreBalanced(const SelectionTree& nodeLEA, const SelectionTree& nodeProgram) {
  for (int a = 1; a <= nodeLEA.Count(); ++a) {
    const SelectionNode& agency = nodeLEA.Node(a);
    const auto pair = std::find_if(std::begin(kKindPairs), std::end(kKindPairs),
                                   [&](const KindPair& p) { return agency.key == p.agencyKey; });
    if (pair == std::end(kKindPairs)) continue;
    for (int p = 1; p <= nodeProgram.Count(); ++p) {
      const SelectionNode& program = nodeProgram.Node(p);
      if (program.key == pair->programKey && Selected(program.state) != Selected(agency.state)) return false;
    }
  }
  return true;
}

std::int16_t ExportSelection::GetExportType(const SelectionTree& nodeLEA) {
  bool other = false, selpa = false;
  for (int i = 1; i <= nodeLEA.Count(); ++i) {
    const SelectionNode& node = nodeLEA.Node(i);
    if (!Selected(node.state)) continue;
    if (std::any_of(std::begin(kOtherKinds), std::end(kOtherKinds), [&](const char* key) { return node.key == key; }))
      other = true;
    else if (node.key == kSelpaKind)
      selpa = true;
  }
  return other && selpa ? 3 : other ? 1 : selpa ? 2 : 0;
}

std::int16_t ExportSelection::GetProgramExportType(const SelectionTree& nodePgm) {
  bool found[3] = {false, false, false};
  for (int i = 1; i <= nodePgm.Count(); ++i) {
    const SelectionNode& node = nodePgm.Node(i);
    const auto line = std::find_if(std::begin(kCategoryKeys), std::end(kCategoryKeys),
                                   [&](const CategoryKey& k) { return node.key == k.key; });
    if (line != std::end(kCategoryKeys) && Selected(node.state)) found[static_cast<int>(line->category)] = true;
  }
  bool& revenue = found[static_cast<int>(Category::Revenue)];
  const bool tax = found[static_cast<int>(Category::Tax)];
  const bool attendance = found[static_cast<int>(Category::Attendance)];
  if (attendance) revenue = false;
  for (const ProgramExportType& row : kProgramExportTypes)
    if (row.tax == tax && row.attendance == attendance && row.revenue == revenue) return row.answer;
  return 0;
}

bool ExportSelection::TopNodesSelected(const SelectionTree& nodeLEA) {
  for (int i = 1; i <= nodeLEA.Count(); ++i) {
    const SelectionNode& node = nodeLEA.Node(i);
    if (Selected(node.state) &&
        std::any_of(std::begin(kOtherKinds), std::end(kOtherKinds), [&](const char* key) { return node.key == key; }))
      return true;
  }
  return false;
}

// --- What the start command hands on ------------------------------------------------------------

std::string ExportSelection::GetSelectedFormNos(const SelectionTree& nodeSource) {
  std::string list;
  for (int i = 1; i <= nodeSource.Count(); ++i) {
    const SelectionNode& node = nodeSource.Node(i);
    if (HasNumber(node.key) && node.state == NodeState::All) list += std::to_string(NumberOf(node.key)) + ",";
  }
  if (list.empty()) return list;
  list.pop_back();
  return "(" + list + ")";
}

std::string ExportSelection::ArrangeSelectedLEAs(const SelectionTree& nodeSource) {
  for (int i = 1; i <= nodeSource.Count(); ++i) {
    const SelectionNode& node = nodeSource.Node(i);
    const bool chosen = !node.key.empty() && std::isdigit(static_cast<unsigned char>(node.key.front())) &&
                        node.state == NodeState::All;
    arrLeaTree.At(kMarkColumn, i - 1) = chosen ? "1" : "0";
  }
  return {};
}

SelectionArray ExportSelection::GetSelectedALL() {
  Trap trap(kModule, "GetSelectedALL");
  SelectionArray result;
  intSelectedLeaCount = 0;
  for (int r = 0; r <= intLeaRowCount; ++r) {
    // A mark that cannot be read is no mark.
    bool marked = false;
    trap([&] { marked = vb::CDbl(Variant(arrLeaTree.At(kMarkColumn, r))) == 1; });
    if (!marked) continue;
    trap([&] {
      result.Grow(kLastLeaColumn, intSelectedLeaCount);
      for (int c = 0; c <= kLastLeaColumn; ++c) result.At(c, intSelectedLeaCount) = arrLeaTree.At(c, r);
      ++intSelectedLeaCount;
    });
  }
  return intSelectedLeaCount == 0 ? SelectionArray::EmptyResult() : result;
}

SelectionArray ExportSelection::GetSelectedProgramALL(const std::string& strFormNumbers) {
  Trap trap(kModule, "GetSelectedProgramALL");
  db::RecordsetPtr forms;
  trap([&] {
    const std::vector<Variant> numbers = FormNumbersOf(strFormNumbers);
    SqlText q;
    q << "SELECT * FROM VHO_TORB_FORMS WHERE FORM_NO IN (";
    for (std::size_t i = 0; i < numbers.size(); ++i) q << (i ? ", " : "") << Param(numbers[i]);
    q << ") ORDER BY OrderNo";
    forms = Rows(q);
  });
  SelectionArray result;
  int n = 0;
  for (; forms && !forms->Eof(); forms->MoveNext()) {
    trap([&] { result.Grow(kLastProgramColumn, n); });
    static constexpr const char* kColumns[] = {"FORM_DISPLAY_NAME", "FORM_NO", "FORM_NAME", nullptr, "PROGRAM_TYPE"};
    for (int c = 0; c <= kLastProgramColumn; ++c)
      trap([&] { result.At(c, n) = kColumns[c] ? vb::CStr(forms->Value(kColumns[c])) : "No"; });
    ++n;
    ++intSelectedProgramCount;
  }
  return n == 0 ? SelectionArray::EmptyResult() : result;
}

bool ExportSelection::InvalidLeaSharedProgram(std::int16_t FormNo, std::int16_t LeaType) {
  Trap trap(kModule, "InvalidLeaSharedProgram");
  bool invalid = false;
  trap([&] {
    if (std::find(std::begin(kSharedForms), std::end(kSharedForms), FormNo) == std::end(kSharedForms)) return;
    const auto kind = std::find_if(std::begin(kSharedKinds), std::end(kSharedKinds),
                                   [&](const SharedKind& k) { return k.leaType == LeaType; });
    if (kind == std::end(kSharedKinds)) return;
    for (int i = 1; i <= tvwProgram.Count(); ++i) {
      const SelectionNode& node = tvwProgram.Node(i);
      if (HasNumber(node.key) && NumberOf(node.key) == FormNo && vb::Mid(node.key, 5, 5) == kind->category &&
          node.state == NodeState::None) {
        invalid = true;
        return;
      }
    }
  });
  return invalid;
}

bool ExportSelection::bInArray(const std::vector<std::string>& arrList, const std::string& strSearch) {
  return std::any_of(arrList.begin(), arrList.end(),
                     [&](const std::string& element) { return vb::TextEquals(element, strSearch); });
}

#include "ExportFixture.h"

#include <QApplication>
#include <QTest>

#include "Utilities.h"
#include "modGlobals.h"
#include "vb/Conversions.h"

void ExportTest::SetUp() {
  MainWindowTest::SetUp();
  UseFormCatalogue();
  modGlobals::gblnQuestionsCancelled = false;
}

void ExportTest::TearDown() {
  delete export_.data();
  frmQuestions::ReleaseShared();
  frmMain::SetExportWindow(nullptr);
  Utilities::ScreenMouseEnabled(true);
  MainWindowTest::TearDown();
}

frmExport& ExportTest::OpenExport(const Logon& logon) {
  LogOn(logon);
  modGlobals::gobjGlobalParam->PeriodText = "P-2";
  params_ = *modGlobals::gobjGlobalParam;
  link_ = std::make_shared<RecordingMainWindow>();
  delete export_.data();
  export_ = new frmExport(link_);
  export_->GlobeParam(params_);
  export_->ShowModeless();
  return *export_;
}

std::string ExportTest::States(const SelectionTree& tree) {
  std::string letters;
  for (int i = 1; i <= tree.Count(); ++i) letters += StateKey(tree.Node(i).state)[0];
  return letters;
}

std::vector<std::string> ExportTest::Keys(const SelectionTree& tree) {
  std::vector<std::string> keys;
  for (int i = 1; i <= tree.Count(); ++i) keys.push_back(tree.Node(i).key);
  return keys;
}

QTreeWidgetItem& ExportTest::Item(QTreeWidget& tree, int node) {
  for (QTreeWidgetItemIterator it(&tree); *it; ++it)
    if ((*it)->data(0, Qt::UserRole).toInt() == node) return **it;
  throw std::runtime_error("no item of node " + std::to_string(node));
}

namespace {

// The item's row, its ancestors expanded first.
QRect Shown(QTreeWidget& tree, QTreeWidgetItem& item) {
  for (QTreeWidgetItem* up = item.parent(); up; up = up->parent()) up->setExpanded(true);
  tree.scrollToItem(&item);
  return tree.visualItemRect(&item);
}

}  // namespace

void ExportTest::PressPicture(QTreeWidget& tree, int node) {
  const QRect row = Shown(tree, Item(tree, node));
  QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(row.left() + 9, row.center().y()));
}

void ExportTest::PressText(QTreeWidget& tree, int node) {
  const QRect row = Shown(tree, Item(tree, node));
  QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(row.left() + 40, row.center().y()));
}

void ExportTest::PressExpander(QTreeWidget& tree, int node) {
  const QRect row = Shown(tree, Item(tree, node));
  QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(row.left() - tree.indentation() / 2, row.center().y()));
}

void ExportTest::AnswerQuestions(std::function<void(frmQuestions&)> answer, bool cancel) {
  dialogs_.AnswerModal([answer, cancel](QWidget& window) {
    auto& questions = dynamic_cast<frmQuestions&>(window);
    if (cancel) {
      questions.cmdCancel->click();
      return 0;
    }
    // The first visible panel's gate Yes.
    for (const char* gate : {"Option1", "Option4", "Option5", "Option9", "Option8"}) {
      auto* yes = window.findChild<QRadioButton*>(gate);
      if (yes && yes->parentWidget()->isVisibleTo(&window)) yes->click();
    }
    if (answer) answer(questions);
    questions.cmdOK->click();
    return 1;
  });
}

std::vector<std::string> ExportTest::StoredAnswers() {
  // One text per row, its values joined by "|" (Null as "").
  std::string columns;
  for (const char* column : {"TYPE", "COUNTY_ID || '-' || SCHOOL_DISTRICT_ID || '-' || SCHOOL_ID", "Qn1",
                             "Qn1Comments", "Qn2", "Qn2Comments", "Qn3", "Qn3Comments", "Qn4", "Qn4Comments",
                             "SCHOOL_DISTRICT_NAME", "SCHOOL_NAME"})
    columns += (columns.empty() ? "" : " || '|' || ") + std::string("COALESCE(") + column + ", '')";
  const db::RecordsetPtr rs = db::Recordset::Query(
      "SELECT " + columns + " AS ROW_TEXT FROM TorbLeaNotes ORDER BY TYPE, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID",
      OpenDatabase());
  std::vector<std::string> rows;
  for (; !rs->Eof(); rs->MoveNext()) rows.push_back(vb::TextOf(rs->Value(0)));
  return rows;
}

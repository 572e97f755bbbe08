#pragma once
// The export window ("Export Certified"): where a county office or county
// auditor chooses the certified data to export. The agency tree (tvwLEA) on
// the left lists the county office of the current agency, the program tree
// (tvwProgram) on the right the county offices' tax forms of the period;
// every node shows its selection state as a picture ("None", "Some",
// "All"). A press on a node's picture, or the space bar, changes the node's
// state, which runs down to its descendants and up to its ancestors.
// Export checks the choice, asks the certification questions (frmQuestions)
// and starts the export run (CertifiedExport), which writes the
// certified-data file into the Export folder and shows its report; the
// window stays open for another export until Cancel closes it.
//
// The main window opens it modally through the maker that Install puts in
// place, handing it its own parameters object (GlobeParam: the object
// itself, not a copy, which the window only reads) and itself as a
// MainWindowLink (the correction marks and the two lists). What the trees
// hold, and the rules that judge and read them, live in ExportSelection.

#include <QIcon>
#include <QPixmap>
#include <QTreeWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CertifiedExport.h"
#include "ExportSelection.h"
#include "MainWindowLink.h"
#include "clsGlobalParam.h"
#include "ui/Form.h"
#include "ui_frmExport.h"

class frmExport : public ui::Form, public Ui::frmExport {
  Q_OBJECT

 public:
  explicit frmExport(std::shared_ptr<MainWindowLink> mainWindow, QWidget* parent = nullptr);
  ~frmExport() override;

  // The opener's parameters object, read and never written; set through
  // GlobeParam before the window loads.
  clsGlobalParam* GParam = nullptr;
  void GlobeParam(clsGlobalParam& NewGParam) { GParam = &NewGParam; }

  // The two trees' choice and the agency rows (arrLeaTree and its counts).
  ExportSelection& Selection() { return selection_; }

  // Makes the main window's export command open a new export window, loaded,
  // on the main window's own parameters.
  static void Install();

  // The picture of a state, 14 pixels square: an empty box ("None"), a grey
  // box with a dark grey check mark ("Some"), a box with a black check mark
  // ("All").
  static QPixmap StatePicture(NodeState state);

  // --- Events of the trees. Mouse positions are in the tree's twips.
  void tvwLEA_MouseDown(int Button, int Shift, float X, float Y);
  void tvwProgram_MouseDown(int Button, int Shift, float X, float Y);
  void tvwLEA_Collapse(int node);
  void tvwProgram_Collapse(int node);
  // A press on a node's picture changes its state; a press on its text or
  // expander does not. After a node other than the top node was collapsed,
  // the next click leaves the top node alone.
  void tvwLEA_Click();
  void tvwProgram_Click();
  // Space changes the selected node's state; every typed character is
  // swallowed (KeyAscii set to 0), so that typing never moves the selection.
  void tvwLEA_KeyPress(std::int16_t& KeyAscii);
  void tvwProgram_KeyPress(std::int16_t& KeyAscii);

  // --- Commands.
  // Export: checks the choice (messages in this order: no agency, no
  // program, unbalanced trees, no agency kind or SELPAs with others, no
  // form), asks the certification questions and, when they are answered,
  // marks the chosen agencies and runs the export.
  void cmdStart_Click();
  void Cancel_Click();

  // The export run of the chosen forms (the form-number list, "(27,28)"):
  // writes the certified-data file and shows the run's report
  // (CertifiedExport).
  void ExportCertified(std::string& strFormNumbers, bool blnSelpaExport, bool blnPartialSelection,
                       bool blnPriorYearMode, std::int16_t intProgramExportType);
  // The arguments of every run so far, as the run received them.
  struct ExportArguments {
    std::string strFormNumbers;
    bool blnSelpaExport;
    bool blnPartialSelection;
    bool blnPriorYearMode;
    std::int16_t intProgramExportType;
  };
  const std::vector<ExportArguments>& ExportRuns() const { return exportRuns_; }
  // The last run (its file and report); nullptr before the first.
  const CertifiedExport* LastRun() const { return run_.get(); }
  // Runs since the last report of an empty run that exported nothing; an
  // empty run is repeated once while it is below 1.
  std::int16_t intEmptyRunCount = 0;

 protected:
  void Form_Load() override;

 private:
  // One tree as the window shows it: the widget, its model, its items by
  // node Index, and the key of the node last collapsed.
  struct TreeView {
    QTreeWidget* widget;
    SelectionTree* model;
    std::vector<QTreeWidgetItem*> items;  // items[Index - 1]
    std::string collapsedKey;
  };
  // Builds the widget's items from the model.
  void ShowTree(TreeView& view);
  // Every item's picture from its node's state.
  void Repaint(TreeView& view);
  void MouseDown(float X, float Y);
  void Collapse(TreeView& view, int node);
  void Click(TreeView& view, const char* procedure);
  void KeyPress(TreeView& view, std::int16_t& KeyAscii);
  // The node whose picture or text lies at a point of the tree (twips), 0
  // when none does; whether the point lies on the node's picture.
  int NodeAt(const TreeView& view, float X, float Y) const;
  bool OnPicture(const TreeView& view, int node, float X, float Y) const;

  std::shared_ptr<MainWindowLink> mainWindow_;
  // The three state pictures, by state.
  std::array<QIcon, 3> ImageList1;
  ExportSelection selection_;
  TreeView lea_;
  TreeView program_;
  // The position of the last mouse-button press in either tree, in twips.
  float sngMouseX = 0;
  float sngMouseY = 0;
  std::vector<ExportArguments> exportRuns_;
  std::unique_ptr<CertifiedExport> run_;
};

#pragma once
// The export window and the certification questions on the main window's
// small agency directory and form catalogue (MainWindowTest): Cedar County
// office 7-10070 with its districts, charter schools and SELPA, and the
// county offices' tax forms 27, 29, 30, 31 and 89 of P-2. The export window
// is opened on parameters as the main window holds them after a logon,
// with a recording stand-in for the main window; the questions answer from
// the shared window, released at the end.

#include <QTreeWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "MainWindowLink.h"
#include "frmExport.h"
#include "frmQuestions.h"

// Stands in for the main window: its correction marks, and every call on
// its lists ("Disconnect", "Connect", "Refresh(true)").
class RecordingMainWindow final : public MainWindowLink {
 public:
  bool correctionMarked = false;
  std::vector<std::string> calls;

  bool CorrectionMarked() const override { return correctionMarked; }
  void DisconnectTopandBottomGrid() override { calls.push_back("Disconnect"); }
  void ConnectTopandBottomGrid() override { calls.push_back("Connect"); }
  void RefreshTopandBottomGrid(bool bNoShowMessage) override {
    calls.push_back(bNoShowMessage ? "Refresh(true)" : "Refresh(false)");
  }
};

class ExportTest : public MainWindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Logs on and opens a new export window (shown, off screen) on a copy of
  // the logon's parameters in the period P-2.
  frmExport& OpenExport(const Logon& logon);
  frmExport& Export() { return *export_; }
  RecordingMainWindow& MainWindow() { return *link_; }


 public:
  // The state letters (N, S, A) of a tree's nodes in collection order.
  static std::string States(const SelectionTree& tree);
  // The node keys of a tree in collection order.
  static std::vector<std::string> Keys(const SelectionTree& tree);
  // Presses the left button on a node's picture, on its text, or on its
  // expander, as a user does; its ancestors are expanded first.
  static void PressPicture(QTreeWidget& tree, int node);
  static void PressText(QTreeWidget& tree, int node);
  static void PressExpander(QTreeWidget& tree, int node);
  static QTreeWidgetItem& Item(QTreeWidget& tree, int node);
  // A control of a window by name.
  template <class T>
  static T& Find(QWidget& window, const char* name) {
    T* control = window.findChild<T*>(name);
    if (!control) throw std::runtime_error(std::string("no control ") + name);
    return *control;
  }


 protected:
  // Queues a user of the questions window: answers the gate Yes, then does
  // `answer` and presses OK (or Cancel when `cancel`).
  void AnswerQuestions(std::function<void(frmQuestions&)> answer = {}, bool cancel = false);
  // The stored answers rows, "TYPE|county-district-school|Qn1|Qn1Comments|...|names".
  std::vector<std::string> StoredAnswers();

  clsGlobalParam params_;
  std::shared_ptr<RecordingMainWindow> link_;
  QPointer<frmExport> export_;
};

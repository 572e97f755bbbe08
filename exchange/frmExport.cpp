// The export window: its two trees with their state pictures, the click and
// keyboard rules, the start command and the opening from the main window.

#include "frmExport.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QStyle>

#include "Utilities.h"
#include "frmMain.h"
#include "frmMainLink.h"
#include "frmQuestions.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "ui/Pump.h"
#include "ui/Twips.h"
#include "vb/VbError.h"
#include "zelErrHandler.h"

using vb::Deref;

namespace {

constexpr const char* kModule = "frmExport";

constexpr const char* kSelectLEAs = "Select one or more LEA(s) and try again";
constexpr const char* kSelectPrograms = "Select one or more program(s) and try again";
constexpr const char* kUnbalanced = "Make proper selections and try again";
constexpr const char* kSelpaWithOthers = "SELPA data cannot be exported along with other data. ";
constexpr const char* kCaption = "Export Certified";

// The window's client area and its controls, in twips.
constexpr ui::TwipsPlace kPlaces[] = {
    {"frmExport", 0, 0, 9360, 5445},
    {"tvwLEA", 240, 240, 4335, 4695},
    {"tvwProgram", 4800, 240, 4335, 4695},
    {"cmdStart", 6720, 5040, 1152, 312},
    {"Cancel", 7983, 5040, 1152, 312},
};

// The state pictures are this many pixels square.
constexpr int kPicture = 14;

}  // namespace

frmExport::frmExport(std::shared_ptr<MainWindowLink> mainWindow, QWidget* parent)
    : ui::Form(parent), mainWindow_(std::move(mainWindow)) {
  setupUi(this);
  ui::UseLayoutFace(*this);
  ui::PlaceControls(*this, kPlaces);
  setFixedSize(size());
  for (NodeState state : {NodeState::None, NodeState::Some, NodeState::All})
    ImageList1[static_cast<std::size_t>(state)] = QIcon(StatePicture(state));
  lea_ = {tvwLEA, &selection_.tvwLEA, {}, {}};
  program_ = {tvwProgram, &selection_.tvwProgram, {}, {}};
  for (TreeView* view : {&lea_, &program_}) {
    view->widget->setIconSize(QSize(kPicture, kPicture));
    // A long name scrolls the tree sideways rather than being cut short.
    view->widget->header()->setStretchLastSection(false);
    view->widget->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    connect(view->widget, &QTreeWidget::itemCollapsed, this, [this, view](QTreeWidgetItem* item) {
      const int node = item->data(0, Qt::UserRole).toInt();
      view->model->Node(node).expanded = false;
      Collapse(*view, node);
    });
    connect(view->widget, &QTreeWidget::itemExpanded, this, [view](QTreeWidgetItem* item) {
      view->model->Node(item->data(0, Qt::UserRole).toInt()).expanded = true;
    });
  }
  auto twips = [](QPoint at) {
    return std::pair(static_cast<float>(ui::PixelsToTwipsX(at.x())), static_cast<float>(ui::PixelsToTwipsY(at.y())));
  };
  connect(tvwLEA, &ChoiceTree::MouseDown, this, [this, twips](int button, int shift, QPoint at) {
    const auto [x, y] = twips(at);
    tvwLEA_MouseDown(button, shift, x, y);
  });
  connect(tvwProgram, &ChoiceTree::MouseDown, this, [this, twips](int button, int shift, QPoint at) {
    const auto [x, y] = twips(at);
    tvwProgram_MouseDown(button, shift, x, y);
  });
  connect(tvwLEA, &ChoiceTree::Click, this, [this] { tvwLEA_Click(); });
  connect(tvwProgram, &ChoiceTree::Click, this, [this] { tvwProgram_Click(); });
  connect(tvwLEA, &ChoiceTree::KeyPress, this, [this](std::int16_t& key) { tvwLEA_KeyPress(key); });
  connect(tvwProgram, &ChoiceTree::KeyPress, this, [this](std::int16_t& key) { tvwProgram_KeyPress(key); });
  connect(cmdStart, &QPushButton::clicked, this, [this] { cmdStart_Click(); });
  connect(Cancel, &QPushButton::clicked, this, [this] { Cancel_Click(); });
}

frmExport::~frmExport() = default;

void frmExport::Install() {
  frmMain::SetExportWindow([]() -> std::unique_ptr<QWidget> {
    frmMain& main = Deref(qobject_cast<frmMain*>(ui::FindForm("frmMain")));
    auto window = std::make_unique<frmExport>(std::make_shared<frmMainLink>(main), &main);
    window->GlobeParam(Deref(main.GParam));
    window->Load();
    return window;
  });
}

QPixmap frmExport::StatePicture(NodeState state) {
  QPixmap picture(kPicture, kPicture);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing, false);
  const QColor box = state == NodeState::Some ? QColor(0xC0, 0xC0, 0xC0) : QColor(Qt::white);
  painter.setPen(QColor(0x40, 0x40, 0x40));
  painter.setBrush(box);
  painter.drawRect(1, 1, kPicture - 3, kPicture - 3);
  if (state != NodeState::None) {
    QPen tick(state == NodeState::Some ? QColor(0x50, 0x50, 0x50) : QColor(Qt::black));
    tick.setWidth(2);
    painter.setPen(tick);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPointF mark[] = {{3.5, 6.5}, {5.5, 9.0}, {10.5, 3.5}};
    painter.drawPolyline(mark, 3);
  }
  return picture;
}

// --- Loading --------------------------------------------------------------------------

void frmExport::Form_Load() {
  // No guard of its own: a failure passes to the step that opens the window.
  const clsGlobalParam& P = Deref(GParam);
  selection_.PopulateLEAs(P);
  selection_.PopulatePrograms(P);
  for (TreeView* view : {&lea_, &program_}) {
    if (const int root = view->model->Root()) {
      view->model->Node(root).state = NodeState::None;
      ExportSelection::CheckChildrenNode(*view->model, root);
    }
    ShowTree(*view);
    Repaint(*view);
  }
}

void frmExport::ShowTree(TreeView& view) {
  view.widget->clear();
  view.items.clear();
  const SelectionTree& model = *view.model;
  for (int i = 1; i <= model.Count(); ++i) {
    const SelectionNode& node = model.Node(i);
    auto* item = node.parent == 0 ? new QTreeWidgetItem(view.widget)
                                  : new QTreeWidgetItem(view.items[static_cast<std::size_t>(node.parent - 1)]);
    item->setText(0, QString::fromStdString(node.text));
    item->setData(0, Qt::UserRole, i);
    view.items.push_back(item);
  }
  // Expanded once every child is there, as the model says.
  const QSignalBlocker quiet(view.widget);
  for (int i = 1; i <= model.Count(); ++i) view.items[static_cast<std::size_t>(i - 1)]->setExpanded(model.Node(i).expanded);
}

void frmExport::Repaint(TreeView& view) {
  for (std::size_t i = 0; i < view.items.size(); ++i)
    view.items[i]->setIcon(0, ImageList1[static_cast<std::size_t>(view.model->Node(static_cast<int>(i + 1)).state)]);
}

// --- The trees' events ------------------------------------------------------------------

void frmExport::tvwLEA_MouseDown(int, int, float X, float Y) { MouseDown(X, Y); }
void frmExport::tvwProgram_MouseDown(int, int, float X, float Y) { MouseDown(X, Y); }

void frmExport::MouseDown(float X, float Y) {
  sngMouseX = X;
  sngMouseY = Y;
}

void frmExport::tvwLEA_Collapse(int node) { Collapse(lea_, node); }
void frmExport::tvwProgram_Collapse(int node) { Collapse(program_, node); }

void frmExport::Collapse(TreeView& view, int node) { view.collapsedKey = view.model->Node(node).key; }

void frmExport::tvwLEA_Click() { Click(lea_, "tvwLEA_Click"); }
void frmExport::tvwProgram_Click() { Click(program_, "tvwProgram_Click"); }

int frmExport::NodeAt(const TreeView& view, float X, float Y) const {
  const QPoint at(ui::TwipsToPixelsX(X), ui::TwipsToPixelsY(Y));
  QTreeWidgetItem* item = view.widget->itemAt(at);
  // Left of the item lie its indentation and expander, which are no part
  // of the node.
  if (!item || at.x() < view.widget->visualItemRect(item).left()) return 0;
  return item->data(0, Qt::UserRole).toInt();
}

bool frmExport::OnPicture(const TreeView& view, int node, float X, float Y) const {
  const QRect item = view.widget->visualItemRect(view.items[static_cast<std::size_t>(node - 1)]);
  // The picture sits at the item's left, inside the focus frame's margin.
  const int margin = view.widget->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view.widget) + 1;
  const QRect picture(item.left(), item.top(), kPicture + 2 * margin, item.height());
  return picture.contains(ui::TwipsToPixelsX(X), ui::TwipsToPixelsY(Y));
}

void frmExport::Click(TreeView& view, const char* procedure) {
  // A failing step is passed over.
  Trap quiet(kModule, procedure, Trap::Mode::Silent);
  int node = 0;
  quiet([&] { node = NodeAt(view, sngMouseX, sngMouseY); });
  if (node != 0) {
    quiet([&] {
      if (!OnPicture(view, node, sngMouseX, sngMouseY)) return;
      // A collapse since the last click may have moved the top node under
      // the pointer: the top node keeps its state then.
      const std::string root = ExportSelection::kRootKey;
      if (view.model->Node(node).key == root && !view.collapsedKey.empty() && view.collapsedKey != root) return;
      ExportSelection::ChangeStatus(*view.model, node);
      Repaint(view);
    });
  }
  view.collapsedKey.clear();
}

void frmExport::tvwLEA_KeyPress(std::int16_t& KeyAscii) { KeyPress(lea_, KeyAscii); }
void frmExport::tvwProgram_KeyPress(std::int16_t& KeyAscii) { KeyPress(program_, KeyAscii); }

void frmExport::KeyPress(TreeView& view, std::int16_t& KeyAscii) {
  if (KeyAscii == ' ') {
    if (QTreeWidgetItem* selected = view.widget->currentItem()) {
      ExportSelection::ChangeStatus(*view.model, selected->data(0, Qt::UserRole).toInt());
      Repaint(view);
    }
  }
  KeyAscii = 0;
}

// --- Commands -----------------------------------------------------------------------------

void frmExport::cmdStart_Click() {
  Trap trap(kModule, "cmdStart_Click");
  const ExportSelection& s = selection_;
  auto refuse = [&](const char* message, const std::string& title = {}) {
    trap([&] { ui::MsgBox(message, ui::vbInformation + ui::vbOKOnly, title); });
  };
  if (s.tvwLEA.RootState() == NodeState::None) return refuse(kSelectLEAs);
  if (s.tvwProgram.RootState() == NodeState::None) return refuse(kSelectPrograms);
  if (!ExportSelection::TreesAreBalanced(s.tvwLEA, s.tvwProgram)) return refuse(kUnbalanced);
  const std::int16_t exportType = ExportSelection::GetExportType(s.tvwLEA);
  const std::int16_t programExportType = ExportSelection::GetProgramExportType(s.tvwProgram);
  bool selpaExport = false;
  switch (exportType) {
    case 0: return refuse(kSelectLEAs);
    case 2: selpaExport = true; break;
    case 3: return refuse(kSelpaWithOthers, kCaption);
    default: break;
  }
  const bool partialSelection = !(s.tvwLEA.RootState() == NodeState::All && s.tvwProgram.RootState() == NodeState::All);
  // A program tree without form nodes leaves nothing to export.
  std::string formNumbers = ExportSelection::GetSelectedFormNos(s.tvwProgram);
  if (formNumbers.empty()) return refuse(kSelectPrograms);

  // The certification questions of the current agency.
  const bool asked = trap([&] {
    const clsGlobalParam& P = Deref(GParam);
    const std::int32_t group = modGlobals::GlobalParam().LogonUserGroup;
    frmQuestions& questions = frmQuestions::Shared();
    questions.CtyId(P.CountyID);
    questions.distid(P.DistrictID);
    questions.PeriodId(P.ReportPeriod);
    questions.YearId(P.ReportYear);
    questions.SchId(P.SchoolId);
    questions.SchDistName(group == 5 ? P.AuName : P.DistrictName);
    questions.SchName(group == 4 ? P.EditSchoolName : std::string());
    modGlobals::gblnQuestionsCancelled = false;
    questions.ShowModal();
  });
  if (!asked || modGlobals::gblnQuestionsCancelled) {
    Utilities::ScreenMouseEnabled(true);
    return;
  }

  Utilities::ScreenMouseEnabled(false);
  bool priorYearMode = false;
  const bool ready = trap([&] {
    selection_.ArrangeSelectedLEAs(selection_.tvwLEA);
    priorYearMode = Deref(mainWindow_).CorrectionMarked();
  });
  if (ready) trap([&] { ExportCertified(formNumbers, selpaExport, partialSelection, priorYearMode, programExportType); });
  trap([&] { setEnabled(true); });
  Utilities::ScreenMouseEnabled(true);
  ui::DoEvents();
}

void frmExport::Cancel_Click() { Unload(); }

void frmExport::ExportCertified(std::string& strFormNumbers, bool blnSelpaExport, bool blnPartialSelection,
                                bool blnPriorYearMode, std::int16_t intProgramExportType) {
  exportRuns_.push_back({strFormNumbers, blnSelpaExport, blnPartialSelection, blnPriorYearMode, intProgramExportType});
  run_ = std::make_unique<CertifiedExport>(selection_, Deref(GParam), Deref(mainWindow_.get()), intEmptyRunCount,
                                           [this](bool on) {
                                             setEnabled(on);
                                             if (on) activateWindow();
                                           });
  run_->ExportCertified(strFormNumbers, blnSelpaExport, blnPartialSelection, blnPriorYearMode, intProgramExportType);
}

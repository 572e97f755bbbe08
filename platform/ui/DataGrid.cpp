#include "ui/DataGrid.h"

#include <QAbstractTableModel>
#include <algorithm>
#include <QHeaderView>
#include <QMouseEvent>
#include <vector>

#include "ui/Dialogs.h"
#include "ui/Twips.h"
#include "vb/Conversions.h"
#include "vb/VbError.h"

namespace ui {

// What the grid keeps of a column.
struct GridColumnState {
  std::string field;
  double widthTwips = -1;  // -1: the grid's default width
  bool visible = true;
  std::string format;
  std::string caption;
};

// The rows of the bound record set as a table model. It reads values by
// position without moving the record set, and lays out again only when the
// rows themselves change.
class RecordsetModel final : public QAbstractTableModel {
 public:
  using ColumnState = GridColumnState;

  explicit RecordsetModel(DataGrid* grid) : grid_(grid) {}
  ~RecordsetModel() override { Detach(); }

  void Bind(db::RecordsetPtr rs) {
    beginResetModel();
    Detach();
    rs_ = std::move(rs);
    columns_.clear();
    marked_ = 0;
    if (rs_) handle_ = rs_->AddMoveHandler([this](db::Recordset&, db::MoveReason) { Moved(); });
    Recount();
    marked_ = Current();
    endResetModel();
  }

  const db::RecordsetPtr& Recordset() const { return rs_; }
  bool Open() const { return rs_ && rs_->State() == db::ObjectState::Open; }
  std::vector<ColumnState>& Columns() { return columns_; }
  const std::vector<ColumnState>& Columns() const { return columns_; }

  // The current row's position (1-based), 0 when there is none.
  long Current() const {
    if (!Open()) return 0;
    const long pos = rs_->AbsolutePosition();
    return pos >= 1 ? pos : 0;
  }

  vb::Variant ValueAt(long position, int column) const {
    if (!Open()) return vb::Null;
    return rs_->ValueAt(position, column);
  }

  std::string TextAt(long position, int column) const {
    const vb::Variant value = ValueAt(position, column);
    const std::string& format = columns_[static_cast<std::size_t>(column)].format;
    if (format.empty()) return vb::TextOf(value);
    try {
      return vb::Format(value, format);
    } catch (const vb::VbError&) {
      return vb::TextOf(value);  // a value the format does not fit shows as it is
    }
  }

  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return QString::fromStdString(TextAt(index.row() + 1, index.column()));
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) {
      if (section < 0 || section >= static_cast<int>(columns_.size())) return {};
      return QString::fromStdString(columns_[static_cast<std::size_t>(section)].caption);
    }
    return section + 1 == Current() ? QStringLiteral("\u25B8") : QString();  // the record selector's mark
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
  }

 private:
  void Detach() {
    if (rs_ && handle_) rs_->RemoveMoveHandler(handle_);
    handle_ = 0;
  }

  void Recount() {
    rows_ = Open() ? static_cast<int>(rs_->RecordCount()) : 0;
    version_ = rs_ ? rs_->RowsVersion() : 0;
    // A record set bound while closed gets its columns once it is open.
    if (Open() && columns_.empty()) {
      for (int i = 0; i < rs_->FieldCount(); ++i) {
        const std::string& name = rs_->FieldInfo(i).name;
        columns_.push_back({name, -1, true, {}, name});
      }
    }
  }

  // The record set moved: lay out again when its rows changed, then follow.
  void Moved() {
    if (rs_ && rs_->RowsVersion() != version_) {
      beginResetModel();
      Recount();
      endResetModel();
    }
    // The record selector's mark leaves the old row for the new one.
    const long current = Current();
    for (long row : {marked_, current})
      if (row >= 1 && row <= rows_) emit headerDataChanged(Qt::Vertical, static_cast<int>(row - 1), static_cast<int>(row - 1));
    marked_ = current;
    grid_->FollowRecordset();
    grid_->viewport()->update();
  }

  DataGrid* grid_;
  db::RecordsetPtr rs_;
  int handle_ = 0;
  int rows_ = 0;
  long marked_ = 0;  // the row that shows the record selector's mark
  std::uint64_t version_ = 0;
  std::vector<ColumnState> columns_;
};

// --- Columns -------------------------------------------------------------------

GridColumnState& GridColumn::State() const {
  grid_->RequireColumn(index_);
  return grid_->model_->Columns()[static_cast<std::size_t>(index_)];
}

std::string GridColumn::DataField() const { return State().field; }

double GridColumn::Width() const {
  const double twips = State().widthTwips;
  return twips >= 0 ? twips : PixelsToTwipsX(grid_->horizontalHeader()->defaultSectionSize());
}

void GridColumn::Width(double twips) {
  State().widthTwips = twips < 0 ? 0 : twips;
  grid_->ApplyWidth(index_);
}

bool GridColumn::Visible() const { return State().visible; }

void GridColumn::Visible(bool visible) {
  State().visible = visible;
  grid_->ApplyWidth(index_);
}

void GridColumn::FitContents() {
  grid_->RequireColumn(index_);
  const int pixels = std::max(grid_->sizeHintForColumn(index_), grid_->horizontalHeader()->sectionSizeHint(index_));
  Width(PixelsToTwipsX(pixels));
}

std::string GridColumn::NumberFormat() const { return State().format; }

void GridColumn::NumberFormat(const std::string& format) {
  State().format = format;
  grid_->viewport()->update();
}

std::string GridColumn::Caption() const { return State().caption; }

void GridColumn::Caption(const std::string& caption) {
  State().caption = caption;
  emit grid_->model_->headerDataChanged(Qt::Horizontal, index_, index_);
}

std::string GridColumn::Text() const {
  grid_->RequireColumn(index_);
  const long current = grid_->model_->Current();
  return current ? grid_->model_->TextAt(current, index_) : std::string();
}

vb::Variant GridColumn::Value() const {
  grid_->RequireColumn(index_);
  const long current = grid_->model_->Current();
  return current ? grid_->model_->ValueAt(current, index_) : vb::Variant(vb::Null);
}

// --- The grid ------------------------------------------------------------------

DataGrid::DataGrid(QWidget* parent) : QTableView(parent), model_(std::make_unique<RecordsetModel>(this)) {
  setModel(model_.get());
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setCornerButtonEnabled(false);
  setWordWrap(false);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setSectionsMovable(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  verticalHeader()->setFixedWidth(TwipsToPixelsX(255));
  verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  verticalHeader()->setHighlightSections(false);
  verticalHeader()->setSectionsClickable(false);
  horizontalHeader()->viewport()->installEventFilter(this);
  verticalHeader()->viewport()->installEventFilter(this);
}

DataGrid::~DataGrid() {
  // The view lets go of the model before the model goes.
  setModel(nullptr);
}

void DataGrid::DataSource(db::RecordsetPtr recordset) {
  model_->Bind(std::move(recordset));
  for (int i = 0; i < ColumnCount(); ++i) {
    horizontalHeader()->resizeSection(i, horizontalHeader()->defaultSectionSize());
    horizontalHeader()->showSection(i);
  }
  col_ = ColumnCount() > 0 ? 0 : -1;
  FollowRecordset();
}

const db::RecordsetPtr& DataGrid::DataSource() const { return model_->Recordset(); }

int DataGrid::ColumnCount() const { return model_->columnCount(); }

void DataGrid::RequireColumn(int index) const {
  if (index < 0 || index >= ColumnCount()) vb::Raise(vb::err::SubscriptOutOfRange);
}

GridColumn DataGrid::Columns(int index) {
  RequireColumn(index);
  return GridColumn(this, index);
}

GridColumn DataGrid::Columns(std::string_view name) {
  const int index = ColumnIndex(name);
  if (index < 0) throw vb::VbError(vb::err::SubscriptOutOfRange, "The grid has no column " + std::string(name) + ".");
  return GridColumn(this, index);
}

int DataGrid::ColumnIndex(std::string_view name) const {
  const auto& columns = model_->Columns();
  for (std::size_t i = 0; i < columns.size(); ++i)
    if (vb::TextEquals(columns[i].field, name)) return static_cast<int>(i);
  return -1;
}

void DataGrid::ApplyWidth(int index) {
  const auto& state = model_->Columns()[static_cast<std::size_t>(index)];
  const int pixels = state.widthTwips < 0 ? horizontalHeader()->defaultSectionSize() : TwipsToPixelsX(state.widthTwips);
  if (!state.visible || pixels <= 0) {
    horizontalHeader()->hideSection(index);
  } else {
    horizontalHeader()->showSection(index);
    horizontalHeader()->resizeSection(index, pixels);
  }
}

int DataGrid::TopRow() const {
  const int top = rowAt(0);
  return top < 0 ? 0 : top;
}

int DataGrid::ShownColumn() const {
  if (col_ >= 0 && !isColumnHidden(col_)) return col_;
  for (int i = 0; i < ColumnCount(); ++i)
    if (!isColumnHidden(i)) return i;
  return 0;
}

int DataGrid::Row() const {
  const long current = model_->Current();
  return current ? static_cast<int>(current - 1) - TopRow() : -1;
}

void DataGrid::Row(int visibleRow) {
  const int row = TopRow() + visibleRow;
  if (visibleRow < 0 || row >= model_->rowCount())
    throw vb::VbError(vb::err::InvalidProcedureCall, "The grid has no row " + std::to_string(visibleRow) + ".");
  model_->Recordset()->AbsolutePosition(row + 1);  // the grid follows the move
}

int DataGrid::Col() const { return col_; }

int DataGrid::RowContaining(int y) const {
  const int inView = viewport()->mapFrom(this, QPoint(0, y)).y();
  if (inView < 0 || inView >= viewport()->height()) return -1;
  const int row = rowAt(inView);
  return row < 0 ? -1 : row - TopRow();
}

int DataGrid::ColContaining(int x) const {
  const int inView = viewport()->mapFrom(this, QPoint(x, 0)).x();
  if (inView < 0 || inView >= viewport()->width()) return -1;
  return columnAt(inView);
}

void DataGrid::FollowRecordset() {
  if (following_) return;
  following_ = true;
  keepCol_ = true;
  const long current = model_->Current();
  if (current > 0 && current <= model_->rowCount()) {
    setCurrentIndex(model_->index(static_cast<int>(current - 1), ShownColumn()));
  } else {
    selectionModel()->clear();
  }
  keepCol_ = false;
  following_ = false;
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (!keepCol_ && current.isValid()) col_ = current.column();
  if (following_ || !current.isValid() || !model_->Open()) return;
  if (current.row() + 1 == model_->Current()) return;
  // The user moved the grid: the record set follows, and raises its move
  // notification once. A record set that cannot move keeps the grid where
  // it stands.
  following_ = true;
  try {
    model_->Recordset()->AbsolutePosition(current.row() + 1);
  } catch (const vb::VbError& e) {
    MsgBox(e.Description(), vbExclamation);
  }
  following_ = false;
  FollowRecordset();
}

namespace {

int ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

int ShiftOf(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

}  // namespace

void DataGrid::RaiseMouseDown(QWidget* from, QMouseEvent* event) {
  const QPoint at = from->mapTo(this, event->position().toPoint());
  emit MouseDown(ButtonOf(event->button()), ShiftOf(event->modifiers()), at.x(), at.y());
}

void DataGrid::mousePressEvent(QMouseEvent* event) {
  pressArmed_ = true;
  RaiseMouseDown(viewport(), event);
  QTableView::mousePressEvent(event);
  // A press on the cell that is already current (after a record-selector
  // press left no current column) makes its column current again.
  const QModelIndex at = indexAt(event->position().toPoint());
  if (at.isValid() && at == currentIndex()) col_ = at.column();
}

void DataGrid::mouseReleaseEvent(QMouseEvent* event) {
  QTableView::mouseReleaseEvent(event);
  if (!pressArmed_) return;
  pressArmed_ = false;
  emit Click();
}

bool DataGrid::eventFilter(QObject* watched, QEvent* event) {
  const bool selectors = watched == verticalHeader()->viewport();
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* press = static_cast<QMouseEvent*>(event);
      // Over the column headings a press raises MouseDown only; over a
      // record selector it makes that row current, with no current column,
      // and its release raises Click.
      pressArmed_ = selectors;
      RaiseMouseDown(static_cast<QWidget*>(watched), press);
      if (!selectors) break;
      const int row = verticalHeader()->logicalIndexAt(press->position().toPoint().y());
      if (row >= 0 && press->button() == Qt::LeftButton) {
        keepCol_ = true;
        setCurrentIndex(model_->index(row, ShownColumn()));
        keepCol_ = false;
        col_ = -1;
      }
      return true;
    }
    case QEvent::MouseButtonRelease:
      if (!selectors) break;
      if (pressArmed_) {
        pressArmed_ = false;
        emit Click();
      }
      return true;
    case QEvent::MouseButtonDblClick:
      return selectors;
    default:
      break;
  }
  return QTableView::eventFilter(watched, event);
}

}  // namespace ui

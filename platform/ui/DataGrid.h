#pragma once
// The data grid: a table of a record set's rows, read-only, one column per
// field. The grid and its record set follow each other's current row: the
// user's row change moves the record set (which raises its move
// notification once), and a move of the record set in code moves the
// grid's current row. Binding reads no row; rows are read as they are
// painted.
//
// Columns are addressed by position (from 0, the first field) or by field
// name, ignoring case. Widths are in twips; a width of 0 hides a column.
// The strip left of the first column is the record selector: a press on it
// makes that row current and leaves the current column at -1.
//
// Row numbers count the visible rows from 0 at the top row shown; -1 means
// none. Mouse positions are pixels in the grid's own coordinates. A press
// raises MouseDown before the grid acts on it; the release that ends a press
// inside the grid raises Click.

#include <QTableView>
#include <memory>
#include <string>
#include <string_view>

#include "db/Recordset.h"
#include "vb/Variant.h"

namespace ui {

class DataGrid;
class RecordsetModel;
struct GridColumnState;

// One column of a data grid; refers to the grid and must not outlive it.
class GridColumn {
 public:
  GridColumn(DataGrid* grid, int index) : grid_(grid), index_(index) {}

  int ColIndex() const { return index_; }
  // The field the column shows.
  std::string DataField() const;
  // The width in twips; 0 hides the column.
  double Width() const;
  void Width(double twips);
  bool Visible() const;
  void Visible(bool visible);
  // The Format text that the column's values are shown with ("00");
  // empty for the value's own text.
  std::string NumberFormat() const;
  void NumberFormat(const std::string& format);
  // Takes the width that its heading and the values of the rows in view
  // need.
  void FitContents();
  // The heading (the field name until it is set).
  std::string Caption() const;
  void Caption(const std::string& caption);
  // The text shown in the current row, and the value behind it; "" and
  // Null when there is no current row.
  std::string Text() const;
  vb::Variant Value() const;

 private:
  // The column's settings; error 9 when the grid has no such column.
  GridColumnState& State() const;

  DataGrid* grid_;
  int index_;
};

class DataGrid : public QTableView {
  Q_OBJECT

 public:
  explicit DataGrid(QWidget* parent = nullptr);
  ~DataGrid() override;

  // Binds the record set (nullptr unbinds, and the grid empties). Every
  // binding rebuilds the columns from the fields: visible, default width,
  // no format, headed by the field name.
  void DataSource(db::RecordsetPtr recordset);
  const db::RecordsetPtr& DataSource() const;

  int ColumnCount() const;
  // Error 9 when there is no such column.
  GridColumn Columns(int index);
  GridColumn Columns(std::string_view name);
  // The position of a column by field name, -1 when there is none.
  int ColumnIndex(std::string_view name) const;

  // The current row's visible number, -1 when there is no current row.
  int Row() const;
  // Makes the visible row current (error 5 when there is no such row).
  void Row(int visibleRow);
  // The current column, -1 when none (after a record-selector press).
  int Col() const;
  // The visible row at a height / the column at a position across; -1
  // over headings, record selectors and the empty area.
  int RowContaining(int y) const;
  int ColContaining(int x) const;

 signals:
  // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt.
  void MouseDown(int button, int shift, int x, int y);
  void Click();

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class GridColumn;
  friend class RecordsetModel;

  // Puts the grid's current row on the record set's.
  void FollowRecordset();
  void RaiseMouseDown(QWidget* from, QMouseEvent* event);
  int TopRow() const;
  // The column the current cell takes: the current column while it is
  // shown, else the first shown column.
  int ShownColumn() const;
  void ApplyWidth(int index);
  void RequireColumn(int index) const;

  std::unique_ptr<RecordsetModel> model_;
  int col_ = -1;
  bool following_ = false;   // the grid is being put on the record set's row
  bool keepCol_ = false;     // a row change that leaves the current column alone
  bool pressArmed_ = false;  // a press in the grid waits for its release
};

}  // namespace ui

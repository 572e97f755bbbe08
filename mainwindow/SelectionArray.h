#pragma once
// The text arrays in which the main window hands agencies and entry screens
// to the batch commands (printing, export): two dimensions, (column, row),
// both counted from 0. When nothing is there to hand over, a gatherer
// answers the empty result instead: one dimension with the single element 0
// holding an empty text. Callers tell the cases apart by the window's
// counters, not by the shape.

#include <string>
#include <vector>

#include "vb/VbError.h"

class SelectionArray {
 public:
  // No elements yet; Grow gives it its two dimensions.
  SelectionArray() = default;
  // The empty result: one dimension, element 0 holding "".
  static SelectionArray EmptyResult() {
    SelectionArray empty;
    empty.dimensions_ = 1;
    empty.columns_ = 1;
    empty.rows_ = 1;
    empty.cells_.assign(1, std::string());
    return empty;
  }

  // 0 before the first Grow, 1 for the empty result, 2 otherwise.
  int Dimensions() const { return dimensions_; }
  // The upper bound of a dimension (1 the columns, 2 the rows); -1 when the
  // array has no elements in it. The empty result has only dimension 1.
  int UBound(int dimension) const {
    if (dimension == 1) return columns_ - 1;
    return dimensions_ == 2 && dimension == 2 ? rows_ - 1 : -1;
  }

  // Grows to columns 0..lastColumn and rows 0..lastRow, keeping what it
  // holds; new elements are empty texts.
  void Grow(int lastColumn, int lastRow) {
    const int columns = lastColumn + 1, rows = lastRow + 1;
    std::vector<std::string> cells(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
    for (int r = 0; r < rows_ && r < rows; ++r)
      for (int c = 0; c < columns_ && c < columns; ++c) cells[Index(c, r, columns)] = std::move(cells_[Index(c, r, columns_)]);
    cells_ = std::move(cells);
    columns_ = columns;
    rows_ = rows;
    dimensions_ = 2;
  }

  // The element of a column and row; error 9 outside the bounds.
  const std::string& At(int column, int row) const { return cells_[Checked(column, row)]; }
  std::string& At(int column, int row) { return cells_[Checked(column, row)]; }
  // The elements of one row, column by column.
  std::vector<std::string> Row(int row) const {
    std::vector<std::string> texts;
    for (int c = 0; c < columns_; ++c) texts.push_back(At(c, row));
    return texts;
  }

 private:
  static std::size_t Index(int column, int row, int columns) {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(column);
  }
  std::size_t Checked(int column, int row) const {
    if (column < 0 || row < 0 || column >= columns_ || row >= rows_) vb::Raise(vb::err::SubscriptOutOfRange);
    return Index(column, row, columns_);
  }

  int dimensions_ = 0;
  int columns_ = 0;
  int rows_ = 0;
  std::vector<std::string> cells_;  // row by row
};

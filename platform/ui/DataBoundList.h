#pragma once
// The data-bound list: a drop-down list whose rows come from a record set.
// It shows one column of every row (ListField) and keys each row by another
// (BoundColumn); column names ignore case.
//
// Text() is the shown text of the chosen row, "" when none is chosen.
// Setting the text chooses the first row that shows it (ignoring case), or
// no row when none does. BoundText() is the bound column's value of the
// chosen row, as text. Nothing can be typed: a text always belongs to a
// row. Click is emitted when the user chooses a row, never when the program
// sets the text. Change is emitted whenever the text changes, whoever
// changed it: the user, the program setting the text, or rows read again.
//
// The rows are read when the record set, the shown column or the bound
// column is set, and again on Refresh, without moving the record set: it
// keeps its current row and an edit in progress, and fires no move
// notification. A closed record set (or none) gives an empty list; a column
// that the record set lacks is error 3265.

#include <QComboBox>
#include <string>

#include "db/Recordset.h"

namespace ui {

class DataBoundList : public QComboBox {
  Q_OBJECT

 public:
  explicit DataBoundList(QWidget* parent = nullptr);

  const db::RecordsetPtr& RowSource() const { return rowSource_; }
  void RowSource(db::RecordsetPtr rs);
  const std::string& ListField() const { return listField_; }
  void ListField(std::string column);
  const std::string& BoundColumn() const { return boundColumn_; }
  void BoundColumn(std::string column);
  // Sets the record set, the shown column and the bound column together
  // and reads the rows once.
  void Bind(db::RecordsetPtr rs, std::string listField, std::string boundColumn);

  std::string Text() const;
  void Text(const std::string& text);
  std::string BoundText() const;
  // The chosen row's position in the record set (from 1); 0 when no row is
  // chosen. Positioning the record set there makes the chosen row current.
  long SelectedBookmark() const;

  // Reads the rows of the record set again; the text is cleared.
  void Refresh();

 signals:
  void Click();
  void Change();

 private:
  void Fill();
  void FillRows();
  // Emits Change when the text differs from the one last notified.
  void NotifyChange();

  db::RecordsetPtr rowSource_;
  std::string listField_;
  std::string boundColumn_;
  std::string notifiedText_;
};

}  // namespace ui

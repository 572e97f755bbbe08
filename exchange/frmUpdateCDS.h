#pragma once
// Get Latest: refreshes tables of the working database from a text file
// before anybody has logged on. The file holds blocks of rows, each block a
// heading line, its data lines ("TABLE,value,value,...", one value per
// column in the table's column order) and a blank line; the file ends with
// the line "End,". A stored row with the incoming row's key is updated (an
// empty value keeps the stored one), a missing one is added, nothing is
// deleted.
//
// "&Select File" reads the chosen file twice: a checking pass that refuses
// a malformed file, or one naming a table the database lacks, before
// anything is written; then a loading pass that writes block by block.
// Each block is one change of the database, written whole or not at all: a
// line with the wrong number of values, a value that does not fit its
// column or an empty key value leaves its block unwritten, and the blocks
// around it are still written. The outcome is shown as a status report.
//
// The logon window opens the window modally through the maker that Install
// puts in place; it is handed nothing and hands nothing back.

#include <string>
#include <vector>

#include "db/Recordset.h"
#include "ui/Form.h"
#include "ui_frmUpdateCDS.h"

class frmUpdateCDS : public ui::Form, public Ui::frmUpdateCDS {
  Q_OBJECT

 public:
  explicit frmUpdateCDS(QWidget* parent = nullptr);

  // The table of the block being loaded.
  std::string mstrFormName;
  // The separator of a data line's values.
  std::string mstrDelimiter;

  // 0 "&Select File" runs the import, 2 "&Close" closes the window; the
  // hidden 1 "&Save" does nothing.
  void cmdAction_Click(int Index);
  // The loading pass over the file named in txtFile; appends a line per
  // block to the report.
  void LoadLatestData();
  // Writes the rows of a record set that is not bound to the database into
  // the table, all of them or (false, with a line in the report) none.
  bool SaveLatestData(db::Recordset& rs, const std::string& table);

  // The number of values on a line: 0 for a blank line or an empty
  // delimiter, otherwise one more than the delimiters it holds.
  static long CountColumns(const std::string& line, const std::string& delimiter);
  // The value at a 1-based position, or "" (also past the last value, for a
  // blank line, or for a delimiter other than "," and " ").
  static std::string GetColValue(const std::string& line, const std::string& delimiter, long position);

  // Installs the maker through which the logon window's "&Get Latest"
  // shows this window: a new window, loaded.
  static void Install();

 protected:
  void Form_Load() override;

 private:
  // The checking pass: answers whether the file may be loaded, after saying
  // why not where it may not.
  bool CheckFile();
  // Reads one data line (the values after the table name) into a new row
  // of `rows`; false when a value does not fit its column or a key value is
  // empty, the row then being dropped.
  bool ReadRow(db::Recordset& rows, const std::string& values, const std::vector<int>& keyFields);
  // Starts the report with its heading and the date and time.
  void StartReport();

  // The status report of the current run.
  std::string report_;
  // The tables named by the file's lines after the first, in order.
  std::vector<std::string> names_;
};

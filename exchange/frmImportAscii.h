#pragma once
// The ASCII import window ("Importing ASCII Data"): the file chosen last
// (txtFile) and two buttons, "&Select File", which runs one import, and
// "Clos&e". The main window's File > Import > ASCII File shows it modally
// (AsciiImportCommand); several files may be imported one after another
// until it is closed.
//
// One run: the time stamp first, then the Open dialog in the program
// folder's import folder; a missing file is "Import file is not available".
// The file is read once and checked whole (asciiimport); a refused file
// shows the one import-criteria message and nothing is loaded. An accepted
// file's main block is loaded, typed, and handed to the copy with its
// secondary blocks; the run ends with the status text in the status
// window, or, when the load or the copy fails, with "The file could not be
// imported; nothing has been changed." and the cause.

#include <cstdint>
#include <string>
#include <vector>

#include "AsciiImport.h"
#include "clsGlobalParam.h"
#include "db/Recordset.h"
#include "ui/Form.h"
#include "ui_frmImportAscii.h"

class frmImportAscii : public ui::Form, public Ui::frmImportAscii {
  Q_OBJECT

 public:
  explicit frmImportAscii(QWidget* parent = nullptr);

  // The window's parameters object; no step reads it.
  clsGlobalParam* GParam = nullptr;
  // The form name of the file being imported (line 1), and the separator.
  std::string mstrFormName;
  std::string mstrDelimiter;

  // One import run.
  void cmdAction_Click();
  void cmdClose_Click();

  // What the last run's check answered (the rule and line that refused).
  const asciiimport::Verdict& LastVerdict() const { return verdict_; }
  // The rows the last run loaded: the main block, and the copy's blocks.
  const db::RecordsetPtr& ImportRows() const { return mrsImportRows; }

 protected:
  void Form_Load() override;

 private:
  // The one message of a refused file.
  void ShowImportFailure();
  // Copies the loaded rows, and the blocks from line `next` on, into the
  // database as one change (a failure raises, having changed nothing).
  bool CopyImportRows(const std::vector<std::string>& lines, std::size_t& next, std::string& cause);
  // The status text of a completed run.
  std::string StatusText(const vb::Date& stamp) const;
  // The import folder of the program folder, whatever the case of its name.
  static std::string ImportFolder();

  std::string mstrImportReport;
  std::int32_t mintRowsCopied = 0;
  std::int32_t mintRowsOverwritten = 0;
  std::int32_t mintRowsSkipped = 0;
  db::RecordsetPtr mrsImportRows;
  db::RecordsetPtr mrsBlockRows;
  asciiimport::Verdict verdict_;
};

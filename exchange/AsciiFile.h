#pragma once
// The ASCII data file: one program's rows as comma-separated text that
// another office's import reads back. This is the file's own layer, shared
// by the writers and the reader:
//
// - lines are Windows-1252 bytes, each (the last one too) ending CR LF,
//   with no byte-order mark;
// - a value's text is the runtime's value-to-text (Null empty, 1500 stored
//   as a currency "1500", 12.5 "12.5", a date "12/9/2019" or
//   "12/9/2019 3:04:05 PM"), never SQLite's own text;
// - the header labels come from the entry screen's layout rows
//   (TABLE_INFO): the line's name where it has one, the column name for the
//   key columns and for columns the layout does not show.
//
// The file has no quoting or escape character, so a value holding a comma,
// a line break or a character outside Windows-1252 cannot travel in it:
// Carriable tells, and the writers refuse such a value.

#include <QSaveFile>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/Connection.h"
#include "vb/Variant.h"

namespace asciifile {

// "End": the line before every secondary block.
inline constexpr const char* kEndLine = "End";

// The text of a value in the file: "" for Null (and Empty), otherwise the
// runtime's text of the value.
std::string ValueText(const vb::Variant& value);
// Whether a text can stand as one field of a line and be read back the
// same: no comma, no line break, and every character in Windows-1252.
bool Carriable(std::string_view text);

// --- Reading.
// The lines of a file's bytes: a line ends at CR LF, a lone LF or a lone
// CR; each is decoded from Windows-1252. A last line without an end counts.
std::vector<std::string> SplitLines(std::string_view bytes);
// A line's text after its first comma; a line without a comma is its own
// payload (so the "End" line's payload is "End").
std::string Payload(std::string_view line);
// The table name of a header line: its text before the first comma (the
// whole line when it has none).
std::string TableNameOf(std::string_view line);
// The number of fields of a payload: the delimiters in it plus one; 0 for
// a payload that is empty or only blanks, or an empty delimiter.
long CountColumns(std::string_view line, std::string_view delimiter);
// Field `index` (from 1) of a payload, exactly as it stands (an empty text
// where two delimiters meet); nullopt, the empty value, for a blank
// payload, a delimiter other than "," or " ", an index outside the fields,
// and the empty last field after a trailing delimiter.
std::optional<std::string> GetColValue(std::string_view line, std::string_view delimiter, long index);

// One row of an entry screen's layout, as the label rule reads it.
struct LayoutRow {
  std::string fieldName;  // the table column shown there (FIELD_NAME)
  std::string columnNo;   // "A" or "B"
  vb::Variant lineName;   // the line's label; may be Null
};

// How a layout counts as two-column: by a row of column "B", or, failing
// that, also by a row whose field name is "B" (the secondary blocks' test).
enum class TwoColumnTest { ColumnB, ColumnBOrFieldB };

// Whether a layout field name is a key column, which is always labelled
// with its column name.
bool IsKeyColumn(std::string_view fieldName);

// The layout rows of one entry screen, in line order, then column order.
class Layout {
 public:
  explicit Layout(std::vector<LayoutRow> rows) : rows_(std::move(rows)) {}
  // The rows of the form number (PAGE_NO), read with one query.
  static Layout OfForm(db::Connection& conn, const vb::Variant& formNo);

  bool TwoColumn(TwoColumnTest test) const;
  // The header label of a table column: the column name when no row shows
  // it (field names compared ignoring case, the first row in order), when
  // its line name is Null or empty, or when the row's field name is a key
  // column; otherwise the line name, followed in a two-column layout by
  // "-E" for column "A" and "-H" for any other.
  std::string Label(const std::string& column, bool twoColumn) const;

 private:
  std::vector<LayoutRow> rows_;
};

// The file being written. The file is created at once (so that a name that
// cannot be written is known before any work), but its lines are held until
// Commit writes them to a hidden temporary beside the chosen name and puts
// that in its place: until then a file of that name keeps its bytes, and a
// writer dropped uncommitted leaves nothing behind.
class LineWriter {
 public:
  // Error 75 when the file cannot be created.
  explicit LineWriter(const std::string& path);
  ~LineWriter();
  // One line, UTF-8 in, Windows-1252 out, CR LF appended.
  void WriteLine(std::string_view text);
  // Lines written so far; a step that runs again goes back to where it
  // began with Rewind.
  long Lines() const { return static_cast<long>(ends_.size()); }
  void Rewind(long lines);
  // Writes the lines and puts the file under its name; error 75 when that
  // fails.
  void Commit();

 private:
  std::unique_ptr<QSaveFile> file_;
  std::string path_;
  std::string bytes_;
  std::vector<std::size_t> ends_;  // where each line ends in bytes_
};

}  // namespace asciifile

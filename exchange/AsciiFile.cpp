#include "AsciiFile.h"

#include <QByteArray>
#include <QFileInfo>
#include <algorithm>
#include <array>

#include "db/Recordset.h"
#include "db/SqlText.h"
#include "vb/Conversions.h"
#include "vb/VbError.h"
#include "vb/Win1252.h"

namespace asciifile {
namespace {

// Key columns compared exactly as the layout spells them, and those
// compared upper-cased.
constexpr std::array<std::string_view, 9> kExactKeyColumns = {
    "TYPE", "FORM_NO", "RES_SCHOOL_DISTRICT_ID", "RES_COUNTY_ID", "COUNTY_ID", "SCHOOL_DISTRICT_ID",
    "SCHOOL_ID", "FISCAL_YEAR", "PERIOD_ID"};
constexpr std::array<std::string_view, 7> kUpperKeyColumns = {
    "SELPALOCATION", "CODE", "LCILICENSENUMBER", "NPSNPATYPEID", "LICENSENUMBER", "ROP", "ROP_DISTRICT"};

bool SameIgnoringCase(std::string_view a, std::string_view b) { return vb::UCase(std::string(a)) == vb::UCase(std::string(b)); }

[[noreturn]] void FileFailure(const std::string& path, const QString& reason) {
  throw vb::VbError(vb::err::PathFileAccessError,
                    "The file " + path + " could not be written: " + reason.toStdString());
}

}  // namespace

std::string ValueText(const vb::Variant& value) {
  if (value.IsNull() || value.IsEmpty()) return {};
  return vb::CStr(value);
}

bool Carriable(std::string_view text) {
  if (text.find_first_of(",\r\n") != std::string_view::npos) return false;
  // A character the set lacks (or a broken sequence) does not come back.
  return vb::FromWindows1252(vb::ToWindows1252(text)) == text;
}

std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  // The next CR and the next LF from `start` on, each found again only once
  // passed.
  std::size_t cr = bytes.find('\r'), lf = bytes.find('\n');
  for (;;) {
    if (cr < start) cr = bytes.find('\r', start);
    if (lf < start) lf = bytes.find('\n', start);
    std::size_t i = std::min(cr, lf);
    if (i == std::string_view::npos) break;
    lines.push_back(vb::FromWindows1252(bytes.substr(start, i - start)));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.push_back(vb::FromWindows1252(bytes.substr(start)));
  return lines;
}

std::string Payload(std::string_view line) {
  const std::size_t comma = line.find(',');
  return std::string(comma == std::string_view::npos ? line : line.substr(comma + 1));
}

std::string TableNameOf(std::string_view line) { return std::string(line.substr(0, line.find(','))); }

namespace {
bool Blank(std::string_view line) { return line.find_first_not_of(' ') == std::string_view::npos; }
}  // namespace

long CountColumns(std::string_view line, std::string_view delimiter) {
  if (Blank(line) || delimiter.empty()) return 0;
  long count = 0;
  for (std::size_t at = line.find(delimiter); at != std::string_view::npos; at = line.find(delimiter, at + delimiter.size()))
    ++count;
  return count + 1;
}

std::optional<std::string> GetColValue(std::string_view line, std::string_view delimiter, long index) {
  if (Blank(line) || (delimiter != "," && delimiter != " ")) return std::nullopt;
  std::size_t start = 0;
  long count = 0;
  for (std::size_t at = line.find(delimiter); at != std::string_view::npos; at = line.find(delimiter, start)) {
    if (++count == index) return std::string(line.substr(start, at - start));
    start = at + 1;
  }
  if (index == count + 1 && start < line.size()) return std::string(line.substr(start));
  return std::nullopt;
}

bool IsKeyColumn(std::string_view fieldName) {
  if (std::find(kExactKeyColumns.begin(), kExactKeyColumns.end(), fieldName) != kExactKeyColumns.end()) return true;
  const std::string upper = vb::UCase(std::string(fieldName));
  return std::find(kUpperKeyColumns.begin(), kUpperKeyColumns.end(), upper) != kUpperKeyColumns.end();
}

Layout Layout::OfForm(db::Connection& conn, const vb::Variant& formNo) {
  db::SqlText q;
  // Rows of one line and column keep the order of their line numbers.
  q << "SELECT FIELD_NAME, COLUMN_NO, LINE_NAME FROM TABLE_INFO WHERE PAGE_NO = " << db::Param(formNo)
    << " ORDER BY LINE_ORDER, COLUMN_NO, Line_No";
  std::vector<LayoutRow> rows;
  const db::RecordsetPtr rs = db::Recordset::Query(q.Sql(), conn.shared_from_this(), q.Params());
  for (; !rs->Eof(); rs->MoveNext())
    rows.push_back({vb::TextOf(rs->Value(0)), vb::TextOf(rs->Value(1)), rs->Value(2)});
  return Layout(std::move(rows));
}

bool Layout::TwoColumn(TwoColumnTest test) const {
  const auto has = [&](auto member) {
    return std::any_of(rows_.begin(), rows_.end(), [&](const LayoutRow& row) { return SameIgnoringCase(row.*member, "B"); });
  };
  if (has(&LayoutRow::columnNo)) return true;
  return test == TwoColumnTest::ColumnBOrFieldB && has(&LayoutRow::fieldName);
}

std::string Layout::Label(const std::string& column, bool twoColumn) const {
  const auto row = std::find_if(rows_.begin(), rows_.end(),
                                [&](const LayoutRow& r) { return SameIgnoringCase(r.fieldName, column); });
  if (row == rows_.end()) return column;
  const std::string lineName = vb::TextOf(row->lineName);
  if (lineName.empty() || IsKeyColumn(row->fieldName)) return column;
  if (!twoColumn) return lineName;
  return lineName + (row->columnNo == "A" ? "-E" : "-H");
}

LineWriter::LineWriter(const std::string& path) : file_(std::make_unique<QSaveFile>(QString::fromStdString(path))), path_(path) {
  if (!file_->open(QIODevice::WriteOnly)) FileFailure(path_, file_->errorString());
}

LineWriter::~LineWriter() {
  if (file_ && file_->isOpen()) file_->cancelWriting();
}

void LineWriter::WriteLine(std::string_view text) {
  bytes_ += vb::ToWindows1252(text);
  bytes_ += "\r\n";
  ends_.push_back(bytes_.size());
}

void LineWriter::Rewind(long lines) {
  if (lines < 0 || lines > Lines()) return;
  ends_.resize(static_cast<std::size_t>(lines));
  bytes_.resize(ends_.empty() ? 0 : ends_.back());
}

void LineWriter::Commit() {
  const auto size = static_cast<qint64>(bytes_.size());
  if (file_->write(bytes_.data(), size) != size) FileFailure(path_, file_->errorString());
  if (!file_->commit()) FileFailure(path_, file_->errorString());
}

}  // namespace asciifile

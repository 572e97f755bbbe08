#include "frmUpdateCDS.h"

#include <QApplication>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <system_error>

#include "Utilities.h"
#include "db/Catalog.h"
#include "db/Connection.h"
#include "db/SqlText.h"
#include "frmLogon.h"
#include "modGlobals.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"
#include "vb/App.h"
#include "vb/Conversions.h"
#include "vb/Win1252.h"
#include "zelErrHandler.h"

namespace {

constexpr const char* kModule = "frmUpdateCDS";

constexpr const char* kInvalidFile = "Import process cannot be completed. Invalid file selected.";
constexpr const char* kInvalidFormat = "Cannot process due to an Invalid File Format.";

// The import's messages: information icon, OK, the program title.
void Say(const std::string& text) { ui::MsgBox(text, ui::vbInformation, vb::App::Title()); }

std::string ImproperData(const std::string& table) {
  return "Improper Data Provided for Table " + table + ". Import Failed";
}

// The hourglass for as long as a pass runs; Release puts the pointer back
// before the user is told something.
class Hourglass {
 public:
  Hourglass() { Utilities::ScreenMouseEnabled(false); }
  ~Hourglass() { Release(); }
  Hourglass(const Hourglass&) = delete;
  Hourglass& operator=(const Hourglass&) = delete;
  void Release() {
    if (held_) Utilities::ScreenMouseEnabled(true);
    held_ = false;
  }

 private:
  bool held_ = true;
};

// A line is blank when nothing but blanks is left of it.
bool Blank(const std::string& line) { return vb::Trim(line).empty(); }

// The file's lines, read as Windows-1252 text; each line ends with CR LF
// (the last one may end without).
std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) vb::Raise(vb::err::PathFileAccessError);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) vb::Raise(vb::err::PathFileAccessError);
  const std::string text = vb::FromWindows1252(bytes);
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

bool EndsWithTxt(const std::string& path) {
  if (path.size() < 4) return false;
  std::string ending = path.substr(path.size() - 4);
  for (char& c : ending)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return ending == ".TXT";
}

// The positions of the table's key columns among the record set's fields.
std::vector<int> KeyFieldsOf(db::Connection& conn, const db::Recordset& rs, const std::string& table) {
  std::vector<int> fields;
  for (const std::string& column : db::catalog::PrimaryKey(conn, table)) {
    const int field = rs.FieldIndex(column);
    if (field < 0) vb::Raise(vb::err::ItemNotFound);
    fields.push_back(field);
  }
  return fields;
}

// An incoming value that is written: an empty one keeps what is stored.
bool Given(const vb::Variant& value) {
  return !value.IsNull() && !value.IsEmpty() && !(value.IsString() && value.AsString().empty());
}

// Writes the record set's current row into the table: it updates the
// stored row with the same key, or adds it when there is none.
void WriteRow(db::Connection& conn, const std::string& target, const db::Recordset& rs,
              const std::vector<int>& keyFields) {
  const auto byKey = [&](db::SqlText& q) {
    const char* joint = " WHERE ";
    for (int field : keyFields) {
      q << joint << db::QuoteName(rs.FieldInfo(field).name) << " = " << db::Param(rs.Value(field));
      joint = " AND ";
    }
  };
  db::SqlText find;
  find << "SELECT 1 FROM " << target;
  byKey(find);
  const bool stored = !conn.Scalar(find.Sql(), find.Params()).IsEmpty();

  db::SqlText write;
  const char* comma = "";
  if (stored) {
    write << "UPDATE " << target << " SET ";
    for (int field = 0; field < rs.FieldCount(); ++field) {
      if (!Given(rs.Value(field))) continue;
      write << comma << db::QuoteName(rs.FieldInfo(field).name) << " = " << db::Param(rs.Value(field));
      comma = ", ";
    }
    byKey(write);
  } else {
    std::string columns;
    for (int field = 0; field < rs.FieldCount(); ++field) {
      if (!Given(rs.Value(field))) continue;
      columns += comma + db::QuoteName(rs.FieldInfo(field).name);
      comma = ", ";
    }
    write << "INSERT INTO " << target << " (" << columns << ") VALUES (";
    comma = "";
    for (int field = 0; field < rs.FieldCount(); ++field) {
      if (!Given(rs.Value(field))) continue;
      write << comma << db::Param(rs.Value(field));
      comma = ", ";
    }
    write << ")";
  }
  conn.Execute(write.Sql(), write.Params());
}

}  // namespace

frmUpdateCDS::frmUpdateCDS(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  ui::UseLayoutFace(*this);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  QPushButton* buttons[] = {cmdAction_0, cmdAction_1, cmdAction_2};
  for (int i = 0; i < 3; ++i)
    connect(buttons[i], &QPushButton::clicked, this, [this, i] { cmdAction_Click(i); });
}

void frmUpdateCDS::Install() {
  frmLogon::SetGetLatestWindow([] {
    auto window = std::make_unique<frmUpdateCDS>(QApplication::activeWindow());
    window->Load();
    return std::unique_ptr<QWidget>(std::move(window));
  });
}

void frmUpdateCDS::Form_Load() {
  Trap trap(kModule, "Form_Load");
  trap([&] { setWindowTitle("Importing data for Get Latest"); });
  trap([&] { mstrDelimiter = ","; });
}

void frmUpdateCDS::cmdAction_Click(int Index) {
  Trap trap(kModule, "cmdAction_Click");
  trap([&] {
    report_.clear();
    names_.clear();
  });
  if (Index == 2) {
    trap([&] { Unload(); });
    return;
  }
  if (Index != 0) return;

  bool checked = false;
  trap([&] { checked = CheckFile(); });
  if (!checked) return;
  trap([&] {
    Hourglass hourglass;
    StartReport();
    LoadLatestData();
    hourglass.Release();
    Say("Import process completed. Click OK to see the Status Report.");
    report_ += "\r\nOperation Completed.";
    Utilities::TransferStatus(report_);
  });
}

void frmUpdateCDS::StartReport() {
  report_ = "Get Latest Process....\r\nDate & Time: " + vb::Format(vb::Variant(ui::Now()), "General Date") +
            "\r\n\r\n";
}

bool frmUpdateCDS::CheckFile() {
  ui::FileDialogRequest request;
  request.filter = "Text (*.txt)|*.txt";
  const std::optional<std::string> chosen = ui::dialogs().OpenFile(request);
  if (!chosen) return false;
  const std::string& path = *chosen;
  txtFile->setText(QString::fromStdString(path));
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(path, ignored)) {
    Say("Import file is not available");
    return false;
  }
  if (!EndsWithTxt(path)) {
    Say(kInvalidFile);
    return false;
  }

  Hourglass hourglass;
  const std::vector<std::string> lines = ReadLines(path);
  if (lines.empty() || Blank(lines.front())) {
    hourglass.Release();
    Say(kInvalidFile);
    return false;
  }
  // The first line heads the first block; every later line that is not
  // blank begins with a table's name and a comma, the last with "End".
  std::string reason;
  for (std::size_t i = 1; i < lines.size() && reason.empty(); ++i) {
    if (Blank(lines[i])) continue;
    const std::size_t comma = lines[i].find(',');
    if (comma == std::string::npos)
      reason = kInvalidFormat;
    else
      names_.push_back(lines[i].substr(0, comma));
  }
  if (reason.empty() && names_.size() < 2) reason = kInvalidFormat;
  if (reason.empty()) {
    db::Connection& conn = vb::Deref(modGlobals::SharedConnection());
    std::set<std::string> known;
    for (std::size_t i = 0; i + 1 < names_.size() && reason.empty(); ++i) {
      if (known.count(names_[i])) continue;
      if (!db::catalog::TableExists(conn, names_[i]))
        reason = names_[i] + "  : TableName Not Available in the Database";
      known.insert(names_[i]);
    }
  }
  if (reason.empty() && names_.back() != "End") reason = kInvalidFormat;
  if (reason.empty()) return true;

  hourglass.Release();
  Say("Import process failed. Click OK to see the status report.");
  StartReport();
  report_ += reason + "\r\n\r\nImport Aborted!";
  Utilities::TransferStatus(report_);
  return false;
}

void frmUpdateCDS::LoadLatestData() {
  Trap trap(kModule, "LoadLatestData");
  std::vector<std::string> lines;
  trap([&] { lines = ReadLines(txtFile->text().toStdString()); });
  trap([&] {
    db::Connection& conn = vb::Deref(modGlobals::SharedConnection());
    std::size_t next = 0;
    const auto more = [&] { return next < lines.size(); };
    while (more()) {
      // A block's heading line, or the closing line.
      if (vb::Trim(lines[next++]) == "End,") return;
      if (!more()) return;
      // The block's table is the one its first data line names.
      std::string line = lines[next++];
      mstrFormName = line.substr(0, line.find(','));
      db::RecordsetPtr rows;
      std::vector<int> keyFields;
      bool failed = false;
      // The file's last line is the closing line, never data.
      while (!Blank(line) && more()) {
        if (!rows) {
          rows = db::Recordset::Query(
              "SELECT * FROM " + db::catalog::RequireSqlName(conn, mstrFormName) + " WHERE 1 <> 1",
              modGlobals::SharedConnection());
          rows->ActiveConnection(nullptr);
          keyFields = KeyFieldsOf(conn, *rows, mstrFormName);
        }
        const std::string values = line.substr(line.find(',') + 1);
        if (CountColumns(values, mstrDelimiter) != rows->FieldCount()) {
          report_ += "Ascii File Do not match with the Columns in the table " + mstrFormName + "\r\n";
          failed = true;
        } else if (!ReadRow(*rows, values, keyFields)) {
          report_ += ImproperData(mstrFormName) + "\r\n";
          failed = true;
        }
        if (failed) {
          // The rest of the block is passed over.
          while (more() && !Blank(lines[next++])) {
          }
          break;
        }
        line = lines[next++];
      }
      if (rows && !failed && SaveLatestData(*rows, mstrFormName))
        report_ += mstrFormName + " Imported Successfully\r\n";
    }
  });
}

bool frmUpdateCDS::ReadRow(db::Recordset& rows, const std::string& values, const std::vector<int>& keyFields) {
  rows.AddNew();
  const long count = CountColumns(values, mstrDelimiter);
  for (long position = 1; position <= count; ++position) {
    const std::string value = GetColValue(values, mstrDelimiter, position);
    if (value.empty()) continue;
    try {
      rows.SetValue(static_cast<int>(position - 1), vb::Variant(value));
    } catch (const vb::VbError&) {
      rows.CancelUpdate();
      return false;
    }
  }
  // A row is found again by its key: every key value must be given (a
  // table without a key cannot be refreshed).
  bool keyed = !keyFields.empty();
  for (int field : keyFields) keyed = keyed && !Blank(vb::TextOf(rows.Value(field)));
  if (!keyed) {
    rows.CancelUpdate();
    return false;
  }
  rows.Update();
  return true;
}

bool frmUpdateCDS::SaveLatestData(db::Recordset& rs, const std::string& table) {
  bool saved = false;
  Trap trap(kModule, "SaveLatestData");
  trap([&] {
    db::Connection& conn = vb::Deref(modGlobals::SharedConnection());
    const std::string target = db::catalog::RequireSqlName(conn, table);
    const std::vector<int> keyFields = KeyFieldsOf(conn, rs, table);
    if (keyFields.empty()) return;
    // The block is one change: a row that cannot be written leaves the
    // table as it was.
    db::Transaction trans(conn);
    if (rs.RecordCount() > 0) rs.MoveFirst();
    for (; !rs.Eof(); rs.MoveNext()) WriteRow(conn, target, rs, keyFields);
    trans.Commit();
    saved = true;
  });
  if (!saved) report_ += ImproperData(table) + "\r\n";
  return saved;
}

long frmUpdateCDS::CountColumns(const std::string& line, const std::string& delimiter) {
  if (Blank(line) || delimiter.empty()) return 0;
  long count = 1;
  for (std::size_t at = line.find(delimiter); at != std::string::npos; at = line.find(delimiter, at + delimiter.size()))
    ++count;
  return count;
}

std::string frmUpdateCDS::GetColValue(const std::string& line, const std::string& delimiter, long position) {
  if (Blank(line) || (delimiter != "," && delimiter != " ") || position < 1) return {};
  std::size_t start = 0;
  for (long c = 1; c < position; ++c) {
    const std::size_t at = line.find(delimiter, start);
    if (at == std::string::npos) return {};
    start = at + 1;
  }
  const std::size_t end = line.find(delimiter, start);
  return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

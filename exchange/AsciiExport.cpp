#include "AsciiExport.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "AsciiFile.h"
#include "Utilities.h"
#include "db/Catalog.h"
#include "db/Recordset.h"
#include "db/SqlText.h"
#include "ui/Dialogs.h"
#include "vb/App.h"
#include "vb/Conversions.h"
#include "vb/Trap.h"

namespace {

constexpr const char* kModule = "frmMain";
constexpr const char* kFootnote = "LEA(s) represented with () Indicates Selpa AU.";
constexpr const char* kFilter = "Text (*.txt)|*.txt";

// --- Table groups --------------------------------------------------------------------

enum class Compare { UpperCased, Exact };
struct TableOfGroup {
  const char* name;
  Compare compare;
};
// Rows of the whole year and period (not of one county); report lines show
// a school's code in parentheses, and the report ends with a footnote.
constexpr TableOfGroup kSelpaTables[] = {{"INFANTFUNDING", Compare::UpperCased},
                                         {"SENPSLCI", Compare::UpperCased},
                                         {"SECOSTPOOL", Compare::UpperCased},
                                         {"SELPAMENTALHEALTH", Compare::UpperCased}};
// An agency's rows are those of its county and district, whatever the
// school.
constexpr TableOfGroup kDistrictWideTables[] = {
    {"GATE", Compare::UpperCased},         {"SPEDTAXALLOC", Compare::UpperCased},
    {"SELPAADAALLOC", Compare::UpperCased}, {"ROCPSCHOOL", Compare::UpperCased},
    {"BRL_SD_CSP_NEW", Compare::Exact},    {"GATE_ALL", Compare::Exact},
    {"BRL_SD_NSCHS_ADA", Compare::Exact},  {"BRL_SD_NSHS_ADA", Compare::Exact},
    {"BRL_SD_NSES_ADA", Compare::Exact}};
// Secondary tables whose rows are of the whole year and period.
constexpr TableOfGroup kYearLevelTables[] = {{"INFANTFUNDINGALLOCATION", Compare::UpperCased},
                                             {"INFANTFUNDINGTRANSFER", Compare::UpperCased}};
// Forms whose rows and columns are those of another table.
struct StoredIn {
  const char* form;
  const char* table;
};
constexpr StoredIn kStoredElsewhere[] = {{"ATTCSSBC", "ATTCSBGCOE"}, {"ATTCSEHS", "ATTCSBGCOE"}};
// The secondary blocks behind a main table (compared exactly), in file
// order.
struct Blocks {
  const char* mainTable;
  std::vector<const char*> tables;
};
const std::vector<Blocks>& SecondaryBlocks() {
  static const std::vector<Blocks> blocks = {{"ATTCSBGCOE", {"AttCsBgCoeAda"}},
                                             {"INFANTFUNDING", {"InfantFundingAllocation", "InfantFundingTransfer"}}};
  return blocks;
}

bool InGroup(std::span<const TableOfGroup> group, const std::string& table) {
  const std::string upper = vb::UCase(table);
  return std::any_of(group.begin(), group.end(), [&](const TableOfGroup& t) {
    return (t.compare == Compare::Exact ? table : upper) == t.name;
  });
}

std::string SourceTable(const std::string& form) {
  const std::string upper = vb::UCase(form);
  for (const StoredIn& s : kStoredElsewhere)
    if (upper == s.form) return s.table;
  return form;
}

// --- What the logged-on user's group restricts ------------------------------------------

struct GroupScope {
  std::int32_t group;
  bool byDistrict;  // the first agency's district only
  bool bySchool;    // and its school
  const char* order;
};
constexpr GroupScope kGroupScopes[] = {
    {2, false, false, "F.COUNTY_ID, F.PERIOD_ID"},
    {5, false, false, "F.COUNTY_ID, F.PERIOD_ID"},
    {7, false, false, "F.COUNTY_ID, F.PERIOD_ID"},
    {3, true, false, "F.COUNTY_ID, F.PERIOD_ID, F.SCHOOL_DISTRICT_ID"},
    {4, true, true, "F.COUNTY_ID, F.PERIOD_ID, F.SCHOOL_DISTRICT_ID, F.SCHOOL_ID"},
};

// --- Agencies ----------------------------------------------------------------------------

struct Agency {
  std::string district;  // as the selection holds them
  std::string school;
  std::int32_t countyId;
  std::int32_t districtId;
  std::int32_t schoolId;
};

Agency AgencyAt(const AsciiExport& run, int row) {
  const std::string& county = run.marrSelectedLEAs.At(4, row);
  Agency a{run.marrSelectedLEAs.At(0, row), run.marrSelectedLEAs.At(1, row), 0, 0, 0};
  a.countyId = vb::CLng(vb::Variant(county));
  a.districtId = vb::CLng(vb::Variant(a.district));
  a.schoolId = vb::CLng(vb::Variant(a.school));
  return a;
}

bool IsSchool(const Agency& a) { return vb::Val(a.school) != 0; }

// How an agency is named in the report and in messages.
std::string AgencyText(const Agency& a, bool selpa) {
  if (!IsSchool(a)) return a.district;
  const vb::Variant school(vb::Val(a.school));
  return selpa ? a.district + vb::Format(school, "(#0)") : a.district + "-" + vb::Format(school, "0000000");
}

std::string ReportLine(const Agency& a, bool selpa, std::optional<std::int32_t> count) {
  const std::string gap = selpa && !IsSchool(a) ? "      " : " ";
  return "\tLEA: " + AgencyText(a, selpa) + gap +
         (count ? "-- Number of Records Exported = " + std::to_string(*count) : std::string("-- No Record(s) to Export.")) +
         "\r\n";
}

// Leaves the agency's rows of the year and period in view; `withSchool`
// also by school.
void FilterAgency(db::Recordset& rows, const Agency& a, const AsciiExport& run, bool withSchool) {
  const int county = rows.FieldIndex("COUNTY_ID"), district = rows.FieldIndex("SCHOOL_DISTRICT_ID"),
            school = rows.FieldIndex("SCHOOL_ID"), year = rows.FieldIndex("FISCAL_YEAR"),
            period = rows.FieldIndex("PERIOD_ID");
  for (int index : {county, district, school, year, period})
    if (index < 0) vb::Raise(vb::err::ItemNotFound);
  const auto is = [](const db::RowView& row, int index, std::int32_t value) {
    const vb::Variant v = row.Value(index);
    return !v.IsNull() && vb::CDbl(v) == value;
  };
  rows.Filter([=, &run](const db::RowView& row) {
    return is(row, county, a.countyId) && is(row, district, a.districtId) && is(row, year, run.ReportYear) &&
           is(row, period, run.ReportPeriod) && (!withSchool || is(row, school, a.schoolId));
  });
}

// --- Queries ---------------------------------------------------------------------------------

struct Columns {
  std::string labels;  // joined by the delimiter
  std::string select;  // quoted names joined by ","
};

std::string Quoted(const std::string& name) {
  std::string q = "\"";
  for (char c : name) q += c == '"' ? std::string("\"\"") : std::string(1, c);
  return q + "\"";
}

Columns ColumnsOf(db::Connection& conn, const std::string& table, const asciifile::Layout& layout, bool twoColumn,
                  const std::string& delimiter) {
  Columns c;
  for (const std::string& name : db::catalog::ColumnNames(conn, table)) {
    c.labels += (c.labels.empty() ? "" : delimiter) + layout.Label(name, twoColumn);
    c.select += (c.select.empty() ? "" : ",") + Quoted(name);
  }
  return c;
}

// The conditions of a data query: the year and period, the first agency's
// county unless `allCounties`, and what the user's group restricts to;
// then its order, ties by the table's key.
void AppendScope(db::SqlText& q, const AsciiExport& run, const Agency& first, bool allCounties) {
  q << " F WHERE ";
  if (!allCounties) q << "F.COUNTY_ID = " << db::Param(vb::Variant(first.countyId)) << " AND ";
  q << "F.FISCAL_YEAR = " << db::Param(vb::Variant(run.ReportYear)) << " AND F.PERIOD_ID = "
    << db::Param(vb::Variant(run.ReportPeriod));
  for (const GroupScope& g : kGroupScopes) {
    if (g.group != run.LogonUserGroup) continue;
    if (g.byDistrict) q << " AND F.SCHOOL_DISTRICT_ID = " << db::Param(vb::Variant(first.districtId));
    if (g.bySchool) q << " AND F.SCHOOL_ID = " << db::Param(vb::Variant(first.schoolId));
  }
}

void AppendOrder(db::SqlText& q, const AsciiExport& run, const std::vector<std::string>& key) {
  std::string order;
  for (const GroupScope& g : kGroupScopes)
    if (g.group == run.LogonUserGroup) order = g.order;
  for (const std::string& column : key) order += (order.empty() ? "" : ", ") + ("F." + Quoted(column));
  if (!order.empty()) q << " ORDER BY " << order;
}

db::RecordsetPtr DataRows(db::Connection& conn, const AsciiExport& run, const std::string& table,
                          const std::string& select, bool allCounties) {
  const Agency first = AgencyAt(run, 0);
  db::SqlText q;
  q << "SELECT " << select << " FROM " << db::catalog::RequireSqlName(conn, table);
  AppendScope(q, run, first, allCounties);
  AppendOrder(q, run, db::catalog::PrimaryKey(conn, table));
  return db::Recordset::Query(q.Sql(), run.conn, q.Params());
}

// --- Lines -------------------------------------------------------------------------------

// A value the file cannot carry: where it stands.
struct Refusal {
  std::string column;
  std::string agency;
};

// The current row's values joined by the delimiter; nullopt (with the
// refusal) when one of them cannot be carried.
std::optional<std::string> ValuesOf(const db::Recordset& rows, const std::string& delimiter, const std::string& agency,
                                    std::optional<Refusal>& refusal) {
  std::string line;
  for (int i = 0; i < rows.FieldCount(); ++i) {
    const std::string text = asciifile::ValueText(rows.Value(i));
    if (!asciifile::Carriable(text)) {
      refusal = Refusal{rows.FieldInfo(i).name, agency};
      return std::nullopt;
    }
    line += (i ? delimiter : "") + text;
  }
  return line;
}

void Refuse(const Refusal& r) {
  ui::MsgBox("The ASCII file was not written: the value of " + r.column + " for LEA " + r.agency +
                 " holds a comma, a line break or a character that the file cannot carry. Change it and export again.",
             ui::vbExclamation);
}

// A step of the writer: run again after Retry, it starts over from the
// lines and count it began with.
template <class Work>
void WriterStep(Trap& trap, asciifile::LineWriter& out, AsciiExport& run, Work&& work) {
  const long lines = out.Lines();
  const std::int32_t count = run.mintRecordCount;
  trap([&] {
    out.Rewind(lines);
    run.mintRecordCount = count;
    work();
  });
}

std::optional<Refusal> WriteBlockRows(AsciiExport& run, const std::string& tableName, const std::string& delimiter,
                                      asciifile::LineWriter& out, const db::RecordsetPtr& rows,
                                      const std::string& labels) {
  bool begun = false;
  std::optional<Refusal> refusal;
  for (run.mintLEAIndex = 0; run.mintLEAIndex < run.mintLEACount; ++run.mintLEAIndex) {
    const Agency a = AgencyAt(run, run.mintLEAIndex);
    FilterAgency(*rows, a, run, true);
    for (; !rows->Eof(); rows->MoveNext()) {
      const auto values = ValuesOf(*rows, delimiter, AgencyText(a, false), refusal);
      if (!values) return refusal;
      ++run.mintRecordCount;
      if (!begun) {
        out.WriteLine(asciifile::kEndLine);
        out.WriteLine(tableName + "," + labels);
        begun = true;
      }
      out.WriteLine(tableName + "," + *values);
    }
  }
  return std::nullopt;
}

}  // namespace

bool WriteAsciiExportRows(AsciiExport& run, const std::string& tableName, const std::string& delimiter,
                          asciifile::LineWriter& out) {
  run.mintLEAIndex = 0;
  if (run.mintLEACount < 1) return true;
  db::Connection& conn = vb::Deref(run.conn.get());
  const bool yearLevel = InGroup(kYearLevelTables, tableName);
  const std::string sqlName = db::catalog::RequireSqlName(conn, tableName);
  // Whether the block has rows in its scope at all: any selected agency's
  // (not only the first one's) makes it worth reading.
  db::SqlText probe;
  probe << "SELECT 1 FROM " << sqlName;
  AppendScope(probe, run, AgencyAt(run, 0), yearLevel);
  probe << " LIMIT 1";
  if (conn.Scalar(probe.Sql(), probe.Params()).IsEmpty()) return true;

  const asciifile::Layout layout =
      asciifile::Layout::OfForm(conn, vb::Variant(run.marrSelectedPrograms.At(1, run.mintProgramIndex)));
  const Columns columns = ColumnsOf(conn, tableName, layout,
                                    layout.TwoColumn(asciifile::TwoColumnTest::ColumnBOrFieldB), delimiter);
  const db::RecordsetPtr rows = DataRows(conn, run, tableName, columns.select, yearLevel);
  const std::optional<Refusal> refusal = WriteBlockRows(run, tableName, delimiter, out, rows, columns.labels);
  if (refusal) Refuse(*refusal);
  return !refusal;
}

bool WriteAsciiExportFile(AsciiExport& run, std::string& proposedName, const std::string& tableName,
                          const std::string& delimiter) {
  run.mintLEAIndex = 0;
  std::replace(proposedName.begin(), proposedName.end(), '/', ' ');
  std::replace(proposedName.begin(), proposedName.end(), '"', ' ');

  Trap trap(kModule, "WriteAsciiExportFile");
  std::optional<std::string> chosen;
  trap([&] {
    ui::FileDialogRequest request;
    request.filter = kFilter;
    request.fileName = proposedName;
    request.initialDir = vb::App::Path() + "/Export";
    chosen = ui::dialogs().SaveFile(request);
  });
  if (!chosen || trap.Failed()) return false;
  run.mstrExportFileName = *chosen;
  // The command puts the pointer back.
  Utilities::ScreenMouseEnabled(false);

  const bool selpa = InGroup(kSelpaTables, tableName);
  const bool districtWide = InGroup(kDistrictWideTables, tableName);
  std::unique_ptr<asciifile::LineWriter> out;
  trap([&] { out = std::make_unique<asciifile::LineWriter>(run.mstrExportFileName); });
  if (!out) return false;

  db::RecordsetPtr rows;
  std::optional<Refusal> refusal;
  std::string report;
  bool exported = false;
  WriterStep(trap, *out, run, [&] {
    db::Connection& conn = vb::Deref(run.conn.get());
    const std::string source = SourceTable(tableName);
    const asciifile::Layout layout =
        asciifile::Layout::OfForm(conn, vb::Variant(run.marrSelectedPrograms.At(1, run.mintProgramIndex)));
    const Columns columns =
        ColumnsOf(conn, source, layout, layout.TwoColumn(asciifile::TwoColumnTest::ColumnB), delimiter);
    out->WriteLine(tableName + "," + columns.labels);
    rows = DataRows(conn, run, source, columns.select, selpa);
  });
  if (trap.Failed()) return false;

  if (rows && rows->RecordCount() > 0) {
    // The writing pass.
    WriterStep(trap, *out, run, [&] {
      for (run.mintLEAIndex = 0; run.mintLEAIndex < run.mintLEACount && !refusal; ++run.mintLEAIndex) {
        const Agency a = AgencyAt(run, run.mintLEAIndex);
        FilterAgency(*rows, a, run, !districtWide);
        for (; !rows->Eof(); rows->MoveNext()) {
          const auto values = ValuesOf(*rows, delimiter, AgencyText(a, selpa), refusal);
          if (!values) break;
          out->WriteLine(tableName + "," + *values);
        }
      }
    });
    if (refusal) {
      Refuse(*refusal);
      return false;
    }
    for (const Blocks& blocks : SecondaryBlocks()) {
      if (tableName != blocks.mainTable) continue;
      for (const char* block : blocks.tables) {
        bool written = true;
        WriterStep(trap, *out, run, [&] { written = WriteAsciiExportRows(run, block, delimiter, *out); });
        if (!written) return false;
      }
    }
    // The counting pass: the first agency's count also holds the rows of
    // the secondary blocks.
    trap([&] {
      report.clear();
      exported = false;
      for (run.mintLEAIndex = 0; run.mintLEAIndex < run.mintLEACount; ++run.mintLEAIndex) {
        const Agency a = AgencyAt(run, run.mintLEAIndex);
        FilterAgency(*rows, a, run, !districtWide);
        if (rows->RecordCount() < 1) {
          report += ReportLine(a, selpa, std::nullopt);
        } else {
          run.mintRecordCount += static_cast<std::int32_t>(rows->RecordCount());
          report += ReportLine(a, selpa, run.mintRecordCount);
          exported = true;
        }
        run.mintRecordCount = 0;
      }
    });
  } else {
    trap([&] {
      report.clear();
      for (run.mintLEAIndex = 0; run.mintLEAIndex < run.mintLEACount; ++run.mintLEAIndex)
        report += ReportLine(AgencyAt(run, run.mintLEAIndex), selpa, std::nullopt);
    });
  }
  run.mintRecordCount = 0;
  if (trap.Failed()) return false;
  trap([&] { out->Commit(); });
  if (trap.Failed()) return false;

  run.mstrExportReport += report;
  run.mblnRecordsExported = run.mblnRecordsExported || exported;
  // A file without rows gets no footnote: the command shows none for it.
  if (selpa && exported) run.mstrExportFootnote = kFootnote;
  return true;
}

#pragma once
// What the charter attendance rule sets share: the grade spans, the value
// rules their conditions follow, the anatomy of one failed check, the
// families of checks as tables driving one routine each, and the rule set's
// own queries on the database.
//
// Column names in the tables are patterns: "{span}" stands for a span's
// column infix (GradesTKTO3), "{short}" for the same without "Grades"
// (TKTO3, 4TO6: the community-day-school columns) and "{ncb}" for the infix
// of the NCBAda columns (TKTO3, Grades4TO6).

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "modGeneralRoutines.h"

namespace modAttendanceCharter {

// --- Grade spans -------------------------------------------------------------

struct Span {
  std::string_view label;       // in messages: "(TK/K-3)"
  std::string_view infix;       // GradesTKTO3
  std::string_view shortInfix;  // TKTO3
  std::string_view ncbInfix;    // TKTO3, then Grades4TO6 ...
  std::string_view alias;       // suffix of a total's alias: A to D
};
inline constexpr std::array<Span, 4> kSpans{
    Span{"(TK/K-3)", "GradesTKTO3", "TKTO3", "TKTO3", "A"},
    Span{"(Grades 4-6)", "Grades4TO6", "4TO6", "Grades4TO6", "B"},
    Span{"(Grades 7-8)", "Grades7TO8", "7TO8", "Grades7TO8", "C"},
    Span{"(Grades 9-12)", "Grades9TO12", "9TO12", "Grades9TO12", "D"},
};

// The column a pattern names for a span.
std::string ColumnFor(std::string_view pattern, const Span& span);

// --- Values ------------------------------------------------------------------
// Conditions compare with rulegate::Compare / And / Or: a Null operand makes
// a comparison Null and a check fires only when its whole condition is
// true; Empty counts as 0 or ""; texts compare exactly (case and blanks
// count). Numbers compare as exact decimals: a stored double takes part as
// the decimal of its 15-significant-digit text, so 0.1 + 0.2 equals 0.3.

// A value as conditions take it: a double as its exact decimal, anything
// else as it is.
vb::Variant Exact(const vb::Variant& value);
// The value of a column of the row's current row, as conditions take it.
vb::Variant ValueOf(const db::Recordset& row, std::string_view column);
// The sum of the values of columns: Null when any of them is Null.
vb::Variant SumOf(const db::Recordset& row, const std::vector<std::string>& columns);

// --- One failed check --------------------------------------------------------

// The widest message a result row holds; a longer one is cut to it.
inline constexpr std::size_t kMessageWidth = 255;

// Where a rule set reports to: the form's rows (whose current row gives the
// keys) and the result.
struct Reporter {
  const db::RecordsetPtr& CurrentValues;
  const db::RecordsetPtr& RsErr;
  // Adds the row of a failed check, writes its message (cut to the width
  // of the field) and copies the current row's keys into it.
  void operator()(const rulegate::Check& check) const;
};

// Texts that a check in a loop over other rows puts around its caption and
// message: the track's label and " - " before both, or the names of a
// district of residence after the message.
struct Decoration {
  std::string captionPrefix;
  std::string messagePrefix;
  std::string messageSuffix;
};
Decoration TrackDecoration(std::string_view label);
Decoration ResidenceDecoration(const vb::Variant& countyName, const vb::Variant& districtName);

// --- Lines of a screen -------------------------------------------------------

// One line of a screen section: its section letter and number, the pattern
// of its column and its caption.
struct Line {
  std::string section;
  std::string lineNo;
  std::string column;
  std::string caption;
  std::string Name() const { return section + "-" + lineNo; }
};

// A program line that a screen reports with its classroom-based part: the
// stem of its columns (with "{span}" or "{short}") and its caption.
struct Program {
  std::string_view stem;
  std::string_view caption;
};

// The lines of a section that reports each program on two lines, numbered
// from `first`: the program's line (stem + ending) and its classroom-based
// part (stem + "_CB" + ending), captioned "Classroom-based ADA included in"
// and the name of the line before it.
std::vector<Line> ProgramLines(std::string_view section, int first, const std::vector<Program>& programs,
                               std::string_view ending);

// --- Family: a value within its bound ----------------------------------------

// A line whose value must not be greater than its bound: one column, or the
// sum of several, of the same row. The message is "Line <line> <span> must
// be less than or equal to <boundText> <span>", unless the check gives its
// own; a check of the first span only has its own.
struct Bound {
  Line line;
  std::vector<std::string> bound;  // column patterns, summed
  std::string boundText;           // "line A-1", "the sum of lines A-13 and B-13"
  std::string message;             // its own message, empty for the composed one
  bool firstSpanOnly = false;
};
// The classroom-based part of each program within its line: the even
// lines of `lines` against the line before each.
std::vector<Bound> PartsWithinLines(const std::vector<Line>& lines);
// Runs the checks line by line, span by span, on the current row of `row`.
void CheckBounds(const Reporter& report, const db::Recordset& row, const std::vector<Bound>& bounds,
                 const Decoration& decoration = {});

// --- Family: a site type and its classroom-based totals ----------------------

// Fires (a warning) when SiteType is exactly `siteType` and at least one
// span has its total above 0 and its classroom-based total meeting
// `classroomBasedTest` against 0.
struct SiteTypeCheck {
  std::string_view siteType;
  std::string_view total;           // column pattern
  std::string_view classroomBased;  // column pattern
  rulegate::Op classroomBasedTest;
  std::string_view message;
};
void CheckSiteTypes(const Reporter& report, const db::Recordset& row, const std::vector<SiteTypeCheck>& checks);

// --- The rule set's own queries ----------------------------------------------

// The rule set's queries on the rows that belong to the current row of the
// form: one connection, opened from the thread's connection string at the
// first query; the current row's keys are bound (a Null key is error 94).
class OwnQueries {
 public:
  explicit OwnQueries(const db::Recordset& current) : current_(current) {}
  const db::Recordset& Current() const { return current_; }

  // One row: under each alias, the exact decimal total of its column over
  // the rows of `table` with the current row's period, county, district
  // and school (Null when no row has a value).
  struct Total {
    std::string column;
    std::string alias;
  };
  db::RecordsetPtr Totals(std::string_view table, const std::vector<Total>& totals);
  // The rows of `table` with the current row's period, county, district and
  // school, in the order of the table's key.
  db::RecordsetPtr Rows(std::string_view table);
  // CHARTER_TYPE of the current row's agency in the current row's fiscal
  // year; error 3021 when the directory has no such row.
  vb::Variant CharterType();

 private:
  const db::ConnectionPtr& Connection();

  const db::Recordset& current_;
  db::ConnectionPtr conn_;
};

// --- Family: a total of other rows equals a line -----------------------------

// A line of the form that a total of other rows must equal: the line that
// is totalled (Section, number, caption, column in the other table) and
// the form's line that it is compared with (its column is the FieldName).
struct TotalOfLine {
  Line totalled;
  Line compared;
};
// A message of the family: "{line}" the totalled line, "{compared}" the
// compared line, "{label}" the span.
struct TotalsFamily {
  std::string_view table;
  std::string_view aliasPrefix;  // the alias of a total: prefix, line number, span suffix
  std::string_view message;
  std::vector<TotalOfLine> lines;
  struct OwnMessage {
    std::string_view lineNo;
    std::size_t span;
    std::string_view message;
  };
  std::vector<OwnMessage> ownMessages;  // checks whose text departs from the rule
};
// Each line of `totalled` paired with the line of `compared` at the same
// place.
std::vector<TotalOfLine> TotalsOfLines(const std::vector<Line>& totalled, const std::vector<Line>& compared);
// Runs the totals query and the checks, line by line, span by span.
void CheckTotals(const Reporter& report, OwnQueries& own, const TotalsFamily& family);

// --- Loops over other rows ---------------------------------------------------

// Runs `check` on each of the first five track rows of `table`, with the
// track's label ("Track A" for TrackNumber 1 to "Track E" for 5, else
// empty).
void ForFirstTracks(OwnQueries& own, std::string_view table,
                    const std::function<void(const db::Recordset& track, const std::string& label)>& check);
// Runs `check` on every row of `table`.
void ForEachRow(OwnQueries& own, std::string_view table, const std::function<void(const db::Recordset& row)>& check);

}  // namespace modAttendanceCharter

#pragma once
// What the charter attendance rule sets share: the grade spans, the value
// rules their conditions follow, the anatomy of one failed check, the
// families of checks as tables driving one routine each, and the rule set's
// own queries on the database.
//
// Column names in the tables are patterns: "{span}" stands for a span's
// column infix (GradesTKTO3), "{short}" for the same without "Grades"
// (TKTO3, 4TO6: the community-day-school columns) and "{ncb}" for the infix
// of the NCBAda columns (TKTO3, Grades4TO6). A screen whose columns spell
// its spans differently from place to place names the spelling of each span
// in braces: "TotalADA{Elementary|High}_NCB" is TotalADAElementary_NCB for
// the first span and TotalADAHigh_NCB for the second.

#include <array>
#include <cstddef>
#include <functional>
#include <span>
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
  std::size_t place;            // 0 for the first span: picks a spelling in braces
};
using Spans = std::span<const Span>;
// The four grade spans of the charter screens.
inline constexpr std::array<Span, 4> kSpans{
    Span{"(TK/K-3)", "GradesTKTO3", "TKTO3", "TKTO3", "A", 0},
    Span{"(Grades 4-6)", "Grades4TO6", "4TO6", "Grades4TO6", "B", 1},
    Span{"(Grades 7-8)", "Grades7TO8", "7TO8", "Grades7TO8", "C", 2},
    Span{"(Grades 9-12)", "Grades9TO12", "9TO12", "Grades9TO12", "D", 3},
};
// The county office's two spans, elementary and high school; their columns
// spell them in braces.
inline constexpr std::array<Span, 2> kSchoolLevels{
    Span{"(ELEMENTARY)", "", "", "", "e", 0},
    Span{"(HIGH)", "", "", "", "h", 1},
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

// The widest caption a result row holds.
inline constexpr std::size_t kCaptionWidth = 512;

// Where a rule set reports to: the rows whose current row gives the keys
// (the form's, as a rule) and the result.
struct Reporter {
  const db::Recordset& keysFrom;
  const db::RecordsetPtr& RsErr;
  // The row's district of residence (Res_County_ID, Res_School_District_ID
  // of keysFrom) goes into the result row too.
  bool withResidence = false;
  // The result row's Where_Clause repeats its message.
  bool messageAsWhere = false;
  // Adds the row of a failed check (its caption cut to the width of the
  // field), writes the residence, the message (cut to the width of its
  // field) and the Where_Clause when asked, and copies the keys.
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
// The caption and message of a check with the decoration around them; with
// suffixOnCaption the suffix follows the caption and the message stays bare.
struct Texts {
  std::string caption;
  std::string message;
};
Texts Decorate(const Decoration& decoration, std::string_view caption, std::string_view message,
               bool suffixOnCaption = false);
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
// part (by default stem + "_CB" + ending), captioned "Classroom-based ADA
// included in" and the name of the line before it.
std::vector<Line> ProgramLines(std::string_view section, int first, const std::vector<Program>& programs,
                               std::string_view ending, std::string_view classroomBased = "{stem}_CB{ending}");

// Captions, messages and program lines that several charter screens share.
inline constexpr const char* kTransitionalKindergarten = "ADA for Students in Transitional Kindergarten";
inline constexpr const char* kCourseBased = "Course Based Independent Study ADA";
inline constexpr const char* kCourseBasedNotEligible = "Course Based Independent Study ADA not eligible for funding";
inline constexpr std::string_view kTrackTotalsMessage =
    "The sum of ADA reported in line {line} {label} for all Tracks must equal the ADA in line {compared} {label}";
inline constexpr std::string_view kAllocationTotalsMessage =
    "The sum of ADA allocated on line {line} {label} must equal the ADA in line {compared} {label}";
// The programs of the charter's attendance, which its split by district of
// residence reports again.
inline const std::vector<Program> kCharterPrograms{
    {"RegularADA_{span}", "Regular ADA"},
    {"ExtYearSpEd_{span}", "Extended Year Special Education"},
    {"SpEd_56366_{span}", "Special Education - Nonpublic, Nonsectarian Schools"},
    {"ExtYearSpEd_56366_{span}", "Extended Year Special Education - Nonpublic, Nonsectarian Schools"},
};

// --- Family: a value within its bound ----------------------------------------

// A line whose value must not be greater than its bound: one column, or the
// sum of several, of the same row. The message is "Line <line> <span> must
// be less than or equal to <boundText> <span>", unless the check gives its
// own; a check of the first span only has its own. The FieldName is the
// line's column unless the check names another.
struct Bound {
  Line line;
  std::vector<std::string> bound{};  // column patterns, summed
  std::string boundText{};           // "line A-1", "the sum of lines A-13 and B-13"
  std::string message{};             // its own message, empty for the composed one
  bool firstSpanOnly = false;
  std::string fieldName{};  // column pattern of its FieldName, empty for the line's column
  // A span of the line whose texts depart from the rule.
  struct OwnSpanText {
    std::size_t span;
    std::string message{};         // its own message, empty for the composed one
    bool suffixOnCaption = false;  // the decoration's suffix goes after the caption
  };
  std::vector<OwnSpanText> ownSpanTexts{};
};
// The classroom-based part of each program within its line: the even
// lines of `lines` against the line before each.
std::vector<Bound> PartsWithinLines(const std::vector<Line>& lines);
// The check of `bounds` on line `lineNo` (error 5 when there is none).
Bound& BoundOfLine(std::vector<Bound>& bounds, std::string_view lineNo);
// Runs the checks line by line, span by span, on the current row of `row`.
void CheckBounds(const Reporter& report, const db::Recordset& row, const std::vector<Bound>& bounds,
                 const Decoration& decoration = {}, Spans spans = kSpans);

// --- Family: ADA on a line needs a program box -------------------------------

// Fires when the line's total is above 0 and every one of its program boxes
// equals 0 (a box holds -1 when ticked, 0 when not); a Null among them
// keeps it from firing. The message is "If data entered on Line <line>, you
// must check the box(s) for program(s) that are applicable to the ADA
// reported on Line <line>", its decoration, and a full stop.
struct ProgramBoxCheck {
  Line line;  // its column is the total, the FieldName
  std::vector<std::string> boxes;
};
void CheckProgramBoxes(const Reporter& report, const db::Recordset& row, const ProgramBoxCheck& check,
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
  std::string message;
};
// A site-based charter must report classroom-based ADA in every span with
// ADA; an independent-study charter must report none. `line` names the
// screen's line of classroom-based ADA totals in the warning.
SiteTypeCheck SiteBased(std::string_view total, std::string_view classroomBased, std::string_view line);
SiteTypeCheck IndependentStudy(std::string_view total, std::string_view classroomBased, std::string_view line);
void CheckSiteTypes(const Reporter& report, const db::Recordset& row, const std::vector<SiteTypeCheck>& checks,
                    Spans spans = kSpans);

// --- The rule set's own queries ----------------------------------------------

// Which rows of another table belong to the form's current row: those of
// its period, county, district and school, or those of its fiscal year
// too.
enum class Belonging { SamePeriod, SameYearAndPeriod };

// The rule set's queries on the rows that belong to the current row of the
// form: one connection, opened from the thread's connection string at the
// first query. The current row's keys are taken when the queries are made
// ready (a Null key is error 94) and bound into every query.
class OwnQueries {
 public:
  explicit OwnQueries(const db::Recordset& current, Belonging belonging = Belonging::SamePeriod);
  const db::Recordset& Current() const { return current_; }

  // One row: under each alias, the exact decimal total of its column over
  // the rows of `table` that belong to the current row (Null when no row
  // has a value).
  struct Total {
    std::string column;
    std::string alias;
  };
  db::RecordsetPtr Totals(std::string_view table, const std::vector<Total>& totals);
  // The rows of `table` that belong to the current row, in the order of
  // the table's key.
  db::RecordsetPtr Rows(std::string_view table);
  // CHARTER_TYPE of the current row's agency in the current row's fiscal
  // year; error 3021 when the directory has no such row.
  vb::Variant CharterType();

 private:
  const db::ConnectionPtr& Connection();

  const db::Recordset& current_;
  db::SqlText keys_;
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
// compared line, "{label}" the span. A check fails when the total stands
// to the compared value as `fails` says (by default: differs from it), or,
// with noTotalFails, when there is no total at all.
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
  std::vector<OwnMessage> ownMessages{};  // checks whose text departs from the rule
  Spans spans = kSpans;
  rulegate::Op fails = rulegate::Op::Ne;
  bool noTotalFails = false;
};
// Each line of `totalled` paired with the line of `compared` at the same
// place.
std::vector<TotalOfLine> TotalsOfLines(const std::vector<Line>& totalled, const std::vector<Line>& compared);
// The value a total is compared with, by the compared column's name.
using ComparedValue = std::function<vb::Variant(const std::string& column)>;
// Runs the totals query and the checks, line by line, span by span. The
// compared value is the current row's column unless `compared` gives it.
void CheckTotals(const Reporter& report, OwnQueries& own, const TotalsFamily& family,
                 const ComparedValue& compared = {});

// --- Loops over other rows ---------------------------------------------------

// Runs `check` on each of the first five track rows of `table`, with the
// track's label ("Track A" for TrackNumber 1 to "Track E" for 5, else
// empty).
void ForFirstTracks(OwnQueries& own, std::string_view table,
                    const std::function<void(const db::Recordset& track, const std::string& label)>& check);
// Runs `check` on every row of `table`.
void ForEachRow(OwnQueries& own, std::string_view table, const std::function<void(const db::Recordset& row)>& check);

}  // namespace modAttendanceCharter

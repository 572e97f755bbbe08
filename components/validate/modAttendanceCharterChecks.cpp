#include "modAttendanceCharterChecks.h"

#include "db/Catalog.h"
#include "vb/Conversions.h"

namespace modAttendanceCharter {
namespace {

using rulegate::Compare;
using rulegate::Fires;
using rulegate::Op;

// The pattern with each {name} replaced by its text.
std::string Fill(std::string_view pattern,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
  std::string text(pattern);
  for (const auto& [name, value] : values) text = vb::Replace(text, name, value);
  return text;
}

// The pattern with each choice "{a|b}" replaced by its alternative at
// `place`.
std::string Choose(std::string_view pattern, std::size_t place) {
  std::string text;
  std::size_t at = 0;
  while (at < pattern.size()) {
    const std::size_t open = pattern.find('{', at);
    const std::size_t close = open == std::string_view::npos ? open : pattern.find('}', open);
    if (close == std::string_view::npos) break;
    const std::string_view inside = pattern.substr(open + 1, close - open - 1);
    text += pattern.substr(at, open - at);
    if (inside.find('|') == std::string_view::npos) {
      text += pattern.substr(open, close - open + 1);
    } else {
      std::size_t from = 0;
      for (std::size_t i = 0; i < place && from != std::string_view::npos; ++i) {
        from = inside.find('|', from);
        if (from != std::string_view::npos) ++from;
      }
      if (from != std::string_view::npos) text += inside.substr(from, inside.find('|', from) - from);
    }
    at = close + 1;
  }
  text += pattern.substr(std::min(at, pattern.size()));
  return text;
}

constexpr std::string_view kProgramBoxMessage =
    "If data entered on Line {line}, you must check the box(s) for program(s) that are applicable to the ADA reported "
    "on Line {line}";

constexpr std::string_view kBoundMessage = "Line {line} {label} must be less than or equal to {bound} {label}";

// The keys that select the rows belonging to the form's current row.
db::SqlText RowKeys(const db::Recordset& current, Belonging belonging) {
  if (belonging == Belonging::SameYearAndPeriod)
    return rulegate::KeysOf(current, {"Fiscal_Year", "Period_ID", "County_ID", "School_District_ID", "School_ID"});
  return rulegate::KeysOf(current, {"Period_ID", "County_ID", "School_District_ID", "School_ID"});
}

constexpr std::array<std::string_view, 5> kTrackLabels{"Track A", "Track B", "Track C", "Track D", "Track E"};
constexpr int kTracksExamined = 5;

// The label of a track row: "Track A" for TrackNumber 1 up to "Track E" for
// 5, empty for any other number and for none.
std::string TrackLabel(const db::Recordset& track) {
  std::string label;
  for (std::size_t i = 0; i < kTrackLabels.size(); ++i) {
    if (Fires(Compare(track.Value("TrackNumber"), Op::Eq, static_cast<int>(i + 1)))) label = kTrackLabels[i];
  }
  return label;
}

}  // namespace

std::string ColumnFor(std::string_view pattern, const Span& span) {
  const std::string column =
      Fill(pattern, {{"{span}", span.infix}, {"{short}", span.shortInfix}, {"{ncb}", span.ncbInfix}});
  return Choose(column, span.place);
}

// --- Values ------------------------------------------------------------------

vb::Variant Exact(const vb::Variant& value) {
  if (value.Type() == vb::VarType::Double) return vb::Variant(vb::Decimal::FromDouble(value.AsDouble()));
  return value;
}

vb::Variant ValueOf(const db::Recordset& row, std::string_view column) { return Exact(row.Value(column)); }

vb::Variant SumOf(const db::Recordset& row, const std::vector<std::string>& columns) {
  // The component's one row sum: a double enters as its exact decimal there.
  const std::vector<std::string_view> names(columns.begin(), columns.end());
  return rulegate::SumOf(row, names);
}

// --- One failed check --------------------------------------------------------

void Reporter::operator()(const rulegate::Check& check) const {
  // A composed caption or message may name rows' texts of any length; the
  // row keeps what its field holds, and the checks go on.
  const std::string caption = vb::Left(check.Caption, kCaptionWidth);
  rulegate::Check added = check;
  added.Caption = caption;
  modGeneralRoutines::AddError(RsErr, added);
  if (withResidence) modGeneralRoutines::CopyResidence(keysFrom, RsErr);
  const std::string message = vb::Left(check.Message, kMessageWidth);
  modGeneralRoutines::SetErrorMsg(RsErr, message);
  if (messageAsWhere) RsErr->SetValue("Where_Clause", message);
  modGeneralRoutines::CopyKeys(keysFrom, RsErr);
}

Texts Decorate(const Decoration& decoration, std::string_view caption, std::string_view message, bool suffixOnCaption) {
  Texts texts{decoration.captionPrefix + std::string(caption), decoration.messagePrefix + std::string(message)};
  (suffixOnCaption ? texts.caption : texts.message) += decoration.messageSuffix;
  return texts;
}

Decoration TrackDecoration(std::string_view label) {
  const std::string prefix = std::string(label) + " - ";
  return {prefix, prefix, {}};
}

Decoration ResidenceDecoration(const vb::Variant& countyName, const vb::Variant& districtName) {
  return {{}, {}, " for " + vb::TextOf(countyName) + " - " + vb::TextOf(districtName)};
}

// --- Lines of a screen -------------------------------------------------------

std::vector<Line> ProgramLines(std::string_view section, int first, const std::vector<Program>& programs,
                               std::string_view ending, std::string_view classroomBased) {
  std::vector<Line> lines;
  int number = first;
  for (const Program& program : programs) {
    const std::string lineNo = std::to_string(number);
    lines.push_back(
        {std::string(section), lineNo, std::string(program.stem) + std::string(ending), std::string(program.caption)});
    lines.push_back({std::string(section), std::to_string(number + 1),
                     Fill(classroomBased, {{"{stem}", program.stem}, {"{ending}", ending}}),
                     "Classroom-based ADA included in " + std::string(section) + "-" + lineNo});
    number += 2;
  }
  return lines;
}

// --- Family: a value within its bound ----------------------------------------

std::vector<Bound> PartsWithinLines(const std::vector<Line>& lines) {
  std::vector<Bound> bounds;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
    const Line& total = lines[i];
    bounds.push_back({.line = lines[i + 1], .bound = {total.column}, .boundText = "line " + total.Name()});
  }
  return bounds;
}

Bound& BoundOfLine(std::vector<Bound>& bounds, std::string_view lineNo) {
  for (Bound& bound : bounds)
    if (bound.line.lineNo == lineNo) return bound;
  vb::Raise(vb::err::InvalidProcedureCall);
}

void CheckBounds(const Reporter& report, const db::Recordset& row, const std::vector<Bound>& bounds,
                 const Decoration& decoration, Spans spans) {
  for (const Bound& check : bounds) {
    const std::size_t count = check.firstSpanOnly ? 1 : spans.size();
    for (std::size_t s = 0; s < count; ++s) {
      const Span& span = spans[s];
      const std::string column = ColumnFor(check.line.column, span);
      std::vector<std::string> boundColumns;
      for (const std::string& pattern : check.bound) boundColumns.push_back(ColumnFor(pattern, span));
      const vb::Variant value = ValueOf(row, column);
      const vb::Variant bound = SumOf(row, boundColumns);
      if (!Fires(Compare(value, Op::Gt, bound))) continue;
      std::string message =
          check.message.empty()
              ? Fill(kBoundMessage,
                     {{"{line}", check.line.Name()}, {"{label}", span.label}, {"{bound}", check.boundText}})
              : check.message;
      bool suffixOnCaption = false;
      for (const Bound::OwnSpanText& own : check.ownSpanTexts) {
        if (own.span != s) continue;
        if (!own.message.empty()) message = own.message;
        suffixOnCaption = own.suffixOnCaption;
      }
      const Texts texts = Decorate(decoration, check.line.caption, message, suffixOnCaption);
      const std::string fieldName = check.fieldName.empty() ? column : ColumnFor(check.fieldName, span);
      report({check.line.section, check.line.lineNo, "", "E", fieldName, texts.caption, texts.message});
    }
  }
}

// --- Family: ADA on a line needs a program box -------------------------------

void CheckProgramBoxes(const Reporter& report, const db::Recordset& row, const ProgramBoxCheck& check,
                       const Decoration& decoration) {
  // Every box is read and compared, whatever the total holds.
  rulegate::Truth noBox = Compare(ValueOf(row, check.line.column), Op::Gt, 0);
  for (const std::string& box : check.boxes) noBox = rulegate::And(noBox, Compare(ValueOf(row, box), Op::Eq, 0));
  if (!Fires(noBox)) return;
  const Texts texts =
      Decorate(decoration, check.line.caption, Fill(kProgramBoxMessage, {{"{line}", check.line.Name()}}));
  report({check.line.section, check.line.lineNo, "", "E", check.line.column, texts.caption, texts.message + "."});
}

// --- Family: a site type and its classroom-based totals ----------------------

SiteTypeCheck SiteBased(std::string_view total, std::string_view classroomBased, std::string_view line) {
  return {"Site-based", total, classroomBased, Op::Eq,
          Fill("The charter is a site-based program and is not reporting Classroom-based ADA Totals (Line {line}). ",
               {{"{line}", line}})};
}

SiteTypeCheck IndependentStudy(std::string_view total, std::string_view classroomBased, std::string_view line) {
  return {
      "Independent Study", total, classroomBased, Op::Gt,
      Fill("The charter is an Independent Study program and is reporting Classroom-based ADA Totals (Line {line}). ",
           {{"{line}", line}})};
}

void CheckSiteTypes(const Reporter& report, const db::Recordset& row, const std::vector<SiteTypeCheck>& checks,
                    Spans spans) {
  static constexpr std::string_view kCaption = "What is the site type of the charter school?";
  for (const SiteTypeCheck& check : checks) {
    // Every comparison is made; a span with a blank total cannot meet the
    // test but leaves the others to.
    rulegate::Truth anySpan = false;
    for (const Span& span : spans) {
      const vb::Variant total = ValueOf(row, ColumnFor(check.total, span));
      const vb::Variant classroomBased = ValueOf(row, ColumnFor(check.classroomBased, span));
      anySpan = rulegate::Or(
          anySpan, rulegate::And(Compare(total, Op::Gt, 0), Compare(classroomBased, check.classroomBasedTest, 0)));
    }
    const rulegate::Truth sameType = Compare(row.Value("SiteType"), Op::Eq, check.siteType);
    if (Fires(rulegate::And(sameType, anySpan))) report({"", "", "", "W", "SiteType", kCaption, check.message});
  }
}

// --- The rule set's own queries ----------------------------------------------

OwnQueries::OwnQueries(const db::Recordset& current, Belonging belonging)
    : current_(current), keys_(RowKeys(current, belonging)) {}

const db::ConnectionPtr& OwnQueries::Connection() {
  if (!conn_) conn_ = modGeneralRoutines::OpenOwnConnection();
  return conn_;
}

db::RecordsetPtr OwnQueries::Totals(std::string_view table, const std::vector<Total>& totals) {
  const db::ConnectionPtr& conn = Connection();
  std::string select;
  for (const Total& total : totals) {
    select += select.empty() ? "SELECT " : ", ";
    select += "decsum(" + db::QuoteName(total.column) + ") AS " + db::QuoteName(total.alias);
  }
  return db::Recordset::Query(select + " FROM " + db::QuoteName(table) + keys_.Sql(), conn, keys_.Params());
}

db::RecordsetPtr OwnQueries::Rows(std::string_view table) {
  const db::ConnectionPtr& conn = Connection();
  std::string order;
  for (const std::string& column : db::catalog::PrimaryKey(*conn, table))
    order += (order.empty() ? " ORDER BY " : ", ") + db::QuoteName(column);
  return db::Recordset::Query("SELECT * FROM " + db::QuoteName(table) + keys_.Sql() + order, conn, keys_.Params());
}

vb::Variant OwnQueries::CharterType() {
  const db::ConnectionPtr& conn = Connection();
  // The directory holds a row per agency and fiscal year: the type is that
  // of the year being validated.
  const db::SqlText keys = rulegate::KeysOf(current_, {"Fiscal_Year", "County_ID", "School_District_ID", "School_ID"});
  auto agency = db::Recordset::Query("SELECT CHARTER_TYPE FROM KRN_LEAS" + keys.Sql(), conn, keys.Params());
  return agency->Value("CHARTER_TYPE");
}

// --- Family: a total of other rows equals a line -----------------------------

std::vector<TotalOfLine> TotalsOfLines(const std::vector<Line>& totalled, const std::vector<Line>& compared) {
  std::vector<TotalOfLine> lines;
  for (std::size_t i = 0; i < totalled.size() && i < compared.size(); ++i) lines.push_back({totalled[i], compared[i]});
  return lines;
}

void CheckTotals(const Reporter& report, OwnQueries& own, const TotalsFamily& family, const ComparedValue& compared) {
  const auto aliasOf = [&](const TotalOfLine& line, const Span& span) {
    return std::string(family.aliasPrefix) + line.totalled.lineNo + std::string(span.alias);
  };
  std::vector<OwnQueries::Total> totals;
  for (const TotalOfLine& line : family.lines) {
    for (const Span& span : family.spans)
      totals.push_back({ColumnFor(line.totalled.column, span), aliasOf(line, span)});
  }
  const db::RecordsetPtr sums = own.Totals(family.table, totals);
  const db::Recordset& current = own.Current();
  const ComparedValue comparedValue =
      compared ? compared : [&](const std::string& column) { return ValueOf(current, column); };

  for (const TotalOfLine& line : family.lines) {
    for (std::size_t s = 0; s < family.spans.size(); ++s) {
      const Span& span = family.spans[s];
      const vb::Variant total = sums->Value(aliasOf(line, span));
      const vb::Variant sum = total.IsNull() ? total : vb::Variant(vb::CDec(total));
      const std::string column = ColumnFor(line.compared.column, span);
      const rulegate::Truth differs = Compare(sum, family.fails, comparedValue(column));
      if (!Fires(family.noTotalFails && sum.IsNull() ? rulegate::Truth(true) : differs)) continue;
      std::string message =
          Fill(family.message,
               {{"{line}", line.totalled.Name()}, {"{compared}", line.compared.Name()}, {"{label}", span.label}});
      for (const TotalsFamily::OwnMessage& irregular : family.ownMessages) {
        if (irregular.lineNo == line.totalled.lineNo && irregular.span == s) message = irregular.message;
      }
      report({line.totalled.section, line.totalled.lineNo, "", "E", column, line.totalled.caption, message});
    }
  }
}

// --- Loops over other rows ---------------------------------------------------

void ForFirstTracks(OwnQueries& own, std::string_view table,
                    const std::function<void(const db::Recordset& track, const std::string& label)>& check) {
  const db::RecordsetPtr tracks = own.Rows(table);
  for (int examined = 0; examined < kTracksExamined && !tracks->Eof(); ++examined, tracks->MoveNext())
    check(*tracks, TrackLabel(*tracks));
}

void ForEachRow(OwnQueries& own, std::string_view table, const std::function<void(const db::Recordset& row)>& check) {
  const db::RecordsetPtr rows = own.Rows(table);
  modGeneralRoutines::ForEveryRow(*rows, [&] { check(*rows); });
}

}  // namespace modAttendanceCharter

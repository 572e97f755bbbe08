// The rule sets of the county office's attendance screens: its own
// attendance, whose Section B lines may not exceed the Section A total of
// their column, and the district-funded county programs by district of
// residence, with their Section B lines, per-ADA transfer rates and the
// rate boxes of the program lines. Neither has an error trap: a failure
// fails the validation call.

#include <array>
#include <span>
#include <string>

#include "modRulesAttendance.h"
#include "vb/Conversions.h"

namespace modRulesAttendance {
namespace {

using modGeneralRoutines::ReportResidence;
using rulegate::And;
using rulegate::Check;
using rulegate::Compare;
using rulegate::Fires;
using rulegate::Op;
using rulegate::Or;
using rulegate::Truth;

// --- The county office's own attendance ----------------------------------------

// A Section B line and the Section A total of its column.
struct IncludedInTotal {
  std::string_view column;
  std::string_view total;
  Check check;
};

constexpr std::string_view kIndependentStudyCaption =
    "Full-Time Traditional Independent Study ADA, pursuant to EC 51747, included in Section A";
constexpr std::string_view kCourseBasedCaption =
    "Course Based Independent Study ADA, pursuant to EC 51749.5, included in Section A";

constexpr std::array kCoeLines{
    IncludedInTotal{"ADAStudentsFulltimeIndependentStudyElem", "TotalADAElementary",
                    {"B", "3", "", "E", "ADAStudentsFulltimeIndependentStudyElem", kIndependentStudyCaption,
                     "Line B-3 Full-Time Traditional Independent Study ADA cannot exceed the sum of ADA reported on "
                     "lines A-1 to A-3, Elementary Column."}},
    IncludedInTotal{"ADAStudentsFulltimeIndependentStudyHigh", "TotalADAHigh",
                    {"B", "3", "", "E", "ADAStudentsFulltimeIndependentStudyHigh", kIndependentStudyCaption,
                     "Line B-3 Full-Time Traditional Independent Study ADA cannot exceed the sum of ADA reported on "
                     "lines A-1 to A-3, High School Column."}},
    IncludedInTotal{"CourseBasedIndStudyElem", "TotalADAElementary",
                    {"B", "5", "", "E", "CourseBasedIndStudyElem", kCourseBasedCaption,
                     "Line B-5 Course Based Independent Study ADA cannot exceed the sum of ADA reported on lines A-1 "
                     "to A-3, Elementary Column."}},
    IncludedInTotal{"CourseBasedIndStudyHigh", "TotalADAHigh",
                    {"B", "5", "", "E", "CourseBasedIndStudyHigh", kCourseBasedCaption,
                     "Line B-5 Course Based Independent Study ADA cannot exceed the sum of ADA reported on lines A-1 "
                     "to A-3, High School Column."}},
    IncludedInTotal{"ADAForTransKElem", "TotalADAElementary",
                    {"B", "7", "", "E", "ADAForTransK",
                     "ADA for Students in Transitional Kindergarten pursuant to EC 46300 included in Section A (Lines "
                     "A-1 through A-3, Elementary Column, First Year ADA Only)",
                     "Line B-7 Transitional Kindergarten ADA cannot exceed the sum of ADA reported on lines A-1 "
                     "through A-3, Elementary Column (First Year ADA Only)."}},
};

// --- District-funded county programs -----------------------------------------

// A grade span: the suffix of its columns and its words in messages.
struct Span {
  std::string_view suffix;
  std::string_view words;
};
constexpr std::array kSpans{Span{"GradesTKTO3", "TK/K-3"}, Span{"Grades4TO6", "Grades 4-6"},
                            Span{"Grades7TO8", "Grades 7-8"}, Span{"Grades9TO12", "Grades 9-12"}};
constexpr std::span<const Span> kEverySpan{kSpans};
constexpr std::span<const Span> kTkTo3Only{kSpans.data(), 1};

std::string Column(std::string_view prefix, const Span& span) { return std::string(prefix) + std::string(span.suffix); }

// Reports a check made for one grade span: its texts are those of the
// TK/K-3 column, with the span's column suffix in its field name and the
// span's words in its message.
void ReportForSpan(const db::RecordsetPtr& CurrentValues, const db::RecordsetPtr& RsErr, const Check& check,
                   const Span& span) {
  const std::string fieldName = vb::Replace(check.FieldName, kSpans[0].suffix, span.suffix);
  const std::string message = vb::Replace(check.Message, kSpans[0].words, span.words);
  Check forSpan = check;
  forSpan.FieldName = fieldName;
  forSpan.Message = message;
  ReportResidence(CurrentValues, RsErr, forSpan);
}

// A Section B line of every span (or of the TK/K-3 column alone), which may
// not exceed the span's ADA total of line A-7.
struct SectionBLine {
  std::string_view prefix;
  std::span<const Span> spans;
  Check check;
};
constexpr std::array kSectionBLines{
    SectionBLine{"ADA_IndStudy_", kEverySpan,
                 {"B", "1", "", "E", "ADA_IndStudy_GradesTKTO3", kIndependentStudyCaption,
                  "Line B-1 (TK/K-3 Column) Full-Time Traditional Independent Study ADA cannot exceed the sum of ADA "
                  "reported on lines A-1 to A-6 (TK/K-3 Column)."}},
    SectionBLine{"CourseBasedIndStudy_", kEverySpan,
                 {"B", "3", "", "E", "CourseBasedIndStudy_GradesTKTO3", kCourseBasedCaption,
                  "Line B-3 (TK/K-3 Column) Course Based Independent Study ADA cannot exceed the sum of ADA reported "
                  "on lines A-1 to A-6 (TK/K-3 Column)."}},
    SectionBLine{"ADA_TransK_", kTkTo3Only,
                 {"B", "5", "", "E", "ADA_TransK_GradesTKTO3",
                  "ADA for Students in Transitional Kindergarten Pursuant to EC 46300 included in Section A (Lines "
                  "A-1 through A-6, TK/K-3 Column, First Year ADA Only)",
                  "Line B-5 Transitional Kindergarten ADA cannot exceed the sum of ADA reported on Lines A-1 through "
                  "A-6, TK/K-3 Column."}},
};

// A program line of Section A with its two rate boxes.
struct ProgramLine {
  std::string_view prefix;
  Check bothBoxes;
};
constexpr std::array kProgramLines{
    ProgramLine{"CountyCommunitySchools",
                {"A", "1", "", "E", "", "County Community Schools (Divisor 70/135/175)",
                 "Both the Rate 1 and Rate 2 boxes have been selected for Line A-1 (County Community Schools).  Only "
                 "one of the boxes may be checked."}},
    ProgramLine{"SpEd_SpecialDayClass",
                {"A", "2", "", "E", "", "Special Education - Special Day Class",
                 "Both the Rate 1 and Rate 2 boxes have been selected for Line A-2 (Special Education - Special Day "
                 "Class).  Only one of the boxes may be checked."}},
    ProgramLine{"SpEd_56366",
                {"A", "3", "", "E", "",
                 "Special Education - Nonpublic, Nonsectarian Schools [EC 56366(a)(7)] and/or Nonpublic, Nonsectarian "
                 "Schools - Licensed Children's Institutions",
                 "Both the Rate 1 and Rate 2 boxes have been selected for Line A-3 (Special Education - Nonpublic, "
                 "Nonsectarian Schools and/or Nonpublic, Nonsectarian Schools - Licensed Children's Institutions).  "
                 "Only one of the boxes may be checked."}},
    ProgramLine{"ExtYearSpEd_56366",
                {"A", "4", "", "E", "",
                 "Extended Year Special Education - Special Education [EC 56345(b)(3)], Nonpublic, Nonsectarian "
                 "Schools [EC 56366(a)(7)] and/or Nonpublic, Nonsectarian Schools - Licensed Children's Institutions "
                 "(Divisor 175)",
                 "Both the Rate 1 and Rate 2 boxes have been selected for Line A-4 (Extended Year Special Education - "
                 "Special Ed, Nonpublic, Nonsectarian Schools and/or Nonpublic, Nonsectarian Schools - LCI). Only one "
                 "of the boxes may be checked."}},
    ProgramLine{"Other",
                {"A", "5", "", "E", "", "Other County Operated Programs",
                 "Both the Rate 1 and Rate 2 boxes have been selected for Line A-5 (Other County Operated Programs).  "
                 "Only one of the boxes may be checked."}},
    ProgramLine{"Tuition",
                {"A", "6", "", "E", "", "County School Tuition Fund (Out of State Tuition) [EC 2000 and 46380]",
                 "Both the Rate 1 and Rate 2 boxes have been selected for Line A-6 (Out of State Tuition).  Only one "
                 "of the boxes may be checked."}},
};

// One of the two per-ADA transfer rates: its amount columns per span, its
// box on every program line, and its checks.
struct Rate {
  std::string_view amountPrefix;
  std::string_view boxSuffix;
  Check overLimit;      // per span: an amount above the limit
  Check noBox;          // amounts but no box checked
  Check noAmount;       // a box checked but no amount
  Check missingAmount;  // per span: ADA and a box, but no amount for the span
};
constexpr std::string_view kPerAdaTransfer = "District Funded County Program Per-ADA Transfer";
constexpr std::string_view kAdaTotals = "ADA Totals (Sum of A-1 through A-6)";
constexpr std::array kRates{
    Rate{"DFCPPerADATrans_Rate1_", "_Rate1",
         {"Rate", "1", "", "W", "DFCPPerADATrans_Rate1_GradesTKTO3", kPerAdaTransfer,
          "The value entered for Rate 1 (TK/K-3 Column) exceeds $15,000, please verify if it is correct."},
         {"Rate", "1", "", "E", "", "Rate 1 Check Box",
          "If a value has been entered for Rate 1, at least one Rate 1 check box needs to be selected."},
         {"Rate", "1", "", "E", "", kPerAdaTransfer,
          "A Rate 1 check box cannot be selected unless at least one Rate 1 value has been entered."},
         {"A", "7", "", "W", "", kAdaTotals,
          "ADA has been entered in the TK/K-3 column, and at least one Rate 1 box has been checked, but a value has "
          "not been entered in the Rate 1 TK/K-3 column. Please verify this is correct."}},
    Rate{"DFCPPerADATrans_Rate2_", "_Rate2",
         {"Rate", "2", "", "W", "DFCPPerADATrans_Rate2_GradesTKTO3", kPerAdaTransfer,
          "The value entered for Rate 2 (TK/K-3 Column) exceeds $15,000, please verify if it is correct."},
         {"Rate", "2", "", "E", "", "Rate 2 Check Box",
          "If a value has been entered for Rate 2, at least one Rate 2 check box needs to be selected."},
         {"Rate", "2", "", "E", "", kPerAdaTransfer,
          "A Rate 2 check box cannot be selected unless at least one Rate 2 value has been entered."},
         {"A", "7", "", "W", "", kAdaTotals,
          "ADA has been entered in the TK/K-3 column, and at least one Rate 2 box has been checked, but a value has "
          "not been entered in the Rate 2 TK/K-3 column. Please verify this is correct."}},
};

constexpr int kMostPerAda = 15000;
// A box counts only as 1 (checked) or 0 (not checked).
constexpr int kChecked = 1;
constexpr int kUnchecked = 0;

constexpr Check kOtherProgramsUnnamed{
    "A", "5", "", "E", "Other_Total", "Other County Operated Programs",
    "If data is entered on line A-5, you must check the box(s) for program(s) that are applicable to the ADA "
    "reported on line A-5."};
constexpr Check kRateWithoutAda{
    "A", "7", "", "E", "", kAdaTotals,
    "A value has been entered in Rate 1 or Rate 2 but no ADA has been reported in Line A-1 through A-6. ADA must "
    "be reported to enter a value in Rate 1 or Rate 2."};

// What a row says of one rate: the sum of its amounts over the spans, and
// whether every box of it is unchecked or at least one is checked.
struct RateState {
  vb::Variant sum;
  Truth noBoxChecked;
  Truth someBoxChecked;
};
RateState StateOf(const db::Recordset& row, const Rate& rate) {
  RateState state{rulegate::DecimalZero(), true, false};
  for (const Span& span : kSpans) state.sum = state.sum + row.Value(Column(rate.amountPrefix, span));
  for (const ProgramLine& line : kProgramLines) {
    const vb::Variant box = row.Value(std::string(line.prefix) + std::string(rate.boxSuffix));
    state.noBoxChecked = And(state.noBoxChecked, Compare(box, Op::Eq, kUnchecked));
    state.someBoxChecked = Or(state.someBoxChecked, Compare(box, Op::Eq, kChecked));
  }
  return state;
}

// The checks of one row of the district-funded programs, in their order.
void CheckDistrictFundedRow(const db::RecordsetPtr& CurrentValues, const db::RecordsetPtr& RsErr) {
  const db::Recordset& row = *CurrentValues;
  const auto report = [&](const Check& check) { ReportResidence(CurrentValues, RsErr, check); };
  const auto adaTotal = [&](const Span& span) { return row.Value(Column("ADATotal_", span)); };

  if (Fires(And(Compare(row.Value("Other_Total"), Op::Gt, 0),
                And(Compare(row.Value("Other_Opportunity"), Op::Eq, kUnchecked),
                    Compare(row.Value("Other_SpecializedSecondarySchools"), Op::Eq, kUnchecked)))))
    report(kOtherProgramsUnnamed);

  for (const SectionBLine& line : kSectionBLines) {
    for (const Span& span : line.spans) {
      if (Fires(Compare(row.Value(Column(line.prefix, span)), Op::Gt, adaTotal(span))))
        ReportForSpan(CurrentValues, RsErr, line.check, span);
    }
  }

  std::array<RateState, kRates.size()> states;
  for (std::size_t r = 0; r < kRates.size(); ++r) {
    const Rate& rate = kRates[r];
    states[r] = StateOf(row, rate);
    for (const Span& span : kSpans) {
      if (Fires(Compare(row.Value(Column(rate.amountPrefix, span)), Op::Gt, kMostPerAda)))
        ReportForSpan(CurrentValues, RsErr, rate.overLimit, span);
    }
    if (Fires(And(Compare(states[r].sum, Op::Gt, 0), states[r].noBoxChecked))) report(rate.noBox);
  }
  for (std::size_t r = 0; r < kRates.size(); ++r) {
    if (Fires(And(Compare(states[r].sum, Op::Eq, 0), states[r].someBoxChecked))) report(kRates[r].noAmount);
  }

  if (Fires(And(Compare(states[0].sum + states[1].sum, Op::Gt, 0), Compare(row.Value("ADATotal_Total"), Op::Eq, 0))))
    report(kRateWithoutAda);

  for (const ProgramLine& line : kProgramLines) {
    const std::string prefix(line.prefix);
    if (Fires(And(Compare(row.Value(prefix + std::string(kRates[0].boxSuffix)), Op::Eq, kChecked),
                  Compare(row.Value(prefix + std::string(kRates[1].boxSuffix)), Op::Eq, kChecked))))
      report(line.bothBoxes);
  }

  for (std::size_t r = 0; r < kRates.size(); ++r) {
    for (const Span& span : kSpans) {
      if (Fires(And(And(Compare(adaTotal(span), Op::Gt, 0), states[r].someBoxChecked),
                    Compare(row.Value(Column(kRates[r].amountPrefix, span)), Op::Eq, 0))))
        ReportForSpan(CurrentValues, RsErr, kRates[r].missingAmount, span);
    }
  }
}

}  // namespace

db::RecordsetPtr Validate_ATTCOE(db::RecordsetPtr& CurrentValues, ParamsRef) {
  // The county office's one row: the current row alone is tested.
  return modGeneralRoutines::RunRuleSet(nullptr, CurrentValues, [&](const db::RecordsetPtr& RsErr) {
    const db::Recordset& row = *CurrentValues;
    for (const IncludedInTotal& line : kCoeLines) {
      if (Fires(Compare(row.Value(line.column), Op::Gt, row.Value(line.total))))
        modGeneralRoutines::Report(CurrentValues, RsErr, line.check);
    }
  });
}

db::RecordsetPtr Validate_ATTCOEDISTFUNDADA(db::RecordsetPtr& CurrentValues, ParamsRef) {
  return modGeneralRoutines::RunRuleSet(nullptr, CurrentValues, [&](const db::RecordsetPtr& RsErr) {
    db::Recordset& rs = *CurrentValues;
    // Every finding carries the district of residence: a screen without it
    // fails before any row is tested.
    for (const char* residence : {"RES_COUNTY_ID", "RES_SCHOOL_DISTRICT_ID"}) rs.Fields(residence);
    modGeneralRoutines::ForEveryRow(rs, [&] { CheckDistrictFundedRow(CurrentValues, RsErr); });
  });
}

}  // namespace modRulesAttendance

// The rule sets of the charter's funded county-program attendance
// (ATTCSFUNDADA), the county office's charter attendance (ATTCOECS) and the
// split of a charter's attendance by district of residence (CS_BA).
//
// ATTCSFUNDADA checks its screen row, its tracks (their totals and the
// first five by themselves) and its allocation to districts of residence
// (the totals and every allocation row). ATTCOECS does the same for its
// elementary and high-school columns, without allocations. CS_BA checks
// every row of the split and compares the split's totals with the charter's
// attendance.

#include <cstdint>

#include "clsValidate.h"
#include "modAttendanceCharter.h"
#include "modAttendanceCharterChecks.h"
#include "vb/Conversions.h"

namespace modAttendanceCharter {
namespace {

using modGeneralRoutines::RunRuleSet;
using rulegate::Op;

// --- Funded county-program attendance ----------------------------------------

constexpr rulegate::Check kFundedTrap = rulegate::TrapRow("A", "1", "", "ATTCSFUNDADA");
constexpr std::string_view kFundedTrackTable = "AttCsFundADATrack";
constexpr std::string_view kFundedAllocationTable = "AttCsFundADAAllocation";

constexpr const char* kOtherPrograms = "Other County Operated Programs ADA (Divisor 70/135/175)";

const std::vector<Program> kFundedPrograms{
    {"CountyCommunitySchools_{span}", "County Community Schools (Divisor 70/135/175)"},
    {"SpEd_SpecialDayClass_{span}", "Special Education - Special Day Class"},
    {"SpEd_56366_{span}", "Special Education - Nonpublic, Nonsectarian Schools"},
    {"ExtYearSpEd_56366_{span}", "Extended Year Special Education - Nonpublic, Nonsectarian Schools"},
    {"Other_{span}", kOtherPrograms},
};

// The allocation section names the two programs of nonpublic schools at
// length.
std::vector<Program> FundedAllocationPrograms() {
  std::vector<Program> programs = kFundedPrograms;
  programs[2].caption =
      "Special Education - Nonpublic, Nonsectarian Schools [EC 56366(a)(7)] and/or Nonpublic, Nonsectarian Schools - "
      "Licensed Children's Institutions";
  programs[3].caption =
      "Extended Year Special Education - Special Education [EC 56345(b)(3)], Nonpublic, Nonsectarian Schools [EC "
      "56366(a)(7)] and/or Nonpublic, Nonsectarian Schools - Licensed Children's Institutions (Divisor 175)";
  return programs;
}

// Lines of the screen, C-3 to C-12 of a track and D-1 to D-10
// of an allocation row.
struct FundedLines {
  std::vector<Line> screen;
  std::vector<Line> tracks;
  std::vector<Line> allocations;
};
const FundedLines& FundedLinesOf() {
  static const FundedLines lines{ProgramLines("A", 1, kFundedPrograms, ""), ProgramLines("C", 3, kFundedPrograms, ""),
                                 ProgramLines("D", 1, FundedAllocationPrograms(), "")};
  return lines;
}

const std::vector<std::string> kProgramBoxes{"Other_Opportunity", "Other_SpecializedSecondarySchools"};
const ProgramBoxCheck kScreenBoxes{{"A", "9", "Other_Total", kOtherPrograms}, kProgramBoxes};
const ProgramBoxCheck kTrackBoxes{{"C", "11", "Other_Total", "Other County Operated Programs"}, kProgramBoxes};
const ProgramBoxCheck kAllocationBoxes{{"D", "9", "Other_Total", kOtherPrograms}, kProgramBoxes};

const std::vector<Bound>& FundedScreenParts() {
  static const std::vector<Bound> bounds = PartsWithinLines(FundedLinesOf().screen);
  return bounds;
}

const std::vector<Bound> kFundedSectionB{
    {.line = {"B", "1", "ADA_TransK_GradesTKTO3",
              "ADA for Students in Transitional Kindergarten pursuant to EC 46300 included in Section A (Lines A-1, "
              "A-3, A-5, A-7 and A-9, TK/K-3 Column, First Year Only)"},
     .bound = {"ADATotal_{span}"},
     .message = "Line B-1 must be less than or equal to the sum of ADA reported in line A-1, A-3, A-5, A-7, and A-9 "
                "(TK/K-3)",
     .firstSpanOnly = true},
    {.line = {"B", "3", "CourseBasedIndStudy_{span}",
              "Course Based Independent Study ADA, pursuant to EC 51749.5, included in A-13"},
     .bound = {"ADATotal_{span}_NCB"},
     .boundText = "line A-13"},
    {.line = {"B", "4", "CourseBasedIndStudyNotElig_{span}", kCourseBasedNotEligible},
     .bound = {"NCBAda{ncb}"},
     .boundText = "line B-2"},
};

const std::vector<SiteTypeCheck> kFundedSiteTypes{
    SiteBased("ADATotal_{span}", "ADATotal_{span}_CB", "A-12"),
    IndependentStudy("ADATotal_{span}", "ADATotal_{span}_CB", "A-12"),
};

const TotalsFamily& FundedTrackTotals() {
  static const TotalsFamily family{.table = kFundedTrackTable,
                                   .aliasPrefix = "C",
                                   .message = kTrackTotalsMessage,
                                   .lines = TotalsOfLines(FundedLinesOf().tracks, FundedLinesOf().screen)};
  return family;
}

const std::vector<Bound>& FundedTrackParts() {
  static const std::vector<Bound> bounds = PartsWithinLines(FundedLinesOf().tracks);
  return bounds;
}

const TotalsFamily& FundedAllocationTotals() {
  static const TotalsFamily family{.table = kFundedAllocationTable,
                                   .aliasPrefix = "D",
                                   .message = kAllocationTotalsMessage,
                                   .lines = TotalsOfLines(FundedLinesOf().allocations, FundedLinesOf().screen)};
  return family;
}

// Line D-4 words three of its spans its own way: no blank before the span
// of grades 4-6, and the district of residence after the caption rather
// than the message for grades 7-8 and 9-12.
const std::vector<Bound>& FundedAllocationParts() {
  static const std::vector<Bound> bounds = [] {
    std::vector<Bound> b = PartsWithinLines(FundedLinesOf().allocations);
    BoundOfLine(b, "4").ownSpanTexts = {
        {.span = 1, .message = "Line D-4(Grades 4-6) must be less than or equal to line D-3 (Grades 4-6)"},
        {.span = 2, .suffixOnCaption = true},
        {.span = 3, .suffixOnCaption = true},
    };
    return b;
  }();
  return bounds;
}

// --- County office's charter attendance --------------------------------------

constexpr rulegate::Check kCountyCharterTrap = rulegate::TrapRow("A", "1", "", "ATTCOECS");
constexpr std::string_view kCountyTrackTable = "AttCoeCsTrack";

// The programs as section A spells their columns, and the stems of the same
// programs' columns on a track, whose classroom-based part carries the
// prefix Class.
const std::vector<Program> kCountyPrograms{
    {"CountyGroupHomeInstitutionPupils{Elementary|HIGH}", "County Group Home and Institution Pupil"},
    {"JuvenileHallsHomesCamps{Elementary|HIGH}", "Juvenile Halls, Homes and Camp"},
    {"Probation{Elementary|HIGH}", "Probation Referred, On Probation or Parole, Expelled"},
};
const std::vector<std::string_view> kCountyTrackStems{"CtyGrpHome{E|H}", "JuvHallsHomes{E|H}",
                                                      "CommSchlProbation{E|H}"};
// Lines as the track totals name them.
const std::vector<std::string_view> kTotalledScreenColumns{
    "CountyGroupHomeInstitutionPupils{Elementary|High}",
    "CountyGroupHomeInstitutionPupils{Elementary|high}_CB",
    "JuvenileHallsHomesCamps{Elementary|high}",
    "JuvenileHallsHomesCamps{Elementary|high}_CB",
    "Probation{Elementary|high}",
    "Probation{Elementary|high}_CB",
};

// Lines of the screen, and C-3 to C-8 of a track.
struct CountyLines {
  std::vector<Line> screen;
  std::vector<Line> tracks;
};
const CountyLines& CountyLinesOf() {
  static const CountyLines lines = [] {
    std::vector<Program> trackPrograms = kCountyPrograms;
    for (std::size_t i = 0; i < trackPrograms.size(); ++i) trackPrograms[i].stem = kCountyTrackStems[i];
    return CountyLines{ProgramLines("A", 1, kCountyPrograms, ""),
                       ProgramLines("C", 3, trackPrograms, "", "Class{stem}")};
  }();
  return lines;
}

const std::vector<Bound>& CountyScreenBounds() {
  static const std::vector<Bound> bounds = [] {
    std::vector<Bound> b = PartsWithinLines(CountyLinesOf().screen);
    b.push_back({.line = {"B", "1", "ADAForTransKElem", kTransitionalKindergarten},
                 .bound = {"TotalADA{Elementary|High}"},
                 .message = "Line B-1 must be less than or equal to the sum of ADA reported in line A-1, A-3, and A-5 "
                            "(ELEMENTARY)",
                 .firstSpanOnly = true});
    b.push_back({.line = {"B", "3", "CourseBasedIndStudy{Elem|High}", kCourseBased},
                 .bound = {"TotalADA{Elementary|High}_NCB"},
                 .boundText = "line A-9"});
    b.push_back({.line = {"B", "4", "CourseBasedIndStudyNotElig{Elem|High}", kCourseBasedNotEligible},
                 .bound = {"NCBAda{Elem|High}"},
                 .boundText = "line B-2"});
    return b;
  }();
  return bounds;
}

const std::vector<SiteTypeCheck> kCountySiteTypes{
    SiteBased("TotalADA{Elementary|High}", "TotalADA{Elementary|High}_CB", "A-8"),
    IndependentStudy("TotalADA{Elementary|High}", "TotalADA{Elementary|High}_CB", "A-8"),
};

const TotalsFamily& CountyTrackTotals() {
  static const TotalsFamily family = [] {
    std::vector<Line> compared = CountyLinesOf().screen;
    for (std::size_t i = 0; i < compared.size(); ++i) compared[i].column = kTotalledScreenColumns[i];
    return TotalsFamily{.table = kCountyTrackTable,
                        .aliasPrefix = "A",
                        .message = kTrackTotalsMessage,
                        .lines = TotalsOfLines(CountyLinesOf().tracks, compared),
                        .spans = kSchoolLevels};
  }();
  return family;
}

// Line C-6 of a track names its total column rather than its
// classroom-based part.
const std::vector<Bound>& CountyTrackParts() {
  static const std::vector<Bound> bounds = [] {
    std::vector<Bound> b = PartsWithinLines(CountyLinesOf().tracks);
    BoundOfLine(b, "6").fieldName = "JuvHallsHomes{E|H}";
    return b;
  }();
  return bounds;
}

// --- Split by district of residence ------------------------------------------

constexpr rulegate::Check kSplitTrap = rulegate::TrapRow("A", "1", "", "CS_BA");
constexpr std::string_view kCharterTable = "AttCs";

// Lines, as the charter's attendance reports them.
const std::vector<Line>& SplitLines() {
  static const std::vector<Line> lines = ProgramLines("A", 1, kCharterPrograms, "");
  return lines;
}

const std::vector<Bound>& SplitParts() {
  static const std::vector<Bound> bounds = PartsWithinLines(SplitLines());
  return bounds;
}

// The split's totals may not exceed the charter's attendance, which must be
// there to compare with.
const TotalsFamily& CharterAttendanceTotals() {
  static const TotalsFamily family{
      .table = kCharterTable,
      .aliasPrefix = "A",
      .message =
          "The sum of line {line} {label} must be less than or equal to line {compared} {label} in Attendance "
          "Charter School",
      .lines = TotalsOfLines(SplitLines(), SplitLines()),
      .fails = Op::Lt,
      .noTotalFails = true};
  return family;
}

// The totals of the split's rows, one per line and span: exact decimals,
// Null for the rest of the call once a row's value is Null.
class RunningSums {
 public:
  explicit RunningSums(const std::vector<Line>& lines) {
    for (const Line& line : lines)
      for (const Span& span : kSpans) sums_.emplace_back(ColumnFor(line.column, span), rulegate::DecimalZero());
  }
  void Add(const db::Recordset& row) {
    for (auto& [column, sum] : sums_) sum = sum + ValueOf(row, column);
  }
  vb::Variant Of(const std::string& column) const {
    for (const auto& [name, sum] : sums_)
      if (vb::TextEquals(name, column)) return sum;
    vb::Raise(vb::err::InvalidProcedureCall);
  }

 private:
  std::vector<std::pair<std::string, vb::Variant>> sums_;
};

// The caller's district type and logon district. No check uses them, but
// the caller must pass both, the type as a text and the district as a
// 32-bit number: a missing or unfit item is a failure.
void ReadCallerParameters(rulegate::ParamsRef Params) {
  const auto* items = Params != nullptr && *Params ? dynamic_cast<const ruleface::Collection*>(Params->get()) : nullptr;
  if (items == nullptr) vb::Raise(vb::err::ObjectNotSet);
  [[maybe_unused]] const std::string districtType = vb::UCase(vb::CStr(items->Item("DistrictType")));
  [[maybe_unused]] const std::int32_t logonDistrictId = vb::CLng(items->Item("LogonDistrictID"));
}

}  // namespace

db::RecordsetPtr Validate_ATTCSFUNDADA(db::RecordsetPtr& CurrentValues, ParamsRef) {
  return RunRuleSet(&kFundedTrap, CurrentValues, [&](const db::RecordsetPtr& RsErr) {
    const Reporter report{*CurrentValues, RsErr};
    const db::Recordset& current = *CurrentValues;
    CheckBounds(report, current, FundedScreenParts());
    CheckProgramBoxes(report, current, kScreenBoxes);
    CheckBounds(report, current, kFundedSectionB);
    CheckSiteTypes(report, current, kFundedSiteTypes);

    OwnQueries own(current);
    CheckTotals(report, own, FundedTrackTotals());
    ForFirstTracks(own, kFundedTrackTable, [&](const db::Recordset& track, const std::string& label) {
      const Decoration decoration = TrackDecoration(label);
      CheckBounds(report, track, FundedTrackParts(), decoration);
      CheckProgramBoxes(report, track, kTrackBoxes, decoration);
    });

    // No check depends on the charter's type, but the charter must be in
    // the directory for the year: without it the checks end here.
    own.CharterType();
    CheckTotals(report, own, FundedAllocationTotals());
    ForEachRow(own, kFundedAllocationTable, [&](const db::Recordset& allocation) {
      const Decoration residence =
          ResidenceDecoration(allocation.Value("ResCountyName"), allocation.Value("ResSchoolDistName"));
      CheckBounds(report, allocation, FundedAllocationParts(), residence);
      CheckProgramBoxes(report, allocation, kAllocationBoxes, residence);
    });
  });
}

db::RecordsetPtr Validate_ATTCOECS(db::RecordsetPtr& CurrentValues, ParamsRef) {
  return RunRuleSet(&kCountyCharterTrap, CurrentValues, [&](const db::RecordsetPtr& RsErr) {
    const Reporter report{*CurrentValues, RsErr};
    const db::Recordset& current = *CurrentValues;
    CheckBounds(report, current, CountyScreenBounds(), {}, kSchoolLevels);
    CheckSiteTypes(report, current, kCountySiteTypes, kSchoolLevels);

    OwnQueries own(current);
    CheckTotals(report, own, CountyTrackTotals());
    ForFirstTracks(own, kCountyTrackTable, [&](const db::Recordset& track, const std::string& label) {
      // A track's rows carry the track's own keys, its fiscal year among
      // them, and repeat their message in Where_Clause.
      const Reporter trackReport{.keysFrom = track, .RsErr = RsErr, .messageAsWhere = true};
      CheckBounds(trackReport, track, CountyTrackParts(), TrackDecoration(label), kSchoolLevels);
    });
  });
}

db::RecordsetPtr Validate_CS_BA(db::RecordsetPtr& CurrentValues, ParamsRef Params) {
  return RunRuleSet(&kSplitTrap, CurrentValues, [&](const db::RecordsetPtr& RsErr) {
    db::Recordset& rows = *CurrentValues;
    const long kept = rows.AbsolutePosition();
    rows.MoveFirst();
    ReadCallerParameters(Params);
    // The charter's attendance of the first row's year, period and school.
    OwnQueries charter(rows, Belonging::SameYearAndPeriod);

    RunningSums sums(SplitLines());
    const Reporter perRow{.keysFrom = rows, .RsErr = RsErr, .withResidence = true};
    for (; !rows.Eof(); rows.MoveNext()) {
      CheckBounds(perRow, rows, SplitParts());
      sums.Add(rows);
    }

    rows.MoveFirst();
    CheckTotals(Reporter{rows, RsErr}, charter, CharterAttendanceTotals(),
                [&](const std::string& column) { return sums.Of(column); });
    db::MoveBackTo(rows, kept);
  });
}

}  // namespace modAttendanceCharter

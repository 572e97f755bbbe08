// The rule sets of the school-district attendance screens: the Section B
// lines of the district's own screen and of its screens by district of
// residence, which may not exceed the Section A ADA that includes them, and
// the necessary small elementary and high school screens, whose schools
// need staff and ADA within bounds and whose totals may not exceed the
// district's attendance screen.

#include <array>
#include <span>

#include "modRulesAttendance.h"
#include "modRulesAttendanceSchools.h"

namespace modRulesAttendance {
namespace {

using modGeneralRoutines::ForEveryRow;
using modGeneralRoutines::RunRuleSet;
using rulegate::Check;
using rulegate::Compare;
using rulegate::Fires;
using rulegate::Op;
using rulegate::Truth;

// --- Section B lines within Section A ----------------------------------------

// A Section B line and the Section A columns of the same row whose sum it
// may not exceed.
struct SectionBLine {
  std::string_view column;
  std::span<const std::string_view> sectionA;
  Check check;
};

// Lines of the TK/K-3 column, the regular ADA of every span, and
// the regular ADA of grades 9-12.
constexpr std::array<std::string_view, 5> kTkTo3Lines{"RegularADA_GradesTKTO3", "ExtYearSpEd_GradesTKTO3",
                                                      "SpEd_56366_GradesTKTO3", "ExtYearSpEd_56366_GradesTKTO3",
                                                      "CommDaySchool_GradesTKTO3"};
constexpr std::array<std::string_view, 4> kRegularAda{"RegularADA_GradesTKTO3", "RegularADA_Grades4TO6",
                                                      "RegularADA_Grades7TO8", "RegularADA_Grades9TO12"};
constexpr std::array<std::string_view, 1> kRegularAda9To12{"RegularADA_Grades9TO12"};

constexpr std::string_view kTransKCaption =
    "ADA for Students in Transitional Kindergarten Pursuant to EC 46300 included in Section A (Lines A-1 through "
    "A-5, TK/K-3 Column, First Year ADA Only)";
constexpr std::string_view kContinuationCaption =
    "ADA for Students in Continuation Education included in Section A (Line A-1, Grades 9-12 Column)";
constexpr std::string_view kOpportunityCaption =
    "ADA for Students in Opportunity Class included in Section A (Line A-1, Total Column)";

constexpr std::array kAttSdLines{
    SectionBLine{"ADA_TransK_GradesTKTO3", kTkTo3Lines,
                 {"B", "5", "", "E", "ADA_TransK_GradesTKTO3", kTransKCaption,
                  "Line B-5 Transitional Kindergarten ADA cannot exceed the sum of ADA reported on Lines A-1 through "
                  "A-5, TK/K-3 Column (First Year ADA Only)"}},
    SectionBLine{"ADA_Continuation_Grades9TO12", kRegularAda9To12,
                 {"B", "6", "", "E", "ADA_Continuation_Grades9TO12", kContinuationCaption,
                  "Line B-6 ADA for Students in Continuation Education included in Section A (Line A-1, Grades 9-12 "
                  "Column) cannot exceed the ADA reported on Line A-1, Grades 9-12 Column"}},
    SectionBLine{"ADA_Opportunity_Total", kRegularAda,
                 {"B", "7", "", "E", "ADA_Opportunity_Total", kOpportunityCaption,
                  "Line B-7 ADA for Students in Opportunity Class included in Section A (Line A-1, Total Column) "
                  "cannot exceed the ADA on Line A-1, Total Column"}},
};

// The screens by district of residence name their Section B lines B-1 to
// B-3 (the supplement screen has no transitional-kindergarten line).
constexpr std::array kResidenceLines{
    SectionBLine{"ADA_TransK", kTkTo3Lines,
                 {"B", "1", "", "E", "ADA_TransK", kTransKCaption,
                  "Line B-1 Transitional Kindergarten ADA cannot exceed the sum of ADA reported on Lines A-1 through "
                  "A-5, TK/K-3 Column (First Year ADA Only)"}},
    SectionBLine{"ADA_Continuation", kRegularAda9To12,
                 {"B", "2", "", "E", "ADA_Continuation", kContinuationCaption,
                  "Line B-2 ADA for Students in Continuation Education included in Section A (Line A-1, Grades 9-12 "
                  "Column) cannot exceed the ADA reported on Line A-1, Grades 9-12 Column"}},
    SectionBLine{"ADA_Opportunity", kRegularAda,
                 {"B", "3", "", "E", "ADA_Opportunity", kOpportunityCaption,
                  "Line B-3 ADA for Students in Opportunity Class included in Section A (Line A-1, Total Column) "
                  "cannot exceed the ADA on Line A-1, Total Column"}},
};
constexpr std::array kSupplementLines{
    SectionBLine{"ADA_Continuation", kRegularAda9To12,
                 {"B", "1", "", "E", "ADA_Continuation", kContinuationCaption,
                  "Line B-1 ADA for Students in Continuation Education included in Section A (Line A-1, Grades 9-12 "
                  "Column) cannot exceed the ADA reported on Line A-1, Grades 9-12 Column"}},
    SectionBLine{"ADA_Opportunity", kRegularAda,
                 {"B", "2", "", "E", "ADA_Opportunity", kOpportunityCaption,
                  "Line B-2 ADA for Students in Opportunity Class included in Section A (Line A-1, Total Column) "
                  "cannot exceed the ADA on Line A-1, Total Column"}},
};

constexpr Check kAttSdTrap = rulegate::TrapRow("A", "1", "", "ATT_SD");
constexpr Check kAttSdBsTrap = rulegate::TrapRow("A", "1", "", "ATT_SD_BS");
constexpr Check kAttSdBaoeTrap = rulegate::TrapRow("A", "1", "", "ATT_SD_BAOE");
constexpr Check kAttSdSuppTrap = rulegate::TrapRow("A", "1", "", "ATT_SD_SUPP");

bool ExceedsSectionA(const db::Recordset& row, const SectionBLine& line) {
  return Fires(Compare(row.Value(line.column), Op::Gt, rulegate::SumOf(row, line.sectionA)));
}

// Every row of a screen by district of residence, each finding with the
// row's district of residence.
db::RecordsetPtr ValidateResidenceRows(db::RecordsetPtr& CurrentValues, const Check& trap,
                                       std::span<const SectionBLine> lines) {
  return RunRuleSet(&trap, CurrentValues, [&](const db::RecordsetPtr& RsErr) {
    db::Recordset& rs = *CurrentValues;
    ForEveryRow(rs, [&] {
      for (const SectionBLine& line : lines) {
        if (ExceedsSectionA(rs, line)) modGeneralRoutines::ReportResidence(CurrentValues, RsErr, line.check);
      }
    });
  });
}

// --- Necessary small schools -------------------------------------------------

Truth OutsideAnnual(const db::Recordset& row) { return Compare(row.Value("Period_ID"), Op::Ne, kAnnual); }

// A check of every school row, whose message names the school by its code.
struct SchoolRowCheck {
  SchoolCheck check;
  Truth (*condition)(const db::Recordset& row);
};

// A small-school screen: its trap row, the checks of every school row and
// the totals that the district's attendance screen limits.
struct SmallSchoolScreen {
  Check trap;
  std::span<const SchoolRowCheck> rowChecks;
  std::span<const DistrictLimit> limits;
};

constexpr std::array kElementaryRowChecks{
    SchoolRowCheck{{{"A", "1", "", "W", "NumberOfFTTeachers", "Number of Full-time Teachers",
                     "Number of Full-time Teachers for School Code "},
                    " should be greater than 0"},
                   [](const db::Recordset& row) {
                     return rulegate::And(Compare(row.Value("NumberOfFTTeachers"), Op::Le, 0), OutsideAnnual(row));
                   }},
    SchoolRowCheck{{{"A", "4", "", "W", "ADATotal_Total", "Total Elementary ADA", "Total Elementary ADA for School Code "},
                    " should be greater than 0 and less than or equal to 96.49"},
                   [](const db::Recordset& row) { return AdaOutOfBounds(row.Value("ADATotal_Total"), kMostElementaryAda); }},
    SchoolRowCheck{{{"A", "4", "", "W", "ADATotal_Total", "Total Elementary ADA", "Verify that the enrollment for School Code "},
                    " is 5 or greater to meet Education Code Section 42283 requirements for necessary small school "
                    "funding."},
                   [](const db::Recordset& row) {
                     return rulegate::And(Compare(row.Value("ADATotal_Total"), Op::Lt, kFewestPupils), OutsideAnnual(row));
                   }},
};

constexpr std::array kElementaryLimits{
    DistrictLimit{"RegularADA_GradesTKTO3", "RegularADA_GradesTKTO3", "",
                  {"A", "2", "", "E", "RegularADA_GradesTKTO3", "Necessary Small Elementary School Regular ADA (TK/K-3)",
                   "Sum of Line A-2 in TK/K-3 Column for all records must be less than or equal to Line A-1 in TK/K-3 "
                   "Column of the Attendance School District entry screen"}},
    DistrictLimit{"RegularADA_Grades4TO6", "RegularADA_Grades4TO6", "",
                  {"A", "2", "", "E", "RegularADA_Grades4TO6", "Necessary Small Elementary School Regular ADA (Grades 4-6)",
                   "Sum of Line A-2 in Grades 4-6 Column for all records must be less than or equal to Line A-1 in "
                   "Grades 4-6 Column of the Attendance School District entry screen"}},
    DistrictLimit{"RegularADA_Grades7TO8", "RegularADA_Grades7TO8", "",
                  {"A", "2", "", "E", "RegularADA_Grades7TO8", "Necessary Small Elementary School Regular ADA (Grades 7-8)",
                   "Sum of Line A-2 in Grades 7-8 Column for all records must be less than or equal to Line A-1 in "
                   "Grades 7-8 Column of the Attendance School District entry screen"}},
    DistrictLimit{"ExtYearSpEd_GradesTKTO3", "ExtYearSpEd_GradesTKTO3", "",
                  {"A", "3", "", "E", "ExtYearSpEd_GradesTKTO3", "Extended Year Special Education (TK/K-3)",
                   "Sum of Line A-3 in TK/K-3 Column for all records must be less than or equal to Line A-2 in TK/K-3 "
                   "Column of the Attendance School District entry screen"}},
    DistrictLimit{"ExtYearSpEd_Grades4TO6", "ExtYearSpEd_Grades4TO6", "",
                  {"A", "3", "", "E", "ExtYearSpEd_Grades4TO6", "Extended Year Special Education (Grades 4-6)",
                   "Sum of Line A-3 in Grades 4-6 Column for all records must be less than or equal to Line A-2 in "
                   "Grades 4-6 Column of the Attendance School District entry screen"}},
    DistrictLimit{"ExtYearSpEd_Grades7TO8", "ExtYearSpEd_Grades7TO8", "",
                  {"A", "3", "", "E", "ExtYearSpEd_Grades7TO8", "Extended Year Special Education (Grades 7-8)",
                   "Sum of Line A-3 in Grades 7-8 Column for all records must be less than or equal to Line A-2 in "
                   "Grades 7-8 Column of the Attendance School District entry screen"}},
};

constexpr std::array kHighSchoolRowChecks{
    SchoolRowCheck{{{"A", "1", "", "W", "NumberOfFTEEmployees", "Number of FTE Certificated Employees",
                     "Number of FTE Certificated Employees for School Code "},
                    " should be greater than 0"},
                   [](const db::Recordset& row) {
                     return rulegate::And(Compare(row.Value("NumberOfFTEEmployees"), Op::Le, 0), OutsideAnnual(row));
                   }},
    SchoolRowCheck{{{"A", "4", "", "W", "ADATotal_Grades9TO12", "Total High School ADA",
                     "Total High School ADA for School Code "},
                    " should be greater than 0 and less than or equal to 286.49"},
                   [](const db::Recordset& row) {
                     return AdaOutOfBounds(row.Value("ADATotal_Grades9TO12"), kMostHighSchoolAda);
                   }},
};

constexpr std::array kHighSchoolLimits{
    DistrictLimit{"RegularADA_Grades9TO12", "RegularADA_Grades9TO12", "ADA_Continuation_Grades9TO12",
                  {"A", "2", "", "E", "RegularADA_Grades9TO12", "Necessary Small High School Regular ADA",
                   "Sum of Line A-2 for all records must be less than or equal to Line A-1 minus Line B-6 in Grades "
                   "9-12 Column of the Attendance School District entry screen"}},
    DistrictLimit{"ExtYearSpEd_Grades9TO12", "ExtYearSpEd_Grades9TO12", "",
                  {"A", "3", "", "E", "ExtYearSpEd_Grades9TO12", "Extended Year Special Education",
                   "Sum of Line A-3 for all records must be less than or equal to Line A-2 in Grades 9-12 Column of "
                   "the Attendance School District entry screen"}},
};

constexpr SmallSchoolScreen kElementaryScreen{rulegate::TrapRow("A", "1", "", "BRL_SD_NSES"), kElementaryRowChecks,
                                              kElementaryLimits};
constexpr SmallSchoolScreen kHighSchoolScreen{rulegate::TrapRow("A", "1", "", "BRL_SD_NSHS"), kHighSchoolRowChecks,
                                              kHighSchoolLimits};

// Every school row, then the totals over them against the district's
// attendance row (read for the first row's district before the walk).
db::RecordsetPtr ValidateSmallSchools(db::RecordsetPtr& CurrentValues, const SmallSchoolScreen& screen) {
  return RunRuleSet(&screen.trap, CurrentValues, [&](const db::RecordsetPtr& RsErr) {
    db::Recordset& rs = *CurrentValues;
    SchoolTotals totals(screen.limits);
    const db::ConnectionPtr conn = modGeneralRoutines::OpenOwnConnection();
    const db::RecordsetPtr district = DistrictAttendanceOf(conn, rs, screen.limits);

    ForEveryRow(rs, [&] {
      totals.Add(rs);
      for (const SchoolRowCheck& check : screen.rowChecks) {
        if (Fires(check.condition(rs))) ReportSchool(CurrentValues, RsErr, check.check, rs.Value("School_ID"));
      }
    });
    totals.CheckAgainst(*district, CurrentValues, RsErr);
  });
}

}  // namespace

db::RecordsetPtr Validate_ATT_SD(db::RecordsetPtr& CurrentValues, ParamsRef) {
  // The district's one row: the current row alone is tested.
  return RunRuleSet(&kAttSdTrap, CurrentValues, [&](const db::RecordsetPtr& RsErr) {
    for (const SectionBLine& line : kAttSdLines) {
      if (ExceedsSectionA(*CurrentValues, line)) modGeneralRoutines::Report(CurrentValues, RsErr, line.check);
    }
  });
}

db::RecordsetPtr Validate_ATT_SD_BS(db::RecordsetPtr& CurrentValues, ParamsRef) {
  return ValidateResidenceRows(CurrentValues, kAttSdBsTrap, kResidenceLines);
}

db::RecordsetPtr Validate_ATT_SD_BAOE(db::RecordsetPtr& CurrentValues, ParamsRef) {
  return ValidateResidenceRows(CurrentValues, kAttSdBaoeTrap, kResidenceLines);
}

db::RecordsetPtr Validate_ATT_SD_SUPP(db::RecordsetPtr& CurrentValues, ParamsRef) {
  return ValidateResidenceRows(CurrentValues, kAttSdSuppTrap, kSupplementLines);
}

db::RecordsetPtr Validate_BRL_SD_NSES_ADA(db::RecordsetPtr& CurrentValues, ParamsRef) {
  return ValidateSmallSchools(CurrentValues, kElementaryScreen);
}

db::RecordsetPtr Validate_BRL_SD_NSHS_ADA(db::RecordsetPtr& CurrentValues, ParamsRef) {
  return ValidateSmallSchools(CurrentValues, kHighSchoolScreen);
}

}  // namespace modRulesAttendance

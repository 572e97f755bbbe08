// The rule set of the necessary small schools screen: every school row by
// its necessary-small-school type and funding (certification selection,
// staff, ADA bounds and enrollment, several of them in the Annual period
// only for a district with migrant certification), then the column totals
// of lines C-2 and C-3 against the district's attendance screen.

#include <array>
#include <string>

#include "modRulesAttendance.h"
#include "modRulesAttendanceSchools.h"
#include "vb/Conversions.h"

namespace modRulesAttendance {
namespace {

using rulegate::And;
using rulegate::Check;
using rulegate::Compare;
using rulegate::Op;
using rulegate::Or;
using rulegate::Truth;

// The elementary (grades TK-8) or the high school (grades 9-12) part of a
// school's row: its certification selection (1 line B-1, 0 line B-2), its
// Education Code selection, its staff on line C-1 and its ADA on line C-4.
struct SchoolPart {
  std::string_view funding;
  std::string_view edCode;
  std::string_view staff;
  std::string_view ada;
  double mostAda;
};
constexpr SchoolPart kElementary{"CYOrPYFundingNSES", "EdCodeNSES", "NumberOfFTTeachers", "ADATotal_Total",
                                 kMostElementaryAda};
constexpr SchoolPart kHigh{"CYOrPYFundingNSHS", "EdCodeNSHS", "NumberOfFTEEmployees", "ADATotal_Grades9TO12",
                           kMostHighSchoolAda};
constexpr std::array<std::string_view, 2> kBothStaff{kElementary.staff, kHigh.staff};
constexpr std::array<std::string_view, 2> kBothAda{kElementary.ada, kHigh.ada};

// The school kinds that checks apply to: by the directory's type of the
// school and the funding flag of its stored row (the K-12 checks of the
// Annual period look at the type alone).
enum class Kind { FundedElementary, FundedHigh, FundedK12, AnyK12 };

// A school row with what its checks look at: its directory row, its stored
// row and the district's migrant certification.
class School {
 public:
  School(const db::ConnectionPtr& conn, const db::Recordset& row, const vb::Variant& migrant) : row_(row) {
    const db::SqlText schoolKeys =
        rulegate::KeysOf(row, {"Fiscal_Year", "County_ID", "School_District_ID", "School_ID"});
    auto directory = db::Recordset::Query("SELECT NssSchoolType, School_Name FROM KRN_LEAS" + schoolKeys.Sql() +
                                              " AND LEA_TYPE = 4 AND STAT_TYPE = 'OPEN'",
                                          conn, schoolKeys.Params());
    const db::SqlText storedKeys =
        rulegate::KeysOf(row, {"Fiscal_Year", "Period_ID", "County_ID", "School_District_ID", "School_ID"});
    auto stored = db::Recordset::Query("SELECT FundAsNssYN FROM NSS" + storedKeys.Sql(), conn, storedKeys.Params());
    const std::string school = vb::TextOf(row.Value("School_ID"));
    if (directory->Bof() && directory->Eof()) vb::Raise(vb::err::NoCurrentRecord, "No open school " + school + " in the directory");
    if (stored->Bof() && stored->Eof()) vb::Raise(vb::err::NoCurrentRecord, "No stored row of school " + school);
    type_ = directory->Value("NssSchoolType");
    name_ = directory->Value("School_Name");
    funded_ = Compare(stored->Value("FundAsNssYN"), Op::Eq, true);
    const Truth annual = Compare(row.Value("period_id"), Op::Eq, kAnnual);
    outsideAnnual_ = Compare(row.Value("period_id"), Op::Ne, kAnnual);
    annualMigrant1_ = And(annual, Compare(migrant, Op::Eq, 1));
    annualMigrant0_ = And(annual, Compare(migrant, Op::Eq, 0));
  }

  Truth Is(Kind kind) const {
    switch (kind) {
      case Kind::FundedElementary: return And(HasType("ELEMENTARY"), funded_);
      case Kind::FundedHigh: return And(HasType("HIGH SCHOOL"), funded_);
      case Kind::FundedK12: return And(HasType("K-12"), funded_);
      case Kind::AnyK12: return HasType("K-12");
    }
    return false;
  }
  const vb::Variant& Name() const { return name_; }
  vb::Variant Value(std::string_view column) const { return row_.Value(column); }
  vb::Variant SumOf(std::span<const std::string_view> columns) const { return rulegate::SumOf(row_, columns); }

  Truth OutsideAnnual() const { return outsideAnnual_; }
  Truth AnnualWithMigrant1() const { return annualMigrant1_; }
  Truth AnnualWithMigrant0() const { return annualMigrant0_; }
  // Outside the Annual period, or in it for a district with migrant
  // certification.
  Truth OutsideAnnualOrMigrant1() const { return Or(outsideAnnual_, annualMigrant1_); }

 private:
  // The type compares exactly, case and blanks counting.
  Truth HasType(std::string_view type) const { return Compare(type_, Op::Eq, type); }

  const db::Recordset& row_;
  vb::Variant type_;
  vb::Variant name_;
  Truth funded_;
  Truth outsideAnnual_;
  Truth annualMigrant1_;
  Truth annualMigrant0_;
};

Truth Le(const vb::Variant& v, double x) { return Compare(v, Op::Le, x); }
Truth Gt(const vb::Variant& v, double x) { return Compare(v, Op::Gt, x); }

// --- Conditions of the checks, each on one part of the school ------------------

// Outside the Annual period, no certification selection.
Truth NoSelection(const School& s, const SchoolPart& p) {
  return And(s.OutsideAnnual(), Truth(s.Value(p.funding).IsNull()));
}
// Outside the Annual period, line B-1 (selection 1) or B-2 (selection 0)
// selected with no Education Code selection.
template <int selection>
Truth SelectedWithoutCode(const School& s, const SchoolPart& p) {
  return And(s.OutsideAnnual(),
             And(Compare(s.Value(p.funding), Op::Eq, selection), Compare(s.Value(p.edCode), Op::Eq, "")));
}
// Either part of a K-12 school is in use: outside the Annual period when a
// selection is made or `other` is above 0, in it for a district with
// migrant certification when `other` is above 0.
Truth PartInUse(const School& s, const SchoolPart& p, std::string_view other) {
  const Truth selected = Or(Compare(s.Value(p.funding), Op::Eq, 1), Compare(s.Value(p.funding), Op::Eq, 0));
  const Truth otherAboveZero = Gt(s.Value(other), 0);
  return Or(And(s.OutsideAnnual(), Or(selected, otherAboveZero)), And(s.AnnualWithMigrant1(), otherAboveZero));
}
Truth NoSelectionWithStaffOrAda(const School& s, const SchoolPart& p) {
  return And(NoSelection(s, p), Or(Gt(s.Value(p.staff), 0), Gt(s.Value(p.ada), 0)));
}
Truth NoStaff(const School& s, const SchoolPart& p) {
  return And(Le(s.Value(p.staff), 0), s.OutsideAnnualOrMigrant1());
}
Truth NoStaffInEitherPart(const School& s, const SchoolPart&) {
  return And(Le(s.SumOf(kBothStaff), 0), s.OutsideAnnualOrMigrant1());
}
Truth NoStaffInPartInUse(const School& s, const SchoolPart& p) {
  return And(Le(s.Value(p.staff), 0), PartInUse(s, p, p.ada));
}
Truth AdaOutOfPartBounds(const School& s, const SchoolPart& p) { return AdaOutOfBounds(s.Value(p.ada), p.mostAda); }
Truth FewPupils(const School& s, const SchoolPart& p) {
  return And(Compare(s.Value(p.ada), Op::Lt, kFewestPupils), s.OutsideAnnualOrMigrant1());
}
Truth NoAdaInEitherPart(const School& s, const SchoolPart&) { return Le(s.SumOf(kBothAda), 0); }
Truth AdaOutOfBoundsInPartInUse(const School& s, const SchoolPart& p) {
  return And(AdaOutOfPartBounds(s, p), PartInUse(s, p, p.staff));
}
Truth AdaOverBoundWithoutMigrants(const School& s, const SchoolPart& p) {
  return And(Gt(s.Value(p.ada), p.mostAda), s.AnnualWithMigrant0());
}
Truth SomeButFewPupils(const School& s, const SchoolPart& p) {
  return And(Gt(s.Value(p.ada), 0), FewPupils(s, p));
}

// A check of a school row: the kind of school it applies to, the part it
// looks at, its condition and its texts (the message names the school).
struct NssCheck {
  Kind kind;
  const SchoolPart* part;
  Truth (*condition)(const School&, const SchoolPart&);
  SchoolCheck check;
};

constexpr std::string_view kSelection = "Certification Selection";
constexpr std::string_view kStaff = "Number of Full-time Teachers/FTE Certificated Employees";
constexpr std::string_view kTotalAda = "Total ADA";
constexpr std::string_view kElementarySelectionMessage =
    "A valid necessary small elementary school certification selection must be made for ";
constexpr std::string_view kHighSelectionMessage =
    "A valid necessary small high school certification selection must be made for ";
constexpr std::string_view kEnrollmentAfter =
    " is 5 or greater to meet Education Code Section 42283 requirements for necessary small school funding.";

constexpr SchoolCheck ElementarySelection(std::string_view lineNo) {
  return {{"B", lineNo, "", "E", "EdCodeNSES", kSelection, kElementarySelectionMessage}, "."};
}
constexpr SchoolCheck HighSelection(std::string_view lineNo) {
  return {{"B", lineNo, "", "E", "EdCodeNSHS", kSelection, kHighSelectionMessage}, "."};
}

constexpr std::array kNssChecks{
    NssCheck{Kind::FundedElementary, &kElementary, NoSelection, ElementarySelection("1, B-2")},
    NssCheck{Kind::FundedElementary, &kElementary, SelectedWithoutCode<1>, ElementarySelection("1")},
    NssCheck{Kind::FundedElementary, &kElementary, SelectedWithoutCode<0>, ElementarySelection("2")},
    NssCheck{Kind::FundedHigh, &kHigh, NoSelection, HighSelection("1, B-2")},
    NssCheck{Kind::FundedHigh, &kHigh, SelectedWithoutCode<1>, HighSelection("1")},
    NssCheck{Kind::FundedHigh, &kHigh, SelectedWithoutCode<0>, HighSelection("2")},
    NssCheck{Kind::FundedK12, &kElementary, NoSelectionWithStaffOrAda, ElementarySelection("1, B-2")},
    NssCheck{Kind::FundedK12, &kHigh, NoSelectionWithStaffOrAda, HighSelection("1, B-2")},
    NssCheck{Kind::FundedK12, &kElementary, SelectedWithoutCode<1>, ElementarySelection("1")},
    NssCheck{Kind::FundedK12, &kHigh, SelectedWithoutCode<1>, HighSelection("1")},
    NssCheck{Kind::FundedK12, &kElementary, SelectedWithoutCode<0>, ElementarySelection("2")},
    NssCheck{Kind::FundedK12, &kHigh, SelectedWithoutCode<0>, HighSelection("2")},
    NssCheck{Kind::FundedElementary, &kElementary, NoStaff,
             {{"C", "1", "", "E", "NumberOfFTTeachers", kStaff, "Number of Full-time Teachers for "},
              " must be greater than 0."}},
    NssCheck{Kind::FundedHigh, &kHigh, NoStaff,
             {{"C", "1", "", "E", "NumberOfFTEEmployees", kStaff, "Number of FTE Certificated Employees for "},
              " must be greater than 0."}},
    NssCheck{Kind::FundedK12, &kElementary, NoStaffInEitherPart,
             {{"C", "1", "", "E", "", kStaff, "Total sum of Line C-1 for "}, " must be greater than 0."}},
    NssCheck{Kind::FundedK12, &kElementary, NoStaffInPartInUse,
             {{"C", "1", "", "E", "", kStaff, "Line C-1 in the Necessary Small Elementary School Column for "},
              " must be greater than 0."}},
    NssCheck{Kind::FundedK12, &kHigh, NoStaffInPartInUse,
             {{"C", "1", "", "E", "", kStaff, "Line C-1 in the Necessary Small High School Column for "},
              " must be greater than 0."}},
    NssCheck{Kind::FundedElementary, &kElementary, AdaOutOfPartBounds,
             {{"C", "4", "", "E", "ADATotal_Total", kTotalAda, "Total Elementary ADA for "},
              " must be greater than 0 and less than or equal to 96.49."}},
    NssCheck{Kind::FundedElementary, &kElementary, FewPupils,
             {{"C", "4", "", "W", "ADATotal_Total", kTotalAda, "Verify that the enrollment for "}, kEnrollmentAfter}},
    NssCheck{Kind::FundedHigh, &kHigh, AdaOutOfPartBounds,
             {{"C", "4", "", "E", "ADATotal_Grades9TO12", kTotalAda, "Total High School ADA for "},
              " must be greater than 0 and less than or equal to 286.49."}},
    NssCheck{Kind::FundedK12, &kElementary, NoAdaInEitherPart,
             {{"C", "4", "", "E", "", kTotalAda, "Combined total of Elementary and High School ADA for "},
              " must be greater than 0."}},
    NssCheck{Kind::FundedK12, &kElementary, AdaOutOfBoundsInPartInUse,
             {{"C", "4", "", "E", "ADATotal_Total", kTotalAda, "Total ADA for grades TK-8 for "},
              " must be greater than 0 and less than or equal to 96.49."}},
    NssCheck{Kind::AnyK12, &kElementary, AdaOverBoundWithoutMigrants,
             {{"C", "4", "", "E", "ADATotal_Total", kTotalAda, "Total ADA for grades TK-8 for "},
              " must not exceed 96.49."}},
    NssCheck{Kind::FundedK12, &kElementary, SomeButFewPupils,
             {{"C", "4", "", "W", "ADATotal_Total", kTotalAda, "Verify that the TK-8 enrollment for "},
              kEnrollmentAfter}},
    NssCheck{Kind::FundedK12, &kHigh, AdaOutOfBoundsInPartInUse,
             {{"C", "4", "", "E", "ADATotal_Grades9TO12", kTotalAda, "Total ADA for grades 9-12 for "},
              " must be greater than 0 and less than or equal to 286.49."}},
    NssCheck{Kind::AnyK12, &kHigh, AdaOverBoundWithoutMigrants,
             {{"C", "4", "", "E", "ADATotal_Grades9TO12", kTotalAda, "Total ADA for grades 9-12 for "},
              " must not exceed 286.49."}},
};

constexpr std::array kNssLimits{
    DistrictLimit{"RegularADA_GradesTKTO3", "RegularADA_GradesTKTO3", "",
                  {"C", "2", "", "E", "RegularADA_GradesTKTO3",
                   "Necessary Small School Regular ADA (includes Opportunity Classes, Home and Hospital, and Special "
                   "Day Class) (TK/K-3)",
                   "Sum of Line C-2 in TK/K-3 Column for all records must be less than or equal to Line A-1 in TK/K-3 "
                   "Column of the Attendance School District entry screen."}},
    DistrictLimit{"RegularADA_Grades4TO6", "RegularADA_Grades4TO6", "",
                  {"C", "2", "", "E", "RegularADA_Grades4TO6",
                   "Necessary Small School Regular ADA (includes Opportunity Classes, Home and Hospital, and Special "
                   "Day Class) (Grades 4-6)",
                   "Sum of Line C-2 in Grades 4-6 Column for all records must be less than or equal to Line A-1 in "
                   "Grades 4-6 Column of the Attendance School District entry screen."}},
    DistrictLimit{"RegularADA_Grades7TO8", "RegularADA_Grades7TO8", "",
                  {"C", "2", "", "E", "RegularADA_Grades7TO8",
                   "Necessary Small School Regular ADA (includes Opportunity Classes, Home and Hospital, and Special "
                   "Day Class) (Grades 7-8)",
                   "Sum of Line C-2 in Grades 7-8 Column for all records must be less than or equal to Line A-1 in "
                   "Grades 7-8 Column of the Attendance School District entry screen."}},
    DistrictLimit{"RegularADA_Grades9TO12", "RegularADA_Grades9TO12", "ADA_Continuation_Grades9TO12",
                  {"C", "2", "", "E", "RegularADA_Grades9TO12",
                   "Necessary Small School Regular ADA (includes Opportunity Classes, Home and Hospital, and Special "
                   "Day Class) (Grades 9-12)",
                   "Sum of Line C-2 for all records must be less than or equal to Line A-1 minus Line B-6 in Grades "
                   "9-12 Column of the Attendance School District entry screen."}},
    DistrictLimit{"ExtYearSpEd_GradesTKTO3", "ExtYearSpEd_GradesTKTO3", "",
                  {"C", "3", "", "E", "ExtYearSpEd_GradesTKTO3",
                   "Extended Year Special Education [EC 56345(b)(3)] (Divisor 175) (TK/K-3)",
                   "Sum of Line C-3 in TK/K-3 Column for all records must be less than or equal to Line A-2 in TK/K-3 "
                   "Column of the Attendance School District entry screen."}},
    DistrictLimit{"ExtYearSpEd_Grades4TO6", "ExtYearSpEd_Grades4TO6", "",
                  {"C", "3", "", "E", "ExtYearSpEd_Grades4TO6",
                   "Extended Year Special Education [EC 56345(b)(3)] (Divisor 175) (Grades 4-6)",
                   "Sum of Line C-3 in Grades 4-6 Column for all records must be less than or equal to Line A-2 in "
                   "Grades 4-6 Column of the Attendance School District entry screen."}},
    DistrictLimit{"ExtYearSpEd_Grades7TO8", "ExtYearSpEd_Grades7TO8", "",
                  {"C", "3", "", "E", "ExtYearSpEd_Grades7TO8",
                   "Extended Year Special Education [EC 56345(b)(3)] (Divisor 175) (Grades 7-8)",
                   "Sum of Line C-3 in Grades 7-8 Column for all records must be less than or equal to Line A-2 in "
                   "Grades 7-8 Column of the Attendance School District entry screen."}},
    DistrictLimit{"ExtYearSpEd_Grades9TO12", "ExtYearSpEd_Grades9TO12", "",
                  {"C", "3", "", "E", "ExtYearSpEd_Grades9TO12",
                   "Extended Year Special Education [EC 56345(b)(3)] (Divisor 175) (Grades 9-12)",
                   "Sum of Line C-3 in Grades 9-12 Column for all records must be less than or equal to Line A-2 in "
                   "Grades 9-12 Column of the Attendance School District entry screen."}},
};

constexpr Check kNssTrap = rulegate::TrapRow("A", "1", "", "NSS");

// The district's migrant certification for the period: 0 without a row,
// else as stored.
vb::Variant MigrantCertificationOf(const db::ConnectionPtr& conn, const db::Recordset& row) {
  const db::SqlText keys = rulegate::KeysOf(row, {"Fiscal_Year", "Period_ID", "County_ID", "School_District_ID"});
  auto migrant = db::Recordset::Query("SELECT MigrantCertification FROM MigrantCert" + keys.Sql(), conn, keys.Params());
  if (migrant->Bof() && migrant->Eof()) return vb::Variant(0);
  return migrant->Value(0);
}

}  // namespace

db::RecordsetPtr Validate_NSS(db::RecordsetPtr& CurrentValues, ParamsRef) {
  return modGeneralRoutines::RunRuleSet(&kNssTrap, CurrentValues, [&](const db::RecordsetPtr& RsErr) {
    db::Recordset& rs = *CurrentValues;
    SchoolTotals totals(kNssLimits);
    const db::ConnectionPtr conn = modGeneralRoutines::OpenOwnConnection();
    const db::RecordsetPtr district = DistrictAttendanceOf(conn, rs, kNssLimits);
    const vb::Variant migrant = MigrantCertificationOf(conn, rs);

    modGeneralRoutines::ForEveryRow(rs, [&] {
      totals.Add(rs);
      const School school(conn, rs, migrant);
      for (const NssCheck& check : kNssChecks) {
        if (rulegate::Fires(And(school.Is(check.kind), check.condition(school, *check.part))))
          ReportSchool(CurrentValues, RsErr, check.check, school.Name());
      }
    });
    totals.CheckAgainst(*district, CurrentValues, RsErr);
  });
}

}  // namespace modRulesAttendance

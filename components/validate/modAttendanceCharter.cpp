// The rule sets of the charter school's attendance screens: residents and
// non-residents (ATTCSACD) and the charter's attendance (ATTCS). Each checks
// the screen's current row, then its tracks: their totals against the
// screen's lines and the first five tracks one by one; ATTCS then checks
// the allocation to districts of residence when the charter's type asks
// for one.

#include "modAttendanceCharter.h"
#include "modAttendanceCharterChecks.h"

namespace modAttendanceCharter {
namespace {

using modGeneralRoutines::RunRuleSet;
using rulegate::Compare;
using rulegate::Op;

// --- Residents and non-residents ---------------------------------------------

constexpr rulegate::Check kResidenceTrap = rulegate::TrapRow("A", "1", "", "ATTCSACD");

const std::vector<Program> kResidencePrograms{
    {"RegularADA_{span}", "Regular ADA"},
    {"ExtYearSpEd_{span}", "Extended Year Special Education"},
    {"SpEd_56366_{span}", "Special Education - Nonpublic, Nonsectarian Schools"},
    {"ExtYearSpEd_56366_{span}", "Extended Year Special Education - Nonpublic, Nonsectarian Schools"},
    {"Cds{short}", "Community Day School [EC 48664]"},
};

// Lines A-1 to A-10 (residents), B-1 to B-10 (non-residents), and the same
// reported per track as D-3 to D-22.
struct ResidenceLines {
  std::vector<Line> screen;  // then B-1 to B-10
  std::vector<Line> tracks;  // D-3 to D-22
};
const ResidenceLines& ResidenceLinesOf() {
  static const ResidenceLines lines = [] {
    ResidenceLines l;
    l.screen = ProgramLines("A", 1, kResidencePrograms, "_Res");
    const std::vector<Line> b = ProgramLines("B", 1, kResidencePrograms, "_NRes");
    l.screen.insert(l.screen.end(), b.begin(), b.end());
    l.tracks = ProgramLines("D", 3, kResidencePrograms, "_Res");
    const std::vector<Line> nonResident = ProgramLines("D", 13, kResidencePrograms, "_NRes");
    l.tracks.insert(l.tracks.end(), nonResident.begin(), nonResident.end());
    return l;
  }();
  return lines;
}

// The column patterns of the program lines (not their classroom-based
// parts) among `lines`.
std::vector<std::string> ProgramColumns(const std::vector<Line>& lines) {
  std::vector<std::string> columns;
  for (std::size_t i = 0; i < lines.size(); i += 2) columns.push_back(lines[i].column);
  return columns;
}

const std::vector<Bound>& ResidenceScreenBounds() {
  static const std::vector<Bound> bounds = [] {
    const std::vector<Line>& screen = ResidenceLinesOf().screen;
    std::vector<Bound> b = PartsWithinLines(screen);
    b.push_back({.line = {"C", "1", "ADA_TransK_GradesTKTO3", kTransitionalKindergarten},
                 .bound = ProgramColumns(screen),
                 .message = "Line C-1 must be less than or equal to the sum of ADA reported in line A-1, A-3, A-5, "
                            "A-7, A-9, B-1, B-3, B-5, B-7 and B-9 (TK/K-3)",
                 .firstSpanOnly = true});
    b.push_back({.line = {"C", "3", "CourseBasedIndStudy_{span}", kCourseBased},
                 .bound = {"ADATotal_{span}_NCB_Res", "ADATotal_{span}_NCB_NRes"},
                 .boundText = "the sum of lines A-13 and B-13"});
    b.push_back({.line = {"C", "4", "CourseBasedIndStudyNotElig_{span}", kCourseBasedNotEligible},
                 .bound = {"NCBAda{ncb}"},
                 .boundText = "line C-2"});
    return b;
  }();
  return bounds;
}

const std::vector<SiteTypeCheck> kResidenceSiteTypes{
    SiteBased("ADATotal_{span}_Res", "ADATotal_{span}_CB_Res", "A-12"),
    SiteBased("ADATotal_{span}_NRes", "ADATotal_{span}_CB_NRes", "B-12"),
    IndependentStudy("ADATotal_{span}_Res", "ADATotal_{span}_CB_Res", "A-12"),
    IndependentStudy("ADATotal_{span}_NRes", "ADATotal_{span}_CB_NRes", "B-12"),
};

constexpr std::string_view kResidenceTrackTable = "AttCsACDTrack";

const TotalsFamily& ResidenceTrackTotals() {
  static const TotalsFamily family{
      .table = kResidenceTrackTable,
      .aliasPrefix = "D",
      .message = kTrackTotalsMessage,
      .lines = TotalsOfLines(ResidenceLinesOf().tracks, ResidenceLinesOf().screen),
      .ownMessages = {{"3", 3,
                       "The sum of ADA reported in line D-3 (Grades 9-12) for all Tracks must equal the ADA in line A-1 "
                       "Grades 9-12"}},
  };
  return family;
}

const std::vector<Bound>& ResidenceTrackBounds() {
  static const std::vector<Bound> bounds = PartsWithinLines(ResidenceLinesOf().tracks);
  return bounds;
}

// --- The charter's attendance ------------------------------------------------

constexpr rulegate::Check kCharterTrap = rulegate::TrapRow("C", "1", "", "ATTCS");

// Lines of the screen, C-3 to C-10 of a track and D-1 to D-8
// of an allocation.
struct CharterLines {
  std::vector<Line> screen;
  std::vector<Line> tracks;
  std::vector<Line> allocations;
};
const CharterLines& CharterLinesOf() {
  static const CharterLines lines{ProgramLines("A", 1, kCharterPrograms, ""),
                                  ProgramLines("C", 3, kCharterPrograms, "_Track"),
                                  ProgramLines("D", 1, kCharterPrograms, "")};
  return lines;
}

const std::vector<Bound>& CharterScreenBounds() {
  static const std::vector<Bound> bounds = [] {
    const std::vector<Line>& screen = CharterLinesOf().screen;
    std::vector<Bound> b = PartsWithinLines(screen);
    b.push_back({.line = {"B", "1", "ADA_TransK_GradesTKTO3", kTransitionalKindergarten},
                 .bound = ProgramColumns(screen),
                 .message = "Line B-1 must be less than or equal to the sum of ADA reported in line A-1, A-3, A-5, "
                            "and A-7 (TK/K-3)",
                 .firstSpanOnly = true});
    b.push_back({.line = {"B", "3", "CourseBasedIndStudy_{span}", kCourseBased},
                 .bound = {"ADATotal_{span}_NCB"},
                 .boundText = "line A-11"});
    b.push_back({.line = {"B", "4", "CourseBasedIndStudyNotElig_{span}", kCourseBasedNotEligible},
                 .bound = {"NCBAda{ncb}"},
                 .boundText = "line B-2"});
    return b;
  }();
  return bounds;
}

const std::vector<SiteTypeCheck> kCharterSiteTypes{
    SiteBased("ADATotal_{span}", "ADATotal_{span}_CB", "A-10"),
    IndependentStudy("ADATotal_{span}", "ADATotal_{span}_CB", "A-10"),
};

constexpr std::string_view kCharterTrackTable = "AttCsTrack";
constexpr std::string_view kAllocationTable = "AttCsADAAllocation";

const TotalsFamily& CharterTrackTotals() {
  static const TotalsFamily family{
      .table = kCharterTrackTable,
      .aliasPrefix = "D",
      .message = kTrackTotalsMessage,
      .lines = TotalsOfLines(CharterLinesOf().tracks, CharterLinesOf().screen),
  };
  return family;
}

const std::vector<Bound>& CharterTrackBounds() {
  static const std::vector<Bound> bounds = PartsWithinLines(CharterLinesOf().tracks);
  return bounds;
}

const TotalsFamily& AllocationTotals() {
  static const TotalsFamily family{
      .table = kAllocationTable,
      .aliasPrefix = "D",
      .message = kAllocationTotalsMessage,
      .lines = TotalsOfLines(CharterLinesOf().allocations, CharterLinesOf().screen),
  };
  return family;
}

const std::vector<Bound>& AllocationBounds() {
  static const std::vector<Bound> bounds = PartsWithinLines(CharterLinesOf().allocations);
  return bounds;
}

// Charters of these types allocate their attendance to districts of
// residence.
bool AllocatesAttendance(const vb::Variant& charterType) {
  return rulegate::Fires(rulegate::Or(Compare(charterType, Op::Eq, 7), Compare(charterType, Op::Eq, 5)));
}

}  // namespace

db::RecordsetPtr Validate_ATTCSACD(db::RecordsetPtr& CurrentValues, ParamsRef) {
  return RunRuleSet(&kResidenceTrap, CurrentValues, [&](const db::RecordsetPtr& RsErr) {
    const Reporter report{*CurrentValues, RsErr};
    const db::Recordset& current = *CurrentValues;
    CheckBounds(report, current, ResidenceScreenBounds());
    CheckSiteTypes(report, current, kResidenceSiteTypes);

    OwnQueries own(current);
    CheckTotals(report, own, ResidenceTrackTotals());
    ForFirstTracks(own, kResidenceTrackTable, [&](const db::Recordset& track, const std::string& label) {
      CheckBounds(report, track, ResidenceTrackBounds(), TrackDecoration(label));
    });
  });
}

db::RecordsetPtr Validate_ATTCS(db::RecordsetPtr& CurrentValues, ParamsRef) {
  return RunRuleSet(&kCharterTrap, CurrentValues, [&](const db::RecordsetPtr& RsErr) {
    const Reporter report{*CurrentValues, RsErr};
    const db::Recordset& current = *CurrentValues;
    CheckBounds(report, current, CharterScreenBounds());
    CheckSiteTypes(report, current, kCharterSiteTypes);

    OwnQueries own(current);
    CheckTotals(report, own, CharterTrackTotals());
    ForFirstTracks(own, kCharterTrackTable, [&](const db::Recordset& track, const std::string& label) {
      CheckBounds(report, track, CharterTrackBounds(), TrackDecoration(label));
    });

    if (!AllocatesAttendance(own.CharterType())) return;
    CheckTotals(report, own, AllocationTotals());
    ForEachRow(own, kAllocationTable, [&](const db::Recordset& allocation) {
      CheckBounds(report, allocation, AllocationBounds(),
                  ResidenceDecoration(allocation.Value("Res_County_Name"), allocation.Value("Res_School_District_Name")));
    });
  });
}

}  // namespace modAttendanceCharter

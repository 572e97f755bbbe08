#pragma once
// What the tests of the charter attendance rule sets share: the charter
// school whose rows they validate, its directory row, rows filled by the
// columns' names, and helpers that read the result.

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "RuleFixture.h"
#include "db/Catalog.h"
#include "vb/Conversions.h"

namespace ruletest {

inline constexpr int kCharterPeriod = 2;
inline constexpr int kCharterSchool = 1234567;
inline const std::string kCharterWhere =
    "Fiscal_Year = 2019 AND Period_ID = 2 AND County_ID = 19 AND School_District_ID = 64733 AND School_ID = 1234567";
inline constexpr const char* kUnexpected = "Unexpected Error generated in Rule Validation Engine";

// A row of the charter school, with the cells the test sets.
inline Cells Charter(Cells cells) {
  Cells row{{"Period_ID", kCharterPeriod}, {"School_ID", kCharterSchool}};
  row.insert(row.end(), cells.begin(), cells.end());
  return row;
}

inline std::vector<std::string> TextsOf(const db::RecordsetPtr& result, const std::string& field) {
  std::vector<std::string> texts;
  for (const vb::Variant& value : ColumnOf(result, field)) texts.push_back(vb::TextOf(value));
  return texts;
}

// Findings of the rows at the given places of the result.
// Each text expected stands at its place among `texts`.
inline void ExpectTextsAt(const std::vector<std::string>& texts,
                          std::initializer_list<std::pair<std::size_t, std::string>> expected) {
  for (const auto& [place, text] : expected) {
    ASSERT_LT(place, texts.size());
    EXPECT_EQ(texts[place], text) << place;
  }
}

// The warnings of the site-type checks, naming the line of the screen's
// classroom-based ADA totals.
inline Finding SiteBasedWarning(const std::string& line) {
  return {"-", "SiteType", "W",
          "The charter is a site-based program and is not reporting Classroom-based ADA Totals (Line " + line + "). "};
}
inline Finding IndependentStudyWarning(const std::string& line) {
  return {
      "-", "SiteType", "W",
      "The charter is an Independent Study program and is reporting Classroom-based ADA Totals (Line " + line + "). "};
}

inline std::vector<Finding> At(const std::vector<Finding>& findings, std::initializer_list<std::size_t> places) {
  std::vector<Finding> picked;
  for (std::size_t place : places) picked.push_back(place < findings.size() ? findings[place] : Finding{});
  return picked;
}

class CharterRulesTest : public RuleTest {
 protected:
  // The charter's directory row of a year.
  void Directory(int year, const vb::Variant& charterType) {
    Insert("KRN_LEAS", {{"FISCAL_YEAR", year}, {"SCHOOL_ID", kCharterSchool}, {"CHARTER_TYPE", charterType}});
  }
  // Every number column of the table, valued by the column's name.
  Cells Filled(const std::string& table, const std::function<double(const std::string&)>& value) {
    Cells cells;
    for (const db::ColumnInfo& column : db::catalog::Columns(*conn_, table)) {
      if (column.declaredType == "DOUBLE") cells.push_back({column.name, value(column.name)});
    }
    return cells;
  }
  // A row with everything 0 but what the test sets.
  Cells Zeroed(const std::string& table, const Cells& cells) {
    Cells row = Charter(Filled(table, [](const std::string&) { return 0.0; }));
    row.insert(row.end(), cells.begin(), cells.end());
    return row;
  }
  db::RecordsetPtr ValidateRow(const std::string& formKey, const Cells& cells) {
    auto rows = FormRows(formKey, {Charter(cells)});
    return Validate(formKey, rows);
  }
};

inline bool IsClassroomBased(const std::string& column) {
  return column.find("_CB_") != std::string::npos || column.ends_with("_CB");
}
inline bool Has(const std::string& column, std::string_view part) { return column.find(part) != std::string::npos; }

// A screen row that fails each check of its own: every part above its line,
// the other lines above their bounds, and ADA totals without classroom-based
// ADA.
inline double FailingScreenValue(const std::string& column) {
  if (Has(column, "ADATotal_") || Has(column, "TotalADA")) return IsClassroomBased(column) ? 0.0 : 1.0;
  if (Has(column, "ADA_TransK") || Has(column, "ADAForTransK") || Has(column, "CourseBasedIndStudy")) return 100.0;
  return IsClassroomBased(column) ? 2.0 : 1.0;
}
// A track or allocation row whose totals differ from such a screen row and
// whose parts are above their lines.
inline double FailingOtherValue(const std::string& column) { return IsClassroomBased(column) ? 4.0 : 3.0; }

}  // namespace ruletest

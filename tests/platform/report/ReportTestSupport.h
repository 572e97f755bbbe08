#pragma once
// Helpers for the report runtime's tests: layouts written inline, rows made
// in code, and what the pages print.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/Recordset.h"
#include "report/Layout.h"
#include "report/Pages.h"
#include "report/Report.h"

namespace reporttest {

// The sample layout of these tests: a grouped summary with sums.
inline std::string SamplePath() { return std::string(LEV_SOURCE_DIR) + "/tests/platform/report/layouts/summary.json"; }

// A layout from JSON text; a section or control written as "{...}" takes
// the keys given.
inline report::Layout Inline(const std::string& json) { return report::ParseLayout(json, "(test)"); }

// A report around a layout given as JSON.
inline std::shared_ptr<report::Report> ReportOf(const std::string& json) {
  return report::Create<report::Report>(Inline(json));
}

// Rows with text fields, or numbers where a value is a number.
inline db::RecordsetPtr Rows(const std::vector<std::string>& names, std::vector<std::vector<vb::Variant>> rows,
                             const std::vector<db::DataType>& types = {}) {
  std::vector<db::FieldMeta> fields;
  for (std::size_t i = 0; i < names.size(); ++i) {
    db::FieldMeta meta;
    meta.name = names[i];
    meta.type = i < types.size() ? types[i] : db::DataType::VarWChar;
    fields.push_back(meta);
  }
  return db::Recordset::FromRows(std::move(fields), std::move(rows));
}

// The tax rows of the samples: district type, district name, secured.
inline db::RecordsetPtr TaxRows() {
  return Rows({"ResDistrictType", "ResSchoolDistName", "Secured"},
              {{"ELEMENTARY", "Aspen Elementary", vb::Currency{25000000}},
               {"UNIFIED", "Birch Unified", vb::Currency{-3000000}},
               {"Elementary", "Cedar Elementary", vb::Currency{10000000}},
               {"elementary", "Dogwood Elementary", vb::Null}},
              {db::DataType::VarWChar, db::DataType::VarWChar, db::DataType::Currency});
}

// The items of a page (1-based) that a control printed.
inline std::vector<report::PrintedItem> ItemsOf(const std::vector<report::Page>& pages, int page,
                                                const std::string& control) {
  std::vector<report::PrintedItem> found;
  for (const report::PrintedItem& item : pages.at(static_cast<std::size_t>(page - 1)).items) {
    if (item.control == control) found.push_back(item);
  }
  return found;
}

// The one item a control printed on a page.
inline report::PrintedItem ItemOf(const std::vector<report::Page>& pages, int page, const std::string& control) {
  const auto items = ItemsOf(pages, page, control);
  EXPECT_EQ(items.size(), 1u) << control << " on page " << page;
  return items.empty() ? report::PrintedItem{} : items.front();
}

}  // namespace reporttest

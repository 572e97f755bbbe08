// Report layouts: reading a designer's JSON, refusing a broken one, and
// finding sections and controls by name or index.

#include <gtest/gtest.h>

#include "../vb/VbTestSupport.h"
#include "ReportTestSupport.h"
#include "report/Layout.h"
#include "report/Report.h"

namespace {

using reporttest::Inline;
using reporttest::SamplePath;
using vbtest::ErrorOf;

TEST(ReportLayout, ReadsEveryPropertyOfADesigner) {
  const report::Layout layout = report::LoadLayout(SamplePath());
  EXPECT_EQ(layout.name, "rptSample");
  EXPECT_EQ(layout.width, 10080);
  EXPECT_EQ(layout.margins.left, 720);
  EXPECT_EQ(layout.windowWidth, 11100);
  ASSERT_EQ(layout.sections.size(), 7u);
  const report::SectionLayout& detail = layout.sections[3];
  EXPECT_EQ(detail.kind, report::SectionKind::Detail);
  EXPECT_TRUE(detail.keepTogether);
  const report::ControlLayout& amount = detail.controls[1];
  EXPECT_EQ(amount.kind, report::ControlKind::TextBox);
  EXPECT_EQ(amount.dataMember, "Command1");
  EXPECT_EQ(amount.format, "#,##0;(#,##0)");
  EXPECT_EQ(amount.align, report::Align::Right);
  EXPECT_TRUE(amount.canGrow);
  EXPECT_EQ(amount.font.name, "Courier New");
  EXPECT_DOUBLE_EQ(amount.font.size, 9);
  EXPECT_FALSE(amount.font.bold);
  const report::ControlLayout& bar = layout.sections[1].controls[1];
  ASSERT_TRUE(bar.fillColor.has_value());
  EXPECT_EQ(bar.fillColor->r, 64);
  EXPECT_EQ(bar.fillColor->b, 64);
  // A control without a font takes the report's.
  EXPECT_EQ(layout.sections[3].controls[2].font.name, "Arial");
}

TEST(ReportLayout, RefusesABrokenLayoutNamingWhatIsWrong) {
  const std::string detail = R"({"name": "Section3", "kind": "detail", "height": 300})";
  const struct {
    std::string json;
    std::string says;
  } cases[] = {
      {"{not json", "is no JSON object"},
      {"[]", "is no JSON object"},
      {R"({"name": "r", "sections": [{"name": "S1", "kind": "pageHeader"}]})", "exactly one detail"},
      {R"({"name": "r", "widht": 10, "sections": [)" + detail + "]}", "\"widht\""},
      {R"({"name": "r", "sections": [{"name": "S3", "kind": "detial"}]})", "\"kind\" named \"detial\""},
      {R"({"name": "r", "sections": [)" + detail + "," + detail + "]}", "two sections named \"Section3\""},
      {R"({"name": "r", "sections": [)" + detail + R"(, {"name": "G", "kind": "groupHeader"}]})", "group footers"},
      {R"({"name": "r", "sections": [{"name": "S3", "kind": "detail", "controls": [
          {"name": "t", "kind": "textBox"}]}]})", "control \"t\" needs a \"dataField\""},
      {R"({"name": "r", "sections": [{"name": "S3", "kind": "detail", "controls": [
          {"name": "a", "kind": "label"}, {"name": "A", "kind": "label"}]}]})", "two controls named \"A\""},
      {R"({"name": "r", "sections": [{"name": "S3", "kind": "detail", "controls": [
          {"name": "f", "kind": "function", "dataField": "x", "function": "count"}]}]})", "other than \"sum\""},
      {R"({"name": "r", "sections": [{"name": "S3", "kind": "detail", "controls": [
          {"name": "s", "kind": "shape", "fillColor": "purple"}]}]})", "#RRGGBB"},
      {R"({"name": "r", "sections": [{"name": "S3", "kind": "detail", "height": -5}]})", "not below 0"},
      {R"({"name": "r", "orientation": 0, "sections": [)" + detail + "]}", "1 (portrait) or 2 (landscape)"},
  };
  for (const auto& c : cases) {
    try {
      Inline(c.json);
      ADD_FAILURE() << "accepted: " << c.json;
    } catch (const vb::VbError& e) {
      EXPECT_EQ(e.Number(), vb::err::InvalidProcedureCall) << c.json;
      EXPECT_NE(e.Description().find(c.says), std::string::npos) << e.Description();
      EXPECT_NE(e.Description().find("(test)"), std::string::npos) << e.Description();
    }
  }
  EXPECT_EQ(ErrorOf([] { report::LoadLayout("/no/such/layout.json"); }), vb::err::FileNotFound);
}

TEST(ReportLayout, SectionsAndControlsAreFoundByNameInAnyCaseOrByIndex) {
  report::Report rpt(SamplePath());
  EXPECT_EQ(rpt.Sections().Count(), 7);
  const struct {
    std::string section;
    std::string control;
    std::string found;
  } names[] = {
      {"Section1", "lblFormName", "lblformname"},
      {"SECTION1", "LBLCOUNTYNAME", "lblCountyName"},
      {"sec45", "label10", "Label10"},
      {"Sect65", "function1", "Function1"},
  };
  for (const auto& n : names) {
    EXPECT_EQ(rpt.Sections(n.section).Controls(n.control).Name(), n.found) << n.section << "." << n.control;
  }
  EXPECT_EQ(rpt.Sections(2).Name(), "Section1");
  EXPECT_EQ(rpt.Sections(2).Controls().Count(), 5);
  EXPECT_EQ(rpt.Sections("Section1").Controls(5).Name(), "Shape6");
  EXPECT_EQ(rpt.Sections(7).Name(), "Sect65");

  // Setting through a found control reaches the report.
  rpt.Sections("section1").Controls("LBLFORMNAME").Caption("Tax Summary");
  EXPECT_EQ(rpt.Sections(2).Controls(1).Caption(), "Tax Summary");

  const std::function<void()> missing[] = {
      [&] { rpt.Sections("Section9"); },
      [&] { rpt.Sections(0); },
      [&] { rpt.Sections(8); },
      [&] { rpt.Sections("Section1").Controls("lblSchoolName"); },
      [&] { rpt.Sections("Section1").Controls(6); },
      [&] { rpt.Sections("").Controls(1); },
  };
  for (const auto& lookup : missing) EXPECT_EQ(ErrorOf(lookup), vb::err::SubscriptOutOfRange);
}

}  // namespace

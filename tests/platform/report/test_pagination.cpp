// Binding and pagination: values and their formats, page numbers and the
// clock, hidden and empty sections, groups and sums over shaped rows, grown
// texts, kept-together and split bands, and the margins of the sheet.

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <algorithm>

#include "../vb/VbTestSupport.h"
#include "ReportTestSupport.h"
#include "ScriptedSeams.h"
#include "db/Shape.h"
#include "report/Pages.h"
#include "report/Paginate.h"
#include "report/Text.h"
#include "ui/Printers.h"

namespace {

using reporttest::ItemOf;
using reporttest::ItemsOf;
using reporttest::ReportOf;
using reporttest::Rows;
using report::TextsOn;

// Page header and footer as most designers have them, around a body given.
std::string Framed(const std::string& body, const std::string& report = R"("width": 10080, "margins": {"left": 720, "right": 720, "top": 720, "bottom": 720})") {
  return R"({"name": "rptTest", "title": "Test Report", )" + report + R"(, "sections": [
    {"name": "Section1", "kind": "pageHeader", "height": 600, "controls": [
      {"name": "lblformname", "kind": "label", "left": 144, "top": 0, "width": 9792, "height": 240, "caption": "Heading %i"}]},
    )" + body + R"(,
    {"name": "Sec45", "kind": "pageFooter", "height": 1248, "controls": [
      {"name": "Label1", "kind": "label", "left": 144, "top": 864, "width": 9924, "height": 240,
       "caption": "Page %p of %P", "font": {"name": "Courier New", "size": 9, "bold": true}, "align": "center"},
      {"name": "Label2", "kind": "label", "left": 6912, "top": 864, "width": 3000, "height": 240, "caption": "%d  %T",
       "font": {"name": "Courier New", "size": 9, "bold": true}, "align": "right"}]}
  ]})";
}

const std::string kNameDetail = R"(
    {"name": "Section3", "kind": "detail", "height": 400, "pageBreak": "before", "keepTogether": true, "controls": [
      {"name": "txtName", "kind": "textBox", "left": 144, "top": 0, "width": 4000, "height": 240, "dataField": "Name"}]})";

db::RecordsetPtr Names(std::initializer_list<const char*> names) {
  std::vector<std::vector<vb::Variant>> rows;
  for (const char* n : names) rows.push_back({vb::Variant(n)});
  return Rows({"Name"}, std::move(rows));
}

class PaginationTest : public ::testing::Test {
 protected:
  ScriptedClock clock_{vbtest::At(2019, 12, 9, 14, 35, 7)};
};

TEST(ReportValues, NumbersTakeTheirFormatNullPrintsNothingAndTextsPrintUnchanged) {
  const struct {
    vb::Variant value;
    const char* format;
    const char* printed;
  } cases[] = {
      {-1234, "#,##0;(#,##0)", "(1,234)"},
      {vb::Currency{-12340000}, "#,##0;(#,##0)", "(1,234)"},
      {2500.4, "#,##0;(#,##0)", "2,500"},
      {0, "#,##0;(#,##0)", "0"},
      {vb::Null, "#,##0;(#,##0)", ""},
      {vb::Variant(), "00", ""},
      {7, "00", "07"},
      {1234, "0000000", "0001234"},
      {20001, "", "20001"},
      {"School District", "#,##0;(#,##0)", "School District"},
      {"1234", "0000000", "1234"},
  };
  for (const auto& c : cases) EXPECT_EQ(report::FormatValue(c.value, c.format), c.printed) << c.format;
}

TEST_F(PaginationTest, EveryPageHasItsHeaderAndFooterWithPageNumbersAndTheClock) {
  auto rpt = ReportOf(Framed(kNameDetail + R"(,
    {"name": "Sect65", "kind": "reportFooter", "height": 0, "pageBreak": "before"})"));
  rpt->DataSource(Names({"Aspen", "Birch", "Cedar"}));
  const auto pages = rpt->Capture();

  ASSERT_EQ(pages.size(), 3u);
  for (int p = 1; p <= 3; ++p) {
    const auto texts = TextsOn(pages, p);
    EXPECT_EQ(texts.front(), "Heading Test Report");
    EXPECT_EQ(texts.back(), "12/9/2019  2:35:07 PM");
  }
  EXPECT_EQ(TextsOn(pages, 2), (std::vector<std::string>{"Heading Test Report", "Birch", "Page 2 of 3",
                                                          "12/9/2019  2:35:07 PM"}));
  // The footer stands at the foot of the sheet, the body under the header.
  EXPECT_EQ(ItemOf(pages, 2, "Label1").rect.top, 15840 - 720 - 1248 + 864);
  EXPECT_EQ(ItemOf(pages, 2, "txtName").rect.top, 720 + 600);
  EXPECT_EQ(ItemOf(pages, 2, "txtName").rect.left, 720 + 144);
}

TEST_F(PaginationTest, HiddenAndEmptySectionsTakeNoSpaceAndMakeNoPage) {
  const std::string hiddenHeader = R"({"name": "Section2", "kind": "reportHeader", "height": 2000, "visible": false,
      "controls": [{"name": "Label9", "kind": "label", "left": 0, "top": 0, "width": 900, "height": 240, "caption": "Hidden"}]})";
  const std::string emptyBreaking = R"({"name": "Section7", "kind": "reportFooter", "height": 0, "pageBreak": "beforeAndAfter",
      "controls": [{"name": "Label8", "kind": "label", "left": 0, "top": 0, "width": 900, "height": 0, "visible": false}]})";
  auto rpt = ReportOf(Framed(hiddenHeader + "," + kNameDetail + "," + emptyBreaking));
  rpt->DataSource(Names({"Aspen"}));
  auto pages = rpt->Capture();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(ItemOf(pages, 1, "txtName").rect.top, 720 + 600);
  EXPECT_TRUE(ItemsOf(pages, 1, "Label9").empty());

  // A hidden page header leaves its room to the body; the page footer stays.
  rpt->Sections("SECTION1").Visible(false);
  pages = rpt->Capture();
  EXPECT_EQ(ItemOf(pages, 1, "txtName").rect.top, 720);
  EXPECT_EQ(TextsOn(pages, 1), (std::vector<std::string>{"Aspen", "Page 1 of 1", "12/9/2019  2:35:07 PM"}));

  // No rows, or no data source at all: one page of headers and footers.
  rpt->Sections("Section1").Visible(true);
  for (const db::RecordsetPtr& data : {Names({}), db::RecordsetPtr()}) {
    rpt->DataSource(data);
    pages = rpt->Capture();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(TextsOn(pages, 1),
              (std::vector<std::string>{"Heading Test Report", "Page 1 of 1", "12/9/2019  2:35:07 PM"}));
  }
}

TEST_F(PaginationTest, GroupsFollowTheShapedLevelsWithSumsPerGroupAndForTheReport) {
  report::Report rpt(reporttest::SamplePath());
  rpt.DataSource(db::ComputeBy(reporttest::TaxRows(), {"ResDistrictType"}, "Command1"));
  auto pages = rpt.Capture();
  ASSERT_EQ(pages.size(), 1u);
  auto texts = TextsOn(pages, 1);
  const std::vector<std::string> body(texts.begin() + 2, texts.end() - 4);
  EXPECT_EQ(body, (std::vector<std::string>{"ELEMENTARY", "Aspen Elementary", "2,500", "Cedar Elementary", "1,000",
                                            "Dogwood Elementary", "Sub Total", "3,500", "UNIFIED", "Birch Unified",
                                            "(300)", "Sub Total", "(300)", "Grand Total", "3,200",
                                            "A-1  :  Secured"}));
  // Dogwood's Null amount prints as an empty box on its row.
  const auto amounts = ItemsOf(pages, 1, "txtSecured");
  ASSERT_EQ(amounts.size(), 4u);
  EXPECT_TRUE(amounts[2].lines.empty());
  EXPECT_EQ(amounts[2].rect.top, ItemsOf(pages, 1, "Text22")[2].rect.top);

  // Without its group sections the rows follow one another; the grand total stays.
  rpt.Sections("Section4").Visible(false);
  rpt.Sections("Section5").Visible(false);
  texts = TextsOn(rpt.Capture(), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "Sub Total"), 0);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "ELEMENTARY"), 0);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "3,200"), 1);
}

TEST_F(PaginationTest, AGrownTextPushesTheControlsBelowItDown) {
  auto rpt = ReportOf(Framed(R"(
    {"name": "Section3", "kind": "detail", "height": 700, "controls": [
      {"name": "txtExplanation", "kind": "textBox", "left": 144, "top": 100, "width": 2000, "height": 240,
       "dataField": "Explanation", "canGrow": true},
      {"name": "Label36", "kind": "label", "left": 2300, "top": 100, "width": 900, "height": 240, "caption": "Beside"},
      {"name": "Line1", "kind": "line", "left": 144, "top": 340, "width": 2000, "height": 0},
      {"name": "Label37", "kind": "label", "left": 144, "top": 400, "width": 900, "height": 240, "caption": "Below"}]})"));
  rpt->DataSource(Rows({"Explanation"}, {{"one two three four five six seven eight nine ten eleven twelve"}, {"short"}}));
  const auto pages = rpt->Capture();
  const auto texts = ItemsOf(pages, 1, "txtExplanation");
  ASSERT_EQ(texts.size(), 2u);
  const int lines = static_cast<int>(texts[0].lines.size());
  ASSERT_GT(lines, 2);
  const int grown = texts[0].rect.height - 240;
  EXPECT_EQ(texts[0].rect.height, static_cast<int>(std::lround(lines * texts[0].lineHeight)));
  EXPECT_EQ(ItemsOf(pages, 1, "Label36")[0].rect.top, texts[0].rect.top);
  EXPECT_EQ(ItemsOf(pages, 1, "Line1")[0].rect.top, texts[0].rect.top + 240 + grown);
  EXPECT_EQ(ItemsOf(pages, 1, "Label37")[0].rect.top, texts[0].rect.top + 300 + grown);
  // The band grew as much, so the next row starts that much lower.
  EXPECT_EQ(texts[1].rect.top, texts[0].rect.top + 700 + grown);
}

TEST_F(PaginationTest, AFramedTextWrapsAndPrintsInsideItsFrame) {
  auto rpt = ReportOf(Framed(R"(
    {"name": "Section3", "kind": "detail", "height": 700, "controls": [
      {"name": "Text6", "kind": "textBox", "left": 1500, "top": 100, "width": 3000, "height": 240,
       "dataField": "Name", "canGrow": true, "border": 1},
      {"name": "Text7", "kind": "textBox", "left": 5000, "top": 100, "width": 3000, "height": 240,
       "dataField": "Name", "canGrow": true, "border": 1, "align": "right"}]})"));
  rpt->DataSource(Names({"MMMM MMMM MMMM MMMM MMMM MMMM MMMM MMMM"}));
  const auto pages = rpt->Capture();
  const report::PrintedItem left = ItemOf(pages, 1, "Text6");
  ASSERT_GT(left.lines.size(), 1u);
  for (double width : left.lineWidths) EXPECT_LE(width, 3000 - 2 * report::kFramedTextInset);

  // One pixel is 15 twips: the frame's edge columns hold the frame line only,
  // and a few columns inside it stay clear of ink.
  QImage sheet(report::LetterShortSide / 15, report::LetterLongSide / 15, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  {
    QPainter painter(&sheet);
    report::PaintPage(pages[0], painter, 1.0 / 15);
  }
  const auto inkIn = [&](const report::Rect& r, int fromX, int toX) {
    for (int x = fromX; x <= toX; ++x)
      for (int y = r.top / 15 + 2; y < r.Bottom() / 15 - 2; ++y)
        if (qGray(sheet.pixel(x, y)) < 200) return true;
    return false;
  };
  const report::PrintedItem right = ItemOf(pages, 1, "Text7");
  EXPECT_TRUE(inkIn(left.rect, left.rect.left / 15 + 4, left.rect.left / 15 + 40));
  EXPECT_FALSE(inkIn(left.rect, left.rect.left / 15 + 1, left.rect.left / 15 + 2));
  EXPECT_FALSE(inkIn(right.rect, right.rect.Right() / 15 - 2, right.rect.Right() / 15 - 1));
}

TEST_F(PaginationTest, AKeptBandThatDoesNotFitStartsANewPage) {
  auto rpt = ReportOf(Framed(R"(
    {"name": "Section3", "kind": "detail", "height": 5000, "keepTogether": true, "controls": [
      {"name": "txtName", "kind": "textBox", "left": 144, "top": 0, "width": 4000, "height": 240, "dataField": "Name"},
      {"name": "Label5", "kind": "label", "left": 144, "top": 4700, "width": 4000, "height": 240, "caption": "End"}]})"));
  rpt->DataSource(Names({"Aspen", "Birch", "Cedar", "Dogwood"}));
  const auto pages = rpt->Capture();
  // 15840 less margins, header and footer leaves 12552: two bands a page.
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(ItemsOf(pages, 1, "txtName").size(), 2u);
  EXPECT_EQ(ItemsOf(pages, 2, "txtName")[0].lines[0], "Cedar");
  EXPECT_EQ(ItemsOf(pages, 2, "txtName")[0].rect.top, 720 + 600);
  EXPECT_EQ(ItemsOf(pages, 2, "Label5").size(), 2u);
}

TEST_F(PaginationTest, ATwoHundredLineTextContinuesOverPagesLineByLine) {
  auto rpt = ReportOf(Framed(R"(
    {"name": "Section3", "kind": "detail", "height": 900, "keepTogether": true, "controls": [
      {"name": "Label5", "kind": "label", "left": 144, "top": 0, "width": 4000, "height": 240, "caption": "Explanation"},
      {"name": "txtExplanation", "kind": "textBox", "left": 144, "top": 300, "width": 9000, "height": 300,
       "dataField": "Explanation", "canGrow": true},
      {"name": "Label6", "kind": "label", "left": 144, "top": 650, "width": 4000, "height": 240, "caption": "After"}]})"));
  std::string text;
  for (int i = 1; i <= 200; ++i) text += (i > 1 ? "\n" : "") + ("Line " + std::to_string(i));
  rpt->DataSource(Rows({"Explanation"}, {{text}}));
  const auto pages = rpt->Capture();

  ASSERT_GE(pages.size(), 3u);
  std::vector<std::string> printed;
  for (int p = 1; p <= static_cast<int>(pages.size()); ++p) {
    const auto parts = ItemsOf(pages, p, "txtExplanation");
    ASSERT_EQ(parts.size(), 1u) << p;
    printed.insert(printed.end(), parts[0].lines.begin(), parts[0].lines.end());
    // Each part stays above the page footer and starts under the header.
    const int footerTop = 15840 - 720 - 1248;
    EXPECT_LE(parts[0].lineTop + parts[0].lines.size() * parts[0].lineHeight, footerTop + 0.5) << p;
    if (p > 1) {
      EXPECT_EQ(parts[0].rect.top, 720 + 600) << p;
    }
    EXPECT_EQ(ItemOf(pages, p, "Label1").Text(),
              "Page " + std::to_string(p) + " of " + std::to_string(pages.size()));
  }
  ASSERT_EQ(printed.size(), 200u);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(printed[static_cast<std::size_t>(i)], "Line " + std::to_string(i + 1));
  EXPECT_EQ(ItemsOf(pages, 1, "Label5").size(), 1u);
  EXPECT_EQ(ItemsOf(pages, static_cast<int>(pages.size()), "Label6").size(), 1u);
}

TEST_F(PaginationTest, ABandTallerThanAPageBreaksBetweenItsControls) {
  std::string controls;
  for (int i = 0; i < 30; ++i) {
    controls += std::string(i ? "," : "") + R"({"name": "Label)" + std::to_string(i) +
                R"(", "kind": "label", "left": 144, "top": )" + std::to_string(i * 1000) +
                R"(, "width": 2000, "height": 600, "caption": "Block )" + std::to_string(i) + "\"}";
  }
  auto rpt = ReportOf(Framed(R"({"name": "Section3", "kind": "detail", "height": 30000, "keepTogether": true,
      "controls": [)" + controls + "]}"));
  rpt->DataSource(Names({"one"}));
  const auto pages = rpt->Capture();
  ASSERT_EQ(pages.size(), 3u);
  int blocks = 0;
  for (int p = 1; p <= 3; ++p) {
    for (const auto& item : pages[static_cast<std::size_t>(p - 1)].items) {
      if (item.section != "Section3") continue;
      ++blocks;
      EXPECT_EQ(item.rect.height, 600) << item.control;  // never cut in two
      EXPECT_LE(item.rect.Bottom(), 15840 - 720 - 1248) << item.control;
    }
  }
  EXPECT_EQ(blocks, 30);
  EXPECT_EQ(ItemOf(pages, 2, "Label12").rect.top, 720 + 600);
}

TEST_F(PaginationTest, MarginsNarrowWhereTheLayoutWouldNotFitTheSheet) {
  const struct {
    int width;
    int detailHeight;
    int orientation;
    int left;
    int top;
  } cases[] = {
      {10080, 400, ui::OrientationPortrait, 720, 720},
      {15120, 400, ui::OrientationLandscape, 360, 720},  // the summaries: wider than the sheet between margins
      {14340, 400, ui::OrientationLandscape, 720, 720},
      {10080, 13000, ui::OrientationPortrait, 720, 360},  // the tax report: a kept band taller than the room
      {10080, 14000, ui::OrientationPortrait, 720, 720},  // taller than narrower margins would help
  };
  for (const auto& c : cases) {
    auto rpt = ReportOf(Framed(R"({"name": "Section3", "kind": "detail", "height": )" + std::to_string(c.detailHeight) +
                                   R"(, "keepTogether": true, "controls": [{"name": "txtName", "kind": "textBox",
                                   "left": 144, "top": 0, "width": 4000, "height": 240, "dataField": "Name"}]})",
                               R"("width": )" + std::to_string(c.width) +
                                   R"(, "margins": {"left": 720, "right": 720, "top": 720, "bottom": 720})"));
    rpt->Orientation(c.orientation);
    rpt->DataSource(Names({"Aspen"}));
    const auto pages = rpt->Capture();
    EXPECT_EQ(pages[0].width, c.orientation == ui::OrientationLandscape ? 15840 : 12240);
    EXPECT_EQ(ItemOf(pages, 1, "lblformname").rect.left, c.left + 144) << c.width;
    EXPECT_EQ(ItemOf(pages, 1, "lblformname").rect.top, c.top) << c.width;
    EXPECT_EQ(pages.size(), c.detailHeight > 13000 ? 2u : 1u) << c.width;
  }
}

TEST_F(PaginationTest, AFieldOrMemberTheDataLacksIsNamed) {
  report::Report rpt(reporttest::SamplePath());
  rpt.DataSource(reporttest::TaxRows());  // flat: no Command1 level
  try {
    rpt.Capture();
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.Number(), vb::err::ItemNotFound);
    EXPECT_NE(e.Description().find("\"Command1\" of Section5.Function10"), std::string::npos) << e.Description();
  }
  rpt.DataSource(db::ComputeBy(reporttest::TaxRows(), {"ResDistrictType"}, "Command1"));
  rpt.Sections("Section3").Controls("txtSecured").DataField("Unsecured");
  EXPECT_EQ(vbtest::ErrorOf([&] { rpt.Capture(); }), vb::err::ItemNotFound);
}

TEST(ReportFonts, TheLayoutsFontsResolveToMetricCompatibleFaces) {
  const struct {
    const char* name;
    const char* family;
  } cases[] = {{"Courier New", "Liberation Mono"}, {"arial", "Liberation Sans"}, {"Tahoma", "Tahoma"}};
  for (const auto& c : cases) EXPECT_EQ(report::ResolveFamily(c.name), c.family);
  // The faces are installed, so the text prints in them.
  EXPECT_EQ(QFontInfo(report::detail::TwipsFont({"Courier New", 9, true})).family(), "Liberation Mono");
  EXPECT_EQ(QFontInfo(report::detail::TwipsFont({"Arial", 8.25})).family(), "Liberation Sans");
}

}  // namespace

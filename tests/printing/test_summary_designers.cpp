// The tax summary parts and the certification exception reports as laid
// out on their pages, bound to the printing agencies' rows.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "FormData.h"
#include "PrintingFixture.h"
#include "db/Shape.h"
#include "db/SqlText.h"
#include "modGlobals.h"
#include "report/Pages.h"
#include "rptTaxSUMMARY.h"
#include "rptTorbLeaNotes.h"
#include "ui/Printers.h"

namespace {

using Texts = std::vector<std::string>;

// Whether a text is printed; a text wrapped over lines counts as one line.
bool Holds(const Texts& texts, const std::string& text) {
  return std::any_of(texts.begin(), texts.end(), [&](std::string printed) {
    std::replace(printed.begin(), printed.end(), '\n', ' ');
    return printed == text;
  });
}

class SummaryDesignerTest : public PrintingTest {
 protected:
  // The county's tax rows of one tax type, shaped by district type.
  db::RecordsetPtr Rows(int taxType) {
    db::SqlText q;
    q << "SELECT * FROM Tax WHERE county_id = " << db::Param(1) << " AND fiscal_year = " << db::Param(2019)
      << " AND period_id = " << db::Param(2) << " AND TaxType = " << db::Param(taxType)
      << " ORDER BY ResSchoolDistName";
    return db::ComputeBy(forms::Snapshot(modGlobals::SharedConnection(), q), {"ResDistrictType"}, "Command1");
  }
  template <class Part>
  std::vector<report::Page> Pages(int taxType) {
    auto rpt = report::Create<Part>();
    rpt->DataSource(Rows(taxType));
    rpt->Orientation(ui::OrientationLandscape);
    if (taxType == 0) {
      rpt->Sections("Section4").Visible(false);
      rpt->Sections("Section5").Visible(false);
    }
    return rpt->Capture();
  }
};

TEST_F(SummaryDesignerTest, PartOneGroupsByDistrictTypeWithSubTotalsGrandTotalAndLegend) {
  const auto pages = Pages<rptTaxSUMMARY_11>(1);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_GT(pages[0].width, pages[0].height) << "landscape";
  const Texts t = report::TextsOn(pages, 1);
  // Group, its rows by name, its sub total; then the next group.
  const Texts order = {"ELEMENTARY", "Aspen Elementary", "2,500", "Cedar Elementary", "1,000",
                       "Dogwood Elementary", "500", "Sub Total", "4,000", "UNIFIED", "Birch Unified", "(300)",
                       "Sub Total", "(300)", "Grand Total", "3,700", "A-1  :  Secured"};
  auto at = t.begin();
  for (const std::string& text : order) {
    at = std::find(at, t.end(), text);
    ASSERT_NE(at, t.end()) << text << " in order";
  }
  EXPECT_FALSE(Holds(t, "Oak")) << "the county tax type stays out";
  EXPECT_TRUE(Holds(t, "Section 1 Page 1 of 1"));
  for (const char* code : {"A-1", "A-2", "A-3", "A-4", "A-5", "CDS CODE", "Varnholt"}) EXPECT_TRUE(Holds(t, code));
  for (const report::PrintedItem& item : pages[0].items) {
    EXPECT_LE(item.rect.Right(), pages[0].width) << item.section << "/" << item.control << " inside the page";
  }
}

TEST_F(SummaryDesignerTest, EachPartShowsItsOwnColumnsFooterAndLegend) {
  struct Case {
    std::function<std::vector<report::Page>()> pages;
    Texts expected;
  };
  const Case cases[] = {
      {[&] { return Pages<rptTaxSUMMARY_22>(1); },
       {"A-6", "A-11", "Section 2 Page 1 of 1",
        "A-8  :  Supplemental Taxes from Increased Assessment  [Revenue and Tax  Code 75.70-75.72]",
        "A-10 :  Prior Year Restricted Monies [E.C. 2575(e)]", "A-11 :  Total"}},
      {[&] { return Pages<rptTaxSUMMARY_33>(1); },
       {"A-12", "A-16", "Explanation", "Refund of taxes collected twice", "Section 3 Page 1 of 1",
        "A-16  :  Excess ERAF"}},
  };
  for (const Case& c : cases) {
    const auto pages = c.pages();
    ASSERT_EQ(pages.size(), 1u);
    const Texts t = report::TextsOn(pages, 1);
    for (const std::string& text : c.expected) EXPECT_TRUE(Holds(t, text)) << text;
  }
  // Part 2's A-11 sums the stored Total of every row.
  const Texts t = report::TextsOn(Pages<rptTaxSUMMARY_22>(1), 1);
  auto grand = std::find(t.begin(), t.end(), "Grand Total");
  ASSERT_NE(grand, t.end());
  EXPECT_TRUE(std::find(grand, t.end(), "3,700") != t.end());
}

TEST_F(SummaryDesignerTest, TheCountyTaxTypePrintsWithoutGroupsButWithGrandTotal) {
  const Texts t = report::TextsOn(Pages<rptTaxSUMMARY_11>(0), 1);
  EXPECT_TRUE(Holds(t, "Oak"));
  EXPECT_FALSE(Holds(t, "Sub Total"));
  EXPECT_FALSE(Holds(t, "CO OFFICE"));
  EXPECT_FALSE(Holds(t, "Aspen Elementary"));
  auto grand = std::find(t.begin(), t.end(), "Grand Total");
  ASSERT_NE(grand, t.end());
  EXPECT_EQ(*std::next(grand), "99");
}

TEST_F(SummaryDesignerTest, ManyRowsNumberThePagesOfEachPartOnItsOwn) {
  modGlobals::SharedConnection()->Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 60) "
          "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
          "RES_SCHOOL_DISTRICT_ID, TaxType, ResSchoolDistName, ResDistrictType, Secured, Total) "
          "SELECT 2019, 2, 1, 10017, 0, 1, 30000 + i, 1, printf('District %02d', i), 'ELEMENTARY', i, i FROM n");
  const auto pages = Pages<rptTaxSUMMARY_22>(1);
  ASSERT_GT(pages.size(), 1u);
  const std::string n = std::to_string(pages.size());
  EXPECT_TRUE(Holds(report::TextsOn(pages, 1), "Section 2 Page 1 of " + n));
  EXPECT_TRUE(Holds(report::TextsOn(pages, static_cast<int>(pages.size())), "Section 2 Page " + n + " of " + n));
}

class NotesDesignerTest : public PrintingTest {
 protected:
  // Agencies with their answers, as the exception commands deliver them.
  db::RecordsetPtr Answers(const std::string& type) {
    db::SqlText q;
    q << "SELECT CASE WHEN Qn1 = 1 THEN 'YES' ELSE 'NO' END AS Qn1, CASE WHEN Qn2 = 1 THEN 'YES' ELSE 'NO' END AS "
         "Qn2, CASE WHEN Qn3 = 1 THEN 'YES' ELSE 'NO' END AS Qn3, CASE WHEN Qn4 = 1 THEN 'YES' ELSE 'NO' END AS Qn4, "
         "printf('%02d  %d', COUNTY_ID, SCHOOL_DISTRICT_ID) AS SCHOOL_DISTRICT_ID, "
         "CASE WHEN SCHOOL_ID <= 0 THEN '' ELSE SCHOOL_ID END AS SCHOOL_ID, "
         "'Alder County Office of Education' AS SCHOOL_DISTRICT_NAME, '' AS SCHOOL_NAME, "
         "Qn1Comments, Qn2Comments, Qn3Comments, Qn4Comments FROM TorbLeaNotes WHERE TYPE = "
      << db::Param(type) << " ORDER BY SCHOOL_DISTRICT_ID";
    return db::ComputeBy(forms::Snapshot(modGlobals::SharedConnection(), q),
                         {"SCHOOL_DISTRICT_ID", "SCHOOL_ID", "SCHOOL_DISTRICT_NAME", "SCHOOL_NAME"}, "Command1");
  }
  void Note(int district, const std::string& type, const std::string& comment2) {
    db::SqlText q;
    q << "INSERT INTO TorbLeaNotes (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TYPE, Qn1, Qn2, "
         "Qn3, Qn4, Qn1Comments, Qn2Comments) VALUES (2019, 2, 1, "
      << db::Param(district) << ", 0, " << db::Param(type) << ", 1, 0, NULL, 1, 'None', " << db::Param(comment2)
      << ")";
    modGlobals::SharedConnection()->Execute(q.Sql(), q.Params());
  }
};

TEST_F(NotesDesignerTest, BothStartLandscapeWithTheKeyHeaderHidden) {
  std::shared_ptr<report::Report> reports[] = {report::Create<rptTorbLeaNotes>(),
                                               report::Create<rptTorbLeaNotesTax>()};
  for (auto& rpt : reports) {
    EXPECT_EQ(rpt->Orientation(), ui::OrientationLandscape) << rpt->Name();
    EXPECT_FALSE(rpt->Sections("Section4").Visible()) << rpt->Name();
    EXPECT_EQ(rpt->Caption(), rpt->Name());
  }
}

TEST_F(NotesDesignerTest, EveryAgencyGetsAPageWithItsAnswersAndComments) {
  Note(10017, "COUNTY", "See line A-3");
  Note(20001, "COUNTY", "");
  Note(20002, "TAX", "");
  auto rpt = report::Create<rptTorbLeaNotes>();
  rpt->DataSource(Answers("COUNTY"));
  const auto pages = rpt->Capture();
  ASSERT_EQ(pages.size(), 2u) << "one page per agency, the tax answers left out";
  const Texts t = report::TextsOn(pages, 1);
  for (const char* text : {"01  10017", "Alder County Office of Education",
                           "1.Have you modified any of the data received from a school district or SELPA or County "
                           "Auditor?",
                           "4. Have you modified any of the data received from the chartering entity or any charter "
                           "school?",
                           "See line A-3", "Page 1 of 2"}) {
    EXPECT_TRUE(Holds(t, text)) << text;
  }
  EXPECT_EQ(std::count(t.begin(), t.end(), "YES"), 2);
  EXPECT_EQ(std::count(t.begin(), t.end(), "NO"), 2);
  EXPECT_TRUE(Holds(report::TextsOn(pages, 2), "01  20001"));
  EXPECT_TRUE(Holds(report::TextsOn(pages, 2), "Page 2 of 2"));
}

TEST_F(NotesDesignerTest, TheTaxSetAsksOneQuestionAndALongCommentContinues) {
  std::string lines;
  for (int i = 1; i <= 80; ++i) lines += "Comment line " + std::to_string(i) + "\n";
  Note(10017, "TAX", "");
  modGlobals::SharedConnection()->Execute("UPDATE TorbLeaNotes SET Qn1Comments = ?", {vb::Variant(lines)});
  auto rpt = report::Create<rptTorbLeaNotesTax>();
  rpt->DataSource(Answers("TAX"));
  const auto pages = rpt->Capture();
  ASSERT_GE(pages.size(), 2u) << "the comment goes on over the page";
  const Texts t = report::TextsOn(pages, 1);
  EXPECT_TRUE(Holds(t, "1. Do you wish to note any exceptions to the data you are certifying and submitting?"));
  EXPECT_FALSE(Holds(t, "2. Do you wish to note any exceptions to the data you are certifying and submitting?"));
  EXPECT_TRUE(Holds(t, "YES"));
}

}  // namespace

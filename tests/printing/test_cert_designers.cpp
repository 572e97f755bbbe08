// The two certification layouts: the certificate page over its three-level
// set (certificate numbers, the agency's exported rows, the statement
// rows), its window size and its no-printer message, and the certification
// form with its hidden agency list and framed labels.

#include <gtest/gtest.h>

#include <algorithm>

#include "PrintingFixture.h"
#include "Utilities.h"
#include "db/Shape.h"
#include "modMainReports.h"
#include "rptCert.h"
#include "rptCertPage.h"
#include "ui/Twips.h"

namespace {

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Exported rows and statements, with neighbours the page must not show:
// another year, another agency, another program, the auditor's statement.
constexpr const char* kExportRows = R"(
    INSERT INTO EXPORT_FILE_INFO (FORM_GROUP_NAME, FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID,
                                  SCHOOL_NAME, SCHOOL_DISTRICT_NAME, CERTIFICATE, CERTIFIED_DATE, CONTACT, PHONE,
                                  FAX, EMAIL) VALUES
      ('Tax', 2019, 2, 1, 10017, 0, NULL, 'Alder County Office of Education', 255, '2019-12-03', 'Pat Lee',
       '9165550123', '9165550199', 'pat@alder.example'),
      ('Tax', 2018, 2, 1, 10017, 0, NULL, 'Alder County Office of Education 2018', 254, '2018-12-03', 'Old Contact',
       '9165550000', NULL, NULL),
      ('Tax', 2019, 2, 1, 20001, 0, NULL, 'Birch Unified', 1715004, '2019-12-04', 'Sam Roe', '9165550456', NULL, NULL),
      ('Attendance', 2019, 2, 1, 10017, 0, NULL, 'Alder County Office of Education', 77, '2019-12-03', 'Pat Lee',
       '9165550123', NULL, NULL);
    INSERT INTO TORB_FORM_GROUP_CERT (FORM_GROUP, SNO, CERT_CONTENT, FORM_TITLE1) VALUES
      ('Tax', 1, 'The auditor certifies', 'Auditor Statement'),
      ('Tax', 2, 'I certify the data', 'County Office Statement'),
      ('Attendance', 2, 'Attendance text', 'Attendance Statement');
)";

class CertDesignersTest : public PrintingTest {
 protected:
  void SetUp() override {
    PrintingTest::SetUp();
    OpenDatabase()->ExecuteScript(kExportRows);
  }

  // The page's set for the agencies of 2019 P-2, program Tax, statement 2.
  db::RecordsetPtr PageRows(const std::string& agencies) {
    auto db = OpenDatabase();
    auto exported = db::Recordset::Query(
        "SELECT FORM_GROUP_NAME, FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_DISTRICT_NAME, "
        "SCHOOL_ID, SCHOOL_NAME, printf('%08X', CERTIFICATE) AS CERTIFICATE, CERTIFIED_DATE, CONTACT, PHONE, FAX, "
        "EMAIL FROM EXPORT_FILE_INFO WHERE FISCAL_YEAR = 2019 AND PERIOD_ID = 2 AND FORM_GROUP_NAME = 'Tax' "
        "AND SCHOOL_DISTRICT_ID IN (" + agencies + ") ORDER BY SCHOOL_DISTRICT_ID", db);
    auto statements = db::Recordset::Query("SELECT * FROM TORB_FORM_GROUP_CERT WHERE FORM_GROUP = 'Tax' AND SNO = 2", db);
    return db::ComputeBy(db::AppendRelate(exported, statements, "FORM_GROUP_NAME", "FORM_GROUP", "Command2"),
                         {"CERTIFICATE"}, "Command1");
  }
};

TEST_F(CertDesignersTest, TheFactoryMakesACertificatePageOfOneAgencyWithItsStatementAndContact) {
  auto made = modMain::GetReport("rptCertPage");
  auto page = std::dynamic_pointer_cast<rptCertPage>(made);
  ASSERT_TRUE(page);
  page->DataSource(PageRows("10017"));
  page->Sections("Section2").Controls("lblCountyDist").Caption("County: Alder");
  page->Sections("Section2").Controls("LBLFISCALYEAR").Caption("Fiscal Year:  2019-20");
  page->Sections("Section8").Controls("LBLPERIOD").Caption("P-2");
  page->Sections("Section8").Controls("lblCountyCode").Caption("01");
  page->Sections("Section8").Controls("TEXT8").Visible(false);
  const auto pages = page->Capture();
  ASSERT_EQ(pages.size(), 1u);
  const std::string text = report::CaptureText(pages);
  for (const char* part : {"Certification", "County: Alder", "Fiscal Year:  2019-20", "Alder County Office of",
                           "P-2", "01", "10017", "000000FF", "County Office Statement", "I certify the data",
                           "CONTACT NAME", "Pat Lee", "9165550123", "9165550199", "pat@alder.example", "Page 1 of 1"}) {
    EXPECT_TRUE(Holds(text, part)) << part;
  }
  for (const char* absent : {"Auditor Statement", "Attendance", "2018", "Old Contact", "0000000", "lblformname",
                             "lblSchoolDistrict", "lblDistrictCode"}) {
    EXPECT_FALSE(Holds(text, absent)) << absent;
  }
}

TEST_F(CertDesignersTest, EveryAgencyGetsAPageOfItsOwn) {
  auto page = report::Create<rptCertPage>();
  page->DataSource(PageRows("10017, 20001"));
  const auto pages = page->Capture();
  ASSERT_EQ(pages.size(), 2u);
  const std::string first = report::CaptureText({pages[0]});
  const std::string second = report::CaptureText({pages[1]});
  EXPECT_TRUE(Holds(first, "Pat Lee"));
  EXPECT_FALSE(Holds(first, "Sam Roe"));
  EXPECT_TRUE(Holds(second, "Sam Roe"));
  EXPECT_TRUE(Holds(second, "001A2B3C"));
  EXPECT_TRUE(Holds(second, "I certify the data"));
  EXPECT_TRUE(Holds(second, "Page 2 of 2"));
}

TEST_F(CertDesignersTest, InitSizesTheWindowInPixels) {
  auto page = report::Create<rptCertPage>();
  page->Init();
  EXPECT_EQ(page->Width(), static_cast<int>(static_cast<float>(740 * ui::TwipsPerPixelX())));
  EXPECT_EQ(page->Height(), static_cast<int>(static_cast<float>(520 * ui::TwipsPerPixelY())));
}

TEST_F(CertDesignersTest, WithoutAPrinterThePageShowsThePrinterMessageOnceAndNothingElse) {
  auto page = report::Create<rptCertPage>();
  page->DataSource(PageRows("10017"));
  {
    RecordingPrinters none({});
    dialogs_.AcknowledgeMessages(1);
    page->PrintReport();
    EXPECT_TRUE(none.jobs.empty());
  }
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_EQ(dialogs_.Prompts()[0].text, Utilities::NoPrinterMessage());

  // With a printer the page prints as one job.
  page->PrintReport();
  ASSERT_EQ(printers_.jobs.size(), 1u);
  EXPECT_EQ(printers_.jobs[0].pages, 1);
}

class CertFormTest : public CertDesignersTest {
 protected:
  std::shared_ptr<rptCert> Form() {
    auto form = report::Create<rptCert>();
    form->DataSource(db::Recordset::Query(
        "SELECT FORM_TITLE1 AS \"TORB_FORM_GROUP_CERT.FORM_TITLE1\", CERT_CONTENT FROM TORB_FORM_GROUP_CERT "
        "WHERE FORM_GROUP = 'Tax' AND SNO = 2",
        OpenDatabase()));
    return form;
  }
  static const report::PrintedItem* Item(const std::vector<report::Page>& pages, const std::string& control) {
    for (const auto& p : pages) {
      for (const auto& item : p.items) {
        if (item.control == control) return &item;
      }
    }
    return nullptr;
  }
};

TEST_F(CertFormTest, ABlankFormPrintsTheStatementAndEmptyContactLinesWithoutTheList) {
  auto form = Form();
  const auto pages = form->Capture();
  ASSERT_EQ(pages.size(), 1u);
  const std::string text = report::CaptureText(pages);
  for (const char* part : {"County Office Statement", "I certify the data", "CONTACT NAME", "PHONE", "FAX", "E-mail"}) {
    EXPECT_TRUE(Holds(text, part)) << part;
  }
  for (const char* hidden : {"CERTIFIED LEA LIST", "LEA NAME", "CERTIFICATE NO"}) {
    EXPECT_FALSE(Holds(text, hidden)) << hidden;
  }
  EXPECT_EQ(Item(pages, "Shape3"), nullptr);
  EXPECT_EQ(Item(pages, "Shape4"), nullptr);
  for (const char* rule : {"Line1", "Line2", "Line3", "Line4"}) EXPECT_NE(Item(pages, rule), nullptr) << rule;
  // The empty framed label draws no frame.
  const auto* label2 = Item(pages, "Label2");
  EXPECT_TRUE(label2 == nullptr || label2->lines.empty() || label2->Text().empty());
}

TEST_F(CertFormTest, TheShownListIsFramedAndItsColumnsGrowLineByLine) {
  auto form = Form();
  auto detail = form->Sections("Section12");
  for (const char* name : {"label7", "label15", "label16", "label20", "shape3"}) detail.Controls(name).Visible(true);
  std::string codes, names, certificates;
  for (int i = 1; i <= 12; ++i) {
    codes += "\r\n01-2" + std::string(4 - std::to_string(i).size(), '0') + std::to_string(i);
    names += "\r\nDistrict " + std::to_string(i);
    certificates += "\r\n0000000" + std::to_string(i % 10);
  }
  detail.Controls("label17").Caption(codes);
  detail.Controls("label18").Caption(names);
  detail.Controls("label19").Caption(certificates);
  const auto pages = form->Capture();
  ASSERT_EQ(pages.size(), 1u);
  const auto* heading = Item(pages, "Label20");
  ASSERT_NE(heading, nullptr);
  EXPECT_EQ(heading->border, 1);
  EXPECT_EQ(heading->Text(), "CERTIFIED LEA LIST");
  const auto* c = Item(pages, "Label17");
  const auto* n = Item(pages, "Label18");
  const auto* k = Item(pages, "Label19");
  ASSERT_TRUE(c && n && k);
  ASSERT_EQ(c->lines.size(), n->lines.size());
  ASSERT_EQ(c->lines.size(), k->lines.size());
  EXPECT_GE(c->lines.size(), 12u);
  EXPECT_EQ(c->lines.back(), "01-20012");
  EXPECT_EQ(n->lines.back(), "District 12");
  EXPECT_EQ(c->rect.top, n->rect.top);
}

}  // namespace

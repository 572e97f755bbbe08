// What every import brings besides the form groups: the certification
// answers, the county funding models and the contacts of the user's scope,
// each matched by its key and written in its own columns only, also when
// every group was skipped; and a file that lacks one of these tables.

#include <gtest/gtest.h>

#include "ImportFixture.h"
#include "db/SealedFile.h"
#include "vb/Conversions.h"

using namespace importfixture;
namespace fs = std::filesystem;

namespace {

std::string Answers(int district, const std::string& type, int qn1, const std::string& comment, int year = 2019) {
  return "INSERT INTO TorbLeaNotes (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TYPE,"
         " SCHOOL_DISTRICT_NAME, Qn1, Qn1Comments, Qn4) VALUES (" +
         std::to_string(year) + ", 2, 19, " + std::to_string(district) + ", 0, '" + type + "', 'District " +
         std::to_string(district) + "', " + std::to_string(qn1) + ", '" + comment + "', 0);";
}

std::string Contact(int county, int district, int school, const std::string& phone,
                    const std::string& countyName = "From the file") {
  return "INSERT INTO ImportContactInfo (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PERIOD_ID, CONTACT,"
         " COUNTY_NAME, PHONE, CERTIFIED_DATE) VALUES (" +
         std::to_string(county) + ", " + std::to_string(district) + ", " + std::to_string(school) +
         ", 2019, 2, 'A Reyes', '" + countyName + "', '" + phone + "', '2026-11-30 16:05:00');";
}

std::string Model(int district, int model, int certKey) {
  return "INSERT INTO COUNTYMODEL (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FundingModel,"
         " CERT_KEY) VALUES (2019, 2, 19, " + std::to_string(district) + ", 0, " + std::to_string(model) + ", " +
         std::to_string(certKey) + ");";
}

const std::string kTaxGroup = TaxRow(19, 612, 0, 612) + Status(19, 612, 0, 29) + Toc("Tax", 19, 612, 0);

}  // namespace

TEST_F(ImportTest, AnswersModelsAndContactsArriveByTheirKeysEvenWhenEveryGroupIsSkipped) {
  // The working database: the tax group already held (answered No), an
  // answer of the same agency and type, another type and another year
  // beside it, a contact and a county model of the agency.
  Execute(kTaxGroup + Answers(612, "TAX", 0, "working") + Answers(612, "DISTRICT", 0, "other type") +
          Answers(612, "TAX", 0, "last year", 2018) + Contact(19, 612, 0, "111", "Juniper County") +
          Model(612, 1, 5));
  Answer(1);
  const std::string report =
      Import(File(kTaxGroup + Answers(612, "TAX", 1, " late roll ") + Answers(613, "DISTRICT", 1, "new") +
                  Contact(19, 612, 0, "222") + Contact(19, 613, 0, "333") + Model(612, 2, 999) + Model(613, 3, 7)));

  EXPECT_NE(report.find("Import Group: Property Tax\r\n\tProgram Skipped.\r\n"), std::string::npos) << report;
  EXPECT_EQ(Rows("SELECT FISCAL_YEAR, SCHOOL_DISTRICT_ID, TYPE, SCHOOL_DISTRICT_NAME, Qn1, Qn1Comments, Qn4"
                 " FROM TorbLeaNotes ORDER BY FISCAL_YEAR, SCHOOL_DISTRICT_ID, TYPE"),
            "2018|612|TAX|District 612|0|last year|0; 2019|612|DISTRICT|District 612|0|other type|0;"
            " 2019|612|TAX|District 612|1| late roll |0; 2019|613|DISTRICT|District 613|1|new|0");
  // The county name is not the file's to write: kept, or left empty.
  EXPECT_EQ(Rows("SELECT SCHOOL_DISTRICT_ID, CONTACT, COUNTY_NAME, PHONE, CERTIFIED_DATE FROM ImportContactInfo"
                 " ORDER BY SCHOOL_DISTRICT_ID"),
            "612|A Reyes|Juniper County|222|11/30/2026 4:05:00 PM; 613|A Reyes||333|11/30/2026 4:05:00 PM");
  // Only the funding model travels; the row's own key stays.
  EXPECT_EQ(Rows("SELECT SCHOOL_DISTRICT_ID, FundingModel, CERT_KEY FROM COUNTYMODEL ORDER BY 1"), "612|2|5; 613|3|");
}

TEST_F(ImportTest, ContactsFollowTheLogonGroupsScope) {
  struct Case {
    ImportScope scope;
    const char* contacts;
  };
  const Case cases[] = {
      {Scope(2, 19, 10199), "19|612|0; 19|612|6120001; 19|613|0"},
      {Scope(3, 19, 612), "19|612|0; 19|612|6120001"},
      {Scope(4, 19, 612, 6120001), "19|612|6120001"},
      {Scope(5, 19, 612, 6129999, "R1"), "19|612|0; 19|612|6120001; 19|613|0; 20|2001|0"},
      {Scope(7, 19, 10199), ""},
      {Scope(6, 19, 10199), ""},  // no such group
  };
  const fs::path file = File(Contact(19, 612, 0, "1") + Contact(19, 613, 0, "2") + Contact(19, 612, 6120001, "3") +
                             Contact(20, 2001, 0, "4"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scope.logonUserGroup);
    Execute("DELETE FROM ImportContactInfo");
    db::TemporaryFile copy = db::unseal(file, "ZJX");
    std::string lines;
    {
      ImportFile attached(conn_, copy.Path());
      ASSERT_TRUE(CertifiedImport(conn_, c.scope).ImportCertified(lines, clock_.Now()));
    }
    EXPECT_EQ(lines, "");
    EXPECT_EQ(Rows("SELECT COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID FROM ImportContactInfo ORDER BY 1, 2, 3"),
              c.contacts);
  }
}

TEST_F(ImportTest, AFileWithoutTheCountyModelCompletesOneWithoutAnswersOrContactsImportsNothing) {
  struct Case {
    const char* dropped;
    bool completes;
  };
  const Case cases[] = {{"COUNTYMODEL", true}, {"TorbLeaNotes", false}, {"ImportContactInfo", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dropped);
    Execute("DELETE FROM Tax; DELETE FROM LEA_FORMS_STATUS; DELETE FROM ImportContactInfo;");
    const fs::path file = File(kTaxGroup + Contact(19, 612, 0, "5") + "DROP TABLE " + c.dropped + ";",
                               std::string("without-") + c.dropped);
    const std::string before = Dump();
    Window();
    if (c.completes) {
      ExpectReport();
    } else {
      dialogs_.AnswerMsgBox(ui::vbIgnore);
      dialogs_.AcknowledgeMessages(1);
    }
    SelectFile(file);
    const auto messages = dialogs_.TakeMessages();
    if (c.completes) {
      EXPECT_EQ(messages, std::vector<std::string>{});
      EXPECT_EQ(Rows("SELECT PHONE FROM ImportContactInfo"), "5");
      EXPECT_EQ(Rows("SELECT count(*) FROM Tax"), "1");
    } else {
      ASSERT_EQ(messages.size(), 2u);
      EXPECT_NE(messages[0].find(c.dropped), std::string::npos) << messages[0];
      EXPECT_EQ(messages[1], "Import process failed. Nothing was imported.");
      EXPECT_EQ(Dump(), before);
    }
    EXPECT_EQ(Temporaries(), std::vector<std::string>{});
  }
}

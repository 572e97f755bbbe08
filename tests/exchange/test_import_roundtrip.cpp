// A file the export run writes is one the import accepts and merges: the
// county office's P-2 export of its tax form, imported back into a working
// database that has lost the rows meanwhile, and into a fresh one through
// the import window, answers and contact included.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>

#include "CertifiedExportFixture.h"
#include "CertifiedImport.h"
#include "FormData.h"
#include "ImportFixture.h"
#include "ScopeOfParams.h"
#include "clsMyAdoUtils.h"
#include "modCOECertification.h"
#include "modGlobals.h"
#include "modMain.h"
#include "vb/Conversions.h"

namespace fs = std::filesystem;

TEST_F(CertifiedExportTest, TheExportedFileIsImportedBackWhole) {
  Choose({{19, 64733, 0, 2}}, {29, 27});
  CertifiedExport& run = Export();
  const db::ConnectionPtr conn = modGlobals::SharedConnection();
  auto taxRows = [&] {
    return Rows(conn, "SELECT FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, Total, CERT_KEY FROM Tax"
                      " WHERE FISCAL_YEAR = 2019 AND PERIOD_ID = 2 AND COUNTY_ID = 19 ORDER BY Total");
  };
  const std::vector<std::string> exported = taxRows();
  conn->Execute("DELETE FROM Tax WHERE FISCAL_YEAR = 2019 AND PERIOD_ID = 2 AND COUNTY_ID = 19");

  const ImportScope scope = importfixture::Scope(2, 19, 64733);
  db::TemporaryFile copy = db::unseal(run.WrittenFile(), CertifiedExport::kFilePassword);
  std::string lines;
  {
    ImportFile attached(conn, copy.Path());
    CertifiedImport import(conn, scope);
    ASSERT_TRUE(import.bDatabaseValid());
    ASSERT_TRUE(import.ImportCertified(lines, ui::Now()));
  }
  EXPECT_EQ(lines,
            "Import Group: Property Tax\r\n\tNumber of Records Copied = 3\r\n\tNumber of Records Overwritten = 0\r\n\r\n");
  EXPECT_EQ(taxRows(), exported);
  EXPECT_EQ(Rows(conn, "SELECT SCHOOL_DISTRICT_ID, NUM_RECORD, hex8(LAST_IMPORT_DATE IS NOT NULL) FROM LEA_FORMS_STATUS"
                       " WHERE FORM_NO = 29 AND FISCAL_YEAR = 2019 AND PERIOD_ID = 2 AND COUNTY_ID = 19 ORDER BY 1"),
            (std::vector<std::string>{"612|1|00000001", "64733|2|00000001"}));
}

namespace {

// The county office's own tax rows as its tax form keeps them (the rows of
// the certification keys' worked example) and its answers to the tax
// questions, the comment with blanks around it.
constexpr const char* kOfficeRows = R"(
DELETE FROM Tax WHERE FISCAL_YEAR = 2019 AND PERIOD_ID = 2 AND COUNTY_ID = 19;
DELETE FROM LEA_FORMS_STATUS WHERE FISCAL_YEAR = 2019 AND PERIOD_ID = 2 AND SCHOOL_DISTRICT_ID = 612;
DELETE FROM TORB_FORM_NOTES;
DELETE FROM TorbLeaNotes WHERE COUNTY_ID = 19;
INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,
  RES_SCHOOL_DISTRICT_ID, TaxType, ResCountyName, Secured, Unsecured, Explanation) VALUES
 (2019, 2, 19, 64733, 0, 19, 64733, 1, 'Sample County', 1500, NULL, 'Late roll'),
 (2019, 2, 19, 64733, 0, 19, 64733, 0, 'Sample County', -250, 75, NULL);
INSERT INTO TorbLeaNotes (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TYPE,
  SCHOOL_DISTRICT_NAME, Qn1, Qn1Comments) VALUES
 (2019, 2, 19, 64733, 0, 'TAX', 'Vale County Office of Education', 1, ' late roll ');
)";

// What a fresh working database needs to accept the county office's file:
// the office in the agency directory and the tax form in the catalogue.
constexpr const char* kFreshDirectory = R"(
INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME, SCHOOL_DISTRICT_NAME,
  SCHOOL_NAME, LEA_TYPE, STAT_TYPE, CHARTER_ID, CS_BA_CHARTER_FILL_BY_DIST, AU_COUNTY) VALUES
 (2019, 19, 64733, 0, 'Vale County', 'Vale County Office of Education', '', 2, 'OPEN', 'N', 0, 19);
INSERT INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, FORM_DISPLAY_NAME, FORM_TITLE1, CATEGORY, COE, SCHD, CHARTER, SELPA,
  REPORTING_PERIOD, FY_2019, OrderNo, Program_Type) VALUES
 (29, 'Tax', 'Property Tax', 'Property Tax', 'T', 'Y', 'N', 'N', 'N', 'P-1, P-2, Annual', 'Y', 1, 2);
)";

constexpr const char* kOfficeStatus =
    "SELECT CERTIFICATE_NUMBER FROM LEA_FORMS_STATUS WHERE FORM_NO = 29 AND FISCAL_YEAR = 2019 AND PERIOD_ID = 2"
    " AND COUNTY_ID = 19 AND SCHOOL_DISTRICT_ID = 64733 AND SCHOOL_ID = 0";
constexpr const char* kAnswers =
    "SELECT COUNTY_ID, SCHOOL_DISTRICT_ID, TYPE, Qn1, Qn1Comments FROM TorbLeaNotes ORDER BY TYPE";
constexpr const char* kContacts =
    "SELECT COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, CONTACT, PHONE, EMAIL FROM ImportContactInfo";

// The files of a folder.
std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  return names;
}

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The private copies of the import go to a folder of the test's own.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(fs::path folder) : folder_(std::move(folder)) {
    fs::create_directories(folder_);
    if (const char* previous = std::getenv("TMPDIR")) previous_ = previous;
    setenv("TMPDIR", folder_.c_str(), 1);
  }
  ~TemporaryFolder() {
    if (previous_) {
      setenv("TMPDIR", previous_->c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
  }
  std::vector<std::string> Entries() const { return ::Entries(folder_); }

 private:
  fs::path folder_;
  std::optional<std::string> previous_;
};

}  // namespace

// The county office keys its two tax rows and certifies them, answers the
// tax questions and exports; another office with a fresh working database
// imports the file through the import window; the import is repeated there
// after local changes and answered No.
TEST_F(CertifiedExportTest, AnExportedFileArrivesInAFreshDatabaseWithItsAnswersAndContactAndCertificate) {
  Execute(kOfficeRows);
  const db::ConnectionPtr conn = modGlobals::SharedConnection();
  {
    // As the tax form's Save leaves them: keyed rows and the certificate
    // number of their keys on the form's status row.
    const forms::FormScope scope = forms::ScopeOf(params_);
    db::SqlText q;
    q << "SELECT * FROM Tax WHERE FISCAL_YEAR = 2019 AND PERIOD_ID = 2 AND COUNTY_ID = 19"
         " AND SCHOOL_DISTRICT_ID = 64733";
    db::RecordsetPtr rows = forms::Snapshot(conn, q);
    ASSERT_EQ(rows->RecordCount(), 2);
    ASSERT_TRUE(modCOE::SetCertKeysInRs(conn, scope, "Tax", *rows, false));
    forms::Submit(conn, *rows);
    const std::int32_t certificate = modCOE::GetGroupCertKey(*rows, modMain::GetSortKeys(conn, scope, "Tax"));
    ASSERT_NE(certificate, 0);
    conn->Execute("UPDATE LEA_FORMS_STATUS SET CERTIFICATE_NUMBER = ? WHERE FORM_NO = 29 AND FISCAL_YEAR = 2019"
                  " AND PERIOD_ID = 2 AND COUNTY_ID = 19 AND SCHOOL_DISTRICT_ID = 64733 AND SCHOOL_ID = 0",
                  {vb::Variant(certificate)});
  }
  const std::vector<std::string> exporterCertificate = Rows(conn, kOfficeStatus);
  const std::vector<std::string> exportedTax =
      Rows(conn, "SELECT * FROM Tax WHERE FISCAL_YEAR = 2019 AND PERIOD_ID = 2 AND COUNTY_ID = 19 ORDER BY TaxType");

  Choose({{19, 64733, 0, 2}}, {29});
  const fs::path file = Export().WrittenFile();
  ASSERT_FALSE(file.empty());
  const std::string chosen = Bytes(file);

  // Another office's fresh working database.
  modGlobals::gobjAdoUtils->CloseConn();
  fixtures::BuildDatabase(DatabasePath(), false);
  Execute(kFreshDirectory);
  const db::ConnectionPtr working = modGlobals::SharedConnection();
  ASSERT_EQ(Rows(working, "SELECT count(*) FROM Tax"), std::vector<std::string>{"0"});

  TemporaryFolder temporary(ProgramFolder() / "tmp");
  ImportWindowUser user(dialogs_);
  const ImportScope office = importfixture::Scope(2, 19, 64733);
  const std::string report = user.Import(file, office);
  EXPECT_NE(report.find("\r\n\r\nImport Group: Property Tax\r\n\tNumber of Records Copied = 2\r\n"
                        "\tNumber of Records Overwritten = 0\r\n\r\n\r\nImport Operation Completed."),
            std::string::npos)
      << report;
  EXPECT_EQ(Rows(working, "SELECT * FROM Tax ORDER BY TaxType"), exportedTax);
  EXPECT_EQ(Rows(working, kOfficeStatus), exporterCertificate);
  EXPECT_EQ(Rows(working, kAnswers), std::vector<std::string>{"19|64733|TAX|1| late roll "});
  // The contact as the exporting user gave it, the phone number as the
  // export writes it.
  const std::vector<std::string> contact = {"19|64733|0|J O'Brien|(916)555-0142 * |jobrien@vale.example"};
  EXPECT_EQ(Rows(working, kContacts), contact);
  EXPECT_EQ(Bytes(file), chosen);
  EXPECT_EQ(temporary.Entries(), std::vector<std::string>{});

  // Changed here since, then imported again and answered No: the form's
  // rows stay as they are, while the answer and the contact are the file's.
  working->ExecuteScript(
      "UPDATE Tax SET Secured = 9 WHERE TaxType = 1;"
      "UPDATE TorbLeaNotes SET Qn1 = 0, Qn1Comments = 'late roll';"
      "UPDATE ImportContactInfo SET CONTACT = 'Someone Else', PHONE = NULL;");
  user.Answer(1);
  const std::string again = user.Import(file, office);
  EXPECT_EQ(user.questions, std::vector<std::string>{"Import: Record for Property Tax already exists, Overwrite?"});
  EXPECT_NE(again.find("Import Group: Property Tax\r\n\tProgram Skipped.\r\n\tNumber of Records Copied = 0\r\n"
                       "\tNumber of Records Overwritten = 0\r\n"),
            std::string::npos)
      << again;
  EXPECT_EQ(Rows(working, "SELECT Secured FROM Tax WHERE TaxType = 1"), std::vector<std::string>{"9"});
  EXPECT_EQ(Rows(working, kAnswers), std::vector<std::string>{"19|64733|TAX|1| late roll "});
  EXPECT_EQ(Rows(working, kContacts), contact);
  EXPECT_EQ(Bytes(file), chosen);
  EXPECT_EQ(temporary.Entries(), std::vector<std::string>{});
  user.Close();
}

// A file the export run writes is one the import accepts and merges: the
// county office's P-2 export of its tax form, imported back into a working
// database that has lost the rows meanwhile.

#include <gtest/gtest.h>

#include "CertifiedExportFixture.h"
#include "CertifiedImport.h"
#include "ImportFixture.h"
#include "modGlobals.h"
#include "vb/Conversions.h"

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

// The checks of a certified-data file before its merge: which files each
// logon group may import, as one table of files and logons; the working
// database is never changed, and the re-key of the county office's
// block-grant rows happens in the private copy only.

#include <gtest/gtest.h>

#include "ImportFixture.h"
#include "db/Catalog.h"
#include "db/SealedFile.h"
#include "vb/Conversions.h"

using namespace importfixture;

namespace {

// The status table without its NOT NULL constraints, as a damaged or
// made-up file may hold it.
constexpr const char* kStatusWithNulls =
    "DROP TABLE LEA_FORMS_STATUS; CREATE TABLE LEA_FORMS_STATUS (FISCAL_YEAR INTEGER, PERIOD_ID INTEGER, COUNTY_ID"
    " INTEGER, SCHOOL_DISTRICT_ID INTEGER, SCHOOL_ID INTEGER DEFAULT 0, FORM_NO INTEGER, CERTIFICATE_NUMBER INTEGER,"
    " NUM_RECORD INTEGER, NUM_ERROR INTEGER, NUM_WARNING INTEGER, LAST_MODIFIED_DATE DATETIME, LAST_EDIT_CHECK_DATE"
    " DATETIME, LAST_EXPORT_DATE DATETIME, LAST_IMPORT_DATE DATETIME, PY_REASON_CODE INTEGER DEFAULT 0,"
    " PY_FORMS_CORRECTED VARCHAR(3) COLLATE NOCASE DEFAULT 'No', PY_CORRECTION_NOTE TEXT COLLATE NOCASE);";

// The tax table with one column left out, or two columns swapped.
constexpr const char* kTaxColumnMissing =
    "DROP TABLE Tax; CREATE TABLE Tax (FISCAL_YEAR INTEGER, PERIOD_ID INTEGER, COUNTY_ID INTEGER, SCHOOL_DISTRICT_ID"
    " INTEGER, SCHOOL_ID INTEGER, RES_COUNTY_ID INTEGER, RES_SCHOOL_DISTRICT_ID INTEGER, TaxType SMALLINT);";

struct Case {
  const char* name;
  std::string file;
  ImportScope scope;
  bool accepted;
};

ImportScope Corrected(ImportScope scope) {
  scope.correctionMode = true;
  return scope;
}

const ImportScope kCountyOffice = Scope(2, 19, 10199);

std::vector<Case> Cases() {
  const std::string ownTax = Status(19, 64733, 0, 29) + Toc("Tax", 19, 64733, 0) + TaxRow(19, 64733, 0, 612);
  return {
      // The year, period and correction state, for every group alike.
      {"own rows of the period", ownTax, kCountyOffice, true},
      {"a status row of P-1", ownTax + Status(19, 612, 0, 29, 2019, 1), kCountyOffice, false},
      {"a status row of 2018", ownTax + Status(19, 612, 0, 29, 2018), kCountyOffice, false},
      {"a status row without a period",
       std::string(kStatusWithNulls) + "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID,"
                                       " SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO) VALUES (2019, NULL, 19, 612, 0, 29);",
       kCountyOffice, false},
      {"a status row without a district",
       std::string(kStatusWithNulls) + "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID,"
                                       " SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO) VALUES (2019, 2, 19, NULL, 0, 29);",
       ImportScope(Scope(3, 19, 612)), false},
      {"'Yes' outside the correction mode", Status(19, 64733, 0, 29, 2019, 2, "'Yes'"), kCountyOffice, false},
      {"'yes' in another letter case", Status(19, 64733, 0, 29, 2019, 2, "'yes'"), kCountyOffice, false},
      {"'No' in the correction mode", ownTax, Corrected(kCountyOffice), false},
      {"'Yes' and Null in the correction mode",
       Status(19, 64733, 0, 29, 2019, 2, "'Yes'") + Status(19, 612, 0, 29, 2019, 2, "NULL"),
       Corrected(kCountyOffice), true},
      {"no status row at all", "", Scope(4, 19, 612, 6120001), true},

      // What the file holds for the merge.
      {"a table of contents naming the agency directory", Status(19, 64733, 0, 29) + Toc("KRN_LEAS", 19, 64733, 0),
       kCountyOffice, false},
      {"a table-of-contents row without its status row", Status(19, 64733, 0, 30) + Toc("Tax", 19, 64733, 0),
       kCountyOffice, false},
      {"a table-of-contents row of another period's status row",
       Status(19, 64733, 0, 29) + Toc("Tax", 19, 64733, 0, 2019, 3), kCountyOffice, false},
      {"a group table with a column missing",
       std::string(kTaxColumnMissing) + Status(19, 64733, 0, 29) + Toc("Tax", 19, 64733, 0), kCountyOffice, false},
      {"a group table with its columns out of order",
       "ALTER TABLE Tax RENAME COLUMN Secured TO Swap; ALTER TABLE Tax RENAME COLUMN Unsecured TO Secured;"
       " ALTER TABLE Tax RENAME COLUMN Swap TO Unsecured;" +
           ownTax,
       kCountyOffice, false},
      {"a group name in another letter case", Status(19, 64733, 0, 29) + Toc("TAX", 19, 64733, 0), kCountyOffice,
       true},
      {"a view in the file", ownTax + "CREATE VIEW Everything AS SELECT * FROM Tax;", kCountyOffice, false},
      {"a trigger in the file",
       ownTax + "CREATE TRIGGER Mark AFTER UPDATE ON LEA_FORMS_STATUS BEGIN DELETE FROM Tax; END;", kCountyOffice,
       false},

      // 3a. County office: Juniper administers Hollis (21) for its SELPA;
      // Cedar (614) belongs to Fenwick's.
      {"county office: another county's row", Status(20, 2001, 0, 29), kCountyOffice, false},
      {"county office: an administered county's SELPA form", Status(21, 2101, 0, 100), kCountyOffice, true},
      {"county office: an administered county's other form", Status(21, 2101, 0, 100) + Status(21, 2101, 0, 29),
       kCountyOffice, false},
      {"county office: a third county's SELPA form", Status(20, 2001, 0, 100), kCountyOffice, false},
      {"county office: any own district once another county's row passed",
       Status(21, 2101, 0, 100) + Status(19, 614, 0, 100), kCountyOffice, true},
      {"county office: an own district's SELPA form", Status(19, 612, 0, 101), kCountyOffice, true},
      {"county office: the SELPA form of a district administered elsewhere", Status(19, 614, 0, 101), kCountyOffice,
       false},
      {"county office without SELPA: another district's SELPA form", Status(20, 2001, 0, 101),
       Scope(2, 20, 10200), false},
      {"county office without SELPA: its own SELPA form", Status(20, 10200, 0, 101),
       Scope(2, 20, 10200), true},

      // 3b. A SELPA unit district, with its SELPA's region or the opener's.
      {"SELPA unit: a row in its region", Status(19, 612, 0, 21) + Status(21, 2101, 0, 101),
       Scope(3, 19, 612, 0, "R9", true), true},
      {"SELPA unit: another form in its region", Status(21, 2101, 0, 21),
       Scope(3, 19, 612, 0, "R9", true), false},
      {"SELPA unit: a row outside its region", Status(20, 2001, 0, 101),
       Scope(3, 19, 612, 0, "R9", true), false},
      {"SELPA unit without SELPA rows: the opener's region", Status(21, 2101, 0, 101),
       Scope(3, 19, 613, 0, "R1", true), true},
      {"SELPA unit without SELPA rows: another region", Status(21, 2101, 0, 101),
       Scope(3, 19, 613, 0, "R9", true), false},

      // 3c. A district; 612 fills in its charter school's block-grant form.
      {"district: its own rows", Status(19, 613, 0, 21), Scope(3, 19, 613), true},
      {"district: another district's row", Status(19, 612, 0, 21), Scope(3, 19, 613), false},
      {"filling district: district 613's row", Status(19, 613, 0, 21), Scope(3, 19, 612), false},
      {"filling district: the county office's form 50", Status(19, 612, 0, 21) + Status(19, 10199, 6120001, 50),
       Scope(3, 19, 612), true},
      {"filling district: the county office's form 29", Status(19, 10199, 0, 29), Scope(3, 19, 612),
       false},

      // 3d to 3f.
      {"charter school: its own rows", Status(19, 612, 6120001, 41), Scope(4, 19, 612, 6120001), true},
      {"charter school: another school's row", Status(19, 612, 6120002, 41),
       Scope(4, 19, 612, 6120001), false},
      {"county auditor: the own county's tax form", Status(19, 64733, 0, 29), Scope(7, 19, 10199),
       true},
      {"county auditor: form 30", Status(19, 64733, 0, 30), Scope(7, 19, 10199), false},
      {"county auditor: another county's tax form", Status(20, 2001, 0, 29), Scope(7, 19, 10199),
       false},
      {"SELPA: its own and its region's SELPA forms", Status(19, 612, 6129999, 100) + Status(21, 2101, 0, 102),
       Scope(5, 19, 612, 6129999, "R1"), true},
      {"SELPA: another form", Status(19, 612, 6129999, 29), Scope(5, 19, 612, 6129999, "R1"), false},
      {"SELPA: its district at another school", Status(19, 612, 6120001, 100),
       Scope(5, 19, 612, 6129999, "R1"), false},
      {"SELPA: a district outside its region", Status(20, 2001, 0, 100),
       Scope(5, 19, 612, 6129999, "R1"), false},
      {"another logon group: the period's rows", Status(20, 2001, 0, 29), Scope(6, 19, 612), true},
  };
}

}  // namespace

TEST_F(ImportTest, EachLogonGroupImportsTheAgenciesInItsRightsAndNothingElse) {
  const std::string before = Dump();
  int n = 0;
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    const auto file = File(c.file, "case" + std::to_string(n++));
    EXPECT_EQ(Accepts(file, c.scope), c.accepted);
    EXPECT_EQ(Dump(), before) << "the checks never change the working database";
  }
  EXPECT_EQ(dialogs_.Prompts().size(), 0u) << "a refusal is no error report";
}

TEST_F(ImportTest, TheCountyOfficesBlockGrantRowsAreRekeyedToTheFillingDistrictInTheCopyOnly) {
  const auto file = File(Status(19, 612, 0, 21) + Status(19, 10199, 6120001, 50) + Toc("CS_BA", 19, 10199, 6120001) +
                         "INSERT INTO CS_BA (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID,"
                         " RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID) VALUES (2019, 2, 19, 10199, 6120001, 19, 613);");
  const std::string chosen = Bytes(file);
  db::TemporaryFile copy = db::unseal(file, "ZJX");
  {
    ImportFile attached(conn_, copy.Path());
    ASSERT_TRUE(CertifiedImport(conn_, Scope(3, 19, 612)).bDatabaseValid());
    for (const char* table : {"LEA_FORMS_STATUS", "CS_BA", "EXPORT_FILE_INFO"}) {
      SCOPED_TRACE(table);
      EXPECT_EQ(vb::CStr(conn_->Scalar(std::string("SELECT group_concat(DISTINCT SCHOOL_DISTRICT_ID) FROM other.") +
                                       table)),
                "612");
    }
  }
  EXPECT_EQ(Bytes(file), chosen);
  EXPECT_FALSE(db::catalog::TableExists(*conn_, "other.CS_BA")) << "detached";
}

// The form-status upkeep: saving, keying and certifying tax rows, the status
// row they leave, the county-model form's rows per district, the form
// numbers and notes.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>

#include "FakeControl.h"
#include "TestEnvironment.h"
#include "clsDataAccess.h"
#include "clsMyAdoUtils.h"
#include "clsCalculate.h"
#include "clsMyCRC32.h"
#include "com/Registry.h"
#include "ScopeOfParams.h"
#include "modCOE.h"
#include "modCOECertification.h"
#include "modCOEStatus.h"
#include "modGlobals.h"
#include "modMain.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

using fixtures::FakeControl;

// The status procedures as a window calls them: on the program's
// connection, with P's scope and status and the form the program has open.
db::ConnectionPtr Conn() { return modGlobals::gobjAdoUtils->Conn(); }
void UpdateStatus(const clsGlobalParam& P, bool withEditCheckDate) {
  modCOE::UpdateCOEFormsStatus(Conn(), forms::ScopeOf(P), forms::StatusOf(P), modGlobals::gobjGlobalParam->FormNo,
                               withEditCheckDate);
}
void SetStatus(const clsGlobalParam& P, bool clear) {
  modCOE::UpdateSetCOEFormsStatus(Conn(), forms::ScopeOf(P), forms::StatusOf(P), clear);
}
void SetStatusWithEditCheck(const clsGlobalParam& P) {
  modCOE::UpdateSetCOEFormsStatusForNonEditCheckMultiForms(Conn(), forms::ScopeOf(P), forms::StatusOf(P));
}

class FormStatusTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    conn_ = modGlobals::gobjAdoUtils->Conn();
    P_ = fixtures::AlderTaxForm();
    P_.formname = "Tax";
    modGlobals::gobjGlobalParam->FormNo = 29;
  }

  Variant Status(const std::string& column, int formNo = 29) {
    return conn_->Scalar("SELECT " + column +
                             " FROM LEA_FORMS_STATUS WHERE FISCAL_YEAR = 2019 AND PERIOD_ID = 2 AND COUNTY_ID = 61 "
                             "AND SCHOOL_DISTRICT_ID = 10610 AND SCHOOL_ID = 0 AND FORM_NO = ?",
                         {Variant(formNo)});
  }
  long Count(const std::string& sql, std::vector<Variant> params = {}) { return vb::CLng(conn_->Scalar(sql, params)); }

  db::RecordsetPtr AgencyTaxRows() {
    return clsDataAccess().GetRecordset(
        "SELECT * FROM Tax WHERE FISCAL_YEAR = 2019 AND PERIOD_ID = 2 AND COUNTY_ID = 61 AND SCHOOL_DISTRICT_ID = 10610",
        modGlobals::gstrConnectionString, conn_);
  }

  // Saves a new tax row from the form's fields, keys it, and certifies the
  // agency's rows, as the tax form's save and recalculation do.
  std::int32_t SaveAndCertify(int resDistrict, const char* secured) {
    clsDataAccess data;
    auto rs = AgencyTaxRows();
    rs->AddNew();
    const std::vector<std::pair<const char*, int>> key = {
        {"FISCAL_YEAR", 2019}, {"PERIOD_ID", 2},  {"COUNTY_ID", 61},
        {"SCHOOL_DISTRICT_ID", 10610}, {"SCHOOL_ID", 0}, {"RES_COUNTY_ID", 61},
        {"RES_SCHOOL_DISTRICT_ID", resDistrict}, {"TaxType", 1}};
    for (const auto& [column, value] : key) rs->SetValue(column, value);
    // The tax entry control's sixteen amount fields, the explanation and a
    // field that is not bound.
    std::vector<std::unique_ptr<FakeControl>> fields;
    for (const char* column : {"Secured", "Unsecured", "HOX", "Subventions", "DistributionTimberYieldTax",
                               "DistributionPriorYearTax", "ReleasePriorYearTaxImpound", "SupplementalTax",
                               "EducationalRevenueAugmentationFund", "PriorYearRestrictedMonie", "CommRedFunds", "SERAF",
                               "RedevAgencyAssetLiquidation", "CollegeERAF", "EstExcessERAF", "Total"}) {
      const std::string name = column;
      fields.push_back(std::make_unique<FakeControl>("txt" + name, name == "Total" ? "disabled" : "",
                                                   Variant(name == "Secured" ? secured : name == "SERAF" ? "7" : "0")));
    }
    fields.push_back(std::make_unique<FakeControl>("txtExplanation", "EXPLAIN", Variant("  Late roll")));
    fields.push_back(std::make_unique<FakeControl>("txtDUMMY1", "", Variant("ignored")));
    BoundControls controls;
    for (auto& field : fields) controls.push_back(field.get());
    modCOE::SetValuesInRs(*rs, controls);
    data.SubmitRecordset(*rs, modGlobals::gstrConnectionString, conn_);
    com::SetComponentFolder(LEV_PROGRAM_DIR);
    auto calculation = com::CreateObject<sumface::clsCalculate>("sumwright.clsCalculate");
    calculation->ConnectionString(modGlobals::gstrConnectionString);
    calculation->Calculate("Tax", rs);
    com::SetComponentFolder({});
    modCOE::SetCertKeysInRs(Conn(), forms::ScopeOf(P_), "Tax", *rs, true);
    data.SubmitRecordset(*rs, modGlobals::gstrConnectionString, conn_);

    auto rows = AgencyTaxRows();
    const std::int32_t certificate = modCOE::GetGroupCertKey(*rows, modMain::GetSortKeys(Conn(), forms::ScopeOf(P_), "Tax"));
    P_.CertKey = certificate;
    P_.NumRecord = static_cast<std::int16_t>(rows->RecordCount());
    P_.NumError = 0;
    P_.NumWarning = 0;
    P_.LastModifiedDate = vb::CDate(Variant("3/2/2020 10:15:30 AM"));
    P_.EditCheckDate = P_.LastModifiedDate;
    UpdateStatus(P_, true);
    return certificate;
  }

  db::ConnectionPtr conn_;
  clsGlobalParam P_;
};

TEST_F(FormStatusTest, SaveKeyAndCertifyWritesTheStatusRow) {
  // Somebody else's status row without a certificate: purged by any rewrite.
  conn_->Execute("INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, "
                 "FORM_NO, PY_REASON_CODE, PY_FORMS_CORRECTED) VALUES (2019, 1, 62, 62001, 0, 29, 0, 'No')");

  const std::int32_t certificate = SaveAndCertify(61001, "1,500");

  // The row holds what the fields held, and its key is the checksum of its text.
  auto rows = AgencyTaxRows();
  ASSERT_EQ(rows->RecordCount(), 1);
  EXPECT_EQ(vb::CStr(rows->Value("Secured")), "1500");
  EXPECT_EQ(vb::CStr(rows->Value("Total")), "1500") << "recalculated (SERAF stays out of the total) before it was keyed";
  EXPECT_EQ(vb::CStr(rows->Value("Explanation")), "Late roll");
  EXPECT_EQ(vb::CLng(rows->Value("CERT_KEY")),
            clsMyCRC32().GetCRC32(modCOE::fcnGetStringForCertKey(Conn(), forms::ScopeOf(P_), "Tax", *rows)));
  EXPECT_EQ(certificate, clsMyCRC32().GetCRC32(vb::CStr(rows->Value("CERT_KEY"))));

  EXPECT_EQ(vb::CLng(Status("CERTIFICATE_NUMBER")), certificate);
  EXPECT_EQ(vb::CLng(Status("NUM_RECORD")), 1);
  EXPECT_EQ(vb::CLng(Status("NUM_ERROR")), 0);
  EXPECT_EQ(vb::CLng(Status("NUM_WARNING")), 0);
  EXPECT_EQ(vb::CStr(Status("LAST_MODIFIED_DATE")), "2020-03-02 10:15:30");
  EXPECT_EQ(vb::CStr(Status("LAST_EDIT_CHECK_DATE")), "2020-03-02 10:15:30");
  EXPECT_EQ(vb::CLng(Status("PY_REASON_CODE")), 0);
  EXPECT_EQ(vb::CStr(Status("PY_FORMS_CORRECTED")), "No");
  EXPECT_EQ(vb::CStr(Status("hex8(CERTIFICATE_NUMBER)")).size(), 8u);
  EXPECT_EQ(Count("SELECT count(*) FROM LEA_FORMS_STATUS WHERE CERTIFICATE_NUMBER IS NULL"), 0);
  EXPECT_EQ(Count("SELECT count(*) FROM LEA_FORMS_STATUS WHERE COUNTY_ID = 62"), 0);

  // A second rewrite keeps the dates and the correction it does not own.
  conn_->Execute("UPDATE LEA_FORMS_STATUS SET LAST_EXPORT_DATE = '2020-03-05 08:00:00', "
                 "LAST_IMPORT_DATE = '2020-03-06 09:00:00', PY_REASON_CODE = 2, PY_FORMS_CORRECTED = 'Yes', "
                 "PY_CORRECTION_NOTE = 'late' WHERE COUNTY_ID = 61 AND FORM_NO = 29");
  P_.LastModifiedDate = vb::CDate(Variant("3/9/2020 1:00:00 PM"));
  P_.EditCheckDate = P_.LastModifiedDate;
  P_.NumError = 1;
  P_.NumWarning = 2;
  UpdateStatus(P_, false);
  EXPECT_EQ(vb::CLng(Status("NUM_ERROR")), 1);
  EXPECT_EQ(vb::CLng(Status("NUM_WARNING")), 2);
  EXPECT_EQ(vb::CStr(Status("LAST_EXPORT_DATE")), "2020-03-05 08:00:00");
  EXPECT_EQ(vb::CStr(Status("LAST_IMPORT_DATE")), "2020-03-06 09:00:00");
  EXPECT_EQ(vb::CStr(Status("LAST_MODIFIED_DATE")), "2020-03-09 13:00:00");
  EXPECT_EQ(vb::CStr(Status("LAST_EDIT_CHECK_DATE")), "2020-03-02 10:15:30") << "not rewritten without the flag";
  EXPECT_EQ(vb::CLng(Status("PY_REASON_CODE")), 2);
  EXPECT_EQ(vb::CStr(Status("PY_FORMS_CORRECTED")), "Yes");
  EXPECT_EQ(vb::CStr(Status("PY_CORRECTION_NOTE")), "late");

  // A second tax row changes the certificate; the same rows give the same number.
  const std::int32_t two = SaveAndCertify(61002, "-250");
  EXPECT_NE(two, certificate);
  EXPECT_EQ(vb::CLng(Status("NUM_RECORD")), 2);
  EXPECT_EQ(modCOE::GetGroupCertKey(*AgencyTaxRows(), modMain::GetSortKeys(Conn(), forms::ScopeOf(P_), "")), two);
}

TEST_F(FormStatusTest, AFailedRewriteLeavesTheStatusTableAsItWas) {
  SaveAndCertify(61001, "100");
  const Variant before = Status("CERTIFICATE_NUMBER");
  conn_->Execute("INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, "
                 "FORM_NO, PY_REASON_CODE, PY_FORMS_CORRECTED) VALUES (2019, 1, 62, 62001, 0, 29, 0, 'No')");
  // The status row's own write fails, or the purge after it.
  for (const char* refusal : {"BEFORE UPDATE", "BEFORE DELETE"}) {
    conn_->ExecuteScript(std::string("CREATE TRIGGER refuse ") + refusal +
                         " ON LEA_FORMS_STATUS BEGIN SELECT RAISE(ABORT, 'refused'); END");
    P_.CertKey = 42;
    dialogs_.AnswerMsgBox(ui::vbIgnore);
    UpdateStatus(P_, true);
    EXPECT_NE(dialogs_.LastPrompt().text.find("refused"), std::string::npos) << refusal;
    EXPECT_NE(dialogs_.LastPrompt().text.find("Procedure: UpdateCOEFormsStatus"), std::string::npos);
    EXPECT_TRUE(Status("CERTIFICATE_NUMBER").Identical(before)) << "the rewrite must not be half done: " << refusal;
    EXPECT_EQ(Count("SELECT count(*) FROM LEA_FORMS_STATUS WHERE COUNTY_ID = 62"), 1) << refusal;
    conn_->ExecuteScript("DROP TRIGGER refuse");
  }

  // Once the cause is gone the rewrite goes through.
  dialogs_.ExpectAllUsed();
  UpdateStatus(P_, true);
  EXPECT_EQ(vb::CLng(Status("CERTIFICATE_NUMBER")), 42);
}

TEST_F(FormStatusTest, TheCountyModelPathWithoutItsRowsIsReportedNotACrash) {
  // P names the county-model form while the program's current form is
  // another: the status row is added as for any form, and the county-model
  // counts were never read.
  P_.FormNo = 113;
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  UpdateStatus(P_, true);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Error No: 91"), std::string::npos);
  EXPECT_EQ(Count("SELECT count(*) FROM LEA_FORMS_STATUS WHERE FORM_NO = 113"), 0);
  dialogs_.ExpectAllUsed();
}

TEST_F(FormStatusTest, DistrictFormsAreKeptAtSchoolZero) {
  for (int form : {110, 111, 112}) {
    modGlobals::gobjGlobalParam->FormNo = form;
    P_.FormNo = form;
    P_.SchoolId = 6100103;  // whatever the school, the district's row
    P_.CertKey = 7;
    P_.NumRecord = 3;
    UpdateStatus(P_, false);
    UpdateStatus(P_, false);
    EXPECT_EQ(Count("SELECT count(*) FROM LEA_FORMS_STATUS WHERE FORM_NO = ?", {Variant(form)}), 1) << form;
    EXPECT_EQ(vb::CLng(Status("NUM_RECORD", form)), 3) << form;
    EXPECT_TRUE(Status("LAST_EDIT_CHECK_DATE", form).IsNull()) << form;
  }
}

TEST_F(FormStatusTest, TheCountyModelFormWritesOneRowPerDistrict) {
  for (int district : {61001, 61001, 61001, 61003}) {
    static int school = 0;
    conn_->Execute("INSERT INTO COUNTYMODEL (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID) "
                   "VALUES (2019, 2, 61, ?, ?)",
                   {Variant(district), Variant(++school)});
  }
  // An old row of a district that no longer has county-model rows goes.
  conn_->Execute("INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, "
                 "FORM_NO, CERTIFICATE_NUMBER, PY_REASON_CODE, PY_FORMS_CORRECTED) VALUES (2019, 2, 61, 61002, 0, 113, 5, 0, 'No')");
  modGlobals::gobjGlobalParam->FormNo = 113;
  P_.FormNo = 113;
  P_.CertKey = -12345;
  P_.NumError = 3;
  P_.NumWarning = 4;
  P_.LastModifiedDate = vb::CDate(Variant("4/1/2020"));
  P_.EditCheckDate = vb::CDate(Variant("4/2/2020"));
  UpdateStatus(P_, false);

  auto rows = db::Recordset::Query(
      "SELECT SCHOOL_DISTRICT_ID, SCHOOL_ID, NUM_RECORD, CERTIFICATE_NUMBER, NUM_ERROR, NUM_WARNING, "
      "LAST_EDIT_CHECK_DATE FROM LEA_FORMS_STATUS "
      "WHERE FORM_NO = 113 ORDER BY SCHOOL_DISTRICT_ID",
      conn_);
  ASSERT_EQ(rows->RecordCount(), 2);
  const std::vector<std::pair<int, int>> expected = {{61001, 3}, {61003, 1}};
  for (const auto& [district, count] : expected) {
    EXPECT_EQ(vb::CLng(rows->Value("SCHOOL_DISTRICT_ID")), district);
    EXPECT_EQ(vb::CLng(rows->Value("SCHOOL_ID")), 0);
    EXPECT_EQ(vb::CLng(rows->Value("NUM_RECORD")), count);
    EXPECT_EQ(vb::CLng(rows->Value("CERTIFICATE_NUMBER")), -12345);
    EXPECT_EQ(vb::CLng(rows->Value("NUM_ERROR")), 3);
    EXPECT_EQ(vb::CLng(rows->Value("NUM_WARNING")), 4);
    EXPECT_EQ(vb::CStr(rows->Value("LAST_EDIT_CHECK_DATE")), "4/2/2020");
    rows->MoveNext();
  }
}

TEST_F(FormStatusTest, ResetAndSetOnlyTouchAnExistingRow) {
  SaveAndCertify(61001, "100");
  conn_->Execute("UPDATE LEA_FORMS_STATUS SET PY_FORMS_CORRECTED = 'Yes', PY_REASON_CODE = 2, "
                 "PY_CORRECTION_NOTE = 'late' WHERE FORM_NO = 29");
  P_.CertKey = -1;
  P_.NumRecord = 9;
  SetStatus(P_, false);
  EXPECT_EQ(vb::CLng(Status("CERTIFICATE_NUMBER")), -1);
  EXPECT_EQ(vb::CLng(Status("NUM_RECORD")), 9);

  SetStatus(P_, true);
  for (const char* column : {"CERTIFICATE_NUMBER", "NUM_RECORD", "NUM_ERROR", "LAST_MODIFIED_DATE",
                             "LAST_EDIT_CHECK_DATE", "LAST_EXPORT_DATE", "PY_CORRECTION_NOTE"})
    EXPECT_TRUE(Status(column).IsNull()) << column;
  EXPECT_EQ(vb::CLng(Status("PY_REASON_CODE")), 0);
  EXPECT_EQ(vb::CStr(Status("PY_FORMS_CORRECTED")), "No");

  P_.DistrictID = 99999;  // no such row: nothing is added
  SetStatusWithEditCheck(P_);
  EXPECT_EQ(Count("SELECT count(*) FROM LEA_FORMS_STATUS WHERE SCHOOL_DISTRICT_ID = 99999"), 0);
}

TEST_F(FormStatusTest, StatusWritesJoinTheCallersTransaction) {
  // A delete of the tax form: the status row is reset and the notes go, all
  // inside the caller's transaction on the shared connection.
  SaveAndCertify(61001, "100");
  const Variant certificate = Status("CERTIFICATE_NUMBER");
  conn_->Execute("INSERT INTO TORB_FORM_NOTES (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PERIOD_ID, "
                 "FORM_NAME, FORM_NOTE) VALUES (61, 10610, 0, 2019, 2, 'Tax', 'a')");
  const auto start = std::chrono::steady_clock::now();
  {
    db::Transaction trans(*conn_);
    P_.CertKey = 5;
    P_.NumRecord = 4;
    SetStatusWithEditCheck(P_);
    EXPECT_EQ(vb::CLng(Status("CERTIFICATE_NUMBER")), 5);
    SetStatus(P_, true);
    EXPECT_TRUE(Status("CERTIFICATE_NUMBER").IsNull());
    EXPECT_TRUE(clsDataAccess().ZapTable("TORB_FORM_NOTES", modGlobals::gstrConnectionString, "COUNTY_ID = ?",
                                         {Variant(61)}));
    EXPECT_EQ(Count("SELECT count(*) FROM TORB_FORM_NOTES WHERE COUNTY_ID = 61"), 0);
    UpdateStatus(P_, true);
    EXPECT_EQ(vb::CLng(Status("CERTIFICATE_NUMBER")), 5);
  }  // rolled back
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << "no statement waited for a lock";
  EXPECT_TRUE(dialogs_.Prompts().empty());
  auto other = db::Connection::OpenNew(modGlobals::gstrConnectionString);
  EXPECT_TRUE(other->Scalar("SELECT CERTIFICATE_NUMBER FROM LEA_FORMS_STATUS WHERE COUNTY_ID = 61 AND FORM_NO = 29")
                  .Identical(certificate));
  EXPECT_EQ(vb::CLng(other->Scalar("SELECT count(*) FROM TORB_FORM_NOTES WHERE COUNTY_ID = 61")), 1);
}

TEST_F(FormStatusTest, FormNumbersAndNotes) {
  EXPECT_EQ(modCOE::getFormDetails(Conn(), "tax"), 29);
  EXPECT_EQ(modCOE::getFormDetails(Conn(), "TAX"), 29);
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  EXPECT_EQ(modCOE::getFormDetails(Conn(), "O'Brien"), 0);
  dialogs_.ExpectAllUsed();

  conn_->Execute("INSERT INTO TORB_FORM_NOTES (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PERIOD_ID, "
                 "FORM_NAME, FORM_NOTE) VALUES (61, 10610, 0, 2019, 2, 'Tax', 'a'), (61, 10610, 0, 2019, 1, 'Tax', 'b')");
  modCOE::TorbNotesDeletion(Conn(), 2019, 10610, 61, 0, "Tax", 2);
  EXPECT_EQ(Count("SELECT count(*) FROM TORB_FORM_NOTES WHERE COUNTY_ID = 61"), 1);
}

// A connection that is not handed in: every procedure that needs it
// reports error 91 through its guard and goes on without a crash.
TEST_F(FormStatusTest, WithoutAConnectionEachUseReportsError91AndGoesOn) {
  // A block-grant row of a district that fills in its charter's form, so
  // that its key needs the county office of the current county.
  conn_->Execute(
      "INSERT INTO CS_BA (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
      "RES_SCHOOL_DISTRICT_ID) VALUES (2019, 2, 61, 61003, 6100101, 61, 61003)");
  auto blockGrant = db::Recordset::Query("SELECT * FROM CS_BA", conn_);
  blockGrant->ActiveConnection(nullptr);
  const forms::FormScope scope = forms::ScopeOf(P_);
  const forms::FormStatus status = forms::StatusOf(P_);
  const db::ConnectionPtr none;

  struct Case {
    const char* what;
    std::function<void()> call;
    const char* reportedBy;
  };
  const std::vector<Case> cases = {
      {"status rewrite", [&] { modCOE::UpdateCOEFormsStatus(none, scope, status, 29, true); }, "UpdateCOEFormsStatus"},
      {"status reset", [&] { modCOE::UpdateSetCOEFormsStatus(none, scope, status, true); }, "UpdateSetCOEFormsStatus"},
      {"status set", [&] { modCOE::UpdateSetCOEFormsStatusForNonEditCheckMultiForms(none, scope, status); },
       "UpdateSetCOEFormsStatusForNonEditCheckMultiForms"},
      {"form number", [&] { EXPECT_EQ(modCOE::getFormDetails(none, "Tax"), 0); }, "getFormDetails"},
      {"notes", [&] { modCOE::TorbNotesDeletion(none, 2019, 10610, 61, 0, "Tax", 2); }, "TorbNotesDeletion"},
      {"sort order", [&] { EXPECT_EQ(modMain::GetSortOrder(none, scope, "Tax"), ""); }, "GetSortOrder"},
      {"row text", [&] { EXPECT_EQ(modCOE::fcnGetStringForCertKey(none, scope, "CS_BA", *blockGrant), ""); },
       "fcnGetStringForCertKey"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    dialogs_.ClearPrompts();
    dialogs_.AnswerMsgBox(ui::vbIgnore);
    c.call();
    ASSERT_EQ(dialogs_.Prompts().size(), 1u);
    const std::string& text = dialogs_.Prompts()[0].text;
    EXPECT_NE(text.find("Error No: 91\r\nDescription: Object variable or With block variable not set"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(std::string("Procedure: ") + c.reportedBy + "\r\n"), std::string::npos) << text;
  }
  dialogs_.ExpectAllUsed();
}

}  // namespace

namespace {

// A status table of its own, as a certified-data file's copy holds it.
class StatusPruningTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::filesystem::temp_directory_path() /
            ("lev-status-pruning-" + std::to_string(::getpid()) + ".db");
    std::filesystem::remove(path_);
    conn_ = db::Connection::Create();
    conn_->Open(db::Connection::ConnectionStringFor(path_.string()), true);
    conn_->Execute(
        "CREATE TABLE LEA_FORMS_STATUS (FISCAL_YEAR INTEGER, PERIOD_ID INTEGER, COUNTY_ID INTEGER,"
        " SCHOOL_DISTRICT_ID INTEGER, SCHOOL_ID INTEGER, FORM_NO INTEGER, NUM_RECORD INTEGER)");
    // year, period, county, district, school, form
    const int rows[][6] = {{2019, 2, 7, 612, 0, 29},  {2019, 2, 7, 612, 0, 508}, {2019, 2, 7, 612, 0, 30},
                           {2018, 2, 7, 612, 0, 508}, {2019, 1, 7, 612, 0, 29},  {2019, 2, 8, 812, 0, 29},
                           {2019, 2, 8, 812, 0, 100}, {2019, 2, 7, 613, 0, 29},  {2019, 2, 7, 612, 4, 29}};
    for (const auto& r : rows)
      conn_->Execute("INSERT INTO LEA_FORMS_STATUS VALUES (?, ?, ?, ?, ?, ?, 1)",
                     {Variant(r[0]), Variant(r[1]), Variant(r[2]), Variant(r[3]), Variant(r[4]), Variant(r[5])});
  }
  void TearDown() override {
    conn_.reset();
    std::filesystem::remove(path_);
  }
  void Run(const db::SqlText& statement) { conn_->Execute(statement.Sql(), statement.Params()); }
  // The rows left, as "year/period/county/district/school/form".
  std::vector<std::string> Left() {
    std::vector<std::string> left;
    const db::RecordsetPtr rs = db::Recordset::Query(
        "SELECT FISCAL_YEAR || '/' || PERIOD_ID || '/' || COUNTY_ID || '/' || SCHOOL_DISTRICT_ID || '/' ||"
        " SCHOOL_ID || '/' || FORM_NO FROM LEA_FORMS_STATUS ORDER BY rowid",
        conn_);
    for (; !rs->Eof(); rs->MoveNext()) left.push_back(vb::TextOf(rs->Value(0)));
    return left;
  }
  std::filesystem::path path_;
  db::ConnectionPtr conn_;
};

using Rows = std::vector<std::string>;

TEST_F(StatusPruningTest, TheScopeKeepsTheExportedFormsOfTheYearPeriodAndCountyAndTheRecordedForms) {
  // A kept form escapes the form exclusion only: of another year it goes.
  Run(modCOE::DeleteStatusRowsOutsideScope("FORM_NO <> 29", "COUNTY_ID <> 7", 2019, 2, {508}, std::nullopt));
  EXPECT_EQ(Left(), (Rows{"2019/2/7/612/0/29", "2019/2/7/612/0/508", "2019/2/7/613/0/29", "2019/2/7/612/4/29"}));
  // The own agency only.
  Run(modCOE::DeleteStatusRowsOutsideScope("FORM_NO <> 29", "COUNTY_ID <> 7", 2019, 2, {508},
                                           std::make_pair(612, 0)));
  EXPECT_EQ(Left(), (Rows{"2019/2/7/612/0/29", "2019/2/7/612/0/508"}));
}

TEST_F(StatusPruningTest, OtherCountiesLoseAllButTheFormsOtherOfficesFile) {
  Run(modCOE::DeleteOtherCountyStatusRows(7));
  const Rows left = Left();
  EXPECT_EQ(std::count(left.begin(), left.end(), "2019/2/8/812/0/29"), 0);
  EXPECT_EQ(std::count(left.begin(), left.end(), "2019/2/8/812/0/100"), 1);
  Run(modCOE::DeleteOtherSchoolStatusRows(612, 0));
  const Rows after = Left();
  EXPECT_EQ(std::count(after.begin(), after.end(), "2019/2/7/612/4/29"), 0);
  EXPECT_EQ(std::count(after.begin(), after.end(), "2019/2/7/612/0/29"), 1);
}

}  // namespace

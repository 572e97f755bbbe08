// The data half of the tax form's save, without a window and without Qt: a
// County row written, recalculated, keyed and certified, and the status row
// rewritten, in one change; a failing step raises to the caller and leaves
// the database and the status as they were.

#include <gtest/gtest.h>

#include "FormData.h"
#include "FormsFixture.h"
#include "NeighbourRows.h"
#include "TaxForm.h"
#include "clsMyCRC32.h"
#include "modValidationCalculation.h"
#include "vb/Conversions.h"

using fixtures::taxagencies::kCounty;
using fixtures::taxagencies::kOffice;
using vb::Variant;

namespace {

// The status certificate (BDF18DB8) that the tax form's window gets for the
// same row (tests/dataentry/test_tax_form.cpp).
constexpr std::int32_t kWindowCertificate = -1108243016;

class TaxSaveData : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    ASSERT_TRUE(modValidationCalculation::ComponentStatus(conn_, 2019, 2).available);
  }

  // The save of a new County row for Juniper County's office with the
  // amounts as the tax entry control hands them (every other line 0, an
  // empty explanation as one blank).
  taxform::SaveResult SaveCountyRow(forms::FormStatus& status, Trap& trap) {
    const forms::FormScope scope = TaxScope();
    rows_ = taxform::TaxTypeRows(conn_, scope);
    taxform::SaveSteps steps;
    steps.writeRow = [&] {
      const taxform::RowKeys keys{kCounty, kOffice, 0};
      rows_->AddNew();
      taxform::KeyNewRow(*rows_, scope, keys);
      taxform::NameResidence(conn_, *rows_, scope, keys);
      for (const char* line : {"Secured", "Unsecured", "HOX", "Subventions", "DistributionTimberYieldTax",
                               "DistributionPriorYearTax", "ReleasePriorYearTaxImpound", "SupplementalTax",
                               "EducationalRevenueAugmentationFund", "PriorYearRestrictedMonie", "CommRedFunds",
                               "SERAF", "RedevAgencyAssetLiquidation", "CollegeERAF", "EstExcessERAF", "Total"})
        rows_->SetValue(line, Variant(0));
      rows_->SetValue("Secured", Variant(1000));
      rows_->SetValue("Unsecured", Variant(200));
      rows_->SetValue("HOX", Variant(30));
      rows_->SetValue("Explanation", Variant(" "));
      forms::Submit(conn_, *rows_);
      return true;
    };
    return taxform::SaveAll(conn_, scope, rows_, status, scope.formNo, vb::CDate(Variant("3/2/2020 10:15:30 AM")),
                            trap, steps);
  }

  Variant Status(const std::string& column) {
    return conn_->Scalar("SELECT " + column +
                         " FROM LEA_FORMS_STATUS WHERE FISCAL_YEAR = 2019 AND PERIOD_ID = 2 AND COUNTY_ID = 19"
                         " AND SCHOOL_DISTRICT_ID = 64733 AND SCHOOL_ID = 0 AND FORM_NO = 29");
  }

  db::RecordsetPtr rows_;
};

TEST_F(TaxSaveData, ACountyRowIsWrittenCalculatedKeyedAndCertified) {
  forms::FormStatus status = FixtureStatus();
  Trap trap("TaxSaveData", "Save");
  const taxform::SaveResult result = SaveCountyRow(status, trap);
  ASSERT_TRUE(result.saved);
  EXPECT_EQ(result.calculation, modValidationCalculation::Calculation::Done);

  auto row = db::Recordset::Query("SELECT * FROM Tax", conn_);
  ASSERT_EQ(row->RecordCount(), 1);
  EXPECT_EQ(vb::CLng(row->Value("Total")), 1230);
  EXPECT_EQ(vb::TextOf(row->Value("ResSchoolDistName")), "Juniper County Office of Education");
  // The certificate other offices compute again from the row.
  EXPECT_EQ(vb::CLng(Status("CERTIFICATE_NUMBER")), kWindowCertificate);
  EXPECT_EQ(vb::CLng(Status("CERTIFICATE_NUMBER")),
            clsMyCRC32().GetCRC32(std::to_string(vb::CLng(row->Value("CERT_KEY")))));
  EXPECT_EQ(vb::CLng(Status("NUM_RECORD")), 1);
  EXPECT_EQ(vb::CStr(Status("LAST_MODIFIED_DATE")), "2020-03-02 10:15:30");
  EXPECT_EQ(status.certificate, kWindowCertificate) << "the caller takes the status back";
  EXPECT_EQ(status.records, 1);
}

TEST_F(TaxSaveData, AFailingStepRaisesAndLeavesEverythingAsItWas) {
  conn_->ExecuteScript(
      "CREATE TRIGGER refuse_status BEFORE UPDATE ON LEA_FORMS_STATUS BEGIN SELECT RAISE(ABORT, 'locked'); END");
  forms::FormStatus status = FixtureStatus();
  Trap trap("TaxSaveData", "Save");
  try {
    SaveCountyRow(status, trap);
    ADD_FAILURE() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_NE(e.Description().find("locked"), std::string::npos) << e.Description();
  }
  EXPECT_EQ(vb::CLng(conn_->Scalar("SELECT count(*) FROM Tax")), 0);
  EXPECT_EQ(vb::CLng(Status("CERTIFICATE_NUMBER")), -1);
  EXPECT_EQ(status.certificate, -1);
}

// The names of a new row's agency of residence come from the directory row
// of the year, the county and district, and the kind the tax type asks for
// (a county office or a district, never one of its schools). Neighbours of
// that row stand ahead of it; with the row itself closed, none of them may
// name the residence either.
TEST_F(TaxSaveData, TheResidenceIsNamedFromItsOwnDirectoryRow) {
  struct Case {
    std::int16_t taxType;
    int district;
    bool ownRowClosed;
    std::vector<std::string> names;  // county, district, district type
  };
  const Case cases[] = {
      {0, kOffice, false, {"Juniper County", "Juniper County Office of Education", "CO OFFICE"}},
      {1, fixtures::taxagencies::kAgency, false, {"Juniper County", "Larkspur Unified", "UNIFIED"}},
      {0, kOffice, true, {"", "", ""}},
      {1, fixtures::taxagencies::kAgency, true, {"", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "tax type " << c.taxType << (c.ownRowClosed ? ", closed" : ""));
    conn_->Execute("DELETE FROM KRN_LEAS WHERE COUNTY_ID IN (5, 6, 19)");
    conn_->ExecuteScript(fixtures::taxagencies::kDirectoryRows);
    const fixtures::Cells own = {{"FISCAL_YEAR", Variant(2019)}, {"COUNTY_ID", Variant(kCounty)},
                                 {"SCHOOL_DISTRICT_ID", Variant(c.district)}, {"SCHOOL_ID", Variant(0)}};
    auto named = [](const char* whose, fixtures::Cells key) {
      key.push_back({"COUNTY_NAME", Variant(std::string(whose) + " county")});
      key.push_back({"SCHOOL_DISTRICT_NAME", Variant(std::string(whose) + " district")});
      key.push_back({"DISTRICT_TYPE", Variant(std::string(whose) + " type")});
      return key;
    };
    const fixtures::Cells school = {{"SCHOOL_ID", Variant(c.district * 100 + 1)}, {"LEA_TYPE", Variant(4)}};
    fixtures::AddNeighbours(*conn_, {{"KRN_LEAS", own, named("a school's", school)},
                                     {"KRN_LEAS", own, named("another year's", {{"FISCAL_YEAR", Variant(2018)}})},
                                     {"KRN_LEAS", own, named("another county's", {{"COUNTY_ID", Variant(5)}})}});
    if (c.ownRowClosed)
      conn_->Execute(
          "UPDATE KRN_LEAS SET STAT_TYPE = 'CLOSED' WHERE FISCAL_YEAR = 2019 AND COUNTY_ID = 19 AND"
          " SCHOOL_DISTRICT_ID = ? AND SCHOOL_ID = 0",
          {Variant(c.district)});

    forms::FormScope scope = TaxScope();
    scope.taxType = c.taxType;
    db::RecordsetPtr rows = taxform::TaxTypeRows(conn_, scope);
    rows->AddNew();
    const taxform::RowKeys keys{kCounty, c.district, c.taxType};
    taxform::KeyNewRow(*rows, scope, keys);
    taxform::NameResidence(conn_, *rows, scope, keys);
    EXPECT_EQ((std::vector<std::string>{vb::TextOf(rows->Value("ResCountyName")),
                                        vb::TextOf(rows->Value("ResSchoolDistName")),
                                        vb::TextOf(rows->Value("ResDistrictType"))}),
              c.names);
    rows->CancelUpdate();
  }
}

}  // namespace

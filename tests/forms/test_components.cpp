// Binding to the configured components: the test of both components of a
// year and period with the message of what is missing, and the
// recalculation of a form's rows through the calculation component last
// tested.

#include <gtest/gtest.h>

#include "StartupFixture.h"
#include "clsDataAccess.h"
#include "clsMyAdoUtils.h"
#include "modGlobals.h"
#include "modValidationCalculation.h"
#include "vb/Conversions.h"

namespace {

using modValidationCalculation::Calculation;
using modValidationCalculation::ComponentStatus;

// The calculation as the tax form runs it, on the program's connection.
Calculation CalculateValues(std::string& table, db::RecordsetPtr& rows, std::shared_ptr<vb::Object>& params) {
  return modValidationCalculation::CalculateValues(modGlobals::gobjAdoUtils->Conn(), table, rows, params);
}

class ComponentTest : public StartupTest {
 public:
  // Names the component of one kind (1 validation, 2 calculation) for all
  // periods.
  void Configure(int kind, const std::string& name) {
    Execute("UPDATE ComponentConfiguration SET ComponentName = ? WHERE ComponentTypeID = ?",
            {vb::Variant(name), vb::Variant(kind)});
  }

 protected:
  modValidationCalculation::ComponentCheck Check(int period) {
    return ComponentStatus(modGlobals::gobjAdoUtils->Conn(), 2019, period);
  }
  bool Status(int period) { return Check(period).available; }

  // The Alder County office's tax row: 1,500 secured, 7 SERAF, the rest 0,
  // no total yet.
  db::RecordsetPtr TaxRows() {
    Execute(
        "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
        "RES_SCHOOL_DISTRICT_ID, TaxType, Secured, Unsecured, HOX, Subventions, DistributionTimberYieldTax, "
        "DistributionPriorYearTax, ReleasePriorYearTaxImpound, SupplementalTax, EducationalRevenueAugmentationFund, "
        "PriorYearRestrictedMonie, CommRedFunds, SERAF, RedevAgencyAssetLiquidation, CollegeERAF, EstExcessERAF) "
        "VALUES (2019, 1, 61, 10610, 0, 61, 61001, 1, 1500, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0)");
    return clsDataAccess().GetRecordset("SELECT * FROM Tax WHERE COUNTY_ID = 61", modGlobals::gstrConnectionString,
                                        modGlobals::gobjAdoUtils->Conn());
  }
};

struct StatusCase {
  const char* name;
  void (*arrange)(ComponentTest&);
  const char* message;  // nullptr: no message, answer True
};

const StatusCase kStatusCases[] = {
    {"BothConfiguredAndPresent", [](ComponentTest&) {}, nullptr},
    {"NamesWithBlanksAreTrimmedForTheIdentifier",
     [](ComponentTest& t) {
       t.Configure(1, "  rulegate ");
       t.Configure(2, " sumwright  ");
     },
     nullptr},
    {"NothingConfiguredForThePeriod",
     [](ComponentTest& t) { t.Execute("DELETE FROM ComponentConfiguration WHERE Period_ID = 1"); },
     "No Validation Component defined in database\rNo Calculation Component defined in database\r"},
    {"OnlyTheValidationComponentConfigured",
     [](ComponentTest& t) { t.Execute("DELETE FROM ComponentConfiguration WHERE ComponentTypeID = 2"); },
     "No Calculation Component defined in database\r"},
    {"UnknownComponentShowsItsNameAsStored", [](ComponentTest& t) { t.Configure(2, " ledgerless "); },
     " ledgerless  not present\r"},
    {"ObjectWithoutTheInterfaceIsNotPresent", [](ComponentTest& t) { t.Configure(1, "startprobe"); },
     "startprobe not present\r"},
    {"BothMissing",
     [](ComponentTest& t) {
       t.Configure(1, "quillless");
       t.Configure(2, "ledgerless");
     },
     "quillless not present\rledgerless not present\r"},
};

class ComponentStatusTest : public ComponentTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(ComponentStatusTest, AnswersAndSaysWhatIsMissing) {
  const StatusCase& c = GetParam();
  c.arrange(*this);

  const modValidationCalculation::ComponentCheck check = Check(1);

  EXPECT_EQ(check.available, c.message == nullptr);
  EXPECT_EQ(check.message, c.message ? c.message : "");
  EXPECT_TRUE(dialogs_.Prompts().empty()) << "telling the user is the caller's part";
}

INSTANTIATE_TEST_SUITE_P(Cases, ComponentStatusTest, ::testing::ValuesIn(kStatusCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComponentTest, UnreadableConfigurationIsAnUnknownError) {
  Execute("DROP TABLE ComponentType");
  const modValidationCalculation::ComponentCheck check = Check(1);
  EXPECT_FALSE(check.available);
  EXPECT_TRUE(dialogs_.Prompts().empty()) << "not the error report";
  const std::string prefix = "Unknown Error in ComponentStatus - ";
  const std::string text = check.message;
  ASSERT_EQ(text.rfind(prefix, 0), 0u) << text;
  EXPECT_NE(vb::CLng(vb::Variant(text.substr(prefix.size()))), 0) << "the database error number";
}

TEST_F(ComponentTest, RecalculatesThroughTheComponentOfThePeriodLastTested) {
  // P-1 has no calculation component, Annual has: the last test decides.
  Execute("DELETE FROM ComponentConfiguration WHERE Period_ID = 1 AND ComponentTypeID = 2");
  EXPECT_FALSE(Status(1));
  EXPECT_TRUE(Status(3));

  db::RecordsetPtr rows = TaxRows();
  const db::Recordset* before = rows.get();
  std::string table = "Tax";
  std::shared_ptr<vb::Object> params;
  EXPECT_EQ(CalculateValues(table, rows, params), Calculation::Done);
  ASSERT_EQ(rows.get(), before) << "the rows are recalculated in place";
  EXPECT_EQ(vb::CLng(rows->Value("Total")), 1500) << "SERAF stays out of the total";
}

TEST_F(ComponentTest, WithoutACalculationComponentTheRowsAreLeftAlone) {
  Execute("DELETE FROM ComponentConfiguration WHERE ComponentTypeID = 2");
  EXPECT_FALSE(Status(3));

  db::RecordsetPtr rows = TaxRows();
  std::string table = "Tax";
  std::shared_ptr<vb::Object> params;
  EXPECT_EQ(CalculateValues(table, rows, params), Calculation::NoComponent);
  EXPECT_STREQ(modValidationCalculation::kNoCalculationObject, "Cannot create calculation object");
  EXPECT_TRUE(dialogs_.Prompts().empty()) << "the caller says so";
  EXPECT_TRUE(rows->Value("Total").IsNull());
}

TEST_F(ComponentTest, CalculationThatAnswersFalseOrFailsGivesFalseSilently) {
  Configure(2, "startprobe");
  Configure(1, "rulegate");
  EXPECT_TRUE(Status(2));
  for (const char* tableName : {"NoResult", "Tax"}) {
    db::RecordsetPtr rows = TaxRows();
    db::RecordsetPtr original = rows;
    std::string table = tableName;
    std::shared_ptr<vb::Object> params;
    EXPECT_EQ(CalculateValues(table, rows, params), Calculation::Failed) << tableName;
    EXPECT_EQ(rows, original) << tableName << ": the caller's record set stays";
    Execute("DELETE FROM Tax");
  }
  EXPECT_TRUE(dialogs_.Prompts().empty()) << "no message";
}

}  // namespace

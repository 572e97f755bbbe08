// The batch's printers of form 94 and of the infant-funding screen (102):
// which of the agency's rows count, and the note each ends its log line
// with; none prints, reports an error or touches the orientation.

#include <gtest/gtest.h>

#include "PrintingFixture.h"
#include "modGlobals.h"
#include "modMainBatchPrinters.h"
#include "ui/Printers.h"

namespace {

namespace agencies = fixtures::printing;
using Texts = std::vector<std::string>;

constexpr const char* kNoRecords = "\t - No Records to Print\r\n";
constexpr const char* kNoReport = "\t - No report available\r\n";

using InfantPrinter = void (*)(const std::string&, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                               const std::string&, const std::string&, const std::string&, const std::string&,
                               std::int32_t, std::int16_t, bool, bool, std::int16_t);

// Birch Unified (20001) as a SELPA agency in P-2 of 2019; the SELPA
// parameters of its administrative-unit district 20002 in Alder, and the
// program parameters of 2019. Neighbours: Cedar Elementary's rows of the
// same period and year, which are never read for Birch.
constexpr const char* kSelpaParams = R"(
    INSERT INTO Param (FISCAL_YEAR, COLAAides) VALUES (2019, 1.5);
    INSERT INTO LeaSelpaParams (Fiscal_Year, county_id, school_district_id, school_id, AU_county, SchoolDistrictName,
                                SDCrate) VALUES (2019, 1, 20002, 0, 1, 'Cedar Elementary SD', 10.5);
    INSERT INTO InfantFundingAllocation (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, SelpaAUDist,
                                         SelpaAUDistSchoolId) VALUES (2019, 2, 1, 20002, 0, 20002, 0);
    INSERT INTO InfantFundingTransfer (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TrType,
                                       SelpaAU, SelpaAuSchoolId, SelpaDist, SelpaDistSchoolId)
      VALUES (2019, 2, 1, 20002, 0, 1, 20002, 0, 20001, 0);
    INSERT INTO InfantFunding (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, Justification)
      VALUES (2019, 2, 1, 20002, 0, 'Growth in the region');
)";

void CallPrinter(InfantPrinter print) {
  print("ANY KEY", agencies::kDistrict, agencies::kCounty, 2019, 2, "Fiscal Year:  2019-20", "P-2", "Alder",
        "Birch Unified", 0, 102, true, false, 1);
}

// Birch's rows: an allocation row of the year for an administrative-unit
// district, a transfer (type 1 in, 2 out) of the year and period, and a
// justification of the year (its text as SQL).
std::string Allocation(int year, int unitDistrict) {
  return "INSERT INTO InfantFundingAllocation (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, "
         "SelpaAUDist, SelpaAUDistSchoolId) VALUES (" + std::to_string(year) + ", 2, 1, 20001, 0, " +
         std::to_string(unitDistrict) + ", 0)";
}
std::string Transfer(int year, int period, int type) {
  return "INSERT INTO InfantFundingTransfer (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, "
         "TrType, SelpaAU, SelpaAuSchoolId, SelpaDist, SelpaDistSchoolId) VALUES (" + std::to_string(year) + ", " +
         std::to_string(period) + ", 1, 20001, 0, " + std::to_string(type) + ", 20002, 0, 20001, 0)";
}
std::string Justification(int year, const std::string& text) {
  return "INSERT INTO InfantFunding (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, "
         "Justification) VALUES (" + std::to_string(year) + ", 2, 1, 20001, 0, " + text + ")";
}

TEST_F(PrintingTest, TheInfantFundingPrintersCountTheAgencysRowsAndNoteThem) {
  struct Case {
    const char* what;
    InfantPrinter print;
    std::string rows;  // Birch's rows of the case
    const char* note;
  };
  const Case cases[] = {
      {"no allocation rows", &modMain::PrintInfantFundingAllocationData, "", kNoRecords},
      {"an allocation row with its SELPA parameters", &modMain::PrintInfantFundingAllocationData,
       Allocation(2019, 20002), kNoReport},
      {"an allocation row whose unit has no SELPA parameters", &modMain::PrintInfantFundingAllocationData,
       Allocation(2019, 20011), kNoRecords},
      {"an allocation row of a year without program parameters", &modMain::PrintInfantFundingAllocationData,
       Allocation(2018, 20002), kNoRecords},
      {"no transfers", &modMain::PrintInfantFundingTransfer, "", kNoRecords},
      {"a transfer out", &modMain::PrintInfantFundingTransfer, Transfer(2019, 2, 2), kNoReport},
      {"a transfer of another year", &modMain::PrintInfantFundingTransfer, Transfer(2018, 2, 1), kNoRecords},
      {"a transfer of another period", &modMain::PrintInfantFundingTransfer, Transfer(2019, 1, 1), kNoRecords},
      {"no justification", &modMain::PrintInfantFundingJustification, "", kNoRecords},
      {"a justification of another year", &modMain::PrintInfantFundingJustification,
       Justification(2018, "'Two new classes'"), kNoReport},
      {"a justification of blanks", &modMain::PrintInfantFundingJustification, Justification(2019, "'   '"),
       kNoRecords},
      {"a justification that is Null", &modMain::PrintInfantFundingJustification, Justification(2019, "NULL"),
       kNoReport},
  };
  ui::SetJobOrientation(ui::OrientationLandscape);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    {
      const db::ConnectionPtr conn = OpenDatabase();
      conn->ExecuteScript(
          "DELETE FROM InfantFundingAllocation; DELETE FROM InfantFundingTransfer; DELETE FROM InfantFunding;"
          "DELETE FROM Param; DELETE FROM LeaSelpaParams;");
      conn->ExecuteScript(kSelpaParams);
      if (!c.rows.empty()) conn->Execute(c.rows);
    }
    modGlobals::gblnBatchPrint = true;
    modGlobals::gstrPrintLog = "\t\t Report ";
    CallPrinter(c.print);
    EXPECT_EQ(modGlobals::gstrPrintLog, std::string("\t\t Report ") + c.note);
    EXPECT_EQ(dialogs_.TakeMessages(), Texts{});
  }
  EXPECT_TRUE(printers_.jobs.empty());
  EXPECT_EQ(ui::JobOrientation(), ui::OrientationLandscape);
}

TEST_F(PrintingTest, FormNinetyFoursPrinterNotesThatNoReportIsAvailable) {
  modGlobals::gblnBatchPrint = true;
  modGlobals::gstrPrintLog = "\tLEA: 10017";
  modMain::PrintEntryScreenReport(1, "Alder", agencies::kOffice, "Alder County Office of Education", 0, "", 2019,
                                  "FY 2019-20", 2, "P-2", 94, "ROCPSCHOOL", "ROC/P Member Districts",
                                  "ROC/P Member Districts", "ROCPSCHOOL", true, false, 0);
  EXPECT_EQ(modGlobals::gstrPrintLog, "\tLEA: 10017\t- No report available\r\n");
  EXPECT_EQ(dialogs_.TakeMessages(), Texts{});
  EXPECT_TRUE(printers_.jobs.empty());
}

}  // namespace

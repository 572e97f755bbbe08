// The page heading of the entry-screen reports on the tax report: the
// certificate number, the agency lines, the title's second line, the
// fiscal-year line, the caption, the window size and the product line.

#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "PrintingFixture.h"
#include "modGlobals.h"
#include "modMainReports.h"
#include "report/Report.h"
#include "ui/Twips.h"

using vb::Variant;

namespace {

namespace agencies = fixtures::printing;

// A report row of the directory's columns as the report query names them.
struct Agency {
  Variant county = Variant(1);
  Variant district = Variant(20001);
  Variant school = Variant(0);
  Variant charterNo = vb::Null;
  Variant funding = vb::Null;
};

db::RecordsetPtr RowOf(const Agency& a) {
  std::vector<db::FieldMeta> fields;
  for (const char* name : {"CHARTERFUNDINGTYPE", "krn_leas.county_id", "krn_leas.school_district_id",
                           "krn_leas.school_id", "county_name", "school_district_name", "school_name", "charter_no"}) {
    db::FieldMeta meta;
    meta.name = name;
    meta.type = db::DataType::Variant;
    fields.push_back(meta);
  }
  return db::Recordset::FromRows(std::move(fields), {{a.funding, a.county, a.district, a.school, Variant("Alder"),
                                                      Variant("Birch Unified"), Variant("Maple Charter"),
                                                      a.charterNo}});
}

std::string Caption(report::Report& rpt, const char* section, const char* control) {
  return rpt.Sections(section).Controls(control).Caption();
}

class HeadingTest : public PrintingTest {
 protected:
  // Heads a new tax report over the row with these parameters.
  std::shared_ptr<report::Report> Head(const Agency& agency, const clsGlobalParam& param) {
    auto rpt = modMain::GetReport("Tax");
    db::RecordsetPtr rows = RowOf(agency);
    rpt->DataSource(rows);
    records_ = modMain::SetReportHeading(*rpt, *rows, param);
    return rpt;
  }
  void SetCertificate(const Variant& certificate) {
    OpenDatabase()->Execute(
        "UPDATE LEA_FORMS_STATUS SET CERTIFICATE_NUMBER = ? WHERE SCHOOL_DISTRICT_ID = 20001 AND FORM_NO = 29",
        {certificate});
  }
  Variant records_;
};

TEST_F(HeadingTest, TheCertificateNumberAsEightHexadecimalDigits) {
  struct Case {
    const char* name;
    Variant certificate;
    bool statusRow;
    const char* caption;
  };
  for (const Case& c : {Case{"255", Variant(255), true, "Certificate Number: 000000FF"},
                        Case{"-1", Variant(-1), true, "Certificate Number: FFFFFFFF"},
                        Case{"0", Variant(0), true, "Certificate Number: 00000000"},
                        Case{"Null", vb::Null, true, ""}, Case{"no status row", Variant(255), false, ""}}) {
    SetCertificate(c.certificate);
    clsGlobalParam param = fixtures::PrintingTaxForm(agencies::kDistrict, "Birch Unified");
    if (!c.statusRow) param.ReportPeriod = 1;
    auto rpt = Head(Agency{}, param);
    EXPECT_EQ(Caption(*rpt, "Section1", "lblCertKey"), c.caption) << c.name;
    EXPECT_EQ(records_.IsNull(), !c.statusRow) << c.name;
  }
}

TEST_F(HeadingTest, TheAgencyLinesComeFromTheReportRow) {
  struct Case {
    const char* name;
    Agency agency;
    const char* countyId;
    const char* districtId;
    const char* schoolId;
    const char* districtLine;
  };
  for (const Case& c :
       {Case{"district", Agency{}, "01", "20001", "", "District: Birch Unified"},
        Case{"district, Null school", Agency{Variant(1), Variant(1234), vb::Null}, "01", "1234", "",
             "District: Birch Unified"},
        Case{"charter", Agency{Variant(1), Variant(20001), Variant(123), Variant("0456")}, "01", "20001",
             "0000123  0456", "District: Birch Unified : Maple Charter"},
        Case{"school -1", Agency{Variant(1), Variant(20001), Variant(-1), Variant("0456")}, "01", "20001",
             "-0000001  0456", "District: Birch Unified"}}) {
    auto rpt = Head(c.agency, fixtures::PrintingTaxForm(agencies::kDistrict, "Birch Unified"));
    EXPECT_EQ(Caption(*rpt, "Section1", "lblCountyName"), "County: Alder") << c.name;
    EXPECT_EQ(Caption(*rpt, "Section1", "lblCountyID"), c.countyId) << c.name;
    EXPECT_EQ(Caption(*rpt, "Section1", "lblDistrictID"), c.districtId) << c.name;
    EXPECT_EQ(Caption(*rpt, "Section1", "lblSchoolID"), c.schoolId) << c.name;
    EXPECT_EQ(Caption(*rpt, "Section1", "lblDistrictName"), c.districtLine) << c.name;
  }
}

TEST_F(HeadingTest, TitleFiscalYearCaptionVersionAndWindow) {
  struct Case {
    const char* name;
    Variant funding;
    const char* fiscalYearText;
    const char* title;
    const char* fiscalYear;
  };
  for (const Case& c : {Case{"no funding type", vb::Null, "FY 2019-20", "Property Tax Apportionment Report",
                             "Fiscal Year:  2019-20"},
                        Case{"blank funding type", Variant("   "), "FY", "Property Tax Apportionment Report",
                             "Fiscal Year: "},
                        Case{"funding type D", Variant("D"), "FY 2019-20", "Property Tax Apportionment Report\r\n ",
                             "Fiscal Year:  2019-20"}}) {
    clsGlobalParam param = fixtures::PrintingTaxForm(agencies::kDistrict, "Birch");
    param.FiscalYearText = c.fiscalYearText;
    Agency agency;
    agency.funding = c.funding;
    auto rpt = Head(agency, param);
    EXPECT_EQ(Caption(*rpt, "Section1", "lblformname"), c.title) << c.name;
    EXPECT_EQ(Caption(*rpt, "Section1", "lblFiscalYear"), c.fiscalYear) << c.name;
    EXPECT_EQ(Caption(*rpt, "Section1", "lblperiod"), "P-2") << c.name;
    EXPECT_EQ(rpt->Caption(), std::string("Property Tax \\ ") + c.fiscalYear + " \\ P-2 \\ County : Alder \\ District : Birch")
        << c.name;
    EXPECT_EQ(Caption(*rpt, "Sec45", "lblVersion"), "2019-19.00") << c.name;
    EXPECT_EQ(Caption(*rpt, "Sec45", "Label4"), "Levrona") << c.name;
    EXPECT_EQ(rpt->Width(), static_cast<int>(740.0f * static_cast<float>(ui::TwipsPerPixelX())));
    EXPECT_EQ(rpt->Height(), static_cast<int>(520.0f * static_cast<float>(ui::TwipsPerPixelY())));
  }
}

// The product line follows the main window's prior-year correction marks.
class HeadingInCorrectionModeTest : public MainWindowTest {};

TEST_F(HeadingInCorrectionModeTest, EitherCorrectionPeriodAddsCorrections) {
  LogOn(As(3, 7, 71001));  // a district may correct P-2
  frmMain& window = Open();
  struct Case {
    const char* item;
    const char* line;
  };
  for (const Case& c : {Case{"mnuPeriod_P2", "Levrona"}, Case{"mnu_PY_P2", "Levrona - Corrections"},
                        Case{"mnu_PY_Annual", "Levrona - Corrections"}, Case{"mnuPeriod_Annual", "Levrona"}}) {
    window.Menus().Click(c.item);
    ASSERT_TRUE(window.Menus().Item(c.item).Checked()) << c.item;
    EXPECT_EQ(modMain::ReportProductLine(), c.line) << c.item;
  }
  // In either special mode the mode's title comes before the corrections.
  window.Menus().Click("mnu_PY_P2");
  modGlobals::gstrModeTitle = "Forecast";
  for (bool clsGlobalParam::*mode : {&clsGlobalParam::ReconciliationMode, &clsGlobalParam::ForecastingMode}) {
    modGlobals::GlobalParam().*mode = true;
    EXPECT_EQ(modMain::ReportProductLine(), "Levrona - Forecast - Corrections");
    modGlobals::GlobalParam().*mode = false;
  }
  modGlobals::gstrModeTitle.clear();
  EXPECT_EQ(modMain::ReportProductLine(), "Levrona - Corrections");
}

}  // namespace

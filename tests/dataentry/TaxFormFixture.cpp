#include "TaxFormFixture.h"

#include <gtest/gtest.h>

#include "AgencyListWindow.h"
#include "NumFieldHost.h"
#include "com/Registry.h"
#include "ctlTax_1.h"
#include "frmCORRECTION_REASON.h"
#include "frmFormNote.h"
#include "frmNewRec.h"
#include "modCOECorrection.h"
#include "modMainStart.h"
#include "modMainStart.h"
#include "numbox/CNumCtrl.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

// The user picks the row of a data-bound list whose bound value is the key.
void ChooseKey(ui::DataBoundList& box, int key) {
  Texts offered;
  for (int i = 0; i < box.count(); ++i) {
    box.setCurrentIndex(i);
    emit box.activated(i);
    if (box.BoundText() == std::to_string(key)) return;
    offered.push_back(box.BoundText());
  }
  ADD_FAILURE() << key << " is not offered; the list offers " << testing::PrintToString(offered);
}

}  // namespace

std::string ClockText(const vb::Date& date) { return vb::Format(Variant(date), "yyyy-mm-dd hh:nn:ss"); }

void TaxFormTest::SetUp() {
  ProgramTest::SetUp();
  NumFieldHost::Install();
  com::SetComponentFolder(LEV_PROGRAM_DIR);
  modGlobals::gstrConnectionString = ConnectionString();
  Execute(fixtures::taxagencies::kDirectoryRows);
  // The counties of residence that the new-record dialog offers.
  Execute(
      "INSERT INTO taxcoe (county_id, loc_county_id, county_name) VALUES (19, 19, 'Juniper County'),"
      " (19, 6, 'Fenwick County')");
  Execute("INSERT INTO taxsd2 (county_id, loc_county_id, county_name) VALUES (19, 19, 'Juniper County')");
  Execute(fixtures::taxagencies::kStatusRow);

  clsGlobalParam& g = gp();
  g.UserGroup = 2;
  g.LogonUserGroup = 2;
  g.CountyID = kCounty;
  g.DistrictID = 0;  // the form takes it from the agency list
  g.SchoolId = 0;
  g.CountyName = "Juniper County";
  g.DistrictName = "Larkspur Unified";
  g.ReportYear = 2019;
  g.ReportPeriod = 2;
  g.PeriodText = "P-2";
  g.FiscalYearText = "2019-20";
  g.FormNo = 29;
  g.formname = "Tax";
  g.FormDisplayName = "Property Tax";
  g.FormDisplayTitle = "Property Tax Apportionment Report";
  modGlobals::gintTaxType = 0;
  modGlobals::gstrPeriodMode = "2";
  ASSERT_TRUE(modMain::ComponentsAvailable(g.ReportYear, g.ReportPeriod));
  frmCORRECTION_REASON::Install();
  frmFormNote::Install();
  mainWindow_ = std::make_unique<AgencyListWindow>(kAgency);
}

void TaxFormTest::TearDown() {
  window_.reset();
  mainWindow_.reset();
  frmFormNote::ReleaseShared();
  modMain::SetFormNoteWindow(nullptr);
  modCOE::SetCorrectionReasonWindow(nullptr);
  modMain::SetFormPrinter(nullptr);
  NumFieldHost::Uninstall();
  com::SetComponentFolder({});
  modGlobals::gintTaxType = 0;
  modGlobals::glngNewResCountyID = 0;
  modGlobals::glngNewResDistrictID = 0;
  modGlobals::glngResCountyID = 0;
  modGlobals::glngResSchoolDistrictID = 0;
  modGlobals::gstrNewRecSource.clear();
  modGlobals::gstrPeriodMode.clear();
  modGlobals::gblnPriorYearMode = false;
  modGlobals::gblnTaxCopied = false;
  modGlobals::gstrCurrentForm.clear();
  ProgramTest::TearDown();
}

frmTax& TaxFormTest::Open() {
  window_ = frmTax::MakeWindow();
  form_ = dynamic_cast<frmTax*>(window_.get());
  return *form_;
}

void TaxFormTest::ChooseType(const char* type) {
  const int index = form().cboTaxType->findText(type);
  form().cboTaxType->setCurrentIndex(index);
  emit form().cboTaxType->activated(index);
}

void TaxFormTest::AddNew(int resCounty, int resDistrict) {
  dialogs_.AnswerModal([&](QWidget& window) {
    auto& dialog = dynamic_cast<frmNewRec&>(window);
    if (resCounty == 0) {
      dialog.cmdCancel_Click();
      return 0;
    }
    ChooseKey(*dialog.dcoRES_COUNTY_ID, resCounty);
    ChooseKey(*dialog.dcoRES_SCHOOL_DISTRICT_ID, resDistrict);
    dialog.cmdAddNew_Click();
    return 0;
  });
  form().cmdAddNew->click();
}

void TaxFormTest::Enter(const char* line, const std::string& number) {
  form().ctlTax_11->Field(line)->SetText(QString::fromStdString(number));
}

void TaxFormTest::Explain(const std::string& text) { form().ctlTax_11->txtExplanation->Text(text); }

std::string TaxFormTest::Shown(const char* line) { return form().ctlTax_11->Field(line)->GetEditText().toStdString(); }

void TaxFormTest::Execute(const std::string& sql, const std::vector<Variant>& params) {
  modGlobals::SharedConnection()->Execute(sql, params);
}

Variant TaxFormTest::Scalar(const std::string& sql, const std::vector<Variant>& params) {
  return modGlobals::SharedConnection()->Scalar(sql, params);
}

void TaxFormTest::StoreTaxRow(int resCounty, int resDistrict, int taxType, double secured, const char* explanation) {
  Execute(
      "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
      " RES_SCHOOL_DISTRICT_ID, TaxType, Secured, Unsecured, HOX, Total, Explanation)"
      " VALUES (2019, 2, 19, 64733, 0, ?, ?, ?, ?, 0, 0, ?, ?)",
      {Variant(resCounty), Variant(resDistrict), Variant(taxType), Variant(secured), Variant(secured),
       Variant(explanation)});
}

Texts TaxFormTest::TaxRows() {
  Texts rows;
  auto rs = db::Recordset::Query(
      "select * from Tax where county_id = 19 and school_district_id = 64733 and fiscal_year = 2019 and period_id = 2"
      " and school_id = 0 order by res_county_id, res_school_district_id, TaxType",
      modGlobals::SharedConnection());
  for (; !rs->Eof(); rs->MoveNext()) {
    std::string row = vb::TextOf(rs->Value("RES_COUNTY_ID")) + "/" + vb::TextOf(rs->Value("RES_SCHOOL_DISTRICT_ID")) +
                      "/" + vb::TextOf(rs->Value("TaxType")) + ":";
    for (const char* column : {"Secured", "Unsecured", "HOX", "Total"}) row += " " + vb::TextOf(rs->Value(column));
    rows.push_back(row);
  }
  return rows;
}

std::int32_t TaxFormTest::CertKeyOf(int resCounty, int resDistrict, int taxType) {
  return vb::CLng(Scalar(
      "select CERT_KEY from Tax where county_id = 19 and school_district_id = 64733 and fiscal_year = 2019 and"
      " period_id = 2 and school_id = 0 and res_county_id = ? and res_school_district_id = ? and TaxType = ?",
      {Variant(resCounty), Variant(resDistrict), Variant(taxType)}));
}

Texts TaxFormTest::StatusRow() {
  auto rs = db::Recordset::Query(
      "select CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_MODIFIED_DATE, LAST_EDIT_CHECK_DATE,"
      " PY_REASON_CODE, PY_FORMS_CORRECTED from LEA_FORMS_STATUS where fiscal_year = 2019 and period_id = 2 and"
      " county_id = 19 and school_district_id = 64733 and school_id = 0 and form_no = 29",
      modGlobals::SharedConnection());
  Texts row;
  if (rs->Eof()) return row;
  for (int i = 0; i < rs->FieldCount(); ++i) {
    const Variant v = rs->Value(i);
    row.push_back(v.IsNull() ? "Null" : v.Type() == vb::VarType::Date ? ClockText(v.AsDate()) : vb::TextOf(v));
  }
  return row;
}

void TaxFormTest::StoreNote() {
  Execute(
      "INSERT INTO TORB_FORM_NOTES (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PERIOD_ID, FORM_NAME,"
      " FORM_NOTE) VALUES (19, 64733, 0, 2019, 2, 'Tax', 'Roll corrected in March')");
}

long TaxFormTest::Notes() {
  return vb::CLng(Scalar(
      "select count(*) from TORB_FORM_NOTES where county_id = 19 and school_district_id = 64733 and school_id = 0"
      " and fiscal_year = 2019 and period_id = 2 and form_name = 'Tax'"));
}

void TaxFormTest::AcknowledgeMessages(int count) { dialogs_.AcknowledgeMessages(count); }

Texts TaxFormTest::TakeMessages() { return dialogs_.TakeMessages(); }

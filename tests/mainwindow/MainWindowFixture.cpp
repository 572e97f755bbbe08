#include "MainWindowFixture.h"

#include <QHeaderView>
#include <QTest>
#include <algorithm>

#include "clsMyAdoUtils.h"
#include "com/Registry.h"
#include "frmWait.h"
#include "modCOECorrection.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "vb/Conversions.h"

namespace {

// FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME,
// SCHOOL_DISTRICT_NAME, SCHOOL_NAME, LEA_TYPE, STAT_TYPE, DISTRICT_TYPE,
// CHARTER_ID, SELPA_NAME, SELPA_AU_REGION, SELPA_DISTRICTREGION, AU_COUNTY
constexpr const char* kAgencies = R"(
DELETE FROM KRN_LEAS;
INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME, SCHOOL_DISTRICT_NAME,
  SCHOOL_NAME, LEA_TYPE, STAT_TYPE, DISTRICT_TYPE, CHARTER_ID, SELPA_NAME, SELPA_AU_REGION, SELPA_DISTRICTREGION,
  AU_COUNTY) VALUES
 (2019, 7, 10070, 0, 'Cedar County', 'Cedar County Office of Education', '', 2, 'OPEN', 'CO OFFICE', 'N', 'Cedar SELPA', 'R7', 'R7-01', 7),
 (2018, 7, 10070, 0, 'Cedar County', 'Cedar County Office of Education', '', 2, 'OPEN', 'CO OFFICE', 'N', 'Cedar SELPA', 'R7', 'R7-01', 7),
 (2019, 7, 71001, 0, 'Cedar County', 'Acorn Elementary', '', 3, 'OPEN', 'ELEMENTARY', 'N', 'Cedar SELPA', 'R7', 'R7-02', 7),
 (2019, 7, 71002, 0, 'Cedar County', 'Brook Unified', '', 3, 'OPEN', NULL, 'N', 'Cedar SELPA', 'R7', 'R7-03', 7),
 (2019, 7, 71002, 7100201, 'Cedar County', 'Brook Unified', 'Brook Charter', 4, 'OPEN', 'CHARTER', 'Y', NULL, NULL, NULL, NULL),
 (2019, 7, 71002, 7100202, 'Cedar County', 'Brook Unified', 'Cove Charter', 4, 'OPEN', 'CHARTER', 'Y', NULL, NULL, NULL, NULL),
 (2019, 7, 71005, 0, 'Cedar County', 'Cedar SELPA', '', 5, 'OPEN', 'SELPA AU', 'N', 'Cedar SELPA', 'R7', 'R7-00', 7),
 (2019, 8, 10080, 0, 'Dune County', 'Dune County Office of Education', '', 2, 'OPEN', 'CO OFFICE', 'N', 'Cedar SELPA', 'R7', 'R7-04', 7),
 (2019, 8, 81001, 0, 'Dune County', 'Ember Elementary', '', 3, 'OPEN', 'ELEMENTARY', 'N', 'Cedar SELPA', 'R7', 'R7-05', 7),
 (2019, 8, 71002, 0, 'Dune County', 'Brook Unified', '', 3, 'OPEN', 'UNIFIED', 'N', NULL, NULL, NULL, 8),
 (2019, 8, 71005, 0, 'Dune County', 'Dune SELPA', '', 5, 'OPEN', 'SELPA AU', 'N', 'Dune SELPA', 'R8', 'R8-00', 8),
 (2019, 8, 82001, 0, 'Dune County', 'Fjord Elementary', '', 3, 'OPEN', 'ELEMENTARY', 'N', 'Dune SELPA', 'R8', 'R8-01', 8),
 (2019, 9, 10090, 0, 'Fern County', 'Fern County Office of Education', '', 2, 'OPEN', 'CO OFFICE', 'N', NULL, NULL, NULL, 9),
 (2019, 9, 91001, 0, 'Fern County', 'Fern Elementary', '', 3, 'OPEN', 'ELEMENTARY', 'N', 'O''Hara SELPA', 'O''Hara', 'OH-01', 9),
 (2019, 9, 91002, 0, 'Fern County', 'Glen Elementary', '', 3, 'CLOSED', 'ELEMENTARY', 'N', 'O''Hara SELPA', 'O''Hara', 'OH-02', 9),
 (2019, 9, 91005, 0, 'Fern County', 'O''Hara SELPA', '', 5, 'OPEN', 'SELPA AU', 'N', 'O''Hara SELPA', 'O''Hara', 'OH-00', 9);
)";

// FORM_NO, FORM_NAME, CATEGORY, COE, SCHD, CHARTER, SELPA, REPORTING_PERIOD,
// FY_2019, OrderNo, Program_Type
constexpr const char* kFormCatalogue = R"(
DELETE FROM VHO_TORB_FORMS;
INSERT INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, CATEGORY, COE, SCHD, CHARTER, SELPA, REPORTING_PERIOD, FY_2019,
  OrderNo, Program_Type) VALUES
 (29, 'Tax', 'T', 'Y', 'N', 'N', 'N', 'P-1, P-2, Annual', 'Y', 1, 1),
 (30, 'TAXMISC', 'T', 'Y', 'N', 'N', 'N', 'P-2, Annual', 'Y', 2, 1),
 (27, 'EDS_CS', 'T', 'Y', 'N', 'N', 'N', 'P-2', 'Y', 3, 1),
 (31, 'TAXOLD', 'T', 'Y', 'N', 'N', 'N', 'P-2', 'N', 4, 1),
 (89, 'SPEDTAXALLOC', 'T', 'Y', 'N', 'N', 'N', 'P-2', 'Y', 5, 1),
 (32, 'TAXANNUAL', 'T', 'Y', 'N', 'N', 'N', 'Annual', 'Y', 6, 1),
 (21, 'ATT_SD', 'A', 'N', 'Y', 'N', 'N', 'P-1, P-2, Annual', 'Y', 10, 2),
 (60, 'DISTRICTLIMIT', 'R', 'N', 'Y', 'N', 'N', 'P-2', 'Y', 20, 3),
 (23, 'ATTCOE', 'A', 'Y', 'N', 'N', 'N', 'P-2', 'Y', 30, 2),
 (41, 'ATTCS', 'CA', 'N', 'N', 'Y', 'N', 'P-2', 'Y', 61, 5),
 (48, 'ATTCOECS', 'CA', 'Y', 'N', 'N', 'N', 'P-2', 'Y', 63, 5),
 (50, 'CS_BA', 'CA', 'N', 'Y', 'Y', 'N', 'P-2', 'Y', 64, 5),
 (45, 'ATT_CS_BG_U', 'CA', 'N', 'N', 'Y', 'N', 'P-2', 'Y', 66, 5),
 (88, 'SELPAADAALLOC', 'S', 'N', 'N', 'N', 'Y', 'P-2', 'Y', 80, 6);
UPDATE VHO_TORB_FORMS SET FORM_DISPLAY_NAME = 'Screen ' || FORM_NAME, FORM_TITLE1 = 'Title ' || FORM_NAME;
)";

// FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME,
// SCHOOL_DISTRICT_NAME, SCHOOL_NAME, LEA_TYPE, STAT_TYPE, DISTRICT_TYPE,
// CHARTER_ID, CHARTER_TYPE, CS_BA_CHARTER_FILL_BY_DIST, SELPA_AU_REGION,
// SELPA_DISTRICTREGION, AU_COUNTY
constexpr const char* kMoreAgencies = R"(
INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME, SCHOOL_DISTRICT_NAME,
  SCHOOL_NAME, LEA_TYPE, STAT_TYPE, DISTRICT_TYPE, CHARTER_ID, CHARTER_TYPE, CS_BA_CHARTER_FILL_BY_DIST,
  SELPA_AU_REGION, SELPA_DISTRICTREGION, AU_COUNTY) VALUES
 (2019, 7, 10070, 1007001, 'Cedar County', 'Cedar County Office of Education', 'Summit Charter', 4, 'OPEN', 'CHARTER', 'Y', NULL, -1, NULL, NULL, NULL),
 (2019, 7, 71002, 7100203, 'Cedar County', 'Brook Unified', 'Ridge Charter', 4, 'OPEN', 'CHARTER', 'Y', 5, 0, NULL, NULL, NULL),
 (2019, 7, 71002, 123, 'Cedar County', 'Brook Unified', 'Lark Charter', 4, 'OPEN', 'CHARTER', 'Y', 1, 0, NULL, NULL, NULL),
 (2019, 7, 61234, 0, 'Cedar County', 'Birch Unified', NULL, 3, 'OPEN', 'UNIFIED', 'N', NULL, 0, NULL, NULL, NULL),
 (2019, 3, 31005, 0, 'Hill County', 'Sage Unified', '', 3, 'OPEN', 'UNIFIED', 'N', NULL, 0, '01', '01-05', 3),
 (2019, 3, 31005, 3100501, 'Hill County', 'Sage Unified', 'Sage Charter', 4, 'OPEN', 'CHARTER', 'Y', 1, 0, NULL, NULL, NULL),
 (2019, 3, 31005, 3100502, 'Hill County', 'Sage Unified', 'Thyme Charter', 4, 'OPEN', 'CHARTER', 'Y', 4, 0, NULL, NULL, NULL),
 (2019, 4, 31005, 0, 'Iris County', 'Sage SELPA', '', 5, 'OPEN', 'SELPA AU', 'N', NULL, 0, '01', '01-00', 3),
 (2019, 5, 31005, 0, 'Juniper County', 'Sage SELPA East', '', 5, 'OPEN', 'SELPA AU', 'N', NULL, 0, '02', '02-00', 5),
 (2019, 3, 31001, 0, 'Hill County', 'Quail Elementary', '', 3, 'OPEN', 'ELEMENTARY', 'N', NULL, 0, '01', '01-01', 3),
 (2019, 4, 41001, 0, 'Iris County', 'Reed Elementary', '', 3, 'OPEN', 'ELEMENTARY', 'N', NULL, 0, '02', '02-01', 4),
 (2019, 4, 41002, 0, 'Iris County', 'Rush Elementary', '', 3, 'OPEN', 'ELEMENTARY', 'N', NULL, 0, '03', '03-01', 4);
)";

}  // namespace

void MainWindowTest::SetUp() {
  ProgramTest::SetUp();
  com::SetComponentFolder(LEV_PROGRAM_DIR);
  OpenDatabase()->ExecuteScript(kAgencies);
  for (std::string* text : {&modGlobals::gstrPeriodMode, &modGlobals::gstrLogOut, &modGlobals::gstrCorrectionNote,
                            &modGlobals::gstrUserFormMode})
    text->clear();
  for (std::int16_t* number : {&modGlobals::gintSavedLEARow, &modGlobals::gintSavedFormRow,
                               &modGlobals::gintCorrectionFormNo, &modGlobals::gintCorrectionReasonCode})
    *number = 0;
  modGlobals::gblnExportRunning = false;
}

void MainWindowTest::TearDown() {
  delete window_.data();
  modMain::ShowWaitMsg("");
  frmMain::SetTaxWindow(nullptr);
  modCOE::SetCorrectionReasonWindow(nullptr);
  com::SetComponentFolder({});
  ProgramTest::TearDown();
}

void MainWindowTest::LogOn(const Logon& logon) {
  clsGlobalParam& P = *modGlobals::gobjGlobalParam;
  P.LogonUserGroup = P.UserGroup = logon.group;
  P.CountyID = logon.county;
  P.DistrictID = logon.district;
  P.SchoolId = logon.school;
  P.ReportPeriod = logon.period;
  P.AURegion = logon.auRegion;
  P.bSelpaAu = logon.selpaAu;
  P.AuCountyId = logon.auCounty;
  P.DistrictType = logon.districtType;
  P.Username = "Pat Quill";
}

frmMain& MainWindowTest::Open() {
  window_ = new frmMain;
  window_->ShowModeless();
  return *window_;
}

void MainWindowTest::SelectEverything() {
  OpenDatabase()->ExecuteScript("UPDATE KRN_LEAS SET SELECTED = 'Yes'; UPDATE VHO_TORB_FORMS SET SELECTED = 'Yes';");
}

std::vector<std::string> MainWindowTest::ListedAgencies() {
  std::vector<std::string> rows;
  const db::RecordsetPtr rs = Window().dgLEA->DataSource()->Clone();
  for (; !rs->Eof(); rs->MoveNext()) {
    rows.push_back(vb::CStr(rs->Value("COUNTY_ID")) + "-" + vb::CStr(rs->Value("DISTRICT_ID")) + "-" +
                   vb::CStr(rs->Value("SCHOOL_ID")));
  }
  return rows;
}

std::vector<std::string> MainWindowTest::VisibleColumns() {
  std::vector<std::string> names;
  ui::DataGrid& grid = *Window().dgLEA;
  for (int i = 0; i < grid.ColumnCount(); ++i)
    if (!grid.horizontalHeader()->isSectionHidden(i)) names.push_back(grid.Columns(i).DataField());
  return names;
}

std::vector<std::string> MainWindowTest::VisibleItems(const std::vector<std::string>& items) {
  std::vector<std::string> visible;
  for (const std::string& item : items)
    if (Window().Menus().Item(item).Visible()) visible.push_back(item);
  return visible;
}

std::vector<std::string> MainWindowTest::CheckedItems(const std::vector<std::string>& items) {
  std::vector<std::string> checked;
  for (const std::string& item : items)
    if (Window().Menus().Item(item).Checked()) checked.push_back(item);
  return checked;
}

void MainWindowTest::UseFormCatalogue() { Execute(kFormCatalogue); }

void MainWindowTest::AddAgencies() { Execute(kMoreAgencies); }

void MainWindowTest::Execute(const std::string& sql) { OpenDatabase()->ExecuteScript(sql); }

std::string MainWindowTest::Scalar(const std::string& sql) { return vb::TextOf(OpenDatabase()->Scalar(sql)); }

std::vector<std::string> MainWindowTest::StatusRows(std::int32_t county, std::int32_t district, std::int32_t school,
                                                    std::int32_t period) {
  const db::RecordsetPtr rs = db::Recordset::Query(
      "SELECT FORM_NO, PY_FORMS_CORRECTED, PY_REASON_CODE, COALESCE(CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR,"
      " NUM_WARNING, LAST_MODIFIED_DATE, LAST_EDIT_CHECK_DATE, LAST_EXPORT_DATE, LAST_IMPORT_DATE,"
      " PY_CORRECTION_NOTE) AS OTHER FROM LEA_FORMS_STATUS WHERE FISCAL_YEAR = 2019 AND PERIOD_ID = ?"
      " AND COUNTY_ID = ? AND SCHOOL_DISTRICT_ID = ? AND SCHOOL_ID = ? ORDER BY FORM_NO",
      OpenDatabase(), {vb::Variant(period), vb::Variant(county), vb::Variant(district), vb::Variant(school)});
  std::vector<std::string> rows;
  for (; !rs->Eof(); rs->MoveNext()) {
    std::string row;
    for (int i = 0; i < rs->FieldCount(); ++i) row += (i ? "|" : "") + vb::TextOf(rs->Value(i));
    rows.push_back(row);
  }
  return rows;
}

std::vector<int> MainWindowTest::ListedForms() {
  std::vector<int> forms;
  const db::RecordsetPtr& list = Window().FormList();
  if (!list) return forms;
  for (long position = 1; position <= list->RecordCount(); ++position)
    forms.push_back(vb::CLng(list->ValueAt(position, list->FieldIndex("FORM_NO"))));
  return forms;
}

void MainWindowTest::AddStatus(std::int32_t county, std::int32_t district, std::int32_t school, std::int32_t period,
                               int form, const std::string& columns, const std::string& values) {
  Execute("INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO" +
          (columns.empty() ? "" : ", " + columns) + ") VALUES (2019, " + std::to_string(period) + ", " +
          std::to_string(county) + ", " + std::to_string(district) + ", " + std::to_string(school) + ", " +
          std::to_string(form) + (values.empty() ? "" : ", " + values) + ")");
}

std::vector<std::int32_t> MainWindowTest::AgencyKey(const std::string& agency) {
  std::vector<std::int32_t> key;
  std::size_t from = 0;
  for (int part = 0; part < 3; ++part) {
    const std::size_t to = agency.find('-', from);
    key.push_back(std::stoi(agency.substr(from, to - from)));
    from = to + 1;
  }
  return key;
}

std::string MainWindowTest::CorrectedFlag(const std::string& agency, int year) {
  const std::vector<std::int32_t> key = AgencyKey(agency);
  return vb::TextOf(OpenDatabase()->Scalar(
      "SELECT PY_LEA_CORRECTED FROM KRN_LEAS WHERE FISCAL_YEAR = ? AND COUNTY_ID = ? AND SCHOOL_DISTRICT_ID = ?"
      " AND SCHOOL_ID = ?",
      {vb::Variant(year), vb::Variant(key[0]), vb::Variant(key[1]), vb::Variant(key[2])}));
}

std::string MainWindowTest::WaitMessage() {
  auto* wait = qobject_cast<frmWait*>(ui::FindForm("frmWait"));
  return wait && wait->isVisible() ? wait->lblMsg->text().toStdString() : std::string();
}

int MainWindowTest::FormRow(int form) {
  const std::vector<int> forms = ListedForms();
  const auto at = std::find(forms.begin(), forms.end(), form);
  return at == forms.end() ? -1 : static_cast<int>(at - forms.begin());
}

void MainWindowTest::ClickCell(ui::DataGrid& grid, int row, int column) {
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(row, column)).center());
}

void MainWindowTest::ClickRecordSelector(ui::DataGrid& grid, int row) {
  QHeaderView& selectors = *grid.verticalHeader();
  QTest::mouseClick(selectors.viewport(), Qt::LeftButton, {},
                    QPoint(4, selectors.sectionViewportPosition(row) + selectors.sectionSize(row) / 2));
}

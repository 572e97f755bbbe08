#include "MainWindowFixture.h"

#include <QHeaderView>

#include "clsMyAdoUtils.h"
#include "modGlobals.h"
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

}  // namespace

void MainWindowTest::SetUp() {
  ProgramTest::SetUp();
  OpenDatabase()->ExecuteScript(kAgencies);
  modGlobals::gstrPeriodMode.clear();
  modGlobals::gstrLogOut.clear();
}

void MainWindowTest::TearDown() {
  delete window_.data();
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

#include "frmMain.h"

#include <QPointer>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <map>
#include <span>
#include <vector>

#include "Utilities.h"
#include "clsDataAccess.h"
#include "clsMyAdoUtils.h"
#include "frmAbout.h"
#include "frmMainDetail.h"
#include "frmLogon.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"
#include "ui/Pump.h"
#include "ui/Twips.h"
#include "vb/App.h"
#include "vb/Conversions.h"
#include "vb/End.h"
#include "zelErrHandler.h"

using frmMainDetail::Globals;
using frmMainDetail::kModule;

namespace {

// --- Layout ------------------------------------------------------------------

// The controls' places in twips: left, top, width, height. The window's
// .ui file gives them none: this table is their one place.
constexpr ui::TwipsPlace kControlPlaces[] = {
    {"lblLeaList", 120, 120, 4935, 255},
    {"cmdSelection_2", 240, 480, 1215, 315},
    {"cmdSelection_3", 1440, 480, 1215, 315},
    {"lblTopCaption", 240, 840, 11775, 255},
    {"dgLEA", 240, 1080, 11595, 2640},
    {"lblEntryScreens", 120, 3840, 1335, 255},
    {"lblBottomCaption", 1800, 3840, 9735, 255},
    {"cmdSelection_0", 240, 4320, 1215, 315},
    {"cmdSelection_1", 1440, 4320, 1215, 315},
    {"dgForms", 240, 4920, 11535, 2640},
};
// The design client area.
constexpr int kDesignWidth = 8880;
constexpr int kDesignHeight = 8310;
// Status-bar panels, left to right: the first stretches over the rest of
// the bar; the widths are in twips, and a panel grows when its text needs
// more room.
constexpr int kPanelWidths[5] = {4700, 2400, 2100, 1900, 1800};
// The gap below the entry-screen grid, in twips.
constexpr int kBottomGap = 20;

// --- Menus -------------------------------------------------------------------

constexpr bool kHidden = false;
constexpr bool kDisabled = false;

const ui::MenuItemSpec kMenuItems[] = {
    {"mnuFile", "&File", nullptr},
    {"mnuNew_Import", "&Import", "mnuFile"},
    {"mnuNew_ImportASCII", "&ASCII File", "mnuNew_Import"},
    {"mnuNew_ImportCertified", "&Certified Data", "mnuNew_Import"},
    {"mnuNew_Export", "&Export", "mnuFile"},
    {"mnuNew_ExportASCII", "&ASCII File", "mnuNew_Export"},
    {"mnuNew_ExportCertified", "&Certified Data", "mnuNew_Export"},
    {"mnuNew_Sep1", "-", "mnuFile", kHidden},
    {"mnuNew_Print", "&Print", "mnuFile"},
    {"mnuNew_Reports", "&Reports", "mnuNew_Print"},
    {"mnuNew_BlankReports", "&Blank Reports", "mnuNew_Print", kHidden},
    {"mnuNew_Certification", "&Certification", "mnuNew_Print"},
    {"mnunew_BlankCert", "Blan&k Certification", "mnuNew_Print"},
    {"mnu_Coe_Certification", "COE C&ertification", "mnuNew_Print"},
    {"mnuNew_SummaryPrint", "&Summary", "mnuNew_Print"},
    {"mnuPrintCertException", "Certification E&xception", "mnuNew_Print"},
    {"mnuCertCounty", "&County", "mnuPrintCertException"},
    {"mnuCertDistrict", "&District", "mnuPrintCertException"},
    {"mnuCertCharter", "C&harter", "mnuPrintCertException"},
    {"mnuCertTax", "&Auditor", "mnuPrintCertException"},
    {"mnuCertSELPA", "&SELPA", "mnuPrintCertException"},
    {"mnuNew_Sep1s", "-", "mnuNew_Print", kHidden},
    {"mnuStatus", "&LEA Status  Report", "mnuNew_Print", kHidden},
    {"mnuAttendanceStatus", "&Attendance", "mnuStatus"},
    {"mnuSelpaStatus", "&SELPA", "mnuStatus"},
    {"mnuNew_PrinterSetup", "Printer Set&up", "mnuFile"},
    {"mnuNew_Sep2", "-", "mnuFile"},
    {"mnuNew_Logout", "&Logout", "mnuFile"},
    {"mnuNew_Exit", "E&xit", "mnuFile"},
    {"mnuPeriod", "&Period", nullptr},
    {"mnuPeriod_P1", "P-&1", "mnuPeriod"},
    {"mnuPeriod_P2", "P-&2", "mnuPeriod"},
    {"mnuPeriod_Annual", "&Annual", "mnuPeriod"},
    {"mnu_PY_sep", "-", "mnuPeriod"},
    {"mnu_PY_Corrected", "&Corrected", "mnuPeriod"},
    {"mnu_PY_P2", "&P-2", "mnu_PY_Corrected"},
    {"mnu_PY_Annual", "&Annual", "mnu_PY_Corrected"},
    {"mnuLEA", "&LEA", nullptr},
    {"mnuLEA_COE", "&COE", "mnuLEA"},
    {"mnuLEA_SD", "&School District", "mnuLEA"},
    {"mnuLEA_Charter", "C&harter School", "mnuLEA"},
    {"mnuLEA_COE_Auditor", "County &Auditor", "mnuLEA"},
    {"mnuSELPA", "SEL&PA", "mnuLEA"},
    {"mnuTool", "&Tools", nullptr},
    {"mnuTools_Sep1", "-", "mnuTool", kHidden},
    {"mnuTools_UserInfo", "&User Information", "mnuTool"},
    {"mnuTools_ContactInfo", "Contact &Information", "mnuTool"},
    {"mnuTools_Sep2", "-", "mnuTool", kHidden},
    {"mnuCountyNSS", "&Necessary Small School Certification Selection", "mnuTool", kHidden},
    {"mnusepRecon", "-", "mnuTool", kHidden},
    {"mnuReconciliation", "&Reconciliation", "mnuTool", kHidden, kDisabled},
    {"mnusepForeca", "-", "mnuTool"},
    {"mnuUploadCertifiedData", "&Upload Certified Data", "mnuTool"},
    {"mnuHelp", "&Help", nullptr},
    {"mnuHelp_Help", "&Help", "mnuHelp", true, true, "F1"},
    {"mnuHelp_About", "&About", "mnuHelp"},
};

// The command behind each menu item that has one in this window.
struct MenuCommand {
  const char* item;
  void (frmMain::*command)();
};
constexpr MenuCommand kMenuCommands[] = {
    {"mnuNew_ImportASCII", &frmMain::mnuNew_ImportASCII_Click},
    {"mnuNew_ImportCertified", &frmMain::mnuNew_ImportCertified_Click},
    {"mnuNew_ExportASCII", &frmMain::mnuNew_ExportASCII_Click},
    {"mnuNew_ExportCertified", &frmMain::mnuNew_ExportCertified_Click},
    {"mnuNew_Reports", &frmMain::mnuNew_Reports_Click},
    {"mnuNew_BlankReports", &frmMain::mnuNew_BlankReports_Click},
    {"mnuNew_Certification", &frmMain::mnuNew_Certification_Click},
    {"mnunew_BlankCert", &frmMain::mnunew_BlankCert_Click},
    {"mnu_Coe_Certification", &frmMain::mnu_Coe_Certification_Click},
    {"mnuNew_SummaryPrint", &frmMain::mnuNew_SummaryPrint_Click},
    {"mnuCertCounty", &frmMain::mnuCertCounty_Click},
    {"mnuCertTax", &frmMain::mnuCertTax_Click},
    {"mnuStatus", &frmMain::mnuStatus_Click},
    {"mnuNew_PrinterSetup", &frmMain::mnuNew_PrinterSetup_Click},
    {"mnuNew_Logout", &frmMain::mnuNew_Logout_Click},
    {"mnuNew_Exit", &frmMain::mnuNew_Exit_Click},
    {"mnuUploadCertifiedData", &frmMain::mnuUploadCertifiedData_Click},
    {"mnuTools_UserInfo", &frmMain::mnuTools_UserInfo_Click},
    {"mnuTools_ContactInfo", &frmMain::mnuTools_ContactInfo_Click},
    {"mnuHelp_Help", &frmMain::mnuHelp_Help_Click},
    {"mnuHelp_About", &frmMain::mnuHelp_About_Click},
};

// Menu states by logged-on user group. Each cell is a list of settings:
// H hide, S show, D disable, E enable, C check, U uncheck; an empty cell
// leaves the item as it is. The columns are the groups 2, 7, 3, 4, 5 and
// any other group.
constexpr int kStateGroups[] = {2, 7, 3, 4, 5};
struct MenuStates {
  const char* item;
  const char* cells[6];
};
constexpr MenuStates kGroupMenuStates[] = {
    {"mnuLEA_COE", {"H", "H", "DH", "DH", "DH", "D"}},
    {"mnuLEA_SD", {"H", "H", "EC", "DH", "DHU", "EC"}},
    {"mnuLEA_Charter", {"H", "H", "E", "EC", "HU", "E"}},
    {"mnuLEA_COE_Auditor", {"S", "S", "H", "H", "H", ""}},
    {"mnuSELPA", {"H", "H", "", "H", "SC", ""}},
    {"mnuTools_Sep1", {"H", "H", "H", "H", "", ""}},
    {"mnuTools_Sep2", {"", "H", "H", "H", "", ""}},
    {"mnusepRecon", {"H", "H", "H", "H", "", ""}},
    {"mnuUploadCertifiedData", {"", "H", "H", "H", "", ""}},
    {"mnuTools_ContactInfo", {"", "H", "", "", "", ""}},
};
// The certification-exception items; other groups change nothing.
constexpr MenuStates kCertExceptionStates[] = {
    {"mnuCertCounty", {"S", "H", "H", "H", "H", ""}},
    {"mnuCertDistrict", {"", "H", "S", "H", "H", ""}},
    {"mnuCertCharter", {"", "H", "S", "S", "H", ""}},
    {"mnuCertSELPA", {"", "H", "S", "H", "S", ""}},
    {"mnuCertTax", {"S", "S", "H", "H", "H", ""}},
};
// Items that this tax program does not offer.
constexpr const char* kCountyTaxOnlyHidden[] = {
    "mnuCertDistrict", "mnuCertCharter", "mnuCertSELPA", "mnuStatus", "mnuLEA_COE",
    "mnuLEA_SD",       "mnuLEA_Charter", "mnuSELPA",     "mnuNew_Sep1s", "mnuNew_Sep1",
};
// The agency-kind items, in the order their marks are cleared.
constexpr const char* kKindItems[] = {"mnuLEA_Charter", "mnuLEA_SD", "mnuLEA_COE", "mnuLEA_COE_Auditor", "mnuSELPA"};
// The menus that need agencies in the list.
constexpr const char* kDataMenus[] = {"mnuPeriod", "mnuNew_Import", "mnuNew_Export", "mnuNew_Print",
                                      "mnuTools_ContactInfo"};

// The column of a group in the menu-state tables.
std::size_t StateColumn(std::int32_t group) {
  for (std::size_t i = 0; i < std::size(kStateGroups); ++i)
    if (kStateGroups[i] == group) return i;
  return std::size(kStateGroups);
}

void ApplySettings(ui::MenuItem& item, std::string_view settings) {
  for (char setting : settings) {
    switch (setting) {
      case 'H': item.Visible(false); break;
      case 'S': item.Visible(true); break;
      case 'D': item.Enabled(false); break;
      case 'E': item.Enabled(true); break;
      case 'C': item.Checked(true); break;
      case 'U': item.Checked(false); break;
      default: break;
    }
  }
}

// --- The agency list -----------------------------------------------------------

// The caption of the list and the kind marks, by the kind shown.
struct KindMarks {
  std::int32_t kind;
  const char* caption;
  const char* checked;
  std::array<const char*, 3> unchecked;
};
constexpr KindMarks kKindMarks[] = {
    {2, "County Offices of Education", "mnuLEA_COE_Auditor", {"mnuLEA_Charter", "mnuLEA_SD", "mnuLEA_COE"}},
    {8, "County Offices of Education", "mnuLEA_COE", {"mnuLEA_Charter", "mnuLEA_SD", nullptr}},
    {7, "County Auditor", "mnuLEA_COE_Auditor", {"mnuLEA_Charter", "mnuLEA_SD", "mnuLEA_COE"}},
    {6, "County Offices of Education - Charter School(s)", nullptr, {"mnuLEA_Charter", "mnuLEA_SD", "mnuLEA_COE"}},
    {3, "School District(s)", "mnuLEA_SD", {"mnuLEA_Charter", "mnuLEA_COE", nullptr}},
    {4, "Charter School(s)", "mnuLEA_Charter", {"mnuLEA_SD", "mnuLEA_COE", nullptr}},
    {5, "SELPA LEA(s)", "mnuSELPA", {nullptr, nullptr, nullptr}},
};

// The columns of the two agency queries, in the list's order. The SELPA
// query has two more columns and no county restriction of its own.
constexpr const char* kSelpaQuery =
    "SELECT d.SELECTED AS SELECTED, d.PY_LEA_CORRECTED AS CORRECTED, d.COUNTY_ID AS COUNTY_ID,"
    " d.SCHOOL_DISTRICT_ID AS DISTRICT_ID, d.SCHOOL_ID AS SCHOOL_ID, d.COUNTY_NAME AS COUNTY_NAME,"
    " d.SCHOOL_DISTRICT_NAME AS DISTRICT_NAME, d.SELPA_NAME AS SELPA_NAME, d.AU_COUNTY AS SELPA_COUNTY,"
    " d.SCHOOL_NAME AS SCHOOL_NAME, d.DISTRICT_TYPE AS DISTRICT_TYPE, d.FISCAL_YEAR AS FISCAL_YEAR,"
    " d.COUNTY_ID AS LOCATION_COUNTY_ID, d.LOWEST_GRADE AS LOWEST_GRADE, d.HIGHEST_GRADE AS HIGHEST_GRADE,"
    " d.SELPA_AU_REGION AS SELPA_AU_REGION, d.SELPA_DISTRICTREGION AS SELPA_ID, d.LEA_TYPE AS LEA_TYPE"
    " FROM KRN_LEAS d WHERE d.STAT_TYPE = 'OPEN' AND d.FISCAL_YEAR = ?";
constexpr const char* kSelpaOrder = " ORDER BY d.SELPA_AU_REGION, d.SELPA_DISTRICTREGION";
constexpr const char* kAgencyQuery =
    "SELECT d.SELECTED AS SELECTED, d.PY_LEA_CORRECTED AS CORRECTED, d.COUNTY_ID AS COUNTY_ID,"
    " d.SCHOOL_DISTRICT_ID AS DISTRICT_ID, d.SCHOOL_ID AS SCHOOL_ID, d.COUNTY_NAME AS COUNTY_NAME,"
    " d.SCHOOL_DISTRICT_NAME AS DISTRICT_NAME, d.SCHOOL_NAME AS SCHOOL_NAME, d.DISTRICT_TYPE AS DISTRICT_TYPE,"
    " d.FISCAL_YEAR AS FISCAL_YEAR, d.COUNTY_ID AS LOCATION_COUNTY_ID, d.LOWEST_GRADE AS LOWEST_GRADE,"
    " d.HIGHEST_GRADE AS HIGHEST_GRADE, d.SELPA_AU_REGION AS SELPA_AU_REGION, d.SELPA_DISTRICTREGION AS SELPA_ID,"
    " d.LEA_TYPE AS LEA_TYPE"
    " FROM KRN_LEAS d WHERE d.STAT_TYPE = 'OPEN' AND d.FISCAL_YEAR = ? AND d.COUNTY_ID = ?";
constexpr const char* kAgencyOrder = " ORDER BY d.COUNTY_NAME, d.SCHOOL_DISTRICT_NAME, d.SCHOOL_NAME";
// The regions of a district's open SELPA rows.
constexpr const char* kRegionQuery =
    "SELECT SELPA_AU_REGION FROM KRN_LEAS WHERE LEA_TYPE = 5 AND SCHOOL_DISTRICT_ID = ? AND STAT_TYPE = 'OPEN'";
constexpr const char* kSelpaKinds = " AND (d.LEA_TYPE = 3 OR d.LEA_TYPE = 2 OR d.LEA_TYPE = 5)";
constexpr const char* kBothRegions = " AND d.SELPA_AU_REGION IS NOT NULL AND d.SELPA_DISTRICTREGION IS NOT NULL";

// What a filter clause binds, in the order of its markers.
enum class Bound { County, District, School, LogonDistrict, AuRegion, Regions };
// When a filter row applies beyond its logon group and kind.
enum class When { Always, NoAuCounty, AuCounty, SelpaAu, NotSelpaAu };
constexpr std::int32_t kAnyKind = -1;

struct FilterRow {
  std::int32_t logonGroup;
  std::int32_t kind;
  When when;
  std::string clause;  // "{regions}" stands for one marker per region
  std::vector<Bound> bound;
};

// The filter of the list by logon group and kind: the first matching row.
const std::vector<FilterRow>& AgencyFilters() {
  static const std::vector<FilterRow> rows = {
      {2, 5, When::NoAuCounty, std::string(kSelpaKinds) + " AND d.AU_COUNTY = ?" + kBothRegions, {Bound::County}},
      {2, 5, When::AuCounty, std::string(" AND (d.LEA_TYPE = 2 OR d.LEA_TYPE = 5) AND d.COUNTY_ID = ?") + kBothRegions,
       {Bound::County}},
      {2, kAnyKind, When::Always, " AND d.LEA_TYPE = 2 AND d.COUNTY_ID = ? AND d.SCHOOL_ID = 0", {Bound::County}},
      {3, 3, When::Always, " AND d.LEA_TYPE = 3 AND d.COUNTY_ID = ? AND d.SCHOOL_DISTRICT_ID = ?",
       {Bound::County, Bound::District}},
      {3, 4, When::Always, " AND d.LEA_TYPE = 4 AND d.COUNTY_ID = ? AND d.CHARTER_ID = 'Y' AND d.SCHOOL_DISTRICT_ID = ?",
       {Bound::County, Bound::District}},
      {3, 5, When::SelpaAu, std::string(kSelpaKinds) + " AND d.SELPA_AU_REGION IN ({regions})" + kBothRegions,
       {Bound::Regions}},
      {3, 5, When::NotSelpaAu,
       std::string(kSelpaKinds) + " AND d.SCHOOL_DISTRICT_ID = ? AND d.SELPA_DISTRICTREGION IS NOT NULL",
       {Bound::LogonDistrict}},
      {4, 4, When::Always,
       " AND d.LEA_TYPE = 4 AND d.COUNTY_ID = ? AND d.CHARTER_ID = 'Y' AND d.SCHOOL_DISTRICT_ID = ? AND d.SCHOOL_ID = ?",
       {Bound::County, Bound::District, Bound::School}},
      {5, 5, When::Always, std::string(kSelpaKinds) + " AND d.SELPA_AU_REGION = ?" + kBothRegions, {Bound::AuRegion}},
      {7, 7, When::Always, " AND d.LEA_TYPE = 2 AND d.COUNTY_ID = ? AND d.SCHOOL_ID = 0", {Bound::County}},
  };
  return rows;
}

// Column settings of the agency grid; kNoWidth and a null format leave a
// column as it is.
constexpr double kNoWidth = -1;
struct ColumnSetting {
  const char* column;
  double width;
  const char* format;
};
// After every binding of the agency grid (the CORRECTED width follows the
// correction mode).
constexpr ColumnSetting kAgencyGridLayout[] = {
    {"FISCAL_YEAR", 0, nullptr},
    {"LOCATION_COUNTY_ID", 0, nullptr},
    {"COUNTY_ID", kNoWidth, "00"},
    {"SCHOOL_ID", kNoWidth, "0000000"},
    {"LEA_TYPE", 0, nullptr},
};
constexpr double kCorrectedWidth = 1100;
// By the kind shown: SELPAs, and every other kind.
struct KindColumn {
  ColumnSetting selpa;
  double otherWidth;
};
constexpr KindColumn kKindLayout[] = {
    {{"HIGHEST_GRADE", 0, nullptr}, 0},
    {{"LOWEST_GRADE", 0, nullptr}, 0},
    {{"SELPA_AU_REGION", 0, nullptr}, 0},
    {{"SELPA_ID", 2100, nullptr}, 0},
    {{"SELPA_COUNTY", 1500, "00"}, kNoWidth},
    {{"DISTRICT_TYPE", 0, nullptr}, 1500},
    {{"SCHOOL_NAME", 0, nullptr}, 1500},
    {{"SCHOOL_ID", 0, nullptr}, 1000},
    {{"DISTRICT_NAME", 2500, nullptr}, 2500},
    {{"SELPA_NAME", 2500, nullptr}, kNoWidth},
};

// The kinds whose rows become the current agency, and how the district type
// is taken.
struct CurrentAgencyRule {
  std::int32_t kind;
  bool typeCutToFour;  // districts keep the first four characters
};
constexpr CurrentAgencyRule kCurrentAgencyRules[] = {{3, true}, {4, false}, {2, false}, {7, false}, {5, false}};

// --- Leaving -------------------------------------------------------------------

// The agency selection flags that a logon of the group clears when the window
// unloads; groups 5 and 7 clear none.
struct SelectionReset {
  std::int32_t logonGroup;
  const char* statement;
  std::int32_t clsGlobalParam::*key;
};
constexpr SelectionReset kSelectionResets[] = {
    {3, "UPDATE KRN_LEAS SET SELECTED = 'No' WHERE SCHOOL_DISTRICT_ID = ?", &clsGlobalParam::DistrictID},
    {4, "UPDATE KRN_LEAS SET SELECTED = 'No' WHERE SCHOOL_ID = ?", &clsGlobalParam::SchoolId},
    {2, "UPDATE KRN_LEAS SET SELECTED = 'No' WHERE COUNTY_ID = ?", &clsGlobalParam::CountyID},
};

// --- Helpers -------------------------------------------------------------------

using modGlobals::AdoUtils;
using vb::Deref;

void SetWidth(ui::DataGrid& grid, const char* column, double twips) { grid.Columns(column).Width(twips); }

void ApplyColumnSetting(ui::DataGrid& grid, const ColumnSetting& setting) {
  if (setting.width != kNoWidth) grid.Columns(setting.column).Width(setting.width);
  if (setting.format) grid.Columns(setting.column).NumberFormat(setting.format);
}

}  // namespace

// --- The window ----------------------------------------------------------------

frmMain::frmMain(QWidget* parent) : ui::MainForm(parent) {
  setupUi(this);
  ui::UseLayoutFace(*this, ui::FaceFamily::Kept);
  cmdSelection = {cmdSelection_0, cmdSelection_1, cmdSelection_2, cmdSelection_3};
  PlaceControls();
  BuildStatusBar();
  menus_ = std::make_unique<ui::MenuModel>(*mainMenuBar, kMenuItems, this);
  for (const MenuCommand& entry : kMenuCommands)
    menus_->OnClick(entry.item, [this, command = entry.command] { (this->*command)(); });
  connect(dgLEA, &ui::DataGrid::MouseDown, this, &frmMain::dgLEA_MouseDown);
  connect(dgLEA, &ui::DataGrid::Click, this, &frmMain::dgLEA_Click);
  ConnectPeriodAndKindCommands();
  connect(dgForms, &ui::DataGrid::MouseDown, this, &frmMain::dgForms_MouseDown);
  connect(dgForms, &ui::DataGrid::Click, this, &frmMain::dgForms_Click);
  for (std::size_t i = 0; i < cmdSelection.size(); ++i) {
    connect(cmdSelection[i], &QPushButton::clicked, this,
            [this, i] { cmdSelection_Click(static_cast<std::int16_t>(i)); });
  }
}

frmMain::~frmMain() = default;

void frmMain::Install() {
  frmLogon::SetMainWindow([]() -> ui::FormLife& { return Default(); });
}

frmMain& frmMain::Default() {
  static QPointer<frmMain> instance;
  if (!instance || instance->released_) {
    instance = new frmMain;
    instance->setAttribute(Qt::WA_DeleteOnClose);
  }
  return *instance;
}

void frmMain::PlaceControls() {
  ui::PlaceControls(*centralwidget, kControlPlaces);
  // The labels above the lists are bold.
  for (QLabel* label : {lblLeaList, lblEntryScreens}) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  resize(ui::TwipsToPixelsX(kDesignWidth), ui::TwipsToPixelsY(kDesignHeight));
}

void frmMain::BuildStatusBar() {
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    auto* panel = new QLabel(StBarMain);
    panel->setObjectName(QStringLiteral("StBarMain_Panel%1").arg(i + 1));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    if (i == 0) {
      StBarMain->addWidget(panel, 1);
    } else {
      StBarMain->addPermanentWidget(panel);
    }
    panels_[i] = panel;
    SetPanelText(static_cast<int>(i) + 1, {});
  }
  // The date panel keeps itself current.
  auto showDate = [this] { SetPanelText(5, vb::Format(vb::Variant(ui::Now()), "m/d/yyyy")); };
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, showDate);
  timer->start(60 * 1000);
  showDate();
}

std::string frmMain::PanelText(int panel) const {
  return panels_.at(static_cast<std::size_t>(panel - 1))->text().toStdString();
}

void frmMain::SetPanelText(int panel, const std::string& text) {
  QLabel* label = panels_.at(static_cast<std::size_t>(panel - 1));
  label->setText(QString::fromStdString(text));
  label->setMinimumWidth(std::max(ui::TwipsToPixelsX(kPanelWidths[panel - 1]), label->sizeHint().width()));
}

bool frmMain::CorrectionMode() const {
  return menus_->Item("mnu_PY_P2").Checked() || menus_->Item("mnu_PY_Annual").Checked();
}

// --- Loading, resizing, unloading ------------------------------------------------

void frmMain::Form_Load() {
  Trap trap(kModule, "Form_Load");
  trap([&] { SetPanelText(1, vb::App::Title() + "  -  Version  " + modGlobals::gstrVersion); });
  trap([&] {
    if (Globals().LogonUserGroup != 2) menus_->Item("mnu_Coe_Certification").Visible(false);
  });
  trap([&] {
    if (Globals().LogonUserGroup == 3) {
      menus_->Item("mnuStatus").Visible(true);
      menus_->Item("mnuSelpaStatus").Visible(false);
    }
  });
  trap([&] {
    if (Globals().LogonUserGroup == 2) menus_->Item("mnuStatus").Visible(true);
  });
  trap([&] {
    if (Globals().LogonUserGroup == 5) menus_->Item("mnuNew_Sep1s").Visible(false);
  });
  trap([&] { mblnLEABathMode = false; });
  trap([&] {
    GParam = std::make_unique<clsGlobalParam>();
    Globals().CopyTo(*GParam);
  });
  trap([] { modGlobals::gstrCurrentForm = "frmMain"; });
  trap([&] { modMain::OnFormOpen(Deref(GParam)); });
  trap([&] {
    clsGlobalParam& P = Globals();
    switch (P.ReportPeriod) {
      case 1:
        menus_->Item("mnuPeriod_P1").Checked(true);
        P.PeriodText = "P-1";
        break;
      case 2:
        menus_->Item(modGlobals::gstrPeriodMode == "PY_P2" ? "mnu_PY_P2" : "mnuPeriod_P2").Checked(true);
        P.PeriodText = "P-2";
        break;
      default:
        menus_->Item(modGlobals::gstrPeriodMode == "PY_ANNUAL" ? "mnu_PY_Annual" : "mnuPeriod_Annual").Checked(true);
        P.PeriodText = "Annual";
        break;
    }
  });
  // The window's own copy was taken before the period text was settled:
  // its headings show the text the window has just chosen.
  trap([&] { Deref(GParam).PeriodText = Globals().PeriodText; });
  trap([&] { RefreshLEAs(); });
  trap([&] { RefreshTitle(); });
  trap([&] { ToggleMenu(); });
}

void frmMain::Form_Resize() {
  // A size that does not fit (a window narrower than the grids' margins, or
  // minimised) is passed over: the grid keeps its last size.
  Trap trap(kModule, "Form_Resize", Trap::Mode::Silent);
  const double outerWidth = ui::PixelsToTwipsX(frameGeometry().width());
  // The inner height holds the central area and the status bar.
  const double innerHeight = ui::PixelsToTwipsY(centralwidget->height() + StBarMain->height());
  const double statusHeight = ui::PixelsToTwipsY(StBarMain->height());
  auto setWidth = [](ui::DataGrid& grid, double twips) {
    if (twips < 0) vb::Raise(vb::err::InvalidPropertyValue);
    grid.resize(ui::TwipsToPixelsX(twips), grid.height());
  };
  trap([&] { setWidth(*dgLEA, outerWidth - 2 * ui::PixelsToTwipsX(dgLEA->x())); });
  trap([&] { setWidth(*dgForms, outerWidth - 2 * ui::PixelsToTwipsX(dgForms->x())); });
  trap([&] {
    const double height = innerHeight - ui::PixelsToTwipsY(dgForms->y()) - statusHeight - kBottomGap;
    if (height < 0) vb::Raise(vb::err::InvalidPropertyValue);
    dgForms->resize(dgForms->width(), ui::TwipsToPixelsY(height));
  });
  trap([&] { update(); });
}

void frmMain::Form_Unload() {
  released_ = true;
  Trap trap(kModule, "Form_Unload");
  trap([&] {
    const clsGlobalParam& P = Deref(GParam);
    for (const SelectionReset& reset : kSelectionResets) {
      if (P.LogonUserGroup != reset.logonGroup) continue;
      modGlobals::SharedConnection()->Execute(reset.statement, {vb::Variant(P.*reset.key)});
    }
  });
  trap([] { ui::DoEvents(); });
  trap([] { modGlobals::SharedConnection()->Execute("UPDATE VHO_TORB_FORMS SET SELECTED = 'No'"); });
  trap([] { ui::DoEvents(); });
  // Every other window of the program closes with this one.
  trap([] { ui::UnloadAll(); });
  if (modGlobals::gstrLogOut == "LogOut") {
    trap([] { modGlobals::gstrLogOut.clear(); });
    trap([] { frmLogon::ShowNew(); });
    return;
  }
  trap([] { ui::DoEvents(); });
  trap([] { Utilities::EndApp(); });
  trap([] { ui::DoEvents(); });
  trap([&] { dgLEA->DataSource(nullptr); });
  trap([&] { dgForms->DataSource(nullptr); });
  trap([] {
    if (modGlobals::gobjAdoUtils) modGlobals::gobjAdoUtils->CloseConn();
    modGlobals::gobjAdoUtils.reset();
  });
  vb::End(0);
}

// --- Commands of this window ---------------------------------------------------

void frmMain::mnuNew_Logout_Click() {
  Trap trap(kModule, "mnuNew_Logout_Click");
  trap([] { modMain::ShowWaitMsg("Logging Out..."); });
  trap([] { Utilities::Time_Process(); });
  trap([] { modMain::ShowWaitMsg(""); });
  trap([] { modGlobals::gstrLogOut = "LogOut"; });
  trap([&] { Unload(); });
}

void frmMain::mnuNew_Exit_Click() { Unload(); }

void frmMain::mnuHelp_Help_Click() {
  Trap trap(kModule, "mnuHelp_Help_Click");
  trap([&] { OpenHelpPage(1); });
}

bool frmMain::OpenHelpPage(int /*unused*/) {
  modMain::ShowHelpPage();
  return true;
}

void frmMain::mnuHelp_About_Click() {
  Trap trap(kModule, "mnuHelp_About_Click");
  trap([] {
    frmAbout about;
    about.ShowModal();
  });
}

void frmMain::mnuStatus_Click() {}

void frmMain::EnableMouse(bool bEnable) {
  Trap trap(kModule, "EnableMouse");
  trap([&] {
    if (bEnable) {
      unsetCursor();
    } else {
      setCursor(Qt::WaitCursor);
    }
  });
  trap([&] { setEnabled(bEnable); });
}

void frmMain::BeginLEAKindSwitch() {
  EnableEntryScreens(false);
  modMain::ShowWaitMsg("Please wait...");
  EnableMouse(false);
  RefreshTitle();
  MenuUnCheck();
  EnableDisableMenu();
}

// The printer that the program's print jobs use.
void frmMain::mnuNew_PrinterSetup_Click() {
  Trap trap(kModule, "mnuNew_PrinterSetup_Click");
  trap([] { modMain::ShowPrinterSetup(); });
  trap([&] { setFocus(); });
}

// The commands of the exchange and printing, which this version does not
// have: each tells the user so.
void frmMain::NotInThisVersion(const char* procedure, const std::string& what) {
  Trap trap(kModule, procedure);
  trap([&] { ui::MsgBox(what + " is not available in this version.", ui::vbInformation); });
}

void frmMain::mnuNew_ImportASCII_Click() {
  if (!RunCommandBody("mnuNew_ImportASCII")) NotInThisVersion("mnuNew_ImportASCII_Click", "Importing ASCII files");
}
void frmMain::mnuNew_ExportASCII_Click() {
  if (!RunCommandBody("mnuNew_ExportASCII")) NotInThisVersion("mnuNew_ExportASCII_Click", "Exporting ASCII files");
}
namespace {

std::map<std::string, frmMain::CommandBody>& CommandBodies() {
  static std::map<std::string, frmMain::CommandBody> bodies;
  return bodies;
}

frmMain::WindowMaker& ExportWindowMaker() {
  static frmMain::WindowMaker maker;
  return maker;
}

}  // namespace

void frmMain::SetExportWindow(WindowMaker maker) { ExportWindowMaker() = std::move(maker); }

void frmMain::SetCommandBody(const std::string& item, CommandBody body) {
  if (body)
    CommandBodies()[item] = std::move(body);
  else
    CommandBodies().erase(item);
}

bool frmMain::HasCommandBody(const std::string& item) { return CommandBodies().count(item) > 0; }

bool frmMain::RunCommandBody(const std::string& item) {
  const auto body = CommandBodies().find(item);
  if (body == CommandBodies().end()) return false;
  // A copy: the body may install another while it runs.
  const CommandBody run = body->second;
  run(*this);
  return true;
}

void frmMain::mnuNew_ExportCertified_Click() {
  if (!ExportWindowMaker()) {
    NotInThisVersion("mnuNew_ExportCertified_Click", "Exporting certified data");
    return;
  }
  Trap trap(kModule, "mnuNew_ExportCertified_Click");
  std::unique_ptr<QWidget> window;
  trap([&] { window = ExportWindowMaker()(); });
  if (window) trap([&] { ui::dialogs().ShowModal(*window); });
  trap([&] {
    if (auto* form = qobject_cast<ui::Form*>(window.get()); form && form->Loaded()) form->Unload();
    window.reset();
  });
  trap([&] { RefreshTopandBottomGrid(false); });
}
namespace {

frmMain::WindowMaker& ImportWindowMaker() {
  static frmMain::WindowMaker maker;
  return maker;
}

}  // namespace

void frmMain::SetImportWindow(WindowMaker maker) { ImportWindowMaker() = std::move(maker); }

void frmMain::mnuNew_ImportCertified_Click() {
  Trap trap(kModule, "mnuNew_ImportCertified_Click");
  std::unique_ptr<QWidget> window;
  // The program installs the import window at its start; without one the
  // command is reported and changes nothing.
  if (!trap([&] {
        if (!ImportWindowMaker()) vb::Raise(vb::err::ObjectNotSet);
        window = ImportWindowMaker()();
      }))
    return;
  // An empty list keeps no position.
  trap([&] { if (rsForm) modGlobals::gintSavedFormRow = frmMainDetail::Narrow16(rsForm->AbsolutePosition()); });
  trap([&] { if (rsDist) modGlobals::gintSavedLEARow = frmMainDetail::Narrow16(rsDist->AbsolutePosition()); });
  std::optional<TakenUpAgency> takenUp;
  trap([&] { takenUp = TakenUp(); });
  trap([&] { setEnabled(false); });
  trap([&] { ui::dialogs().ShowModal(Deref(window)); });
  trap([&] {
    if (auto* form = qobject_cast<ui::Form*>(window.get()); form && form->Loaded()) form->Unload();
    window.reset();
  });
  trap([&] { setEnabled(false); });
  trap([&] { RefreshTopandBottomGrid(false); });
  bool again = false;
  if (takenUp) trap([&] { again = TakeUpAgain(*takenUp); });
  if (!again) {
    trap([&] { dgForms->Row(0); });
    trap([&] { dgLEA->Row(0); });
  }
  trap([&] { setEnabled(true); });
  if (!again) trap([&] { EnableEntryScreens(false); });
  trap([&] { setFocus(); });
}

std::optional<frmMain::TakenUpAgency> frmMain::TakenUp() const {
  if (!dgForms->isEnabled() || !rsDist || rsDist->Eof() || rsDist->Bof()) return std::nullopt;
  TakenUpAgency agency;
  agency.row = rsDist->AbsolutePosition();
  agency.codes = {vb::CLng(rsDist->Value("COUNTY_ID")), vb::CLng(rsDist->Value("DISTRICT_ID")),
                  vb::CLng(rsDist->Value("SCHOOL_ID"))};
  if (rsForm && !rsForm->Eof() && !rsForm->Bof()) agency.formRow = rsForm->AbsolutePosition();
  return agency;
}

bool frmMain::TakeUpAgain(const TakenUpAgency& agency) {
  db::Recordset& agencies = Deref(rsDist);
  if (agency.row < 1 || agency.row > agencies.RecordCount()) return false;
  // The move makes the agency current and reads its entry screens again.
  agencies.AbsolutePosition(agency.row);
  const std::array<std::int32_t, 3> codes = {vb::CLng(agencies.Value("COUNTY_ID")),
                                             vb::CLng(agencies.Value("DISTRICT_ID")),
                                             vb::CLng(agencies.Value("SCHOOL_ID"))};
  if (codes != agency.codes) return false;
  if (rsForm && agency.formRow >= 1 && agency.formRow <= rsForm->RecordCount()) rsForm->AbsolutePosition(agency.formRow);
  EnableEntryScreens(true);
  return true;
}

void frmMain::EnableEntryScreens(bool enable) {
  dgForms->setEnabled(enable);
  cmdSelection[0]->setEnabled(enable);
  cmdSelection[1]->setEnabled(enable);
}
void frmMain::mnuNew_Reports_Click() {
  if (!RunCommandBody("mnuNew_Reports")) NotInThisVersion("mnuNew_Reports_Click", "Printing");
}
void frmMain::mnuNew_BlankReports_Click() {
  if (!RunCommandBody("mnuNew_BlankReports")) NotInThisVersion("mnuNew_BlankReports_Click", "Printing");
}
void frmMain::mnuNew_Certification_Click() {
  if (!RunCommandBody("mnuNew_Certification")) NotInThisVersion("mnuNew_Certification_Click", "Printing");
}
void frmMain::mnunew_BlankCert_Click() {
  if (!RunCommandBody("mnunew_BlankCert")) NotInThisVersion("mnunew_BlankCert_Click", "Printing");
}
void frmMain::mnu_Coe_Certification_Click() {
  if (!RunCommandBody("mnu_Coe_Certification")) NotInThisVersion("mnu_Coe_Certification_Click", "Printing");
}
void frmMain::mnuNew_SummaryPrint_Click() {
  if (!RunCommandBody("mnuNew_SummaryPrint")) NotInThisVersion("mnuNew_SummaryPrint_Click", "Printing");
}
void frmMain::mnuCertCounty_Click() {
  if (!RunCommandBody("mnuCertCounty")) NotInThisVersion("mnuCertCounty_Click", "Printing");
}
void frmMain::mnuCertTax_Click() {
  if (!RunCommandBody("mnuCertTax")) NotInThisVersion("mnuCertTax_Click", "Printing");
}
static frmMain::WindowMaker& UploadWindowMaker() {
  static frmMain::WindowMaker maker;
  return maker;
}

void frmMain::SetUploadWindow(WindowMaker maker) { UploadWindowMaker() = std::move(maker); }

// Nothing is handed over or read back, and nothing is refreshed afterwards.
void frmMain::mnuUploadCertifiedData_Click() {
  if (!UploadWindowMaker()) {
    NotInThisVersion("mnuUploadCertifiedData_Click", "Uploading certified data");
    return;
  }
  Trap trap(kModule, "mnuUploadCertifiedData_Click");
  std::unique_ptr<QWidget> window;
  trap([&] { window = UploadWindowMaker()(); });
  trap([&] { ui::dialogs().ShowModal(vb::Deref(window)); });
  window.reset();
}

// --- Caption, status bar and menu states ----------------------------------------

void frmMain::RefreshTitle() {
  Trap trap(kModule, "RefreshTitle");
  trap([&] {
    const clsGlobalParam& P = Globals();
    setWindowTitle(QString::fromStdString(vb::App::Title() + " MAIN MENU \\ " + P.FiscalYearText + " \\ " +
                                          P.PeriodText + (CorrectionMode() ? " Correction" : "")));
  });
  trap([&] {
    const clsGlobalParam& P = Globals();
    if (!P.ForecastingMode && !P.ReconciliationMode) {
      SetPanelText(4, "Certification");
      modGlobals::gstrModeTitle.clear();
    }
  });
  trap([&] {
    const clsGlobalParam& P = Globals();
    SetPanelText(3, P.FiscalYearText + "  " + P.PeriodText + (CorrectionMode() ? " Correction" : ""));
  });
  trap([&] { SetPanelText(2, Globals().Username); });
}

void frmMain::ToggleMenu() {
  Trap trap(kModule, "ToggleMenu");
  trap([&] { menus_->Item("mnuReconciliation").Visible(false); });
  trap([&] { menus_->Item("mnusepForeca").Visible(false); });
  for (std::span<const MenuStates> table : {std::span<const MenuStates>(kGroupMenuStates), std::span<const MenuStates>(kCertExceptionStates)}) {
    for (const MenuStates& row : table) {
      trap([&] { ApplySettings(menus_->Item(row.item), row.cells[StateColumn(Globals().LogonUserGroup)]); });
    }
  }
}

void frmMain::MenuUnCheck() {
  Trap trap(kModule, "MenuUnCheck");
  for (const char* item : kKindItems) trap([&] { menus_->Item(item).Checked(false); });
}

void frmMain::EnableDisableMenu() {
  const bool hasAgencies = Deref(rsDist).RecordCount() > 0;
  for (const char* item : kDataMenus) menus_->Item(item).Enabled(hasAgencies);
}

void frmMain::CountyTaxOnlyMenu() {
  for (const char* item : kCountyTaxOnlyHidden) menus_->Item(item).Visible(false);
}

// --- The agency list -----------------------------------------------------------

void frmMain::RefreshLEAs() {
  Trap trap(kModule, "RefreshLEAs");
  trap([&] {
    const std::int32_t kind = Globals().UserGroup;
    for (const KindMarks& marks : kKindMarks) {
      if (marks.kind != kind) continue;
      lblLeaList->setText(QString::fromUtf8(marks.caption));
      if (marks.checked) menus_->Item(marks.checked).Checked(true);
      for (const char* item : marks.unchecked)
        if (item) menus_->Item(item).Checked(false);
      break;
    }
  });
  trap([&] { CountyTaxOnlyMenu(); });
  trap([&] { refresh_LEA(); });
}

void frmMain::refresh_LEA() {
  Trap trap(kModule, "refresh_LEA");
  const FilterRow* filter = nullptr;
  trap([&] {
    const clsGlobalParam& P = Globals();
    for (const FilterRow& row : AgencyFilters()) {
      if (row.logonGroup != P.LogonUserGroup || (row.kind != kAnyKind && row.kind != P.UserGroup)) continue;
      const bool applies = row.when == When::Always || (row.when == When::NoAuCounty && P.AuCountyId == 0) ||
                           (row.when == When::AuCounty && P.AuCountyId != 0) ||
                           (row.when == When::SelpaAu && P.bSelpaAu) ||
                           (row.when == When::NotSelpaAu && !P.bSelpaAu && P.DistrictType != "SELPA AU");
      if (applies) {
        filter = &row;
        break;
      }
    }
  });

  // The regions of the logon district's SELPA rows, or the logon region.
  std::vector<vb::Variant> regions;
  if (filter && filter->when == When::SelpaAu) trap([&] { regions = SelpaRegions(Globals().AURegion); });

  std::string query;
  std::vector<vb::Variant> params;
  trap([&] {
    const clsGlobalParam& P = Globals();
    const bool selpas = P.UserGroup == 5;
    query = selpas ? kSelpaQuery : kAgencyQuery;
    params = {vb::Variant(P.ReportYear)};
    if (!selpas) params.emplace_back(P.CountyID);
    if (filter) {
      query += frmMainDetail::WithRegionMarkers(filter->clause, regions.size());
      for (Bound bound : filter->bound) {
        switch (bound) {
          case Bound::County: params.emplace_back(P.CountyID); break;
          case Bound::District: params.emplace_back(P.DistrictID); break;
          case Bound::School: params.emplace_back(P.SchoolId); break;
          case Bound::LogonDistrict: params.emplace_back(Deref(GParam).DistrictID); break;
          case Bound::AuRegion: params.emplace_back(P.AURegion); break;
          case Bound::Regions: params.insert(params.end(), regions.begin(), regions.end()); break;
        }
      }
    }
    query += selpas ? kSelpaOrder : kAgencyOrder;
  });

  // The move handler is attached before the list opens: opening it makes the
  // first agency current.
  trap([&] {
    rsDist = AdoUtils().getNewRecordSet();
    Deref(rsDist).AddMoveHandler([this](db::Recordset&, db::MoveReason) { rsDist_MoveComplete(); });
    rsDist->Open(query, modGlobals::SharedConnection(), params);
  });
  trap([&] { dgLEA->DataSource(rsDist); });
  trap([&] { LayOutAgencyGrid(); });
  trap([&] {
    if (Deref(rsDist).Eof()) {
      for (int i : {2, 3}) {
        cmdSelection[i]->setEnabled(false);
        cmdSelection[i]->setVisible(false);
      }
    } else {
      const bool several = rsDist->RecordCount() > 1;
      for (int i : {2, 3}) {
        cmdSelection[i]->setEnabled(true);
        cmdSelection[i]->setVisible(several);
      }
    }
  });
  trap([&] { SelpaRefreshGrid(); });
}

std::vector<vb::Variant> frmMain::SelpaRegions(const std::string& fallbackRegion) const {
  std::vector<vb::Variant> regions;
  db::RecordsetPtr rs = clsDataAccess().GetRecordset(kRegionQuery, {vb::Variant(Deref(GParam).DistrictID)},
                                                     modGlobals::gstrConnectionString, modGlobals::SharedConnection());
  if (Deref(rs).RecordCount() > 0) {
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) regions.emplace_back(vb::TextOf(rs->Value(0)));
    regions.front() = vb::Variant(vb::LTrim(vb::CStr(regions.front())));
  } else {
    regions.emplace_back(fallbackRegion);
  }
  return regions;
}

void frmMain::LayOutAgencyGrid() {
  for (const ColumnSetting& setting : kAgencyGridLayout) ApplyColumnSetting(*dgLEA, setting);
  SetWidth(*dgLEA, "CORRECTED", CorrectionMode() ? kCorrectedWidth : 0);
}

void frmMain::SelpaRefreshGrid() {
  Trap trap(kModule, "SelpaRefreshGrid");
  bool selpas = false;
  trap([&] { selpas = Globals().UserGroup == 5; });
  for (const KindColumn& column : kKindLayout) {
    trap([&] {
      if (selpas) {
        ApplyColumnSetting(*dgLEA, column.selpa);
      } else if (column.otherWidth != kNoWidth) {
        SetWidth(*dgLEA, column.selpa.column, column.otherWidth);
      }
    });
  }
}

// --- The current agency --------------------------------------------------------

void frmMain::rsDist_MoveComplete() {
  Trap trap(kModule, "rsDist_MoveComplete");
  bool stop = false;
  trap([&] { stop = mblnLEABathMode || Deref(rsDist).Eof(); });
  if (stop || trap.Left()) return;
  trap([] { ui::DoEvents(); });
  trap([] { ui::DoEvents(); });
  bool hasRows = false;
  trap([&] { hasRows = Deref(rsDist).RecordCount() >= 1; });
  if (hasRows) {
    const CurrentAgencyRule* rule = nullptr;
    trap([&] {
      for (const CurrentAgencyRule& candidate : kCurrentAgencyRules) {
        if (candidate.kind == Globals().UserGroup) {
          rule = &candidate;
          break;
        }
      }
    });
    if (rule) {
      trap([&] { Globals().CountyID = vb::CLng(rsDist->Value("COUNTY_ID")); });
      trap([&] { Globals().DistrictID = vb::CLng(rsDist->Value("DISTRICT_ID")); });
      trap([&] { Globals().SchoolId = vb::CLng(rsDist->Value("SCHOOL_ID")); });
      trap([&] {
        const std::string type = vb::TextOf(rsDist->Value("DISTRICT_TYPE"));
        Globals().DistrictType = rule->typeCutToFour ? vb::Left(type, 4) : type;
      });
    }
    trap([&] { Refresh_Forms_By_Category(); });
  }
  Trap quiet(kModule, "rsDist_MoveComplete", Trap::Mode::Silent);
  quiet([&] { Globals().DistrictName = vb::CStr(rsDist->Value("DISTRICT_NAME")); });
  quiet([&] { Globals().LocCountyID = vb::CLng(rsDist->Value("LOCATION_COUNTY_ID")); });
}

#pragma once
// The main window on a small agency directory: three counties with their
// county offices, districts, charter schools and SELPA rows in two SELPA
// regions (one of them named with an apostrophe), a closed row and a row of
// another year. A test logs on as a contact of some group and opens the
// window; the window is shown off screen and thrown away at the end without
// its unload. The program's components serve every period; no tax window
// or correction window is installed, and the program-wide hand-over
// variables start empty.

#include <QPointer>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "frmMain.h"

// The agency-kind items of the LEA menu and the five period items.
inline const std::vector<std::string> kKindItems = {"mnuLEA_COE", "mnuLEA_SD", "mnuLEA_Charter",
                                                     "mnuLEA_COE_Auditor", "mnuSELPA"};
inline const std::vector<std::string> kPeriodItems = {"mnuPeriod_P1", "mnuPeriod_P2", "mnuPeriod_Annual",
                                                       "mnu_PY_P2", "mnu_PY_Annual"};

// The scope that a logon leaves in the global parameters.
struct Logon {
  std::int32_t group = 2;
  std::int32_t county = 7;
  std::int32_t district = 10070;
  std::int32_t school = 0;
  std::int32_t period = 2;
  std::string auRegion;
  bool selpaAu = false;
  std::int32_t auCounty = 0;
  std::string districtType;
};

// A logon of the group at that agency (period P-2).
inline Logon As(std::int32_t group, std::int32_t county, std::int32_t district, std::int32_t school = 0,
                std::string auRegion = {}, bool selpaAu = false, std::int32_t auCounty = 0,
                std::string districtType = {}) {
  Logon logon;
  logon.group = group;
  logon.county = county;
  logon.district = district;
  logon.school = school;
  logon.auRegion = std::move(auRegion);
  logon.selpaAu = selpaAu;
  logon.auCounty = auCounty;
  logon.districtType = std::move(districtType);
  return logon;
}

class MainWindowTest : public ProgramTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Fills the global parameters as a logon of that contact does; the kind
  // shown is the contact's group.
  void LogOn(const Logon& logon);
  // Creates the main window, loads and shows it.
  frmMain& Open();
  frmMain& Window() { return *window_; }

  // Sets SELECTED of every agency and entry screen.
  void SelectEverything();
  // "county-district-school" of each row of the agency list, in order.
  std::vector<std::string> ListedAgencies();
  // The names of the agency grid's visible columns, in order.
  std::vector<std::string> VisibleColumns();
  // The visible items among those named, and those with a check mark.
  std::vector<std::string> VisibleItems(const std::vector<std::string>& items);
  std::vector<std::string> CheckedItems(const std::vector<std::string>& items);

  // A small form catalogue in place of the delivered one: tax forms of the
  // county offices (one not used in 2019, one of the Annual period only),
  // district attendance and revenue forms, charter forms of the districts
  // and of the county offices, and a SELPA form.
  void UseFormCatalogue();
  // Further agencies: charter schools run by a county office (district
  // code 10070, and charter type 5) and others, the district Birch Unified
  // (61234), and a SELPA unit district (31005) whose SELPA rows lie in the
  // regions 01 and 02.
  void AddAgencies();
  // Runs statements on the test's own connection.
  void Execute(const std::string& sql);
  // The text of the first value of a query ("" for Null).
  std::string Scalar(const std::string& sql);
  // The agency's status rows of 2019 and the period, by form:
  // "form|corrected|reason code|first other value that is not Null".
  std::vector<std::string> StatusRows(std::int32_t county, std::int32_t district, std::int32_t school = 0,
                                      std::int32_t period = 2);
  // FORM_NO of each row of the entry-screen list, in order.
  std::vector<int> ListedForms();
  // Adds a status row of 2019 for the agency, period and form, with further
  // columns and their values ("NUM_RECORD, CERTIFICATE_NUMBER", "2, -1").
  void AddStatus(std::int32_t county, std::int32_t district, std::int32_t school, std::int32_t period, int form,
                 const std::string& columns = {}, const std::string& values = {});
  // The codes of an agency written "county-district-school".
  static std::vector<std::int32_t> AgencyKey(const std::string& agency);
  // PY_LEA_CORRECTED of the agency's directory row of the year.
  std::string CorrectedFlag(const std::string& agency, int year = 2019);
  // The text of the wait message while it is up, else "".
  std::string WaitMessage();
  // The visible row of the form in the entry-screen grid (-1 when not
  // listed).
  int FormRow(int form);
  // A press and release of the left button as a user makes them: on a cell
  // of a grid, or on the record selector of a row.
  void ClickCell(ui::DataGrid& grid, int row, int column);
  void ClickRecordSelector(ui::DataGrid& grid, int row);

  QPointer<frmMain> window_;
};

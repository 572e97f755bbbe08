#pragma once
// The main window on a small agency directory: three counties with their
// county offices, districts, charter schools and SELPA rows in two SELPA
// regions (one of them named with an apostrophe), a closed row and a row of
// another year. A test logs on as a contact of some group and opens the
// window; the window is shown off screen and thrown away at the end without
// its unload.

#include <QPointer>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "frmMain.h"

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
  // The visible items among those named.
  std::vector<std::string> VisibleItems(const std::vector<std::string>& items);

  QPointer<frmMain> window_;
};

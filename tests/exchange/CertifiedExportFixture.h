#pragma once
// The export run on a small working database made from the schema-only
// template: Vale County (19) with its office 64733, the district 612 (a
// double quote in its name) and its charter 734, whose block grant the
// district fills; Wren County's office (20, 64750, a name used nowhere
// else); forms 29 (county-office kind) and 27 (district kind); status rows
// and Tax rows of those agencies with neighbours of another year and period;
// a view, a table of no form and a trigger. The logged-on user is "J O'Brien" of the
// county office, phone 9165550142, no fax; the clock stands at Dec 09 2026
// 14:33:57. The window's choice is built straight into an ExportSelection.

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "CertifiedExport.h"
#include "ExportFixture.h"
#include "ScriptedSeams.h"
#include "TestEnvironment.h"
#include "db/SealedFile.h"

class CertifiedExportTest : public ProgramTest {
 public:
  // An agency of the choice: its arrLeaTree row.
  struct Agency {
    Agency(std::int32_t county_, std::int32_t district_, std::int32_t school_, std::int32_t leaType_,
           std::string corrected_ = "No", std::string region_ = {}, std::string auCounty_ = {})
        : county(county_), district(district_), school(school_), leaType(leaType_), corrected(std::move(corrected_)),
          region(std::move(region_)), auCounty(std::move(auCounty_)) {}
    std::int32_t county, district, school, leaType;
    std::string corrected, region, auCounty;
  };

 protected:
  void SetUp() override;
  void TearDown() override;

  // The choice: these agencies (fully chosen) and these forms (each in
  // state All unless listed in `unchosen`).
  void Choose(const std::vector<Agency>& agencies, const std::vector<int>& forms, const std::vector<int>& unchosen = {});
  // Logs on as another user of the group at that agency; the window's
  // parameters follow.
  void LogOn(std::int32_t group, std::int32_t county, std::int32_t district, std::int32_t school = 0,
             bool selpaAu = false, std::int32_t kindShown = 0);

  // Runs the export of the chosen forms (a report is expected unless
  // `report` is false) and answers the run.
  CertifiedExport& Export(bool partial = false, bool priorYear = false, bool selpa = false,
                          std::int16_t programType = 2, bool report = true);

  // The run's sealed file, opened with the file password.
  db::ConnectionPtr OpenFile(const std::filesystem::path& file);
  // The texts of a query's rows, each row's values joined by "|".
  static std::vector<std::string> Rows(const db::ConnectionPtr& conn, const std::string& sql);
  // Every table of the working database as the set of its rows' texts.
  std::map<std::string, std::set<std::string>> Dump();
  // The names of the Export folder's entries.
  std::vector<std::string> ExportFolder() const;
  void Execute(const std::string& sql) { OpenDatabase()->ExecuteScript(sql); }

  std::unique_ptr<ScriptedClock> clock_;
  clsGlobalParam params_;  // the window's
  ExportSelection selection_;
  RecordingMainWindow link_;
  // The main window the run is given (link_ unless a test stands in another).
  MainWindowLink* mainWindow_ = &link_;
  std::int16_t emptyRuns_ = 0;
  // How the run set the window: "disabled", "enabled under the wait box", ...
  std::vector<std::string> windowStates_;
  std::unique_ptr<CertifiedExport> run_;
  std::vector<db::TemporaryFile> plain_;
};

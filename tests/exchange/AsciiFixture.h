#pragma once
// The ASCII exchange on the main window's agency directory and the
// delivered reference rows (form 29's layout lines), plus Elm County (19):
// the offices 10199, 64733 and 64741 that a county-office logon of the
// county lists, and the school 6473301 of 64733. The clock stands at
// Dec 9, 2019, 15:04:05; the export command's body is installed. Files go
// to the program folder's Export folder.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "AsciiExport.h"
#include "MainWindowFixture.h"
#include "ScriptedSeams.h"
#include "vb/Conversions.h"

// The comma-separated fields of a line, the table name first.
inline std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  for (std::size_t start = 0;;) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma - start));
    if (comma == std::string::npos) return fields;
    start = comma + 1;
  }
}

// An agency of a selection: county, district, school.
struct Lea {
  int county;
  int district;
  int school = 0;
};

class AsciiExportTest : public MainWindowTest {
 public:
  // The bytes of a file; "" when there is none.
  static std::string Bytes(const std::filesystem::path& path);
  // The lines of a file without their CR LF.
  static std::vector<std::string> Lines(const std::filesystem::path& path);

 protected:
  void SetUp() override;
  void TearDown() override;

  // The writers' state for these agencies and the form, as the command
  // gathers it, for a user of `group` at 2019 P-2.
  AsciiExport State(const std::vector<Lea>& leas, int formNo, int group = 2);
  // Runs the file writer for the form name, answering the Save dialog with
  // Export/<file>; answers the writer's result.
  bool Write(AsciiExport& run, const std::string& formName, const std::string& file = "out.txt");
  std::filesystem::path ExportFile(const std::string& file = "out.txt") const {
    return ProgramFolder() / "Export" / file;
  }
  // A Tax row of 2019 (unless given) with the residence district, Secured
  // and the explanation ("NULL" for none).
  void AddTax(const Lea& lea, int period, int resDistrict, const std::string& secured = "1",
              const std::string& explanation = "NULL", int year = 2019);
  // Logs on as the county office 10199 of Elm County with `forms` selected
  // (by number) and the offices of `agencies` (districts) selected; opens
  // the main window.
  frmMain& OpenSelected(const std::vector<int>& agencies, const std::vector<int>& forms);
  // Runs File > Export > ASCII File, answering the Save dialog with
  // Export/<file> ("" cancels it; nullopt: no dialog expected); with
  // `report` the status window is expected, and its text answered ("\n"
  // line ends).
  std::string RunCommand(frmMain& w, const std::optional<std::string>& file, bool report = true);

  ScriptedClock clock_{vb::Date{vb::DateSerial(2019, 12, 9).serial + vb::TimeSerial(15, 4, 5).serial}};
};

#pragma once
// File > Print > "Certification E&xception" > "&County" and "&Auditor" of
// the main window: the answers to the certification questions of the
// window's own agency (its parameter copy, not the highlighted row) for
// its fiscal year and period, in a modal landscape preview. County shows
// the county office's four answers (question set 'COUNTY'), Auditor the
// county auditor's single answer (set 'TAX'). The commands print nothing
// themselves, write nothing and keep no log; printing is done from the
// preview.
//
// The parent item, District, Charter and SELPA have no command.
//
// The window is disabled while a command works and enabled on every way
// out; the job orientation is landscape exactly while the preview is open.
// Failures are reported under the command's own procedure name; Ignore
// goes on with the next step.

#include <functional>
#include <memory>
#include <string>

#include "report/Report.h"

class frmMain;

namespace printing {

// What differs between the two commands.
struct CertExceptionReport {
  const char* procedure;    // "mnuCertCounty_Click"
  const char* title;        // the report title in the page header
  const char* questionSet;  // TorbLeaNotes.TYPE
  // The report; none (or a failure) ends the run with "Not yet implemented".
  std::function<std::shared_ptr<report::Report>()> make;
  // Only a county office or a county auditor logon (groups 2 and 7) reads
  // answers; any other finds no records.
  bool countyOfficeOrAuditorOnly;
};
const CertExceptionReport& CountyExceptions();
const CertExceptionReport& AuditorExceptions();

// Runs one of the commands.
void ShowCertExceptions(frmMain& window, const CertExceptionReport& report);

// The preview's caption: "Certification Exception Report", the fiscal-year
// line, the period, "County : " and the county, "District : " and the
// district, joined by " \ ".
std::string CertExceptionCaption(const std::string& fiscalYearLine, const std::string& periodText,
                                 const std::string& countyName, const std::string& districtName);

// Installs both commands' bodies in the main window.
void InstallCertExceptionCommands();

}  // namespace printing

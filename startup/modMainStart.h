#pragma once
// The start procedure and the start module's services.
//
// Main runs once per process: it lets one copy of the program run, requires
// the Import and Export folders and the working database, fills the
// program-wide objects, reads the stored period and base path, tests the
// configured components for P-1, P-2 and Annual, and shows the logon window.
// ReadSettings and SaveSettings keep the base path (settings store) and the
// chosen period (table ReportPeriod). The services below serve windows all
// over the program: the wait box, the printer set-up, the form status of a
// window that opens, the notes window, the entry-screen report and the help
// page.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "clsGlobalParam.h"
#include "db/Recordset.h"

class Trap;

namespace modMain {

void Main();
void ReadSettings();
void SaveSettings();
// Tests that the configured validation and calculation components of the
// year and period can be created (modValidationCalculation::ComponentStatus,
// which then calculates with them) and shows what is missing in one
// message box; answers whether both are there.
bool ComponentsAvailable(std::int32_t year, std::int32_t period);
// "P-1", "P-2" or "Annual" for the global period (stored in its PeriodText
// too); "" for any other number.
std::string getPeriodText();

// Shows the wait box with the text, or closes it (and puts the normal
// pointer back) for the empty text. Failures pass silently.
void ShowWaitMsg(const std::string& Msg);
// Lets the user choose the printer of the program's print jobs.
void ShowPrinterSetup();
// Loads the form status of Param's agency, period and form into Param and
// sets up the window named by gstrCurrentForm ("frmMain", "New User",
// "Update User", ...).
void OnFormOpen(clsGlobalParam& Param);
// Copies the counts and dates of a form-status row (num_record, num_error,
// num_warning, last_modified_date, last_edit_check_date; any row with those
// columns) into Param, each one a step of the caller's guard. No row
// (nullptr) or a Null value gives 0, or the time "12:00:00 AM".
void CopyFormStatus(const db::Recordset* row, clsGlobalParam& Param, Trap& trap);
// Shows the notes of Param's agency and form modally; the notes window
// works on Param itself.
void ShowFormNote(clsGlobalParam& Param);

// The notes window as the start module drives it. The notes window
// implements it, and its module installs the maker of its shared instance.
class NotesWindow {
 public:
  virtual ~NotesWindow() = default;
  // The object the window works on (not owned).
  virtual void GParam(clsGlobalParam* param) = 0;
  // Loads the note of GParam's agency, year, period and form.
  virtual void RefreshData() = 0;
  virtual int ShowModal() = 0;
};
void SetFormNoteWindow(std::function<NotesWindow&()> maker);

// Prints or previews the entry-screen report of Param's form, agency, year
// and period (TableName is the form's table, "Tax" for the tax form; Flag
// is a switch of the report printer; the last argument is not read). The
// printer only reads Param: afterwards the caller's pointer holds the same
// object, unchanged. The printing module installs the printer of these
// reports; until one is installed the user is told that printing is not
// available.
void mPrintForm(std::shared_ptr<clsGlobalParam>& Param, const std::string& TableName, bool Flag, bool unused = false);
using FormPrinter = std::function<void(std::shared_ptr<clsGlobalParam>&, const std::string&, bool, bool)>;
void SetFormPrinter(FormPrinter printer);

// Opens the program's help page in the user's web browser: the page
// "/fg/sf/tc/tax1920.asp" on the server that the setting "HelpHost" names.
void ShowHelpPage();

}  // namespace modMain

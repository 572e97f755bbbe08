#pragma once
// Program-wide variables: the objects that live from start to exit and the
// values that windows hand to each other.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "clsGlobalParam.h"
#include "db/Connection.h"
#include "vb/Variant.h"

class clsMyAdoUtils;

namespace modGlobals {

// The program's version text, "19.00" in this release.
extern std::string gstrVersion;
// The connection string of the working database, set by every clsMyAdoUtils.
extern std::string gstrConnectionString;
// The global parameters and the database utility object.
extern std::unique_ptr<clsGlobalParam> gobjGlobalParam;
extern std::unique_ptr<clsMyAdoUtils> gobjAdoUtils;
// The same objects for use: error 91 when the object is not set. Code reads
// the program-wide objects only through these.
clsGlobalParam& GlobalParam();
clsMyAdoUtils& AdoUtils();
// The program's shared connection (Conn of gobjAdoUtils, opened when it is
// found closed); error 91 when there is none.
db::ConnectionPtr SharedConnection();

// The program's own process identifier, kept from start to exit.
extern std::int32_t glngProcessID;
// The window that is opening ("frmMain", "New User", "Update User", ...).
extern std::string gstrCurrentForm;
// The period mode: "1", "2" or "3" (P-1, P-2, Annual), or "PY_P2" /
// "PY_ANNUAL" for the prior-year corrections of P-2 and Annual.
extern std::string gstrPeriodMode;
// The prior-year correction mode is on.
extern bool gblnPriorYearMode;

// The correction context handed to and from the correction-reason window.
extern std::int16_t gintCorrectionFormNo;
extern std::string gstrCorrectionNote;
extern std::int16_t gintCorrectionReasonCode;
extern bool gblnCorrectionPending;

// The mode of the contact registration window: "Edit", "ImportContact" or
// "New User".
extern std::string gstrUserFormMode;
// The name of a contact just registered in "New User" mode, which the next
// logon window puts into its contact list (and empties); empty otherwise.
extern std::string gstrNewContactName;
// "LogOut" between the main window's log-out command and the unload that
// reads it (the logon window then comes back); empty otherwise.
extern std::string gstrLogOut;

// The tax type chosen on the tax form.
extern std::int16_t gintTaxType;
// County and district of residence behind the new-record and school dialogs.
extern std::int32_t glngResCountyID;
extern std::int32_t glngResSchoolDistrictID;
// County and district of the record chosen in the new-record dialog (0
// after cancel).
extern std::int32_t glngNewResCountyID;
extern std::int32_t glngNewResDistrictID;
// "Tax" while the tax form opens the new-record dialog, empty otherwise;
// the table in which the new-record and small-school dialogs look for an
// existing record.
extern std::string gstrNewRecSource;
// The record kind that the new-record dialog chose for the attendance form
// 45 (1 resident, 11 non-resident).
extern std::int16_t gintNewRecType;
// The school key that the new-record dialog hands back for the SELPA and
// small ROC/P forms.
extern std::int32_t glngNewSchoolID;
// The copy-to-P-2 dialog copied records.
extern bool gblnTaxCopied;
// The small-school window: the kind of small school handed to it (1
// elementary, 2 high, 3 continuation high), the school it hands back (never
// cleared by the window) and whether it has closed.
extern std::int16_t gintSmallSchoolType;
extern std::int32_t glngChosenSchoolID;
extern bool gblnAddSchoolClosed;

// Saved positions in the main window's agency and form lists.
extern std::int16_t gintSavedLEARow;
extern std::int16_t gintSavedFormRow;
// The school of the agency row that the main window's agency click last
// took up.
extern std::int32_t glngClickedSchoolID;

// Printing: a batch of reports is being printed; its log (one line per
// report); the caller text handed to the report printer ("MAIN"); the
// choice of the tax-summary dialog (a tax type, or 999 for close); the tax
// form's print command is printing; "Form" while the tax form prints; the
// title suffix of a special mode for report footers.
extern bool gblnBatchPrint;
extern std::string gstrPrintLog;
extern std::string gstrPrintCaller;
extern std::int16_t gintTaxSummaryChoice;
// The tax type the entry-screen report printer asked for: 999 while its
// tax dialog is open, 1 after a choice.
extern std::int16_t gintPrintTaxType;
extern bool gblnEntryScreenPrint;
extern std::string gstrPrintSource;
extern std::string gstrModeTitle;

// Certified data is being exported (the main window skips its refresh).
extern bool gblnExportRunning;
// The certification questions were left without storing answers (Cancel);
// the export's start command clears it before it shows them.
extern bool gblnQuestionsCancelled;

// The answer of the four-button question box (6, 7, 1 or 2).
extern std::int16_t gintMessageBoxAnswer;
// Show the status report without waiting (never set in this release).
extern bool gblnStatusModeless;

// True when an element of `list` from `startIndex` on equals `text`
// (exact comparison). A start index below 0 is error 9.
bool IsInArray(const std::vector<std::string>& list, const std::string& text, std::int16_t startIndex);

// The value rounded to `digits` decimal places, halves away from zero,
// computed exactly in decimal; Null stays Null. The result keeps the kind of
// the value (Decimal, Currency, whole numbers), other numbers answer Double.
// A value beyond the decimal's range (1E300) answers itself as a Double.
vb::Variant RoundHalfUp(const vb::Variant& value, std::int16_t digits);

// The fiscal year that this release is made for (2019 stands for 2019-20).
inline constexpr std::int32_t kFiscalYear = 2019;
// The last two digits of the year after `year` ("20" for 2019).
std::string NextYearDigits(std::int32_t year);
// "2019 - 20": the fiscal year, " - " and the last two digits of the next.
std::string GetFiscalYearRange();
// The captions that the logon window and the about box share: the program's
// name under the fiscal-year range, starting with an empty line, and
// "Version 2019-19.00" (the fiscal year and gstrVersion).
std::string SplashNameText();
std::string VersionText();

}  // namespace modGlobals

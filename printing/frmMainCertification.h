#pragma once
// The certification prints of the main window's File > Print menu, each
// ending with its run log in the status window:
//
// - "&Certification" (mnuNew_Certification_Click): a certificate page for
//   every selected agency and program whose data is certified and
//   exported as it stands.
// - "COE C&ertification" (mnu_Coe_Certification_Click): the county
//   office's own certification of each selected program, listing every
//   agency of the county with a clean, exported certification.
// - "Blan&k Certification" (mnunew_BlankCert_Click): certification forms
//   with empty contact lines, per agency, or per program with a county
//   heading only when no agency is selected.
//
// They share the print commands' frame (printer check, selection check,
// the agency grid's row kept and given back, the window disabled, the wait
// message) and read and write nothing but their reports. Every copy is one
// guarded step under the command's procedure name: Retry prints that copy
// again, Ignore goes on with the next one, and the log says only what came
// out. The wait message is closed and the window enabled on every way out.

#include <cstdint>
#include <string>

class frmMain;

namespace printing {

// The three commands.
void PrintCertificationCommand(frmMain& window);
void PrintCoeCertificationCommand(frmMain& window);
void PrintBlankCertificationCommand(frmMain& window);

// Installs the three command bodies into the main window.
void InstallCertificationCommands();

// The statement a certificate page carries: 1 (the auditor's) for a county
// office (district code starting "10") that a county auditor (logon group
// 7) prints, 2 (the county office's) for one anyone else prints, and 1
// for any other agency.
std::int32_t LetterStatementNumber(const std::string& district, std::int32_t logonGroup);

// The contact's phone digits as the county office's certification prints
// them: "(916)555-0123 * " and the extension, the punctuation always there.
std::string ContactPhoneText(const std::string& digits);

}  // namespace printing

#pragma once
// The form-status table LEA_FORMS_STATUS: one row per agency, period and
// form with the form's certificate number, counts and dates and its
// prior-year correction; and the notes of a form (TORB_FORM_NOTES), which
// go with its data.
//
// Every routine works on the connection it is given and on the scope and
// status its caller hands in. The procedures named after the classic ones
// trap their failures as those did (the status row's own writes are
// reported and the procedure goes on), so that a caller that makes one
// change of several steps checks with RequireFormStatus.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FormScope.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/SqlText.h"
#include "vb/Variant.h"

namespace modCOE {

// Adds the form's status row when it is missing, writes the certificate
// number, counts and dates of `status` into it (the edit-check date too
// when `withEditCheckDate`), and removes every status row without a
// certificate number. All of it is one change: a failure leaves the table
// as it was. `currentFormNo` is the form the program has open, which picks
// the kind of status row (a district form's, the county-model form's, any
// other's).
void UpdateCOEFormsStatus(const db::ConnectionPtr& conn, const forms::FormScope& P, const forms::FormStatus& status,
                          std::int32_t currentFormNo, bool withEditCheckDate);
// Resets the form's status row to a form without data (`clear`), or sets its
// certificate number, record count and modification date.
void UpdateSetCOEFormsStatus(const db::ConnectionPtr& conn, const forms::FormScope& P,
                             const forms::FormStatus& status, bool clear);
// Sets the certificate number, record count and modification and
// edit-check dates of the form's status row.
void UpdateSetCOEFormsStatusForNonEditCheckMultiForms(const db::ConnectionPtr& conn, const forms::FormScope& P,
                                                      const forms::FormStatus& status);
// Raises when the status procedures above did not write P's status row:
// when a status row of P's agency, period and form holds another
// certificate number or record count than `status`, or than none when
// `cleared`; with `required`, also when there is no such row.
void RequireFormStatus(const db::ConnectionPtr& conn, const forms::FormScope& P, const forms::FormStatus& status,
                       bool cleared, bool required);

// The query of P's status row (agency, year, period and form).
db::SqlText StatusRowQuery(const forms::FormScope& P);
// The statement that deletes P's status row (agency, year, period and
// form), for the caller to run on the connection it works on.
db::SqlText DeleteStatusRowStatement(const forms::FormScope& P);
// The status rows of P's county, year and period of any of the forms, in no
// particular order (the export's correction check reads the first).
db::SqlText CountyStatusRowsQuery(const forms::FormScope& P, const std::vector<std::int32_t>& formNos);
// Records the export of P's form at `exported` (its LAST_EXPORT_DATE);
// answers how many rows were written.
long long WriteLastExportDate(const db::ConnectionPtr& conn, const forms::FormScope& P, const vb::Date& exported);
// The status row of the agency's own form for a prior-year correction: at
// school 0 for a county office, district or county auditor (the scope's
// agency kind), at the agency's school for the others.
forms::FormScope CorrectionStatusScope(forms::FormScope P);
// Marks the status row of P corrected with the note and reason code;
// answers how many rows were written (0: the form has no status row).
long long WriteCorrectionReason(const db::ConnectionPtr& conn, const forms::FormScope& P, const std::string& note,
                                std::int32_t reasonCode);
// Takes the correction of P's status row back: not corrected, no note,
// reason code 0.
void ClearCorrectionReason(const db::ConnectionPtr& conn, const forms::FormScope& P);
// The number of the catalogue form of that name (any letter case); 0 after
// a reported failure.
std::int32_t getFormDetails(const db::ConnectionPtr& conn, const std::string& formName);

// --- Notes.

void TorbNotesDeletion(const db::ConnectionPtr& conn, std::int32_t year, std::int32_t district, std::int32_t county,
                       std::int32_t school, const std::string& formName, std::int16_t period);
// How many notes the form of P's agency, year and period has.
long NotesCount(const db::ConnectionPtr& conn, const forms::FormScope& P);
// The note rows of the form of P's agency, year and period, attached to
// the connection (a change is written at once).
db::RecordsetPtr FormNoteRows(const db::ConnectionPtr& conn, const forms::FormScope& P);

// One form's status row of an agency, year and period, as an import of
// rows names it: by school only for a form kept per school.
struct ImportedStatusKey {
  std::int32_t formNo = 0;
  std::int32_t year = 0;
  std::int32_t period = 0;
  std::int32_t county = 0;
  std::int32_t district = 0;
  std::optional<std::int32_t> school;  // none: the district's rows
};

// Writes the certificate number and record count of imported rows into
// the first status row of `key`, with the error and warning counts 0, the
// modification date `now` and no edit-check date; adds the row (no
// prior-year correction) when there is none. Failures pass to the caller.
void WriteImportedStatus(db::Connection& conn, const ImportedStatusKey& key, std::int32_t certificate,
                         std::int32_t records, const vb::Date& now);

// Whether a status row of `key` exists.
bool HasStatusRow(db::Connection& conn, const ImportedStatusKey& key);

// Clears the edit-check results (counts 0, no date) of the status rows of
// `key` that count rows. Failures pass to the caller.
void ClearEditChecks(db::Connection& conn, const ImportedStatusKey& key);

// Clears the edit-check date of the first status row of `key` (the lowest
// school) when that row counts rows; its counts stay. Failures pass to the
// caller.
void ClearFirstEditCheckDate(db::Connection& conn, const ImportedStatusKey& key);

// --- Pruning a copy's status table down to what a certified-data file
// carries. Each answers its statement for the caller to run on the copy's
// connection; values are bound. A condition text comes from the export's
// selection: column names and whole numbers only.

// Rows without a certificate number or a row count.
db::SqlText DeleteUncertifiedStatusRows();
// Rows of a county other than `county`, or of a district other than
// `district`; the forms another county's office files for an agency stay.
db::SqlText DeleteOtherCountyStatusRows(std::int32_t county);
db::SqlText DeleteOtherDistrictStatusRows(std::int32_t district);
// Rows outside the exported scope: of a form `formExclusion` leaves out, of
// another year or period, outside the counties `countyExclusion` keeps, or,
// with `ownAgency` (district, school), of any other agency. The forms in
// `keptForms` are not pruned for the form exclusion (the rest still holds).
db::SqlText DeleteStatusRowsOutsideScope(const std::string& formExclusion, const std::string& countyExclusion,
                                         std::int32_t year, std::int32_t period,
                                         const std::vector<std::int32_t>& keptForms,
                                         std::optional<std::pair<std::int32_t, std::int32_t>> ownAgency);
// Rows of a prior year that were not corrected.
db::SqlText DeleteUncorrectedStatusRows();
// Rows of a county other than `county` whose district is not in
// `districtList` (whole numbers separated by commas, not empty).
db::SqlText DeleteOtherCountyStatusRowsOutside(std::int32_t county, const std::string& districtList);
// Rows without a row count, and with `orCondition` (empty: none) the rows it
// matches.
db::SqlText DeleteUncountedStatusRows(const std::string& orCondition);
// Rows `condition` matches.
db::SqlText DeleteStatusRowsWhere(const std::string& condition);
// Rows of the district's schools other than `school`.
db::SqlText DeleteOtherSchoolStatusRows(std::int32_t district, std::int32_t school);
// Every status row whose form is in the catalogue and whose agency is in
// the directory of its year, with its form's name (form_group_name), its
// keys, the agency's names and its CERTIFICATE: a certified-data file's
// table of contents.
db::SqlText StatusRowsWithFormAndAgencyQuery();
// A charter school's form-50 row moved under the district `toDistrict`
// (the county office's, whose block grant the file carries it in).
db::SqlText MoveCharterForm50StatusRow(const vb::Variant& toDistrict, std::int32_t county, std::int32_t district,
                                       const vb::Variant& school);

}  // namespace modCOE

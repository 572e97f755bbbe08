#pragma once
// The entry-screen list of an agency: the forms of the catalogue that apply
// to it in the fiscal year and period, joined with its status rows, and the
// upkeep of those status rows (a missing row added, the residency form's
// counts, the agencies' prior-year corrected mark).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "FormScope.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/SqlText.h"

namespace forms {

// Which forms a list holds.
struct EntryScreenList {
  FormScope agency;         // county, district, school, year and period
  std::string periodText;   // "P-1", "P-2" or "Annual", as the catalogue names periods
  std::int32_t logonGroup = 0;
  // The catalogue's applicability column of the kind shown ("COE", "SCHD",
  // "CHARTER", "SELPA"); none lists nothing.
  std::optional<std::string> flag;
  bool p2Correction = false;
  std::optional<std::string> category;    // the catalogue category, when one
  std::optional<std::string> formNoList;  // "21, 29": only those forms
};

// The catalogue's forms of the list without the status rows, to learn
// whether the status rows need their upkeep.
db::SqlText ApplicableFormsQuery(const EntryScreenList& list);
// The list: catalogue rows with the agency's status rows of the year and
// period (SELECTED, FORM_DISPLAY_NAME, CORRECTED, REASON_CODE, FORM_TITLE1,
// FORM_NAME, FORM_NO, CERTIFICATE_NUMBER as eight hexadecimal digits,
// NUM_RECORD, NUM_ERROR, NUM_WARNING, the four dates, PY_CORRECTION_NOTE,
// PY_REASON_CODE, program_type; the form-number list without the
// correction columns), ordered by OrderNo.
db::SqlText EntryScreenQuery(const EntryScreenList& list);
// The pattern that matches the period in the catalogue's REPORTING_PERIOD.
vb::Variant PeriodPattern(const std::string& periodText);

// Status rows with 3 records of the residency form are counted as 2, for
// every agency.
void CountResidencyRecords(const db::ConnectionPtr& conn);
// Adds the agency's status row of the form when it has none: its keys, the
// year and period, the form and no prior-year correction; the other columns
// are the table's.
void AddMissingStatusRow(const db::ConnectionPtr& conn, const FormScope& agency, const vb::Variant& formNo);
// The prior-year roll-up: PY_LEA_CORRECTED of each agency of `agencies`
// (fiscal_year, school_district_id, school_id, county_id) is 'Yes' when
// one of its status rows of the period (of the forms given, or any) is
// marked corrected, else 'No'. All of it is one change: a failure leaves
// every mark as it was. `uncorrected` runs after each agency left 'No'.
void RollUpCorrections(const db::ConnectionPtr& conn, db::Recordset& agencies, std::int32_t period,
                       const std::vector<int>* forms, const std::function<void()>& uncorrected);

}  // namespace forms

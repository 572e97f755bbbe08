#pragma once
// What the certification prints read: whether an agency's form counts as
// certified (its status row), the rows of the certified-data exports
// (EXPORT_FILE_INFO), the certification statements of a form group
// (TORB_FORM_GROUP_CERT, reference data nothing writes) and the county
// office's directory rows. Every value is bound; the status row itself is
// modCOE::StatusRowQuery.

#include <cstdint>
#include <optional>
#include <string>

#include "FormScope.h"
#include "db/Recordset.h"
#include "db/SqlText.h"
#include "vb/Variant.h"

namespace certification {

// What the certification test reads of a form's status row.
struct StatusFacts {
  vb::Variant records;    // NUM_RECORD
  vb::Variant errors;     // NUM_ERROR
  vb::Variant modified;   // LAST_MODIFIED_DATE
  vb::Variant editCheck;  // LAST_EDIT_CHECK_DATE
  vb::Variant exported;   // LAST_EXPORT_DATE
  vb::Variant imported;   // LAST_IMPORT_DATE
};

// The facts of the status row `status` stands on.
StatusFacts FactsOf(db::Recordset& status);

// The form's data is certified and exported as it stands: it has records
// and no error, it was edit-checked on or after its last change and
// exported on or after that check, and nothing was imported after the
// export. The dates compare as dates, whatever text they are stored as;
// a missing count or date (Null), or a date that reads as none, fails.
bool Certified(const StatusFacts& facts);

// The certified export rows of the scope's agency, year and period for a
// form group, with the certificate as eight hexadecimal digits (text) and
// the columns a certificate page reads: FORM_GROUP_NAME, FISCAL_YEAR,
// PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_DISTRICT_NAME,
// SCHOOL_ID, SCHOOL_NAME, CERTIFICATE, CERTIFIED_DATE, Contact, PHONE,
// FAX, EMAIL. Rows without a certificate are left out.
db::SqlText AgencyExportRows(const forms::FormScope& agency, const std::string& formGroup);

// The form group's statement rows of one statement number (all columns).
db::SqlText Statements(const std::string& formGroup, std::int32_t statementNo);

// The statements of a catalogue form, each with the form's catalogue row:
// FORM_NO, FORM_NAME, FORM_DISPLAY_NAME, FORM_GROUP, SNO, CERT_CONTENT,
// and both titles by qualified name ("VHO_TORB_FORMS.FORM_TITLE1",
// "TORB_FORM_GROUP_CERT.FORM_TITLE1"), as the certification form binds
// the statement's title; of one statement number when given, in statement
// order.
db::SqlText FormStatements(std::int32_t formNo, std::optional<std::int32_t> statementNo = std::nullopt);

// The export rows of a county's agencies for a form group, year and period
// that carry a certificate and a certification date, in the order county,
// district, school.
db::SqlText CountyExportRows(std::int32_t year, std::int32_t period, std::int32_t county,
                             const std::string& formGroup);

// The county's county-office directory row of the year: the open one
// (`open`), whose codes the county office's certification prints, or the
// one at school 0, whose name it prints.
db::SqlText CountyOfficeRow(std::int32_t year, std::int32_t county, bool open);

}  // namespace certification

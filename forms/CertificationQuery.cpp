#include "CertificationQuery.h"

#include "vb/Conversions.h"

using db::Param;
using vb::Variant;

namespace certification {

StatusFacts FactsOf(db::Recordset& status) {
  return {status.Value("NUM_RECORD"),        status.Value("NUM_ERROR"),        status.Value("LAST_MODIFIED_DATE"),
          status.Value("LAST_EDIT_CHECK_DATE"), status.Value("LAST_EXPORT_DATE"), status.Value("LAST_IMPORT_DATE")};
}

namespace {

// The date a value holds; none for Null or a text that is no date.
std::optional<vb::Date> DateOf(const Variant& v) {
  if (v.IsNull() || !vb::IsDate(v)) return std::nullopt;
  return vb::CDate(v);
}

std::optional<double> NumberOf(const Variant& v) {
  if (v.IsNull() || !vb::IsNumeric(v)) return std::nullopt;
  return vb::CDbl(v);
}

}  // namespace

bool Certified(const StatusFacts& facts) {
  const auto records = NumberOf(facts.records);
  const auto errors = NumberOf(facts.errors);
  const auto modified = DateOf(facts.modified);
  const auto editCheck = DateOf(facts.editCheck);
  const auto exported = DateOf(facts.exported);
  if (!records || !errors || !modified || !editCheck || !exported) return false;
  if (*records <= 0 || *errors != 0) return false;
  if (*editCheck < *modified || *exported < *editCheck) return false;
  if (facts.imported.IsNull()) return true;
  const auto imported = DateOf(facts.imported);
  return imported && *imported <= *exported;
}

db::SqlText AgencyExportRows(const forms::FormScope& agency, const std::string& formGroup) {
  db::SqlText q;
  q << "SELECT FORM_GROUP_NAME, FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_DISTRICT_NAME, "
       "SCHOOL_ID, SCHOOL_NAME, hex8(CERTIFICATE) AS CERTIFICATE, CERTIFIED_DATE, Contact, PHONE, FAX, EMAIL "
       "FROM EXPORT_FILE_INFO WHERE PERIOD_ID = "
    << Param(Variant(agency.period)) << " AND FISCAL_YEAR = " << Param(Variant(agency.year))
    << " AND COUNTY_ID = " << Param(Variant(agency.county)) << " AND SCHOOL_DISTRICT_ID = "
    << Param(Variant(agency.district)) << " AND SCHOOL_ID = " << Param(Variant(agency.school))
    << " AND CERTIFICATE IS NOT NULL AND FORM_GROUP_NAME = " << Param(Variant(formGroup));
  return q;
}

db::SqlText Statements(const std::string& formGroup, std::int32_t statementNo) {
  db::SqlText q;
  q << "SELECT * FROM TORB_FORM_GROUP_CERT WHERE FORM_GROUP = " << Param(Variant(formGroup))
    << " AND SNO = " << Param(Variant(statementNo));
  return q;
}

db::SqlText FormStatements(std::int32_t formNo, std::optional<std::int32_t> statementNo) {
  db::SqlText q;
  q << "SELECT VHO_TORB_FORMS.FORM_NO, VHO_TORB_FORMS.FORM_NAME, VHO_TORB_FORMS.FORM_DISPLAY_NAME, "
       "VHO_TORB_FORMS.FORM_TITLE1 AS \"VHO_TORB_FORMS.FORM_TITLE1\", TORB_FORM_GROUP_CERT.FORM_GROUP, "
       "TORB_FORM_GROUP_CERT.SNO, TORB_FORM_GROUP_CERT.CERT_CONTENT, "
       "TORB_FORM_GROUP_CERT.FORM_TITLE1 AS \"TORB_FORM_GROUP_CERT.FORM_TITLE1\" "
       "FROM VHO_TORB_FORMS JOIN TORB_FORM_GROUP_CERT ON TORB_FORM_GROUP_CERT.FORM_GROUP = VHO_TORB_FORMS.FORM_NAME "
       "WHERE VHO_TORB_FORMS.FORM_NO = "
    << Param(Variant(formNo));
  if (statementNo) q << " AND TORB_FORM_GROUP_CERT.SNO = " << Param(Variant(*statementNo));
  q << " ORDER BY TORB_FORM_GROUP_CERT.SNO";
  return q;
}

db::SqlText CountyExportRows(std::int32_t year, std::int32_t period, std::int32_t county,
                             const std::string& formGroup) {
  db::SqlText q;
  q << "SELECT * FROM EXPORT_FILE_INFO WHERE FISCAL_YEAR = " << Param(Variant(year))
    << " AND PERIOD_ID = " << Param(Variant(period))
    << " AND CERTIFIED_DATE IS NOT NULL AND CERTIFICATE IS NOT NULL AND FORM_GROUP_NAME = " << Param(Variant(formGroup))
    << " AND COUNTY_ID = " << Param(Variant(county)) << " ORDER BY COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID";
  return q;
}

db::SqlText CountyOfficeRow(std::int32_t year, std::int32_t county, bool open) {
  db::SqlText q;
  q << "SELECT * FROM KRN_LEAS WHERE FISCAL_YEAR = " << Param(Variant(year)) << " AND LEA_TYPE = 2"
    << (open ? " AND STAT_TYPE = 'OPEN'" : " AND SCHOOL_ID = 0") << " AND COUNTY_ID = " << Param(Variant(county))
    << " ORDER BY SCHOOL_DISTRICT_ID, SCHOOL_ID";
  return q;
}

}  // namespace certification

#include "modCOEStatus.h"

#include "FormData.h"
#include "FormNumbers.h"
#include "vb/Conversions.h"
#include "vb/Trap.h"

using vb::Variant;

namespace modCOE {
namespace {

constexpr const char* kModule = "modCOE";

using forms::formno::IsDistrictForm;
using forms::formno::kCountyModel;

// A disconnected record set of a query; failures pass to the caller.
db::RecordsetPtr Snapshot(const db::ConnectionPtr& conn, const std::string& sql, std::vector<Variant> params) {
  auto rs = db::Recordset::Query(sql, forms::Required(conn), std::move(params));
  rs->ActiveConnection(nullptr);
  return rs;
}

// The condition that picks one form's status row of P's agency.
const char* kStatusRow =
    " where fiscal_year = ? and period_id = ? and county_id = ? and school_district_id = ? and school_id = ? "
    "and Form_No = ?";

std::vector<Variant> StatusRowKey(const forms::FormScope& P) {
  return {Variant(P.year), Variant(P.period), Variant(P.county), Variant(P.district), Variant(P.school),
          Variant(P.formNo)};
}

}  // namespace

void UpdateCOEFormsStatus(const db::ConnectionPtr& conn, const forms::FormScope& P, const forms::FormStatus& status,
                          std::int32_t currentFormNo, bool withEditCheckDate) {
  Trap trap(kModule, "UpdateCOEFormsStatus");
  trap([&] {
    const std::int32_t F = currentFormNo;
    db::Connection& db = *forms::Required(conn);
    const Variant year(P.year), period(P.period), county(P.county), district(P.district), formNo(P.formNo);
    const std::string countyRows =
        " select * from LEA_FORMS_STATUS where FORM_NO = ? and COUNTY_ID = ? and PERIOD_ID = ? and FISCAL_YEAR = ? "
        "and school_id = 0";
    const std::string countyModel =
        "select FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, count(*) as NumCount from countymodel "
        "where period_id = ? and COUNTY_ID = ? and FISCAL_YEAR = ? "
        "group by FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID order by county_id, school_district_id";

    db::Transaction trans(db);
    db::RecordsetPtr S;
    db::RecordsetPtr M;
    if (IsDistrictForm(F)) {
      S = Snapshot(conn,
                   " select * from LEA_FORMS_STATUS where FORM_NO = ? and COUNTY_ID = ? and SCHOOL_DISTRICT_ID = ? "
                   "and PERIOD_ID = ? and FISCAL_YEAR = ? and school_id = 0",
                   {formNo, county, district, period, year});
    } else if (F == kCountyModel) {
      S = Snapshot(conn, countyRows, {formNo, county, period, year});
    } else {
      S = Snapshot(conn,
                   " select * from LEA_FORMS_STATUS where FORM_NO = ? and COUNTY_ID = ? and SCHOOL_DISTRICT_ID = ? "
                   "and SCHOOL_ID = ? and PERIOD_ID = ? and FISCAL_YEAR = ?",
                   {formNo, county, district, Variant(P.school), period, year});
    }

    // The county form replaces the rows of all the county's districts.
    if (S->RecordCount() > 0 && F == kCountyModel) {
      db.Execute(
          "delete from LEA_FORMS_STATUS where FORM_NO = ? and COUNTY_ID = ? and PERIOD_ID = ? "
          "and FISCAL_YEAR = ? and school_id = 0",
          {formNo, county, period, year});
      S = Snapshot(conn, countyRows, {formNo, county, period, year});
    }

    if (S->RecordCount() == 0) {
      if (F == kCountyModel) {
        M = Snapshot(conn, countyModel, {period, county, year});
        if (M->RecordCount() > 0) {
          for (M->MoveFirst(); !M->Eof(); M->MoveNext()) {
            db.Execute(
                "insert into lea_forms_status (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, "
                "FORM_NO, CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_MODIFIED_DATE, "
                "LAST_EDIT_CHECK_DATE, py_reason_code, py_forms_corrected) values (?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?, "
                "?, 0, 'No')",
                {year, period, county, M->Value("school_district_id"), formNo, Variant(status.certificate),
                 M->Value("NumCount"), Variant(status.errors), Variant(status.warnings),
                 Variant(status.lastModified), Variant(status.editCheck)});
          }
        }
      } else {
        S->AddNew();
        S->SetValue("FISCAL_YEAR", year);
        S->SetValue("PERIOD_ID", period);
        S->SetValue("COUNTY_ID", county);
        S->SetValue("SCHOOL_DISTRICT_ID", district);
        S->SetValue("PY_REASON_CODE", Variant(0));
        S->SetValue("PY_FORMS_CORRECTED", Variant("No"));
        // The district forms leave the school to the table's default of 0.
        if (!(IsDistrictForm(F) || F == kCountyModel)) S->SetValue("SCHOOL_ID", Variant(P.school));
        S->SetValue("FORM_NO", formNo);
        S->Update();
      }
    }

    if (P.formNo == kCountyModel && S->RecordCount() == 0) {
      M = Snapshot(conn, countyModel, {period, county, year});
      S = Snapshot(conn, countyRows + " and CERTIFICATE_NUMBER is not null", {formNo, county, period, year});
    }

    if (S->RecordCount() > 0) {
      for (S->MoveFirst(); !S->Eof(); S->MoveNext()) {
        if (withEditCheckDate) S->SetValue("LAST_EDIT_CHECK_DATE", Variant(status.editCheck));
        if (P.formNo == kCountyModel) {
          // The county-model counts, read above unless P and the program's
          // current form disagree.
          db::Recordset& counts = vb::Deref(M);
          const Variant rowDistrict = S->Value("school_district_id");
          counts.Filter([&](const db::RowView& row) { return vb::Equal(row.Value("school_district_id"), rowDistrict); });
          S->SetValue("NUM_RECORD", counts.RecordCount() > 0 ? counts.Value("NumCount") : vb::Null);
          counts.Filter("");
        } else {
          S->SetValue("NUM_RECORD", Variant(status.records));
        }
        S->SetValue("CERTIFICATE_NUMBER", Variant(status.certificate));
        S->SetValue("NUM_ERROR", Variant(status.errors));
        S->SetValue("NUM_WARNING", Variant(status.warnings));
        S->SetValue("LAST_MODIFIED_DATE", Variant(status.lastModified));
      }
    }

    forms::Submit(conn, *S);
    // A status row without a certificate stands for a form without data.
    db.Execute("delete from LEA_FORMS_STATUS where CERTIFICATE_NUMBER is null");
    trans.Commit();
  });
}

void UpdateSetCOEFormsStatus(const db::ConnectionPtr& conn, const forms::FormScope& P,
                             const forms::FormStatus& status, bool clear) {
  Trap trap(kModule, "UpdateSetCOEFormsStatus");
  trap([&] {
    std::vector<Variant> params;
    std::string sql;
    if (clear) {
      sql =
          "Update LEA_FORMS_STATUS set CERTIFICATE_NUMBER = null, NUM_RECORD = null, NUM_ERROR = null, "
          "NUM_WARNING = null, LAST_EDIT_CHECK_DATE = null, LAST_EXPORT_DATE = null, LAST_MODIFIED_DATE = null, "
          "LAST_IMPORT_DATE = null, PY_REASON_CODE = 0, PY_CORRECTION_NOTE = null, PY_FORMS_CORRECTED = 'No'";
    } else {
      sql = "Update LEA_FORMS_STATUS set CERTIFICATE_NUMBER = ?, NUM_RECORD = ?, LAST_MODIFIED_DATE = ?";
      params = {Variant(status.certificate), Variant(status.records), Variant(status.lastModified)};
    }
    for (Variant& v : StatusRowKey(P)) params.push_back(std::move(v));
    // The connection is this procedure's to have; the statement reports
    // its own failure.
    forms::Execute(forms::Required(conn), sql + kStatusRow, params);
  });
}

void UpdateSetCOEFormsStatusForNonEditCheckMultiForms(const db::ConnectionPtr& conn, const forms::FormScope& P,
                                                      const forms::FormStatus& status) {
  Trap trap(kModule, "UpdateSetCOEFormsStatusForNonEditCheckMultiForms");
  trap([&] {
    std::vector<Variant> params = {Variant(status.certificate), Variant(status.records),
                                   Variant(status.lastModified), Variant(status.editCheck)};
    for (Variant& v : StatusRowKey(P)) params.push_back(std::move(v));
    forms::Execute(forms::Required(conn),
                   std::string("Update LEA_FORMS_STATUS set CERTIFICATE_NUMBER = ?, NUM_RECORD = ?, "
                               "LAST_MODIFIED_DATE = ?, LAST_EDIT_CHECK_DATE = ?") +
                       kStatusRow,
                   params);
  });
}

void RequireFormStatus(const db::ConnectionPtr& conn, const forms::FormScope& P, const forms::FormStatus& status,
                       bool cleared, bool required) {
  db::Connection& db = *forms::Required(conn);
  const std::string rows = std::string("select count(*) from LEA_FORMS_STATUS") + kStatusRow;
  std::vector<Variant> others = StatusRowKey(P);
  others.push_back(cleared ? vb::Null : Variant(status.certificate));
  others.push_back(cleared ? vb::Null : Variant(status.records));
  const bool differs =
      vb::CLng(db.Scalar(rows + " and not (CERTIFICATE_NUMBER is ? and NUM_RECORD is ?)", others)) > 0;
  const bool missing = required && vb::CLng(db.Scalar(rows, StatusRowKey(P))) < 1;
  if (differs || missing) vb::Raise(vb::err::Unspecified, "The form status was not written.");
}

db::SqlText StatusRowQuery(const forms::FormScope& P) {
  db::SqlText q;
  q << "select * from lea_forms_status where fiscal_year = " << db::Param(Variant(P.year))
    << " and period_id = " << db::Param(Variant(P.period)) << " and county_id = " << db::Param(Variant(P.county))
    << " and school_district_id = " << db::Param(Variant(P.district))
    << " and school_id = " << db::Param(Variant(P.school)) << " and form_no = " << db::Param(Variant(P.formNo));
  return q;
}

db::SqlText DeleteStatusRowStatement(const forms::FormScope& P) {
  db::SqlText q;
  q << "DELETE FROM lea_forms_status where fiscal_year = " << db::Param(Variant(P.year))
    << " and period_id = " << db::Param(Variant(P.period)) << " and county_id = " << db::Param(Variant(P.county))
    << " and school_district_id = " << db::Param(Variant(P.district))
    << " and school_id = " << db::Param(Variant(P.school)) << " and form_no = " << db::Param(Variant(P.formNo));
  return q;
}

db::SqlText CountyStatusRowsQuery(const forms::FormScope& P, const std::vector<std::int32_t>& formNos) {
  db::SqlText q;
  q << "select * from lea_forms_status where fiscal_year = " << db::Param(Variant(P.year))
    << " and period_id = " << db::Param(Variant(P.period)) << " and county_id = " << db::Param(Variant(P.county))
    << " and form_no in (";
  for (std::size_t i = 0; i < formNos.size(); ++i) q << (i ? ", " : "") << db::Param(Variant(formNos[i]));
  q << ")";
  return q;
}

long long WriteLastExportDate(const db::ConnectionPtr& conn, const forms::FormScope& P, const vb::Date& exported) {
  std::vector<Variant> values = {Variant(exported)};
  for (Variant& v : StatusRowKey(P)) values.push_back(std::move(v));
  return forms::Required(conn)->Execute(std::string("UPDATE lea_forms_status SET LAST_EXPORT_DATE = ?") + kStatusRow,
                                        values);
}

forms::FormScope CorrectionStatusScope(forms::FormScope P) {
  if (P.agencyKind == 2 || P.agencyKind == 3 || P.agencyKind == 7) P.school = 0;
  return P;
}


long long WriteCorrectionReason(const db::ConnectionPtr& conn, const forms::FormScope& P, const std::string& note,
                                std::int32_t reasonCode) {
  std::vector<Variant> values = {Variant(note), Variant(reasonCode)};
  for (Variant& v : StatusRowKey(P)) values.push_back(std::move(v));
  return forms::Required(conn)->Execute(
      std::string("UPDATE lea_forms_status SET PY_FORMS_CORRECTED = 'Yes', PY_CORRECTION_NOTE = ?, PY_REASON_CODE = ?") +
          kStatusRow,
      values);
}

void ClearCorrectionReason(const db::ConnectionPtr& conn, const forms::FormScope& P) {
  forms::Required(conn)->Execute(
      std::string("update lea_forms_status set PY_FORMS_CORRECTED = 'No', PY_CORRECTION_NOTE = null, "
                  "PY_REASON_CODE = 0") +
          kStatusRow,
      StatusRowKey(P));
}

std::int32_t getFormDetails(const db::ConnectionPtr& conn, const std::string& formName) {
  std::int32_t formNo = 0;
  Trap trap(kModule, "getFormDetails");
  trap([&] {
    auto rs =
        Snapshot(conn, "select FORM_NO from VHO_TORB_FORMS where upper(FORM_NAME) = ?", {Variant(vb::UCase(formName))});
    formNo = vb::CLng(rs->Value("FORM_NO"));
  });
  return formNo;
}

// --- Notes -------------------------------------------------------------------

namespace {

// The notes of the form of P's agency, year and period: `what` of them.
db::SqlText NotesOf(const char* what, const forms::FormScope& P) {
  db::SqlText q;
  q << "select " << what << " from TORB_FORM_NOTES where county_id = " << db::Param(Variant(P.county))
    << " and school_district_id = " << db::Param(Variant(P.district))
    << " and school_id = " << db::Param(Variant(P.school)) << " and fiscal_year = " << db::Param(Variant(P.year))
    << " and period_id = " << db::Param(Variant(P.period)) << " and form_name = " << db::Param(Variant(P.formName));
  return q;
}

}  // namespace

void TorbNotesDeletion(const db::ConnectionPtr& conn, std::int32_t year, std::int32_t district, std::int32_t county,
                       std::int32_t school, const std::string& formName, std::int16_t period) {
  Trap trap(kModule, "TorbNotesDeletion");
  trap([&] {
    forms::Required(conn)->Execute(
        "DELETE FROM TORB_FORM_NOTES WHERE Fiscal_Year = ? And Period_ID = ? And County_ID = ? "
        "And School_District_ID = ? And SCHOOL_ID = ? and FOrm_Name = ?",
        {Variant(year), Variant(period), Variant(county), Variant(district), Variant(school), Variant(formName)});
  });
}

long NotesCount(const db::ConnectionPtr& conn, const forms::FormScope& P) {
  const db::SqlText q = NotesOf("count(*)", P);
  return vb::CLng(forms::Required(conn)->Scalar(q.Sql(), q.Params()));
}

db::RecordsetPtr FormNoteRows(const db::ConnectionPtr& conn, const forms::FormScope& P) {
  return forms::OpenAttached(conn, NotesOf("*", P));
}

namespace {

// The condition that picks the status rows of `key`.
void WhereStatusRow(db::SqlText& q, const ImportedStatusKey& key) {
  q << " WHERE FORM_NO = " << db::Param(key.formNo) << " AND COUNTY_ID = " << db::Param(key.county)
    << " AND SCHOOL_DISTRICT_ID = " << db::Param(key.district) << " AND PERIOD_ID = " << db::Param(key.period)
    << " AND FISCAL_YEAR = " << db::Param(key.year);
  if (key.school) q << " AND SCHOOL_ID = " << db::Param(*key.school);
}

}  // namespace

void WriteImportedStatus(db::Connection& conn, const ImportedStatusKey& key, std::int32_t certificate,
                         std::int32_t records, const vb::Date& now) {
  db::SqlText find;
  find << "SELECT rowid FROM LEA_FORMS_STATUS";
  WhereStatusRow(find, key);
  find << " ORDER BY rowid LIMIT 1";
  const Variant found = conn.Scalar(find.Sql(), find.Params());
  db::SqlText write;
  if (vb::IsNull(found) || vb::IsEmpty(found)) {
    write << "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, PY_REASON_CODE, "
             "PY_FORMS_CORRECTED, "
          << (key.school ? "SCHOOL_ID, " : "")
          << "FORM_NO, CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_MODIFIED_DATE, "
             "LAST_EDIT_CHECK_DATE) VALUES ("
          << db::Param(key.year) << ", " << db::Param(key.period) << ", " << db::Param(key.county) << ", "
          << db::Param(key.district) << ", 0, 'No', ";
    if (key.school) write << db::Param(*key.school) << ", ";
    write << db::Param(key.formNo) << ", " << db::Param(certificate) << ", " << db::Param(records) << ", 0, 0, "
          << db::Param(Variant(now)) << ", NULL)";
  } else {
    write << "UPDATE LEA_FORMS_STATUS SET CERTIFICATE_NUMBER = " << db::Param(certificate)
          << ", NUM_RECORD = " << db::Param(records)
          << ", NUM_ERROR = 0, NUM_WARNING = 0, LAST_MODIFIED_DATE = " << db::Param(Variant(now))
          << ", LAST_EDIT_CHECK_DATE = NULL WHERE rowid = " << db::Param(found);
  }
  conn.Execute(write.Sql(), write.Params());
}

bool HasStatusRow(db::Connection& conn, const ImportedStatusKey& key) {
  db::SqlText q;
  q << "SELECT EXISTS (SELECT 1 FROM LEA_FORMS_STATUS";
  WhereStatusRow(q, key);
  q << ")";
  return vb::CLng(conn.Scalar(q.Sql(), q.Params())) != 0;
}

void ClearEditChecks(db::Connection& conn, const ImportedStatusKey& key) {
  db::SqlText clear;
  clear << "UPDATE LEA_FORMS_STATUS SET NUM_ERROR = 0, NUM_WARNING = 0, LAST_EDIT_CHECK_DATE = NULL";
  WhereStatusRow(clear, key);
  clear << " AND NUM_RECORD > 0";
  conn.Execute(clear.Sql(), clear.Params());
}

void ClearFirstEditCheckDate(db::Connection& conn, const ImportedStatusKey& key) {
  db::SqlText clear;
  clear << "UPDATE LEA_FORMS_STATUS SET LAST_EDIT_CHECK_DATE = NULL WHERE NUM_RECORD > 0 AND rowid ="
           " (SELECT rowid FROM LEA_FORMS_STATUS";
  WhereStatusRow(clear, key);
  clear << " ORDER BY SCHOOL_ID LIMIT 1)";
  conn.Execute(clear.Sql(), clear.Params());
}

// --- Pruning a copy's status table ------------------------------------------

namespace {
// The forms another county's office files for an agency: a copy keeps them
// whatever the agency's county or district.
constexpr const char* kFiledByOtherOffices = " and form_no not in (100, 101, 102, 400)";
}  // namespace

db::SqlText DeleteUncertifiedStatusRows() {
  db::SqlText q;
  q << "DELETE FROM lea_forms_status WHERE certificate_number IS NULL OR num_record IS NULL";
  return q;
}

db::SqlText DeleteOtherCountyStatusRows(std::int32_t county) {
  db::SqlText q;
  q << "DELETE FROM lea_forms_status WHERE county_id <> " << db::Param(Variant(county)) << kFiledByOtherOffices;
  return q;
}

db::SqlText DeleteOtherDistrictStatusRows(std::int32_t district) {
  db::SqlText q;
  q << "DELETE FROM lea_forms_status WHERE school_district_id <> " << db::Param(Variant(district))
    << kFiledByOtherOffices;
  return q;
}

db::SqlText DeleteStatusRowsOutsideScope(const std::string& formExclusion, const std::string& countyExclusion,
                                         std::int32_t year, std::int32_t period,
                                         const std::vector<std::int32_t>& keptForms,
                                         std::optional<std::pair<std::int32_t, std::int32_t>> ownAgency) {
  db::SqlText q;
  q << "DELETE FROM lea_forms_status WHERE ";
  for (std::int32_t form : keptForms) q << "form_no <> " << db::Param(Variant(form)) << " AND ";
  q << "( " << formExclusion << " ) OR (fiscal_year <> " << db::Param(Variant(year))
    << " OR period_id <> " << db::Param(Variant(period)) << " OR " << countyExclusion;
  if (ownAgency)
    q << " OR school_district_id <> " << db::Param(Variant(ownAgency->first))
      << " OR school_id <> " << db::Param(Variant(ownAgency->second));
  q << ")";
  return q;
}

db::SqlText DeleteUncorrectedStatusRows() {
  db::SqlText q;
  q << "DELETE FROM lea_forms_status WHERE py_forms_corrected = " << db::Param(Variant("No"));
  return q;
}

db::SqlText DeleteOtherCountyStatusRowsOutside(std::int32_t county, const std::string& districtList) {
  db::SqlText q;
  q << "DELETE FROM lea_forms_status WHERE county_id <> " << db::Param(Variant(county))
    << " AND school_district_id NOT IN (" << districtList << ")";
  return q;
}

db::SqlText DeleteUncountedStatusRows(const std::string& orCondition) {
  db::SqlText q;
  q << "DELETE FROM lea_forms_status WHERE num_record IS NULL";
  if (!orCondition.empty()) q << " OR " << orCondition;
  return q;
}

db::SqlText DeleteStatusRowsWhere(const std::string& condition) {
  db::SqlText q;
  q << "DELETE FROM lea_forms_status WHERE (" << condition << ")";
  return q;
}

db::SqlText DeleteOtherSchoolStatusRows(std::int32_t district, std::int32_t school) {
  db::SqlText q;
  q << "DELETE FROM lea_forms_status WHERE school_district_id = " << db::Param(Variant(district))
    << " AND school_id <> " << db::Param(Variant(school));
  return q;
}

db::SqlText StatusRowsWithFormAndAgencyQuery() {
  db::SqlText q;
  q << "SELECT VHO_TORB_FORMS.FORM_NAME AS form_group_name, a.FISCAL_YEAR, a.PERIOD_ID, a.COUNTY_ID, "
       " a.SCHOOL_DISTRICT_ID, a.SCHOOL_ID, KRN.SCHOOL_NAME, KRN.SCHOOL_DISTRICT_NAME, a.CERTIFICATE_NUMBER as "
       "CERTIFICATE FROM (lea_forms_status a INNER JOIN VHO_TORB_FORMS ON a.FORM_NO = VHO_TORB_FORMS.FORM_NO ) "
       " INNER JOIN krn_leas KRN ON (a.FISCAL_YEAR = KRN.FISCAL_YEAR) AND (a.COUNTY_ID = KRN.COUNTY_ID) "
       " AND (a.SCHOOL_DISTRICT_ID = KRN.SCHOOL_DISTRICT_ID) AND (a.SCHOOL_ID = KRN.SCHOOL_ID)";
  return q;
}

db::SqlText MoveCharterForm50StatusRow(const Variant& toDistrict, std::int32_t county, std::int32_t district,
                                       const Variant& school) {
  db::SqlText q;
  q << "UPDATE lea_forms_status SET school_district_id = " << db::Param(toDistrict)
    << " WHERE county_id = " << db::Param(Variant(county)) << " AND school_district_id = "
    << db::Param(Variant(district)) << " AND school_id = " << db::Param(school) << " AND form_no = 50";
  return q;
}

}  // namespace modCOE

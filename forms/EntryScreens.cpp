#include "EntryScreens.h"

#include "FormData.h"
#include "FormNumbers.h"
#include "vb/Conversions.h"

namespace forms {
namespace {

using namespace formno;
constexpr std::int32_t kAny = 0;

// The columns of the list, in their order; the form-number list takes those
// marked, without the correction columns and the reason join.
struct ListColumn {
  const char* expression;
  const char* name;
  bool inFormNoList;
};
constexpr ListColumn kListColumns[] = {
    {"f.SELECTED", "SELECTED", true},
    {"f.FORM_DISPLAY_NAME", "FORM_DISPLAY_NAME", true},
    {"s.PY_FORMS_CORRECTED", "CORRECTED", false},
    {"t.PY_REASON_DESC", "REASON_CODE", false},
    {"f.FORM_TITLE1", "FORM_TITLE1", true},
    {"f.FORM_NAME", "FORM_NAME", true},
    {"f.FORM_NO", "FORM_NO", true},
    {"hex8(s.CERTIFICATE_NUMBER)", "CERTIFICATE_NUMBER", true},
    {"s.NUM_RECORD", "NUM_RECORD", true},
    {"s.NUM_ERROR", "NUM_ERROR", true},
    {"s.NUM_WARNING", "NUM_WARNING", true},
    {"s.LAST_MODIFIED_DATE", "LAST_MODIFIED_DATE", true},
    {"s.LAST_EDIT_CHECK_DATE", "LAST_EDIT_CHECK_DATE", true},
    {"s.LAST_EXPORT_DATE", "LAST_EXPORT_DATE", true},
    {"s.LAST_IMPORT_DATE", "LAST_IMPORT_DATE", true},
    {"s.PY_CORRECTION_NOTE", "PY_CORRECTION_NOTE", false},
    {"s.PY_REASON_CODE", "PY_REASON_CODE", false},
    {"f.Program_Type", "program_type", true},
};

// Forms left out of the list by mode and logon group: the first matching row.
struct Exclusion {
  bool p2Correction;
  std::int32_t logonGroup;  // kAny: every group
  std::vector<int> forms;
};
const std::vector<Exclusion>& ListExclusions() {
  static const std::vector<Exclusion> rows = {
      {true, 7, {kSelpaCountyAudited, kFirstP2CorrectionExclusion, kSecondP2CorrectionExclusion}},
      {true, kAny, {kFirstP2CorrectionExclusion, kSecondP2CorrectionExclusion}},
      {false, kAny, {kSelpaCountyAudited, kMiscTax}},
  };
  return rows;
}
// The probe leaves out only what the P-2 correction mode hides from all.
const std::vector<int> kProbeP2Exclusions = {kFirstP2CorrectionExclusion, kSecondP2CorrectionExclusion};

std::string Excluding(const std::vector<int>& forms) {
  std::string text;
  for (int form : forms) text += " AND f.FORM_NO <> " + std::to_string(form);
  return text;
}

// The numbers of a comma-separated form-number list, each to be bound.
std::vector<vb::Variant> FormNumbers(const std::string& list) {
  std::vector<vb::Variant> numbers;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(',', start);
    numbers.emplace_back(vb::CLng(vb::Variant(vb::Trim(list.substr(start, comma - start)))));
    if (comma == std::string::npos) return numbers;
    start = comma + 1;
  }
}

db::SqlText& InList(db::SqlText& q, const std::vector<vb::Variant>& numbers) {
  q << " AND f.FORM_NO IN (";
  for (std::size_t i = 0; i < numbers.size(); ++i) q << (i ? ", " : "") << db::Param(numbers[i]);
  return q << ")";
}

}  // namespace

vb::Variant PeriodPattern(const std::string& periodText) { return vb::Variant("%" + periodText + "%"); }

db::SqlText ApplicableFormsQuery(const EntryScreenList& list) {
  db::SqlText q;
  q << "SELECT f.FORM_NO FROM VHO_TORB_FORMS f WHERE ";
  if (list.formNoList) {
    q << "f.REPORTING_PERIOD LIKE " << db::Param(PeriodPattern(list.periodText));
    return InList(q, FormNumbers(*list.formNoList));
  }
  q << "f." << list.flag.value_or("") << " = 'Y'";
  if (list.p2Correction) q << Excluding(kProbeP2Exclusions);
  return q << " AND f.REPORTING_PERIOD LIKE " << db::Param(PeriodPattern(list.periodText));
}

db::SqlText EntryScreenQuery(const EntryScreenList& list) {
  const FormScope& P = list.agency;
  const bool byNumber = list.formNoList.has_value();
  db::SqlText q;
  q << "SELECT ";
  bool first = true;
  for (const ListColumn& column : kListColumns) {
    if (byNumber && !column.inFormNoList) continue;
    q << (first ? "" : ", ") << column.expression << " AS " << column.name;
    first = false;
  }
  if (byNumber) {
    q << " FROM VHO_TORB_FORMS f, LEA_FORMS_STATUS s WHERE f.FORM_NO = s.FORM_NO";
    InList(q, FormNumbers(*list.formNoList));
  } else {
    q << " FROM VHO_TORB_FORMS f, LEA_FORMS_STATUS s, PY_CORRECTION_REASON t"
         " WHERE s.PY_REASON_CODE = t.PY_REASON_CODE AND ";
    q << (list.flag ? "f." + *list.flag + " = 'Y'" : std::string("0 = 1"));
    for (const Exclusion& row : ListExclusions()) {
      if (row.p2Correction != list.p2Correction || (row.logonGroup != kAny && row.logonGroup != list.logonGroup))
        continue;
      q << Excluding(row.forms);
      break;
    }
    q << " AND f.FORM_NO = s.FORM_NO";
    if (list.category) q << " AND f.CATEGORY = " << db::Param(vb::Variant(*list.category));
  }
  // The year's column of the catalogue is named after the (whole-number) year.
  q << " AND s.COUNTY_ID = " << db::Param(vb::Variant(P.county))
    << " AND s.SCHOOL_DISTRICT_ID = " << db::Param(vb::Variant(P.district))
    << " AND s.SCHOOL_ID = " << db::Param(vb::Variant(P.school))
    << " AND s.FISCAL_YEAR = " << db::Param(vb::Variant(P.year))
    << " AND s.PERIOD_ID = " << db::Param(vb::Variant(P.period))
    << " AND f.FY_" << std::to_string(P.year) << " = 'Y'"
    << " AND f.REPORTING_PERIOD LIKE " << db::Param(PeriodPattern(list.periodText)) << " ORDER BY f.OrderNo";
  return q;
}

void CountResidencyRecords(const db::ConnectionPtr& conn) {
  Required(conn)->Execute("UPDATE LEA_FORMS_STATUS SET NUM_RECORD = 2 WHERE FORM_NO = ? AND NUM_RECORD = 3",
                          {vb::Variant(kResidency)});
}

void AddMissingStatusRow(const db::ConnectionPtr& conn, const FormScope& agency, const vb::Variant& formNo) {
  db::SqlText q;
  q << "SELECT * FROM LEA_FORMS_STATUS WHERE FORM_NO = " << db::Param(formNo)
    << " AND COUNTY_ID = " << db::Param(vb::Variant(agency.county))
    << " AND SCHOOL_DISTRICT_ID = " << db::Param(vb::Variant(agency.district))
    << " AND SCHOOL_ID = " << db::Param(vb::Variant(agency.school))
    << " AND PERIOD_ID = " << db::Param(vb::Variant(agency.period))
    << " AND FISCAL_YEAR = " << db::Param(vb::Variant(agency.year));
  auto status = db::Recordset::Create();
  status->CursorType(db::CursorType::Dynamic);
  status->CursorLocation(db::CursorLocation::Client);
  status->LockType(db::LockType::BatchOptimistic);
  status->Open(q.Sql(), Required(conn), q.Params());
  if (!status->Eof() && status->RecordCount() >= 1) return;
  // The keys, the year and period, the form, and no prior-year correction,
  // in the order they are assigned.
  const std::pair<const char*, vb::Variant> row[] = {
      {"COUNTY_ID", agency.county},   {"SCHOOL_DISTRICT_ID", agency.district}, {"SCHOOL_ID", agency.school},
      {"PERIOD_ID", agency.period},   {"FISCAL_YEAR", agency.year},            {"FORM_NO", formNo},
      {"PY_FORMS_CORRECTED", "No"},   {"PY_REASON_CODE", 0}};
  status->AddNew();
  for (const auto& [column, value] : row) status->SetValue(column, value);
  status->UpdateBatch();
  status->Close();
}

void RollUpCorrections(const db::ConnectionPtr& conn, db::Recordset& agencies, std::int32_t period,
                       const std::vector<int>* forms, const std::function<void()>& uncorrected) {
  // Whether an agency has a counting correction in the period.
  std::string status = "SELECT EXISTS (SELECT 1 FROM lea_forms_status WHERE fiscal_year = ? AND period_id = ?";
  if (forms) {
    status += " AND form_no IN (";
    for (std::size_t i = 0; i < forms->size(); ++i) status += i ? ", ?" : "?";
    status += ")";
  }
  status += " AND school_id = ? AND school_district_id = ? AND county_id = ? AND py_forms_corrected = 'Yes')";
  constexpr const char* kUpdate =
      "UPDATE krn_leas SET PY_LEA_CORRECTED = ? WHERE fiscal_year = ? AND school_id = ? AND school_district_id = ?"
      " AND county_id = ?";

  db::Connection& db = *Required(conn);
  db::Transaction transaction(db);
  const int year = agencies.FieldIndex("fiscal_year");
  const int district = agencies.FieldIndex("school_district_id");
  const int school = agencies.FieldIndex("school_id");
  const int county = agencies.FieldIndex("county_id");
  for (long row = 1; row <= agencies.RecordCount(); ++row) {
    const vb::Variant fiscalYear = agencies.ValueAt(row, year);
    const vb::Variant schoolId = agencies.ValueAt(row, school);
    const vb::Variant districtId = agencies.ValueAt(row, district);
    const vb::Variant countyId = agencies.ValueAt(row, county);
    std::vector<vb::Variant> params = {fiscalYear, vb::Variant(period)};
    if (forms) {
      for (int form : *forms) params.emplace_back(form);
    }
    params.insert(params.end(), {schoolId, districtId, countyId});
    const bool corrected = vb::CLng(db.Scalar(status, params)) != 0;
    db.Execute(kUpdate, {vb::Variant(corrected ? "Yes" : "No"), fiscalYear, schoolId, districtId, countyId});
    if (!corrected && uncorrected) uncorrected();
  }
  transaction.Commit();
}

}  // namespace forms

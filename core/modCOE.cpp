#include "modCOE.h"

#include <QWidget>

#include "Utilities.h"
#include "clsDataAccess.h"
#include "clsMyCRC32.h"
#include "clsTableCols.h"
#include "db/Catalog.h"
#include "modGlobals.h"
#include "modMain.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

using vb::Variant;

namespace modCOE {
namespace {

constexpr const char* kModule = "modCOE";

// --- Binding ---------------------------------------------------------------

bool IsBound(const std::string& name) { return name.rfind("txt", 0) == 0 && name.rfind("txtDUMMY", 0) != 0; }

// Visits the bound controls with their column and tag, each as one step of
// the procedure's guard: a failure is reported and the next control follows.
template <class Visit>
void ForEachBound(const BoundControls& controls, const char* procedure, Visit visit) {
  Trap trap(kModule, procedure);
  for (BoundControl* control : controls) {
    trap([&] {
      BoundControl& bound = vb::Deref(control);
      const std::string name = bound.Name();
      if (IsBound(name)) visit(&bound, name.substr(3), bound.Tag());
    });
  }
}

bool IsDateColumn(const std::string& column) { return vb::UCase(column).find("DATE") != std::string::npos; }

// --- Certification keys ----------------------------------------------------

// The text of a CS_BA row's district: the county office's district when a
// charter school of the row's district has its block-grant rows filled in by
// the district, else the row's own.
std::string CsBaDistrictText(db::Recordset& rs) {
  const Variant county = rs.Value("county_id");
  const Variant district = rs.Value("school_district_id");
  if (county.IsNull() || district.IsNull()) vb::Raise(vb::err::InvalidUseOfNull);
  db::ConnectionPtr conn = modGlobals::SharedConnection();
  auto fillers = db::Recordset::Query(
      "select * from krn_leas where county_id = ? and school_district_id = ? and lea_type = 4 "
      "and cs_ba_charter_fill_by_dist = -1",
      conn, {county, district});
  if (fillers->RecordCount() == 0) return vb::TextOf(rs.Value("SCHOOL_DISTRICT_ID"));
  auto office = db::Recordset::Query("select * from krn_leas where county_id = ? and lea_type = 2", conn,
                                     {Variant(modGlobals::GlobalParam().CountyID)});
  return std::to_string(vb::CLng(office->Value("school_district_id")));
}

// What keying a table's rows needs, found once per record set: the column
// names in table order with their field positions (-1 for a column the
// record set lacks, which fails when it is read), and the table's own rules
// (the cost-pool table trims its texts, a block-grant row may stand for
// another district).
struct RowColumns {
  std::vector<std::string> names;
  std::vector<int> fields;
  bool trimTexts = false;
  bool blockGrant = false;
};

RowColumns ColumnsOf(const std::string& tableName, const db::Recordset& rs) {
  RowColumns columns;
  columns.names = vb::Deref(clsTableCols().getCols(tableName)).Texts();
  for (const std::string& name : columns.names) columns.fields.push_back(rs.FieldIndex(name));
  const std::string table = vb::UCase(tableName);
  columns.trimTexts = table == "SECOSTPOOL";
  columns.blockGrant = table == "CS_BA";
  return columns;
}

std::string RowText(const RowColumns& columns, db::Recordset& rs) {
  std::string text;
  for (std::size_t i = 0; i < columns.names.size(); ++i) {
    const std::string& column = columns.names[i];
    if (column == "CERT_KEY") continue;
    if (columns.blockGrant && column == "SCHOOL_DISTRICT_ID") {
      text += CsBaDistrictText(rs);
      continue;
    }
    const Variant value = columns.fields[i] >= 0 ? rs.Value(columns.fields[i]) : rs.Value(column);
    text += columns.trimTexts ? vb::Trim(vb::TextOf(value)) : vb::TextOf(value);
  }
  return text;
}

// The row text under the procedure's own guard: a row whose text fails is
// reported and answers "", so that it gets the key 0 and the next row follows.
std::string GuardedRowText(const RowColumns& columns, db::Recordset& rs) {
  std::string text;
  Trap trap(kModule, "fcnGetStringForCertKey");
  trap([&] { text = RowText(columns, rs); });
  return text;
}

void MovePastEnd(db::Recordset& rs) {
  if (rs.RecordCount() == 0) return;
  rs.MoveLast();
  rs.MoveNext();
}

// --- Status ----------------------------------------------------------------

bool IsDistrictForm(std::int32_t formNo) { return formNo >= 110 && formNo <= 112; }

// A disconnected record set of a query on the shared connection; failures
// pass to the caller.
db::RecordsetPtr Snapshot(const std::string& sql, std::vector<Variant> params) {
  auto rs = db::Recordset::Query(sql, modGlobals::SharedConnection(), std::move(params));
  rs->ActiveConnection(nullptr);
  return rs;
}

// The condition that picks one form's status row of P's agency.
const char* kStatusRow =
    " where fiscal_year = ? and period_id = ? and county_id = ? and school_district_id = ? and school_id = ? "
    "and Form_No = ?";

std::vector<Variant> StatusRowKey(const clsGlobalParam& P) {
  return {Variant(P.ReportYear), Variant(P.ReportPeriod), Variant(P.CountyID),
          Variant(P.DistrictID), Variant(P.SchoolId),     Variant(P.FormNo)};
}

// Runs a status statement through the data-access class on the shared
// connection, which reports its failure.
void ExecuteStatusStatement(const std::string& sql, const std::vector<Variant>& params) {
  clsDataAccess().ExecuteQuery(sql, params, modGlobals::gstrConnectionString, modGlobals::SharedConnection());
}

WindowMaker& CorrectionWindowMaker() {
  static WindowMaker maker;
  return maker;
}

}  // namespace

// --- Binding ---------------------------------------------------------------

void SetValuesInRs(db::Recordset& rs, const BoundControls& controls) {
  ForEachBound(
      controls, "SetValuesInRs", [&](BoundControl* control, const std::string& column, const std::string& tag) {
        if (tag == "I") return;
        if (tag == "chk") {
          rs.SetValue(column, Variant(static_cast<std::int16_t>(vb::Equal(control->Value(), Variant(1)) ? 1 : 0)));
        } else if (tag == "EXPLAIN") {
          // An explanation is stored without its leading blanks, and an empty
          // one as one blank, whether the box answers Null, an empty text or
          // only blanks: the blank an empty explanation was stored as comes
          // back into the box, and saving it again must not change the row.
          const Variant text = control->Text();
          const std::string trimmed = text.IsNull() ? std::string() : vb::LTrim(vb::TextOf(text));
          rs.SetValue(column, Variant(trimmed.empty() ? std::string(" ") : trimmed));
        } else {
          const Variant text = control->Text();
          rs.SetValue(column, text.IsNull() ? Variant(0) : text);
        }
      });
}

void SetValuesFromRs(db::Recordset& rs, const BoundControls& controls, bool clearing) {
  ForEachBound(controls, "SetValuesFromRs",
               [&](BoundControl* control, const std::string& column, const std::string& tag) {
                 const bool isDate = IsDateColumn(column);

                 if (clearing) {
                   if (tag == "Z")
                     control->Text(Variant(isDate ? kEmptyDateMask : ""));
                   else if (tag == "cbo")
                     control->ListIndex(-1);
                   else if (tag == "chk")
                     control->Value(Variant(0));
                   else if (tag == "EXPLAIN")
                     control->Text(Variant(""));
                   else
                     control->Text(Variant(0));
                   return;
                 }

                 const Variant v = rs.Value(column);
                 if (isDate) {
                   if (tag == "Z" && (v.IsNull() || vb::Equal(v, Variant(kBlankDate))))
                     control->Text(Variant(kEmptyDateMask));
                   else if (vb::Equal(v, Variant("")))
                     control->Text(Variant(kEmptyDateMask));
                   else if (v.IsNull())
                     control->Text(Variant(""));
                   else
                     control->Text(Variant(vb::Trim(vb::TextOf(v))));
                   return;
                 }
                 if (tag == "I") return;
                 if (tag == "EXPLAIN") {
                   control->Text(v.IsNull() ? Variant("") : Variant(vb::TextOf(v)));
                 } else if (v.IsNull()) {
                   control->Text(Variant(0));
                 } else if (tag == "Z" || tag == "cbo") {
                   control->Text(Variant(vb::Trim(vb::TextOf(v))));
                 } else if (tag == "chk") {
                   control->Value(Variant(vb::Equal(v, Variant(1)) ? 1 : 0));
                 } else {
                   control->Text(Variant(vb::CDbl(v)));
                 }
               });
}

db::RecordsetPtr getSchoolList(const std::string& tableName) {
  db::RecordsetPtr result;
  Trap trap(kModule, "getSchoolList");
  trap([&] {
    const clsGlobalParam& g = modGlobals::GlobalParam();
    const std::string table = db::catalog::RequireSqlName(*modGlobals::SharedConnection(), tableName);
    result = Snapshot("select a.school_id, a.school_name from krn_leas a, " + table +
                          " b where a.school_id = b.school_id and b.county_id = ? and b.school_district_id = ? "
                          "and b.fiscal_year = ? and b.period_id = ?",
                      {Variant(g.CountyID), Variant(g.DistrictID), Variant(g.ReportYear), Variant(g.ReportPeriod)});
  });
  return result;
}

// --- Certification keys ----------------------------------------------------

std::string fcnGetStringForCertKey(const std::string& tableName, db::Recordset& rs) {
  std::string text;
  Trap trap(kModule, "fcnGetStringForCertKey");
  trap([&] { text = RowText(ColumnsOf(tableName, rs), rs); });
  return text;
}

void SetCertKeysInRs(const std::string& tableName, db::Recordset& rs, bool currentRowOnly) {
  Trap trap(kModule, "SetCertKeysInRs");
  trap([&] {
    clsMyCRC32 crc;
    // The column order and the table's rules are found once for all the rows.
    const RowColumns columns = ColumnsOf(tableName, rs);
    auto keyRow = [&] { rs.SetValue("CERT_KEY", Variant(crc.GetCRC32(GuardedRowText(columns, rs)))); };
    if (currentRowOnly) {
      keyRow();
      return;
    }
    if (rs.RecordCount() == 0) return;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) keyRow();
  });
}

std::int32_t CertificateOfRows(db::Recordset& rs, Trap& trap, NullCertKey nullKey) {
  std::string text;
  std::int32_t certificate = 0;
  bool more = false;
  trap([&] {
    rs.MoveFirst();
    more = !rs.Eof();
  });
  while (more) {
    trap([&] {
      const Variant key = rs.Value("CERT_KEY");
      text += nullKey == NullCertKey::Error ? vb::CStr(key) : vb::TextOf(key);
    });
    more = false;
    trap([&] {
      rs.MoveNext();
      more = !rs.Eof();
    });
  }
  trap([&] { certificate = clsMyCRC32().GetCRC32(text); });
  return certificate;
}

std::int32_t GetGroupCertKey(db::Recordset& rs, const std::vector<std::string>& keyColumns) {
  Trap trap(kModule, "GetGroupCertKey");
  long rows = 0;
  trap([&] { rows = rs.RecordCount(); });
  if (rows < 1) return 0;
  // Sorted by the key columns, first column first; a Null key adds nothing.
  trap([&] {
    std::string sort;
    for (const std::string& column : keyColumns) sort += (sort.empty() ? "" : ", ") + column;
    rs.Sort(sort);
  });
  const std::int32_t certificate = CertificateOfRows(rs, trap, NullCertKey::Empty);
  trap([&] { rs.Sort(""); });
  trap([&] { MovePastEnd(rs); });
  return certificate;
}

// --- Form status -----------------------------------------------------------

void UpdateCOEFormsStatus(clsGlobalParam& P, bool withEditCheckDate) {
  Trap trap(kModule, "UpdateCOEFormsStatus");
  trap([&] {
    const std::int32_t F = modGlobals::GlobalParam().FormNo;
    db::ConnectionPtr conn = modGlobals::SharedConnection();
    const Variant year(P.ReportYear), period(P.ReportPeriod), county(P.CountyID), district(P.DistrictID),
        formNo(P.FormNo);
    const std::string countyRows =
        " select * from LEA_FORMS_STATUS where FORM_NO = ? and COUNTY_ID = ? and PERIOD_ID = ? and FISCAL_YEAR = ? "
        "and school_id = 0";
    const std::string countyModel =
        "select FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, count(*) as NumCount from countymodel "
        "where period_id = ? and COUNTY_ID = ? and FISCAL_YEAR = ? "
        "group by FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID order by county_id, school_district_id";

    db::Transaction trans(*conn);
    db::RecordsetPtr S;
    db::RecordsetPtr M;
    if (IsDistrictForm(F)) {
      S = Snapshot(
          " select * from LEA_FORMS_STATUS where FORM_NO = ? and COUNTY_ID = ? and SCHOOL_DISTRICT_ID = ? "
          "and PERIOD_ID = ? and FISCAL_YEAR = ? and school_id = 0",
          {formNo, county, district, period, year});
    } else if (F == 113) {
      S = Snapshot(countyRows, {formNo, county, period, year});
    } else {
      S = Snapshot(
          " select * from LEA_FORMS_STATUS where FORM_NO = ? and COUNTY_ID = ? and SCHOOL_DISTRICT_ID = ? "
          "and SCHOOL_ID = ? and PERIOD_ID = ? and FISCAL_YEAR = ?",
          {formNo, county, district, Variant(P.SchoolId), period, year});
    }

    // The county form replaces the rows of all the county's districts.
    if (S->RecordCount() > 0 && F == 113) {
      conn->Execute(
          "delete from LEA_FORMS_STATUS where FORM_NO = ? and COUNTY_ID = ? and PERIOD_ID = ? "
          "and FISCAL_YEAR = ? and school_id = 0",
          {formNo, county, period, year});
      S = Snapshot(countyRows, {formNo, county, period, year});
    }

    if (S->RecordCount() == 0) {
      if (F == 113) {
        M = Snapshot(countyModel, {period, county, year});
        if (M->RecordCount() > 0) {
          for (M->MoveFirst(); !M->Eof(); M->MoveNext()) {
            conn->Execute(
                "insert into lea_forms_status (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, "
                "FORM_NO, CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_MODIFIED_DATE, "
                "LAST_EDIT_CHECK_DATE, py_reason_code, py_forms_corrected) values (?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?, "
                "?, 0, 'No')",
                {year, period, county, M->Value("school_district_id"), formNo, Variant(P.CertKey),
                 M->Value("NumCount"), Variant(P.NumError), Variant(P.NumWarning), Variant(P.LastModifiedDate),
                 Variant(P.EditCheckDate)});
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
        if (!(IsDistrictForm(F) || F == 113)) S->SetValue("SCHOOL_ID", Variant(P.SchoolId));
        S->SetValue("FORM_NO", formNo);
        S->Update();
      }
    }

    if (P.FormNo == 113 && S->RecordCount() == 0) {
      M = Snapshot(countyModel, {period, county, year});
      S = Snapshot(countyRows + " and CERTIFICATE_NUMBER is not null", {formNo, county, period, year});
    }

    if (S->RecordCount() > 0) {
      for (S->MoveFirst(); !S->Eof(); S->MoveNext()) {
        if (withEditCheckDate) S->SetValue("LAST_EDIT_CHECK_DATE", Variant(P.EditCheckDate));
        if (P.FormNo == 113) {
          // The county-model counts, read above unless P and the program's
          // current form disagree.
          db::Recordset& counts = vb::Deref(M);
          const Variant rowDistrict = S->Value("school_district_id");
          counts.Filter([&](const db::RowView& row) { return vb::Equal(row.Value("school_district_id"), rowDistrict); });
          S->SetValue("NUM_RECORD", counts.RecordCount() > 0 ? counts.Value("NumCount") : vb::Null);
          counts.Filter("");
        } else {
          S->SetValue("NUM_RECORD", Variant(P.NumRecord));
        }
        S->SetValue("CERTIFICATE_NUMBER", Variant(P.CertKey));
        S->SetValue("NUM_ERROR", Variant(P.NumError));
        S->SetValue("NUM_WARNING", Variant(P.NumWarning));
        S->SetValue("LAST_MODIFIED_DATE", Variant(P.LastModifiedDate));
      }
    }

    clsDataAccess().SubmitRecordset(*S, modGlobals::gstrConnectionString, conn);
    // A status row without a certificate stands for a form without data.
    conn->Execute("delete from LEA_FORMS_STATUS where CERTIFICATE_NUMBER is null");
    trans.Commit();
  });
}

void UpdateSetCOEFormsStatus(clsGlobalParam& P, bool clear) {
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
      params = {Variant(P.CertKey), Variant(P.NumRecord), Variant(P.LastModifiedDate)};
    }
    for (Variant& v : StatusRowKey(P)) params.push_back(std::move(v));
    ExecuteStatusStatement(sql + kStatusRow, params);
  });
}

void UpdateSetCOEFormsStatusForNonEditCheckMultiForms(clsGlobalParam& P, std::int32_t /*unused*/) {
  Trap trap(kModule, "UpdateSetCOEFormsStatusForNonEditCheckMultiForms");
  trap([&] {
    std::vector<Variant> params = {Variant(P.CertKey), Variant(P.NumRecord), Variant(P.LastModifiedDate),
                                   Variant(P.EditCheckDate)};
    for (Variant& v : StatusRowKey(P)) params.push_back(std::move(v));
    ExecuteStatusStatement(
        std::string("Update LEA_FORMS_STATUS set CERTIFICATE_NUMBER = ?, NUM_RECORD = ?, LAST_MODIFIED_DATE = ?, "
                    "LAST_EDIT_CHECK_DATE = ?") +
            kStatusRow,
        params);
  });
}

void RequireFormStatus(const clsGlobalParam& P, bool cleared, bool required) {
  db::ConnectionPtr conn = modGlobals::SharedConnection();
  const std::string rows = std::string("select count(*) from LEA_FORMS_STATUS") + kStatusRow;
  std::vector<Variant> others = StatusRowKey(P);
  others.push_back(cleared ? vb::Null : Variant(P.CertKey));
  others.push_back(cleared ? vb::Null : Variant(P.NumRecord));
  const bool differs =
      vb::CLng(conn->Scalar(rows + " and not (CERTIFICATE_NUMBER is ? and NUM_RECORD is ?)", others)) > 0;
  const bool missing = required && vb::CLng(conn->Scalar(rows, StatusRowKey(P))) < 1;
  if (differs || missing) vb::Raise(vb::err::Unspecified, "The form status was not written.");
}

std::int32_t getFormDetails(const std::string& formName) {
  std::int32_t formNo = 0;
  Trap trap(kModule, "getFormDetails");
  trap([&] {
    auto rs = Snapshot("select FORM_NO from VHO_TORB_FORMS where upper(FORM_NAME) = ?", {Variant(vb::UCase(formName))});
    formNo = vb::CLng(rs->Value("FORM_NO"));
  });
  return formNo;
}

void TorbNotesDeletion(std::int32_t year, std::int32_t district, std::int32_t county, std::int32_t school,
                       const std::string& formName, std::int16_t period) {
  Trap trap(kModule, "TorbNotesDeletion");
  trap([&] {
    modGlobals::SharedConnection()->Execute(
        "DELETE FROM TORB_FORM_NOTES WHERE Fiscal_Year = ? And Period_ID = ? And County_ID = ? "
        "And School_District_ID = ? And SCHOOL_ID = ? and FOrm_Name = ?",
        {Variant(year), Variant(period), Variant(county), Variant(district), Variant(school), Variant(formName)});
  });
}

bool AskCorrectionReason(std::int16_t recordCount, std::int32_t year, std::int32_t period, std::int32_t county,
                         std::int32_t district, std::int32_t school, std::int16_t formNo, bool ask, bool pointer,
                         bool /*unused*/) {
  if (!ask || recordCount == 0) return false;
  auto status = Snapshot(
      "Select * from LEA_FORMS_STATUS where county_id = ? and school_district_id = ? and fiscal_year = ? "
      "and period_id = ? AND SCHOOL_ID = ? and Form_no = ?",
      {Variant(county), Variant(district), Variant(year), Variant(period), Variant(school), Variant(formNo)});
  const Variant corrected = status->Value("PY_FORMS_CORRECTED");
  const Variant note = status->Value("PY_CORRECTION_NOTE");
  const Variant reasonCode = status->Value("PY_REASON_CODE");
  if (pointer) Utilities::ScreenMouseEnabled(true);
  ShowCorrectionReasonWindow(formNo, corrected, note, reasonCode, true);
  Utilities::ScreenMouseEnabled(false);
  MarkAgencyCorrected(year, period, county, district, school);
  return true;
}

void ShowCorrectionReasonWindow(std::int16_t formNo, const Variant& corrected, const Variant& note,
                                const Variant& reasonCode, bool required) {
  // A form not marked corrected starts from an empty note, whatever an
  // earlier question left behind.
  const bool marked = vb::TextOf(corrected) == "Yes";
  modGlobals::gstrCorrectionNote = marked ? vb::TextOf(note) : std::string();
  modGlobals::gintCorrectionReasonCode = marked && !reasonCode.IsNull() ? vb::CInt(reasonCode) : std::int16_t{0};
  modGlobals::gintCorrectionFormNo = formNo;
  modGlobals::gblnCorrectionPending = required;
  const WindowMaker& maker = CorrectionWindowMaker();
  std::unique_ptr<QWidget> window = maker ? maker() : nullptr;
  if (!window) {
    modGlobals::gblnCorrectionPending = false;
    throw vb::VbError(vb::err::CannotCreateObject, "The correction-reason window is not available.");
  }
  ui::dialogs().ShowModal(*window);
  modGlobals::gblnCorrectionPending = false;
}

void MarkAgencyCorrected(std::int32_t year, std::int32_t period, std::int32_t county, std::int32_t district,
                         std::int32_t school) {
  db::ConnectionPtr conn = modGlobals::SharedConnection();
  const bool corrected =
      vb::CLng(conn->Scalar("SELECT count(*) FROM lea_forms_status WHERE py_forms_corrected = 'Yes' "
                            "and COUNTY_ID = ? And SCHOOL_DISTRICT_ID = ? and FISCAL_YEAR = ? And period_id = ? "
                            "and school_id = ?",
                            {Variant(county), Variant(district), Variant(year), Variant(period), Variant(school)})) > 0;
  conn->Execute(
      "UPDATE KRN_LEAS SET PY_LEA_CORRECTED = ? where FISCAL_YEAR = ? and COUNTY_ID = ? "
      "and SCHOOL_DISTRICT_ID = ? and school_id = ?",
      {Variant(corrected ? "Yes" : "No"), Variant(year), Variant(county), Variant(district), Variant(school)});
}

void SetPriorYearMode() { modGlobals::gblnPriorYearMode = modGlobals::gstrPeriodMode.rfind("PY", 0) == 0; }

void SetCorrectionReasonWindow(WindowMaker maker) { CorrectionWindowMaker() = std::move(maker); }

}  // namespace modCOE

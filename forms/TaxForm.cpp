#include "TaxForm.h"

#include <optional>

#include "FormData.h"
#include "modCOECertification.h"
#include "modCOEStatus.h"
#include "modMain.h"
#include "vb/Conversions.h"

using db::Param;
using db::SqlText;
using modValidationCalculation::Calculation;
using vb::Deref;
using vb::Variant;

namespace taxform {
namespace {

SqlText AgencyTaxRows(const forms::FormScope& scope) {
  return forms::RowsOfAgency(kTable, scope, Variant(scope.period), Variant(scope.school));
}

// Puts the record set back on a row it stood on (a position of 1 or more).
void ReturnTo(db::Recordset& rows, long position) {
  if (position >= 1 && position <= rows.RecordCount()) rows.AbsolutePosition(position);
}

// The rows of a query; a failed read (reported) is error 91 here.
db::RecordsetPtr Read(const db::ConnectionPtr& conn, const SqlText& q) {
  db::RecordsetPtr rs = forms::Fetch(conn, q);
  Deref(rs);
  return rs;
}

// Keys every row. The keying reports a row it could not key and goes on
// with a key of 0; a change that certifies the rows must not be written
// with it.
void KeyRows(const db::ConnectionPtr& conn, const forms::FormScope& scope, db::Recordset& rows) {
  if (!modCOE::SetCertKeysInRs(conn, scope, kTable, rows, false))
    vb::Raise(vb::err::Unspecified, "The rows could not all be keyed.");
}

// The certificate number and count of all the agency's rows. A certificate
// of only some of the keys, or of the rows out of their key order, is
// refused as the keys are.
void CertifyAgencyRows(const db::ConnectionPtr& conn, const forms::FormScope& scope, db::Recordset& agency,
                       forms::FormStatus& status) {
  const std::vector<std::string> keys = modMain::GetSortKeys(conn, scope, "");
  const std::optional<std::int32_t> certificate = keys.empty() ? std::nullopt : modCOE::GroupCertKeyOfAll(agency, keys);
  if (!certificate) vb::Raise(vb::err::Unspecified, "The certificate number of the rows could not be made.");
  status.certificate = *certificate;
  status.records = static_cast<std::int16_t>(agency.RecordCount());
}

}  // namespace

// --- Reading -------------------------------------------------------------------------

db::RecordsetPtr AgencyRows(const db::ConnectionPtr& conn, const forms::FormScope& scope) {
  return forms::Fetch(conn, AgencyTaxRows(scope));
}

namespace {

SqlText TaxTypeQuery(const forms::FormScope& scope) {
  SqlText q = AgencyTaxRows(scope);
  q << " and taxtype = " << Param(Variant(scope.taxType));
  return q;
}

}  // namespace

db::RecordsetPtr TaxTypeRows(const db::ConnectionPtr& conn, const forms::FormScope& scope) {
  return forms::Fetch(conn, TaxTypeQuery(scope));
}

db::RecordsetPtr ReadTaxTypeRows(const db::ConnectionPtr& conn, const forms::FormScope& scope) {
  return forms::Snapshot(conn, TaxTypeQuery(scope));
}

db::RecordsetPtr P1Rows(const db::ConnectionPtr& conn, const forms::FormScope& scope) {
  return forms::Fetch(conn, forms::RowsOfAgency(kTable, scope, Variant(1), Variant(0)));
}

// --- A new row -----------------------------------------------------------------------

void KeyNewRow(db::Recordset& rows, const forms::FormScope& scope, const RowKeys& keys) {
  rows.SetValue("County_id", Variant(scope.county));
  rows.SetValue("School_District_id", Variant(scope.district));
  rows.SetValue("Fiscal_Year", Variant(scope.year));
  rows.SetValue("period_id", Variant(scope.period));
  rows.SetValue("SCHOOL_ID", Variant(0));
  rows.SetValue("res_county_id", Variant(keys.resCounty));
  rows.SetValue("res_school_district_id", Variant(keys.resDistrict));
  rows.SetValue("TaxType", Variant(keys.taxType));
}

void NameResidence(const db::ConnectionPtr& conn, db::Recordset& rows, const forms::FormScope& scope,
                   const RowKeys& keys) {
  SqlText q;
  q << "select county_name,school_district_name , DISTRICT_TYPE from krn_leas where FISCAL_YEAR = "
    << Param(Variant(scope.year)) << " and stat_type = 'OPEN' and lea_type = " << (keys.taxType == 0 ? "2" : "3")
    << " and county_id = " << Param(Variant(keys.resCounty))
    << " and school_district_id = " << Param(Variant(keys.resDistrict));
  if (keys.taxType == 0) q << " and school_id = 0";
  db::RecordsetPtr agency = forms::OpenAttached(conn, q);
  if (agency->RecordCount() >= 1) {
    rows.SetValue("ResCountyName", agency->Value("county_name"));
    rows.SetValue("ResSchoolDistName", agency->Value("school_district_name"));
    rows.SetValue("ResDistrictType", agency->Value("DISTRICT_TYPE"));
  }
}

RowKeys KeysOfRow(db::Recordset& rows) {
  return {vb::CLng(rows.Value("res_county_id")), vb::CLng(rows.Value("res_school_district_id")),
          vb::CInt(rows.Value("TaxType"))};
}

// --- Saving --------------------------------------------------------------------------

Calculation RunCalculation(const db::ConnectionPtr& conn, const forms::FormScope& scope, db::RecordsetPtr& rows,
                           forms::FormStatus& status, const vb::Date& now) {
  const long position = Deref(rows.get()).AbsolutePosition();
  std::string table = kTable;
  std::shared_ptr<vb::Object> none;
  const Calculation calculation = modValidationCalculation::CalculateValues(conn, table, rows, none);
  if (calculation != Calculation::Done) return calculation;
  // The rows as the calculation handed them back. It may have changed any
  // row's total: every row is keyed.
  db::Recordset& calculated = Deref(rows.get());
  KeyRows(conn, scope, calculated);
  ReturnTo(calculated, position);
  forms::Submit(conn, calculated);

  status.lastModified = now;
  status.editCheck = now;
  // The certificate number covers the agency's rows of both tax types.
  db::RecordsetPtr agency = AgencyRows(conn, scope);
  if (Deref(agency.get()).RecordCount() == 0)
    status.records = 0;
  else
    CertifyAgencyRows(conn, scope, *agency, status);
  status.errors = 0;
  status.warnings = 0;
  return Calculation::Done;
}

SaveResult SaveAll(const db::ConnectionPtr& conn, const forms::FormScope& scope, db::RecordsetPtr& rows,
                   forms::FormStatus& status, std::int32_t currentFormNo, const vb::Date& now, Trap& trap,
                   const SaveSteps& steps) {
  SaveResult result;
  forms::FormStatus saved = status;
  bool recalculated = true;
  {
    std::optional<db::Transaction> change;
    result.saved = trap([&] { change.emplace(*forms::Required(conn)); }) && steps.writeRow() && trap([&] {
                     result.calculation = RunCalculation(conn, scope, rows, saved, now);
                     recalculated = result.calculation == Calculation::Done;
                     // The recalculated values appear.
                     if (recalculated && steps.showCalculated) steps.showCalculated(Deref(rows.get()));
                   }) && recalculated && trap([&] {
                     modCOE::UpdateCOEFormsStatus(conn, scope, saved, currentFormNo, true);
                     modCOE::RequireFormStatus(conn, scope, saved, false, true);
                   }) && trap([&] { change->Commit(); });
  }
  if (result.saved) status = saved;
  return result;
}

// --- Deleting ------------------------------------------------------------------------

void StatusAfterDelete(const db::ConnectionPtr& conn, const forms::FormScope& scope, forms::FormStatus& status,
                       bool typeHasRows, const vb::Date& now) {
  db::RecordsetPtr agency = AgencyRows(conn, scope);
  const long count = Deref(agency.get()).RecordCount();
  if (!typeHasRows && count == 0) {
    // The agency has no tax row left: the form is without data, and its
    // notes go with it.
    status.records = 0;
    modCOE::UpdateSetCOEFormsStatus(conn, scope, status, true);
    modCOE::RequireFormStatus(conn, scope, status, true, false);
    modCOE::TorbNotesDeletion(conn, scope.year, scope.district, scope.county, scope.school, kTable,
                              static_cast<std::int16_t>(scope.period));
    forms::FormScope notes = scope;
    notes.formName = kTable;
    if (modCOE::NotesCount(conn, notes) > 0) vb::Raise(vb::err::Unspecified, "The notes of the form were not deleted.");
    return;
  }
  status.lastModified = now;
  status.editCheck = now;
  CertifyAgencyRows(conn, scope, *agency, status);
  modCOE::UpdateSetCOEFormsStatusForNonEditCheckMultiForms(conn, scope, status);
  modCOE::RequireFormStatus(conn, scope, status, false, false);
}

DeleteResult DeleteRow(const db::ConnectionPtr& conn, const forms::FormScope& scope, db::RecordsetPtr& rows,
                       forms::FormStatus& status, const vb::Date& now, Trap& trap) {
  DeleteResult result;
  forms::FormStatus after = status;
  {
    std::optional<db::Transaction> change;
    result.deleted = trap([&] { change.emplace(*forms::Required(conn)); }) && trap([&] { Deref(rows.get()).Delete(); }) &&
                     trap([&] { forms::Submit(conn, *rows); }) && trap([&] {
                       db::RecordsetPtr again = ReadTaxTypeRows(conn, scope);
                       const db::Recordset& left = *again;
                       result.typeHasRows = !(left.Eof() || left.RecordCount() < 1) && !left.Bof();
                       rows = std::move(again);
                     }) &&
                     trap([&] { StatusAfterDelete(conn, scope, after, result.typeHasRows, now); }) &&
                     trap([&] { change->Commit(); });
  }
  if (result.deleted) status = after;
  return result;
}

// --- The copy of P-1 data to P-2 --------------------------------------------------------

db::RecordsetPtr P1ResidenceDistricts(const db::ConnectionPtr& conn, const forms::FormScope& agency) {
  SqlText q;
  q << "SELECT distinct KRN_LEAS.SCHOOL_DISTRICT_ID, KRN_LEAS.SCHOOL_DISTRICT_NAME, KRN_LEAS.STAT_TYPE, KRN_LEAS.LEA_TYPE "
       " FROM KRN_LEAS INNER JOIN Tax ON KRN_LEAS.SCHOOL_DISTRICT_ID = Tax.RES_SCHOOL_DISTRICT_ID "
       " AND KRN_LEAS.FISCAL_YEAR = Tax.FISCAL_YEAR "
       " WHERE (((KRN_LEAS.STAT_TYPE)='OPEN') AND ((KRN_LEAS.LEA_TYPE)=2 Or (KRN_LEAS.LEA_TYPE)=3)) and tax.period_id = 1 "
       " and tax.county_id = "
    << Param(Variant(agency.county)) << " and   tax.fiscal_year = " << Param(Variant(agency.year))
    << "     order by KRN_LEAS.school_district_name asc";
  return Read(conn, q);
}

namespace {

// The agency's tax rows of one period for the chosen districts of residence.
db::RecordsetPtr TaxRowsOf(const db::ConnectionPtr& conn, const forms::FormScope& agency, int period,
                           const std::vector<Variant>& districts) {
  SqlText q = forms::RowsOfAgency(kTable, agency, Variant(period), Variant(0));
  q << " and res_school_district_id in (";
  for (std::size_t i = 0; i < districts.size(); ++i) q << (i ? "," : "") << Param(districts[i]);
  q << ")";
  return Read(conn, q);
}

}  // namespace

forms::FormStatus CopyP1ToP2(const db::ConnectionPtr& conn, const forms::FormScope& agency,
                             const forms::FormScope& own, const std::vector<Variant>& districts,
                             const vb::Date& now, std::int32_t currentFormNo) {
  db::Transaction transaction(*forms::Required(conn));

  db::RecordsetPtr p1 = TaxRowsOf(conn, agency, 1, districts);
  db::RecordsetPtr p2 = TaxRowsOf(conn, agency, 2, districts);
  SqlText none;
  none << "Select * from tax where taxtype = 3";
  db::RecordsetPtr added = Read(conn, none);

  // Each P-1 row replaces the P-2 row of its county, district of residence
  // and tax type.
  const int columns = p1->FieldCount();
  for (p1->MoveFirst(); !p1->Eof(); p1->MoveNext()) {
    const Variant resCounty = p1->Value("res_county_id");
    const Variant resDistrict = p1->Value("res_school_district_id");
    const Variant taxType = p1->Value("taxtype");
    p2->Filter([&](const db::RowView& row) {
      return vb::Equal(row.Value("county_id"), Variant(agency.county)) &&
             vb::Equal(row.Value("school_district_id"), Variant(agency.district)) &&
             vb::Equal(row.Value("fiscal_year"), Variant(agency.year)) &&
             vb::Equal(row.Value("period_id"), Variant(2)) && vb::Equal(row.Value("school_id"), Variant(0)) &&
             vb::Equal(row.Value("res_county_id"), resCounty) &&
             vb::Equal(row.Value("res_school_district_id"), resDistrict) && vb::Equal(row.Value("taxtype"), taxType);
    });
    if (!p2->Eof()) {
      p2->Delete();
      forms::Submit(conn, *p2);
    }
    // The copy keeps every value but the period; its key is made below.
    added->AddNew();
    for (int i = 0; i < columns; ++i)
      added->SetValue(i, p1->FieldInfo(i).name == "PERIOD_ID" ? Variant(2) : p1->Value(i));
    added->Update();
  }
  // The P-2 deletions were written as they were made; the copies go in one
  // batch.
  if (added->RecordCount() > 0) forms::Submit(conn, *added);

  // The keys, certificate and status of the agency's rows of the period.
  db::RecordsetPtr rows = Read(conn, AgencyTaxRows(own));
  KeyRows(conn, own, *rows);
  forms::Submit(conn, *rows);

  forms::FormStatus status;
  status.lastModified = now;
  status.editCheck = now;
  CertifyAgencyRows(conn, own, *rows, status);
  status.errors = 0;
  status.warnings = 0;
  modCOE::UpdateCOEFormsStatus(conn, own, status, currentFormNo, true);
  // The status upkeep reports its own failures; a status row that was not
  // rewritten fails the whole copy.
  modCOE::RequireFormStatus(conn, own, status, false, true);
  transaction.Commit();
  return status;
}

}  // namespace taxform

#include "modGeneralRoutines.h"

#include <array>
#include <exception>

#include "modAttendanceCharter.h"
#include "modRulesAttendance.h"
#include "modRulesSELPA.h"
#include "vb/Conversions.h"
#include "vb/VbError.h"

namespace modGeneralRoutines {
namespace {

// The query context, one copy per thread that uses the component, kept for
// the life of the loaded library on that thread.
thread_local std::string mstrConnectionString;
thread_local std::string mstrPYConnectionString;
thread_local std::string mstrWhereClause;
thread_local std::string mstrTableName;
thread_local std::int32_t mlngFormNo = 0;

struct FormRuleSet {
  std::string_view formKey;
  rulegate::RuleSet ruleSet;
};

// The form keys in the order they are matched.
constexpr std::array kRuleSets{
    FormRuleSet{"ATTCOE", modRulesAttendance::Validate_ATTCOE},
    FormRuleSet{"ATTCOEDISTFUNDADA", modRulesAttendance::Validate_ATTCOEDISTFUNDADA},
    FormRuleSet{"FOSTERYOUTHNSHS", modRulesAttendance::Validate_FOSTERYOUTHNSHS},
    FormRuleSet{"ATT_SD", modRulesAttendance::Validate_ATT_SD},
    FormRuleSet{"ATT_SD_BS", modRulesAttendance::Validate_ATT_SD_BS},
    FormRuleSet{"ATT_SD_BAOE", modRulesAttendance::Validate_ATT_SD_BAOE},
    FormRuleSet{"ATT_SD_SUPP", modRulesAttendance::Validate_ATT_SD_SUPP},
    FormRuleSet{"BRL_SD_NSES_ADA", modRulesAttendance::Validate_BRL_SD_NSES_ADA},
    FormRuleSet{"BRL_SD_NSHS_ADA", modRulesAttendance::Validate_BRL_SD_NSHS_ADA},
    FormRuleSet{"NSS", modRulesAttendance::Validate_NSS},
    FormRuleSet{"ATTCOECS", modAttendanceCharter::Validate_ATTCOECS},
    FormRuleSet{"ATTCSFUNDADA", modAttendanceCharter::Validate_ATTCSFUNDADA},
    FormRuleSet{"ATTCSACD", modAttendanceCharter::Validate_ATTCSACD},
    FormRuleSet{"ATTCS", modAttendanceCharter::Validate_ATTCS},
    FormRuleSet{"CS_BA", modAttendanceCharter::Validate_CS_BA},
    FormRuleSet{"SELPAADAALLOC", modRulesSELPA::Validate_SELPAADAALLOC},
    FormRuleSet{"SECOSTPOOL", modRulesSELPA::Validate_SECOSTPOOL},
    FormRuleSet{"INFANTFUNDING", modRulesSELPA::Validate_INFANTFUNDING},
    FormRuleSet{"SPEDTAXALLOC", modRulesSELPA::Validate_SPEDTAXALLOC},
};

// The result's fields in their order: name, type and defined size.
struct ErrorField {
  const char* name;
  db::DataType type;
  long definedSize;
};
constexpr std::array kErrorFields{
    ErrorField{"FiscalYear", db::DataType::Integer, 0},
    ErrorField{"PeriodID", db::DataType::Integer, 0},
    ErrorField{"CountyID", db::DataType::Integer, 0},
    ErrorField{"SchoolDistrictID", db::DataType::Integer, 0},
    ErrorField{"School_ID", db::DataType::Integer, 0},
    ErrorField{"Table_Name", db::DataType::VarChar, 30},
    ErrorField{"FieldName", db::DataType::VarChar, 255},
    ErrorField{"Where_Clause", db::DataType::VarChar, 255},
    ErrorField{"Error_Check", db::DataType::VarChar, 70},
    ErrorField{"Form_No", db::DataType::Integer, 0},
    ErrorField{"Line_Name", db::DataType::VarChar, 50},
    ErrorField{"Error_Msg", db::DataType::VarChar, 255},
    ErrorField{"Error_Type", db::DataType::VarChar, 10},
    ErrorField{"Where_Clause_Description", db::DataType::VarChar, 255},
    ErrorField{"Res_County_ID", db::DataType::Integer, 0},
    ErrorField{"Res_School_District_ID", db::DataType::Integer, 0},
    ErrorField{"Line_Name2", db::DataType::VarChar, 50},
    ErrorField{"Caption", db::DataType::VarChar, 512},
    ErrorField{"Column_No", db::DataType::VarChar, 10},
    ErrorField{"Caption2", db::DataType::VarChar, 255},
};

// The five keys of a data row and the result fields they are copied into.
struct KeyCopy {
  std::string_view dataColumn;
  std::string_view errorField;
};
constexpr std::array kKeyCopies{
    KeyCopy{"Fiscal_Year", "FiscalYear"},
    KeyCopy{"Period_ID", "PeriodID"},
    KeyCopy{"County_ID", "CountyID"},
    KeyCopy{"School_District_ID", "SchoolDistrictID"},
    KeyCopy{"School_ID", "School_ID"},
};

// The WHERE text of a call, from the current row's keys:
// "Fiscal_Year = 2019 AND Period_ID = 1 AND ...". A Null key is error 94.
std::string WhereTextOf(const db::Recordset& rs) {
  std::string text;
  for (const KeyCopy& key : kKeyCopies) {
    if (!text.empty()) text += " AND ";
    text += std::string(key.dataColumn) + " = " + vb::CStr(rs.Value(key.dataColumn));
  }
  return text;
}

bool IsEmptySet(const db::Recordset& rs) { return rs.Bof() && rs.Eof(); }

// The rule set of a form key (the table name upper-cased); none for a name
// that is no form key.
rulegate::RuleSet RuleSetOf(const std::string& TableName) {
  const std::string formKey = vb::UCase(TableName);
  for (const FormRuleSet& entry : kRuleSets)
    if (entry.formKey == formKey) return entry.ruleSet;
  return nullptr;
}

}  // namespace

void SetConnectionString(const std::string& value) { mstrConnectionString = value; }
std::string GetConnectionString() { return mstrConnectionString; }
void SetPYConnectionString(const std::string& value) { mstrPYConnectionString = value; }
std::string GetPYConnectionString() { return mstrPYConnectionString; }

db::RecordsetPtr ValidateForm(const std::string& TableName, db::RecordsetPtr& CurrentValues, ParamsRef Params) {
  db::ConnectionPtr conn = db::Connection::OpenNew(GetConnectionString());
  // A table name that the catalogue does not hold gets form number 0, never
  // the number of the form validated before it.
  mlngFormNo = 0;
  const vb::Variant formNo = conn->Scalar("SELECT DISTINCT Form_No FROM VHO_TORB_Forms WHERE Form_Name = ?", {TableName});
  if (!formNo.IsEmpty()) mlngFormNo = vb::CLng(formNo);
  mstrTableName = TableName;

  db::Recordset& rs = vb::Deref(CurrentValues);
  long kept = 0;
  if (rs.RecordCount() != 0) {
    kept = rs.AbsolutePosition();
    rs.MoveFirst();
  }
  const auto putBack = [&] {
    if (!IsEmptySet(rs)) db::MoveBackTo(rs, kept);
  };
  db::RecordsetPtr result;
  try {
    if (!IsEmptySet(rs)) mstrWhereClause = WhereTextOf(rs);
    if (const rulegate::RuleSet ruleSet = RuleSetOf(TableName)) result = ruleSet(CurrentValues, Params);
  } catch (...) {
    // The call fails, but the caller's rows stand where they stood.
    try {
      putBack();
    } catch (...) {
    }
    throw;
  }
  putBack();
  return result;
}

db::RecordsetPtr CreateErrorRecordset() {
  auto rs = db::Recordset::Create();
  for (const ErrorField& field : kErrorFields) rs->AppendField(field.name, field.type, field.definedSize);
  rs->Open();
  return rs;
}

void AddError(const db::RecordsetPtr& RsErr, std::string_view Section, std::string_view LineNo,
              std::string_view ColumnNo, std::string_view ErrorType, std::string_view FieldName,
              std::string_view Caption) noexcept {
  if (!RsErr) return;
  try {
    RsErr->AddNew();
  } catch (...) {
    return;  // no row: nothing may be written over the row before
  }
  const std::string section = vb::Trim(Section);
  const std::string padded = "00" + std::string(LineNo);
  const std::pair<std::string_view, vb::Variant> values[] = {
      {"Line_Name", section + "-" + vb::Trim(LineNo)},
      {"Line_Name2", section + "-" + vb::Right(padded, 3)},
      {"Column_No", ColumnNo},
      {"Caption", Caption},
      {"Error_Type", ErrorType},
      {"Error_Check", "."},
      {"Where_Clause", mstrWhereClause},
      {"Where_Clause_Description", mstrWhereClause},
      {"Form_No", mlngFormNo},
      {"FieldName", FieldName},
      {"Table_Name", mstrTableName},
  };
  for (const auto& [field, value] : values) {
    try {
      RsErr->SetValue(field, value);
    } catch (...) {
      // A value the field refuses leaves it empty.
    }
  }
}

void AddError(const db::RecordsetPtr& RsErr, const Check& check) noexcept {
  AddError(RsErr, check.Section, check.LineNo, check.ColumnNo, check.ErrorType, check.FieldName, check.Caption);
}

void CopyKeys(const db::RecordsetPtr& CurrentValues, const db::RecordsetPtr& RsErr) {
  CopyKeys(vb::Deref(CurrentValues), RsErr);
}

void CopyKeys(const db::Recordset& row, const db::RecordsetPtr& RsErr) {
  db::Recordset& result = vb::Deref(RsErr);
  for (const KeyCopy& key : kKeyCopies) result.SetValue(key.errorField, row.Value(key.dataColumn));
}

void CopyResidence(const db::Recordset& row, const db::RecordsetPtr& RsErr) {
  db::Recordset& result = vb::Deref(RsErr);
  result.SetValue("Res_County_ID", row.Value("RES_COUNTY_ID"));
  result.SetValue("Res_School_District_ID", row.Value("RES_SCHOOL_DISTRICT_ID"));
}

void SetErrorMsg(const db::RecordsetPtr& RsErr, std::string_view message) {
  vb::Deref(RsErr).SetValue("Error_Msg", message);
}

void Report(const db::RecordsetPtr& CurrentValues, const db::RecordsetPtr& RsErr, const Check& check) {
  AddError(RsErr, check);
  SetErrorMsg(RsErr, check.Message);
  CopyKeys(CurrentValues, RsErr);
}

void ReportResidence(const db::RecordsetPtr& CurrentValues, const db::RecordsetPtr& RsErr, const Check& check) {
  AddError(RsErr, check);
  CopyResidence(vb::Deref(CurrentValues), RsErr);
  SetErrorMsg(RsErr, check.Message);
  CopyKeys(CurrentValues, RsErr);
}

db::RecordsetPtr RunRuleSet(const Check* trap, db::RecordsetPtr& CurrentValues,
                            const std::function<void(const db::RecordsetPtr& RsErr)>& checks) {
  db::RecordsetPtr result;
  try {
    result = CreateErrorRecordset();
    if (IsEmptySet(vb::Deref(CurrentValues))) return result;
    checks(result);
  } catch (const std::exception& e) {
    if (trap == nullptr) throw;
    if (result && result->State() == db::ObjectState::Open) {
      AddError(result, *trap);
      result->SetValue("Where_Clause", vb::Left(e.what(), 50));
      SetErrorMsg(result, trap->Message);
    }
  }
  return result;
}

void ForEveryRow(db::Recordset& rs, const std::function<void()>& check) {
  const long kept = rs.AbsolutePosition();
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) check();
  db::MoveBackTo(rs, kept);
}

db::ConnectionPtr OpenOwnConnection() { return db::Connection::OpenNew(GetConnectionString()); }

}  // namespace modGeneralRoutines

namespace rulegate {

Truth Compare(const vb::Variant& a, Op op, const vb::Variant& b) {
  const std::optional<int> order = vb::Compare(a, b);
  if (!order) return std::nullopt;
  switch (op) {
    case Op::Eq: return *order == 0;
    case Op::Ne: return *order != 0;
    case Op::Lt: return *order < 0;
    case Op::Le: return *order <= 0;
    case Op::Gt: return *order > 0;
    case Op::Ge: return *order >= 0;
  }
  return std::nullopt;
}

Truth And(Truth a, Truth b) {
  if (a == false || b == false) return false;
  if (!a || !b) return std::nullopt;
  return true;
}

Truth Or(Truth a, Truth b) {
  if (a == true || b == true) return true;
  if (!a || !b) return std::nullopt;
  return false;
}

vb::Variant DecimalZero() { return vb::Variant(vb::Decimal(0)); }

vb::Variant SumOf(const db::Recordset& row, std::span<const std::string_view> columns) {
  vb::Variant sum = DecimalZero();
  for (std::string_view column : columns) sum = sum + row.Value(column);
  return sum;
}

vb::Variant RowsTotal(db::Recordset& rows, std::initializer_list<std::string_view> terms) {
  vb::Variant total = vb::Null;
  if (rows.Bof() && rows.Eof()) return total;
  for (rows.MoveFirst(); !rows.Eof(); rows.MoveNext()) {
    const vb::Variant rowSum = SumOf(rows, std::span(terms.begin(), terms.size()));
    if (rowSum.IsNull()) continue;
    total = total.IsNull() ? rowSum : total + rowSum;
  }
  return total;
}

db::SqlText KeysOf(const db::Recordset& row, std::initializer_list<std::string_view> columns) {
  db::SqlText filter;
  for (std::string_view column : columns) {
    vb::Variant value = row.Value(column);
    if (value.IsNull()) vb::Raise(vb::err::InvalidUseOfNull);
    filter << (filter.Empty() ? " WHERE " : " AND ") << column << " = " << db::Param(std::move(value));
  }
  return filter;
}

}  // namespace rulegate

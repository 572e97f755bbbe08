#include "modGeneralRoutines.h"

#include <array>
#include <exception>
#include <optional>
#include <string_view>

#include "modCalculations.h"
#include "vb/Conversions.h"
#include "vb/VbError.h"

namespace modGeneralRoutines {
namespace {

// One copy per thread that uses the component, kept for the life of the
// loaded library on that thread.
thread_local std::string tConnectionString;
thread_local std::string tPYConnectionString;

struct FormRoutine {
  std::string_view formKey;
  sumwright::Routine routine;
};

// The form keys in the order they are matched.
constexpr std::array kRoutines{
    FormRoutine{"ATTCOE", modCalculationsAttendance::Calculate_ATTCOE},
    FormRoutine{"ATTCOEDISTFUNDADA", modCalculationsAttendance::Calculate_ATTCOEDISTFUNDADA},
    FormRoutine{"FOSTERYOUTHNSHS", modCalculationsAttendance::Calculate_FOSTERYOUTHNSHS},
    FormRoutine{"ATT_SD", modCalculationsAttendance::Calculate_ATT_SD},
    FormRoutine{"ATT_SD_BS", modCalculationsAttendance::Calculate_ATT_SD_BS},
    FormRoutine{"ATT_SD_BAOE", modCalculationsAttendance::Calculate_ATT_SD_BAOE},
    FormRoutine{"ATT_SD_SUPP", modCalculationsAttendance::Calculate_ATT_SD_SUPP},
    FormRoutine{"BRL_SD_NSES_ADA", modCalculationsAttendance::Calculate_BRL_SD_NSES_ADA},
    FormRoutine{"BRL_SD_NSHS_ADA", modCalculationsAttendance::Calculate_BRL_SD_NSHS_ADA},
    FormRoutine{"NSS", modCalculationsAttendance::Calculate_NSS},
    FormRoutine{"ATTCSACD", modCalculationsCharter::Calculate_ATTCSACD},
    FormRoutine{"ATTCOECS", modCalculationsCharter::Calculate_ATTCOECS},
    FormRoutine{"ATTCOECSTRACK", modCalculationsCharter::Calculate_ATTCOECSTRACK},
    FormRoutine{"CS_BA", modCalculationsCharter::Calculate_CS_BA},
    FormRoutine{"INFANTFUNDING", modCalculationsSELPA::Calculate_INFANTFUNDING},
    FormRoutine{"INFANTFUNDINGBP", modCalculationsSELPA::Calculate_INFANTFUNDINGBP},
    FormRoutine{"SELPAMENTALHEALTH", modCalculationsSELPA::Calculate_SELPAMENTALHEALTH},
    FormRoutine{"TAX", modCalculationsTaxes::Calculate_TAX},
    FormRoutine{"TAXMISC", modCalculationsTaxes::Calculate_TAXMISC},
};

// The value of a key column as a WHERE value; Null cannot be one.
vb::Variant KeyValue(const db::Recordset& rs, std::string_view column) {
  vb::Variant value = rs.Value(column);
  if (value.IsNull()) vb::Raise(vb::err::InvalidUseOfNull);
  return value;
}

db::SqlText BuildWhere(const db::Recordset& rs,
                       std::initializer_list<std::pair<std::string_view, std::string_view>> clauses) {
  db::SqlText where;
  if (rs.Bof() && rs.Eof()) return where;
  for (const auto& [column, rowColumn] : clauses)
    where << (where.Empty() ? "\rWHERE " : "\rAND ") << column << " = " << db::Param(KeyValue(rs, rowColumn));
  return where;
}

}  // namespace

void SetConnectionString(const std::string& value) { tConnectionString = value; }
std::string GetConnectionString() { return tConnectionString; }
void SetPYConnectionString(const std::string& value) { tPYConnectionString = value; }
std::string GetPYConnectionString() { return tPYConnectionString; }

std::int16_t CalculateForm(const std::string& tableName, db::RecordsetPtr& currentValues, ParamsRef params) {
  const std::string formKey = vb::UCase(tableName);
  for (const FormRoutine& entry : kRoutines) {
    if (entry.formKey == formKey) return entry.routine(currentValues, params);
  }
  return sumwright::kTrue;
}

namespace {

// A field of the steps by its position in the record set, or by its name
// when the record set has no such field (reading it then fails as it would
// by name).
struct FieldRef {
  std::string_view name;
  int index;
};

FieldRef Resolve(const db::Recordset& rs, std::string_view name) { return {name, rs.FieldIndex(name)}; }

vb::Variant Read(const db::Recordset& rs, const FieldRef& field) {
  return field.index >= 0 ? rs.Value(field.index) : rs.Value(field.name);
}

struct ResolvedTerm {
  FieldRef field;
  bool subtract;
};
struct ResolvedStep {
  FieldRef target;
  std::vector<ResolvedTerm> terms;
};

// The steps' fields looked up once for all the rows of a record set.
std::vector<ResolvedStep> ResolveSteps(const db::Recordset& rs, const sumwright::Steps& steps) {
  std::vector<ResolvedStep> resolved;
  resolved.reserve(steps.size());
  for (const sumwright::Step& step : steps) {
    ResolvedStep& r = resolved.emplace_back(ResolvedStep{Resolve(rs, step.target), {}});
    for (const std::string& term : step.terms) {
      const bool subtract = term.front() == '-';
      r.terms.push_back({Resolve(rs, subtract ? std::string_view(term).substr(1) : std::string_view(term)), subtract});
    }
  }
  return resolved;
}

void Apply(db::Recordset& rs, const std::vector<ResolvedStep>& steps) {
  for (const ResolvedStep& step : steps) {
    vb::Variant value;
    bool first = true;
    for (const ResolvedTerm& term : step.terms) {
      const vb::Variant operand = Read(rs, term.field);
      if (first) {
        value = term.subtract ? -operand : operand;
      } else {
        value = term.subtract ? value - operand : value + operand;
      }
      first = false;
    }
    if (step.target.index >= 0)
      rs.SetValue(step.target.index, value);
    else
      rs.SetValue(step.target.name, value);
  }
}

}  // namespace

std::int16_t VisitRows(db::RecordsetPtr& rs, const std::function<void(db::Recordset&)>& perRow) {
  vb::Deref(rs);  // error 91 when there is no record set
  std::optional<long> remembered;
  try {
    if (rs->Bof() && rs->Eof()) return sumwright::kTrue;
    remembered = rs->AbsolutePosition();
    rs->MoveFirst();
    while (!rs->Eof()) {
      perRow(*rs);
      rs->MoveNext();
    }
    db::MoveBackTo(*rs, *remembered);
    return sumwright::kTrue;
  } catch (const std::exception&) {
    if (!remembered) throw;            // the record set cannot even be read
    db::MoveBackTo(*rs, *remembered);  // an error here fails the call
    return sumwright::kFalse;
  }
}

std::int16_t VisitRows(db::RecordsetPtr& rs, const sumwright::Steps& steps) {
  vb::Deref(rs);  // error 91 when there is no record set
  const std::vector<ResolvedStep> resolved = ResolveSteps(*rs, steps);
  return VisitRows(rs, [&resolved](db::Recordset& row) { Apply(row, resolved); });
}

db::SqlText GetWhereClause(db::Recordset& rs) {
  return BuildWhere(rs, {{"Fiscal_Year", "Fiscal_Year"},
                         {"Period_ID", "Period_ID"},
                         {"County_ID", "County_ID"},
                         {"School_District_ID", "School_District_ID"},
                         {"School_ID", "School_ID"},
                         {"SelpaAuDist", "SelpaAuDist"},
                         {"SelpaAuDistSchoolId", "SelpaAuDistSchoolId"}});
}

db::SqlText GetAuWhereClause(db::Recordset& rs) {
  return BuildWhere(rs, {{"Fiscal_Year", "Fiscal_Year"},
                         {"Au_County", "County_ID"},
                         {"School_District_ID", "SelpaAuDist"},
                         {"School_ID", "SelpaAuDistSchoolId"}});
}

}  // namespace modGeneralRoutines

namespace sumwright {

void AddLineTotals(Steps& steps, const std::string& prefix, const Names& lines, const Names& spans) {
  for (const std::string& line : lines) {
    Step step{prefix + line + "_Total", {}};
    for (const std::string& span : spans) step.terms.push_back(prefix + line + "_" + span);
    steps.push_back(std::move(step));
  }
}

void AddBlock(Steps& steps, const std::string& prefix, const Names& lines, const Names& spans,
              const std::string& spanTotalLine, const std::string& grandTotal) {
  AddLineTotals(steps, prefix, lines, spans);
  for (const std::string& span : spans) {
    Step step{prefix + spanTotalLine + span, {}};
    for (const std::string& line : lines) step.terms.push_back(prefix + line + "_" + span);
    steps.push_back(std::move(step));
  }
  Step grand{prefix + grandTotal, {}};
  for (const std::string& line : lines) grand.terms.push_back(prefix + line + "_Total");
  steps.push_back(std::move(grand));
}

}  // namespace sumwright

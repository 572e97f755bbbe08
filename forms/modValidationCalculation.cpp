#include "modValidationCalculation.h"

#include <array>

#include "FormData.h"
#include "clsCalculate.h"
#include "clsValidate.h"
#include "com/Registry.h"
#include "vb/Conversions.h"
#include "vb/Trap.h"

namespace modValidationCalculation {
namespace {

constexpr const char* kModule = "modValidationCalculation";

// The identifiers of the components of the year and period last tested.
std::string mstrValidateProgID;
std::string mstrCalculateProgID;

// True when an object of the identifier can be created and bound to the
// interface; every failure counts as "cannot".
template <class Interface>
bool CanBind(const std::string& progId) {
  try {
    return com::CreateObject<Interface>(progId) != nullptr;
  } catch (const std::exception&) {
    return false;
  }
}

// One kind of component as ComponentStatus tests it.
struct ComponentKind {
  const char* filter;
  const char* classSuffix;
  const char* notDefined;
  std::string* progId;
  bool (*canBind)(const std::string&);
};

const std::array<ComponentKind, 2>& Kinds() {
  static const std::array<ComponentKind, 2> kinds{{
      {"ComponentTypeName='Validate'", ".clsValidate", "No Validation Component defined in database",
       &mstrValidateProgID, &CanBind<ruleface::clsValidate>},
      {"ComponentTypeName='Calculate'", ".clsCalculate", "No Calculation Component defined in database",
       &mstrCalculateProgID, &CanBind<sumface::clsCalculate>},
  }};
  return kinds;
}

}  // namespace

ComponentCheck ComponentStatus(const db::ConnectionPtr& conn, std::int32_t FiscalYear, std::int32_t PeriodID) {
  mstrValidateProgID.clear();
  mstrCalculateProgID.clear();
  ComponentCheck check;
  db::RecordsetPtr rs;
  // Any failure of the query or of reading its rows is collected here, not
  // reported through the central error report.
  Trap trap(kModule, "ComponentStatus", Trap::Mode::Silent);
  trap([&] {
    rs = db::Recordset::Query(
        "SELECT ComponentTypeName, ComponentName FROM ComponentType A "
        "INNER JOIN ComponentConfiguration B on A.ComponentTypeID = B.ComponentTypeID "
        "WHERE Fiscal_Year = ? AND Period_ID = ?",
        forms::Required(conn), {vb::Variant(FiscalYear), vb::Variant(PeriodID)});
    for (const ComponentKind& kind : Kinds()) {
      rs->Filter(kind.filter);
      if (rs->Eof()) {
        check.message += std::string(kind.notDefined) + "\r";
        continue;
      }
      // The name as stored, blanks included, is what the message shows.
      const std::string name = vb::CStr(rs->Value("ComponentName"));
      *kind.progId = vb::Trim(name) + kind.classSuffix;
      if (!kind.canBind(*kind.progId)) check.message += name + " not present\r";
    }
  });
  if (trap.Failed()) {
    check.message += "Unknown Error in ComponentStatus - " + std::to_string(trap.ErrorNumber());
    if (rs && rs->State() == db::ObjectState::Open) rs->Close();
    return check;
  }
  check.available = vb::Trim(check.message).empty();
  return check;
}

Calculation CalculateValues(const db::ConnectionPtr& conn, std::string& TableName, db::RecordsetPtr& CurrentValues,
                            std::shared_ptr<vb::Object>& Params) {
  // Every statement passes its failure over silently.
  Trap trap(kModule, "CalculateValues", Trap::Mode::Silent);
  std::shared_ptr<sumface::clsCalculate> calculation;
  trap([&] { calculation = com::CreateObject<sumface::clsCalculate>(mstrCalculateProgID); });
  if (!calculation) return Calculation::NoComponent;
  trap([&] { calculation->ConnectionString(forms::Required(conn)->ConnectionString()); });
  bool answer = false;
  trap([&] {
    // The caller's variables take what the component leaves only when the
    // call returns.
    db::RecordsetPtr rows = CurrentValues;
    std::shared_ptr<vb::Object> params = Params;
    answer = calculation->Calculate(TableName, rows, &params) != 0;
    CurrentValues = rows;
    Params = params;
  });
  return answer ? Calculation::Done : Calculation::Failed;
}

}  // namespace modValidationCalculation

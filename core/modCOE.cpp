#include "modCOE.h"

#include "db/Catalog.h"
#include "modGlobals.h"
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
    result = db::Recordset::Query("select a.school_id, a.school_name from krn_leas a, " + table +
                          " b where a.school_id = b.school_id and b.county_id = ? and b.school_district_id = ? "
                          "and b.fiscal_year = ? and b.period_id = ?",
                                  modGlobals::SharedConnection(),
                                  {Variant(g.CountyID), Variant(g.DistrictID), Variant(g.ReportYear),
                                   Variant(g.ReportPeriod)});
    result->ActiveConnection(nullptr);
  });
  return result;
}

void SetPriorYearMode() { modGlobals::gblnPriorYearMode = modGlobals::gstrPeriodMode.rfind("PY", 0) == 0; }

}  // namespace modCOE

#pragma once
// The stable interface of the validation component: the program sets the
// connection string of its working database, then hands the component an
// entry screen's table name and rows and gets back the errors and warnings
// that the form's rule set finds, one row each.
//
// Members, in this order: ConnectionString get and set, PYConnectionString
// get and set (the prior-year database; no rule reads it), Validate. The
// connection strings are kept per thread by the component, not per object:
// every object on one thread reads what was last set on that thread.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "db/Recordset.h"
#include "vb/Conversions.h"
#include "vb/Variant.h"
#include "vb/VbError.h"

namespace ruleface {

// The caller's parameter collection: values by key, the key matched without
// regard to case. A rule set that needs an item the collection lacks fails
// with error 5, as it would on a missing collection item.
class __attribute__((visibility("default"))) Collection : public vb::Object {
 public:
  // Adds the item under the key; a key already present is error 457.
  void Add(const vb::Variant& item, std::string key) {
    if (Find(key) != nullptr) vb::Raise(457, "This key is already associated with an element of this collection");
    items_.emplace_back(std::move(key), item);
  }
  vb::Variant Item(std::string_view key) const {
    const vb::Variant* found = Find(key);
    if (found == nullptr) vb::Raise(vb::err::InvalidProcedureCall);
    return *found;
  }
  std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }

 private:
  const vb::Variant* Find(std::string_view key) const {
    for (const auto& [itemKey, value] : items_)
      if (vb::TextEquals(itemKey, key)) return &value;
    return nullptr;
  }
  std::vector<std::pair<std::string, vb::Variant>> items_;
};

class __attribute__((visibility("default"))) clsValidate : public vb::Object {
 public:
  ~clsValidate() override = default;

  virtual std::string ConnectionString() const = 0;
  virtual void ConnectionString(std::string value) = 0;
  virtual std::string PYConnectionString() const = 0;
  virtual void PYConnectionString(std::string value) = 0;

  // Runs the rule set of the entry screen whose data table is `tableName`
  // (its form key, matched without regard to case) over `currentValues` and
  // answers its result: one row per error or warning, with the fields
  // FiscalYear, PeriodID, CountyID, SchoolDistrictID, School_ID, Table_Name,
  // FieldName, Where_Clause, Error_Check, Form_No, Line_Name, Error_Msg,
  // Error_Type, Where_Clause_Description, Res_County_ID,
  // Res_School_District_ID, Line_Name2, Caption, Column_No, Caption2. A table
  // name that is no form key answers no record set (nullptr). The row that
  // was current at the call is current again afterwards. `params` is the
  // caller's optional parameter collection (a Collection); it is handed to
  // the rule set untouched. A failure that the rule set does not turn into
  // its "Unexpected Error generated in Rule Validation Engine" row is raised
  // as a vb::VbError.
  virtual db::RecordsetPtr Validate(const std::string& tableName, db::RecordsetPtr& currentValues,
                                    std::shared_ptr<vb::Object>* params = nullptr) = 0;
};

}  // namespace ruleface

#pragma once
// The stable interface of the calculation component: the program sets the
// connection string of its working database, then has the component fill the
// computed columns of an entry screen's rows in place.
//
// Members, in this order: ConnectionString get and set, PYConnectionString
// get and set (the prior-year database), Calculate. The connection strings
// are kept per thread by the component, not per object: every object on one
// thread reads what was last set on that thread.

#include <cstdint>
#include <memory>
#include <string>

#include "db/Recordset.h"
#include "vb/Variant.h"

namespace sumface {

class __attribute__((visibility("default"))) clsCalculate : public vb::Object {
 public:
  ~clsCalculate() override = default;

  virtual std::string ConnectionString() const = 0;
  virtual void ConnectionString(std::string value) = 0;
  virtual std::string PYConnectionString() const = 0;
  virtual void PYConnectionString(std::string value) = 0;

  // Computes the rows of the entry screen whose data table is `tableName`
  // (its form key, matched without regard to case) in place and answers a
  // Boolean: -1 when the calculation finished, 0 when it failed. The row that
  // was current at the call is current again afterwards. `params` is an
  // optional parameter collection of the caller's.
  virtual std::int16_t Calculate(const std::string& tableName, db::RecordsetPtr& currentValues,
                                 std::shared_ptr<vb::Object>* params = nullptr) = 0;
};

}  // namespace sumface

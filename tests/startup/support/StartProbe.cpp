// A component for the binding tests, "startprobe": its clsValidate object
// implements no interface of the program, and its clsCalculate answers
// False for the table "NoResult" and fails for any other table.

#include "clsCalculate.h"
#include "vb/Conversions.h"
#include "vb/VbError.h"

namespace {

class clsBare final : public vb::Object {};

class clsCalculateProbe final : public sumface::clsCalculate {
 public:
  std::string ConnectionString() const override { return connection_; }
  void ConnectionString(std::string value) override { connection_ = std::move(value); }
  std::string PYConnectionString() const override { return {}; }
  void PYConnectionString(std::string) override {}
  std::int16_t Calculate(const std::string& tableName, db::RecordsetPtr& currentValues,
                         std::shared_ptr<vb::Object>*) override {
    if (vb::TextEquals(tableName, "NoResult")) return 0;
    currentValues = nullptr;  // what a failing call leaves must not reach the caller
    throw vb::VbError(vb::err::InvalidProcedureCall, "the calculation failed");
  }

 private:
  std::string connection_;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) vb::Object* LevronaCreateObject(const char* className) {
  if (vb::TextEquals(className, "clsValidate")) return new clsBare();
  if (vb::TextEquals(className, "clsCalculate")) return new clsCalculateProbe();
  return nullptr;
}

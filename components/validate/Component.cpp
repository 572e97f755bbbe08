// The component's creatable class and the factory that the component
// registry calls. The class holds nothing of its own: the connection strings
// and the context of a call live per thread in modGeneralRoutines, so every
// object on one thread sees the same values.

#include "clsValidate.h"
#include "modGeneralRoutines.h"
#include "vb/Conversions.h"

namespace rulegate {

class clsValidate final : public ruleface::clsValidate {
 public:
  std::string ConnectionString() const override { return modGeneralRoutines::GetConnectionString(); }
  void ConnectionString(std::string value) override { modGeneralRoutines::SetConnectionString(value); }
  std::string PYConnectionString() const override { return modGeneralRoutines::GetPYConnectionString(); }
  void PYConnectionString(std::string value) override { modGeneralRoutines::SetPYConnectionString(value); }

  db::RecordsetPtr Validate(const std::string& tableName, db::RecordsetPtr& currentValues,
                            std::shared_ptr<vb::Object>* params) override {
    return modGeneralRoutines::ValidateForm(tableName, currentValues, params);
  }
};

}  // namespace rulegate

extern "C" __attribute__((visibility("default"))) vb::Object* LevronaCreateObject(const char* className) {
  if (className != nullptr && vb::TextEquals(className, "clsValidate")) return new rulegate::clsValidate();
  return nullptr;
}

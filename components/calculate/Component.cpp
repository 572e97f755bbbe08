// The component's creatable class and the factory that the component
// registry calls. The class holds nothing of its own: the connection strings
// live per thread in modGeneralRoutines, so every object on one thread sees
// the same values.

#include "clsCalculate.h"
#include "modGeneralRoutines.h"
#include "vb/Conversions.h"

namespace sumwright {

class clsCalculate final : public sumface::clsCalculate {
 public:
  std::string ConnectionString() const override { return modGeneralRoutines::GetConnectionString(); }
  void ConnectionString(std::string value) override { modGeneralRoutines::SetConnectionString(value); }
  std::string PYConnectionString() const override { return modGeneralRoutines::GetPYConnectionString(); }
  void PYConnectionString(std::string value) override { modGeneralRoutines::SetPYConnectionString(value); }

  std::int16_t Calculate(const std::string& tableName, db::RecordsetPtr& currentValues,
                         std::shared_ptr<vb::Object>* params) override {
    return modGeneralRoutines::CalculateForm(tableName, currentValues, params);
  }
};

}  // namespace sumwright

extern "C" __attribute__((visibility("default"))) vb::Object* LevronaCreateObject(const char* className) {
  if (className != nullptr && vb::TextEquals(className, "clsCalculate")) return new sumwright::clsCalculate();
  return nullptr;
}

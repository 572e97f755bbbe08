#include "vb/Trap.h"

#include <mutex>

#include "vb/End.h"

namespace vb {
namespace {

std::mutex reportMutex;

ErrorReport& InstalledReport() {
  static ErrorReport report;
  return report;
}

ErrorReport CurrentReport() {
  std::lock_guard lock(reportMutex);
  return InstalledReport();
}

// The answers of the report's buttons.
constexpr int kAbort = 3;
constexpr int kRetry = 4;
constexpr int kIgnore = 5;

}  // namespace

ErrorReport SetErrorReport(ErrorReport report) {
  std::lock_guard lock(reportMutex);
  ErrorReport previous = std::move(InstalledReport());
  InstalledReport() = std::move(report);
  return previous;
}

}  // namespace vb

Trap::Action Trap::Handle(long number, const std::string& description) {
  failed_ = true;
  errorNumber_ = number;
  errorDescription_ = description;
  if (mode_ == Mode::Silent) return Action::Resume;
  const vb::ErrorReport report = vb::CurrentReport();
  if (!report) return Action::Raise;
  if (mode_ == Mode::Leave) {
    report(number, description, module_, procedure_);
    left_ = true;
    return Action::Resume;
  }
  switch (report(number, description, module_, procedure_)) {
    case vb::kAbort:
      vb::End();
    case vb::kRetry:
      return Action::Retry;
    case vb::kIgnore:
      return Action::Resume;
    default:
      left_ = true;
      return Action::Resume;
  }
}

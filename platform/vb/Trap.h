#pragma once
// The guard that every trapping procedure runs its steps under, the
// runtime's part of the classic "On Error": it catches a step's failure and
// hands it to the program's central error report, which is installed with
// vb::SetErrorReport.
//
// A trapping procedure is written as a sequence of steps:
//
//   Variant result;
//   Trap trap("clsMyCollection", "Item[Get]");
//   trap([&] { result = ...; });
//   trap([&] { ...; });
//   return result;
//
// When a step fails with a run-time error, the guard shows the report and
// acts on the answer: Abort ends the program, Retry runs the failed step
// again, Ignore goes on with the next step. Any other answer leaves the
// procedure: the remaining steps are skipped and the procedure returns what
// its result holds. In silent mode a failed step is passed over without a
// report (the classic "resume next"). In leave mode the report is shown and
// the procedure is left whatever the answer: nothing is retried or skipped
// over, and Abort does not end the program.
//
// Without an installed report (a caller that has no user to ask, such as a
// test of the form operations alone) a failed step is not passed over: its
// error goes on to the procedure's caller, as from a procedure without a
// trap. Silent mode passes failures over either way.

#include <exception>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "vb/VbError.h"

namespace vb {

// The central error report: shows the failure of `procedure` in `module`
// and answers the button pressed (Abort 3, Retry 4, Ignore 5; any other
// answer leaves the procedure).
using ErrorReport = std::function<int(long number, const std::string& description, const std::string& module,
                                      const std::string& procedure)>;
// Installs the report; an empty one removes it. Answers the previous one.
ErrorReport SetErrorReport(ErrorReport report);

}  // namespace vb

class Trap {
 public:
  enum class Mode { Report, Silent, Leave };

  Trap(std::string_view module, std::string_view procedure, Mode mode = Mode::Report)
      : module_(module), procedure_(procedure), mode_(mode) {}

  // Runs one step. Answers true when the step completed, false when it
  // failed and was passed over (or was skipped after the procedure was left).
  template <class Step>
  bool operator()(Step&& step) {
    if (left_) return false;
    for (;;) {
      Action action = Action::Resume;
      try {
        std::forward<Step>(step)();
        return true;
      } catch (const vb::VbError& e) {
        action = Handle(e.Number(), e.Description());
        if (action == Action::Raise) throw;
      } catch (const std::bad_alloc&) {
        action = Handle(vb::err::OutOfMemory, vb::ErrorDescription(vb::err::OutOfMemory));
        if (action == Action::Raise) throw;
      } catch (const std::exception& e) {
        action = Handle(vb::err::Exception, e.what());
        if (action == Action::Raise) throw;
      }
      if (action != Action::Retry) return false;
    }
  }

  // Some step failed (reported or passed over silently).
  bool Failed() const { return failed_; }
  // The procedure was left after a report.
  bool Left() const { return left_; }
  long ErrorNumber() const { return errorNumber_; }
  const std::string& ErrorDescription() const { return errorDescription_; }

 private:
  enum class Action { Retry, Resume, Raise };
  // Records and reports a failure and answers what the guard does next.
  Action Handle(long number, const std::string& description);

  std::string module_;
  std::string procedure_;
  Mode mode_;
  bool failed_ = false;
  bool left_ = false;
  long errorNumber_ = 0;
  std::string errorDescription_;
};

#pragma once
// The central error report and the guard that every trapping procedure of
// the program runs its steps under.
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
// report (the classic "resume next").

#include <string>
#include <string_view>
#include <exception>
#include <new>
#include <utility>

#include "vb/VbError.h"

namespace zelErrHandler {

// The six-line report text: "Error No: ", "Description: ", "Project: ",
// "Source: ", "Procedure: " and "Version: ", joined by CR LF.
std::string ReportText(long number, const std::string& description, const std::string& project,
                       const std::string& module, const std::string& procedure);

// Shows the report in the warning box titled "Exception" with the buttons
// Abort, Retry and Ignore (Abort the default), topmost, and answers the
// pressed button (3, 4 or 5).
int ReportError(long number, const std::string& description, const std::string& project,
                const std::string& module, const std::string& procedure, long line = 0);

}  // namespace zelErrHandler

class Trap {
 public:
  enum class Mode { Report, Silent };

  Trap(std::string_view module, std::string_view procedure, Mode mode = Mode::Report)
      : module_(module), procedure_(procedure), mode_(mode) {}

  // Runs one step. Answers true when the step completed, false when it
  // failed and was passed over (or was skipped after the procedure was left).
  template <class Step>
  bool operator()(Step&& step) {
    if (left_) return false;
    for (;;) {
      long number = 0;
      std::string description;
      try {
        std::forward<Step>(step)();
        return true;
      } catch (const vb::VbError& e) {
        number = e.Number();
        description = e.Description();
      } catch (const std::bad_alloc&) {
        number = vb::err::OutOfMemory;
        description = vb::ErrorDescription(number);
      } catch (const std::exception& e) {
        number = vb::err::Exception;
        description = e.what();
      }
      if (!Handle(number, description)) return false;
    }
  }

  // Some step failed (reported or passed over silently).
  bool Failed() const { return failed_; }
  // The procedure was left after a report.
  bool Left() const { return left_; }
  long ErrorNumber() const { return errorNumber_; }
  const std::string& ErrorDescription() const { return errorDescription_; }

 private:
  // Reports a failure; answers true when the step is to run again.
  bool Handle(long number, const std::string& description);

  std::string module_;
  std::string procedure_;
  Mode mode_;
  bool failed_ = false;
  bool left_ = false;
  long errorNumber_ = 0;
  std::string errorDescription_;
};

#pragma once
// Start-up of error trapping and the crash trap.
//
// The program calls zelInitialize first thing. It installs handlers for the
// fatal signals (invalid memory access, arithmetic fault, illegal
// instruction, bus error, abort): such a fault cannot be turned into an
// error the running procedure recovers from, so the handler writes the
// error report (error 65535 with the text that names the fault) to
// standard error and ends the program.

#include <cstdint>
#include <string>

namespace zelCommon {

// The trap options. Only the first two are read.
struct Options {
  bool trapUnhandledExceptions = false;
  bool debuggerLink = false;
  std::string contactName;
  std::string emailAddress;
  bool switches[6] = {};
};

// Once per run: sets the options and, when the trap option is on, installs
// the crash trap. Later calls do nothing.
void zelInitialize();
// Sets the options: trap on, debugger link off, everything else empty/off.
void zelSetOptions();
const Options& CurrentOptions();
// Installs the handlers of the fatal signals.
void zelHandleException();
// Whether the program runs inside a development environment: never.
bool zelIsInIDE();

// The text that names an exception code ("Exception: Access Violation" for
// 0xC0000005); "Unknown Exception" for a code outside the table.
std::string ExceptionDescription(std::uint32_t code);

// The exception code that a fatal signal stands for (si_code refines
// arithmetic, illegal-instruction and bus faults).
std::uint32_t ExceptionCodeOfSignal(int signal, int signalCode, bool stackOverflow = false);

}  // namespace zelCommon

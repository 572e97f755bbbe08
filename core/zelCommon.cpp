#include "zelCommon.h"

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstring>

#include "vb/App.h"
#include "vb/VbError.h"
#include "zelErrHandler.h"

namespace zelCommon {
namespace {

struct Described {
  std::uint32_t code;
  const char* text;
};

constexpr std::array<Described, 23> kExceptions{{
    {0x80000001u, "Exception: Guard Page"},
    {0x80000002u, "Exception: Datatype Misalignment"},
    {0x80000003u, "Exception: Breakpoint"},
    {0x80000004u, "Exception: Single Step"},
    {0xC0000005u, "Exception: Access Violation"},
    {0xC0000006u, "Exception: In Page Error"},
    {0xC0000008u, "Exception: Invalid Handle"},
    {0xC000001Du, "Exception: Illegal Instruction"},
    {0xC0000025u, "Exception: Non Continuable Exception"},
    {0xC0000026u, "Exception: Invalid Disposition"},
    {0xC000008Cu, "Exception: Array Bounds Exceeded"},
    {0xC000008Du, "Exception: Float Denormal Operand"},
    {0xC000008Eu, "Exception: Float Divide By Zero"},
    {0xC000008Fu, "Exception: Float Inexact Result"},
    {0xC0000090u, "Exception: Float Invalid Operation"},
    {0xC0000091u, "Exception: Float Overflow"},
    {0xC0000092u, "Exception: Float Stack Check"},
    {0xC0000093u, "Exception: Float Underflow"},
    {0xC0000094u, "Exception: Integer Divide By Zero"},
    {0xC0000095u, "Exception: Integer Overflow"},
    {0xC0000096u, "Exception: Priv Instruction"},
    {0xC00000FDu, "Exception: Stack Overflow"},
    {0xC000013Au, "Exception: Control C Exit"},
}};
constexpr const char* kUnknown = "Unknown Exception";
constexpr std::uint32_t kUnknownCode = 0;

constexpr int kFatalSignals[] = {SIGSEGV, SIGFPE, SIGILL, SIGBUS, SIGABRT};

Options options;
bool initialized = false;

// The reports are composed before any handler is installed: a signal
// handler may not allocate. Index 23 is the report of an unknown code.
std::array<std::string, kExceptions.size() + 1> reports;
// The handlers run on a stack of their own, so that a stack overflow can be
// reported too.
alignas(16) char alternateStack[64 * 1024];
// The main thread's stack: its top (near) and the most it may grow.
std::uintptr_t stackTop = 0;
std::uintptr_t stackLimit = 0;

std::size_t IndexOf(std::uint32_t code) {
  for (std::size_t i = 0; i < kExceptions.size(); ++i)
    if (kExceptions[i].code == code) return i;
  return kExceptions.size();
}

// A fault just below the stack's reach is the stack running over.
bool IsStackOverflow(const void* address) {
  if (stackTop == 0 || stackLimit == 0) return false;
  const auto a = reinterpret_cast<std::uintptr_t>(address);
  constexpr std::uintptr_t kSlack = 1u << 20;
  return a < stackTop && stackTop - a <= stackLimit + kSlack;
}

void WriteAll(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(STDERR_FILENO, data, size);
    if (written <= 0) return;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
}

void OnFatalSignal(int signal, siginfo_t* info, void*) {
  const bool overflow = signal == SIGSEGV && info && IsStackOverflow(info->si_addr);
  const std::uint32_t code = ExceptionCodeOfSignal(signal, info ? info->si_code : 0, overflow);
  const std::string& report = reports[IndexOf(code)];
  WriteAll(report.data(), report.size());
  ::_exit(128 + signal);
}

std::string StandardErrorReport(const std::string& description) {
  std::string text = zelErrHandler::ReportText(vb::err::Exception, description, vb::App::Title(), "zelCommon",
                                               "zelExceptionFilter");
  std::string lines;
  for (char c : text)
    if (c != '\r') lines += c;
  return lines + "\n";
}

void NoteStack() {
  int local = 0;
  stackTop = reinterpret_cast<std::uintptr_t>(&local);
  rlimit limit{};
  if (::getrlimit(RLIMIT_STACK, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
    stackLimit = static_cast<std::uintptr_t>(limit.rlim_cur);
}

}  // namespace

void zelSetOptions() {
  options = Options{};
  options.trapUnhandledExceptions = true;
  options.debuggerLink = false;
}

const Options& CurrentOptions() { return options; }

bool zelIsInIDE() { return false; }

void zelHandleException() {
  Trap trap("zelCommon", "zelHandleException");
  trap([&] {
    for (std::size_t i = 0; i < kExceptions.size(); ++i) reports[i] = StandardErrorReport(kExceptions[i].text);
    reports[kExceptions.size()] = StandardErrorReport(kUnknown);
    NoteStack();
  });
  trap([&] {
    stack_t stack{};
    stack.ss_sp = alternateStack;
    stack.ss_size = sizeof alternateStack;
    ::sigaltstack(&stack, nullptr);
    struct sigaction action {};
    action.sa_sigaction = OnFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int signal : kFatalSignals) ::sigaction(signal, &action, nullptr);
  });
}

void zelInitialize() {
  // Failures are reported from here on.
  zelErrHandler::InstallReport();
  if (initialized) return;
  zelSetOptions();
  // The debugger link serves an outside tool and is off in this release.
  if (options.trapUnhandledExceptions) zelHandleException();
  initialized = true;
}

std::string ExceptionDescription(std::uint32_t code) {
  const std::size_t i = IndexOf(code);
  return i < kExceptions.size() ? kExceptions[i].text : kUnknown;
}

std::uint32_t ExceptionCodeOfSignal(int signal, int signalCode, bool stackOverflow) {
  switch (signal) {
    case SIGSEGV:
      return stackOverflow ? 0xC00000FDu : 0xC0000005u;
    case SIGBUS:
      return signalCode == BUS_ADRALN ? 0x80000002u : 0xC0000006u;
    case SIGILL:
      return (signalCode == ILL_PRVOPC || signalCode == ILL_PRVREG) ? 0xC0000096u : 0xC000001Du;
    case SIGFPE:
      switch (signalCode) {
        case FPE_INTDIV: return 0xC0000094u;
        case FPE_INTOVF: return 0xC0000095u;
        case FPE_FLTDIV: return 0xC000008Eu;
        case FPE_FLTOVF: return 0xC0000091u;
        case FPE_FLTUND: return 0xC0000093u;
        case FPE_FLTRES: return 0xC000008Fu;
        case FPE_FLTINV: return 0xC0000090u;
        case FPE_FLTSUB: return 0xC000008Cu;
        default: return 0xC0000094u;
      }
    default:
      return kUnknownCode;
  }
}

}  // namespace zelCommon

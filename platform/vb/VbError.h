#pragma once
// The one exception type for run-time errors, carrying the classic error
// numbers that callers test and that the error report shows.

#include <stdexcept>
#include <string>

namespace vb {

// Classic run-time error numbers used across the program.
namespace err {
inline constexpr long InvalidProcedureCall = 5;
inline constexpr long Overflow = 6;
inline constexpr long OutOfMemory = 7;
inline constexpr long SubscriptOutOfRange = 9;
inline constexpr long DivisionByZero = 11;
inline constexpr long TypeMismatch = 13;
inline constexpr long FileNotFound = 53;
inline constexpr long PathFileAccessError = 75;
inline constexpr long ObjectNotSet = 91;            // object variable not set
inline constexpr long InvalidUseOfNull = 94;
inline constexpr long InvalidPropertyValue = 380;   // a control refused the value (a list position past its end)
inline constexpr long CannotCreateObject = 429;
inline constexpr long NotSupported = 438;           // the object lacks the property or method
inline constexpr long ArgumentOutOfRange = 3001;    // an argument is of the wrong type or out of range
inline constexpr long FileInUse = 3045;            // the database file is locked by another process
inline constexpr long ObjectClosed = 3704;          // operation not allowed when the object is closed
inline constexpr long NoConnection = 3709;          // the connection cannot be used for this operation
inline constexpr long NoCurrentRecord = 3021;       // BOF or EOF is true, or the current record was deleted
inline constexpr long ItemNotFound = 3265;          // no field of that name or ordinal
inline constexpr long FieldNotUpdatable = 3251;     // the operation is not supported by this record set
inline constexpr long MultipleStepError = -2147217887;  // a value does not fit its field
inline constexpr long RowNotFound = -2147217864;        // the row to update was changed or removed meanwhile
inline constexpr long IntegrityViolation = -2147217873; // a key or constraint refused the row
inline constexpr long SqlError = -2147217900;           // the statement is not valid
inline constexpr long Unspecified = -2147467259;        // other database failures
inline constexpr long ApplicationDefined = 32755;
inline constexpr long Exception = 65535;                // a processor fault surfaced as an error
}  // namespace err

class VbError : public std::runtime_error {
 public:
  VbError(long number, std::string description, std::string source = {})
      : std::runtime_error(description),
        number_(number),
        description_(std::move(description)),
        source_(std::move(source)) {}

  long Number() const noexcept { return number_; }
  const std::string& Description() const noexcept { return description_; }
  const std::string& Source() const noexcept { return source_; }

 private:
  long number_;
  std::string description_;
  std::string source_;
};

// Raises a run-time error with the classic description of its number
// (for example 6 gives "Overflow").
[[noreturn]] void Raise(long number);
[[noreturn]] void Raise(long number, const std::string& description);

// The object that `p` points to; error 91 ("Object variable or With block
// variable not set") when it points to none. Every use of an object that may
// be unset goes through it, so that no null pointer is ever dereferenced.
template <class Pointer>
auto& Deref(const Pointer& p) {
  if (!p) Raise(err::ObjectNotSet);
  return *p;
}

// The classic description of an error number, or "Application-defined or
// object-defined error" for a number the runtime does not know.
std::string ErrorDescription(long number);

}  // namespace vb

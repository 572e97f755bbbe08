#include "vb/VbError.h"

namespace vb {

void Raise(long number) { throw VbError(number, ErrorDescription(number)); }

void Raise(long number, const std::string& description) { throw VbError(number, description); }

std::string ErrorDescription(long number) {
  switch (number) {
    case 3: return "Return without GoSub";
    case 5: return "Invalid procedure call or argument";
    case 6: return "Overflow";
    case 7: return "Out of memory";
    case 9: return "Subscript out of range";
    case 10: return "This array is fixed or temporarily locked";
    case 11: return "Division by zero";
    case 13: return "Type mismatch";
    case 14: return "Out of string space";
    case 20: return "Resume without error";
    case 28: return "Out of stack space";
    case 35: return "Sub or Function not defined";
    case 48: return "Error in loading DLL";
    case 51: return "Internal error";
    case 52: return "Bad file name or number";
    case 53: return "File not found";
    case 54: return "Bad file mode";
    case 55: return "File already open";
    case 57: return "Device I/O error";
    case 58: return "File already exists";
    case 61: return "Disk full";
    case 62: return "Input past end of file";
    case 67: return "Too many files";
    case 68: return "Device unavailable";
    case 70: return "Permission denied";
    case 71: return "Disk not ready";
    case 75: return "Path/File access error";
    case 76: return "Path not found";
    case 91: return "Object variable or With block variable not set";
    case 92: return "For loop not initialized";
    case 94: return "Invalid use of Null";
    case 380: return "Invalid property value";
    case 424: return "Object required";
    case 429: return "Component can't create object";
    case 438: return "Object doesn't support this property or method";
    case 3001:
      return "Arguments are of the wrong type, are out of acceptable range, or are in conflict with "
             "one another.";
    case 3021:
      return "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
             "requires a current record.";
    case 3251:
      return "Current Recordset does not support updating. This may be a limitation of the provider, "
             "or of the selected locktype.";
    case 3265:
      return "Item cannot be found in the collection corresponding to the requested name or ordinal.";
    case 3704: return "Operation is not allowed when the object is closed.";
    case 3709:
      return "The connection cannot be used to perform this operation. It is either closed or invalid "
             "in this context.";
    default: return "Application-defined or object-defined error";
  }
}

}  // namespace vb

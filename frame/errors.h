// Run-time errors: one type carrying the run-time's error number and its text.
// Thrown anywhere inside a member; the automation layer turns it into the failure
// that script and VB callers report as that run-time error.
#pragma once
#include <exception>

#include "frame/types.h"

namespace brixen {

// Run-time error numbers the library raises or treats specially.
enum ErrorNumber : Long {
  kErrInvalidCall = 5,
  kErrOverflow = 6,
  kErrOutOfMemory = 7,
  kErrSubscript = 9,
  kErrDivisionByZero = 11,
  kErrTypeMismatch = 13,
  kErrBadFileNameOrNumber = 52,
  kErrFileNotFound = 53,
  kErrBadFileMode = 54,
  kErrFileAlreadyOpen = 55,
  kErrDeviceIO = 57,
  kErrFileExists = 58,
  kErrBadRecordLength = 59,
  kErrDiskFull = 61,
  kErrInputPastEnd = 62,
  kErrBadRecordNumber = 63,
  kErrBadFileName = 64,
  kErrTooManyFiles = 67,
  kErrDeviceUnavailable = 68,
  kErrPermissionDenied = 70,
  kErrDiskNotReady = 71,
  kErrRenameAcrossDrives = 74,
  kErrPathFileAccess = 75,
  kErrPathNotFound = 76,
  kErrObjectNotSet = 91,
  kErrInvalidUseOfNull = 94,
  kErrObjectRequired = 424,
  kErrNoSuchMember = 438,
  kErrArgumentNotOptional = 449,
  kErrNotImplemented = 445,  // "Object doesn't support this action"
};

// The run-time's standard message text for an error number
// ("Application-defined or object-defined error" for numbers it does not know).
String ErrorText(Long number);

class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(Long number) : number_(number), text_(ErrorText(number)) {}
  RuntimeError(Long number, String text) : number_(number), text_(std::move(text)) {}

  Long number() const noexcept { return number_; }
  const String& text() const noexcept { return text_; }
  const char* what() const noexcept override { return "brixen run-time error"; }

 private:
  Long number_;
  String text_;
};

[[noreturn]] inline void Raise(Long number) { throw RuntimeError(number); }

}  // namespace brixen

#include "helpers/error_log.h"

#include "helpers/clsMethod.h"

namespace brixen {

ErrorLog::ErrorLog()
    : handler_([this](Long number, const String& text, const String& module) { Method().ErrReg(number, text, module); }) {}

ErrorLog::~ErrorLog() = default;

clsMethod& ErrorLog::Method() {
  if (!method_) method_ = std::make_unique<clsMethod>();
  return *method_;
}

}  // namespace brixen

#include "helpers/clsMethod.h"

namespace brixen {

clsMethod::clsMethod()
    : log_([this](Long number, const String& text, const String& module) { ErrReg(number, text, module); }) {}

clsProperty& clsMethod::Property() {
  if (!property_) property_ = std::make_unique<clsProperty>();
  return *property_;
}

}  // namespace brixen

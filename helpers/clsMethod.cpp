#include "helpers/clsMethod.h"

namespace brixen {

clsProperty& clsMethod::Property() {
  if (!property_) property_ = std::make_unique<clsProperty>();
  return *property_;
}

}  // namespace brixen

#include "system/clsProperty.h"

#include "files/clsFILE.h"

namespace brixen {

clsProperty::clsProperty() = default;
clsProperty::~clsProperty() = default;

clsFILE& clsProperty::File() {
  if (!file_) file_ = std::make_unique<clsFILE>();
  return *file_;
}

}  // namespace brixen

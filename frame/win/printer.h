// The run-time's printer object as the library sees it: the current printer is the system's
// default printer; its fonts are those its device context offers.
#pragma once
#include <utility>
#include <vector>

#include "frame/types.h"

namespace brixen::win {

class Printer {
 public:
  // The default printer. Raises 484 when the system has none.
  static Printer Current();

  const String& DeviceName() const { return deviceName_; }

  // The face names the printer's device context offers, each once, in the order the platform
  // enumerates them. Raises 482 when the device context cannot be made; FontCount raises 6 when
  // the count leaves the Integer range.
  Integer FontCount() const;
  String Fonts(Integer index) const;  // raises 9 outside 0 .. FontCount - 1

 private:
  explicit Printer(String deviceName) : deviceName_(std::move(deviceName)) {}
  const std::vector<String>& FontNames() const;

  String deviceName_;
  mutable std::vector<String> fonts_;  // read on first use
  mutable bool fontsRead_ = false;
};

}  // namespace brixen::win

// clsMethod: a file name split at its first full stop.
#include <variant>

#include "helpers/clsMethod.h"

namespace brixen {

void clsMethod::SeparateFNAME(const String& FileName, String& tHidari, String& tMigi) {
  log_.Run<std::monostate>(u"SeparateFNAME", [&](std::monostate&) {
    if (FileName.empty()) {
      tHidari.clear();
      tMigi.clear();
      return;
    }
    const std::size_t stop = FileName.find(u'.');
    tHidari = FileName.substr(0, stop);
    if (stop != String::npos) tMigi = FileName.substr(stop + 1);
  });
}

}  // namespace brixen

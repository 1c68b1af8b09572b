// clsMethod: the pixel size a Windows bitmap file's header gives.
#include <array>
#include <variant>

#include "frame/bytes.h"
#include "frame/win/files.h"
#include "helpers/clsMethod.h"

namespace brixen {
namespace {

// The 14-byte file header followed by the 40-byte information header. Neither the "BM"
// signature nor the information header's size is checked: other files give the numbers
// found at the same offsets.
constexpr std::size_t kHeadersSize = 14 + 40;
constexpr std::size_t kWidthOffset = 18;
constexpr std::size_t kHeightOffset = 22;

}  // namespace

void clsMethod::GetBmpSize(const String& strBmpName, Long& lngWidth, Variant& lngHeight) {
  log_.Run<std::monostate>(u" GetBmpSize", [&](std::monostate&) {
    if (!fileSystem_.FileExists(strBmpName)) {
      lngWidth = 0;
      lngHeight = Variant(Integer{0});
      return;
    }
    std::array<Byte, kHeadersSize> headers{};  // what lies past the end of a short file reads as 0
    win::FileNumber file(strBmpName, win::OpenMode::Binary, win::Access::Read);
    win::Get(file, headers);
    file.Close();
    lngWidth = LittleEndian<Long>(headers, kWidthOffset);
    lngHeight = Variant(LittleEndian<Long>(headers, kHeightOffset));
  });
}

}  // namespace brixen

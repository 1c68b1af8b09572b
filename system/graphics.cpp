// clsProperty: facts read from bitmap and icon file headers, an object swapped into a device
// context and another deleted in one call, and a device context's mapping mode, window and
// viewport.
#include <windows.h>

#include <array>
#include <initializer_list>

#include "frame/bytes.h"
#include "frame/win/files.h"
#include "frame/win/handle_values.h"
#include "system/clsProperty.h"

namespace brixen {
namespace {

// A bitmap file: the 14-byte file header, then the 40-byte information header whose
// bits-per-pixel field lies at its offset 14.
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kBitCountOffset = 14;

// An icon file: the first image's 40-byte information header lies after the 6-byte directory
// header and one 16-byte directory entry (byte position 23); its width at its offset 4.
constexpr std::int64_t kIconImagePosition = 1 + 6 + 16;
constexpr std::size_t kIconWidthOffset = 4;

// Bytes past the end of a short file read as 0 (the run-time's binary read).
template <std::size_t N>
std::array<Byte, N> Read(Long file) {
  std::array<Byte, N> bytes{};
  win::Get(file, bytes);
  return bytes;
}

Long Succeeded(std::initializer_list<BOOL> results) {
  for (BOOL result : results) {
    if (!result) return 0;
  }
  return 1;
}

}  // namespace

Long clsProperty::GetBmpBitCount(const String& strBmpName) {
  return log_.Handle<Long>(u"GetBmpBitCount", [&](Long& bits) {
    win::FileNumber file(strBmpName, win::OpenMode::Binary, win::Access::Read);
    Read<kFileHeaderSize>(file);
    const auto info = Read<kInfoHeaderSize>(file);
    file.Close();
    bits = LittleEndian<Integer>(info, kBitCountOffset);
  });
}

Long clsProperty::get_IconSize(const String& sIconFullFname) {
  return log_.Handle<Long>(u"IconSize", [&](Long& width) {
    if (!fileSystem_.FileExists(sIconFullFname)) return;
    win::FileNumber file(sIconFullFname, win::OpenMode::Binary, win::Access::Read);
    win::Seek(file, kIconImagePosition);
    const auto image = Read<kInfoHeaderSize>(file);
    file.Close();
    width = LittleEndian<Long>(image, kIconWidthOffset);
  });
}

// Both calls are always made: the selection puts an object back, the deletion frees another.
Long clsProperty::apSel_DelObject(Long hdc, Long SelhObject, Long DelhObject) {
  const bool selected = ::SelectObject(win::DcOf(hdc), win::HandleOf<HGDIOBJ>(SelhObject)) != nullptr;
  const bool deleted = ::DeleteObject(win::HandleOf<HGDIOBJ>(DelhObject)) != FALSE;
  return selected && deleted ? 1 : 0;
}

Long clsProperty::SetMapWindow(Long hdc, Long MapMode, Long orgx, Long orgy, Long extx, Long exty) {
  const HDC dc = win::DcOf(hdc);
  const BOOL mode = ::SetMapMode(dc, MapMode) != 0;
  const BOOL origin = ::SetWindowOrgEx(dc, orgx, orgy, nullptr);
  const BOOL extent = ::SetWindowExtEx(dc, extx, exty, nullptr);
  return Succeeded({mode, origin, extent});
}

Long clsProperty::SetMapViewPort(Long hdc, Long orgx, Long orgy, Long extx, Long exty) {
  const HDC dc = win::DcOf(hdc);
  const BOOL origin = ::SetViewportOrgEx(dc, orgx, orgy, nullptr);
  const BOOL extent = ::SetViewportExtEx(dc, extx, exty, nullptr);
  return Succeeded({origin, extent});
}

Boolean clsProperty::GetWindowWidth(Long hdc, Long& orgx, Long& orgy, Long& extx, Long& exty) {
  return log_.Handle<Boolean>(u"GetWindowWidth", [&](Boolean& read) {
    const HDC dc = win::DcOf(hdc);
    POINT origin{};
    if (!::GetWindowOrgEx(dc, &origin)) return;
    orgx = origin.x;
    orgy = origin.y;
    SIZE extent{};
    if (!::GetWindowExtEx(dc, &extent)) return;
    extx = extent.cx;
    exty = extent.cy;
    read = true;
  });
}

}  // namespace brixen

// clsMethod: a two-colour gradient over a window's client area, a bitmap tiled over a form or
// picture box, and three-dimensional edges, all drawn into callers' device contexts. Gradient
// and tiles are composed in a memory bitmap and copied to the target in one block transfer.
#include <windows.h>
#include <olectl.h>

#include <cstdint>
#include <variant>

#include "frame/com/latebound.h"
#include "frame/runtime/values.h"
#include "frame/win/handle_values.h"
#include "frame/win/handles.h"
#include "helpers/clsMethod.h"

namespace brixen {
namespace {

constexpr Long kLeftRight = 0;  // ENUM_GradeDirection
constexpr Long kTopBottom = 1;
constexpr Long kEtched = 6;     // EDGE_ETCHED
constexpr DWORD kSourceCopy = SRCCOPY;

struct Rgb {
  Long red, green, blue;
};

// A colour value's channels; a system colour (top bit set) is its current value.
Rgb ColorToRGB(Long color) {
  auto value = static_cast<std::uint32_t>(color);
  if (value & 0x80000000u) value = ::GetSysColor(static_cast<int>(value & 0x7FFFFFFFu));
  return {static_cast<Long>(value & 255), static_cast<Long>((value >> 8) & 255), static_cast<Long>((value >> 16) & 255)};
}

// A channel of the colour after the band at `position`: (extent - position) * difference,
// 32-bit, over the extent in double precision, plus the end channel, rounded.
Long ChannelAt(Long extent, Long position, Long difference, Long end) {
  const Long scaled = rt::MulLong(rt::SubLong(extent, position), difference);
  return rt::CLng(rt::Divide(scaled, extent) + end);
}

void FillBand(HDC dc, const RECT& band, const Rgb& color) {
  const win::Brush brush(::CreateSolidBrush(static_cast<COLORREF>(color.red + color.green * 256 + color.blue * 65536)));
  ::FillRect(dc, &band, brush.get());
}

// The whole bitmap copied at every cell of a grid that overshoots the area; the work bitmap
// clips what lies beyond.
void TileBlt(HDC work, HDC source, Long width, Long height, Long area_width, Long area_height) {
  const Long rows = rt::CLng(rt::Divide(area_height, height) + 1);
  const Long columns = rt::CLng(rt::Divide(area_width, width) + 1);
  for (Long y = 0; y <= rows; ++y) {
    for (Long x = 0; x <= columns; ++x) {
      ::BitBlt(work, rt::MulLong(x, width), rt::MulLong(y, height), width, height, source, 0, 0, kSourceCopy);
    }
  }
}

// A picture's bitmap handle: its default property, read through its IPicture where it has one
// (the named dispatch lookup loads the standard type library on every call).
HBITMAP BitmapOf(IPictureDisp* picture) {
  Microsoft::WRL::ComPtr<IPicture> direct;
  OLE_HANDLE handle = 0;
  if (SUCCEEDED(picture->QueryInterface(IID_PPV_ARGS(&direct))) && SUCCEEDED(direct->get_Handle(&handle))) {
    return win::HandleOf<HBITMAP>(static_cast<Long>(handle));
  }
  return win::HandleOf<HBITMAP>(GetProperty(picture, u"Handle").ToLong());
}

// The run-time's sum of two values, in their own number type (a Single and a Long give a Double).
Variant Sum(const Variant& a, const Variant& b) {
  Variant sum;
  CheckHresult(::VarAdd(const_cast<VARIANT*>(&a.get()), const_cast<VARIANT*>(&b.get()), sum.put()));
  return sum;
}

Variant Difference(const Variant& a, const Variant& b) {
  Variant difference;
  CheckHresult(::VarSub(const_cast<VARIANT*>(&a.get()), const_cast<VARIANT*>(&b.get()), difference.put()));
  return difference;
}

void DrawEdgeOn(Long hdc, RECT rect, Long kind, UINT sides) {
  ::DrawEdge(win::DcOf(hdc), &rect, static_cast<UINT>(kind), sides);
}

}  // namespace

void clsMethod::Gradate(Long hwnd, Long hdcDest, Long clrStart, Long clrEnd, Long lngDirection) {
  RECT client{};
  ::GetClientRect(win::WindowOf(hwnd), &client);
  const HDC target = win::DcOf(hdcDest);
  const win::MemoryDC memory(::CreateCompatibleDC(target));
  win::Bitmap bitmap(::CreateCompatibleBitmap(target, client.right, client.bottom));
  win::Selection selected(memory.get(), bitmap.get());
  DrawGradation(client, memory.get(), clrStart, clrEnd, lngDirection);
  ::BitBlt(target, client.left, client.top, client.right, client.bottom, memory.get(), 0, 0, kSourceCopy);
  Property().apSel_DelObject(win::LongOf(memory.get()), win::LongOf(selected.release()), win::LongOf(bitmap.release()));
}

void clsMethod::DrawGradation(const RECT& area, HDC dc, Long clrStart, Long clrEnd, Long lngDirection) {
  log_.Run<std::monostate>(u"DrawGradation", [&](std::monostate&) {
    const bool across = lngDirection == kLeftRight, down = lngDirection == kTopBottom;
    const Long extent = across ? area.right : down ? area.bottom : 0;
    const Double bands_per_step = extent / 255.0;
    const Long step = bands_per_step < 1 ? 1 : rt::CLng(bands_per_step);
    const Rgb start = ColorToRGB(clrStart), end = ColorToRGB(clrEnd);
    const Rgb difference{start.red - end.red, start.green - end.green, start.blue - end.blue};
    Rgb color = start;
    RECT band = area;
    for (Long position = 0; position <= extent; position = rt::AddLong(position, step)) {
      if (across) band.right = rt::AddLong(band.left, step);
      if (down) band.bottom = rt::AddLong(band.top, step);
      FillBand(dc, band, color);
      if (across) band.left = band.right;
      if (down) band.top = band.bottom;
      color = {ChannelAt(extent, position, difference.red, end.red),
               ChannelAt(extent, position, difference.green, end.green),
               ChannelAt(extent, position, difference.blue, end.blue)};
    }
  });
}

void clsMethod::TileBitmap(const Object& objDest, Picture& BmpDest) {
  if (!objDest || !BmpDest) Raise(kErrObjectNotSet);
  const Long width = GetProperty(objDest.Get(), u"ScaleWidth").ToLong();
  const Long height = GetProperty(objDest.Get(), u"ScaleHeight").ToLong();
  const HDC target = win::DcOf(GetProperty(objDest.Get(), u"hdc").ToLong());
  const HBITMAP picture = BitmapOf(BmpDest.Get());
  BITMAP tile{};  // stays empty for a picture that is no bitmap
  ::GetObjectA(picture, sizeof tile, &tile);

  const win::MemoryDC source(::CreateCompatibleDC(target));
  const win::Selection source_selected(source.get(), picture);
  const win::MemoryDC work(::CreateCompatibleDC(target));
  win::Bitmap canvas(::CreateCompatibleBitmap(target, width, height));
  win::Selection work_selected(work.get(), canvas.get());
  TileBlt(work.get(), source.get(), tile.bmWidth, tile.bmHeight, width, height);
  ::BitBlt(target, 0, 0, width, height, work.get(), 0, 0, kSourceCopy);
  Property().apSel_DelObject(win::LongOf(work.get()), win::LongOf(work_selected.release()),
                             win::LongOf(canvas.release()));
}

void clsMethod::DrawButtonEdge(Long hdc, const Object& BTN, Long lngStyle, Long lngSA) {
  if (!BTN) Raise(kErrObjectNotSet);
  const Variant left = GetProperty(BTN.Get(), u"LEFT"), top = GetProperty(BTN.Get(), u"TOP");
  const Variant width = GetProperty(BTN.Get(), u"Width"), height = GetProperty(BTN.Get(), u"Height");
  const Variant margin(lngSA);
  const RECT rect{Difference(left, margin).ToLong(), Difference(top, margin).ToLong(),
                  Sum(Sum(left, width), margin).ToLong(), Sum(Sum(top, height), margin).ToLong()};
  DrawEdgeOn(hdc, rect, lngStyle, BF_RECT);
}

void clsMethod::DrawSeparateLine(const Variant& hdc, Long LEFT, Long TOP, Long RIGHT) {
  DrawEdgeOn(hdc.ToLong(), RECT{LEFT, TOP, RIGHT, rt::AddLong(TOP, 1)}, kEtched, BF_TOP);
}

void clsMethod::DrawWaku(Long hdc, Long lngLeft, Long lngTop, Long lngRight, Long lngBottom, Long lngSA,
                         Long lngStyle) {
  RECT rect{};
  ::SetRect(&rect, rt::SubLong(lngLeft, lngSA), rt::SubLong(lngTop, lngSA), rt::AddLong(lngRight, lngSA),
            rt::AddLong(lngBottom, lngSA));
  DrawEdgeOn(hdc, rect, lngStyle, BF_RECT);
}

void clsMethod::DrawEdgeAPI(Long hdc, Long lngLeft, Long lngTop, Long lngRight, Long lngBottom, Long lngWTYPE) {
  DrawEdgeOn(hdc, RECT{lngLeft, lngTop, lngRight, lngBottom}, lngWTYPE, BF_RECT);
}

void clsMethod::DrawMyEdge(Long WTYPE, Long hdc, Long hwnd, Long xMINUS, Long yMINUS, Long xRIGHTHOSEI,
                           Long yBOTTOMHOSEI) {
  RECT rect{};
  ::GetClientRect(win::WindowOf(hwnd), &rect);
  ::InflateRect(&rect, xMINUS, yMINUS);
  rect.right = rt::AddLong(rect.right, xRIGHTHOSEI);
  rect.bottom = rt::AddLong(rect.bottom, yBOTTOMHOSEI);
  DrawEdgeOn(hdc, rect, WTYPE, BF_LEFT | BF_TOP);
  DrawEdgeOn(hdc, rect, WTYPE, BF_RIGHT | BF_BOTTOM);
}

}  // namespace brixen

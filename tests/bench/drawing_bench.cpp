// clsMethod's drawing over a full-HD area against plain loops doing the same drawing straight into
// the target, timed in the same run:
//   Gradate (left to right, 1920 pixels: 4-pixel bands) against a loop that fills the same bands
//   with the same colours into the target; the library composes in a memory bitmap and copies it;
//   TileBitmap (32 x 32 tiles) against a loop of BitBlt calls of the tile onto the target.
//
//   brixen_drawing_bench.exe [rounds=5]
#include <windows.h>
// after windows.h
#include <oleauto.h>
#include <olectl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "brixen.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080, kTile = 32;
constexpr COLORREF kStart = RGB(200, 30, 40), kEnd = RGB(30, 60, 200);

using Clock = std::chrono::steady_clock;

double MillisecondsOf(const auto& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long LongOf(const void* handle) { return static_cast<long>(reinterpret_cast<LONG_PTR>(handle)); }

// A form as TileBitmap reads it late bound: ScaleWidth, ScaleHeight (pixels) and hdc.
class Form : public IDispatch {
 public:
  explicit Form(HDC dc) : dc_(dc) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the stack of main
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* id) override {
    const wchar_t* known[] = {L"ScaleWidth", L"ScaleHeight", L"hdc"};
    for (DISPID i = 0; i < 3; ++i) {
      if (_wcsicmp(names[0], known[i]) == 0) {
        *id = i + 1;
        return S_OK;
      }
    }
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    V_VT(result) = VT_I4;
    V_I4(result) = id == 1 ? kWidth : id == 2 ? kHeight : LongOf(dc_);
    return S_OK;
  }

 private:
  HDC dc_;
};

// What the library draws, done straight: bands of 4 pixels, the colour one band behind.
void PlainBands(HDC dc) {
  const int step = static_cast<int>(std::nearbyint(kWidth / 255.0));
  COLORREF color = kStart;
  for (int x = 0; x <= kWidth; x += step) {
    const RECT band{x, 0, x + step, kHeight};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &band, brush);
    DeleteObject(brush);
    auto channel = [&](int c0, int c1) {
      return static_cast<int>(std::nearbyint(static_cast<double>((kWidth - x) * (c0 - c1)) / kWidth + c1));
    };
    color = RGB(channel(GetRValue(kStart), GetRValue(kEnd)), channel(GetGValue(kStart), GetGValue(kEnd)),
                channel(GetBValue(kStart), GetBValue(kEnd)));
  }
}

void PlainTiles(HDC dc, HDC tile) {
  for (int y = 0; y < kHeight; y += kTile) {
    for (int x = 0; x < kWidth; x += kTile) BitBlt(dc, x, y, kTile, kTile, tile, 0, 0, SRCCOPY);
  }
}

struct Best {
  double ours = 1e300, plain = 1e300;
};

void Report(const char* what, const Best& best, double aim) {
  const double ratio = best.ours / best.plain;
  std::printf("%-34s %9.2f %9.2f %7.2f\n", what, best.ours, best.plain, ratio);
  std::printf("VERDICT %s ours/plain = %.2f: %s (aim: within %.1f times)\n", what, ratio,
              ratio <= aim ? "within the aim" : "beyond the aim", aim);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  CoInitialize(nullptr);
  _clsMethod* method = nullptr;
  if (FAILED(CoCreateInstance(CLSID_clsMethod, nullptr, CLSCTX_INPROC_SERVER, IID__clsMethod,
                              reinterpret_cast<void**>(&method)))) {
    std::puts("FAIL cannot create BRIXEN.clsMethod");
    return 1;
  }
  // The target: a full-HD 32-bit bitmap; the window gives Gradate its client area.
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC target = CreateCompatibleDC(nullptr);
  HBITMAP canvas = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ kept = SelectObject(target, canvas);
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
  RECT client{};
  GetClientRect(window, &client);
  if (client.right != kWidth || client.bottom != kHeight) {
    std::printf("FAIL the window's client area is %ld x %ld\n", client.right, client.bottom);
    return 1;
  }
  HDC tile_dc = CreateCompatibleDC(target);
  HBITMAP tile = CreateCompatibleBitmap(target, kTile, kTile);
  HGDIOBJ tile_kept = SelectObject(tile_dc, tile);
  PatBlt(tile_dc, 0, 0, kTile, kTile, WHITENESS);
  SelectObject(tile_dc, tile_kept);
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = PICTYPE_BITMAP;
  desc.bmp.hbitmap = tile;
  IPictureDisp* picture = nullptr;
  OleCreatePictureIndirect(&desc, IID_IPictureDisp, FALSE, reinterpret_cast<void**>(&picture));
  Form form(target);

  Best gradient, tiles;
  bool ok = true;
  for (int round = 0; round < rounds && ok; ++round) {
    gradient.ours = std::min(gradient.ours, MillisecondsOf([&] {
      ok = ok && SUCCEEDED(method->Gradate(LongOf(window), LongOf(target), kStart, kEnd, eLeftRight));
    }));
    gradient.plain = std::min(gradient.plain, MillisecondsOf([&] { PlainBands(target); }));
    tiles.ours = std::min(tiles.ours, MillisecondsOf([&] { ok = ok && SUCCEEDED(method->TileBitmap(&form, &picture)); }));
    SelectObject(tile_dc, tile);
    tiles.plain = std::min(tiles.plain, MillisecondsOf([&] { PlainTiles(target, tile_dc); }));
    SelectObject(tile_dc, tile_kept);
  }
  picture->Release();
  method->Release();
  DeleteDC(tile_dc);
  DeleteObject(tile);
  DestroyWindow(window);
  SelectObject(target, kept);
  DeleteObject(canvas);
  DeleteDC(target);
  CoUninitialize();
  if (!ok) {
    std::puts("FAIL a drawing call failed");
    return 1;
  }
  std::printf("%-34s %9s %9s %7s\n", "(1920 x 1080, best of rounds, ms)", "ours", "plain", "ratio");
  Report("Gradate, 4-pixel bands", gradient, 1.2);
  Report("TileBitmap, 32 x 32 tiles", tiles, 1.2);
  return 0;
}

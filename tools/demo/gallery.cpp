// brixen_gallery.exe OUT.bmp: a gallery drawn by the registered library, early bound, into a
// 32-bit bitmap saved as OUT.bmp: both gradient directions (one from a system colour), every edge
// kind with its name, a tiled bitmap, and text in fonts built by clsNewFont. tools/demo.sh runs it.
#include <windows.h>
#include <olectl.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "brixen.h"
#include "desktop.h"
#include "frame/win/handle_values.h"
#include "frame/win/handles.h"
#include "picturebox/canvas.h"
#include "property_object.h"

namespace {

using Microsoft::WRL::ComPtr;
using brixen::Variant;
using brixen::picbox::Image;
namespace win = brixen::win;
using brixen::demo::Make;

constexpr int kWidth = 700, kHeight = 470;
constexpr COLORREF kPaper = RGB(204, 204, 204), kInk = RGB(20, 20, 20);

long Value(HDC dc) { return win::LongOf(dc); }

// A hidden window whose client area is the size a gradient covers.
struct Area {
  HWND window;
  Area(int width, int height)
      : window(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, width, height, nullptr, nullptr, nullptr, nullptr)) {}
  ~Area() { DestroyWindow(window); }
};

class Gallery {
 public:
  Gallery() : image_(kWidth, kHeight) {
    // A mid grey, on which both the edges' white lights and their dark shadows show.
    const win::Brush paper(CreateSolidBrush(kPaper));
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(dc(), &all, paper.get());
    SetBkMode(dc(), TRANSPARENT);
    SetTextColor(dc(), kInk);
  }
  HDC dc() const { return image_.dc(); }

  // A font from clsNewFont, selected while `draw` runs, deleted afterwards (it is the caller's).
  template <class Build, class Draw>
  void WithFont(Build&& build, Draw&& draw) {
    ComPtr<_clsNewFont> font = Make<_clsNewFont>(CLSID_clsNewFont);
    const BSTR face = SysAllocString(L"Tahoma");
    font->put_lfFaceName(face);
    SysFreeString(face);
    font->put_lfHeight(-15);
    build(font.Get());
    long handle = 0;
    font->get_hNewFont(&handle);
    const win::Font owned(win::HandleOf<HFONT>(handle));
    const win::Selection selected(dc(), owned.get());
    draw();
  }
  void Label(int x, int y, const std::wstring& text) {
    WithFont([](_clsNewFont*) {}, [&] { TextOutW(dc(), x, y, text.c_str(), static_cast<int>(text.size())); });
  }
  void Heading(int x, int y, const std::wstring& text) {
    WithFont([](_clsNewFont* f) { f->put_lfWeight(eFW_BOLD); },
             [&] { TextOutW(dc(), x, y, text.c_str(), static_cast<int>(text.size())); });
  }

  void Gradients(_clsMethod* method) {
    Heading(16, 10, L"Gradate");
    const struct {
      int x;
      long start, end;
      ENUM_GradeDirection direction;
      const wchar_t* label;
    } gradients[] = {
        {16, static_cast<long>(RGB(200, 30, 40)), static_cast<long>(RGB(30, 60, 200)), eLeftRight, L"eLeftRight"},
        {356, static_cast<long>(0x80000000u | COLOR_ACTIVECAPTION), static_cast<long>(RGB(255, 255, 255)), eTopBottom,
         L"eTopBottom, from a system colour"},
    };
    for (const auto& g : gradients) {
      const Area area(320, 70);
      SetViewportOrgEx(dc(), g.x, 32, nullptr);
      method->Gradate(win::LongOf(area.window), Value(dc()), g.start, g.end, g.direction);
      SetViewportOrgEx(dc(), 0, 0, nullptr);
      Label(g.x, 106, g.label);
    }
    VARIANT hdc;
    V_VT(&hdc) = VT_I4;
    V_I4(&hdc) = Value(dc());
    method->DrawSeparateLine(hdc, 16, 132, kWidth - 16);
  }

  void Edges(_clsMethod* method) {
    Heading(16, 142, L"DrawEdgeAPI");
    const struct {
      long kind;
      const wchar_t* name;
    } kinds[] = {{BDR_RAISEDOUTER, L"BDR_RAISEDOUTER"}, {BDR_SUNKENOUTER, L"BDR_SUNKENOUTER"},
                 {BDR_RAISEDINNER, L"BDR_RAISEDINNER"}, {BDR_SUNKENINNER, L"BDR_SUNKENINNER"},
                 {EDGE_RAISED, L"EDGE_RAISED"},         {EDGE_SUNKEN, L"EDGE_SUNKEN"},
                 {EDGE_ETCHED, L"EDGE_ETCHED"},         {EDGE_BUMP, L"EDGE_BUMP"}};
    for (size_t i = 0; i < std::size(kinds); ++i) {
      const int x = 16 + static_cast<int>(i % 4) * 170, y = 166 + static_cast<int>(i / 4) * 62;
      method->DrawEdgeAPI(Value(dc()), x, y, x + 150, y + 34, static_cast<ENUM_EDGE>(kinds[i].kind));
      Label(x + 4, y + 38, kinds[i].name);
    }
  }

  void Tiles(_clsMethod* method) {
    Heading(16, 296, L"TileBitmap");
    Image target(240, 130);
    ComPtr<brixen::test::PropertyObject> form = brixen::test::PropertyObject::Make();
    form->Set(L"ScaleWidth", Variant(brixen::Long{240})).Set(L"ScaleHeight", Variant(brixen::Long{130}));
    form->Set(L"hdc", Variant(brixen::Long{Value(target.dc())}));
    ComPtr<IPictureDisp> tile = TilePicture();
    IPictureDisp* picture = tile.Get();
    method->TileBitmap(form.Get(), &picture);
    BitBlt(dc(), 16, 320, 240, 130, target.dc(), 0, 0, SRCCOPY);
    method->DrawWaku(Value(dc()), 16, 320, 256, 450, 2, static_cast<ENUM_EDGE>(EDGE_SUNKEN));
  }

  void Fonts() {
    Heading(290, 296, L"clsNewFont");
    const struct {
      void (*build)(_clsNewFont*);
      const wchar_t* text;
    } samples[] = {
        {[](_clsNewFont* f) { f->put_lfWeight(eFW_THIN); }, L"eFW_THIN (100)"},
        {[](_clsNewFont* f) { f->put_lfWeight(eFW_NORMAL); }, L"eFW_NORMAL (400)"},
        {[](_clsNewFont* f) { f->put_lfWeight(eFW_BOLD); }, L"eFW_BOLD (700)"},
        {[](_clsNewFont* f) { f->put_lfItalic(elfYes); }, L"lfItalic"},
        {[](_clsNewFont* f) { f->put_lfUnderline(elfYes); }, L"lfUnderline"},
        {[](_clsNewFont* f) { f->put_lfStrikeOut(elfYes); }, L"lfStrikeOut"},
    };
    for (size_t i = 0; i < std::size(samples); ++i) {
      const int y = 322 + static_cast<int>(i) * 21;
      WithFont([&](_clsNewFont* f) {
                 f->put_lfHeight(-17);
                 samples[i].build(f);
               },
               [&] { TextOutW(dc(), 290, y, samples[i].text, static_cast<int>(wcslen(samples[i].text))); });
    }
    WithFont([](_clsNewFont* f) {
               f->put_lfHeight(-17);
               f->put_lfEscapement(900);
             },
             [&] { TextOutW(dc(), 620, 450, L"lfEscapement 900", 16); });
  }

  bool Save(const std::wstring& path) const {
    BITMAPINFOHEADER header{sizeof header, kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<char> bits(static_cast<size_t>(kWidth) * kHeight * 4);
    GdiFlush();
    const HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(dc(), OBJ_BITMAP));
    if (!GetDIBits(dc(), bitmap, 0, kHeight, bits.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS))
      return false;
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
    const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(offset + bits.size()), 0, 0, offset};
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(bits.data(), static_cast<std::streamsize>(bits.size()));
    return static_cast<bool>(out);
  }

 private:
  // A 32 x 32 tile: a ring on a two-colour ground.
  static ComPtr<IPictureDisp> TilePicture() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const int dx = x - 15, dy = y - 15, r2 = dx * dx + dy * dy;
        DWORD color = (x / 16 + y / 16) % 2 ? 0xE8D8A0 : 0xF8ECC8;
        if (r2 >= 64 && r2 <= 121) color = 0x2F6F9F;
        pixels[y * 32 + x] = color;
      }
    }
    PICTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap;
    ComPtr<IPictureDisp> picture;
    OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, &picture);
    return picture;
  }

  Image image_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: brixen_gallery OUT.bmp\n");
    return 2;
  }
  OleInitialize(nullptr);
  int status = 0;
  {
    ComPtr<_clsMethod> method = Make<_clsMethod>(CLSID_clsMethod);
    Gallery gallery;
    gallery.Gradients(method.Get());
    gallery.Edges(method.Get());
    gallery.Tiles(method.Get());
    gallery.Fonts();
    if (!gallery.Save(argv[1])) {
      std::fprintf(stderr, "gallery: cannot write the picture\n");
      status = 1;
    }
  }
  OleUninitialize();
  return status;
}

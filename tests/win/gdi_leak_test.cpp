// Every drawing member, called 10,000 times, leaves the process's count of GDI objects where it
// started: device contexts, bitmaps and brushes are released on every path (also when a call
// ends with an error), and the fonts hNewFont hands out are the caller's to delete.
#include <windows.h>
#include <olectl.h>

#include <functional>
#include <string>

#include "com_fixture.h"
#include "err_log_file.h"
#include "frame/win/handle_values.h"
#include "gdi_count.h"
#include "picturebox/canvas.h"
#include "property_object.h"

namespace brixen::test {
namespace {

constexpr int kCalls = 10000;

ComPtr<IPictureDisp> Picture(short type) {
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = static_cast<UINT>(type);
  if (type == PICTYPE_BITMAP) desc.bmp.hbitmap = CreateBitmap(8, 8, 1, 32, nullptr);
  if (type == PICTYPE_ICON) desc.icon.hicon = LoadIconW(nullptr, IDI_APPLICATION);
  ComPtr<IPictureDisp> picture;
  EXPECT_EQ(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, &picture), S_OK);
  return picture;
}

class GdiLeaks : public testing::Test {
 protected:
  // The change in the count over `calls` runs of `call`.
  long Growth(const std::function<void()>& call, int calls = kCalls) {
    call();  // whatever the first call sets up once (a stock object, a cached font) is not a leak
    const long before = GdiObjectCount();
    EXPECT_GE(before, 0) << "no GDI handle table";
    for (int i = 0; i < calls; ++i) call();
    return GdiObjectCount() - before;
  }

  picbox::Image image_{20, 20};
  HWND window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
  ~GdiLeaks() override { DestroyWindow(window_); }
  long hdc() const { return win::LongOf(image_.dc()); }
  long hwnd() const { return win::LongOf(window_); }
  ComPtr<_clsMethod> method_ = Create<_clsMethod>(CLSID_clsMethod);
};

// The count itself: one brush left behind shows as one more object.
TEST_F(GdiLeaks, TheCountSeesOneObjectLeftBehind) {
  HBRUSH leaked = nullptr;
  EXPECT_EQ(Growth([&] { leaked = CreateSolidBrush(RGB(9, 9, 9)); }, 1), 1);
  DeleteObject(leaked);
  EXPECT_EQ(Growth([] { DeleteObject(CreateSolidBrush(RGB(9, 9, 9))); }), 0);
}

TEST_F(GdiLeaks, GradateInBothDirections) {
  EXPECT_EQ(Growth([&] { method_->Gradate(hwnd(), hdc(), RGB(255, 0, 0), 0x80000005, eLeftRight); }), 0);
  EXPECT_EQ(Growth([&] { method_->Gradate(hwnd(), hdc(), RGB(255, 0, 0), RGB(0, 0, 255), eTopBottom); }), 0);
}

// An unknown direction ends the bands with a logged error (one answered box a call, so fewer
// calls); the bitmap and the memory context still go.
TEST_F(GdiLeaks, GradateEndedByAnError) {
  const ErrLogFile log(FolderOfPath(DllPath("BRIXEN_DLL")));
  MsgBoxAnswerer answerer;
  EXPECT_EQ(Growth([&] { method_->Gradate(hwnd(), hdc(), RGB(255, 0, 0), RGB(0, 0, 255), static_cast<ENUM_GradeDirection>(7)); }, 5),
            0);
  EXPECT_EQ(answerer.Boxes().size(), 6u);
}

TEST_F(GdiLeaks, TileBitmapAlsoWhenThePictureIsNoBitmap) {
  ComPtr<PropertyObject> destination = PropertyObject::Make();
  destination->Set(L"ScaleWidth", Variant(Long{20})).Set(L"ScaleHeight", Variant(Long{20}));
  destination->Set(L"hdc", Variant(Long{hdc()}));
  ComPtr<IPictureDisp> bitmap = Picture(PICTYPE_BITMAP), icon = Picture(PICTYPE_ICON);
  IPictureDisp* tile = bitmap.Get();
  EXPECT_EQ(Growth([&] { EXPECT_EQ(method_->TileBitmap(destination.Get(), &tile), S_OK); }), 0);
  IPictureDisp* not_a_bitmap = icon.Get();
  EXPECT_EQ(Growth([&] { EXPECT_NE(method_->TileBitmap(destination.Get(), &not_a_bitmap), S_OK); }), 0);
}

TEST_F(GdiLeaks, EdgeMembers) {
  ComPtr<PropertyObject> button = PropertyObject::Make();
  button->Set(L"Left", Variant(Long{2})).Set(L"Top", Variant(Long{2}));
  button->Set(L"Width", Variant(Long{10})).Set(L"Height", Variant(Long{10}));
  VARIANT dc;
  V_VT(&dc) = VT_I4;
  V_I4(&dc) = hdc();
  const ENUM_EDGE raised = static_cast<ENUM_EDGE>(EDGE_RAISED);
  EXPECT_EQ(Growth([&] {
              method_->DrawEdgeAPI(hdc(), 1, 1, 18, 18, raised);
              method_->DrawWaku(hdc(), 3, 3, 15, 15, 1, raised);
              method_->DrawButtonEdge(hdc(), button.Get(), raised, 1);
              method_->DrawSeparateLine(dc, 1, 10, 18);
              method_->DrawMyEdge(raised, hdc(), hwnd(), -1, -1, 0, 0);
            }),
            0);
}

TEST_F(GdiLeaks, FontsAreTheCallers) {
  ComPtr<_clsNewFont> font = Create<_clsNewFont>(CLSID_clsNewFont);
  font->put_lfHeight(-12);
  EXPECT_EQ(Growth([&] {
              long handle = 0;
              font->get_hNewFont(&handle);
              DeleteObject(win::HandleOf<HGDIOBJ>(handle));
            }),
            0);
}

}  // namespace
}  // namespace brixen::test

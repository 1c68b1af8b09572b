// The COM object: IDispatch over the member table of the picture box.
#include <atomic>
#include <cstdint>
#include <new>

#include "canvas.h"
#include "dispatch.h"
#include "picturebox.h"

namespace brixen::picbox {
namespace {

std::atomic<long> g_alive{0};

std::int32_t HandleValue(const void* handle) {
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(handle));
}

// The members, by the names callers use. A property is one entry with a getter and a setter.
const Member kMembers[] = {
    // Methods.
    {L"Cls", [](Canvas& c, const Args&, Result&) { c.Cls(); }, nullptr, 0, 0},
    {L"Refresh", [](Canvas& c, const Args&, Result&) { c.Refresh(); }, nullptr, 0, 0},
    {L"Resize", [](Canvas& c, const Args& a, Result&) { c.Resize(a.Long(0), a.Long(1)); }, nullptr, 2, 2},
    {L"Line",
     [](Canvas& c, const Args& a, Result&) {
       const std::int32_t colour = a.Given(4) ? a.Long(4) : c.ForeColor();
       const auto style = Canvas::ParseLineStyle(a.Given(5) ? a.String(5) : std::wstring());
       c.Line(a.Single(0), a.Single(1), a.Single(2), a.Single(3), colour, style);
     },
     nullptr, 4, 6},
    {L"Print", [](Canvas& c, const Args& a, Result&) { c.Print(a.Given(0) ? a.String(0) : std::wstring()); },
     nullptr, 0, 1},
    {L"TextWidth", [](Canvas& c, const Args& a, Result& r) { r.Set(c.TextWidth(a.String(0))); }, nullptr, 1, 1},
    {L"TextHeight", [](Canvas& c, const Args& a, Result& r) { r.Set(c.TextHeight(a.String(0))); }, nullptr, 1, 1},
    {L"Point", [](Canvas& c, const Args& a, Result& r) { r.Set(c.Point(a.Single(0), a.Single(1))); }, nullptr, 2, 2},
    {L"PixelAt", [](Canvas& c, const Args& a, Result& r) { r.Set(c.PixelAt(a.Long(0), a.Long(1))); }, nullptr, 2, 2},
    {L"SavePicture", [](Canvas& c, const Args& a, Result&) { c.SavePicture(a.String(0)); }, nullptr, 1, 1},

    // Properties.
    {L"AutoRedraw", [](Canvas& c, const Args&, Result& r) { r.Set(c.AutoRedraw()); },
     [](Canvas& c, const Args& a) { c.SetAutoRedraw(a.Boolean(0)); }, 0, 0},
    {L"ScaleWidth", [](Canvas& c, const Args&, Result& r) { r.Set(c.ScaleWidth()); },
     [](Canvas& c, const Args& a) { c.SetScaleWidth(a.Single(0)); }, 0, 0},
    {L"ScaleHeight", [](Canvas& c, const Args&, Result& r) { r.Set(c.ScaleHeight()); },
     [](Canvas& c, const Args& a) { c.SetScaleHeight(a.Single(0)); }, 0, 0},
    {L"ScaleLeft", [](Canvas& c, const Args&, Result& r) { r.Set(c.ScaleLeft()); },
     [](Canvas& c, const Args& a) { c.SetScaleLeft(a.Single(0)); }, 0, 0},
    {L"ScaleTop", [](Canvas& c, const Args&, Result& r) { r.Set(c.ScaleTop()); },
     [](Canvas& c, const Args& a) { c.SetScaleTop(a.Single(0)); }, 0, 0},
    {L"DrawMode", [](Canvas& c, const Args&, Result& r) { r.Set(c.DrawMode()); },
     [](Canvas& c, const Args& a) { c.SetDrawMode(a.Integer(0)); }, 0, 0},
    {L"ForeColor", [](Canvas& c, const Args&, Result& r) { r.Set(c.ForeColor()); },
     [](Canvas& c, const Args& a) { c.SetForeColor(a.Long(0)); }, 0, 0},
    {L"BackColor", [](Canvas& c, const Args&, Result& r) { r.Set(c.BackColor()); },
     [](Canvas& c, const Args& a) { c.SetBackColor(a.Long(0)); }, 0, 0},
    {L"CurrentX", [](Canvas& c, const Args&, Result& r) { r.Set(c.CurrentX()); },
     [](Canvas& c, const Args& a) { c.SetCurrentX(a.Single(0)); }, 0, 0},
    {L"CurrentY", [](Canvas& c, const Args&, Result& r) { r.Set(c.CurrentY()); },
     [](Canvas& c, const Args& a) { c.SetCurrentY(a.Single(0)); }, 0, 0},
    {L"FontName", [](Canvas& c, const Args&, Result& r) { r.Set(c.FontName()); },
     [](Canvas& c, const Args& a) { c.SetFontName(a.String(0)); }, 0, 0},
    {L"FontSize", [](Canvas& c, const Args&, Result& r) { r.Set(c.FontSize()); },
     [](Canvas& c, const Args& a) { c.SetFontSize(a.Single(0)); }, 0, 0},
    {L"Width", [](Canvas& c, const Args&, Result& r) { r.Set(std::int32_t{c.Width()}); },
     [](Canvas& c, const Args& a) { c.Resize(a.Long(0), c.Height()); }, 0, 0},
    {L"Height", [](Canvas& c, const Args&, Result& r) { r.Set(std::int32_t{c.Height()}); },
     [](Canvas& c, const Args& a) { c.Resize(c.Width(), a.Long(0)); }, 0, 0},
    {L"Visible", [](Canvas& c, const Args&, Result& r) { r.Set(c.Visible()); },
     [](Canvas& c, const Args& a) { c.SetVisible(a.Boolean(0)); }, 0, 0},
    // Handles as Long: window and GDI handles keep their meaning in 32 bits.
    {L"hWnd", [](Canvas& c, const Args&, Result& r) { r.Set(HandleValue(c.hWnd())); }, nullptr, 0, 0},
    {L"hDC", [](Canvas& c, const Args&, Result& r) { r.Set(HandleValue(c.hDC())); }, nullptr, 0, 0},
};

constexpr MemberTable kTable{kMembers, sizeof kMembers / sizeof kMembers[0]};

class PictureBoxObject final : public IDispatch {
 public:
  PictureBoxObject(int widthPx, int heightPx) : canvas_(widthPx, heightPx) { ++g_alive; }
  ~PictureBoxObject() { --g_alive; }
  PictureBoxObject(const PictureBoxObject&) = delete;
  PictureBoxObject& operator=(const PictureBoxObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // No type information: callers bind by name.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    return GetIdsOfNames(kTable, names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT*) override {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    return InvokeMember(kTable, canvas_, id, flags, params, result, exception);
  }

 private:
  std::atomic<ULONG> references_{1};
  Canvas canvas_;
};

}  // namespace
}  // namespace brixen::picbox

HRESULT CreateTestPictureBox(int widthPx, int heightPx, IDispatch** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  try {
    *out = new brixen::picbox::PictureBoxObject(widthPx, heightPx);
    return S_OK;
  } catch (const brixen::picbox::PictureError& error) {
    return error.number == brixen::picbox::kErrOutOfMemory ? E_OUTOFMEMORY : E_INVALIDARG;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

long TestPictureBoxesAlive() { return brixen::picbox::g_alive.load(); }

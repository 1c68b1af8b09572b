// brixen_tooltips.exe OUT.bmp: tooltips of the registered library (clsToolTip, early bound) over
// a small form on the Wine desktop, each tip tracked beside the control its tool covers, in the
// default look and in colours, margins and a width of its own; the screen around the form is
// captured into OUT.bmp. tools/demo.sh runs it.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <wrl/client.h>

#include "brixen.h"
#include "desktop.h"
#include "frame/win/handle_values.h"

namespace {

using Microsoft::WRL::ComPtr;
namespace win = brixen::win;
using brixen::demo::Form;
using brixen::demo::Pump;
using brixen::demo::SaveScreen;

constexpr int kCaptureMargin = 20;

RECT ScreenRectOf(HWND window) {
  RECT area{};
  GetWindowRect(window, &area);
  return area;
}
// A control's rectangle in its form's client coordinates: the area of a tool.
RECT ClientRectOf(HWND control, HWND form) {
  RECT area = ScreenRectOf(control);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&area), 2);
  return area;
}
// Where a tip stands on the screen: below a control's left part, or to its right.
POINT BelowLeft(HWND control) {
  const RECT area = ScreenRectOf(control);
  return {area.left + 12, area.bottom + 6};
}
POINT RightOf(HWND control) {
  const RECT area = ScreenRectOf(control);
  return {area.right + 12, area.top};
}

// The form and its tips with a margin of the backdrop around them.
RECT CaptureArea(HWND form, const std::vector<HWND>& tips) {
  RECT area = ScreenRectOf(form);
  for (HWND tip : tips) {
    const RECT tipArea = ScreenRectOf(tip);
    UnionRect(&area, &area, &tipArea);
  }
  InflateRect(&area, kCaptureMargin, kCaptureMargin);
  return area;
}

// The tooltip window owned by `form` that is not in `known` yet; it joins `known`.
HWND NewTooltipWindow(HWND form, std::vector<HWND>& known) {
  for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, TOOLTIPS_CLASSA, nullptr));) {
    if (GetWindow(window, GW_OWNER) != form) continue;
    if (std::find(known.begin(), known.end(), window) != known.end()) continue;
    known.push_back(window);
    return window;
  }
  return nullptr;
}

// One tip: a clsToolTip of its own (one tooltip window shows one tracked tip), one tool over a
// control, the look set by `style`, then tracked at `at` on the screen. Tracking at a position
// applies to tools with TTF_TRACK, which the caller sets on its tool.
class Tip {
 public:
  template <class Style>
  Tip(const Form& form, HWND control, POINT at, const std::wstring& text, Style&& style, std::vector<HWND>& known) {
    tip_ = brixen::demo::Make<_clsToolTip>(CLSID_clsToolTip);
    VARIANT_BOOL done = VARIANT_FALSE;
    tip_->Create(win::LongOf(form.get()), &done);
    const RECT area = ClientRectOf(control, form.get());
    const BSTR bstr = SysAllocString(text.c_str());
    tip_->Add(1, bstr, area.left, area.top, area.right, area.bottom, &done);
    SysFreeString(bstr);
    if (!done) {
      std::fprintf(stderr, "tooltips: Add failed\n");
      std::exit(1);
    }
    style(tip_.Get());
    SetTracking(NewTooltipWindow(form.get(), known), form.get(), text);
    tip_->ToolTrackPosition(at.x, at.y);
    tip_->put_ToolTrack(1, VARIANT_TRUE);
  }

 private:
  static void SetTracking(HWND tipWindow, HWND form, std::wstring text) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = form;
    tool.uId = 1;
    SendMessageW(tipWindow, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
    tool.uFlags |= TTF_TRACK;
    tool.lpszText = text.data();
    SendMessageW(tipWindow, TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
  }

  ComPtr<_clsToolTip> tip_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: brixen_tooltips OUT.bmp\n");
    return 2;
  }
  OleInitialize(nullptr);
  int status = 0;
  {
    const Form form;
    std::vector<HWND> known;
    const Tip save(form, form.save(), BelowLeft(form.save()), L"Save the record (Ctrl+S)", [](_clsToolTip*) {}, known);
    const Tip code(form, form.code(), RightOf(form.code()),
                   L"Customer code: up to eight digits. Leave it empty and press F4 to pick a customer from the list.",
                   [](_clsToolTip* tip) {
                     tip->put_BackColor(RGB(255, 248, 196));
                     tip->put_ForeColor(RGB(0, 40, 120));
                     tip->SetMargin(6, 4, 6, 4);
                     tip->put_MaxWidth(230);
                   },
                   known);
    const Tip close(form, form.close(), BelowLeft(form.close()), L"Close without saving",
                    [](_clsToolTip* tip) {
                      tip->put_BackColor(RGB(40, 40, 40));
                      tip->put_ForeColor(RGB(255, 255, 255));
                      tip->SetMargin(4, 2, 4, 2);
                    },
                    known);
    Pump(500);
    if (!SaveScreen(CaptureArea(form.get(), known), argv[1])) {
      std::fprintf(stderr, "tooltips: cannot capture or write the picture\n");
      status = 1;
    }
  }
  OleUninitialize();
  return status;
}

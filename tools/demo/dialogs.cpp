// brixen_dialogs.exe open|save|color OUT.bmp: the common dialogs of the registered library
// (early bound) over the demo's customer form on the Wine desktop, captured from the screen
// while a thread of the program holds them open, then cancelled. tools/demo.sh runs it.
//   open   the open dialog with the OK button and the file-name label captioned by the caller,
//          in the bottom right corner of the work area (the whole screen is captured)
//   save   the save dialog with captions of the caller's, centred (run under a Japanese system
//          locale, its captions are Japanese)
//   color  the colour dialog on the backdrop's colour, offering the custom colours defined in an
//          earlier dialog of the same object (the form and the dialog are captured)
#include <windows.h>
#include <colordlg.h>
#include <commdlg.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <wrl/client.h>

#include "brixen.h"
#include "desktop.h"
#include "dialog_driver.h"
#include "frame/win/handle_values.h"

namespace {

using Microsoft::WRL::ComPtr;
using brixen::demo::Form;
using brixen::demo::Make;
using brixen::test::DialogDriver;
namespace fs = std::filesystem;
using namespace std::string_literals;
namespace win = brixen::win;

constexpr long kHooked = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
constexpr int kCaptureMargin = 20;
constexpr DWORD kSettleMs = 800;  // the dialog fills its list of files and paints

// A BSTR for one call.
class Text {
 public:
  explicit Text(const std::wstring& text) : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~Text() { SysFreeString(value_); }
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  BSTR get() const { return value_; }
  BSTR* put() { return &value_; }

 private:
  BSTR value_;
};

// A folder of invoices for the dialog to list, removed afterwards.
class Invoices {
 public:
  Invoices() : path_(fs::temp_directory_path() / L"Invoices") {
    fs::create_directories(path_);
    for (const wchar_t* name : {L"2006-05 Tanaka Trading.pdf", L"2006-06 Tanaka Trading.pdf", L"2006-06 Mori Seisakusho.pdf",
                                L"2006-07 Yamada Shoten.pdf", L"2006-07 Mori Seisakusho.pdf", L"scan-0412.png"})
      std::ofstream(path_ / name) << "%PDF-1.4\n";
  }
  ~Invoices() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  Invoices(const Invoices&) = delete;
  Invoices& operator=(const Invoices&) = delete;
  std::wstring path() const { return path_.wstring(); }

 private:
  fs::path path_;
};

// Holds the next dialog open until it has settled, captures `area(dialog)`, and cancels it.
template <class Area>
DialogDriver Capture(const std::wstring& out, bool& saved, Area area) {
  return DialogDriver([&saved, out, area](HWND dialog) {
    Sleep(kSettleMs);
    saved = brixen::demo::SaveScreen(area(dialog), out);
    brixen::test::Press(dialog, IDCANCEL);
  });
}

RECT WholeScreen(HWND) { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// The form and the dialog over it, with a margin of the backdrop.
auto AroundFormAndDialog(const Form& form) {
  return [owner = form.get()](HWND dialog) {
    RECT area{};
    const RECT form_area = brixen::test::WindowRect(owner), dialog_area = brixen::test::WindowRect(dialog);
    UnionRect(&area, &form_area, &dialog_area);
    InflateRect(&area, kCaptureMargin, kCaptureMargin);
    return area;
  };
}

bool FileDialog(const Form& form, bool save, const std::wstring& out) {
  const Invoices invoices;
  const ComPtr<_clsDialogOpenSave> dialog = Make<_clsDialogOpenSave>(CLSID_clsDialogOpenSave);
  // The Japanese texts, for the Japanese system the save dialog is shown on.
  const Text title(save ? L"\u8acb\u6c42\u66f8\u306e\u4fdd\u5b58" : L"Attach an invoice"),
      filter(save ? L"PDF \u6587\u66f8 (*.pdf)\0*.pdf"s : L"Invoices (*.pdf)\0*.pdf\0Scans (*.png)\0*.png"s),
      folder(invoices.path()), file(save ? L"2006-08 Yamada Shoten.pdf" : L""), ext(L"pdf"),
      ok(save ? L"\u4fdd\u5b58\u3059\u308b(&S)" : L"&Attach"),
      label(save ? L"\u8acb\u6c42\u66f8\u540d(&N):" : L"&Invoice file:");
  Text chosen(L"");
  bool saved = false;
  DialogDriver driver = Capture(out, saved, WholeScreen);
  dialog->OpenDialog(save ? eDLG_SAVE : eDLG_OPEN, win::LongOf(form.get()), title.get(), kHooked, filter.get(),
                     folder.get(), file.get(), ext.get(), 1, ok.get(), label.get(),
                     save ? eDLGPOS_CENTER : eDLGPOS_RIGHT_BOTTOM, chosen.put());
  driver.Finish();
  return saved;
}

// Custom colours defined in a first dialog (typed into the red, green and blue boxes, then
// added), offered by the object's next dialog, which is captured.
bool ColorDialog(const Form& form, const std::wstring& out) {
  const ComPtr<_clsDialogColor> color = Make<_clsDialogColor>(CLSID_clsDialogColor);
  color->put_Flags(CC_RGBINIT | CC_FULLOPEN);
  color->put_OwnerInstance(win::LongOf(form.get()), 0);
  color->put_InitialColor(RGB(58, 110, 165));
  long shown = 0;
  {
    const DialogDriver define([](HWND dialog) {
      for (const COLORREF custom : {RGB(255, 248, 196), RGB(0, 40, 120), RGB(192, 32, 48), RGB(40, 140, 70),
                                    RGB(250, 160, 20), RGB(120, 60, 160)}) {
        SetDlgItemInt(dialog, COLOR_RED, GetRValue(custom), FALSE);
        SetDlgItemInt(dialog, COLOR_GREEN, GetGValue(custom), FALSE);
        SetDlgItemInt(dialog, COLOR_BLUE, GetBValue(custom), FALSE);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(COLOR_ADD, BN_CLICKED), 0);
      }
      brixen::test::Press(dialog, IDCANCEL);
    });
    color->get_OpenColorDialog(&shown);
  }
  bool saved = false;
  DialogDriver driver = Capture(out, saved, AroundFormAndDialog(form));
  color->get_OpenColorDialog(&shown);
  driver.Finish();
  return saved;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc == 3 ? argv[1] : L"";
  if (mode != L"open" && mode != L"save" && mode != L"color") {
    std::fprintf(stderr, "usage: brixen_dialogs open|save|color OUT.bmp\n");
    return 2;
  }
  OleInitialize(nullptr);
  bool saved = false;
  {
    const Form form;
    brixen::demo::Pump(300);
    saved = mode == L"color" ? ColorDialog(form, argv[2]) : FileDialog(form, mode == L"save", argv[2]);
  }
  OleUninitialize();
  if (!saved) std::fprintf(stderr, "dialogs: no %ls dialog captured\n", mode.c_str());
  return saved ? 0 : 1;
}

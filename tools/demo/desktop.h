// The demos' desktop: a customer form on a backdrop that covers the Wine desktop, and pictures
// of parts of the screen, for windows the platform draws (tooltips, common dialogs).
#pragma once
#include <windows.h>

#include <wrl/client.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "frame/win/handles.h"

namespace brixen::demo {

// An object of the registered library; without one the demo ends with a message.
template <class Interface>
Microsoft::WRL::ComPtr<Interface> Make(REFCLSID clsid) {
  Microsoft::WRL::ComPtr<Interface> object;
  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(Interface), &object))) {
    std::fprintf(stderr, "demo: the library's classes are not registered\n");
    std::exit(1);
  }
  return object;
}

// A top-level window destroyed with this owner (its child controls and owned windows with it).
class Window {
 public:
  explicit Window(HWND window) : window_(window) {}
  ~Window() { DestroyWindow(window_); }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_;
};

// The form, a customer record with three fields and three buttons, on a backdrop that covers
// the screen.
class Form {
 public:
  Form();
  HWND get() const { return form_.get(); }
  HWND code() const { return code_; }
  HWND save() const { return save_; }
  HWND close() const { return close_; }

 private:
  HWND Child(const wchar_t* kind, const wchar_t* text, DWORD style, int x, int y, int width, int height);

  win::Brush backdropBrush_;  // before the windows: it goes after them
  Window backdrop_;
  Window form_;
  HWND code_ = nullptr, save_ = nullptr, close_ = nullptr;
};

// Lets this thread's window messages run for `ms`.
void Pump(DWORD ms);

// Saves a part of the screen as a BMP file; false when the screen cannot be read or the file
// not written.
bool SaveScreen(const RECT& area, const std::wstring& path);

}  // namespace brixen::demo

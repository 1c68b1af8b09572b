// Owners for the Win32 resources the library uses. Each owner is move-only, releases
// its resource on destruction and offers get(), release(), reset() and an explicit
// bool that is true when it holds something.
#pragma once
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>
#include <objbase.h>
#include <winspool.h>

#include <utility>

namespace brixen::win {

// One owner for every resource that is a single value with a free function.
// Traits give the value type, its empty value, the validity test and the release call.
template <class Traits>
class Unique {
 public:
  using pointer = typename Traits::pointer;

  Unique() noexcept = default;
  explicit Unique(pointer value) noexcept : value_(value) {}
  Unique(Unique&& other) noexcept : value_(other.release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  ~Unique() { reset(); }

  pointer get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return Traits::valid(value_); }

  pointer release() noexcept { return std::exchange(value_, Traits::empty()); }

  void reset(pointer value = Traits::empty()) noexcept {
    pointer old = std::exchange(value_, value);
    if (Traits::valid(old)) Traits::close(old);
  }

  // For calls that return the resource through an out parameter: releases what is
  // held and hands out the slot.
  pointer* put() noexcept {
    reset();
    return &value_;
  }

 private:
  pointer value_ = Traits::empty();
};

namespace traits {

// Kernel handles come back as NULL from some calls and INVALID_HANDLE_VALUE from
// others (CreateFile, FindFirstFile): both mean "nothing".
inline bool ValidKernelHandle(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }

struct KernelHandle {
  using pointer = HANDLE;
  static pointer empty() noexcept { return nullptr; }
  static bool valid(pointer h) noexcept { return ValidKernelHandle(h); }
  static void close(pointer h) noexcept { ::CloseHandle(h); }
};

struct FindHandle {
  using pointer = HANDLE;
  static pointer empty() noexcept { return INVALID_HANDLE_VALUE; }
  static bool valid(pointer h) noexcept { return ValidKernelHandle(h); }
  static void close(pointer h) noexcept { ::FindClose(h); }
};

struct RegistryKey {
  using pointer = HKEY;
  static pointer empty() noexcept { return nullptr; }
  static bool valid(pointer h) noexcept { return h != nullptr; }
  static void close(pointer h) noexcept { ::RegCloseKey(h); }
};

struct CreatedDC {
  using pointer = HDC;
  static pointer empty() noexcept { return nullptr; }
  static bool valid(pointer h) noexcept { return h != nullptr; }
  static void close(pointer h) noexcept { ::DeleteDC(h); }
};

template <class T>
struct GdiObject {
  using pointer = T;
  static pointer empty() noexcept { return nullptr; }
  static bool valid(pointer h) noexcept { return h != nullptr; }
  static void close(pointer h) noexcept { ::DeleteObject(h); }
};

struct Module {
  using pointer = HMODULE;
  static pointer empty() noexcept { return nullptr; }
  static bool valid(pointer h) noexcept { return h != nullptr; }
  static void close(pointer h) noexcept { ::FreeLibrary(h); }
};

struct Hook {
  using pointer = HHOOK;
  static pointer empty() noexcept { return nullptr; }
  static bool valid(pointer h) noexcept { return h != nullptr; }
  static void close(pointer h) noexcept { ::UnhookWindowsHookEx(h); }
};

struct Printer {
  using pointer = HANDLE;
  static pointer empty() noexcept { return nullptr; }
  static bool valid(pointer h) noexcept { return h != nullptr; }
  static void close(pointer h) noexcept { ::ClosePrinter(h); }
};

// IcmpCreateFile answers INVALID_HANDLE_VALUE when it fails.
struct Icmp {
  using pointer = HANDLE;
  static pointer empty() noexcept { return INVALID_HANDLE_VALUE; }
  static bool valid(pointer h) noexcept { return ValidKernelHandle(h); }
  static void close(pointer h) noexcept { ::IcmpCloseHandle(h); }
};

template <class T>
struct CoTaskMem {
  using pointer = T*;
  static pointer empty() noexcept { return nullptr; }
  static bool valid(pointer p) noexcept { return p != nullptr; }
  static void close(pointer p) noexcept { ::CoTaskMemFree(p); }
};

}  // namespace traits

using Handle = Unique<traits::KernelHandle>;             // CloseHandle
using FindHandle = Unique<traits::FindHandle>;           // FindClose
using RegKey = Unique<traits::RegistryKey>;              // RegCloseKey
using MemoryDC = Unique<traits::CreatedDC>;              // DeleteDC (CreateCompatibleDC, CreateDC)
template <class T = HGDIOBJ>
using GdiObject = Unique<traits::GdiObject<T>>;          // DeleteObject
using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;
using Library = Unique<traits::Module>;                  // FreeLibrary
using Hook = Unique<traits::Hook>;                       // UnhookWindowsHookEx
template <class T = void>
using CoTaskMem = Unique<traits::CoTaskMem<T>>;          // CoTaskMemFree
using PrinterHandle = Unique<traits::Printer>;           // ClosePrinter (OpenPrinter)
using IcmpHandle = Unique<traits::Icmp>;                 // IcmpCloseHandle (IcmpCreateFile)

// One start of the sockets library (WSAStartup), ended with WSACleanup when it succeeded.
class SocketsStart {
 public:
  explicit SocketsStart(WORD version) noexcept : started_(::WSAStartup(version, &data_) == 0) {}
  SocketsStart(const SocketsStart&) = delete;
  SocketsStart& operator=(const SocketsStart&) = delete;
  ~SocketsStart() {
    if (started_) ::WSACleanup();
  }
  explicit operator bool() const noexcept { return started_; }

 private:
  WSADATA data_{};
  bool started_;
};

// A window's device context (GetDC / GetWindowDC), given back with ReleaseDC on the
// same window. A null window means the screen.
class WindowDC {
 public:
  WindowDC() noexcept = default;
  explicit WindowDC(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
  WindowDC(HWND window, HDC dc) noexcept : window_(window), dc_(dc) {}
  WindowDC(WindowDC&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)), dc_(other.release()) {}
  WindowDC& operator=(WindowDC&& other) noexcept {
    if (this != &other) {
      reset();
      window_ = std::exchange(other.window_, nullptr);
      dc_ = other.release();
    }
    return *this;
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() { reset(); }

  HDC get() const noexcept { return dc_; }
  HWND window() const noexcept { return window_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }
  HDC release() noexcept { return std::exchange(dc_, nullptr); }

  void reset() noexcept {
    if (HDC dc = release()) ::ReleaseDC(window_, dc);
    window_ = nullptr;
  }

 private:
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
};

// Selects an object into a DC and puts the previous one back on destruction.
// Declare it after the owner of the object it selects, so that it is destroyed
// first and the object is no longer selected when its owner deletes it.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }

  // The object that was selected before (what SelectObject returned).
  HGDIOBJ previous() const noexcept { return previous_; }
  // For code that puts the previous object back itself: it is no longer put back here.
  HGDIOBJ release() noexcept { return std::exchange(previous_, nullptr); }
  explicit operator bool() const noexcept { return previous_ != nullptr && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace brixen::win

// clsProperty.GetWindowHandleByCaptionOnly among many top-level windows, each with a control,
// against a plain loop that enumerates the same windows and reads each caption with the
// platform's call, timed in the same run; and how its cost grows from 300 to 1,200 windows
// (each search enumerates every window below the desktop, so about 4 times is linear).
//
//   brixen_windows_bench.exe [rounds=5]
#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "brixen.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsOf(const auto& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Search {
  const char* caption;
  HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  char text[255];
  GetWindowTextA(window, text, sizeof text);
  if (!search->found && std::strcmp(text, search->caption) == 0) search->found = window;
  return TRUE;
}

// The same search done straight: every window below the desktop, its caption, the first match.
HWND PlainSearch(const char* caption) {
  Search search{caption, nullptr};
  EnumChildWindows(GetDesktopWindow(), Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// `count` hidden top-level windows with a button each; the search looks for the first made.
class Windows {
 public:
  explicit Windows(int count) {
    for (int i = 0; i < count; ++i) {
      const std::string caption = "BRIXEN bench window " + std::to_string(i);
      HWND window = CreateWindowExA(0, "STATIC", caption.c_str(), WS_POPUP, 0, 0, 100, 50, nullptr, nullptr, nullptr, nullptr);
      CreateWindowExA(0, "BUTTON", "OK", WS_CHILD, 0, 0, 40, 20, window, nullptr, nullptr, nullptr);
      windows_.push_back(window);
    }
  }
  ~Windows() {
    for (HWND window : windows_) DestroyWindow(window);
  }
  HWND first() const { return windows_.front(); }

 private:
  std::vector<HWND> windows_;
};

struct Timing {
  double ours = 1e300, plain = 1e300;
};

Timing Measure(_clsProperty* property, int count, int rounds, bool& ok) {
  const Windows windows(count);
  const char* caption = "BRIXEN bench window 0";
  BSTR wanted = SysAllocString(L"BRIXEN bench window 0");
  Timing best;
  for (int round = 0; round < rounds && ok; ++round) {
    long found = 0;
    best.ours = std::min(best.ours, MillisecondsOf([&] { property->GetWindowHandleByCaptionOnly(wanted, VARIANT_FALSE, &found); }));
    HWND plain = nullptr;
    best.plain = std::min(best.plain, MillisecondsOf([&] { plain = PlainSearch(caption); }));
    ok = ok && plain == windows.first() && found == static_cast<long>(reinterpret_cast<LONG_PTR>(plain));
  }
  SysFreeString(wanted);
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  CoInitialize(nullptr);
  _clsProperty* property = nullptr;
  if (FAILED(CoCreateInstance(CLSID_clsProperty, nullptr, CLSCTX_INPROC_SERVER, IID__clsProperty,
                              reinterpret_cast<void**>(&property)))) {
    std::puts("FAIL cannot create BRIXEN.clsProperty");
    return 1;
  }
  bool ok = true;
  const Timing small = Measure(property, 300, rounds, ok);
  const Timing large = Measure(property, 1200, rounds, ok);
  property->Release();
  CoUninitialize();
  if (!ok) {
    std::puts("FAIL a search did not find the window the plain loop found");
    return 1;
  }
  std::printf("%-34s %9s %9s %7s\n", "(best of rounds, ms)", "ours", "plain", "ratio");
  std::printf("%-34s %9.2f %9.2f %7.2f\n", "300 windows with a control each", small.ours, small.plain, small.ours / small.plain);
  std::printf("%-34s %9.2f %9.2f %7.2f\n", "1,200 windows with a control each", large.ours, large.plain,
              large.ours / large.plain);
  const double ratio = small.ours / small.plain, growth = large.ours / small.ours;
  std::printf("VERDICT 300 windows ours/plain = %.2f: %s (aim: within 1.5 times)\n", ratio,
              ratio <= 1.5 ? "within the aim" : "beyond the aim");
  std::printf("VERDICT 1,200 against 300 windows = %.2f times: %s (aim: about 4.5 times at most)\n", growth,
              growth <= 4.5 ? "within the aim" : "beyond the aim");
  return 0;
}

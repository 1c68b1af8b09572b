// Runs every test of brixen_win_tests under a watchdog: a message box nobody answers, or any
// other hang, ends the process with a clear message instead of blocking the run.
//
//   brixen_win_tests.exe [gtest options]        BRIXEN_WATCHDOG_SECONDS overrides the 120 s
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct HandleCloser {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

DWORD WatchdogSeconds() {
  const char* value = std::getenv("BRIXEN_WATCHDOG_SECONDS");
  const int seconds = value ? std::atoi(value) : 0;
  return seconds > 0 ? static_cast<DWORD>(seconds) : 120;
}

DWORD WINAPI Watchdog(void* parameter) {
  const DWORD seconds = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(parameter));
  Sleep(seconds * 1000);
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::fprintf(stderr, "\nWATCHDOG: brixen_win_tests still running after %lu s (in %s.%s); ending it\n",
               static_cast<unsigned long>(seconds), test ? test->test_suite_name() : "-", test ? test->name() : "-");
  std::fflush(stderr);
  std::fflush(stdout);
  TerminateProcess(GetCurrentProcess(), 3);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const DWORD seconds = WatchdogSeconds();
  Handle watchdog(CreateThread(nullptr, 0, Watchdog, reinterpret_cast<void*>(static_cast<UINT_PTR>(seconds)), 0, nullptr));
  if (!watchdog) {
    std::fprintf(stderr, "cannot start the watchdog\n");
    return 2;
  }
  return RUN_ALL_TESTS();
}

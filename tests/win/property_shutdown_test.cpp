// clsProperty.ExitWindowAPI ends the Wine session it runs in, so its test runs only in a throwaway
// session of its own: tools/test-all.sh copies the test prefix to a temporary folder, starts a
// new wineserver on the copy, runs the tests named *ThrowawaySession* there (and never in the
// main run) with BRIXEN_THROWAWAY_SESSION set, and removes the copy. Another program of that
// session (tools/session_listener.cpp) records the end-session messages its window receives.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "com_fixture.h"
#include "frame/win/handles.h"

namespace brixen::test {
namespace {

std::string FileText(const std::wstring& path) {
  std::ifstream in(path.c_str());
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(ExitWindowsThrowawaySession, LogOffReachesTheSessionsOtherPrograms) {
  if (!std::getenv("BRIXEN_THROWAWAY_SESSION")) GTEST_SKIP() << "runs only in a throwaway Wine session";
  const TempFolder folder;
  const std::wstring log = folder / L"listener.log", ready = folder / L"listener.ready";
  std::wstring command = L"\"" + ToolPath(L"brixen_session_listener.exe") + L"\" \"" + log + L"\" \"" + ready + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
  const win::Handle listener(started.hProcess), thread(started.hThread);
  for (int tries = 0; tries < 600 && GetFileAttributesW(ready.c_str()) == INVALID_FILE_ATTRIBUTES; ++tries) Sleep(100);
  ASSERT_NE(GetFileAttributesW(ready.c_str()), INVALID_FILE_ATTRIBUTES) << "the listener did not start";

  ComPtr<_clsProperty> property = Create<_clsProperty>(CLSID_clsProperty);
  long result = 0;
  ASSERT_EQ(property->ExitWindowAPI(ENUM_EWX_LOGOFF, &result), S_OK);
  EXPECT_NE(result, 0) << "the request was accepted";

  ASSERT_EQ(WaitForSingleObject(listener.get(), 60000), WAIT_OBJECT_0) << "the listener got no end-session message";
  const std::string received = FileText(log);
  std::printf("the session's other program received:\n%s", received.c_str());
  EXPECT_NE(received.find("WM_QUERYENDSESSION"), std::string::npos) << received;
  EXPECT_NE(received.find("WM_ENDSESSION 1"), std::string::npos) << received;
}

}  // namespace
}  // namespace brixen::test

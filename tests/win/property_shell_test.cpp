// clsProperty's shell members under Wine: each verb's result as the platform gives it, the
// windows they open closed again by the test; the program associated with a text file against
// the platform's own FindExecutable; the screen saver setting read back and restored.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "com_fixture.h"
#include "err_log_file.h"
#include "frame/win/handle_values.h"
#include "frame/win/handles.h"

namespace brixen::test {
namespace {

BOOL CALLBACK AddVisible(HWND window, LPARAM windows) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

std::vector<HWND> VisibleTopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(AddVisible, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

// Notes the visible top-level windows at its start; Opened() waits for windows that appear after
// it, and the destructor closes them (WM_CLOSE) and waits until they are gone.
class NewWindows {
 public:
  NewWindows() : before_(VisibleTopLevelWindows()) {}
  NewWindows(const NewWindows&) = delete;
  NewWindows& operator=(const NewWindows&) = delete;
  ~NewWindows() {
    for (HWND window : opened_) PostMessageW(window, WM_CLOSE, 0, 0);
    for (int tries = 0; tries < 100 && std::any_of(opened_.begin(), opened_.end(), IsWindow); ++tries) Sleep(100);
    for (HWND window : opened_) EXPECT_FALSE(IsWindow(window)) << "a window left open: " << testing::PrintToString(ClassOf(window));
  }

  // The window classes of the windows that appeared, waiting up to `seconds` for a first one.
  std::vector<std::wstring> Opened(int seconds = 30) {
    for (int tries = 0; tries < seconds * 10 && Collect().empty(); ++tries) Sleep(100);
    Sleep(500);  // a program may show more than one window
    std::vector<std::wstring> classes;
    for (HWND window : Collect()) classes.push_back(ClassOf(window));
    return classes;
  }

 private:
  const std::vector<HWND>& Collect() {
    for (HWND window : VisibleTopLevelWindows()) {
      if (std::find(before_.begin(), before_.end(), window) == before_.end() &&
          std::find(opened_.begin(), opened_.end(), window) == opened_.end())
        opened_.push_back(window);
    }
    return opened_;
  }

  std::vector<HWND> before_;
  std::vector<HWND> opened_;
};

// A text file type with its association as on Windows: Wine's own setup names the "txtfile"
// class but maps no extension to it. Added for the test where it is missing, removed afterwards.
class TextFileAssociation {
 public:
  TextFileAssociation() {
    win::RegKey existing;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L".txt", 0, KEY_READ, existing.put()) == ERROR_SUCCESS) return;
    win::RegKey key;
    const wchar_t kClass[] = L"txtfile";
    added_ = RegCreateKeyExW(HKEY_CLASSES_ROOT, L".txt", 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr) ==
                 ERROR_SUCCESS &&
             RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kClass), sizeof kClass) ==
                 ERROR_SUCCESS;
  }
  ~TextFileAssociation() {
    if (added_) RegDeleteKeyW(HKEY_CLASSES_ROOT, L".txt");
  }
  TextFileAssociation(const TextFileAssociation&) = delete;
  TextFileAssociation& operator=(const TextFileAssociation&) = delete;

 private:
  bool added_ = false;
};

constexpr ENUM_SW kShowNormal = static_cast<ENUM_SW>(SW_SHOWNORMAL);

class PropertyShell : public testing::Test {
 protected:
  PropertyShell() {
    text_ = folder_.Write(L"notes.txt", "BRIXEN\r\n");
    unassociated_ = folder_.Write(L"data.brixen-none", "BRIXEN");
  }

  ComPtr<_clsProperty> property_ = Create<_clsProperty>(CLSID_clsProperty);
  TextFileAssociation association_;
  TempFolder folder_;
  std::wstring text_, unassociated_;
};

TEST_F(PropertyShell, OpenStartsTheAssociatedProgram) {
  NewWindows windows;
  long result = 0;
  const OwnedBstr file(text_);
  ASSERT_EQ(property_->RunAssociatedApp(0, file.get(), kShowNormal, &result), S_OK);
  EXPECT_GT(result, 32);
  EXPECT_EQ(windows.Opened(), std::vector<std::wstring>{L"Notepad"});
  std::printf("RunAssociatedApp of a text file: %ld\n", result);
}

TEST_F(PropertyShell, AFileTypeWithoutAssociationGivesThePlatformsCode) {
  NewWindows windows;
  long result = 0;
  const OwnedBstr file(unassociated_);
  ExpectQuiet([&] { EXPECT_EQ(property_->RunAssociatedApp(0, file.get(), kShowNormal, &result), S_OK); });
  EXPECT_EQ(result, SE_ERR_NOASSOC);
  EXPECT_TRUE(windows.Opened(2).empty());
}

TEST_F(PropertyShell, ExploreAndFindOpenAFolderWindow) {
  const OwnedBstr folder(folder_.path());
  {
    NewWindows windows;
    long result = 0;
    ASSERT_EQ(property_->ExploreHere(0, folder.get(), kShowNormal, &result), S_OK);
    EXPECT_GT(result, 32);
    EXPECT_FALSE(windows.Opened().empty());
    std::printf("ExploreHere of a folder: %ld\n", result);
  }
  {
    NewWindows windows;
    long result = 0;
    ASSERT_EQ(property_->RunFileFindDlg(0, folder.get(), &result), S_OK);
    EXPECT_GT(result, 32);
    EXPECT_FALSE(windows.Opened().empty());
    std::printf("RunFileFindDlg of a folder: %ld\n", result);
  }
  const OwnedBstr missing(folder_ / L"missing");
  long result = 0;
  ASSERT_EQ(property_->ExploreHere(0, missing.get(), kShowNormal, &result), S_OK);
  EXPECT_EQ(result, SE_ERR_FNF);
}

TEST_F(PropertyShell, TheAssociatedProgramAsThePlatformNamesIt) {
  auto associated = [&](const std::wstring& name) {
    const OwnedBstr file(name);
    OwnedBstr program;
    EXPECT_EQ(property_->GetAssociatedApp(file.get(), program.put()), S_OK);
    return program.text();
  };
  wchar_t expected[MAX_PATH + 1] = {};
  ASSERT_GT(reinterpret_cast<INT_PTR>(FindExecutableW(text_.c_str(), L"C:\\", expected)), 32);
  EXPECT_EQ(associated(text_), expected);
  std::printf("GetAssociatedApp of a text file: %ls\n", expected);
  EXPECT_EQ(associated(unassociated_), L"");
  EXPECT_EQ(associated(folder_ / L"missing.txt"), L"");
  EXPECT_EQ(associated(std::wstring(40000, L'x') + L".txt"), L"") << "a name longer than any path";
}

// The platform's setting is read back after each call and restored when the test ends.
TEST(PropertyScreenSaver, SwitchedOnAndOffAsThePlatformReadsIt) {
  BOOL saved = FALSE;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &saved, 0));
  ComPtr<_clsProperty> property = Create<_clsProperty>(CLSID_clsProperty);
  for (const bool on : {!saved, static_cast<bool>(saved)}) {
    long result = 0;
    EXPECT_EQ(property->ActivateScreenSaver(on ? VARIANT_TRUE : VARIANT_FALSE, &result), S_OK);
    EXPECT_NE(result, 0);
    BOOL active = !on;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0));
    EXPECT_EQ(active != FALSE, on);
  }
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, saved, nullptr, 0);
}

}  // namespace
}  // namespace brixen::test

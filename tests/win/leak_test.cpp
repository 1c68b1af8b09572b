// Every member that opens a file, folder listing, registry key, device context, GDI object,
// window, printer, socket or COM object, called 10,000 times, leaves the process's counts of
// kernel handles, windows and GDI objects where they started; and once the last object goes, the
// library can be unloaded and the platform unloads it. tools/test-all.sh runs these tests in a
// process of their own (a process that ran the other tests first is slower at every call).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "com_fixture.h"
#include "err_log_file.h"
#include "frame/win/handle_values.h"
#include "frame/win/handles.h"
#include "picturebox/canvas.h"
#include "process_counts.h"
#include "property_object.h"
#include "refused_boxes.h"

namespace brixen::test {
namespace {

// The 32-bit run is emulated and several times slower: a tenth of the calls there. A member that
// leaks on every call (or every few) shows either way.
#ifdef _WIN64
constexpr int kCalls = 10000, kSlowCalls = 1000;
#else
constexpr int kCalls = 1000, kSlowCalls = 100;
#endif

struct Member {
  const char* name;
  std::function<void()> call;
};

// A caller's window with the controls the window members look at.
class Form {
 public:
  Form() {
    window_ = CreateWindowExW(0, L"STATIC", L"BRIXEN leak form", WS_OVERLAPPEDWINDOW | WS_VSCROLL, 10, 10, 300, 200,
                              nullptr, nullptr, nullptr, nullptr);
    edit_ = CreateWindowExW(0, L"EDIT", L"text", WS_CHILD | ES_MULTILINE, 0, 0, 200, 100, window_, nullptr, nullptr, nullptr);
    combo_ = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 200, 100, window_, nullptr, nullptr, nullptr);
    list_ = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 200, 100, window_, nullptr, nullptr, nullptr);
  }
  ~Form() { DestroyWindow(window_); }
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  long window() const { return win::LongOf(window_); }
  long edit() const { return win::LongOf(edit_); }
  long combo() const { return win::LongOf(combo_); }
  long list() const { return win::LongOf(list_); }

 private:
  HWND window_, edit_, combo_, list_;
};

// What the thread's message loop would do meanwhile: the platform ends some of its own windows
// (the cursor's clipping window, say) through messages.
void RunPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

class Leaks : public testing::Test {
 protected:
  // Runs each member `calls` times; every count must end where it started. The first call is
  // made before counting: what a member sets up once for the process (a cached font, the
  // scripting library) is not a leak.
  void ExpectNoGrowth(const std::vector<Member>& members, int calls = kCalls) {
    for (const Member& member : members) {
      member.call();
      RunPendingMessages();
      const ProcessCounts before = ProcessCounts::Now();
      const DWORD started = GetTickCount();
      for (int i = 0; i < calls; ++i) member.call();
      RunPendingMessages();
      std::printf("  %s: %d calls in %lu ms\n", member.name, calls, GetTickCount() - started);
      std::fflush(stdout);
      const ProcessCounts growth = ProcessCounts::Now() - before;
      EXPECT_EQ(growth, ProcessCounts{}) << member.name << ": " << growth.Text();
    }
  }

  std::wstring Write(const std::wstring& name, const std::string& bytes) { return folder_.Write(name, bytes); }

  TempFolder folder_;
  boxes::RefusedMessageBoxes boxes_;  // members that log an error run thousands of times
};

// The counts themselves: one handle, registry key, window or GDI object left behind shows.
TEST_F(Leaks, TheCountsSeeOneObjectLeftBehind) {
  const struct {
    const char* what;
    std::function<void()> leak;
    ProcessCounts growth;
  } cases[] = {
      {"an event", [] { CreateEventW(nullptr, TRUE, FALSE, nullptr); }, {1, 0, 0}},
      {"a registry key", [] { HKEY key; RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &key); }, {1, 0, 0}},
      {"a window", [] { CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr); }, {0, 1, 0}},
      {"a message-only window",
       [] { CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr); }, {0, 1, 0}},
      {"a brush", [] { CreateSolidBrush(RGB(1, 2, 3)); }, {0, 0, 1}},
  };
  for (const auto& c : cases) {
    const ProcessCounts before = ProcessCounts::Now();
    c.leak();
    EXPECT_EQ(ProcessCounts::Now() - before, c.growth) << c.what;
  }
}

TEST_F(Leaks, FilesFoldersAndDrives) {
  ComPtr<_clsFILE> f = Create<_clsFILE>(CLSID_clsFILE);
  const std::wstring file = Write(L"data.txt", "some bytes\r\n"), encoded = folder_ / L"data.enc",
                     decoded = folder_ / L"data.dec", sub = folder_ / L"sub\\deeper";
  CreateDirectoryW((folder_ / L"sub").c_str(), nullptr);
  CreateDirectoryW(sub.c_str(), nullptr);
  const OwnedBstr file_b(file), folder_b(folder_.path()), encoded_b(encoded), decoded_b(decoded), sub_b(sub),
      tree_b(folder_ / L"sub"), clone_b(folder_ / L"clone"), drive_b(L"C:\\"), prefix_b(L"brx");
  VARIANT_BOOL yes = 0;
  long number = 0;
  ExpectNoGrowth({
      {"IsExistFile", [&] { f->IsExistFile(file_b.get(), &yes); }},
      {"IsExistDir", [&] { f->IsExistDir(folder_b.get(), &yes); }},
      {"IsDirVacant", [&] { f->IsDirVacant(folder_b.get(), &yes); }},
      {"CntFilesInFolder", [&] { f->get_CntFilesInFolder(folder_b.get(), &number); }},
      {"FilesInFolder",
       [&] {
         ENUM_FilesInFolder which = static_cast<ENUM_FilesInFolder>(0);
         long attributes = 0;
         SAFEARRAY* names = nullptr;
         f->get_FilesInFolder(folder_b.get(), &which, &attributes, &names);
         SafeArrayDestroy(names);
       }},
      {"FoldersInFolder",
       [&] {
         SAFEARRAY *found = nullptr, *result = nullptr;
         f->get_FoldersInFolder(&found, folder_b.get(), &result);
         SafeArrayDestroy(found);
         SafeArrayDestroy(result);
       }},
      {"IsWritable", [&] { f->IsWritable(folder_b.get(), &yes); }},
      {"SetThisFileTime", [&] { f->SetThisFileTime(file_b.get(), 39000.5, &yes); }},
      {"EnCode", [&] { f->EnCode(file_b.get(), encoded_b.get(), &yes); }},
      {"DeCode", [&] { f->DeCode(encoded_b.get(), decoded_b.get(), &yes); }},
      {"CreateAllFolders", [&] { f->CreateAllFolders(sub_b.get(), &yes); }},
      {"CloneFolders", [&] { f->CloneFolders(tree_b.get(), clone_b.get(), &yes); }},
      {"GetTempWinFile",
       [&] {
         OwnedBstr made;
         f->GetTempWinFile(prefix_b.get(), made.put());
         DeleteFileW(made.text().c_str());
       }},
      {"DriveTypeString", [&] { OwnedBstr r; f->DriveTypeString(drive_b.get(), r.put()); }},
      {"IsRemainDriveSpace",
       [&] {
         VARIANT room;
         VariantInit(&room);
         f->IsRemainDriveSpace(drive_b.get(), 1.0f, &room);
         VariantClear(&room);
       }},
      {"IsDriveReady", [&] { f->IsDriveReady(file_b.get(), &yes); }},
      {"FirstHDDDrive", [&] { OwnedBstr r; f->FirstHDDDrive(r.put()); }},
      {"FDDrive",
       [&] {
         IDispatch* drive = nullptr;
         f->get_FDDrive(&drive);
         if (drive) drive->Release();
       }},
      {"GetSpecialFolder", [&] { OwnedBstr r; f->GetSpecialFolder(0, static_cast<ENUM_CSIDL>(5), r.put()); }},
      {"GetDesktopFolder", [&] { OwnedBstr r; f->GetDesktopFolder(0, r.put()); }},
      {"TempPath", [&] { OwnedBstr r; f->get_TempPath(r.put()); }},
      {"WindowsDirectory", [&] { OwnedBstr r; f->get_WindowsDirectory(r.put()); }},
      {"SystemDirectory", [&] { OwnedBstr r; f->get_SystemDirectory(r.put()); }},
  });
}

// The shell's file operations are slower (each runs the shell's copy engine): fewer calls.
TEST_F(Leaks, ShellFileOperations) {
  ComPtr<_clsFILE> f = Create<_clsFILE>(CLSID_clsFILE);
  const std::wstring file = Write(L"data.txt", "some bytes\r\n");
  const OwnedBstr from(file), to(folder_ / L"copy.txt"), none;
  VARIANT owner;
  VariantInit(&owner);
  VARIANT_BOOL yes = 0;
  ExpectNoGrowth({{"SHFileCopy", [&] { f->SHFileCopy(owner, from.get(), to.get(), none.get(), VARIANT_TRUE, 0, &yes); }},
                  {"SHFileDelete",
                   [&] {
                     CopyFileW(file.c_str(), (folder_ / L"copy.txt").c_str(), FALSE);
                     f->SHFileDelete(0, to.get(), &yes);
                   }}},
                 kSlowCalls);
}

TEST_F(Leaks, ProfilesRegistryAndBitmapFiles) {
  ComPtr<_clsProperty> p = Create<_clsProperty>(CLSID_clsProperty);
  ComPtr<_clsMethod> m = Create<_clsMethod>(CLSID_clsMethod);
  const ErrLogFile log(FolderOfPath(DllPath("BRIXEN_DLL")));
  const std::wstring ini = folder_ / L"leak.ini";
  const OwnedBstr ini_b(ini), section(L"Leak"), key(L"Key"), app(L"BRIXEN leak test"), missing(folder_ / L"missing.bmp");
  VARIANT value, key_v;
  VariantInit(&value);
  V_VT(&value) = VT_I4;
  V_I4(&value) = 7;
  VariantInit(&key_v);
  V_VT(&key_v) = VT_BSTR;
  V_BSTR(&key_v) = SysAllocString(L"Key");
  VARIANT_BOOL yes = 0;
  long number = 0;
  ExpectNoGrowth({
      {"WriteProfileValue", [&] { p->WriteProfileValue(section.get(), key.get(), value, ini_b.get(), &yes); }},
      {"GetProfileValueInt", [&] { p->GetProfileValueInt(section.get(), key.get(), ini_b.get(), &number); }},
      {"GetProfileValueString", [&] { OwnedBstr r; p->GetProfileValueString(section.get(), key.get(), ini_b.get(), r.put()); }},
      {"RegIniDefaultKey", [&] { m->RegIniDefaultKey(section.get(), key.get(), value, ini_b.get()); }},
      {"RegDefaultKey", [&] { p->RegDefaultKey(app.get(), section.get(), &key_v, value, &yes); }},
      {"ExistsRegEntry", [&] { p->ExistsRegEntry(app.get(), section.get(), key.get(), &yes); }},
      {"GetBmpBitCount of a missing file (logged)", [&] { p->GetBmpBitCount(missing.get(), &number); }},
      {"IconSize of a missing file", [&] { p->get_IconSize(missing.get(), &number); }},
      {"GetBmpSize of a missing file (logged)",
       [&] {
         long width = 0;
         VARIANT height;
         VariantInit(&height);
         m->GetBmpSize(missing.get(), &width, &height);
         VariantClear(&height);
       }},
      {"ErrReg", [&] { m->ErrReg(6, section.get(), key.get()); }},
  });
  VariantClear(&key_v);
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\BRIXEN leak test");
}

TEST_F(Leaks, SystemFactsAndWindows) {
  ComPtr<_clsProperty> p = Create<_clsProperty>(CLSID_clsProperty);
  const Form form;
  const OwnedBstr caption(L"BRIXEN leak form"), nobody(L"BRIXEN no such window"), text_file(folder_ / L"notes.txt");
  Write(L"notes.txt", "notes");
  const picbox::Image image(20, 20);
  const long dc = win::LongOf(image.dc());
  VARIANT_BOOL yes = 0;
  long number = 0;
  float colors = 0;
  VARIANT by_caption;
  VariantInit(&by_caption);
  V_VT(&by_caption) = VT_BSTR;
  V_BSTR(&by_caption) = nobody.get();
  ExpectNoGrowth({
      {"GetIMEName", [&] { OwnedBstr r; p->GetIMEName(r.put()); }},
      {"GetTaskBarSize", [&] { OwnedBstr r; p->GetTaskBarSize(r.put()); }},
      {"GetFontName", [&] { OwnedBstr r; p->GetFontName(eFONT_MENU, r.put()); }},
      {"DeviceColors", [&] { p->get_DeviceColors(dc, &colors); }},
      {"GetUserName", [&] { OwnedBstr r; p->GetUserName(r.put()); }},
      {"GetWinVer", [&] { long a = 0, b = 0, c = 0; p->GetWinVer(&a, &b, &c, &number); }},
      {"JugeIDE", [&] { p->JugeIDE(&yes); }},
      {"GetWindowHandleByCaptionOnly", [&] { p->GetWindowHandleByCaptionOnly(caption.get(), VARIANT_FALSE, &number); }},
      {"SetFocusByCaption", [&] { p->SetFocusByCaption(nobody.get(), static_cast<ENUM_SW>(5), &number); }},
      {"CloseApp", [&] { p->CloseApp(by_caption, static_cast<ENUM_CLOSEAPPLICATION>(0), VARIANT_FALSE, &number); }},
      {"SetFlatHeader", [&] { p->SetFlatHeader(form.list(), &number); }},
      {"msgIsComboBoxOpend", [&] { p->msgIsComboBoxOpend(form.combo(), &yes); }},
      {"ExistsVSCROLL", [&] { p->ExistsVSCROLL(form.window(), &yes); }},
      {"ChangeIMEMode", [&] { p->ChangeIMEMode(form.edit(), static_cast<ENUM_IMEONOFF>(0), &yes); }},
      {"SetMapWindow", [&] { p->SetMapWindow(dc, static_cast<ENUM_MAPMODE>(8), 0, 0, 100, 100, &number); }},
      {"GetWindowWidth", [&] { long a = 0, b = 0, c = 0, d = 0; p->GetWindowWidth(dc, &a, &b, &c, &d, &yes); }},
      {"GetAssociatedApp", [&] { OwnedBstr r; p->GetAssociatedApp(text_file.get(), r.put()); }},
  });
}

// The printer members open the current printer and its device context on every call.
TEST_F(Leaks, PrinterSettingsAndFonts) {
  ComPtr<_clsProperty> p = Create<_clsProperty>(CLSID_clsProperty);
  const OwnedBstr font(L"BRIXEN no such font");
  VARIANT_BOOL yes = 0;
  ENUM_PRINTERORIENTATION orientation{};
  ExpectNoGrowth({{"GetPrinterOrientation", [&] { p->GetPrinterOrientation(&orientation); }},
                  {"SetPrinterOrientation", [&] { p->SetPrinterOrientation(orientation, &yes); }},
                  {"ExistsPrinterFont", [&] { p->ExistsPrinterFont(font.get(), &yes); }}},
                 kSlowCalls);
}

// The sockets library is started and ended on every call, and an ICMP handle opened and closed.
TEST_F(Leaks, PingPrivateNetwork) {
  ComPtr<_clsProperty> p = Create<_clsProperty>(CLSID_clsProperty);
  const OwnedBstr loopback(L"127.0.0.1");
  VARIANT timeout, null;
  VariantInit(&timeout);
  V_VT(&timeout) = VT_I4;
  V_I4(&timeout) = 1000;
  VariantInit(&null);
  V_VT(&null) = VT_NULL;
  VARIANT_BOOL answered = 0;
  ExpectNoGrowth({{"ping", [&] { p->ping(loopback.get(), timeout, &answered); }},
                  {"ping with a Null time-out (logged)", [&] { p->ping(loopback.get(), null, &answered); }}});
}

TEST_F(Leaks, InputCursorAndHelp) {
  ComPtr<_clsMethod> m = Create<_clsMethod>(CLSID_clsMethod);
  const Form form;
  const OwnedBstr help(folder_ / L"missing.hlp");
  ExpectNoGrowth({
      {"SetTextRect", [&] { m->SetTextRect(form.edit(), 2, 2, 100, 50); }},
      {"msgOpenComboBox", [&] { m->msgOpenComboBox(form.combo()); }},
      {"ClipCursor32 and ReleaseCursor32",
       [&] {
         m->ClipCursor32(form.window(), 100, 100);
         m->ReleaseCursor32();
       }},
      {"RunHelp32 of a missing file", [&] { m->RunHelp32(form.window(), help.get()); }},
  });
}

// A tooltip window goes with its owner window: each round makes an owner and a tooltip object,
// adds and changes tools, and ends both.
TEST_F(Leaks, TooltipsWithTheirOwners) {
  const OwnedBstr text(L"tip"), other(L"other tip");
  VARIANT_BOOL made = 0;
  long number = 0;
  ExpectNoGrowth({{"Create, Add, ToolText, SetMargin, Remove", [&] {
                     const Form owner;
                     ComPtr<_clsToolTip> tip = Create<_clsToolTip>(CLSID_clsToolTip);
                     tip->Create(owner.window(), &made);
                     tip->Add(1, text.get(), 0, 0, 50, 20, &made);
                     tip->put_ToolText(1, other.get());
                     tip->SetMargin(1, 2, 3, 4);
                     tip->get_ToolCount(&number);
                     tip->Remove(1);
                   }}},
                 kSlowCalls);
}

TEST_F(Leaks, FontsAreTheCallersToDelete) {
  ComPtr<_clsNewFont> font = Create<_clsNewFont>(CLSID_clsNewFont);
  const OwnedBstr face(L"Arial");
  font->put_lfFaceName(face.get());
  ExpectNoGrowth({{"hNewFont", [&] {
                     long handle = 0;
                     font->get_hNewFont(&handle);
                     DeleteObject(win::HandleOf<HFONT>(handle));
                   }}});
}

// Runs this test program again with one test, in a fresh process: nothing of the other tests
// holds an object there.
DWORD RunAlone(const wchar_t* test) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_brief=1 --gtest_filter=" + test;
  SetEnvironmentVariableW(L"BRIXEN_ALONE", L"1");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
  SetEnvironmentVariableW(L"BRIXEN_ALONE", nullptr);
  if (!started) return static_cast<DWORD>(-1);
  const win::Handle process(info.hProcess), thread(info.hThread);
  WaitForSingleObject(process.get(), INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  return code;
}

TEST(LibraryUnload, OnceTheLastObjectIsReleased) { EXPECT_EQ(RunAlone(L"LibraryUnload.Alone"), 0u); }

// Objects of every class, with members that use the scripting library, the settings store, a
// window and a font; when the last is released the library answers that it can go, and the
// platform's clean-up of unused libraries unloads it.
TEST(LibraryUnload, Alone) {
  if (GetEnvironmentVariableW(L"BRIXEN_ALONE", nullptr, 0) == 0) GTEST_SKIP() << "runs in a process of its own";
  {
    const Form owner;
    ComPtr<_clsFILE> f = Create<_clsFILE>(CLSID_clsFILE);
    ComPtr<_clsProperty> p = Create<_clsProperty>(CLSID_clsProperty);
    ComPtr<_clsToolTip> tip = Create<_clsToolTip>(CLSID_clsToolTip);
    ComPtr<_clsNewFont> font = Create<_clsNewFont>(CLSID_clsNewFont);
    const ComPtr<IDispatch> others[] = {CreateByProgId(L"BRIXEN.clsDATE"), CreateByProgId(L"BRIXEN.clsString"),
                                        CreateByProgId(L"BRIXEN.clsMethod"), CreateByProgId(L"BRIXEN.clsPrgsBar"),
                                        CreateByProgId(L"BRIXEN.clsDialogColor"), CreateByProgId(L"BRIXEN.clsDialogOpenSave")};
    OwnedBstr drive, app(L"BRIXEN unload test"), section(L"S"), key(L"K");
    VARIANT_BOOL yes = 0;
    long handle = 0;
    EXPECT_EQ(f->FirstHDDDrive(drive.put()), S_OK);
    EXPECT_EQ(p->ExistsRegEntry(app.get(), section.get(), key.get(), &yes), S_OK);
    EXPECT_EQ(tip->Create(owner.window(), &yes), S_OK);
    EXPECT_EQ(font->get_hNewFont(&handle), S_OK);
    DeleteObject(win::HandleOf<HFONT>(handle));
  }
  const HMODULE library = GetModuleHandleW(L"QUENTA01.DLL");
  ASSERT_NE(library, nullptr);
  const auto can_unload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(library, "DllCanUnloadNow"));
  ASSERT_NE(can_unload, nullptr);
  EXPECT_EQ(can_unload(), S_OK);
  CoFreeUnusedLibrariesEx(0, 0);
  EXPECT_EQ(GetModuleHandleW(L"QUENTA01.DLL"), nullptr) << "still loaded";
}

}  // namespace
}  // namespace brixen::test

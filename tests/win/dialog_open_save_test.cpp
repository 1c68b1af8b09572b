// clsDialogOpenSave on the platform's real open and save dialogs, driven from a thread of the
// test (tests/win/dialog_driver.h): what the dialog shows (title, file types, the initial folder
// and name, the OK button's and the file-name label's captions, where it stands on the screen),
// a name typed and confirmed, or the dialog cancelled, and what the member returns then.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <functional>
#include <string>
#include <vector>

#include "com_fixture.h"
#include "dialog_driver.h"
#include "frame/win/handle_values.h"
#include "test_windows.h"

namespace brixen::test {
namespace {

using namespace std::string_literals;

constexpr HRESULT kInvalidCall = MAKE_HRESULT(1, FACILITY_CONTROL, 5);
constexpr long kExplorer = OFN_EXPLORER;
constexpr long kHooked = OFN_EXPLORER | OFN_ENABLEHOOK;

// ---- what a file dialog shows --------------------------------------------------------------

struct FileDialogView {
  std::wstring title, ok, label, name, folder;
  std::vector<std::wstring> types;  // the file-type list
  int type = -1;                    // the type selected, from 0
  RECT area{};                      // on the screen
};

// The dialog answers in the code page of the call that made it: the ANSI one.
std::wstring FolderOf(HWND dialog) {
  char path[MAX_PATH] = {};
  SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
  return wide;
}

FileDialogView ReadFileDialog(HWND dialog) {
  FileDialogView view;
  view.title = TextOf(dialog);
  view.ok = ItemText(dialog, IDOK);
  view.label = ItemText(dialog, stc3);
  view.name = TextOf(FileNameEdit(dialog));
  view.folder = FolderOf(dialog);
  view.types = ComboItems(GetDlgItem(dialog, cmb1));
  view.type = static_cast<int>(SendDlgItemMessageW(dialog, cmb1, CB_GETCURSEL, 0, 0));
  view.area = WindowRect(dialog);
  return view;
}

// ---- answers ---------------------------------------------------------------------------------

using Answer = std::function<void(HWND)>;

void Cancel(HWND dialog) { Press(dialog, IDCANCEL); }

Answer TypeAndConfirm(const std::wstring& name) {
  return [name](HWND dialog) {
    SetWindowTextW(FileNameEdit(dialog), name.c_str());
    Press(dialog, IDOK);
  };
}

// Picks a file type (from 0) as a click in the list would, then answers.
Answer ChooseType(int type, Answer then) {
  return [type, then](HWND dialog) {
    HWND types = GetDlgItem(dialog, cmb1);
    SendMessageW(types, CB_SETCURSEL, type, 0);
    for (const WORD notification : {CBN_SELCHANGE, CBN_SELENDOK})
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, notification), reinterpret_cast<LPARAM>(types));
    then(dialog);
  };
}

// ---- one call ----------------------------------------------------------------------------------

// OpenDialog's arguments, with the defaults of the type library.
struct DialogCall {
  ENUM_DLG_METHOD method = eDLG_OPEN;
  HWND owner = nullptr;
  std::wstring title = L"Pick a file";
  long flags = kExplorer;
  std::wstring filter, initial_dir, initial_file, def_ext;
  long filter_index = 1;
  std::wstring ok_caption, label_caption;
  long position = eDLGPOS_NONE;
};

struct Outcome {
  HRESULT hr = E_FAIL;
  std::wstring result;
  bool shown = false;
  FileDialogView seen;
};

// Calls OpenDialog; the dialog, if one comes, is read and then answered.
Outcome Show(_clsDialogOpenSave* object, const DialogCall& call, const Answer& answer) {
  Outcome outcome;
  DialogDriver driver([&](HWND dialog) {
    outcome.seen = ReadFileDialog(dialog);
    answer(dialog);
  });
  OwnedBstr title(call.title), filter(call.filter), dir(call.initial_dir), file(call.initial_file),
      ext(call.def_ext), ok(call.ok_caption), label(call.label_caption), result(L"unset");
  outcome.hr = object->OpenDialog(call.method, win::LongOf(call.owner), title.get(), call.flags, filter.get(), dir.get(),
                                  file.get(), ext.get(), call.filter_index, ok.get(), label.get(),
                                  static_cast<ENUM_DLG_POSITION>(call.position), result.put());
  driver.Finish();
  EXPECT_FALSE(driver.TimedOut()) << "the dialog was left standing";
  outcome.shown = driver.Acted();
  outcome.result = result.text();
  return outcome;
}

long FilterIndexOf(_clsDialogOpenSave* object) {
  long index = -1;
  EXPECT_EQ(object->get_FilterIndex(&index), S_OK);
  return index;
}

// The current folder at the start of a test.
std::wstring CurrentFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  return folder;
}

class DialogOpenSave : public testing::Test {
 protected:
  // A confirmed dialog leaves the process in the folder it ended in, which could not be removed
  // while it is the current one.
  void TearDown() override { SetCurrentDirectoryW(start_folder_.c_str()); }

  ComPtr<_clsDialogOpenSave> dialog_ = Create<_clsDialogOpenSave>(CLSID_clsDialogOpenSave);
  TempFolder temp_;
  OwnerForm owner_;

 private:
  const std::wstring start_folder_ = CurrentFolder();
};

// ---- the dialogs and their answers -------------------------------------------------------------

TEST_F(DialogOpenSave, TheOpenDialogShowsItsSettingsAndGivesTheNameTypedWithItsType) {
  DialogCall call;
  call.title = L"Pick a text";
  call.filter = L"Text files\0*.txt\0Logs\0*.log"s;
  call.initial_dir = temp_.path();
  call.initial_file = L"start.txt";
  call.filter_index = 2;
  const Outcome outcome = Show(dialog_.Get(), call, TypeAndConfirm(L"chosen.log"));
  ASSERT_EQ(outcome.hr, S_OK);
  ASSERT_TRUE(outcome.shown);
  EXPECT_EQ(outcome.seen.title, L"Pick a text");
  EXPECT_EQ(outcome.seen.types, (std::vector<std::wstring>{L"Text files", L"Logs", L"All Files"}));
  EXPECT_EQ(outcome.seen.type, 1);
  EXPECT_EQ(outcome.seen.folder, temp_.path());
  EXPECT_EQ(outcome.seen.name, L"start.txt");
  EXPECT_EQ(outcome.result, temp_ / L"chosen.log");
  EXPECT_EQ(FilterIndexOf(dialog_.Get()), 2);
}

// A text that names no folder (a device, a missing path, one far longer than a path) opens the
// dialog in the folder it would choose without one.
TEST_F(DialogOpenSave, AnInitialFolderThatIsNoFolderIsLeftToTheDialog) {
  DialogCall plain;
  const std::wstring usual = Show(dialog_.Get(), plain, Cancel).seen.folder;
  for (const std::wstring& folder : {std::wstring(L"CON"), std::wstring(L"NUL"), temp_ / L"missing",
                                     std::wstring(40000, L'x')}) {
    DialogCall call;
    call.initial_dir = folder;
    const Outcome outcome = Show(dialog_.Get(), call, Cancel);
    EXPECT_EQ(outcome.hr, S_OK) << folder.substr(0, 40);
    EXPECT_TRUE(outcome.shown) << folder.substr(0, 40);
    EXPECT_EQ(outcome.seen.folder, usual) << folder.substr(0, 40);
  }
}

TEST_F(DialogOpenSave, TheSaveDialogAddsTheDefaultExtension) {
  DialogCall call;
  call.method = eDLG_SAVE;
  call.title = L"Store the report";
  call.initial_dir = temp_.path();
  call.def_ext = L"txt";
  const Outcome outcome = Show(dialog_.Get(), call, TypeAndConfirm(L"report"));
  ASSERT_TRUE(outcome.shown);
  EXPECT_EQ(outcome.seen.title, L"Store the report");
  EXPECT_EQ(outcome.seen.ok, L"&Save");
  EXPECT_EQ(outcome.result, temp_ / L"report.txt");
  EXPECT_EQ(FilterIndexOf(dialog_.Get()), 1);
}

TEST_F(DialogOpenSave, FilterIndexIsTheTypeInUseWhenConfirmed) {
  DialogCall call;
  call.filter = L"Text\0*.txt\0Logs\0*.log"s;
  call.initial_dir = temp_.path();
  call.filter_index = 2;
  const Outcome outcome = Show(dialog_.Get(), call, ChooseType(0, TypeAndConfirm(L"a.txt")));
  EXPECT_EQ(outcome.result, temp_ / L"a.txt");
  EXPECT_EQ(FilterIndexOf(dialog_.Get()), 1);
}

TEST_F(DialogOpenSave, CancelGivesEmptyTextAndKeepsFilterIndex) {
  EXPECT_EQ(FilterIndexOf(dialog_.Get()), 0) << "before any dialog";
  DialogCall call;
  call.filter = L"Text\0*.txt"s;
  call.initial_dir = temp_.path();
  call.filter_index = 2;
  ASSERT_EQ(Show(dialog_.Get(), call, TypeAndConfirm(L"kept.txt")).result, temp_ / L"kept.txt");
  call.filter_index = 1;
  const Outcome cancelled = Show(dialog_.Get(), call, Cancel);
  EXPECT_TRUE(cancelled.shown);
  EXPECT_EQ(cancelled.hr, S_OK);
  EXPECT_EQ(cancelled.result, L"");
  EXPECT_EQ(FilterIndexOf(dialog_.Get()), 2);
}

// The file-type list as the dialog shows it, for the caller's filter texts.
struct FilterCase {
  std::wstring filter;
  long index;
  std::vector<std::wstring> types;
  int selected;
};

class DialogOpenSaveFilters : public DialogOpenSave, public testing::WithParamInterface<FilterCase> {};

TEST_P(DialogOpenSaveFilters, AllFilesComesLast) {
  DialogCall call;
  call.filter = GetParam().filter;
  call.filter_index = GetParam().index;
  const Outcome outcome = Show(dialog_.Get(), call, Cancel);
  ASSERT_TRUE(outcome.shown);
  EXPECT_EQ(outcome.seen.types, GetParam().types);
  EXPECT_EQ(outcome.seen.type, GetParam().selected);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, DialogOpenSaveFilters,
    testing::Values(FilterCase{L"", 1, {L"All Files"}, 0},
                    FilterCase{L"Text\0*.txt\0Logs\0*.log"s, 2, {L"Text", L"Logs", L"All Files"}, 1},
                    FilterCase{L"Text\0*.txt\0Logs\0*.log"s, 3, {L"Text", L"Logs", L"All Files"}, 2},
                    // NULs ending the caller's text would end the list before "All Files".
                    FilterCase{L"Text\0*.txt\0\0"s, 1, {L"Text", L"All Files"}, 0}));

TEST_F(DialogOpenSave, AnUnknownMethodShowsNothing) {
  DialogCall call;
  call.method = static_cast<ENUM_DLG_METHOD>(2);
  const Outcome outcome = Show(dialog_.Get(), call, Cancel);
  EXPECT_EQ(outcome.hr, S_OK);
  EXPECT_FALSE(outcome.shown);
  EXPECT_EQ(outcome.result, L"");
}

TEST_F(DialogOpenSave, AMultipleSelectionIsTheFolderThenTheNamesSeparatedByNul) {
  temp_.Write(L"one.txt", "1");
  temp_.Write(L"two.txt", "2");
  DialogCall call;
  call.flags = kExplorer | OFN_ALLOWMULTISELECT;
  call.initial_dir = temp_.path();
  const Outcome outcome = Show(dialog_.Get(), call, TypeAndConfirm(L"\"one.txt\" \"two.txt\""));
  EXPECT_EQ(outcome.result, temp_.path() + L"\0one.txt\0two.txt"s);
}

// The dialog writes the chosen path and one NUL over the initial name: nothing of a longer
// initial name reaches the result.
TEST_F(DialogOpenSave, ASinglePathShorterThanTheInitialNameComesAlone) {
  DialogCall call;
  call.initial_dir = temp_.path();
  call.initial_file = std::wstring(200, L'n') + L".txt";
  for (const long flags : {kExplorer, kExplorer | OFN_ALLOWMULTISELECT}) {
    call.flags = flags;
    EXPECT_EQ(Show(dialog_.Get(), call, TypeAndConfirm(L"x.txt")).result, temp_ / L"x.txt") << flags;
  }
}

// ---- the initial name and the 1,024-byte buffer --------------------------------------------------

struct InitialNameCase {
  std::wstring name;
  bool fits;  // in 1,024 bytes of the system's ANSI code page
};

std::vector<InitialNameCase> InitialNames() {
  // A double-byte character counts twice in code page 932; elsewhere it is one "?".
  return {{std::wstring(1024, L'a'), true},
          {std::wstring(1025, L'a'), false},
          {std::wstring(513, L'\u3042'), !JapaneseTestLocale()}};
}

class DialogOpenSaveBilingual : public DialogOpenSave {};

TEST_F(DialogOpenSaveBilingual, AnInitialNameBeyondTheBufferIsErrorFiveBeforeAnyDialog) {
  for (const InitialNameCase& name : InitialNames()) {
    DialogCall call;
    call.initial_file = name.name;
    const Outcome outcome = Show(dialog_.Get(), call, Cancel);
    const std::wstring label = std::to_wstring(name.name.size()) + L" times " + name.name.substr(0, 1);
    if (name.fits) {
      EXPECT_EQ(outcome.hr, S_OK) << label;
      EXPECT_TRUE(outcome.shown) << label;
    } else {
      EXPECT_EQ(outcome.hr, kInvalidCall) << label;
      EXPECT_EQ(LastErrorDescription(), L"Invalid procedure call or argument") << label;
      EXPECT_FALSE(outcome.shown) << label;
    }
  }
}

// ---- captions and placement through the hook -------------------------------------------------

// A caption as the dialog shows it: it passes the system's ANSI code page, which holds Japanese
// text on a Japanese system and turns it into "?" elsewhere.
std::wstring ThroughAnsi(const std::wstring& text) {
  char ansi[256] = {};
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
  wchar_t wide[256] = {};
  MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, 256);
  return wide;
}

TEST_F(DialogOpenSaveBilingual, CaptionsStayInForceUntilReplaced) {
  const std::wstring ok = L"\u53d6\u308a\u8fbc\u3080(&T)", label = L"\u8acb\u6c42\u66f8(&N):", next_label = L"Invoice:";
  DialogCall call;
  call.flags = kHooked;
  call.ok_caption = ok;
  call.label_caption = label;
  const Outcome first = Show(dialog_.Get(), call, Cancel);
  EXPECT_EQ(first.seen.ok, ThroughAnsi(ok));
  EXPECT_EQ(first.seen.label, ThroughAnsi(label));
  if (JapaneseTestLocale()) {
    EXPECT_EQ(first.seen.ok, ok);
  }

  call.ok_caption.clear();
  call.label_caption.clear();
  const ComPtr<_clsDialogOpenSave> other = Create<_clsDialogOpenSave>(CLSID_clsDialogOpenSave);
  const Outcome again = Show(other.Get(), call, Cancel);
  EXPECT_EQ(again.seen.ok, ThroughAnsi(ok)) << "a call without captions, by another object";
  EXPECT_EQ(again.seen.label, ThroughAnsi(label));

  call.label_caption = next_label;
  const Outcome replaced = Show(dialog_.Get(), call, Cancel);
  EXPECT_EQ(replaced.seen.ok, ThroughAnsi(ok));
  EXPECT_EQ(replaced.seen.label, next_label);
}

// Where the system puts the dialog, and with which captions, for an owner: the platform's own
// dialog with the same settings, without the library.
FileDialogView SystemDialog(HWND owner) {
  FileDialogView seen;
  DialogDriver driver([&](HWND dialog) {
    seen = ReadFileDialog(dialog);
    Cancel(dialog);
  });
  char file[1024] = {};
  OPENFILENAMEA record{};
  record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  record.hwndOwner = owner;
  record.lpstrFilter = "All Files\0*.*\0";
  record.nFilterIndex = 1;
  record.lpstrFile = file;
  record.nMaxFile = sizeof file - 1;
  record.Flags = OFN_EXPLORER;
  GetOpenFileNameA(&record);
  driver.Finish();
  return seen;
}

TEST_F(DialogOpenSave, WithoutTheHookFlagTheSystemPlacesAndLabelsTheDialog) {
  const FileDialogView system = SystemDialog(owner_.get());
  ASSERT_FALSE(system.ok.empty());
  DialogCall call;
  call.owner = owner_.get();
  call.ok_caption = L"Take";
  call.label_caption = L"Invoice:";
  call.position = eDLGPOS_RIGHT_BOTTOM;
  const Outcome outcome = Show(dialog_.Get(), call, Cancel);
  EXPECT_EQ(outcome.seen.ok, system.ok);
  EXPECT_EQ(outcome.seen.label, system.label);
  EXPECT_EQ(outcome.seen.area.left, system.area.left);
  EXPECT_EQ(outcome.seen.area.top, system.area.top);
}

// The top-left corner a placement gives a dialog of the size of `area` in the work area.
POINT ExpectedCorner(long placement, const RECT& area, const RECT& work) {
  const LONG w = area.right - area.left, h = area.bottom - area.top;
  const LONG ww = work.right - work.left, wh = work.bottom - work.top;
  switch (placement) {
    case eDLGPOS_CENTER: return {work.left + (ww - w) / 2, work.top + (wh - h) / 2};
    case eDLGPOS_LEFT_BOTTOM: return {work.left, work.top + wh - h};
    case eDLGPOS_RIGHT_TOP: return {work.left + ww - w, work.top};
    case eDLGPOS_RIGHT_BOTTOM: return {work.left + ww - w, work.top + wh - h};
    default: return {work.left, work.top};
  }
}

RECT WorkArea() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

class DialogOpenSavePlacement : public DialogOpenSave, public testing::WithParamInterface<long> {
 protected:
  Outcome ShowPlaced() {
    DialogCall call;
    call.owner = owner_.get();
    call.flags = kHooked;
    call.position = GetParam();
    return Show(dialog_.Get(), call, Cancel);
  }
};

// The fixed desktop of the test prefix: 1024 x 768, its work area the whole screen.
TEST_P(DialogOpenSavePlacement, StandsWhereThePlacementSaysInTheWorkArea) {
  const Outcome outcome = ShowPlaced();
  ASSERT_TRUE(outcome.shown);
  const POINT corner = ExpectedCorner(GetParam(), outcome.seen.area, WorkArea());
  EXPECT_EQ(outcome.seen.area.left, corner.x);
  EXPECT_EQ(outcome.seen.area.top, corner.y);
}

// A task bar at the top of the screen: the corners are the work area's, below it.
TEST_P(DialogOpenSavePlacement, KeepsClearOfATaskBarAtTheTop) {
  const RECT screen = WorkArea();
  RECT lowered = screen;
  lowered.top += 40;
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &lowered, 0));
  const Outcome outcome = ShowPlaced();
  SystemParametersInfoW(SPI_SETWORKAREA, 0, const_cast<RECT*>(&screen), 0);
  const POINT corner = ExpectedCorner(GetParam(), outcome.seen.area, lowered);
  EXPECT_EQ(outcome.seen.area.left, corner.x);
  EXPECT_EQ(outcome.seen.area.top, corner.y);
}

INSTANTIATE_TEST_SUITE_P(Corners, DialogOpenSavePlacement,
                         testing::Values(eDLGPOS_CENTER, eDLGPOS_LEFT_TOP, eDLGPOS_LEFT_BOTTOM, eDLGPOS_RIGHT_TOP,
                                         eDLGPOS_RIGHT_BOTTOM, 9));

TEST_F(DialogOpenSave, PlacementNoneLeavesTheDialogWhereTheSystemPutsIt) {
  const FileDialogView system = SystemDialog(owner_.get());
  DialogCall call;
  call.owner = owner_.get();
  call.flags = kHooked;
  const Outcome outcome = Show(dialog_.Get(), call, Cancel);
  EXPECT_EQ(outcome.seen.area.left, system.area.left);
  EXPECT_EQ(outcome.seen.area.top, system.area.top);
  EXPECT_NE(outcome.seen.area.left, WorkArea().left) << "the owner stands away from the corner";
}

// The old-style dialog runs the hook in the dialog itself, whose parent is the caller's window:
// that window gets none of the dialog's messages and stays where it is.
TEST_F(DialogOpenSave, TheOldStyleDialogLeavesTheCallersWindowAlone) {
  DialogCall call;
  call.owner = owner_.get();
  call.flags = OFN_ENABLEHOOK;
  call.ok_caption = L"Take";
  call.position = eDLGPOS_RIGHT_BOTTOM;
  const Outcome outcome = Show(dialog_.Get(), call, Cancel);
  EXPECT_TRUE(outcome.shown);
  EXPECT_EQ(owner_.PrivateMessages(), std::vector<UINT>{});
  EXPECT_EQ(WindowRect(owner_.get()).left, OwnerForm::kLeft);
  EXPECT_EQ(WindowRect(owner_.get()).top, OwnerForm::kTop);
}

// In a 64-bit build the library lies above 4 GiB, where no Long holds its hook's address: the
// record takes the address whole, and the hook runs.
TEST_F(DialogOpenSave, TheHookRunsWhereverTheLibraryLies) {
  const auto base = reinterpret_cast<ULONG_PTR>(GetModuleHandleW(L"QUENTA01.DLL"));
  ASSERT_NE(base, 0u);
  if (sizeof(void*) == 8) {
    EXPECT_GT(base, 0xFFFFFFFFull);
  }
  DialogCall call;
  call.flags = kHooked;
  call.ok_caption = L"Hooked";
  EXPECT_EQ(Show(dialog_.Get(), call, Cancel).seen.ok, L"Hooked");
}

TEST_F(DialogOpenSave, GetLongGivesItsArgumentBack) {
  for (const long value : {0L, 1L, -1L, 0x7FFFFFFFL, -0x7FFFFFFFL - 1}) {
    long result = 12345;
    ASSERT_EQ(dialog_->GetLong(value, &result), S_OK);
    EXPECT_EQ(result, value);
  }
}

// ---- late bound ----------------------------------------------------------------------------------

// A script leaves the optional arguments out: no filter of its own ("All Files" alone, chosen),
// no folder, name, captions or placement.
TEST_F(DialogOpenSave, LateBoundWithTheOptionalArgumentsLeftOut) {
  const ComPtr<IDispatch> object = CreateByProgId(L"BRIXEN.clsDialogOpenSave");
  FileDialogView seen;
  const std::wstring path = temp_ / L"late.txt";
  DialogDriver driver([&](HWND dialog) {
    seen = ReadFileDialog(dialog);
    TypeAndConfirm(path)(dialog);
  });
  Call call;
  InvokeByName(object.Get(), L"OpenDialog", DISPATCH_METHOD,
               {LongArg(eDLG_SAVE), LongArg(0), TextArg(L"Late"), LongArg(kExplorer)}, call);
  driver.Finish();
  ASSERT_EQ(call.hr, S_OK);
  ASSERT_EQ(call.result.vt, VT_BSTR);
  EXPECT_EQ(std::wstring(call.result.bstrVal, SysStringLen(call.result.bstrVal)), path);
  EXPECT_EQ(seen.title, L"Late");
  EXPECT_EQ(seen.types, std::vector<std::wstring>{L"All Files"});
  EXPECT_EQ(seen.name, L"");
  Call index;
  InvokeByName(object.Get(), L"FilterIndex", DISPATCH_PROPERTYGET, {}, index);
  EXPECT_EQ(index.result.lVal, 1);
}

}  // namespace
}  // namespace brixen::test

// clsProperty's window members on real windows this program makes: top-level windows with
// captions, child controls (a multi-line edit, a drop-down combo box with items, a list view in
// report view with its header, windows with and without scroll bars), the caption searches
// against an enumeration of the test's own, closing by handle and by caption (a window that
// refuses the close command included), topmost and back, and a caller's forms collection.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "com_fixture.h"
#include "err_log_file.h"
#include "frame/win/handle_values.h"
#include "property_object.h"

namespace brixen::test {
namespace {

constexpr long kByHandle = eBY_HWND, kByCaption = eBY_CAPTION;

// The close commands each test window received; a window in `refusing` swallows them.
std::map<HWND, int> close_commands;
std::vector<HWND> refusing;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
    ++close_commands[window];
    for (HWND r : refusing) {
      if (r == window) return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* TestClass() {
  static const ATOM atom = [] {
    WNDCLASSW c{};
    c.lpfnWndProc = TestWindowProc;
    c.hInstance = GetModuleHandleW(nullptr);
    c.lpszClassName = L"BrixenWindowTest";
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    return RegisterClassW(&c);
  }();
  return reinterpret_cast<const wchar_t*>(static_cast<ULONG_PTR>(atom));
}

// A top-level window of this thread, destroyed with the object if it still exists.
class TopWindow {
 public:
  explicit TopWindow(const std::wstring& caption, DWORD style = WS_OVERLAPPEDWINDOW)
      : window_(CreateWindowExW(0, TestClass(), caption.c_str(), style, 40, 40, 300, 200, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr)) {}
  ~TopWindow() {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  TopWindow(const TopWindow&) = delete;
  TopWindow& operator=(const TopWindow&) = delete;
  HWND get() const { return window_; }
  long value() const { return win::LongOf(window_); }

 private:
  HWND window_;
};

HWND Child(HWND parent, const wchar_t* cls, DWORD style, int width = 200, int height = 100) {
  return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, width, height, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

// A caption unique to this process, so other programs' windows cannot match.
std::wstring Caption(const std::wstring& what) {
  return L"BRIXEN window test " + std::to_wstring(GetCurrentProcessId()) + L" " + what;
}

// The platform's own enumeration, as the test sees it: every window below the desktop with its
// caption as GetWindowTextA gives it.
std::vector<std::pair<HWND, std::string>> Enumeration() {
  std::vector<std::pair<HWND, std::string>> found;
  EnumChildWindows(
      GetDesktopWindow(),
      [](HWND window, LPARAM list) CALLBACK -> BOOL {
        char text[256] = {};
        GetWindowTextA(window, text, 255);
        reinterpret_cast<std::vector<std::pair<HWND, std::string>>*>(list)->emplace_back(window, text);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

class PropertyWindows : public testing::Test {
 protected:
  ~PropertyWindows() override {
    close_commands.clear();
    refusing.clear();
  }
  long Find(const std::wstring& caption, bool included) {
    long handle = -7;
    EXPECT_EQ(property_->GetWindowHandleByCaptionOnly(OwnedBstr(caption).get(), included ? VARIANT_TRUE : VARIANT_FALSE,
                                                      &handle),
              S_OK);
    return handle;
  }
  long CloseApp(const VARIANT& what, long which, bool included) {
    long result = -7;
    EXPECT_EQ(property_->CloseApp(what, static_cast<ENUM_CLOSEAPPLICATION>(which),
                                  included ? VARIANT_TRUE : VARIANT_FALSE, &result),
              S_OK);
    return result;
  }

  ComPtr<_clsProperty> property_ = Create<_clsProperty>(CLSID_clsProperty);
};

TEST_F(PropertyWindows, CaptionSearchesExactContainedAndCaseSensitive) {
  const TopWindow window(Caption(L"Inventory list"));
  ASSERT_TRUE(window.get());
  EXPECT_EQ(Find(Caption(L"Inventory list"), false), window.value()) << "exact";
  EXPECT_EQ(Find(L"test " + std::to_wstring(GetCurrentProcessId()) + L" Inventory", true), window.value()) << "contained";
  EXPECT_EQ(Find(Caption(L"Inventory"), false), 0) << "a prefix is no exact caption";
  EXPECT_EQ(Find(Caption(L"Inventory"), true), window.value()) << "but it is contained";
  EXPECT_EQ(Find(Caption(L"INVENTORY LIST"), false), 0) << "letter case counts";
  EXPECT_EQ(Find(Caption(L"inventory"), true), 0) << "letter case counts when contained too";
}

TEST_F(PropertyWindows, ControlsAreFoundBelowTheirWindows) {
  const TopWindow window(Caption(L"with a button"));
  const HWND button = CreateWindowExW(0, L"BUTTON", Caption(L"the button").c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 50, 20,
                                      window.get(), nullptr, nullptr, nullptr);
  EXPECT_EQ(Find(Caption(L"the button"), false), win::LongOf(button));
}

// The empty caption: exactly, the first window without a caption; contained, the first with one
// (an empty caption contains nothing), both in the platform's enumeration order.
TEST_F(PropertyWindows, AnEmptyCaptionBothWays) {
  const TopWindow window(Caption(L"empty caption check"));
  Child(window.get(), L"STATIC", 0);
  const auto windows = Enumeration();
  HWND first_empty = nullptr, first_named = nullptr;
  for (const auto& [handle, text] : windows) {
    if (!first_empty && text.empty()) first_empty = handle;
    if (!first_named && !text.empty()) first_named = handle;
  }
  ASSERT_NE(first_empty, nullptr);
  EXPECT_EQ(Find(L"", false), win::LongOf(first_empty));
  EXPECT_EQ(Find(L"", true), win::LongOf(first_named));
}

TEST_F(PropertyWindows, ACaptionIsReadUpTo254Characters) {
  const std::wstring head = Caption(L"long ");
  const std::wstring caption = head + std::wstring(300 - head.size(), L'x');
  const TopWindow window(caption);
  EXPECT_EQ(Find(caption, false), 0) << "the whole caption is never read";
  EXPECT_EQ(Find(caption.substr(0, 254), false), window.value());
}

TEST_F(PropertyWindows, CloseAppByHandleSendsTheCloseCommand) {
  const TopWindow window(Caption(L"close by handle"));
  VARIANT handle;
  V_VT(&handle) = VT_I4;
  V_I4(&handle) = window.value();
  EXPECT_EQ(CloseApp(handle, kByHandle, false), 0);
  EXPECT_EQ(close_commands[window.get()], 1);
  EXPECT_FALSE(IsWindow(window.get()));
}

TEST_F(PropertyWindows, CloseAppByCaption) {
  const TopWindow first(Caption(L"close me 1")), second(Caption(L"close me 2")), other(Caption(L"keep me"));
  const Variant none(u"BRIXEN no window has this caption");
  EXPECT_EQ(CloseApp(none.get(), kByCaption, false), -2);
  EXPECT_EQ(CloseApp(none.get(), kByCaption, true), -2);

  const std::wstring wanted = Caption(L"close me 1");
  const Variant exact(String(wanted.begin(), wanted.end()));
  EXPECT_EQ(CloseApp(exact.get(), kByCaption, false), 0);
  EXPECT_FALSE(IsWindow(first.get()));
  EXPECT_TRUE(IsWindow(second.get()));

  const std::wstring part = L"test " + std::to_wstring(GetCurrentProcessId()) + L" close me";
  const Variant contained(String(part.begin(), part.end()));
  EXPECT_EQ(CloseApp(contained.get(), kByCaption, true), -2) << "always -2 once every window is closed";
  EXPECT_EQ(close_commands[second.get()], 1);
  EXPECT_FALSE(IsWindow(second.get()));
  EXPECT_TRUE(IsWindow(other.get()));
  EXPECT_EQ(close_commands[other.get()], 0);
}

// A window that ignores the command gets it once; the call ends, and the next window with the
// caption is closed all the same.
TEST_F(PropertyWindows, AWindowThatRefusesToCloseEndsTheCall) {
  const TopWindow stubborn(Caption(L"refuse 1")), willing(Caption(L"refuse 2"));
  refusing.push_back(stubborn.get());
  const std::wstring part = L"test " + std::to_wstring(GetCurrentProcessId()) + L" refuse";
  EXPECT_EQ(CloseApp(Variant(String(part.begin(), part.end())).get(), kByCaption, true), -2);
  EXPECT_EQ(close_commands[stubborn.get()], 1);
  EXPECT_TRUE(IsWindow(stubborn.get()));
  EXPECT_FALSE(IsWindow(willing.get()));
}

TEST_F(PropertyWindows, AnotherWhichSendsNothing) {
  const TopWindow window(Caption(L"which 7"));
  VARIANT handle;
  V_VT(&handle) = VT_I4;
  V_I4(&handle) = window.value();
  EXPECT_EQ(CloseApp(handle, 7, false), 0);
  EXPECT_EQ(close_commands[window.get()], 0);
  EXPECT_TRUE(IsWindow(window.get()));
}

TEST_F(PropertyWindows, TopmostAndBackWithTheRectangleKept) {
  const TopWindow window(Caption(L"topmost"));
  RECT before{}, after{};
  GetWindowRect(window.get(), &before);
  VARIANT_BOOL placed = VARIANT_FALSE;
  ASSERT_EQ(property_->SetWindowPriority(window.value(), eHWND_TOPMOST, &placed), S_OK);
  EXPECT_EQ(placed, VARIANT_TRUE);
  EXPECT_TRUE(GetWindowLongW(window.get(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(IsWindowVisible(window.get())) << "shown";
  GetWindowRect(window.get(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  ASSERT_EQ(property_->SetWindowPriority(window.value(), eHWND_NOTTOPMOST, &placed), S_OK);
  EXPECT_EQ(placed, VARIANT_TRUE);
  EXPECT_FALSE(GetWindowLongW(window.get(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  GetWindowRect(window.get(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(PropertyWindows, SetFocusByCaptionShowsAndBringsTheWindowForward) {
  const TopWindow window(Caption(L"focus me"), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  const TopWindow other(Caption(L"in front"), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  SetForegroundWindow(other.get());
  long result = -7;
  ASSERT_EQ(property_->SetFocusByCaption(OwnedBstr(Caption(L"focus me")).get(), static_cast<ENUM_SW>(SW_SHOWNORMAL), &result), S_OK);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(GetForegroundWindow(), window.get());
  ASSERT_EQ(property_->SetFocusByCaption(OwnedBstr(Caption(L"nobody")).get(), static_cast<ENUM_SW>(SW_SHOWNORMAL), &result), S_OK);
  EXPECT_EQ(result, 0);
}

TEST_F(PropertyWindows, ScrollBarsOfAWindow) {
  const TopWindow window(Caption(L"scroll bars"));
  const struct {
    DWORD style;
    bool vertical, horizontal;
  } cases[] = {{0, false, false}, {WS_VSCROLL, true, false}, {WS_HSCROLL, false, true}, {WS_VSCROLL | WS_HSCROLL, true, true}};
  for (const auto& c : cases) {
    const HWND child = Child(window.get(), L"STATIC", c.style);
    VARIANT_BOOL v = 7, h = 7;
    ASSERT_EQ(property_->ExistsVSCROLL(win::LongOf(child), &v), S_OK);
    ASSERT_EQ(property_->ExistsHSCROLL(win::LongOf(child), &h), S_OK);
    EXPECT_EQ(v == VARIANT_TRUE, c.vertical) << c.style;
    EXPECT_EQ(h == VARIANT_TRUE, c.horizontal) << c.style;
  }
}

TEST_F(PropertyWindows, AnOpenComboBoxList) {
  const TopWindow window(Caption(L"combo"), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  const HWND combo = Child(window.get(), L"COMBOBOX", CBS_DROPDOWN, 150, 200);
  for (const wchar_t* item : {L"one", L"two", L"three"}) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  VARIANT_BOOL open = 7;
  ASSERT_EQ(property_->msgIsComboBoxOpend(win::LongOf(combo), &open), S_OK);
  EXPECT_EQ(open, VARIANT_FALSE);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  ASSERT_EQ(property_->msgIsComboBoxOpend(win::LongOf(combo), &open), S_OK);
  EXPECT_EQ(open, VARIANT_TRUE);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(PropertyWindows, AFlatListViewHeader) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  const TopWindow window(Caption(L"list view"));
  const HWND list = Child(window.get(), WC_LISTVIEWW, LVS_REPORT, 250, 150);
  LVCOLUMNW column{LVCF_TEXT | LVCF_WIDTH, 0, 100, const_cast<wchar_t*>(L"Name")};
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  ASSERT_NE(header, nullptr);
  SetWindowLongW(header, GWL_STYLE, GetWindowLongW(header, GWL_STYLE) | HDS_BUTTONS);
  const LONG with_buttons = GetWindowLongW(header, GWL_STYLE);
  long result = 0;
  ASSERT_EQ(property_->SetFlatHeader(win::LongOf(list), &result), S_OK);
  EXPECT_EQ(result, with_buttons) << "the previous style";
  EXPECT_EQ(GetWindowLongW(header, GWL_STYLE), with_buttons & ~HDS_BUTTONS);
  ASSERT_EQ(property_->SetFlatHeader(win::LongOf(list), &result), S_OK);
  EXPECT_EQ(GetWindowLongW(header, GWL_STYLE), with_buttons & ~HDS_BUTTONS) << "rewritten unchanged";
}

// ---- IsLoaded

// A forms collection as a caller passes it: Count and items by index from 0 (its default
// member), each with a Name; `names` nullptr for an item without one.
ComPtr<PropertyObject> Forms(std::vector<const wchar_t*> names) {
  auto items = std::make_shared<std::vector<ComPtr<PropertyObject>>>();
  for (const wchar_t* name : names) {
    ComPtr<PropertyObject> form = PropertyObject::Make();
    if (name) form->Set(L"Name", Variant(String(name, name + wcslen(name))));
    else form->Set(L"Caption", Variant(u"no name"));
    items->push_back(form);
  }
  ComPtr<PropertyObject> forms = PropertyObject::Make();
  forms->Set(L"Count", Variant(static_cast<Long>(items->size())));
  forms->AddMethod(L"Item", [items](const std::vector<Variant>& args) {
    return Variant(static_cast<IDispatch*>((*items)[args.at(0).ToLong()].Get()));
  });
  forms->SetDefault(L"Item");
  return forms;
}

TEST_F(PropertyWindows, IsLoadedFindsAFormByItsExactName) {
  const struct {
    std::vector<const wchar_t*> names;
    const wchar_t* wanted;
    VARIANT_BOOL loaded;
  } cases[] = {
      {{L"frmMain", L"frmOrders"}, L"frmOrders", VARIANT_TRUE},
      {{L"frmMain", L"frmOrders"}, L"frmorders", VARIANT_FALSE},
      {{}, L"frmMain", VARIANT_FALSE},
  };
  for (const auto& c : cases) {
    ComPtr<PropertyObject> forms = Forms(c.names);
    VARIANT frms;
    V_VT(&frms) = VT_DISPATCH;
    V_DISPATCH(&frms) = forms.Get();
    VARIANT_BOOL loaded = 7;
    ASSERT_EQ(property_->IsLoaded(&frms, OwnedBstr(c.wanted).get(), &loaded), S_OK);
    EXPECT_EQ(loaded, c.loaded) << c.wanted;
    EXPECT_EQ(V_DISPATCH(&frms), forms.Get()) << "the collection stays the caller's";
  }
}

TEST_F(PropertyWindows, AnItemWithoutANameIsLoggedUnderIsLoaded) {
  ComPtr<PropertyObject> forms = Forms({L"frmMain", nullptr, L"frmOrders"});
  VARIANT frms;
  V_VT(&frms) = VT_DISPATCH;
  V_DISPATCH(&frms) = forms.Get();
  ExpectLogged("IsLoaded", [&] {
    VARIANT_BOOL loaded = 7;
    ASSERT_EQ(property_->IsLoaded(&frms, OwnedBstr(L"frmOrders").get(), &loaded), S_OK);
    EXPECT_EQ(loaded, VARIANT_FALSE);
  });
}

}  // namespace
}  // namespace brixen::test

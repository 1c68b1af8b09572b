// clsToolTip through its slots on a real top-level window, read back from the tooltip control
// itself (its tools, texts, delays, margins and where its tip stands), with a spy in front of the
// control's window procedure for what only the messages show: the tool record's size, the flag
// values and the packed parameters. Members before Create, the tracking range error, and a few
// calls late bound by name.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "com_fixture.h"
#include "frame/win/handle_values.h"
#include "test_windows.h"

namespace brixen::test {
namespace {

constexpr HRESULT kOverflow = MAKE_HRESULT(1, FACILITY_CONTROL, 6);
constexpr int kOwnerLeft = 200, kOwnerTop = 150, kOwnerWidth = 300, kOwnerHeight = 200;

UINT_PTR ToolIdOf(long key) { return static_cast<UINT_PTR>(static_cast<LONG_PTR>(key)); }

// Lets this thread's window messages run (the control's timers among them) for `ms`, or until
// `done` holds.
bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    if (done()) return true;
    if (GetTickCount() - start >= ms) return false;
    Sleep(5);
  }
}
void Pump(DWORD ms) { PumpUntil([] { return false; }, ms); }

// A visible top-level window of a class of its own: unlike a static control it takes the mouse
// (a static control is transparent to hit tests), as a caller's form does.
class OwnerWindow {
 public:
  OwnerWindow() {
    static const ATOM kClass = RegisterTestWindowClass(L"BrixenToolTipOwner", DefWindowProcW, COLOR_WINDOW);
    window_ = CreateWindowExW(WS_EX_TOPMOST, MAKEINTATOM(kClass), L"", WS_POPUP | WS_VISIBLE, kOwnerLeft, kOwnerTop,
                              kOwnerWidth, kOwnerHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(window_);
  }
  ~OwnerWindow() { DestroyWindow(window_); }
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  HWND get() const { return window_; }
  long value() const { return win::LongOf(window_); }

 private:
  HWND window_;
};

// The tooltip windows owned by a window, in the order the platform lists them.
std::vector<HWND> TooltipWindowsOf(HWND owner) {
  std::vector<HWND> found;
  for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, TOOLTIPS_CLASSA, nullptr));) {
    if (GetWindow(window, GW_OWNER) == owner) found.push_back(window);
  }
  return found;
}

// A tool as the control keeps it, asked by the test.
struct ControlTool {
  bool found = false;
  TTTOOLINFOA record{};
  std::string text;
};

ControlTool AskControl(HWND tip, HWND owner, long key) {
  ControlTool tool;
  tool.record.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.record.hwnd = owner;
  tool.record.uId = ToolIdOf(key);
  tool.found = SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool.record)) != 0;
  char text[256] = {};
  TTTOOLINFOA query = tool.record;
  query.lpszText = text;
  SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&query));
  tool.text = text;
  return tool;
}

std::string Ansi(const std::wstring& text) {
  std::string bytes(text.size() * 2 + 1, '\0');
  const int length = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(),
                                         static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(length);
  return bytes;
}

// Records every tooltip message the control receives, with the size field of the tool record
// that the record-carrying messages point to.
class MessageSpy {
 public:
  struct Message {
    UINT id;
    WPARAM wParam;
    LPARAM lParam;
    UINT recordSize;  // 0 for a message without a tool record
  };

  explicit MessageSpy(HWND tip) : tip_(tip) { SetWindowSubclass(tip_, &Spy, 1, reinterpret_cast<DWORD_PTR>(this)); }
  ~MessageSpy() { RemoveWindowSubclass(tip_, &Spy, 1); }
  MessageSpy(const MessageSpy&) = delete;
  MessageSpy& operator=(const MessageSpy&) = delete;

  std::vector<Message> Take() { return std::exchange(messages_, {}); }

 private:
  static bool CarriesRecord(UINT id) {
    switch (id) {
      case TTM_ADDTOOLA: case TTM_DELTOOLA: case TTM_NEWTOOLRECTA: case TTM_GETTOOLINFOA: case TTM_SETTOOLINFOA:
      case TTM_TRACKACTIVATE:
        return true;
      default:
        return false;
    }
  }
  static LRESULT CALLBACK Spy(HWND window, UINT id, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    if (id > WM_USER && id < WM_USER + 0x40) {
      const UINT size = CarriesRecord(id) && lParam ? reinterpret_cast<const TTTOOLINFOA*>(lParam)->cbSize : 0;
      reinterpret_cast<MessageSpy*>(self)->messages_.push_back({id, wParam, lParam, size});
    }
    return DefSubclassProc(window, id, wParam, lParam);
  }

  HWND tip_;
  std::vector<Message> messages_;
};

class ToolTip : public testing::Test {
 protected:
  void CreateTip() {
    VARIANT_BOOL created = VARIANT_FALSE;
    ASSERT_EQ(tip_->Create(owner_.value(), &created), S_OK);
    ASSERT_EQ(created, VARIANT_TRUE);
    const std::vector<HWND> windows = TooltipWindowsOf(owner_.get());
    ASSERT_EQ(windows.size(), 1u);
    tipWindow_ = windows[0];
  }
  VARIANT_BOOL Add(long key, const std::wstring& text, long left = 0, long top = 0, long right = 0, long bottom = 0) {
    VARIANT_BOOL added = VARIANT_FALSE;
    EXPECT_EQ(tip_->Add(key, OwnedBstr(text).get(), left, top, right, bottom, &added), S_OK);
    return added;
  }
  long Count() {
    long count = -1;
    EXPECT_EQ(tip_->get_ToolCount(&count), S_OK);
    return count;
  }
  RECT BoundingRect(long key) {
    long sides[4] = {-1, -1, -1, -1};
    for (long side = eTIMarginLeft; side <= eTIMarginBottom; ++side) {
      EXPECT_EQ(tip_->GetBoundingRect(key, static_cast<ENUM_TIRECT>(side), &sides[side - 1]), S_OK);
    }
    return {sides[0], sides[1], sides[2], sides[3]};
  }
  ControlTool Tool(long key) { return AskControl(tipWindow_, owner_.get(), key); }
  bool TipShown() const { return IsWindowVisible(tipWindow_) != FALSE; }

  OwnerWindow owner_;
  ComPtr<_clsToolTip> tip_ = Create<_clsToolTip>(CLSID_clsToolTip);
  HWND tipWindow_ = nullptr;
};

void ExpectRect(const RECT& actual, const RECT& expected) {
  EXPECT_EQ(actual.left, expected.left);
  EXPECT_EQ(actual.top, expected.top);
  EXPECT_EQ(actual.right, expected.right);
  EXPECT_EQ(actual.bottom, expected.bottom);
}

// ---- before Create: the messages reach no window

using Getter = HRESULT (STDMETHODCALLTYPE _clsToolTip::*)(long*);

TEST_F(ToolTip, MembersBeforeCreateGiveZeroOrFalse) {
  const struct {
    const char* name;
    Getter get;
  } getters[] = {{"ToolCount", &_clsToolTip::get_ToolCount},     {"BackColor", &_clsToolTip::get_BackColor},
                 {"ForeColor", &_clsToolTip::get_ForeColor},     {"InitialTime", &_clsToolTip::get_InitialTime},
                 {"AutoPopTime", &_clsToolTip::get_AutoPopTime}, {"ReShowTime", &_clsToolTip::get_ReShowTime},
                 {"MaxWidth", &_clsToolTip::get_MaxWidth}};
  EXPECT_EQ(tip_->put_BackColor(RGB(1, 2, 3)), S_OK);
  EXPECT_EQ(tip_->put_InitialTime(700), S_OK);
  EXPECT_EQ(tip_->put_MaxWidth(99), S_OK);
  EXPECT_EQ(Add(1, L"no window yet"), VARIANT_FALSE);
  EXPECT_EQ(tip_->ToolTrackPosition(10, 20), S_OK);
  for (const auto& getter : getters) {
    long value = -1;
    EXPECT_EQ((tip_.Get()->*getter.get)(&value), S_OK) << getter.name;
    EXPECT_EQ(value, 0) << getter.name;
  }
  tip_->SetMargin(1, 2, 3, 4);
  long side = -1;
  EXPECT_EQ(tip_->GetMargin(eTIMarginLeft, &side), S_OK);
  EXPECT_EQ(side, 0);
  ExpectRect(BoundingRect(1), {0, 0, 0, 0});
  EXPECT_TRUE(TooltipWindowsOf(owner_.get()).empty());
}

// ---- Create

TEST_F(ToolTip, CreateMakesAnAlwaysTipWindowOfTheLibraryOwnedByTheWindow) {
  CreateTip();
  EXPECT_TRUE(GetWindowLongW(tipWindow_, GWL_STYLE) & TTS_ALWAYSTIP);
  EXPECT_EQ(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(tipWindow_, GWLP_HINSTANCE)), GetModuleHandleW(L"QUENTA01.DLL"));
  EXPECT_EQ(Count(), 0);
}

TEST_F(ToolTip, ASecondCreateTakesANewWindowAndLeavesTheFirstWithItsTools) {
  CreateTip();
  ASSERT_EQ(Add(1, L"first"), VARIANT_TRUE);
  VARIANT_BOOL created = VARIANT_FALSE;
  ASSERT_EQ(tip_->Create(owner_.value(), &created), S_OK);
  EXPECT_EQ(created, VARIANT_TRUE);
  EXPECT_EQ(TooltipWindowsOf(owner_.get()).size(), 2u);
  EXPECT_EQ(Count(), 0) << "the new window has no tools";
  EXPECT_EQ(SendMessageA(tipWindow_, TTM_GETTOOLCOUNT, 0, 0), 1) << "the first window keeps its tool";
}

TEST_F(ToolTip, AFailedCreateGivesFalseAndLetsGoOfTheWindowHeld) {
  CreateTip();
  ASSERT_EQ(Add(1, L"kept by the control"), VARIANT_TRUE);
  HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  VARIANT_BOOL created = VARIANT_TRUE;
  ASSERT_EQ(tip_->Create(win::LongOf(gone), &created), S_OK);
  EXPECT_EQ(created, VARIANT_FALSE);
  EXPECT_EQ(Count(), 0) << "no tooltip window is held any more";
  EXPECT_EQ(Add(2, L"nowhere"), VARIANT_FALSE);
  EXPECT_TRUE(Tool(1).found) << "the earlier window stays with its owner";
}

// ---- tools: count, record, rectangle, text

TEST_F(ToolTip, ToolCountFollowsAddsAndRemovesByKey) {
  CreateTip();
  EXPECT_EQ(Add(1, L"one"), VARIANT_TRUE);
  EXPECT_EQ(Add(-7, L"a negative key"), VARIANT_TRUE);
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(tip_->Remove(1), S_OK);
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(tip_->Remove(42), S_OK);
  EXPECT_EQ(Count(), 1) << "an unknown key removes nothing";
  EXPECT_EQ(BoundingRect(-7).right, kOwnerWidth) << "the negative key finds its tool";
  EXPECT_EQ(Add(-7, L"the same key again"), VARIANT_TRUE);
  EXPECT_EQ(Count(), 2) << "a key in use is not checked";
  tip_->Remove(-7);
  tip_->Remove(-7);
  EXPECT_EQ(Count(), 0);
}

TEST_F(ToolTip, AddRegistersASubclassingAbsoluteToolOfTheLibraryWithItsText) {
  CreateTip();
  ASSERT_EQ(Add(5, L"Save the record"), VARIANT_TRUE);
  const ControlTool tool = Tool(5);
  ASSERT_TRUE(tool.found);
  EXPECT_EQ(tool.record.uFlags, static_cast<UINT>(TTF_SUBCLASS | TTF_ABSOLUTE));
  EXPECT_EQ(tool.record.hinst, GetModuleHandleW(L"QUENTA01.DLL"));
  EXPECT_EQ(tool.text, "Save the record");
  EXPECT_EQ(Add(6, L""), VARIANT_TRUE);
  EXPECT_EQ(Tool(6).text, "");
}

struct RectCase {
  const char* name;
  RECT given;
  RECT expected;
};

class ToolTipRectangles : public ToolTip, public testing::WithParamInterface<RectCase> {};

TEST_P(ToolTipRectangles, AddKeepsTheRectangleUnlessAllFourAreZero) {
  CreateTip();
  const RECT& r = GetParam().given;
  ASSERT_EQ(Add(3, L"area", r.left, r.top, r.right, r.bottom), VARIANT_TRUE);
  ExpectRect(BoundingRect(3), GetParam().expected);
  ExpectRect(Tool(3).record.rect, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ToolTipRectangles,
                         testing::Values(RectCase{"AllZeroIsTheClientArea", {0, 0, 0, 0}, {0, 0, kOwnerWidth, kOwnerHeight}},
                                         RectCase{"OneSideNotZeroIsKept", {0, 0, 0, 5}, {0, 0, 0, 5}},
                                         RectCase{"ARectangle", {10, 20, 110, 60}, {10, 20, 110, 60}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ToolTip, SetBoundingRectMovesOnlyThatTool) {
  CreateTip();
  ASSERT_EQ(Add(1, L"moved"), VARIANT_TRUE);
  ASSERT_EQ(Add(2, L"stays", 1, 2, 3, 4), VARIANT_TRUE);
  ASSERT_EQ(tip_->SetBoundingRect(1, 15, 25, 150, 90), S_OK);
  ExpectRect(BoundingRect(1), {15, 25, 150, 90});
  ExpectRect(BoundingRect(2), {1, 2, 3, 4});
  EXPECT_EQ(Tool(1).text, "moved");
}

TEST_F(ToolTip, GetBoundingRectGivesZeroForAnotherSideOrAnUnknownKey) {
  CreateTip();
  ASSERT_EQ(Add(1, L"tool", 10, 20, 30, 40), VARIANT_TRUE);
  for (long which : {0L, 5L, -1L}) {
    long side = -1;
    EXPECT_EQ(tip_->GetBoundingRect(1, static_cast<ENUM_TIRECT>(which), &side), S_OK);
    EXPECT_EQ(side, 0) << "side " << which;
  }
  ExpectRect(BoundingRect(99), {0, 0, 0, 0});
}

TEST_F(ToolTip, ToolTextChangesTheTextAndKeepsFlagsAndRectangle) {
  CreateTip();
  ASSERT_EQ(Add(4, L"Before", 10, 20, 110, 60), VARIANT_TRUE);
  ASSERT_EQ(Add(8, L"Other"), VARIANT_TRUE);
  ASSERT_EQ(tip_->put_ToolText(4, OwnedBstr(L"After the change").get()), S_OK);
  const ControlTool tool = Tool(4);
  EXPECT_EQ(tool.text, "After the change");
  EXPECT_EQ(tool.record.uFlags, static_cast<UINT>(TTF_SUBCLASS | TTF_ABSOLUTE));
  ExpectRect(tool.record.rect, {10, 20, 110, 60});
  EXPECT_EQ(Tool(8).text, "Other");
  ASSERT_EQ(tip_->put_ToolText(77, OwnedBstr(L"nobody").get()), S_OK);
  EXPECT_EQ(Count(), 2) << "an unknown key adds no tool";
}

// The texts reach the control in the system's ANSI code page (two bytes a character in 932).
TEST_F(ToolTip, TextsInTheAnsiCodePageBilingual) {
  CreateTip();
  const std::wstring help = L"\x30D8\x30EB\x30D7 (F1)", save = L"\x4FDD\x5B58";
  ASSERT_EQ(Add(1, help), VARIANT_TRUE);
  EXPECT_EQ(Tool(1).text, Ansi(help));
  ASSERT_EQ(tip_->put_ToolText(1, OwnedBstr(save).get()), S_OK);
  EXPECT_EQ(Tool(1).text, Ansi(save));
  if (GetACP() == 932) {
    EXPECT_EQ(Tool(1).text, "\x95\xDB\x91\xB6");
  }
}

// ---- look and timing

TEST_F(ToolTip, MarginsSideBySide) {
  CreateTip();
  ASSERT_EQ(tip_->SetMargin(1, 2, 3, 4), S_OK);
  for (long which = 0; which <= 5; ++which) {
    long side = -1;
    EXPECT_EQ(tip_->GetMargin(static_cast<ENUM_TIRECT>(which), &side), S_OK);
    EXPECT_EQ(side, which >= 1 && which <= 4 ? which : 0) << "side " << which;
  }
}

TEST_F(ToolTip, ColoursReadBack) {
  CreateTip();
  ASSERT_EQ(tip_->put_BackColor(RGB(255, 255, 200)), S_OK);
  ASSERT_EQ(tip_->put_ForeColor(RGB(0, 0, 128)), S_OK);
  long back = 0, fore = 0;
  EXPECT_EQ(tip_->get_BackColor(&back), S_OK);
  EXPECT_EQ(tip_->get_ForeColor(&fore), S_OK);
  EXPECT_EQ(back, static_cast<long>(RGB(255, 255, 200)));
  EXPECT_EQ(fore, static_cast<long>(RGB(0, 0, 128)));
}

// Each delay reaches the control under its own index, read back by the class and by the test.
TEST_F(ToolTip, TheThreeDelays) {
  CreateTip();
  const struct {
    const char* name;
    HRESULT (STDMETHODCALLTYPE _clsToolTip::*let)(long);
    Getter get;
    WPARAM index;
    long value;
  } delays[] = {{"InitialTime", &_clsToolTip::put_InitialTime, &_clsToolTip::get_InitialTime, TTDT_INITIAL, 650},
                {"AutoPopTime", &_clsToolTip::put_AutoPopTime, &_clsToolTip::get_AutoPopTime, TTDT_AUTOPOP, 9000},
                {"ReShowTime", &_clsToolTip::put_ReShowTime, &_clsToolTip::get_ReShowTime, TTDT_RESHOW, 120}};
  for (const auto& delay : delays) ASSERT_EQ((tip_.Get()->*delay.let)(delay.value), S_OK) << delay.name;
  for (const auto& delay : delays) {
    long value = -1;
    EXPECT_EQ((tip_.Get()->*delay.get)(&value), S_OK) << delay.name;
    EXPECT_EQ(value, delay.value) << delay.name;
    EXPECT_EQ(SendMessageA(tipWindow_, TTM_GETDELAYTIME, delay.index, 0), delay.value) << delay.name;
  }
}

TEST_F(ToolTip, MaxWidthReadsBackAndMinusOneIsNoLimit) {
  CreateTip();
  for (long width : {150L, -1L}) {
    ASSERT_EQ(tip_->put_MaxWidth(width), S_OK);
    long value = 0;
    EXPECT_EQ(tip_->get_MaxWidth(&value), S_OK);
    EXPECT_EQ(value, width);
  }
}

// ---- showing: activation and tracking

class ShownToolTip : public ToolTip {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(CreateTip());
    ASSERT_EQ(Add(1, L"Shown tip"), VARIANT_TRUE);
  }
  // Puts the mouse over the owner's middle and lets the owner see it move there.
  void Hover() {
    const POINT middle{kOwnerLeft + kOwnerWidth / 2, kOwnerTop + kOwnerHeight / 2};
    SetCursorPos(middle.x, middle.y);
    ASSERT_TRUE(PumpUntil(
        [&] {
          POINT at{};
          GetCursorPos(&at);
          return at.x == middle.x && at.y == middle.y;
        },
        3000))
        << "the mouse did not reach the window";
    SendMessageW(owner_.get(), WM_MOUSEMOVE, 0, MAKELPARAM(kOwnerWidth / 2, kOwnerHeight / 2));
  }
  // Tracking at a position applies to tools with TTF_TRACK, which the caller sets on its tool.
  void MakeTrackingTool(long key) {
    ControlTool tool = Tool(key);
    tool.record.uFlags |= TTF_TRACK;
    tool.record.lpszText = tool.text.data();
    SendMessageA(tipWindow_, TTM_SETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool.record));
  }
  POINT TipClientOrigin() const {
    POINT origin{0, 0};
    ClientToScreen(tipWindow_, &origin);
    return origin;
  }
};

TEST_F(ShownToolTip, ActivateDecidesWhetherHoveringShowsTheTip) {
  ASSERT_EQ(tip_->put_InitialTime(10), S_OK);
  ASSERT_EQ(tip_->put_Activate(VARIANT_FALSE), S_OK);
  ASSERT_NO_FATAL_FAILURE(Hover());
  EXPECT_FALSE(PumpUntil([&] { return TipShown(); }, 600)) << "shown while inactive";
  ASSERT_EQ(tip_->put_Activate(VARIANT_TRUE), S_OK);
  ASSERT_NO_FATAL_FAILURE(Hover());
  EXPECT_TRUE(PumpUntil([&] { return TipShown(); }, 3000)) << "not shown once active";
  ASSERT_EQ(tip_->put_Activate(VARIANT_FALSE), S_OK);
  EXPECT_FALSE(TipShown()) << "deactivating hides the tip";
}

TEST_F(ShownToolTip, ATrackedTipStandsAtThePackedPosition) {
  MakeTrackingTool(1);
  ASSERT_EQ(tip_->ToolTrackPosition(10, 20), S_OK);
  ASSERT_EQ(tip_->put_ToolTrack(1, VARIANT_TRUE), S_OK);
  ASSERT_TRUE(PumpUntil([&] { return TipShown(); }, 3000));
  EXPECT_EQ(TipClientOrigin().x, 10);
  EXPECT_EQ(TipClientOrigin().y, 20);
  ASSERT_EQ(tip_->ToolTrackPosition(420, 310), S_OK);
  Pump(50);
  EXPECT_EQ(TipClientOrigin().x, 420);
  EXPECT_EQ(TipClientOrigin().y, 310);
  ASSERT_EQ(tip_->put_ToolTrack(1, VARIANT_FALSE), S_OK);
  EXPECT_FALSE(PumpUntil([&] { return TipShown(); }, 100));
}

// ---- what only the messages show

TEST_F(ShownToolTip, MessagesCarryTheToolRecordSizeOneForTrueAndThePackedValues) {
  MessageSpy spy(tipWindow_);
  ASSERT_EQ(Add(2, L"spied"), VARIANT_TRUE);
  tip_->SetBoundingRect(2, 1, 2, 3, 4);
  long side = 0;
  tip_->GetBoundingRect(2, eTIMarginLeft, &side);
  tip_->put_ToolText(2, OwnedBstr(L"new").get());
  tip_->put_ToolTrack(2, VARIANT_TRUE);
  tip_->put_ToolTrack(2, VARIANT_FALSE);
  tip_->Remove(2);
  // The platform's record up to lParam: 44 bytes in a 32-bit process, 64 in a 64-bit one.
  const UINT recordSize = sizeof(void*) == 4 ? 44 : 64;
  const std::vector<UINT> toolMessages = {TTM_ADDTOOLA,     TTM_NEWTOOLRECTA,   TTM_GETTOOLINFOA,   TTM_GETTOOLINFOA,
                                          TTM_SETTOOLINFOA, TTM_TRACKACTIVATE, TTM_TRACKACTIVATE, TTM_DELTOOLA};
  std::vector<MessageSpy::Message> sent = spy.Take();
  ASSERT_EQ(sent.size(), toolMessages.size());
  for (size_t i = 0; i < sent.size(); ++i) {
    EXPECT_EQ(sent[i].id, toolMessages[i]) << i;
    EXPECT_EQ(sent[i].recordSize, recordSize) << i;
  }
  EXPECT_EQ(sent[5].wParam, 1u) << "tracking on";
  EXPECT_EQ(sent[6].wParam, 0u) << "tracking off";

  tip_->put_Activate(VARIANT_TRUE);
  tip_->put_InitialTime(500);
  tip_->ToolTrackPosition(10, 20);
  sent = spy.Take();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0].id, static_cast<UINT>(TTM_ACTIVATE));
  EXPECT_EQ(sent[0].wParam, 1u) << "True is sent as 1";
  EXPECT_EQ(sent[1].id, static_cast<UINT>(TTM_SETDELAYTIME));
  EXPECT_EQ(sent[1].wParam, static_cast<WPARAM>(TTDT_INITIAL));
  EXPECT_EQ(sent[1].lParam, 500);
  EXPECT_EQ(sent[2].id, static_cast<UINT>(TTM_TRACKPOSITION));
  EXPECT_EQ(sent[2].lParam, 1310730) << "20 * 65536 + 10";
}

// ---- the packing's range

struct TrackCase {
  long x, y;
  HRESULT expected;
};

TEST_F(ToolTip, TrackPositionsBeyondTheSigned32BitRangeAreAnOverflow) {
  CreateTip();
  const TrackCase cases[] = {{0, 98303, S_OK},     {0, 98304, kOverflow}, {0, -32768, S_OK},
                             {0, -32769, kOverflow}, {65535, 32767, S_OK},  {-1, -32768, kOverflow}};
  for (const TrackCase& c : cases) {
    EXPECT_EQ(tip_->ToolTrackPosition(c.x, c.y), c.expected) << c.x << ", " << c.y;
  }
  EXPECT_EQ(tip_->put_InitialTime(-1), S_OK) << "a delay's high part is 0: no overflow";
}

// ---- late bound

TEST_F(ToolTip, LateBoundAddTakesTheDefaultsAndTheRangeErrorReachesTheCaller) {
  ComPtr<IDispatch> tip = CreateByProgId(L"BRIXEN.clsToolTip");
  Call created, added, right, track;
  InvokeByName(tip.Get(), L"Create", DISPATCH_METHOD, {LongArg(owner_.value())}, created);
  ASSERT_EQ(created.hr, S_OK);
  EXPECT_EQ(V_BOOL(&created.result), VARIANT_TRUE);
  InvokeByName(tip.Get(), L"Add", DISPATCH_METHOD, {LongArg(9)}, added);
  ASSERT_EQ(added.hr, S_OK);
  EXPECT_EQ(V_BOOL(&added.result), VARIANT_TRUE);
  InvokeByName(tip.Get(), L"GetBoundingRect", DISPATCH_METHOD, {LongArg(9), LongArg(eTIMarginBottom)}, right);
  ASSERT_EQ(right.hr, S_OK);
  EXPECT_EQ(V_I4(&right.result), kOwnerHeight) << "no rectangle given: the client area";
  InvokeByName(tip.Get(), L"ToolTrackPosition", DISPATCH_METHOD, {LongArg(0), LongArg(98304)}, track);
  EXPECT_EQ(track.ErrorNumber(), 6);
}

}  // namespace
}  // namespace brixen::test

// clsMethod's input, cursor and placement members on real windows and controls: Enter sent on
// as a Tab that moves the focus, the edit rectangle read back, a combo box's list sized, widened
// and opened, a text box's selection by the way the focus came, the cursor confined, freed and
// centred, and a form moved to the screen's centre.
#include <windows.h>

#include <string>

#include "com_fixture.h"
#include "frame/win/handle_values.h"
#include "property_object.h"

namespace brixen::test {
namespace {

// A dialog-like window: two edit controls and a message loop that gives Tab its meaning.
class TwoEdits {
 public:
  TwoEdits()
      : window_(CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"BRIXEN input test", WS_POPUP | WS_VISIBLE | WS_CAPTION, 100,
                                100, 300, 120, nullptr, nullptr, nullptr, nullptr)),
        first_(Edit(10)),
        second_(Edit(50)) {
    SetForegroundWindow(window_);
    SetFocus(first_);
    Pump(50);
  }
  ~TwoEdits() { DestroyWindow(window_); }
  TwoEdits(const TwoEdits&) = delete;
  TwoEdits& operator=(const TwoEdits&) = delete;

  HWND first() const { return first_; }
  HWND second() const { return second_; }
  // Runs the window's messages, as a form's loop does, until `done` or the time is up.
  template <class Done>
  bool PumpUntil(Done&& done, DWORD milliseconds = 2000) {
    const DWORD start = GetTickCount();
    while (!done()) {
      if (GetTickCount() - start > milliseconds) return false;
      Pump(10);
    }
    return true;
  }
  void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageW(window_, &message)) {
          TranslateMessage(&message);
          DispatchMessageW(&message);
        }
      }
      Sleep(1);
    } while (GetTickCount() - start < milliseconds);
  }

 private:
  HWND Edit(int y) {
    return CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 10, y, 200, 24, window_,
                           nullptr, nullptr, nullptr);
  }
  HWND window_, first_, second_;
};

class MethodInput : public testing::Test {
 protected:
  ComPtr<_clsMethod> method_ = Create<_clsMethod>(CLSID_clsMethod);
};

TEST_F(MethodInput, EnterBecomesATabThatMovesTheFocus) {
  TwoEdits edits;
  ASSERT_EQ(GetFocus(), edits.first());
  short key = 13;
  ASSERT_EQ(method_->SendTab(&key), S_OK);
  EXPECT_EQ(key, 0) << "the Enter key is swallowed";
  EXPECT_TRUE(edits.PumpUntil([&] { return GetFocus() == edits.second(); })) << "the focus moved on";
}

TEST_F(MethodInput, AScriptVariableHoldingEnterComesBackZero) {
  TwoEdits edits;
  VARIANT key;
  V_VT(&key) = VT_I4;
  V_I4(&key) = 13;
  VARIANT reference;
  V_VT(&reference) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&reference) = &key;
  Call call;
  InvokeByName(method_.Get(), L"SendTab", DISPATCH_METHOD, {reference}, call);
  ASSERT_EQ(call.hr, S_OK);
  EXPECT_EQ(V_VT(&key), VT_I2);
  EXPECT_EQ(V_I2(&key), 0);
  EXPECT_TRUE(edits.PumpUntil([&] { return GetFocus() == edits.second(); }));
}

TEST_F(MethodInput, OtherKeysSendNothing) {
  TwoEdits edits;
  for (short original : {short{9}, short{65}}) {
    short key = original;
    ASSERT_EQ(method_->SendTab(&key), S_OK);
    EXPECT_EQ(key, original);
  }
  edits.Pump(200);
  EXPECT_EQ(GetFocus(), edits.first());
  EXPECT_EQ(GetWindowTextLengthW(edits.first()), 0) << "no key reached the edit control";
}

// A multi-line edit control of 200 x 100 client pixels that records the rectangle of the last
// EM_SETRECT it is sent (the control itself then fits the rectangle to whole lines).
class EditControl {
 public:
  EditControl()
      : parent_(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr)),
        edit_(CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 200, 100, parent_, nullptr,
                              nullptr, nullptr)) {
    original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Watch)));
  }
  ~EditControl() { DestroyWindow(parent_); }
  EditControl(const EditControl&) = delete;
  EditControl& operator=(const EditControl&) = delete;
  long value() const { return win::LongOf(edit_); }
  static RECT Sent() { return sent_; }

 private:
  static LRESULT CALLBACK Watch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == EM_SETRECT) sent_ = *reinterpret_cast<const RECT*>(lParam);
    return CallWindowProcW(original_, window, message, wParam, lParam);
  }
  static inline WNDPROC original_ = nullptr;
  static inline RECT sent_{};
  HWND parent_, edit_;
};

void ExpectRect(const RECT& rect, LONG left, LONG top, LONG right, LONG bottom) {
  EXPECT_EQ(rect.left, left);
  EXPECT_EQ(rect.top, top);
  EXPECT_EQ(rect.right, right);
  EXPECT_EQ(rect.bottom, bottom);
}

TEST_F(MethodInput, TheEditRectangleKeepsEqualMarginsOrTakesTheGivenOne) {
  EditControl edit;
  ASSERT_EQ(method_->SetTextRect(edit.value(), 4, 2, 0, 0), S_OK);
  ExpectRect(EditControl::Sent(), 4, 2, 196, 98);

  Call call;  // late bound, the optional right and bottom left out
  InvokeByName(method_.Get(), L"SetTextRect", DISPATCH_METHOD, {LongArg(edit.value()), LongArg(6), LongArg(3)}, call);
  ASSERT_EQ(call.hr, S_OK);
  ExpectRect(EditControl::Sent(), 6, 3, 194, 97);

  ASSERT_EQ(method_->SetTextRect(edit.value(), 4, 2, 150, 0), S_OK);
  ExpectRect(EditControl::Sent(), 4, 2, 150, 0);
}

HWND DropDownCombo(HWND parent) {
  const HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_NOINTEGRALHEIGHT, 10,
                                     20, 150, 100, parent, nullptr, nullptr, nullptr);
  for (int i = 0; i < 30; ++i) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
  return combo;
}

// The list's height is the height given to the combo box window: the same as the platform's
// own MoveWindow to (10, 20) with the control's Width gives a twin.
TEST_F(MethodInput, ComboListHeightWidthAndOpening) {
  const HWND parent =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400, nullptr, nullptr, nullptr, nullptr);
  const HWND combo = DropDownCombo(parent), twin = DropDownCombo(parent);
  ComPtr<PropertyObject> control = PropertyObject::Make();
  control->Set(L"hwnd", Variant(Long{win::LongOf(combo)})).Set(L"Width", Variant(Single{170.4f}));

  ASSERT_EQ(method_->SetComboListHeight(control.Get(), 250), S_OK);
  MoveWindow(twin, 10, 20, 170, 250, TRUE);
  ASSERT_EQ(method_->SetComboListWidth(control.Get(), 260), S_OK);
  EXPECT_EQ(SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0), 260);
  ASSERT_EQ(method_->msgOpenComboBox(win::LongOf(combo)), S_OK);
  EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) << "the list is open";
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);  // the open list holds the mouse
  RECT dropped{}, expected{};
  SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  SendMessageW(twin, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&expected));
  EXPECT_EQ(dropped.top, expected.top);
  EXPECT_EQ(dropped.bottom, expected.bottom) << "the list as long as the twin's";
  EXPECT_GT(dropped.bottom - dropped.top, 200) << "a long list, not the default one";
  DestroyWindow(parent);
}

// A text box as a form holds it: Text, SelStart and SelLength.
ComPtr<PropertyObject> TextBox() {
  ComPtr<PropertyObject> box = PropertyObject::Make();
  box->Set(L"Text", Variant(u"Brixen")).Set(L"SelStart", Variant(Long{3})).Set(L"SelLength", Variant(Long{2}));
  return box;
}

// Sets the thread's key state of one key (down or up), as the keyboard would.
void HoldKey(int key, bool down) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[key] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

TEST_F(MethodInput, TextSelectionByTheWayTheFocusCame) {
  const struct {
    const char* how;
    int key;  // held while the focus comes; 0 for none (a mouse click)
    long start, length;
  } cases[] = {{"Alt held", VK_MENU, 0, 6}, {"Tab held", VK_TAB, 0, 6}, {"a click", 0, 3, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    ComPtr<PropertyObject> box = TextBox();
    if (c.key) HoldKey(c.key, true);
    IDispatch* control = box.Get();
    ASSERT_EQ(method_->TextSelOp(&control), S_OK);
    if (c.key) HoldKey(c.key, false);
    EXPECT_EQ(box->Get(L"SelStart").ToLong(), c.start);
    EXPECT_EQ(box->Get(L"SelLength").ToLong(), c.length);
    EXPECT_EQ(control, box.Get());
  }
  ComPtr<PropertyObject> box = TextBox();
  IDispatch* control = box.Get();
  ASSERT_EQ(method_->TextSelOpABS(&control), S_OK);
  EXPECT_EQ(box->Get(L"SelStart").ToLong(), 0);
  EXPECT_EQ(box->Get(L"SelLength").ToLong(), 6);
}

TEST_F(MethodInput, ATextBoxWithoutThePropertiesEndsTheCallSilently) {
  ComPtr<PropertyObject> label = PropertyObject::Make();
  label->Set(L"Caption", Variant(u"no text box"));
  IDispatch* control = label.Get();
  EXPECT_EQ(method_->TextSelOp(&control), S_OK);
  EXPECT_EQ(method_->TextSelOpABS(&control), S_OK);
  IDispatch* nothing = nullptr;
  EXPECT_EQ(method_->TextSelOpABS(&nothing), S_OK);
}

// The cursor's confinement once it differs from `before`: Wine applies a new one when the
// calling thread next runs its messages.
void RunMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

RECT ClipOnceSettled(const RECT& before) {
  RECT clip{};
  for (int i = 0; i < 50; ++i) {
    RunMessages();
    GetClipCursor(&clip);
    if (!EqualRect(&clip, &before)) break;
    Sleep(10);
  }
  return clip;
}

TEST_F(MethodInput, TheCursorConfinedToTheClientAreaAndFreedAgain) {
  const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 120, 80, 300, 200, nullptr, nullptr,
                                      nullptr, nullptr);
  // The platform confines the cursor for the program in front: wait until this window is.
  for (int i = 0; i < 100 && GetForegroundWindow() != window; ++i) {
    SetForegroundWindow(window);
    RunMessages();
    Sleep(10);
  }
  RECT free_area{};
  GetClipCursor(&free_area);
  // Wine's desktop drops a confinement now and then when the foreground has just changed
  // (windows of earlier tests): the call is made again then, up to three times.
  RECT clip = free_area;
  for (int attempt = 0; attempt < 3 && EqualRect(&clip, &free_area); ++attempt) {
    ASSERT_EQ(method_->ClipCursor32(win::LongOf(window), 200, 100), S_OK);
    clip = ClipOnceSettled(free_area);
  }
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  EXPECT_EQ(clip.left, origin.x);
  EXPECT_EQ(clip.top, origin.y);
  EXPECT_EQ(clip.right, origin.x + 200);
  EXPECT_EQ(clip.bottom, origin.y + 100);
  ASSERT_EQ(method_->ReleaseCursor32(), S_OK);
  clip = ClipOnceSettled(clip);
  EXPECT_TRUE(EqualRect(&clip, &free_area)) << "the cursor is free again";
  DestroyWindow(window);
}

TEST_F(MethodInput, TheCursorGoes35PixelsBelowTheCentre) {
  const HDC screen = GetDC(nullptr);
  const int width = GetDeviceCaps(screen, HORZRES), height = GetDeviceCaps(screen, VERTRES);
  ASSERT_EQ(method_->PutCursorToCenter32(win::LongOf(screen)), S_OK);
  ReleaseDC(nullptr, screen);
  POINT cursor{};
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor.x, width / 2);
  EXPECT_EQ(cursor.y, height / 2 + 35);
}

TEST_F(MethodInput, AFormMovedToTheScreensCentreInTwips) {
  ComPtr<PropertyObject> form = PropertyObject::Make();
  form->Set(L"Width", Variant(Single{4801.0f})).Set(L"Height", Variant(Double{3600.4})).AddMethod(L"Move");
  VARIANT argument;
  V_VT(&argument) = VT_DISPATCH;
  V_DISPATCH(&argument) = form.Get();
  ASSERT_EQ(method_->PutFormAtCenter(argument), S_OK);
  ASSERT_EQ(form->Calls().size(), 1u);
  const auto& move = form->Calls()[0];
  ASSERT_EQ(move.args.size(), 2u);
  const HDC screen = GetDC(nullptr);
  const double twips_x = 1440 / GetDeviceCaps(screen, LOGPIXELSX), twips_y = 1440 / GetDeviceCaps(screen, LOGPIXELSY);
  const double screen_width = GetDeviceCaps(screen, HORZRES) * twips_x, screen_height = GetDeviceCaps(screen, VERTRES) * twips_y;
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(move.args[0].Type(), VT_R4);
  EXPECT_EQ(move.args[0].ToDouble(), static_cast<float>(screen_width / 2 - 4801.0 / 2));
  EXPECT_EQ(move.args[1].Type(), VT_R4);
  EXPECT_EQ(move.args[1].ToDouble(), static_cast<float>(screen_height / 2 - 3600.0 / 2)) << "the height rounded first";
}

}  // namespace
}  // namespace brixen::test

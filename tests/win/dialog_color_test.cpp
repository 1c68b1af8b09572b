// clsDialogColor on the platform's real colour dialog, driven from a thread of the test
// (tests/win/dialog_driver.h): the colour it starts on, a colour typed into its red, green and
// blue boxes and confirmed or cancelled, custom colours added in one dialog and offered by the
// next one of the same object, and the dialog's owner.
#include <windows.h>
#include <colordlg.h>
#include <commdlg.h>

#include <functional>

#include "com_fixture.h"
#include "dialog_driver.h"
#include "frame/win/handle_values.h"
#include "test_windows.h"

namespace brixen::test {
namespace {

constexpr long kStartOnInitial = CC_RGBINIT | CC_FULLOPEN;  // the red, green and blue boxes shown

// The colour the dialog shows in its red, green and blue boxes.
COLORREF ShownColor(HWND dialog) {
  return RGB(GetDlgItemInt(dialog, COLOR_RED, nullptr, FALSE), GetDlgItemInt(dialog, COLOR_GREEN, nullptr, FALSE),
             GetDlgItemInt(dialog, COLOR_BLUE, nullptr, FALSE));
}

void TypeColor(HWND dialog, COLORREF color) {
  SetDlgItemInt(dialog, COLOR_RED, GetRValue(color), FALSE);
  SetDlgItemInt(dialog, COLOR_GREEN, GetGValue(color), FALSE);
  SetDlgItemInt(dialog, COLOR_BLUE, GetBValue(color), FALSE);
}

// "Add to Custom Colors": the colour shown goes to the next custom colour box, the first one
// in a new dialog.
void AddToCustomColors(HWND dialog) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(COLOR_ADD, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, COLOR_ADD)));
}

// A click on the first of the sixteen custom colour boxes (eight across, two down) shows its
// colour.
COLORREF FirstCustomColor(HWND dialog) {
  const RECT boxes = WindowRect(GetDlgItem(dialog, COLOR_CUSTOM1));
  POINT first{boxes.left + (boxes.right - boxes.left) / 16, boxes.top + (boxes.bottom - boxes.top) / 4};
  ScreenToClient(dialog, &first);
  SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.x, first.y));
  SendMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(first.x, first.y));
  return ShownColor(dialog);
}

struct ColorDialogView {
  COLORREF shown = CLR_INVALID;  // when the dialog came
  COLORREF first_custom = CLR_INVALID;
  HWND owner = nullptr;
};

// Reads OpenColorDialog while the driver reads the dialog and answers it: `answer` gets the
// dialog after the colour it started on and its owner are read.
long OpenColorDialog(_clsDialogColor* object, ColorDialogView& seen, const std::function<void(HWND)>& answer) {
  DialogDriver driver([&](HWND dialog) {
    seen.shown = ShownColor(dialog);
    seen.owner = GetWindow(dialog, GW_OWNER);
    answer(dialog);
  });
  long result = -1;
  EXPECT_EQ(object->get_OpenColorDialog(&result), S_OK);
  driver.Finish();
  EXPECT_TRUE(driver.Acted());
  EXPECT_FALSE(driver.TimedOut()) << "the dialog was left standing";
  return result;
}

long ResultOf(_clsDialogColor* object) {
  long result = -1;
  EXPECT_EQ(object->get_Result(&result), S_OK);
  return result;
}

class DialogColor : public testing::Test {
 protected:
  ComPtr<_clsDialogColor> color_ = Create<_clsDialogColor>(CLSID_clsDialogColor);
};

TEST_F(DialogColor, ResultIsBlackThenTheInitialColorWithoutAnyDialog) {
  EXPECT_EQ(ResultOf(color_.Get()), 0);
  ASSERT_EQ(color_->put_InitialColor(255), S_OK);
  EXPECT_EQ(ResultOf(color_.Get()), 255);
}

TEST_F(DialogColor, StartsOnTheInitialColorAndGivesTheColorConfirmed) {
  const OwnerForm owner;
  ASSERT_EQ(color_->put_Flags(kStartOnInitial), S_OK);
  ASSERT_EQ(color_->put_InitialColor(RGB(10, 20, 30)), S_OK);
  ASSERT_EQ(color_->put_OwnerInstance(win::LongOf(owner.get()), 0), S_OK);
  ColorDialogView seen;
  const long confirmed = OpenColorDialog(color_.Get(), seen, [](HWND dialog) {
    TypeColor(dialog, RGB(200, 100, 50));
    Press(dialog, IDOK);
  });
  EXPECT_NE(confirmed, 0);
  EXPECT_EQ(seen.shown, RGB(10, 20, 30));
  EXPECT_EQ(seen.owner, owner.get());
  EXPECT_EQ(ResultOf(color_.Get()), RGB(200, 100, 50));
}

TEST_F(DialogColor, CancelKeepsTheResult) {
  ASSERT_EQ(color_->put_Flags(kStartOnInitial), S_OK);
  ASSERT_EQ(color_->put_InitialColor(RGB(1, 2, 3)), S_OK);
  ColorDialogView seen;
  const long confirmed = OpenColorDialog(color_.Get(), seen, [](HWND dialog) {
    TypeColor(dialog, RGB(90, 90, 90));
    Press(dialog, IDCANCEL);
  });
  EXPECT_EQ(confirmed, 0);
  EXPECT_EQ(ResultOf(color_.Get()), RGB(1, 2, 3));
}

TEST_F(DialogColor, CustomColorsComeBackInTheSameObjectsNextDialogOnly) {
  const COLORREF custom = RGB(12, 34, 56);
  ASSERT_EQ(color_->put_Flags(kStartOnInitial), S_OK);
  ColorDialogView seen;
  OpenColorDialog(color_.Get(), seen, [custom](HWND dialog) {
    TypeColor(dialog, custom);
    AddToCustomColors(dialog);
    Press(dialog, IDOK);
  });

  const auto first_custom = [&seen](HWND dialog) {
    seen.first_custom = FirstCustomColor(dialog);
    Press(dialog, IDCANCEL);
  };
  OpenColorDialog(color_.Get(), seen, first_custom);
  EXPECT_EQ(seen.first_custom, custom) << "the next dialog of the same object";

  const ComPtr<_clsDialogColor> other = Create<_clsDialogColor>(CLSID_clsDialogColor);
  ASSERT_EQ(other->put_Flags(kStartOnInitial), S_OK);
  ASSERT_EQ(other->put_InitialColor(RGB(255, 255, 255)), S_OK);
  OpenColorDialog(other.Get(), seen, first_custom);
  EXPECT_EQ(seen.first_custom, RGB(0, 0, 0)) << "another object's dialog";
}

// A script sets the owner through the property that takes it as its first argument and shows
// the dialog by reading a property.
TEST_F(DialogColor, LateBoundOwnerAndDialog) {
  const OwnerForm owner;
  const ComPtr<IDispatch> object = CreateByProgId(L"BRIXEN.clsDialogColor");
  Call put;
  InvokeByName(object.Get(), L"OwnerInstance", DISPATCH_PROPERTYPUT, {LongArg(win::LongOf(owner.get())), LongArg(0)},
               put);
  ASSERT_EQ(put.hr, S_OK);
  HWND seen_owner = nullptr;
  DialogDriver driver([&](HWND dialog) {
    seen_owner = GetWindow(dialog, GW_OWNER);
    Press(dialog, IDOK);
  });
  Call shown;
  InvokeByName(object.Get(), L"OpenColorDialog", DISPATCH_PROPERTYGET, {}, shown);
  driver.Finish();
  ASSERT_EQ(shown.hr, S_OK);
  EXPECT_NE(shown.result.lVal, 0);
  EXPECT_EQ(seen_owner, owner.get());
}

}  // namespace
}  // namespace brixen::test

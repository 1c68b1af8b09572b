// clsPrgsBar: a progress bar drawn into a caller's picture box, through the box's own
// drawing members (late bound), redrawn whole on every Value assignment.
#pragma once
#include "frame/com/latebound.h"
#include "frame/types.h"

namespace brixen {

enum PrgsDirection : Long {
  ePrgsLeftToRight = 0,
  ePrgsBottomToTop = 1,
  ePrgsRightToLeft = 2,
  ePrgsTopToBottom = 3,
};

class clsPrgsBar {
 public:
  void set_Target(Object picTarget);
  void let_Value(Long value);
  Long get_Value() const { return value_; }
  void let_MAX(Long lngNewMaxValue);
  Long get_MAX() const { return max_; }
  void let_Direction(Long value) { direction_ = value; }
  Long get_Direction() const { return direction_; }
  void let_ValueVisible(Boolean value) { value_visible_ = value; }
  Boolean get_ValueVisible() const { return value_visible_; }
  void let_UnitString(const String& value) { unit_ = value; }
  String get_UnitString() const { return unit_; }
  void let_BkClr(Long value) { back_colour_ = value; }
  Long get_BkClr() const { return back_colour_; }
  void let_BarClr(Long value) { bar_colour_ = value; }
  Long get_BarClr() const { return bar_colour_; }
  void let_ForeClr(Long value) { text_colour_ = value; }

 private:
  void Draw();
  void DrawCentredText(Long height);
  void DrawBar(Long width, Long height);
  void FilledBox(const Variant& x1, const Variant& y1, const Variant& x2, const Variant& y2, Long colour);

  Object target_;
  Long value_ = 0;
  Long max_ = 100;
  Long direction_ = ePrgsLeftToRight;
  Boolean value_visible_ = true;
  String unit_ = u"%";
  Long back_colour_ = static_cast<Long>(0x80000005);  // system window background
  Long bar_colour_ = static_cast<Long>(0x8000000D);   // system highlight
  Long text_colour_ = 0;
};

}  // namespace brixen

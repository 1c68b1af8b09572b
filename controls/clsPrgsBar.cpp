#include "controls/clsPrgsBar.h"

#include <cstdint>

#include "frame/win/msgbox.h"

namespace brixen {
namespace {

constexpr Integer kCopyPen = 13;
constexpr Integer kNotXorPen = 10;

// The members the bar draws with; an object without all of them is no picture box.
constexpr const char16_t* kPictureBoxMembers[] = {
    u"Cls",       u"AutoRedraw", u"ScaleWidth", u"ScaleHeight", u"DrawMode", u"ForeColor", u"CurrentX",
    u"CurrentY",  u"TextWidth",  u"TextHeight", u"Line",        u"Print",    u"Refresh"};

bool IsPictureBox(IDispatch* object) {
  for (const char16_t* member : kPictureBoxMembers) {
    if (!HasMember(object, member)) return false;
  }
  return true;
}

Long CheckedDifference(Long a, Long b) {
  const std::int64_t difference = static_cast<std::int64_t>(a) - b;
  if (difference < INT32_MIN || difference > INT32_MAX) Raise(kErrOverflow);
  return static_cast<Long>(difference);
}

String DecimalText(Long value) {
  const std::string digits = std::to_string(value);
  return String(digits.begin(), digits.end());
}

}  // namespace

void clsPrgsBar::set_Target(Object picTarget) {
  if (!picTarget) Raise(kErrObjectNotSet);
  if (!IsPictureBox(picTarget.Get())) Raise(kErrTypeMismatch);
  target_ = std::move(picTarget);
  CallMethod(target_.Get(), u"Cls");
  LetProperty(target_.Get(), u"AutoRedraw", Variant(true));
  LetProperty(target_.Get(), u"ScaleWidth", Variant(static_cast<Single>(max_)));
  let_Value(0);
}

void clsPrgsBar::let_MAX(Long lngNewMaxValue) {
  max_ = lngNewMaxValue;
  if (!target_) {
    win::MsgBox(u"m_pic is not set!", 0, u"clsPrgsBar");
    return;
  }
  LetProperty(target_.Get(), u"ScaleWidth", Variant(static_cast<Single>(max_)));
  LetProperty(target_.Get(), u"ScaleHeight", Variant(static_cast<Single>(max_)));
}

void clsPrgsBar::let_Value(Long value) {
  if (value < 0) value = 0;
  if (value > max_) value = max_;
  value_ = value;
  if (!target_) Raise(kErrObjectNotSet);
  Draw();
}

void clsPrgsBar::Draw() {
  IDispatch* box = target_.Get();
  const Long width = GetProperty(box, u"ScaleWidth").ToLong();
  Long height = GetProperty(box, u"ScaleHeight").ToLong();
  CallMethod(box, u"Cls");
  LetProperty(box, u"DrawMode", Variant(kCopyPen));
  FilledBox(Variant(0), Variant(0), Variant(width), Variant(height), back_colour_);
  LetProperty(box, u"DrawMode", Variant(kNotXorPen));
  LetProperty(box, u"ForeColor", Variant(text_colour_));
  DrawCentredText(height);
  if (value_ == 0) height = 0;
  DrawBar(width, height);
  CallMethod(box, u"Refresh");
}

void clsPrgsBar::DrawCentredText(Long height) {
  IDispatch* box = target_.Get();
  const String text = value_visible_ ? DecimalText(value_) + unit_ : unit_;
  const Single text_width = GetProperty(box, u"TextWidth", {Variant(text)}).ToSingle();
  const Single text_height = GetProperty(box, u"TextHeight", {Variant(text)}).ToSingle();
  const auto x = static_cast<Single>(max_ / 2.0 - text_width / 2.0);
  const auto y = static_cast<Single>((height - static_cast<double>(text_height)) / 2.0);
  LetProperty(box, u"CurrentX", Variant(x));
  LetProperty(box, u"CurrentY", Variant(y));
  CallMethod(box, u"Print", {Variant(text)});
}

void clsPrgsBar::DrawBar(Long width, Long height) {
  IDispatch* box = target_.Get();
  const Variant v(value_), w(width), h(height), zero(0);
  switch (direction_) {
    case ePrgsLeftToRight:
      FilledBox(zero, zero, v, h, bar_colour_);
      FilledBox(v, zero, w, GetProperty(box, u"ScaleHeight"), back_colour_);
      break;
    case ePrgsBottomToTop:
      FilledBox(zero, h, w, Variant(CheckedDifference(height, value_)), bar_colour_);
      FilledBox(zero, zero, w, v, back_colour_);
      break;
    case ePrgsRightToLeft:
      FilledBox(w, zero, Variant(CheckedDifference(width, value_)), h, bar_colour_);
      FilledBox(zero, zero, v, h, back_colour_);
      break;
    case ePrgsTopToBottom:
      FilledBox(zero, zero, w, v, bar_colour_);
      FilledBox(zero, v, GetProperty(box, u"ScaleWidth"), h, back_colour_);
      break;
    default:
      break;
  }
}

void clsPrgsBar::FilledBox(const Variant& x1, const Variant& y1, const Variant& x2, const Variant& y2, Long colour) {
  CallMethod(target_.Get(), u"Line", {x1, y1, x2, y2, Variant(colour), Variant(u"BF")});
}

}  // namespace brixen

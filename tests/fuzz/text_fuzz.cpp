// libFuzzer target over the run-time's text conversions and clsString's digit texts.
//
// Input layout: the first byte picks the conversion (counted from "0", so that seed files
// start with a digit); the numbers it needs are taken from the end of the input; the rest
// is text. In text a byte below 0x80 is that character and any other byte is followed by
// the two bytes of one UTF-16 unit, high byte first (so any unit, lone surrogates
// included, can be written); where a conversion takes two texts, the first zero byte ends
// the first one.
//
// A conversion may refuse its input only with brixen::RuntimeError: any other exception
// (std::terminate), a crash or a sanitizer finding is a failure.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

#include "frame/errors.h"
#include "frame/runtime/dates.h"
#include "frame/runtime/format.h"
#include "frame/runtime/hex.h"
#include "frame/runtime/text.h"
#include "frame/runtime/val.h"
#include "frame/runtime/values.h"
#include "strings/digit_text.h"

namespace brixen {
namespace {

// Inputs beyond this size are refused, which keeps every allocation small.
constexpr std::size_t kMaxInputSize = 4096;
// Padding widths from this one up to just past the longest text would allocate up to
// gigabytes; they are folded into small widths. Wider ones stay, to reach the error that
// refuses them.
constexpr Long kMaxPaddingWidth = 4096;
constexpr Long kLongestHexDigits = 8;

using Bytes = std::vector<std::uint8_t>;

String DecodeText(const std::uint8_t* begin, const std::uint8_t* end) {
  String text;
  for (const std::uint8_t* p = begin; p != end; ++p) {
    if (*p < 0x80) {
      text += static_cast<char16_t>(*p);
    } else if (end - p >= 3) {
      text += static_cast<char16_t>(p[1] << 8 | p[2]);
      p += 2;
    } else {
      break;
    }
  }
  return text;
}

String TakeText(FuzzedDataProvider& input) {
  const Bytes bytes = input.ConsumeRemainingBytes<std::uint8_t>();
  return DecodeText(bytes.data(), bytes.data() + bytes.size());
}

struct TwoTexts {
  String first, second;
};

TwoTexts TakeTwoTexts(FuzzedDataProvider& input) {
  const Bytes bytes = input.ConsumeRemainingBytes<std::uint8_t>();
  const std::uint8_t* end = bytes.data() + bytes.size();
  const std::uint8_t* zero = std::find(bytes.data(), end, std::uint8_t{0});
  return {DecodeText(bytes.data(), zero), DecodeText(zero == end ? end : zero + 1, end)};
}

// A number of one of four kinds, so that both the odd doubles and the values that mean
// something as dates come up often.
Double TakeNumber(FuzzedDataProvider& input) {
  switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:  // any bit pattern: NaN, infinities, subnormals, the extremes
      return std::bit_cast<Double>(input.ConsumeIntegral<std::uint64_t>());
    case 1:  // whole numbers
      return input.ConsumeIntegral<std::int32_t>();
    case 2:  // numbers with a binary fraction
      return input.ConsumeIntegral<std::int32_t>() / 65536.0;
    default:  // a day around the valid date range with a time of day
      return input.ConsumeIntegralInRange<std::int32_t>(-700000, 3000000) +
             input.ConsumeIntegral<std::uint32_t>() / 4294967296.0;
  }
}

Long TakePaddingWidth(FuzzedDataProvider& input) {
  const Long width = input.ConsumeIntegral<Long>();
  if (width > kMaxPaddingWidth && width <= rt::kMaxTextLength + kLongestHexDigits)
    return width % kMaxPaddingWidth;
  return width;
}

template <typename Conversion>
void Run(Conversion conversion) {
  try {
    conversion();
  } catch (const RuntimeError&) {
    // the conversion refused the input the way the run-time does
  }
}

void FuzzVal(FuzzedDataProvider& input) {
  const String text = TakeText(input);
  Run([&] { rt::Val(text); });
}

void FuzzCDbl(FuzzedDataProvider& input) {
  const String text = TakeText(input);
  Run([&] { rt::CDbl(text); });
  rt::IsNumericText(text);
}

void FuzzFormatNumber(FuzzedDataProvider& input) {
  const Double value = TakeNumber(input);
  const String pattern = TakeText(input);
  Run([&] { rt::Format(value, pattern); });
  Run([&] { rt::CStr(value); });
}

void FuzzFormatText(FuzzedDataProvider& input) {
  const TwoTexts texts = TakeTwoTexts(input);
  Run([&] { rt::Format(texts.first, texts.second); });
}

void FuzzFormatDate(FuzzedDataProvider& input) {
  const Date date = TakeNumber(input);
  const rt::DateSeparators separators{input.ConsumeIntegral<char16_t>(),
                                      input.ConsumeIntegral<char16_t>()};
  const TwoTexts patterns = TakeTwoTexts(input);
  Run([&] { rt::FormatDate(date, patterns.first, separators); });
  Run([&] { rt::CStrDate(date, patterns.first, patterns.second, separators); });
}

void FuzzReadDate(FuzzedDataProvider& input) {
  const Date today = TakeNumber(input);
  const String text = TakeText(input);
  for (auto order : {rt::DateOrder::kYMD, rt::DateOrder::kMDY, rt::DateOrder::kDMY}) {
    Run([&] { rt::ReadDate(text, order, today); });
    Run([&] { rt::IsDate(text, order, today); });
    Run([&] { rt::DateValue(text, order, today); });
  }
}

void FuzzDateAdd(FuzzedDataProvider& input) {
  const Double number = TakeNumber(input);
  const Date date = TakeNumber(input);
  const String interval = TakeText(input);
  Run([&] { rt::DateAdd(interval, number, date); });
}

void FuzzDateDiff(FuzzedDataProvider& input) {
  const Date date1 = TakeNumber(input);
  const Date date2 = TakeNumber(input);
  const String interval = TakeText(input);
  Run([&] { rt::DateDiff(interval, date1, date2); });
}

void FuzzHexDigits(FuzzedDataProvider& input) {
  const Long value = input.ConsumeIntegral<Long>();
  const Long width = TakePaddingWidth(input);
  Run([&] { rt::Hex(static_cast<Integer>(value)); });
  Run([&] { rt::Hex(value); });
  Run([&] { rt::Hex(static_cast<Byte>(value)); });
  Run([&] { str::Fmt16(static_cast<Byte>(value)); });
  Run([&] { str::Fmt16Ex(static_cast<Integer>(value), width); });
  Run([&] { str::Fmt16Ex2(value, width); });
}

void FuzzDigitTexts(FuzzedDataProvider& input) {
  const String text = TakeText(input);
  Run([&] { str::Convert2To16(text); });
  Run([&] { str::IsHex(text); });
  Run([&] { str::ParseByteBit(text); });
}

using Target = void (*)(FuzzedDataProvider&);
constexpr Target kTargets[] = {FuzzVal,        FuzzCDbl,     FuzzFormatNumber, FuzzFormatText,
                               FuzzFormatDate, FuzzReadDate, FuzzDateAdd,      FuzzDateDiff,
                               FuzzHexDigits,  FuzzDigitTexts};

}  // namespace
}  // namespace brixen

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brixen;
  if (size < 1 || size > kMaxInputSize) return -1;  // -1: not added to the corpus
  FuzzedDataProvider input(data + 1, size - 1);
  kTargets[static_cast<std::uint8_t>(data[0] - '0') % std::size(kTargets)](input);
  return 0;
}

#include "frame/locale.h"

#include <windows.h>

#include <utility>

#include "frame/handler.h"
#include "frame/runtime/ascii.h"
#include "frame/win/ansi.h"
#include "helpers/clsMethod.h"

namespace brixen {
namespace {

constexpr LCID kSystemDefaultLocale = 0x0800;   // LOCALE_SYSTEM_DEFAULT
constexpr LCTYPE kEnglishCountryName = 0x1002;  // LOCALE_SENGCOUNTRY
constexpr int kBufferSize = 256;

String ReadCountryName() {
  char buffer[kBufferSize] = {};
  ::GetLocaleInfoA(kSystemDefaultLocale, kEnglishCountryName, buffer, kBufferSize);
  buffer[kBufferSize - 1] = '\0';  // a full buffer is cut at its end, never read past it
  return win::FromAnsi(buffer);
}

CountryNameSource& Source() {
  static CountryNameSource source = ReadCountryName;
  return source;
}

// Set while a failed read is being reported: ErrReg itself asks for the language of its
// message, and a read failing again there must not report (and so ask) without end.
thread_local bool reporting = false;

void ReportThroughErrReg(Long number, const String& text, const String& module) {
  if (reporting) return;
  reporting = true;
  struct Reset {
    ~Reset() { reporting = false; }
  } reset;
  clsMethod().ErrReg(number, text, module);
}

}  // namespace

String GetSystemCountryName() {
  const ErrorHandler handler(ReportThroughErrReg);
  return handler.Run<String>(u"Language", [](String& name) { name = Source()(); });
}

Boolean IsJapaneseSystem() { return rt::EqualsNoCase(GetSystemCountryName(), u"JAPAN"); }

const char16_t* Bilingual(const char16_t* japanese, const char16_t* english) {
  return IsJapaneseSystem() ? japanese : english;
}

void SetCountryNameSourceForTests(CountryNameSource source) { Source() = std::move(source); }
void ResetCountryNameSourceForTests() { Source() = ReadCountryName; }

}  // namespace brixen

// The language of the library's messages: Japanese on a system whose default locale belongs to
// Japan, English everywhere else. The locale is read afresh at every call, so each message
// follows the locale current when it is shown.
#pragma once
#include <functional>

#include "frame/types.h"

namespace brixen {

// The English name of the system default locale's country as the system reports it
// ("United States", "Japan"). A run-time error while reading it is logged through ErrReg under
// "Language" and gives "".
String GetSystemCountryName();

// True exactly when the country name, upper-cased, is "JAPAN".
Boolean IsJapaneseSystem();

// The text of a bilingual message for the system as it is now.
const char16_t* Bilingual(const char16_t* japanese, const char16_t* english);

// Where the country name comes from; tests replace it. The default asks GetLocaleInfoA.
using CountryNameSource = std::function<String()>;
void SetCountryNameSourceForTests(CountryNameSource source);
void ResetCountryNameSourceForTests();

}  // namespace brixen

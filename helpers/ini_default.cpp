// clsMethod: a default written into an INI file only where the key is still absent.
#include <windows.h>

#include <variant>

#include "frame/win/msgbox.h"
#include "frame/win/profile.h"
#include "helpers/clsMethod.h"

namespace brixen {
namespace {

// What a read answers for an absent key: values a caller is unlikely to store.
constexpr UINT kAbsentNumber = 411209;  // &H64649
constexpr char16_t kAbsentText[] = u"kestrelo";  // plain ASCII: the same bytes in every code page
constexpr DWORD kTextBufferSize = 256;

enum class DefaultKind { Number, Text, Unsupported };

// By the Variant's type: integers, floating and currency values are numbers, strings texts;
// empty, null, dates, Booleans, bytes, objects, errors and arrays are not supported.
DefaultKind KindOf(const Variant& value) {
  switch (value.Type()) {
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY: return DefaultKind::Number;
    case VT_BSTR: return DefaultKind::Text;
    default: return DefaultKind::Unsupported;
  }
}

// The section, key and file of one INI value.
struct IniKey {
  const String &section, &key, &file;

  bool NumberIsAbsent() const { return win::ProfileInt(section, key, kAbsentNumber, file) == kAbsentNumber; }
  bool TextIsAbsent() const { return win::ProfileText(section, key, kAbsentText, kTextBufferSize, file) == kAbsentText; }
  void Write(const String& value) const { win::WriteProfileText(section, key, value, file); }
};

}  // namespace

void clsMethod::RegIniDefaultKey(const String& sSection, const String& sKey, const Variant& vStdValue,
                                 const String& sFullFname) {
  log_.Run<std::monostate>(u"RegIniDefaultKeyInt", [&](std::monostate&) {
    const DefaultKind kind = KindOf(vStdValue);
    if (kind == DefaultKind::Unsupported) {
      win::MsgBox(u"Unknown vartype !", MB_OK);
      return;
    }
    const IniKey ini{sSection, sKey, sFullFname};
    const bool absent = kind == DefaultKind::Number ? ini.NumberIsAbsent() : ini.TextIsAbsent();
    if (absent) ini.Write(vStdValue.ToString());
  });
}

}  // namespace brixen

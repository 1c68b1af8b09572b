#include "frame/win/printer.h"

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <string>
#include <utility>

#include "frame/errors.h"
#include "frame/runtime/values.h"
#include "frame/win/ansi.h"
#include "frame/win/handles.h"

namespace brixen::win {
namespace {

constexpr Long kErrPrinter = 482;              // "Printer error"
constexpr Long kErrNoPrinterInformation = 484;  // "Problem getting printer information from the system..."

struct FaceNames {
  std::vector<String> names;
  bool outOfMemory = false;
};

// Adds each face name once. Nothing may leave a platform callback: a failure ends the enumeration.
int CALLBACK CollectFaceName(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM collected) {
  auto& faces = *reinterpret_cast<FaceNames*>(collected);
  try {
    const String name = FromAnsi(font->lfFaceName);
    if (std::find(faces.names.begin(), faces.names.end(), name) == faces.names.end()) faces.names.push_back(name);
    return TRUE;
  } catch (...) {
    faces.outOfMemory = true;
    return FALSE;
  }
}

}  // namespace

Printer Printer::Current() {
  DWORD size = 0;
  ::GetDefaultPrinterA(nullptr, &size);
  if (size == 0) Raise(kErrNoPrinterInformation);
  std::string name(size, '\0');
  if (!::GetDefaultPrinterA(name.data(), &size)) Raise(kErrNoPrinterInformation);
  return Printer(FromAnsi(name.c_str()));
}

const std::vector<String>& Printer::FontNames() const {
  if (fontsRead_) return fonts_;
  const std::string device = ToAnsi(deviceName_);
  const MemoryDC dc(::CreateDCA(nullptr, device.c_str(), nullptr, nullptr));
  if (!dc) Raise(kErrPrinter);
  LOGFONTA every{};
  every.lfCharSet = DEFAULT_CHARSET;
  FaceNames faces;
  ::EnumFontFamiliesExA(dc.get(), &every, CollectFaceName, reinterpret_cast<LPARAM>(&faces), 0);
  if (faces.outOfMemory) Raise(kErrOutOfMemory);
  fonts_ = std::move(faces.names);
  fontsRead_ = true;
  return fonts_;
}

Integer Printer::FontCount() const { return rt::CInt(static_cast<Double>(FontNames().size())); }

String Printer::Fonts(Integer index) const {
  const std::vector<String>& names = FontNames();
  if (index < 0 || static_cast<std::size_t>(index) >= names.size()) Raise(kErrSubscript);
  return names[static_cast<std::size_t>(index)];
}

}  // namespace brixen::win

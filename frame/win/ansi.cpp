#include "frame/win/ansi.h"

#include <windows.h>

#include "frame/errors.h"
#include "frame/win/wide.h"

namespace brixen::win {

std::string ToAnsi(StringView text, unsigned codePage) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  const int size = ::WideCharToMultiByte(codePage, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(codePage, 0, wide, length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

String FromAnsi(std::string_view bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  const int size = ::MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  String text(static_cast<std::size_t>(size), u'\0');
  ::MultiByteToWideChar(codePage, 0, bytes.data(), length, Wide(text.data()), size);
  return text;
}

namespace {

// The first character of the text: one code unit, or two for a surrogate pair.
StringView FirstCharacter(StringView text) {
  const bool pair = text.size() >= 2 && text[0] >= 0xD800 && text[0] <= 0xDBFF && text[1] >= 0xDC00 &&
                    text[1] <= 0xDFFF;
  return text.substr(0, pair ? 2 : 1);
}

}  // namespace

Integer Asc(StringView text, unsigned codePage) {
  if (text.empty()) Raise(kErrInvalidCall);
  const std::string bytes = ToAnsi(FirstCharacter(text), codePage);
  const auto lead = static_cast<unsigned char>(bytes[0]);
  if (bytes.size() == 1 || !::IsDBCSLeadByteEx(codePage, lead)) return static_cast<Integer>(lead);
  const auto trail = static_cast<unsigned char>(bytes[1]);
  return static_cast<Integer>(static_cast<std::uint16_t>((lead << 8) | trail));
}

String Chr(Long code, unsigned codePage) {
  if (code < -32768 || code > 65535) Raise(kErrInvalidCall);
  const auto unsignedCode = static_cast<std::uint16_t>(code);
  std::string bytes;
  if (unsignedCode > 0xFF) {
    const auto lead = static_cast<char>(unsignedCode >> 8);
    if (!::IsDBCSLeadByteEx(codePage, static_cast<BYTE>(lead))) Raise(kErrInvalidCall);
    bytes = {lead, static_cast<char>(unsignedCode & 0xFF)};
  } else {
    bytes = {static_cast<char>(unsignedCode)};
  }
  return FromAnsi(bytes, codePage);
}

}  // namespace brixen::win

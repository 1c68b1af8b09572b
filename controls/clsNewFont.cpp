#include "controls/clsNewFont.h"

#include <cstring>
#include <string>

#include "frame/errors.h"
#include "frame/runtime/values.h"
#include "frame/win/ansi.h"
#include "frame/win/handle_values.h"

namespace brixen {
namespace {

constexpr BYTE kDefaultCharset = DEFAULT_CHARSET;
constexpr BYTE kProofQuality = PROOF_QUALITY;

}  // namespace

clsNewFont::clsNewFont() {
  font_.lfCharSet = kDefaultCharset;
  font_.lfQuality = kProofQuality;
}

void clsNewFont::let_lfHeight(Long value) { font_.lfHeight = value; }

void clsNewFont::let_lfEscapement(Long value) {
  font_.lfEscapement = value;
  font_.lfOrientation = value;
}

void clsNewFont::let_lfWeight(Long value) { font_.lfWeight = value; }
void clsNewFont::let_lfWidth(Long value) { font_.lfWidth = value; }
void clsNewFont::let_lfItalic(Long value) { font_.lfItalic = rt::CByte(value); }
void clsNewFont::let_lfUnderline(Long value) { font_.lfUnderline = rt::CByte(value); }
void clsNewFont::let_lfStrikeOut(Long value) { font_.lfStrikeOut = rt::CByte(value); }
void clsNewFont::let_lfOutPrecision(Long value) { font_.lfOutPrecision = rt::CByte(value); }
void clsNewFont::let_lfQuality(Long value) { font_.lfQuality = rt::CByte(value); }
void clsNewFont::let_lfPitchAndFamily(Long lfPitch, Long lfFamily) { font_.lfPitchAndFamily = rt::CByte(lfPitch | lfFamily); }

// Bytes of an earlier, longer name after the new NUL stay; the platform stops at the NUL.
void clsNewFont::let_lfFaceName(const String& sFaceName) {
  const std::string bytes = win::ToAnsi(sFaceName);
  if (bytes.size() + 1 > kFaceStorage) Raise(kErrSubscript);
  std::memcpy(face_.data(), bytes.c_str(), bytes.size() + 1);
}

Long clsNewFont::get_hNewFont() {
  LOGFONTA record = font_;
  std::memcpy(record.lfFaceName, face_.data(), LF_FACESIZE);
  return win::LongOf(::CreateFontIndirectA(&record));
}

}  // namespace brixen

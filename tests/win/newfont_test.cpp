// clsNewFont through its slots: every property read back from the font its handle names
// (GetObjectA), the defaults, the byte fields' range rule and the face name's byte rule in the
// system's ANSI code page (16 full-width characters fit on a Japanese system, 17 do not).
#include <windows.h>

#include <string>

#include "com_fixture.h"
#include "frame/win/handle_values.h"

namespace brixen::test {
namespace {

constexpr HRESULT kOverflow = MAKE_HRESULT(1, FACILITY_CONTROL, 6);
constexpr HRESULT kSubscript = MAKE_HRESULT(1, FACILITY_CONTROL, 9);

class NewFont : public testing::Test {
 protected:
  // The record of a font read from the object: the handle is the caller's, deleted here.
  LOGFONTA Read() {
    long handle = 0;
    EXPECT_EQ(font_->get_hNewFont(&handle), S_OK);
    const auto font = win::HandleOf<HFONT>(handle);
    LOGFONTA record{};
    EXPECT_EQ(GetObjectA(font, sizeof record, &record), static_cast<int>(sizeof record));
    DeleteObject(font);
    return record;
  }
  HRESULT FaceName(const std::wstring& name) { return font_->put_lfFaceName(OwnedBstr(name).get()); }

  ComPtr<_clsNewFont> font_ = Create<_clsNewFont>(CLSID_clsNewFont);
};

TEST_F(NewFont, ANewObjectGivesTheDefaultFont) {
  const LOGFONTA record = Read();
  EXPECT_EQ(record.lfHeight, 0);
  EXPECT_EQ(record.lfWidth, 0);
  EXPECT_EQ(record.lfEscapement, 0);
  EXPECT_EQ(record.lfWeight, 0);
  EXPECT_EQ(record.lfItalic, 0);
  EXPECT_EQ(record.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(record.lfOutPrecision, OUT_DEFAULT_PRECIS);
  EXPECT_EQ(record.lfClipPrecision, 0);
  EXPECT_EQ(record.lfQuality, PROOF_QUALITY);
  EXPECT_EQ(record.lfPitchAndFamily, 0);
  EXPECT_STREQ(record.lfFaceName, "");
}

TEST_F(NewFont, EveryPropertyReachesTheFont) {
  ASSERT_EQ(font_->put_lfHeight(-24), S_OK);
  ASSERT_EQ(font_->put_lfWidth(10), S_OK);
  ASSERT_EQ(font_->put_lfEscapement(900), S_OK);
  ASSERT_EQ(font_->put_lfWeight(eFW_BOLD), S_OK);
  ASSERT_EQ(font_->put_lfItalic(elfYes), S_OK);
  ASSERT_EQ(font_->put_lfUnderline(elfYes), S_OK);
  ASSERT_EQ(font_->put_lfStrikeOut(elfYes), S_OK);
  ASSERT_EQ(font_->put_lfOutPrecision(eOUT_TT_PRECIS), S_OK);
  ASSERT_EQ(font_->put_lfQuality(eDRAFT_QUALITY), S_OK);
  ASSERT_EQ(font_->put_lfPitchAndFamily(eFIXED_PITCH, eFF_MODERN), S_OK);
  ASSERT_EQ(FaceName(L"Courier New"), S_OK);
  const LOGFONTA record = Read();
  EXPECT_EQ(record.lfHeight, -24);
  EXPECT_EQ(record.lfWidth, 10);
  EXPECT_EQ(record.lfEscapement, 900);
  EXPECT_EQ(record.lfOrientation, 900) << "the escapement sets the orientation too";
  EXPECT_EQ(record.lfWeight, FW_BOLD);
  EXPECT_EQ(record.lfItalic, 1);
  EXPECT_EQ(record.lfUnderline, 1);
  EXPECT_EQ(record.lfStrikeOut, 1);
  EXPECT_EQ(record.lfOutPrecision, OUT_TT_PRECIS);
  EXPECT_EQ(record.lfQuality, DRAFT_QUALITY);
  EXPECT_EQ(record.lfPitchAndFamily, 49) << "fixed pitch with the modern family";
  EXPECT_EQ(record.lfCharSet, DEFAULT_CHARSET);
  EXPECT_STREQ(record.lfFaceName, "Courier New");
}

TEST_F(NewFont, ByteFieldsOutOfRangeAreAnOverflowAndKeepTheirValue) {
  ASSERT_EQ(font_->put_lfItalic(elfYes), S_OK);
  EXPECT_EQ(font_->put_lfItalic(static_cast<ENUM_lfYesNone>(256)), kOverflow);
  EXPECT_EQ(font_->put_lfUnderline(static_cast<ENUM_lfYesNone>(-1)), kOverflow);
  EXPECT_EQ(font_->put_lfQuality(static_cast<ENUM_lfQuality>(300)), kOverflow);
  EXPECT_EQ(font_->put_lfPitchAndFamily(eFIXED_PITCH, static_cast<ENUM_lfPitchAndFamily_Family>(256)), kOverflow);
  const LOGFONTA record = Read();
  EXPECT_EQ(record.lfItalic, 1);
  EXPECT_EQ(record.lfUnderline, 0);
  EXPECT_EQ(record.lfQuality, PROOF_QUALITY);
  EXPECT_EQ(record.lfPitchAndFamily, 0);
  EXPECT_EQ(font_->put_lfWeight(static_cast<ENUM_lfWeight>(123456)), S_OK) << "the weight keeps any value";
}

TEST_F(NewFont, EveryReadIsANewHandle) {
  long first = 0, second = 0;
  ASSERT_EQ(font_->get_hNewFont(&first), S_OK);
  ASSERT_EQ(font_->get_hNewFont(&second), S_OK);
  EXPECT_NE(first, 0);
  EXPECT_NE(first, second);
  EXPECT_EQ(GetObjectType(win::HandleOf<HGDIOBJ>(first)), static_cast<DWORD>(OBJ_FONT));
  DeleteObject(win::HandleOf<HGDIOBJ>(first));
  DeleteObject(win::HandleOf<HGDIOBJ>(second));
}

// 31 bytes and a NUL fit what the platform reads; 32 bytes put the NUL in the one byte beyond;
// 33 are error 9 and leave the name as it was. A shorter name after a longer one is read alone.
TEST_F(NewFont, FaceNamesUpTo32Bytes) {
  EXPECT_EQ(FaceName(std::wstring(31, L'a')), S_OK);
  EXPECT_EQ(std::string(Read().lfFaceName), std::string(31, 'a'));
  EXPECT_EQ(FaceName(std::wstring(32, L'b')), S_OK);
  EXPECT_EQ(FaceName(std::wstring(33, L'c')), kSubscript);
  EXPECT_EQ(std::string(Read().lfFaceName).substr(0, 31), std::string(31, 'b'));
  EXPECT_EQ(FaceName(L"Arial"), S_OK);
  EXPECT_STREQ(Read().lfFaceName, "Arial");
}

TEST_F(NewFont, FullWidthFaceNamesBilingual) {
  const std::wstring sixteen(16, L'\x30D5');  // "フ", two bytes in code page 932
  if (GetACP() != 932) {
    // One byte each elsewhere ("?"): 16 and 17 characters fit.
    EXPECT_EQ(FaceName(sixteen), S_OK);
    EXPECT_EQ(FaceName(sixteen + L'\x30D5'), S_OK);
    return;
  }
  EXPECT_EQ(FaceName(sixteen), S_OK) << "32 bytes";
  long handle = 0;
  ASSERT_EQ(font_->get_hNewFont(&handle), S_OK);
  EXPECT_NE(handle, 0);
  DeleteObject(win::HandleOf<HGDIOBJ>(handle));
  EXPECT_EQ(FaceName(sixteen + L'\x30D5'), kSubscript) << "34 bytes";
}

}  // namespace
}  // namespace brixen::test

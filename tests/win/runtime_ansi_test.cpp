#include "frame/win/ansi.h"

#include <gtest/gtest.h>

#include "frame/errors.h"

namespace brixen::win {
namespace {

constexpr unsigned kWestern = 1252;
constexpr unsigned kJapanese = 932;

struct Conversion {
  unsigned codePage;
  String text;
  std::string bytes;
};

class RuntimeAnsiConversion : public testing::TestWithParam<Conversion> {};

TEST_P(RuntimeAnsiConversion, ConvertsBothWays) {
  const Conversion& c = GetParam();
  EXPECT_EQ(ToAnsi(c.text, c.codePage), c.bytes);
  EXPECT_EQ(FromAnsi(c.bytes, c.codePage), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RuntimeAnsiConversion,
    testing::Values(Conversion{kWestern, u"", ""}, Conversion{kWestern, u"abc", "abc"},
                    Conversion{kWestern, u"Gr\u00FC\u00DFe \u20AC", "Gr\xFC\xDF" "e \x80"},
                    Conversion{kWestern, String(u"a\0b", 3), std::string("a\0b", 3)},
                    Conversion{kJapanese, u"\u3042\u30A2A", "\x82\xA0\x83\x41" "A"},
                    Conversion{kJapanese, u"\uFF71", "\xB1"}));  // half-width katakana: one byte

TEST(RuntimeAnsi, UnrepresentableCharactersBecomeTheDefaultCharacter) {
  EXPECT_EQ(ToAnsi(u"\u3042", kWestern), "?");
}

struct CodeCase {
  unsigned codePage;
  String character;
  Integer code;
};

class RuntimeAscChr : public testing::TestWithParam<CodeCase> {};

TEST_P(RuntimeAscChr, AscAndChrAreInverse) {
  const CodeCase& c = GetParam();
  EXPECT_EQ(Asc(c.character, c.codePage), c.code);
  EXPECT_EQ(Chr(c.code, c.codePage), c.character);
}

INSTANTIATE_TEST_SUITE_P(Table, RuntimeAscChr,
                         testing::Values(CodeCase{kWestern, u"A", 65}, CodeCase{kWestern, String(1, u'\0'), 0},
                                         CodeCase{kWestern, u"\u00E9", 233}, CodeCase{kWestern, u"\u20AC", 128},
                                         CodeCase{kJapanese, u"\u3042", -32096},   // 0x82A0
                                         CodeCase{kJapanese, u"\u6F22", -30017},   // 0x8ABF
                                         CodeCase{kJapanese, u"\uFF71", 177},      // single byte 0xB1
                                         CodeCase{kJapanese, u"A", 65}));

TEST(RuntimeAscChr, AscReadsOnlyTheFirstCharacter) { EXPECT_EQ(Asc(u"\u3042bc", kJapanese), -32096); }

TEST(RuntimeAscChr, ChrTakesTheUnsignedFormOfADoubleByteCode) {
  EXPECT_EQ(Chr(0x82A0, kJapanese), u"\u3042");
}

TEST(RuntimeAscChr, InvalidArgumentsRaise5) {
  const auto number = [](auto call) {
    try {
      call();
    } catch (const RuntimeError& e) {
      return e.number();
    }
    return Long{0};
  };
  EXPECT_EQ(number([] { Asc(u"", kWestern); }), kErrInvalidCall);
  EXPECT_EQ(number([] { Chr(65536, kWestern); }), kErrInvalidCall);
  EXPECT_EQ(number([] { Chr(-32769, kWestern); }), kErrInvalidCall);
  EXPECT_EQ(number([] { Chr(256, kWestern); }), kErrInvalidCall);        // no double-byte characters
  EXPECT_EQ(number([] { Chr(0x41A0, kJapanese); }), kErrInvalidCall);    // 0x41 is no lead byte
}

}  // namespace
}  // namespace brixen::win

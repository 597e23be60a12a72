// UTF-8 / UTF-16 conversions: the one decoder and encoder of the platform.
#include <gtest/gtest.h>

#include <kovo/Text.hpp>

#include <string>

namespace kovo {
namespace {

TEST(Text, WellFormedTextRoundTrips) {
  // One character of each length, the last one astral, and the largest.
  std::string const utf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF";
  std::u16string const utf16 = u"a\u00e9\u20ac\U0001F600\U0010FFFF";
  EXPECT_EQ(utf8ToUtf16(utf8), utf16);
  EXPECT_EQ(utf16ToUtf8(utf16), utf8);
  EXPECT_EQ(utf16Length(utf8), utf16.size());
  // A leading U+FEFF or U+FFFE is a character, never a byte-order mark.
  EXPECT_EQ(utf8ToUtf16("\xEF\xBB\xBFx"), u"\uFEFFx");
  EXPECT_EQ(utf8ToUtf16("\xEF\xBF\xBEx"), u"\uFFFEx");
  EXPECT_EQ(utf16ToUtf8(u"\uFEFFx"), "\xEF\xBB\xBFx");
  EXPECT_EQ(utf8ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Text, MalformedUtf8BecomesOneReplacementPerBadByte) {
  struct Case {
    char const* utf8;
    char16_t const* utf16;
  };
  Case const cases[] = {
      {"a\xFF" "b", u"a\uFFFDb"},
      {"\x80x", u"\uFFFDx"},                      // a stray continuation byte
      {"\xE2\x82", u"\uFFFD\uFFFD"},              // truncated
      {"x\xC3", u"x\uFFFD"},                      // truncated at the end
      {"\xC0\xAF", u"\uFFFD\uFFFD"},              // overlong
      {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},    // overlong in three bytes
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},    // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      {"\xF5\x80\x80", u"\uFFFD\uFFFD\uFFFD"},    // lead bytes that never start a character
      {"\xF8\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"\xE2\x28\xA1", u"\uFFFD(\uFFFD"},         // the byte that breaks a sequence is read again
  };
  for (Case const& c : cases) {
    std::u16string const want(c.utf16);
    EXPECT_EQ(utf8ToUtf16(c.utf8), want) << c.utf8;
    EXPECT_EQ(utf16Length(c.utf8), want.size()) << c.utf8;
  }
}

TEST(Text, DecodingOneCharacterTellsMalformedFromAnEncodedReplacement) {
  Utf8Char const encoded = decodeUtf8Char("\xEF\xBF\xBD!");
  EXPECT_EQ(encoded.code, U'\uFFFD');
  EXPECT_EQ(encoded.length, 3u);
  Utf8Char const bad = decodeUtf8Char("\xED\xA0\x80");
  EXPECT_EQ(bad.code, U'\uFFFD');
  EXPECT_EQ(bad.length, 0u);
  EXPECT_EQ(decodeUtf8Char("\xF0\x9F\x98").length, 0u);  // one byte short
  EXPECT_EQ(decodeUtf8Char("z").length, 1u);
}

TEST(Text, LoneSurrogatesBecomeReplacementsInUtf8) {
  EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
  // A high surrogate followed by something other than a low one stands alone.
  std::u16string const broken{char16_t(0xD83D), u'x', char16_t(0xDE00), char16_t(0xD83D)};
  EXPECT_EQ(utf16ToUtf8(broken), "\xEF\xBF\xBDx\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace kovo

#include "tables/utf16.h"

#include <gtest/gtest.h>

namespace sallowmere {
namespace {

TEST(Utf16Test, TableBytesAreWindows1252BothWays) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  const std::u16string units = TableUnits(all);
  ASSERT_EQ(units.size(), 256u);
  const std::pair<unsigned char, char16_t> shown[] = {
      {'a', u'a'},       {0x80, u'\u20AC'}, {0x85, u'\u2026'}, {0x92, u'\u2019'}, {0x96, u'\u2013'},
      {0x9F, u'\u0178'}, {0xA0, u'\u00A0'}, {0xE9, u'\u00E9'}, {0x81, u'\u0081'}, {0x8D, u'\u008D'},
      {0x8F, u'\u008F'}, {0x90, u'\u0090'}, {0x9D, u'\u009D'}, {0xFF, u'\u00FF'}};
  for (const auto& [byte, unit] : shown) EXPECT_EQ(units[byte], unit) << int{byte};
  EXPECT_EQ(TableBytes(units), all);  // every byte round-trips, the five undefined ones too
  EXPECT_EQ(TableBytes(u"\u20AC\u2019"), "\x80\x92");
  // No table byte shows as these: a control character Windows-1252 replaced, or beyond it.
  for (const char16_t* text : {u"a\u0080b", u"\u0092", u"\u0100", u"\u4E00"}) {
    EXPECT_EQ(TableBytes(text), std::nullopt);
  }
}

struct PathCase {
  const char* name;
  std::u16string units;  // a file name as Windows may hold it
  std::string bytes;     // as the core keeps it
  std::u16string shown;  // as a person reads it
};

TEST(Utf16Test, PathsRoundTripAndShowWhatTheyCan) {
  const std::vector<PathCase> cases = {
      {"ASCII", u"C:\\mods\\x", "C:\\mods\\x", u"C:\\mods\\x"},
      {"two and three bytes", u"Caf\u00E9\\\u5171", "Caf\xC3\xA9\\\xE5\x85\xB1",
       u"Caf\u00E9\\\u5171"},
      {"a pair of surrogates", u"a\U0001F600", "a\xF0\x9F\x98\x80", u"a\U0001F600"},
      {"a lone high surrogate", u"a\xD800z", "a\xED\xA0\x80z", u"a\uFFFDz"},
      {"a lone low surrogate at the end", u"a\xDC01", "a\xED\xB0\x81", u"a\uFFFD"},
  };
  for (const PathCase& c : cases) {
    EXPECT_EQ(Utf8OfUtf16(c.units), c.bytes) << c.name;
    EXPECT_EQ(Utf16OfUtf8(c.bytes), c.units) << c.name;
    EXPECT_EQ(PathUnits(c.bytes), c.shown) << c.name;
  }
}

TEST(Utf16Test, BytesThatAreNoUtf8ShowAsReplacements) {
  const std::vector<std::pair<std::string, std::u16string>> cases = {
      {"a\xFFz", u"a\uFFFDz"},                            // a byte that begins nothing
      {"a\xC3", u"a\uFFFD"},                              // cut short
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // too long for its character
      {"\xE5\x85z", u"\uFFFD\uFFFDz"},                    // a byte missing
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
  };
  for (const auto& [bytes, shown] : cases) EXPECT_EQ(PathUnits(bytes), shown) << bytes;
}

TEST(Utf16Test, MessagePiecesEachInTheirEncoding) {
  EXPECT_EQ(MessageUnits(MessageText().Path("C:\\m\xC3\xA9\\").Table("\xE9 \x80")),
            u"C:\\m\u00E9\\\u00E9 \u20AC");
}

}  // namespace
}  // namespace sallowmere

// UTF-8 and code page 1252 to and from UTF-16: the forms a settings file may be kept in.
#include <gtest/gtest.h>

#include "base/TextConversion.h"

namespace vt {
namespace {

TEST(TextConversionTest, Utf8RoundTripsEveryPlaneAndMarksWhatIsNotUtf8) {
    const std::u16string wide = u"a\u00e9\u20ac\U0001F600";  // 1, 2, 3 and 4 bytes
    EXPECT_EQ(Utf8FromWide(wide), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(WideFromUtf8(Utf8FromWide(wide)), wide);
    // A stray continuation byte, an overlong "/", a cut sequence, an encoded surrogate.
    EXPECT_EQ(WideFromUtf8("\x80x\xC0\xAFy\xE2\x82"), u"\uFFFDx\uFFFD\uFFFDy\uFFFD\uFFFD");
    EXPECT_EQ(WideFromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(Utf8FromWide(u"\xD800z"), "\xEF\xBF\xBDz");  // a lone surrogate
}

TEST(TextConversionTest, Cp1252TellsWhatHasNoAnsiForm) {
    std::string ansi;
    EXPECT_TRUE(Cp1252FromWide(u"\u20ac\u00ff\u0081", ansi));
    EXPECT_EQ(ansi, "\x80\xFF\x81");
    EXPECT_EQ(WideFromCp1252(ansi), u"\u20ac\u00ff\u0081");
    EXPECT_FALSE(Cp1252FromWide(u"\u03a9x", ansi));
    EXPECT_EQ(ansi, "?x");
}

}  // namespace
}  // namespace vt

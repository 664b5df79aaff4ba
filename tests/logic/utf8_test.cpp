// UTF-8 and UTF-16 converted into each other by the program itself: every
// malformed piece becomes one U+FFFD, whatever system the program runs on.
#include <gtest/gtest.h>

#include <string>

#include "ui/utf8.h"

TEST(Utf8ToUtf16, GivesUtf16OrOneReplacementForEachMalformedPiece) {
    const struct { std::string utf8; std::u16string utf16; } cases[] = {
        // A Latin-1 letter, the euro sign, a letter outside 1252, one outside
        // the basic plane (a surrogate pair), and a zero inside the text.
        {std::string("\u00E9\u20AC\u0142\U0001F600\0z", 13),
         {0x00E9, 0x20AC, 0x0142, 0xD83D, 0xDE00, 0, u'z'}},
        {"a\x80z", u"a\uFFFDz"},                 // a stray continuation byte
        {"a\xC3", u"a\uFFFD"},                   // cut short at the end
        {"\xE2\x82z", u"\uFFFDz"},               // cut short before a letter: one for both bytes
        {"\xC0\xAF", u"\uFFFD\uFFFD"},           // an overlong '/'
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"}, // a surrogate written in UTF-8
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {"\xFF\xFE", u"\uFFFD\uFFFD"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.utf16, Utf8ToUtf16(c.utf8)) << c.utf8;
}

TEST(Utf16ToUtf8, GivesTheUtf8BackAndOneReplacementForEachLoneSurrogate) {
    const std::string utf8("\u00E9\u20AC\u0142\U0001F600\0z", 13);
    EXPECT_EQ(utf8, Utf16ToUtf8(std::u16string{0x00E9, 0x20AC, 0x0142, 0xD83D, 0xDE00, 0, u'z'}));
    EXPECT_EQ("\uFFFDa\uFFFD", Utf16ToUtf8(std::u16string{0xDE00, u'a', 0xD83D}));
}

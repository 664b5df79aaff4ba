// The conversions at the Win32 boundary: UTF-8 inside, UTF-16 for our own
// windows, code page 1252 for the host and the settings file.
#include <gtest/gtest.h>

#include <string>

#include "ui/text.h"

namespace {

// What code page 1252 puts at 0x80..0x9F. The five bytes it leaves unassigned
// map to the control characters of the same number, as Windows maps them.
const wchar_t kCp1252From80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

TEST(Widen, GivesUtf16OrOneReplacementForEachMalformedPieceAndNarrowGivesTheUtf8Back) {
    const struct { std::string utf8; std::wstring wide; } cases[] = {
        // A Latin-1 letter, the euro sign, a letter outside 1252, one outside
        // the basic plane (a surrogate pair), and a zero inside the text.
        {std::string("\u00E9\u20AC\u0142\U0001F600\0z", 13),
         {0x00E9, 0x20AC, 0x0142, 0xD83D, 0xDE00, 0, L'z'}},
        {"a\x80z", L"a\uFFFDz"},                 // a stray continuation byte
        {"a\xC3", L"a\uFFFD"},                   // cut short at the end
        {"\xE2\x82z", L"\uFFFDz"},               // cut short before a letter: one for both bytes
        {"\xC0\xAF", L"\uFFFD\uFFFD"},           // an overlong '/'
        {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"}, // a surrogate written in UTF-8
        {"\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {"\xFF\xFE", L"\uFFFD\uFFFD"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.wide, Widen(c.utf8)) << c.utf8;
    EXPECT_EQ(cases[0].utf8, Narrow(cases[0].wide));
    // Narrow gives one replacement for each lone surrogate.
    EXPECT_EQ("\uFFFDa\uFFFD", Narrow(std::wstring{0xDE00, L'a', 0xD83D}));
}

TEST(FromAnsi, GivesEachByteItsCodePage1252CharacterAndToAnsiTheByteBackOrAQuestionMark) {
    std::string all;
    for (int byte = 0; byte <= 0xFF; ++byte) {
        const bool inTable = byte >= 0x80 && byte < 0xA0;
        const wchar_t expected = inTable ? kCp1252From80[byte - 0x80] : wchar_t(byte);
        all += char(byte);
        EXPECT_EQ(std::wstring(1, expected), Widen(FromAnsi(all.substr(byte)))) << byte;
    }
    // The whole text at once, its NUL included.
    EXPECT_EQ(all, ToAnsi(FromAnsi(all)));
    // A character the code page lacks becomes '?', not a look-alike: best-fit
    // would give "l", "L", "a", "-" and '"'.
    EXPECT_EQ("a?b?c?d?e?f?g", ToAnsi("a\u0142b\u0141c\u0101d\u2212e\u201Ff\u4E2Dg"));
}

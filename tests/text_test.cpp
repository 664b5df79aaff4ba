// The code page at the Win32 boundary: code page 1252 for the host and the
// settings file, to and from the UTF-8 that the program keeps inside.
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

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

TEST(TextWiden, GivesUtf16AndNarrowGivesTheSameUtf8Back) {
    // A Latin-1 letter, the euro sign, a letter outside 1252 and one outside
    // the basic plane, which takes a surrogate pair.
    const std::string utf8 = "Caf\u00E9 \u20AC \u0142 \U0001F600";
    const std::wstring wide = {L'C', L'a', L'f', 0x00E9, L' ', 0x20AC, L' ', 0x0142, L' ',
                               0xD83D, 0xDE00};

    EXPECT_EQ(wide, Widen(utf8));
    EXPECT_EQ(utf8, Narrow(wide));
    EXPECT_EQ(utf8, Narrow(Widen(utf8)));
}

TEST(TextWiden, KeepsEmbeddedZerosAndEmptyText) {
    const std::string withZero("a\0b", 3);

    EXPECT_EQ(std::wstring(L"a\0b", 3), Widen(withZero));
    EXPECT_EQ(withZero, Narrow(std::wstring(L"a\0b", 3)));
    EXPECT_EQ(L"", Widen(""));
    EXPECT_EQ("", Narrow(L""));
}

TEST(ToAnsi, WritesCodePage1252Bytes) {
    EXPECT_EQ("v\xB9\xB7\xBA", ToAnsi("v\u00B9\u00B7\u00BA"));
    EXPECT_EQ("\x96", ToAnsi("\u2013"));  // en dash
    EXPECT_EQ("\x80", ToAnsi("\u20AC"));  // euro sign
    EXPECT_EQ("Caf\xE9 \xFF", ToAnsi("Caf\u00E9 \u00FF"));
    EXPECT_EQ("plain text", ToAnsi("plain text"));
    EXPECT_EQ("", ToAnsi(""));
}

TEST(ToAnsi, CharacterTheCodePageLacksBecomesAQuestionMark) {
    // Each of these has a look-alike in 1252 ("l", "L", "a", "-", "\"") that a
    // best-fit conversion would pick; the host must see '?' instead.
    EXPECT_EQ("?", ToAnsi("\u0142"));
    EXPECT_EQ("?", ToAnsi("\u0141"));
    EXPECT_EQ("?", ToAnsi("\u0101"));
    EXPECT_EQ("?", ToAnsi("\u2212"));
    EXPECT_EQ("?", ToAnsi("\u201F"));
    EXPECT_EQ("a?b", ToAnsi("a\u0142b"));
    EXPECT_EQ("x?y", ToAnsi("x\u4E2Dy"));
}

TEST(FromAnsi, GivesEachHighByteItsCodePage1252Character) {
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const wchar_t expected = byte < 0xA0 ? kCp1252From80[byte - 0x80] : wchar_t(byte);
        EXPECT_EQ(std::wstring(1, expected), Widen(FromAnsi(std::string(1, char(byte)))))
            << "byte " << std::hex << byte;
    }
}

TEST(FromAnsi, ReadsWholeTextAndEmptyText) {
    EXPECT_EQ("v\u00B9\u00B7\u00BA \u2013 \u20AC", FromAnsi("v\xB9\xB7\xBA \x96 \x80"));
    EXPECT_EQ(std::string("a\0b", 3), FromAnsi(std::string("a\0b", 3)));
    EXPECT_EQ("", FromAnsi(""));
}

TEST(FromAnsi, EveryByteComesBackFromToAnsi) {
    std::string all;
    for (int byte = 1; byte <= 0xFF; ++byte) all += char(byte);

    EXPECT_EQ(all, ToAnsi(FromAnsi(all)));
}

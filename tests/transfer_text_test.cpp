// Cutting the transfer window's texts: which characters each piece of the
// transfer line keeps. Positions below count characters from 1.
#include <gtest/gtest.h>

#include <string>

#include "idler/transfer_text.h"

namespace {

struct Cut {
    const char* text;
    const char* expected;
};

}  // namespace

TEST(CutFileName, KeepsWhatFollowsTheFirstGAndItsBlank) {
    const Cut cases[] = {
        {"Downloading song.mp3", "song.mp3"},
        {"Uploading song.mp3", "song.mp3"},
        // Only the first "g" counts; those in the name stay.
        {"Sending big song.ogg", "big song.ogg"},
        // A lead without a "g": the cut falls inside the name.
        {"Copied song.mp3", "mp3"},
        // Whatever stands after the "g" is dropped, blank or not.
        {"Downloading:song.mp3", "song.mp3"},
        {"Downloading  song.mp3", " song.mp3"},
        // Exact case: a capital G is no mark.
        {"DOWNLOADING g.mp3", "mp3"},
    };
    for (const Cut& c : cases) EXPECT_EQ(c.expected, CutFileName(c.text)) << c.text;
}

TEST(CutFileName, WithoutAGDropsOnlyTheFirstCharacter) {
    const Cut cases[] = {
        {"Fetched tune.mp3", "etched tune.mp3"},
        {"DOWNLOADING SONG.MP3", "OWNLOADING SONG.MP3"},
        {"x", ""},
        {"", ""},
    };
    for (const Cut& c : cases) EXPECT_EQ(c.expected, CutFileName(c.text)) << c.text;
}

TEST(CutFileName, ShortTextsAfterTheGGiveWhatIsLeft) {
    const Cut cases[] = {
        {"g", ""},
        {"Receiving", ""},
        {"Receiving ", ""},
        {"gX", ""},
        {"gXY", "Y"},
    };
    for (const Cut& c : cases) EXPECT_EQ(c.expected, CutFileName(c.text)) << c.text;
}

TEST(CutFileName, CountsCharactersOfSeveralBytesAsOne) {
    // A no-break space after the "g", and an accented first letter: one
    // character each, two bytes each in UTF-8.
    EXPECT_EQ("caf\u00E9.mp3", CutFileName("Downloading\u00A0caf\u00E9.mp3"));
    EXPECT_EQ("t\u00E9.mp3", CutFileName("\u00C9t\u00E9.mp3"));
}

TEST(CutPercent, KeepsWhatLiesBetweenTheDashAndItsBlankAndThePercentSign) {
    const Cut cases[] = {
        {"File Transfer - 45%", "45"},
        {"File Transfer - 0%", "0"},
        {"File Transfer - 100%", "100"},
        {"File Transfer - 45% of 3 MB", "45"},
        {"File Transfer - 45% - 50%", "45"},
        // The blank after the dash is dropped whatever it is; others stay.
        {"File Transfer -:45%", "45"},
        {"File Transfer -  45%", " 45"},
        {"File Transfer - %", ""},
        // A "%" before the dash is not the end.
        {"5% File Transfer - 45%", "45"},
        // The first dash counts, even inside a name.
        {"big-song.mp3 File Transfer - 45%", "ong.mp3 File Transfer - 45"},
    };
    for (const Cut& c : cases) EXPECT_EQ(c.expected, CutPercent(c.text)) << c.text;
}

TEST(CutPercent, WithoutAPercentSignKeepsTheRestWhole) {
    const Cut cases[] = {
        {"File Transfer - paused", "paused"},
        {"File Transfer - 45", "45"},
        {"File Transfer - ", ""},
        {"File Transfer -", ""},
        {"-", ""},
        {"-x", ""},
        {"-xy", "y"},
    };
    for (const Cut& c : cases) EXPECT_EQ(c.expected, CutPercent(c.text)) << c.text;
}

TEST(CutPercent, WithoutADashStartsAtTheSecondCharacter) {
    const Cut cases[] = {
        {"File Transfer 45%", "ile Transfer 45"},
        {"45%", "5"},
        {"%", ""},
        {"x%", ""},
        {"ab", "b"},
        {"x", ""},
        {"", ""},
    };
    for (const Cut& c : cases) EXPECT_EQ(c.expected, CutPercent(c.text)) << c.text;
}

TEST(CutPercent, CountsCharactersOfSeveralBytesAsOne) {
    EXPECT_EQ("45", CutPercent("File Transfer -\u00A045%"));
    EXPECT_EQ("45", CutPercent("\u00C945%"));
}

TEST(CutMinutesLeft, KeepsWhatLiesBetweenTheLeadAndMinutes) {
    const Cut cases[] = {
        {"About 12 minutes", " 12 "},
        {"About 1 minutes", " 1 "},
        {"About 12 minutes remaining", " 12 "},
        {"About 12 minutes, at most 20 minutes", " 12 "},
        {"Left:12minutes", "12"},
        {"About minutes", " "},
        {"Aboutminutes", ""},
        // The search starts after the lead.
        {"minutes 3 minutes", "es 3 "},
    };
    for (const Cut& c : cases) EXPECT_EQ(c.expected, CutMinutesLeft(c.text)) << c.text;
}

TEST(CutMinutesLeft, WithoutMinutesKeepsTheRestWhole) {
    const Cut cases[] = {
        {"About an hour", " an hour"},
        {"About 12 min", " 12 min"},
        // Exact case.
        {"About 12 Minutes", " 12 Minutes"},
        {"About 12 minute", " 12 minute"},
    };
    for (const Cut& c : cases) EXPECT_EQ(c.expected, CutMinutesLeft(c.text)) << c.text;
}

TEST(CutMinutesLeft, TextNoLongerThanTheLeadGivesNothing) {
    const Cut cases[] = {
        {"About ", " "},
        {"About", ""},
        {"Abou", ""},
        {"A", ""},
        {"", ""},
    };
    for (const Cut& c : cases) EXPECT_EQ(c.expected, CutMinutesLeft(c.text)) << c.text;
}

TEST(CutMinutesLeft, CountsCharactersOfSeveralBytesAsOne) {
    // Five characters in the lead, six bytes.
    EXPECT_EQ(" 12 ", CutMinutesLeft("\u00DCbrig 12 minutes"));
    EXPECT_EQ("\u00BD ", CutMinutesLeft("About\u00BD minutes"));
    EXPECT_EQ("", CutMinutesLeft("\u00C4\u00D6\u00DC\u00E4\u00F6"));
}

// Cutting the transfer window's texts: which characters each piece of the
// transfer line keeps, marks missing, texts shorter than the cut, and
// characters of several bytes counted as one.
#include <gtest/gtest.h>

#include <string>

#include "idler/transfer_text.h"

namespace {

struct Cut {
    const char *text, *expected;
};

}  // namespace

// The file name: what follows the first "g" and the character after it.
TEST(CutFileName, KeepsWhatFollowsTheFirstGAndTheCharacterAfterIt) {
    const Cut cases[] = {
        {"Downloading song.mp3", "song.mp3"},
        {"Sending big song.ogg", "big song.ogg"},  // only the first "g" counts
        {"Downloading:song.mp3", "song.mp3"},      // blank or not, it is dropped
        {"Downloading  song.mp3", " song.mp3"},    // but only one
        {"DOWNLOADING g.mp3", "mp3"},              // exact case: "G" is no mark
        {"Fetched tune.mp3", "etched tune.mp3"},   // no "g": all but the first
        {"g", ""}, {"gX", ""}, {"gXY", "Y"}, {"x", ""}, {"", ""},
        {"Downloading\u00A0caf\u00E9.mp3", "caf\u00E9.mp3"},  // no-break space: one
        {"\u00C9t\u00E9.mp3", "t\u00E9.mp3"},
    };
    for (const Cut& c : cases) EXPECT_EQ(c.expected, CutFileName(c.text)) << c.text;
}

// The percentage: from two after the first dash up to the "%".
TEST(CutPercent, KeepsFromTwoAfterTheFirstDashUpToThePercentSign) {
    const Cut cases[] = {
        {"File Transfer - 45%", "45"},
        {"File Transfer - 45% - 50%", "45"},  // the first "%" after the dash ends it
        {"5% File Transfer - 45%", "45"},     // one before the dash does not
        {"File Transfer -  45%", " 45"},      // only one character after it is dropped
        {"big-song.mp3 File Transfer - 45%", "ong.mp3 File Transfer - 45"},
        {"File Transfer - paused", "paused"},  // no "%": the rest whole
        {"-", ""}, {"-x", ""}, {"-xy", "y"},
        // No dash: from the second character.
        {"45%", "5"}, {"x", ""}, {"", ""},
        {"File Transfer -\u00A045%", "45"}, {"\u00C945%", "45"},
    };
    for (const Cut& c : cases) EXPECT_EQ(c.expected, CutPercent(c.text)) << c.text;
}

// The minutes left: from the sixth character up to "minutes".
TEST(CutMinutesLeft, KeepsFromTheSixthCharacterUpToMinutes) {
    const Cut cases[] = {
        {"About 12 minutes", " 12 "},
        {"About 12 minutes, at most 20 minutes", " 12 "},
        {"minutes 3 minutes", "es 3 "},       // the search starts after the lead
        {"About an hour", " an hour"},        // no "minutes": the rest whole
        {"About 12 Minutes", " 12 Minutes"},  // exact case
        {"About ", " "}, {"About", ""}, {"Abou", ""}, {"", ""},
        {"\u00DCbrig 12 minutes", " 12 "},  // a lead of five characters, six bytes
        {"\u00C4\u00D6\u00DC\u00E4\u00F6", ""},
    };
    for (const Cut& c : cases) EXPECT_EQ(c.expected, CutMinutesLeft(c.text)) << c.text;
}

// Cutting the transfer window's texts: which characters each piece of the
// transfer line keeps, marks missing, texts shorter than the cut, and
// characters of several bytes counted as one.
#include <gtest/gtest.h>

#include <string>

#include "idler/transfer_text.h"

TEST(TransferText, EachPieceKeepsItsCharactersCountingOneForSeveralBytes) {
    const struct { std::string (*cut)(std::string_view); const char *text, *expected; } cases[] = {
        // The file name: what follows the first "g" and the character after it.
        {CutFileName, "Downloading song.mp3", "song.mp3"},
        {CutFileName, "Sending big song.ogg", "big song.ogg"},  // only the first "g" counts
        {CutFileName, "Downloading:song.mp3", "song.mp3"},      // blank or not, it is dropped
        {CutFileName, "Downloading  song.mp3", " song.mp3"},    // but only one
        {CutFileName, "DOWNLOADING g.mp3", "mp3"},              // exact case: "G" is no mark
        {CutFileName, "Fetched tune.mp3", "etched tune.mp3"},   // no "g": all but the first
        {CutFileName, "g", ""}, {CutFileName, "gX", ""}, {CutFileName, "gXY", "Y"},
        {CutFileName, "x", ""}, {CutFileName, "", ""},
        {CutFileName, "Downloading\u00A0caf\u00E9.mp3", "caf\u00E9.mp3"},  // no-break space: one
        {CutFileName, "\u00C9t\u00E9.mp3", "t\u00E9.mp3"},
        // The percentage: from two after the first dash up to the "%".
        {CutPercent, "File Transfer - 45%", "45"},
        {CutPercent, "File Transfer - 45% - 50%", "45"},  // the first "%" after the dash ends it
        {CutPercent, "5% File Transfer - 45%", "45"},     // one before the dash does not
        {CutPercent, "File Transfer -  45%", " 45"},      // only one character after it is dropped
        {CutPercent, "big-song.mp3 File Transfer - 45%", "ong.mp3 File Transfer - 45"},
        {CutPercent, "File Transfer - paused", "paused"},  // no "%": the rest whole
        {CutPercent, "-", ""}, {CutPercent, "-x", ""}, {CutPercent, "-xy", "y"},
        // No dash: from the second character.
        {CutPercent, "45%", "5"}, {CutPercent, "x", ""}, {CutPercent, "", ""},
        {CutPercent, "File Transfer -\u00A045%", "45"}, {CutPercent, "\u00C945%", "45"},
        // The minutes left: from the sixth character up to "minutes".
        {CutMinutesLeft, "About 12 minutes", " 12 "},
        {CutMinutesLeft, "About 12 minutes, at most 20 minutes", " 12 "},
        {CutMinutesLeft, "minutes 3 minutes", "es 3 "},       // the search starts after the lead
        {CutMinutesLeft, "About an hour", " an hour"},        // no "minutes": the rest whole
        {CutMinutesLeft, "About 12 Minutes", " 12 Minutes"},  // exact case
        {CutMinutesLeft, "About ", " "}, {CutMinutesLeft, "About", ""},
        {CutMinutesLeft, "Abou", ""}, {CutMinutesLeft, "", ""},
        {CutMinutesLeft, "\u00DCbrig 12 minutes", " 12 "},  // a lead of five characters, six bytes
        {CutMinutesLeft, "\u00C4\u00D6\u00DC\u00E4\u00F6", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, c.cut(c.text)) << "case " << &c - cases;
}

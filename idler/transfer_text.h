// Cutting the transfer window's texts into what the transfer line shows.
// Positions count characters, not bytes: the texts are UTF-8 here, and the
// host's code page may have put a character of several bytes anywhere.
#pragma once

#include <string>
#include <string_view>

// The file line is a word ending in "g", a blank and the name: the name is
// everything from two characters after the first "g" ("Downloading song.mp3"
// gives "song.mp3"). Without a "g", all but the first character.
std::string CutFileName(std::string_view fileLine);

// The window's caption ends "- 45%": the percent is everything from two
// characters after the first "-" up to the first "%" after that ("45").
// Without a "%", everything after the "-" and the blank; without a "-", all
// but the first character.
std::string CutPercent(std::string_view caption);

// The time line is a five-character lead, the minutes left and "minutes": the
// minutes are everything from the sixth character up to the first "minutes"
// after it, blanks kept ("About 12 minutes" gives " 12 "). Without "minutes",
// everything from the sixth character on.
std::string CutMinutesLeft(std::string_view timeLine);

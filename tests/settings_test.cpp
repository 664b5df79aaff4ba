// The settings file in the root of the test's own drive: what start-up loads,
// what a dialog's save gives back, and what each exit leaves in the file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/store.h"
#include "tests/support.h"

namespace {

// The file's non-blank lines, whatever their line ends: blanks around the
// sections and the line ends are the profile functions' business.
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : bytes) {
        if (c == '\r' || c == '\n') {
            if (!line.empty()) lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::string Read(const char* key) { return ReadSetting(kSettingsSection, key, kSettingsFile); }

// Every field different, so a value written under the wrong key shows.
Settings Distinct() {
    Settings s;
    s.handle = "h";
    s.handleEdit = "he";
    s.reason = "r";
    s.leftAscii = "la";
    s.rightAscii = "ra";
    s.leftAsciiSaved = "ls";
    s.rightAsciiSaved = "rs";
    s.totalDays = "1";
    s.totalHours = "2";
    s.totalMinutes = "3";
    return s;
}

// Decorations saved by their dialogs in an earlier run.
const char kSavedDecorations[] = "[norq idle]\r\nleft-ascii=L\r\nright-ascii=R\r\n";

}  // namespace

TEST(LoadSettings, WithoutAFileEveryFieldIsEmpty) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());
    Settings s;
    s.handle = s.handleEdit = s.reason = s.leftAscii = s.rightAscii = "design";
    // The hidden total fields hold "0" until the load replaces them.
    s.totalDays = s.totalHours = s.totalMinutes = "0";

    LoadSettings(s);

    EXPECT_EQ("", s.handle);
    EXPECT_EQ("", s.handleEdit);
    EXPECT_EQ("", s.reason);
    EXPECT_EQ("", s.leftAscii);
    EXPECT_EQ("", s.rightAscii);
    EXPECT_EQ("", s.totalDays);
    EXPECT_EQ("", s.totalHours);
    EXPECT_EQ("", s.totalMinutes);
    // Reading never creates the file.
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(drive.SettingsPath().c_str()));
}

TEST(LoadSettings, ReadsEveryKeyIntoItsField) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());
    WriteFileBytes(drive.SettingsPath(),
                   "[norq idle]\r\nhandle=Hal\r\nleft-ascii=<<\r\nright-ascii=>>\r\n"
                   "reason=out\r\ntotal days=4\r\ntotal hours=05\r\ntotal minutes=59\r\n");
    Settings s;

    LoadSettings(s);

    EXPECT_EQ("Hal", s.handle);
    EXPECT_EQ("Hal", s.handleEdit);
    EXPECT_EQ("<<", s.leftAscii);
    EXPECT_EQ(">>", s.rightAscii);
    EXPECT_EQ("out", s.reason);
    EXPECT_EQ("4", s.totalDays);
    EXPECT_EQ("05", s.totalHours);  // text as the file holds it, not a number
    EXPECT_EQ("59", s.totalMinutes);
    // Only a dialog's save in this run sets the saved decorations.
    EXPECT_EQ("", s.leftAsciiSaved);
    EXPECT_EQ("", s.rightAsciiSaved);
}

TEST(LoadSettings, DecorationsComeFromTheHyphenKeysOnly) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());
    // The keys with a blank are an exit's record, edited here by hand.
    WriteFileBytes(drive.SettingsPath(), "[norq idle]\r\nleft ascii=A\r\nright ascii=B\r\n");
    Settings s;
    LoadSettings(s);
    EXPECT_EQ("", s.leftAscii);
    EXPECT_EQ("", s.rightAscii);

    WriteFileBytes(drive.SettingsPath(), "[norq idle]\r\nleft ascii=A\r\nright ascii=B\r\n"
                                         "left-ascii=C\r\nright-ascii=D\r\n");
    Settings next;
    LoadSettings(next);
    EXPECT_EQ("C", next.leftAscii);
    EXPECT_EQ("D", next.rightAscii);
}

TEST(ReadSetting, MissingFileSectionOrKeyReadsEmpty) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());
    EXPECT_EQ("", Read("handle"));

    WriteFileBytes(drive.SettingsPath(), "[other]\r\nhandle=elsewhere\r\n");
    EXPECT_EQ("", Read("handle"));

    WriteFileBytes(drive.SettingsPath(), "[norq idle]\r\nreason=away\r\n");
    EXPECT_EQ("", Read("handle"));
    EXPECT_EQ("away", Read("reason"));
}

TEST(ReadSetting, FindsAKeySpelledInCapitalsByHand) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());
    WriteFileBytes(drive.SettingsPath(), "[norq idle]\r\nHANDLE=x\r\nLeft-Ascii=y\r\n");

    EXPECT_EQ("x", Read("handle"));
    Settings s;
    LoadSettings(s);
    EXPECT_EQ("x", s.handle);
    EXPECT_EQ("y", s.leftAscii);
}

TEST(ReadSetting, LowerCasesTheKeyItIsGiven) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());
    // Lower-case keys beyond plain ASCII: "\x9A" is s with caron and "\x9C"
    // is oe in the code page. Wine's profile functions ignore case in plain
    // ASCII only, so there the capital key finds these only once lowered.
    WriteFileBytes(drive.SettingsPath(),
                   "[norq idle]\r\n\x9A" "ef=one\r\n\x9C" "uvre=two\r\n");

    EXPECT_EQ("one", Read("\u0160EF"));
    EXPECT_EQ("two", Read("\u0152uvre"));
    EXPECT_EQ("one", Read("\u0161ef"));
}

TEST(StoreSetting, ReturnsWhatTheFileGivesBack) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());

    EXPECT_EQ("Hal", StoreSetting("handle", "Hal"));
    EXPECT_EQ("back soon", StoreSetting("reason", "back soon"));
    EXPECT_EQ("Hal 2", StoreSetting("handle", "Hal 2"));  // a second save replaces the first

    EXPECT_EQ((std::vector<std::string>{"[norq idle]", "handle=Hal 2", "reason=back soon"}),
              Lines(ReadFileBytes(drive.SettingsPath())));
}

TEST(StoreSetting, LongValueComesBackAsItsFirst254Characters) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());
    // Digits in turn, so a cut one place off shows.
    std::string typed;
    for (int i = 0; i < 300; ++i) typed += char('0' + i % 10);
    const std::string first254 = typed.substr(0, 254);

    EXPECT_EQ(first254, StoreSetting("reason", typed));
    // The file keeps all of it; only reading cuts.
    EXPECT_EQ((std::vector<std::string>{"[norq idle]", "reason=" + typed}),
              Lines(ReadFileBytes(drive.SettingsPath())));

    Settings s;
    LoadSettings(s);
    EXPECT_EQ(first254, s.reason);

    EXPECT_EQ(first254, StoreSetting("handle", typed.substr(0, 255)));
    EXPECT_EQ(first254, StoreSetting("handle", first254));
    EXPECT_EQ(typed.substr(0, 253), StoreSetting("handle", typed.substr(0, 253)));
}

TEST(StoreSetting, UnwritableFileKeepsTheOldValue) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());
    const std::string before = "[norq idle]\r\nreason=old\r\n";
    WriteFileBytes(drive.SettingsPath(), before);
    ASSERT_TRUE(SetFileAttributesA(drive.SettingsPath().c_str(), FILE_ATTRIBUTE_READONLY));
    // Wine run by root writes a read-only file all the same, so the file is
    // also held open for reading only, which no write gets past.
    HANDLE lock = CreateFileA(drive.SettingsPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);

    const std::string oldReason = StoreSetting("reason", "typed");
    const std::string newHandle = StoreSetting("handle", "typed");
    Settings s;
    LoadSettings(s);
    const std::string after = ReadFileBytes(drive.SettingsPath());
    CloseHandle(lock);

    EXPECT_EQ("old", oldReason);
    EXPECT_EQ("", newHandle);
    EXPECT_EQ("old", s.reason);
    EXPECT_EQ("", s.handle);
    EXPECT_EQ(before, after);
}

TEST(StoreSetting, TextTravelsInTheCodePage) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());

    // The version mark and the euro sign are single bytes of code page 1252;
    // a letter that the code page lacks becomes '?', not a look-alike "l".
    const std::string mark = "v\u00B9\u00B7\u00BA \u20AC";
    EXPECT_EQ(mark, StoreSetting("left-ascii", mark));
    EXPECT_EQ("a?b", StoreSetting("reason", "a\u0142b"));

    EXPECT_EQ((std::vector<std::string>{"[norq idle]", "left-ascii=v\xB9\xB7\xBA \x80",
                                        "reason=a?b"}),
              Lines(ReadFileBytes(drive.SettingsPath())));
}

TEST(SaveSettingsOnExit, MenuExitWritesTheSavedDecorationsAndNoTotals) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());
    WriteFileBytes(drive.SettingsPath(), kSavedDecorations);

    SaveSettingsOnExit(Distinct(), ExitKind::kMenu);

    // New keys go to the end of the section, so the lines show the order.
    EXPECT_EQ((std::vector<std::string>{"[norq idle]", "left-ascii=L", "right-ascii=R", "handle=h",
                                        "left ascii=ls", "right ascii=rs", "reason=r"}),
              Lines(ReadFileBytes(drive.SettingsPath())));
}

TEST(SaveSettingsOnExit, MenuExitWithoutASaveInThisRunWritesEmptyDecorations) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());
    WriteFileBytes(drive.SettingsPath(), kSavedDecorations);
    Settings s;
    LoadSettings(s);
    s.handle = "h";
    s.reason = "r";
    s.leftAscii = "typed but never saved";

    SaveSettingsOnExit(s, ExitKind::kMenu);

    EXPECT_EQ((std::vector<std::string>{"[norq idle]", "left-ascii=L", "right-ascii=R", "handle=h",
                                        "left ascii=", "right ascii=", "reason=r"}),
              Lines(ReadFileBytes(drive.SettingsPath())));
    Settings next;
    LoadSettings(next);
    EXPECT_EQ("L", next.leftAscii);
    EXPECT_EQ("R", next.rightAscii);
}

TEST(SaveSettingsOnExit, WindowExitWritesTheDecorationsInUseAndTheTotals) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());
    WriteFileBytes(drive.SettingsPath(), kSavedDecorations);

    SaveSettingsOnExit(Distinct(), ExitKind::kWindow);

    EXPECT_EQ((std::vector<std::string>{"[norq idle]", "left-ascii=L", "right-ascii=R", "handle=h",
                                        "left ascii=la", "right ascii=ra", "reason=r",
                                        "total hours=2", "total minutes=3", "total days=1"}),
              Lines(ReadFileBytes(drive.SettingsPath())));
}

TEST(SaveSettingsOnExit, WindowExitWritesTheLoadedTotalsBackUnchanged) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());
    WriteFileBytes(drive.SettingsPath(), "[norq idle]\r\nhandle=Hal\r\ntotal days=12\r\n"
                                         "total hours=05\r\ntotal minutes=007\r\n");
    Settings s;
    LoadSettings(s);

    SaveSettingsOnExit(s, ExitKind::kWindow);

    EXPECT_EQ((std::vector<std::string>{"[norq idle]", "handle=Hal", "total days=12",
                                        "total hours=05", "total minutes=007", "left ascii=",
                                        "right ascii=", "reason="}),
              Lines(ReadFileBytes(drive.SettingsPath())));
}

TEST(SaveSettingsOnExit, WindowExitWithoutTotalsWritesThemEmpty) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());
    Settings s;
    LoadSettings(s);
    s.handle = "Hal";

    SaveSettingsOnExit(s, ExitKind::kWindow);

    // Empty, as loaded: never the hidden fields' "0".
    EXPECT_EQ((std::vector<std::string>{"[norq idle]", "handle=Hal", "left ascii=", "right ascii=",
                                        "reason=", "total hours=", "total minutes=",
                                        "total days="}),
              Lines(ReadFileBytes(drive.SettingsPath())));
}

// The settings file in the root of the test's own drive (or, where a root
// takes no file, in the application-data folder): what start-up loads, what a
// dialog's save gives back, and what each exit leaves in the file.
#include <gtest/gtest.h>

#include "settings/store.h"
#include "tests/support.h"

namespace {

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(drive_.ok()); }
    std::string Path() const { return drive_.SettingsPath(); }
    void Store(const std::string& bytes) { WriteFileBytes(Path(), bytes); }

    // The file's lines, each ended by "\n": blank lines around the sections
    // and the line ends are the profile functions' business.
    std::string Stored(const std::string& path = "") const {
        std::string lines;
        for (char c : ReadFileBytes(path.empty() ? Path() : path))
            if (c != '\r' && (c != '\n' || (!lines.empty() && lines.back() != '\n'))) lines += c;
        return lines;
    }

    OnTestDrive drive_;
};

}  // namespace

TEST_F(SettingsFile, SavesGiveBackWhatTheFileHoldsCutTo254InTheCodePage) {
    // Digits in turn, so a cut one place off shows.
    std::string typed;
    for (int i = 0; i < 300; ++i) typed += char('0' + i % 10);
    // The version mark and the euro sign are single bytes of code page 1252;
    // a letter that the code page lacks becomes '?', not a look-alike "l".
    const std::string mark = "v\u00B9\u00B7\u00BA \u20AC";

    EXPECT_EQ(typed.substr(0, 254), StoreSetting("reason", typed));
    EXPECT_EQ(mark, StoreSetting("left-ascii", mark));
    EXPECT_EQ("a?b", StoreSetting("handle", "a\u0142b"));

    // The file keeps all of it; only reading cuts.
    EXPECT_EQ("[norq idle]\nreason=" + typed + "\nleft-ascii=v\xB9\xB7\xBA \x80\nhandle=a?b\n",
              Stored());
    Settings s;
    LoadSettings(s);
    EXPECT_EQ(typed.substr(0, 254), s.reason);
    EXPECT_EQ(mark, s.leftAscii);
}

TEST_F(SettingsFile, LoadReplacesEveryFieldFindsKeysInAnyCaseAndDecorationsOnlyUnderHyphenKeys) {
    const std::pair<const char*, Settings> kFiles[] = {
        {nullptr, {}},  // no file: every field empty, the hidden totals' "0" too
        // The keys with a blank are an exit's record, edited here by hand.
        {"[norq idle]\r\nHANDLE=x\r\nleft ascii=A\r\nright ascii=B\r\n",
         {"x", "x", "", "", "", "", "", "", "", "", ""}},
        {"[norq idle]\r\nleft ascii=A\r\nright ascii=B\r\nLeft-Ascii=C\r\nright-ascii=D\r\n",
         {"", "", "", "C", "D", "", "", "", "", "", ""}},
    };
    // What start-up loads: all but the decorations as saved in this run.
    const std::pair<const char*, std::string Settings::*> kLoaded[] = {
        {"handle", &Settings::handle}, {"handle's field", &Settings::handleEdit},
        {"reason", &Settings::reason}, {"left ascii", &Settings::leftAscii},
        {"right ascii", &Settings::rightAscii}, {"total days", &Settings::totalDays},
        {"total hours", &Settings::totalHours}, {"total minutes", &Settings::totalMinutes},
        {"auto idle", &Settings::autoIdle}};
    for (const auto& [file, loaded] : kFiles) {
        if (file) Store(file);
        Settings s = {"x", "x", "x", "x", "x", "", "", "0", "0", "0", "x"};  // values from before
        LoadSettings(s);
        for (const auto& [name, field] : kLoaded)
            EXPECT_EQ(loaded.*field, s.*field) << name << " from " << (file ? file : "no file");
        // Reading never creates the file.
        EXPECT_EQ(!file, GetFileAttributesA(Path().c_str()) == INVALID_FILE_ATTRIBUTES);
    }
}

TEST_F(SettingsFile, EachExitWritesExactlyItsKeysInOrder) {
    // Decorations saved by their dialogs in an earlier run stay first; new
    // keys go to the end of the section, so the lines show the order.
    const std::string earlier = "[norq idle]\nleft-ascii=L\nright-ascii=R\nhandle=h\n";
    const std::pair<ExitKind, std::string> exits[] = {
        {ExitKind::kMenu, earlier + "left ascii=ls\nright ascii=rs\nreason=r\n"},
        {ExitKind::kWindow, earlier + "left ascii=la\nright ascii=ra\nreason=r\n"
                                      "total hours=2\ntotal minutes=3\ntotal days=1\n"},
    };
    for (const auto& [kind, lines] : exits) {
        Store("[norq idle]\r\nleft-ascii=L\r\nright-ascii=R\r\n");
        // Every field different, so a value written under the wrong key shows:
        // handle, its field, reason, decorations in use, as saved, days, hours,
        // minutes; auto idle, which only its dialog writes.
        SaveSettingsOnExit({"h", "he", "r", "la", "ra", "ls", "rs", "1", "2", "3", "9"}, kind);
        EXPECT_EQ(lines, Stored()) << (kind == ExitKind::kMenu ? "menu" : "window");
    }
}

TEST_F(SettingsFile, AFileThatCannotBeWrittenKeepsTheOldValue) {
    const std::string before = "[norq idle]\r\nreason=old\r\n";
    Store(before);
    ASSERT_TRUE(SetFileAttributesA(Path().c_str(), FILE_ATTRIBUTE_READONLY));
    // Wine run by root writes a read-only file all the same, so the file is
    // also held open for reading only, which no write gets past.
    HANDLE lock = CreateFileA(Path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);

    EXPECT_EQ("old", StoreSetting("reason", "typed"));
    EXPECT_EQ(before, ReadFileBytes(Path()));
    CloseHandle(lock);
}

TEST_F(SettingsFile, WhereTheRootTakesNoFileItLivesInTheApplicationDataFolderUntilTheRootHasOne) {
    const std::string appData = OnTestDrive::AppDataSettingsPath();
    ASSERT_TRUE(SetCurrentDirectoryA((LockedDrive() + "\\").c_str()));
    EXPECT_EQ("Ann", StoreSetting("handle", "Ann"));
    SaveSettingsOnExit({"Ann", "", "away", "", "", "", "", "", "", "", ""}, ExitKind::kMenu);
    EXPECT_EQ("[norq idle]\nhandle=Ann\nleft ascii=\nright ascii=\nreason=away\n", Stored(appData));

    // Once there, it stays there for a root that could take a new file.
    ASSERT_TRUE(SetCurrentDirectoryA((TestDrive() + "\\").c_str()));
    Settings s;
    LoadSettings(s);
    EXPECT_EQ("Ann", s.handle);
    EXPECT_EQ("away", s.reason);
    EXPECT_EQ("Bo", StoreSetting("handle", "Bo"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(Path().c_str()));

    // A file in the root comes first.
    Store("[norq idle]\r\nhandle=Cy\r\n");
    LoadSettings(s);
    EXPECT_EQ("Cy", s.handle);
    EXPECT_EQ("", s.reason);
    EXPECT_EQ("x", StoreSetting("reason", "x"));
    EXPECT_EQ("[norq idle]\nhandle=Cy\nreason=x\n", Stored());
}

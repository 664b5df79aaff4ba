// The player's folder paths: the entries the folder list shows, from the
// root down and then the subfolders, and the pattern that lists a folder.
#include <gtest/gtest.h>

#include <ostream>

#include "player/folders.h"

bool operator==(const FolderEntry& a, const FolderEntry& b) {
    return a.name == b.name && a.path == b.path && a.depth == b.depth;
}

void PrintTo(const FolderEntry& e, std::ostream* out) {
    *out << "{" << testing::PrintToString(e.name) << ", " << testing::PrintToString(e.path)
         << ", depth " << e.depth << "}";
}

TEST(FolderEntries, ListRootToFolderThenItsSubfolders) {
    const struct {
        const wchar_t* folder;
        std::vector<std::wstring> subfolders;
        std::vector<FolderEntry> shown;
    } cases[] = {
        {L"M:\\", {L"a", L"b"}, {{L"M:\\", L"M:\\", 0}, {L"a", L"M:\\a", 1}, {L"b", L"M:\\b", 1}}},
        {L"M:\\music\\rock", {L"live"},
         {{L"M:\\", L"M:\\", 0}, {L"music", L"M:\\music", 1}, {L"rock", L"M:\\music\\rock", 2},
          {L"live", L"M:\\music\\rock\\live", 3}}},
        // A share's root is the server and the share.
        {L"\\\\host\\share\\x", {},
         {{L"\\\\host\\share\\", L"\\\\host\\share\\", 0}, {L"x", L"\\\\host\\share\\x", 1}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, FolderEntries(c.folder, c.subfolders)) << testing::PrintToString(c.folder);
}

TEST(FolderPattern, ARootKeepsItsOneBackslash) {
    EXPECT_EQ(L"m:\\*", FolderPattern(L"m:\\"));
    EXPECT_EQ(L"m:\\music\\*", FolderPattern(L"m:\\music"));
    EXPECT_EQ(L"\\\\host\\share\\*", FolderPattern(L"\\\\host\\share\\"));
}

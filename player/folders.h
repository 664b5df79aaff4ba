// Folder paths as the player's two lists use them, apart from the file
// system: how much of a path is its root, the entries the folder list shows,
// and the pattern that lists a folder's contents.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// How much of path is its root: "m:\", or "\\server\share\".
size_t RootLength(const std::wstring& path);

// What the folder list shows for folder: the folders from its root down to
// folder itself, then folder's subfolders as given; each entry with its path
// and its depth, for the indent.
struct FolderEntry {
    std::wstring name, path;
    int depth;
};
std::vector<FolderEntry> FolderEntries(const std::wstring& folder,
                                       const std::vector<std::wstring>& subfolders);

// Everything in folder: a root ("m:\") keeps its backslash, and the pattern
// gets one only when needed.
std::wstring FolderPattern(const std::wstring& folder);

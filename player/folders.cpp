#include "player/folders.h"

size_t RootLength(const std::wstring& path) {
    if (path.compare(0, 2, L"\\\\") == 0) {
        size_t end = path.find(L'\\', path.find(L'\\', 2) + 1);
        return end == std::wstring::npos ? path.size() : end + 1;
    }
    return path.size() >= 3 && path[1] == L':' ? 3 : path.size();
}

std::vector<FolderEntry> FolderEntries(const std::wstring& folder,
                                       const std::vector<std::wstring>& subfolders) {
    const size_t root = RootLength(folder);
    std::vector<FolderEntry> entries = {{folder.substr(0, root), folder.substr(0, root), 0}};
    for (size_t start = root; start < folder.size();) {
        size_t end = folder.find(L'\\', start);
        if (end == std::wstring::npos) end = folder.size();
        if (end > start)
            entries.push_back({folder.substr(start, end - start), folder.substr(0, end),
                               (int)entries.size()});
        start = end + 1;
    }
    const std::wstring opened = entries.back().path;
    const std::wstring joint = opened.back() == L'\\' ? L"" : L"\\";
    const int depth = entries.back().depth + 1;
    for (const std::wstring& name : subfolders) entries.push_back({name, opened + joint + name, depth});
    return entries;
}

std::wstring FolderPattern(const std::wstring& folder) {
    return folder + (!folder.empty() && folder.back() == L'\\' ? L"*" : L"\\*");
}

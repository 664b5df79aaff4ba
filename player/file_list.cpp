#include "player/file_list.h"

#include <algorithm>

#include "player/folders.h"
#include "ui/text.h"

namespace {

bool LessIgnoringCase(const std::wstring& a, const std::wstring& b) {
    // A string sort, so that a hyphen or an apostrophe counts as the
    // character it is; case matters only between names equal without it.
    const int order = CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE | SORT_STRINGSORT,
                                     a.c_str(), -1, b.c_str(), -1);
    return order == CSTR_LESS_THAN || (order == CSTR_EQUAL && a < b);
}

}  // namespace

bool ListFolder(const std::wstring& folder, bool subfolders, std::vector<std::wstring>& names) {
    names.clear();
    WIN32_FIND_DATAW found;
    // A drive without media fails here quietly instead of asking the user.
    const UINT errorMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    HANDLE search = FindFirstFileW(FolderPattern(folder).c_str(), &found);
    const DWORD error = GetLastError();
    SetErrorMode(errorMode);
    // An empty drive root has nothing at all, not even "." and "..".
    if (search == INVALID_HANDLE_VALUE) return error == ERROR_FILE_NOT_FOUND;
    do {
        const DWORD a = found.dwFileAttributes;
        const bool dots = !lstrcmpW(found.cFileName, L".") || !lstrcmpW(found.cFileName, L"..");
        if (!(a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) && !dots &&
            !(a & FILE_ATTRIBUTE_DIRECTORY) == !subfolders)
            names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return true;
}

std::wstring CurrentFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    return folder;
}

// Thousands of names go in without a redraw each, into storage made once.
void FileList::Show(const std::string& folder) {
    folder_ = folder;
    std::vector<std::wstring> names;
    ListFolder(Widen(folder), false, names);
    size_t characters = 0;
    for (const std::wstring& n : names) characters += n.size() + 1;
    SendMessageW(box_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(box_, LB_RESETCONTENT, 0, 0);
    SendMessageW(box_, LB_INITSTORAGE, names.size(), characters * sizeof(wchar_t));
    for (const std::wstring& n : names) SendMessageW(box_, LB_ADDSTRING, 0, (LPARAM)n.c_str());
    SendMessageW(box_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box_, nullptr, TRUE);
}

int FileList::count() const { return (int)SendMessageW(box_, LB_GETCOUNT, 0, 0); }

int FileList::selected() const { return (int)SendMessageW(box_, LB_GETCURSEL, 0, 0); }

void FileList::Select(int index) { SendMessageW(box_, LB_SETCURSEL, index, 0); }

std::string FileList::name(int index) const {
    const LRESULT length = SendMessageW(box_, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return "";
    std::wstring text(length + 1, L'\0');
    text.resize(SendMessageW(box_, LB_GETTEXT, index, (LPARAM)text.data()));
    return Narrow(text);
}

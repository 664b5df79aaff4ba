#include "player/folder_picker.h"

#include "player/file_list.h"
#include "player/glyphs.h"
#include "ui/controls.h"
#include "ui/text.h"
#include "ui/twips.h"

namespace {

constexpr wchar_t kClassName[] = L"norq idle folders";
constexpr wchar_t kCaption[] = L"norq idler v\u00B9 - directory selection";
constexpr int kClientWidth = 2895, kClientHeight = 2640;
constexpr TwipsRect kDrivesPlace = {120, 360, 2655, 315};
constexpr TwipsRect kFoldersPlace = {120, 720, 2655, 1440};
constexpr int kDriveListLines = 8;
constexpr COLORREF kCloseColour = RGB(128, 128, 128);

const LabelLayout kLabels[] = {
    {kPickerTitle, L" norq idler v\u00B9 - directory selection", {0, 0, 2175, 255}, LabelFlags::kPlain},
    {kPickerMinimize, L"-", {2520, 0, 135, 255}, LabelFlags::kButton, L"minimize"},
    {kPickerClose, L"x", {2640, 0, 135, 255}, LabelFlags::kButton, L"exit"},
    {kPickerOk, L" ok", {960, 2280, 375, 255}, LabelFlags::kButton | LabelFlags::kBordered},
    {kPickerExit, L" exit", {1440, 2280, 375, 255}, LabelFlags::kButton | LabelFlags::kBordered},
};

HWND Drives(HWND picker) { return GetDlgItem(picker, kPickerDrives); }
HWND Folders(HWND picker) { return GetDlgItem(picker, kPickerFolders); }

}  // namespace

std::wstring StartFolder(const std::wstring& current) {
    const DWORD attributes = GetFileAttributesW(current.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)
               ? current
               : current.substr(0, RootLength(current));
}

FolderPicker::FolderPicker(std::function<void(const std::string&)> ok,
                           std::function<void()> leave)
    : ok_(std::move(ok)), leave_(std::move(leave)) {}

std::string FolderPicker::folder() const { return Narrow(folder_); }

bool FolderPicker::OpenFolder(std::wstring path) {
    std::vector<std::wstring> subfolders;
    if (!ListFolder(path, true, subfolders)) return false;
    entries_ = FolderEntries(path, subfolders);
    folder_ = path;
    HWND list = Folders(Handle());
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    int opened = 0;
    for (size_t i = 0; i < entries_.size(); ++i) {
        const FolderEntry& e = entries_[i];
        SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)(std::wstring(2 * e.depth, L' ') + e.name).c_str());
        if (e.path == folder_) opened = (int)i;
    }
    SendMessageW(list, LB_SETCURSEL, opened, 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    ShowDrive();
    return true;
}

// The drive list shows the drive of the folder list's folder, also after a drive that could not
// be opened was chosen.
void FolderPicker::ShowDrive() {
    const std::wstring drive = folder_.size() >= 2 && folder_[1] == L':' ? folder_.substr(0, 2) : L"";
    SendMessageW(Drives(hwnd()), CB_SETCURSEL,
                 drive.empty() ? -1 : SendMessageW(Drives(hwnd()), CB_FINDSTRING, -1, (LPARAM)drive.c_str()),
                 0);
}

// An empty drive or one without media leaves the folder list where it was, and no box
// comes up.
void FolderPicker::OpenDrive() {
    const LRESULT chosen = SendMessageW(Drives(hwnd()), CB_GETCURSEL, 0, 0);
    wchar_t drive[8] = {};
    if (chosen == CB_ERR || SendMessageW(Drives(hwnd()), CB_GETLBTEXTLEN, chosen, 0) > 4) return;
    SendMessageW(Drives(hwnd()), CB_GETLBTEXT, chosen, (LPARAM)drive);
    if (!OpenFolder(std::wstring(drive) + L"\\")) ShowDrive();
}

void FolderPicker::OnCommand(int id, int code) {
    switch (id) {
    case kPickerOk:
        if (code == STN_CLICKED) ok_(folder());
        break;
    case kPickerExit:
    case kPickerClose:
        if (code == STN_CLICKED) leave_();
        break;
    case kPickerMinimize:
        if (code == STN_CLICKED) ShowWindow(hwnd(), SW_MINIMIZE);
        break;
    case kPickerDrives:
        if (code == CBN_SELCHANGE) OpenDrive();
        break;
    case kPickerFolders:
        // A folder deleted since it was listed: the folder list is shown afresh.
        if (code == LBN_DBLCLK) {
            const LRESULT at = SendMessageW(Folders(hwnd()), LB_GETCURSEL, 0, 0);
            if (at >= 0 && at < (LRESULT)entries_.size() && !OpenFolder(entries_[at].path))
                OpenFolder(folder_);
        }
        break;
    }
}

void FolderPicker::Create() {
    font_ = std::make_unique<Font>(L"Arial", 8);
    if (!CreateCentred(kClassName, WS_EX_APPWINDOW, kBorderlessStyle, kCaption, kClientWidth,
                       kClientHeight))
        return;
    CreateLabels(hwnd(), kLabels, font_->get());
    HWND title = GetDlgItem(hwnd(), kPickerTitle);
    titleFont_ = FitTitle(title, GetDlgItem(hwnd(), kPickerMinimize), L"Arial", 8);
    AddStyle(title, SS_LEFTNOWORDWRAP);
    RECT d = kDrivesPlace.Pixels();
    d.bottom += (d.bottom - d.top) * kDriveListLines;
    HWND drives = CreateChild(hwnd(), kPickerDrives, L"COMBOBOX", L"",
                              WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, d, font_->get());
    HWND folders = CreateChild(hwnd(), kPickerFolders, L"LISTBOX", L"",
                               WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                               WS_EX_CLIENTEDGE, kFoldersPlace.Pixels(), font_->get());
    TabAfter(drives, GetDlgItem(hwnd(), kPickerClose));
    TabAfter(folders, drives);
    // "m:" for each drive, as the drive list shows them.
    wchar_t roots[512] = {};
    GetLogicalDriveStringsW(511, roots);
    for (const wchar_t* root = roots; *root; root += lstrlenW(root) + 1) {
        wchar_t drive[3] = {root[0], L':', 0};
        CharLowerBuffW(drive, 1);
        SendMessageW(drives, CB_ADDSTRING, 0, (LPARAM)drive);
    }
    // The folder list never changes the program's current folder.
    folder_ = StartFolder(CurrentFolder());
    OpenFolder(folder_);
}

LRESULT FolderPicker::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC: {
        HDC dc = (HDC)wParam;
        SetTextColor(dc, GetDlgCtrlID((HWND)lParam) == kPickerClose
                             ? kCloseColour
                             : GetSysColor(COLOR_HIGHLIGHTTEXT));
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        return (LRESULT)GetSysColorBrush(COLOR_HIGHLIGHT);
    }
    case WM_ERASEBKGND:
        PaintSurface(hwnd(), (HDC)wParam, GetDlgItem(hwnd(), kPickerTitle));
        return 1;
    case WM_CLOSE:
        leave_();
        return 0;
    case WM_KEYDOWN:
        // Esc leaves as "x" does.
        if (wParam == VK_ESCAPE) leave_();
        return 0;
    }
    if (dragger_.Handle(hwnd(), message, lParam)) return 0;
    return Window::HandleMessage(message, wParam, lParam);
}

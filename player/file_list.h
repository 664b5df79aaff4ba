// The player's file list: a list box of every file of one folder,
// hidden and system files left out, sorted by name without regard to case.
// The folder, the entries and the selection are the list's own.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "player/commands.h"

// The names in folder that a list shows: its files, or its subfolders, with
// hidden and system ones left out, sorted by name without regard to case.
// False when the folder cannot be read (gone, or a drive without media).
bool ListFolder(const std::wstring& folder, bool subfolders, std::vector<std::wstring>& names);
// The program's current folder, where both lists start; neither changes it.
std::wstring CurrentFolder();

class FileList : public Playlist {
public:
    void Attach(HWND listBox) { box_ = listBox; }
    // Shows folder's files with nothing selected; playback is none of its
    // business.
    void Show(const std::string& folder);

    std::string folder() const override { return folder_; }
    int count() const override;
    int selected() const override;
    void Select(int index) override;
    std::string name(int index) const override;

private:
    HWND box_ = nullptr;
    std::string folder_;
};

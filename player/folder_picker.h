// The folder picker a drive list and a folder list in which the user
// opens the folder that the player's list is to show. It keeps its folder
// itself: the program's current directory never changes, since the settings
// file lives in the root of the current drive.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "player/folders.h"
#include "ui/drag.h"
#include "ui/font.h"
#include "ui/window.h"

enum PickerControl : int {
    kPickerClose = 1,     // "x": leaves as "exit" does
    kPickerMinimize = 2,  // "-"
    kPickerTitle = 3,     // the title strip
    kPickerExit = 4,      // " exit"
    kPickerOk = 5,        // "ok"
    kPickerDrives = 10,   // the drive list
    kPickerFolders = 11,  // the folder list
};

// Where the folder list starts for the program's current folder: that
// folder, or its drive's root where the folder has been deleted.
std::wstring StartFolder(const std::wstring& current);

class FolderPicker : public Window {
public:
    // ok gets the folder opened in the folder list, as the list gives it (a
    // drive's root keeps its "\"); leave is "exit" and "x".
    FolderPicker(std::function<void(const std::string& folder)> ok, std::function<void()> leave);

    // The folder list's folder, the one last opened in it.
    std::string folder() const;
    // Opens path in the folder list, as a double-click on its entry does; a
    // folder that cannot be read leaves the list where it was. False then.
    bool OpenFolder(std::wstring path);  // a copy: it may be one of the list's own entries

protected:
    void Create() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCommand(int id, int code);
    void OpenDrive();
    void ShowDrive();

    std::function<void(const std::string&)> ok_;
    std::function<void()> leave_;
    std::wstring folder_;
    std::vector<FolderEntry> entries_;
    Dragger dragger_;
    std::unique_ptr<Font> font_, titleFont_;
};

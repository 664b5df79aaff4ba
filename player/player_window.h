// The player window: plays the files of one folder with six glyph
// buttons and announces every play, pause, resume and stop in the chat room.
#pragma once

#include <functional>
#include <memory>

#include "lines/settings.h"
#include "player/commands.h"
#include "player/file_list.h"
#include "ui/drag.h"
#include "ui/font.h"
#include "ui/window.h"

// Control ids: the labels, the glyph buttons and the file list.
enum PlayerControl : int {
    kPlayerFolder = 1,    // the folder picker
    kPlayerClose = 2,     // "x"
    kPlayerMinimize = 3,  // " -"
    kPlayerTitle = 4,     // the title strip
    kPlayerHide = 5,      // "  hide"
    kPlayerPlay = 10,     // play
    kPlayerPause = 11,    // pause and resume
    kPlayerStop = 12,     // stop
    kPlayerPrevious = 13, // previous
    kPlayerNext = 14,     // next
    kPlayerFiles = 20,    // the file list
};

class PlayerWindow : public Window {
public:
    // close shows the main window again once this one has hidden;
    // pickFolder swaps this window for the folder picker.
    PlayerWindow(Settings& settings, Media& media, std::function<void()> close,
                 std::function<void()> pickFolder);

    // The folder picker's choice: the list shows it with nothing selected.
    void ShowFolder(const std::string& folder);
    PlayerCommands& commands() { return commands_; }
    const FileList& files() const { return files_; }

protected:
    void Create() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Says for a moment, in the title strip, that the file `name` did not
    // play, and why.
    void TellNotPlaying(const std::string& name, const std::string& why);
    void OnCommand(int id);
    void OnDoubleClick();
    void DrawButton(const DRAWITEMSTRUCT& item);
    LRESULT Colour(HDC dc, HWND control);

    FileList files_;
    PlayerCommands commands_;
    std::function<void()> close_, pickFolder_;
    Dragger dragger_;
    std::unique_ptr<Font> font_, titleFont_;
    // The glyphs in Webdings, where that font exists and has them; drawn
    // otherwise.
    std::unique_ptr<Font> glyphFont_, stopFont_, folderFont_;
};

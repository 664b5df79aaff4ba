// The main window: small, borderless, always on top. It shows the idle
// clock's count and carries the labels that minimise it, collapse it, open
// the command menu and end the program; what they do beyond the window is
// the program's, through callbacks.
#pragma once

#include <functional>
#include <memory>

#include "lines/lines.h"
#include "ui/drag.h"
#include "ui/font.h"
#include "ui/window.h"

// Control ids.
enum MainLabel : int {
    kDaysLabel = 1,      // the count's days
    kHoursLabel = 2,     // hours
    kMinutesLabel = 3,   // minutes
    kMinimizeLabel = 4,  // " -"
    kExitLabel = 5,      // "x"
    kOptsLabel = 6,      // "opts": the command menu
    kTitleLabel = 7,     // "norq idle": the command menu while collapsed
    kCollapseLabel = 8,  // " <" or " >"
};

class MainWindow : public Window {
public:
    // openMenu pops the command menu up at a point of the screen, this window
    // its owner; exit is what "x" and a close from the system do.
    MainWindow(std::function<void(POINT at)> openMenu, std::function<void()> exit);
    ~MainWindow() override;

    void Minimize();  // "minimize" of the command menu
    bool collapsed() const { return collapsed_; }
    // The idle clock as the window shows it: the count in its three labels,
    // whether idling runs, and how it started, in their tooltips.
    void ShowIdle(const IdleCount& count, bool idling, bool byItself);

protected:
    void Create() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCommand(int id);
    void PopupMenu(bool fromKeyboard);
    void ToggleCollapse();
    void Paint(HDC dc);

    std::function<void(POINT at)> openMenu_;
    std::function<void()> exit_;
    bool collapsed_ = false;
    Dragger dragger_;
    std::unique_ptr<Font> plainFont_, boldFont_, titleFont_, collapseFont_;
    HWND tooltips_ = nullptr;
};

// Moves window rightwards by step twips at a time until its left edge has
// passed the right edge of the screen. Handles no messages meanwhile.
void SlideOffScreen(HWND window, int step);

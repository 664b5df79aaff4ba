// The main window (Form1): small, borderless, always on top. It shows the
// idle counters and carries the labels that minimise, collapse, open the
// command menu and end the program. Its first opening is the start-up.
#pragma once

#include <functional>
#include <memory>

#include "idler/auto_idle.h"
#include "lines/lines.h"
#include "menu/command_menu.h"
#include "settings/dialogs.h"
#include "settings/store.h"
#include "ui/drag.h"
#include "ui/font.h"
#include "ui/window.h"

// Control ids: the form's label numbers.
enum MainLabel : int {
    kDaysLabel = 1,      // Label1
    kHoursLabel = 2,     // Label2
    kMinutesLabel = 3,   // Label3
    kMinimizeLabel = 4,  // Label4, " -"
    kExitLabel = 5,      // Label5, "x"
    kOptsLabel = 6,      // Label6, "opts"
    kTitleLabel = 7,     // Label7, "norq idle"
    kCollapseLabel = 8,  // Label8, " <" or " >"
};

// Timer1: the idle clock's tick, once a minute while idling.
constexpr UINT_PTR kIdleTimer = 1;
constexpr UINT kIdleTickMs = 60000;
// Auto idle's look at the system's last-input time, while the setting is on
// or idling that started by itself runs.
constexpr UINT_PTR kAutoIdleTimer = 2;

class MainWindow : public Window {
public:
    // endProgram ends the process; it does not return in the program itself.
    // elsewhere holds the menu's entries for the program's other windows (the
    // room buster, the player); the rest the main window runs itself. The
    // menu's web links open through launcher.
    MainWindow(Settings& settings, std::function<void()> endProgram, MenuActions elsewhere = {},
               Launcher& launcher = SystemLauncher());
    ~MainWindow() override;

    // Shows the window; the first time, runs the start-up before it shows.
    void Open();
    bool collapsed() const { return collapsed_; }

    void Minimize();                // the menu's "minimize"
    void Exit(ExitKind kind);       // the "x" label, or the menu's "unload"

    // The idle clock: on and off announce themselves, and every tick posts
    // the time idled, the reason and any file transfer.
    void IdleOn();
    void IdleOff();
    bool idling() const { return idling_; }
    // Auto idle: idling that started itself after the set minutes of quiet,
    // and ends at the user's first input.
    bool idlingByItself() const { return idling_ && autoStarted_; }
    void UseInputClock(InputClock& clock) { input_ = &clock; }

    // The settings dialogs: opening one hides this window, confirming it
    // shows this window again.
    SettingsDialog& dialog(DialogKind kind) { return *dialogs_[(int)kind]; }
    void OpenDialog(DialogKind kind);
    CommandMenu& menu() { return menu_; }
    // The counters, as the window shows them: their captions are the count.
    IdleCount count() const;

protected:
    void Create() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    MenuActions Actions(MenuActions elsewhere);
    void Load();
    void OnCommand(int id);
    void PopupMenu(bool fromKeyboard);
    void ToggleCollapse();
    void Tick();
    void CheckAutoIdle();
    void ShowIdleState(bool idling, bool byItself);
    void ShowCount(const IdleCount& count);
    void Paint(HDC dc);

    Settings& settings_;
    std::function<void()> endProgram_;
    bool loaded_ = false;
    bool collapsed_ = false;
    bool idling_ = false;
    bool autoStarted_ = false;
    uint32_t inputAtStart_ = 0;
    InputClock* input_ = &SystemInputClock();
    std::unique_ptr<SettingsDialog> dialogs_[kDialogKinds];  // by DialogKind
    CommandMenu menu_;
    Dragger dragger_;
    std::unique_ptr<Font> plainFont_, boldFont_, titleFont_, collapseFont_;
    HWND tooltips_ = nullptr;
};

// Moves window rightwards by step twips at a time until its left edge has
// passed the right edge of the screen. Handles no messages meanwhile.
void SlideOffScreen(HWND window, int step);

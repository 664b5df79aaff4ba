// The room buster's dialog timer (Timer2 of `time`): once armed, every
// refusal box that the host shows is pressed away, busting or not, until the
// program ends. The system reports each new window, and only then does it
// look: the program runs for days, and a timer looking for a box a hundred
// times a second would cost CPU all that time.
#pragma once

#include <windows.h>

#include "ui/window.h"

class RefusalWatcher : public Window {
public:
    ~RefusalWatcher() override;
    // The first call starts the watch, and looks once for a box already up;
    // later calls do nothing.
    void Arm();
    bool armed() const { return hwnd() != nullptr; }

protected:
    void Create() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                 LONG child, DWORD thread, DWORD time);
    // Waits for box (null: any) to show, then presses boxes away until none is left.
    void Look(HWND box);

    HWINEVENTHOOK hook_ = nullptr;
    bool looking_ = false;  // a look is under way; it pumps, so a new box may arrive inside
    HWND next_ = nullptr;   // a box reported during the look
};

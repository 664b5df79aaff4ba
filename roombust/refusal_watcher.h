// The room buster's dialog timer (Timer2 of `time`): once armed, every
// refusal box that the host shows is pressed away, busting or not, until the
// program ends. It waits for the system to report a window being shown
// instead of looking a hundred times a second: the program runs for days.
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
    static void CALLBACK OnShown(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                 LONG child, DWORD thread, DWORD time);
    void Look();

    HWINEVENTHOOK hook_ = nullptr;
    bool looking_ = false;  // a look is under way; it pumps, so a new box may arrive inside
    bool again_ = false;    // a box came during the look
};

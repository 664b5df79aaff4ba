// The room buster's refusal watcher: once armed, every
// refusal box that the host shows is pressed away, busting or not, until the
// program ends. The system reports each window the host makes; a box so
// reported is looked at a few times a second until it is gone, since it may
// show late and its host may not answer for a while. With no box there is no
// timer: the program runs for days beside the host.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/window.h"

class RefusalWatcher : public Window {
public:
    ~RefusalWatcher() override;
    // The first call starts the watch and takes the boxes already up; later
    // calls follow a host that has been started again since.
    void Arm();
    // How many boxes have been pressed away so far, each counted once: an
    // answer of the host's to an attempt.
    unsigned pressed() const { return pressed_; }

protected:
    void Create() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Box {
        HWND window;
        bool pressed;  // and the host took the presses
        DWORD pressedAt;
        bool counted;  // in pressed()
    };
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                 LONG child, DWORD thread, DWORD time);
    static void CALLBACK OnHostEnded(void* watcher, BOOLEAN timedOut);
    // Watches the host that runs now, if it is not the one watched.
    void Follow();
    void Unfollow();
    void Know(HWND box);
    // Presses each known box that shows and forgets those gone.
    void Look();

    bool following_ = false;
    DWORD host_ = 0;  // the process watched; 0 while no host runs
    HWINEVENTHOOK hook_ = nullptr;
    HANDLE hostProcess_ = nullptr, hostEnd_ = nullptr;
    std::vector<Box> boxes_;
    unsigned pressed_ = 0;
};

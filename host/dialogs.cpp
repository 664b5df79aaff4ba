#include "host/dialogs.h"

#include <cstring>

#include "host/wait.h"

namespace {

constexpr char kDialogClass[] = "#32770";
constexpr char kBoxCaption[] = "America Online";
constexpr char kWelcomePrefix[] = "Welcome, ";
// How long one box may stay up under our presses (it has no "OK", or the
// host no longer answers) before the call gives up on it; the next call
// looks again.
constexpr DWORD kStuckBoxMs = 1000;
// How long a pressed box may take to close before it is pressed again.
constexpr DWORD kClosingMs = 500;
// How long to watch for a box the host opens straight after the last one.
constexpr DWORD kNextBoxMs = 300;

// The host's first box that is up: while Wine builds a box, and while it
// closes, it exists hidden, with buttons that are not yet or no longer its
// own. A box of that caption from another program is not pressed, and
// without a host there is none.
HostWindowHandle FindBox() {
    const DWORD host = ProcessOf(FindHostFrame());
    if (!host) return nullptr;
    for (HWND box = FindWindowExA(nullptr, nullptr, kDialogClass, kBoxCaption); box;
         box = FindWindowExA(nullptr, box, kDialogClass, kBoxCaption)) {
        if (IsWindowVisible(box) && ProcessOf(box) == host) return box;
    }
    return nullptr;
}

HostWindowHandle OkButton(HostWindowHandle box) {
    return FindChild(box, "Button", nullptr, "OK");
}

// Waits until the pressed box has gone (true) or kClosingMs have passed.
bool WaitForBoxToGo(HostWindowHandle box) {
    return WaitUntil([box] { return !IsWindowVisible(box); }, kClosingMs);
}

// The next box within kNextBoxMs, or null.
HostWindowHandle WaitForNextBox() {
    HostWindowHandle box = nullptr;
    WaitUntil([&box] { return (box = FindBox()) != nullptr; }, kNextBoxMs);
    return box;
}

}  // namespace

bool IsRefusalBox(HostWindowHandle window) {
    char name[sizeof kDialogClass + 1] = {};
    char caption[sizeof kBoxCaption + 1] = {};
    // The caption of another process's window is read without a message to it.
    return GetClassNameA(window, name, sizeof name) && std::strcmp(name, kDialogClass) == 0 &&
           GetWindowTextA(window, caption, sizeof caption) &&
           lstrcmpiA(caption, kBoxCaption) == 0;
}

bool PressRefusalBox(HostWindowHandle box) {
    HostWindowHandle ok = OkButton(box);
    for (int press = 0; press < 2; ++press)
        for (UINT message : {WM_KEYDOWN, WM_KEYUP})
            if (SendToHost(ok, message, VK_SPACE, 0) == HostReply::kSilent) return false;
    return true;
}

void DismissHostDialog() {
    HandlePendingEvents();
    HostWindowHandle box = FindBox();
    HandlePendingEvents();
    HostWindowHandle pressing = nullptr;
    DWORD since = 0;
    while (box) {
        if (box != pressing) {
            pressing = box;
            since = GetTickCount();
        } else if (GetTickCount() - since >= kStuckBoxMs) {
            break;
        }
        HandlePendingEvents();
        PressRefusalBox(box);
        // A pressed box is given time to go before it is pressed again.
        WaitForBoxToGo(box);
        box = FindBox();
        if (!box) box = WaitForNextBox();
    }
    HandlePendingEvents();
}

HostWindowHandle FindWelcomeWindow() {
    // Case counts here: "welcome, " is some other window.
    return FindDocument([](HostWindowHandle d) {
        return GetCaption(d).compare(0, std::strlen(kWelcomePrefix), kWelcomePrefix) == 0;
    });
}

// Asynchronous: showing a window of a host that no longer answers would wait
// for it.
void HideWelcomeWindow() { ShowWindowAsync(FindWelcomeWindow(), SW_HIDE); }
void ShowWelcomeWindow() { ShowWindowAsync(FindWelcomeWindow(), SW_SHOW); }

#include "host/dialogs.h"

#include <cstring>

namespace {

constexpr char kDialogClass[] = "#32770";
constexpr char kBoxCaption[] = "America Online";
constexpr char kWelcomePrefix[] = "Welcome, ";

HostWindowHandle OkButton(HostWindowHandle box) {
    return FindChild(box, "Button", nullptr, "OK");
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

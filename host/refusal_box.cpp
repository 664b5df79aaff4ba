#include "host/refusal_box.h"

#include <cstring>

namespace {

constexpr char kDialogClass[] = "#32770";
constexpr char kBoxCaption[] = "America Online";

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
    HostWindowHandle ok = FindChild(box, "Button", nullptr, "OK");
    for (int press = 0; press < 2; ++press)
        for (UINT message : {WM_KEYDOWN, WM_KEYUP})
            if (SendToHost(ok, message, VK_SPACE, 0) == HostReply::kSilent) return false;
    return true;
}

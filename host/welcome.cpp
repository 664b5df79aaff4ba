#include "host/welcome.h"

#include <cstring>

namespace {

constexpr char kWelcomePrefix[] = "Welcome, ";

}  // namespace

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

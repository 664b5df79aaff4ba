// The system's last-input time. GetLastInputInfo is in every user32 from
// Windows 2000 on, so XP has it; it counts only what reaches the desktop from
// the keyboard and the mouse, never window messages.
#include <windows.h>

#include "idler/auto_idle.h"

namespace {

class DesktopInput : public InputClock {
public:
    uint32_t Now() override { return GetTickCount(); }
    uint32_t LastInput() override {
        LASTINPUTINFO info = {sizeof info, 0};
        // Unreadable: as if input came just now, so nothing starts by itself.
        return GetLastInputInfo(&info) ? info.dwTime : GetTickCount();
    }
};

}  // namespace

InputClock& SystemInputClock() {
    static DesktopInput clock;
    return clock;
}

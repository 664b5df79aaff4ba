#include "host/transfer.h"

#include "host/wait.h"

namespace {

// The longest the program's own messages wait while the search runs.
constexpr DWORD kOwnInputEveryMs = 50;

}  // namespace

HostWindowHandle FindTransferWindow() {
    DWORD handled = GetTickCount();
    return FindDocument([&handled](HostWindowHandle d) {
        if (GetTickCount() - handled >= kOwnInputEveryMs) {
            HandlePendingEvents();
            handled = GetTickCount();
        }
        return ReadWindowText(d).find(kTransferCaptionMark) != std::string::npos;
    });
}

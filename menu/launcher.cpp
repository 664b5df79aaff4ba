#include "menu/launcher.h"

#include <windows.h>
#include <shellapi.h>

#include "ui/text.h"

namespace {

// The shell picks the user's browser; the page opens without taking the focus
// from the chat, and nothing waits for the browser to start.
class ShellLauncher : public Launcher {
public:
    void Browse(const std::string& address) override {
        ShellExecuteW(nullptr, L"open", Widen(address).c_str(), nullptr, nullptr,
                      SW_SHOWNOACTIVATE);
    }
};

}  // namespace

Launcher& SystemLauncher() {
    static ShellLauncher launcher;
    return launcher;
}

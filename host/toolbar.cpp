#include "host/toolbar.h"

#include <vector>

#include "host/wait.h"
#include "ui/text.h"

namespace {

constexpr char kPopupMenuClass[] = "#32768";
constexpr char kImCaption[] = "Send Instant Message";
constexpr int kInstantMessageIcon = 5;
constexpr int kImSendIcon = 10;
constexpr DWORD kMenuWaitMs = 3000;

HostWindowHandle FindInnerToolbar() {
    return FindChild(FindChild(FindHostFrame(), hostclass::kToolbar), hostclass::kInnerToolbar);
}

// The host's own icons take the button down and a released space bar.
void ShortPress(HostWindowHandle icon) {
    SendToHost(icon, WM_LBUTTONDOWN, 0, 0);
    SendToHost(icon, WM_KEYUP, VK_SPACE, 0);
}

// A visible popup menu of the host's own process: letters typed into another
// program's menu would pick something there.
HWND FindHostMenu(DWORD hostProcess) {
    for (HWND menu = FindWindowExA(nullptr, nullptr, kPopupMenuClass, nullptr); menu;
         menu = FindWindowExA(nullptr, menu, kPopupMenuClass, nullptr)) {
        if (IsWindowVisible(menu) && ProcessOf(menu) == hostProcess) return menu;
    }
    return nullptr;
}

// Waits, handling this program's messages, until the host shows its menu.
HWND WaitForHostMenu(DWORD hostProcess) {
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = FindHostMenu(hostProcess)) != nullptr; }, kMenuWaitMs);
    return menu;
}

void PickFromMenu(int skip, const std::vector<std::string>& letters) {
    HostWindowHandle icon = FindToolbarIcon((skip > 0 ? skip : 0) + 1);
    // Without the host there is no menu to wait for.
    if (!icon) return;
    HostSteps steps;  // letters typed into another pick's menu would pick there
    // Posted, not sent: the host opens its menu in a loop of its own.
    PostMessageA(icon, WM_LBUTTONDOWN, 0, 0);
    PostMessageA(icon, WM_LBUTTONUP, 0, 0);
    HWND menu = WaitForHostMenu(ProcessOf(icon));
    if (!menu) return;
    for (const std::string& letter : letters) {
        const std::string code = ToAnsi(letter);
        if (!code.empty()) PostMessageA(menu, WM_CHAR, (BYTE)code[0], 0);
    }
}

}  // namespace

HostWindowHandle FindToolbarIcon(int n) {
    return NthChild(FindInnerToolbar(), hostclass::kIcon, n);
}

void PickToolbarMenu(int skip, const std::string& letter) { PickFromMenu(skip, {letter}); }

void PickToolbarMenu(int skip, const std::string& first, const std::string& second) {
    PickFromMenu(skip, {first, second});
}

void PressToolbarIcon(int n) { ShortPress(FindToolbarIcon(n)); }

void GotoKeyword(const std::string& text) {
    HostWindowHandle field = FindChild(FindChild(FindInnerToolbar(), "_aol_combobox"), "edit");
    const std::string keyword = ToAnsi(text);
    SendToHost(field, WM_SETTEXT, 0, (LPARAM)keyword.c_str());
    SendToHost(field, WM_CHAR, ' ', 0);
    SendToHost(field, WM_CHAR, '\r', 0);
}

void SendInstantMessage(const std::string& recipient, const std::string& message) {
    HostWindowHandle frame = FindHostFrame();
    HostSteps steps;  // another message filled into this window would go with it
    ShortPress(FindToolbarIcon(kInstantMessageIcon));
    // The host's window comes once its server has answered.
    WaitSeconds(1);
    HostWindowHandle area = FindChild(frame, hostclass::kMdiClient);
    HostWindowHandle im = FindChild(area, hostclass::kDocument, nullptr, kImCaption);
    if (!im) return;
    const std::string to = ToAnsi(recipient), text = ToAnsi(message);
    SendToHost(FindChild(im, hostclass::kEdit), WM_SETTEXT, 0, (LPARAM)to.c_str());
    SendToHost(FindChild(im, hostclass::kRichText), WM_SETTEXT, 0, (LPARAM)text.c_str());
    ShortPress(NthChild(im, hostclass::kIcon, kImSendIcon));
}

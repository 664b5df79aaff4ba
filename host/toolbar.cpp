#include "host/toolbar.h"

#include <memory>
#include <vector>

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

// One operation: letters typed into another pick's menu would pick there.
HostOperation PickFromMenu(int skip, std::vector<std::string> letters) {
    struct Pick {
        DWORD host = 0;
        HWND menu = nullptr;
    };
    auto pick = std::make_shared<Pick>();
    return HostOperation()
        .ThenIf([pick, skip] {
            HostWindowHandle icon = FindToolbarIcon((skip > 0 ? skip : 0) + 1);
            // Without the host there is no menu to wait for.
            if (!icon) return false;
            // Posted, not sent: the host opens its menu in a loop of its own.
            PostMessageA(icon, WM_LBUTTONDOWN, 0, 0);
            PostMessageA(icon, WM_LBUTTONUP, 0, 0);
            pick->host = ProcessOf(icon);
            return true;
        })
        .Until([pick] { return (pick->menu = FindHostMenu(pick->host)) != nullptr; }, kMenuWaitMs)
        .Then([pick, letters = std::move(letters)] {
            // A message posted to no window would come to this program.
            if (!pick->menu) return;
            for (const std::string& letter : letters) {
                const std::string code = ToAnsi(letter);
                if (!code.empty()) PostMessageA(pick->menu, WM_CHAR, (BYTE)code[0], 0);
            }
        });
}

}  // namespace

HostWindowHandle FindToolbarIcon(int n) {
    return NthChild(FindInnerToolbar(), hostclass::kIcon, n);
}

HostOperation PickToolbarMenu(int skip, const std::string& letter) {
    return PickFromMenu(skip, {letter});
}

HostOperation PickToolbarMenu(int skip, const std::string& first, const std::string& second) {
    return PickFromMenu(skip, {first, second});
}

void PressToolbarIcon(int n) { ShortPress(FindToolbarIcon(n)); }

bool GotoKeyword(const std::string& text) {
    HostWindowHandle field = FindChild(FindChild(FindInnerToolbar(), "_aol_combobox"), "edit");
    const std::string keyword = ToAnsi(text);
    SendToHost(field, WM_SETTEXT, 0, (LPARAM)keyword.c_str());
    SendToHost(field, WM_CHAR, ' ', 0);
    SendToHost(field, WM_CHAR, '\r', 0);
    return field != nullptr;
}

// One operation: another message filled into the window would go with it.
HostOperation SendInstantMessage(const std::string& recipient, const std::string& message) {
    auto frame = std::make_shared<HostWindowHandle>();
    return HostOperation()
        .Then([frame] {
            *frame = FindHostFrame();
            ShortPress(FindToolbarIcon(kInstantMessageIcon));
        })
        // The host's window comes once its server has answered.
        .PauseToSecond(1)
        .Then([frame, to = ToAnsi(recipient), text = ToAnsi(message)] {
            HostWindowHandle area = FindChild(*frame, hostclass::kMdiClient);
            HostWindowHandle im = FindChild(area, hostclass::kDocument, nullptr, kImCaption);
            if (!im) return;
            SendToHost(FindChild(im, hostclass::kEdit), WM_SETTEXT, 0, (LPARAM)to.c_str());
            SendToHost(FindChild(im, hostclass::kRichText), WM_SETTEXT, 0, (LPARAM)text.c_str());
            ShortPress(NthChild(im, hostclass::kIcon, kImSendIcon));
        });
}

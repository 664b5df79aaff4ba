// norq idle: keeps its user visible in a chat room of the host while away.
#include <windows.h>
#include <commctrl.h>

#include "app/program.h"
#include "ui/window.h"

namespace {

// Held by the running copy for its whole life; the system lets it go when
// the process ends, however it ends.
constexpr wchar_t kOneCopy[] = L"norq idle: one copy";
// The windows a running copy shows first: the about window, then the main one.
constexpr const wchar_t* kFirstWindows[] = {L"norq idle main", L"norq idle about"};

struct Search {
    DWORD process;
    HWND found;
};

// The first visible window of the process in z-order: whichever of its
// windows the user last had in front (the main window may be hidden behind
// a dialog, the room buster or the player).
BOOL CALLBACK TakeFirstVisible(HWND window, LPARAM lParam) {
    Search& search = *reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search.process || !IsWindowVisible(window)) return TRUE;
    search.found = window;
    return FALSE;
}

// A second start: the user asked for the program, so the running copy comes
// forward, restored if minimised. A copy still starting has no window yet:
// there is nothing to bring forward then, and it shows itself soon.
void BringRunningCopyForward() {
    Search search = {0, nullptr};
    for (const wchar_t* name : kFirstWindows) {
        if (HWND window = FindWindowW(name, nullptr)) {
            GetWindowThreadProcessId(window, &search.process);
            break;
        }
    }
    if (!search.process) return;
    EnumWindows(TakeFirstVisible, (LPARAM)&search);
    if (!search.found) return;
    if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
    SetForegroundWindow(search.found);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Two copies would each announce themselves and each idle, doubling
    // every line in the room: a second one posts nothing and ends.
    CreateMutexW(nullptr, FALSE, kOneCopy);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        BringRunningCopyForward();
        return 0;
    }

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    // Ending is immediate: nothing more is handled once the farewell is said.
    Program program([] { ExitProcess(0); });
    program.Start();

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (HandleWindowKeys(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

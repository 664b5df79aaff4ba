#include "roombust/refusal_watcher.h"

#include "host/dialogs.h"

namespace {

constexpr wchar_t kClassName[] = L"norq idle time";
// A box was shown: look for refusal boxes.
constexpr UINT kLook = WM_APP;
// Where the system cannot report shown windows, a look this often.
constexpr UINT_PTR kFallbackTimer = 1;
constexpr UINT kFallbackMs = 50;

// The one watcher's window: the system's report carries no context of ours.
HWND g_watcher = nullptr;

}  // namespace

RefusalWatcher::~RefusalWatcher() {
    if (hook_) UnhookWinEvent(hook_);
    if (g_watcher == hwnd()) g_watcher = nullptr;
}

void RefusalWatcher::Arm() {
    if (armed()) return;
    Handle();
    PostMessageW(hwnd(), kLook, 0, 0);
}

void RefusalWatcher::Create() {
    // A message-only window: it is never shown and never listed.
    if (!CreateAs(kClassName, 0, 0, L"time", RECT{}, HWND_MESSAGE)) return;
    g_watcher = hwnd();
    // Reported out of context, on this thread, between its messages.
    hook_ = SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_SHOW, nullptr, OnShown, 0, 0,
                            WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    if (!hook_) SetTimer(hwnd(), kFallbackTimer, kFallbackMs, nullptr);
}

void CALLBACK RefusalWatcher::OnShown(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child,
                                      DWORD, DWORD) {
    if (object == OBJID_WINDOW && child == CHILDID_SELF && g_watcher && IsRefusalBox(window))
        PostMessageW(g_watcher, kLook, 0, 0);
}

// DismissHostDialog handles messages while it presses; a box reported in the
// meantime is taken by this same look rather than by a look inside it.
void RefusalWatcher::Look() {
    if (looking_) {
        again_ = true;
        return;
    }
    looking_ = true;
    do {
        again_ = false;
        DismissHostDialog();
    } while (again_);
    looking_ = false;
}

LRESULT RefusalWatcher::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kLook:
    case WM_TIMER:
        Look();
        return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

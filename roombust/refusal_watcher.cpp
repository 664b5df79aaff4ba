#include "roombust/refusal_watcher.h"

#include "host/dialogs.h"
#include "host/wait.h"

namespace {

constexpr wchar_t kClassName[] = L"norq idle time";
// A refusal box was made or shown (wParam), or the watch began: look.
constexpr UINT kLook = WM_APP;
// How long a box just made may take to show.
constexpr unsigned long kShowingMs = 1000;
// Where the system cannot report new windows, a look this often.
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
    // Every process's windows, reported out of context on this thread between
    // its messages; a report costs a look at one window's class. Creation is
    // reported too: Wine reports no showing, and builds a box hidden.
    hook_ = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, nullptr, OnEvent, 0, 0,
                            WINEVENT_OUTOFCONTEXT);
    if (!hook_) SetTimer(hwnd(), kFallbackTimer, kFallbackMs, nullptr);
}

void CALLBACK RefusalWatcher::OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object,
                                      LONG child, DWORD, DWORD) {
    if (event != EVENT_OBJECT_DESTROY && object == OBJID_WINDOW && child == CHILDID_SELF &&
        g_watcher && IsRefusalBox(window))
        PostMessageW(g_watcher, kLook, (WPARAM)window, 0);
}

// A box is pressed once it shows; DismissHostDialog then handles messages
// while it presses, and a box reported in the meantime is taken by this same
// look rather than by a look inside it.
void RefusalWatcher::Look(HWND box) {
    if (looking_) {
        next_ = box;
        return;
    }
    looking_ = true;
    for (;;) {
        WaitUntil([box] { return !box || IsWindowVisible(box) || !IsWindow(box); }, kShowingMs);
        DismissHostDialog();
        if (!next_) break;
        box = next_;
        next_ = nullptr;
    }
    looking_ = false;
}

LRESULT RefusalWatcher::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kLook:
        Look((HWND)wParam);
        return 0;
    case WM_TIMER:
        Look(nullptr);
        return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

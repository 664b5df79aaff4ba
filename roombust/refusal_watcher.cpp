#include "roombust/refusal_watcher.h"

#include <algorithm>

#include "host/refusal_box.h"

namespace {

constexpr wchar_t kClassName[] = L"norq refusal watcher";
// A window of the host that may be a refusal box (wParam) was made or shown.
constexpr UINT kKnow = WM_APP;
// The host's process has ended.
constexpr UINT kHostEnded = WM_APP + 1;
// While a box is known: a look at it this often. A box shows late, and a
// hung host takes no press; slow enough to cost nothing, quick enough to be
// gone well before the next attempt.
constexpr UINT_PTR kLookTimer = 1;
constexpr UINT kLookMs = 150;
// A box the host took the presses for is given this long to close before it
// is pressed again.
constexpr DWORD kClosingMs = 500;
// While no host runs: a look for one this often, to watch it once it starts.
constexpr UINT_PTR kFindHostTimer = 2;
constexpr UINT kFindHostMs = 1000;

// The one watcher's window: the system's report carries no context of ours.
HWND g_watcher = nullptr;

}  // namespace

RefusalWatcher::~RefusalWatcher() {
    Unfollow();
    if (g_watcher == hwnd()) g_watcher = nullptr;
}

void RefusalWatcher::Arm() {
    Handle();
    Follow();
}

void RefusalWatcher::Create() {
    if (CreateMessageOnly(kClassName)) g_watcher = hwnd();
}

void RefusalWatcher::Follow() {
    const DWORD host = ProcessOf(FindHostFrame());
    if (following_ && host == host_) return;
    Unfollow();
    following_ = true;
    host_ = host;
    if (!host) {
        SetTimer(hwnd(), kFindHostTimer, kFindHostMs, nullptr);
        return;
    }
    KillTimer(hwnd(), kFindHostTimer);
    // Only the host's windows are reported, out of context, on this thread
    // between its messages. Creation is reported too: Wine reports no
    // showing in another process, and builds a box hidden.
    hook_ = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, nullptr, OnEvent, host, 0,
                            WINEVENT_OUTOFCONTEXT);
    // Its end, from a thread of the system's: boxes of a host started again
    // come from another process.
    hostProcess_ = OpenProcess(SYNCHRONIZE, FALSE, host);
    if (hostProcess_)
        RegisterWaitForSingleObject(&hostEnd_, hostProcess_, OnHostEnded, hwnd(), INFINITE,
                                    WT_EXECUTEONLYONCE);
    for (HWND box = nullptr; (box = FindWindowExA(nullptr, box, "#32770", nullptr));)
        Know(box);
}

void RefusalWatcher::Unfollow() {
    if (hook_) UnhookWinEvent(hook_);
    // Waits for a report under way, which posts to this window.
    if (hostEnd_) UnregisterWaitEx(hostEnd_, INVALID_HANDLE_VALUE);
    if (hostProcess_) CloseHandle(hostProcess_);
    hook_ = nullptr;
    hostEnd_ = hostProcess_ = nullptr;
    host_ = 0;
    following_ = false;
    boxes_.clear();
    if (hwnd()) KillTimer(hwnd(), kLookTimer);
}

void CALLBACK RefusalWatcher::OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object,
                                      LONG child, DWORD, DWORD) {
    if (event != EVENT_OBJECT_DESTROY && object == OBJID_WINDOW && child == CHILDID_SELF &&
        g_watcher && IsRefusalBox(window))
        PostMessageW(g_watcher, kKnow, (WPARAM)window, 0);
}

void CALLBACK RefusalWatcher::OnHostEnded(void* watcher, BOOLEAN) {
    PostMessageW((HWND)watcher, kHostEnded, 0, 0);
}

// A box of the host, shown or not yet, is looked at until it has gone.
void RefusalWatcher::Know(HWND box) {
    if (ProcessOf(box) != host_ || !IsRefusalBox(box)) return;
    if (std::none_of(boxes_.begin(), boxes_.end(), [box](const Box& b) { return b.window == box; }))
        boxes_.push_back({box, false, 0, false});
    SetTimer(hwnd(), kLookTimer, kLookMs, nullptr);
    Look();
}

// Presses go out without handling this program's messages: nothing runs
// inside a look, and a host that does not answer costs one bounded wait.
void RefusalWatcher::Look() {
    const DWORD now = GetTickCount();
    for (auto b = boxes_.begin(); b != boxes_.end();) {
        // A handle the system gave to another window since is no box of ours.
        if (ProcessOf(b->window) != host_ || !IsRefusalBox(b->window)) {
            b = boxes_.erase(b);
            continue;
        }
        if (IsWindowVisible(b->window) && (!b->pressed || now - b->pressedAt >= kClosingMs)) {
            b->pressed = PressRefusalBox(b->window);
            b->pressedAt = now;
            if (b->pressed && !b->counted) {
                b->counted = true;
                ++pressed_;
            }
        }
        ++b;
    }
    if (boxes_.empty()) KillTimer(hwnd(), kLookTimer);
}

LRESULT RefusalWatcher::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kKnow:
        Know((HWND)wParam);
        return 0;
    case kHostEnded:
        Unfollow();
        Follow();
        return 0;
    case WM_TIMER:
        if (wParam == kLookTimer) Look();
        if (wParam == kFindHostTimer) Follow();
        return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

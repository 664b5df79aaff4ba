#include "host/chat.h"

#include "host/transfer.h"
#include "ui/text.h"

namespace {

// A healthy host answers within milliseconds. One that has not answered for
// this long is left alone until it answers a probe (or for kSilenceMs): the
// rest of an operation's messages would each wait as long again, with the
// program's windows frozen meanwhile.
constexpr UINT kHostAnswerMs = 500;
constexpr DWORD kSilenceMs = 5000;
// While the host is silent or lines wait, a timer asks it, briefly, whether
// it answers again: a probe costs the program at most kProbeAnswerMs.
constexpr UINT kProbeEveryMs = 1000;
constexpr UINT kProbeAnswerMs = 200;

DWORD g_silentThread = 0;  // the host thread that last failed to answer
DWORD g_silentSince = 0;
UINT_PTR g_probeTimer = 0;
ChatBacklog g_backlog;

bool HasChild(HostWindowHandle parent, const char* className) {
    return FindChild(parent, className) != nullptr;
}

bool IsChatRoom(HostWindowHandle document) {
    return HasChild(document, hostclass::kRichText) && HasChild(document, hostclass::kListBox) &&
           HasChild(document, hostclass::kIcon) && HasChild(document, hostclass::kStatic);
}

bool IsSilent(DWORD thread) {
    return thread && thread == g_silentThread && GetTickCount() - g_silentSince < kSilenceMs;
}

void CALLBACK OnProbeTimer(HWND, UINT, UINT_PTR, DWORD);

void WatchForAnswer() {
    if (!g_probeTimer) g_probeTimer = SetTimer(nullptr, 0, kProbeEveryMs, OnProbeTimer);
}

HostReply Ask(HostWindowHandle window, UINT message, WPARAM wParam, LPARAM lParam,
              LRESULT* result, UINT timeoutMs) {
    const DWORD thread = window ? GetWindowThreadProcessId(window, nullptr) : 0;
    if (!thread) return HostReply::kNoWindow;
    if (IsSilent(thread)) return HostReply::kSilent;
    DWORD_PTR answer = 0;
    // The ANSI WM_GETTEXTLENGTH to another process makes Wine ask for the
    // text itself without any bound, so a stopped host would hold the
    // program for ever; the wide form keeps the time-out, and an ANSI window
    // answers it with its ANSI length.
    const bool wide = message == WM_GETTEXTLENGTH;
    const LRESULT ok =
        wide ? SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs,
                                   &answer)
             : SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs,
                                   &answer);
    if (ok) {
        if (thread == g_silentThread) g_silentThread = 0;
        if (result) *result = (LRESULT)answer;
        return HostReply::kAnswered;
    }
    if (!IsWindow(window)) return HostReply::kNoWindow;
    g_silentThread = thread;
    g_silentSince = GetTickCount();
    WatchForAnswer();
    return HostReply::kSilent;
}

// The room's sixth icon. The room is looked up again for every step towards
// it; once a step finds nothing the press goes nowhere, rather than
// restarting the count in whatever room comes next and pressing the wrong icon.
HostWindowHandle FindSendIcon() {
    HostWindowHandle send = nullptr;
    for (int i = 0; i < 6; ++i) {
        send = FindChild(FindChatRoom(), hostclass::kIcon, send);
        if (!send) break;
    }
    return send;
}

enum class Delivery { kDone, kNoRoom, kStalled };

Delivery Deliver(WaitingLine& line) {
    HostWindowHandle entry = FindChild(FindChatRoom(), hostclass::kRichText);
    if (!entry) return Delivery::kNoRoom;
    HostWindowHandle send = FindSendIcon();
    const std::string text = ToAnsi(line.text);
    if (line.reachedEntry) {
        // Its press may have reached the host after all, once it woke: the
        // host then posted the line and emptied the box. Sent again only
        // while the box still holds it, so it is never posted twice.
        std::optional<std::string> held = TryReadWindowText(entry);
        if (!held) return Delivery::kStalled;
        if (*held != FromAnsi(text)) return Delivery::kDone;
    }
    switch (SendToHost(entry, WM_SETTEXT, 0, (LPARAM)text.c_str())) {
    case HostReply::kSilent: return Delivery::kStalled;
    case HostReply::kNoWindow: return Delivery::kNoRoom;
    case HostReply::kAnswered: break;
    }
    line.reachedEntry = true;
    return ClickIcon(send) ? Delivery::kDone : Delivery::kStalled;
}

// Sends what waits, oldest first, until the host stops answering again.
// Lines for a room that has gone are lost, as any line without a room is.
void SendWaitingLines() {
    while (!g_backlog.empty()) {
        Delivery d = Deliver(g_backlog.front());
        if (d == Delivery::kStalled) {
            WatchForAnswer();
            return;
        }
        if (d == Delivery::kNoRoom) {
            g_backlog.Clear();
            return;
        }
        g_backlog.PopFront();
    }
}

// One brief question to the host while it is silent or lines wait: never a
// loop, and never longer than kProbeAnswerMs.
void CALLBACK OnProbeTimer(HWND, UINT, UINT_PTR, DWORD) {
    HostWindowHandle frame = FindHostFrame();
    if (!frame) {
        // The host has gone, and its rooms with it.
        g_silentThread = 0;
        g_backlog.Clear();
    } else if (g_silentThread) {
        DWORD_PTR ignored = 0;
        if (SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kProbeAnswerMs, &ignored))
            g_silentThread = 0;
    }
    if (!g_silentThread) SendWaitingLines();
    if (!g_silentThread && g_backlog.empty()) {
        KillTimer(nullptr, g_probeTimer);
        g_probeTimer = 0;
    }
}

}  // namespace

HostReply SendToHost(HostWindowHandle window, UINT message, WPARAM wParam, LPARAM lParam,
                     LRESULT* result) {
    return Ask(window, message, wParam, lParam, result, kHostAnswerMs);
}

HostWindowHandle FindChild(HostWindowHandle parent, const char* className, HostWindowHandle after,
                           const char* caption) {
    return parent ? FindWindowExA(parent, after, className, caption) : nullptr;
}

HostWindowHandle NthChild(HostWindowHandle parent, const char* className, int n) {
    HostWindowHandle child = nullptr;
    for (int i = 0; i < n; ++i) {
        child = FindChild(parent, className, child);
        if (!child) return nullptr;
    }
    return child;
}

HostWindowHandle FindHostFrame() { return FindWindowA(hostclass::kFrame, nullptr); }

DWORD ProcessOf(HostWindowHandle window) {
    DWORD process = 0;
    if (window) GetWindowThreadProcessId(window, &process);
    return process;
}

HostWindowHandle FindDocumentArea() { return FindChild(FindHostFrame(), hostclass::kMdiClient); }

HostWindowHandle FindChatRoom() { return FindDocument(IsChatRoom); }

std::vector<HostWindowHandle> ChatRooms() {
    std::vector<HostWindowHandle> rooms;
    FindDocument([&rooms](HostWindowHandle d) {
        if (IsChatRoom(d)) rooms.push_back(d);
        return false;
    });
    return rooms;
}

void SendChat(std::string_view line, ChatKind kind) {
    // No room: lost silently, as it always was. Only a host that does not
    // answer keeps lines, and they go before this one.
    if (!FindChatRoom()) return;
    g_backlog.Add(line, kind);
    SendWaitingLines();
}

size_t WaitingChatLines() { return g_backlog.size(); }

bool ClickIcon(HostWindowHandle icon) {
    // Stopped at the first unanswered message: the rest would not be
    // answered either, and the line is pressed whole again later.
    for (auto [message, key] : {std::pair<UINT, WPARAM>{WM_LBUTTONDOWN, 0}, {WM_LBUTTONUP, 0},
                                {WM_KEYDOWN, VK_SPACE}, {WM_KEYUP, VK_SPACE}})
        if (SendToHost(icon, message, key, 0) == HostReply::kSilent) return false;
    return true;
}

std::string GetCaption(HostWindowHandle window) {
    int length = window ? GetWindowTextLengthA(window) : 0;
    if (length <= 0) return {};
    std::string caption(length, '\0');
    // A caption that shrank between the two calls comes back shorter, not
    // padded with NULs.
    caption.resize(GetWindowTextA(window, caption.data(), length + 1));
    return FromAnsi(caption);
}

#include "host/window_access.h"

#include <new>

#include "ui/text.h"

namespace {

// A healthy host answers within milliseconds. One that has not answered for
// this long is left alone until it answers a probe (or for kSilenceMs): the
// rest of an operation's messages would each wait as long again, with the
// program's windows frozen meanwhile.
constexpr UINT kHostAnswerMs = 500;
constexpr DWORD kSilenceMs = 5000;
// While the host is silent or work waits, a timer asks it, briefly, whether
// it answers again: a probe costs the program at most kProbeAnswerMs.
constexpr UINT kProbeEveryMs = 1000;
constexpr UINT kProbeAnswerMs = 200;

// Far more than any caption or control of the host holds.
constexpr LRESULT kLongestText = 16 << 20;

DWORD g_silentThread = 0;  // the host thread that last failed to answer
DWORD g_silentSince = 0;
UINT_PTR g_probeTimer = 0;
bool (*g_answered)() = nullptr;

bool IsSilent(DWORD thread) {
    return thread && thread == g_silentThread && GetTickCount() - g_silentSince < kSilenceMs;
}

// One brief question to the host while it is silent or work waits: never a
// loop, and never longer than kProbeAnswerMs.
void CALLBACK OnProbeTimer(HWND, UINT, UINT_PTR, DWORD) {
    HostWindowHandle frame = FindHostFrame();
    if (!frame) {
        g_silentThread = 0;  // the host has gone, and its windows with it
    } else if (g_silentThread) {
        DWORD_PTR ignored = 0;
        if (SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kProbeAnswerMs, &ignored))
            g_silentThread = 0;
    }
    if (g_silentThread) return;
    const bool waiting = g_answered && g_answered();
    if (!g_silentThread && !waiting) {
        KillTimer(nullptr, g_probeTimer);
        g_probeTimer = 0;
    }
}

void Probe() {
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
    Probe();
    return HostReply::kSilent;
}

}  // namespace

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

std::string GetCaption(HostWindowHandle window) {
    int length = window ? GetWindowTextLengthA(window) : 0;
    if (length <= 0) return {};
    std::string caption(length, '\0');
    // A caption that shrank between the two calls comes back shorter, not
    // padded with NULs.
    caption.resize(GetWindowTextA(window, caption.data(), length + 1));
    return FromAnsi(caption);
}

HostReply SendToHost(HostWindowHandle window, UINT message, WPARAM wParam, LPARAM lParam,
                     LRESULT* result) {
    return Ask(window, message, wParam, lParam, result, kHostAnswerMs);
}

void WatchForAnswer(bool (*answered)()) {
    g_answered = answered;
    Probe();
}

std::string ReadWindowText(HostWindowHandle window) {
    return TryReadWindowText(window).value_or(std::string());
}

std::optional<std::string> TryReadWindowText(HostWindowHandle window) {
    // A window that answers nonsense has no text.
    LRESULT length = 0;
    const HostReply asked = SendToHost(window, WM_GETTEXTLENGTH, 0, 0, &length);
    if (asked == HostReply::kSilent) return std::nullopt;
    if (asked == HostReply::kNoWindow) return std::string();
    if (length < 0) length = 0;
    // A length beyond any host window's text is nonsense, not a buffer to
    // fill: a 64-bit program could otherwise be made to clear gigabytes.
    if (length > kLongestText) return std::string();
    // One more than the length for the closing NUL. The text may have grown
    // since: the window then copies no more than fits.
    std::string text;
    try {
        text.assign((size_t)length + 1, '\0');
    } catch (const std::bad_alloc&) {
        return std::string();
    }
    LRESULT copied = 0;
    const HostReply read = SendToHost(window, WM_GETTEXT, text.size(), (LPARAM)text.data(), &copied);
    if (read == HostReply::kSilent) return std::nullopt;
    // Only what the window says it copied: a text that shrank since leaves
    // NULs behind it, which are not part of the text.
    text.resize(copied < 0 ? 0 : copied > length ? (size_t)length : (size_t)copied);
    return FromAnsi(text);
}

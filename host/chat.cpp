#include "host/chat.h"

#include "ui/text.h"

namespace {

// A healthy host answers within milliseconds. One that has not answered for
// this long is left alone for a while: the rest of an operation's messages
// would each wait as long again, with the program's windows frozen meanwhile.
constexpr UINT kHostAnswerMs = 1000;
constexpr DWORD kSilenceMs = 5000;

DWORD g_silentThread = 0;  // the host thread that last failed to answer
DWORD g_silentSince = 0;

bool HasChild(HostWindowHandle parent, const char* className) {
    return FindWindowExA(parent, nullptr, className, nullptr) != nullptr;
}

bool IsChatRoom(HostWindowHandle document) {
    return HasChild(document, hostclass::kRichText) && HasChild(document, hostclass::kListBox) &&
           HasChild(document, hostclass::kIcon) && HasChild(document, hostclass::kStatic);
}

}  // namespace

LRESULT SendToHost(HostWindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
    const DWORD thread = window ? GetWindowThreadProcessId(window, nullptr) : 0;
    if (!thread) return 0;
    if (thread == g_silentThread && GetTickCount() - g_silentSince < kSilenceMs) return 0;
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kHostAnswerMs,
                            &result)) {
        if (thread == g_silentThread) g_silentThread = 0;
    } else if (IsWindow(window)) {
        g_silentThread = thread;
        g_silentSince = GetTickCount();
    }
    return (LRESULT)result;
}

HostWindowHandle NthChild(HostWindowHandle parent, const char* className, int n) {
    HostWindowHandle child = nullptr;
    for (int i = 0; i < n; ++i) {
        child = FindWindowExA(parent, child, className, nullptr);
        if (!child) return nullptr;
    }
    return child;
}

HostWindowHandle FindHostFrame() { return FindWindowA(hostclass::kFrame, nullptr); }

HostWindowHandle FindDocumentArea() {
    HostWindowHandle frame = FindHostFrame();
    return frame ? FindWindowExA(frame, nullptr, hostclass::kMdiClient, nullptr) : nullptr;
}

HostWindowHandle FindChatRoom() { return FindDocument(IsChatRoom); }

void SendChat(std::string_view line) {
    HostWindowHandle entry = FindWindowExA(FindChatRoom(), nullptr, hostclass::kRichText, nullptr);
    // The room is looked up again for every step towards the send icon; once
    // a step finds nothing the press goes nowhere, rather than restarting the
    // count in whatever room comes next and pressing the wrong icon.
    HostWindowHandle send = nullptr;
    for (int i = 0; i < 6; ++i) {
        HostWindowHandle room = FindChatRoom();
        send = room ? FindWindowExA(room, send, hostclass::kIcon, nullptr) : nullptr;
        if (!send) break;
    }
    const std::string text = ToAnsi(line);
    SendToHost(entry, WM_SETTEXT, 0, (LPARAM)text.c_str());
    ClickIcon(send);
}

void ClickIcon(HostWindowHandle icon) {
    SendToHost(icon, WM_LBUTTONDOWN, 0, 0);
    SendToHost(icon, WM_LBUTTONUP, 0, 0);
    SendToHost(icon, WM_KEYDOWN, VK_SPACE, 0);
    SendToHost(icon, WM_KEYUP, VK_SPACE, 0);
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

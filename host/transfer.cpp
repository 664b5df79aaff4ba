#include "host/transfer.h"

#include <new>

#include "host/wait.h"
#include "ui/text.h"

namespace {

// The longest the program's own messages wait while the search runs.
constexpr DWORD kOwnInputEveryMs = 50;

// Far more than any caption or control of the host holds.
constexpr LRESULT kLongestText = 16 << 20;

}  // namespace

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

HostWindowHandle FindTransferWindow() {
    DWORD handled = GetTickCount();
    return FindDocument([&handled](HostWindowHandle d) {
        if (GetTickCount() - handled >= kOwnInputEveryMs) {
            HandlePendingEvents();
            handled = GetTickCount();
        }
        return ReadWindowText(d).find(kTransferCaptionMark) != std::string::npos;
    });
}

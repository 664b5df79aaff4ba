#include "host/transfer.h"

#include <new>
#include <stdexcept>

#include "ui/text.h"

std::string ReadWindowText(HostWindowHandle window) {
    if (!window) return {};
    // A host that does not answer, or answers nonsense, has no text.
    LRESULT length = SendToHost(window, WM_GETTEXTLENGTH, 0, 0);
    if (length < 0) length = 0;
    // One more than the length for the closing NUL. The text may have grown
    // since: the window then copies no more than fits.
    std::string text;
    try {
        text.assign((size_t)length + 1, '\0');
    } catch (const std::bad_alloc&) {
        return {};  // a length no text in this program's memory can have
    } catch (const std::length_error&) {
        return {};
    }
    LRESULT copied = SendToHost(window, WM_GETTEXT, text.size(), (LPARAM)text.data());
    // Only what the window says it copied: a text that shrank since leaves
    // NULs behind it, which are not part of the text.
    text.resize(copied < 0 ? 0 : copied > length ? (size_t)length : (size_t)copied);
    return FromAnsi(text);
}

HostWindowHandle FindTransferWindow() {
    return FindDocument([](HostWindowHandle d) {
        return ReadWindowText(d).find(kTransferCaptionMark) != std::string::npos;
    });
}

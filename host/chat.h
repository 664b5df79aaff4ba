// The host's window tree as this program sees it, and the chat room: finding
// it, posting a line into it. Every call walks the tree afresh from the frame;
// no host handle is ever kept, since the host may change its windows at will.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// A window of the host; null means none, and every operation accepts null.
using HostWindowHandle = HWND;

namespace hostclass {
inline constexpr char kFrame[] = "AOL Frame25";
inline constexpr char kToolbar[] = "AOL Toolbar";
inline constexpr char kInnerToolbar[] = "_AOL_Toolbar";
inline constexpr char kMdiClient[] = "MDIClient";
inline constexpr char kDocument[] = "AOL Child";
inline constexpr char kRichText[] = "RICHCNTL";
inline constexpr char kListBox[] = "_AOL_Listbox";
inline constexpr char kIcon[] = "_AOL_Icon";
inline constexpr char kStatic[] = "_AOL_Static";
inline constexpr char kEdit[] = "_AOL_Edit";
}  // namespace hostclass

// The n-th child of parent (from 1) of the given class, in child order.
HostWindowHandle NthChild(HostWindowHandle parent, const char* className, int n);

HostWindowHandle FindHostFrame();
// The frame's MDI client, which holds the document windows.
HostWindowHandle FindDocumentArea();
// The first document window, in child order, that `is` takes; null when none
// does, or when there is no host (the search never runs over other programs'
// top-level windows).
template <class Predicate>
HostWindowHandle FindDocument(Predicate is) {
    HostWindowHandle area = FindDocumentArea();
    if (!area) return nullptr;
    for (HostWindowHandle d = FindWindowExA(area, nullptr, hostclass::kDocument, nullptr); d;
         d = FindWindowExA(area, d, hostclass::kDocument, nullptr))
        if (is(d)) return d;
    return nullptr;
}

HostWindowHandle FindChatRoom();
void SendChat(std::string_view line);
void ClickIcon(HostWindowHandle icon);
std::string GetCaption(HostWindowHandle window);

// SendMessageA to a host window, but never hanging on a host that has stopped
// answering; null receives nothing.
LRESULT SendToHost(HostWindowHandle window, UINT message, WPARAM wParam, LPARAM lParam);

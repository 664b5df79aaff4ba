// The host's window tree as this program sees it, and the chat room: finding
// it, posting a line into it. Every call walks the tree afresh from the frame;
// no host handle is ever kept, since the host may change its windows at will.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "host/backlog.h"

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

// The next child of parent after `after` (the first when null) of that class
// and, when given, that caption. A null parent has no children: FindWindowExA
// would search every program's top-level windows instead.
HostWindowHandle FindChild(HostWindowHandle parent, const char* className,
                           HostWindowHandle after = nullptr, const char* caption = nullptr);
// The n-th child of parent (from 1) of the given class, in child order.
HostWindowHandle NthChild(HostWindowHandle parent, const char* className, int n);

HostWindowHandle FindHostFrame();
// The process a window belongs to; 0 for none. The host's own top-level
// windows (menus, boxes) are told from other programs' by it.
DWORD ProcessOf(HostWindowHandle window);
// The frame's MDI client, which holds the document windows.
HostWindowHandle FindDocumentArea();
// The first document window, in child order, that `is` takes; null when none
// does, or when there is no host (the search never runs over other programs'
// top-level windows).
template <class Predicate>
HostWindowHandle FindDocument(Predicate is) {
    HostWindowHandle area = FindDocumentArea();
    for (HostWindowHandle d = FindChild(area, hostclass::kDocument); d;
         d = FindChild(area, hostclass::kDocument, d))
        if (is(d)) return d;
    return nullptr;
}

HostWindowHandle FindChatRoom();
// Every chat room open, in child order (the current one first).
std::vector<HostWindowHandle> ChatRooms();
// Posts the line into the current chat room. Without a room it is lost, as
// always; a host that does not answer keeps it waiting (see ChatBacklog),
// and a timer looks for the host's answer, sending what waits once it comes.
void SendChat(std::string_view line, ChatKind kind = ChatKind::kLine);
// How many lines wait for the host to answer.
size_t WaitingChatLines();
// True when the host took the whole press.
bool ClickIcon(HostWindowHandle icon);
std::string GetCaption(HostWindowHandle window);

enum class HostReply { kAnswered, kNoWindow, kSilent };
// SendMessageA to a host window, bounded: kSilent when the host did not
// answer in time, or has not lately (then nothing is sent); *result is set
// only when it answered. Null and vanished windows receive nothing.
HostReply SendToHost(HostWindowHandle window, UINT message, WPARAM wParam, LPARAM lParam,
                     LRESULT* result = nullptr);

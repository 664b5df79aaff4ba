// The host's windows as this program sees them, and the one way to talk to
// them: lookups that walk the tree afresh from the frame (no host handle is
// ever kept, since the host may change its windows at will), and messages
// and text reads bounded in time, so that a host that stalls never holds the
// program. Chat, toolbar, keywords, dialogs and transfers all build on it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

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

std::string GetCaption(HostWindowHandle window);

enum class HostReply { kAnswered, kNoWindow, kSilent };
// SendMessageA to a host window, bounded: kSilent when the host did not
// answer in time, or has not lately (then nothing is sent); *result is set
// only when it answered. Null and vanished windows receive nothing.
HostReply SendToHost(HostWindowHandle window, UINT message, WPARAM wParam, LPARAM lParam,
                     LRESULT* result = nullptr);

// While the host is silent, a timer asks it briefly every second whether it
// answers again. Once it does, or has gone, `answered` runs, and the timer
// goes on for as long as it returns true (work still waits for the host).
void WatchForAnswer(bool (*answered)());

// The window's text as the window itself answers for it (also another
// process's control, whose text the system does not keep); "" for null, and
// for a host that does not answer.
std::string ReadWindowText(HostWindowHandle window);
// The same, but nothing when the host did not answer.
std::optional<std::string> TryReadWindowText(HostWindowHandle window);

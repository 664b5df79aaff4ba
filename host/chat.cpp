#include "host/chat.h"

#include "host/sequencer.h"
#include "ui/text.h"

namespace {

ChatBacklog g_backlog;

bool HasChild(HostWindowHandle parent, const char* className) {
    return FindChild(parent, className) != nullptr;
}

bool IsChatRoom(HostWindowHandle document) {
    return HasChild(document, hostclass::kRichText) && HasChild(document, hostclass::kListBox) &&
           HasChild(document, hostclass::kIcon) && HasChild(document, hostclass::kStatic);
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

// Sends what waits, oldest first, until the host stops answering again;
// true while lines still wait. Lines for a room that has gone are lost, as
// any line without a room is.
bool SendWaitingLines() {
    while (!g_backlog.empty()) {
        Delivery d = Deliver(g_backlog.front());
        if (d == Delivery::kStalled) {
            WatchForAnswer(SendWaitingLines);
            return true;
        }
        if (d == Delivery::kNoRoom) {
            g_backlog.Clear();
            return false;
        }
        g_backlog.PopFront();
    }
    return false;
}

}  // namespace

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
    // No room: the line is lost, silently, as a line typed with no room
    // open is. Only a host that does not answer keeps lines, and they go
    // before this one.
    if (!FindChatRoom()) return;
    g_backlog.Add(line, kind);
    SendWaitingLines();
}

void QueueChat(std::function<std::string()> line) {
    HostSequencer().Add(HostOperation().Then([line = std::move(line)] { SendChat(line()); }));
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

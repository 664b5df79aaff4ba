// The chat lines that a host which stopped answering could not take: they
// wait, in order, for it to answer again. What waits is bounded, so a host
// that comes back after an hour does not flood the room.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

// What a line is to the backlog. A tick's status line makes every waiting
// line of earlier ticks stale: the room wants the time idled now, not the
// minutes it missed.
enum class ChatKind {
    kLine,        // said once, kept until sent (or pushed out by the bound)
    kTickStatus,  // a tick's first line; drops the waiting lines of earlier ticks
    kTickDetail,  // a tick's later lines (reason, transfer)
};

struct WaitingLine {
    std::string text;  // UTF-8, as the caller built it
    ChatKind kind = ChatKind::kLine;
    // The host took the text into the entry box, but maybe not the press.
    bool reachedEntry = false;
};

class ChatBacklog {
public:
    // At most this many lines wait; beyond it the oldest goes.
    static constexpr size_t kMaxLines = 10;

    void Add(std::string_view text, ChatKind kind);
    bool empty() const { return lines_.empty(); }
    size_t size() const { return lines_.size(); }
    WaitingLine& front() { return lines_.front(); }
    void PopFront() { lines_.pop_front(); }
    void Clear() { lines_.clear(); }

private:
    std::deque<WaitingLine> lines_;
};

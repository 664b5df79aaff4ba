#include "host/backlog.h"

#include <algorithm>

void ChatBacklog::Add(std::string_view text, ChatKind kind) {
    if (kind == ChatKind::kTickStatus)
        lines_.erase(std::remove_if(lines_.begin(), lines_.end(),
                                    [](const WaitingLine& l) { return l.kind != ChatKind::kLine; }),
                     lines_.end());
    if (lines_.size() >= kMaxLines) lines_.pop_front();
    lines_.push_back({std::string(text), kind, false});
}

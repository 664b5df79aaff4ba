// The chat room: finding it, posting a line into it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/backlog.h"
#include "host/window_access.h"

HostWindowHandle FindChatRoom();
// Every chat room open, in child order (the current one first).
std::vector<HostWindowHandle> ChatRooms();
// Posts the line into the current chat room. Without a room it is lost, as
// always; a host that does not answer keeps it waiting (see ChatBacklog),
// and a timer looks for the host's answer, sending what waits once it comes.
void SendChat(std::string_view line, ChatKind kind = ChatKind::kLine);
// Posts the line built by `line` as an operation of its own: after what is
// queued before it, and built when it is sent.
void QueueChat(std::function<std::string()> line);
// How many lines wait for the host to answer.
size_t WaitingChatLines();
// True when the host took the whole press.
bool ClickIcon(HostWindowHandle icon);

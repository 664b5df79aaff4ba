// The host's file transfer window, and reading the text of any host window,
// the transfer window's children included.
#pragma once

#include <optional>
#include <string>

#include "host/chat.h"

// What a document's caption contains while it shows a file transfer.
inline constexpr char kTransferCaptionMark[] = "File Transfer - ";

// The window's text as the window itself answers for it (also another
// process's control, whose text the system does not keep); "" for null, and
// for a host that does not answer.
std::string ReadWindowText(HostWindowHandle window);
// The same, but nothing when the host did not answer.
std::optional<std::string> TryReadWindowText(HostWindowHandle window);

// The first document window, in child order, whose caption contains the
// mark in exactly that case; null when none. Every caption is a question to
// the host, so beside a crowded host the search handles the program's own
// pending messages every so often: handlers may run inside it.
HostWindowHandle FindTransferWindow();

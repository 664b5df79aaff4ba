// The host's file transfer window.
#pragma once

#include "host/windows.h"

// What a document's caption contains while it shows a file transfer.
inline constexpr char kTransferCaptionMark[] = "File Transfer - ";

// The first document window, in child order, whose caption contains the
// mark in exactly that case; null when none. Every caption is a question to
// the host, so beside a crowded host the search handles the program's own
// pending messages every so often: handlers may run inside it.
HostWindowHandle FindTransferWindow();

// The host's file transfer window.
#pragma once

#include "host/window_access.h"

// What a document's caption contains while it shows a file transfer.
inline constexpr char kTransferCaptionMark[] = "File Transfer - ";

// The first document window, in child order, whose caption contains the
// mark in exactly that case; null when none.
HostWindowHandle FindTransferWindow();

// The same search in parts, for a step that looks until it is done: every
// caption is a question to the host, and beside a crowded host the
// program's own messages are handled between parts.
class TransferSearch {
public:
    // Looks at the next documents for up to budgetMs; true once the search
    // is over. A host that changes its documents meanwhile may end it early.
    bool Continue(DWORD budgetMs);
    HostWindowHandle found() const { return found_; }

private:
    bool started_ = false;
    HostWindowHandle last_ = nullptr;  // the document looked at last
    HostWindowHandle found_ = nullptr;
};

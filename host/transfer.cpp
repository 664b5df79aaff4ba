#include "host/transfer.h"

HostWindowHandle FindTransferWindow() {
    TransferSearch search;
    while (!search.Continue(INFINITE)) {}
    return search.found();
}

bool TransferSearch::Continue(DWORD budgetMs) {
    const DWORD start = GetTickCount();
    HostWindowHandle area = FindDocumentArea();
    do {
        // From the first document, or the one after the last looked at: gone
        // since, it has no next one, and the search is over.
        last_ = started_ ? FindChild(area, hostclass::kDocument, last_)
                         : FindChild(area, hostclass::kDocument);
        started_ = true;
        if (!last_) return true;
        if (ReadWindowText(last_).find(kTransferCaptionMark) != std::string::npos) {
            found_ = last_;
            return true;
        }
    } while (GetTickCount() - start < budgetMs);
    return false;
}

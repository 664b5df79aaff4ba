#include "host/transfer.h"

namespace {

bool IsTransfer(HostWindowHandle document) {
    return ReadWindowText(document).find(kTransferCaptionMark) != std::string::npos;
}

}  // namespace

HostWindowHandle FindTransferWindow() { return FindDocument(IsTransfer); }

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
        if (IsTransfer(last_)) {
            found_ = last_;
            return true;
        }
    } while (GetTickCount() - start < budgetMs);
    return false;
}

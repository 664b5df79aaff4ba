#include "idler/transfer.h"

#include "idler/transfer_text.h"

namespace {

// A static the window lacks reads as "", and so cuts to "".
std::string StaticText(HostWindowHandle transfer, int n) {
    return ReadWindowText(NthChild(transfer, hostclass::kStatic, n));
}

}  // namespace

std::string TransferFileName(HostWindowHandle transfer) {
    return transfer ? CutFileName(StaticText(transfer, 1)) : std::string();
}

std::string TransferPercent(HostWindowHandle transfer) {
    return transfer ? CutPercent(ReadWindowText(transfer)) : std::string();
}

std::string TransferMinutesLeft(HostWindowHandle transfer) {
    return transfer ? CutMinutesLeft(StaticText(transfer, 2)) : std::string();
}

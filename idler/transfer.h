// The file transfer monitor: the pieces of the idle clock's transfer line.
// Without a window each reader looks for the transfer window again, since
// the host may close or change it at any moment; the tick looks once and
// hands the window to all three (a window closed since reads as ""). Each
// gives "" when there is none. They only read: nothing in the transfer window
// is ever pressed.
#pragma once

#include <string>

#include "host/transfer.h"

// From the window's first static, "Downloading song.mp3": "song.mp3".
std::string TransferFileName(HostWindowHandle transfer = FindTransferWindow());
// From the window's caption, "File Transfer - 45%": "45".
std::string TransferPercent(HostWindowHandle transfer = FindTransferWindow());
// From the window's second static, "About 12 minutes": " 12 ".
std::string TransferMinutesLeft(HostWindowHandle transfer = FindTransferWindow());

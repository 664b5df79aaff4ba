// The file transfer monitor: the pieces of the idle clock's transfer line.
// Each reader looks for the transfer window again, since the host may close
// or change it at any moment; each gives "" when there is none. They only
// read: nothing in the transfer window is ever pressed.
#pragma once

#include <string>

// From the window's first static, "Downloading song.mp3": "song.mp3".
std::string TransferFileName();
// From the window's caption, "File Transfer - 45%": "45".
std::string TransferPercent();
// From the window's second static, "About 12 minutes": " 12 ".
std::string TransferMinutesLeft();

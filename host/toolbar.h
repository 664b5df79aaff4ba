// The host's toolbar: its icons and their menus, the keyword box, and the
// instant-message window that one of the icons opens.
#pragma once

#include <string>

#include "host/sequencer.h"
#include "host/window_access.h"

// Toolbar icon n (from 1), or null.
HostWindowHandle FindToolbarIcon(int n);

// Clicks toolbar icon skip + 1 and, once the host's popup menu shows, types
// the first character of each letter into it: the first opens a submenu, the
// second picks from it. Gives up after a few seconds without a menu.
HostOperation PickToolbarMenu(int skip, const std::string& letter);
HostOperation PickToolbarMenu(int skip, const std::string& first, const std::string& second);
// Presses the instant-message icon, gives the host a second to open its
// window, and fills and sends it.
HostOperation SendInstantMessage(const std::string& recipient, const std::string& message);

// Steps of operations.
void PressToolbarIcon(int n);
// Types text into the keyword box and goes there; false when there is no
// keyword box to type into.
bool GotoKeyword(const std::string& text);

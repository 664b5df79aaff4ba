// The host's toolbar: its icons and their menus, the keyword box, and the
// instant-message window that one of the icons opens.
#pragma once

#include <string>

#include "host/windows.h"

// Toolbar icon n (from 1), or null.
HostWindowHandle FindToolbarIcon(int n);

// Clicks toolbar icon skip + 1 and, once the host's popup menu shows, types
// the first character of each letter into it: the first opens a submenu, the
// second picks from it. Gives up after a few seconds without a menu.
void PickToolbarMenu(int skip, const std::string& letter);
void PickToolbarMenu(int skip, const std::string& first, const std::string& second);

void PressToolbarIcon(int n);
// Types text into the keyword box and goes there.
void GotoKeyword(const std::string& text);
void SendInstantMessage(const std::string& recipient, const std::string& message);

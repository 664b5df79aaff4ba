// The host's refusal boxes: "America Online" message boxes with an "OK".
#pragma once

#include "host/window_access.h"

// Whether window is a refusal box ("America Online", in any letter case),
// shown or not; reads no text from the host.
bool IsRefusalBox(HostWindowHandle window);
// Presses its "OK" twice with the space bar, as the host's boxes need; false
// when the host did not answer. Handles none of this program's messages.
bool PressRefusalBox(HostWindowHandle box);

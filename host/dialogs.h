// The host's refusal boxes and its welcome window.
#pragma once

#include "host/chat.h"

// Presses "OK" on the host's "America Online" boxes until none is left,
// handling this program's messages meanwhile. One look when there is none.
void DismissHostDialog();
// Whether window is one of the host's refusal boxes ("America Online"),
// shown or not; reads no text from the host.
bool IsRefusalBox(HostWindowHandle window);

// The first document window whose caption begins "Welcome, ", hidden or not.
HostWindowHandle FindWelcomeWindow();
void HideWelcomeWindow();
void ShowWelcomeWindow();

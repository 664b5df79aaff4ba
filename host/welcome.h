// The host's welcome window, which the user hides and shows from the menu.
#pragma once

#include "host/window_access.h"

// The first document window whose caption begins "Welcome, ", hidden or not.
HostWindowHandle FindWelcomeWindow();
void HideWelcomeWindow();
void ShowWelcomeWindow();

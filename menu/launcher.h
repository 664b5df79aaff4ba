// Opens web addresses in the user's browser, without waiting for it.
#pragma once

#include <string>

class Launcher {
public:
    virtual ~Launcher() = default;
    virtual void Browse(const std::string& address) = 0;
};

// The system's: the address opens as the shell opens it, shown normally
// without taking the focus; nothing is waited for or checked.
Launcher& SystemLauncher();

// What the benchmark's parts share beside the tests' support: a clock, and
// waiting for a window of another process.
#pragma once

#include <windows.h>

// Seconds on the performance counter.
inline double Seconds() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return (double)count.QuadPart / (double)frequency.QuadPart;
}

// The first visible window of that class that the process pid shows.
inline HWND VisibleWindowOf(DWORD pid, const wchar_t* className) {
    for (HWND w = FindWindowW(className, nullptr); w;
         w = FindWindowExW(nullptr, w, className, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// Looks every few milliseconds until done() holds (true) or seconds have
// passed (false); handles no messages.
template <class Done>
bool WaitFor(Done done, double seconds) {
    const double end = Seconds() + seconds;
    while (!done()) {
        if (Seconds() > end) return false;
        Sleep(5);
    }
    return true;
}

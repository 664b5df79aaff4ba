// What the benchmark's parts share: a clock, CPU readings, and waiting for a
// window of another process.
#pragma once

#include <windows.h>

#include <string>

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

// CPU in 100 ns units, kept whole: two readings of a process or thread that
// did not run differ by exactly nothing.
inline unsigned long long CpuTicks(const FILETIME& kernel, const FILETIME& user) {
    auto ticks = [](const FILETIME& t) {
        return ((unsigned long long)t.dwHighDateTime << 32) | t.dwLowDateTime;
    };
    return ticks(kernel) + ticks(user);
}

inline unsigned long long ProcessCpuTicks(HANDLE process) {
    FILETIME created, exited, kernel, user;
    return GetProcessTimes(process, &created, &exited, &kernel, &user) ? CpuTicks(kernel, user)
                                                                      : 0;
}

inline unsigned long long ThreadCpuTicks() {
    FILETIME created, exited, kernel, user;
    return GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)
               ? CpuTicks(kernel, user)
               : 0;
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

// Starts a command line in folder (the current one when empty); false when
// it cannot be started.
inline bool Launch(std::string commandLine, const std::string& folder, PROCESS_INFORMATION& info,
                   DWORD flags = 0) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    info = {};
    return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, flags, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &info) != 0;
}

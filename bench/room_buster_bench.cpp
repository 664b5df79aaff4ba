// The room buster's figures: what its refusal watcher costs while no box
// shows, beside a timer that looks every millisecond; how soon a shown box is
// pressed; and what busting costs while the room stays full. The costs are
// of a process of the benchmark's own playing the program's part, plus the
// wineserver, which every look at another process's windows goes through.
#include "bench/room_buster_bench.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "bench/measure.h"
#include "host/refusal_box.h"
#include "host/sequencer.h"
#include "tests/support.h"
#include "roombust/refusal_watcher.h"
#include "roombust/room_buster.h"
#include "ui/text.h"

namespace {

constexpr int kCostSeconds = 10;
constexpr int kBoxes = 20;

double ProcessCpu(HANDLE process) { return ProcessCpuTicks(process) / 1e7; }

// The wineserver's CPU in seconds, read from the host system's process table
// through Wine's view of the root; 0 where there is none (on Windows).
double WineserverCpu() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    double seconds = 0;
    do {
        const std::string dir = std::string("Z:\\proc\\") + found.cFileName;
        if (found.cFileName[0] < '0' || found.cFileName[0] > '9') continue;
        char line[1024] = {};
        if (FILE* f = std::fopen((dir + "\\stat").c_str(), "r")) {
            const size_t n = std::fread(line, 1, sizeof line - 1, f);
            std::fclose(f);
            line[n] = 0;
        }
        // "wineserver32" or "wineserver64": Wine's script starts the server
        // of the machine's architecture under that name.
        if (!std::strstr(line, "(wineserver")) continue;
        // After the name: state, then 10 fields before utime and stime, in
        // clock ticks of 1/100 s.
        const char* rest = std::strrchr(line, ')');
        unsigned long utime = 0, stime = 0;
        if (rest && std::sscanf(rest + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu",
                                &utime, &stime) == 2)
            seconds += (utime + stime) / 100.0;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return seconds;
}

std::string SelfPath() {
    char path[MAX_PATH];
    return std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
}

// Runs this benchmark again as `role` for settle + seconds, and returns the
// CPU that it (by its own account, its exit code in milliseconds) and the
// wineserver spend over the last `seconds`.
double CostOf(const std::string& role, int settle, int seconds) {
    PROCESS_INFORMATION info;
    if (!Launch("\"" + SelfPath() + "\" --role " + role + " " + std::to_string(settle) + " " +
                    std::to_string(seconds),
                "", info))
        return -1;
    Sleep(settle * 1000);
    const double server = WineserverCpu();
    WaitForSingleObject(info.hProcess, (settle + seconds + 30) * 1000);
    const double serverSpent = WineserverCpu() - server;
    DWORD ms = 0;
    GetExitCodeProcess(info.hProcess, &ms);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return ms / 1000.0 + serverSpent;
}

// Handles messages for settle seconds, then for `seconds` more; the CPU of
// the second span in milliseconds.
DWORD Loop(int settle, int seconds) {
    double cpu = 0;
    const double start = Seconds();
    while (Seconds() - start < settle + seconds) {
        if (!cpu && Seconds() - start >= settle) cpu = ProcessCpu(GetCurrentProcess()) + 1e-9;
        Pump(100);
    }
    return (DWORD)((ProcessCpu(GetCurrentProcess()) - cpu) * 1000);
}

HWND VisibleBox() {
    for (HWND box = FindWindowA("#32770", "America Online"); box;
         box = FindWindowExA(nullptr, box, "#32770", "America Online"))
        if (IsWindowVisible(box)) return box;
    return nullptr;
}

// A tick of the dialog timer as first described: a look for a box, and a
// press when there is one.
void CALLBACK PollOnce(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND box = VisibleBox()) PressRefusalBox(box);
}

}  // namespace

int RunRoomBusterRole(const std::string& role, int settle, int seconds) {
    if (role == "idle") return (int)Loop(settle, seconds);
    if (role == "watcher") {
        RefusalWatcher watcher;
        watcher.Arm();
        return (int)Loop(settle, seconds);
    }
    if (role == "poll") {
        // The dialog timer as first described: a look every millisecond.
        SetTimer(nullptr, 0, 1, PollOnce);
        return (int)Loop(settle, seconds);
    }
    if (role == "bust") {
        Settings settings;
        RoomBuster buster(settings, [] {});
        SetDlgItemTextW(buster.Handle(), kBusterRoom, L"Crowded");
        buster.Start();  // its two pauses are part of settling
        return (int)Loop(settle > 6 ? settle - 6 : 0, seconds);
    }
    return -1;
}

void BenchRoomBuster(hostsim::Host& host) {
    std::printf("room buster's refusal watcher, no box showing, CPU over %d s "
                "(process and wineserver):\n", kCostSeconds);
    const double idle = CostOf("idle", 2, kCostSeconds);
    const double watcher = CostOf("watcher", 2, kCostSeconds);
    const double poll = CostOf("poll", 2, kCostSeconds);
    auto share = [](double cpu) { return 100 * cpu / kCostSeconds; };
    std::printf("  not armed: %.2f s = %.2f %%\n  armed:     %.2f s = %.2f %%\n"
                "  for scale, a 1 ms polling timer: %.2f s = %.2f %%\n",
                idle, share(idle), watcher, share(watcher), poll, share(poll));

    // Boxes shown one at a time; a thread of the benchmark notes when each
    // shows and when its first press arrives, while this one runs the watcher.
    host.SetAnswerDelay(0);
    RefusalWatcher armed;
    armed.Arm();
    std::vector<double> latency;
    bool done = false;
    std::thread timer([&] {
        for (int i = 0; i < kBoxes; ++i) {
            host.ClearLog();
            host.Execute("box ok");
            double shown = 0;
            const double bound = Seconds() + 5;
            while (Seconds() < bound) {
                if (!shown && VisibleBox()) shown = Seconds();
                if (!hostsim::Of(host.Log(), "box").empty()) break;
                Sleep(1);
            }
            if (shown) latency.push_back((Seconds() - shown) * 1000);
            while (VisibleBox() && Seconds() < bound + 2) Sleep(5);
            Sleep(50);
        }
        done = true;
    });
    PumpUntil([&] { return done; }, 60000);
    timer.join();
    std::sort(latency.begin(), latency.end());
    if (latency.empty()) {
        std::printf("  no box was pressed\n");
    } else {
        std::printf("  box shown to first press, %zu boxes: median %.1f ms, worst %.1f ms\n",
                    latency.size(), latency[latency.size() / 2], latency.back());
    }

    host.MakeRoomFull("Crowded", 100000);
    host.SetAnswerDelay(30);
    const double bust = CostOf("bust", 8, kCostSeconds);
    std::printf("busting with the room full (an attempt and a box every 400 ms), CPU over %d s "
                "(process and wineserver): %.2f s = %.2f %%\n\n",
                kCostSeconds, bust, share(bust));
}

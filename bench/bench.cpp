// norq_bench: the figures we watch, printed and never judged here.
//   a crowded host: an idle tick beside hostsim.exe with 500 document windows
//     and a transfer window among them; how long the tick takes, how many
//     text questions it asks, and the longest the program's own input waited;
//   the room buster: its refusal watcher's CPU beside a 1 ms polling timer,
//     box-to-press latency, CPU while busting (room_buster_bench.cpp);
//   auto idle: CPU while waiting for a quiet spell, and the first input to
//     the stop line (auto_idle_bench.cpp);
//   start-up: from starting norqidle.exe beside a host with one room open to
//     the first chat line, less the about window's four-second pause;
//   the player: CPU while playing and paused, click to first sound, listing a
//     big folder (player_bench.cpp);
//   idling: CPU and memory over NORQ_BENCH_IDLE_MINUTES minutes (3);
//   waiting: the CPU this thread spends in a pause of three seconds between
//     two steps, as a share of the wall time the pause lasts.
// norqidle.exe keeps its settings in the root of its current drive, so it is
// started in a folder of the benchmark's own: the first argument, or else the
// root of the drive that tests/wine-run.sh maps (NORQ_TEST_DRIVE).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <psapi.h>

#include "bench/auto_idle_bench.h"
#include "bench/measure.h"
#include "bench/player_bench.h"
#include "bench/room_buster_bench.h"
#include "host/transfer.h"
#include "host/sequencer.h"
#include "hostsim/hostsim.h"
#include "app/program.h"
#include "idler/transfer.h"
#include "tests/support.h"

namespace {

constexpr int kRuns = 3;
constexpr double kAboutPause = 4.0;
constexpr double kLineBound = 30.0;
constexpr char kRoom[] = "Lobby";
constexpr wchar_t kAboutClass[] = L"norq idle about";

std::string Directory(std::string path) { return path.substr(0, path.find_last_of("\\/") + 1); }

std::string BesideThisProgram(const char* name) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return Directory(std::string(path, n)) + name;
}

// The about window of the process pid, if it has one yet.
HWND AboutWindowOf(DWORD pid) {
    for (HWND w = FindWindowW(kAboutClass, nullptr); w;
         w = FindWindowExW(nullptr, w, kAboutClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid) return w;
    }
    return nullptr;
}

// Seconds from the launch; negative when it never happened.
struct StartUp {
    double aboutShown = -1;  // the about window came up
    double aboutGone = -1;   // it went, and the main window's start-up began
    double firstLine = -1;   // the room got the load line
    double pauseCpu = -1;    // the program's own CPU while the about window stood
};

StartUp MeasureStartUp(hostsim::Host& host, const std::string& program,
                       const std::string& folder) {
    StartUp s;
    const size_t before = host.ChatLines(kRoom).size();
    PROCESS_INFORMATION info;
    const double launch = Seconds();
    if (!Launch("\"" + program + "\"", folder, info)) {
        std::printf("  cannot start %s (error %lu)\n", program.c_str(), GetLastError());
        return s;
    }
    HWND about = nullptr;
    unsigned long long cpuAtShow = 0;
    for (;;) {
        const double now = Seconds() - launch;
        if (!about) about = AboutWindowOf(info.dwProcessId);
        const bool shown = about && IsWindowVisible(about);
        if (shown && s.aboutShown < 0) {
            s.aboutShown = now;
            cpuAtShow = ProcessCpuTicks(info.hProcess);
        }
        if (!shown && s.aboutShown >= 0 && s.aboutGone < 0) {
            s.aboutGone = now;
            s.pauseCpu = (double)(ProcessCpuTicks(info.hProcess) - cpuAtShow) / 1e7;
        }
        if (host.ChatLines(kRoom).size() > before) {
            s.firstLine = now;
            break;
        }
        if (now > kLineBound || WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0) break;
        Sleep(1);
    }
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return s;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// For scale: a loop that only reads the clock, and a wait that pumps without
// ever sleeping. The second costs less of this thread than the first, since
// each look at the queue also spends time in the window server's process.
void Spin(double seconds, bool pump) {
    const double end = Seconds() + seconds;
    while (Seconds() < end)
        if (pump) Pump(0);
}

struct CpuShare {
    double cpu, wall;
    double percent() const { return wall > 0 ? 100 * cpu / wall : 0; }
};

template <class Action>
CpuShare MeasureCpu(Action action) {
    const unsigned long long cpu = ThreadCpuTicks();
    const double wall = Seconds();
    action();
    return {(double)(ThreadCpuTicks() - cpu) / 1e7, Seconds() - wall};
}

// The program idling for `minutes`, as a user leaves it: started, "idler on"
// chosen from its menu, then left alone. Its CPU and memory meanwhile.
void MeasureIdling(hostsim::Host& host, const std::string& program, const std::string& folder,
                   int minutes) {
    std::printf("idling for %d minutes beside hostsim:\n", minutes);
    PROCESS_INFORMATION info;
    const size_t before = host.ChatLines(kRoom).size();
    if (!Launch("\"" + program + "\"", folder, info)) {
        std::printf("  cannot start %s\n", program.c_str());
        return;
    }
    HWND main = nullptr, menu = nullptr;
    const bool started =
        WaitFor([&] { return host.ChatLines(kRoom).size() >= before + 2; }, kLineBound) &&
        WaitFor([&] { return (main = VisibleWindowOf(info.dwProcessId, L"norq idle main")); }, 5);
    if (started) {
        HWND opts = GetDlgItem(main, kOptsLabel);
        PostMessageW(opts, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        PostMessageW(opts, WM_LBUTTONUP, 0, 0);
        WaitFor([&] { return (menu = VisibleWindowOf(info.dwProcessId, L"#32768")); }, 5);
    }
    if (menu) {
        // Down to "idler opts", into it, and "idler on".
        for (UINT key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN})
            PostMessageW(menu, WM_KEYDOWN, key, 0);
    }
    if (!menu || !WaitFor([&] { return host.ChatLines(kRoom).size() >= before + 3; }, 5)) {
        std::printf("  could not start idling\n");
    } else {
        const unsigned long long cpu = ProcessCpuTicks(info.hProcess);
        const double wall = Seconds();
        Sleep(minutes * 60 * 1000 + 2000);
        const double spent = (double)(ProcessCpuTicks(info.hProcess) - cpu) / 1e7;
        const double lasted = Seconds() - wall;
        const size_t lines = host.ChatLines(kRoom).size() - (before + 3);
        std::printf("  CPU: %.3f s of %.1f s wall = %.2f %% (%zu lines posted by %d ticks)\n",
                    spent, lasted, 100 * spent / lasted, lines, minutes);
        PROCESS_MEMORY_COUNTERS memory = {};
        memory.cb = sizeof memory;
        if (GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory))
            std::printf("  working set: %lu KiB (peak %lu KiB), private: %lu KiB\n",
                        (unsigned long)(memory.WorkingSetSize / 1024),
                        (unsigned long)(memory.PeakWorkingSetSize / 1024),
                        (unsigned long)(memory.PagefileUsage / 1024));
    }
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

// The text questions hostsim.exe has been asked since its record was cleared.
int TextQuestions(const std::string& folder) {
    const std::string path = folder + "hostsim.log";
    if (!hostsim::SendCommand("save-log " + path)) return -1;
    int questions = 0;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char line[4096];
        while (std::fgets(line, sizeof line, file))
            if (std::strstr(line, " WM_GETTEXT")) ++questions;
        std::fclose(file);
    }
    DeleteFileA(path.c_str());
    return questions;
}

void PumpFor(double seconds) {
    const double end = Seconds() + seconds;
    while (Seconds() < end) Pump(5);
}

// The program's idle tick in this process, beside hostsim.exe in its own
// with kDocuments document windows, the transfer window halfway down and the
// chat room on top.
void MeasureCrowdedTick(const std::string& folder, const std::string& settings) {
    constexpr int kDocuments = 500;
    std::printf("an idle tick beside a host with %d document windows:\n", kDocuments);
    const std::string hostsim = BesideThisProgram("hostsim.exe");
    PROCESS_INFORMATION info;
    if (!Launch("\"" + hostsim + "\"", folder, info, CREATE_NO_WINDOW) ||
        !WaitFor([] { return FindWindowA("AOL Frame25", nullptr) != nullptr; }, 10)) {
        std::printf("  cannot start hostsim.exe\n");
        return;
    }
    for (int i = 0; i < kDocuments; ++i) {
        if (i == kDocuments / 2)
            hostsim::SendCommand(
                "transfer File Transfer - 45%|Downloading song.mp3|About 12 minutes");
        hostsim::SendCommand("doc Document " + std::to_string(i));
    }
    hostsim::SendCommand("room Lobby");

    WritePrivateProfileStringA("norq idle", "handle", "bench", settings.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, settings.c_str());
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.c_str());
    {
        Program program([] {});
        program.OpenMain();
        program.clock().On();
        PumpFor(0.5);
        for (int run = 1; run <= kRuns; ++run) {
            hostsim::SendCommand("clear-log");
            hostsim::ResponseWatch watch;
            const double start = Seconds();
            program.clock().Tick();
            RunHostSteps(60000);
            const double tick = Seconds() - start;
            PumpFor(0.1);
            std::printf("  run %d: the tick took %.3f s, its pause to the second included, asked "
                        "%d text questions; the program's input waited at most %.0f ms\n",
                        run, tick, TextQuestions(folder), watch.LongestMs());
        }
        // For scale: a search of its own for each reader, and one for the test.
        hostsim::SendCommand("clear-log");
        const double start = Seconds();
        if (FindTransferWindow()) {
            TransferFileName();
            TransferPercent();
            TransferMinutesLeft();
        }
        std::printf("  for scale, a search for the test and one for each reader: %.3f s, "
                    "%d text questions\n",
                    Seconds() - start, TextQuestions(folder));
        program.clock().Off();
        RunHostSteps(60000);
    }
    SetCurrentDirectoryA(previous);
    DeleteFileA(settings.c_str());
    hostsim::SendCommand("quit");
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--role")
        return RunRoomBusterRole(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    std::string folder;
    if (argc > 1) folder = argv[1];
    else if (const char* drive = std::getenv("NORQ_TEST_DRIVE")) folder = std::string(drive) + "\\";
    if (folder.empty()) {
        std::fprintf(stderr, "usage: norq_bench [FOLDER]\n"
                             "  norqidle.exe runs in FOLDER and writes norqidle.ini in the root "
                             "of its drive;\n  without FOLDER, the root of NORQ_TEST_DRIVE (set "
                             "by tests/wine-run.sh)\n");
        return 2;
    }
    if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
    const std::string program = BesideThisProgram("norqidle.exe");
    const std::string settings = folder + "norqidle.ini";

    // NORQ_BENCH_ONLY names the one part to measure: crowded-tick, auto-idle,
    // start-up, player, idling, room-buster or waiting.
    const char* only = std::getenv("NORQ_BENCH_ONLY");
    auto part = [only](const char* name) { return !only || std::strcmp(only, name) == 0; };

    if (part("crowded-tick")) {
        MeasureCrowdedTick(folder, settings);
        std::printf("\n");
    }
    hostsim::Host host;
    if (part("room-buster")) BenchRoomBuster(host);
    host.OpenRoom(kRoom);
    if (part("auto-idle")) {
        const char* waiting = std::getenv("NORQ_BENCH_AUTO_IDLE_SECONDS");
        BenchAutoIdle(host, program, folder, waiting ? std::atoi(waiting) : 60);
        std::printf("\n");
    }
    if (part("start-up")) {
        std::printf("start-up beside hostsim, from launch to the first chat line (%d runs):\n",
                    kRuns);
        std::vector<double> lessPause, withoutTaken;
        for (int run = 1; run <= kRuns; ++run) {
            // A stored handle: the start-up a returning user gets.
            DeleteFileA(settings.c_str());
            WritePrivateProfileStringA("norq idle", "handle", "bench", settings.c_str());
            WritePrivateProfileStringA(nullptr, nullptr, nullptr, settings.c_str());
            StartUp s = MeasureStartUp(host, program, folder);
            if (s.firstLine < 0) {
                std::printf("  run %d: no chat line within %.0f s\n", run, kLineBound);
                DeleteFileA(settings.c_str());
                return 1;
            }
            lessPause.push_back(s.firstLine - kAboutPause);
            std::printf("  run %d: %.3f s; less the %.0f s about pause: %.3f s\n", run, s.firstLine,
                        kAboutPause, s.firstLine - kAboutPause);
            // The pause runs from its start rounded to the whole second, so it
            // lasts 3.5 to 4.5 s; the about window's lifetime is the pause taken.
            if (s.aboutShown >= 0 && s.aboutGone >= 0) {
                const double taken = s.aboutGone - s.aboutShown;
                withoutTaken.push_back(s.firstLine - taken);
                std::printf("         pause as taken %.3f s; without it %.3f s (%.3f s to the about "
                            "window, %.3f s from its end to the line)\n",
                            taken, s.firstLine - taken, s.aboutShown, s.firstLine - s.aboutGone);
                std::printf("         norqidle's CPU during that pause: %.3f s "
                            "= %.1f %%\n",
                            s.pauseCpu, taken > 0 ? 100 * s.pauseCpu / taken : 0);
            }
        }
        DeleteFileA(settings.c_str());
        std::printf("  median less the %.0f s pause: %.3f s\n", kAboutPause, Median(lessPause));
        if (!withoutTaken.empty())
            std::printf("  median without the pause as taken: %.3f s\n", Median(withoutTaken));
        std::printf("\n");
    }
    if (part("player")) {
        MeasurePlayer(host, program, folder);
        DeleteFileA(settings.c_str());
        std::printf("\n");
    }
    if (part("idling")) {
        const char* minutes = std::getenv("NORQ_BENCH_IDLE_MINUTES");
        WritePrivateProfileStringA("norq idle", "handle", "bench", settings.c_str());
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, settings.c_str());
        MeasureIdling(host, program, folder, minutes ? std::atoi(minutes) : 3);
        DeleteFileA(settings.c_str());
        std::printf("\n");
    }
    if (!part("waiting")) return 0;
    CpuShare wait = MeasureCpu([] {
        HostSequencer().Add(HostOperation().PauseToSecond(3));
        RunHostSteps(60000);
    });
    std::printf("CPU during a pause of 3 s: %.3f s of %.3f s wall = %.1f %%\n", wait.cpu,
                wait.wall, wait.percent());
    CpuShare spin = MeasureCpu([] { Spin(1.0, false); });
    std::printf("  for scale, a loop that only reads the clock: %.3f s of %.3f s = %.1f %%\n",
                spin.cpu, spin.wall, spin.percent());
    CpuShare busy = MeasureCpu([] { Spin(1.0, true); });
    std::printf("  and a wait that pumps without sleeping: %.3f s of %.3f s = %.1f %%\n",
                busy.cpu, busy.wall, busy.percent());
    return 0;
}

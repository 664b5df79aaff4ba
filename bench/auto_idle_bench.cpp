// Auto idle: what waiting for the quiet spell costs norqidle.exe (its
// process CPU, with and without the setting), and how soon the first input
// after an automatic start brings the stop line into the room. The delay is
// measured on the main window run in this process, with the system's
// last-input time made older by a quiet minute less a second, so the quiet
// spell of a one-minute setting is over a second after the last input; the
// input is real (SendInput over the main window).
#include "bench/auto_idle_bench.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/measure.h"
#include "hostsim/hostsim.h"
#include "app/program.h"
#include "tests/support.h"

namespace {

constexpr char kRoom[] = "Lobby";

void WriteSettings(const std::string& file, const char* autoIdle) {
    DeleteFileA(file.c_str());
    WritePrivateProfileStringA("norq idle", "handle", "bench", file.c_str());
    if (autoIdle) WritePrivateProfileStringA("norq idle", "auto idle", autoIdle, file.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
}

// norqidle.exe started and left alone once its start-up lines are out.
void MeasureWaiting(hostsim::Host& host, const std::string& program, const std::string& folder,
                    const char* autoIdle, int seconds) {
    WriteSettings(folder + "norqidle.ini", autoIdle);
    PROCESS_INFORMATION info;
    const size_t before = host.ChatLines(kRoom).size();
    if (!Launch("\"" + program + "\"", folder, info)) {
        std::printf("  cannot start %s\n", program.c_str());
        return;
    }
    if (PumpUntil([&] { return host.ChatLines(kRoom).size() >= before + 2; }, 30000)) {
        Pump(2000);  // the start-up settles
        const unsigned long long cpu = ProcessCpuTicks(info.hProcess);
        const double wall = Seconds();
        Sleep(seconds * 1000);
        const double spent = (double)(ProcessCpuTicks(info.hProcess) - cpu) / 1e7;
        const double lasted = Seconds() - wall;
        std::printf("  %-26s CPU %.4f s of %.1f s wall = %.4f %% (%.4f s in all since its start)\n",
                    autoIdle ? "auto idle=1440, waiting:" : "without the setting:", spent, lasted,
                    100 * spent / lasted, (double)ProcessCpuTicks(info.hProcess) / 1e7);
    } else {
        std::printf("  no start-up lines\n");
    }
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

struct QuietSoon : InputClock {
    uint32_t Now() override { return SystemInputClock().Now(); }
    uint32_t LastInput() override { return SystemInputClock().LastInput() - 59000; }
};

void MeasureReturn(hostsim::Host& host, const std::string& folder) {
    constexpr int kRuns = 10;
    const std::string file = folder + "norqidle.ini";
    WriteSettings(file, "1");
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.c_str());
    {
        QuietSoon clock;
        Program program([] {});
        program.clock().UseInputClock(clock);
        program.OpenMain();
        const MainWindow& main = program.main();
        std::vector<double> delays;
        for (int run = 0; run < kRuns; ++run) {
            if (!PumpUntil([&] { return program.clock().byItself(); }, 10000)) break;
            Pump(300 + 137 * run % 500);  // the input comes at no fixed point of the checks
            const size_t before = host.ChatLines(kRoom).size();
            RECT r;
            GetWindowRect(main.hwnd(), &r);
            const double input = Seconds();
            Mouse(0, r.left + 5 + run % 2 * 10, r.top + 5);
            if (!PumpUntil([&] { return host.ChatLines(kRoom).size() > before; }, 10000)) break;
            delays.push_back(Seconds() - input);
        }
        if (delays.size() == kRuns) {
            std::vector<double> sorted = delays;
            std::sort(sorted.begin(), sorted.end());
            std::printf("  first input to the stop line: median %.3f s (min %.3f, max %.3f, %d "
                        "runs)\n",
                        (sorted[4] + sorted[5]) / 2, sorted.front(), sorted.back(), kRuns);
        } else {
            std::printf("  auto idle did not start or stop (%zu runs done)\n", delays.size());
        }
        program.clock().Off();
        RunHostSteps();
    }
    SetCurrentDirectoryA(previous);
    DeleteFileA(file.c_str());
}

}  // namespace

void BenchAutoIdle(hostsim::Host& host, const std::string& program, const std::string& folder,
                   int seconds) {
    std::printf("auto idle beside hostsim:\n");
    MeasureWaiting(host, program, folder, nullptr, seconds);
    MeasureWaiting(host, program, folder, "1440", seconds);
    MeasureReturn(host, folder);
}

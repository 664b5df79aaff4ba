#include "bench/player_bench.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "bench/measure.h"
#include "hostsim/hostsim.h"
#include "idler/main_window.h"
#include "player/directshow_media.h"
#include "player/player_window.h"
#include "tests/support.h"

namespace {

constexpr int kClicks = 10;
constexpr int kListed = 5000;
constexpr DWORD kPhaseMs = 10000;
// The shipped two-second tone, repeated: MP3 frames follow one another.
constexpr int kLongMp3Copies = 20;

// CPU clock ticks (1/100 s) of the Linux processes of this run whose name
// passes, from /proc, which Wine shows as Z:\proc. Other runs on the machine
// are told apart by the sound server's address, which every process of this
// run, the server included, has in its environment.
long long ProcTicks(const std::function<bool(const std::string&)>& counts) {
    const char* server = std::getenv("PULSE_SERVER");
    const std::string mark = std::string("PULSE_SERVER=") + (server ? server : "") + '\0';
    long long ticks = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        if (found.cFileName[0] < '0' || found.cFileName[0] > '9') continue;
        const std::string process = std::string("Z:\\proc\\") + found.cFileName;
        const std::string stat = ReadFileBytes(process + "\\stat");
        const size_t open = stat.find('('), close = stat.rfind(')');
        if (open == std::string::npos || close == std::string::npos) continue;
        if (!counts(stat.substr(open + 1, close - open - 1))) continue;
        if ((ReadFileBytes(process + "\\environ") + '\0').find(mark) == std::string::npos) continue;
        // After the name: state, then eleven fields before utime and stime.
        long long utime = 0, stime = 0;
        std::sscanf(stat.c_str() + close + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lld %lld",
                    &utime, &stime);
        ticks += utime + stime;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return ticks;
}

bool IsProgram(const std::string& name) { return name == "norqidle.exe"; }
// Wine's own processes beside the program: its server (wineserver32 here)
// and helpers.
bool IsWine(const std::string& name) {
    return name.compare(0, 10, "wineserver") == 0 || name == "services.exe" ||
           name == "explorer.exe" || name == "winedevice.exe" || name == "plugplay.exe" ||
           name == "svchost.exe" || name == "rpcss.exe";
}
bool IsSoundServer(const std::string& name) { return name == "pulseaudio"; }

void PrintCpu(const char* phase, DWORD ms) {
    const long long program = ProcTicks(IsProgram), wine = ProcTicks(IsWine),
                    sound = ProcTicks(IsSoundServer);
    const double start = Seconds();
    Sleep(ms);
    const double wall = Seconds() - start;
    auto share = [&](long long before, bool (*counts)(const std::string&)) {
        return 100.0 * (double)(ProcTicks(counts) - before) / 100.0 / wall;
    };
    const double p = share(program, IsProgram), w = share(wine, IsWine),
                 s = share(sound, IsSoundServer);
    std::printf("  CPU while %s (%.1f s, %% of one core): norqidle %.1f, its Wine processes "
                "%.1f, sound server %.1f; together %.1f\n",
                phase, wall, p, w, s, p + w + s);
}

void Press(HWND label) {
    PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageW(label, WM_LBUTTONUP, 0, 0);
}

// The player of the program in process pid, opened from its menu.
HWND OpenPlayer(DWORD pid, hostsim::Host& host) {
    HWND main = nullptr, menu = nullptr;
    if (!WaitFor([&] { return host.ChatLines("Lobby").size() >= 2; }, 30) ||
        !WaitFor([&] { return (main = VisibleWindowOf(pid, L"norq idle main")); }, 5))
        return nullptr;
    Press(GetDlgItem(main, kOptsLabel));
    if (!WaitFor([&] { return (menu = VisibleWindowOf(pid, L"#32768")); }, 5)) return nullptr;
    // Down to "misc", into it, one down to "mp3 player".
    for (UINT key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN,
                     VK_RIGHT, VK_DOWN, VK_RETURN})
        PostMessageW(menu, WM_KEYDOWN, key, 0);
    HWND player = nullptr;
    WaitFor([&] { return (player = VisibleWindowOf(pid, L"norq idle player")); }, 5);
    return player;
}

// From a click on control to the first sample that came out, in seconds, as
// the recording of the sound server's sink shows it; negative if none came.
double ClickToSound(HWND player, int control, const AudioCapture& capture) {
    const size_t clicked = capture.Now();
    Press(GetDlgItem(player, control));
    size_t first = 0;
    WaitFor([&] {
        const size_t now = capture.Now();
        for (size_t at = clicked; at + 80 <= now && !first; at += 80)
            if (capture.Peak(at, 80) > 0.05) first = at;
        return first != 0;
    }, 5);
    return first ? (double)(first - clicked) / AudioCapture::kRate : -1;
}

void PrintDelays(const char* what, std::vector<double> delays) {
    std::sort(delays.begin(), delays.end());
    if (delays.empty()) std::printf("  %s: no sound came\n", what);
    else
        std::printf("  %s: median %.3f s, worst %.3f s of %zu (best %.3f s)\n", what,
                    (delays[(delays.size() - 1) / 2] + delays[delays.size() / 2]) / 2,
                    delays.back(), delays.size(), delays.front());
}

void MeasureListing(const std::string& folder) {
    const std::string many = folder + "many";
    CreateDirectoryA(many.c_str(), nullptr);
    for (int i = 0; i < kListed; ++i)
        WriteFileBytes(many + "\\song " + std::to_string(i) + ".mp3", "");
    Settings settings;
    DirectShowMedia media;
    PlayerWindow player(settings, media, [] {}, [] {});
    ShowWindow(player.Handle(), SW_SHOWNA);
    const double start = Seconds();
    player.ShowFolder(many);
    UpdateWindow(player.hwnd());
    std::printf("  listing a folder of %d files: %.3f s (%d entries)\n", kListed,
                Seconds() - start, player.files().count());
    for (int i = 0; i < kListed; ++i) DeleteFileA((many + "\\song " + std::to_string(i) + ".mp3").c_str());
    RemoveDirectoryA(many.c_str());
}

}  // namespace

void MeasurePlayer(hostsim::Host& host, const std::string& program, const std::string& folder) {
    std::printf("the player:\n");
    AudioCapture capture;
    std::string tone = ReadFileBytes(BesideTests("tone880.mp3")), mp3;
    for (int i = 0; i < kLongMp3Copies; ++i) mp3 += tone;
    // Sorted first in the player's list, before norqidle.ini.
    WriteFileBytes(folder + "a long tone.mp3", mp3);
    WritePrivateProfileStringA("norq idle", "handle", "bench", (folder + "norqidle.ini").c_str());
    PROCESS_INFORMATION info = {};
    HWND player = nullptr;
    if (!capture.ok()) {
        std::printf("  no recorded sound server (NORQ_AUDIO_CAPTURE): run by scripts/bench.sh\n");
    } else if (!Launch("\"" + program + "\"", folder, info)) {
        std::printf("  cannot start %s\n", program.c_str());
    } else if (!(player = OpenPlayer(info.dwProcessId, host))) {
        std::printf("  the player did not come up\n");
    } else {
        SendMessageW(GetDlgItem(player, kPlayerFiles), LB_SETCURSEL, 0, 0);
        std::vector<double> delays;
        for (int i = 0; i < kClicks; ++i) {
            const double delay = ClickToSound(player, kPlayerPlay, capture);
            if (delay >= 0) delays.push_back(delay);
            // The stop clears the selection: it must be through before the
            // entry is selected again (a sent message overtakes a posted one).
            Press(GetDlgItem(player, kPlayerStop));
            Sleep(300);
            SendMessageW(GetDlgItem(player, kPlayerFiles), LB_SETCURSEL, 0, 0);
        }
        PrintDelays("click on play to the first sample out", delays);
        Press(GetDlgItem(player, kPlayerPlay));
        Sleep(1000);
        PrintCpu("playing an MP3", kPhaseMs);
        Press(GetDlgItem(player, kPlayerPause));
        Sleep(500);
        PrintCpu("paused", kPhaseMs);
        // The sound of the last pause has died away before each resume.
        delays.clear();
        for (int i = 0; i < kClicks; ++i) {
            const double delay = ClickToSound(player, kPlayerPause, capture);
            if (delay >= 0) delays.push_back(delay);
            Sleep(300);
            Press(GetDlgItem(player, kPlayerPause));
            Sleep(500);
        }
        PrintDelays("click on resume to the first sample out", delays);
        Press(GetDlgItem(player, kPlayerPause));  // resumed: stop acts only on a playing file
        Sleep(500);
        Press(GetDlgItem(player, kPlayerStop));
        Sleep(500);
        PrintCpu("stopped, the player still open", kPhaseMs);
    }
    if (info.hProcess) {
        TerminateProcess(info.hProcess, 0);
        WaitForSingleObject(info.hProcess, 5000);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    DeleteFileA((folder + "a long tone.mp3").c_str());
    MeasureListing(folder);
}

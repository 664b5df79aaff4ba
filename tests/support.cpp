#include "tests/support.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <utility>
#include <vector>

#include <shlobj.h>

#include "ui/text.h"
#include "ui/window.h"

void Pump(DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (HandleWindowKeys(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        DWORD spent = GetTickCount() - start;
        if (spent >= ms) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
    }
}

// The sequencer moves only when a message comes (its timer's), so this sleeps
// until one does: a pause costs no CPU here either.
bool RunHostSteps(DWORD ms) {
    const DWORD start = GetTickCount();
    while (!HostSequencer().idle()) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
        Pump(0);
    }
    return true;
}

void Mouse(DWORD flags, int x, int y) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    Pump(30);
}

void ClickAt(HWND window, int x, int y) {
    POINT at = {x, y};
    ClientToScreen(window, &at);
    for (DWORD flags : {0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) Mouse(flags, at.x, at.y);
}

void ClickOn(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    ClickAt(control, r.right / 2, r.bottom / 2);
}

void Chord(std::initializer_list<WORD> vks, bool pump) {
    std::vector<INPUT> keys(2 * vks.size());
    size_t down = 0, up = keys.size();
    for (WORD vk : vks) {
        keys[down].type = keys[--up].type = INPUT_KEYBOARD;
        keys[down++].ki.wVk = keys[up].ki.wVk = vk;
        keys[up].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput((UINT)keys.size(), keys.data(), sizeof(INPUT));
    if (pump) Pump(60);
}

void Key(WORD vk) { Chord({vk}); }

void Type(const std::string& text) {
    for (char c : text) {
        const SHORT key = VkKeyScanA(c);
        if (key & 0x100) Chord({VK_SHIFT, LOBYTE(key)});
        else Key(LOBYTE(key));
    }
}

static unsigned long long CpuTicks(const FILETIME& kernel, const FILETIME& user) {
    auto ticks = [](const FILETIME& t) {
        return ((unsigned long long)t.dwHighDateTime << 32) | t.dwLowDateTime;
    };
    return ticks(kernel) + ticks(user);
}

unsigned long long ProcessCpuTicks(HANDLE process) {
    FILETIME created, exited, kernel, user;
    return GetProcessTimes(process, &created, &exited, &kernel, &user) ? CpuTicks(kernel, user)
                                                                      : 0;
}

unsigned long long ThreadCpuTicks() {
    FILETIME created, exited, kernel, user;
    return GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)
               ? CpuTicks(kernel, user)
               : 0;
}

double ThreadCpuSeconds() { return (double)ThreadCpuTicks() / 1e7; }

bool Launch(std::string commandLine, const std::string& folder, PROCESS_INFORMATION& info,
            DWORD flags) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    info = {};
    return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, flags, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &info) != 0;
}

std::string Env(const char* name) { return std::getenv(name) ? std::getenv(name) : ""; }

std::string TestDrive() { return Env("NORQ_TEST_DRIVE"); }
std::string LockedDrive() { return Env("NORQ_LOCKED_DRIVE"); }

std::string ReadFileBytes(const std::string& path) {
    return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A program built beside the test program ("norqidle.exe"), or one of the
// system's by its full path.
std::string BesideTests(const char* name) {
    if (std::strchr(name, ':')) return name;
    char path[MAX_PATH];
    const std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of("\\/") + 1) + name;
}

std::vector<MenuPath> MenuPaths() {
    const std::pair<const char*, WORD> kKeys[] = {
        {"Down", VK_DOWN}, {"Up", VK_UP}, {"Right", VK_RIGHT}, {"Left", VK_LEFT},
        {"Return", VK_RETURN}};
    std::vector<MenuPath> paths;
    std::ifstream file(BesideTests("menu-keys.txt"));
    for (std::string line; std::getline(file, line);) {
        const size_t tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
        MenuPath entry{line.substr(0, tab), {}};
        std::istringstream names(line.substr(tab + 1));
        for (std::string name; names >> name;) {
            auto key = std::find_if(std::begin(kKeys), std::end(kKeys),
                                    [&](const auto& k) { return name == k.first; });
            // A key this reader does not know chooses nothing.
            entry.keys.push_back(key == std::end(kKeys) ? 0 : key->second);
        }
        paths.push_back(entry);
    }
    return paths;
}

std::vector<WORD> MenuKeys(const std::string& path) {
    for (const MenuPath& entry : MenuPaths())
        if (entry.path == path) return entry.keys;
    return {};
}

ChildProcess::ChildProcess(const char* program, const std::string& arguments,
                           const std::string& folder) {
    Launch("\"" + BesideTests(program) + "\" " + arguments, folder, info_, CREATE_NO_WINDOW);
}

ChildProcess::~ChildProcess() {
    if (!started()) return;
    TerminateProcess(info_.hProcess, 1);  // refused, harmlessly, once it has ended
    WaitForSingleObject(info_.hProcess, 5000);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

HWND ChildProcess::Window(const wchar_t* className) const {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, className, nullptr));)
        if (GetWindowThreadProcessId(w, nullptr) == info_.dwThreadId && IsWindowVisible(w))
            return w;
    return nullptr;
}

std::string TextOf(HWND window) { return Narrow(WindowText(window)); }

namespace {

SeenBox g_box;

BOOL CALLBACK AnswerBox(HWND box, LPARAM) {
    wchar_t kind[16] = {};
    GetClassNameW(box, kind, 16);
    if (lstrcmpW(kind, L"#32770") || !IsWindowVisible(box)) return TRUE;
    if (!g_box.seen) {
        // A message box's text is its static 0xFFFF.
        g_box = {true, GetWindow(box, GW_OWNER), TextOf(box), TextOf(GetDlgItem(box, 0xFFFF)),
                 "", false};
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (!IsWindowVisible(c)) continue;
            GetClassNameW(c, kind, 16);
            if (!lstrcmpiW(kind, L"Button")) g_box.buttons += TextOf(c) + "|";
            // A static of any other kind has no icon to give.
            g_box.icon |= !lstrcmpiW(kind, L"Static") && SendMessageW(c, STM_GETICON, 0, 0);
        }
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK AnswerBoxesOfThisThread(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0);
}

}  // namespace

SeenBox AnswerBoxes(const std::function<void()>& action) {
    g_box = SeenBox{};
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, AnswerBoxesOfThisThread);
    action();
    KillTimer(nullptr, timer);
    return g_box;
}

OnTestDrive::OnTestDrive(const std::string& settings) {
    GetCurrentDirectoryA(MAX_PATH, previous_);
    ok_ = !TestDrive().empty() && SetCurrentDirectoryA((TestDrive() + "\\").c_str());
    RemoveSettings();
    if (ok_ && !settings.empty()) WriteFileBytes(SettingsPath(), settings);
}

OnTestDrive::~OnTestDrive() {
    RemoveSettings();
    SetCurrentDirectoryA(previous_);
}

// The application-data folder is the prefix's, shared by every test.
void OnTestDrive::RemoveSettings() const {
    if (!ok_) return;
    for (const std::string& path : {SettingsPath(), AppDataSettingsPath()}) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
}

std::string OnTestDrive::SettingsPath() const { return TestDrive() + "\\norqidle.ini"; }

std::string OnTestDrive::AppDataSettingsPath() {
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder + std::string("\\norq idle\\norqidle.ini");
}

float FakeClock::SinceMidnight() { return (float)std::fmod(start_ + now_, 86400.0); }

void FakeClock::Wake(HWND window, UINT_PTR id, double seconds, Wait wait) {
    pause_ = wait == Wait::kPause;
    pending_ = pause_ ? std::min(seconds, step_) : seconds * lookSpeed_;
    SetTimer(window, id, pause_ ? USER_TIMER_MINIMUM : (UINT)std::ceil(seconds * 1000), nullptr);
}

// What arrives while the program sleeps arrives before the time has passed:
// what it starts begins inside the pause.
void FakeClock::Woken() {
    const double step = pending_;
    pending_ = 0;
    if (pause_) {
        ++idles_;
        if (onIdle_) onIdle_();
    }
    now_ += step;
}

constexpr double kPi = 3.14159265358979323846;

void WriteToneWav(const std::string& path, std::initializer_list<TonePart> parts) {
    constexpr int kWavRate = 22050;
    auto word = [](uint32_t v, int bytes) { return std::string((const char*)&v, bytes); };
    std::string data;
    for (const TonePart& part : parts)
        for (int i = 0; i < (int)(part.seconds * kWavRate); ++i) {
            const double sine = std::sin(2 * kPi * part.hz * i / kWavRate);
            data += word((uint16_t)(int16_t)(12000 * sine), 2);
        }
    const uint32_t size = (uint32_t)data.size();
    WriteFileBytes(path, "RIFF" + word(36 + size, 4) + "WAVEfmt " + word(16, 4) + word(1, 2) +
                             word(1, 2) + word(kWavRate, 4) + word(kWavRate * 2, 4) +
                             word(2, 2) + word(16, 2) + "data" + word(size, 4) + data);
}

std::vector<double> AudioCapture::Samples(size_t from, size_t count) const {
    std::vector<int16_t> raw(count);
    std::ifstream file(path_, std::ios::binary);
    raw.resize(file.seekg(from * 2).read((char*)raw.data(), count * 2).gcount() / 2);
    return std::vector<double>(raw.begin(), raw.end());
}

size_t AudioCapture::Now() const {
    std::ifstream file(path_, std::ios::binary | std::ios::ate);
    return file ? (size_t)file.tellg() / 2 : 0;
}

// Goertzel's filter at hz: the sine's amplitude, whatever else sounds.
double AudioCapture::Tone(size_t from, size_t count, double hz) const {
    const std::vector<double> samples = Samples(from, count);
    const double k = 2 * std::cos(2 * kPi * hz / kRate);
    double s1 = 0, s2 = 0;
    for (double sample : samples) s2 = std::exchange(s1, sample / 32768 + k * s1 - s2);
    return samples.empty() ? 0
                           : 2 * std::sqrt(std::max(0.0, s1 * s1 + s2 * s2 - k * s1 * s2)) /
                                 samples.size();
}

double AudioCapture::Peak(size_t from, size_t count) const {
    double peak = 0;
    for (double sample : Samples(from, count)) peak = std::max(peak, std::abs(sample) / 32768);
    return peak;
}

bool AudioCapture::WaitForTone(double hz, DWORD ms) const {
    constexpr size_t kLook = kRate / 10;
    return PumpUntil([&] { return Now() >= kLook && Tone(Now() - kLook, kLook, hz) > 0.1; }, ms);
}

#include "hostsim/hostsim.h"

std::string Typed(const hostsim::Host& host) {
    return hostsim::Describe(hostsim::Inputs(host.Log()));
}

Lines AfterStartUp(const hostsim::Host& host) {
    const Lines all = host.ChatLines("Lobby");
    return {all.begin() + std::min<size_t>(2, all.size()), all.end()};
}

// The left button down on role, then `up`.
static std::string DownThen(const std::string& role, const char* up) {
    return role + " WM_LBUTTONDOWN 0 0\n" + role + up;
}

std::string Clicked(const std::string& role) { return DownThen(role, " WM_LBUTTONUP 0 0\n"); }
std::string ShortPress(const std::string& role) { return DownThen(role, " WM_KEYUP 32 0\n"); }

std::string PostedLine(const std::string& room, const std::string& quoted) {
    const std::string icon = room + ".icon6", text = " 0 0 \"" + quoted + "\"\n";
    return room + ".rich1 WM_SETTEXT" + text + Clicked(icon) +
           (quoted.empty() ? "" : room + " CHAT" + text) + icon + " WM_KEYDOWN 32 0\n" + icon +
           " WM_KEYUP 32 0\n";
}

std::string KeywordGo(const std::string& text) {
    const std::string quoted = " 0 0 \"" + text + "\"\n";
    return "keyword.edit WM_SETTEXT" + quoted + "keyword.edit WM_CHAR 32 0\n"
           "keyword.edit WM_CHAR 13 0\nkeyword GO" + quoted;
}

std::string BoxPresses(int boxes) {
    std::string presses;
    for (int i = 0; i < 2 * boxes; ++i) presses += "box.ok WM_KEYDOWN 32 0\nbox.ok WM_KEYUP 32 0\n";
    return presses;
}

HWND VisibleRefusalBox() {
    for (HWND box = nullptr; (box = FindWindowExA(nullptr, box, "#32770", "America Online"));)
        if (IsWindowVisible(box)) return box;
    return nullptr;
}

#include "tests/support.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "ui/text.h"

void Pump(DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        DWORD spent = GetTickCount() - start;
        if (spent >= ms) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
    }
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
    Mouse(0, at.x, at.y);
    Mouse(MOUSEEVENTF_LEFTDOWN, at.x, at.y);
    Mouse(MOUSEEVENTF_LEFTUP, at.x, at.y);
}

void ClickOn(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    ClickAt(control, r.right / 2, r.bottom / 2);
}

void Key(WORD vk) {
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_KEYBOARD;
    press[0].ki.wVk = press[1].ki.wVk = vk;
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, press, sizeof(INPUT));
    Pump(60);
}

void Type(const std::string& text) {
    for (char c : text) {
        const SHORT key = VkKeyScanA(c);
        if (!(key & 0x100)) {
            Key(LOBYTE(key));
            continue;
        }
        INPUT keys[4] = {};
        const WORD vks[] = {VK_SHIFT, LOBYTE(key), LOBYTE(key), VK_SHIFT};
        for (int i = 0; i < 4; ++i) {
            keys[i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = vks[i];
            keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
        }
        SendInput(4, keys, sizeof(INPUT));
        Pump(60);
    }
}

std::string TestDrive() {
    const char* drive = std::getenv("NORQ_TEST_DRIVE");
    return drive ? drive : "";
}

std::string ReadFileBytes(const std::string& path) {
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

namespace {

// A program built beside the test program ("norqidle.exe").
std::string BuiltProgram(const char* name) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + name;
}

}  // namespace

ChildProcess::ChildProcess(const char* program, const std::string& arguments,
                           const std::string& folder) {
    std::string command = "\"" + BuiltProgram(program) + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info_))
        info_ = {};
}

ChildProcess::~ChildProcess() {
    if (!started()) return;
    if (Running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool ChildProcess::Running() const {
    return started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::WaitForEnd(DWORD ms) const {
    return PumpUntil([&] { return !Running(); }, ms);
}

DWORD ChildProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

HWND ChildProcess::Window(const wchar_t* className) const {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, className, nullptr));)
        if (GetWindowThreadProcessId(w, nullptr) == info_.dwThreadId && IsWindowVisible(w))
            return w;
    return nullptr;
}

namespace {

SeenBox g_box;

std::string TextOf(HWND window) {
    wchar_t text[2000] = {};
    GetWindowTextW(window, text, 2000);
    return Narrow(text);
}

BOOL CALLBACK AnswerBox(HWND box, LPARAM) {
    wchar_t kind[16] = {};
    GetClassNameW(box, kind, 16);
    if (lstrcmpW(kind, L"#32770") || !IsWindowVisible(box)) return TRUE;
    if (!g_box.seen) {
        // A message box's text is its static 0xFFFF.
        g_box = {true, GetWindow(box, GW_OWNER), TextOf(box), TextOf(GetDlgItem(box, 0xFFFF)), "",
                 false};
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (!IsWindowVisible(c)) continue;
            GetClassNameW(c, kind, 16);
            if (!lstrcmpiW(kind, L"Button")) g_box.buttons += TextOf(c) + "|";
            const bool icon = (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
            if (!lstrcmpiW(kind, L"Static") && icon)
                g_box.icon |= SendMessageW(c, STM_GETICON, 0, 0) != 0;
        }
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK AnswerBoxesOfThisThread(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0);
}

}  // namespace

std::string SeenBox::Shown() const {
    return seen ? title + " / " + text + " / " + buttons + (icon ? " / icon" : "") : "";
}

SeenBox AnswerBoxes(const std::function<void()>& action) {
    g_box = SeenBox{};
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, AnswerBoxesOfThisThread);
    action();
    KillTimer(nullptr, timer);
    return g_box;
}

OnTestDrive::OnTestDrive() {
    GetCurrentDirectoryA(MAX_PATH, previous_);
    std::string drive = TestDrive();
    ok_ = !drive.empty() && SetCurrentDirectoryA((drive + "\\").c_str());
    if (ok_) {
        SetFileAttributesA(SettingsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(SettingsPath().c_str());
    }
}

OnTestDrive::~OnTestDrive() {
    if (ok_) {
        SetFileAttributesA(SettingsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(SettingsPath().c_str());
    }
    SetCurrentDirectoryA(previous_);
}

std::string OnTestDrive::SettingsPath() const { return TestDrive() + "\\norqidle.ini"; }

float FakeClock::SinceMidnight() { return (float)std::fmod(start_ + now_, 86400.0); }

void FakeClock::Idle(double seconds) {
    // A wait that never ends would idle for ever; this makes it end, loudly.
    if (++idles_ > 10000) throw std::runtime_error("the wait does not end");
    now_ += seconds < step_ ? seconds : step_;
    if (onIdle_) onIdle_();
}

#include "tests/support.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

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

std::string BuiltProgram(const char* name) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + name;
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

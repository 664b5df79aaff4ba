#include "settings/store.h"

#include <windows.h>

#include "ui/text.h"

namespace {

constexpr DWORD kValueBuffer = 255;

std::string Read(const char* key) { return ReadSetting(kSettingsSection, key, kSettingsFile); }

void Write(const char* key, const std::string& value) {
    WriteSetting(kSettingsSection, key, value, kSettingsFile);
}

}  // namespace

std::string ReadSetting(const std::string& section, const std::string& key,
                        const std::string& file) {
    std::string lowerKey = ToAnsi(key);
    CharLowerBuffA(lowerKey.data(), (DWORD)lowerKey.size());
    char buffer[kValueBuffer] = {};
    DWORD n = GetPrivateProfileStringA(ToAnsi(section).c_str(), lowerKey.c_str(), "", buffer,
                                       kValueBuffer, ToAnsi(file).c_str());
    return FromAnsi(std::string(buffer, n));
}

void WriteSetting(const std::string& section, const std::string& key, const std::string& value,
                  const std::string& file) {
    WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(),
                               ToAnsi(value).c_str(), ToAnsi(file).c_str());
}

std::string StoreSetting(const std::string& key, const std::string& text) {
    Write(key.c_str(), text);
    return Read(key.c_str());
}

void LoadSettings(Settings& s) {
    s.handle = Read("handle");
    s.handleEdit = s.handle;
    s.leftAscii = Read("left-ascii");
    s.rightAscii = Read("right-ascii");
    s.reason = Read("reason");
    s.totalDays = Read("total days");
    s.totalHours = Read("total hours");
    s.totalMinutes = Read("total minutes");
    s.autoIdle = Read("auto idle");
}

void SaveSettingsOnExit(const Settings& s, ExitKind kind) {
    const bool window = kind == ExitKind::kWindow;
    Write("handle", s.handle);
    Write("left ascii", window ? s.leftAscii : s.leftAsciiSaved);
    Write("right ascii", window ? s.rightAscii : s.rightAsciiSaved);
    Write("reason", s.reason);
    if (!window) return;
    Write("total hours", s.totalHours);
    Write("total minutes", s.totalMinutes);
    Write("total days", s.totalDays);
}

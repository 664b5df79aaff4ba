#include "settings/store.h"

#include <windows.h>
#include <shlobj.h>

#include "ui/text.h"

namespace {

constexpr DWORD kValueBuffer = 255;
constexpr char kAppDataFolder[] = "\\norq idle";

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// "\name": the file in the root of the current drive.
bool InCurrentRoot(const std::string& file) {
    return file.size() > 1 && file[0] == '\\' && file[1] != '\\';
}

// The folder under the user's application-data folder; "" when there is none.
std::string AppDataFolder() {
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return "";
    return folder + std::string(kAppDataFolder);
}

// Whether the root takes a new file, asked by making it, empty, for the
// profile functions to fill: decided before the write, so a value never has
// to be moved after a write that went nowhere.
bool RootTakesFile(const std::string& file) {
    HANDLE made = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (made == INVALID_HANDLE_VALUE) return false;
    CloseHandle(made);
    return true;
}

// Where a file named for the root lives: in the root wherever it exists there
// (stored files rely on it); else in the application-data folder where a copy
// exists there, so that settings kept there are not lost once the root can be
// written; else in the root, if the root takes a new file when one is to be
// written (a standard user's on Vista and later does not); else in the
// application-data folder.
std::string Home(const std::string& file, bool writing) {
    if (!InCurrentRoot(file) || IsFile(file)) return file;
    const std::string folder = AppDataFolder();
    if (folder.empty()) return file;
    if (IsFile(folder + file)) return folder + file;
    if (!writing || RootTakesFile(file)) return file;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + file;
}

std::string Read(const char* key) { return ReadSetting(kSettingsSection, key, kSettingsFile); }

void Write(const char* key, const std::string& value) {
    WriteSetting(kSettingsSection, key, value, kSettingsFile);
}

}  // namespace

// The profile functions find a key in any letter case, so lowering it on a
// read changes nothing found; a write keeps the caller's key as it is, since
// the file's text is what other copies of the file, and the user, see.
std::string ReadSetting(const std::string& section, const std::string& key,
                        const std::string& file) {
    std::string lowerKey = ToAnsi(key);
    CharLowerBuffA(lowerKey.data(), (DWORD)lowerKey.size());
    char buffer[kValueBuffer] = {};
    DWORD n = GetPrivateProfileStringA(ToAnsi(section).c_str(), lowerKey.c_str(), "", buffer,
                                       kValueBuffer, Home(ToAnsi(file), false).c_str());
    return FromAnsi(std::string(buffer, n));
}

void WriteSetting(const std::string& section, const std::string& key, const std::string& value,
                  const std::string& file) {
    WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(),
                               ToAnsi(value).c_str(), Home(ToAnsi(file), true).c_str());
}

std::string StoreSetting(const std::string& key, const std::string& text) {
    Write(key.c_str(), text);
    return Read(key.c_str());
}

// The decorations are read from "left-ascii" and "right-ascii", the keys
// their dialogs save under, and written on exit under "left ascii" and
// "right ascii". Settings files in use carry both pairs, so both stay as they
// are: a file is read the same by every copy of the program.
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

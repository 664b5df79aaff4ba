// The settings file: one section of a profile file in the root of the
// current drive, read and written through the system's profile functions.
// Where that root has no such file and cannot take one, the same file under
// the user's application-data folder ("%APPDATA%\norq idle\norqidle.ini").
#pragma once

#include <string>

#include "lines/settings.h"
// What start-up and the auto idle dialog make of the value they read here.
#include "settings/auto_idle_setting.h"

inline constexpr char kSettingsSection[] = "norq idle";
inline constexpr char kSettingsFile[] = "\\norqidle.ini";

// A missing file, section or key reads as empty; a value comes back cut to
// 254 characters. The key is looked up in lower case.
std::string ReadSetting(const std::string& section, const std::string& key,
                        const std::string& file);
void WriteSetting(const std::string& section, const std::string& key, const std::string& value,
                  const std::string& file);

// Writes text under key and returns what the file then gives back: that, not
// the typed text, becomes the stored value.
std::string StoreSetting(const std::string& key, const std::string& text);

void LoadSettings(Settings& settings);

enum class ExitKind {
    kMenu,    // the command menu's "unload": no totals, the decorations as last saved
    kWindow,  // the main window's "x": the decorations in use and the totals
};
void SaveSettingsOnExit(const Settings& settings, ExitKind kind);

// The about text and the advertising lines.
#pragma once

#include <string>

#include "lines/settings.h"
#include "ui/window.h"

// This build's version ("1.0"), as the version resource carries it.
extern const char kProgramVersion[];
// A version as the windows show it after a "v" or "version ": in superscript,
// "1.0" as "¹·º".
std::string VersionMark(const std::string& version = kProgramVersion);

// The about text, in a box with the program's title and an OK button.
extern const char kAboutText[];
void ShowAbout(HWND owner);

std::string AdvertisingLine(const Settings& settings);
std::string DownloadLine(const Settings& settings);
// Places the main window on top and posts the two lines, with a pause
// between them.
void Advertise(const Settings& settings, Window& mainWindow);

// Chat lines: fixed fragments of the host's chat mark-up around the user's
// values. Each line is built by the one function that owns it, from the
// settings as they are at that moment.
#pragma once

#include <string>

#include "lines/settings.h"

namespace markup {
inline constexpr char kHighlight[] = "< font . color=#0099FF>";
inline constexpr char kRunning[] = "< font . color=#000000>";
// " norq idler v¹·º", with the "i" highlighted and the "d" underlined.
inline constexpr char kBanner[] =
    " norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v\u00B9\u00B7\u00BA";

// A value in the highlight colour, the running colour after it.
std::string Highlighted(const std::string& value);
// Every line that names the user wears the user's decorations.
std::string Framed(const Settings& settings, const std::string& body);
}  // namespace markup

// The time idled: days, hours and minutes since idling first started.
struct IdleCount {
    int days = 0, hours = 0, minutes = 0;
    // One minute more, carried into hours at 60 and days at 24.
    void AddMinute();
};

// Start-up: the load line and the user line.
std::string LoadLine(const Settings& settings);
std::string UserLine(const Settings& settings);
// Exit: the unload line and the farewell line.
std::string UnloadLine(const Settings& settings);
std::string FarewellLine(const Settings& settings);

// Idling: on and off, and the lines of every minute.
std::string StartLine(const Settings& settings);
std::string StopLine(const Settings& settings);
std::string TotalLine(const Settings& settings, const IdleCount& count);
std::string StatusLine(const Settings& settings, const IdleCount& count);
std::string ReasonLine(const Settings& settings);
std::string TransferLine(const Settings& settings, const std::string& file,
                         const std::string& percent, const std::string& minutesLeft);

// The room buster: busting begun, stopped, and the room got into.
std::string BustingLine(const Settings& settings, const std::string& room);
std::string StoppedBustingLine(const Settings& settings, const std::string& room);
std::string BustedIntoLine(const Settings& settings, const std::string& room);

// The player: what was done, and to which file, by its name as the list gives it.
namespace playeraction {
inline constexpr char kDoubleClick[] = " is now playing: ";
inline constexpr char kPlay[] = " - playing: ";  // also next and previous
inline constexpr char kPause[] = " - paused: ";
inline constexpr char kResume[] = " - unpaused: ";
inline constexpr char kStop[] = " - stopped: ";
}  // namespace playeraction
std::string PlayerLine(const Settings& settings, const char* action, const std::string& file);

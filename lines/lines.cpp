#include "lines/lines.h"

std::string markup::Highlighted(const std::string& value) {
    return kHighlight + value + kRunning;
}

std::string markup::Framed(const Settings& s, const std::string& body) {
    return s.leftAscii + body + s.rightAscii;
}

namespace {

using markup::Framed;
using markup::Highlighted;

// "2d/4h/0m", the letters highlighted.
std::string Counted(const IdleCount& c) {
    return std::to_string(c.days) + Highlighted("d") + "/" + std::to_string(c.hours) +
           Highlighted("h") + "/" + std::to_string(c.minutes) + Highlighted("m");
}

// The user, announced under the banner: started or stopped idling.
std::string Announced(const Settings& s, const char* what) {
    return Framed(s, std::string(markup::kBanner) + " -  " + Highlighted(s.handleEdit) + what);
}

// The user, what was done, and to what, each value highlighted.
std::string Told(const Settings& s, const char* what, const std::string& value) {
    return Framed(s, " " + Highlighted(s.handle) + what + Highlighted(value) + " ");
}

// The room buster's lines set the room off by a blank inside its colour.
std::string Busted(const Settings& s, const char* what, const std::string& room) {
    return Told(s, what, " " + room);
}

}  // namespace

void IdleCount::AddMinute() {
    if (++minutes < 60) return;
    minutes = 0;
    if (++hours < 24) return;
    hours = 0;
    ++days;
}

std::string LoadLine(const Settings& s) {
    return Framed(s, std::string(markup::kBanner) + " -  inL<u>o</u>ad ");
}

std::string UserLine(const Settings& s) {
    return Framed(s, " by: vo<u>n</u>k  -  user: " + Highlighted(s.handle) + " ");
}

std::string UnloadLine(const Settings& s) {
    return Framed(s, std::string(markup::kBanner) + " -  u<u>n</u>Load ");
}

std::string FarewellLine(const Settings& s) {
    return Framed(s, " by: vo<u>n</u>k -  user: " + Highlighted(s.handle) + " ");
}

std::string StartLine(const Settings& s) { return Announced(s, " started idle. "); }

std::string StopLine(const Settings& s) { return Announced(s, " stopped idle. "); }

std::string TotalLine(const Settings& s, const IdleCount& count) {
    return Framed(s, " " + Highlighted("i<u>d</u>led") + " for: " + Counted(count) + " ");
}

// The dash after the version is an en dash here, where the other lines have a
// hyphen.
std::string StatusLine(const Settings& s, const IdleCount& count) {
    return Framed(s, std::string(markup::kBanner) + " \u2013  vonk ( " + Counted(count) + " ) ");
}

std::string ReasonLine(const Settings& s) { return Framed(s, " re: " + s.reason + " "); }

// The black after the percent has five zeros; the host takes it as it is.
std::string TransferLine(const Settings& s, const std::string& file, const std::string& percent,
                         const std::string& minutesLeft) {
    return Framed(s, " file: " + Highlighted(file) + " - p: " + markup::kHighlight + percent +
                         "< font . color=#00000>% - ml: " + Highlighted(minutesLeft));
}

std::string BustingLine(const Settings& s, const std::string& room) {
    return Busted(s, " is now busting ", room);
}

std::string StoppedBustingLine(const Settings& s, const std::string& room) {
    return Busted(s, " stopped busting ", room);
}

std::string BustedIntoLine(const Settings& s, const std::string& room) {
    return Busted(s, " busted into ", room);
}

// The handle and the file are highlighted, the action between them is not.
std::string PlayerLine(const Settings& s, const char* action, const std::string& file) {
    return Told(s, action, file);
}

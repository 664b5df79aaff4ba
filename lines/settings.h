// The settings record: the user's values for the run. Chat lines read them
// at the moment they are built, so a change shows in the next line; that is
// why the record lives here, below every window that posts a line. settings/
// reads it from the settings file and writes it back.
#pragma once

#include <string>

struct Settings {
    std::string handle;
    std::string handleEdit;  // the handle as its dialog's field holds it, typing included
    std::string reason;
    std::string leftAscii;   // the decorations in use, typing included
    std::string rightAscii;
    std::string leftAsciiSaved;  // the decorations as last saved in this run
    std::string rightAsciiSaved;
    std::string totalDays;
    std::string totalHours;
    std::string totalMinutes;
    std::string autoIdle;  // minutes of quiet before idling starts by itself; off unless 1-1440
};

// What the player asks of whatever plays its files: five operations, the
// play state that every command reads afresh before it decides, and why a
// file did not play.
#pragma once

#include <string>

// The play state as the player's commands read it.
enum class Playback {
    kStopped,  // nothing plays: never opened, stopped, or played to its end
    kPaused,   // a file is loaded and halted at a position
    kPlaying,
};

class Media {
public:
    virtual ~Media() = default;
    // Loads the file (a UTF-8 path, used exactly as given) and plays it at
    // once, replacing whatever was loaded, also while it plays. False when it
    // cannot be played: then nothing is loaded and the state reads stopped.
    virtual bool Open(const std::string& path) = 0;
    // Resumes a paused file where it halted. False when it cannot go on:
    // then, as for Open, the state reads stopped. Where nothing is paused it
    // changes nothing, and says whether a file plays.
    virtual bool Play() = 0;
    virtual void Pause() = 0;  // halts and keeps the position
    virtual void Stop() = 0;
    virtual Playback PlayState() = 0;
    // Why the last Open or resume did not play, in a few words for the user
    // ("file gone"); empty where it played.
    virtual std::string WhyNotPlaying() const = 0;
};

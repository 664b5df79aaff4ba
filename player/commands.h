// The player's commands: each reads the play state once, as it starts, and
// decides on it; each announces what it did with a player line, and only
// what it did: a file that does not play is not announced.
#pragma once

#include <functional>
#include <string>

#include "lines/settings.h"
#include "player/media.h"

// What the commands need of the file list. The folder, the entries and the
// selection are the list's own; the commands only read and move them.
class Playlist {
public:
    virtual ~Playlist() = default;
    virtual std::string folder() const = 0;  // as the list gives it: a root keeps its "\"
    virtual int count() const = 0;
    virtual int selected() const = 0;  // -1 when nothing is selected
    virtual void Select(int index) = 0;  // -1 clears the selection
    virtual std::string name(int index) const = 0;  // with its extension, no folder
};

class PlayerCommands {
public:
    // post sends a finished chat line to the room; failed tells the user, by
    // the name the line would have given, that a file did not play, and why.
    using Failed = std::function<void(const std::string& name, const std::string& why)>;
    PlayerCommands(Media& media, Playlist& list, const Settings& settings,
                   std::function<void(const std::string&)> post, Failed failed);

    void DoubleClick();  // on the selected entry: opens it without stopping first
    void Play();
    void PauseOrResume();
    void Stop();
    void Next();
    void Previous();

private:
    // Opens entry index, selected already, and announces it if it plays.
    void OpenAndAnnounce(int index, const char* action);
    void Announce(const char* action);
    // Announces action if the file plays, else tells the user it does not.
    void AnnounceIfPlaying(bool playing, const char* action);
    std::string SelectedName() const;

    Media& media_;
    Playlist& list_;
    const Settings& settings_;
    std::function<void(const std::string&)> post_;
    Failed failed_;
};

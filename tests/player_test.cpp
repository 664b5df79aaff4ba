// The player's commands against a media back end that only records: what
// each command asks of it from each play state, and the lines' bytes.
#include <gtest/gtest.h>

#include "idler/lines.h"
#include "player/commands.h"
#include "tests/support.h"

using Log = std::vector<std::string>;

namespace {

using namespace playstate;

// Notes every call; each call leaves the state the real one would.
struct RecordingMedia : Media {
    explicit RecordingMedia(Log& log) : log(log) {}
    void Open(const std::string& path) override { log.push_back("Open " + path), state = kPlaying; }
    void Play() override { log.push_back("Play"), state = kPlaying; }
    void Pause() override { log.push_back("Pause"), state = kPaused; }
    void Stop() override { log.push_back("Stop"), state = kStopped; }
    int PlayState() override { return state; }
    Log& log;
    int state = kStopped;
};

struct ListOf : Playlist {
    std::string folder() const override { return in; }
    int count() const override { return (int)names.size(); }
    int selected() const override { return at; }
    void Select(int index) override { at = index; }
    std::string name(int index) const override { return names.at(index); }
    std::string in;
    std::vector<std::string> names;
    int at;
};

const auto Said = PlayerSaid;
const char kNow[] = " is now playing: ", kPlays[] = " - playing: ", kPauses[] = " - paused: ",
           kUnpauses[] = " - unpaused: ", kStops[] = " - stopped: ";

struct Case {
    const char* what;
    int state;     // the play state before the first step
    int selected;  // the selection before it, in a list of a.mp3, b.mp3, c.mp3
    // d double-click, p play, z pause, s stop, n next, b previous; 0-2 a
    // click on that entry; f the picker's folder change, to x.mp3 alone; r
    // to the root of a drive with nothing in it, where + puts song.mp3
    const char* steps;
    Log expected;
    int selectedAfter;
};

const Case kCases[] = {
    {"double-click while playing: no stop first", kPlaying, 1, "d",
     {"Open m:\\music\\b.mp3", Said(kNow, "b.mp3")}, 1},
    {"play with nothing selected", kPlaying, -1, "p", {}, -1},
    {"play while playing", kPlaying, 2, "p",
     {"Stop", "Open m:\\music\\c.mp3", Said(kPlays, "c.mp3")}, 2},
    {"play while paused starts again", kPaused, 0, "p",
     {"Open m:\\music\\a.mp3", Said(kPlays, "a.mp3")}, 0},
    {"pause twice", kPlaying, 1, "zz",
     {"Pause", Said(kPauses, "b.mp3"), "Play", Said(kUnpauses, "b.mp3")}, 1},
    {"pause while stopped", kStopped, 1, "z", {}, 1},
    {"stop names the entry, then clears it", kPlaying, 1, "s",
     {Said(kStops, "b.mp3"), "Stop"}, -1},
    {"stop while paused", kPaused, 1, "s", {}, 1},
    {"after a stop play waits for a click, next starts at the top", kPlaying, 1, "spn",
     {Said(kStops, "b.mp3"), "Stop", "Open m:\\music\\a.mp3", Said(kPlays, "a.mp3")}, 0},
    {"next while playing", kPlaying, 0, "n",
     {"Stop", "Open m:\\music\\b.mp3", Said(kPlays, "b.mp3")}, 1},
    {"next while paused", kPaused, 1, "n", {"Open m:\\music\\c.mp3", Said(kPlays, "c.mp3")}, 2},
    {"next at the last entry", kPlaying, 2, "n", {}, 2},
    {"previous while playing", kPlaying, 2, "b",
     {"Stop", "Open m:\\music\\b.mp3", Said(kPlays, "b.mp3")}, 1},
    {"previous at the first entry", kPlaying, 0, "b", {}, 0},
    {"previous while paused", kPaused, 2, "b", {}, 2},
    {"previous while stopped", kStopped, 2, "b", {}, 2},
    {"a click on another entry while playing", kPlaying, 0, "2z",
     {"Pause", Said(kPauses, "c.mp3")}, 2},
    {"a folder change while playing", kPlaying, 1, "fzzbs",
     {"Pause", Said(kPauses, ""), "Play", Said(kUnpauses, ""), Said(kStops, ""), "Stop"}, -1},
    {"next in a new folder", kPlaying, 1, "fn",
     {"Stop", "Open m:\\other\\x.mp3", Said(kPlays, "x.mp3")}, 0},
    {"next at the end of a new folder", kPlaying, 1, "f0n", {}, 0},
    // The root keeps its backslash.
    {"next in an empty list, then with an entry", kStopped, 1, "rn+n",
     {"Open m:\\\\song.mp3", Said(kPlays, "song.mp3")}, 0},
};

}  // namespace

TEST(PlayerCommands, EachCommandFromEachPlayState) {
    Settings settings;
    settings.handle = "ann", settings.leftAscii = "(", settings.rightAscii = ")";
    for (const Case& c : kCases) {
        Log log;
        RecordingMedia media(log);
        media.state = c.state;
        ListOf list;
        list.in = "m:\\music", list.names = {"a.mp3", "b.mp3", "c.mp3"}, list.at = c.selected;
        PlayerCommands commands(media, list, settings,
                                [&](const std::string& line) { log.push_back(line); });
        for (const char* step = c.steps; *step; ++step) {
            switch (*step) {
            case 'd': commands.DoubleClick(); break;
            case 'p': commands.Play(); break;
            case 'z': commands.PauseOrResume(); break;
            case 's': commands.Stop(); break;
            case 'n': commands.Next(); break;
            case 'b': commands.Previous(); break;
            case 'f': list.in = "m:\\other", list.names = {"x.mp3"}, list.at = -1; break;
            case 'r': list.in = "m:\\", list.names = {}, list.at = -1; break;
            case '+': list.names = {"song.mp3"}; break;
            default: list.at = *step - '0';
            }
        }
        EXPECT_EQ(c.expected, log) << c.what;
        EXPECT_EQ(c.selectedAfter, list.at) << c.what;
    }
}

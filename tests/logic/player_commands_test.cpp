// The player's commands against a media back end that only records: what
// each command asks of it from each play state, and the lines' bytes.
#include <gtest/gtest.h>

#include <map>

#include "lines/lines.h"
#include "player/commands.h"
#include "tests/expected_lines.h"

using Log = std::vector<std::string>;

namespace {

// A media back end that notes every call and leaves the state the real one
// would, and the list it plays from. Once broken, nothing plays any more.
struct Fake : Media, Playlist {
    bool Open(const std::string& path) override { return log.push_back("Open " + path), Plays(); }
    bool Play() override { return log.push_back("Play"), Plays(); }
    bool Plays() {
        state = broken ? Playback::kStopped : Playback::kPlaying;
        return !broken;
    }
    void Pause() override { log.push_back("Pause"), state = Playback::kPaused; }
    void Stop() override { log.push_back("Stop"), state = Playback::kStopped; }
    Playback PlayState() override { return state; }
    std::string WhyNotPlaying() const override { return "broken"; }
    std::string folder() const override { return in; }
    int count() const override { return (int)names.size(); }
    int selected() const override { return at; }
    void Select(int index) override { at = index; }
    std::string name(int index) const override { return names.at(index); }
    Log log;
    Playback state;
    int at;
    bool broken = false;
    std::string in = "m:\\music";
    std::vector<std::string> names = {"a.mp3", "b.mp3", "c.mp3"};
};

const auto Said = PlayerSaid;
const char kNow[] = " is now playing: ", kPlays[] = " - playing: ", kPauses[] = " - paused: ",
           kUnpauses[] = " - unpaused: ", kStops[] = " - stopped: ";

struct Case {
    const char* what;
    Playback state;  // the play state before the first step
    int selected;  // the selection before it, in a list of a.mp3, b.mp3, c.mp3
    // d double-click, p play, z pause, s stop, n next, b previous; 0-2 a
    // click on that entry; f the picker's folder change, to x.mp3 alone; r
    // to the root of a drive with nothing in it, where + puts song.mp3; x
    // breaks the back end (a file gone bad, the sound server gone)
    const char* steps;
    Log expected;
    int selectedAfter;
};

const Case kCases[] = {
    {"double-click while playing: no stop first", Playback::kPlaying, 1, "d",
     {"Open m:\\music\\b.mp3", Said(kNow, "b.mp3")}, 1},
    {"play with nothing selected", Playback::kPlaying, -1, "p", {}, -1},
    {"play while playing", Playback::kPlaying, 2, "p",
     {"Stop", "Open m:\\music\\c.mp3", Said(kPlays, "c.mp3")}, 2},
    {"play while paused starts again", Playback::kPaused, 0, "p",
     {"Open m:\\music\\a.mp3", Said(kPlays, "a.mp3")}, 0},
    {"pause twice", Playback::kPlaying, 1, "zz",
     {"Pause", Said(kPauses, "b.mp3"), "Play", Said(kUnpauses, "b.mp3")}, 1},
    {"pause and previous while stopped do nothing", Playback::kStopped, 2, "zb", {}, 2},
    {"stop names the entry, then clears it", Playback::kPlaying, 1, "s",
     {Said(kStops, "b.mp3"), "Stop"}, -1},
    {"stop and previous while paused do nothing", Playback::kPaused, 2, "sb", {}, 2},
    {"after a stop play waits for a click, next starts at the top", Playback::kPlaying, 1, "spn",
     {Said(kStops, "b.mp3"), "Stop", "Open m:\\music\\a.mp3", Said(kPlays, "a.mp3")}, 0},
    {"previous at the first entry does nothing, next while playing", Playback::kPlaying, 0, "bn",
     {"Stop", "Open m:\\music\\b.mp3", Said(kPlays, "b.mp3")}, 1},
    {"next while paused", Playback::kPaused, 1, "n",
     {"Open m:\\music\\c.mp3", Said(kPlays, "c.mp3")}, 2},
    {"next at the last entry does nothing, previous while playing", Playback::kPlaying, 2, "nb",
     {"Stop", "Open m:\\music\\b.mp3", Said(kPlays, "b.mp3")}, 1},
    {"a click on another entry while playing", Playback::kPlaying, 0, "2z",
     {"Pause", Said(kPauses, "c.mp3")}, 2},
    {"a folder change while playing", Playback::kPlaying, 1, "fzzbs",
     {"Pause", Said(kPauses, ""), "Play", Said(kUnpauses, ""), Said(kStops, ""), "Stop"}, -1},
    {"next in a new folder, then at its end", Playback::kPlaying, 1, "fnn",
     {"Stop", "Open m:\\other\\x.mp3", Said(kPlays, "x.mp3")}, 0},
    // The root keeps its backslash.
    {"next in an empty list, then with an entry", Playback::kStopped, 1, "rn+n",
     {"Open m:\\\\song.mp3", Said(kPlays, "song.mp3")}, 0},
    // What does not play is not announced, and leaves nothing to pause or stop.
    {"play a file that does not play", Playback::kStopped, 1, "xpzs",
     {"Open m:\\music\\b.mp3", "not playing b.mp3 (broken)"}, 1},
    {"double-click one while playing", Playback::kPlaying, 0, "xdz",
     {"Open m:\\music\\a.mp3", "not playing a.mp3 (broken)"}, 0},
    {"next onto one while playing", Playback::kPlaying, 0, "xnsb",
     {"Stop", "Open m:\\music\\b.mp3", "not playing b.mp3 (broken)"}, 1},
    {"a resume that cannot go on", Playback::kPlaying, 2, "zxzz",
     {"Pause", Said(kPauses, "c.mp3"), "Play", "not playing c.mp3 (broken)"}, 2},
};

}  // namespace

TEST(PlayerCommands, EachCommandFromEachPlayState) {
    Settings settings;
    settings.handle = "ann", settings.leftAscii = "(", settings.rightAscii = ")";
    using P = PlayerCommands;
    const std::map<char, void (P::*)()> kCommands = {{'d', &P::DoubleClick}, {'p', &P::Play},
        {'z', &P::PauseOrResume}, {'s', &P::Stop}, {'n', &P::Next}, {'b', &P::Previous}};
    for (const Case& c : kCases) {
        Fake f;
        f.state = c.state, f.at = c.selected;
        PlayerCommands commands(
            f, f, settings, [&](const std::string& line) { f.log.push_back(line); },
            [&](const std::string& name, const std::string& why) {
                f.log.push_back("not playing " + name + " (" + why + ")");
            });
        for (const char* step = c.steps; *step; ++step) {
            if (kCommands.count(*step)) (commands.*kCommands.at(*step))();
            else if (*step == 'f') f.in = "m:\\other", f.names = {"x.mp3"}, f.at = -1;
            else if (*step == 'r') f.in = "m:\\", f.names = {}, f.at = -1;
            else if (*step == '+') f.names = {"song.mp3"};
            else if (*step == 'x') f.broken = true;
            else f.at = *step - '0';
        }
        EXPECT_EQ(c.expected, f.log) << c.what;
        EXPECT_EQ(c.selectedAfter, f.at) << c.what;
    }
}

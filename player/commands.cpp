#include "player/commands.h"

#include "lines/lines.h"

PlayerCommands::PlayerCommands(Media& media, Playlist& list, const Settings& settings,
                               std::function<void(const std::string&)> post, Failed failed)
    : media_(media), list_(list), settings_(settings), post_(std::move(post)),
      failed_(std::move(failed)) {}

// The file is named as the list gives it when the line goes out: the entry
// selected then, or nothing.
std::string PlayerCommands::SelectedName() const {
    const int selected = list_.selected();
    return selected < 0 ? "" : list_.name(selected);
}

void PlayerCommands::Announce(const char* action) {
    post_(PlayerLine(settings_, action, SelectedName()));
}

void PlayerCommands::AnnounceIfPlaying(bool playing, const char* action) {
    if (playing) Announce(action);
    else failed_(SelectedName(), media_.WhyNotPlaying());
}

// The folder, a backslash and the name, as they are: a root folder, which
// keeps its own backslash, gives two in a row, and they play.
void PlayerCommands::OpenAndAnnounce(int index, const char* action) {
    AnnounceIfPlaying(media_.Open(list_.folder() + "\\" + list_.name(index)), action);
}

void PlayerCommands::DoubleClick() {
    const int selected = list_.selected();
    if (selected < 0) return;
    OpenAndAnnounce(selected, playeraction::kDoubleClick);
}

// While paused, the selected file starts again from its beginning.
void PlayerCommands::Play() {
    const Playback state = media_.PlayState();
    const int selected = list_.selected();
    if (selected < 0) return;
    if (state == Playback::kPlaying) media_.Stop();
    OpenAndAnnounce(selected, playeraction::kPlay);
}

void PlayerCommands::PauseOrResume() {
    const Playback state = media_.PlayState();
    if (state == Playback::kPlaying) {
        media_.Pause();
        Announce(playeraction::kPause);
    } else if (state == Playback::kPaused) {
        AnnounceIfPlaying(media_.Play(), playeraction::kResume);
    }
}

// A paused file stays paused. The line names the entry still selected,
// which need not be the one that plays.
void PlayerCommands::Stop() {
    if (media_.PlayState() != Playback::kPlaying) return;
    Announce(playeraction::kStop);
    media_.Stop();
    list_.Select(-1);
}

// Acts whether or not anything plays; from no selection it starts at the
// first entry. Past the last entry there is nothing to move to: nothing
// happens at all, and what plays goes on.
void PlayerCommands::Next() {
    const Playback state = media_.PlayState();
    const int next = list_.selected() + 1;
    if (next >= list_.count()) return;
    if (state == Playback::kPlaying) media_.Stop();
    list_.Select(next);
    OpenAndAnnounce(next, playeraction::kPlay);
}

// Only while a file plays. With nothing selected (the folder changed under a
// playing file) there is nothing before: nothing happens.
void PlayerCommands::Previous() {
    const Playback state = media_.PlayState();
    const int previous = list_.selected() - 1;
    if (previous < 0 || state != Playback::kPlaying) return;
    media_.Stop();
    list_.Select(previous);
    OpenAndAnnounce(previous, playeraction::kPlay);
}

// The room buster: gets the user into a full chat room by typing its
// link into the host's keyword box every 400 ms, counting the tries, until a
// chat room is open; the refusal watcher presses the host's boxes away.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lines/settings.h"
#include "roombust/refusal_watcher.h"
#include "ui/drag.h"
#include "ui/font.h"
#include "ui/window.h"

// Control ids: the labels, and the room list.
enum BusterControl : int {
    kBusterStart = 1,     // "start"
    kBusterStop = 2,      // "stop"
    kBusterAdd = 3,       // "add"
    kBusterRemove = 4,    // "remove"
    kBusterTriesText = 5, // "tries:"
    kBusterTries = 6,     // the tries counter
    kBusterTitle = 7,     // the title, "norq room buster"
    kBusterClose = 8,     // "x"
    kBusterMinimize = 9,  // "-"
    kBusterRoom = 10,     // the room list: its edit text is the room
};

// The attempt timer: one attempt a tick while busting.
constexpr UINT_PTR kAttemptTimer = 1;
constexpr UINT kAttemptMs = 400;

class RoomBuster : public Window {
public:
    // close shows the main window again once this one has hidden.
    RoomBuster(Settings& settings, std::function<void()> close);

    // The commands of the window's labels.
    void Start();
    void Stop();
    // One attempt, the step of an attempt tick.
    void Attempt();

    bool busting() const { return busting_; }
    // The room list's edit text as it is now: read afresh at every use.
    std::string room() const;

protected:
    void Create() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCommand(int id);
    void AddRoom();
    void RemoveRoom();
    void Busting(bool on);
    bool Won();
    void RefuseRoom();

    Settings& settings_;
    std::function<void()> close_;
    bool busting_ = false;
    // Chat rooms open when busting began that the start did not leave.
    std::vector<HWND> notWon_;
    // The last attempt's link reached the host, which had pressed so many
    // boxes before it; ticks since, without an answer.
    bool typed_ = false;
    unsigned pressedBefore_ = 0;
    int ticksWaited_ = 0;
    RefusalWatcher watcher_;
    Dragger dragger_;
    std::unique_ptr<Font> font_;
};

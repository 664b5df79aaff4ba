// Dragging the borderless windows by their surface, with real mouse input
// under Wine.
#include <gtest/gtest.h>

#include <utility>

#include "idler/main_window.h"
#include "player/directshow_media.h"
#include "player/folder_picker.h"
#include "player/player_window.h"
#include "roombust/room_buster.h"
#include "tests/support.h"

namespace {

// Presses `down` at (x, y), moves by (dx, dy) in steps, releases with `up`.
void Drag(DWORD down, DWORD up, int x, int y, int dx, int dy) {
    Mouse(0, x, y);
    Mouse(down, x, y);
    for (int step = 1; step <= 4; ++step) Mouse(0, x + dx * step / 4, y + dy * step / 4);
    Mouse(up, x + dx, y + dy);
}

// The window's top left corner on the screen.
std::pair<long, long> Place(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return {r.left, r.top};
}

// How many children of the window show a hand when the pointer is over them.
int Hands(HWND window) {
    int hands = 0;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        SetCursor(nullptr);
        SendMessageW(c, WM_SETCURSOR, (WPARAM)c, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        hands += GetCursor() == LoadCursorW(nullptr, (LPCWSTR)IDC_HAND);
    }
    return hands;
}

}  // namespace

// Every borderless window of the program drags alike: with either button by
// its bare surface, never by a press on one of its labels. A hand shows over
// each label button, and over nothing else.
TEST(WindowDrag, EveryBorderlessWindowFollowsADragOnItsSurfaceOnly) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());
    Settings settings;
    MainWindow main([](POINT) {}, [] {});
    RoomBuster buster(settings, [] {});
    DirectShowMedia media;
    PlayerWindow player(settings, media, [] {}, [] {});
    FolderPicker picker([](const std::string&) {}, [] {});
    const struct { HWND window; int labelId, hands; } windows[] = {
        {main.Handle(), kDaysLabel, 4}, {buster.Handle(), kBusterTriesText, 6},
        {player.Handle(), kPlayerHide, 9}, {picker.Handle(), kPickerOk, 4}};
    for (const auto& [window, labelId, hands] : windows) {
        EXPECT_EQ(hands, Hands(window));
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        Pump(50);
        const auto [labelLeft, labelTop] = Place(GetDlgItem(window, labelId));
        const auto [left, top] = Place(window);
        // Where the button goes down, from the window's corner: bare surface
        // below the corner's labels, or a label.
        const POINT surface = {3, 60}, onLabel = {labelLeft - left + 2, labelTop - top + 2};
        const struct { DWORD down, up; POINT grab; int dx, dy; bool moves; } drags[] = {
            {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, surface, 40, 25, true},
            {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, surface, -60, 10, true},
            {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, onLabel, 40, 25, false}};  // a label's
        for (const auto& d : drags) {
            const auto [x, y] = Place(window);
            Drag(d.down, d.up, x + d.grab.x, y + d.grab.y, d.dx, d.dy);
            EXPECT_EQ(std::make_pair(x + d.moves * d.dx, y + d.moves * d.dy), Place(window));
        }
        EXPECT_EQ(nullptr, GetCapture());

        // A release without a press of its own: the button went down
        // elsewhere and comes up over the window.
        const auto before = Place(window);
        Mouse(0, before.first + 3, before.second + 3);
        SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(30, 20));
        EXPECT_EQ(before, Place(window));
    }
}

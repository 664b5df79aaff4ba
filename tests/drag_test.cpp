// Dragging the borderless main window by its surface: the arithmetic, and
// real mouse input under Wine.
#include <gtest/gtest.h>

#include <utility>

#include "idler/main_window.h"
#include "tests/support.h"
#include "ui/drag_math.h"

namespace {

// Real input, as the mouse gives it: absolute moves and button changes.
void Mouse(DWORD flags, int x, int y) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    Pump(30);
}

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

}  // namespace

TEST(DragState, GrabsTheNearestWholePointAndFollowsThePointer) {
    DragState drag;
    drag.Press(10.5f, 11.5f);  // halves go to the even neighbour
    EXPECT_EQ(std::make_pair(10, 12), std::make_pair(drag.grabX, drag.grabY));
    // The pointer where it took hold: the window stays.
    EXPECT_EQ(4965.0f, DragState::Follow(7.0f, 7, 4965.0f));
    EXPECT_EQ(-90.0f, DragState::Follow(-60.0f, 30, 0.0f));  // off the screen is allowed
}

TEST(MainWindowDrag, FollowsADragOnItsSurfaceWithEitherButtonAndNothingElse) {
    OnTestDrive drive;
    ASSERT_TRUE(drive.ok());
    Settings settings;
    MainWindow main(settings, [] {});
    main.Open();
    Pump(50);
    RECT label;
    GetWindowRect(GetDlgItem(main.hwnd(), kDaysLabel), &label);
    const auto [left, top] = Place(main.hwnd());
    // Where the button goes down, from the window's corner.
    const POINT surface = {3, 3}, onLabel = {label.left - left + 2, label.top - top + 2};
    const struct { DWORD down, up; POINT grab; int dx, dy; bool moves; } drags[] = {
        {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, surface, 40, 25, true},
        {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, surface, -60, 10, true},
        {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, onLabel, 40, 25, false}};  // a label's press
    for (const auto& d : drags) {
        const auto [x, y] = Place(main.hwnd());
        Drag(d.down, d.up, x + d.grab.x, y + d.grab.y, d.dx, d.dy);
        EXPECT_EQ(std::make_pair(x + d.moves * d.dx, y + d.moves * d.dy), Place(main.hwnd()));
    }
    EXPECT_EQ(nullptr, GetCapture());

    // A release without a press of its own: the button went down elsewhere
    // and comes up over the window.
    const auto before = Place(main.hwnd());
    Mouse(0, before.first + 3, before.second + 3);
    SendMessageW(main.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(30, 20));
    EXPECT_EQ(before, Place(main.hwnd()));
}

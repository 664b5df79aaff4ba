// Dragging the borderless main window by its surface: the arithmetic, and
// real mouse input under Wine.
#include <gtest/gtest.h>

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

RECT Frame(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

class DragTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(drive_.ok());
        main_.Open();
        Pump(50);
    }
    OnTestDrive drive_;
    Settings settings_;
    MainWindow main_{settings_, [] {}};
};

}  // namespace

TEST(DragState, GrabsTheNearestWholePointAndFollowsThePointer) {
    DragState drag;
    drag.Press(10.5f, 11.5f);  // halves go to the even neighbour
    EXPECT_TRUE(drag.dragging);
    EXPECT_EQ(10, drag.grabX);
    EXPECT_EQ(12, drag.grabY);
    drag.Press(7.4f, -2.6f);
    EXPECT_EQ(7, drag.grabX);
    EXPECT_EQ(-3, drag.grabY);

    // The pointer where it took hold: the window stays.
    EXPECT_EQ(4965.0f, DragState::Follow(7.0f, 7, 4965.0f));
    // 150 twips right of the grab point: the window follows by as much.
    EXPECT_EQ(5115.0f, DragState::Follow(157.0f, 7, 4965.0f));
    EXPECT_EQ(-90.0f, DragState::Follow(-60.0f, 30, 0.0f));  // off the screen is allowed
}

TEST_F(DragTest, TheWindowFollowsADragOnItsSurfaceWithEitherButton) {
    RECT before = Frame(main_.hwnd());
    Drag(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, before.left + 3, before.top + 3, 40, 25);
    RECT after = Frame(main_.hwnd());
    EXPECT_EQ(before.left + 40, after.left);
    EXPECT_EQ(before.top + 25, after.top);

    Drag(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, after.left + 3, after.top + 3, -60, 10);
    RECT again = Frame(main_.hwnd());
    EXPECT_EQ(after.left - 60, again.left);
    EXPECT_EQ(after.top + 10, again.top);
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(DragTest, APressOnALabelMovesNothing) {
    RECT before = Frame(main_.hwnd());
    RECT label;
    GetWindowRect(GetDlgItem(main_.hwnd(), kDaysLabel), &label);
    Drag(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, label.left + 2, label.top + 2, 40, 25);
    RECT after = Frame(main_.hwnd());
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
}

TEST_F(DragTest, AReleaseWithoutAPressOfItsOwnMovesNothing) {
    RECT before = Frame(main_.hwnd());
    // The button went down elsewhere and comes up over the window.
    Mouse(0, before.left + 3, before.top + 3);
    SendMessageW(main_.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(30, 20));
    RECT after = Frame(main_.hwnd());
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
}

// The program's windows without a mouse: real keys walk and press their
// controls, and a screen reader finds a word for every control that acts.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <functional>
#include <vector>

#include "app/program.h"
#include "hostsim/hostsim.h"
#include "tests/support.h"
#include "ui/controls.h"
#include "ui/text.h"

namespace {

// What a screen reader says for a control: its standard accessible object's name.
std::string SpokenName(HWND control) {
    IAccessible* object = nullptr;
    // The interface's id from its declaration: the 64-bit import library's
    // IID_IAccessible was refused (E_NOINTERFACE).
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                          (void**)&object)))
        return "(no accessible object)";
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    object->get_accName(self, &name);
    const std::string spoken = name ? Narrow(name) : "";
    SysFreeString(name);
    object->Release();
    return spoken;
}

// The window's own control that holds the keyboard (a drop-down's edit field
// is inside one).
int FocusedId(HWND window) {
    HWND focus = GetFocus();
    while (focus && GetParent(focus) != window) focus = GetParent(focus);
    return focus ? GetDlgCtrlID(focus) : 0;
}

// The labels' clicks as the window gets them, kept from acting.
std::vector<int> g_pressed;
WNDPROC g_windowProc = nullptr;
LRESULT CALLBACK KeepClicks(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    wchar_t kind[16] = {};
    if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED && lParam &&
        GetClassNameW((HWND)lParam, kind, 16) && lstrcmpiW(kind, L"STATIC") == 0) {
        g_pressed.push_back(LOWORD(wParam));
        return 0;
    }
    return CallWindowProcW(g_windowProc, window, message, wParam, lParam);
}

struct Stop {
    int id;
    const char* name;  // what a screen reader says; none for a list or a field
};

struct Walk {
    const char* window;
    std::function<HWND(Program&)> open;  // as the user opens it, the keyboard with the program
    std::vector<Stop> stops;             // in reading order
    bool escapeHides;
};

void Choose(Program& program, const char* entry) {
    program.menu().Run(CommandMenu::CommandOf(entry));
}

}  // namespace

// Each window shown by the user takes the keyboard on its first control; Tab
// goes round every control in reading order, Shift+Tab back; Enter and Space
// press the labels; Esc does what the window's "x" does, but ends nothing in
// the main window.
TEST(Keyboard, WalksAndPressesEveryControlThatActsEachNamedForAScreenReader) {
    OnTestDrive drive(kAnnSettings);
    ASSERT_TRUE(drive.ok());
    CoInitialize(nullptr);
    hostsim::Host host;
    host.OpenRoom("Lobby");
    Program program([] {});
    const Walk walks[] = {
        {"main",
         [](Program& p) {
             p.OpenMain();
             SetForegroundWindow(p.main().hwnd());
             return p.main().hwnd();
         },
         {{kCollapseLabel, "collapse"}, {kOptsLabel, "options"}, {kMinimizeLabel, "minimize"},
          {kExitLabel, "exit"}},
         false},
        {"room buster",
         [](Program& p) {
             Choose(p, "roombust");
             return p.roomBuster().hwnd();
         },
         {{kBusterMinimize, "minimize"}, {kBusterClose, "hide"}, {kBusterRoom, nullptr},
          {kBusterStart, "start"}, {kBusterStop, "stop"}, {kBusterAdd, "add"},
          {kBusterRemove, "remove"}},
         true},
        {"player",
         [](Program& p) {
             Choose(p, "mp3player");
             return p.player().hwnd();
         },
         {{kPlayerMinimize, "minimize"}, {kPlayerClose, "hide"}, {kPlayerFiles, nullptr},
          {kPlayerHide, "hide"}, {kPlayerPlay, "play"}, {kPlayerPause, "pause"},
          {kPlayerStop, "stop"}, {kPlayerPrevious, "previous"}, {kPlayerNext, "next"},
          {kPlayerFolder, "choose folder"}},
         true},
        {"folder picker",
         [](Program& p) {
             Choose(p, "mp3player");
             for (int i = 0; i < 9; ++i) Key(VK_TAB);  // to the player's tenth stop
             Key(VK_RETURN);
             return p.picker().hwnd();
         },
         {{kPickerMinimize, "minimize"}, {kPickerClose, "exit"}, {kPickerDrives, nullptr},
          {kPickerFolders, nullptr}, {kPickerOk, "ok"}, {kPickerExit, "exit"}},
         true},
    };
    for (const Walk& walk : walks) {
        SCOPED_TRACE(walk.window);
        HWND window = walk.open(program);
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window; }, 3000));
        g_pressed.clear();
        g_windowProc = (WNDPROC)SetWindowLongPtrW(window, GWLP_WNDPROC, (LONG_PTR)KeepClicks);
        std::vector<int> focused, named;
        for (size_t i = 0; i < walk.stops.size(); ++i) {
            const Stop& stop = walk.stops[i];
            focused.push_back(FocusedId(window));
            if (stop.name) {
                EXPECT_EQ(stop.name, SpokenName(GetDlgItem(window, stop.id))) << stop.id;
                named.push_back(stop.id);
                Key(i % 2 ? VK_SPACE : VK_RETURN);
            }
            Key(VK_TAB);
        }
        std::vector<int> expected;
        for (const Stop& stop : walk.stops) expected.push_back(stop.id);
        EXPECT_EQ(expected, focused);
        EXPECT_EQ(named, g_pressed);
        EXPECT_EQ(walk.stops.front().id, FocusedId(window)) << "Tab goes round";
        Chord({VK_SHIFT, VK_TAB});
        EXPECT_EQ(walk.stops.back().id, FocusedId(window));
        SetWindowLongPtrW(window, GWLP_WNDPROC, (LONG_PTR)g_windowProc);

        Key(VK_ESCAPE);
        EXPECT_EQ(!walk.escapeHides, IsWindowVisible(window) != FALSE);
    }
    EXPECT_EQ(Lines{}, AfterStartUp(host)) << "a key sent a line";
    CoUninitialize();
}

// Where the menu came up, read while it is open; then it is closed.
RECT g_menu;
void CALLBACK ReadAndCloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (!popup) return;
    GetWindowRect(popup, &g_menu);
    PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
}

// The menu key, or Shift+F10, opens the command menu under "opts" with the
// keyboard in it: up from the end to "minimize", and Enter.
TEST(Keyboard, TheMenuKeysOpenTheCommandMenuUnderOptsForTheKeysToPickFrom) {
    OnTestDrive drive(kAnnSettings);
    ASSERT_TRUE(drive.ok());
    hostsim::Host host;
    host.OpenRoom("Lobby");
    Program program([] {});
    program.OpenMain();
    HWND main = program.main().hwnd();
    SetForegroundWindow(main);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main; }, 3000));

    g_menu = {};
    SetTimer(nullptr, 0, 200, ReadAndCloseMenu);
    Key(VK_APPS);
    ASSERT_TRUE(PumpUntil([&] { return g_menu.right > 0; }, 3000)) << "no menu";
    RECT opts = {};
    GetWindowRect(GetDlgItem(main, kOptsLabel), &opts);
    EXPECT_EQ(opts.left, g_menu.left);
    EXPECT_EQ(opts.bottom, g_menu.top);

    Chord({VK_SHIFT, VK_F10}, false);
    for (WORD vk : {VK_UP, VK_UP}) Chord({vk}, false);
    Key(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(main) != FALSE; }, 3000));
}

namespace {

// A control's pixels as the screen shows them, a row a line, a letter a
// colour in the order the colours come.
std::string Pixels(HWND control) {
    RECT r = {};
    GetClientRect(control, &r);
    HDC dc = GetDC(control);
    std::string pixels;
    std::vector<COLORREF> colours;
    for (int y = 0; y < r.bottom; ++y, pixels += '\n')
        for (int x = 0; x < r.right; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            size_t i = 0;
            while (i < colours.size() && colours[i] != c) ++i;
            if (i == colours.size()) colours.push_back(c);
            pixels += (char)('a' + i % 26);
        }
    ReleaseDC(control, dc);
    return pixels + std::to_string(colours.size() > 0 ? colours[0] : 0);
}

}  // namespace

// A label button draws its caption as a plain label does, though its text is
// the word a screen reader says; with the focus it has a frame. A new drawn
// text shows and leaves the word; a new word leaves what shows.
TEST(Keyboard, ALabelButtonLooksAsAPlainLabelTillTheFocusFramesIt) {
    Font font(L"MS Sans Serif", 8, true);
    for (const wchar_t* caption : {L" -", L"x", L"  hide", L"norq idle and more words"}) {
        SCOPED_TRACE(Narrow(caption));
        HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10, 200, 60,
                                      nullptr, nullptr, nullptr, nullptr);
        HWND plain = CreateLabel(window, 1, caption, RECT{0, 0, 60, 30}, font.get());
        HWND button = CreateLabel(window, 2, caption, RECT{100, 0, 160, 30}, font.get(),
                                  LabelFlags::kButton, L"word");
        UpdateWindow(window);
        EXPECT_EQ(Pixels(plain), Pixels(button));
        EXPECT_EQ("word", SpokenName(button));

        SetWindowTextW(plain, L" >");
        SetDrawnText(button, L" >");
        UpdateWindow(window);
        EXPECT_EQ(Pixels(plain), Pixels(button));
        EXPECT_EQ("word", SpokenName(button));
        SetSpokenText(button, L"other word");
        UpdateWindow(window);
        EXPECT_EQ(Pixels(plain), Pixels(button));
        EXPECT_EQ("other word", SpokenName(button));

        SetFocus(button);
        UpdateWindow(window);
        EXPECT_NE(Pixels(plain), Pixels(button)) << "no focus frame";
        DestroyWindow(window);
    }
}

// The command menu: the idler entries as it pops up, the keys that choose its
// entries, and what each entry does: host shortcuts as hostsim records
// them, the program's own windows and the browser as a fake notes them.
#include <gtest/gtest.h>

#include <algorithm>

#include "hostsim/hostsim.h"
#include "menu/command_menu.h"
#include "settings/links.h"
#include "tests/support.h"

namespace {

UINT IdOf(const char* name) { return CommandMenu::CommandOf(name); }

// The popup menu this thread shows, if any.
HWND ShownMenu() {
    HWND m = nullptr;
    while ((m = FindWindowExW(nullptr, m, L"#32768", nullptr)) &&
           !(IsWindowVisible(m) && GetWindowThreadProcessId(m, nullptr) == GetCurrentThreadId())) {}
    return m;
}

// The entries that open the program's own windows, by their callbacks.
using A = MenuActions;
const std::pair<const char*, std::function<void()> A::*> kProgramEntries[] = {
    {"about", &A::about}, {"advertise", &A::advertise}, {"idleron", &A::idleOn},
    {"idleoff", &A::idleOff}, {"lascii", &A::leftAscii}, {"rascii", &A::rightAscii},
    {"reason", &A::reason}, {"user", &A::user}, {"autoidle", &A::autoIdle},
    {"roombust", &A::roomBuster}, {"mp3player", &A::mp3Player}, {"minimize", &A::minimize},
    {"exit", &A::unload}};

// Notes what the menu asks of the program's windows and of the browser, a
// line each, and whether a menu was still up then.
struct Noting : Launcher {
    Noting() {
        for (const auto& [name, action] : kProgramEntries)
            actions.*action = [this, n = name] {
                noted += n + std::string(ShownMenu() ? " (menu up)\n" : "\n");
            };
    }
    void Browse(const std::string& address) override { noted += "open " + address + "\n"; }
    MenuActions actions;
    std::string noted;
};

// The keys that PressKeys posts to this thread's popup once it shows.
std::vector<WORD> g_keys;
void CALLBACK PressKeys(HWND, UINT, UINT_PTR timer, DWORD) {
    if (HWND shown = ShownMenu()) {
        KillTimer(nullptr, timer);
        for (WORD key : g_keys) PostMessageW(shown, WM_KEYDOWN, key, 0);
    }
}
// Closes a menu that keys left open, choosing nothing.
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    EndMenu();
}

// The control name of the program's entry at path ("misc > mp3 player"),
// found by the texts the menu shows; empty where there is none.
std::string ProgramEntryAt(HMENU menu, const std::string& path) {
    UINT command = 0;
    for (size_t from = 0; menu && from <= path.size();) {
        const size_t to = std::min(path.find(" > ", from), path.size());
        const std::string text = path.substr(from, to - from);
        HMENU found = nullptr;
        for (int i = 0; i < GetMenuItemCount(menu) && !found && !command; ++i) {
            char shown[100] = {};
            GetMenuStringA(menu, i, shown, 100, MF_BYPOSITION);
            if (text != shown) continue;
            if (!(found = GetSubMenu(menu, i))) command = GetMenuItemID(menu, i);
        }
        menu = found;
        from = to + 3;
    }
    for (const auto& entry : kProgramEntries)
        if (command && IdOf(entry.first) == command) return entry.first;
    return "";
}

}  // namespace

// Of the idler entries only the one that fits can be chosen; the choice runs
// once the menu has closed.
TEST(CommandMenu, OffersTheIdlerEntryThatFitsAndRunsTheChoiceOnceClosed) {
    Noting noting;
    CommandMenu menu(noting.actions, noting);
    HWND owner = CreateWindowW(L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, 0, 0, 0, 0);
    auto grayed = [&](const char* name) {
        return (GetMenuState(menu.menu(), IdOf(name), MF_BYCOMMAND) & MF_GRAYED) != 0;
    };
    for (bool idling : {false, true}) {
        noting.noted.clear();
        g_keys = {VK_UP, VK_RETURN};  // up from nothing selected: "unload"
        SetTimer(nullptr, 0, 20, PressKeys);
        menu.Popup(owner, idling, POINT{0, 0});
        EXPECT_EQ(idling, grayed("idleron"));
        EXPECT_EQ(!idling, grayed("idleoff"));
        EXPECT_EQ("exit\n", noting.noted);  // not "(menu up)"
    }
    DestroyWindow(owner);
}

// The demo and the end-to-end tests choose entries with the keys written
// beside their texts: those keys, pressed in the real menu, choose the entry
// named, and nothing else, wherever it moved to or whatever it was renamed.
TEST(CommandMenu, TheKeysWrittenForAnEntryChooseIt) {
    Noting noting;
    CommandMenu menu(noting.actions, noting);
    HWND owner = CreateWindowW(L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, 0, 0, 0, 0);
    const std::vector<MenuPath> paths = MenuPaths();
    ASSERT_FALSE(paths.empty()) << "menu-keys.txt beside the tests";
    for (const MenuPath& entry : paths) {
        const std::string name = ProgramEntryAt(menu.menu(), entry.path);
        EXPECT_NE("", name) << "no entry of the program's own at \"" << entry.path << "\"";
        noting.noted.clear();
        g_keys = entry.keys;
        SetTimer(nullptr, 0, 20, PressKeys);
        const UINT_PTR closer = SetTimer(nullptr, 0, 2000, CloseMenu);
        menu.Popup(owner, false, POINT{0, 0});
        KillTimer(nullptr, closer);
        EXPECT_EQ(name + "\n", noting.noted) << "the keys for \"" << entry.path << "\"";
    }
    DestroyWindow(owner);
}

TEST(CommandMenu, EachEntryReachesTheHostTheProgramOrTheBrowser) {
    auto site = [](int i) { return std::string("open ") + kSites[i].address; };
    // Entries run in turn; a host shortcut by the distinguishing part of
    // hostsim's record (the toolbar tests check records whole).
    std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
        {{"new"}, "toolbar.icon2 WM_KEYUP 32 0"}, {{"old"}, "\"old mail\""},
        {{"sent"}, "\"sent mail\""}, {{"flash"}, "\"flash mail\""}, {{"chatnow"}, "\"chat now\""},
        {{"fac"}, "\"find a chat\""}, {{"pplc"}, "\"people connection\""},
        {{"suoc"}, "\"start your own chat\""}, {{"pr"}, "GO 0 0 \"private chat\""},
        {{"imson"}, "\"$IM_ON: norq idle.\""}, {{"imsoff"}, "\"$IM_OFF: norq idle.\""},
        {{"imvonk"}, "\"brimwold: whats up vonk? i love your idler.\""},
        {{"imv0nk"}, "\"brimwold: wuttup vonk, nice idler...\""},
        // Hide, then show again; "vonk' site" is the first site.
        {{"welchide", "welcshow"}, "Welcome, Guest WM_SHOWWINDOW 1 0"}, {{"vsite"}, site(0)}};
    for (int i = 0; i < 5; ++i) rows.push_back({{"site" + std::to_string(i + 1)}, site(i)});
    for (const auto& [name, action] : kProgramEntries) rows.push_back({{name}, name});
    Noting noting;
    CommandMenu menu(noting.actions, noting), bare({}, noting);
    // Unset callbacks do nothing, nor do the title and a submenu.
    for (const auto& [name, action] : kProgramEntries) bare.Run(IdOf(name));
    for (UINT inert : {IdOf("srdg"), IdOf("contact")}) menu.Run(inert);
    EXPECT_EQ("", noting.noted);
    FakeClock clock(100.0f);  // the instant message's pause takes no time
    clock.Install();
    for (const auto& [names, line] : rows) {
        hostsim::Host host;
        host.SetAnswerDelay(0);  // its window opens within the pause
        host.Execute("welcome Guest");  // for the welcome entries
        host.ClearLog();
        noting.noted.clear();
        for (const std::string& name : names) menu.Run(IdOf(name.c_str()));
        auto got = [&] { return noting.noted + Typed(host); };
        EXPECT_TRUE(PumpUntil([&] { return got().find(line + "\n") != std::string::npos; }, 3000))
            << names[0] << ":\n" << got();
    }
}

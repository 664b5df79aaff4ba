// The command menu: its tree read back from the real menu, the idler entries
// as it pops up, and what each entry does: host shortcuts as hostsim records
// them, the program's own windows and the browser as a fake notes them.
#include <gtest/gtest.h>

#include <set>

#include "hostsim/hostsim.h"
#include "menu/command_menu.h"
#include "settings/links.h"
#include "tests/support.h"
#include "ui/text.h"

using hostsim::Describe;
using hostsim::Host;
using hostsim::Inputs;
using Lines = std::vector<std::string>;

namespace {

UINT IdOf(const char* name) { return CommandMenu::CommandOf(name); }

HWND OpenMenuOfThisThread() {
    for (HWND m = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); m;
         m = FindWindowExW(nullptr, m, L"#32768", nullptr))
        if (IsWindowVisible(m) && GetWindowThreadProcessId(m, nullptr) == GetCurrentThreadId())
            return m;
    return nullptr;
}

// The entries that open the program's own windows, by their callbacks.
const struct {
    const char* name;
    std::function<void()> MenuActions::*action;
} kProgramEntries[] = {
    {"about", &MenuActions::about},         {"advertise", &MenuActions::advertise},
    {"idleron", &MenuActions::idleOn},      {"idleoff", &MenuActions::idleOff},
    {"lascii", &MenuActions::leftAscii},    {"rascii", &MenuActions::rightAscii},
    {"reason", &MenuActions::reason},       {"user", &MenuActions::user},
    {"roombust", &MenuActions::roomBuster}, {"mp3player", &MenuActions::mp3Player},
    {"minimize", &MenuActions::minimize},   {"exit", &MenuActions::unload},
};

// Notes what the menu asks of the program's windows and of the browser, and
// whether a menu was still up then.
class Noting : public Launcher {
public:
    void Open(const std::string& address) override { noted.push_back("open " + address); }
    MenuActions Actions() {
        MenuActions actions;
        for (const auto& entry : kProgramEntries)
            actions.*entry.action = [this, name = std::string(entry.name)] {
                noted.push_back(OpenMenuOfThisThread() ? name + " with the menu up" : name);
            };
        return actions;
    }
    Lines noted;
};

// opts as the user sees it: two blanks a level, " (off)" when grayed, " >"
// for a submenu; beside each line, the entry's control name.
std::vector<std::pair<const char*, std::string>> ExpectedOpts() {
    auto site = [](int i) { return std::string("    ") + kSites[i].caption; };
    return {{"srdg", "norq idle v\u00B9\u00B7\u00BA - vonk (off)"}, {"sadf", "-"},
            {"about", "about"}, {"advertise", "adv"}, {"contact", "contact >"},
            {"vsite", "  vonk' site"}, {"imv0nk", "  im vonk"}, {"dope", "-"},
            {"idleops", "idler opts >"}, {"idleron", "  idler on"},
            {"idleoff", "  idler off (off)"}, {"vonkoenz", "  -"}, {"ascii", "  ascii >"},
            {"lascii", "    left ascii"}, {"rascii", "    right ascii"}, {"reason", "  reason"},
            {"user", "  user"}, {"ims", "ims >"}, {"imson", "  ims on"},
            {"imsoff", "  ims off"}, {"imvonk", "  im vonk"}, {"mail", "mail >"},
            {"read", "  read >"}, {"new", "    new"}, {"old", "    old"}, {"sent", "    sent"},
            {"flash", "    flash"}, {"misc", "misc >"}, {"chat", "  chat >"},
            {"chatnow", "    chat now"}, {"fac", "    find a chat"},
            {"pplc", "    ppl connec."}, {"pr", "    private chat"},
            {"roombust", "    room buster"}, {"suoc", "    start ur own chat"},
            {"mp3player", "  mp3 player"}, {"sites", "  sites >"}, {"site1", site(0)},
            {"site2", site(1)}, {"site3", site(2)}, {"site4", site(3)}, {"site5", site(4)},
            {"welc", "  welcome >"}, {"welcshow", "    show"}, {"welchide", "    hide"},
            {"sdf", "-"}, {"minimize", "minimize"}, {"exit", "unload"}};
}

// Reads the menu back as the lines above, with a command id a line (none for
// separators and submenus).
void ReadBack(HMENU menu, const std::string& indent, std::string& lines, std::vector<UINT>& ids) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[100] = {};
        MENUITEMINFOW item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = 100;
        ASSERT_TRUE(GetMenuItemInfoW(menu, i, TRUE, &item));
        // A separator reads back grayed, whatever it was made with.
        const bool separator = item.fType & MFT_SEPARATOR;
        lines += indent + (separator ? "-" : Narrow(text)) +
                 (!separator && item.fState & MFS_GRAYED ? " (off)" : "") +
                 (item.hSubMenu ? " >" : "") + "\n";
        ids.push_back(separator || item.hSubMenu ? 0 : item.wID);
        if (item.hSubMenu) ReadBack(item.hSubMenu, indent + "  ", lines, ids);
    }
}

// Types keys into this thread's popup once it shows, noting the idler
// entries' states as the user sees them then.
struct {
    HMENU opts = nullptr;
    std::vector<WPARAM> keys;
    std::string states;
} g_driver;

void CALLBACK TypeIntoMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND shown = OpenMenuOfThisThread();
    if (!shown || g_driver.keys.empty()) return;
    auto state = [](const char* name) {
        return GetMenuState(g_driver.opts, IdOf(name), MF_BYCOMMAND) & MF_GRAYED ? "off" : "on";
    };
    g_driver.states = std::string("on ") + state("idleron") + ", off " + state("idleoff");
    for (WPARAM key : g_driver.keys) PostMessageW(shown, WM_KEYDOWN, key, 0);
    g_driver.keys.clear();
}

// hostsim's record of a toolbar menu pick, and of an instant message.
std::string Pick(int icon, std::vector<int> letters, const char* entry) {
    const std::string role = "toolbar.icon" + std::to_string(icon);
    std::string record = role + " WM_LBUTTONDOWN 0 0\n" + role + " WM_LBUTTONUP 0 0\n";
    for (int code : letters) record += "menu WM_CHAR " + std::to_string(code) + " 0\n";
    return record + "toolbar PICK 0 0 \"" + entry + "\"\n";
}
std::string Im(const std::string& to, const std::string& text) {
    const std::string im = "Send Instant Message";
    return "toolbar.icon5 WM_LBUTTONDOWN 0 0\ntoolbar.icon5 WM_KEYUP 32 0\n" + im +
           ".edit1 WM_SETTEXT 0 0 \"" + to + "\"\n" + im + ".rich1 WM_SETTEXT 0 0 \"" + text +
           "\"\n" + im + ".icon10 WM_LBUTTONDOWN 0 0\n" + im + ".icon10 WM_KEYUP 32 0\n" + im +
           " IM 0 0 \"" + to + ": " + text + "\"\n";
}

}  // namespace

TEST(CommandMenu, TreeReadBackFromTheMenuIsOptsAsShownAtStart) {
    Noting noting;
    CommandMenu menu({}, noting);
    const auto rows = ExpectedOpts();
    std::string lines, expected;
    std::vector<UINT> ids;
    ReadBack(menu.menu(), "", lines, ids);
    for (const auto& row : rows) expected += row.second + "\n";
    ASSERT_EQ(expected, lines);

    // Each entry answers to its control name, and no two commands share an id.
    std::set<UINT> distinct;
    for (size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(ids[i], IdOf(rows[i].first)) << rows[i].first;
        EXPECT_TRUE(!ids[i] || distinct.insert(ids[i]).second) << rows[i].first;
    }
    EXPECT_EQ(0u, IdOf("no such entry"));
}

TEST(CommandMenu, PopupSetsTheIdlerEntriesAndRunsTheChoiceOnceTheMenuHasClosed) {
    HWND owner = CreateWindowW(L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                               nullptr, nullptr, nullptr);
    Noting noting;
    CommandMenu menu(noting.Actions(), noting);
    g_driver.opts = menu.menu();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, TypeIntoMenu);
    const struct {
        bool idling;
        std::vector<WPARAM> keys;  // up from nothing selected is the last entry, "unload"
        const char* states;
        Lines ran;
    } kPopups[] = {
        {true, {VK_ESCAPE}, "on off, off on", {}},
        {false, {VK_ESCAPE}, "on on, off off", {}},
        {true, {VK_UP, VK_RETURN}, "on off, off on", {"exit"}},
    };
    for (const auto& popup : kPopups) {
        g_driver.keys = popup.keys;
        g_driver.states.clear();
        noting.noted.clear();
        menu.Popup(owner, popup.idling);
        EXPECT_EQ(popup.states, g_driver.states) << "idling " << popup.idling;
        EXPECT_EQ(popup.ran, noting.noted);
    }
    KillTimer(nullptr, timer);
    DestroyWindow(owner);
}

TEST(CommandMenu, HostShortcutsDriveTheHostAsRecorded) {
    const struct {
        const char* name;
        std::string expected;
    } kShortcuts[] = {
        {"new", "toolbar.icon2 WM_LBUTTONDOWN 0 0\ntoolbar.icon2 WM_KEYUP 32 0\n"},
        {"old", Pick(1, {82, 79}, "old mail")},
        {"sent", Pick(1, {82, 83}, "sent mail")},
        {"flash", Pick(1, {70}, "flash mail")},
        {"chatnow", Pick(4, {78}, "chat now")},
        {"fac", Pick(4, {70}, "find a chat")},
        {"pplc", Pick(4, {67}, "people connection")},
        {"suoc", Pick(4, {83}, "start your own chat")},
        {"pr", "keyword.edit WM_SETTEXT 0 0 \"private chat\"\nkeyword.edit WM_CHAR 32 0\n"
               "keyword.edit WM_CHAR 13 0\nkeyword GO 0 0 \"private chat\"\n"},
        {"imson", Im("$IM_ON", "norq idle.")},
        {"imsoff", Im("$IM_OFF", "norq idle.")},
        {"imvonk", Im("brimwold", "whats up vonk? i love your idler.")},
        {"imv0nk", Im("brimwold", "wuttup vonk, nice idler...")},
    };
    Noting noting;
    CommandMenu menu(noting.Actions(), noting);
    for (const auto& shortcut : kShortcuts) {
        Host host;
        menu.Run(IdOf(shortcut.name));
        PumpUntil([&] { return Describe(Inputs(host.Log())) == shortcut.expected; }, 3000);
        EXPECT_EQ(shortcut.expected, Describe(Inputs(host.Log()))) << shortcut.name;
    }
    EXPECT_EQ(Lines{}, noting.noted);
}

TEST(CommandMenu, WelcomeHideThenShowRestoresTheHostsWindow) {
    Host host;
    ASSERT_TRUE(host.Execute("welcome Guest"));
    Noting noting;
    CommandMenu menu({}, noting);

    menu.Run(IdOf("welchide"));
    EXPECT_TRUE(PumpUntil([&] { return host.Documents() == Lines{"Welcome, Guest (hidden)"}; }));
    menu.Run(IdOf("welcshow"));
    EXPECT_TRUE(PumpUntil([&] { return host.Documents() == Lines{"Welcome, Guest"}; }));
}

TEST(CommandMenu, OtherEntriesCallTheProgramOrTheBrowserAndUnsetCallbacksNothing) {
    Noting noting;
    CommandMenu menu(noting.Actions(), noting);
    CommandMenu bare({}, noting);
    Lines expected;
    for (const auto& entry : kProgramEntries) {
        menu.Run(IdOf(entry.name));
        expected.push_back(entry.name);
        EXPECT_NO_THROW(bare.Run(IdOf(entry.name))) << entry.name;
    }
    // "vonk' site" is the first site.
    for (const char* link : {"vsite", "site1", "site2", "site3", "site4", "site5"})
        menu.Run(IdOf(link));
    expected.push_back(std::string("open ") + kSites[0].address);
    for (const SiteLink& site : kSites) expected.push_back(std::string("open ") + site.address);
    for (const char* inert : {"srdg", "contact", "sadf"}) menu.Run(IdOf(inert));
    menu.Run(0);
    EXPECT_EQ(expected, noting.noted);
}

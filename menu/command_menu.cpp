#include "menu/command_menu.h"

#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "host/welcome.h"
#include "host/toolbar.h"
#include "host/sequencer.h"
#include "settings/about.h"
#include "settings/links.h"
#include "ui/text.h"

namespace {

enum Command : UINT {
    kNone = 0,
    kTitle = 100, kAbout, kAdvertise,
    kVonkSite, kImVonkHello,                                        // contact
    kIdlerOn, kIdlerOff, kLeftAscii, kRightAscii, kReason, kUser,   // idler opts
    kImsOn, kImsOff, kImVonkPraise,                                 // ims
    kNewMail, kOldMail, kSentMail, kFlashMail,                      // mail
    kChatNow, kFindAChat, kPeopleConnection, kPrivateChat, kRoomBuster, kStartOwnChat,
    kMp3Player, kSite1, kSite2, kSite3, kSite4, kSite5, kWelcomeShow, kWelcomeHide,  // misc
    kMinimize, kUnload,
    kAutoIdle,  // idler opts, after "user"
};

struct Entry {
    const char* name;     // the control name the program knows it by
    std::string caption;  // "-" draws a separator
    int depth;            // 0 sits in opts; an entry followed by a deeper one opens a submenu
    UINT command;         // none for separators and submenus
    bool enabled;         // at start
};

const std::string kTitleCaption = "norq idle v" + VersionMark() + " - vonk";

// opts, top to bottom.
const Entry kEntries[] = {
    {"srdg", kTitleCaption, 0, kTitle, false},
    {"sadf", "-", 0, kNone, true},
    {"about", "about", 0, kAbout, true},
    {"advertise", "adv", 0, kAdvertise, true},
    {"contact", "contact", 0, kNone, true},
    {"vsite", "vonk' site", 1, kVonkSite, true},
    {"imv0nk", "im vonk", 1, kImVonkHello, true},
    {"dope", "-", 0, kNone, true},
    {"idleops", "idler opts", 0, kNone, true},
    {"idleron", "idler on", 1, kIdlerOn, true},
    {"idleoff", "idler off", 1, kIdlerOff, false},
    {"vonkoenz", "-", 1, kNone, true},
    {"ascii", "ascii", 1, kNone, true},
    {"lascii", "left ascii", 2, kLeftAscii, true},
    {"rascii", "right ascii", 2, kRightAscii, true},
    {"reason", "reason", 1, kReason, true},
    {"user", "user", 1, kUser, true},
    {"autoidle", "auto idle", 1, kAutoIdle, true},
    {"ims", "ims", 0, kNone, true},
    {"imson", "ims on", 1, kImsOn, true},
    {"imsoff", "ims off", 1, kImsOff, true},
    {"imvonk", "im vonk", 1, kImVonkPraise, true},
    {"mail", "mail", 0, kNone, true},
    {"read", "read", 1, kNone, true},
    {"new", "new", 2, kNewMail, true},
    {"old", "old", 2, kOldMail, true},
    {"sent", "sent", 2, kSentMail, true},
    {"flash", "flash", 2, kFlashMail, true},
    {"misc", "misc", 0, kNone, true},
    {"chat", "chat", 1, kNone, true},
    {"chatnow", "chat now", 2, kChatNow, true},
    {"fac", "find a chat", 2, kFindAChat, true},
    {"pplc", "ppl connec.", 2, kPeopleConnection, true},
    {"pr", "private chat", 2, kPrivateChat, true},
    {"roombust", "room buster", 2, kRoomBuster, true},
    {"suoc", "start ur own chat", 2, kStartOwnChat, true},
    {"mp3player", "mp3 player", 1, kMp3Player, true},
    {"sites", "sites", 1, kNone, true},
    {"site1", kSites[0].caption, 2, kSite1, true},
    {"site2", kSites[1].caption, 2, kSite2, true},
    {"site3", kSites[2].caption, 2, kSite3, true},
    {"site4", kSites[3].caption, 2, kSite4, true},
    {"site5", kSites[4].caption, 2, kSite5, true},
    {"welc", "welcome", 1, kNone, true},
    {"welcshow", "show", 2, kWelcomeShow, true},
    {"welchide", "hide", 2, kWelcomeHide, true},
    {"sdf", "-", 0, kNone, true},
    {"minimize", "minimize", 0, kMinimize, true},
    {"exit", "unload", 0, kUnload, true},
};

// The author's screen name, and what goes with the host's own switches.
constexpr char kAuthor[] = "brimwold";
constexpr char kImSwitchNote[] = "norq idle.";
// Toolbar icons passed over to reach the mail menu (icon 1) and the chat menu (icon 4).
constexpr int kMailMenu = 0;
constexpr int kChatMenu = 3;
constexpr int kNewMailIcon = 2;

HMENU BuildMenu() {
    // levels[d] is the menu that entries of depth d go into.
    std::vector<HMENU> levels{CreatePopupMenu()};
    const size_t count = std::size(kEntries);
    for (size_t i = 0; i < count; ++i) {
        const Entry& e = kEntries[i];
        levels.resize(e.depth + 1);
        const UINT state = e.enabled ? MF_ENABLED : MF_GRAYED;
        if (e.caption == "-") {
            AppendMenuW(levels[e.depth], MF_SEPARATOR, 0, nullptr);
        } else if (i + 1 < count && kEntries[i + 1].depth > e.depth) {
            HMENU submenu = CreatePopupMenu();
            AppendMenuW(levels[e.depth], MF_POPUP | state, (UINT_PTR)submenu,
                        Widen(e.caption).c_str());
            levels.push_back(submenu);
        } else {
            AppendMenuW(levels[e.depth], MF_STRING | state, e.command, Widen(e.caption).c_str());
        }
    }
    return levels[0];
}

void Call(const std::function<void()>& action) {
    if (action) action();
}

// What a command sends to the host joins the one queue.
void ToHost(HostOperation operation) { HostSequencer().Add(std::move(operation)); }
void ToHost(std::function<void()> step) { ToHost(HostOperation().Then(std::move(step))); }

}  // namespace

CommandMenu::CommandMenu(MenuActions actions, Launcher& launcher)
    : actions_(std::move(actions)), launcher_(launcher), menu_(BuildMenu()) {}

CommandMenu::~CommandMenu() { DestroyMenu(menu_); }

void CommandMenu::Popup(HWND owner, bool idling, POINT at) {
    EnableMenuItem(menu_, kIdlerOn, MF_BYCOMMAND | (idling ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(menu_, kIdlerOff, MF_BYCOMMAND | (idling ? MF_ENABLED : MF_GRAYED));
    // The choice runs once the menu has gone: the host's menu picks wait for
    // a popup menu to show, and ours must not be the one they find.
    const UINT command =
        (UINT)TrackPopupMenu(menu_, TPM_RETURNCMD, at.x, at.y, 0, owner, nullptr);
    if (command != kNone) Run(command);
}

UINT CommandMenu::CommandOf(const char* name) {
    for (const Entry& e : kEntries)
        if (std::strcmp(e.name, name) == 0) return e.command;
    return kNone;
}

void CommandMenu::Run(UINT command) {
    switch (command) {
    case kAbout: Call(actions_.about); break;
    case kAdvertise: Call(actions_.advertise); break;
    case kVonkSite: launcher_.Browse(kSites[0].address); break;
    case kImVonkHello: ToHost(SendInstantMessage(kAuthor, "wuttup vonk, nice idler...")); break;
    case kIdlerOn: Call(actions_.idleOn); break;
    case kIdlerOff: Call(actions_.idleOff); break;
    case kLeftAscii: Call(actions_.leftAscii); break;
    case kRightAscii: Call(actions_.rightAscii); break;
    case kReason: Call(actions_.reason); break;
    case kUser: Call(actions_.user); break;
    case kAutoIdle: Call(actions_.autoIdle); break;
    case kImsOn: ToHost(SendInstantMessage("$IM_ON", kImSwitchNote)); break;
    case kImsOff: ToHost(SendInstantMessage("$IM_OFF", kImSwitchNote)); break;
    case kImVonkPraise: ToHost(SendInstantMessage(kAuthor, "whats up vonk? i love your idler.")); break;
    case kNewMail: ToHost([] { PressToolbarIcon(kNewMailIcon); }); break;
    case kOldMail: ToHost(PickToolbarMenu(kMailMenu, "R", "O")); break;
    case kSentMail: ToHost(PickToolbarMenu(kMailMenu, "R", "S")); break;
    case kFlashMail: ToHost(PickToolbarMenu(kMailMenu, "F")); break;
    case kChatNow: ToHost(PickToolbarMenu(kChatMenu, "N")); break;
    case kFindAChat: ToHost(PickToolbarMenu(kChatMenu, "F")); break;
    case kPeopleConnection: ToHost(PickToolbarMenu(kChatMenu, "C")); break;
    case kPrivateChat: ToHost([] { GotoKeyword("private chat"); }); break;
    case kRoomBuster: Call(actions_.roomBuster); break;
    case kStartOwnChat: ToHost(PickToolbarMenu(kChatMenu, "S")); break;
    case kMp3Player: Call(actions_.mp3Player); break;
    case kSite1:
    case kSite2:
    case kSite3:
    case kSite4:
    case kSite5: launcher_.Browse(kSites[command - kSite1].address); break;
    case kWelcomeShow: ToHost(ShowWelcomeWindow); break;
    case kWelcomeHide: ToHost(HideWelcomeWindow); break;
    case kMinimize: Call(actions_.minimize); break;
    case kUnload: Call(actions_.unload); break;
    }
}

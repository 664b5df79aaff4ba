#include "roombust/room_buster.h"

#include <algorithm>
#include <climits>

#include "host/chat.h"
#include "host/sequencer.h"
#include "host/toolbar.h"
#include "lines/lines.h"
#include "ui/controls.h"
#include "ui/text.h"
#include "ui/twips.h"

namespace {

constexpr wchar_t kClassName[] = L"norq room buster";
constexpr wchar_t kCaption[] = L"norq room buster - by vonk";
constexpr int kClientWidth = 2175, kClientHeight = 1635;
// The link that the host's keyword box takes to enter a chat room by name.
constexpr char kRoomLink[] = "aol://2719:2-2-";
constexpr int kPauseToSecond = 3;
// Attempt ticks (2 s) after which a link the host has not answered is typed
// again: a host that lost it would otherwise be waited for for ever.
constexpr int kTicksForAnAnswer = 5;
constexpr COLORREF kTitleColour = RGB(255, 0, 0);
constexpr wchar_t kNameRefused[] =
    L"The host cannot take this room name: it has letters outside the system's code page. "
    L"Nothing was sent.";

const LabelLayout kLabels[] = {
    {kBusterMinimize, L"-", {0, 0, 255, 255}, LabelFlags::kButton, L"minimize"},
    {kBusterTitle, L"norq room buster", {360, 0, 1455, 255}, LabelFlags::kPlain},
    {kBusterClose, L"x", {1920, 0, 255, 255}, LabelFlags::kButton, L"hide"},
    {kBusterStart, L"start", {360, 720, 375, 255}, LabelFlags::kButton},
    {kBusterStop, L"stop", {1080, 720, 375, 255}, LabelFlags::kButton},
    {kBusterAdd, L"add", {360, 960, 375, 255}, LabelFlags::kButton},
    {kBusterRemove, L"remove", {1080, 960, 615, 255}, LabelFlags::kButton},
    {kBusterTriesText, L"tries:", {720, 1320, 375, 255}, LabelFlags::kPlain},
    {kBusterTries, L"0", {1080, 1320, 255, 255}, LabelFlags::kPlain},
};
constexpr TwipsRect kRoomPlace = {120, 360, 1935, 315};
// The drop-down's list, below its edit field.
constexpr int kRoomListLines = 8;

// The number a text starts with, as the counter is read: blanks skipped, a
// sign, digits; text that does not start with one counts as 0.
long long LeadingNumber(const std::wstring& text) {
    size_t i = text.find_first_not_of(L" \t");
    if (i == std::wstring::npos) return 0;
    const bool negative = text[i] == L'-';
    if (text[i] == L'-' || text[i] == L'+') ++i;
    long long n = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
        if (n < INT_MAX) n = n * 10 + (text[i] - L'0');
    return negative ? -n : n;
}

}  // namespace

RoomBuster::RoomBuster(Settings& settings, std::function<void()> close)
    : settings_(settings), close_(std::move(close)) {}

std::string RoomBuster::room() const {
    return Narrow(WindowText(GetDlgItem(hwnd(), kBusterRoom)));
}

// One operation: a stop ends it in either pause, and a second start while
// it is queued or under way is ignored. A chat room entered in the pauses is
// the one left.
void RoomBuster::Start() {
    if (!FitsAnsi(room())) return RefuseRoom();
    HostSequencer().Add(HostOperation(HostOp::kBusterStart)
                            .Then([this] { SetDlgItemTextW(Handle(), kBusterTries, L"0"); })
                            .PauseToSecond(kPauseToSecond)
                            .Then([this] { SendChat(BustingLine(settings_, room())); })
                            .PauseToSecond(kPauseToSecond)
                            .Then([this] {
                                SendToHost(FindChatRoom(), WM_CLOSE, 0, 0);
                                // The rooms still open were not won; the host
                                // may close the one left only later, and then
                                // it is gone anyway.
                                notWon_ = ChatRooms();
                                watcher_.Arm();
                                typed_ = false;
                                ticksWaited_ = 0;
                                Busting(true);
                            }));
}

// Busting ends at once, wherever the start is; only the line waits its turn.
void RoomBuster::Stop() {
    HostSequencer().Cancel(HostOp::kBusterStart);
    HostSequencer().Cancel(HostOp::kAttempt);
    watcher_.Arm();
    Busting(false);
    QueueChat([this] { return StoppedBustingLine(settings_, room()); });
}

// One attempt at a time: the link goes out again only once the host has
// answered the last one (its refusal box pressed, or a room open), or has
// not for kTicksForAnAnswer ticks. An attempt that reached no host has
// nothing to wait for.
void RoomBuster::Attempt() {
    if (Won()) return;
    if (!FitsAnsi(room())) {
        Busting(false);
        return RefuseRoom();
    }
    const bool answered = !typed_ || watcher_.pressed() != pressedBefore_;
    if (!answered && ++ticksWaited_ < kTicksForAnAnswer) return;
    pressedBefore_ = watcher_.pressed();
    ticksWaited_ = 0;
    typed_ = GotoKeyword(kRoomLink + room());
    HWND tries = GetDlgItem(hwnd(), kBusterTries);
    SetWindowTextW(tries, std::to_wstring(LeadingNumber(WindowText(tries)) + 1).c_str());
    // A host that answers at once has opened the room by now.
    Won();
}

// Busting ends on a room that the start did not find open: the one won, or
// one the user entered by hand.
bool RoomBuster::Won() {
    HostWindowHandle in = FindChatRoom();
    if (!in || std::find(notWon_.begin(), notWon_.end(), in) != notWon_.end()) return false;
    Busting(false);
    SendChat(BustedIntoLine(settings_, room()));
    return true;
}

// The host would get '?' for what its code page lacks, and enter another
// room. The box disables this window while it is up: no second start.
void RoomBuster::RefuseRoom() {
    MessageBoxW(hwnd(), kNameRefused, kCaption, MB_OK | MB_ICONEXCLAMATION);
}

void RoomBuster::Busting(bool on) {
    busting_ = on;
    if (on) SetTimer(Handle(), kAttemptTimer, kAttemptMs, nullptr);
    else KillTimer(hwnd(), kAttemptTimer);
}

// Empty text and repeats are added too; the list lasts for the run.
void RoomBuster::AddRoom() {
    SendDlgItemMessageW(hwnd(), kBusterRoom, CB_ADDSTRING, 0,
                        (LPARAM)WindowText(GetDlgItem(hwnd(), kBusterRoom)).c_str());
}

void RoomBuster::RemoveRoom() {
    const LRESULT selected = SendDlgItemMessageW(hwnd(), kBusterRoom, CB_GETCURSEL, 0, 0);
    if (selected != CB_ERR) SendDlgItemMessageW(hwnd(), kBusterRoom, CB_DELETESTRING, selected, 0);
}

void RoomBuster::OnCommand(int id) {
    switch (id) {
    case kBusterStart: Start(); break;
    case kBusterStop: Stop(); break;
    case kBusterAdd: AddRoom(); break;
    case kBusterRemove: RemoveRoom(); break;
    case kBusterClose:
        // Busting, if under way, goes on. The main window shows before this
        // one hides, so the keyboard stays with the program.
        close_();
        ShowWindow(hwnd(), SW_HIDE);
        break;
    case kBusterMinimize: ShowWindow(hwnd(), SW_MINIMIZE); break;
    }
}

void RoomBuster::Create() {
    font_ = std::make_unique<Font>(L"Arial", 8);
    if (!CreateCentred(kClassName, WS_EX_APPWINDOW, kBorderlessStyle, kCaption, kClientWidth,
                       kClientHeight))
        return;
    CreateLabels(hwnd(), kLabels, font_->get());
    RECT place = kRoomPlace.Pixels();
    place.bottom += (place.bottom - place.top) * kRoomListLines;
    TabAfter(CreateChild(hwnd(), kBusterRoom, L"COMBOBOX", L"",
                         WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, place,
                         font_->get()),
             GetDlgItem(hwnd(), kBusterClose));
}

LRESULT RoomBuster::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) != kBusterRoom && HIWORD(wParam) == STN_CLICKED)
            OnCommand(LOWORD(wParam));
        return 0;
    case WM_TIMER:
        // Never queued behind one another: a tick while one waits is dropped.
        if (wParam == kAttemptTimer && busting_)
            HostSequencer().Add(HostOperation(HostOp::kAttempt).Then([this] {
                if (busting_) Attempt();  // not when a stop or a room won came first
            }));
        return 0;
    case WM_CTLCOLORSTATIC:
        if (GetDlgCtrlID((HWND)lParam) == kBusterTitle) {
            HDC dc = (HDC)wParam;
            SetTextColor(dc, kTitleColour);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return (LRESULT)GetSysColorBrush(COLOR_BTNFACE);
        }
        break;
    case WM_CLOSE:
        // From the taskbar: as the "x" does; Esc too.
        OnCommand(kBusterClose);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) OnCommand(kBusterClose);
        return 0;
    }
    if (dragger_.Handle(hwnd(), message, lParam)) return 0;
    return Window::HandleMessage(message, wParam, lParam);
}

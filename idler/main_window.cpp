#include "idler/main_window.h"

#include <memory>

#include "host/chat.h"
#include "host/sequencer.h"
#include "host/transfer.h"
#include "idler/transfer.h"
#include "settings/about.h"
#include "ui/controls.h"
#include "ui/form_on_top.h"
#include "ui/text.h"
#include "ui/tooltips.h"
#include "ui/twips.h"

namespace {

constexpr wchar_t kClassName[] = L"norq idle main";
constexpr int kDesignWidth = 2670, kDesignHeight = 960;
constexpr int kExitSlideStep = 45;
// The tick's search for a transfer window: a part at a time, and a bound for
// a host that keeps changing its documents.
constexpr DWORD kSearchPartMs = 50;
constexpr unsigned kSearchBoundMs = 5000;

// Width and height in each collapse state; both put the left edge at kCollapseLeft.
constexpr int kCollapsedWidth = 1410, kCollapsedHeight = 270;
constexpr int kExpandedWidth = 2655, kExpandedHeight = 975;
constexpr int kCollapseLeft = 4965;

enum class FontKind { kPlain, kBold, kTitle, kCollapse };

struct MainLabelLayout {
    MainLabel id;
    const wchar_t* caption;
    const wchar_t* name;  // what a screen reader says for a button
    const wchar_t* tooltip;
    TwipsRect place;  // counters and the minimise and exit labels sit in a box
    FontKind font;
    bool button;  // the title is one only while the window is collapsed
};

const MainLabelLayout kLabels[] = {
    // The title reaches from the frame's corner to the collapse label: at
    // 735 twips from 360, "norq idle" in a fixed-pitch face wrapped its second
    // word out of sight.
    {kTitleLabel, L"norq idle", L"norq idle", nullptr, {240, 0, 960, 255}, FontKind::kTitle, true},
    {kCollapseLabel, L" <", L"collapse", L"hide/show", {1200, 0, 135, 255}, FontKind::kCollapse, true},
    {kOptsLabel, L"opts", L"options", L"extra optz", {240, 360, 375, 255}, FontKind::kPlain, true},
    {kDaysLabel, L"0", nullptr, L"days", {720 + 0, 360, 255, 255}, FontKind::kPlain, false},
    {kHoursLabel, L"0", nullptr, L"hrs", {720 + 360, 360, 255, 255}, FontKind::kPlain, false},
    {kMinutesLabel, L"0", nullptr, L"mins", {720 + 720, 360, 255, 255}, FontKind::kPlain, false},
    {kMinimizeLabel, L" -", L"minimize", L"Minimize.", {1920 + 0, 360, 135, 255}, FontKind::kBold, true},
    {kExitLabel, L"x", L"exit", L"exit.", {1920 + 240, 360, 135, 255}, FontKind::kBold, true},
};

struct FrameLine {
    int x1, y1, x2, y2;
    bool hiddenWhenCollapsed;
};

// Line1 to Line4 frame the window; Line5 and Line6 join the counters to the
// labels beside them.
const FrameLine kLines[] = {
    {120, 120, 120, 840, true},     // Line1
    {2520, 840, 120, 840, false},   // Line2
    {2520, 120, 2520, 840, false},  // Line3
    {120, 120, 2520, 120, true},    // Line4
    {600, 480, 720, 480, false},    // Line5
    {1920, 480, 1800, 480, false},  // Line6
};

int ScreenWidthTwips() { return (int)PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), ScreenDpiX()); }

}  // namespace

MainWindow::MainWindow(Settings& settings, std::function<void()> endProgram,
                       MenuActions elsewhere, Launcher& launcher)
    : settings_(settings),
      endProgram_(std::move(endProgram)),
      menu_(Actions(std::move(elsewhere)), launcher) {
    for (DialogKind kind : {DialogKind::kReason, DialogKind::kHandle, DialogKind::kLeftAscii,
                            DialogKind::kRightAscii, DialogKind::kAutoIdle})
        dialogs_[(int)kind] = std::make_unique<SettingsDialog>(kind, settings_, [this] {
            ShowOnTop(*this);
            CheckAutoIdle();  // the minutes may have changed
        });
}

MainWindow::~MainWindow() {
    if (tooltips_) DestroyWindow(tooltips_);
}

void MainWindow::Open() {
    if (!loaded_) {
        loaded_ = true;
        Load();
    }
    // On a first start the handle dialog stands on top, and takes the typing:
    // the one window the program activates of its own accord.
    SettingsDialog& handle = dialog(DialogKind::kHandle);
    if (IsWindowVisible(handle.hwnd())) {
        // Shown straight below the dialog: a plain show would first raise it
        // above the dialog for a moment.
        FormOnTop(handle);
        SetWindowPos(Handle(), handle.hwnd(), 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        SetForegroundWindow(handle.hwnd());
    } else {
        ShowOnTop(*this);
    }
}

MenuActions MainWindow::Actions(MenuActions a) {
    a.about = [this] { ShowAbout(Handle()); };
    a.advertise = [this] { Advertise(settings_, *this); };
    // Auto idle may have started or ended idling while the menu was up.
    a.idleOn = [this] { if (!idling_) IdleOn(); };
    a.idleOff = [this] { if (idling_) IdleOff(); };
    a.leftAscii = [this] { OpenDialog(DialogKind::kLeftAscii); };
    a.rightAscii = [this] { OpenDialog(DialogKind::kRightAscii); };
    a.reason = [this] { OpenDialog(DialogKind::kReason); };
    a.user = [this] { OpenDialog(DialogKind::kHandle); };
    a.autoIdle = [this] { OpenDialog(DialogKind::kAutoIdle); };
    a.minimize = [this] { Minimize(); };
    a.unload = [this] { Exit(ExitKind::kMenu); };
    return a;
}

// The dialog shows before the main window hides, so the keyboard stays with
// the program.
void MainWindow::OpenDialog(DialogKind kind) {
    dialog(kind).Open();
    ShowWindow(Handle(), SW_HIDE);
}

// The start-up: settings in, the two announcement lines out.
void MainWindow::Load() {
    FormOnTop(*this);
    LoadSettings(settings_);
    // The dialogs are made now, filled from what was just loaded.
    for (auto& d : dialogs_) d->Handle();
    if (settings_.handle.empty()) dialog(DialogKind::kHandle).OpenUntilConfirmed();
    KillTimer(hwnd(), kIdleTimer);  // idling is off at start
    HostSequencer().Add(HostOperation()
                            .Then([this] { SendChat(LoadLine(settings_)); })
                            .PauseToSecond(0)
                            .Then([this] { SendChat(UserLine(settings_)); }));
    CheckAutoIdle();
}

void MainWindow::Minimize() { ShowWindow(Handle(), SW_MINIMIZE); }

// The exit ends whatever operation is under way after its step; a second
// exit asked for in its pause is no exit of its own.
void MainWindow::Exit(ExitKind kind) {
    HostSequencer().Add(HostOperation(HostOp::kExit)
                            .Then([this, kind] {
                                SaveSettingsOnExit(settings_, kind);
                                SendChat(UnloadLine(settings_));
                            })
                            .PauseToSecond(0)
                            .Then([this, kind] {
                                SendChat(FarewellLine(settings_));
                                if (kind == ExitKind::kWindow)
                                    SlideOffScreen(Handle(), kExitSlideStep);
                                endProgram_();
                            }));
}

void MainWindow::IdleOn() {
    // The first tick comes a full minute later: nothing for this minute.
    SetTimer(Handle(), kIdleTimer, kIdleTickMs, nullptr);
    ShowIdleState(true, false);
    QueueChat([this] { return StartLine(settings_); });
}

void MainWindow::IdleOff() {
    ShowIdleState(false, false);
    KillTimer(Handle(), kIdleTimer);
    HostSequencer().Add(HostOperation()
                            .Then([this] { SendChat(StopLine(settings_)); })
                            .PauseToSecond(0)
                            .Then([this] { SendChat(TotalLine(settings_, count())); }));
}

// Looks at the system's last-input time: no hook, and no look more often
// than the decision asks for.
void MainWindow::CheckAutoIdle() {
    AutoIdleState state;
    state.minutes = AutoIdleMinutes(settings_.autoIdle);
    state.idling = idling_;
    state.byItself = autoStarted_;
    state.lastInput = input_->LastInput();
    state.now = input_->Now();  // after the input: never older than it
    state.inputAtStart = inputAtStart_;
    const AutoIdleDecision decision = DecideAutoIdle(state);
    if (decision.nextCheckMs) SetTimer(hwnd(), kAutoIdleTimer, decision.nextCheckMs, nullptr);
    else KillTimer(hwnd(), kAutoIdleTimer);
    if (decision.step == AutoIdleStep::kStart) {
        IdleOn();
        ShowIdleState(true, true);
        // Whatever the start itself stirred is not the user coming back.
        inputAtStart_ = input_->LastInput();
    } else if (decision.step == AutoIdleStep::kStop) {
        IdleOff();
    }
}

// Whether idling runs and how it started, kept and shown in the counters'
// tooltips.
void MainWindow::ShowIdleState(bool idling, bool byItself) {
    idling_ = idling;
    autoStarted_ = byItself;
    const wchar_t* state = !idling_       ? L" - not idling"
                           : autoStarted_ ? L" - idling, started by itself"
                                          : L" - idling";
    for (const MainLabelLayout& label : kLabels)
        if (label.id == kDaysLabel || label.id == kHoursLabel || label.id == kMinutesLabel)
            SetTooltip(tooltips_, GetDlgItem(hwnd(), label.id),
                       (std::wstring(label.tooltip) + state).c_str());
}

// What else sends to the host in the tick's pause (idling stopped, a menu
// choice) waits until the tick's lines are out. A tick that waited behind
// "idler off" posts nothing.
void MainWindow::Tick() {
    // One search of the host's documents serves the test and all three
    // readers: beside a crowded host each search is a question per document.
    auto search = std::make_shared<TransferSearch>();
    HostSequencer().Add(
        HostOperation()
            .ThenIf([this] {
                if (!idling_) return false;
                FormOnTop(*this);
                IdleCount now = count();
                now.AddMinute();
                ShowCount(now);
                SendChat(StatusLine(settings_, now), ChatKind::kTickStatus);
                return true;
            })
            .PauseToSecond(0)
            .Then([this] { SendChat(ReasonLine(settings_), ChatKind::kTickDetail); })
            .Until([search] { return search->Continue(kSearchPartMs); }, kSearchBoundMs, 0)
            .Then([this, search] {
                if (HostWindowHandle transfer = search->found())
                    SendChat(TransferLine(settings_, TransferFileName(transfer),
                                          TransferPercent(transfer), TransferMinutesLeft(transfer)),
                             ChatKind::kTickDetail);
            }));
}

// Never reset: the counters add up every idle minute of the run.
IdleCount MainWindow::count() const {
    IdleCount c;
    c.days = (int)GetDlgItemInt(hwnd(), kDaysLabel, nullptr, FALSE);
    c.hours = (int)GetDlgItemInt(hwnd(), kHoursLabel, nullptr, FALSE);
    c.minutes = (int)GetDlgItemInt(hwnd(), kMinutesLabel, nullptr, FALSE);
    return c;
}

void MainWindow::ShowCount(const IdleCount& c) {
    SetDlgItemInt(hwnd(), kDaysLabel, c.days, FALSE);
    SetDlgItemInt(hwnd(), kHoursLabel, c.hours, FALSE);
    SetDlgItemInt(hwnd(), kMinutesLabel, c.minutes, FALSE);
}

void MainWindow::ToggleCollapse() {
    FormOnTop(*this);
    collapsed_ = !collapsed_;
    SetDrawnText(GetDlgItem(hwnd(), kCollapseLabel), collapsed_ ? L" >" : L" <");
    SetSpokenText(GetDlgItem(hwnd(), kCollapseLabel), collapsed_ ? L"expand" : L"collapse");
    // Collapsed, the title opens the menu and the labels below are out of sight.
    SetActing(GetDlgItem(hwnd(), kTitleLabel), collapsed_);
    for (MainLabel below : {kOptsLabel, kMinimizeLabel, kExitLabel})
        SetActing(GetDlgItem(hwnd(), below), !collapsed_);
    RECT now;
    GetWindowRect(hwnd(), &now);
    SetWindowPos(hwnd(), nullptr, TwipsX(kCollapseLeft), now.top,
                 TwipsX(collapsed_ ? kCollapsedWidth : kExpandedWidth),
                 TwipsY(collapsed_ ? kCollapsedHeight : kExpandedHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

// From the keyboard the menu opens under the label that opens it.
void MainWindow::PopupMenu(bool fromKeyboard) {
    RECT label;
    GetWindowRect(GetDlgItem(hwnd(), collapsed_ ? kTitleLabel : kOptsLabel), &label);
    POINT at = {label.left, label.bottom};
    if (!fromKeyboard) GetCursorPos(&at);
    menu_.Popup(hwnd(), idling_, at);
}

void MainWindow::OnCommand(int id) {
    switch (id) {
    case kOptsLabel:
        FormOnTop(*this);
        PopupMenu(false);
        break;
    case kTitleLabel:
        if (collapsed_) PopupMenu(false);
        break;
    case kCollapseLabel:
        ToggleCollapse();
        break;
    case kMinimizeLabel:
        FormOnTop(*this);
        Minimize();
        break;
    case kExitLabel:
        Exit(ExitKind::kWindow);
        break;
    }
}

void MainWindow::Create() {
    plainFont_ = std::make_unique<Font>(L"MS Sans Serif", 8);
    boldFont_ = std::make_unique<Font>(L"MS Sans Serif", 8, true);
    titleFont_ = std::make_unique<Font>(L"Courier New", 8);
    collapseFont_ = std::make_unique<Font>(L"Arial", 8);
    const std::wstring caption = Widen("norq idle - v" + VersionMark() + " - by vonk");
    if (!CreateCentred(kClassName, WS_EX_APPWINDOW, kBorderlessStyle, caption.c_str(),
                       kDesignWidth, kDesignHeight))
        return;

    tooltips_ = CreateTooltips();
    for (const MainLabelLayout& label : kLabels) {
        HFONT font = label.font == FontKind::kBold    ? boldFont_->get()
                     : label.font == FontKind::kTitle ? titleFont_->get()
                     : label.font == FontKind::kCollapse ? collapseFont_->get()
                                                        : plainFont_->get();
        HWND control = CreateLabel(hwnd(), label.id, label.caption, label.place.Pixels(), font);
        if (label.button)
            MakeLabelButton(control, label.id == kTitleLabel
                                         ? LabelFlags::kButton | LabelFlags::kNotActing
                                         : LabelFlags::kButton,
                            label.name);
        if (label.tooltip) AddTooltip(tooltips_, control, label.tooltip);
    }
    AddStyle(GetDlgItem(hwnd(), kTitleLabel), SS_LEFTNOWORDWRAP);
    ShowIdleState(idling_, autoStarted_);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == STN_CLICKED) OnCommand(LOWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kIdleTimer) Tick();
        if (wParam == kAutoIdleTimer) CheckAutoIdle();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        Paint(BeginPaint(hwnd(), &ps));
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_CONTEXTMENU:
        // Shift+F10 or the menu key; a right click opens nothing, as before.
        if (lParam != -1) break;
        if (!collapsed_) FormOnTop(*this);
        PopupMenu(true);
        return 0;
    case WM_CLOSE:
        // Closed from the taskbar or by the system: leave as the "x" does, so
        // the settings are saved and the room hears the farewell.
        Exit(ExitKind::kWindow);
        return 0;
    }
    if (dragger_.Handle(hwnd(), message, lParam)) return 0;
    return Window::HandleMessage(message, wParam, lParam);
}

void MainWindow::Paint(HDC dc) {
    HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_PEN));
    for (const FrameLine& line : kLines) {
        if (collapsed_ && line.hiddenWhenCollapsed) continue;
        MoveToEx(dc, TwipsX(line.x1), TwipsY(line.y1), nullptr);
        LineTo(dc, TwipsX(line.x2), TwipsY(line.y2));
    }
    SelectObject(dc, old);
}

void SlideOffScreen(HWND window, int step) {
    const int screen = ScreenWidthTwips();
    for (;;) {
        RECT before;
        GetWindowRect(window, &before);
        float left = (float)PixelsToTwips(before.left, ScreenDpiX());
        SetWindowPos(window, nullptr, TwipsX(left + step), before.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT after;
        GetWindowRect(window, &after);
        // A window that does not move (gone, or held by the system) would
        // keep the slide going for ever.
        if (after.left <= before.left) return;
        if (PixelsToTwips(after.left, ScreenDpiX()) > screen) return;
    }
}

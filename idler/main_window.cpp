#include "idler/main_window.h"

#include "settings/about.h"
#include "ui/controls.h"
#include "ui/form_on_top.h"
#include "ui/label_button.h"
#include "ui/text.h"
#include "ui/tooltips.h"
#include "ui/twips.h"

namespace {

constexpr wchar_t kClassName[] = L"norq idle main";
constexpr int kDesignWidth = 2670, kDesignHeight = 960;

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

// Four lines frame the window, the left and top ones out of sight while it
// is collapsed; two join the counters to "opts" and to " -" beside them.
const FrameLine kLines[] = {
    {120, 120, 120, 840, true},     // left
    {2520, 840, 120, 840, false},   // bottom
    {2520, 120, 2520, 840, false},  // right
    {120, 120, 2520, 120, true},    // top
    {600, 480, 720, 480, false},    // "opts" to the days
    {1920, 480, 1800, 480, false},  // the minutes to " -"
};

int ScreenWidthTwips() { return (int)PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), ScreenDpiX()); }

}  // namespace

MainWindow::MainWindow(std::function<void(POINT at)> openMenu, std::function<void()> exit)
    : openMenu_(std::move(openMenu)), exit_(std::move(exit)) {}

MainWindow::~MainWindow() {
    if (tooltips_) DestroyWindow(tooltips_);
}

void MainWindow::Minimize() { ShowWindow(Handle(), SW_MINIMIZE); }

void MainWindow::ShowIdle(const IdleCount& count, bool idling, bool byItself) {
    SetDlgItemInt(Handle(), kDaysLabel, count.days, FALSE);
    SetDlgItemInt(hwnd(), kHoursLabel, count.hours, FALSE);
    SetDlgItemInt(hwnd(), kMinutesLabel, count.minutes, FALSE);
    const wchar_t* state = !idling   ? L" - not idling"
                           : byItself ? L" - idling, started by itself"
                                      : L" - idling";
    for (const MainLabelLayout& label : kLabels)
        if (label.id == kDaysLabel || label.id == kHoursLabel || label.id == kMinutesLabel)
            SetTooltip(tooltips_, GetDlgItem(hwnd(), label.id),
                       (std::wstring(label.tooltip) + state).c_str());
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
    openMenu_(at);
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
        exit_();
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
    ShowIdle({}, false, false);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == STN_CLICKED) OnCommand(LOWORD(wParam));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        Paint(BeginPaint(hwnd(), &ps));
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_CONTEXTMENU:
        // Shift+F10 or the menu key; a right click opens nothing.
        if (lParam != -1) break;
        if (!collapsed_) FormOnTop(*this);
        PopupMenu(true);
        return 0;
    case WM_CLOSE:
        // Closed from the taskbar or by the system: leave as the "x" does, so
        // the settings are saved and the room hears the farewell.
        exit_();
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

#include "idler/about_window.h"

#include "host/sequencer.h"
#include "settings/about.h"
#include "ui/form_on_top.h"
#include "ui/text.h"
#include "ui/twips.h"

namespace {

constexpr wchar_t kClassName[] = L"norq idle about";
constexpr int kClientWidth = 4140, kClientHeight = 3270;
constexpr int kPauseToSecond = 4;

// The icon and the three texts, each of which closes the window when clicked.
constexpr TwipsRect kIcon = {240, 2520, 480, 480};
constexpr TwipsRect kTitle = {120, 120, 3855, 3015};
constexpr TwipsRect kVersion = {1200, 1320, 1815, 495};
constexpr TwipsRect kMaker = {840, 2640, 2415, 255};
constexpr const TwipsRect* kClickable[] = {&kIcon, &kTitle, &kVersion, &kMaker};

// Which of them a point of the window is over, or ButtonPress::kNone.
int ClickableAt(LPARAM lParam) {
    const POINT at = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    for (int i = 0; i < (int)(sizeof kClickable / sizeof *kClickable); ++i) {
        const RECT r = kClickable[i]->Pixels();
        if (PtInRect(&r, at)) return i;
    }
    return ButtonPress::kNone;
}

}  // namespace

AboutWindow::AboutWindow(std::function<void()> openMain) : openMain_(std::move(openMain)) {}

// The start-up is an operation of the host's queue, so the main window's
// lines go out after its pause, from the program's message loop.
void AboutWindow::Run() {
    HostSequencer().Add(HostOperation(HostOp::kStartUp)
                            .Then([this] { ShowOnTop(*this); })
                            .PauseToSecond(kPauseToSecond)
                            .Then([this] { Finish(); }));
}

// Reached by a click during the pause, which it ends, or when the pause ends;
// only the first has an effect, so a window hidden since is not shown again.
void AboutWindow::Finish() {
    if (finished_) return;
    finished_ = true;
    HostSequencer().Cancel(HostOp::kStartUp);
    ShowWindow(hwnd(), SW_HIDE);
    openMain_();
}

void AboutWindow::Create() {
    titleFont_ = std::make_unique<Font>(L"Arial", 50);
    versionFont_ = std::make_unique<Font>(L"Kristen ITC", 16, true);
    makerFont_ = std::make_unique<Font>(L"Fixedsys", 9, true);
    CreateCentred(kClassName, WS_EX_TOOLWINDOW, WS_POPUP, L"norq idle", kClientWidth,
                  kClientHeight);
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        Paint(BeginPaint(hwnd(), &ps));
        EndPaint(hwnd(), &ps);
        return 0;
    }
    // The labels act on a click, as buttons do.
    case WM_LBUTTONDOWN:
        click_.Press(hwnd(), ClickableAt(lParam));
        return 0;
    case WM_LBUTTONUP:
        if (click_.Release(ClickableAt(lParam))) Finish();
        return 0;
    case WM_CAPTURECHANGED:
        click_.Lost();
        return 0;
    case WM_SETCURSOR: {
        POINT at;
        GetCursorPos(&at);
        ScreenToClient(hwnd(), &at);
        const bool over = ClickableAt(MAKELPARAM(at.x, at.y)) != ButtonPress::kNone;
        if (LOWORD(lParam) != HTCLIENT || !over) break;
        SetCursor(HandCursor());
        return TRUE;
    }
    case WM_CLOSE:
        Finish();
        return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

void AboutWindow::Paint(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    RECT icon = kIcon.Pixels();
    DrawIconEx(dc, icon.left, icon.top, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)),
               icon.right - icon.left, icon.bottom - icon.top, 0, nullptr, DI_NORMAL);

    struct Text {
        const TwipsRect& place;
        std::wstring text;
        HFONT font;
    } texts[] = {
        {kTitle, L"  norq idle", titleFont_->get()},
        {kVersion, Widen("version " + VersionMark()), versionFont_->get()},
        {kMaker, L"created by: vonk", makerFont_->get()},
    };
    for (const Text& t : texts) {
        RECT r = t.place.Pixels();
        SelectObject(dc, t.font);
        DrawTextW(dc, t.text.c_str(), -1, &r, DT_WORDBREAK | DT_NOPREFIX);
    }
}

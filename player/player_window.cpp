#include "player/player_window.h"

#include "host/chat.h"
#include "player/glyphs.h"
#include "ui/controls.h"
#include "ui/form_on_top.h"
#include "ui/text.h"
#include "ui/twips.h"

namespace {

constexpr wchar_t kClassName[] = L"norq idle player";
constexpr wchar_t kCaption[] = L"norq idler v\u00B9 - mp3 player - by vonk";
constexpr wchar_t kTitle[] = L" norq idler v\u00B9 - mp3 player - by vonk";
// A file that does not play is told in the title strip this long, where the
// user looks anyway, rather than in a box that would wait for a click.
constexpr UINT_PTR kNoticeTimer = 1;
constexpr UINT kNoticeMs = 4000;
constexpr wchar_t kCannotPlay[] = L" cannot play: ";
constexpr int kClientWidth = 3375, kClientHeight = 1560;
constexpr TwipsRect kFilesPlace = {120, 360, 3135, 720};
constexpr COLORREF kCloseColour = RGB(255, 0, 0);

const LabelLayout kLabels[] = {
    {kPlayerTitle, kTitle, {0, 0, 2295, 255}, LabelFlags::kPlain},
    {kPlayerMinimize, L" -", {2880, 0, 135, 255}, LabelFlags::kButton, L"minimize"},
    {kPlayerClose, L"x", {3120, 0, 135, 255}, LabelFlags::kButton, L"hide"},
    {kPlayerHide, L"  hide", {240, 1200, 495, 255}, LabelFlags::kButton | LabelFlags::kBordered},
};

enum class GlyphSize { kNormal, kStop, kFolder };  // Webdings 9, 6 and 9.75 pt

struct ButtonLayout {
    PlayerControl id;
    const wchar_t* spoken;  // the glyph's characters would read as digits
    Glyph glyph;
    const wchar_t* webdings;  // the caption in the Webdings font
    GlyphSize size;
    TwipsRect place;
    LabelFlags flags = LabelFlags::kButton;
};

// A quick double-click on previous or next steps twice.
constexpr LabelFlags kStepper = LabelFlags::kButton | LabelFlags::kSteps;

const ButtonLayout kButtons[] = {
    {kPlayerPlay, L"play", Glyph::kPlay, L"4", GlyphSize::kNormal, {840, 1200, 375, 255}},
    {kPlayerPause, L"pause", Glyph::kPause, L";", GlyphSize::kNormal, {1200, 1200, 375, 255}},
    {kPlayerStop, L"stop", Glyph::kStop, L"g", GlyphSize::kStop, {1560, 1200, 375, 255}},
    {kPlayerPrevious, L"previous", Glyph::kPrevious, L"9", GlyphSize::kNormal, {1920, 1200, 375, 255}, kStepper},
    {kPlayerNext, L"next", Glyph::kNext, L":", GlyphSize::kNormal, {2280, 1200, 375, 255}, kStepper},
    {kPlayerFolder, L"choose folder", Glyph::kFolder, L" 2", GlyphSize::kFolder, {2640, 1200, 375, 255}},
};

}  // namespace

PlayerWindow::PlayerWindow(Settings& settings, Media& media, std::function<void()> close,
                           std::function<void()> pickFolder)
    // Playing goes on at once; its line waits for another operation's steps.
    : commands_(
          media, files_, settings,
          [](const std::string& line) { QueueChat([line] { return line; }); },
          [this](const std::string& name, const std::string& why) { TellNotPlaying(name, why); }),
      close_(std::move(close)),
      pickFolder_(std::move(pickFolder)) {}

void PlayerWindow::ShowFolder(const std::string& folder) {
    Handle();
    files_.Show(folder);
}

// A name too long for the strip gives way, not the reason.
void PlayerWindow::TellNotPlaying(const std::string& name, const std::string& why) {
    HWND title = GetDlgItem(hwnd(), kPlayerTitle);
    SetWindowTextW(title,
                   FitInLabel(title, kCannotPlay, Widen(name), L" (" + Widen(why) + L")").c_str());
    SetTimer(hwnd(), kNoticeTimer, kNoticeMs, nullptr);
}

void PlayerWindow::OnCommand(int id) {
    switch (id) {
    case kPlayerPlay: commands_.Play(); break;
    case kPlayerPause: commands_.PauseOrResume(); break;
    case kPlayerStop: commands_.Stop(); break;
    case kPlayerPrevious: commands_.Previous(); break;
    case kPlayerNext: commands_.Next(); break;
    case kPlayerFolder: pickFolder_(); break;
    case kPlayerClose:
    case kPlayerHide:
        // Playback goes on; shown again, the window is on top. The main
        // window shows before this one hides, so the keyboard stays with the
        // program.
        close_();
        ShowWindow(hwnd(), SW_HIDE);
        FormOnTop(*this);
        break;
    case kPlayerMinimize: ShowWindow(hwnd(), SW_MINIMIZE); break;
    }
}

// Only a double-click on an entry plays, not one on the list's empty part;
// Enter plays the entry chosen.
void PlayerWindow::OnDoubleClick() {
    HWND box = GetDlgItem(hwnd(), kPlayerFiles);
    if (GetKeyState(VK_RETURN) >= 0) {
        const DWORD at = GetMessagePos();
        POINT point = {(short)LOWORD(at), (short)HIWORD(at)};
        ScreenToClient(box, &point);
        const LRESULT hit = SendMessageW(box, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
        if (HIWORD(hit) || (int)LOWORD(hit) != files_.selected()) return;
    }
    commands_.DoubleClick();
}

// Each glyph from the face where it has it, else drawn.
void PlayerWindow::DrawButton(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_HIGHLIGHT));
    for (const ButtonLayout& button : kButtons) {
        if (button.id != (int)item.CtlID) continue;
        HGDIOBJ old = nullptr;
        if (glyphFont_) {
            const Font& font = button.size == GlyphSize::kStop     ? *stopFont_
                               : button.size == GlyphSize::kFolder ? *folderFont_
                                                                   : *glyphFont_;
            old = SelectObject(item.hDC, font.get());
        }
        if (old && FontHasGlyphs(item.hDC, button.webdings)) {
            SetTextColor(item.hDC, GetSysColor(COLOR_HIGHLIGHTTEXT));
            SetBkMode(item.hDC, TRANSPARENT);
            RECT box = item.rcItem;
            DrawTextW(item.hDC, button.webdings, -1, &box,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        } else {
            DrawGlyph(item.hDC, item.rcItem, button.glyph, GetSysColor(COLOR_HIGHLIGHTTEXT),
                      GetSysColor(COLOR_HIGHLIGHT));
        }
        if (old) SelectObject(item.hDC, old);
    }
}

// Text in the highlight-text colour on the highlight colour; "x" in red;
// "hide" the other way round.
LRESULT PlayerWindow::Colour(HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    const int text = id == kPlayerHide ? COLOR_HIGHLIGHT : COLOR_HIGHLIGHTTEXT;
    const int back = id == kPlayerHide ? COLOR_HIGHLIGHTTEXT : COLOR_HIGHLIGHT;
    SetTextColor(dc, id == kPlayerClose ? kCloseColour : GetSysColor(text));
    SetBkColor(dc, GetSysColor(back));
    return (LRESULT)GetSysColorBrush(back);
}

void PlayerWindow::Create() {
    font_ = std::make_unique<Font>(L"Arial", 8);
    if (HaveFont(L"Webdings")) {
        glyphFont_ = std::make_unique<Font>(L"Webdings", 9);
        stopFont_ = std::make_unique<Font>(L"Webdings", 6);
        folderFont_ = std::make_unique<Font>(L"Webdings", 10);
    }
    if (!CreateCentred(kClassName, WS_EX_APPWINDOW, kBorderlessStyle, kCaption, kClientWidth,
                       kClientHeight))
        return;
    CreateLabels(hwnd(), kLabels, font_->get());
    HWND title = GetDlgItem(hwnd(), kPlayerTitle);
    titleFont_ = FitTitle(title, GetDlgItem(hwnd(), kPlayerMinimize), L"Arial", 8);
    // What does not fit the title's one line is cut at the label's edge, not
    // wrapped onto a line nobody sees.
    AddStyle(title, SS_LEFTNOWORDWRAP);
    // Owner-drawn: DrawButton draws the glyph, the button only speaks.
    for (const ButtonLayout& button : kButtons)
        MakeLabelButton(CreateChild(hwnd(), button.id, L"STATIC", L"", SS_OWNERDRAW | SS_NOTIFY,
                                    0, button.place.Pixels(), nullptr),
                        button.flags, button.spoken);
    HWND box = CreateChild(hwnd(), kPlayerFiles, L"LISTBOX", L"",
                           WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                           WS_EX_CLIENTEDGE, kFilesPlace.Pixels(), font_->get());
    TabAfter(box, GetDlgItem(hwnd(), kPlayerClose));
    files_.Attach(box);
    files_.Show(Narrow(CurrentFolder()));
}

LRESULT PlayerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kPlayerFiles) {
            if (HIWORD(wParam) == LBN_DBLCLK) OnDoubleClick();
        } else if (HIWORD(wParam) == STN_CLICKED) {
            OnCommand(LOWORD(wParam));
        }
        return 0;
    case WM_DRAWITEM:
        DrawButton(*(const DRAWITEMSTRUCT*)lParam);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return Colour((HDC)wParam, (HWND)lParam);
    case WM_ERASEBKGND:
        PaintSurface(hwnd(), (HDC)wParam, GetDlgItem(hwnd(), kPlayerTitle));
        return 1;
    case WM_TIMER:
        if (wParam != kNoticeTimer) break;
        KillTimer(hwnd(), kNoticeTimer);
        SetWindowTextW(GetDlgItem(hwnd(), kPlayerTitle), kTitle);
        return 0;
    case WM_CLOSE:
        // From the taskbar: as the "x" does; Esc too.
        OnCommand(kPlayerClose);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) OnCommand(kPlayerClose);
        return 0;
    }
    if (dragger_.Handle(hwnd(), message, lParam)) return 0;
    return Window::HandleMessage(message, wParam, lParam);
}

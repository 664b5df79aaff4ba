#include "ui/label.h"

#include <commctrl.h>

#include <string>

#include "ui/twips.h"
#include "ui/window.h"

namespace {

struct FaceLook {
    const wchar_t* face;
    BYTE pitchAndFamily;
};

// The faces the windows ask for; any other gets the mapper's default.
const FaceLook kFaces[] = {
    {L"Courier New", FIXED_PITCH | FF_MODERN},
    {L"Fixedsys", FIXED_PITCH | FF_MODERN},
    {L"Arial", VARIABLE_PITCH | FF_SWISS},
    {L"MS Sans Serif", VARIABLE_PITCH | FF_SWISS},
    {L"Kristen ITC", VARIABLE_PITCH | FF_SCRIPT},
    {L"Webdings", DEFAULT_PITCH | FF_DECORATIVE},
};

BYTE PitchAndFamilyOf(const wchar_t* face) {
    for (const FaceLook& f : kFaces)
        if (lstrcmpiW(f.face, face) == 0) return f.pitchAndFamily;
    return DEFAULT_PITCH | FF_DONTCARE;
}

int PointsToPixels(int points) { return MulDiv(points, ScreenDpiY(), 72); }

// The face, its characters `height` pixels high.
HFONT CreateFace(const wchar_t* face, int height, bool bold) {
    return CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       PitchAndFamilyOf(face), face);
}

// What a label button keeps: the static control's own procedure, its press,
// whether it acts now, and the caption it draws (its window text is its name).
struct LabelButton {
    WNDPROC base;
    ButtonPress click;
    bool acts;
    bool steps;
    std::wstring shown;
};

LabelButton* ButtonOf(HWND label) {
    return reinterpret_cast<LabelButton*>(GetWindowLongPtrW(label, GWLP_USERDATA));
}

void Click(HWND label) {
    SendMessageW(GetParent(label), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label), STN_CLICKED),
                 (LPARAM)label);
}

// As the static control paints, but the caption kept apart from the name;
// an owner-drawn one is drawn by its parent. Then the focus, if it has it.
void Paint(HWND label, const LabelButton& self) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(label, &ps);
    RECT r;
    GetClientRect(label, &r);
    const DWORD style = GetWindowLongW(label, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_OWNERDRAW) {
        DRAWITEMSTRUCT item = {ODT_STATIC, (UINT)GetDlgCtrlID(label), 0, ODA_DRAWENTIRE, 0,
                               label, dc, r, 0};
        SendMessageW(GetParent(label), WM_DRAWITEM, item.CtlID, (LPARAM)&item);
    } else {
        FillRect(dc, &r, (HBRUSH)SendMessageW(GetParent(label), WM_CTLCOLORSTATIC, (WPARAM)dc,
                                              (LPARAM)label));
        const HFONT font = (HFONT)SendMessageW(label, WM_GETFONT, 0, 0);
        const HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
        const UINT align = (style & SS_TYPEMASK) == SS_CENTER ? DT_CENTER
                           : (style & SS_TYPEMASK) == SS_RIGHT ? DT_RIGHT
                                                               : DT_LEFT;
        const UINT wrap = (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP ? 0 : DT_WORDBREAK;
        DrawTextW(dc, self.shown.c_str(), -1, &r,
                  align | wrap | DT_EXPANDTABS | (style & SS_NOPREFIX ? DT_NOPREFIX : 0));
        if (old) SelectObject(dc, old);
    }
    if (GetFocus() == label) DrawFocusRect(dc, &r);
    EndPaint(label, &ps);
}

LRESULT CALLBACK LabelButtonProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    LabelButton* self = ButtonOf(label);
    const WNDPROC base = self->base;
    switch (message) {
    // A quick second press comes as a double-click: one more step for a
    // step button, nothing for the rest, whose commands must act once.
    case WM_LBUTTONDBLCLK:
        if (!self->steps) return 0;
        [[fallthrough]];
    case WM_LBUTTONDOWN:
        self->click.Press(label, 0);
        return 0;
    case WM_LBUTTONUP: {
        RECT r;
        GetClientRect(label, &r);
        const POINT at = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
        if (self->click.Release(PtInRect(&r, at) ? 0 : ButtonPress::kNone)) Click(label);
        return 0;
    }
    case WM_CAPTURECHANGED:
        self->click.Lost();
        return 0;
    // A key held down acts once, as a press does.
    case WM_KEYDOWN:
        if (wParam != VK_SPACE && wParam != VK_RETURN) break;
        if (!(lParam & (1 << 30))) Click(label);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(label, nullptr, FALSE);
        break;
    case WM_PAINT:
        Paint(label, *self);
        return 0;
    case WM_SETCURSOR:
        if (!self->acts) break;
        SetCursor(HandCursor());
        return TRUE;
    case WM_NCDESTROY: {
        // The last message: the static control's own goes first.
        const LRESULT result = CallWindowProcW(base, label, message, wParam, lParam);
        SetWindowLongPtrW(label, GWLP_USERDATA, 0);
        delete self;
        return result;
    }
    }
    return CallWindowProcW(base, label, message, wParam, lParam);
}

std::wstring Trimmed(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return L"";
    return text.substr(first, text.find_last_not_of(L' ') + 1 - first);
}

}  // namespace

Font::Font(const wchar_t* face, int points, bool bold)
    : font_(CreateFace(face, PointsToPixels(points), bold)) {}

Font::~Font() { DeleteObject(font_); }

std::unique_ptr<Font> Font::Fitting(const wchar_t* face, int points, const wchar_t* text,
                                    int width) {
    const int smallest = PointsToPixels(6);
    HDC screen = GetDC(nullptr);
    std::unique_ptr<Font> font;
    for (int height = PointsToPixels(points);; --height) {
        font.reset(new Font(CreateFace(face, height, false)));
        const HGDIOBJ old = SelectObject(screen, font->get());
        SIZE size = {};
        GetTextExtentPoint32W(screen, text, lstrlenW(text), &size);
        SelectObject(screen, old);
        if (size.cx <= width || height <= smallest) break;
    }
    ReleaseDC(nullptr, screen);
    return font;
}

HWND CreateChild(HWND parent, int id, const wchar_t* className, const wchar_t* text, DWORD style,
                 DWORD exStyle, const RECT& frame, HFONT font) {
    HWND child = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style,
                                 frame.left, frame.top, frame.right - frame.left,
                                 frame.bottom - frame.top, parent, (HMENU)(INT_PTR)id,
                                 GetModuleHandleW(nullptr), nullptr);
    if (font) SendMessageW(child, WM_SETFONT, (WPARAM)font, FALSE);
    return child;
}

void CreateLabels(HWND parent, const LabelLayout* labels, size_t count, HFONT font) {
    for (const LabelLayout* label = labels; label < labels + count; ++label) {
        HWND made = (label->button ? CreateLabelButton : CreateLabel)(
            parent, label->id, label->caption, label->place.Pixels(), font);
        if (label->bordered) AddStyle(made, WS_BORDER);
        if (label->name) NameLabel(made, label->name);
    }
}

void AddStyle(HWND control, DWORD style) {
    SetWindowLongW(control, GWL_STYLE, GetWindowLongW(control, GWL_STYLE) | style);
    SetWindowPos(control, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void TabAfter(HWND control, HWND previous) {
    SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND CreateLabel(HWND parent, int id, const wchar_t* caption, const RECT& frame, HFONT font) {
    return CreateChild(parent, id, L"STATIC", caption, SS_NOTIFY | SS_NOPREFIX, 0, frame, font);
}

HWND CreateLabelButton(HWND parent, int id, const wchar_t* caption, const RECT& frame,
                       HFONT font) {
    HWND label = CreateLabel(parent, id, caption, frame, font);
    MakeLabelButton(label);
    return label;
}

void MakeLabelButton(HWND label, bool acts, bool steps) {
    const std::wstring caption = WindowText(label);
    auto* self = new LabelButton{nullptr, {}, acts, steps, caption};
    SetWindowLongPtrW(label, GWLP_USERDATA, (LONG_PTR)self);
    self->base = (WNDPROC)SetWindowLongPtrW(label, GWLP_WNDPROC, (LONG_PTR)LabelButtonProc);
    SetActing(label, acts);
    NameLabel(label, Trimmed(caption).c_str());
}

void SetActing(HWND label, bool acts) {
    if (LabelButton* self = ButtonOf(label)) self->acts = acts;
    const LONG style = GetWindowLongW(label, GWL_STYLE);
    SetWindowLongW(label, GWL_STYLE, acts ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

void NameLabel(HWND label, const wchar_t* name, const wchar_t* shown) {
    if (LabelButton* self = ButtonOf(label); self && shown) self->shown = shown;
    // The static control repaints on a new text.
    SetWindowTextW(label, name);
}

void ButtonPress::Press(HWND window, int target) {
    pressed_ = target;
    if (target != kNone) SetCapture(window);
}

bool ButtonPress::Release(int target) {
    const bool held = pressed_ != kNone, clicked = held && pressed_ == target;
    pressed_ = kNone;
    if (held) ReleaseCapture();
    return clicked;
}

HCURSOR HandCursor() { return LoadCursorW(nullptr, (LPCWSTR)IDC_HAND); }

HWND CreateTooltips() {
    return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

namespace {

TOOLINFOW ToolOf(HWND control, const wchar_t* text) {
    TOOLINFOW tool = {};
    // The size that every comctl32 version accepts.
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = (UINT_PTR)control;
    tool.lpszText = const_cast<wchar_t*>(text);
    return tool;
}

}  // namespace

void AddTooltip(HWND tooltips, HWND control, const wchar_t* text) {
    TOOLINFOW tool = ToolOf(control, text);
    SendMessageW(tooltips, TTM_ADDTOOLW, 0, (LPARAM)&tool);
}

void SetTooltip(HWND tooltips, HWND control, const wchar_t* text) {
    TOOLINFOW tool = ToolOf(control, text);
    SendMessageW(tooltips, TTM_UPDATETIPTEXTW, 0, (LPARAM)&tool);
}

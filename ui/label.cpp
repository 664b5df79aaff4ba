#include "ui/label.h"

#include <commctrl.h>

#include "ui/twips.h"

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

// What a label button keeps: the static control's own procedure, its press
// and whether the pointer over it is a hand.
struct LabelButton {
    WNDPROC base;
    ButtonPress click;
    bool hand;
    bool steps;
};

LRESULT CALLBACK LabelButtonProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<LabelButton*>(GetWindowLongPtrW(label, GWLP_USERDATA));
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
        if (self->click.Release(PtInRect(&r, at) ? 0 : ButtonPress::kNone))
            SendMessageW(GetParent(label), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(label), STN_CLICKED), (LPARAM)label);
        return 0;
    }
    case WM_CAPTURECHANGED:
        self->click.Lost();
        return 0;
    case WM_SETCURSOR:
        if (!self->hand) break;
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

}  // namespace

Font::Font(const wchar_t* face, int points, bool bold)
    : font_(CreateFontW(-MulDiv(points, ScreenDpiY(), 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL,
                        FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, PitchAndFamilyOf(face), face)) {}

Font::~Font() { DeleteObject(font_); }

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
    }
}

void AddStyle(HWND control, DWORD style) {
    SetWindowLongW(control, GWL_STYLE, GetWindowLongW(control, GWL_STYLE) | style);
    SetWindowPos(control, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
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

void MakeLabelButton(HWND label, bool hand, bool steps) {
    auto* self = new LabelButton{nullptr, {}, hand, steps};
    SetWindowLongPtrW(label, GWLP_USERDATA, (LONG_PTR)self);
    self->base = (WNDPROC)SetWindowLongPtrW(label, GWLP_WNDPROC, (LONG_PTR)LabelButtonProc);
}

void ShowHand(HWND label, bool hand) {
    if (auto* self = reinterpret_cast<LabelButton*>(GetWindowLongPtrW(label, GWLP_USERDATA)))
        self->hand = hand;
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

#include "ui/label_button.h"

#include <string>

#include "ui/window.h"

namespace {

// What a label button keeps: the static control's own procedure, its press,
// whether it acts now, and the text it draws (its window text is spoken).
struct LabelButton {
    WNDPROC base;
    ButtonPress click;
    bool acts;
    bool steps;
    std::wstring drawn;
};

LabelButton* ButtonOf(HWND label) {
    return reinterpret_cast<LabelButton*>(GetWindowLongPtrW(label, GWLP_USERDATA));
}

void Click(HWND label) {
    SendMessageW(GetParent(label), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label), STN_CLICKED),
                 (LPARAM)label);
}

// As the static control paints, but the drawn text kept apart from the
// spoken one; an owner-drawn one is drawn by its parent. Then the focus, if
// it has it.
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
        DrawTextW(dc, self.drawn.c_str(), -1, &r,
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
    // The window text is only spoken. The static control would paint it
    // straight onto the screen (Wine does), over the drawn text.
    case WM_SETTEXT:
        return DefWindowProcW(label, message, wParam, lParam);
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

void MakeLabelButton(HWND label, LabelFlags flags, const wchar_t* spoken) {
    const std::wstring caption = WindowText(label);
    const bool acts = !HasFlag(flags, LabelFlags::kNotActing);
    auto* self = new LabelButton{nullptr, {}, acts, HasFlag(flags, LabelFlags::kSteps), caption};
    SetWindowLongPtrW(label, GWLP_USERDATA, (LONG_PTR)self);
    self->base = (WNDPROC)SetWindowLongPtrW(label, GWLP_WNDPROC, (LONG_PTR)LabelButtonProc);
    SetActing(label, acts);
    SetSpokenText(label, spoken ? spoken : Trimmed(caption).c_str());
}

void SetActing(HWND button, bool acts) {
    if (LabelButton* self = ButtonOf(button)) self->acts = acts;
    const LONG style = GetWindowLongW(button, GWL_STYLE);
    SetWindowLongW(button, GWL_STYLE, acts ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

void SetSpokenText(HWND button, const wchar_t* spoken) { SetWindowTextW(button, spoken); }

void SetDrawnText(HWND button, const wchar_t* drawn) {
    LabelButton* self = ButtonOf(button);
    if (!self) return;
    self->drawn = drawn;
    InvalidateRect(button, nullptr, FALSE);
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

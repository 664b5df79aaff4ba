#include "ui/label.h"

#include <commctrl.h>

#include "ui/twips.h"

Font::Font(const wchar_t* face, int points, bool bold)
    : font_(CreateFontW(-MulDiv(points, ScreenDpiY(), 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL,
                        FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face)) {}

Font::~Font() { DeleteObject(font_); }

HWND CreateLabel(HWND parent, int id, const wchar_t* caption, const RECT& frame, HFONT font) {
    HWND label = CreateWindowExW(0, L"STATIC", caption,
                                 WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX, frame.left,
                                 frame.top, frame.right - frame.left, frame.bottom - frame.top,
                                 parent, (HMENU)(INT_PTR)id, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(label, WM_SETFONT, (WPARAM)font, FALSE);
    return label;
}

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

#include "ui/controls.h"

HWND CreateChild(HWND parent, int id, const wchar_t* className, const wchar_t* text, DWORD style,
                 DWORD exStyle, const RECT& frame, HFONT font) {
    HWND child = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style,
                                 frame.left, frame.top, frame.right - frame.left,
                                 frame.bottom - frame.top, parent, (HMENU)(INT_PTR)id,
                                 GetModuleHandleW(nullptr), nullptr);
    if (font) SendMessageW(child, WM_SETFONT, (WPARAM)font, FALSE);
    return child;
}

HWND CreateLabel(HWND parent, int id, const wchar_t* caption, const RECT& frame, HFONT font,
                 LabelFlags flags, const wchar_t* spoken) {
    HWND label =
        CreateChild(parent, id, L"STATIC", caption, SS_NOTIFY | SS_NOPREFIX, 0, frame, font);
    if (HasFlag(flags, LabelFlags::kButton)) MakeLabelButton(label, flags, spoken);
    if (HasFlag(flags, LabelFlags::kBordered)) AddStyle(label, WS_BORDER);
    return label;
}

void CreateLabels(HWND parent, const LabelLayout* labels, size_t count, HFONT font) {
    for (const LabelLayout* label = labels; label < labels + count; ++label)
        CreateLabel(parent, label->id, label->caption, label->place.Pixels(), font, label->flags,
                    label->spoken);
}

void AddStyle(HWND control, DWORD style) {
    SetWindowLongW(control, GWL_STYLE, GetWindowLongW(control, GWL_STYLE) | style);
    SetWindowPos(control, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void TabAfter(HWND control, HWND previous) {
    SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

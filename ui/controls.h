// Making a window's child controls and laying them out.
#pragma once

#include <windows.h>

#include <cstddef>

#include "ui/label_button.h"
#include "ui/twips.h"

// A child control of any class at frame, in font.
HWND CreateChild(HWND parent, int id, const wchar_t* className, const wchar_t* text, DWORD style,
                 DWORD exStyle, const RECT& frame, HFONT font);

// A label that draws caption. A plain one takes the mouse (for its tooltip,
// and so that a press on it moves no window) but is no button; with kButton
// it is a label button that speaks `spoken` or, where none is given, the
// caption without blanks around it.
HWND CreateLabel(HWND parent, int id, const wchar_t* caption, const RECT& frame, HFONT font,
                 LabelFlags flags = LabelFlags::kPlain, const wchar_t* spoken = nullptr);

// One label of a window's layout table.
struct LabelLayout {
    int id;
    const wchar_t* caption;  // what it draws
    TwipsRect place;
    LabelFlags flags;
    const wchar_t* spoken = nullptr;  // for a button whose caption is a symbol
};
// Makes every label of a table, in one font.
void CreateLabels(HWND parent, const LabelLayout* labels, size_t count, HFONT font);
template <size_t N>
void CreateLabels(HWND parent, const LabelLayout (&labels)[N], HFONT font) {
    CreateLabels(parent, labels, N, font);
}

// Adds to a control's style after it was made (a border, no word wrap).
void AddStyle(HWND control, DWORD style);
// Puts control right after previous in the order Tab goes: the reading order,
// where the control was made after those below it.
void TabAfter(HWND control, HWND previous);

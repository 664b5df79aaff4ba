// Labels, the program's buttons: static text that reports a click to its
// parent as WM_COMMAND with STN_CLICKED and its id. Plus fonts and tooltips.
#pragma once

#include <windows.h>

// Owns one GDI font.
class Font {
public:
    Font(const wchar_t* face, int points, bool bold = false);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    HFONT get() const { return font_; }

private:
    HFONT font_;
};

HWND CreateLabel(HWND parent, int id, const wchar_t* caption, const RECT& frame, HFONT font);

// A tooltip window for labels. It has no owner: a topmost window owned by
// ours would keep ours from being made topmost in its turn (seen on Wine).
HWND CreateTooltips();
void AddTooltip(HWND tooltips, HWND control, const wchar_t* text);
// Changes the text of a control's tooltip.
void SetTooltip(HWND tooltips, HWND control, const wchar_t* text);

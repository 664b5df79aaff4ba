// Labels, the program's buttons: static text that reports a click, or Space
// or Enter while it has the focus, to its parent as WM_COMMAND with
// STN_CLICKED and its id. Plus fonts and tooltips.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>

#include "ui/twips.h"

// Owns one GDI font. Every face is asked for with its pitch and family, so
// that where the face is missing the stand-in keeps its look (a fixed-pitch
// face for Courier New, not a proportional one).
class Font {
public:
    Font(const wchar_t* face, int points, bool bold = false);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    HFONT get() const { return font_; }

    // The face at `points`, or where text takes more than `width` pixels in
    // it on the screen (the system's stand-in for a face may be wider), the
    // largest size below that fits, down to 6 points.
    static std::unique_ptr<Font> Fitting(const wchar_t* face, int points, const wchar_t* text,
                                         int width);

private:
    explicit Font(HFONT font) : font_(font) {}

    HFONT font_;
};

// A child control of any class at frame, in font.
HWND CreateChild(HWND parent, int id, const wchar_t* className, const wchar_t* text, DWORD style,
                 DWORD exStyle, const RECT& frame, HFONT font);

// One label of a window's layout table.
struct LabelLayout {
    int id;
    const wchar_t* caption;
    TwipsRect place;
    bool button;  // acts on a click
    bool bordered = false;
    const wchar_t* name = nullptr;  // what a screen reader says, where the caption is a symbol
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

// A plain label. It takes the mouse (for its tooltip, and so that a press on
// it moves no window) but is no button.
HWND CreateLabel(HWND parent, int id, const wchar_t* caption, const RECT& frame, HFONT font);
// A label used as a button, with MakeLabelButton.
HWND CreateLabelButton(HWND parent, int id, const wchar_t* caption, const RECT& frame,
                       HFONT font);
// Makes a static control act as a button: STN_CLICKED goes to its parent once
// the left button is pressed and released over it; a press taken off it
// before the release does nothing. While it `acts` (SetActing changes that
// later) the pointer over it is a hand and Tab stops on it. A double-click is
// one click, or two where the button `steps` through something.
// It keeps drawing its caption, but its window text, which a screen reader
// speaks, is the caption without blanks around it (NameLabel changes that).
// The focus shows as a dotted frame.
void MakeLabelButton(HWND label, bool acts = true, bool steps = false);
void SetActing(HWND label, bool acts);
// Gives a label button the word a screen reader says for it, and a new
// caption to draw where `shown` is given.
void NameLabel(HWND label, const wchar_t* name, const wchar_t* shown = nullptr);

// A click as a button takes it, for targets that are not controls: the press
// and the release over the same target. The window holds the mouse from the
// press to the release.
class ButtonPress {
public:
    static constexpr int kNone = -1;
    void Press(HWND window, int target);
    // True when this release completes a click on the target pressed.
    bool Release(int target);
    void Lost() { pressed_ = kNone; }

private:
    int pressed_ = kNone;
};

HCURSOR HandCursor();

// A tooltip window for labels. It has no owner: a topmost window owned by
// ours would keep ours from being made topmost in its turn (seen on Wine).
HWND CreateTooltips();
void AddTooltip(HWND tooltips, HWND control, const wchar_t* text);
// Changes the text of a control's tooltip.
void SetTooltip(HWND tooltips, HWND control, const wchar_t* text);

// Labels used as buttons, the program's buttons: static text that reports a
// click, or Space or Enter while it has the focus, to its parent as
// WM_COMMAND with STN_CLICKED and its id.
//
// A label button has two texts. Its window text is what a screen reader
// speaks: a word for what it does ("minimize"). What it draws (" -") is kept
// apart, so SetWindowTextW changes only the spoken text; SetDrawnText
// changes what shows.
#pragma once

#include <windows.h>

// How a label is made (CreateLabel, LabelLayout) and how a button acts.
enum class LabelFlags : unsigned {
    kPlain = 0,
    kButton = 1u << 0,     // acts on a click
    kBordered = 1u << 1,   // framed by a thin line
    kSteps = 1u << 2,      // steps through something: a quick double-click is two clicks
    kNotActing = 1u << 3,  // a button that does not act until SetActing says so
};
constexpr LabelFlags operator|(LabelFlags a, LabelFlags b) {
    return LabelFlags((unsigned)a | (unsigned)b);
}
constexpr bool HasFlag(LabelFlags flags, LabelFlags flag) {
    return ((unsigned)flags & (unsigned)flag) != 0;
}

// Makes a static control act as a button: STN_CLICKED goes to its parent once
// the left button is pressed and released over it; a press taken off it
// before the release does nothing. While it acts the pointer over it is a
// hand and Tab stops on it. A double-click is one click, or two for kSteps.
// The focus shows as a dotted frame. It goes on drawing the text it had, and
// speaks `spoken` or, where none is given, that text without blanks around it.
void MakeLabelButton(HWND label, LabelFlags flags = LabelFlags::kButton,
                     const wchar_t* spoken = nullptr);
void SetActing(HWND button, bool acts);
// What a screen reader says for the button; what it draws stays.
void SetSpokenText(HWND button, const wchar_t* spoken);
// What the button draws; what a screen reader says stays.
void SetDrawnText(HWND button, const wchar_t* drawn);

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

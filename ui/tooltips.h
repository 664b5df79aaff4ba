// Tooltips for the labels of a window.
#pragma once

#include <windows.h>

// A tooltip window. It has no owner: a topmost window owned by ours would
// keep ours from being made topmost in its turn (seen on Wine).
HWND CreateTooltips();
void AddTooltip(HWND tooltips, HWND control, const wchar_t* text);
// Changes the text of a control's tooltip.
void SetTooltip(HWND tooltips, HWND control, const wchar_t* text);

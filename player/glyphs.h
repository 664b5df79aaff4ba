// Drawing for the player's windows. The glyph buttons: Webdings characters
// where the font has them, and the same pictures drawn here where it does not
// (Wine's Webdings has the play glyph alone), so a button never shows a bare
// letter or an empty box.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/font.h"

enum class Glyph { kPlay, kPause, kStop, kPrevious, kNext, kFolder };

bool HaveFont(const wchar_t* face);
// Whether the font selected into dc has a glyph of its own for each character
// of text; for those it lacks it would draw an empty box.
bool FontHasGlyphs(HDC dc, const wchar_t* text);
// Draws glyph centred in box, in colour, on what is there already.
void DrawGlyph(HDC dc, const RECT& box, Glyph glyph, COLORREF colour, COLORREF background);

// The bare surface of the player and the folder picker: the highlight
// colour, the title strip set off by a rule right under the title, as long
// as its label.
void PaintSurface(HWND window, HDC dc, HWND title);
// The title in one line, in whole: its label reaches to just before the next
// one in the strip (" -"), and its text is in face at points or, where the
// system's face is too wide for that, smaller. The caller keeps the font.
std::unique_ptr<Font> FitTitle(HWND title, HWND next, const wchar_t* face, int points);
// head, middle and tail in one line as wide as label, in its font: where they
// do not fit, middle gives way at its end to "...".
std::wstring FitInLabel(HWND label, const std::wstring& head, const std::wstring& middle,
                        const std::wstring& tail);

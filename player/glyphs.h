// Drawing for the player's windows. The glyph buttons: Webdings characters
// where the font has them, and the same pictures drawn here where it does not
// (Wine's Webdings has the play glyph alone), so a button never shows a bare
// letter or an empty box.
#pragma once

#include <windows.h>

enum class Glyph { kPlay, kPause, kStop, kPrevious, kNext, kFolder };

bool HaveFont(const wchar_t* face);
// Whether the font selected into dc has a glyph of its own for each character
// of text; for those it lacks it would draw an empty box.
bool FontHasGlyphs(HDC dc, const wchar_t* text);
// Draws glyph centred in box, in colour, on what is there already.
void DrawGlyph(HDC dc, const RECT& box, Glyph glyph, COLORREF colour, COLORREF background);

// The bare surface of the player and the folder picker: the highlight
// colour, the title strip (twips) set off by a line under it.
void PaintSurface(HWND window, HDC dc, const RECT& titleStrip);

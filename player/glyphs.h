// The player's glyph buttons: Webdings characters where the font exists,
// and the same pictures drawn here where it does not (as under Wine), so a
// button never shows a bare letter.
#pragma once

#include <windows.h>

enum class Glyph { kPlay, kPause, kStop, kPrevious, kNext, kFolder };

bool HaveFont(const wchar_t* face);
// Draws glyph centred in box, in colour, on what is there already.
void DrawGlyph(HDC dc, const RECT& box, Glyph glyph, COLORREF colour, COLORREF background);

#include "ui/font.h"

#include "ui/twips.h"

namespace {

struct FaceLook {
    const wchar_t* face;
    BYTE pitchAndFamily;
};

// The faces the windows ask for; any other gets the mapper's default.
const FaceLook kFaces[] = {
    {L"Courier New", FIXED_PITCH | FF_MODERN},
    {L"Fixedsys", FIXED_PITCH | FF_MODERN},
    {L"Arial", VARIABLE_PITCH | FF_SWISS},
    {L"MS Sans Serif", VARIABLE_PITCH | FF_SWISS},
    {L"Kristen ITC", VARIABLE_PITCH | FF_SCRIPT},
    {L"Webdings", DEFAULT_PITCH | FF_DECORATIVE},
};

BYTE PitchAndFamilyOf(const wchar_t* face) {
    for (const FaceLook& f : kFaces)
        if (lstrcmpiW(f.face, face) == 0) return f.pitchAndFamily;
    return DEFAULT_PITCH | FF_DONTCARE;
}

int PointsToPixels(int points) { return MulDiv(points, ScreenDpiY(), 72); }

// The face, its characters `height` pixels high.
HFONT CreateFace(const wchar_t* face, int height, bool bold) {
    return CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       PitchAndFamilyOf(face), face);
}

}  // namespace

Font::Font(const wchar_t* face, int points, bool bold)
    : font_(CreateFace(face, PointsToPixels(points), bold)) {}

Font::~Font() { DeleteObject(font_); }

std::unique_ptr<Font> Font::Fitting(const wchar_t* face, int points, const wchar_t* text,
                                    int width) {
    const int smallest = PointsToPixels(6);
    HDC screen = GetDC(nullptr);
    std::unique_ptr<Font> font;
    for (int height = PointsToPixels(points);; --height) {
        font.reset(new Font(CreateFace(face, height, false)));
        const HGDIOBJ old = SelectObject(screen, font->get());
        SIZE size = {};
        GetTextExtentPoint32W(screen, text, lstrlenW(text), &size);
        SelectObject(screen, old);
        if (size.cx <= width || height <= smallest) break;
    }
    ReleaseDC(nullptr, screen);
    return font;
}

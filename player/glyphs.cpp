#include "player/glyphs.h"

#include <vector>

#include "ui/twips.h"
#include "ui/window.h"

namespace {

// Each glyph is a few filled polygons on a grid of 9 by 9 pixels at 96 dpi;
// a cut is filled in the background colour, over what came before it.
struct Shape {
    bool cut;
    int points;
    POINT at[6];
};
struct Picture {
    Glyph glyph;
    int shapes;
    Shape shape[3];
};

const Picture kPictures[] = {
    {Glyph::kPlay, 1, {{false, 3, {{1, 0}, {7, 4}, {1, 8}}}}},
    {Glyph::kPause, 2, {{false, 4, {{1, 0}, {3, 0}, {3, 8}, {1, 8}}},
                        {false, 4, {{5, 0}, {7, 0}, {7, 8}, {5, 8}}}}},
    {Glyph::kStop, 1, {{false, 4, {{2, 2}, {6, 2}, {6, 6}, {2, 6}}}}},
    {Glyph::kPrevious, 3, {{false, 4, {{0, 0}, {1, 0}, {1, 8}, {0, 8}}},
                           {false, 3, {{5, 0}, {1, 4}, {5, 8}}},
                           {false, 3, {{8, 0}, {4, 4}, {8, 8}}}}},
    {Glyph::kNext, 3, {{false, 3, {{0, 0}, {4, 4}, {0, 8}}},
                       {false, 3, {{3, 0}, {7, 4}, {3, 8}}},
                       {false, 4, {{7, 0}, {8, 0}, {8, 8}, {7, 8}}}}},
    // A folder with its tab, the flap's edge cut across it.
    {Glyph::kFolder, 2, {{false, 6, {{0, 1}, {3, 1}, {4, 2}, {8, 2}, {8, 8}, {0, 8}}},
                         {true, 4, {{1, 4}, {8, 4}, {8, 4}, {1, 4}}}}},
};

// Where a control stands on its window.
RECT PlaceOf(HWND control) {
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), (POINT*)&r, 2);
    return r;
}

int CALLBACK FoundFont(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *(bool*)found = true;
    return 0;
}

}  // namespace

bool HaveFont(const wchar_t* face) {
    LOGFONTW font = {};
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &font, FoundFont, (LPARAM)&found, 0);
    ReleaseDC(nullptr, dc);
    return found;
}

bool FontHasGlyphs(HDC dc, const wchar_t* text) {
    const int length = lstrlenW(text);
    std::vector<WORD> indices(length);
    if (GetGlyphIndicesW(dc, text, length, indices.data(), GGI_MARK_NONEXISTING_GLYPHS) ==
        GDI_ERROR)
        return false;
    for (WORD index : indices)
        if (index == 0xFFFF) return false;
    return true;
}

void DrawGlyph(HDC dc, const RECT& box, Glyph glyph, COLORREF colour, COLORREF background) {
    const int unit = ScreenDpiY() >= 192 ? ScreenDpiY() / 96 : 1;
    const int left = (box.left + box.right) / 2 - 4 * unit;
    const int top = (box.top + box.bottom) / 2 - 4 * unit;
    for (const Picture& picture : kPictures) {
        if (picture.glyph != glyph) continue;
        for (int s = 0; s < picture.shapes; ++s) {
            const Shape& shape = picture.shape[s];
            const COLORREF fill = shape.cut ? background : colour;
            HBRUSH brush = CreateSolidBrush(fill);
            HPEN pen = CreatePen(PS_SOLID, 1, fill);
            HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
            POINT at[6];
            for (int i = 0; i < shape.points; ++i)
                at[i] = {left + shape.at[i].x * unit, top + shape.at[i].y * unit};
            Polygon(dc, at, shape.points);
            SelectObject(dc, oldBrush);
            SelectObject(dc, oldPen);
            DeleteObject(brush);
            DeleteObject(pen);
        }
    }
}

// Under the labels the rule would run into " -" and "x", and the title label
// would hide it.
void PaintSurface(HWND window, HDC dc, HWND title) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_HIGHLIGHT));
    const RECT label = PlaceOf(title);
    const RECT rule = {label.left, label.bottom, label.right, label.bottom + 1};
    FillRect(dc, &rule, GetSysColorBrush(COLOR_HIGHLIGHTTEXT));
}

std::unique_ptr<Font> FitTitle(HWND title, HWND next, const wchar_t* face, int points) {
    const RECT label = PlaceOf(title);
    // A gap before the next label, whose focus frame starts at its edge.
    const int width = PlaceOf(next).left - TwipsX(60) - label.left;
    SetWindowPos(title, nullptr, 0, 0, width, label.bottom - label.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    std::unique_ptr<Font> font = Font::Fitting(face, points, WindowText(title).c_str(), width);
    SendMessageW(title, WM_SETFONT, (WPARAM)font->get(), FALSE);
    return font;
}

std::wstring FitInLabel(HWND label, const std::wstring& head, const std::wstring& middle,
                        const std::wstring& tail) {
    RECT r = {};
    GetClientRect(label, &r);
    HDC dc = GetDC(label);
    const HGDIOBJ old = SelectObject(dc, (HGDIOBJ)SendMessageW(label, WM_GETFONT, 0, 0));
    const auto width = [dc](const std::wstring& text) {
        SIZE size = {};
        GetTextExtentPoint32W(dc, text.c_str(), (int)text.size(), &size);
        return (int)size.cx;
    };
    std::wstring fitted = head + middle + tail;
    if (width(fitted) > r.right) {
        const std::wstring cut = L"...";
        const int room = r.right - width(head + cut + tail);
        int fit = 0;
        SIZE size = {};
        if (room > 0)
            GetTextExtentExPointW(dc, middle.c_str(), (int)middle.size(), room, &fit, nullptr,
                                  &size);
        if (fit > 0 && IS_HIGH_SURROGATE(middle[fit - 1])) --fit;
        fitted = head + middle.substr(0, fit) + cut + tail;
    }
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    return fitted;
}

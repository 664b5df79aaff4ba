// Fonts for the program's windows.
#pragma once

#include <windows.h>

#include <memory>

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

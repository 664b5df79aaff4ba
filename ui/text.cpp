#include "ui/text.h"

#include <windows.h>

#include "ui/utf8.h"

namespace {

std::wstring ToWide(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), wide.data(), n);
    return wide;
}

// *lacked tells whether the code page lacked a character.
std::string FromWide(UINT codePage, std::wstring_view wide, BOOL* lacked = nullptr) {
    if (wide.empty()) return {};
    // The code page gets '?', not a look-alike.
    int n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), (int)wide.size(),
                                nullptr, 0, "?", lacked);
    std::string text(n, '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), (int)wide.size(),
                        text.data(), n, "?", nullptr);
    return text;
}

}  // namespace

// wchar_t is UTF-16 on Windows.
std::wstring Widen(std::string_view utf8) {
    const std::u16string wide = Utf8ToUtf16(utf8);
    return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(std::wstring_view wide) {
    return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

std::string ToAnsi(std::string_view utf8) { return FromWide(CP_ACP, Widen(utf8)); }
std::string FromAnsi(std::string_view ansi) { return Narrow(ToWide(CP_ACP, ansi)); }

bool FitsAnsi(std::string_view utf8) {
    BOOL lacked = FALSE;
    FromWide(CP_ACP, Widen(utf8), &lacked);
    return !lacked;
}

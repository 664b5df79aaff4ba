// point_at.exe: where a person would click to reach what they read on the
// screen, for the newcomer that scripts/session.sh plays with the real mouse.
//   point_at CAPTION NAME
// Prints "x y", the screen point at the middle of NAME in the visible
// top-level window captioned CAPTION: a control whose text is NAME (what a
// screen reader says for it), or an entry NAME of a list. Exit code 1, with a
// line saying which, when there is no such window or nothing so named in it.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

struct Search {
    const std::wstring& text;
    HWND found = nullptr;
    POINT at{};
};

// The window's middle on the screen, or the middle of the list entry searched.
BOOL CALLBACK Visit(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    if (!IsWindowVisible(window)) return TRUE;
    RECT r{};
    wchar_t kind[32] = {};
    GetClassNameW(window, kind, 32);
    if (lstrcmpiW(kind, L"ListBox") == 0) {
        DWORD_PTR index = LB_ERR;
        SendMessageTimeoutW(window, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)search.text.c_str(),
                            SMTO_ABORTIFHUNG, 2000, &index);
        if ((LRESULT)index == LB_ERR) return TRUE;
        DWORD_PTR ok = LB_ERR;
        SendMessageTimeoutW(window, LB_GETITEMRECT, index, (LPARAM)&r, SMTO_ABORTIFHUNG, 2000, &ok);
        if ((LRESULT)ok == LB_ERR) return TRUE;
        MapWindowPoints(window, nullptr, (POINT*)&r, 2);
    } else if (TextOf(window) == search.text) {
        GetWindowRect(window, &r);
    } else {
        return TRUE;
    }
    search.found = window;
    search.at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return FALSE;
}

// Every visible top-level window so captioned is looked in, as a person
// looks at each window of that name on the screen.
struct Caption {
    const std::wstring& text;
    Search& search;
    bool shown = false;
};

BOOL CALLBACK VisitTop(HWND window, LPARAM param) {
    auto& caption = *reinterpret_cast<Caption*>(param);
    if (!IsWindowVisible(window) || TextOf(window) != caption.text) return TRUE;
    caption.shown = true;
    EnumChildWindows(window, Visit, (LPARAM)&caption.search);
    return !caption.search.found;
}

}  // namespace

int main() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count != 3) {
        std::fprintf(stderr, "usage: point_at CAPTION NAME\n");
        return 2;
    }
    const std::wstring captionText = args[1], name = args[2];
    Search search{name};
    Caption caption{captionText, search};
    EnumWindows(VisitTop, (LPARAM)&caption);
    if (!caption.shown) {
        std::fprintf(stderr, "point_at: no window captioned \"%ls\" shows\n", args[1]);
        return 1;
    }
    if (!search.found) {
        std::fprintf(stderr, "point_at: \"%ls\" shows nothing named \"%ls\"\n", args[1], args[2]);
        return 1;
    }
    std::printf("%ld %ld\n", search.at.x, search.at.y);
    return 0;
}

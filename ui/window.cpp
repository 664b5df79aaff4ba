#include "ui/window.h"

#include "ui/twips.h"

Window::~Window() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool Window::CreateAs(const wchar_t* className, DWORD exStyle, DWORD style,
                      const wchar_t* caption, const RECT& frame, HWND parent) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, className, &wc)) {
        wc.lpfnWndProc = Proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        wc.lpszClassName = className;
        RegisterClassExW(&wc);
    }
    CreateWindowExW(exStyle, className, caption, style, frame.left, frame.top,
                    frame.right - frame.left, frame.bottom - frame.top, parent, nullptr, instance,
                    this);
    return hwnd_ != nullptr;
}

bool Window::CreateCentred(const wchar_t* className, DWORD exStyle, DWORD style,
                           const wchar_t* caption, int widthTwips, int heightTwips) {
    const int width = TwipsX(widthTwips), height = TwipsY(heightTwips);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    return CreateAs(className, exStyle, style, caption,
                    RECT{left, top, left + width, top + height});
}

// Activated, a window gives the focus to the control that had it when the
// window was left, or to its first one when it was shown afresh.
LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam) focus_ = nullptr;
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            focus_ = IsChild(hwnd_, GetFocus()) ? GetFocus() : nullptr;
        } else if (!HIWORD(wParam)) {
            HWND to = focus_ && IsChild(hwnd_, focus_) && IsWindowVisible(focus_)
                          ? focus_
                          : GetNextDlgTabItem(hwnd_, nullptr, FALSE);
            if (to && IsChild(hwnd_, to)) {
                SetFocus(to);
                return 0;
            }
        }
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, (LONG_PTR)self);
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

std::wstring WindowText(HWND window) {
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, text.data(), (int)text.size()));
    return text;
}

bool HandleWindowKeys(const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (!root || (WNDPROC)GetClassLongPtrW(root, GCLP_WNDPROC) != Window::Proc) return false;
    HWND focus = GetFocus();
    // Enter on a list is a double-click on its chosen entry.
    wchar_t className[16] = {};
    if (msg.wParam == VK_RETURN && focus && GetClassNameW(focus, className, 16) &&
        lstrcmpiW(className, L"LISTBOX") == 0 && (GetWindowLongW(focus, GWL_STYLE) & LBS_NOTIFY)) {
        SendMessageW(GetParent(focus), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(focus), LBN_DBLCLK), (LPARAM)focus);
        return true;
    }
    if (msg.wParam != VK_TAB && msg.wParam != VK_ESCAPE) return false;
    // A list that is dropped down takes Esc to close; an edit field of many
    // lines would take Tab.
    const LRESULT wants =
        focus ? SendMessageW(focus, WM_GETDLGCODE, msg.wParam, (LPARAM)&msg) : 0;
    if (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | (msg.wParam == VK_TAB ? DLGC_WANTTAB : 0)))
        return false;
    if (msg.wParam == VK_ESCAPE) {
        SendMessageW(root, WM_KEYDOWN, msg.wParam, msg.lParam);
        return true;
    }
    // From the window's own control that holds the focus (a drop-down's edit
    // field is inside one).
    HWND from = focus;
    while (from && from != root && GetParent(from) != root) from = GetParent(from);
    if (from == root) from = nullptr;
    if (HWND next = GetNextDlgTabItem(root, from, GetKeyState(VK_SHIFT) < 0)) SetFocus(next);
    return true;
}

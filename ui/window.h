// The base of every window of the program: the object rides in the window's
// user data from WM_NCCREATE to WM_NCDESTROY, and each message goes to the
// derived class's HandleMessage.
#pragma once

#include <windows.h>

#include <string>

// The program's windows that come and go from the taskbar: no border and no
// title bar; the system menu and minimise box only give the taskbar button
// its restore.
constexpr DWORD kBorderlessStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;

// The text of one of the program's own windows or controls, all of it.
std::wstring WindowText(HWND window);

// The keys that move about the program's windows, taken before a message is
// dispatched: Tab and Shift+Tab move the focus between a window's controls,
// Esc goes to the window itself as WM_KEYDOWN where the focused control does
// not want it, and Enter on a list is a double-click on its chosen entry.
// Every loop that handles the program's messages asks this first; true when
// it took the message.
bool HandleWindowKeys(const MSG& msg);

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }
    // The window, created on first use: windows are made when first needed and
    // afterwards only hidden and shown.
    HWND Handle() {
        if (!hwnd_) Create();
        return hwnd_;
    }

protected:
    virtual void Create() {}
    // Registers className on first use, then creates the window.
    bool CreateAs(const wchar_t* className, DWORD exStyle, DWORD style, const wchar_t* caption,
                  const RECT& frame, HWND parent = nullptr);
    // A window of messages only, for timers and reports: never shown, never
    // listed; its caption is its class's name.
    bool CreateMessageOnly(const wchar_t* className) {
        return CreateAs(className, 0, 0, className, RECT{}, HWND_MESSAGE);
    }
    // The same, width x height twips in the middle of the screen.
    bool CreateCentred(const wchar_t* className, DWORD exStyle, DWORD style,
                       const wchar_t* caption, int widthTwips, int heightTwips);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend bool HandleWindowKeys(const MSG& msg);
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
    HWND focus_ = nullptr;  // the control that had the focus when the window was left
};

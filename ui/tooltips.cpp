#include "ui/tooltips.h"

#include <commctrl.h>

namespace {

TOOLINFOW ToolOf(HWND control, const wchar_t* text) {
    TOOLINFOW tool = {};
    // The size that every comctl32 version accepts.
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = (UINT_PTR)control;
    tool.lpszText = const_cast<wchar_t*>(text);
    return tool;
}

}  // namespace

HWND CreateTooltips() {
    return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

void AddTooltip(HWND tooltips, HWND control, const wchar_t* text) {
    TOOLINFOW tool = ToolOf(control, text);
    SendMessageW(tooltips, TTM_ADDTOOLW, 0, (LPARAM)&tool);
}

void SetTooltip(HWND tooltips, HWND control, const wchar_t* text) {
    TOOLINFOW tool = ToolOf(control, text);
    SendMessageW(tooltips, TTM_UPDATETIPTEXTW, 0, (LPARAM)&tool);
}

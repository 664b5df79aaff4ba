// hostsim's windows: how each of the host's classes looks and answers.
#include <algorithm>

#include "hostsim/markup.h"
#include "hostsim/state.h"

namespace hostsim {

namespace {

constexpr int kToolbarHeight = 36;
constexpr int kRoomSendIcon = 6;
constexpr int kImSendIcon = 10;

WNDPROC g_editProc = nullptr;  // the system's edit control, under the keyword box

enum ToolbarIcon { kMailMenu = 1, kNewMail = 2, kChatMenu = 4, kInstantMessage = 5 };

struct MenuEntry {
    UINT id;
    const char* caption;  // "&" marks the letter that picks it
    const char* name;     // as the record has it
    const char* window;   // the document the pick opens
    bool inReadMail;      // in the "Read Mail" submenu of the mail menu
};

const std::vector<MenuEntry> kMailEntries = {
    {11, "&Old Mail", "old mail", "Old Mail", true},
    {12, "&Sent Mail", "sent mail", "Sent Mail", true},
    {13, "&Flash Mail", "flash mail", "Flash Mail", false},
};

const std::vector<MenuEntry> kChatEntries = {
    {41, "Chat &Now", "chat now", "Chat Now", false},
    {42, "&Find a Chat", "find a chat", "Find a Chat", false},
    {43, "People &Connection", "people connection", "People Connection", false},
    {44, "&Start Your Own Chat", "start your own chat", "Start Your Own Chat", false},
};

void PaintText(HWND window, bool framed, bool centred) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT r;
    GetClientRect(window, &r);
    if (framed) {
        FrameRect(dc, &r, (HBRUSH)GetStockObject(GRAY_BRUSH));
        InflateRect(&r, -3, -2);
    }
    char text[1024];
    int n;
    {
        SelfScope self;
        n = GetWindowTextA(window, text, sizeof text);
    }
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(dc, text, n, &r,
              DT_NOPREFIX | (centred ? DT_CENTER | DT_VCENTER | DT_SINGLELINE : DT_WORDBREAK));
    EndPaint(window, &ps);
}

void PaintTranscript(HWND window, const Document& room) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT r;
    GetClientRect(window, &r);
    FillRect(dc, &r, (HBRUSH)GetStockObject(WHITE_BRUSH));
    FrameRect(dc, &r, (HBRUSH)GetStockObject(GRAY_BRUSH));
    SetBkMode(dc, TRANSPARENT);
    HFONT gui = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    LOGFONTW lf;
    GetObjectW(gui, sizeof lf, &lf);
    TEXTMETRICW tm;
    SelectObject(dc, gui);
    GetTextMetricsW(dc, &tm);
    const int lineHeight = tm.tmHeight + 2;
    const int visible = (r.bottom - 8) / lineHeight;
    size_t first = room.lines.size() > (size_t)visible ? room.lines.size() - visible : 0;
    int y = 4;
    for (size_t i = first; i < room.lines.size(); ++i, y += lineHeight) {
        int x = 6;
        std::vector<Run> runs = ParseMarkup(room.lines[i]);
        Run name;
        name.text = std::string(kScreenName) + ": ";
        name.bold = true;
        runs.insert(runs.begin(), name);
        for (const Run& run : runs) {
            LOGFONTW look = lf;
            look.lfWeight = run.bold ? FW_BOLD : FW_NORMAL;
            look.lfItalic = run.italic;
            look.lfUnderline = run.underline || !run.link.empty();
            HFONT font = CreateFontIndirectW(&look);
            SelectObject(dc, font);
            unsigned color = run.link.empty() ? run.color : 0x0000EE;
            SetTextColor(dc, RGB(color >> 16, (color >> 8) & 0xFF, color & 0xFF));
            // The line's bytes are in the code page; draw them as the host would.
            wchar_t wide[1024];
            int n = MultiByteToWideChar(CP_ACP, 0, run.text.data(), (int)run.text.size(), wide,
                                        1024);
            SIZE size;
            GetTextExtentPoint32W(dc, wide, n, &size);
            TextOutW(dc, x, y, wide, n);
            x += size.cx;
            SelectObject(dc, gui);
            DeleteObject(font);
        }
    }
    EndPaint(window, &ps);
}

// A toolbar icon's menu, shown as the host shows it; the letters the program
// types pick from it.
void ShowToolbarMenu(HWND icon, int number) {
    Host::State* s = g_state;
    const bool mail = number == kMailMenu;
    HMENU menu = CreatePopupMenu();
    if (mail) {
        HMENU readMail = CreatePopupMenu();
        for (const MenuEntry& e : kMailEntries)
            if (e.inReadMail) AppendMenuA(readMail, MF_STRING, e.id, e.caption);
        AppendMenuA(menu, MF_POPUP, (UINT_PTR)readMail, "&Read Mail");
    }
    for (const MenuEntry& e : mail ? kMailEntries : kChatEntries)
        if (!e.inReadMail) AppendMenuA(menu, MF_STRING, e.id, e.caption);
    RECT r;
    GetWindowRect(icon, &r);
    UINT picked;
    {
        OutsideScope outside;
        picked = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN, r.left,
                                r.bottom, 0, s->toolbar, nullptr);
    }
    DestroyMenu(menu);
    for (const MenuEntry& e : mail ? kMailEntries : kChatEntries)
        if (e.id == picked) {
            s->Note("toolbar", kMenuPick, e.name);
            s->OpenDocument(e.window, {"_AOL_Static"});
        }
}

// A dialog template in memory: the header, then each item on a DWORD bound.
class DialogTemplate {
public:
    DialogTemplate(const wchar_t* caption, short cx, short cy, WORD items) {
        Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER);
        Dword(0);
        words_.push_back(items);
        for (short v : {short(0), short(0), cx, cy}) words_.push_back((WORD)v);
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the dialog class
        Text(caption);
    }
    void Item(WORD kind, WORD id, DWORD style, short x, short y, short cx, short cy,
              const wchar_t* text) {
        if (words_.size() % 2) words_.push_back(0);
        Dword(WS_CHILD | WS_VISIBLE | style);
        Dword(0);
        for (short v : {x, y, cx, cy}) words_.push_back((WORD)v);
        words_.push_back(id);
        words_.push_back(0xFFFF);
        words_.push_back(kind);
        Text(text);
        words_.push_back(0);  // no creation data
    }
    const DLGTEMPLATE* get() const { return (const DLGTEMPLATE*)words_.data(); }

private:
    void Dword(DWORD v) {
        words_.push_back(LOWORD(v));
        words_.push_back(HIWORD(v));
    }
    void Text(const wchar_t* text) {
        for (; *text; ++text) words_.push_back(*text);
        words_.push_back(0);
    }
    std::vector<WORD> words_;
};

constexpr WORD kButton = 0x0080, kStatic = 0x0082;
constexpr UINT_PTR kCloseTimer = 1;

// The host's boxes take their button pressed twice: the box closes a moment
// after the second press, as the host tells its server first, or a while
// after a lone one; every press that reaches it before then is seen.
constexpr UINT kLonePressMs = 500;
// A box shown late is modeless (lParam set): the modal loop would show it.
constexpr char kModeless[] = "hostsim modeless";
constexpr char kPressed[] = "hostsim pressed";

INT_PTR CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        if (lParam) SetPropA(box, kModeless, (HANDLE)1);
        return TRUE;
    case WM_COMMAND:
        if (!GetWindowLongPtrA(box, DWLP_USER)) {
            SetWindowLongPtrA(box, DWLP_USER, LOWORD(wParam));
            SetTimer(box, kCloseTimer, std::max<UINT>(kLonePressMs, g_state->delayMs), nullptr);
        } else if (!GetPropA(box, kPressed)) {
            SetPropA(box, kPressed, (HANDLE)1);
            SetTimer(box, kCloseTimer, g_state->delayMs, nullptr);
        }
        return TRUE;
    case WM_TIMER:
        KillTimer(box, kCloseTimer);
        RemovePropA(box, kPressed);
        if (RemovePropA(box, kModeless)) DestroyWindow(box);
        else EndDialog(box, GetWindowLongPtrA(box, DWLP_USER));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void Host::State::ShowBox(bool withOk, int lateMs) {
    DialogTemplate box(L"America Online", 190, 52, withOk ? 2 : 3);
    box.Item(kStatic, 0xFFFF, SS_LEFT, 8, 8, 174, 10, L"The room you requested is full.");
    if (withOk) {
        box.Item(kButton, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 70, 30, 50, 14, L"OK");
    } else {
        box.Item(kButton, IDYES, BS_DEFPUSHBUTTON | WS_TABSTOP, 40, 30, 50, 14, L"&Yes");
        box.Item(kButton, IDNO, BS_PUSHBUTTON | WS_TABSTOP, 100, 30, 50, 14, L"&No");
    }
    if (lateMs > 0) {
        HWND made = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), box.get(), nullptr,
                                               BoxProc, 1);
        Later([made] { ShowWindow(made, SW_SHOW); }, lateMs);
        return;
    }
    OutsideScope outside;
    DialogBoxIndirectParamA(GetModuleHandleA(nullptr), box.get(), nullptr, BoxProc, 0);
}

void Host::State::IconFired(HWND icon) {
    SelfScope self;
    HWND parent = GetParent(icon);
    const int number = GetDlgCtrlID(icon);
    if (parent == toolbar) {
        switch (number) {
        case kMailMenu:
        case kChatMenu:
            Later([icon, number] { ShowToolbarMenu(icon, number); });
            break;
        case kNewMail:
            Answer([this] { OpenDocument("New Mail", {"_AOL_Static"}); });
            break;
        case kInstantMessage:
            Answer([this] { OpenInstantMessage(); });
            break;
        }
        return;
    }
    auto document = documents.find(parent);
    if (document == documents.end()) return;
    if (document->second.entry && number == kRoomSendIcon) PostLine(parent);
    if (document->second.name == kImCaption && number == kImSendIcon) SendInstantMessage(parent);
}

void Host::State::CreateToolbar() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterClassOnce("AOL Toolbar", DefWindowProcA, (HBRUSH)(COLOR_BTNFACE + 1));
    RegisterClassOnce("_AOL_Toolbar", DefWindowProcA, (HBRUSH)(COLOR_BTNFACE + 1));
    RegisterClassOnce("_aol_combobox", DefWindowProcA, (HBRUSH)(COLOR_WINDOW + 1));
    HWND outer = CreateWindowExA(0, "AOL Toolbar", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 900,
                                 kToolbarHeight, frame, nullptr, instance, nullptr);
    toolbar = CreateWindowExA(0, "_AOL_Toolbar", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 900,
                              kToolbarHeight, outer, nullptr, instance, nullptr);
    roles[toolbar] = "toolbar";
    HWND box = CreateWindowExA(0, "_aol_combobox", nullptr, WS_CHILD | WS_VISIBLE, 356, 6, 300,
                               24, toolbar, nullptr, instance, nullptr);
    keyword = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                              0, 0, 300, 24, box, nullptr, instance, nullptr);
    SendMessageA(keyword, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
    g_editProc = (WNDPROC)SetWindowLongPtrA(keyword, GWLP_WNDPROC, (LONG_PTR)RecordingEditProc);
    roles[keyword] = "keyword.edit";
    const char* const captions[] = {"Mail", "Read", "Write", "People", "IM"};
    for (int i = 0; i < 5; ++i)
        AddChild(toolbar, kIconClass, captions[i], RECT{6 + 68 * i, 6, 68 + 68 * i, 30}, i + 1);
    RECT client;
    GetClientRect(frame, &client);
    SendMessageA(frame, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Host::State* s = g_state;
    switch (message) {
    case WM_CREATE: {
        CLIENTCREATESTRUCT ccs = {nullptr, 1000};
        s->mdi = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                 WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 0, 0, window,
                                 nullptr, GetModuleHandleA(nullptr), &ccs);
        return 0;
    }
    case WM_SIZE:
        if (s->toolbar) {
            MoveWindow(GetParent(s->toolbar), 0, 0, LOWORD(lParam), kToolbarHeight, TRUE);
            MoveWindow(s->toolbar, 0, 0, LOWORD(lParam), kToolbarHeight, TRUE);
        }
        MoveWindow(s->mdi, 0, kToolbarHeight, LOWORD(lParam), HIWORD(lParam) - kToolbarHeight,
                   TRUE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefFrameProcA(window, s->mdi, message, wParam, lParam);
}

LRESULT CALLBACK DocumentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Host::State* s = g_state;
    s->Record(window, message, wParam, lParam);
    if (message == WM_DESTROY) {
        s->documents.erase(window);
        s->roles.erase(window);
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}

// A chat room's entry box, and the instant-message window's text: they keep
// the exact bytes they were given.
LRESULT CALLBACK EntryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Host::State* s = g_state;
    s->Record(window, message, wParam, lParam);
    switch (message) {
    case WM_SETTEXT: {
        s->entryText[window] = lParam ? (const char*)lParam : "";
        HWND room = GetParent(window);
        if (!s->self && !s->closeOnText.empty() && s->documents[room].name == s->closeOnText) {
            s->closeOnText.clear();
            SelfScope self;
            SendMessageA(s->mdi, WM_MDIDESTROY, (WPARAM)room, 0);
            return TRUE;
        }
        InvalidateRect(window, nullptr, TRUE);
        break;
    }
    case WM_PAINT:
        PaintText(window, true, false);
        return 0;
    case WM_DESTROY:
        s->entryText.erase(window);
        s->roles.erase(window);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// An icon fires on a click (button down, then up) and on a released space bar.
LRESULT CALLBACK IconProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Host::State* s = g_state;
    s->Record(window, message, wParam, lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
        s->pressed[window] = true;
        return 0;
    case WM_LBUTTONUP:
        if (s->pressed[window]) {
            s->pressed[window] = false;
            s->IconFired(window);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE) s->IconFired(window);
        return 0;
    case WM_PAINT:
        PaintText(window, true, true);
        return 0;
    case WM_DESTROY:
        s->pressed.erase(window);
        s->roles.erase(window);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Statics, list boxes, the recipient field and every other child: their text
// shown, their messages recorded.
LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Host::State* s = g_state;
    s->Record(window, message, wParam, lParam);
    switch (message) {
    case WM_SETTEXT:
        InvalidateRect(window, nullptr, TRUE);
        break;
    case WM_PAINT:
        PaintText(window, false, false);
        return 0;
    case WM_DESTROY:
        s->roles.erase(window);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The keyword box's field: a real edit control that goes to its text on a
// typed carriage return.
LRESULT CALLBACK RecordingEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Host::State* s = g_state;
    s->Record(window, message, wParam, lParam);
    if (message == WM_CHAR && wParam == '\r') {
        SelfScope self;
        char typed[1024] = {};
        GetWindowTextA(window, typed, sizeof typed);
        s->GoToKeyword(typed);
        return 0;
    }
    if (message == WM_DESTROY) s->roles.erase(window);
    return CallWindowProcA(g_editProc, window, message, wParam, lParam);
}

LRESULT CALLBACK TranscriptProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PaintTranscript(window, g_state->documents[GetParent(window)]);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Host::State* s = g_state;
    switch (message) {
    case WM_APP: {
        SelfScope self;
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }
    case WM_APP + 1:  // hang: a host that stops answering for a while
        Sleep((DWORD)wParam);
        return 0;
    case WM_APP + 2:  // refusal boxes, one after the other
        for (WPARAM i = 0; i < wParam; ++i) s->ShowBox(true);
        return 0;
    case WM_TIMER: {
        KillTimer(window, wParam);
        auto it = s->later.find(wParam);
        if (it == s->later.end()) return 0;
        std::function<void()> action = std::move(it->second);
        s->later.erase(it);
        SelfScope self;
        action();
        return 0;
    }
    case WM_COPYDATA: {
        auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData != kCommandTag) return FALSE;
        SelfScope self;
        return s->Execute(std::string((const char*)data->lpData, data->cbData));
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK MessageHook(int code, WPARAM wParam, LPARAM lParam) {
    Host::State* s = g_state;
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && !s->self &&
        (msg->message == WM_CHAR || msg->message == WM_KEYDOWN)) {
        char className[16] = {};
        GetClassNameA(msg->hwnd, className, sizeof className);
        if (std::string(className) == "#32768")
            s->Note(Record{"menu", msg->message, msg->wParam, msg->lParam, {}});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A button of the host's boxes ("box.ok"): the system's own, with no role.
bool IsBoxButton(HWND window) {
    char className[16] = {}, caption[32] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(GetParent(window), caption, sizeof caption);
    return std::string(className) == "Button" && std::string(caption) == kBoxCaption;
}

// Presses on the "OK" of the host's boxes.
LRESULT CALLBACK SentMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    Host::State* s = g_state;
    auto* sent = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && !s->self &&
        (sent->message == WM_KEYDOWN || sent->message == WM_KEYUP) && IsBoxButton(sent->hwnd))
        s->Note(Record{"box.ok", sent->message, sent->wParam, sent->lParam, {}});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A host that stops at a chosen moment: the message is answered first, so
// the program goes on to the next one, which then finds the host silent.
LRESULT CALLBACK AnsweredMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    Host::State* s = g_state;
    auto* answered = reinterpret_cast<CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && !s->self && !s->hangAfter.empty()) {
        auto role = s->roles.find(answered->hwnd);
        const std::string name = role != s->roles.end() ? role->second
                                 : IsBoxButton(answered->hwnd) ? "box.ok" : "";
        const Host::State::HangAfter& h = s->hangAfter.front();
        if (name == h.role && answered->message == h.message) {
            const int ms = h.ms;
            s->hangAfter.erase(s->hangAfter.begin());
            ReplyMessage(answered->lResult);
            if (ms >= 0) Sleep((DWORD)ms);
            else SuspendThread(GetCurrentThread());
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void RegisterClassOnce(const char* name, WNDPROC proc, HBRUSH background, bool icon) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoExA(instance, name, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = icon ? LoadIconA(nullptr, (LPCSTR)IDI_APPLICATION) : nullptr;
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

WNDPROC ProcForClass(const std::string& className) {
    if (className == "RICHCNTL") return EntryProc;
    if (className == kIconClass) return IconProc;
    return PlainProc;
}

}  // namespace hostsim

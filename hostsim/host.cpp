#include <condition_variable>
#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "hostsim/hostsim.h"
#include "hostsim/markup.h"

namespace hostsim {

namespace {

constexpr UINT kRunMessage = WM_APP + 1;
constexpr int kSendIcon = 6;

constexpr char kFrameClass[] = "AOL Frame25";
constexpr char kDocumentClass[] = "AOL Child";
constexpr char kTranscriptClass[] = "hostsim transcript";
constexpr char kFrameCaption[] = "America Online";
constexpr char kScreenName[] = "Guest";

const char* const kRoomIconCaptions[] = {"Notify", "Ignore", "Info", "Font", "Style", "Send"};

// Short names of the host's child classes in roles: "Lobby.rich1".
std::string ShortName(const std::string& className) {
    static const std::map<std::string, std::string> names = {
        {"RICHCNTL", "rich"},    {"_AOL_Listbox", "list"}, {"_AOL_Static", "static"},
        {"_AOL_Icon", "icon"},   {"_AOL_Edit", "edit"},
    };
    auto it = names.find(className);
    if (it != names.end()) return it->second;
    std::string lower = className;
    CharLowerBuffA(lower.data(), (DWORD)lower.size());
    return lower;
}

bool IsRecorded(UINT message) {
    switch (message) {
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_CLOSE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_SHOWWINDOW:
        return true;
    }
    return false;
}

std::string MessageName(UINT message) {
    switch (message) {
    case WM_SETTEXT: return "WM_SETTEXT";
    case WM_GETTEXT: return "WM_GETTEXT";
    case WM_GETTEXTLENGTH: return "WM_GETTEXTLENGTH";
    case WM_CLOSE: return "WM_CLOSE";
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_KEYUP: return "WM_KEYUP";
    case WM_CHAR: return "WM_CHAR";
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_SHOWWINDOW: return "WM_SHOWWINDOW";
    case kChatLine: return "CHAT";
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%04X", message);
    return hex;
}

std::string Quote(const std::string& bytes) {
    std::string out = "\"";
    for (unsigned char c : bytes) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += (char)c;
        } else if (c >= 0x20 && c < 0x7F) {
            out += (char)c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out + "\"";
}

struct Document {
    std::string name;
    HWND entry = nullptr;       // chat rooms only
    HWND transcript = nullptr;  // chat rooms only
    std::vector<std::string> lines;
};

}  // namespace

struct Host::State {
    std::thread thread;
    HWND frame = nullptr, mdi = nullptr, control = nullptr;
    std::mutex readyMutex;
    std::condition_variable readyChanged;
    bool ready = false;

    // Read by other threads.
    mutable std::mutex mutex;
    std::vector<Record> log;
    std::map<std::string, std::vector<std::string>> chat;
    FILE* chatLog = nullptr;

    // The host thread's own.
    int self = 0;  // above 0 while hostsim changes its own windows
    std::map<HWND, std::string> roles;
    std::map<HWND, Document> documents;
    std::map<HWND, std::string> entryText;  // the exact bytes in each entry box
    std::map<HWND, bool> pressed;           // icons with the mouse button down
    std::string closeOnText;                // a room to close when its entry gets text
    int cascade = 0;

    void Run(const std::function<void()>& action);
    void Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND FindDocument(const std::string& name) const;
    HWND CreateDocument(const std::string& caption);
    HWND AddChild(HWND document, const std::string& className, const char* caption,
                  const RECT& place, int id);
    void OpenRoom(const std::string& name);
    void OpenDocument(const std::string& caption, const std::vector<std::string>& children);
    void PostLine(HWND room);
    void ThreadMain();
};

bool ExecuteOnHostThread(const std::string& command);

namespace {

Host::State* g_state = nullptr;

// Changes that hostsim makes to its own windows are not the program's input.
struct SelfScope {
    SelfScope() { ++g_state->self; }
    ~SelfScope() { --g_state->self; }
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
    int n = GetWindowTextA(window, text, sizeof text);
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
        name.text = std::string(kScreenName) + ":";
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
            x += size.cx + (&run == &runs[0] ? 4 : 0);
            SelectObject(dc, gui);
            DeleteObject(font);
        }
    }
    EndPaint(window, &ps);
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
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefFrameProcA(window, s->mdi, message, wParam, lParam);
}

LRESULT CALLBACK DocumentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Host::State* s = g_state;
    s->Record(window, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kSendIcon && s->documents[window].entry) s->PostLine(window);
        return 0;
    case WM_DESTROY:
        s->documents.erase(window);
        s->roles.erase(window);
        break;
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK EntryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Host::State* s = g_state;
    s->Record(window, message, wParam, lParam);
    switch (message) {
    case WM_SETTEXT: {
        s->entryText[window] = lParam ? (const char*)lParam : "";
        HWND room = GetParent(window);
        if (!s->closeOnText.empty() && s->documents[room].name == s->closeOnText) {
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

// An icon fires on a click (button down, then up) and on a released space
// bar, telling its document which icon it is.
LRESULT CALLBACK IconProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Host::State* s = g_state;
    s->Record(window, message, wParam, lParam);
    auto fire = [window] {
        SendMessageA(GetParent(window), WM_COMMAND, GetDlgCtrlID(window), (LPARAM)window);
    };
    switch (message) {
    case WM_LBUTTONDOWN:
        s->pressed[window] = true;
        return 0;
    case WM_LBUTTONUP:
        if (s->pressed[window]) {
            s->pressed[window] = false;
            fire();
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE) fire();
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

// Statics, list boxes and every other child: text shown, messages recorded.
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

LRESULT CALLBACK TranscriptProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PaintTranscript(window, g_state->documents[GetParent(window)]);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kRunMessage: {
        SelfScope self;
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }
    case WM_COPYDATA: {
        auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData != kCommandTag) return FALSE;
        SelfScope self;
        return ExecuteOnHostThread(std::string((const char*)data->lpData, data->cbData));
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterClassOnce(const char* name, WNDPROC proc, HBRUSH background, bool document = false) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoExA(instance, name, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = document ? LoadIconA(nullptr, (LPCSTR)IDI_APPLICATION) : nullptr;
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

WNDPROC ProcForClass(const std::string& className) {
    if (className == "RICHCNTL") return EntryProc;
    if (className == "_AOL_Icon") return IconProc;
    return PlainProc;
}

}  // namespace

void Host::State::Run(const std::function<void()>& action) {
    if (GetCurrentThreadId() == GetWindowThreadProcessId(control, nullptr)) {
        SelfScope self;
        action();
        return;
    }
    SendMessageA(control, kRunMessage, 0, (LPARAM)&action);
}

void Host::State::Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (self || !IsRecorded(message)) return;
    auto role = roles.find(window);
    if (role == roles.end()) return;
    hostsim::Record r{role->second, message, wParam, lParam, {}};
    // Text travels behind a pointer that means nothing once the call is over.
    if (message == WM_SETTEXT || message == WM_GETTEXT) r.lParam = 0;
    if (message == WM_SETTEXT && lParam) r.text = (const char*)lParam;
    std::lock_guard<std::mutex> lock(mutex);
    log.push_back(std::move(r));
}

HWND Host::State::FindDocument(const std::string& name) const {
    for (const auto& [window, document] : documents)
        if (document.name == name) return window;
    return nullptr;
}

HWND Host::State::CreateDocument(const std::string& caption) {
    const int offset = 24 * (cascade++ % 8);
    MDICREATESTRUCTA mcs = {};
    mcs.szClass = kDocumentClass;
    mcs.szTitle = caption.c_str();
    mcs.hOwner = GetModuleHandleA(nullptr);
    mcs.x = 8 + offset;
    mcs.y = 8 + offset;
    mcs.cx = 560;
    mcs.cy = 360;
    mcs.style = WS_CLIPCHILDREN;
    HWND document = (HWND)SendMessageA(mdi, WM_MDICREATE, 0, (LPARAM)&mcs);
    if (!document) return nullptr;
    roles[document] = caption;
    documents[document].name = caption;
    return document;
}

HWND Host::State::AddChild(HWND document, const std::string& className, const char* caption,
                           const RECT& place, int id) {
    RegisterClassOnce(className.c_str(), ProcForClass(className),
                      (HBRUSH)(COLOR_BTNFACE + 1));
    HWND child = CreateWindowExA(0, className.c_str(), caption, WS_CHILD | WS_VISIBLE, place.left,
                                 place.top, place.right - place.left, place.bottom - place.top,
                                 document, (HMENU)(INT_PTR)id, GetModuleHandleA(nullptr), nullptr);
    // Numbered among the document's children of the same class, from 1.
    int number = 0;
    for (HWND c = FindWindowExA(document, nullptr, className.c_str(), nullptr); c;
         c = FindWindowExA(document, c, className.c_str(), nullptr))
        ++number;
    roles[child] = roles[document] + "." + ShortName(className) + std::to_string(number);
    return child;
}

void Host::State::OpenRoom(const std::string& name) {
    HWND room = CreateDocument(name);
    if (!room) return;
    Document& d = documents[room];
    RegisterClassOnce(kTranscriptClass, TranscriptProc, nullptr);
    d.transcript = CreateWindowExA(0, kTranscriptClass, nullptr, WS_CHILD | WS_VISIBLE, 8, 8, 400,
                                   230, room, nullptr, GetModuleHandleA(nullptr), nullptr);
    d.entry = AddChild(room, "RICHCNTL", "", RECT{8, 246, 536, 272}, 0);
    std::string people = std::string(kScreenName) + "\nvisitor1\nvisitor2";
    AddChild(room, "_AOL_Listbox", people.c_str(), RECT{416, 30, 536, 238}, 0);
    AddChild(room, "_AOL_Static", "3 people here", RECT{416, 8, 536, 26}, 0);
    for (int i = 0; i < 6; ++i)
        AddChild(room, "_AOL_Icon", kRoomIconCaptions[i],
                 RECT{8 + 88 * i, 282, 88 + 88 * i, 306}, i + 1);
}

void Host::State::OpenDocument(const std::string& caption,
                               const std::vector<std::string>& children) {
    HWND document = CreateDocument(caption);
    int y = 8;
    for (const std::string& className : children) {
        AddChild(document, className, className.c_str(), RECT{8, y, 300, y + 22}, 0);
        y += 26;
    }
}

// The send icon: the entry box's text goes to the room as one line, and the
// box is emptied. An empty box sends nothing.
void Host::State::PostLine(HWND room) {
    Document& d = documents[room];
    std::string line = entryText[d.entry];
    if (line.empty()) return;
    d.lines.push_back(line);
    {
        std::lock_guard<std::mutex> lock(mutex);
        log.push_back(hostsim::Record{d.name, kChatLine, 0, 0, line});
        chat[d.name].push_back(line);
        if (chatLog) {
            std::string flat = line;
            for (char& c : flat)
                if (c == '\r' || c == '\n') c = ' ';
            std::fprintf(chatLog, "%s: %s\n", d.name.c_str(), flat.c_str());
            std::fflush(chatLog);
        }
    }
    SelfScope self;
    SetWindowTextA(d.entry, "");
    InvalidateRect(d.transcript, nullptr, TRUE);
}

void Host::State::ThreadMain() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterClassOnce(kControlClass, ControlProc, nullptr);
    RegisterClassOnce(kFrameClass, FrameProc, (HBRUSH)(COLOR_APPWORKSPACE + 1), true);
    RegisterClassOnce(kDocumentClass, DocumentProc, (HBRUSH)(COLOR_BTNFACE + 1), true);
    control = CreateWindowExA(0, kControlClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              instance, nullptr);
    frame = CreateWindowExA(0, kFrameClass, kFrameCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                            0, 0, 900, 700, nullptr, nullptr, instance, nullptr);
    // Disabled, the frame is never activated, so it never takes the clicks and
    // keys meant for the program; messages still arrive.
    EnableWindow(frame, FALSE);
    ShowWindow(frame, SW_SHOWNOACTIVATE);
    {
        std::lock_guard<std::mutex> lock(readyMutex);
        ready = true;
    }
    readyChanged.notify_all();

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    ++self;
    if (IsWindow(frame)) DestroyWindow(frame);
    DestroyWindow(control);
    frame = mdi = control = nullptr;
}

bool ExecuteOnHostThread(const std::string& command) {
    Host::State* s = g_state;
    size_t blank = command.find(' ');
    std::string verb = command.substr(0, blank);
    std::string name = blank == std::string::npos ? "" : command.substr(blank + 1);
    if (verb == "room" && !name.empty()) {
        s->OpenRoom(name);
    } else if (verb == "doc" && !name.empty()) {
        s->OpenDocument(name, {});
    } else if (verb == "close") {
        if (HWND d = s->FindDocument(name)) SendMessageA(s->mdi, WM_MDIDESTROY, (WPARAM)d, 0);
    } else if (verb == "top") {
        if (HWND d = s->FindDocument(name)) SendMessageA(s->mdi, WM_MDIACTIVATE, (WPARAM)d, 0);
    } else if (verb == "quit") {
        PostQuitMessage(0);
    } else {
        return false;
    }
    return true;
}

Host::Host() : state_(std::make_unique<State>()) {
    g_state = state_.get();
    state_->thread = std::thread([s = state_.get()] { s->ThreadMain(); });
    std::unique_lock<std::mutex> lock(state_->readyMutex);
    state_->readyChanged.wait(lock, [this] { return state_->ready; });
}

Host::~Host() {
    if (state_->thread.joinable()) {
        Execute("quit");
        state_->thread.join();
    }
    if (state_->chatLog) std::fclose(state_->chatLog);
    g_state = nullptr;
}

HWND Host::frame() const { return state_->frame; }

void Host::OpenRoom(const std::string& name) {
    state_->Run([&] { state_->OpenRoom(name); });
}

void Host::OpenDocument(const std::string& caption, const std::vector<std::string>& children) {
    state_->Run([&] { state_->OpenDocument(caption, children); });
}

void Host::Close(const std::string& name) { Execute("close " + name); }

void Host::BringToTop(const std::string& name) { Execute("top " + name); }

void Host::CloseWhenTextArrives(const std::string& room) {
    state_->Run([&] { state_->closeOnText = room; });
}

bool Host::Execute(const std::string& command) {
    bool known = false;
    state_->Run([&] { known = ExecuteOnHostThread(command); });
    return known;
}

void Host::WaitUntilQuit() {
    if (state_->thread.joinable()) state_->thread.join();
}

std::vector<Record> Host::Log() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->log;
}

void Host::ClearLog() {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->log.clear();
}

std::vector<std::string> Host::ChatLines(const std::string& room) const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    auto it = state_->chat.find(room);
    return it == state_->chat.end() ? std::vector<std::string>{} : it->second;
}

void Host::SetChatLogFile(const std::string& path) {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (state_->chatLog) std::fclose(state_->chatLog);
    state_->chatLog = std::fopen(path.c_str(), "ab");
}

std::string Describe(const std::vector<Record>& records) {
    std::string out;
    for (const Record& r : records) {
        out += r.role + " " + MessageName(r.message) + " " + std::to_string(r.wParam) + " " +
               std::to_string(r.lParam);
        if (r.message == WM_SETTEXT || r.message == kChatLine) out += " " + Quote(r.text);
        out += "\n";
    }
    return out;
}

bool SendCommand(const std::string& command) {
    HWND control = FindWindowExA(HWND_MESSAGE, nullptr, kControlClass, nullptr);
    if (!control) return false;
    COPYDATASTRUCT data = {kCommandTag, (DWORD)command.size(), (void*)command.data()};
    DWORD_PTR known = FALSE;
    SendMessageTimeoutA(control, WM_COPYDATA, 0, (LPARAM)&data, SMTO_ABORTIFHUNG, 5000, &known);
    return known != FALSE;
}

std::vector<Record> Inputs(const std::vector<Record>& records) {
    std::vector<Record> inputs;
    for (const Record& r : records)
        if (r.message != WM_GETTEXT && r.message != WM_GETTEXTLENGTH) inputs.push_back(r);
    return inputs;
}

}  // namespace hostsim

// hostsim's thread, its record and its scenario.
#include "hostsim/state.h"

namespace hostsim {

Host::State* g_state = nullptr;

namespace {

const char* const kRoomIcons[] = {"Notify", "Ignore", "Info", "Font", "Style", "Send"};

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
    case kMenuPick: return "PICK";
    case kKeyword: return "GO";
    case kInstant: return "IM";
    case kRefusal: return "REFUSED";
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%04X", message);
    return hex;
}

bool HasText(UINT message) { return message == WM_SETTEXT || message >= kChatLine; }

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

// "A|B|C" into its parts.
std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    size_t from = 0;
    for (size_t bar; (bar = text.find('|', from)) != std::string::npos; from = bar + 1)
        parts.push_back(text.substr(from, bar - from));
    parts.push_back(text.substr(from));
    return parts;
}

}  // namespace

std::string ShortName(const std::string& className) {
    static const std::map<std::string, std::string> names = {
        {"RICHCNTL", "rich"}, {"_AOL_Listbox", "list"}, {"_AOL_Static", "static"},
        {"_AOL_Icon", "icon"}, {"_AOL_Edit", "edit"},
    };
    auto it = names.find(className);
    if (it != names.end()) return it->second;
    std::string lower = className;
    CharLowerBuffA(lower.data(), (DWORD)lower.size());
    return lower;
}

void Host::State::Run(const std::function<void()>& action) {
    if (GetCurrentThreadId() == GetWindowThreadProcessId(control, nullptr)) {
        SelfScope self;
        action();
        return;
    }
    SendMessageA(control, WM_APP, 0, (LPARAM)&action);
}

void Host::State::Later(std::function<void()> action, int ms) {
    UINT_PTR id = nextTimer++;
    later[id] = std::move(action);
    SetTimer(control, id, ms < 0 ? delayMs : ms, nullptr);
}

void Host::State::Answer(std::function<void()> action) {
    if (delayMs == 0) action();
    else Later(std::move(action));
}

void Host::State::Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (self || !IsRecorded(message)) return;
    auto role = roles.find(window);
    if (role == roles.end()) return;
    hostsim::Record r{role->second, message, wParam, lParam, {}};
    // Text travels behind a pointer that means nothing once the call is over.
    if (message == WM_SETTEXT || message == WM_GETTEXT) r.lParam = 0;
    if (message == WM_SETTEXT && lParam) r.text = (const char*)lParam;
    Note(std::move(r));
}

void Host::State::Note(const std::string& role, UINT event, const std::string& text) {
    Note(hostsim::Record{role, event, 0, 0, text});
}

void Host::State::Note(hostsim::Record record) {
    std::lock_guard<std::mutex> lock(mutex);
    log.push_back(std::move(record));
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

HWND Host::State::AddChild(HWND parent, const std::string& className, const std::string& text,
                           const RECT& place, int id) {
    RegisterClassOnce(className.c_str(), ProcForClass(className), (HBRUSH)(COLOR_BTNFACE + 1));
    HWND child = CreateWindowExA(0, className.c_str(), text.c_str(), WS_CHILD | WS_VISIBLE,
                                 place.left, place.top, place.right - place.left,
                                 place.bottom - place.top, parent, (HMENU)(INT_PTR)id,
                                 GetModuleHandleA(nullptr), nullptr);
    // Numbered among the parent's children of the same class, from 1.
    int number = 0;
    for (HWND c = FindWindowExA(parent, nullptr, className.c_str(), nullptr); c;
         c = FindWindowExA(parent, c, className.c_str(), nullptr))
        ++number;
    roles[child] = roles[parent] + "." + ShortName(className) + std::to_string(number);
    return child;
}

void Host::State::OpenRoom(const std::string& name) {
    HWND room = CreateDocument(name);
    if (!room) return;
    Document& d = documents[room];
    d.transcript = CreateWindowExA(0, "hostsim transcript", nullptr, WS_CHILD | WS_VISIBLE, 8, 8,
                                   400, 230, room, nullptr, GetModuleHandleA(nullptr), nullptr);
    d.entry = AddChild(room, "RICHCNTL", "", RECT{8, 246, 536, 272}, 0);
    AddChild(room, "_AOL_Listbox", std::string(kScreenName) + "\nvisitor1\nvisitor2",
             RECT{416, 30, 536, 238}, 0);
    AddChild(room, "_AOL_Static", "3 people here", RECT{416, 8, 536, 26}, 0);
    for (int i = 0; i < 6; ++i)
        AddChild(room, kIconClass, kRoomIcons[i], RECT{8 + 88 * i, 282, 88 + 88 * i, 306}, i + 1);
}

void Host::State::OpenDocument(const std::string& caption, const std::vector<Child>& children) {
    HWND document = CreateDocument(caption);
    int y = 8;
    for (const Child& child : children) {
        AddChild(document, child.className, child.text, RECT{8, y, 400, y + 22}, 0);
        y += 26;
    }
}

// The window the toolbar's fifth icon opens: recipient, text, and ten icons,
// the tenth of which sends.
void Host::State::OpenInstantMessage() {
    HWND window = CreateDocument(kImCaption);
    AddChild(window, "_AOL_Edit", "", RECT{8, 8, 536, 30}, 0);
    AddChild(window, "RICHCNTL", "", RECT{8, 38, 536, 240}, 0);
    for (int i = 0; i < 10; ++i)
        AddChild(window, kIconClass, i == 9 ? "Send" : "", RECT{8 + 52 * i, 250, 56 + 52 * i, 274},
                 i + 1);
}

void Host::State::PostLine(HWND room) {
    Document& d = documents[room];
    std::string line = entryText[d.entry];
    // An empty box sends nothing, as the host's send icon does.
    if (line.empty()) return;
    d.lines.push_back(line);
    Note(d.name, kChatLine, line);
    {
        std::lock_guard<std::mutex> lock(mutex);
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
    SendMessageA(d.entry, WM_SETTEXT, 0, (LPARAM)"");
    InvalidateRect(d.transcript, nullptr, TRUE);
}

void Host::State::GoToKeyword(const std::string& typed) {
    size_t first = typed.find_first_not_of(' ');
    size_t last = typed.find_last_not_of(' ');
    std::string keyword = first == std::string::npos ? "" : typed.substr(first, last - first + 1);
    if (keyword.empty()) return;
    Note("keyword", kKeyword, keyword);
    // A host that answers at once (no delay) opens a room within the
    // keyword's own message. A refusal box always comes after it: its modal
    // loop would hold the sender.
    auto answer = [this, keyword] {
        if (keyword.compare(0, sizeof kRoomLink - 1, kRoomLink) != 0) {
            OpenDocument(keyword, {"_AOL_Static"});
            return;
        }
        std::string room = keyword.substr(sizeof kRoomLink - 1);
        auto full = fullRooms.find(room);
        if (full == fullRooms.end() || full->second.tries <= 0) {
            OpenRoom(room);
            return;
        }
        --full->second.tries;
        Note(room, kRefusal, room);
        PostMessageA(control, WM_APP + 2, full->second.boxes, 0);
    };
    Answer(answer);
}

void Host::State::SendInstantMessage(HWND window) {
    char to[256] = {};
    GetWindowTextA(FindWindowExA(window, nullptr, "_AOL_Edit", nullptr), to, sizeof to);
    std::string text = entryText[FindWindowExA(window, nullptr, "RICHCNTL", nullptr)];
    std::string recipient = to;
    Note(kImCaption, kInstant, recipient + ": " + text);
    if (recipient == "$IM_OFF" || recipient == "$IM_ON") {
        std::lock_guard<std::mutex> lock(mutex);
        instantMessagesOn = recipient == "$IM_ON";
    }
    Later([this, window] {
        if (IsWindow(window)) SendMessageA(mdi, WM_MDIDESTROY, (WPARAM)window, 0);
    });
}

bool Host::State::Execute(const std::string& command) {
    size_t blank = command.find(' ');
    std::string verb = command.substr(0, blank);
    std::string arg = blank == std::string::npos ? "" : command.substr(blank + 1);
    std::vector<std::string> parts = Split(arg);
    if (verb == "room" && !arg.empty()) {
        OpenRoom(arg);
    } else if (verb == "doc" && !arg.empty()) {
        OpenDocument(arg, {"_AOL_Static"});
    } else if (verb == "welcome" && !arg.empty()) {
        OpenDocument("Welcome, " + arg, {{"_AOL_Static", "You've got mail"}});
    } else if (verb == "transfer" && parts.size() == 3) {
        OpenDocument(parts[0], {{"_AOL_Static", parts[1]}, {"_AOL_Static", parts[2]}});
    } else if (verb == "text" && parts.size() == 2) {
        for (const auto& [window, role] : roles)
            if (role == parts[0]) {
                SetWindowTextA(window, parts[1].c_str());
                break;
            }
    } else if (verb == "close") {
        if (HWND d = FindDocument(arg)) SendMessageA(mdi, WM_MDIDESTROY, (WPARAM)d, 0);
    } else if (verb == "top") {
        if (HWND d = FindDocument(arg)) SendMessageA(mdi, WM_MDIACTIVATE, (WPARAM)d, 0);
    } else if (verb == "full" && (parts.size() == 2 || parts.size() == 3)) {
        fullRooms[parts[0]] = {std::atoi(parts[1].c_str()),
                               parts.size() == 3 ? std::atoi(parts[2].c_str()) : 1};
    } else if (verb == "box" && (arg == "ok" || arg == "yesno")) {
        Later([this, arg] { ShowBox(arg == "ok"); });
    } else if (verb == "late-box" && !arg.empty()) {
        const int ms = std::atoi(arg.c_str());
        Later([this, ms] { ShowBox(true, ms); });
    } else if (verb == "delay" && !arg.empty()) {
        delayMs = std::atoi(arg.c_str());
    } else if (verb == "hang" && !arg.empty()) {
        // Posted, so the caller is not held while the host sleeps.
        PostMessageA(control, WM_APP + 1, std::atoi(arg.c_str()), 0);
    } else if (verb == "hang-after" && parts.size() == 3) {
        hangAfter.push_back({parts[0], (UINT)std::atoi(parts[1].c_str()), std::atoi(parts[2].c_str())});
    } else if (verb == "save-log" && !arg.empty()) {
        std::string described;
        {
            std::lock_guard<std::mutex> lock(mutex);
            described = Describe(log);
        }
        FILE* file = std::fopen(arg.c_str(), "wb");
        if (!file) return false;
        std::fwrite(described.data(), 1, described.size(), file);
        std::fclose(file);
    } else if (verb == "clear-log") {
        std::lock_guard<std::mutex> lock(mutex);
        log.clear();
    } else if (verb == "quit") {
        PostQuitMessage(0);
    } else {
        return false;
    }
    return true;
}

void Host::State::ThreadMain() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterClassOnce(kControlClass, ControlProc, nullptr);
    RegisterClassOnce(kFrameClass, FrameProc, (HBRUSH)(COLOR_APPWORKSPACE + 1), true);
    RegisterClassOnce(kDocumentClass, DocumentProc, (HBRUSH)(COLOR_BTNFACE + 1), true);
    RegisterClassOnce("hostsim transcript", TranscriptProc, nullptr);
    control = CreateWindowExA(0, kControlClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              instance, nullptr);
    // Letters typed into the host's popup menus are seen here, as the menu's
    // own window procedure is the system's.
    hook = SetWindowsHookExA(WH_GETMESSAGE, MessageHook, nullptr, GetCurrentThreadId());
    sentHook = SetWindowsHookExA(WH_CALLWNDPROC, SentMessageHook, nullptr, GetCurrentThreadId());
    answeredHook =
        SetWindowsHookExA(WH_CALLWNDPROCRET, AnsweredMessageHook, nullptr, GetCurrentThreadId());
    frame = CreateWindowExA(0, kFrameClass, kBoxCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                            0, 900, 700, nullptr, nullptr, instance, nullptr);
    {
        SelfScope self;
        CreateToolbar();
    }
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
    UnhookWindowsHookEx(hook);
    UnhookWindowsHookEx(sentHook);
    UnhookWindowsHookEx(answeredHook);
    frame = mdi = control = toolbar = keyword = nullptr;
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

void Host::OpenDocument(const std::string& caption, const std::vector<Child>& children) {
    state_->Run([&] { state_->OpenDocument(caption, children); });
}

void Host::Close(const std::string& name) { Execute("close " + name); }
void Host::BringToTop(const std::string& name) { Execute("top " + name); }
void Host::SetText(const std::string& role, const std::string& text) {
    Execute("text " + role + "|" + text);
}
void Host::MakeRoomFull(const std::string& room, int tries, int boxes) {
    Execute("full " + room + "|" + std::to_string(tries) + "|" + std::to_string(boxes));
}
void Host::SetAnswerDelay(int ms) { Execute("delay " + std::to_string(ms)); }
void Host::Hang(int ms) { Execute("hang " + std::to_string(ms)); }
void Host::HangAfter(const std::string& role, UINT message, int ms) {
    Execute("hang-after " + role + "|" + std::to_string(message) + "|" + std::to_string(ms));
}

void Host::CloseWhenTextArrives(const std::string& room) {
    state_->Run([&] { state_->closeOnText = room; });
}

bool Host::Execute(const std::string& command) {
    bool known = false;
    state_->Run([&] { known = state_->Execute(command); });
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

std::vector<std::string> Host::Documents() const {
    std::vector<std::string> captions;
    state_->Run([&] {
        for (HWND d = GetWindow(state_->mdi, GW_CHILD); d; d = GetWindow(d, GW_HWNDNEXT)) {
            char caption[256] = {};
            GetWindowTextA(d, caption, sizeof caption);
            captions.push_back(std::string(caption) + (IsWindowVisible(d) ? "" : " (hidden)"));
        }
    });
    return captions;
}

bool Host::InstantMessagesOn() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->instantMessagesOn;
}

bool Host::SetChatLogFile(const std::string& path) {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (state_->chatLog) std::fclose(state_->chatLog);
    state_->chatLog = std::fopen(path.c_str(), "ab");
    return state_->chatLog != nullptr;
}

std::string Describe(const std::vector<Record>& records) {
    std::string out;
    for (const Record& r : records) {
        out += r.role + " " + MessageName(r.message) + " " + std::to_string(r.wParam) + " " +
               std::to_string(r.lParam);
        if (HasText(r.message)) out += " " + Quote(r.text);
        out += "\n";
    }
    return out;
}

std::vector<Record> Inputs(const std::vector<Record>& records) {
    std::vector<Record> inputs;
    for (const Record& r : records)
        if (r.message != WM_GETTEXT && r.message != WM_GETTEXTLENGTH) inputs.push_back(r);
    return inputs;
}

std::vector<Record> Of(const std::vector<Record>& records, const std::string& role) {
    std::vector<Record> mine;
    for (const Record& r : records)
        if (r.role == role || r.role.compare(0, role.size() + 1, role + ".") == 0)
            mine.push_back(r);
    return mine;
}

bool ResumeStoppedHost() {
    HWND frame = FindWindowA(kFrameClass, nullptr);
    HANDLE thread = frame ? OpenThread(THREAD_SUSPEND_RESUME, FALSE,
                                       GetWindowThreadProcessId(frame, nullptr))
                          : nullptr;
    if (!thread) return false;
    const DWORD count = ResumeThread(thread);
    CloseHandle(thread);
    return count != (DWORD)-1;
}

namespace {

constexpr UINT kWatchMessage = WM_APP;

LRESULT CALLBACK WatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kWatchMessage) {
        SetEvent((HANDLE)lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

double Milliseconds() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * (double)count.QuadPart / (double)frequency.QuadPart;
}

}  // namespace

ResponseWatch::ResponseWatch() {
    RegisterClassOnce("norq response watch", WatchProc, nullptr);
    window_ = CreateWindowExA(0, "norq response watch", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    handled_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this] {
        const HANDLE waits[] = {handled_, stop_};
        for (;;) {
            const double posted = Milliseconds();
            PostMessageA(window_, kWatchMessage, 0, (LPARAM)handled_);
            const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
            const double waited = Milliseconds() - posted;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (waited > longest_) longest_ = waited;
            }
            if (woke != WAIT_OBJECT_0) return;
            Sleep(5);
        }
    });
}

ResponseWatch::~ResponseWatch() {
    SetEvent(stop_);
    thread_.join();
    DestroyWindow(window_);
    CloseHandle(handled_);
    CloseHandle(stop_);
}

double ResponseWatch::LongestMs() {
    std::lock_guard<std::mutex> lock(mutex_);
    return longest_;
}

void ResponseWatch::Reset() {
    std::lock_guard<std::mutex> lock(mutex_);
    longest_ = 0;
}

bool SendCommand(const std::string& command) {
    HWND control = FindWindowExA(HWND_MESSAGE, nullptr, kControlClass, nullptr);
    if (!control) return false;
    COPYDATASTRUCT data = {kCommandTag, (DWORD)command.size(), (void*)command.data()};
    DWORD_PTR known = FALSE;
    SendMessageTimeoutA(control, WM_COPYDATA, 0, (LPARAM)&data, SMTO_ABORTIFHUNG, 5000, &known);
    return known != FALSE;
}

}  // namespace hostsim

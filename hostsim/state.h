// hostsim's inside: the state its thread keeps and the window procedures that
// share it. Not for the tests; they use hostsim.h.
#pragma once

#include <condition_variable>
#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "hostsim/hostsim.h"

namespace hostsim {

constexpr char kFrameClass[] = "AOL Frame25";
constexpr char kDocumentClass[] = "AOL Child";
constexpr char kIconClass[] = "_AOL_Icon";
constexpr char kScreenName[] = "Guest";
constexpr char kImCaption[] = "Send Instant Message";
constexpr char kBoxCaption[] = "America Online";
constexpr char kRoomLink[] = "aol://2719:2-2-";

struct Document {
    std::string name;
    HWND entry = nullptr;       // chat rooms only
    HWND transcript = nullptr;  // chat rooms only
    std::vector<std::string> lines;
};

struct Host::State {
    std::thread thread;
    HWND frame = nullptr, mdi = nullptr, control = nullptr, toolbar = nullptr;
    HWND keyword = nullptr;  // the keyword box's edit field
    HHOOK hook = nullptr, sentHook = nullptr, answeredHook = nullptr;
    std::mutex readyMutex;
    std::condition_variable readyChanged;
    bool ready = false;

    // Read by other threads.
    mutable std::mutex mutex;
    std::vector<Record> log;
    std::map<std::string, std::vector<std::string>> chat;
    FILE* chatLog = nullptr;
    bool instantMessagesOn = true;

    // The host thread's own.
    int self = 0;  // above 0 while hostsim changes its own windows
    int delayMs = 30;
    std::map<HWND, std::string> roles;
    std::map<HWND, Document> documents;
    std::map<HWND, std::string> entryText;  // the exact bytes in each entry box
    std::map<HWND, bool> pressed;           // icons with the mouse button down
    struct FullRoom {
        int tries;  // refused this many more times
        int boxes;  // boxes shown for each refusal, one straight after the other
    };
    std::map<std::string, FullRoom> fullRooms;
    std::map<UINT_PTR, std::function<void()>> later;
    UINT_PTR nextTimer = 1;
    std::string closeOnText;  // a room to close when its entry gets text
    // Once the window of this role has answered this message, the host
    // hangs for ms, or stops until resumed when ms is negative.
    struct HangAfter {
        std::string role;
        UINT message = 0;
        int ms = 0;
    };
    std::vector<HangAfter> hangAfter;
    int cascade = 0;

    void Run(const std::function<void()>& action);
    // Runs action after the host's answer delay (or ms), as the real host
    // answers once its server has.
    void Later(std::function<void()> action, int ms = -1);
    // The same, but at once, inside the message that asked, for a host that
    // answers with no delay.
    void Answer(std::function<void()> action);
    void Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Appends to the record, which other threads read.
    void Note(hostsim::Record record);
    void Note(const std::string& role, UINT event, const std::string& text);
    HWND FindDocument(const std::string& name) const;
    HWND CreateDocument(const std::string& caption);
    HWND AddChild(HWND parent, const std::string& className, const std::string& text,
                  const RECT& place, int id);
    void OpenRoom(const std::string& name);
    void OpenDocument(const std::string& caption, const std::vector<Child>& children);
    void OpenInstantMessage();
    void CreateToolbar();
    void PostLine(HWND room);
    void IconFired(HWND icon);
    void GoToKeyword(const std::string& typed);
    void SendInstantMessage(HWND window);
    // The host's box, as it reports a refusal, with "OK" or with "Yes" and
    // "No"; the host waits in it until it is answered. With lateMs, it is
    // made hidden and shown that much later, and the host goes on meanwhile.
    void ShowBox(bool withOk, int lateMs = 0);
    bool Execute(const std::string& command);
    void ThreadMain();
};

extern Host::State* g_state;

// Changes that hostsim makes to its own windows are not the program's input.
struct SelfScope {
    SelfScope() { ++g_state->self; }
    ~SelfScope() { --g_state->self; }
};

// Inside a menu's or a message box's loop, what arrives is the program's
// input again.
struct OutsideScope {
    int saved;
    OutsideScope() : saved(g_state->self) { g_state->self = 0; }
    ~OutsideScope() { g_state->self = saved; }
};

// Window procedures, in windows.cpp.
LRESULT CALLBACK FrameProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK DocumentProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK TranscriptProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK RecordingEditProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK MessageHook(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SentMessageHook(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK AnsweredMessageHook(int code, WPARAM wParam, LPARAM lParam);
WNDPROC ProcForClass(const std::string& className);
void RegisterClassOnce(const char* name, WNDPROC proc, HBRUSH background, bool icon = false);

// The name a child class gets in roles: "Lobby.rich1", "toolbar.icon4".
std::string ShortName(const std::string& className);

}  // namespace hostsim

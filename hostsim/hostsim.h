// hostsim: a stand-in for the host chat client. It has the host's windows,
// classes and captions, reacts to this program's messages as the host does,
// and records every message its windows receive so tests can compare whole
// sequences. It always runs on a thread of its own: inside a test process, or
// as the main work of hostsim.exe.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace hostsim {

// Pseudo messages in the record: what the host did in answer.
constexpr UINT kChatLine = WM_APP + 0x100;  // CHAT: a room posted a line
constexpr UINT kMenuPick = WM_APP + 0x101;  // PICK: a toolbar menu entry was chosen
constexpr UINT kKeyword = WM_APP + 0x102;   // GO: the keyword box went somewhere
constexpr UINT kInstant = WM_APP + 0x103;   // IM: "recipient: text" was sent
constexpr UINT kRefusal = WM_APP + 0x104;   // REFUSED: the room is full, a box came up

struct Record {
    std::string role;  // "Lobby", "Lobby.rich1", "toolbar.icon1", "keyword.edit", "menu"
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::string text;  // the bytes of a WM_SETTEXT, or what a pseudo message names
};

// One line per record: role, message name, wParam, lParam and, where there is
// text, the bytes quoted with \xNN for anything outside printable ASCII.
std::string Describe(const std::vector<Record>& records);
// The records without text reads (WM_GETTEXT, WM_GETTEXTLENGTH), which Wine
// also makes up by itself when another process asks for a caption.
std::vector<Record> Inputs(const std::vector<Record>& records);
// Only the records of one role, or of roles that begin with it and a dot.
std::vector<Record> Of(const std::vector<Record>& records, const std::string& role);

// hostsim's control window, reached from other processes with WM_COPYDATA
// carrying a text command (see Host::Execute) under this tag.
constexpr char kControlClass[] = "norq hostsim control";
constexpr ULONG_PTR kCommandTag = 0x6e6f7271;

// Sends a command to the hostsim running in another process; false when none
// runs or it did not know the command.
bool SendCommand(const std::string& command);
// Lets a host that stopped itself ("hang-after" with a negative time), in
// this process or another, go on.
bool ResumeStoppedHost();

// How long the calling thread leaves its own input waiting: another thread
// posts a message to a window of this thread every few milliseconds and keeps
// the longest wait for it to be handled. For the program's side of a test.
class ResponseWatch {
public:
    ResponseWatch();
    ~ResponseWatch();
    ResponseWatch(const ResponseWatch&) = delete;
    ResponseWatch& operator=(const ResponseWatch&) = delete;
    double LongestMs();
    void Reset();

private:
    HWND window_ = nullptr;
    HANDLE handled_ = nullptr, stop_ = nullptr;
    std::mutex mutex_;
    double longest_ = 0;
    std::thread thread_;
};

// A child of a document window: its class and its text (the class name when
// none is given).
struct Child {
    Child(const char* className) : className(className), text(className) {}
    Child(std::string className, std::string text)
        : className(std::move(className)), text(std::move(text)) {}
    std::string className, text;
};

class Host {
public:
    // Starts the host's thread; returns once its frame and toolbar are up.
    Host();
    ~Host();  // closes every window and ends the thread
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    HWND frame() const;

    // Scenario. Windows are named by their caption; children by the owner's
    // name, a short class name and their number: "Lobby.rich1", "Lobby.icon6".
    void OpenRoom(const std::string& name);  // at the top of the child order
    // A document window with the given children, in order.
    void OpenDocument(const std::string& caption, const std::vector<Child>& children);
    void Close(const std::string& name);
    void BringToTop(const std::string& name);
    // Sets the text of the window with that role, as the host changes its own.
    void SetText(const std::string& role, const std::string& text);
    // The room closes as its entry box receives text, as when the user leaves
    // it just then.
    void CloseWhenTextArrives(const std::string& room);
    // The next `tries` attempts to enter the room are refused, each with
    // `boxes` refusal boxes, one straight after the other.
    void MakeRoomFull(const std::string& room, int tries, int boxes = 1);
    // How long the host takes to answer an icon, a keyword or a send. With
    // none, a keyword enters its room before the keyword's message returns.
    void SetAnswerDelay(int ms);
    // The host stops handling messages for a while; returns at once.
    void Hang(int ms);
    // Once the window of that role has answered that message, the host hangs
    // for ms; with ms negative it stops, as a stopped process does, until
    // ResumeStoppedHost.
    void HangAfter(const std::string& role, UINT message, int ms);

    // A text command, as hostsim.exe takes them on its command line and from
    // other processes: "room NAME", "doc CAPTION", "welcome NAME",
    // "transfer CAPTION|FILE LINE|TIME LINE", "text ROLE|TEXT", "close NAME",
    // "top NAME", "full NAME|TRIES[|BOXES]", "box ok", "box yesno" (a box
    // captioned as the host's, with or without "OK"), "late-box MS" (one
    // with "OK", made hidden and shown MS later), "delay MS", "hang MS",
    // "hang-after ROLE|MESSAGE|MS" (MESSAGE a number, MS -1 to stop),
    // "save-log FILE" (the record, as Describe gives it), "clear-log", "quit".
    // False when
    // the command is unknown or malformed.
    bool Execute(const std::string& command);
    // Until "quit" arrives or the frame is closed.
    void WaitUntilQuit();

    std::vector<Record> Log() const;
    void ClearLog();
    std::vector<std::string> ChatLines(const std::string& room) const;
    // The document windows' captions in child order, "(hidden)" after those
    // not shown.
    std::vector<std::string> Documents() const;
    bool InstantMessagesOn() const;
    // Every chat line is also appended to this file as "room: bytes"; false
    // when the file cannot be written.
    bool SetChatLogFile(const std::string& path);

    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace hostsim

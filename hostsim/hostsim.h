// hostsim: a stand-in for the host chat client. It has the host's windows,
// classes and captions, reacts to this program's messages as the host does,
// and records every message its windows receive so tests can compare whole
// sequences. It always runs on a thread of its own: inside a test process, or
// as the main work of hostsim.exe.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace hostsim {

// A pseudo message in the record: a chat line that the room posted.
constexpr UINT kChatLine = WM_APP + 0x100;

struct Record {
    std::string role;  // "Lobby", "Lobby.rich1", "Lobby.icon6", ...
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::string text;  // the bytes of a WM_SETTEXT or of a chat line
};

// One line per record: role, message name, wParam, lParam and, where there is
// text, the bytes quoted with \xNN for anything outside printable ASCII.
std::string Describe(const std::vector<Record>& records);
// The records without text reads (WM_GETTEXT, WM_GETTEXTLENGTH), which Wine
// also makes up by itself when another process asks for a caption.
std::vector<Record> Inputs(const std::vector<Record>& records);

// hostsim's control window, reached from other processes with WM_COPYDATA
// carrying a text command (see Host::Execute) under this tag.
constexpr char kControlClass[] = "norq hostsim control";
constexpr ULONG_PTR kCommandTag = 0x6e6f7271;

// Sends a command to the hostsim running in another process; false when none
// runs or it did not know the command.
bool SendCommand(const std::string& command);

class Host {
public:
    // Starts the host's thread; returns once its frame is up.
    Host();
    ~Host();  // closes every window and ends the thread
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    HWND frame() const;

    // Scenario. Windows are named by their caption; children by the owner's
    // name, a short class name and their number: "Lobby.rich1", "Lobby.icon6".
    void OpenRoom(const std::string& name);  // at the top of the child order
    // A document window with the given children, by class name, in order.
    void OpenDocument(const std::string& caption, const std::vector<std::string>& children);
    void Close(const std::string& name);
    void BringToTop(const std::string& name);
    // The room closes as its entry box receives text, as when the user leaves
    // it just then.
    void CloseWhenTextArrives(const std::string& room);

    // A text command, as hostsim.exe takes them on its command line and from
    // other processes: "room NAME", "doc CAPTION", "close NAME", "top NAME",
    // "quit". False when the command is unknown.
    bool Execute(const std::string& command);
    // Until "quit" arrives or the frame is closed.
    void WaitUntilQuit();

    std::vector<Record> Log() const;
    void ClearLog();
    std::vector<std::string> ChatLines(const std::string& room) const;
    // Every chat line is also appended to this file as "room: bytes".
    void SetChatLogFile(const std::string& path);

    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace hostsim

// hostsim.exe: the substitute host on its own.
//   hostsim [--room NAME]... [--doc CAPTION]... [--do COMMAND]... [--chat-log FILE]
//       runs the host with those windows open, and those commands done,
//       until told to quit or closed; every chat line is appended to FILE as
//       "room: bytes".
//   hostsim --control COMMAND
//       hands COMMAND to the hostsim that runs; exit code 1 when none took it.
// Commands: "room NAME", "doc CAPTION", "welcome NAME", "close NAME",
// "top NAME", "transfer CAPTION|FILE LINE|TIME LINE", "text ROLE|TEXT",
// "full ROOM|TRIES[|BOXES]", "box ok", "box yesno", "late-box MS", "delay MS", "hang MS",
// "hang-after ROLE|MESSAGE|MS", "save-log FILE", "clear-log", "quit".
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "hostsim/hostsim.h"

namespace {

std::vector<std::string> Arguments() {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) {
        char text[4096];
        int n = WideCharToMultiByte(CP_ACP, 0, wide[i], -1, text, sizeof text, nullptr, nullptr);
        args.emplace_back(text, n > 0 ? n - 1 : 0);
    }
    LocalFree(wide);
    return args;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: hostsim [--room NAME]... [--doc CAPTION]... [--do COMMAND]...\n"
                 "               [--chat-log FILE]\n"
                 "       hostsim --control COMMAND\n");
    return 2;
}

}  // namespace

int main() {
    std::vector<std::string> args = Arguments();
    if (args.size() == 2 && args[0] == "--control") return hostsim::SendCommand(args[1]) ? 0 : 1;

    std::vector<std::string> commands;
    std::string chatLog;
    for (size_t i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == "--room") commands.push_back("room " + args[i + 1]);
        else if (args[i] == "--doc") commands.push_back("doc " + args[i + 1]);
        else if (args[i] == "--do") commands.push_back(args[i + 1]);
        else if (args[i] == "--chat-log") chatLog = args[i + 1];
        else return Usage();
    }
    if (args.size() % 2) return Usage();

    hostsim::Host host;
    // A run whose lines cannot be kept would show nothing and seem quiet.
    if (!chatLog.empty() && !host.SetChatLogFile(chatLog)) {
        std::fprintf(stderr, "hostsim: cannot write the chat log %s\n", chatLog.c_str());
        return 1;
    }
    for (const std::string& command : commands)
        if (!host.Execute(command)) std::fprintf(stderr, "hostsim: unknown command: %s\n",
                                                 command.c_str());
    host.WaitUntilQuit();
    return 0;
}

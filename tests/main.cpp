// The test program, and a second role it plays for tests that need another
// program beside the host: `norq_tests --show-popup-menu` opens a popup menu
// of its own and exits with the id of the entry picked in it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

int ShowPopupMenu() {
    HWND owner = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "another program", WS_POPUP, 0, 0,
                                 10, 10, nullptr, nullptr, nullptr, nullptr);
    HMENU menu = CreatePopupMenu();
    // Every letter the program might type picks something here: ids 1 to 6.
    for (const char* entry : {"&Read", "&Old", "&Sent", "&Flash", "&New", "&Chat"})
        AppendMenuA(menu, MF_STRING, GetMenuItemCount(menu) + 1, entry);
    return (int)TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, 400, 400, 0, owner, nullptr);
}

// A crash ends the test at once, saying where, rather than waiting for a
// debugger that nobody attends.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
    std::fprintf(stderr, "crashed: exception %08lX at %p\n",
                 info->ExceptionRecord->ExceptionCode, info->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
    SetUnhandledExceptionFilter(ReportCrash);
    if (argc == 2 && std::strcmp(argv[1], "--show-popup-menu") == 0) return ShowPopupMenu();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

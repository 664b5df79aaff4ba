// norq idle: keeps its user visible in a chat room of the host while away.
#include <windows.h>
#include <commctrl.h>

#include "app/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    // Ending is immediate: nothing more is handled once the farewell is said.
    Program program([] { ExitProcess(0); });
    program.Start();

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

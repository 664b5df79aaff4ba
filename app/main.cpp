// norq idle: keeps its user visible in a chat room of the host while away.
#include <windows.h>
#include <commctrl.h>

#include "idler/about_window.h"
#include "idler/main_window.h"
#include "settings/settings.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    Settings settings;
    // Ending is immediate: nothing more is handled once the farewell is said.
    MainWindow main(settings, [] { ExitProcess(0); });
    AboutWindow about([&main] { main.Open(); });
    about.Run();

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

#include "app/program.h"

#include "host/chat.h"
#include "host/sequencer.h"
#include "settings/about.h"
#include "ui/form_on_top.h"

namespace {

constexpr int kExitSlideStep = 45;

}  // namespace

Program::Program(std::function<void()> endProgram, Launcher& launcher)
    : endProgram_(std::move(endProgram)),
      clock_(settings_, [this] { main_.ShowIdle(clock_.count(), clock_.idling(), clock_.byItself()); },
             [this] { FormOnTop(main_); }),
      main_([this](POINT at) { menu_.Popup(main_.hwnd(), clock_.idling(), at); },
            [this] { Exit(ExitKind::kWindow); }),
      about_([this] { OpenMain(); }),
      menu_(Commands(), launcher),
      roomBuster_(settings_, [this] { BackToMain(); }),
      player_(settings_, media_, [this] { BackToMain(); }, [this] { Swap(player_, picker_); }),
      picker_([this](const std::string& folder) { FolderChosen(folder); },
              [this] { Swap(picker_, player_); }) {
    for (DialogKind kind : {DialogKind::kReason, DialogKind::kHandle, DialogKind::kLeftAscii,
                            DialogKind::kRightAscii, DialogKind::kAutoIdle})
        dialogs_[(int)kind] = std::make_unique<SettingsDialog>(kind, settings_, [this] {
            BackToMain();
            clock_.CheckAutoIdle();  // the minutes may have changed
        });
}

// What each entry of the command menu does that is no host shortcut or web
// link (those the menu does itself).
MenuActions Program::Commands() {
    MenuActions a;
    a.about = [this] { ShowAbout(main_.Handle()); };
    a.advertise = [this] { Advertise(settings_, main_); };
    a.idleOn = [this] { clock_.On(); };
    a.idleOff = [this] { clock_.Off(); };
    a.leftAscii = [this] { Swap(main_, dialog(DialogKind::kLeftAscii)); };
    a.rightAscii = [this] { Swap(main_, dialog(DialogKind::kRightAscii)); };
    a.reason = [this] { Swap(main_, dialog(DialogKind::kReason)); };
    a.user = [this] { Swap(main_, dialog(DialogKind::kHandle)); };
    a.autoIdle = [this] { Swap(main_, dialog(DialogKind::kAutoIdle)); };
    a.roomBuster = [this] { Swap(main_, roomBuster_); };
    a.mp3Player = [this] { Swap(main_, player_); };
    a.minimize = [this] { main_.Minimize(); };
    a.unload = [this] { Exit(ExitKind::kMenu); };
    return a;
}

void Program::OpenMain() {
    if (!started_) {
        started_ = true;
        StartUp();
    }
    // On a first start the handle dialog stands on top, and takes the typing:
    // the one window the program activates of its own accord.
    SettingsDialog& handle = dialog(DialogKind::kHandle);
    if (IsWindowVisible(handle.hwnd())) {
        // Shown straight below the dialog: a plain show would first raise it
        // above the dialog for a moment.
        FormOnTop(handle);
        SetWindowPos(main_.Handle(), handle.hwnd(), 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        SetForegroundWindow(handle.hwnd());
    } else {
        ShowOnTop(main_);
    }
}

// The settings in, and the two announcement lines out.
void Program::StartUp() {
    FormOnTop(main_);
    LoadSettings(settings_);
    // The dialogs are made now, filled from what was just loaded.
    for (auto& d : dialogs_) d->Handle();
    if (settings_.handle.empty()) dialog(DialogKind::kHandle).OpenUntilConfirmed();
    HostSequencer().Add(HostOperation()
                            .Then([this] { SendChat(LoadLine(settings_)); })
                            .PauseToSecond(0)
                            .Then([this] { SendChat(UserLine(settings_)); }));
    clock_.CheckAutoIdle();
}

// The exit ends whatever operation is under way after its step; a second
// exit asked for in its pause is no exit of its own.
void Program::Exit(ExitKind kind) {
    HostSequencer().Add(HostOperation(HostOp::kExit)
                            .Then([this, kind] {
                                SaveSettingsOnExit(settings_, kind);
                                SendChat(UnloadLine(settings_));
                            })
                            .PauseToSecond(0)
                            .Then([this, kind] {
                                SendChat(FarewellLine(settings_));
                                if (kind == ExitKind::kWindow)
                                    SlideOffScreen(main_.Handle(), kExitSlideStep);
                                endProgram_();
                            }));
}

// The new window shows before the old one hides: hiding the active window
// first would hand the keyboard to another program.
void Program::Swap(Window& from, Window& to) {
    ShowOnTop(to);
    ShowWindow(from.hwnd(), SW_HIDE);
}

void Program::BackToMain() { ShowOnTop(main_); }

// Playback goes on whatever the picker does.
void Program::FolderChosen(const std::string& folder) {
    player_.ShowFolder(folder);
    Swap(picker_, player_);
}

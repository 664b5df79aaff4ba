// The small dialogs that edit the user's values: the away reason, the
// handle, the left and right decorations, and the
// minutes of quiet before idling starts by itself. Each is created once, at
// start-up, and afterwards only shown and hidden; while one is open the main
// window is hidden.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "lines/settings.h"
#include "ui/font.h"
#include "ui/window.h"

enum class DialogKind { kReason, kHandle, kLeftAscii, kRightAscii, kAutoIdle };
inline constexpr int kDialogKinds = 5;

// Control ids, the same in every dialog.
enum DialogControl : int {
    kDialogEdit = 1,      // the edit field
    kDialogOk = 2,        // "ok"
    kDialogBack = 3,      // "<<"; the right decoration has none
    kDialogStored = 4,    // the stored value
    kDialogFrame = 5,     // the frame with its caption
};

class SettingsDialog : public Window {
public:
    // showMain shows the main window again when the dialog closes.
    SettingsDialog(DialogKind kind, Settings& settings, std::function<void()> showMain);
    ~SettingsDialog() override;

    // Shown on top (ShowOnTop) from the menu, it closes on Esc as it was
    // opened, nothing saved. The handle's on a first start is opened with
    // this instead: Esc does nothing there till a handle is confirmed, since
    // one is needed.
    void OpenUntilConfirmed();
    DialogKind kind() const { return kind_; }

protected:
    // Creation fills the edit field: the handle from the settings file
    // (handleEdit), a decoration or the auto idle minutes from the settings
    // record, the reason empty.
    void Create() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCommand(int id, int code);
    // "ok" or "<<": saves and closes, or refuses an empty text where the
    // dialog asks for one.
    void Confirm(int button);
    // Esc: the field as the dialog was opened with, nothing saved, closed.
    void Cancel();
    void Close();
    std::string EditText() const;
    // The field, and the value that follows it.
    void SetEditText(const std::string& text);
    void FocusEdit();

    DialogKind kind_;
    Settings& settings_;
    std::function<void()> showMain_;
    std::unique_ptr<Font> font_;
    HWND tooltips_ = nullptr;
    bool untilConfirmed_ = false;  // a first start's handle dialog
    std::string opened_;           // the field when it was shown
};

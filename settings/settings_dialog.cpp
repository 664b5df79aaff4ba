#include "settings/settings_dialog.h"

#include "settings/store.h"
#include "ui/controls.h"
#include "ui/form_on_top.h"
#include "ui/text.h"
#include "ui/tooltips.h"
#include "ui/twips.h"

namespace {

constexpr wchar_t kClassName[] = L"norq idle settings";
constexpr wchar_t kErrorTitle[] = L"error";

// One dialog's make-up. The edit field, the "ok" box and "<<" are placed
// inside the frame; the stored-value label stands on the window.
struct DialogLayout {
    const char* key;
    const wchar_t* caption;
    int clientWidth, clientHeight;
    TwipsRect frame, edit, ok, back, stored;
    bool hasBack;
    const wchar_t* backTooltip;
    // The message that refuses an empty text, per button; none: it is saved.
    const wchar_t* refuseEmptyOk;
    const wchar_t* refuseEmptyBack;
    std::string Settings::*storedField;
    std::string Settings::*liveField;  // follows the typing; none for the reason
    // What a refusing button lets through; none: any text but the empty one.
    bool (*accepts)(const std::string& text) = nullptr;
};

constexpr wchar_t kNoReason[] = L"you might wanna enter a reason";
constexpr wchar_t kNoHandle[] = L"you might wanna enter a handle";
constexpr wchar_t kNoMinutes[] = L"you might wanna enter minutes (1-1440)";

// Empty turns auto idle off.
bool IsMinutesOrEmpty(const std::string& text) { return text.empty() || AutoIdleMinutes(text) > 0; }

// Indexed by DialogKind. The reason and handle keep their stored value below
// the visible area; the decorations and auto idle show theirs under the frame.
const DialogLayout kLayouts[] = {
    {"reason", L"reason:", 2175, 1080, {120, 0, 1935, 975}, {120, 240, 1695, 285},
     {840, 600, 255, 255}, {1440, 0, 255, 255}, {360, 1080, 735, 255}, true, L"back to idler",
     kNoReason, kNoReason, &Settings::reason, nullptr},
    {"handle", L"user:", 2040, 1080, {120, 0, 1815, 975}, {120, 240, 1575, 285},
     {720, 600, 255, 255}, {1320, 0, 255, 255}, {600, 1200, 735, 255}, true, nullptr,
     nullptr, kNoHandle, &Settings::handle, &Settings::handleEdit},
    {"left-ascii", L"left-ascii:", 2040, 1515, {120, 0, 1815, 975}, {120, 240, 1575, 285},
     {720, 600, 255, 255}, {1320, 0, 255, 255}, {600, 1200, 735, 255}, true, nullptr,
     nullptr, nullptr, &Settings::leftAsciiSaved, &Settings::leftAscii},
    {"right-ascii", L"right-ascii", 2040, 1380, {120, 0, 1815, 975}, {120, 240, 1575, 285},
     {720, 600, 255, 255}, {}, {600, 1080, 735, 255}, false, nullptr,
     nullptr, nullptr, &Settings::rightAsciiSaved, &Settings::rightAscii},
    {"auto idle", L"auto idle:", 2040, 1380, {120, 0, 1815, 975}, {120, 240, 1575, 285},
     {720, 600, 255, 255}, {1320, 0, 255, 255}, {600, 1080, 735, 255}, true, nullptr,
     kNoMinutes, kNoMinutes, &Settings::autoIdle, nullptr, IsMinutesOrEmpty},
};

const DialogLayout& LayoutOf(DialogKind kind) { return kLayouts[static_cast<int>(kind)]; }

RECT InFrame(const TwipsRect& frame, const TwipsRect& place) {
    return TwipsRect{frame.left + place.left, frame.top + place.top, place.width, place.height}
        .Pixels();
}

// "<<" overlaps the edit field's top edge: the label must not paint over it.
HWND CreateClippedLabel(HWND parent, int id, const wchar_t* caption, const RECT& r, HFONT font,
                        LabelFlags flags = LabelFlags::kPlain, const wchar_t* spoken = nullptr) {
    HWND label = CreateLabel(parent, id, caption, r, font, flags, spoken);
    SetWindowLongW(label, GWL_STYLE, GetWindowLongW(label, GWL_STYLE) | WS_CLIPSIBLINGS);
    return label;
}

// Enter and Esc typed in the edit field go to the dialog, as a dialog takes
// them; their characters would only beep.
LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto base = (WNDPROC)GetWindowLongPtrW(edit, GWLP_USERDATA);
    const bool key = wParam == VK_RETURN || wParam == VK_ESCAPE;
    if (message == WM_KEYDOWN && key) return SendMessageW(GetParent(edit), message, wParam, lParam);
    if (message == WM_CHAR && (wParam == L'\r' || wParam == 0x1B)) return 0;
    return CallWindowProcW(base, edit, message, wParam, lParam);
}

}  // namespace

SettingsDialog::SettingsDialog(DialogKind kind, Settings& settings,
                               std::function<void()> showMain)
    : kind_(kind), settings_(settings), showMain_(std::move(showMain)) {}

SettingsDialog::~SettingsDialog() {
    if (tooltips_) DestroyWindow(tooltips_);
    // Before the font goes, so no control is left holding it.
    if (hwnd()) DestroyWindow(hwnd());
}

// On top like every window of the program: a dialog without a taskbar
// button that fell behind the host could not be found again. Opened from the
// menu while it shows, it stays as a first start opened it.
void SettingsDialog::OpenUntilConfirmed() {
    untilConfirmed_ = true;
    ShowOnTop(*this);
}

// The typing goes to the edit field whenever the dialog is active, all of its
// text selected, so the next keystrokes replace it.
void SettingsDialog::FocusEdit() {
    HWND edit = GetDlgItem(hwnd(), kDialogEdit);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

void SettingsDialog::Create() {
    const DialogLayout& layout = LayoutOf(kind_);
    font_ = std::make_unique<Font>(L"MS Sans Serif", 8);
    if (!CreateCentred(kClassName, WS_EX_TOOLWINDOW, WS_POPUP, L"norq idle", layout.clientWidth,
                       layout.clientHeight))
        return;

    HFONT font = font_->get();
    HWND edit = CreateChild(hwnd(), kDialogEdit, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL,
                            WS_EX_CLIENTEDGE, InFrame(layout.frame, layout.edit), font);
    SetWindowLongPtrW(edit, GWLP_USERDATA,
                      SetWindowLongPtrW(edit, GWLP_WNDPROC, (LONG_PTR)EditProc));
    CreateClippedLabel(hwnd(), kDialogOk, L"ok", InFrame(layout.frame, layout.ok), font,
                       LabelFlags::kButton);
    if (layout.hasBack) {
        HWND back = CreateClippedLabel(hwnd(), kDialogBack, L"<<",
                                       InFrame(layout.frame, layout.back), font,
                                       LabelFlags::kButton, L"back");
        if (layout.backTooltip) {
            tooltips_ = CreateTooltips();
            AddTooltip(tooltips_, back, layout.backTooltip);
        }
    }
    CreateClippedLabel(hwnd(), kDialogStored, L"", layout.stored.Pixels(), font);
    // Made last, so it lies below the controls it holds; "<<" sits across its
    // top line and must stay drawn over it.
    CreateChild(hwnd(), kDialogFrame, L"BUTTON", layout.caption, BS_GROUPBOX | WS_CLIPSIBLINGS, 0,
                layout.frame.Pixels(), font);

    std::string text;
    switch (kind_) {
    case DialogKind::kReason:
        break;  // starts empty, even with a reason stored
    case DialogKind::kHandle:
        FormOnTop(*this);
        text = ReadSetting(kSettingsSection, "handle", kSettingsFile);
        break;
    case DialogKind::kLeftAscii:
        text = settings_.leftAscii;
        break;
    case DialogKind::kRightAscii:
        text = settings_.rightAscii;
        break;
    case DialogKind::kAutoIdle:
        text = settings_.autoIdle;
        break;
    }
    SetEditText(text);
}

std::string SettingsDialog::EditText() const {
    return Narrow(WindowText(GetDlgItem(hwnd(), kDialogEdit)));
}

void SettingsDialog::SetEditText(const std::string& text) {
    SetDlgItemTextW(hwnd(), kDialogEdit, Widen(text).c_str());
    if (std::string Settings::*live = LayoutOf(kind_).liveField) settings_.*live = text;
}

void SettingsDialog::Confirm(int button) {
    const DialogLayout& layout = LayoutOf(kind_);
    const std::string text = EditText();
    const wchar_t* refusal = button == kDialogBack ? layout.refuseEmptyBack : layout.refuseEmptyOk;
    // Unless the dialog says otherwise, only a text of length 0 is refused;
    // blanks are saved.
    if (refusal && !(layout.accepts ? layout.accepts(text) : !text.empty())) {
        MessageBoxW(hwnd(), refusal, kErrorTitle, MB_OK);
        if (GetActiveWindow() == hwnd()) FocusEdit();
        return;
    }
    // The file's read-back, not the typed text, becomes the stored value; the
    // field keeps what was typed.
    const std::string stored = StoreSetting(layout.key, text);
    settings_.*layout.storedField = stored;
    SetDlgItemTextW(hwnd(), kDialogStored, Widen(stored).c_str());
    untilConfirmed_ = false;
    Close();
}

// The chat lines read a decoration from its field as they are built: the
// field put back puts back theirs.
void SettingsDialog::Cancel() {
    if (untilConfirmed_) return;
    SetEditText(opened_);
    Close();
}

// The main window shows before the dialog hides, so the keyboard stays with
// the program.
void SettingsDialog::Close() {
    showMain_();
    ShowWindow(hwnd(), SW_HIDE);
}

void SettingsDialog::OnCommand(int id, int code) {
    switch (id) {
    case kDialogEdit: {
        // Chat lines read the live fields when they are built, so unconfirmed
        // typing shows in the next line.
        std::string Settings::*live = LayoutOf(kind_).liveField;
        if (code == EN_CHANGE && live) settings_.*live = EditText();
        break;
    }
    case kDialogOk:
    case kDialogBack:
        if (code == STN_CLICKED) Confirm(id);
        break;
    }
}

LRESULT SettingsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_KEYDOWN:
        // Enter confirms as "ok" does; Esc cancels.
        if (wParam == VK_RETURN) Confirm(kDialogOk);
        if (wParam == VK_ESCAPE) Cancel();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) FocusEdit();
        return 0;
    case WM_SHOWWINDOW:
        // Esc puts back what the field holds now.
        if (wParam) opened_ = EditText();
        break;
    case WM_CLOSE:
        // Hidden, never destroyed: the way back is a confirm or Esc.
        return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

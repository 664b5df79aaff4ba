// The settings dialogs: what each confirm saves or refuses with a message box,
// what the edit fields start with, and the live values that follow the typing.
#include <gtest/gtest.h>

#include <string>

#include "settings/dialogs.h"
#include "settings/store.h"
#include "tests/support.h"
#include "ui/text.h"

namespace {

// A message box as it stood while up, read by a timer inside its modal loop.
struct Box {
    bool seen = false, icon = false;
    HWND owner = nullptr;
    std::wstring title, text;
    int buttons = 0;
} g_box;

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM) {
    if (!IsWindowVisible(child)) return TRUE;
    wchar_t cls[32] = {}, text[256] = {};
    GetClassNameW(child, cls, 32);
    GetWindowTextW(child, text, 256);
    const bool icon = (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    if (!lstrcmpiW(cls, L"Button")) ++g_box.buttons;
    if (!lstrcmpiW(cls, L"Static") && icon) g_box.icon |= !!SendMessageW(child, STM_GETICON, 0, 0);
    if (!lstrcmpiW(cls, L"Static") && !icon && *text) g_box.text = text;
    return TRUE;
}

// Any box of this thread is read and pressed away, whatever its title, so a
// wrong box fails the test instead of waiting for a person.
BOOL CALLBACK PressBox(HWND window, LPARAM) {
    wchar_t cls[16] = {}, title[64] = {};
    GetClassNameW(window, cls, 16);
    if (lstrcmpW(cls, L"#32770") || !IsWindowVisible(window)) return TRUE;
    if (!g_box.seen) {
        GetWindowTextW(window, title, 64);
        g_box.seen = true;
        g_box.owner = GetWindow(window, GW_OWNER);
        g_box.title = title;
        EnumChildWindows(window, ReadBoxChild, 0);
    }
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), PressBox, 0);
}

// Clicks a label of the dialog as the mouse does; a box it raises is answered.
void Click(const SettingsDialog& dialog, int label) {
    g_box = Box{};
    UINT_PTR timer = SetTimer(nullptr, 0, 10, AnswerBoxes);
    HWND control = GetDlgItem(dialog.hwnd(), label);
    ASSERT_NE(nullptr, control);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(control, WM_LBUTTONUP, 0, 0);
    KillTimer(nullptr, timer);
}

std::wstring Text(const SettingsDialog& dialog, int control) {
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog.hwnd(), control, text, 512);
    return text;
}

void Type(const SettingsDialog& dialog, const std::string& text) {
    SetDlgItemTextW(dialog.hwnd(), kDialogEdit, Widen(text).c_str());
}

// The value's bytes as the file gives them back, in the code page.
std::string FileValue(const char* key) {
    char value[255];
    GetPrivateProfileStringA("norq idle", key, "<missing>", value, sizeof value, "\\norqidle.ini");
    return value;
}

// In DialogKind's order.
struct Kind {
    DialogKind kind;
    const char* key;
    std::string Settings::*stored;
};
const Kind kKinds[] = {
    {DialogKind::kReason, "reason", &Settings::reason},
    {DialogKind::kHandle, "handle", &Settings::handle},
    {DialogKind::kLeftAscii, "left-ascii", &Settings::leftAsciiSaved},
    {DialogKind::kRightAscii, "right-ascii", &Settings::rightAsciiSaved},
};

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(drive_.ok()) << "run through tests/wine-run.sh"; }
    std::string File() const { return ReadFileBytes(drive_.SettingsPath()); }

    OnTestDrive drive_;
    Settings settings_;
};

}  // namespace

TEST_F(SettingsDialogTest, ConfirmSavesTheReadBackOrRefusesAnEmptyText) {
    const wchar_t* const reason = L"you might wanna enter a reason";
    const wchar_t* const handle = L"you might wanna enter a handle";
    const std::string typed(300, 'x'), cut(254, 'x');
    const std::string left = "\xC2\xAB(", right = ")\xC2\xBB";
    using K = DialogKind;
    struct {
        K kind;
        int button;
        std::string text;
        const wchar_t* refusal;  // none: the text is saved
        std::string readBack;
    } const cases[] = {
        {K::kReason, kDialogOk, "", reason, ""},
        {K::kReason, kDialogBack, "", reason, ""},
        {K::kReason, kDialogOk, "  ", nullptr, ""},  // blanks are saved; the file trims them
        {K::kReason, kDialogBack, typed, nullptr, cut},
        {K::kHandle, kDialogBack, "", handle, ""},
        {K::kHandle, kDialogOk, "", nullptr, ""},
        {K::kHandle, kDialogBack, typed, nullptr, cut},
        {K::kLeftAscii, kDialogOk, "", nullptr, ""},
        {K::kLeftAscii, kDialogBack, left, nullptr, left},
        {K::kLeftAscii, kDialogOk, typed, nullptr, cut},
        {K::kRightAscii, kDialogOk, "", nullptr, ""},
        {K::kRightAscii, kDialogOk, right, nullptr, right},
        {K::kRightAscii, kDialogOk, typed, nullptr, cut},
    };
    for (const auto& c : cases) {
        const Kind& kind = kKinds[static_cast<int>(c.kind)];
        SCOPED_TRACE(testing::Message() << kind.key << " button " << c.button << " " << c.text);
        const std::string before = std::string("[norq idle]\r\n") + kind.key + "=old\r\n";
        WriteFileBytes(drive_.SettingsPath(), before);
        settings_.*kind.stored = "old";
        int mainShown = 0;
        SettingsDialog dialog(kind.kind, settings_, [&] { ++mainShown; });
        dialog.Open();
        Type(dialog, c.text);

        Click(dialog, c.button);

        EXPECT_EQ(c.refusal != nullptr, g_box.seen);
        EXPECT_EQ(Widen(c.text), Text(dialog, kDialogEdit));
        if (c.refusal) {
            EXPECT_EQ(L"error", g_box.title);
            EXPECT_EQ(c.refusal, g_box.text);
            EXPECT_EQ(1, g_box.buttons);
            EXPECT_FALSE(g_box.icon);
            EXPECT_EQ(dialog.hwnd(), g_box.owner);
            EXPECT_TRUE(IsWindowVisible(dialog.hwnd()));
            EXPECT_EQ(before, File());
            EXPECT_EQ("old", settings_.*kind.stored);
            EXPECT_EQ(0, mainShown);
        } else {
            EXPECT_EQ(ToAnsi(c.readBack), FileValue(kind.key));
            EXPECT_EQ(c.readBack, settings_.*kind.stored);
            EXPECT_EQ(Widen(c.readBack), Text(dialog, kDialogStored));
            EXPECT_FALSE(IsWindowVisible(dialog.hwnd()));
            EXPECT_EQ(1, mainShown);
        }
    }
}

TEST_F(SettingsDialogTest, FieldsStartAsStoredExceptTheReasonAndFollowTheTypingAtOnce) {
    const std::string file = "[norq idle]\r\nhandle=norqfan\r\nreason=away\r\nleft-ascii=file\r\n";
    WriteFileBytes(drive_.SettingsPath(), file);
    settings_.handle = settings_.reason = "away";
    settings_.leftAscii = "\xC2\xAB(";
    settings_.rightAscii = ")\xC2\xBB";
    SettingsDialog handle(DialogKind::kHandle, settings_, [] {});
    SettingsDialog reason(DialogKind::kReason, settings_, [] {});
    SettingsDialog left(DialogKind::kLeftAscii, settings_, [] {});
    SettingsDialog right(DialogKind::kRightAscii, settings_, [] {});

    handle.Handle();  // created at start-up, on top but not shown
    EXPECT_EQ("norqfan", settings_.handleEdit);
    EXPECT_EQ(L"norqfan", Text(handle, kDialogEdit));
    EXPECT_TRUE(GetWindowLongW(handle.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(IsWindowVisible(handle.hwnd()));
    reason.Open();
    EXPECT_EQ(L"", Text(reason, kDialogEdit));
    EXPECT_FALSE(GetWindowLongW(reason.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    left.Open();
    right.Open();
    EXPECT_EQ(L"\u00AB(", Text(left, kDialogEdit));  // the record's, not the file's
    EXPECT_EQ(L")\u00BB", Text(right, kDialogEdit));
    EXPECT_EQ(nullptr, GetDlgItem(right.hwnd(), kDialogBack));
    EXPECT_EQ(L"right-ascii", Text(right, kDialogFrame));

    Type(handle, "norq");
    Type(left, "[");
    SendDlgItemMessageW(right.hwnd(), kDialogEdit, EM_SETSEL, 0, -1);
    SendDlgItemMessageW(right.hwnd(), kDialogEdit, EM_REPLACESEL, TRUE, (LPARAM)L"]");

    EXPECT_EQ("norq", settings_.handleEdit);
    EXPECT_EQ("away", settings_.handle);
    EXPECT_EQ("[", settings_.leftAscii);
    EXPECT_EQ("]", settings_.rightAscii);
    EXPECT_EQ("", settings_.leftAsciiSaved + settings_.rightAsciiSaved);
    EXPECT_EQ(file, File());
}

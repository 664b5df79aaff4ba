// The settings dialogs: what each confirm saves or refuses with a message box,
// what Esc puts back, what the edit fields start with, and the live values
// that follow the typing.
#include <gtest/gtest.h>

#include "app/program.h"
#include "settings/settings_dialog.h"
#include "settings/store.h"
#include "tests/support.h"
#include "ui/form_on_top.h"
#include "ui/text.h"

namespace {

// Confirms as the user does: a click on a label of the dialog, or Enter
// (VK_RETURN) typed in its edit field. Returns the box it raised.
SeenBox Confirm(const SettingsDialog& dialog, int how) {
    const bool key = how == VK_RETURN;
    HWND control = GetDlgItem(dialog.hwnd(), key ? kDialogEdit : how);
    return AnswerBoxes([&] {
        SendMessageW(control, key ? WM_KEYDOWN : WM_LBUTTONDOWN, key ? how : MK_LBUTTON, 0);
        if (key) SendMessageW(control, WM_CHAR, how, 0);  // as TranslateMessage makes it
        SendMessageW(control, key ? WM_KEYUP : WM_LBUTTONUP, key ? how : 0, 0);
    });
}

// In DialogKind's order: the key and the field that hold the stored value.
const std::pair<const char*, std::string Settings::*> kKinds[] = {
    {"reason", &Settings::reason}, {"handle", &Settings::handle},
    {"left-ascii", &Settings::leftAsciiSaved}, {"right-ascii", &Settings::rightAsciiSaved},
    {"auto idle", &Settings::autoIdle}};

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(drive_.ok()) << "run through tests/wine-run.sh"; }

    OnTestDrive drive_;
    Settings settings_;
};

}  // namespace

// "ok" or Enter, "<<": each saves and closes, or refuses an empty text with a
// box.
TEST_F(SettingsDialogTest, ConfirmByLabelOrKeySavesTheReadBackOrRefusesAnEmptyText) {
    const std::string reason = "error / you might wanna enter a reason / OK|";
    const std::string handle = "error / you might wanna enter a handle / OK|";
    const std::string minutes = "error / you might wanna enter minutes (1-1440) / OK|";
    const std::string typed(300, 'x'), left = "\xC2\xAB(", right = ")\xC2\xBB";
    const int ok = kDialogOk, back = kDialogBack, enter = VK_RETURN;
    using K = DialogKind;
    const struct { K kind; int how; std::string text, refusal; bool saved; std::string readBack; }
        cases[] = {
            {K::kReason, ok, "", reason, false, ""}, {K::kReason, back, "", reason, false, ""},
            {K::kReason, enter, "", reason, false, ""}, {K::kHandle, back, "", handle, false, ""},
            {K::kHandle, ok, "", "", true, ""}, {K::kHandle, enter, "", "", true, ""},
            {K::kReason, ok, "  ", "", true, ""},  // blanks are saved; the file trims them
            {K::kHandle, back, typed, "", true, typed.substr(0, 254)},
            {K::kLeftAscii, ok, "", "", true, ""}, {K::kLeftAscii, back, left, "", true, left},
            {K::kRightAscii, ok, right, "", true, right},
            {K::kRightAscii, enter, right, "", true, right},
            {K::kAutoIdle, ok, "90", "", true, "90"}, {K::kAutoIdle, back, "0", minutes, false, ""},
            {K::kAutoIdle, enter, " 5", minutes, false, ""},
            {K::kAutoIdle, ok, "1441", minutes, false, ""}, {K::kAutoIdle, back, "", "", true, ""}};
    for (const auto& c : cases) {
        const auto& [key, stored] = kKinds[static_cast<int>(c.kind)];
        SCOPED_TRACE(testing::Message() << key << " by " << c.how << " " << c.text);
        const std::string before = std::string("[norq idle]\r\n") + key + "=old\r\n";
        WriteFileBytes(drive_.SettingsPath(), before);
        settings_.*stored = "old";
        int mainShown = 0;
        SettingsDialog dialog(c.kind, settings_, [&] { ++mainShown; });
        ShowOnTop(dialog);
        SetDlgItemTextW(dialog.hwnd(), kDialogEdit, Widen(c.text).c_str());

        const SeenBox box = Confirm(dialog, c.how);

        EXPECT_EQ(c.refusal, box.Shown());
        EXPECT_EQ(c.refusal.empty() ? nullptr : dialog.hwnd(), box.owner);
        // After the box the typing goes back into the field.
        EXPECT_EQ(box.seen ? GetDlgItem(dialog.hwnd(), kDialogEdit) : GetFocus(), GetFocus());
        EXPECT_EQ(c.text, TextOf(GetDlgItem(dialog.hwnd(), kDialogEdit)));  // all of it, as typed
        if (c.saved) EXPECT_EQ(c.readBack, ReadSetting(kSettingsSection, key, kSettingsFile));
        else EXPECT_EQ(before, ReadFileBytes(drive_.SettingsPath()));  // nothing written
        EXPECT_EQ(c.saved ? c.readBack : "old", settings_.*stored);
        EXPECT_EQ(c.saved ? c.readBack : "", TextOf(GetDlgItem(dialog.hwnd(), kDialogStored)));
        EXPECT_EQ(!c.saved, IsWindowVisible(dialog.hwnd()));
        EXPECT_EQ(c.saved, mainShown == 1);
    }
}

// Esc after typing, from the keyboard: a dialog opened from the menu puts its
// field back as it was opened (and the decoration the chat lines read with
// it), saves nothing and gives way to the main window; the handle dialog of a
// first start stays as it is, since a handle is needed.
TEST_F(SettingsDialogTest, EscPutsBackTheFieldAsOpenedAndSavesNothingButAtAFirstStart) {
    using K = DialogKind;
    // The command menu's entry of each dialog, by DialogKind.
    const char* const kEntries[] = {"reason", "user", "lascii", "rascii", "autoidle"};
    const struct {
        K kind;
        std::string file, opened;
        std::string Settings::*live;  // what the chat lines read from the field
        bool firstStart;
    } cases[] = {
        {K::kReason, "handle=ann\r\nreason=away\r\n", "", nullptr, false},
        {K::kHandle, "handle=ann\r\n", "ann", &Settings::handleEdit, false},
        {K::kLeftAscii, "handle=ann\r\nleft-ascii=\xAB(\r\n", "\xC2\xAB(", &Settings::leftAscii,
         false},
        {K::kRightAscii, "handle=ann\r\nright-ascii=)\r\n", ")", &Settings::rightAscii, false},
        {K::kAutoIdle, "handle=ann\r\nauto idle=5\r\n", "5", nullptr, false},
        {K::kHandle, "reason=away\r\n", "", &Settings::handleEdit, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << kKinds[static_cast<int>(c.kind)].first
                                        << (c.firstStart ? " at a first start" : ""));
        const std::string file = "[norq idle]\r\n" + c.file;
        WriteFileBytes(drive_.SettingsPath(), file);
        Program program([] {});
        program.OpenMain();
        const Settings& settings = program.settings();
        const HWND main = program.main().hwnd();
        SettingsDialog& dialog = program.dialog(c.kind);
        if (!c.firstStart) {
            SetForegroundWindow(main);
            program.menu().Run(CommandMenu::CommandOf(kEntries[static_cast<int>(c.kind)]));
        }
        HWND edit = GetDlgItem(dialog.hwnd(), kDialogEdit);
        ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit; }, 3000));
        EXPECT_EQ(c.opened, TextOf(edit));
        Type("9");  // over the text, which the dialog selects
        if (c.live) {
            EXPECT_EQ("9", settings.*c.live);
        }

        Key(VK_ESCAPE);

        const std::string field = c.firstStart ? "9" : c.opened;
        EXPECT_EQ(field, TextOf(edit));
        if (c.live) {
            EXPECT_EQ(field, settings.*c.live);
        }
        EXPECT_EQ(file, ReadFileBytes(drive_.SettingsPath()));
        EXPECT_EQ(c.firstStart, IsWindowVisible(dialog.hwnd()) != FALSE);
        EXPECT_TRUE(IsWindowVisible(main));
        EXPECT_EQ(c.firstStart ? dialog.hwnd() : main, GetForegroundWindow());
    }
}

TEST_F(SettingsDialogTest, FieldsStartAsStoredExceptTheReasonAndFollowTheTypingAtOnce) {
    const std::string file = "[norq idle]\r\nhandle=norqfan\r\nreason=away\r\nleft-ascii=file\r\n";
    WriteFileBytes(drive_.SettingsPath(), file);
    settings_.handle = settings_.reason = "away";
    settings_.leftAscii = "\xC2\xAB(";
    settings_.rightAscii = ")\xC2\xBB";
    using K = DialogKind;
    auto none = [] {};
    SettingsDialog handle(K::kHandle, settings_, none), reason(K::kReason, settings_, none);
    SettingsDialog left(K::kLeftAscii, settings_, none), right(K::kRightAscii, settings_, none);

    handle.Handle();  // created at start-up, on top but not shown
    EXPECT_EQ("norqfan", settings_.handleEdit);
    EXPECT_FALSE(IsWindowVisible(handle.hwnd()));
    for (SettingsDialog* dialog : {&reason, &left, &right}) ShowOnTop(*dialog);
    // The decorations are the record's, not the file's; every dialog is on top.
    std::vector<std::string> texts;
    for (SettingsDialog* dialog : {&handle, &reason, &left, &right}) {
        texts.push_back(TextOf(GetDlgItem(dialog->hwnd(), kDialogEdit)));
        EXPECT_TRUE(GetWindowLongW(dialog->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        SetDlgItemTextW(dialog->hwnd(), kDialogEdit, L"typed");
    }
    EXPECT_EQ((std::vector<std::string>{"norqfan", "", "\xC2\xAB(", ")\xC2\xBB"}), texts);
    EXPECT_EQ("typed typed typed",
              settings_.handleEdit + " " + settings_.leftAscii + " " + settings_.rightAscii);
    // Nothing stored changes before a confirm.
    EXPECT_EQ("away away", settings_.handle + " " + settings_.reason);
    EXPECT_EQ("", settings_.leftAsciiSaved + settings_.rightAsciiSaved);
    EXPECT_EQ(file, ReadFileBytes(drive_.SettingsPath()));
}

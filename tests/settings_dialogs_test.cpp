// The settings dialogs: what each confirm saves or refuses with a message box,
// what the edit fields start with, and the live values that follow the typing.
#include <gtest/gtest.h>

#include "settings/dialogs.h"
#include "settings/store.h"
#include "tests/support.h"
#include "ui/text.h"

namespace {

// Clicks a label of the dialog as the mouse does; returns the box it raised.
SeenBox Click(const SettingsDialog& dialog, int label) {
    HWND control = GetDlgItem(dialog.hwnd(), label);
    return AnswerBoxes([&] {
        SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(control, WM_LBUTTONUP, 0, 0);
    });
}

std::string Text(const SettingsDialog& dialog, int control) {
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog.hwnd(), control, text, 512);
    return Narrow(text);
}

void Type(const SettingsDialog& dialog, const std::string& text) {
    SetDlgItemTextW(dialog.hwnd(), kDialogEdit, Widen(text).c_str());
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

TEST_F(SettingsDialogTest, ConfirmSavesTheReadBackOrRefusesAnEmptyText) {
    const std::string reason = "error / you might wanna enter a reason / OK|";
    const std::string handle = "error / you might wanna enter a handle / OK|";
    const std::string minutes = "error / you might wanna enter minutes (1-1440) / OK|";
    const std::string typed(300, 'x'), left = "\xC2\xAB(", right = ")\xC2\xBB";
    using K = DialogKind;
    // No refusal: the text is saved, and the file's read-back is stored.
    const struct { K kind; int button; std::string text, refusal, readBack; } cases[] = {
        {K::kReason, kDialogOk, "", reason, ""}, {K::kReason, kDialogBack, "", reason, ""},
        {K::kHandle, kDialogBack, "", handle, ""}, {K::kHandle, kDialogOk, "", "", ""},
        {K::kReason, kDialogOk, "  ", "", ""},  // blanks are saved; the file trims them
        {K::kHandle, kDialogBack, typed, "", typed.substr(0, 254)},
        {K::kLeftAscii, kDialogOk, "", "", ""}, {K::kLeftAscii, kDialogBack, left, "", left},
        {K::kRightAscii, kDialogOk, right, "", right}, {K::kAutoIdle, kDialogOk, "90", "", "90"},
        {K::kAutoIdle, kDialogBack, "0", minutes, ""}, {K::kAutoIdle, kDialogOk, " 5", minutes, ""},
        {K::kAutoIdle, kDialogOk, "1441", minutes, ""}, {K::kAutoIdle, kDialogBack, "", "", ""}};
    for (const auto& c : cases) {
        const auto& [key, stored] = kKinds[static_cast<int>(c.kind)];
        SCOPED_TRACE(testing::Message() << key << " button " << c.button << " " << c.text);
        const std::string before = std::string("[norq idle]\r\n") + key + "=old\r\n";
        WriteFileBytes(drive_.SettingsPath(), before);
        settings_.*stored = "old";
        int mainShown = 0;
        SettingsDialog dialog(c.kind, settings_, [&] { ++mainShown; });
        dialog.Open();
        Type(dialog, c.text);

        const SeenBox box = Click(dialog, c.button);

        const bool saved = c.refusal.empty();
        EXPECT_EQ(c.refusal, box.Shown());
        EXPECT_EQ(saved ? nullptr : dialog.hwnd(), box.owner);
        EXPECT_EQ(c.text, Text(dialog, kDialogEdit));  // all of it, as typed
        if (saved) EXPECT_EQ(c.readBack, ReadSetting(kSettingsSection, key, kSettingsFile));
        else EXPECT_EQ(before, ReadFileBytes(drive_.SettingsPath()));  // nothing written
        EXPECT_EQ(saved ? c.readBack : "old", settings_.*stored);
        EXPECT_EQ(saved ? c.readBack : "", Text(dialog, kDialogStored));
        EXPECT_EQ(!saved, IsWindowVisible(dialog.hwnd()));
        EXPECT_EQ(saved ? 1 : 0, mainShown);
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
    EXPECT_EQ("norqfan", Text(handle, kDialogEdit));
    EXPECT_TRUE(GetWindowLongW(handle.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(IsWindowVisible(handle.hwnd()));
    for (SettingsDialog* dialog : {&reason, &left, &right}) dialog->Open();
    EXPECT_EQ("", Text(reason, kDialogEdit));
    EXPECT_EQ("\xC2\xAB(", Text(left, kDialogEdit));  // the record's, not the file's
    EXPECT_EQ(")\xC2\xBB", Text(right, kDialogEdit));

    for (SettingsDialog* dialog : {&handle, &reason, &left, &right}) Type(*dialog, "typed");

    EXPECT_EQ("typed", settings_.handleEdit);
    EXPECT_EQ("typed", settings_.leftAscii);
    EXPECT_EQ("typed", settings_.rightAscii);
    // Nothing stored changes before a confirm.
    EXPECT_EQ("away away", settings_.handle + " " + settings_.reason);
    EXPECT_EQ("", settings_.leftAsciiSaved + settings_.rightAsciiSaved);
    EXPECT_EQ(file, ReadFileBytes(drive_.SettingsPath()));
}

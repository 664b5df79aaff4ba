// Finding the file transfer window and reading it, against hostsim's real
// windows on a thread of their own, and reading texts that a window changes
// or miscounts while it answers.
#include <gtest/gtest.h>

#include <optional>

#include "host/transfer.h"
#include "hostsim/hostsim.h"
#include "idler/transfer.h"
#include "ui/text.h"

namespace {

const char kTransfer[] = "File Transfer - 45%";
const std::vector<hostsim::Child> kSongStatics = {{"_AOL_Static", "Downloading song.mp3"},
                                                  {"_AOL_Static", "About 12 minutes"}};

// File name, percent and minutes left, as the three readers give them, of
// the window they look for afresh or of one found before.
using Readings = std::vector<std::string>;
Readings ReadAll(HostWindowHandle transfer = FindTransferWindow()) {
    return {TransferFileName(transfer), TransferPercent(transfer), TransferMinutesLeft(transfer)};
}

// How a window answers the two questions: its text may change to `after`
// right after it has given its length, as a host's does when it updates
// between the two, and it may claim a `length` that no text has; `expected`
// is what the reader makes of it.
struct Answers { const char *text, *after; std::optional<LRESULT> length; const char* expected; };
const Answers* g_answers = nullptr;

LRESULT CALLBACK AnswersProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = DefWindowProcA(window, message, wParam, lParam);
    if (!g_answers || message != WM_GETTEXTLENGTH) return result;
    if (g_answers->after) SetWindowTextA(window, g_answers->after);
    return g_answers->length.value_or(result);
}

}  // namespace

TEST(TransferReaders, OnlyReadAndLookForTheWindowAgainEachTimeReadingLongTextsExactly) {
    hostsim::Host host;
    host.OpenDocument(kTransfer, kSongStatics);
    EXPECT_EQ((Readings{"song.mp3", "45", " 12 "}), ReadAll());
    // Nothing pressed, nothing typed: only text reads reached the host.
    EXPECT_EQ("", hostsim::Describe(hostsim::Inputs(host.Log())));

    // A caption far beyond any fixed buffer or 16-bit count, with every byte
    // the code page shares with Latin-1 but the NUL (and "|", which hostsim's
    // command takes apart, and "%", which would end the percent).
    std::wstring latin1;
    for (wchar_t c = 1; latin1.size() < 100000; c = c % 0xFF + 1)
        if (c != L'|' && c != L'%' && (c < 0x80 || c >= 0xA0)) latin1 += c;
    host.SetText(kTransfer, "File Transfer - " + std::string(latin1.begin(), latin1.end()) + "%");
    // Compared, not printed: 100000 characters.
    EXPECT_TRUE("File Transfer - " + Narrow(latin1) + "%" == ReadWindowText(FindTransferWindow()));
    EXPECT_TRUE(Narrow(latin1) == TransferPercent());

    // A transfer window above it with one static only: no minutes.
    host.OpenDocument("File Transfer - 9%", {{"_AOL_Static", "Downloading tune.wav"}});
    EXPECT_EQ((Readings{"tune.wav", "9", ""}), ReadAll());

    // Handed a window found once, as the tick does: nothing once it has
    // closed, though another transfer window is still up.
    HostWindowHandle found = FindTransferWindow();
    host.Close("File Transfer - 9%");
    EXPECT_EQ(Readings(3), ReadAll(found));
    host.Close(kTransfer);
    EXPECT_EQ(Readings(3), ReadAll());
}

TEST(FindTransferWindow, AsksEachDocumentInChildOrderForTheMarkInExactlyThatCase) {
    hostsim::Host host;
    host.OpenDocument("File Transfer - 10%", kSongStatics);
    host.OpenDocument(kTransfer, kSongStatics);
    host.OpenRoom("Lobby");
    EXPECT_EQ("45", TransferPercent());
    // Length, then room for the text and its NUL; the one below is never asked.
    const std::string reads = "File Transfer - 45% WM_GETTEXTLENGTH 0 0\n"
                              "File Transfer - 45% WM_GETTEXT 20 0\n";
    EXPECT_EQ("Lobby WM_GETTEXTLENGTH 0 0\nLobby WM_GETTEXT 6 0\n" + reads + reads,
              hostsim::Describe(host.Log()));

    for (const char* caption : {"file transfer - 45%", "FILE TRANSFER - 45%",
                                "File Transfer -45%", "File transfer - 45%"})
        host.OpenDocument(caption, kSongStatics);
    EXPECT_EQ(kTransfer, ReadWindowText(FindTransferWindow()));
    // Contained anywhere is enough.
    host.OpenDocument("Mail - File Transfer - 45%", kSongStatics);
    EXPECT_EQ("Mail - File Transfer - 45%", ReadWindowText(FindTransferWindow()));
}

TEST(TransferWindowText, KeepsOnlyWhatTheWindowCopiedEvenWhenTheTextChanges) {
    const Answers cases[] = {
        // The text grows after giving its length: no more than fits is copied.
        {"12345", "1234567890", {}, "12345"},
        // It shrinks: the NULs behind what was copied are not text.
        {"1234567890", "123", {}, "123"},
        // A length that no host window's text has: nothing is read.
        {"abc", nullptr, 0x7FFFFFFF, ""},
    };
    WNDCLASSA answering = {};
    answering.lpfnWndProc = AnswersProc, answering.lpszClassName = "norq test answers";
    RegisterClassA(&answering);
    for (const Answers& answers : cases) {
        HWND window = CreateWindowExA(0, answering.lpszClassName, answers.text, 0, 0, 0, 0, 0,
                                      HWND_MESSAGE, nullptr, nullptr, nullptr);
        g_answers = &answers;
        EXPECT_EQ(answers.expected, ReadWindowText(window)) << "case " << &answers - cases;
        g_answers = nullptr;
        DestroyWindow(window);
    }
}

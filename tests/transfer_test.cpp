// Finding the file transfer window and reading it, against hostsim's real
// windows on a thread of their own.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "host/transfer.h"
#include "hostsim/hostsim.h"
#include "idler/transfer.h"

using hostsim::Describe;
using hostsim::Host;
using hostsim::Inputs;

namespace {

const char kTransfer[] = "File Transfer - 45%";
const char kFileLine[] = "File Transfer - 45%.static1";
const char kTimeLine[] = "File Transfer - 45%.static2";
const std::vector<hostsim::Child> kSongStatics = {{"_AOL_Static", "Downloading song.mp3"},
                                                  {"_AOL_Static", "About 12 minutes"}};

struct Readings {
    std::string fileName, percent, minutesLeft;
    bool operator==(const Readings& o) const {
        return fileName == o.fileName && percent == o.percent && minutesLeft == o.minutesLeft;
    }
};

void PrintTo(const Readings& r, std::ostream* out) {
    *out << "{\"" << r.fileName << "\", \"" << r.percent << "\", \"" << r.minutesLeft << "\"}";
}

Readings ReadAll() { return {TransferFileName(), TransferPercent(), TransferMinutesLeft()}; }

const Readings kNothing = {"", "", ""};
const Readings kSong = {"song.mp3", "45", " 12 "};

// The caption as the host shows it; the host's own read, not recorded.
std::string CaptionOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Code page 1252 agrees with Latin-1 on these bytes: 0x01-0x7F and 0xA0-0xFF.
std::string Latin1ToUtf8(const std::string& bytes) {
    std::string utf8;
    for (unsigned char c : bytes) {
        if (c < 0x80) {
            utf8 += (char)c;
        } else {
            utf8 += (char)(0xC0 | (c >> 6));
            utf8 += (char)(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

/* TransferPercent() with a chat room above the transfer window */
const char kPercentBelowARoom[] =
    "Lobby WM_GETTEXTLENGTH 0 0\n"
    "Lobby WM_GETTEXT 6 0\n"
    "File Transfer - 45% WM_GETTEXTLENGTH 0 0\n"
    "File Transfer - 45% WM_GETTEXT 20 0\n"
    "File Transfer - 45% WM_GETTEXTLENGTH 0 0\n"
    "File Transfer - 45% WM_GETTEXT 20 0\n";

// A window of the test's own that answers the two questions as told: its
// text may change right after it has given its length, as a host's does
// when it updates between the two, and it may claim what is not so.
struct Answers {
    explicit Answers(std::string text, std::optional<std::string> textAfterLength = {})
        : text(std::move(text)), textAfterLength(std::move(textAfterLength)) {}
    std::string text;
    std::optional<std::string> textAfterLength;
    std::optional<LRESULT> length;  // claimed instead of the true length
    std::optional<LRESULT> copied;  // claimed instead of the true count
    WPARAM bufferSize = 0;          // as the reader gave it
};

LRESULT CALLBACK AnswersProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* a = reinterpret_cast<Answers*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (a && message == WM_GETTEXTLENGTH) {
        LRESULT length = DefWindowProcA(window, message, wParam, lParam);
        if (a->textAfterLength) SetWindowTextA(window, a->textAfterLength->c_str());
        return a->length.value_or(length);
    }
    if (a && message == WM_GETTEXT) {
        a->bufferSize = wParam;
        LRESULT copied = DefWindowProcA(window, message, wParam, lParam);
        return a->copied.value_or(copied);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class AnswersWindow {
public:
    explicit AnswersWindow(Answers& answers) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = AnswersProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "norq test answers";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, wc.lpszClassName, answers.text.c_str(), 0, 0, 0, 0, 0,
                                  HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, (LONG_PTR)&answers);
    }
    ~AnswersWindow() { DestroyWindow(window_); }
    HWND get() const { return window_; }

private:
    HWND window_ = nullptr;
};

std::string ReadAnswers(Answers answers, WPARAM* bufferSize = nullptr) {
    AnswersWindow window(answers);
    std::string text = ReadWindowText(window.get());
    if (bufferSize) *bufferSize = answers.bufferSize;
    return text;
}

}  // namespace

TEST(TransferReaders, ReadNameCaptionAndTimeWithoutPressingAnything) {
    Host host;
    host.OpenDocument(kTransfer, kSongStatics);
    host.ClearLog();

    EXPECT_EQ(kSong, ReadAll());

    // Only text reads reached the host.
    EXPECT_EQ("", Describe(Inputs(host.Log())));
}

TEST(TransferReaders, LookForTheWindowAgainEachTime) {
    Host host;
    host.OpenDocument(kTransfer, kSongStatics);
    EXPECT_EQ(kSong, ReadAll());

    host.SetText(kTransfer, "File Transfer - 46%");
    host.SetText(kFileLine, "Downloading tune.wav");
    host.SetText(kTimeLine, "About 11 minutes");
    EXPECT_EQ((Readings{"tune.wav", "46", " 11 "}), ReadAll());

    host.Close(kTransfer);
    EXPECT_EQ(nullptr, FindTransferWindow());
    EXPECT_EQ(kNothing, ReadAll());
}

TEST(TransferReaders, TextsWithoutTheirEndMarksAreKeptWhole) {
    Host host;
    host.OpenDocument("File Transfer - paused", {{"_AOL_Static", "Uploading song.mp3"},
                                                 {"_AOL_Static", "About an hour"}});

    EXPECT_EQ((Readings{"song.mp3", "paused", " an hour"}), ReadAll());
}

TEST(TransferReaders, OneStaticOnlyLeavesTheMinutesEmpty) {
    Host host;
    host.OpenDocument(kTransfer, {{"_AOL_Static", "Downloading song.mp3"}});

    EXPECT_EQ((Readings{"song.mp3", "45", ""}), ReadAll());
}

TEST(TransferReaders, CountOnlyStaticsAmongTheChildren) {
    Host host;
    host.OpenDocument(kTransfer, {{"_AOL_Icon", "Cancel in 3 minutes"},
                                  {"_AOL_Static", "Downloading song.mp3"},
                                  {"_AOL_Icon", "About 99 minutes"},
                                  {"_AOL_Static", "About 12 minutes"}});
    EXPECT_EQ(kSong, ReadAll());
}

TEST(TransferReaders, WindowWithoutStaticsGivesOnlyThePercent) {
    Host host;
    host.OpenDocument(kTransfer, {{"_AOL_Icon", "Downloading song.mp3"}});

    EXPECT_EQ((Readings{"", "45", ""}), ReadAll());
}

TEST(TransferReaders, TextComesFromTheCodePage) {
    Host host;
    // A no-break space after the lead's "g" is one character, as a blank is.
    host.OpenDocument(kTransfer, {{"_AOL_Static", "Downloading\xA0" "caf\xE9 \x96 mix.mp3"},
                                  {"_AOL_Static", "\xDC" "brig \xBD minutes"}});

    EXPECT_EQ((Readings{"caf\u00E9 \u2013 mix.mp3", "45", " \u00BD "}), ReadAll());
}

TEST(TransferReaders, WithoutAHostAllAreEmpty) {
    ASSERT_EQ(nullptr, FindWindowA("AOL Frame25", nullptr));

    EXPECT_EQ(nullptr, FindTransferWindow());
    EXPECT_EQ(kNothing, ReadAll());
    EXPECT_EQ("", ReadWindowText(nullptr));
}

TEST(TransferReaders, WithoutATransferWindowAllAreEmpty) {
    Host host;
    host.OpenRoom("Lobby");
    host.OpenDocument("Welcome, Guest", kSongStatics);
    host.ClearLog();

    EXPECT_EQ(nullptr, FindTransferWindow());
    EXPECT_EQ(kNothing, ReadAll());
    EXPECT_EQ("", Describe(Inputs(host.Log())));
}

TEST(FindTransferWindow, FindsItBelowOtherDocuments) {
    Host host;
    host.OpenDocument(kTransfer, kSongStatics);
    host.OpenDocument("Welcome, Guest", {{"_AOL_Static", "Reading mail"},
                                         {"_AOL_Static", "Since 3 minutes"}});
    host.OpenRoom("Lobby");
    ASSERT_EQ((std::vector<std::string>{"Lobby", "Welcome, Guest", kTransfer}),
              host.Documents());

    EXPECT_EQ(kTransfer, CaptionOf(FindTransferWindow()));
    EXPECT_EQ(kSong, ReadAll());
}

TEST(FindTransferWindow, AsksEachDocumentForItsTextInChildOrder) {
    Host host;
    host.OpenDocument(kTransfer, kSongStatics);
    host.OpenRoom("Lobby");
    host.ClearLog();

    EXPECT_EQ("45", TransferPercent());

    EXPECT_EQ(kPercentBelowARoom, Describe(host.Log()));
}

TEST(FindTransferWindow, TakesTheFirstOfTwoInChildOrder) {
    Host host;
    host.OpenDocument("File Transfer - 10%", kSongStatics);
    host.OpenDocument("File Transfer - 90%", kSongStatics);
    EXPECT_EQ("90", TransferPercent());

    host.BringToTop("File Transfer - 10%");
    EXPECT_EQ("10", TransferPercent());
}

TEST(FindTransferWindow, CaptionMustContainTheMarkInExactlyThatCase) {
    Host host;
    host.OpenDocument("file transfer - 45%", kSongStatics);
    host.OpenDocument("FILE TRANSFER - 45%", kSongStatics);
    host.OpenDocument("File Transfer -45%", kSongStatics);
    host.OpenDocument("File transfer - 45%", kSongStatics);

    EXPECT_EQ(nullptr, FindTransferWindow());
    EXPECT_EQ(kNothing, ReadAll());

    // Contained anywhere is enough.
    host.OpenDocument("Mail - File Transfer - 45%", kSongStatics);
    EXPECT_EQ("Mail - File Transfer - 45%", CaptionOf(FindTransferWindow()));
}

TEST(FindTransferWindow, WithoutTheHostAStrayDocumentElsewhereIsNotIt) {
    ASSERT_EQ(nullptr, FindWindowA("AOL Frame25", nullptr));
    // A top-level window of the document class, as some other program may
    // leave behind: not inside any host, so not a transfer window.
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "AOL Child";
    RegisterClassA(&wc);
    HWND stray = CreateWindowExA(0, wc.lpszClassName, kTransfer, WS_OVERLAPPED, 0, 0, 100, 100,
                                 nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, stray);

    EXPECT_EQ(nullptr, FindTransferWindow());
    EXPECT_EQ(kNothing, ReadAll());
    DestroyWindow(stray);
}

TEST(TransferWindowText, AsksForTheLengthThenForThatManyCharacters) {
    Host host;
    host.OpenDocument(kTransfer, kSongStatics);
    HWND fileLine = FindWindowExA(FindTransferWindow(), nullptr, "_AOL_Static", nullptr);
    host.ClearLog();

    EXPECT_EQ("Downloading song.mp3", ReadWindowText(fileLine));

    // Room for the twenty characters and the closing NUL.
    EXPECT_EQ("File Transfer - 45%.static1 WM_GETTEXTLENGTH 0 0\n"
              "File Transfer - 45%.static1 WM_GETTEXT 21 0\n",
              Describe(host.Log()));
}

TEST(TransferWindowText, EmptyTextIsAskedForAndReadsEmpty) {
    Host host;
    host.OpenDocument(kTransfer, {{"_AOL_Static", ""}});
    HWND fileLine = FindWindowExA(FindTransferWindow(), nullptr, "_AOL_Static", nullptr);
    host.ClearLog();

    EXPECT_EQ("", ReadWindowText(fileLine));

    EXPECT_EQ("File Transfer - 45%.static1 WM_GETTEXTLENGTH 0 0\n"
              "File Transfer - 45%.static1 WM_GETTEXT 1 0\n",
              Describe(host.Log()));
}

TEST(TransferWindowText, ReadsALongCaptionExactly) {
    Host host;
    host.OpenDocument(kTransfer, kSongStatics);
    // Far beyond any fixed buffer or 16-bit count, with every byte the code
    // page shares with Latin-1 but the NUL (and "|", which hostsim's command
    // takes apart, and "%", which would end the percent).
    std::string bytes;
    while (bytes.size() < 100000) {
        for (int c = 1; c < 0x100; ++c)
            if (c != '|' && c != '%' && (c < 0x80 || c >= 0xA0)) bytes += (char)c;
    }
    const std::string caption = "File Transfer - " + bytes + "%";
    host.SetText(kTransfer, caption);

    const std::string read = ReadWindowText(FindTransferWindow());
    EXPECT_EQ(Latin1ToUtf8(caption).size(), read.size());
    EXPECT_TRUE(Latin1ToUtf8(caption) == read);
    EXPECT_TRUE(Latin1ToUtf8(bytes) == TransferPercent());
}

TEST(TransferWindowText, TextThatChangesBetweenTheQuestionsIsReadAsCopied) {
    Answers grows{"12345", "1234567890"};
    WPARAM bufferSize = 0;
    EXPECT_EQ("12345", ReadAnswers(grows, &bufferSize));
    EXPECT_EQ(6u, bufferSize);

    Answers shrinks{"1234567890", "123"};
    EXPECT_EQ("123", ReadAnswers(shrinks));

    Answers empties{"1234567890", ""};
    EXPECT_EQ("", ReadAnswers(empties));
}

TEST(TransferWindowText, ClaimsBeyondTheBufferAreNotBelieved) {
    Answers copiedTooMany{"abc"};
    copiedTooMany.copied = 1000;
    EXPECT_EQ("abc", ReadAnswers(copiedTooMany));

    Answers copiedBelowZero{"abc"};
    copiedBelowZero.copied = -1;
    EXPECT_EQ("", ReadAnswers(copiedBelowZero));

    Answers lengthBelowZero{"abc"};
    lengthBelowZero.length = -5;
    EXPECT_EQ("", ReadAnswers(lengthBelowZero));

    // A length no text in a 32-bit program's memory can have.
    Answers lengthTooLarge{"abc"};
    lengthTooLarge.length = 0x7FFFFFFF;
    EXPECT_EQ("", ReadAnswers(lengthTooLarge));
}

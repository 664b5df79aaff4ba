// What the tests share, and the benchmark with them: pumping for a bound,
// real input, CPU readings, the test's own drive, files, a clock that tests
// drive, the programs built beside the tests, and the sound that came out.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "host/sequencer.h"
#include "tests/expected_lines.h"

// Handles this thread's messages for about `ms` milliseconds, sleeping in
// between: lets posted messages and timers run, deterministically bounded.
void Pump(DWORD ms);

// Pumps until the host's sequencer has run every operation (true), or `ms`
// have passed.
bool RunHostSteps(DWORD ms = 10000);

// Pumps until done() holds or `ms` have passed; returns done().
template <class Done>
bool PumpUntil(Done done, DWORD ms = 5000) {
    for (const DWORD start = GetTickCount(); !done(); Pump(10))
        if (GetTickCount() - start >= ms) return done();
    return true;
}

// Real input, as the mouse and keyboard give it (SendInput), each followed by
// a short pump. Mouse moves to (x, y) on the screen with flags' buttons;
// ClickAt presses and releases the left button at (x, y) of window's client
// area, ClickOn in the middle of a control; Type types printable ASCII text
// as key presses, Key presses and releases one key.
void Mouse(DWORD flags, int x, int y);
void ClickAt(HWND window, int x, int y);
void ClickOn(HWND control);
void Type(const std::string& text);
void Key(WORD vk);
// Presses the keys in order and releases them in reverse; pumps a moment
// after unless told not to (keys meant for a menu they open, which holds the
// pump until it closes).
void Chord(std::initializer_list<WORD> vks, bool pump = true);

// CPU used so far in 100 ns units, kept whole: two readings of a process or
// thread that did not run differ by exactly nothing. 0 where it cannot be read.
unsigned long long ProcessCpuTicks(HANDLE process);
unsigned long long ThreadCpuTicks();  // this thread's
double ThreadCpuSeconds();

// Starts a command line in folder (the current one when empty); false when
// it cannot be started.
bool Launch(std::string commandLine, const std::string& folder, PROCESS_INFORMATION& info,
            DWORD flags = 0);

// The environment variable's value, or "" when it is not set.
std::string Env(const char* name);
// The drive that wine-run.sh mapped for this test ("m:"), or "" when none.
std::string TestDrive();
// A drive it mapped whose root no file can be created in, or "".
std::string LockedDrive();

std::string ReadFileBytes(const std::string& path);
// A window's text (a control's too), as UTF-8.
std::string TextOf(HWND window);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// A program built beside the tests (or one of the system's, by its full
// path), started for one test in `folder` (the test's own when empty). If it
// still runs when the test ends it is ended: left on the desktop, the next
// test would find its windows.
class ChildProcess {
public:
    ChildProcess(const char* program, const std::string& arguments = "",
                 const std::string& folder = "");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return info_.hProcess != nullptr; }
    DWORD id() const { return info_.dwProcessId; }
    bool Running() const {
        return started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
    }
    // Pumps until the program has ended or ms have passed; true when it has.
    bool WaitForEnd(DWORD ms) const { return PumpUntil([&] { return !Running(); }, ms); }
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }
    // Its first visible top-level window of that class, made on its main thread.
    HWND Window(const wchar_t* className) const;

private:
    PROCESS_INFORMATION info_ = {};
};

// A message box of this thread as it stood while it was up.
struct SeenBox {
    bool seen = false;
    HWND owner = nullptr;
    // UTF-8; buttons: each visible button's caption, then "|"
    std::string title, text, buttons;
    bool icon = false;        // an icon was shown
    // "title / text / buttons", " / icon" after them if one was shown; "" for no box.
    std::string Shown() const {
        return seen ? title + " / " + text + " / " + buttons + (icon ? " / icon" : "") : "";
    }
};

// Runs action while a timer reads every box of this thread that comes up and
// answers it with OK, so a wrong box fails the test instead of waiting for a
// person. Returns the first box.
SeenBox AnswerBoxes(const std::function<void()>& action);

// Makes the test drive current for the test's life, with no settings file on
// it nor in the application-data folder but the one given, and puts the old
// current directory back afterwards.
class OnTestDrive {
public:
    explicit OnTestDrive(const std::string& settings = "");
    ~OnTestDrive();
    bool ok() const { return ok_; }
    // The settings file on the test drive, as a path the test can open.
    std::string SettingsPath() const;
    // Its other home: "%APPDATA%\norq idle\norqidle.ini".
    static std::string AppDataSettingsPath();

private:
    void RemoveSettings() const;
    char previous_[MAX_PATH] = {};
    bool ok_ = false;
};

// A clock of the test's own for the host's steps. The program idles through
// a pause at once, the next time its message loop comes round, and the clock
// moves by exactly the time asked for, so a pause's length is known to the
// millisecond; a look at the host waits as long as it asks in real time too,
// since the host works in real time. Its time of day wraps at midnight as
// the real one does.
class FakeClock : public StepClock {
public:
    explicit FakeClock(float sinceMidnight) : start_(sinceMidnight) {}
    ~FakeClock() override { SetStepClock(nullptr); }
    void Install() { SetStepClock(this); }
    // Runs in every idle of a pause, before its time has passed, as if
    // something arrived while the program slept.
    void OnIdle(std::function<void()> action) { onIdle_ = std::move(action); }
    // Idles end after at most this long, as when a message wakes the program.
    void SetIdleStep(double seconds) { step_ = seconds; }
    // Time passing while the program sleeps between operations.
    void Advance(double seconds) { now_ += seconds; }
    // Looks at the host move the clock `speed` times as far as the real time
    // they take: for a look that is to reach its bound, beside a host whose
    // answer comes later in real time.
    void SetLookSpeed(double speed) { lookSpeed_ = speed; }

    float SinceMidnight() override;
    double Now() override { return now_; }
    void Wake(HWND window, UINT_PTR id, double seconds, Wait wait) override;
    void Woken() override;

    double elapsed() const { return now_; }
    int idles() const { return idles_; }

private:
    float start_;
    double now_ = 0;
    int idles_ = 0;
    double step_ = 1e9;
    double lookSpeed_ = 1;
    double pending_ = 0;  // where Wake asked the clock to stand
    bool pause_ = false;
    std::function<void()> onIdle_;
};

// A file beside the test program: a program built with it, or a medium
// copied there at build time (tests/media). A full path stays as it is.
std::string BesideTests(const char* name);
// An entry of the command menu by its texts ("misc > mp3 player") and the
// keys that choose it from the menu as it opens, as scripts/menu-keys.txt
// writes them for the demo (copied beside the tests at build time).
struct MenuPath {
    std::string path;
    std::vector<WORD> keys;
};
std::vector<MenuPath> MenuPaths();
// The keys written for one entry; none where the file has no such line.
std::vector<WORD> MenuKeys(const std::string& path);
// A mono 16-bit WAV of sines, one part after another, written to path.
struct TonePart {
    int hz;
    double seconds;
};
void WriteToneWav(const std::string& path, std::initializer_list<TonePart> parts);
inline void WriteToneWav(const std::string& path, int hz, double seconds) {
    WriteToneWav(path, {{hz, seconds}});
}

// What came out of the sound server's sink: scripts/common.sh records its
// monitor for the whole run (8 kHz, mono, 16-bit) into NORQ_AUDIO_CAPTURE.
class AudioCapture {
public:
    static constexpr int kRate = 8000;
    bool ok() const { return !path_.empty(); }
    // Samples recorded so far: a point in time to look back to.
    size_t Now() const;
    // The amplitude (0 to 1) of the sine at hz in the samples [from, from + count).
    double Tone(size_t from, size_t count, double hz) const;
    // The loudest sample there, 0 to 1.
    double Peak(size_t from, size_t count) const;
    // Pumps until the last 100 ms carry the tone at hz, or ms have passed.
    bool WaitForTone(double hz, DWORD ms) const;

private:
    std::vector<double> Samples(size_t from, size_t count) const;  // as read, -32768 to 32767
    std::string path_ = Env("NORQ_AUDIO_CAPTURE");
};

// Recorded host sequences, written once: each is what hostsim's Describe
// gives for one action, text bytes quoted as Describe quotes them.
namespace hostsim { class Host; }
// What reached the host, text reads aside.
std::string Typed(const hostsim::Host& host);
// The lines room Lobby got after the program's start-up pair.
Lines AfterStartUp(const hostsim::Host& host);
// A line set into room's entry, clicked and pressed away with its sixth icon,
// and the room's record of it ("" for quoted: the entry emptied, no record).
std::string PostedLine(const std::string& room, const std::string& quoted);
// A click on role: the button down, then up.
std::string Clicked(const std::string& role);
// The short press the host's own icons take: the button down, the space bar up.
std::string ShortPress(const std::string& role);
// The keyword box given text, a blank and a return, and the host going there.
std::string KeywordGo(const std::string& text);
// A refusal box's OK pressed twice, as DismissHostDialog presses, n boxes over.
std::string BoxPresses(int boxes = 1);
// The host's refusal box that is up, or nullptr.
HWND VisibleRefusalBox();

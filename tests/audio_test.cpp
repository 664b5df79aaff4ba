// The real media back end under Wine: DirectShow into the run's private
// sound server, whose output is recorded, so what is heard is checked, not
// only what the graph says.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "player/directshow_media.h"
#include "tests/support.h"

namespace {

constexpr double kMp3Hz = 880, kWavHz = 440;
constexpr size_t kTenth = AudioCapture::kRate / 10;

class DirectShowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(drive_.ok());
        ASSERT_TRUE(capture_.ok()) << "no recorded sound server: run through scripts/test.sh";
    }
    // Nothing above a whisper in the last fifth of a second, or since from.
    bool Quiet(size_t from = 0) const {
        const size_t start = from ? from : capture_.Now() - 2 * kTenth;
        return capture_.Peak(start, capture_.Now() - start) < 0.01;
    }
    // What was heard since from, a twentieth of a second a letter: l the low
    // tone, h the high one, . silence, ? anything else (a blend at an edge).
    std::string Heard(size_t from, double low, double high) const {
        constexpr size_t kStep = AudioCapture::kRate / 20;
        std::string heard;
        for (size_t at = from; at + kStep <= capture_.Now(); at += kStep)
            heard += capture_.Tone(at, kStep, low) > 0.1    ? 'l'
                     : capture_.Tone(at, kStep, high) > 0.1 ? 'h'
                     : capture_.Peak(at, kStep) < 0.01      ? '.'
                                                            : '?';
        return heard;
    }

    OnTestDrive drive_;
    AudioCapture capture_;
    DirectShowMedia media_;
};

}  // namespace

TEST_F(DirectShowTest, ReplacesAPlayingFileAtOnceThenPausesResumesAndStopsAndTheSoundFollows) {
    const std::string wav = TestDrive() + "\\low.wav";
    WriteToneWav(wav, (int)kWavHz, 3);
    media_.Open(wav);
    ASSERT_TRUE(capture_.WaitForTone(kWavHz, 3000)) << "the first file's tone never came out";

    media_.Open(BesideTests("tone880.mp3"));
    EXPECT_EQ(Playback::kPlaying, media_.PlayState());
    ASSERT_TRUE(capture_.WaitForTone(kMp3Hz, 3000)) << "the second file's tone never came out";
    EXPECT_LT(capture_.Tone(capture_.Now() - kTenth, kTenth, kWavHz), 0.02) << "the first plays on";

    media_.Pause();
    EXPECT_EQ(Playback::kPaused, media_.PlayState());
    Pump(300);
    EXPECT_TRUE(Quiet()) << "sound while paused";

    media_.Play();
    EXPECT_EQ(Playback::kPlaying, media_.PlayState());
    EXPECT_TRUE(capture_.WaitForTone(kMp3Hz, 1500)) << "no sound after resuming";

    media_.Stop();
    EXPECT_EQ(Playback::kStopped, media_.PlayState());
    Pump(300);
    EXPECT_TRUE(Quiet()) << "sound once stopped";
}

// A pause lets the graph go; the resume goes on where the pause halted: the
// rest of the first part, then the second, and nothing in between.
TEST_F(DirectShowTest, ResumesWhereItPausedWithSilenceBetween) {
    const std::string wav = TestDrive() + "\\two.wav";
    WriteToneWav(wav, {{(int)kWavHz, 2}, {(int)kMp3Hz, 1}});
    const size_t start = capture_.Now();
    ASSERT_TRUE(media_.Open(wav));
    ASSERT_TRUE(capture_.WaitForTone(kWavHz, 3000));
    Pump(500);
    media_.Pause();
    EXPECT_EQ(Playback::kPaused, media_.PlayState());
    Pump(300);
    const size_t paused = capture_.Now();
    Pump(700);
    EXPECT_TRUE(Quiet(paused)) << "sound while paused";
    EXPECT_EQ(Playback::kPaused, media_.PlayState());
    ASSERT_TRUE(media_.Play());
    EXPECT_EQ(Playback::kPlaying, media_.PlayState());
    ASSERT_TRUE(PumpUntil([&] { return media_.PlayState() == Playback::kStopped; }, 5000));
    Pump(300);

    // Low, a pause, low again, then high: each letter a twentieth.
    std::string heard = Heard(start, kWavHz, kMp3Hz);
    const size_t first = heard.find('l'), last = heard.rfind('l');
    ASSERT_NE(std::string::npos, first) << heard;
    heard = heard.substr(first, heard.find_last_not_of('.') + 1 - first);
    const size_t gap = heard.find(".........."), high = heard.find('h');
    EXPECT_LT(gap, last - first) << "no pause inside the low part: " << heard;
    EXPECT_GT(high, last - first) << "high before the low part ended: " << heard;
    // The low part is two seconds however it is cut: a resume from elsewhere
    // plays more or less of it.
    const auto count = [&](char c) { return std::count(heard.begin(), heard.end(), c) / 20.0; };
    EXPECT_NEAR(2.0, count('l'), 0.15) << heard;
    EXPECT_NEAR(1.0, count('h'), 0.15) << heard;
}

// The state each file leaves: a file played to its end reads stopped, and
// so does one that cannot be played, with no box and nothing left playing;
// the step that failed is kept, and why in the user's words.
TEST_F(DirectShowTest, ReadsStoppedAtTheEndAndForWhatCannotBePlayedAndSaysWhy) {
    using Step = DirectShowMedia::Step;
    const std::string root = TestDrive() + "\\";
    WriteToneWav(root + "short.wav", (int)kWavHz, 0.5);
    // A name outside the ANSI code page, in a path that a root folder gives
    // two backslashes in a row.
    const std::string odd = root + "\\t\xC3\xB6n \xE2\x98\x83.wav";
    ASSERT_TRUE(CopyFileW(L"short.wav", L"t\u00F6n \u2603.wav", FALSE));
    WriteFileBytes(root + "notes.txt", "not a sound at all\r\n");
    WriteFileBytes(root + "empty.mp3", "");
    std::string noise(64 * 1024, '\0');
    for (char& byte : noise) byte = (char)std::rand();
    WriteFileBytes(root + "noise.mp3", noise);
    const struct { std::string path; Step failed; const char* why; } cases[] = {
        {odd, Step::kNone, ""},
        {root + "notes.txt", Step::kRender, "not an audio file"},
        {root + "empty.mp3", Step::kRender, "not an audio file"},
        {root + "noise.mp3", Step::kSettle, "not an audio file"},
        {root + "gone.mp3", Step::kRender, "file gone"}};
    for (const auto& c : cases) {
        const bool plays = c.failed == Step::kNone;
        SeenBox box = AnswerBoxes([&] {
            EXPECT_EQ(plays, media_.Open(c.path)) << c.path;
            EXPECT_EQ(c.failed, media_.failure().step) << c.path;
            EXPECT_EQ(c.why, media_.WhyNotPlaying()) << c.path;
            EXPECT_EQ(plays ? Playback::kPlaying : Playback::kStopped, media_.PlayState())
                << c.path;
            EXPECT_TRUE(PumpUntil([&] { return media_.PlayState() == Playback::kStopped; }, 3000))
                << c.path << " still reads " << (int)media_.PlayState();
        });
        EXPECT_EQ("", box.Shown()) << c.path;
    }
    // What the failed step returned, for the last file, which is not there.
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), media_.failure().result);
    // Deleted while paused: the resume cannot go on.
    WriteToneWav(root + "brief.wav", (int)kWavHz, 2);
    ASSERT_TRUE(media_.Open(root + "brief.wav"));
    media_.Pause();
    ASSERT_TRUE(DeleteFileA((root + "brief.wav").c_str()));
    EXPECT_FALSE(media_.Play());
    EXPECT_EQ(Playback::kStopped, media_.PlayState());
    EXPECT_EQ("file gone", media_.WhyNotPlaying());
    Pump(200);
    EXPECT_TRUE(Quiet());
}

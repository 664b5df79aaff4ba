// The real media back end under Wine: DirectShow into the run's private
// sound server, whose output is recorded, so what is heard is checked, not
// only what the graph says.
#include <gtest/gtest.h>

#include "player/directshow_media.h"
#include "tests/support.h"

namespace {

using namespace playstate;

constexpr double kMp3Hz = 880, kWavHz = 440;
constexpr size_t kTenth = AudioCapture::kRate / 10;

class DirectShowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(drive_.ok());
        ASSERT_TRUE(capture_.ok()) << "no recorded sound server: run through scripts/test.sh";
    }
    // Nothing above a whisper in the last fifth of a second.
    bool Quiet() const { return capture_.Peak(capture_.Now() - 2 * kTenth, 2 * kTenth) < 0.01; }

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
    EXPECT_EQ(kPlaying, media_.PlayState());
    ASSERT_TRUE(capture_.WaitForTone(kMp3Hz, 3000)) << "the second file's tone never came out";
    EXPECT_LT(capture_.Tone(capture_.Now() - kTenth, kTenth, kWavHz), 0.02) << "the first plays on";

    media_.Pause();
    EXPECT_EQ(kPaused, media_.PlayState());
    Pump(300);
    EXPECT_TRUE(Quiet()) << "sound while paused";

    media_.Play();
    EXPECT_EQ(kPlaying, media_.PlayState());
    EXPECT_TRUE(capture_.WaitForTone(kMp3Hz, 1500)) << "no sound after resuming";

    media_.Stop();
    EXPECT_EQ(kStopped, media_.PlayState());
    Pump(300);
    EXPECT_TRUE(Quiet()) << "sound once stopped";
}

// The state each file leaves: a file played to its end reads stopped, and
// so does one that cannot be played, with no box and nothing left playing.
TEST_F(DirectShowTest, ReadsStoppedAtTheEndAndForWhatCannotBePlayed) {
    const std::string root = TestDrive() + "\\";
    WriteToneWav(root + "short.wav", (int)kWavHz, 0.5);
    // A name outside the ANSI code page, in a path that a root folder gives
    // two backslashes in a row.
    const std::string odd = root + "\\t\xC3\xB6n \xE2\x98\x83.wav";
    ASSERT_TRUE(CopyFileW(L"short.wav", L"t\u00F6n \u2603.wav", FALSE));
    WriteFileBytes(root + "notes.txt", "not a sound at all\r\n");
    WriteFileBytes(root + "empty.mp3", "");
    const struct { std::string path; int opened; } cases[] = {{odd, kPlaying},
        {root + "notes.txt", kStopped}, {root + "empty.mp3", kStopped}, {root + "gone.mp3", kStopped}};
    for (const auto& c : cases) {
        SeenBox box = AnswerBoxes([&] {
            media_.Open(c.path);
            EXPECT_EQ(c.opened, media_.PlayState()) << c.path;
            EXPECT_TRUE(PumpUntil([&] { return media_.PlayState() == kStopped; }, 3000))
                << c.path << " still reads " << media_.PlayState();
        });
        EXPECT_EQ("", box.Shown()) << c.path;
    }
    Pump(200);
    EXPECT_TRUE(Quiet());
}

// The media back end on the platform's own media stack: one DirectShow filter
// graph per file, present from Windows XP on and under Wine, with nothing to
// register. COM is set up on the thread that makes it, the user-interface
// thread, and every call comes from that thread.
#pragma once

#include <windows.h>

#include "player/media.h"
#include "ui/window.h"

struct IGraphBuilder;
struct IMediaControl;
struct IMediaEventEx;
struct IMediaSeeking;

class DirectShowMedia : public Media {
public:
    // The steps of loading a file, in their order.
    enum class Step { kNone, kCreate, kRender, kConnect, kSeek, kRun, kSettle };
    // Where the last Open or resume failed: the step, what it returned (for
    // kSettle, the status the graph ended with), and that in the user's
    // words. All empty where it played.
    struct Failure {
        Step step = Step::kNone;
        HRESULT result = S_OK;
        std::string why;
    };

    DirectShowMedia();
    ~DirectShowMedia() override;

    // A file that cannot be played (no decoder, no sound server, gone) leaves
    // nothing loaded: the state reads stopped.
    bool Open(const std::string& path) override;
    // A pause lets the graph go, and the sound device with it: kept, even
    // halted, its mixer runs for as long as the pause lasts, a few per cent of
    // a core. The file and the position stay, and the resume builds the graph
    // again from there; so a file deleted in the meantime cannot go on.
    bool Play() override;
    void Pause() override;
    void Stop() override;
    Playback PlayState() override;
    std::string WhyNotPlaying() const override { return failure_.why; }
    const Failure& failure() const { return failure_; }

private:
    enum class State {
        kEmpty,    // no file: none opened, stopped, or let go at its end or on a failure
        kPlaying,  // the graph runs
        kPaused,   // the graph let go; the file and where it halted kept for the resume
        kHalted,   // paused where the position could not be had: the graph kept, halted
        kEnding,   // played to its end; the graph kept while its last sound goes out
    };

    // Gets the graph's events, and lets the graph go a moment after its end.
    // The graph's own state stays "running" after the last sample; its
    // completion event is the end of the file.
    class EventWindow : public Window {
    public:
        explicit EventWindow(DirectShowMedia& media) : media_(media) {}

    protected:
        void Create() override;
        LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    private:
        DirectShowMedia& media_;
    };

    // Builds the file's graph, from `from` on (100 ns units), and runs it.
    bool Load(std::string path, long long from);
    // Whether the graph, just run from `from`, goes on playing; where it
    // does not, the status it ended with.
    bool Settles(long long from, HRESULT* ended);
    void OnGraphEvents();
    // The graph goes, and the sound device with it; the file stays known.
    void ReleaseGraph();
    // The graph and the file go: nothing is loaded.
    void Forget();
    // Forgets, keeps why, and says the file does not play.
    bool Fail(Step step, HRESULT result);

    bool com_ = false;
    EventWindow events_{*this};
    State state_ = State::kEmpty;
    IGraphBuilder* graph_ = nullptr;    // while playing, halted or ending
    IMediaControl* control_ = nullptr;
    IMediaEventEx* graphEvents_ = nullptr;
    IMediaSeeking* seeking_ = nullptr;
    std::string path_;         // the file loaded, or paused
    long long pausedAt_ = 0;   // where the pause halted, while paused
    Failure failure_;
};

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

class DirectShowMedia : public Media {
public:
    DirectShowMedia();
    ~DirectShowMedia() override;

    // A file that cannot be played (no decoder, no sound server, gone) leaves
    // nothing loaded: the state reads stopped, and nobody is told.
    void Open(const std::string& path) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    int PlayState() override;

private:
    // Gets the graph's events. The graph's own state stays "running" after
    // the last sample; its completion event is the end of the file.
    class EventWindow : public Window {
    public:
        explicit EventWindow(DirectShowMedia& media) : media_(media) {}

    protected:
        void Create() override;
        LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    private:
        DirectShowMedia& media_;
    };

    void OnGraphEvents();
    void Unload();

    bool com_ = false;
    EventWindow events_{*this};
    IGraphBuilder* graph_ = nullptr;
    IMediaControl* control_ = nullptr;
    IMediaEventEx* graphEvents_ = nullptr;
};

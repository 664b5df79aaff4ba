#include "player/directshow_media.h"

#include <dshow.h>

#include "ui/text.h"

namespace {

constexpr wchar_t kEventClass[] = L"norq idle media events";
// The graph posts this to the event window when it has something to say.
constexpr UINT kGraphEvent = WM_APP + 1;
// The graph's position runs ahead of what was heard by what the renderer has
// buffered (under Wine up to 0.15 s), and that goes with the graph: a resume
// steps back this much (100 ns units), so that it skips and repeats little.
constexpr LONGLONG kResumeBack = 1000000;
// After the end the graph is kept this long: its last fraction of a second
// is still on its way to the speakers.
constexpr UINT_PTR kLetGoTimer = 1;
constexpr UINT kLetGoMs = 500;
// How long a file must run without ending to count as playing.
constexpr DWORD kSettleMs = 250;

bool Ends(long code) {
    return code == EC_COMPLETE || code == EC_ERRORABORT || code == EC_USERABORT;
}

template <class T>
void Release(T*& object) {
    if (object) object->Release();
    object = nullptr;
}

// The renderer that would take the sound, which cannot be made without a
// sound device (under Wine, without a sound server).
bool HaveSoundDevice() {
    IBaseFilter* renderer = nullptr;
    if (FAILED(CoCreateInstance(CLSID_DSoundRender, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                (void**)&renderer)))
        return false;
    renderer->Release();
    return true;
}

bool HoldsNoSound(HRESULT result) {
    for (HRESULT code : {VFW_E_CANNOT_RENDER, VFW_E_UNKNOWN_FILE_TYPE, VFW_E_UNSUPPORTED_STREAM,
                         VFW_E_INVALID_FILE_FORMAT, VFW_E_UNSUPPORTED_AUDIO, VFW_E_CANNOT_CONNECT,
                         VFW_E_NO_ACCEPTABLE_TYPES})
        if (result == code) return true;
    return false;
}

// Without a sound device a graph may fail to render a good file just as it
// fails on one that holds no sound (Wine: VFW_E_CANNOT_RENDER), so the device
// is looked for before the file is blamed. Bytes that only look like sound
// render, run and end at once.
std::string Why(DirectShowMedia::Step step, HRESULT result) {
    using Step = DirectShowMedia::Step;
    if (result == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) ||
        result == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND))
        return "file gone";
    if (result == VFW_E_NO_AUDIO_HARDWARE ||
        ((step == Step::kRender || step == Step::kRun) && !HaveSoundDevice()))
        return "no sound device";
    if (step == Step::kSettle || (step == Step::kRender && HoldsNoSound(result)))
        return "not an audio file";
    std::string code = "error ";
    for (int shift = 28; shift >= 0; shift -= 4)
        code += "0123456789ABCDEF"[((unsigned long)result >> shift) & 0xF];
    return code;
}

}  // namespace

DirectShowMedia::DirectShowMedia()
    : com_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

DirectShowMedia::~DirectShowMedia() {
    ReleaseGraph();
    if (com_) CoUninitialize();
}

void DirectShowMedia::EventWindow::Create() { CreateMessageOnly(kEventClass); }

LRESULT DirectShowMedia::EventWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kGraphEvent) {
        media_.OnGraphEvents();
        return 0;
    }
    if (message == WM_TIMER && wParam == kLetGoTimer) {
        media_.Forget();
        return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

bool DirectShowMedia::Open(const std::string& path) { return Load(path, 0); }

// Builds the new graph before the old one goes, so that what played stops
// only once the new file is ready; a file that does not render still ends it.
// Each step runs where every step before it succeeded.
bool DirectShowMedia::Load(std::string path, long long from) {
    failure_ = {};
    IGraphBuilder* graph = nullptr;
    Step step = Step::kCreate;
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IGraphBuilder, (void**)&graph);
    if (SUCCEEDED(hr)) {
        step = Step::kRender;
        hr = graph->RenderFile(Widen(path).c_str(), nullptr);
    }
    ReleaseGraph();
    if (FAILED(hr)) {
        Release(graph);
        return Fail(step, hr);
    }
    graph_ = graph;
    path_ = std::move(path);
    step = Step::kConnect;
    hr = graph_->QueryInterface(IID_IMediaControl, (void**)&control_);
    if (SUCCEEDED(hr)) hr = graph_->QueryInterface(IID_IMediaEventEx, (void**)&graphEvents_);
    if (SUCCEEDED(hr)) hr = graph_->QueryInterface(IID_IMediaSeeking, (void**)&seeking_);
    if (SUCCEEDED(hr))
        hr = graphEvents_->SetNotifyWindow((OAHWND)events_.Handle(), kGraphEvent, 0);
    LONGLONG at = from;
    if (SUCCEEDED(hr) && from != 0) {
        step = Step::kSeek;
        hr = seeking_->SetPositions(&at, AM_SEEKING_AbsolutePositioning, nullptr,
                                    AM_SEEKING_NoPositioning);
    }
    if (SUCCEEDED(hr)) {
        step = Step::kRun;
        hr = control_->Run();
    }
    if (FAILED(hr)) return Fail(step, hr);
    HRESULT ended = S_OK;
    if (!Settles(from, &ended)) return Fail(Step::kSettle, ended);
    state_ = State::kPlaying;
    return true;
}

// Bytes that only look like sound (random bytes named .mp3, under Wine)
// render and run, and end at once with nothing heard. A file plays once it
// has run a moment without ending, or when what is left of it is shorter than
// that. The wait handles no messages, so no command comes in the middle of
// another; what the user does meanwhile waits in the queue.
bool DirectShowMedia::Settles(long long from, HRESULT* ended) {
    LONGLONG duration = 0;
    OAEVENT event = 0;
    if (FAILED(seeking_->GetDuration(&duration)) ||
        duration - from < (LONGLONG)kSettleMs * 10000 ||
        FAILED(graphEvents_->GetEventHandle(&event)))
        return true;
    const DWORD start = GetTickCount();
    for (DWORD spent = 0; spent < kSettleMs; spent = GetTickCount() - start) {
        WaitForSingleObject((HANDLE)event, kSettleMs - spent);
        long code;
        LONG_PTR first, second;
        while (SUCCEEDED(graphEvents_->GetEvent(&code, &first, &second, 0))) {
            graphEvents_->FreeEventParams(code, first, second);
            if (!Ends(code)) continue;
            *ended = (HRESULT)first;
            return false;
        }
    }
    return true;
}

bool DirectShowMedia::Play() {
    switch (state_) {
    case State::kPaused:
        return Load(path_, pausedAt_);
    case State::kHalted: {
        failure_ = {};
        const HRESULT hr = control_->Run();
        if (FAILED(hr)) return Fail(Step::kRun, hr);
        state_ = State::kPlaying;
        return true;
    }
    default:
        return state_ == State::kPlaying;
    }
}

// Where the position cannot be had, the graph is kept, halted, rather than
// resumed from the wrong place.
void DirectShowMedia::Pause() {
    if (state_ != State::kPlaying) return;
    LONGLONG at = 0;
    if (FAILED(seeking_->GetCurrentPosition(&at))) {
        if (SUCCEEDED(control_->Pause())) state_ = State::kHalted;
        return;
    }
    ReleaseGraph();
    pausedAt_ = at > kResumeBack ? at - kResumeBack : 0;
    state_ = State::kPaused;
}

// The graph goes with the stop: a graph kept, even stopped, keeps the sound
// device open and its mixer running, a few per cent of a core for as long as
// the program runs. Nothing is played again after a stop without an Open.
void DirectShowMedia::Stop() { Forget(); }

Playback DirectShowMedia::PlayState() {
    switch (state_) {
    case State::kPlaying: return Playback::kPlaying;
    case State::kPaused:
    case State::kHalted: return Playback::kPaused;
    default: return Playback::kStopped;
    }
}

// At the end, or when the graph gives up, it goes as at a stop: the state
// reads stopped, and the sound device is let go, after the end a moment later.
void DirectShowMedia::OnGraphEvents() {
    long code;
    LONG_PTR first, second;
    while (graphEvents_ && state_ != State::kEnding &&
           SUCCEEDED(graphEvents_->GetEvent(&code, &first, &second, 0))) {
        graphEvents_->FreeEventParams(code, first, second);
        if (code == EC_COMPLETE) {
            state_ = State::kEnding;
            SetTimer(events_.hwnd(), kLetGoTimer, kLetGoMs, nullptr);
        } else if (Ends(code)) {
            Forget();
        }
    }
}

void DirectShowMedia::ReleaseGraph() {
    if (events_.hwnd()) KillTimer(events_.hwnd(), kLetGoTimer);
    if (control_) control_->Stop();
    if (graphEvents_) graphEvents_->SetNotifyWindow(0, 0, 0);
    Release(graphEvents_);
    Release(seeking_);
    Release(control_);
    Release(graph_);
}

void DirectShowMedia::Forget() {
    ReleaseGraph();
    state_ = State::kEmpty;
    path_.clear();
    pausedAt_ = 0;
}

bool DirectShowMedia::Fail(Step step, HRESULT result) {
    Forget();
    failure_ = {step, result, Why(step, result)};
    return false;
}

#include "player/directshow_media.h"

#include <dshow.h>

#include "ui/text.h"

namespace {

constexpr wchar_t kEventClass[] = L"norq idle media events";
// The graph posts this to the event window when it has something to say.
constexpr UINT kGraphEvent = WM_APP + 1;

template <class T>
void Release(T*& object) {
    if (object) object->Release();
    object = nullptr;
}

}  // namespace

DirectShowMedia::DirectShowMedia()
    : com_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

DirectShowMedia::~DirectShowMedia() {
    Unload();
    if (com_) CoUninitialize();
}

void DirectShowMedia::EventWindow::Create() {
    CreateAs(kEventClass, 0, 0, L"", RECT{}, HWND_MESSAGE);
}

LRESULT DirectShowMedia::EventWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kGraphEvent) return Window::HandleMessage(message, wParam, lParam);
    media_.OnGraphEvents();
    return 0;
}

// Builds the new graph before the old one goes, so that what played stops
// only once the new file is ready; a file that does not render still ends it.
void DirectShowMedia::Open(const std::string& path) {
    IGraphBuilder* graph = nullptr;
    const bool rendered =
        SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IGraphBuilder, (void**)&graph)) &&
        SUCCEEDED(graph->RenderFile(Widen(path).c_str(), nullptr));
    Unload();
    if (!rendered) {
        Release(graph);
        return;
    }
    graph_ = graph;
    if (FAILED(graph_->QueryInterface(IID_IMediaControl, (void**)&control_)) ||
        FAILED(graph_->QueryInterface(IID_IMediaEventEx, (void**)&graphEvents_)) ||
        FAILED(graphEvents_->SetNotifyWindow((OAHWND)events_.Handle(), kGraphEvent, 0)) ||
        FAILED(control_->Run()))
        Unload();
}

void DirectShowMedia::Play() {
    if (control_) control_->Run();
}

void DirectShowMedia::Pause() {
    if (control_) control_->Pause();
}

// The graph goes with the stop: a graph kept, even stopped, keeps the sound
// device open and its mixer running, a few per cent of a core for as long as
// the program runs. Nothing is played again after a stop without an Open.
void DirectShowMedia::Stop() { Unload(); }

// The state the graph is in or on its way to: a pause just asked for reads
// paused at once.
int DirectShowMedia::PlayState() {
    OAFilterState state = State_Stopped;
    if (!control_ || FAILED(control_->GetState(0, &state))) return playstate::kStopped;
    switch (state) {
    case State_Running: return playstate::kPlaying;
    case State_Paused: return playstate::kPaused;
    default: return playstate::kStopped;
    }
}

// At the end, or when the graph gives up, it goes as at a stop: the state
// reads stopped, and the sound device is let go.
void DirectShowMedia::OnGraphEvents() {
    long code;
    LONG_PTR first, second;
    while (graphEvents_ && SUCCEEDED(graphEvents_->GetEvent(&code, &first, &second, 0))) {
        graphEvents_->FreeEventParams(code, first, second);
        if (code == EC_COMPLETE || code == EC_ERRORABORT || code == EC_USERABORT) Unload();
    }
}

void DirectShowMedia::Unload() {
    if (control_) control_->Stop();
    if (graphEvents_) graphEvents_->SetNotifyWindow(0, 0, 0);
    Release(graphEvents_);
    Release(control_);
    Release(graph_);
}

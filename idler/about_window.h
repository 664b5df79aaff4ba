// The about window: the program's name, version and maker, shown for
// a few seconds at start, then the main window takes over.
#pragma once

#include <functional>
#include <memory>

#include "ui/font.h"
#include "ui/label_button.h"
#include "ui/window.h"

class AboutWindow : public Window {
public:
    explicit AboutWindow(std::function<void()> openMain);

    // The program's start: shows this window, waits, then opens the main window.
    void Run();

protected:
    void Create() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Finish();
    void Paint(HDC dc);

    std::function<void()> openMain_;
    bool finished_ = false;
    ButtonPress click_;
    std::unique_ptr<Font> titleFont_, versionFont_, makerFont_;
};

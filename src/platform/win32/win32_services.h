// The Win32 services: the performance counter and the local date, the default beep, the clock's
// timer on the main thread and the German question box.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/services.h"

namespace zg {

class Win32Window;

class Win32Time : public TimeSource {
  public:
    Win32Time();
    double seconds() override;
    std::string today() override;
    void sleepMs(int ms) override;

  private:
    LARGE_INTEGER start_{};
    LARGE_INTEGER frequency_{};
};

class Win32Beeper : public Beeper {
  public:
    void beep() override;
};

// The clock's periodic worker: a 50 ms SetTimer on a message-only window of the main thread,
// so its turns run between messages like every other handler.
class Win32ClockWorker : public PeriodicWorker {
  public:
    Win32ClockWorker();
    ~Win32ClockWorker() override;
    Win32ClockWorker(const Win32ClockWorker&) = delete;
    Win32ClockWorker& operator=(const Win32ClockWorker&) = delete;

    void start(std::function<bool()> turn) override;
    void stop() override;
    bool running() const override { return running_; }
    void fire() override;

  private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND timerWindow_ = nullptr;
    std::function<bool()> turn_;
    bool running_ = false;
    unsigned long long generation_ = 0;  // counts starts: a turn's false ends only its own run
};

// The question box: our own small dialog with German captions (the system's message box
// would speak the system's language).
class Win32QuestionBox : public QuestionBox {
  public:
    void setOwner(Window& owner) override;
    int ask(QuestionIcon icon, const std::string& text, const std::string& captions,
            int defaultButton) override;
    void message(const std::string& text) override;

  private:
    HWND owner() const;
    double scale() const;
    HWND owner_ = nullptr;
    Win32Window* window_ = nullptr;
};

}  // namespace zg

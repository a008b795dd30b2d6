// The Win32 backend of the platform (Windows).
#pragma once

#include "platform/platform.h"

namespace zg {

class Win32Platform : public Platform {
  public:
    std::unique_ptr<Window> createWindow(EventPump& pump, double devicePixelRatio) override;
    std::unique_ptr<Form> createForm(EventPump& pump, Window& owner) override;
    std::unique_ptr<HelpViewer> createHelpViewer(Window& owner) override;
    std::unique_ptr<PeriodicWorker> createWorker() override;
    std::unique_ptr<EventSource> eventSource() override;
    std::unique_ptr<QuestionBox> questionBox() override;
    std::unique_ptr<TimeSource> timeSource() override;
    std::unique_ptr<Beeper> beeper() override;
    std::unique_ptr<Printer> printer() override;
    std::unique_ptr<FileIo> fileIo() override;
    std::vector<std::string> dataFolders() override;
};

// The common controls (tab strip, list view) and the window classes; runApplication calls it.
void initWin32Backend();

}  // namespace zg

// The Qt backend of the platform (Linux).
#pragma once

#include "platform/platform.h"

namespace zg {

class QtPlatform : public Platform {
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

// Qt's own texts (printer dialog, file chooser, the line edit's menu) in German. Needs the
// application object; false when Qt's translations are not installed.
bool installQtTranslations();

}  // namespace zg

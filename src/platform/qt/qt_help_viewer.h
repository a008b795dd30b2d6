// The Qt help viewer: one window with a QTextBrowser that shows a help page and follows the
// links between the pages.
#pragma once

#include <QPointer>
#include <QTextBrowser>
#include <QWidget>
#include <string>

#include "platform/services.h"

namespace zg {

class QtHelpViewer : public HelpViewer {
  public:
    // The window opens over owner but is not owned by it (forms modal to owner leave it
    // usable); it is closed when the viewer is destroyed.
    explicit QtHelpViewer(QWidget* owner);
    ~QtHelpViewer() override;
    QtHelpViewer(const QtHelpViewer&) = delete;
    QtHelpViewer& operator=(const QtHelpViewer&) = delete;

    bool showPage(const std::string& path) override;
    // The window, once a page has been shown (nullptr before).
    QTextBrowser* browser() const { return browser_; }

  private:
    QPointer<QWidget> owner_;
    QPointer<QTextBrowser> browser_;
};

}  // namespace zg

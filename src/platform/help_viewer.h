// The built-in help viewer: one window with a QTextBrowser that shows a help page and follows
// the links between the pages. Behind an interface so tests can see which page was asked for.
#pragma once

#include <QPointer>
#include <QTextBrowser>
#include <QWidget>
#include <string>

namespace zg {

class HelpViewer {
  public:
    virtual ~HelpViewer() = default;
    // Shows the HTML page at path. False when it cannot be shown (missing, unreadable).
    virtual bool showPage(const std::string& path) = 0;
};

class QtHelpViewer : public HelpViewer {
  public:
    // The window stays above owner and is closed with it.
    explicit QtHelpViewer(QWidget* owner);
    ~QtHelpViewer() override;
    QtHelpViewer(const QtHelpViewer&) = delete;
    QtHelpViewer& operator=(const QtHelpViewer&) = delete;

    bool showPage(const std::string& path) override;
    // The window, once a page has been shown (nullptr before, or after its owner is gone).
    QTextBrowser* browser() const { return browser_; }

  private:
    QPointer<QWidget> owner_;
    QPointer<QTextBrowser> browser_;
};

}  // namespace zg

#include "platform/qt/qt_help_viewer.h"

#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QUrl>
#include <algorithm>

namespace zg {

QtHelpViewer::QtHelpViewer(QWidget* owner) : owner_(owner) {}

QtHelpViewer::~QtHelpViewer() {
    delete browser_.data();  // null when the owner has taken it with it
}

bool QtHelpViewer::showPage(const std::string& path) {
    const QString file = QString::fromStdString(path);
    QFileInfo info(file);
    // QTextBrowser shows an empty page for a file it cannot read; the player should hear of it.
    QFile probe(file);
    if (!info.isFile() || !probe.open(QIODevice::ReadOnly)) return false;
    probe.close();
    if (!browser_) {
        // A window of its own, owned by no other: a form that holds the main window back
        // must not hold the help back too.
        browser_ = new QTextBrowser;
        browser_->setObjectName(QStringLiteral("help"));
        browser_->setOpenExternalLinks(true);
        browser_->resize(680, 560);
        // Over the game, a little down and right, kept on its screen.
        if (owner_) {
            QPoint at = owner_->frameGeometry().topLeft() + QPoint(40, 40);
            if (const QScreen* screen = owner_->screen()) {
                const QRect room = screen->availableGeometry();
                const QSize size = browser_->size();
                at.setX(std::clamp(at.x(), room.left(),
                                   std::max(room.left(), room.right() - size.width())));
                at.setY(std::clamp(at.y(), room.top(),
                                   std::max(room.top(), room.bottom() - size.height())));
            }
            browser_->move(at);
        }
        // Named after the page it shows, also after a link has been followed.
        QObject::connect(browser_.data(), &QTextBrowser::sourceChanged, browser_.data(),
                         [b = browser_.data()] { b->setWindowTitle(b->documentTitle()); });
    }
    browser_->setSearchPaths({info.absolutePath()});
    browser_->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    browser_->setWindowTitle(browser_->documentTitle());
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
    return true;
}

}  // namespace zg

#include "platform/help_viewer.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

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
        browser_ = new QTextBrowser(owner_);
        browser_->setWindowFlag(Qt::Window);
        browser_->setObjectName(QStringLiteral("help"));
        browser_->setOpenExternalLinks(true);
        browser_->resize(680, 560);
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

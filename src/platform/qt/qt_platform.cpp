#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include "files/file_io.h"
#include "platform/application.h"
#include "platform/qt/app_icon.h"
#include "platform/qt/held_keys.h"
#include "platform/qt/qt_clock_worker.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_help_viewer.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/qt_window.h"

namespace zg {

std::unique_ptr<Window> QtPlatform::createWindow(EventPump& pump, double devicePixelRatio) {
    return std::make_unique<QtWindow>(pump, devicePixelRatio);
}

std::unique_ptr<Form> QtPlatform::createForm(EventPump& pump, Window& owner) {
    return std::make_unique<QtForm>(pump, dynamic_cast<QWidget*>(&owner));
}

std::unique_ptr<HelpViewer> QtPlatform::createHelpViewer(Window& owner) {
    return std::make_unique<QtHelpViewer>(dynamic_cast<QWidget*>(&owner));
}

std::unique_ptr<PeriodicWorker> QtPlatform::createWorker() {
    return std::make_unique<QtClockWorker>();
}

std::unique_ptr<EventSource> QtPlatform::eventSource() {
    return std::make_unique<QtEventSource>();
}

std::unique_ptr<QuestionBox> QtPlatform::questionBox() {
    return std::make_unique<QtQuestionBox>();
}

std::unique_ptr<TimeSource> QtPlatform::timeSource() {
    return std::make_unique<SystemTime>();
}

std::unique_ptr<Beeper> QtPlatform::beeper() {
    return std::make_unique<QtBeeper>();
}

std::unique_ptr<Printer> QtPlatform::printer() {
    return std::make_unique<QtPrinter>();
}

std::unique_ptr<FileIo> QtPlatform::fileIo() {
    return std::make_unique<PosixFileIo>();
}

std::vector<std::string> QtPlatform::dataFolders() {
    std::vector<std::string> dirs;
    if (QCoreApplication::instance() == nullptr) return dirs;
    const QString bin = QCoreApplication::applicationDirPath();
    dirs.push_back(QDir(bin).filePath(QStringLiteral("data")).toStdString());
    dirs.push_back(QDir(bin).filePath(QStringLiteral(ZG_DATA_FROM_BIN)).toStdString());
    return dirs;
}

bool installQtTranslations() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    // German whatever the system's locale says: the whole game is German.
    if (translator->load(QStringLiteral("qtbase_de"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

int runApplication(int argc, char** argv, const std::function<int(Platform&)>& game) {
    QApplication app(argc, argv);
    askForDetectableAutoRepeat();
    installQtTranslations();  // without them Qt's dialogs are English, nothing worse
    // Task bars and window lists find the desktop entry (name "Zahlgarten", its icon) through
    // the desktop file name and the window class. No display name: Qt would append it to every
    // window title, and the titles are the game's own ("Zahlgarten V5.0 by Velto").
    QApplication::setApplicationName(QStringLiteral("zahlgarten"));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.zahlgarten.Zahlgarten"));
    QApplication::setWindowIcon(appIcon());
    QtPlatform platform;
    return game(platform);
}

}  // namespace zg

#include "shell/game_main.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "platform/app_icon.h"
#include "shell/exit.h"
#include "shell/program.h"
#include "shell/startup.h"

namespace zg {

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

int runGame(int argc, char** argv, std::function<void()> onFirstPaint) {
    QApplication app(argc, argv);
    installQtTranslations();  // without them Qt's dialogs are English, nothing worse
    // Task bars and window lists find the desktop entry (name "Zahlgarten", its icon) through
    // the desktop file name and the window class. No display name: Qt would append it to every
    // window title, and the titles are the game's own ("Zahlgarten V5.0 by Velto").
    QApplication::setApplicationName(QStringLiteral("zahlgarten"));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.zahlgarten.Zahlgarten"));
    QApplication::setWindowIcon(appIcon());
    Program program(Services::real());
    if (onFirstPaint) program.window.setFirstPaintHandler(std::move(onFirstPaint));
    openMainWindow(program);
    try {
        initProgram(program);
    } catch (const ProgramExit&) {
        // "&JA" at the exit question: every loop has unwound to here.
    }
    return 0;
}

}  // namespace zg

// The Qt backend's own help viewer and printer, and Qt's texts in German.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "forms/help.h"
#include "platform/qt/qt_help_viewer.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_printer.h"
#include "printing/printing.h"
#include "shell/menu.h"
#include "support/test_program.h"

namespace zg {
namespace {

using namespace test;

TEST(HelpViewerTest, TheMenuPageNamesEveryMenuItemAndLinksToTheRules) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(ZG_SOURCE_DIR "/data"));
    {
        TestProgram t;
        t.menu(cmd::kInstructions);  // the built-in viewer
        EXPECT_TRUE(t.questions->messages.empty());
        auto* viewer = dynamic_cast<QtHelpViewer*>(t.p().services.help.get());
        ASSERT_TRUE(viewer && viewer->browser() && viewer->browser()->isVisible());
        QTextBrowser* browser = viewer->browser();
        for (const MenuEntry& e : menuEntries())
            for (const char* text : {e.popup, e.text}) {
                QString label = QString::fromUtf8(text).remove('&');
                EXPECT_TRUE(browser->toPlainText().contains(label)) << text;
            }
        browser->setSource(QUrl(QString::fromUtf8("erkl\xC3\xA4rung.htm")));
        EXPECT_TRUE(browser->documentTitle().contains("Spielanleitung"));
        showRulesHelp(t.p());
        EXPECT_EQ(viewer->browser(), browser);  // the same window
    }
    QDir::setCurrent(previous);
    QWidget owner;
    QtHelpViewer missing(&owner);
    EXPECT_FALSE(missing.showPage(ZG_SOURCE_DIR "/data/keine-seite.htm"));
    EXPECT_FALSE(missing.showPage(ZG_SOURCE_DIR "/data"));  // a folder is no page
}

// Into a PDF file, or a message for one that cannot be written; Qt's own dialogs in German.
TEST(QtPrinterTest, PrintsIntoAPdfFileAndReportsOneThatCannotBeWrittenInGerman) {
    QTemporaryDir dir;
    TestProgram t;
    for (const char* name : {"brett.pdf", "no/such/folder.pdf"}) {
        t.p().services.printer = std::make_unique<QtPrinter>(dir.filePath(name).toStdString());
        printBoard(t.p());
        QFile file(dir.filePath(name));
        const bool writable = name[0] == 'b';
        EXPECT_EQ(file.open(QIODevice::ReadOnly) && file.readAll().startsWith("%PDF"), writable);
        EXPECT_EQ(t.questions->messages.size(), writable ? 0u : 1u) << name;
    }
    ASSERT_TRUE(installQtTranslations());
    QPrinter printer;
    QPrintDialog dialog(&printer);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Drucken");
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    EXPECT_TRUE(menu->actions().first()->text().startsWith(QString::fromUtf8("&Rückgängig")));
}

}  // namespace
}  // namespace zg

// Help: the page each caller asks for, the message when it cannot be shown, the real viewer.
#include <gtest/gtest.h>

#include <QDir>
#include <QTextBrowser>

#include "platform/qt/qt_help_viewer.h"
#include "shell/help.h"
#include "shell/menu.h"
#include "support/test_program.h"

namespace zg {
namespace {

struct RecordingViewer : HelpViewer {
    std::vector<std::string> pages;
    bool shows = true;
    bool showPage(const std::string& path) override { return pages.push_back(path), shows; }
};

TEST(HelpTest, EachCallerAsksForItsPageAndAPageNotShownIsReported) {
    for (const bool shows : {true, false}) {
        test::TestProgram t;
        auto viewer = std::make_unique<RecordingViewer>();
        viewer->shows = shows;
        const auto& pages = viewer->pages;
        t.p().services.help = std::move(viewer);
        t.menu(cmd::kInstructions);
        showRulesHelp(t.p());  // the "Hilfe" button and key H of the loops
        ASSERT_EQ(pages.size(), 2u);
        EXPECT_TRUE(pages[0].ends_with("\u00fcbersicht.htm") &&
                    pages[1].ends_with("erkl\u00e4rung.htm"));
        const std::string e = "Error while trying to display a topic of ";
        using Texts = std::vector<std::string>;
        EXPECT_EQ(t.questions->messages,
                  (shows ? Texts{} : Texts{e + "Zahlgarten.chm", e + "zahlgarten.chm"}));
        EXPECT_TRUE(t.p().window.menu().isEnabled());  // and the program goes on
    }
}

TEST(HelpViewerTest, TheMenuPageNamesEveryMenuItemAndLinksToTheRules) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(ZG_SOURCE_DIR "/data"));
    {
        test::TestProgram t;
        t.menu(cmd::kInstructions);  // the built-in viewer
        EXPECT_TRUE(t.questions->messages.empty());
        auto* viewer = dynamic_cast<QtHelpViewer*>(t.p().services.help.get());
        ASSERT_TRUE(viewer && viewer->browser() && viewer->browser()->isVisible());
        QTextBrowser* browser = viewer->browser();
        for (const MenuEntry& e : menuEntries()) {
            QString label = QString::fromStdString(e.text).remove('&');
            EXPECT_TRUE(label.size() <= 1 || browser->toPlainText().contains(label)) << e.text;
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

}  // namespace
}  // namespace zg

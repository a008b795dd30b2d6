// Help: the page each caller asks for, the English message when it cannot be shown, and the
// built-in viewer on the real pages.
#include <gtest/gtest.h>

#include <QDir>
#include <QTextBrowser>

#include "dialogs/dialog_support.h"
#include "platform/qt/qt_help_viewer.h"
#include "shell/help.h"

namespace zg {
namespace {

TEST(HelpTest, EachCallerAsksForItsPageAndAPageNotShownIsReported) {
    for (const bool shows : {true, false}) {
        test::TestProgram t;
        Program& p = t.p();
        auto viewer = std::make_unique<test::RecordingViewer>();
        viewer->shows = shows;
        const auto& pages = viewer->pages;
        p.services.help = std::move(viewer);
        t.menu(cmd::kInstructions);
        showRulesHelp(p);  // the "Hilfe" button and key H of the loops
        ASSERT_EQ(pages.size(), 2u);
        EXPECT_TRUE(
            pages[0].ends_with("\xC3\xBC"
                               "bersicht.htm"))
            << pages[0];
        EXPECT_TRUE(pages[1].ends_with("erkl\xC3\xA4rung.htm")) << pages[1];
        if (shows)
            EXPECT_TRUE(t.questions->messages.empty());
        else
            EXPECT_EQ(t.questions->messages,
                      (std::vector<std::string>{
                          "Error while trying to display a topic of Zahlgarten.chm",
                          "Error while trying to display a topic of zahlgarten.chm"}));
        EXPECT_TRUE(p.window.menu().isEnabled());  // and the program goes on
    }
}

TEST(HelpViewerTest, TheMenuPageNamesEveryMenuItemAndLinksToTheRules) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(ZG_SOURCE_DIR "/data"));
    {
        test::TestProgram t;
        Program& p = t.p();
        t.menu(cmd::kInstructions);  // the built-in viewer
        EXPECT_TRUE(t.questions->messages.empty());
        auto* viewer = dynamic_cast<QtHelpViewer*>(p.services.help.get());
        ASSERT_NE(viewer, nullptr);
        QTextBrowser* browser = viewer->browser();
        ASSERT_NE(browser, nullptr);
        EXPECT_TRUE(browser->isVisible());
        for (const MenuEntry& e : menuEntries()) {
            std::string label = e.text;
            std::erase(label, '&');
            if (label.size() <= 1) continue;  // separators and ends
            EXPECT_TRUE(browser->toPlainText().contains(QString::fromStdString(label))) << label;
        }
        browser->setSource(QUrl(QString::fromUtf8("erkl\xC3\xA4rung.htm")));
        EXPECT_TRUE(browser->documentTitle().contains(QStringLiteral("Spielanleitung")));
        showRulesHelp(p);
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

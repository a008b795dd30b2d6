// Help requests of the menu and the loops, the message for a page that cannot be shown, the
// built-in viewer on the real pages, and the about form.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>

#include "dialogs/dialog_support.h"
#include "shell/help.h"
#include "shell/menu.h"

namespace zg {
namespace {

using test::control;
using test::openForm;
using test::RecordingViewer;
using test::then;

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Runs in the folder of the help pages for its lifetime.
struct InDataFolder {
    QString previous = QDir::currentPath();
    InDataFolder() { QDir::setCurrent(QStringLiteral(ZG_SOURCE_DIR "/data")); }
    ~InDataFolder() { QDir::setCurrent(previous); }
};

struct HelpTest : ::testing::Test {
    test::TestProgram t;
    Program& p = t.p();
    RecordingViewer* viewer = nullptr;
    void SetUp() override {
        auto v = std::make_unique<RecordingViewer>();
        viewer = v.get();
        p.services.help = std::move(v);
        p.window.show();  // forms are placed from where the shown window is
    }
};

TEST_F(HelpTest, EachCallerAsksForItsPage) {
    ASSERT_TRUE(p.shell.useHtmlHelp);
    t.menu(cmd::kInstructions);
    ASSERT_EQ(viewer->pages.size(), 1u);
    EXPECT_TRUE(endsWith(viewer->pages[0],
                         "\xC3\xBC"
                         "bersicht.htm"))
        << viewer->pages[0];
    showRulesHelp(p);  // the "Hilfe" button and key H of the loops
    ASSERT_EQ(viewer->pages.size(), 2u);
    EXPECT_TRUE(endsWith(viewer->pages[1], "erkl\xC3\xA4rung.htm")) << viewer->pages[1];
    EXPECT_TRUE(t.questions->messages.empty());
    // The about box asks for no page.
    then(t, [&] { control<QPushButton>(p, "Inf", "cmd15")->click(); });
    t.menu(cmd::kAbout);
    EXPECT_EQ(viewer->pages.size(), 2u);
}

TEST_F(HelpTest, APageThatCannotBeShownIsReportedWithTheRequestedFile) {
    viewer->shows = false;
    t.menu(cmd::kInstructions);
    showRulesHelp(p);
    EXPECT_EQ(
        t.questions->messages,
        (std::vector<std::string>{"Error while trying to display a topic of Zahlgarten.chm",
                                  "Error while trying to display a topic of zahlgarten.chm"}));
    EXPECT_TRUE(p.window.menu().isEnabled());  // and the program goes on
}

TEST_F(HelpTest, TheAboutFormShowsNameAndVersionAndClosesEitherWay) {
    const std::vector<std::function<void()>> closes = {
        [&] { control<QPushButton>(p, "Inf", "cmd15")->click(); },
        [&] { openForm(p, "Inf")->close(); },
    };
    for (const auto& close : closes) {
        QPoint where;
        std::string name;
        then(t, [&] {
            QDialog* inf = openForm(p, "Inf");
            ASSERT_NE(inf, nullptr);
            where = inf->pos() - p.window.pos();
            name = control<QLabel>(p, "Inf", "lbl1")->text().toStdString();
            EXPECT_FALSE(p.window.menu().isEnabled());
            close();
        });
        t.menu(cmd::kAbout);
        EXPECT_EQ(where, QPoint(200, 18));
        EXPECT_EQ(name, "Zahlgarten V5.0");
        EXPECT_EQ(openForm(p, "Inf"), nullptr);
        EXPECT_EQ(t.events->remaining(), 0u);
    }
}

TEST(HelpViewerTest, TheMenuPageNamesEveryMenuItemAndLinksToTheRules) {
    InDataFolder here;
    test::TestProgram t;
    Program& p = t.p();
    t.menu(cmd::kInstructions);  // the built-in viewer
    EXPECT_TRUE(t.questions->messages.empty());
    auto* viewer = dynamic_cast<QtHelpViewer*>(p.services.help.get());
    ASSERT_NE(viewer, nullptr);
    QTextBrowser* browser = viewer->browser();
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->isVisible());
    const QString text = browser->toPlainText();
    for (std::string label : menuTextTable()) {
        if (label.empty() || label == "-") continue;
        label = label.substr(label.find(':') + 1);
        std::erase(label, '&');
        EXPECT_TRUE(text.contains(QString::fromStdString(label))) << label;
    }
    EXPECT_TRUE(browser->documentTitle().contains(QString::fromUtf8("Men\xC3\xBCpunkte")));
    // The link to the rules opens them in the same window.
    browser->setSource(QUrl(QString::fromUtf8("erkl\xC3\xA4rung.htm")));
    EXPECT_TRUE(browser->documentTitle().contains(QStringLiteral("Spielanleitung")));
    for (const char* part : {"Kandidaten", "Ruhmeshalle", "Escape", "K, dann O", "brett.sud"})
        EXPECT_TRUE(browser->toPlainText().contains(QString::fromUtf8(part))) << part;
    // The rules page from the loops goes to the same window.
    showRulesHelp(p);
    EXPECT_EQ(viewer->browser(), browser);
}

TEST(HelpViewerTest, AMissingPageIsNotShown) {
    QWidget owner;
    QtHelpViewer viewer(&owner);
    EXPECT_FALSE(viewer.showPage(ZG_SOURCE_DIR "/data/keine-seite.htm"));
    EXPECT_EQ(viewer.browser(), nullptr);
    EXPECT_FALSE(viewer.showPage(ZG_SOURCE_DIR "/data"));  // a folder is no page
}

}  // namespace
}  // namespace zg

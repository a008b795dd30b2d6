// Printing onto a page image through a test printer: the page against its reference image,
// no printer, a failing printer; QPrinter into a PDF file; Qt's own texts in German.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include "dialogs/dialog_support.h"
#include "files/board_file.h"
#include "platform/qt/qt_printer.h"
#include "printing/printing.h"
#include "support/fixtures.h"
#include "support/reference_image.h"

namespace zg {
namespace {

// A page of 1200 x 1650 pixels at 150 dpi.
class PagePrinter : public Printer {
  public:
    QImage page = blank();
    bool available = true;  // a printer can be chosen
    bool fails = false;     // the printer reports an error at the end
    std::vector<std::string> titles;

    static QImage blank() {
        QImage image(1200, 1650, QImage::Format_RGB32);
        image.setDotsPerMeterX(5906);
        image.setDotsPerMeterY(5906);
        image.fill(Qt::white);
        return image;
    }
    bool selectPrinter(Window&) override { return available; }
    std::unique_ptr<Canvas> startDocument(const std::string& title) override {
        titles.push_back(title);
        return std::make_unique<QtCanvas>(&page);
    }
    bool finishDocument() override { return !fails; }
};

struct PrintingTest : ::testing::Test {
    test::TestProgram t;
    Program& p = t.p();
    PagePrinter* printer = nullptr;
    void SetUp() override {
        auto pr = std::make_unique<PagePrinter>();
        printer = pr.get();
        p.services.printer = std::move(pr);
        for (int g = 0; g < 4; ++g)
            t.files->files[dataFile(p, collectionFile(g))] = test::readDataFile(collectionFile(g));
        test::setBoard(p.model, test::withOpen(test::kSolvedLine, {{1, 1}, {3, 2}, {6, 6}, {4, 5}}),
                       test::withOpen(test::kSolvedLine, {{1, 1}, {6, 6}}));
    }
};

TEST_F(PrintingTest, APrintedBoardMatchesTheReferencePage) {
    p.model.level = 2;
    t.menu(cmd::kPrintBoard);
    EXPECT_EQ(printer->titles, (std::vector<std::string>{"Brett drucken"}));
    EXPECT_TRUE(test::matchesReference(printer->page, "printed_board"));
    EXPECT_TRUE(t.questions->messages.empty());
}

TEST_F(PrintingTest, TheMenuPrintsTheSetAndShowsItsLastPuzzle) {
    t.menu(cmd::kPrintGames);
    EXPECT_EQ(printer->titles, (std::vector<std::string>{"Spiele drucken"}));
    EXPECT_NE(printer->page, PagePrinter::blank());
    const BoardModel set = p.model;
    EXPECT_EQ(set.board, set.givens);
    EXPECT_NE(set.givens, test::boardFromLine(test::kSolvedLine).givens);
}

TEST_F(PrintingTest, NoPrinterPrintsNothingAndAFailureIsReportedLeavingTheBoard) {
    const BoardModel before = p.model;
    const std::string fileBefore = p.files.boardFileName;
    for (const bool available : {false, true}) {
        printer->available = available;
        printer->fails = true;
        printBoard(p);
        printGameSet(p);
        EXPECT_EQ(p.model.board, before.board);
        EXPECT_EQ(p.model.givens, before.givens);
        EXPECT_EQ(p.files.boardFileName, fileBefore);
    }
    ASSERT_EQ(t.questions->messages.size(), 2u);  // no printer says nothing
    EXPECT_NE(t.questions->messages[0].find("Drucken"), std::string::npos);
}

TEST(QtPrinterTest, PrintsIntoAPdfFileAndReportsOneThatCannotBeWritten) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    test::TestProgram t;
    Program& p = t.p();
    p.model.board.at(1, 1) = p.model.givens.at(1, 1) = 3;
    const std::string pdf = dir.filePath("brett.pdf").toStdString();
    p.services.printer = std::make_unique<QtPrinter>(pdf);
    printBoard(p);
    EXPECT_TRUE(t.questions->messages.empty());
    QFile file(QString::fromStdString(pdf));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));

    p.services.printer =
        std::make_unique<QtPrinter>(dir.filePath("no/such/folder.pdf").toStdString());
    printBoard(p);
    EXPECT_EQ(t.questions->messages.size(), 1u);
    EXPECT_EQ(p.model.board.at(1, 1), 3);
}

// Qt's own dialogs and menus are German whatever the system's locale.
TEST(QtPrinterTest, QtsOwnTextsAreGerman) {
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

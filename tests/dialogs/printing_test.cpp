// Printing onto a page image, without or with a failing printer, into a PDF; Qt in German.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include "files/board_file.h"
#include "platform/qt/qt_printer.h"
#include "printing/printing.h"
#include "support/fixtures.h"
#include "support/reference_image.h"
#include "support/test_program.h"

namespace zg {
namespace {

struct PagePrinter : Printer {
    QImage page = blank();
    bool available = true;  // a printer can be chosen
    bool fails = false;     // the printer reports an error at the end
    std::vector<std::string> titles;
    static QImage blank() {
        QImage image(1200, 1650, QImage::Format_RGB32);
        image.setDotsPerMeterX(5906), image.setDotsPerMeterY(5906);  // 150 dpi
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
    PagePrinter* printer = new PagePrinter;
    void SetUp() override {
        p.services.printer.reset(printer);
        for (int g = 0; g < 4; ++g)
            t.files->files[dataFile(p, collectionFile(g))] = test::readDataFile(collectionFile(g));
        test::setBoard(p.model, test::withOpen(test::kSolvedLine, {{1, 1}, {3, 2}, {6, 6}, {4, 5}}),
                       test::withOpen(test::kSolvedLine, {{1, 1}, {6, 6}}));
    }
};

TEST_F(PrintingTest, APrintedBoardMatchesTheReferencePageAndTheSetShowsItsLastPuzzle) {
    p.model.level = 2;
    t.menu(cmd::kPrintBoard);
    EXPECT_TRUE(test::matchesReference(printer->page, "printed_board"));
    printer->page = PagePrinter::blank();
    t.menu(cmd::kPrintGames);
    EXPECT_EQ(printer->titles, (std::vector<std::string>{"Brett drucken", "Spiele drucken"}));
    EXPECT_NE(printer->page, PagePrinter::blank());
    EXPECT_TRUE(t.questions->messages.empty());
    EXPECT_EQ(p.model.board, p.model.givens);
    EXPECT_NE(p.model.givens, test::boardFromLine(test::kSolvedLine).givens);
}

TEST_F(PrintingTest, NoPrinterPrintsNothingAndAFailureIsReportedLeavingTheBoard) {
    p.model.level = 4;  // out of range: printed under the first level's name
    const BoardModel before = p.model;
    const std::string fileBefore = p.files.boardFileName;
    for (const bool available : {false, true}) {
        printer->available = available;
        printer->fails = true;
        printBoard(p);
        printGameSet(p);
        EXPECT_TRUE(p.model.board == before.board && p.model.givens == before.givens);
        EXPECT_EQ(p.files.boardFileName, fileBefore);
    }
    ASSERT_EQ(t.questions->messages.size(), 2u);  // no printer says nothing
    EXPECT_NE(t.questions->messages[0].find("Drucken"), std::string::npos);
}

TEST(QtPrinterTest, PrintsIntoAPdfFileAndReportsOneThatCannotBeWritten) {
    QTemporaryDir dir;
    test::TestProgram t;
    for (const char* name : {"brett.pdf", "no/such/folder.pdf"}) {
        t.p().services.printer = std::make_unique<QtPrinter>(dir.filePath(name).toStdString());
        printBoard(t.p());
        QFile file(dir.filePath(name));
        const bool writable = name[0] == 'b';
        EXPECT_EQ(file.open(QIODevice::ReadOnly) && file.readAll().startsWith("%PDF"), writable);
        EXPECT_EQ(t.questions->messages.size(), writable ? 0u : 1u) << name;
    }
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

// Printing onto a page image of 4800 x 6600 device pixels: the units, the grid and its box
// borders, the symbols, the footers, the set of four games, and what happens without a
// printer or when it fails. One print goes through QPrinter into a PDF file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTimer>

#include "dialogs/dialog_support.h"
#include "engine/shuffle.h"
#include "platform/data_path.h"
#include "printing/printing.h"
#include "shell/game_main.h"

namespace zg {
namespace {

constexpr int kDotsPerMeter600 = 23622;  // 600 dpi: 36 point text is 300 pixels high

QImage blankPage(int w = 4800, int h = 6600) {
    QImage page(w, h, QImage::Format_Grayscale8);
    page.setDotsPerMeterX(kDotsPerMeter600);
    page.setDotsPerMeterY(kDotsPerMeter600);
    page.fill(Qt::white);
    return page;
}

class PagePrinter : public Printer {
  public:
    QImage page = blankPage();
    bool available = true;  // a printer can be chosen
    bool fails = false;     // the printer reports an error at the end
    std::vector<std::string> titles;
    int finished = 0;

    bool selectPrinter(QWidget*) override { return available; }
    QPaintDevice* startDocument(const std::string& title) override {
        titles.push_back(title);
        return &page;
    }
    bool finishDocument() override {
        ++finished;
        return !fails;
    }
};

// Text as the printing draws it, alone on a white page of the same resolution.
QImage printedText(const std::string& text, double points) {
    QImage probe = blankPage(1, 1);
    int w = 0, h = 0;
    {
        Canvas c(&probe);
        c.selectFace(QStringLiteral("ARIAL"), points);
        w = c.textWidth(text);
        h = c.fontHeight();
    }
    QImage image = blankPage(w, h);
    Canvas c(&image);
    c.selectFace(QStringLiteral("ARIAL"), points);
    c.setTransparentText(true);
    c.text(0, 0, text);
    return image;
}

bool black(const QImage& page, int x, int y) {
    return qGray(page.pixel(x, y)) < 128;
}

bool anyInk(const QImage& page, QRect r) {
    return !test::inkBox(page, r, Qt::black).isNull();
}

// A valid 6 x 6 grid, its values turned by shift.
std::uint8_t solution(int c, int r, int shift) {
    const int rowShift = ((r - 1) % 2) * 3 + (r - 1) / 2;
    return static_cast<std::uint8_t>((c - 1 + rowShift + shift) % 6 + 1);
}

struct PrintingTest : ::testing::Test {
    test::TestProgram t{std::make_unique<SeededRandom>(99)};
    Program& p = t.p();
    PagePrinter* printer = nullptr;

    void SetUp() override {
        auto pr = std::make_unique<PagePrinter>();
        printer = pr.get();
        p.services.printer = std::move(pr);
    }
    // 12 givens and 5 entries.
    void twelveAndFive() {
        int n = 0;
        for (int r = 1; r <= 6; ++r)
            for (int c = 1; c <= 6; ++c, ++n) {
                if (n < 12)
                    p.model.givens.at(c, r) = p.model.board.at(c, r) = solution(c, r, 0);
                else if (n < 17)
                    p.model.board.at(c, r) = solution(c, r, 0);
            }
    }
    // Level g's collection: four records with 8 + 2g givens at the same cells, values turned
    // by the record number, and one entry that is not a given.
    void collections() {
        for (int g = 0; g < 4; ++g) {
            std::vector<unsigned char> file(4000, 0);
            for (int s = 0; s < 4; ++s) {
                unsigned char* rec = file.data() + 1000 * s;
                int n = 0;
                for (int r = 1; r <= 6; ++r)
                    for (int c = 1; c <= 6; ++c, ++n) {
                        if (n < 8 + 2 * g) {
                            rec[Grid::offset(c, r)] = rec[49 + Grid::offset(c, r)] =
                                solution(c, r, s);
                        }
                    }
                rec[Grid::offset(6, 6)] = solution(6, 6, s);
            }
            t.files->files[resolveDataFile(collectionFile(g))] = file;
        }
    }
};

TEST_F(PrintingTest, ABoardPrintsItsGridSymbolsAndFooter) {
    twelveAndFive();
    p.model.level = 1;
    const BoardModel before = p.model;
    printBoard(p);
    const QImage& page = printer->page;
    EXPECT_EQ(printer->titles, (std::vector<std::string>{"Brett drucken"}));
    EXPECT_EQ(printer->finished, 1);

    // The grid spans (60, 94) to (2220, 2914); the 5-pixel box borders are centred on it.
    EXPECT_EQ(test::inkBox(page, QRect(0, 0, 4800, 2950), Qt::black),
              QRect(QPoint(58, 92), QPoint(2221, 2915)));
    for (int dx = -2; dx <= 2; ++dx) EXPECT_TRUE(black(page, 60 + dx, 1500)) << dx;
    EXPECT_FALSE(black(page, 63, 1500));
    // Between the box columns the two boxes' borders lie side by side: 1137..1142.
    EXPECT_TRUE(black(page, 1137, 1500) && black(page, 1142, 1500));
    EXPECT_FALSE(black(page, 1136, 1500) || black(page, 1143, 1500));
    // A thin cell line inside a box: the two outlines of neighbouring cells touch.
    EXPECT_TRUE(black(page, 419, 300) && black(page, 420, 300));
    EXPECT_FALSE(black(page, 418, 300) || black(page, 421, 300));
    for (int dy = -2; dy <= 2; ++dy) EXPECT_TRUE(black(page, 700, 94 + 2 * 470 + dy)) << dy;
    EXPECT_TRUE(black(page, 700, 94 + 470) && black(page, 700, 94 + 470 - 1));

    // The symbol of cell (1, 1) at (144, 169), the others one cell further each.
    EXPECT_TRUE(
        test::showsAt(page, printedText(symbolText(solution(1, 1, 0), true), 36), 144, 169));
    EXPECT_TRUE(test::showsAt(page, printedText(symbolText(solution(5, 3, 0), true), 36),
                              144 + 4 * 360, 169 + 2 * 470));
    // 17 symbols: exactly the filled cells have ink inside their lines.
    int inked = 0;
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r) {
            const QRect inside(60 + (c - 1) * 360 + 4, 94 + (r - 1) * 470 + 4, 352, 462);
            const bool ink = anyInk(page, inside);
            EXPECT_EQ(ink, before.board.at(c, r) != 0) << c << ", " << r;
            inked += ink;
        }
    EXPECT_EQ(inked, 17);
    EXPECT_TRUE(test::showsAt(page, printedText("Schwierigkeitsgrad:  Mittel mit 12 Zahlen", 10),
                              60, 2961));
    EXPECT_EQ(p.panels.givenCount, 12);
    EXPECT_EQ(p.model.board, before.board);
    EXPECT_EQ(p.model.givens, before.givens);
    EXPECT_TRUE(t.questions->messages.empty());
}

TEST_F(PrintingTest, LettersAndAnEmptyBoard) {
    p.model.showDigits = false;
    p.model.board.at(1, 1) = 6;
    p.model.level = 3;
    printBoard(p);
    EXPECT_TRUE(test::showsAt(printer->page, printedText("F", 36), 144, 169));
    EXPECT_TRUE(test::showsAt(
        printer->page, printedText("Schwierigkeitsgrad: Extrem mit 0 Zahlen", 10), 60, 2961));

    printer->page = blankPage();
    p.model.board.clear();
    printBoard(p);
    int inked = 0;
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r)
            inked += anyInk(printer->page,
                            QRect(60 + (c - 1) * 360 + 4, 94 + (r - 1) * 470 + 4, 352, 462));
    EXPECT_EQ(inked, 0);
}

TEST_F(PrintingTest, AGameSetPrintsFourPuzzlesWithTheirGivensAndKeepsTheLast) {
    collections();
    p.model.level = 1;
    p.clock.clockRunning = true;
    // The draws in their order: the record, then the shuffle, level by level.
    SeededRandom twin(99);
    BoardModel expected = p.model;
    ClockState clock;
    for (int g = 0; g < 4; ++g) {
        BoardFiles f{resolveDataFile(collectionFile(g))};
        loadBoardSlot(f, expected, clock, p.fileIo(), twin(4));
        shuffleBoard(expected, twin);
    }

    printGameSet(p);
    const QImage& page = printer->page;
    EXPECT_EQ(printer->titles, (std::vector<std::string>{"Spiele drucken"}));
    const char* names[] = {" Leicht ", " Mittel ", "Schwer ", "Extrem "};
    for (int g = 0; g < 4; ++g) {
        SCOPED_TRACE(g);
        const int ox = (g % 2) * 40 * 60, oy = (g / 2) * 35 * 94;
        EXPECT_TRUE(black(page, 60 + ox, 94 + oy + 200));
        EXPECT_TRUE(black(page, 2219 + ox, 94 + oy + 200));
        const std::string footer = std::string("Schwierigkeitsgrad: ") + names[g] + "mit " +
                                   std::to_string(8 + 2 * g) + " Zahlen";
        EXPECT_TRUE(test::showsAt(page, printedText(footer, 10), 60 + ox, 2961 + oy));
        int inked = 0;  // the givens only: the entry that is no given is not printed
        for (int c = 1; c <= 6; ++c)
            for (int r = 1; r <= 6; ++r)
                inked += anyInk(page, QRect(60 + ox + (c - 1) * 360 + 4,
                                            94 + oy + (r - 1) * 470 + 4, 352, 462));
        EXPECT_EQ(inked, 8 + 2 * g);
    }
    // The level-3 puzzle is now the board, shuffled; the clock has stopped.
    EXPECT_EQ(p.model.board, expected.board);
    EXPECT_EQ(p.model.givens, expected.givens);
    EXPECT_EQ(countGivens(p.model), 14);
    EXPECT_FALSE(p.clock.clockRunning);
    EXPECT_EQ(p.model.level, 1);
    // The printed givens of the last board are those of the model.
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 6; ++r)
            if (p.model.givens.at(c, r) != 0) {
                EXPECT_TRUE(
                    test::showsAt(page, printedText(symbolText(p.model.givens.at(c, r), true), 36),
                                  144 + (c - 1) * 360 + 2400, 169 + (r - 1) * 470 + 3290));
            }
}

TEST_F(PrintingTest, TheMenuPrintsTheSetAndShowsTheNewBoard) {
    collections();
    t.menu(12);
    EXPECT_EQ(printer->titles, (std::vector<std::string>{"Spiele drucken"}));
    EXPECT_EQ(countGivens(p.model), 14);
    t.menu(27);
    EXPECT_EQ(printer->titles.back(), "Brett drucken");
}

TEST_F(PrintingTest, NoPrinterPrintsNothingAndSaysNothing) {
    collections();
    twelveAndFive();
    const BoardModel before = p.model;
    printer->available = false;
    printBoard(p);
    printGameSet(p);
    EXPECT_TRUE(printer->titles.empty());
    EXPECT_EQ(p.model.board, before.board);
    EXPECT_EQ(p.model.givens, before.givens);
    EXPECT_TRUE(t.questions->messages.empty());
    EXPECT_EQ(printer->page, blankPage());
}

TEST_F(PrintingTest, AFailingPrinterIsReportedAndTheBoardStays) {
    collections();
    twelveAndFive();
    const BoardModel before = p.model;
    printer->fails = true;
    printGameSet(p);
    printBoard(p);
    ASSERT_EQ(t.questions->messages.size(), 2u);
    EXPECT_NE(t.questions->messages[0].find("Drucken"), std::string::npos);
    EXPECT_EQ(p.model.board, before.board);
    EXPECT_EQ(p.model.givens, before.givens);
    EXPECT_EQ(p.model.candidateMarks, before.candidateMarks);
}

// Through QPrinter into PDF files: one page each. With ZG_KEEP_PDF set to a folder, the files
// are kept there to be looked at.
TEST(QtPrinterTest, PrintsABoardAndAGameSetIntoPdfFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    test::TestProgram t;
    Program& p = t.p();
    for (int g = 0; g < 4; ++g) {
        QFile data(QStringLiteral(ZG_SOURCE_DIR "/data/") + collectionFile(g));
        ASSERT_TRUE(data.open(QIODevice::ReadOnly));
        const QByteArray bytes = data.readAll();
        t.files->files[resolveDataFile(collectionFile(g))].assign(bytes.begin(), bytes.end());
    }
    p.model.board.at(1, 1) = p.model.givens.at(1, 1) = 3;
    p.model.board.at(6, 6) = 5;
    for (const char* name : {"brett.pdf", "spiele.pdf"}) {
        const std::string pdf = dir.filePath(name).toStdString();
        p.services.printer = std::make_unique<QtPrinter>(pdf);
        if (name[0] == 'b')
            printBoard(p);
        else
            printGameSet(p);
        EXPECT_TRUE(t.questions->messages.empty());
        QFile file(QString::fromStdString(pdf));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.startsWith("%PDF"));
        EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), 1) << name;
        if (const char* keep = std::getenv("ZG_KEEP_PDF"))
            QFile::copy(QString::fromStdString(pdf), QDir(keep).filePath(name));
    }
    EXPECT_GT(countGivens(p.model), 0);  // the set left its last puzzle
}

TEST(QtPrinterTest, APdfThatCannotBeWrittenIsReported) {
    test::TestProgram t;
    Program& p = t.p();
    p.services.printer = std::make_unique<QtPrinter>("/nonexistent-folder/brett.pdf");
    p.model.board.at(2, 2) = 4;
    const BoardModel before = p.model;
    printBoard(p);
    ASSERT_EQ(t.questions->messages.size(), 1u);
    EXPECT_EQ(p.model.board, before.board);
}

TEST(QtPrinterTest, WithoutAPrinterTheCancelledDialogPrintsNothing) {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "a default printer exists";
    test::TestProgram t;
    Program& p = t.p();
    p.services.printer = std::make_unique<QtPrinter>();
    p.model.board.at(2, 2) = 4;
    const BoardModel before = p.model;
    bool dialogShown = false;
    QTimer::singleShot(0, [&] {
        if (auto* d = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            dialogShown = true;
            d->reject();
        }
    });
    printBoard(p);
    EXPECT_TRUE(dialogShown);
    EXPECT_TRUE(t.questions->messages.empty());
    EXPECT_EQ(p.model.board, before.board);
}

// Qt's own dialogs and menus are German whatever the system's locale.
TEST(QtPrinterTest, QtsOwnTextsAreGerman) {
    ASSERT_TRUE(installQtTranslations());
    QPrinter printer;
    QPrintDialog dialog(&printer);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Drucken");
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    EXPECT_TRUE(menu->actions().first()->text().startsWith(QString::fromUtf8("&Rückgängig")))
        << menu->actions().first()->text().toStdString();
}

}  // namespace
}  // namespace zg

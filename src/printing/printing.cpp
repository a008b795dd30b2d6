#include "printing/printing.h"

#include <cmath>
#include <optional>

#include "game/board_ops.h"
#include "game/program.h"

namespace zg {

namespace {

// Services made without a printer (tests) print nothing, as without a printer and with the
// printer dialog cancelled: a real dialog there would wait for a player who is not there.
class NoPrinter : public Printer {
  public:
    bool selectPrinter(Window&) override { return false; }
    std::unique_ptr<Canvas> startDocument(const std::string&) override { return nullptr; }
    bool finishDocument() override { return false; }
};

constexpr const char* kPrintFailed =
    "Das Drucken ist fehlgeschlagen: Der Drucker hat einen Fehler gemeldet.";

int nearest(double v) {
    return static_cast<int>(std::lround(v));
}

void drawGrid(Canvas& c, const PrintLayout& L) {
    const int left = L.printUnitX + L.printOffsetX;
    const int top = L.printUnitY + L.printOffsetY;
    c.setPenWidth(1);
    for (int row = 1; row <= 6; ++row)
        for (int col = 1; col <= 6; ++col) {
            const int x = left + (col - 1) * L.printCellWidth;
            const int y = top + (row - 1) * L.printCellHeight;
            c.rectangle(x, y, x + L.printCellWidth, y + L.printCellHeight);
        }
    c.setPenWidth(5);
    for (int br = 1; br <= 3; ++br)
        for (int bc = 1; bc <= 2; ++bc) {
            const int x = left + (bc - 1) * 3 * L.printCellWidth;
            const int y = top + (br - 1) * 2 * L.printCellHeight;
            c.rectangle(x, y, x + 3 * L.printCellWidth, y + 2 * L.printCellHeight);
        }
    c.setPenWidth(1);
}

void selectBigFont(Canvas& c) {
    c.selectFace("ARIAL", 36);
}

// One board: each value of cells in its place, then the footer counting the givens among them.
void printCells(Canvas& c, const PrintLayout& L, const BoardModel& m, const Grid& cells,
                const std::string& levelName) {
    selectBigFont(c);
    int givenCount = 0;
    for (int col = 1; col <= 6; ++col)
        for (int row = 1; row <= 6; ++row) {
            const std::uint8_t value = cells.at(col, row);
            if (value == 0) continue;
            if (m.givens.at(col, row) != 0) ++givenCount;
            const int x =
                nearest(2.4 * L.printUnitX) + (col - 1) * L.printCellWidth + L.printOffsetX;
            const int y =
                nearest(1.8 * L.printUnitY) + (row - 1) * L.printCellHeight + L.printOffsetY;
            c.text(x, y, symbolText(value, m.showDigits));
        }
    c.selectFace("ARIAL", 10);
    c.text(L.printUnitX + L.printOffsetX, nearest(31.5 * L.printUnitY) + L.printOffsetY,
           printFooter(levelName, givenCount));
}

// One page through the printer, drawn by paint(canvas, layout). No printer chosen or the
// document cancelled: nothing happens; a printer that cannot start or reports an error is
// reported to the player.
enum class PrintOutcome { none, printed, failed };

template <typename Paint>
PrintOutcome printPage(Program& p, const std::string& title, Paint paint) {
    Printer& pr = printer(p);
    if (!pr.selectPrinter(p.window)) return PrintOutcome::none;
    bool started = false;
    if (std::unique_ptr<Canvas> page = pr.startDocument(title)) {
        started = page->ready();
        if (started) {
            page->setForeground({0, 0, 0});
            page->setBackground({255, 255, 255});
            page->setTransparentText(true);
            selectBigFont(*page);
            paint(*page, printLayout(page->width(), page->height()));
        }
    }  // the page ends with its canvas
    const bool finished = pr.finishDocument();
    if (pr.cancelled()) return PrintOutcome::none;
    if (started && finished) return PrintOutcome::printed;
    p.questions().message(kPrintFailed);
    return PrintOutcome::failed;
}

}  // namespace

PrintLayout printLayout(int pageWidth, int pageHeight) {
    PrintLayout L;
    L.printUnitX = pageWidth / 80;
    L.printUnitY = pageHeight / 70;
    L.printCellWidth = 6 * L.printUnitX;
    L.printCellHeight = 5 * L.printUnitY;
    return L;
}

std::string printFooter(const std::string& levelName, int givenCount) {
    return "Schwierigkeitsgrad: " + levelName + "mit " + std::to_string(givenCount) + " Zahlen";
}

Printer& printer(Program& p) {
    if (!p.services.printer) p.services.printer = std::make_unique<NoPrinter>();
    return *p.services.printer;
}

void printBoard(Program& p) {
    printPage(p, "Brett drucken", [&p](Canvas& c, PrintLayout L) {
        drawGrid(c, L);
        printCells(c, L, p.model, p.model.board, levelName(p.model));
    });
}

void printGameSet(Program& p) {
    // A failed print leaves the board as it was, though the puzzles have been loaded.
    const BoardModel before = p.model;
    const std::string fileBefore = p.files.boardFileName;
    const PrintOutcome outcome = printPage(p, "Spiele drucken", [&p](Canvas& c, PrintLayout L) {
        for (int g = 0; g < 4; ++g) {
            L.printOffsetX = (g % 2) * 40 * L.printUnitX;
            L.printOffsetY = (g / 2) * 35 * L.printUnitY;
            drawGrid(c, L);
            p.files.boardFileName = dataFile(p, collectionFile(g));
            const int record = p.random()(4);
            loadBoard(p, record);
            shuffle(p);
            printCells(c, L, p.model, p.model.givens, p.model.levelNames[g]);
        }
    });
    if (outcome == PrintOutcome::failed) {
        p.model = before;
        p.files.boardFileName = fileBefore;
    }
}

}  // namespace zg

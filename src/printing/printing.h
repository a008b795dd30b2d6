// Printing the current board, or a set of four fresh games on one page.
#pragma once

#include <cstdint>
#include <string>

namespace zg {

struct Program;
class Printer;
class Canvas;

// The layout, in units of the printable area: 80 across, 70 down.
struct PrintLayout {
    int printUnitX = 0;
    int printUnitY = 0;
    int printCellWidth = 0;
    int printCellHeight = 0;
    int printOffsetX = 0;  // of the board being printed
    int printOffsetY = 0;
};
PrintLayout printLayout(int pageWidth, int pageHeight);

// "Schwierigkeitsgrad: " + level name + "mit " + count + " Zahlen".
std::string printFooter(const std::string& levelName, int givenCount);

void printBoard(Program& p);
void printGameSet(Program& p);

// The program's printer: QPrinter in the game (Services::real), none when services have none.
Printer& printer(Program& p);

}  // namespace zg

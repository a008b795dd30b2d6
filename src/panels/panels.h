// The STATISTIK, STATUSMELDUNG, SCHWIERIGKEITSGRAD and HILFEFENSTER panels.
#pragma once

#include <string>

namespace zg {

struct Program;

void drawStatisticsPanel(Program& p);  // frame, headings, then updateStatistics, status panel
void updateStatistics(Program& p);     // recount, counts, status check (through the engine)
void drawStatusPanel(Program& p);      // frame, then checkBoard
void checkBoard(Program& p);           // the status check, its message and beep
void drawLevelPanel(Program& p);       // frame, label line, then updateLevelPanel
void updateLevelPanel(Program& p);     // givenCount and the level name
void drawHelpPanel(Program& p);        // frame, then showHelpText
void showHelpText(Program& p);         // helpText at (436, 331)

// Drawing steps the engine asks for through the view.
void drawStatisticsCounts(Program& p);  // the six counts after a recount
void drawStatusMessage(Program& p);     // statusText at (446, 142)

// n right-aligned in two characters (" 6", "12").
std::string rightAligned2(int n);

}  // namespace zg

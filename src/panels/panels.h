// The STATISTIK, STATUSMELDUNG, SCHWIERIGKEITSGRAD and HILFEFENSTER panels.
#pragma once

#include <string>

namespace zg {

struct BoardModel;
struct PanelsState;
struct ViewState;
class BoardView;
class Canvas;

// Where each panel's frame stands (client pixels): drawn here, told to screen readers too.
struct PanelFrame {
    int x, y, width, height;
};
inline constexpr PanelFrame kStatisticsFrame{423, 16, 234, 78};
inline constexpr PanelFrame kStatusFrame{423, 108, 234, 78};
inline constexpr PanelFrame kLevelFrame{423, 200, 234, 78};
inline constexpr PanelFrame kHelpFrame{423, 292, 234, 72};

// frame, headings, then updateStatistics (the engine's: recount, counts, status check through
// view), then the status panel
void drawStatisticsPanel(Canvas& c, const ViewState& view, BoardModel& m, BoardView& boardView);
// frame, then checkBoard (the engine's, through view)
void drawStatusPanel(Canvas& c, const ViewState& view, BoardModel& m, BoardView& boardView);
// frame, label line, then updateLevelPanel
void drawLevelPanel(Canvas& c, const ViewState& view, const BoardModel& m, PanelsState& panels);
// givenCount and the level name
void updateLevelPanel(Canvas& c, const ViewState& view, const BoardModel& m, PanelsState& panels);
// frame, then showHelpText
void drawHelpPanel(Canvas& c, const ViewState& view, const PanelsState& panels);
// helpText at (436, 331)
void showHelpText(Canvas& c, const ViewState& view, const PanelsState& panels);

// Drawing steps the engine asks for through the view.
// the six counts after a recount
void drawStatisticsCounts(Canvas& c, const ViewState& view, const BoardModel& m);
// statusText at (446, 142)
void drawStatusMessage(Canvas& c, const ViewState& view, const BoardModel& m);

// n right-aligned in two characters (" 6", "12").
std::string rightAligned2(int n);

}  // namespace zg

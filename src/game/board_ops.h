// The one way the board changes. Outside the engine, every change of board, givens or
// candidateMarks goes through here: the model is written, the view is told what changed, the
// marks are recomputed while shown, and the player's changes are recorded for undo and followed
// by the status check. Whole-board changes drop the undo history: it belongs to the old board.
#pragma once

#include "engine/history.h"
#include "files/board_file.h"

namespace zg {

struct Program;

// When the status check follows a change of one cell.
enum class Check {
    ifValueChanged,  // a mark alone changes no count
    always,          // the chooser's edits of the play loop and every edit of the editor
};

// One change of one cell by the player: what the cell was is taken when it begins, and end()
// records what differs for undo and runs the status check (in the editor, the level panel too).
class PlayerEdit {
  public:
    PlayerEdit(Program& p, int column, int row);
    PlayerEdit(const PlayerEdit&) = delete;
    PlayerEdit& operator=(const PlayerEdit&) = delete;

    // The player's value, drawn as an entry (0 empties the cell).
    void setValue(int value);
    // The value stored without drawing: the editor's chooser, whose cell is painted after it.
    void storeValue(int value);
    // The editor: value and given, painted as a given (0 too, as the chooser leaves it).
    void setGiven(int value);
    // The editor: no value, no given, drawn empty.
    void emptyCell();
    void setMark(int value, bool on);
    void toggleMark(int value);
    void clearMarks();
    // Back to a state the cell had (undo, redo), drawn as the board has it.
    void restore(const CellState& state);
    void end(Check check);

  private:
    void changedMarks();
    Program& p_;
    int column_, row_;
    CellState before_;
    bool record_ = true;
};

// The marks again from the board, with showCandidates (the engine stops the clock then).
void computeCandidatesIfShown(Program& p);

// A given grey, the player's value white, the marks when empty.
void repaintCell(Program& p, int column, int row);

// The timed game ends unwon: the player had help, or left it. The clock stops.
void endTimedGame(Program& p);

// The board is solved (every value six times, no value twice) while the clock runs.
bool wonNow(const Program& p);

// Whole-board changes.
LoadResult loadBoard(Program& p, int slot);  // from p.files.boardFileName
void shuffle(Program& p);
void restart(Program& p);   // "N&eustart": the givens alone
void clearAll(Program& p);  // "B&rett löschen"
void solve(Program& p);
// Marks shown or hidden; clearMarks: the loops' M starts the marks anew.
void toggleCandidates(Program& p, bool clearMarks);

}  // namespace zg

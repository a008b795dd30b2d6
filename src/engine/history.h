// Undo and redo of the player's board changes, one cell at a time.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/board.h"

namespace zg {

// One cell as the player can change it.
struct CellState {
    std::uint8_t value = 0;       // board
    std::uint8_t given = 0;       // givens (changed only by the own-board editor)
    std::array<bool, 7> marks{};  // candidateMarks of values 1..6 (index 0 unused)
    bool operator==(const CellState&) const = default;
};

CellState cellState(const BoardModel& m, int column, int row);
void applyCellState(BoardModel& m, int column, int row, const CellState& s);

struct CellChange {
    int column = 0, row = 0;
    CellState before, after;
};

class History {
  public:
    // A change the player made; a change whose before equals after is ignored. Drops the redo list.
    void record(const CellChange& change);
    // Convenience: records (column,row) changing from `before` to the model's current state.
    void recordFrom(const BoardModel& m, int column, int row, const CellState& before);
    std::optional<CellChange> undo();  // the change to take back (apply its `before`), or none
    std::optional<CellChange> redo();  // the change to do again (apply its `after`), or none
    void clear();                      // a new board: nothing to undo or redo
    bool canUndo() const;
    bool canRedo() const;

  private:
    std::vector<CellChange> done_, undone_;
};

}  // namespace zg

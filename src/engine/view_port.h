// The narrow interface through which the engine shows its progress. The GUI draws; tests record.
#pragma once

#include <cstdint>

namespace zg {

class BoardView {
  public:
    virtual ~BoardView() = default;
    // One ordinary cell with its symbol (0 erases it).
    virtual void drawCell(int column, int row, std::uint8_t value) = 0;
    // One cell painted as a given.
    virtual void drawGivenCell(int column, int row, std::uint8_t value) = 0;
    // valueCount has been recounted: draw the six counts.
    virtual void drawCounts() = 0;
    // statusText is decided: draw it; beep when the board holds a duplicate.
    virtual void drawStatus(bool beep) = 0;
    // Draw the candidate marks of every empty cell from candidateMarks.
    virtual void drawCandidates() = 0;
    // The clock has been stopped (clockRunning is false): refresh its display.
    virtual void updateClock() = 0;
};

// For callers that show nothing (zgtool, benchmarks).
class NullView : public BoardView {
  public:
    void drawCell(int, int, std::uint8_t) override {}
    void drawGivenCell(int, int, std::uint8_t) override {}
    void drawCounts() override {}
    void drawStatus(bool) override {}
    void drawCandidates() override {}
    void updateClock() override {}
};

}  // namespace zg

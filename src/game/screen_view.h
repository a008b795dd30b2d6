// The engine's view on the main window: draws what the engine reports, as it happens.
#pragma once

#include "engine/view_port.h"

namespace zg {

struct Program;

class ScreenView : public BoardView {
  public:
    explicit ScreenView(Program& p) : p_(p) {}
    void drawCell(int column, int row, std::uint8_t value) override;
    void drawGivenCell(int column, int row, std::uint8_t value) override;
    void drawCounts() override;
    void drawStatus(bool beep) override;
    void drawCandidates() override;
    void updateClock() override;

  private:
    Program& p_;
};

}  // namespace zg

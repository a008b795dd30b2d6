// A BoardView that writes down every visible effect in order.
#pragma once

#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/view_port.h"

namespace zg::test {

class RecordingView : public BoardView {
  public:
    explicit RecordingView(const BoardModel* m = nullptr) : model_(m) {}

    void drawCell(int c, int r, std::uint8_t v) override {
        log.push_back("cell " + std::to_string(c) + std::to_string(r) + "=" + std::to_string(v));
        ++cells;
    }
    void drawGivenCell(int c, int r, std::uint8_t v) override {
        log.push_back("given " + std::to_string(c) + std::to_string(r) + "=" + std::to_string(v));
        ++givenCells;
    }
    void drawCounts() override {
        log.push_back("counts");
        ++counts;
    }
    void drawStatus(bool beep) override {
        log.push_back(std::string("status ") + (model_ ? model_->statusText : "") +
                      (beep ? " beep" : ""));
        ++statuses;
        if (beep) ++beeps;
    }
    void drawCandidates() override {
        log.push_back("marks");
        ++marks;
    }
    void updateClock() override {
        log.push_back("clock");
        ++clocks;
    }

    std::vector<std::string> log;
    int cells = 0, givenCells = 0, counts = 0, statuses = 0, beeps = 0, marks = 0, clocks = 0;

  private:
    const BoardModel* model_;
};

}  // namespace zg::test

// A BoardView that writes down every visible effect in order.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "engine/board.h"
#include "engine/view_port.h"

namespace zg::test {

class RecordingView : public BoardView {
  public:
    explicit RecordingView(const BoardModel* m = nullptr) : model_(m) {}

    void drawCell(int c, int r, std::uint8_t v) override { put("cell ", c, r, v); }
    void drawGivenCell(int c, int r, std::uint8_t v) override { put("given ", c, r, v); }
    void drawCounts() override { log.push_back("counts"); }
    void drawStatus(bool beep) override {
        log.push_back("status " + (model_ ? model_->statusText : "") + (beep ? " beep" : ""));
    }
    void drawCandidates() override { log.push_back("marks"); }
    void updateClock() override { log.push_back("clock"); }

    // How many entries of the log start with prefix.
    long count(const std::string& prefix) const {
        return std::count_if(log.begin(), log.end(),
                             [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
    }

    std::vector<std::string> log;

  private:
    void put(std::string what, int c, int r, int v) {
        log.push_back(what + std::to_string(c) + std::to_string(r) + "=" + std::to_string(v));
    }
    const BoardModel* model_;
};

}  // namespace zg::test

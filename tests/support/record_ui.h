// checkNewRecord's player: types a name and accepts, or cancels; keeps what it was shown.
#pragma once

#include <string>
#include <vector>

#include "halloffame/records.h"

namespace zg::test {

struct ScriptedUi : RecordUi {
    bool accept = true;
    std::string typed = "Anna";
    int asked = 0, shown = 0, shownLevel = -1;
    std::vector<std::string> errors;

    void askChampionName(HallOfFame& hall) override {
        ++asked;
        if (accept) hall.championAccepted = true, hall.championName = typed;
    }
    void showHallOfFame(HallOfFame&, int level) override { ++shown, shownLevel = level; }
    std::string today() override { return "07.12.2026"; }
    void reportError(const std::string& message) override { errors.push_back(message); }
};

// The names of level, place 1 to 10, each followed by a blank.
inline std::string namesOf(const HallOfFame& hall, int level) {
    std::string listed;
    for (int place = 1; place <= 10; ++place) listed += hall.fameNames[level][place] + " ";
    return listed;
}

}  // namespace zg::test

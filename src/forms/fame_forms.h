// The hall-of-fame form ruhm and the champion form champ.
#pragma once

#include <string>

#include "halloffame/records.h"

namespace zg {

struct Program;

// ruhm, opened on the tab of the current level.
void showHallOfFame(Program& p);
// ruhm, opened on the tab of level.
void showHallOfFameAt(Program& p, int level);
// champ: on accept sets championAccepted and championName; cancel and close change nothing.
void askChampionName(Program& p);
// A solved timed game: checkNewRecord for finalTime with the forms.
void recordCheck(Program& p);

// checkNewRecord's side of the game: the two forms, today's date, and a message box for a
// hall of fame that could not be saved.
class FormRecordUi : public RecordUi {
  public:
    explicit FormRecordUi(Program& p) : p_(p) {}
    void askChampionName(HallOfFame& hall) override;
    void showHallOfFame(HallOfFame& hall, int level) override;
    std::string today() override;
    void reportError(const std::string& message) override;

  private:
    Program& p_;
};

// The "#" column: the place right-aligned in two characters and a full stop (" 1.", "10.").
std::string placeText(int place);

}  // namespace zg

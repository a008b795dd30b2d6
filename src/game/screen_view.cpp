#include "game/screen_view.h"

#include "game/clock.h"
#include "game/program.h"
#include "panels/panels.h"
#include "view/board_render.h"

namespace zg {

void ScreenView::drawCell(int column, int row, std::uint8_t value) {
    zg::drawCell(p_.canvas(), p_.view, p_.model, column, row, value);
    // The solver places values one by one: let the player see each as it lands.
    p_.window.presentNow();
}

void ScreenView::drawGivenCell(int column, int row, std::uint8_t value) {
    zg::drawGivenCell(p_.canvas(), p_.view, p_.model, column, row, value);
}

void ScreenView::drawCounts() {
    drawStatisticsCounts(p_.canvas(), p_.view, p_.model);
}

void ScreenView::drawStatus(bool beep) {
    if (beep) p_.beeper().beep();
    drawStatusMessage(p_.canvas(), p_.view, p_.model);
    p_.panels.statusShown = p_.model.statusText;
}

void ScreenView::drawCandidates() {
    zg::drawCandidates(p_.canvas(), p_.view, p_.model);
}

void ScreenView::updateClock() {
    zg::updateClock(p_);
}

}  // namespace zg

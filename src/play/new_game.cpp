#include "play/new_game.h"

#include "files/board_file.h"
#include "game/board_ops.h"
#include "game/clock.h"
#include "game/program.h"
#include "panels/panels.h"
#include "platform/data_path.h"
#include "play/clock.h"
#include "play/game_boundary.h"
#include "play/loops.h"

namespace zg {

void newGame(Program& p) {
    // The collections are read-only data: found in the current folder or beside the game.
    p.files.boardFileName = dataFile(p, collectionFile(p.model.level));
    const int record = p.random()(kRecordCount);
    // Without a puzzle there is no new game: the board stays as it was, and no clock runs on a
    // board that may be solved already, so nothing can become a record.
    if (loadBoard(p, record) != LoadResult::loaded) {
        p.questions().message(missingCollectionText(collectionFile(p.model.level)));
        return;
    }
    updateLevelPanel(p.canvas(), p.view, p.model, p.panels);
    startTimedGame(p);
    shuffle(p);
    crossBoundary(p, Boundary::newPuzzle);
    playLoop(p);
}

std::string missingCollectionText(const std::string& file) {
    return "Die Rätselsammlung „" + file +
           "“ fehlt oder ist beschädigt. Es wurde kein neues Spiel gestartet.";
}

}  // namespace zg

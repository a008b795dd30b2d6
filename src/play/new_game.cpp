#include "play/new_game.h"

#include "engine/shuffle.h"
#include "files/board_file.h"
#include "panels/panels.h"
#include "platform/data_path.h"
#include "play/clock.h"
#include "play/game_boundary.h"
#include "play/loops.h"
#include "shell/program.h"

namespace zg {

void newGame(Program& p) {
    // The collections are read-only data: found in the current folder or beside the game.
    p.files.boardFileName = dataFile(p, collectionFile(p.model.level));
    const int record = p.random()(kRecordCount);
    // A missing or damaged collection leaves the board as it was and the game goes on with it;
    // the player is told why the puzzle is not a new one.
    if (loadBoardSlot(p.files, p.model, p.clock, p.fileIo(), record) != LoadResult::loaded)
        p.questions().message(missingCollectionText(collectionFile(p.model.level)));
    updateLevelPanel(p.canvas(), p.view, p.model, p.panels);
    startTimedGame(p);
    shuffleBoard(p.model, p.random());
    crossBoundary(p, Boundary::newPuzzle);
    playLoop(p);
}

std::string missingCollectionText(const std::string& file) {
    return "Die Rätselsammlung \"" + file +
           "\" fehlt oder ist beschädigt. Das Spiel geht mit dem bisherigen Brett weiter.";
}

}  // namespace zg

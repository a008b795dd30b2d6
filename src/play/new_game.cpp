#include "play/new_game.h"

#include "engine/shuffle.h"
#include "files/board_file.h"
#include "panels/clock_panel.h"
#include "panels/panels.h"
#include "platform/data_path.h"
#include "play/loops.h"
#include "shell/program.h"

namespace zg {

void newGame(Program& p) {
    // The collections are read-only data: found in the current folder or beside the game.
    p.files.boardFileName = resolveDataFile(collectionFile(p.model.level));
    const int record = p.random()(kRecordCount);
    // A missing collection leaves the board as it was; the game goes on with it.
    loadBoardSlot(p.files, p.model, p.clock, p.fileIo(), record);
    updateLevelPanel(p);
    startTimedGame(p);
    shuffleBoard(p.model, p.random());
    p.model.candidateMarks.clear();
    playLoop(p);
}

}  // namespace zg

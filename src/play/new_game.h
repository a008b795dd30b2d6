// "&Neues Spiel": a stored puzzle of the level's collection, disguised, timed and played.
#pragma once

#include <string>

namespace zg {

struct Program;

// The collection of the level, Random(4) for the record, the level panel, the clock, the
// shuffle, no marks, then playLoop.
void newGame(Program& p);

// The message for a collection that cannot be loaded.
std::string missingCollectionText(const std::string& file);

}  // namespace zg

// Access to the help pages.
#pragma once

#include <string>

namespace zg {

struct Program;

// There is one help system here: the built-in viewer of the HTML pages.
bool detectHtmlHelp();
void showHtmlTopic(Program& p, const std::string& topic, const std::string& file);
// The classic help engine does not exist on this platform: requests are ignored.
void showClassicHelp(Program& p, const std::string& keyword);
void closeClassicHelp(Program& p);

}  // namespace zg

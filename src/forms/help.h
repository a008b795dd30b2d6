// Access to the help pages.
#pragma once

#include <string>

namespace zg {

struct Program;
class HelpViewer;

inline constexpr const char* kHelpFile = "Zahlgarten.chm";
inline constexpr const char* kHelpFileOfLoops = "zahlgarten.chm";  // as the loops name it
inline constexpr const char* kMenuTopic = "übersicht.htm";
inline constexpr const char* kRulesTopic = "erklärung.htm";
inline constexpr const char* kHelpError = "Error while trying to display a topic of ";

// There is one help system here: the built-in viewer of the HTML pages.
bool detectHtmlHelp();
// Shows topic, a page found like the other data files; a page that cannot be shown gives
// kHelpError followed by file.
void showHtmlTopic(Program& p, const std::string& topic, const std::string& file);
// The classic help engine does not exist on this platform: requests are ignored.
void showClassicHelp(Program& p, const std::string& keyword);
void closeClassicHelp(Program& p);

// "&Anleitung": the page of every menu item.
void showMenuHelp(Program& p);
// The "Hilfe" button and key H of the loops: the rules, the chooser and the keys.
void showRulesHelp(Program& p);

// The program's viewer: the test's when one is set, else the built-in window.
HelpViewer& helpViewer(Program& p);

}  // namespace zg

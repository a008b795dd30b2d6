// The drawn push buttons of the play loops.
#pragma once

#include <string>

namespace zg {

struct Program;

inline constexpr int kButtonTop = 418;
inline constexpr const char* kCaptionLoad = "  _Laden  ";
inline constexpr const char* kCaptionSave = " _Sichern ";
inline constexpr const char* kCaptionHelp = " _Hilfe ";
inline constexpr const char* kCaptionAbort = " _Abbruch ";

// state 0 raised, 1 pressed. The letter after "_" is the accelerator, drawn in dark red.
// The caption is taken by value: the underscore is replaced in a copy.
void drawButton(Program& p, int state, int x, int y, std::string caption);

}  // namespace zg

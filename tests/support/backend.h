// What the game's tests need of their backend beyond the platform interface (support/qt/, win32/).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/image.h"

namespace zg::test {

// The reference images are the Qt game's: its forms' look and its fonts.
extern const bool kReferenceLook;

std::unique_ptr<Platform> testPlatform();
// Handles what the toolkit has waiting now (a tab switch's repaint), without waiting.
void dispatchPending();

// Pixels of a surface; a canvas onto target (white, at dpi; 0: the screen's) until it goes.
Image toImage(const SavedImage& saved);
std::unique_ptr<Canvas> canvasOn(Image& target, int dpi = 0);
// From now on the cell of every text drawn on the window's back buffer is added to boxes.
void recordTextBoxes(Window& window, std::vector<Rect>& boxes);

// The main window: a menu item chosen (posted), its text, the close box, whether it shows.
void chooseMenu(Window& window, int command);
std::string menuText(Window& window, int command);
void requestClose(Window& window);
bool isShown(Window& window);
// Where a label sits in window's client area.
Rect labelPlace(Label& label, Window& window);

// The visible form of that name (any, for nullptr), used as the player does (-1: the form).
Form* openForm(Window& window, const char* name = nullptr);
Form::Control controlNamed(Form& form, const std::string& name);
void click(Form& form, Form::Control control);
void closeBox(Form& form);
void typeKey(Form& form, Form::Control control, int virtualKey);
Form::Control focusedControl(Form& form);
Point formOffset(Form& form, Window& window);
std::string formTitle(Form& form);
std::vector<Form::Control> buttonsOf(Form& form);  // push and option buttons
Image formImage(Form& form);
// A list view: its rows, a cell's text, whether its vertical or horizontal scroll bar shows.
int listRows(Form& form, Form::Control list);
std::string listText(Form& form, Form::Control list, int row, int column);
bool listScrolls(Form& form, Form::Control list, bool horizontal);

// tests/reference/<name>.png; an image written as PNG or PPM, its path (empty: failed).
bool loadReference(const std::string& name, Image& image);
std::string saveImage(const Image& image, const std::string& pathWithoutExtension);

}  // namespace zg::test

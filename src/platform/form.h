// Forms and the modal form pattern.
//
// A form is written once against this interface: its controls with their places in pixels
// (a form laid out in twips converts each number with twips()), texts and handlers. A backend
// turns it into real controls. Handlers never run from inside the toolkit: a click, a key on
// an option button or the close request posts the handler to the pump, so it runs on our stack
// inside pump.next() like every other event, and only while the form still exists. runModal()
// holds the main window back (the form is modal to it alone), places the form at its offset
// from the main window's top-left corner, and loops over pump.next() until dialogDone is true:
//
//     std::unique_ptr<Form> form = p.platform().createForm(p.pump, p.window);
//     form->setName("Inf");
//     Form::Control cmd15 = form->addPushButton("cmd15", "&OK", {120, 140, 100, 30}, true);
//     form->onClick(cmd15, [&] { cmd15_Click(p, *form); });  // sets p.dialog.dialogDone
//     form->onClose([&] { cmd15_Click(p, *form); });
//     form->runModal(200, 18, p.dialog.dialogDone);
//
// A ProgramExit thrown while the form is open unwinds through runModal; the form closes with
// its owner.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zg {

// A number of a form laid out in twips, in pixels: 15 twips are one pixel (rounded down).
constexpr int twips(int t) {
    return t / 15;
}

struct Place {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A font by face and size: in points (at the screen's dpi) or, when pixels is set, in pixels
// (the size the twips assume whatever the screen).
struct FormFont {
    std::string face;
    int points = 0;
    int pixels = 0;
    bool bold = false;
};

struct ListColumn {
    std::string caption;
    int width = 0;  // pixels
};

class Form {
  public:
    using Control = int;
    virtual ~Form() = default;

    virtual void setName(const std::string& name) = 0;
    virtual void setCaption(const std::string& utf8) = 0;
    virtual void setSize(int width, int height) = 0;
    virtual void setFont(const FormFont& font) = 0;

    // Controls, each with its name (opt1, cmd4, ...). The option buttons of a form are one
    // group. A default push button is pressed by Enter anywhere in the form.
    virtual Control addLabel(const std::string& name, const std::string& text, Place place,
                             const FormFont& font, bool centred, bool wrap) = 0;
    virtual Control addPushButton(const std::string& name, const std::string& caption, Place place,
                                  bool isDefault = false) = 0;
    virtual Control addOptionButton(const std::string& name, const std::string& caption,
                                    Place place) = 0;
    virtual Control addTextBox(const std::string& name, Place place) = 0;
    virtual Control addTabStrip(const std::string& name, Place place, const FormFont& font) = 0;
    // A tab of the strip holding one list view in report view (read-only, whole rows
    // selected, grid lines; the first column is widened to its widest entry if need be).
    virtual Control addListTab(Control tabStrip, const std::string& tabCaption,
                               const std::string& pageName, const std::string& listName,
                               const std::vector<ListColumn>& columns, const FormFont& font) = 0;
    virtual void addListRow(Control list, const std::vector<std::string>& texts) = 0;

    // Control state.
    virtual int currentTab(Control tabStrip) const = 0;
    virtual void setCurrentTab(Control tabStrip, int index) = 0;
    virtual bool isChecked(Control option) const = 0;
    virtual void setChecked(Control option, bool on) = 0;
    // A text box's text, or a label's.
    virtual std::string text(Control control) const = 0;
    virtual void setText(Control textBox, const std::string& utf8) = 0;
    virtual void setFocus(Control control) = 0;

    // Handlers, run through the pump.
    virtual void onClick(Control control, std::function<void()> handler) = 0;
    // Every character typed into the control, with its character code (Enter is 13); Escape
    // and the focus keys stay the form's.
    virtual void onKeyPress(Control control, std::function<void(int code)> handler) = 0;
    // The close box and Escape.
    virtual void onClose(std::function<void()> handler) = 0;

    virtual void hide() = 0;
    // The modal form pattern: returns when dialogDone is true; the form is hidden then.
    virtual void runModal(int offsetX, int offsetY, bool& dialogDone) = 0;
};

}  // namespace zg

// Forms and the modal form pattern.
//
// A form is a Form (a QDialog built in code) whose widget signals never run game code
// directly: onClicked()/setCloseHandler() post the handler to the pump, so it runs on our
// stack inside pump.next(), like every other event. runModalForm() holds the main window back
// (the form is modal to it alone), places the form at its offset from the main window's
// top-left corner, and loops over pump.next() until dialogDone is true:
//
//     Form form(p.pump, &p.window);
//     form.setObjectName("frm1");
//     auto* ok = new QPushButton("&OK", &form);
//     form.onClicked(ok, [&] { cmd1_Click(p, form); });   // sets p.dialog.dialogDone
//     form.setCloseHandler([&] { frm1_Close(p); });
//     runModalForm(p.pump, p.window, form, {360, 140}, p.dialog.dialogDone);
//
// A ProgramExit thrown while the form is open unwinds through runModalForm; the form closes
// with its owner.
#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QPoint>
#include <functional>

#include "platform/event_pump.h"

namespace zg {

// Shared by the modal forms (slot dialog, hall of fame, champion name, about box).
struct DialogState {
    std::int16_t selectedSlot = 0;  // the board place chosen last, 0..3
    bool slotDialogLoads = false;   // the slot dialog was opened for loading
    bool dialogDone = false;        // ends the wait loop of the open form
};

// Form sizes are given in twips: 15 twips are one pixel.
constexpr int twips(int t) {
    return t / 15;
}

class Form : public QDialog {
  public:
    Form(EventPump& pump, QWidget* owner);
    // The form's close box and Escape run this (through the pump) instead of closing.
    void setCloseHandler(std::function<void()> handler) { closeHandler_ = std::move(handler); }
    // A click on the button runs handler through the pump.
    void onClicked(QAbstractButton* button, std::function<void()> handler);
    EventPump& pump() { return pump_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    EventPump& pump_;
    std::function<void()> closeHandler_;
};

// The modal form pattern. Returns when dialogDone is true; the form is hidden then.
void runModalForm(EventPump& pump, QWidget& mainWindow, QWidget& form, QPoint offset,
                  bool& dialogDone);

}  // namespace zg

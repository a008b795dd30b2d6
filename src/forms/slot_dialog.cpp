#include "forms/slot_dialog.h"

#include <array>
#include <cerrno>
#include <memory>

#include "game/board_ops.h"
#include "game/program.h"

namespace zg {

namespace {

constexpr const char* kSaveCaption = "Sichern unter ...";
constexpr const char* kLoadCaption = "Welches Brett laden?";

struct Frm1 {
    explicit Frm1(Program& p) : form(p.platform().createForm(p.pump, p.window)) {}
    std::unique_ptr<Form> form;
    std::array<Form::Control, 4> opt{};
};

void markSelectedSlot(Program& p, Frm1& f) {
    const int slot = p.dialog.selectedSlot;
    if (slot < 0 || slot > 3) return;
    f.form->setChecked(f.opt[slot], true);
    f.form->setFocus(f.opt[slot]);
}

void confirmSlot(Program& p, Frm1& f) {
    for (int i = 0; i < 4; ++i)
        if (f.form->isChecked(f.opt[i])) p.dialog.selectedSlot = static_cast<std::int16_t>(i);
    if (p.dialog.slotDialogLoads) {
        // A missing or damaged file leaves the board as it was; the caller redraws it. A file
        // that is there but cannot be read says why.
        if (loadBoard(p, p.dialog.selectedSlot) == LoadResult::unreadable)
            p.questions().message(loadErrorText(p.files.boardFileName, errno));
    } else {
        WriteResult saved =
            saveBoardSlot(p.files, p.model, p.random(), p.fileIo(), p.dialog.selectedSlot);
        // A damaged file is replaced, losing its other places, only when the player says so.
        if (saved.damaged &&
            p.questions().ask(QuestionIcon::warning, saved.message, "&Ersetzen|&Behalten", 2) == 1)
            saved = saveBoardSlot(p.files, p.model, p.random(), p.fileIo(), p.dialog.selectedSlot,
                                  true);
        if (!saved.ok && !saved.damaged) p.questions().message(saved.message);
    }
    p.dialog.dialogDone = true;
    f.form->hide();
}

void opt_KeyPress(Program& p, Frm1& f, int button, int code) {
    if (code >= '1' && code <= '4')
        p.dialog.selectedSlot = static_cast<std::int16_t>(code - '1');
    else if (code == 13)
        p.dialog.selectedSlot = static_cast<std::int16_t>(button - 1);
    markSelectedSlot(p, f);
    confirmSlot(p, f);
}

void cmd2_Click(Program& p, Frm1& f) {
    p.dialog.dialogDone = true;
    f.form->hide();
}

void frm1_Close(Program& p) {
    p.dialog.dialogDone = true;
}

void runSlotDialog(Program& p, const char* caption) {
    Frm1 f(p);
    Form& form = *f.form;
    form.setName("frm1");
    form.setCaption(caption);
    form.setFont({"Arial", 9});
    form.setSize(twips(3795), twips(2445));

    static constexpr std::array<std::array<int, 2>, 4> places{
        {{345, 300}, {1920, 300}, {345, 870}, {1920, 870}}};
    for (int i = 0; i < 4; ++i) {
        const std::string number = std::to_string(i + 1);
        f.opt[i] = form.addOptionButton(
            "opt" + number, "Nr. &" + number,
            {twips(places[i][0]), twips(places[i][1]), twips(1395), twips(225)});
        form.onClick(f.opt[i], [&p, &f] { confirmSlot(p, f); });
        form.onKeyPress(f.opt[i], [&p, &f, i](int code) { opt_KeyPress(p, f, i + 1, code); });
    }
    const Form::Control cmd1 =
        form.addPushButton("cmd1", "&OK", {twips(330), twips(1305), twips(1500), twips(495)});
    form.onClick(cmd1, [&p, &f] { confirmSlot(p, f); });
    const Form::Control cmd2 = form.addPushButton(
        "cmd2", "&Abbrechen", {twips(1845), twips(1305), twips(1500), twips(495)});
    form.onClick(cmd2, [&p, &f] { cmd2_Click(p, f); });
    form.onClose([&p] { frm1_Close(p); });

    markSelectedSlot(p, f);
    form.runModal(360, 140, p.dialog.dialogDone);
}

}  // namespace
void openSaveDialog(Program& p) {
    p.dialog.slotDialogLoads = false;
    p.files.boardFileName = kPlayerBoardFile;
    runSlotDialog(p, kSaveCaption);
}

void openLoadDialog(Program& p) {
    p.dialog.slotDialogLoads = true;
    runSlotDialog(p, kLoadCaption);
}

}  // namespace zg

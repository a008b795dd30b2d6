#include "forms/about.h"

#include "game/program.h"

namespace zg {

namespace {

void cmd15_Click(Program& p, Form& inf) {
    p.dialog.dialogDone = true;
    inf.hide();
}

}  // namespace

void openAboutForm(Program& p) {
    const std::unique_ptr<Form> form = p.platform().createForm(p.pump, p.window);
    Form& inf = *form;
    inf.setName("Inf");
    inf.setCaption("Über Zahlgarten");
    inf.setSize(340, 190);
    inf.addLabel("lbl1", "Zahlgarten V5.0", {10, 16, 320, 32}, {"Arial", 16, 0, true}, true, false);
    inf.addLabel("lbl3",
                 "Ein Zahlenrätsel auf 6 × 6 Feldern: jede Spalte, jede Zeile und "
                 "jedes Kästchen aus 3 × 2 Feldern enthält jedes Zeichen "
                 "genau einmal.",
                 {20, 56, 300, 72}, {"Arial", 10}, true, true);
    const Form::Control cmd15 = inf.addPushButton("cmd15", "&OK", {120, 140, 100, 30}, true);
    inf.onClick(cmd15, [&p, &inf] { cmd15_Click(p, inf); });
    inf.onClose([&p, &inf] { cmd15_Click(p, inf); });
    inf.runModal(200, 18, p.dialog.dialogDone);
}

}  // namespace zg

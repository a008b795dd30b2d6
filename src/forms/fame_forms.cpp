#include "forms/fame_forms.h"

#include <array>
#include <memory>

#include "game/program.h"

namespace zg {

namespace {

std::string trimmed(const std::string& s) {
    const std::size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

struct Ruhm {
    explicit Ruhm(Program& p) : form(p.platform().createForm(p.pump, p.window)) {}
    std::unique_ptr<Form> form;
    Form::Control tbs1 = 0;
    std::array<Form::Control, 4> lv{};
};

void ruhm_Load(Program& p, Ruhm& r, int level) {
    static const std::array<const char*, 4> tabs{"Leicht", "Mittel", "Schwer", "Extrem"};
    // Arial 12 at the 96 dpi the twips assume, whatever the screen's dpi.
    const FormFont listFont{"Arial", 0, 16};
    const std::vector<ListColumn> columns{
        {"#", twips(415)}, {"Name", twips(3100)}, {"Datum", twips(1400)}, {"Zeit", twips(1345)}};
    for (int L = 0; L < 4; ++L) {
        const std::string number = std::to_string(L + 1);
        r.lv[L] =
            r.form->addListTab(r.tbs1, tabs[L], "liste" + number, "lv" + number, columns, listFont);
    }
    const HallOfFame& h = p.hall;
    for (int place = 1; place <= 10; ++place)
        for (int L = 0; L < 4; ++L)
            if (trimmed(h.fameTimes[L][place]) != kEmptyTime)
                r.form->addListRow(r.lv[L], {placeText(place), h.fameNames[L][place],
                                             h.fameDates[L][place], h.fameTimes[L][place]});
    r.form->setCurrentTab(r.tbs1, 0);
    for (int i = 0; i < level; ++i) r.form->setCurrentTab(r.tbs1, r.form->currentTab(r.tbs1) + 1);
}

void cmd3_Click(Program& p, Ruhm& r) {
    p.dialog.dialogDone = true;
    r.form->hide();
}

void cmd4_Click(Program& p, Ruhm& r) {
    const int answer =
        p.questions().ask(QuestionIcon::question, "Wirklich löschen?", "&JA|&NEIN", 1);
    if (answer != 1) return;
    const int level = r.form->currentTab(r.tbs1);
    p.dialog.dialogDone = true;
    r.form->hide();
    const WriteResult saved = clearLevel(p.hall, level, p.fileIo());
    if (!saved.ok) p.questions().message(saved.message);
    // Reopens on the current level, which need not be the tab just cleared; when it closes,
    // the first form's loop ends too, as dialogDone is already set.
    showHallOfFame(p);
}

struct Champ {
    explicit Champ(Program& p) : form(p.platform().createForm(p.pump, p.window)) {}
    std::unique_ptr<Form> form;
    Form::Control ed1 = 0;
};

void cmd5_Click(Program& p, Champ& c) {
    p.dialog.dialogDone = true;
    p.hall.championName = c.form->text(c.ed1);
    p.hall.championAccepted = true;
    c.form->hide();
}

void cmd6_Click(Program& p, Champ& c) {
    p.dialog.dialogDone = true;
    c.form->hide();
}

}  // namespace

std::string placeText(int place) {
    std::string n = std::to_string(place);
    if (n.size() < 2) n = " " + n;
    return n + ".";
}

void showHallOfFameAt(Program& p, int level) {
    Ruhm r(p);
    Form& form = *r.form;
    form.setName("ruhm");
    form.setCaption("Ruhmeshalle");
    form.setSize(twips(6960), twips(5355));
    r.tbs1 =
        form.addTabStrip("tbs1", {twips(240), twips(180), twips(6390), twips(3990)}, {"Arial"});
    // Return closes the list wherever the focus is, as OK does.
    const Form::Control cmd3 = form.addPushButton(
        "cmd3", "&OK", {twips(1365), twips(4320), twips(2115), twips(465)}, true);
    const Form::Control cmd4 =
        form.addPushButton("cmd4", "&Löschen", {twips(3480), twips(4320), twips(2115), twips(465)});
    form.onClick(cmd3, [&p, &r] { cmd3_Click(p, r); });
    form.onClick(cmd4, [&p, &r] { cmd4_Click(p, r); });
    form.onClose([&p, &r] { cmd3_Click(p, r); });  // ruhm_Close does what OK does
    ruhm_Load(p, r, level);
    form.runModal(200, 47, p.dialog.dialogDone);
}

void showHallOfFame(Program& p) {
    showHallOfFameAt(p, p.model.level);
}

void askChampionName(Program& p) {
    Champ c(p);
    Form& form = *c.form;
    form.setName("champ");
    form.setCaption("Neuer Rekord!");
    form.setFont({"Arial", 10});
    form.setSize(300, 118);
    form.addLabel("lbl2", "Glückwunsch! Bitte deinen Namen eingeben:", {16, 12, 268, 20}, {}, false,
                  false);
    c.ed1 = form.addTextBox("ed1", {16, 38, 268, 24});
    // Enter in the name field accepts.
    const Form::Control cmd5 = form.addPushButton("cmd5", "&OK", {46, 76, 100, 28}, true);
    const Form::Control cmd6 = form.addPushButton("cmd6", "&Abbrechen", {154, 76, 100, 28});
    form.onClick(cmd5, [&p, &c] { cmd5_Click(p, c); });
    form.onClick(cmd6, [&p, &c] { cmd6_Click(p, c); });
    form.onClose([&p, &c] { cmd6_Click(p, c); });  // champ_Close changes nothing either
    form.setText(c.ed1, p.hall.championName);
    form.setFocus(c.ed1);
    form.runModal(346, 102, p.dialog.dialogDone);
}
void FormRecordUi::askChampionName(HallOfFame&) {
    zg::askChampionName(p_);
}

void FormRecordUi::showHallOfFame(HallOfFame&, int level) {
    showHallOfFameAt(p_, level);
}

std::string FormRecordUi::today() {
    return p_.time().today();
}

void FormRecordUi::reportError(const std::string& message) {
    p_.questions().message(message);
}

void recordCheck(Program& p) {
    FormRecordUi ui(p);
    checkNewRecord(p.hall, p.model.level, p.clock.finalTime, ui, p.fileIo());
}

}  // namespace zg

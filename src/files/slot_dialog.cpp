#include "files/slot_dialog.h"

#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <functional>
#include <map>

#include "shell/program.h"

namespace zg {

namespace {

constexpr const char* kSaveCaption = "Sichern unter ...";
constexpr const char* kLoadCaption = "Welches Brett laden?";

struct Frm1 {
    explicit Frm1(Program& p) : form(p.pump, &p.window) {}
    Form form;
    std::array<QRadioButton*, 4> opt{};
    QPushButton* cmd1 = nullptr;
    QPushButton* cmd2 = nullptr;
};

// Hands every character typed into an option button to its key handler (through the pump),
// with the key's character code; Enter counts as 13. Escape and the focus keys are left to
// the dialog.
class OptionKeys : public QObject {
  public:
    OptionKeys(QObject* parent, std::function<void(int button, int code)> onKey)
        : QObject(parent), onKey_(std::move(onKey)) {}
    void watch(QObject* button, int number) {
        buttons_[button] = number;
        button->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        int code = 0;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            code = 13;
        } else if (key->key() == Qt::Key_Escape || key->key() == Qt::Key_Tab ||
                   key->key() == Qt::Key_Backtab || key->text().isEmpty()) {
            return false;
        } else {
            code = key->text().at(0).unicode();
        }
        onKey_(buttons_[watched], code);
        return true;
    }

  private:
    std::function<void(int, int)> onKey_;
    std::map<QObject*, int> buttons_;
};

void markSelectedSlot(Program& p, Frm1& f) {
    const int slot = p.dialog.selectedSlot;
    if (slot < 0 || slot > 3) return;
    f.opt[slot]->setChecked(true);
    f.opt[slot]->setFocus();
}

void confirmSlot(Program& p, Frm1& f) {
    for (int i = 0; i < 4; ++i)
        if (f.opt[i]->isChecked()) p.dialog.selectedSlot = static_cast<std::int16_t>(i);
    if (p.dialog.slotDialogLoads) {
        // A missing or damaged file leaves the board as it was; the caller redraws it.
        loadBoardSlot(p.files, p.model, p.clock, p.fileIo(), p.dialog.selectedSlot);
    } else {
        const WriteResult saved =
            saveBoardSlot(p.files, p.model, p.random(), p.fileIo(), p.dialog.selectedSlot);
        if (!saved.ok) p.questions().message(saved.message);
    }
    p.dialog.dialogDone = true;
    f.form.hide();
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
    f.form.hide();
}

void frm1_Close(Program& p) {
    p.dialog.dialogDone = true;
}

void runSlotDialog(Program& p, const char* caption) {
    Frm1 f(p);
    Form& form = f.form;
    // Handlers run later, through the pump: they act only while the form still exists.
    const QPointer<Form> alive(&form);
    auto guarded = [&p, &f, alive](void (*handler)(Program&, Frm1&)) {
        return [&p, &f, alive, handler] {
            if (alive) handler(p, f);
        };
    };

    form.setObjectName(QStringLiteral("frm1"));
    form.setWindowTitle(QString::fromUtf8(caption));
    form.setFont(QFont(QStringLiteral("Arial"), 9));
    form.setFixedSize(twips(3795), twips(2445));

    auto* keys = new OptionKeys(&form, [&p, &f, alive](int button, int code) {
        p.pump.postAction([&p, &f, alive, button, code] {
            if (alive) opt_KeyPress(p, f, button, code);
        });
    });
    const std::array<QPoint, 4> places{{{345, 300}, {1920, 300}, {345, 870}, {1920, 870}}};
    for (int i = 0; i < 4; ++i) {
        auto* opt = new QRadioButton(QStringLiteral("Nr. &%1").arg(i + 1), &form);
        opt->setObjectName(QStringLiteral("opt%1").arg(i + 1));
        opt->setGeometry(twips(places[i].x()), twips(places[i].y()), twips(1395), twips(225));
        f.opt[i] = opt;  // one group: the buttons share their parent
        form.onClicked(opt, guarded(confirmSlot));
        keys->watch(opt, i + 1);
    }
    f.cmd1 = new QPushButton(QStringLiteral("&OK"), &form);
    f.cmd1->setObjectName(QStringLiteral("cmd1"));
    f.cmd1->setGeometry(twips(330), twips(1305), twips(1500), twips(495));
    form.onClicked(f.cmd1, guarded(confirmSlot));
    f.cmd2 = new QPushButton(QStringLiteral("&Abbrechen"), &form);
    f.cmd2->setObjectName(QStringLiteral("cmd2"));
    f.cmd2->setGeometry(twips(1845), twips(1305), twips(1500), twips(495));
    form.onClicked(f.cmd2, guarded(cmd2_Click));
    form.setCloseHandler([&p, alive] {
        if (alive) frm1_Close(p);
    });

    markSelectedSlot(p, f);
    runModalForm(p.pump, p.window, form, {360, 140}, p.dialog.dialogDone);
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

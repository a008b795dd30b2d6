#include "shell/about.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "shell/program.h"

namespace zg {

namespace {

void cmd15_Click(Program& p, Form& inf) {
    p.dialog.dialogDone = true;
    inf.hide();
}

}  // namespace

void openAboutForm(Program& p) {
    Form inf(p.pump, &p.window);
    const QPointer<Form> alive(&inf);
    inf.setObjectName(QStringLiteral("Inf"));
    inf.setWindowTitle(
        QString::fromUtf8("\xC3\xBC"
                          "ber Zahlgarten"));
    inf.setFixedSize(340, 190);

    auto* name = new QLabel(QStringLiteral("Zahlgarten V5.0"), &inf);
    name->setObjectName(QStringLiteral("lbl1"));
    name->setFont(QFont(QStringLiteral("Arial"), 16, QFont::Bold));
    name->setAlignment(Qt::AlignCenter);
    name->setGeometry(10, 16, 320, 32);
    auto* about = new QLabel(
        QString::fromUtf8("Ein Zahlenr\xC3\xA4tsel auf 6 \xC3\x97 6 Feldern: jede Spalte, "
                          "jede Zeile und jedes K\xC3\xA4stchen aus 3 \xC3\x97 2 Feldern "
                          "enth\xC3\xA4lt jedes Zeichen genau einmal."),
        &inf);
    about->setObjectName(QStringLiteral("lbl3"));
    about->setFont(QFont(QStringLiteral("Arial"), 10));
    about->setWordWrap(true);
    about->setAlignment(Qt::AlignCenter);
    about->setGeometry(20, 56, 300, 72);
    auto* cmd15 = new QPushButton(QStringLiteral("&OK"), &inf);
    cmd15->setObjectName(QStringLiteral("cmd15"));
    cmd15->setGeometry(120, 140, 100, 30);
    cmd15->setDefault(true);

    inf.onClicked(cmd15, [&p, &inf, alive] {
        if (alive) cmd15_Click(p, inf);
    });
    inf.setCloseHandler([&p, &inf, alive] {
        if (alive) cmd15_Click(p, inf);
    });
    runModalForm(p.pump, p.window, inf, {200, 18}, p.dialog.dialogDone);
}

}  // namespace zg

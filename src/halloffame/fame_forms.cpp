#include "halloffame/fame_forms.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>
#include <cmath>

#include "shell/program.h"

namespace zg {

namespace {

QString qs(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string trimmed(const std::string& s) {
    const std::size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

struct Ruhm {
    explicit Ruhm(Program& p) : form(p.pump, &p.window) {}
    Form form;
    QTabWidget* tbs1 = nullptr;
    std::array<QTableWidget*, 4> lv{};
};

QTableWidget* makeList(QWidget* page, int number) {
    auto* lv = new QTableWidget(0, 4, page);
    lv->setObjectName(QStringLiteral("lv%1").arg(number));
    // Arial 12 at the 96 dpi the twips assume, whatever the screen's dpi.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    lv->setFont(font);
    lv->setHorizontalHeaderLabels({QStringLiteral("#"), QStringLiteral("Name"),
                                   QStringLiteral("Datum"), QStringLiteral("Zeit")});
    std::array<int, 4> widths{twips(415), twips(3100), twips(1400), twips(1345)};
    // The item delegate elides unless the text and a margin on each side fit into the column
    // less its grid line: "10." needs a little more than the twips give "#"; the name column
    // gives it up, so the sum still fits.
    const int margin = lv->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, lv) + 1;
    const int place =
        static_cast<int>(std::ceil(QFontMetricsF(font).horizontalAdvance(QStringLiteral("10.")))) +
        2 * margin + 1;
    if (place > widths[0]) {
        widths[1] -= place - widths[0];
        widths[0] = place;
    }
    for (int c = 0; c < 4; ++c) lv->setColumnWidth(c, widths[c]);
    lv->horizontalHeader()->setHighlightSections(false);
    lv->verticalHeader()->hide();
    // Rows one text line high (the style's default is taller), so all ten places show.
    lv->verticalHeader()->setMinimumSectionSize(0);
    lv->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lv->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
    // Read-only, whole rows selected, grid lines.
    lv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lv->setSelectionBehavior(QAbstractItemView::SelectRows);
    lv->setSelectionMode(QAbstractItemView::SingleSelection);
    lv->setShowGrid(true);
    lv->setWordWrap(false);
    return lv;
}

void addRow(QTableWidget* lv, const std::array<std::string, 4>& texts) {
    const int row = lv->rowCount();
    lv->insertRow(row);
    for (int c = 0; c < 4; ++c) lv->setItem(row, c, new QTableWidgetItem(qs(texts[c])));
}

void ruhm_Load(Program& p, Ruhm& r, int level) {
    static const std::array<const char*, 4> tabs{"Leicht", "Mittel", "Schwer", "Extrem"};
    std::array<QWidget*, 4> pages{};
    for (int L = 0; L < 4; ++L) {
        pages[L] = new QWidget;
        pages[L]->setObjectName(QStringLiteral("liste%1").arg(L + 1));
        pages[L]->setFont(QFont(QStringLiteral("Arial")));
        auto* layout = new QVBoxLayout(pages[L]);
        layout->setContentsMargins(0, 0, 0, 0);
        r.lv[L] = makeList(pages[L], L + 1);
        layout->addWidget(r.lv[L]);
    }
    const HallOfFame& h = p.hall;
    for (int place = 1; place <= 10; ++place)
        for (int L = 0; L < 4; ++L)
            if (trimmed(h.fameTimes[L][place]) != kEmptyTime)
                addRow(r.lv[L], {placeText(place), h.fameNames[L][place], h.fameDates[L][place],
                                 h.fameTimes[L][place]});
    for (int L = 0; L < 4; ++L) r.tbs1->addTab(pages[L], QString::fromLatin1(tabs[L]));
    r.tbs1->setCurrentIndex(0);
    for (int i = 0; i < level; ++i) r.tbs1->setCurrentIndex(r.tbs1->currentIndex() + 1);
}

void cmd3_Click(Program& p, Ruhm& r) {
    p.dialog.dialogDone = true;
    r.form.hide();
}

void cmd4_Click(Program& p, Ruhm& r) {
    const int answer =
        p.questions().ask(QuestionIcon::question, "Wirklich l\xC3\xB6schen?", "&JA|&NEIN", 1);
    p.shell.alertChoice = static_cast<std::int16_t>(answer);
    if (answer != 1) return;
    const int level = r.tbs1->currentIndex();
    p.dialog.dialogDone = true;
    r.form.hide();
    const WriteResult saved = clearLevel(p.hall, level, p.fileIo());
    if (!saved.ok) p.questions().message(saved.message);
    // Reopens on the current level, which need not be the tab just cleared; when it closes,
    // the first form's loop ends too, as dialogDone is already set.
    showHallOfFame(p);
}

struct Champ {
    explicit Champ(Program& p) : form(p.pump, &p.window) {}
    Form form;
    QLineEdit* ed1 = nullptr;
};

void cmd5_Click(Program& p, Champ& c) {
    p.dialog.dialogDone = true;
    p.hall.championName = c.ed1->text().toStdString();
    p.hall.championAccepted = true;
    c.form.hide();
}

void cmd6_Click(Program& p, Champ& c) {
    p.dialog.dialogDone = true;
    c.form.hide();
}

}  // namespace

std::string placeText(int place) {
    std::string n = std::to_string(place);
    if (n.size() < 2) n = " " + n;
    return n + ".";
}

void showHallOfFameAt(Program& p, int level) {
    Ruhm r(p);
    Form& form = r.form;
    const QPointer<Form> alive(&form);
    form.setObjectName(QStringLiteral("ruhm"));
    form.setWindowTitle(QStringLiteral("Ruhmeshalle"));
    form.setFixedSize(twips(6960), twips(5355));
    r.tbs1 = new QTabWidget(&form);
    r.tbs1->setObjectName(QStringLiteral("tbs1"));
    r.tbs1->setFont(QFont(QStringLiteral("Arial")));
    r.tbs1->setGeometry(twips(240), twips(180), twips(6390), twips(3990));
    auto* cmd3 = new QPushButton(QStringLiteral("&OK"), &form);
    cmd3->setObjectName(QStringLiteral("cmd3"));
    cmd3->setGeometry(twips(1365), twips(4320), twips(2115), twips(465));
    auto* cmd4 = new QPushButton(QString::fromUtf8("&L\xC3\xB6schen"), &form);
    cmd4->setObjectName(QStringLiteral("cmd4"));
    cmd4->setGeometry(twips(3480), twips(4320), twips(2115), twips(465));
    form.onClicked(cmd3, [&p, &r, alive] {
        if (alive) cmd3_Click(p, r);
    });
    form.onClicked(cmd4, [&p, &r, alive] {
        if (alive) cmd4_Click(p, r);
    });
    form.setCloseHandler([&p, &r, alive] {
        if (alive) cmd3_Click(p, r);  // ruhm_Close does what OK does
    });
    ruhm_Load(p, r, level);
    runModalForm(p.pump, p.window, form, {200, 47}, p.dialog.dialogDone);
}

void showHallOfFame(Program& p) {
    showHallOfFameAt(p, p.model.level);
}

void askChampionName(Program& p) {
    Champ c(p);
    Form& form = c.form;
    const QPointer<Form> alive(&form);
    form.setObjectName(QStringLiteral("champ"));
    form.setWindowTitle(QStringLiteral("Neuer Rekord!"));
    form.setFont(QFont(QStringLiteral("Arial"), 10));
    form.setFixedSize(300, 118);
    auto* lbl2 = new QLabel(QString::fromUtf8("Gl\xC3\xBC"
                                              "ckwunsch! Bitte deinen Namen eingeben:"),
                            &form);
    lbl2->setObjectName(QStringLiteral("lbl2"));
    lbl2->setGeometry(16, 12, 268, 20);
    c.ed1 = new QLineEdit(&form);
    c.ed1->setObjectName(QStringLiteral("ed1"));
    c.ed1->setGeometry(16, 38, 268, 24);
    auto* cmd5 = new QPushButton(QStringLiteral("&OK"), &form);
    cmd5->setObjectName(QStringLiteral("cmd5"));
    cmd5->setGeometry(46, 76, 100, 28);
    cmd5->setDefault(true);  // Enter in the name field accepts
    auto* cmd6 = new QPushButton(QStringLiteral("&Abbrechen"), &form);
    cmd6->setObjectName(QStringLiteral("cmd6"));
    cmd6->setGeometry(154, 76, 100, 28);
    form.onClicked(cmd5, [&p, &c, alive] {
        if (alive) cmd5_Click(p, c);
    });
    form.onClicked(cmd6, [&p, &c, alive] {
        if (alive) cmd6_Click(p, c);
    });
    form.setCloseHandler([&p, &c, alive] {
        if (alive) cmd6_Click(p, c);  // champ_Close changes nothing either
    });
    c.ed1->setText(qs(p.hall.championName));
    c.ed1->setFocus();
    runModalForm(p.pump, p.window, form, {346, 102}, p.dialog.dialogDone);
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

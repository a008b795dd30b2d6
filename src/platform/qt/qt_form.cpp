#include "platform/qt/qt_form.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace zg {

namespace {

QString qs(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QFont qFont(const FormFont& wanted) {
    QFont font(qs(wanted.face));
    if (wanted.pixels > 0) font.setPixelSize(wanted.pixels);
    if (wanted.points > 0) font.setPointSize(wanted.points);
    font.setBold(wanted.bold);
    return font;
}

}  // namespace

QtForm::QtForm(EventPump& pump, QWidget* owner) : QDialog(owner), pump_(pump) {
    setModal(false);  // modality comes from runModal, which does not block in exec()
}

void QtForm::post(std::function<void()> handler) {
    const QPointer<QtForm> alive(this);
    pump_.postAction([alive, handler = std::move(handler)] {
        if (alive) handler();
    });
}

void QtForm::setName(const std::string& name) {
    setObjectName(qs(name));
}

void QtForm::setCaption(const std::string& utf8) {
    setWindowTitle(qs(utf8));
}

void QtForm::setSize(int width, int height) {
    setFixedSize(width, height);
}

void QtForm::setFont(const FormFont& font) {
    QDialog::setFont(qFont(font));
}

Form::Control QtForm::add(QWidget* widget, const std::string& name, Place place) {
    widget->setObjectName(qs(name));
    widget->setGeometry(place.x, place.y, place.width, place.height);
    controls_.emplace_back(widget);
    return static_cast<Control>(controls_.size() - 1);
}

Form::Control QtForm::find(const std::string& name) const {
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i] && controls_[i]->objectName() == qs(name)) return static_cast<Control>(i);
    return -1;
}

QWidget* QtForm::widget(Control control) const {
    if (control < 0 || control >= static_cast<Control>(controls_.size())) return nullptr;
    return controls_[static_cast<std::size_t>(control)];
}

QTabWidget* QtForm::tabs(Control control) const {
    return qobject_cast<QTabWidget*>(widget(control));
}

QTableWidget* QtForm::list(Control control) const {
    return qobject_cast<QTableWidget*>(widget(control));
}

Form::Control QtForm::addLabel(const std::string& name, const std::string& text, Place place,
                               const FormFont& font, bool centred, bool wrap) {
    auto* label = new QLabel(qs(text), this);
    if (!font.face.empty()) label->setFont(qFont(font));
    label->setWordWrap(wrap);
    if (centred) label->setAlignment(Qt::AlignCenter);
    return add(label, name, place);
}

Form::Control QtForm::addPushButton(const std::string& name, const std::string& caption,
                                    Place place, bool isDefault) {
    auto* button = new QPushButton(qs(caption), this);
    button->setDefault(isDefault);
    return add(button, name, place);
}

Form::Control QtForm::addOptionButton(const std::string& name, const std::string& caption,
                                      Place place) {
    // One group: the buttons share their parent.
    return add(new QRadioButton(qs(caption), this), name, place);
}

Form::Control QtForm::addTextBox(const std::string& name, Place place) {
    auto* edit = new QLineEdit(this);
    // The label just before it names it for a screen reader (an "&" would become a mnemonic).
    auto* label = controls_.empty() ? nullptr : qobject_cast<QLabel*>(controls_.back().data());
    if (label && !label->text().contains('&')) label->setBuddy(edit);
    return add(edit, name, place);
}

Form::Control QtForm::addTabStrip(const std::string& name, Place place, const FormFont& font) {
    auto* strip = new QTabWidget(this);
    strip->setFont(qFont(font));
    return add(strip, name, place);
}

Form::Control QtForm::addListTab(Control tabStrip, const std::string& tabCaption,
                                 const std::string& pageName, const std::string& listName,
                                 const std::vector<ListColumn>& columns, const FormFont& font) {
    QTabWidget* strip = tabs(tabStrip);
    if (!strip) return -1;
    auto* page = new QWidget;
    page->setObjectName(qs(pageName));
    page->setFont(strip->font());
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* lv = new QTableWidget(0, static_cast<int>(columns.size()), page);
    lv->setObjectName(qs(listName));
    lv->setAccessibleName(qs(tabCaption));
    lv->setFont(qFont(font));
    QStringList captions;
    for (const ListColumn& c : columns) captions << qs(c.caption);
    lv->setHorizontalHeaderLabels(captions);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c)
        lv->setColumnWidth(c, columns[static_cast<std::size_t>(c)].width);
    lv->horizontalHeader()->setHighlightSections(false);
    lv->verticalHeader()->hide();
    // Rows one text line high (the style's default is taller), so a list shows all it can.
    lv->verticalHeader()->setMinimumSectionSize(0);
    lv->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lv->verticalHeader()->setDefaultSectionSize(QFontMetrics(lv->font()).height() + 4);
    // Read-only, whole rows selected, grid lines.
    lv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lv->setSelectionBehavior(QAbstractItemView::SelectRows);
    lv->setSelectionMode(QAbstractItemView::SingleSelection);
    lv->setShowGrid(true);
    lv->setWordWrap(false);
    layout->addWidget(lv);
    strip->addTab(page, qs(tabCaption));
    controls_.emplace_back(lv);
    return static_cast<Control>(controls_.size() - 1);
}

void QtForm::addListRow(Control control, const std::vector<std::string>& texts) {
    QTableWidget* lv = list(control);
    if (!lv) return;
    const int row = lv->rowCount();
    lv->insertRow(row);
    for (int c = 0; c < static_cast<int>(texts.size()) && c < lv->columnCount(); ++c)
        lv->setItem(row, c, new QTableWidgetItem(qs(texts[static_cast<std::size_t>(c)])));
    if (texts.empty() || lv->columnCount() < 2) return;
    // The item delegate elides unless the text and a margin on each side fit into the column
    // less its grid line: the first column takes what it needs from the second.
    const int margin = lv->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, lv) + 1;
    const int need = static_cast<int>(std::ceil(
                         QFontMetricsF(lv->font()).horizontalAdvance(qs(texts.front())))) +
                     2 * margin + 1;
    const int have = lv->columnWidth(0);
    if (need > have) {
        lv->setColumnWidth(1, lv->columnWidth(1) - (need - have));
        lv->setColumnWidth(0, need);
    }
}

int QtForm::currentTab(Control tabStrip) const {
    const QTabWidget* strip = tabs(tabStrip);
    return strip ? strip->currentIndex() : -1;
}

void QtForm::setCurrentTab(Control tabStrip, int index) {
    if (QTabWidget* strip = tabs(tabStrip)) strip->setCurrentIndex(index);
}

bool QtForm::isChecked(Control option) const {
    const auto* button = qobject_cast<QAbstractButton*>(widget(option));
    return button && button->isChecked();
}

void QtForm::setChecked(Control option, bool on) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget(option))) button->setChecked(on);
}

std::string QtForm::text(Control control) const {
    if (const auto* label = qobject_cast<QLabel*>(widget(control)))
        return label->text().toStdString();
    const auto* edit = qobject_cast<QLineEdit*>(widget(control));
    return edit ? edit->text().toStdString() : std::string();
}

void QtForm::setText(Control textBox, const std::string& utf8) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget(textBox))) edit->setText(qs(utf8));
}

void QtForm::setFocus(Control control) {
    if (QWidget* w = widget(control)) w->setFocus();
}

void QtForm::onClick(Control control, std::function<void()> handler) {
    auto* button = qobject_cast<QAbstractButton*>(widget(control));
    if (!button) return;
    QObject::connect(button, &QAbstractButton::clicked, this,
                     [this, handler = std::move(handler)] { post(handler); });
}

void QtForm::onKeyPress(Control control, std::function<void(int code)> handler) {
    QWidget* w = widget(control);
    if (!w) return;
    keyHandlers_[w] = std::move(handler);
    w->installEventFilter(this);
}

bool QtForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto it = keyHandlers_.find(watched);
    if (it == keyHandlers_.end()) return QDialog::eventFilter(watched, event);
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
    post([handler = it->second, code] { handler(code); });
    return true;
}

void QtForm::onClose(std::function<void()> handler) {
    closeHandler_ = std::move(handler);
}

void QtForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (closeHandler_) post(closeHandler_);
}

void QtForm::reject() {
    if (closeHandler_) post(closeHandler_);
}

void QtForm::runModal(int offsetX, int offsetY, bool& dialogDone) {
    QWidget* mainWindow = parentWidget();
    // Modal to the main window only: the help window stays usable beside a form.
    setWindowModality(Qt::WindowModal);
    if (mainWindow) move(mainWindow->pos() + QPoint(offsetX, offsetY));
    show();
    raise();
    activateWindow();
    dialogDone = false;
    while (!dialogDone) pump_.next();
    QDialog::hide();
    if (mainWindow) mainWindow->activateWindow();
}

}  // namespace zg

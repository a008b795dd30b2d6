// The tests' adapter to the Qt backend, and their main: one QApplication, offscreen unless told.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <cstdlib>
#include <cstring>

#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_window.h"
#include "support/backend.h"

namespace zg::test {

const bool kReferenceLook = true;

namespace {

QtWindow& qt(Window& window) {
    return dynamic_cast<QtWindow&>(window);
}
QtForm& qt(Form& form) {
    return dynamic_cast<QtForm&>(form);
}

static_assert(sizeof(Colour) == 3, "an Image's pixels are RGB888 rows");

Image fromQImage(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Image out(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(&out.at(0, y), rgb.constScanLine(y), std::size_t(3 * rgb.width()));
    return out;
}

struct PageImage {
    QImage image;
};
// Paints on a QImage of its own; the target gets it when the canvas goes.
struct ImageCanvas : PageImage, QtCanvas {
    ImageCanvas(Image& target, QImage page)
        : PageImage{std::move(page)}, QtCanvas(&image), target(target) {}
    ~ImageCanvas() override { target = fromQImage(image); }
    Image& target;
};

QTableWidget* table(Form& form, Form::Control list) {
    return qobject_cast<QTableWidget*>(qt(form).widget(list));
}

}  // namespace

std::unique_ptr<Platform> testPlatform() {
    return std::make_unique<QtPlatform>();
}

void dispatchPending() {
    QApplication::processEvents();
}

Image toImage(const SavedImage& saved) {
    const auto* image = dynamic_cast<const QtScreenImage*>(saved.get());
    return image ? fromQImage(image->image) : Image{};
}

std::unique_ptr<Canvas> canvasOn(Image& target, int dpi) {
    QImage image(target.width, target.height, QImage::Format_RGB32);
    if (dpi > 0)
        image.setDotsPerMeterX(qRound(dpi / 0.0254)), image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    return std::make_unique<ImageCanvas>(target, std::move(image));
}

void recordTextBoxes(Window&, std::vector<Rect>&) {
    // The reference images are this backend's own: its text is compared exactly.
}

void chooseMenu(Window& window, int command) {
    QAction* a = qt(window).qtMenu().action(command);
    ASSERT_NE(a, nullptr) << "no menu item " << command;
    a->trigger();
}

std::string menuText(Window& window, int command) {
    QAction* a = qt(window).qtMenu().action(command);
    return a ? a->text().toStdString() : std::string();
}

void requestClose(Window& window) {
    qt(window).close();
}

bool isShown(Window& window) {
    return qt(window).isVisible();
}

Form* openForm(Window& window, const char* name) {
    for (QtForm* f : qt(window).findChildren<QtForm*>())
        if (f->isVisible() && (!name || f->objectName() == name)) return f;
    return nullptr;
}

Form::Control controlNamed(Form& form, const std::string& name) {
    return qt(form).find(name);
}

void click(Form& form, Form::Control control) {
    if (auto* b = qobject_cast<QAbstractButton*>(qt(form).widget(control))) b->click();
}

void closeBox(Form& form) {
    qt(form).close();
}

void typeKey(Form& form, Form::Control control, int virtualKey) {
    QWidget* w = control < 0 ? &qt(form) : qt(form).widget(control);
    const Qt::Key key = virtualKey == 13   ? Qt::Key_Return
                        : virtualKey == 27 ? Qt::Key_Escape
                                           : Qt::Key(virtualKey);  // digits and letters alike
    if (w) QTest::keyClick(w, key);
}

Form::Control focusedControl(Form& form) {
    QWidget* w = qt(form).focusWidget();
    return w ? qt(form).find(w->objectName().toStdString()) : -1;
}

Point formOffset(Form& form, Window& window) {
    const QPoint d = qt(form).pos() - qt(window).pos();
    return {d.x(), d.y()};
}

Rect labelPlace(Label& label, Window&) {
    const QRect r = dynamic_cast<QtLabel&>(label).widget()->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

std::string formTitle(Form& form) {
    return qt(form).windowTitle().toStdString();
}

std::vector<Form::Control> buttonsOf(Form& form) {
    std::vector<Form::Control> buttons;
    for (QAbstractButton* b : qt(form).findChildren<QAbstractButton*>())
        if (Form::Control c = qt(form).find(b->objectName().toStdString()); c >= 0)
            buttons.push_back(c);
    return buttons;
}

Image formImage(Form& form) {
    return fromQImage(qt(form).grab().toImage());
}

int listRows(Form& form, Form::Control list) {
    QTableWidget* t = table(form, list);
    return t ? t->rowCount() : -1;
}

std::string listText(Form& form, Form::Control list, int row, int column) {
    QTableWidget* t = table(form, list);
    QTableWidgetItem* item = t ? t->item(row, column) : nullptr;
    return item ? item->text().toStdString() : std::string();
}

bool listScrolls(Form& form, Form::Control list, bool horizontal) {
    QTableWidget* t = table(form, list);
    return t && (horizontal ? t->horizontalScrollBar() : t->verticalScrollBar())->isVisible();
}

bool loadReference(const std::string& name, Image& image) {
    const QImage stored(ZG_SOURCE_DIR "/tests/reference/" + QString::fromStdString(name) + ".png",
                        "PNG");
    if (stored.isNull()) return false;
    image = fromQImage(stored);
    return true;
}

std::string saveImage(const Image& image, const std::string& pathWithoutExtension) {
    const std::string path = pathWithoutExtension + ".png";
    const QImage rgb(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                     3 * image.width, QImage::Format_RGB888);
    return rgb.save(QString::fromStdString(path), "PNG") ? path : std::string();
}

}  // namespace zg::test

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

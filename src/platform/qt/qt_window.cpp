#include "platform/qt/qt_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QResizeEvent>
#include <QScreen>
#include <cmath>

#include "platform/qt/qt_accessible.h"

namespace zg {

int virtualKeyCode(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
    switch (qtKey) {
        case Qt::Key_Escape:
            return vk::kEscape;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return vk::kReturn;
        case Qt::Key_Backspace:
            return vk::kBackspace;
        case Qt::Key_Tab:
            return vk::kTab;
        case Qt::Key_Space:
            return vk::kSpace;
        case Qt::Key_Left:
            return vk::kLeft;
        case Qt::Key_Up:
            return vk::kUp;
        case Qt::Key_Right:
            return vk::kRight;
        case Qt::Key_Down:
            return vk::kDown;
        case Qt::Key_Delete:
            return vk::kDelete;
        case Qt::Key_F1:
            return vk::kF1;
        default:
            return 0;
    }
}

// ---- ClientArea

ClientArea::ClientArea(QtWindow& window, EventPump& pump)
    : QWidget(&window), window_(window), pump_(pump) {
    setFixedSize(kClientWidth, kClientHeight);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClientArea::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QImage& image = window_.backBuffer();
    const double dpr = image.devicePixelRatio();
    for (const QRect& r : event->region()) {
        const QRectF source(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr);
        p.drawImage(QRectF(r), image, source);
    }
    window_.painted(event->region());
}

void ClientArea::moveTo(QPointF pos) {
    if (pos == lastPos_) return;
    lastPos_ = pos;
    pump_.post(Event::mouseMove(pos.x(), pos.y()));
}

void ClientArea::mouseMoveEvent(QMouseEvent* event) {
    moveTo(event->position());
}

void ClientArea::mousePressEvent(QMouseEvent* event) {
    // A click is read at the last pointer position, so the move to it comes first.
    moveTo(event->position());
    if (event->button() == Qt::LeftButton) pump_.post(Event::leftDown());
    if (event->button() == Qt::RightButton) pump_.post(Event::rightDown());
}

void ClientArea::mouseReleaseEvent(QMouseEvent* event) {
    moveTo(event->position());
    if (event->button() == Qt::LeftButton) pump_.post(Event::leftUp());
    if (event->button() == Qt::RightButton) pump_.post(Event::rightUp());
}

namespace {

// The virtual-key code of a press. The digit row gives its digit also where the layout puts
// another symbol there (Shift+1 is "!", AZERTY's unshifted 1 is "&"): X11's key codes 10 to
// 19 are that row on every layout.
int pressedKeyCode(const QKeyEvent* event) {
    const int code = virtualKeyCode(event->key());
    const quint32 scan = event->nativeScanCode();
    if (code == 0 && scan >= 10 && scan <= 19)
        return scan == 19 ? '0' : '1' + static_cast<int>(scan - 10);
    return code;
}
}  // namespace

void ClientArea::keyPressEvent(QKeyEvent* event) {
    // With Alt held a key is the system's (a menu accelerator): neither its character nor its
    // release, in whatever order Alt comes up, belongs to the loops.
    const bool alt = (event->modifiers() & Qt::AltModifier) != 0;
    const bool first = pressedHere_.pressed(physicalKey(event), alt) && !event->isAutoRepeat();
    if (alt) return;
    const int code = pressedKeyCode(event);
    if (!first && !PressedKeys::repeats(code)) return;  // a held key acts once
    if (code != 0) {
        int mods = 0;
        if (event->modifiers() & Qt::ShiftModifier) mods |= mod::kShift;
        if (event->modifiers() & Qt::ControlModifier) mods |= mod::kControl;
        pump_.post(Event::keyDown(code, mods));
    }
    if (!first || (event->modifiers() & Qt::ControlModifier)) return;  // a command, no character
    if (event->key() == Qt::Key_Escape) {
        pump_.post(Event::character(27));
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() != 0) pump_.post(Event::character(text[0].unicode()));
}

// Only a release whose press this area took, without Alt (see key_filter.h).
void ClientArea::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return;
    if (!pressedHere_.released(physicalKey(event), (event->modifiers() & Qt::AltModifier) != 0))
        return;
    const int code = virtualKeyCode(event->key());
    if (code != 0) pump_.post(Event::keyUp(code));
}

void ClientArea::focusOutEvent(QFocusEvent* event) {
    // A key held while a menu, form or box takes the keyboard ends there.
    pressedHere_.clear();
    QWidget::focusOutEvent(event);
}

// ---- TextLabel

void QtLabel::setText(const std::string& utf8) {
    if (label_) label_->setText(QString::fromUtf8(utf8));
}
std::string QtLabel::text() const {
    return label_ ? label_->text().toStdString() : std::string();
}

void QtLabel::setFontFace(const std::string& face) {
    if (!label_) return;
    QFont f = label_->font();
    f.setFamily(QString::fromStdString(face));
    label_->setFont(f);
}

void QtLabel::setFontSize(int points) {
    if (!label_) return;
    QFont f = label_->font();
    // The layout is in pixels of a 96 dpi screen; the label's text must fit it whatever dpi
    // the system reports.
    f.setPixelSize(points * 96 / 72);
    label_->setFont(f);
}

void QtLabel::setBackground(Colour colour) {
    if (!label_) return;
    QPalette pal = label_->palette();
    pal.setColor(QPalette::Window, qColour(colour));
    label_->setPalette(pal);
    label_->setAutoFillBackground(true);
}

// ---- MenuBar

namespace {
// A popup handle is the QMenu itself, seen through the backend-neutral type.
MenuBar::Handle popupHandle(QMenu* menu) {
    return reinterpret_cast<MenuBar::Handle>(menu);
}
QMenu* qMenu(MenuBar::Handle popup) {
    return reinterpret_cast<QMenu*>(popup);
}
}  // namespace

QtMenuBar::QtMenuBar(QtWindow& window) : window_(window) {}

void QtMenuBar::begin() {
    discard();
    building_ = new QMenuBar(&window_);
    building_actions_.clear();
}

QtMenuBar::Handle QtMenuBar::createPopup() {
    return popupHandle(new QMenu(building_ ? static_cast<QWidget*>(building_) : &window_));
}

void QtMenuBar::destroyPopup(Handle popup) {
    delete qMenu(popup);
}

void QtMenuBar::appendCommand(Handle popup, int command, const std::string& label) {
    QAction* a = popup ? qMenu(popup)->addAction(QString::fromStdString(label))
                       : building_->addAction(QString::fromStdString(label));
    EventPump& pump = window_.pump();
    QObject::connect(a, &QAction::triggered, a,
                     [&pump, command] { pump.post(Event::menu(command)); });
    building_actions_[command] = a;
}

void QtMenuBar::appendSeparator(Handle popup) {
    if (popup) qMenu(popup)->addSeparator();
}

void QtMenuBar::appendPopup(Handle parent, Handle popup, const std::string& title) {
    qMenu(popup)->setTitle(QString::fromStdString(title));
    if (parent)
        qMenu(parent)->addMenu(qMenu(popup));
    else
        building_->addMenu(qMenu(popup));
}

void QtMenuBar::attach() {
    if (!building_) return;
    window_.setMenuBar(building_);  // deletes the previous bar
    actions_ = std::move(building_actions_);
    building_actions_.clear();
    building_ = nullptr;
}

void QtMenuBar::discard() {
    delete building_;
    building_ = nullptr;
    building_actions_.clear();
}

void QtMenuBar::setChecked(int command, bool on) {
    QAction* a = action(command);
    if (!a) return;
    // Only a checked item is checkable, so an unchecked one shows no empty indicator.
    a->setCheckable(on);
    a->setChecked(on);
}

bool QtMenuBar::isChecked(int command) const {
    QAction* a = action(command);
    return a && a->isCheckable() && a->isChecked();
}

void QtMenuBar::setEnabled(bool on) {
    if (QMenuBar* b = bar()) b->setEnabled(on);
}

bool QtMenuBar::isEnabled() const {
    QMenuBar* b = bar();
    return b && b->isEnabled();
}

QAction* QtMenuBar::action(int command) const {
    auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

QMenuBar* QtMenuBar::bar() const {
    return window_.menuWidget() ? window_.menuBar() : nullptr;
}

// ---- MainWindow

QtWindow::QtWindow(EventPump& pump, double devicePixelRatio) : pump_(pump), menu_(*this) {
    setWindowTitle(QString::fromUtf8(kWindowTitle));
    installAccessibility();
    double dpr = devicePixelRatio;
    if (dpr <= 0) {
        QScreen* screen = QGuiApplication::primaryScreen();
        dpr = screen ? screen->devicePixelRatio() : 1.0;
    }
    backBuffer_ = QImage(static_cast<int>(std::ceil(kClientWidth * dpr)),
                         static_cast<int>(std::ceil(kClientHeight * dpr)), QImage::Format_RGB32);
    backBuffer_.setDevicePixelRatio(dpr);
    backBuffer_.fill(Qt::white);
    client_ = new ClientArea(*this, pump);
    setCentralWidget(client_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    canvas_ = std::make_unique<QtCanvas>(&backBuffer_);
    canvas_->setDamageHandler([this](const QRect& r) { damage(r); });
    client_->setFocus();
}

QtWindow::~QtWindow() {
    canvas_.reset();
}

void QtWindow::setBackgroundColour(Colour colour) {
    canvas_->fill(QRect(0, 0, kClientWidth, kClientHeight), colour);
    damage(QRect(0, 0, kClientWidth, kClientHeight));
}

std::unique_ptr<Label> QtWindow::createLabel(int x, int y, int w, int h) {
    auto* label = new QLabel(client_);
    label->setGeometry(x, y, w, h);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->show();
    return std::make_unique<QtLabel>(label);
}

void QtWindow::open() {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->geometry().size() : QSize(1024, 768);
    const WindowPosition pos = windowPosition(size.width(), size.height());
    move(pos.x, pos.y);
    show();
}

void QtWindow::damage(const QRect& r) {
    pending_ += r;
    client_->update(r);
}

void QtWindow::painted(const QRegion& region) {
    pending_ -= region;
    if (firstPaint_) {
        auto handler = std::move(firstPaint_);
        firstPaint_ = nullptr;
        handler();
    }
}

void QtWindow::presentNow() {
    if (pending_.isEmpty() || !isVisible()) return;
    constexpr qint64 kFrameMs = 16;
    if (lastPresent_.isValid() && lastPresent_.elapsed() < kFrameMs) return;
    client_->repaint(pending_);
    pending_ = QRegion();
    lastPresent_.start();
}

void QtWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The layout fixes the size, yet the system can still impose another (xdotool on a bare X
    // server, a window manager ignoring the size hints): it would cut the client area off or
    // frame it in grey. Ask for the fixed size back, giving up on a system that keeps refusing.
    const QSize fixed = minimumSize();
    if (fixed != maximumSize() || size() == fixed) {
        sizeRequests_ = 0;
        return;
    }
    if (sizeRequests_ >= 3) return;
    ++sizeRequests_;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (minimumSize() == maximumSize() && size() != minimumSize()) resize(minimumSize());
        },
        Qt::QueuedConnection);
}

void QtWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    pump_.post(Event::close());
}

void QtEventSource::waitForEvents(EventPump& pump) {
    const auto before = pump.posted();
    // A release while a modal form was open went to no window of ours, yet it ends the press:
    // without it waitButtonsUp would swallow the next click.
    const Qt::MouseButtons held = QGuiApplication::mouseButtons();
    if ((pump.buttonsHeld() & kLeftButton) && !(held & Qt::LeftButton)) pump.post(Event::leftUp());
    if ((pump.buttonsHeld() & kRightButton) && !(held & Qt::RightButton))
        pump.post(Event::rightUp());
    while (pump.posted() == before) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace zg

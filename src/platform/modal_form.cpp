#include "platform/modal_form.h"

#include <QCloseEvent>

namespace zg {

Form::Form(EventPump& pump, QWidget* owner) : QDialog(owner), pump_(pump) {
    setModal(false);  // modality comes from runModalForm, which does not block in exec()
}

void Form::onClicked(QAbstractButton* button, std::function<void()> handler) {
    QObject::connect(button, &QAbstractButton::clicked, this,
                     [this, handler = std::move(handler)] { pump_.postAction(handler); });
}

void Form::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (closeHandler_) pump_.postAction(closeHandler_);
}

void Form::reject() {
    if (closeHandler_) pump_.postAction(closeHandler_);
}

void runModalForm(EventPump& pump, QWidget& mainWindow, QWidget& form, QPoint offset,
                  bool& dialogDone) {
    // Modal to the main window only: the help window stays usable beside a form.
    form.setWindowModality(Qt::WindowModal);
    form.move(mainWindow.pos() + offset);
    form.show();
    form.raise();
    form.activateWindow();
    dialogDone = false;
    while (!dialogDone) pump.next();
    form.hide();
    mainWindow.activateWindow();
}

}  // namespace zg

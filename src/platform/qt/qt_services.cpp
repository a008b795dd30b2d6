#include "platform/qt/qt_services.h"

#include <QApplication>
#include <QDate>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <chrono>

#include "platform/window.h"

namespace zg {

namespace {
long long nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

SystemTime::SystemTime() : startNs_(nowNs()) {}

double SystemTime::seconds() {
    return static_cast<double>(nowNs() - startNs_) / 1e9;
}

std::string SystemTime::today() {
    return QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toStdString();
}

void SystemTime::sleepMs(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}

void QtBeeper::beep() {
    QApplication::beep();
}

void QtQuestionBox::setOwner(Window& owner) {
    owner_ = dynamic_cast<QWidget*>(&owner);
}

QWidget* QtQuestionBox::parent() const {
    return owner_ ? owner_.data() : QApplication::activeWindow();
}

int QtQuestionBox::ask(QuestionIcon icon, const std::string& text, const std::string& captions,
                       int defaultButton) {
    QMessageBox box(parent());
    box.setWindowModality(Qt::WindowModal);
    box.setWindowTitle(QStringLiteral("Zahlgarten"));
    box.setText(QString::fromStdString(text));
    switch (icon) {
        case QuestionIcon::question:
            box.setIcon(QMessageBox::Question);
            break;
        case QuestionIcon::information:
            box.setIcon(QMessageBox::Information);
            break;
        case QuestionIcon::warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case QuestionIcon::critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case QuestionIcon::none:
            break;
    }
    std::vector<QPushButton*> buttons;
    for (const std::string& caption : splitCaptions(captions))
        buttons.push_back(box.addButton(QString::fromStdString(caption), QMessageBox::ActionRole));
    if (defaultButton >= 1 && defaultButton <= static_cast<int>(buttons.size())) {
        box.setDefaultButton(buttons[defaultButton - 1]);
        buttons[defaultButton - 1]->setFocus();
    }
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return static_cast<int>(i) + 1;
    return 0;
}

void QtQuestionBox::message(const std::string& text) {
    QMessageBox box(parent());
    box.setWindowModality(Qt::WindowModal);
    box.setWindowTitle(QStringLiteral("Zahlgarten"));
    box.setText(QString::fromStdString(text));
    box.addButton(QMessageBox::Ok);
    box.exec();
}

}  // namespace zg

// The Qt services: the system clock and date, the beep and the question box.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "platform/services.h"

namespace zg {

class SystemTime : public TimeSource {
  public:
    SystemTime();
    double seconds() override;
    std::string today() override;
    void sleepMs(int ms) override;

  private:
    long long startNs_;
};

class QtBeeper : public Beeper {
  public:
    void beep() override;
};

class QtQuestionBox : public QuestionBox {
  public:
    void setOwner(Window& owner) override;
    int ask(QuestionIcon icon, const std::string& text, const std::string& captions,
            int defaultButton) override;
    void message(const std::string& text) override;

  private:
    QWidget* parent() const;
    QPointer<QWidget> owner_;
};

}  // namespace zg

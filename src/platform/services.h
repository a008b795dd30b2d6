// Small services the game reaches through interfaces, so tests can replace them.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

namespace zg {

class TimeSource {
  public:
    virtual ~TimeSource() = default;
    // Monotonic clock in seconds, with fractions.
    virtual double seconds() = 0;
    // Today's date as "dd.MM.yyyy".
    virtual std::string today() = 0;
    // Pause the calling (main) thread.
    virtual void sleepMs(int ms) = 0;
};

class SystemTime : public TimeSource {
  public:
    SystemTime();
    double seconds() override;
    std::string today() override;
    void sleepMs(int ms) override;

  private:
    long long startNs_;
};

class Beeper {
  public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

class QtBeeper : public Beeper {
  public:
    void beep() override;
};

enum class QuestionIcon { none, question, information, warning, critical };

// The question box: captions given as one text split at "|" ("&JA|&NEIN"), "&" marking the
// accelerator; defaultButton counts from 1. Returns the chosen button counted from 1, or 0 if
// the box was closed without a choice.
class QuestionBox {
  public:
    virtual ~QuestionBox() = default;
    virtual int ask(QuestionIcon icon, const std::string& text, const std::string& captions,
                    int defaultButton) = 0;
    // A plain box with OK.
    virtual void message(const std::string& text) = 0;
};

class QtQuestionBox : public QuestionBox {
  public:
    // The box is modal to owner alone (the main window), so the help window stays usable.
    void setOwner(QWidget* owner) { owner_ = owner; }
    int ask(QuestionIcon icon, const std::string& text, const std::string& captions,
            int defaultButton) override;
    void message(const std::string& text) override;

  private:
    QWidget* parent() const;
    QPointer<QWidget> owner_;
};

std::vector<std::string> splitCaptions(const std::string& captions);

}  // namespace zg

// Small services the game reaches through interfaces, so tests can replace them and each
// backend gives its own.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zg {

class Canvas;
class Window;

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

class Beeper {
  public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

enum class QuestionIcon { none, question, information, warning, critical };

// The question box: captions given as one text split at "|" ("&JA|&NEIN"), "&" marking the
// accelerator; defaultButton counts from 1. Returns the chosen button counted from 1, or 0 if
// the box was closed without a choice.
class QuestionBox {
  public:
    virtual ~QuestionBox() = default;
    // The box is modal to owner alone (the main window), so the help window stays usable.
    virtual void setOwner(Window&) {}
    virtual int ask(QuestionIcon icon, const std::string& text, const std::string& captions,
                    int defaultButton) = 0;
    // A plain box with OK.
    virtual void message(const std::string& text) = 0;
};

std::vector<std::string> splitCaptions(const std::string& captions);

// The help window: shows a help page and follows the links between the pages.
class HelpViewer {
  public:
    virtual ~HelpViewer() = default;
    // Shows the HTML page at path. False when it cannot be shown (missing, unreadable).
    virtual bool showPage(const std::string& path) = 0;
};

// Choosing a printer and the page the printing paints on:
//
//     if (!printer.selectPrinter(window)) return;           // no printer: nothing printed
//     std::unique_ptr<Canvas> page = printer.startDocument("Brett drucken");
//     ... paint ...; page.reset();                          // ends the page
//     bool printed = printer.finishDocument();
class Printer {
  public:
    virtual ~Printer() = default;
    // Makes a printer the drawing target: the default printer, else the printer dialog over
    // owner. False when there is none (the dialog cancelled).
    virtual bool selectPrinter(Window& owner) = 0;
    // Starts the titled document: a canvas on its one page, in device pixels with (0, 0) at
    // the top-left of the printable area; nullptr when it cannot start.
    virtual std::unique_ptr<Canvas> startDocument(const std::string& title) = 0;
    // After the page's canvas is gone: false when the printer reported an error.
    virtual bool finishDocument() = 0;
    // After finishDocument: the player cancelled the document (the file name a print-to-file
    // printer asks for, the printer's own dialog). Nothing is printed, and that is no error.
    virtual bool cancelled() const { return false; }
};

// A periodic worker on the main thread (the clock): it runs between events, so it shares the
// game's fields without a data race.
class PeriodicWorker {
  public:
    static constexpr int kPeriodMs = 50;
    virtual ~PeriodicWorker() = default;
    // Runs turn every 50 ms until it returns false. Starting again replaces the running turn:
    // there is never more than one worker.
    virtual void start(std::function<bool()> turn) = 0;
    virtual void stop() = 0;
    virtual bool running() const = 0;
    // One turn now, as the timer would run it (tests drive the worker with this).
    virtual void fire() = 0;
};

}  // namespace zg

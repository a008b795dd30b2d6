// The printer seam: choosing a printer and the page the printing paints on.
//
//     if (!printer.selectPrinter(&window)) return;          // no printer: nothing printed
//     QPaintDevice* page = printer.startDocument("Brett drucken");
//     { Canvas c(page); ... }                                // painting ends the page
//     bool printed = printer.finishDocument();
//
// Tests put an image in its place; the game prints through QPrinter.
#pragma once

#include <QPaintDevice>
#include <QWidget>
#include <memory>
#include <string>

class QPrinter;

namespace zg {

class Printer {
  public:
    virtual ~Printer() = default;
    // Makes a printer the drawing target: the default printer, else the printer dialog (which
    // also offers printing into a PDF file). False when there is none (the dialog cancelled).
    virtual bool selectPrinter(QWidget* owner) = 0;
    // Starts the titled document: the device its one page is painted on, in device pixels
    // with (0, 0) at the top-left of the printable area; nullptr when it cannot start.
    virtual QPaintDevice* startDocument(const std::string& title) = 0;
    // After the painter on the page has ended: false when the printer reported an error.
    virtual bool finishDocument() = 0;
};

class QtPrinter : public Printer {
  public:
    QtPrinter();
    // Prints into this PDF file without asking (a print-to-file printer).
    explicit QtPrinter(std::string pdfFile);
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    bool selectPrinter(QWidget* owner) override;
    QPaintDevice* startDocument(const std::string& title) override;
    bool finishDocument() override;

  private:
    std::unique_ptr<QPrinter> printer_;
    std::string pdfFile_;
};

}  // namespace zg

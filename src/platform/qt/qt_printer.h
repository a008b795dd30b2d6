// The Qt printer: QPrinter with QPrintDialog (which also offers printing into a PDF file).
#pragma once

#include <memory>
#include <string>

#include "platform/services.h"

class QPrinter;

namespace zg {

class QtPrinter : public Printer {
  public:
    QtPrinter();
    // Prints into this PDF file without asking (a print-to-file printer).
    explicit QtPrinter(std::string pdfFile);
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    bool selectPrinter(Window& owner) override;
    std::unique_ptr<Canvas> startDocument(const std::string& title) override;
    bool finishDocument() override;
    bool cancelled() const override { return cancelled_; }

  private:
    std::unique_ptr<QPrinter> printer_;
    std::string pdfFile_;
    bool cancelled_ = false;
};

}  // namespace zg

#include "platform/qt/qt_printer.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/qt/qt_canvas.h"
#include "platform/window.h"

namespace zg {

namespace {
// A PDF has no device pixels of its own: those of a common laser printer keep the 5-pixel box
// borders visible.
constexpr int kPdfDotsPerInch = 600;
}  // namespace

QtPrinter::QtPrinter() = default;
QtPrinter::QtPrinter(std::string pdfFile) : pdfFile_(std::move(pdfFile)) {}
QtPrinter::~QtPrinter() = default;

bool QtPrinter::selectPrinter(Window& owner) {
    printer_.reset();
    cancelled_ = false;
    if (!pdfFile_.empty()) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(QString::fromStdString(pdfFile_));
        printer_->setResolution(kPdfDotsPerInch);
        return true;
    }
    const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
    if (!standard.isNull()) {
        printer_ = std::make_unique<QPrinter>(standard, QPrinter::HighResolution);
        if (printer_->isValid()) return true;
    }
    // No default printer: the player picks one, or a PDF file, in the printer dialog.
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer_.get(), dynamic_cast<QWidget*>(&owner));
    dialog.setObjectName(QStringLiteral("cd"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted || !printer_->isValid()) {
        printer_.reset();
        return false;
    }
    if (printer_->outputFormat() == QPrinter::PdfFormat) printer_->setResolution(kPdfDotsPerInch);
    return true;
}

std::unique_ptr<Canvas> QtPrinter::startDocument(const std::string& title) {
    if (!printer_) return nullptr;
    printer_->setDocName(QString::fromStdString(title));
    printer_->setFullPage(false);
    return std::make_unique<QtCanvas>(printer_.get());
}

bool QtPrinter::finishDocument() {
    // A job the player aborted (the print system's own dialog) is nothing printed.
    cancelled_ = printer_ && printer_->printerState() == QPrinter::Aborted;
    const bool ok = printer_ && printer_->printerState() != QPrinter::Error;
    printer_.reset();
    return ok;
}

}  // namespace zg

// The Win32 printer: the default printer's device context (else the one picked in the printer
// dialog); a page canvas is a Win32Canvas on it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/services.h"

namespace zg {

class Win32Printer : public Printer {
  public:
    Win32Printer() = default;
    ~Win32Printer() override;
    Win32Printer(const Win32Printer&) = delete;
    Win32Printer& operator=(const Win32Printer&) = delete;

    bool selectPrinter(Window& owner) override;
    std::unique_ptr<Canvas> startDocument(const std::string& title) override;
    bool finishDocument() override;
    bool cancelled() const override { return cancelled_; }

  private:
    void release();
    HDC dc_ = nullptr;
    bool started_ = false;
    bool failed_ = false;
    bool cancelled_ = false;
    // A call of the document failed: cancelled by the player, or an error.
    void failedCall();
};

}  // namespace zg

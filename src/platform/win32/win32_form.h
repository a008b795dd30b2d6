// The Win32 form: a modeless dialog owned by the main window, its controls real Win32
// controls. A control's notification never runs game code directly: it posts the handler to
// the pump, guarded so that it runs only while the form exists.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/event_pump.h"
#include "platform/form.h"

namespace zg {

class Win32Form : public Form {
  public:
    // A form over owner (the main window), which it holds back while runModal runs; its
    // places and fonts scale device pixels per layout pixel, as the owner's client area.
    Win32Form(EventPump& pump, HWND owner, double scale = 1);
    ~Win32Form() override;
    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

    void setName(const std::string& name) override { name_ = name; }
    void setCaption(const std::string& utf8) override;
    void setSize(int width, int height) override;
    void setFont(const FormFont& font) override;
    Control addLabel(const std::string& name, const std::string& text, Place place,
                     const FormFont& font, bool centred, bool wrap) override;
    Control addPushButton(const std::string& name, const std::string& caption, Place place,
                          bool isDefault) override;
    Control addOptionButton(const std::string& name, const std::string& caption,
                            Place place) override;
    Control addTextBox(const std::string& name, Place place) override;
    Control addTabStrip(const std::string& name, Place place, const FormFont& font) override;
    Control addListTab(Control tabStrip, const std::string& tabCaption, const std::string& pageName,
                       const std::string& listName, const std::vector<ListColumn>& columns,
                       const FormFont& font) override;
    void addListRow(Control list, const std::vector<std::string>& texts) override;
    int currentTab(Control tabStrip) const override;
    void setCurrentTab(Control tabStrip, int index) override;
    bool isChecked(Control option) const override;
    void setChecked(Control option, bool on) override;
    std::string text(Control control) const override;
    void setText(Control textBox, const std::string& utf8) override;
    void setFocus(Control control) override;
    void onClick(Control control, std::function<void()> handler) override;
    void onKeyPress(Control control, std::function<void(int code)> handler) override;
    void onClose(std::function<void()> handler) override { closeHandler_ = std::move(handler); }
    void hide() override;
    void runModal(int offsetX, int offsetY, bool& dialogDone) override;

    HWND handle() const { return dialog_; }
    // The control's window (nullptr for none).
    HWND control(Control c) const;
    const std::string& name() const { return name_; }
    // The control of this name, or -1.
    Control find(const std::string& name) const;

  private:
    enum class Kind { label, push, option, text, tabs, list };
    struct Item {
        HWND hwnd = nullptr;
        Kind kind = Kind::label;
        std::string name;
        bool ownFont = false;
        std::vector<Control> pages;  // a tab strip's lists, one per tab
        HWND label = nullptr;        // a list's hidden label, its tab's caption
    };

    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK keyProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    Control add(const wchar_t* windowClass, const std::string& name, const std::string& text,
                DWORD style, DWORD exStyle, Place place, Kind kind, HFONT font);
    const Item* item(Control c, Kind kind) const;
    HFONT makeFont(const FormFont& font);
    void showPage(Control tabStrip);
    void placePages(Control tabStrip);
    // Runs handler through the pump, and only while this form exists.
    void post(std::function<void()> handler);
    int device(int layout) const;
    Place device(Place layout) const;
    // A one-line label as wide as its text needs.
    void fitLabel(HWND label) const;
    // A list's last column ends at the list's right edge: no horizontal scroll bar.
    void fitColumns(HWND list) const;

    EventPump& pump_;
    HWND owner_;
    double scale_;
    HWND dialog_ = nullptr;
    std::string name_;
    std::vector<Item> items_;
    std::vector<HFONT> fonts_;  // every font made for this form
    HFONT formFont_ = nullptr;
    std::map<Control, std::function<void()>> clicks_;
    std::map<Control, std::function<void(int)>> keys_;
    std::function<void()> closeHandler_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    HWND focus_ = nullptr;
    bool modal_ = false;
};

}  // namespace zg

// The Qt form: a QDialog whose controls are Qt widgets. Widget signals never run game code
// directly: they post the handler to the pump, guarded so that it runs only while the form
// exists.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <vector>

#include "platform/event_pump.h"
#include "platform/form.h"

class QTabWidget;
class QTableWidget;

namespace zg {

class QtForm : public QDialog, public Form {
  public:
    QtForm(EventPump& pump, QWidget* owner);

    void setName(const std::string& name) override;
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
    void onClose(std::function<void()> handler) override;
    void hide() override { QDialog::hide(); }
    void runModal(int offsetX, int offsetY, bool& dialogDone) override;

    // The control of this name, or -1; its widget (nullptr for none).
    Control find(const std::string& name) const;
    QWidget* widget(Control control) const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Control add(QWidget* widget, const std::string& name, Place place);
    QTabWidget* tabs(Control control) const;
    QTableWidget* list(Control control) const;
    // Runs handler through the pump, and only while this form exists.
    void post(std::function<void()> handler);

    EventPump& pump_;
    std::vector<QPointer<QWidget>> controls_;
    std::map<QObject*, std::function<void(int)>> keyHandlers_;
    std::function<void()> closeHandler_;
};

}  // namespace zg

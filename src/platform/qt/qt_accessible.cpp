#include "platform/qt/qt_accessible.h"

#include <QAbstractEventDispatcher>
#include <QAccessibleWidget>
#include <map>
#include <utility>

#include "platform/accessibility.h"
#include "platform/qt/qt_window.h"

namespace zg {

namespace {

using Kind = AccessibleKind;

class Root;

// One thing of the scene: the table, a cell, a panel, a button, the chooser or one of its
// values. It reads the scene told last, so what it says matches the events sent.
class Node : public QAccessibleInterface,
             public QAccessibleTableInterface,
             public QAccessibleTableCellInterface,
             public QAccessibleActionInterface {
  public:
    Node(Root& root, Kind kind, int index) : root_(root), kind_(kind), index_(index) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // the table
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override {
        return QStringLiteral("Spalte %1").arg(column + 1);
    }
    QString rowDescription(int row) const override {
        return QStringLiteral("Zeile %1").arg(row + 1);
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return 6; }
    int rowCount() const override { return 6; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    // a cell
    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return index_ % 6; }
    int rowIndex() const override { return index_ / 6; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

    // a button
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    const AccessibleItem* item() const;
    Root& root_;
    Kind kind_;
    int index_;
};

// The client area: the table, the panels, the buttons shown, the open chooser, then the
// widgets on it (the clock).
class Root : public QAccessibleWidget {
  public:
    // Qt makes it whenever the area is shown, screen reader or not: the scene is described,
    // and kept up to date, only from the first time a client reads it.
    Root(ClientArea* area, std::function<AccessibleScene()> describe)
        : QAccessibleWidget(area, QAccessible::Client, QStringLiteral("Zahlgarten")),
          area_(area),
          told_(std::move(describe)) {}
    ~Root() override {
        QObject::disconnect(idle_);
        for (const auto& [key, id] : nodes_) QAccessible::deleteAccessibleInterface(id);
    }

    const AccessibleScene& scene() const {
        if (!told_.asked() && QAbstractEventDispatcher::instance())
            idle_ = QObject::connect(QAbstractEventDispatcher::instance(),
                                     &QAbstractEventDispatcher::aboutToBlock, area_,
                                     [self = self()] { self->refresh(); });
        return told_.scene();
    }
    ClientArea* area() const { return area_; }

    Node* node(Kind kind, int index) const {
        auto [it, added] = nodes_.try_emplace({kind, index}, 0);
        if (added)
            it->second = QAccessible::registerAccessibleInterface(new Node(*self(), kind, index));
        return static_cast<Node*>(QAccessible::accessibleInterface(it->second));
    }

    int ownCount() const {
        return 1 + static_cast<int>(scene().panels.size() + scene().buttons.size()) +
               (scene().chooserItems.empty() ? 0 : 1);
    }
    QAccessibleInterface* ownChild(int i) const {
        if (i == 0) return node(Kind::table, 0);
        i -= 1;
        if (i < static_cast<int>(scene().panels.size())) return node(Kind::panel, i);
        i -= static_cast<int>(scene().panels.size());
        if (i < static_cast<int>(scene().buttons.size())) return node(Kind::button, i);
        return node(Kind::chooser, 0);
    }

    int childCount() const override { return ownCount() + QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int i) const override {
        if (i < 0) return nullptr;
        return i < ownCount() ? ownChild(i) : QAccessibleWidget::child(i - ownCount());
    }
    int indexOfChild(const QAccessibleInterface* c) const override {
        for (int i = 0; i < ownCount(); ++i)
            if (ownChild(i) == c) return i;
        const int widget = QAccessibleWidget::indexOfChild(c);
        return widget < 0 ? -1 : ownCount() + widget;
    }
    QAccessibleInterface* focusChild() const override {
        const std::optional<AccessibleRef> f = accessibleFocus(scene());
        return f ? node(f->kind, f->index) : nullptr;
    }

    // Tells what changed since the scene was told last. Qt 6.4 has no announcement event: the
    // status and the hint, though announced, change their names like the rest.
    void refresh() {
        for (const AccessibleChange& c : told_.refresh())
            send(node(c.item.kind, c.item.index), event(c.type));
    }

  private:
    Root* self() const { return const_cast<Root*>(this); }
    static QAccessible::Event event(AccessibleChange::Type type) {
        switch (type) {
            case AccessibleChange::Type::renamed:
                return QAccessible::NameChanged;
            case AccessibleChange::Type::created:
                return QAccessible::ObjectCreated;
            case AccessibleChange::Type::destroyed:
                return QAccessible::ObjectDestroyed;
            case AccessibleChange::Type::focused:
                break;
        }
        return QAccessible::Focus;
    }
    static void send(QAccessibleInterface* iface, QAccessible::Event type) {
        QAccessibleEvent ev(iface, type);
        QAccessible::updateAccessibility(&ev);
    }

    ClientArea* area_;
    mutable ToldScene told_;
    mutable QMetaObject::Connection idle_;
    mutable std::map<std::pair<Kind, int>, QAccessible::Id> nodes_;
};

const AccessibleItem* Node::item() const {
    return accessibleItem(root_.scene(), {kind_, index_});
}

bool Node::isValid() const {
    return root_.isValid();
}

QWindow* Node::window() const {
    return root_.window();
}

QAccessibleInterface* Node::parent() const {
    switch (kind_) {
        case Kind::cell:
            return root_.node(Kind::table, 0);
        case Kind::chooserItem:
            return root_.node(Kind::chooser, 0);
        default:
            return const_cast<Root*>(&root_);
    }
}

int Node::childCount() const {
    if (kind_ == Kind::table) return 36;
    if (kind_ == Kind::chooser) return static_cast<int>(root_.scene().chooserItems.size());
    return 0;
}

QAccessibleInterface* Node::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    return root_.node(kind_ == Kind::table ? Kind::cell : Kind::chooserItem, index);
}

int Node::indexOfChild(const QAccessibleInterface* c) const {
    for (int i = 0; i < childCount(); ++i)
        if (child(i) == c) return i;
    return -1;
}

QAccessibleInterface* Node::cellAt(int row, int column) const {
    if (row < 0 || row > 5 || column < 0 || column > 5) return nullptr;
    return root_.node(Kind::cell, row * 6 + column);
}

QAccessibleInterface* Node::table() const {
    return root_.node(Kind::table, 0);
}

QString Node::text(QAccessible::Text t) const {
    const AccessibleItem* it = item();
    if (t != QAccessible::Name || !it) return {};
    return QString::fromStdString(it->name);
}

QRect Node::rect() const {
    const AccessibleItem* it = item();
    if (!it) return {};
    const QPoint topLeft = root_.area()->mapToGlobal(QPoint(it->rect.x, it->rect.y));
    return {topLeft, QSize(it->rect.width, it->rect.height)};
}

QAccessible::Role Node::role() const {
    switch (kind_) {
        case Kind::table:
            return QAccessible::Table;
        case Kind::cell:
            return QAccessible::Cell;
        case Kind::panel:
            return QAccessible::StaticText;
        case Kind::button:
            return QAccessible::Button;
        case Kind::chooser:
            return QAccessible::List;
        case Kind::chooserItem:
            return QAccessible::ListItem;
        default:
            return QAccessible::NoRole;
    }
}

bool Node::isSelected() const {
    return kind_ == Kind::cell && root_.scene().focusedCell == index_;
}

QAccessible::State Node::state() const {
    QAccessible::State s;
    const AccessibleScene& scene = root_.scene();
    if (!item()) s.invisible = true;
    if (kind_ == Kind::cell) {
        s.focusable = true;
        s.focused = scene.focusedCell == index_ && scene.chooserSelected < 0;
    }
    if (kind_ == Kind::chooserItem) {
        s.selectable = s.focusable = true;
        s.selected = s.focused = scene.chooserSelected == index_;
    }
    if (kind_ == Kind::panel) s.readOnly = true;
    return s;
}

void* Node::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface && kind_ == Kind::table)
        return static_cast<QAccessibleTableInterface*>(this);
    if (type == QAccessible::TableCellInterface && kind_ == Kind::cell)
        return static_cast<QAccessibleTableCellInterface*>(this);
    if (type == QAccessible::ActionInterface && kind_ == Kind::button)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

void Node::doAction(const QString& action) {
    const AccessibleItem* it = item();
    if (kind_ == Kind::button && it && action == pressAction())
        pressAccessibleButton(root_.area()->pump(), it->rect);
}

QAccessibleInterface* factory(const QString&, QObject* object) {
    auto* area = dynamic_cast<ClientArea*>(object);
    if (!area || !area->gameWindow().accessibleScene()) return nullptr;
    return new Root(area, area->gameWindow().accessibleScene());
}

}  // namespace

void installAccessibility() {
    QAccessible::installFactory(factory);
}

void refreshAccessible(QWidget* clientArea) {
    if (auto* root = dynamic_cast<Root*>(QAccessible::queryAccessibleInterface(clientArea)))
        root->refresh();
}

}  // namespace zg

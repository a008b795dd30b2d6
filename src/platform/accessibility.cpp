#include "platform/accessibility.h"

#include <algorithm>

#include "platform/event_pump.h"

namespace zg {

namespace {

using Change = AccessibleChange::Type;

// By index: the renamed, and where told one by one, the created and the gone.
template <class Items>
void listChanges(std::vector<AccessibleChange>& out, AccessibleKind kind, const Items& before,
                 const Items& after, bool oneByOne = true) {
    const std::size_t n =
        oneByOne ? std::max(before.size(), after.size()) : std::min(before.size(), after.size());
    for (std::size_t i = 0; i < n; ++i) {
        const AccessibleRef r{kind, static_cast<int>(i)};
        if (i >= after.size())
            out.push_back({Change::destroyed, r, before[i].announced});
        else if (i >= before.size())
            out.push_back({Change::created, r, after[i].announced});
        else if (before[i].name != after[i].name)
            out.push_back({Change::renamed, r, after[i].announced});
    }
}

}  // namespace

const AccessibleItem* accessibleItem(const AccessibleScene& s, AccessibleRef r) {
    auto at = [&r](const auto& items) -> const AccessibleItem* {
        return r.index >= 0 && r.index < static_cast<int>(items.size()) ? &items[r.index] : nullptr;
    };
    switch (r.kind) {
        case AccessibleKind::table:
            return &s.board;
        case AccessibleKind::cell:
            return at(s.cells);
        case AccessibleKind::panel:
            return at(s.panels);
        case AccessibleKind::button:
            return at(s.buttons);
        case AccessibleKind::chooser:
            return s.chooserItems.empty() ? nullptr : &s.chooser;
        case AccessibleKind::chooserItem:
            return at(s.chooserItems);
        default:
            return nullptr;
    }
}

std::optional<AccessibleRef> accessibleFocus(const AccessibleScene& s) {
    if (s.chooserSelected >= 0)
        return AccessibleRef{AccessibleKind::chooserItem, s.chooserSelected};
    if (s.focusedCell >= 0) return AccessibleRef{AccessibleKind::cell, s.focusedCell};
    return std::nullopt;
}

std::vector<AccessibleChange> accessibleChanges(const AccessibleScene& before,
                                                const AccessibleScene& after) {
    std::vector<AccessibleChange> out;
    listChanges(out, AccessibleKind::cell, before.cells, after.cells);
    listChanges(out, AccessibleKind::panel, before.panels, after.panels);
    listChanges(out, AccessibleKind::button, before.buttons, after.buttons);
    // The values come and go with the chooser; one renamed while it stays open is told.
    listChanges(out, AccessibleKind::chooserItem, before.chooserItems, after.chooserItems, false);
    if (before.chooserItems.empty() != after.chooserItems.empty())
        out.push_back({after.chooserItems.empty() ? Change::destroyed : Change::created,
                       {AccessibleKind::chooser, 0}});
    if (before.focusedCell != after.focusedCell || before.chooserSelected != after.chooserSelected)
        if (const std::optional<AccessibleRef> f = accessibleFocus(after))
            out.push_back({Change::focused, *f});
    return out;
}

const AccessibleScene& ToldScene::scene() {
    if (!told_) told_ = describe_();
    return *told_;
}

std::vector<AccessibleChange> ToldScene::refresh() {
    if (!told_) return {};  // nobody asked yet
    AccessibleScene now = describe_();
    if (now == *told_) return {};
    const AccessibleScene before = std::exchange(*told_, std::move(now));
    return accessibleChanges(before, *told_);
}

void pressAccessibleButton(EventPump& pump, const AccessibleRect& rect) {
    pump.post(Event::mouseMove(rect.x + rect.width / 2, rect.y + rect.height / 2));
    pump.post(Event::leftDown());
    pump.post(Event::leftUp());
}

}  // namespace zg

// Which key releases are key events of the loops, for every backend: a release counts only
// when its press reached the client area, and never with Alt held. A release whose press went
// to a menu, a form, a question box or another window (the key that picked a menu item or
// answered a box) would otherwise start a second command the player never asked for.
#pragma once

#include <cstdint>
#include <set>

namespace zg {

class PressedKeys {
  public:
    using Key = std::uint32_t;
    // The physical key of a key event: its scan code (the extended bit included) where the
    // system gives one, else its virtual-key code; the two ranges never meet. Synthetic input
    // often carries scan code 0 for every key, which must not make all keys one.
    static Key keyOf(std::uint32_t scanCode, std::uint32_t virtualKey) {
        return scanCode != 0 ? scanCode : virtualKey | 0x80000000u;
    }

    // A press the client area took. With Alt held it is the system's (a menu accelerator):
    // neither it nor its release, in whatever order Alt comes up, belongs to the loops.
    void pressed(Key key, bool altHeld) {
        if (altHeld)
            keys_.erase(key);
        else
            keys_.insert(key);
    }
    // A release (also the system's release with Alt held): always ends the press; true when it
    // is a key event of the loops.
    bool released(Key key, bool altHeld) { return keys_.erase(key) != 0 && !altHeld; }
    // The keyboard went to a menu, form or box: every key held ends there.
    void clear() { keys_.clear(); }
    bool empty() const { return keys_.empty(); }

  private:
    std::set<Key> keys_;
};

}  // namespace zg

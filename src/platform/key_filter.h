// Which key releases are key events of the loops, for every backend: a release counts only
// when its press reached the client area, and never with Alt held. A release whose press went
// to a menu, a form, a question box or another window (the key that picked a menu item or
// answered a box) would otherwise start a second command the player never asked for.
#pragma once

#include <cstdint>
#include <map>
#include <set>

#include "platform/event_pump.h"

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
    // False for a press of a key already held: the key repeats.
    bool pressed(Key key, bool altHeld) {
        if (altHeld) {
            keys_.erase(key);
            return true;
        }
        return keys_.insert(key).second;
    }
    // Held down, only the arrow keys act again (they move the keyboard cursor): any other key
    // acts once, however long it is held.
    static bool repeats(int virtualKey) {
        return virtualKey >= vk::kLeft && virtualKey <= vk::kDown;
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

// Which window each held key belongs to: the one its first press went to. Its repeats and its
// release reach only that window, so a form or box that opens while a key is held (the held
// key's own release opened it, or a repeat would) never takes that key as typed there.
class KeyOwners {
  public:
    using Key = PressedKeys::Key;
    using Window = const void*;

    // A press: the first of a key makes window its owner. repeat: the system says the key was
    // already down, so a press with no owner began before any of our windows saw it.
    bool mayPress(Key key, Window window, bool repeat) {
        const auto it = owners_.find(key);
        if (it == owners_.end()) {
            if (repeat) return false;
            owners_.emplace(key, window);
            return true;
        }
        return it->second == window;
    }
    // Without taking the press: may this window see the key now (a character, a shortcut)?
    bool mayReach(Key key, Window window) const {
        const auto it = owners_.find(key);
        return it == owners_.end() || it->second == window;
    }
    // The release ends the press wherever it goes; only the owner sees it.
    bool mayRelease(Key key, Window window) {
        const auto it = owners_.find(key);
        if (it == owners_.end()) return false;
        const bool own = it->second == window;
        owners_.erase(it);
        return own;
    }

  private:
    std::map<Key, Window> owners_;
};

}  // namespace zg

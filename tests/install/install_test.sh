#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts the installed game from elsewhere:
# through its desktop launcher it must run inside the per-user game folder.
#   install_test.sh BUILD_DIR
set -euo pipefail
work=$(mktemp -d)
trap 'kill ${pid:-} ${xvfb_pid:-} 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; sed 's/^/game: /' "$work/game.err" >&2 2>/dev/null; exit 1; }
await() { for _ in $(seq 100); do "$@" && return; sleep 0.1; done; false; }  # up to 10 s
prefix="$work/prefix"
desktop="$prefix/share/applications/de.zahlgarten.Zahlgarten.desktop"
cmake --install "$1" --prefix "$prefix" >/dev/null
for f in bin/zahlgarten bin/zgtool bin/zahlgarten-start share/icons/hicolor/scalable/apps/de.zahlgarten.Zahlgarten.svg \
         share/metainfo/de.zahlgarten.Zahlgarten.metainfo.xml share/zahlgarten/übersicht.htm share/zahlgarten/erklärung.htm; do
    [ -e "$prefix/$f" ] || fail "$f is not installed"
done
for level in leicht mittel schwer extrem; do
    [ "$(stat -c %s "$prefix/share/zahlgarten/$level.zgb")" = 4000 ] || fail "$level.zgb is not 4000 bytes"
done
grep -qx 'Categories=Game;LogicGame;' "$desktop" || fail "desktop entry categories"
grep -qx 'Exec=zahlgarten-start' "$desktop" || fail "desktop entry does not start the launcher"
! command -v desktop-file-validate >/dev/null || desktop-file-validate "$desktop"
"$prefix/bin/zgtool" show "$prefix/share/zahlgarten/leicht.zgb" >/dev/null || fail "zgtool show"

# Started from an unrelated folder through the launcher, the game runs in the game folder.
mkdir -p "$work/elsewhere" "$work/home"
cd "$work/elsewhere"
start() { HOME="$work/home" XDG_DATA_HOME="$work/data" "$prefix/bin/zahlgarten-start" >/dev/null 2>"$work/game.err" & pid=$!; }
in_game_folder() {
    kill -0 "$pid" 2>/dev/null || fail "the installed game ended at once"
    [ "$(readlink "/proc/$pid/cwd")" = "$work/data/zahlgarten" ] &&
        [ "$(readlink "/proc/$pid/exe")" = "$prefix/bin/zahlgarten" ]
}
QT_QPA_PLATFORM=offscreen start
await in_game_folder || fail "game not in its game folder"
sleep 1
kill -0 "$pid" 2>/dev/null || fail "the installed game did not keep running"
kill "$pid"; wait "$pid" 2>/dev/null || true

# On a real X server: the title exactly as the game sets it, the desktop entry's window class
# and a task bar icon.
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null || ! command -v xprop >/dev/null; then
    echo "no Xvfb, xdotool or xprop: the window on a real X server was not checked"
    exit 0
fi
# The server writes the number of the free display it picked. A game that cannot reach it gets
# one more server, as the game is not to blame for that.
x_server() {
    mkfifo "$work/display$1"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display$1" 2>>"$work/xvfb.err" & xvfb_pid=$!
    read -r -t 10 display <"$work/display$1" || fail "Xvfb did not start: $(cat "$work/xvfb.err")"
    export DISPLAY=":$display"
}
x_server 1
shown() { window=$(xdotool search --name '^Zahlgarten V5' 2>/dev/null | head -1) && [ -n "$window" ]; }
on_x() { QT_QPA_PLATFORM=xcb start; await shown; }
on_x || { grep -q 'could not connect to display' "$work/game.err" && { kill "$xvfb_pid" 2>/dev/null; x_server 2; } && on_x; } ||
    fail "no game window on the X server$(kill -0 "$xvfb_pid" 2>/dev/null || echo ", which ended")"
props=$(xprop -id "$window" _NET_WM_NAME WM_CLASS _NET_WM_ICON)
grep -qx '_NET_WM_NAME(UTF8_STRING) = "Zahlgarten V5.0 by Velto"' <<<"$props" || fail "title: $props"
grep -qx 'WM_CLASS(STRING) = "zahlgarten", "zahlgarten"' <<<"$props" || fail "window class: $props"
grep -q '^_NET_WM_ICON(CARDINAL)' <<<"$props" || fail "no window icon"
echo "window title, class and icon on the X server are right"

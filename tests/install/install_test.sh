#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts the installed game from elsewhere:
# through its desktop launcher it must run inside the per-user game folder.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
for f in bin/zahlgarten bin/zgtool bin/zahlgarten-start \
         share/applications/de.zahlgarten.Zahlgarten.desktop \
         share/icons/hicolor/scalable/apps/de.zahlgarten.Zahlgarten.svg \
         share/metainfo/de.zahlgarten.Zahlgarten.metainfo.xml \
         share/zahlgarten/leicht.zgb share/zahlgarten/mittel.zgb \
         share/zahlgarten/schwer.zgb share/zahlgarten/extrem.zgb \
         share/zahlgarten/übersicht.htm share/zahlgarten/erklärung.htm; do
    [ -e "$prefix/$f" ] || fail "$f is not installed"
done
for f in "$prefix"/share/zahlgarten/*.zgb; do
    [ "$(stat -c %s "$f")" = 4000 ] || fail "$f is not 4000 bytes"
done
grep -q '^Categories=Game;LogicGame;$' "$prefix/share/applications/de.zahlgarten.Zahlgarten.desktop" ||
    fail "desktop entry categories"
grep -q '^Exec=zahlgarten-start$' "$prefix/share/applications/de.zahlgarten.Zahlgarten.desktop" ||
    fail "desktop entry does not start the launcher"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/de.zahlgarten.Zahlgarten.desktop"
fi

# The installed zgtool reads the installed collections.
"$prefix/bin/zgtool" show "$prefix/share/zahlgarten/leicht.zgb" >/dev/null || fail "zgtool show"

# Started from an unrelated folder through the launcher, the game runs in the game folder.
mkdir -p "$work/elsewhere" "$work/home"
cd "$work/elsewhere"
HOME="$work/home" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen \
    "$prefix/bin/zahlgarten-start" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 50); do
    cwd=$(readlink "/proc/$pid/cwd" 2>/dev/null || true)
    [ "$cwd" = "$work/data/zahlgarten" ] && [ "$(readlink "/proc/$pid/exe")" = "$prefix/bin/zahlgarten" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the installed game ended at once"
    sleep 0.1
done
[ "$(readlink "/proc/$pid/cwd")" = "$work/data/zahlgarten" ] || fail "game not in its game folder"
sleep 1
kill -0 "$pid" 2>/dev/null || fail "the installed game did not keep running"
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
pid=""
echo "installed game runs in $work/data/zahlgarten"

# On a real X server: the title exactly as the game sets it, the window class of the desktop
# entry, and an icon for the task bar.
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null && command -v xprop >/dev/null; then
    # The server picks a free display and writes its number into the pipe.
    mkfifo "$work/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb_pid=$!
    trap 'cleanup; kill "$xvfb_pid" 2>/dev/null || true' EXIT
    read -r -t 10 display <"$work/display" || fail "Xvfb did not start"
    HOME="$work/home" XDG_DATA_HOME="$work/data" DISPLAY=":$display" QT_QPA_PLATFORM=xcb \
        "$prefix/bin/zahlgarten-start" >/dev/null 2>&1 &
    pid=$!
    window=""
    for _ in $(seq 100); do
        window=$(DISPLAY=":$display" xdotool search --name '^Zahlgarten V5' 2>/dev/null | head -1 || true)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "no game window on the X server"
    props=$(DISPLAY=":$display" xprop -id "$window" _NET_WM_NAME WM_CLASS _NET_WM_ICON)
    grep -qx '_NET_WM_NAME(UTF8_STRING) = "Zahlgarten V5.0 by Velto"' <<<"$props" ||
        fail "window title: $(head -1 <<<"$props")"
    grep -qx 'WM_CLASS(STRING) = "zahlgarten", "zahlgarten"' <<<"$props" || fail "window class: $(grep WM_CLASS <<<"$props")"
    grep -q '^_NET_WM_ICON(CARDINAL)' <<<"$props" || fail "no window icon"
    echo "window title, class and icon on the X server are right"
else
    echo "no Xvfb, xdotool or xprop: the window on a real X server was not checked"
fi

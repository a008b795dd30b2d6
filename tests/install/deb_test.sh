#!/usr/bin/env bash
# The Debian package as a player meets it: installed as root, the game started from its desktop
# entry on an X server as a plain user, a new game saved into the per-user game folder, the
# package purged; only the player's files may remain.
#   deb_test.sh PACKAGE.deb
set -euo pipefail
[ "$(id -u)" = 0 ] || exec sudo "$0" "$@"
deb=$(readlink -f "$1") reference=$(dirname "$(readlink -f "$0")")/../reference/start_screen.png
apt() { DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=600 "$@" >/dev/null; }
work=$(mktemp -d) && chmod 755 "$work"
trap 'kill ${pid:-} ${xvfb_pid:-} 2>/dev/null; [ -z "${installed:-}" ] || apt purge zahlgarten; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; sed 's/^/game: /' "$work/game.err" >&2 2>/dev/null; exit 1; }
await() { for _ in $(seq 100); do "$@" && return; sleep 0.1; done; false; }  # up to 10 s
ours() { find /usr /etc /opt /var/lib /var/games -name '*zahlgarten*' -o -name 'zgtool*' 2>/dev/null | sort || true; }
ours >"$work/before"
installed=1 && apt install "$deb"
desktop=/usr/share/applications/de.zahlgarten.Zahlgarten.desktop
desktop-file-validate "$desktop" && appstreamcli validate --no-net --pedantic \
    /usr/share/metainfo/de.zahlgarten.Zahlgarten.metainfo.xml >/dev/null || fail "desktop entry or metainfo"

# A player (nobody's ids, a home of its own) starts the desktop entry's command in a folder
# of its own; the game must show its start screen and save into the per-user game folder.
mkdir -p "$work/home" "$work/run" && chown 65534:65534 "$work/home" "$work/run" && chmod 700 "$work/run"
exec 3< <(Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>&1 2>/dev/null & echo $! >"$work/xvfb")
read -r -t 10 display <&3 || fail "Xvfb did not start"
xvfb_pid=$(cat "$work/xvfb") && export DISPLAY=":$display"
command=$(sed -n 's/^Exec=//p' "$desktop")
cd "$work/home"
setpriv --reuid=65534 --regid=65534 --clear-groups env -i HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
    DISPLAY="$DISPLAY" PATH=/usr/bin:/bin:/usr/games sh -c "exec $command" >/dev/null 2>"$work/game.err" & pid=$!
folder=$work/home/.local/share/zahlgarten
shown() { window=$(xdotool search --name '^Zahlgarten V5' 2>/dev/null | head -1) && [ -n "$window" ]; }
await shown || fail "no game window"
props=$(xprop -id "$window" _NET_WM_NAME WM_CLASS _NET_WM_ICON)
grep -qx '_NET_WM_NAME(UTF8_STRING) = "Zahlgarten V5.0 by Velto"' <<<"$props" &&
    grep -qx 'WM_CLASS(STRING) = "zahlgarten", "zahlgarten"' <<<"$props" &&
    grep -q '^_NET_WM_ICON(CARDINAL)' <<<"$props" || fail "title, window class or icon: $props"
ls /usr/share/games/zahlgarten/{übersicht,erklärung}.htm >/dev/null || fail "no help pages"
[ "$(readlink "/proc/$pid/cwd")" = "$folder" ] || fail "the game does not run in $folder"
# The client area, below the menu bar, is the start screen's image; the clock is a label of
# its own, drawn by the toolkit in the X server's fonts, and left out.
sleep 1 && import -window "$window" "$work/shot.png"
clock=(-fill black -draw 'rectangle 685,313 866,360')
convert "$work/shot.png" -gravity south -crop 890x495+0+0 +repage "${clock[@]}" "$work/client.png"
convert "$reference" "${clock[@]}" "$work/reference.png"
compare -metric AE "$work/client.png" "$work/reference.png" null: 2>"$work/diff" ||
    fail "no start screen: $(cat "$work/diff") pixels differ"
# "Neues Spiel" takes its puzzle from the installed collections; "S" saves it.
xdotool windowfocus --sync "$window" key alt+z sleep 1 key n sleep 2 key s
await xdotool search --name '^Sichern unter' >/dev/null || fail "no slot dialog"
xdotool key Return
await test -s "$folder/brett.zgb" || fail "no brett.zgb saved in $folder"
[ "$(stat -c %u "$folder/brett.zgb")" = 65534 ] || fail "brett.zgb not the player's"
/usr/games/zgtool show "$folder/brett.zgb" | grep -q '^record 0: 1[4-6] givens' || fail "no puzzle of the collections saved"
kill "$pid" && wait "$pid" 2>/dev/null || true

apt purge zahlgarten && installed=
ours | diff "$work/before" - || fail "the files above remain"
[ -s "$folder/brett.zgb" ] || fail "the player's board went with the package"
echo "installed, started from the desktop entry, saved a board and purged: only the player's files remain"

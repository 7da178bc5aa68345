#!/usr/bin/env bash
# The program under a real window manager (openbox on Xvfb): the album view takes the window
# manager's full-screen state, a message box that the album view shows is its transient and
# stands above it with the keyboard, and a later start brings the running copy to the front.
# usage: window_manager_test.sh PROGRAM
set -euo pipefail
program=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in Xvfb openbox xdotool xprop xmessage; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done

work=$(mktemp -d)
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# Waits (bounded) until the command succeeds.
wait_for() {
    local what=$1
    shift
    for _ in $(seq 1 300); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "timed out waiting for $what"
}

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for "Xvfb" test -s "$work/display"
export DISPLAY=":$(head -n1 "$work/display")"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_for "openbox" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'

export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/home/.config" \
    XDG_DATA_HOME="$work/home/.local/share" QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# An album one of whose pictures has gone: showing it, the album view rewrites the file and says so
# in a message box.
folder=$(dirname "$program")
mkdir -p "$work/pictures"
cp "$folder"/Albums/Sample/*.jpg "$work/pictures/"
rm "$work/pictures/Sunset.jpg"
sed "s#^.*/Albums/Sample/#$work/pictures/#" "$folder/Albums/Sample.kpa" >"$work/trip.kpa"

"$program" --no-splash "$work/trip.kpa" >"$work/program.log" 2>&1 &
pids+=($!)
box_id() { xdotool search --onlyvisible --name '^Information$' | head -n1; }
wait_for "the album view's message box" sh -c "xdotool search --onlyvisible --name '^Information$'"
box=$(box_id)

state_of() { xprop -id "$1" _NET_WM_STATE; }
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g'; }
view=""
for w in $(stacking); do
    state_of "$w" | grep -q _NET_WM_STATE_FULLSCREEN && view=$w
done
[ -n "$view" ] || fail "no window has _NET_WM_STATE_FULLSCREEN: $(for w in $(stacking); do xprop -id "$w" WM_NAME _NET_WM_STATE; done)"
[ "$(xprop -id "$view" WM_NAME | sed 's/.*= //')" = '"The Krel - Digital album"' ] ||
    fail "the full-screen window is not the album view"

dec() { printf '%d' "$1"; }
transient=$(xprop -id "$box" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p')
[ -n "$transient" ] && [ "$(dec "$transient")" = "$(dec "$view")" ] ||
    fail "the message box is not owned by the album view (WM_TRANSIENT_FOR: ${transient:-none})"
position() {
    local i=0
    for w in $(stacking); do
        [ "$(dec "$w")" = "$(dec "$1")" ] && echo $i
        i=$((i + 1))
    done
}
[ "$(position "$box")" -gt "$(position "$view")" ] ||
    fail "the message box is stacked under the album view: $(stacking)"
active() { xprop -root _NET_ACTIVE_WINDOW | sed -n 's/.*window id # //p'; }
wait_for "the message box to take the keyboard" sh -c "[ \$(printf '%d' \$(xprop -root _NET_ACTIVE_WINDOW | sed -n 's/.*window id # //p')) = $(dec "$box") ]"
xdotool key Return
wait_for "the message box to close on Return" sh -c "! xdotool search --onlyvisible --name '^Information\$'"
echo "album view full screen, its message box above it with the keyboard"

# Another program's window comes over the album view; a later start of the program ends at once
# and brings the running copy's album view back to the front.
xmessage -name other "another program" &
pids+=($!)
wait_for "another window" sh -c "xdotool search --onlyvisible --classname '^other\$'"
other=$(xdotool search --onlyvisible --classname '^other$' | head -n1)
xdotool windowactivate --sync "$other" 2>/dev/null || true
wait_for "the other window on top" sh -c "xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g' | awk '{print \$NF}' | xargs printf '%d' | grep -qx $(dec "$other")"
timeout 30 "$program" --no-splash "$work/trip.kpa" >"$work/second.log" 2>&1 ||
    fail "the later start did not end at once with 0"
wait_for "the album view back on top" sh -c "xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g' | awk '{print \$NF}' | xargs printf '%d' | grep -qx $(dec "$view")"
echo "a later start brought the album view to the front"
echo "window manager test passed"

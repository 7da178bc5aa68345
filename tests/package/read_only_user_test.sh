#!/usr/bin/env bash
# The program from the unpacked package, its folder made read-only, started by an ordinary user on
# an X server (Xvfb): the first start gives the user a settings folder of the installed Res.ini and
# Themes.ini; the preferences window, driven with xdotool, applies slideshow settings and installs
# a theme kept in the user's data folder; both survive a restart, the theme is removed again, and
# the installed folder stays as it was.
# usage: read_only_user_test.sh PACKAGE_DIR (where package_test.sh left krel-album_*.deb)
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
debs=("$1"/krel-album_*.deb)
[ -f "${debs[0]}" ] || fail "no package in $1 (package_BuiltAndInspected makes it)"
for tool in dpkg-deb runuser Xvfb xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done

work=$(mktemp -d)
pid=""
xvfb=""
# Stops a process this script started: asked first, killed when it has not ended within 5 s.
end_process() {
    kill "$1" 2>/dev/null || return 0
    for _ in $(seq 1 50); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}
cleanup() {
    [ -n "$pid" ] && end_process "$pid"
    # runuser may have ended before the program it started: the program is this test's own copy.
    pkill -KILL -f "$work/root/usr/lib/krel-album/krel-album" 2>/dev/null || true
    [ -n "$xvfb" ] && end_process "$xvfb"
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
dpkg-deb -x "${debs[0]}" "$work/root"
folder="$work/root/usr/lib/krel-album"
chmod -R a-w "$work/root"

# Root writes every folder: the program runs as an ordinary user, made when there is none.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    user=krel-test
    id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user" ||
        fail "cannot create the user $user"
    as_user=(runuser -u "$user" --)
fi
# Waits (bounded) until the command succeeds.
wait_for() {
    local what=$1
    shift
    for _ in $(seq 1 300); do
        "$@" >/dev/null 2>&1 && return 0
        [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null || { cat "$work/program.log" >&2; fail "the program ended"; }
        sleep 0.1
    done
    cat "$work/program.log" >&2
    fail "timed out waiting for $what"
}

# An X server the other user may reach (-ac): only this test's programs run on it.
Xvfb -displayfd 3 -ac -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
wait_for "Xvfb" test -s "$work/display"
export DISPLAY=":$(head -n1 "$work/display")"

home="$work/home"
mkdir -p "$home"
[ "$(id -u)" -eq 0 ] && chown "$user" "$home"
env_of_user=(env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
    XDG_RUNTIME_DIR= TMPDIR="$home" DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy)
installed_sum=$(cd "$folder" && find . -type f -exec md5sum {} + | sort | md5sum)

start() {
    "${as_user[@]}" "${env_of_user[@]}" "$folder/krel-album" --no-splash >"$work/program.log" 2>&1 &
    pid=$!
    for _ in $(seq 1 300); do
        [ -s "$home/.config/krel-album/Themes.ini" ] && [ -e "$home/krel-album-"*"/UnikumString0.1" ] && return 0
        kill -0 "$pid" 2>/dev/null || { cat "$work/program.log" >&2; fail "the program ended at its start"; }
        sleep 0.1
    done
    fail "the program made no settings folder in the user's config folder"
}
stop() { end_process "$pid"; pid=""; }

start
own="$home/.config/krel-album"
data="$home/.local/share/krel-album"
cmp -s "$own/Res.ini" "$folder/Res.ini" || fail "Res.ini was not seeded from the installed one"
cmp -s "$own/Themes.ini" "$folder/Themes.ini" || fail "Themes.ini was not seeded from the installed one"
[ -d "$data/Themes" ] || fail "no themes folder in the user's data folder"

# A theme of the user's own, named as installed themes are: its pictures are found in the data folder.
"${as_user[@]}" sh -c "mkdir -p '$data/Themes/Mine' && cp '$folder'/Themes/Classic/*.jpg '$data/Themes/Mine/' &&
    printf 'Mine\r\nThemes\\Mine\\Right.jpg\r\nThemes\\Mine\\Left.jpg\r\nThemes\\Mine\\Cover.jpg\r\nThemes\\Mine\\Back.jpg\r\nThemes\\Mine\\Preview.jpg\r\n' > '$data/Themes/Mine/Theme.ini'" ||
    fail "the user cannot write the data folder"
themes_before=$(sed -n 1p "$own/Res.ini" | tr -d '\r')

window() { xdotool search --onlyvisible --name "$1" | head -n1; }
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }
# The preferences window, opened from the start window with its key.
open_preferences() {
    wait_for "the start window" sh -c "xdotool search --onlyvisible --name '^The Krel'"
    xdotool windowfocus --sync "$(window '^The Krel')" key ctrl+p
    wait_for "the preferences window" sh -c "xdotool search --onlyvisible --name '^Preferences'"
    prefs=$(window '^Preferences')
}
# Browse (a Qt file dialog: the path typed into its name field) fills the theme field.
choose_theme_file() {
    click "$prefs" 313 60
    wait_for "the file dialog" sh -c "xdotool search --onlyvisible --name '^Open' | grep -q ."
    sleep 0.5
    xdotool key ctrl+a type --delay 10 "$data/Themes/Mine/Theme.ini"
    xdotool key Return
    wait_for "the file dialog to close" sh -c "! xdotool search --onlyvisible --name '^Open' | grep -q ."
}

open_preferences
click "$prefs" 40 146          # Backward
xdotool mousemove --window "$prefs" 48 222 click --repeat 2 1 key ctrl+a type 9
click "$prefs" 146 281         # Apply
wait_for "the slideshow settings" sh -c "[ \"\$(sed -n 2,3p '$own/Res.ini' | tr -d '\r' | tr '\n' ' ')\" = '1 9 ' ]"
choose_theme_file
click "$prefs" 383 60          # Add: the window closes on a theme installed
wait_for "the theme in the user's catalogue" grep -q '^Mine' "$own/Themes.ini"
[ "$(sed -n 1p "$own/Res.ini" | tr -d '\r')" = $((themes_before + 1)) ] || fail "the theme count did not rise"
stop

start
[ "$(sed -n 2,3p "$own/Res.ini" | tr -d '\r' | tr '\n' ' ')" = '1 9 ' ] || fail "the restart lost the slideshow settings"
grep -q '^Mine' "$own/Themes.ini" || fail "the restart lost the installed theme"
open_preferences
choose_theme_file
click "$prefs" 450 60          # Remove
wait_for "the theme out of the catalogue" sh -c "! grep -q '^Mine' '$own/Themes.ini'"
[ "$(sed -n 1p "$own/Res.ini" | tr -d '\r')" = "$themes_before" ] || fail "the theme count did not fall back"
stop
[ "$installed_sum" = "$(cd "$folder" && find . -type f -exec md5sum {} + | sort | md5sum)" ] ||
    fail "the installed folder changed"
echo "read-only program folder: preferences and a user's theme kept in the user's folders across starts"

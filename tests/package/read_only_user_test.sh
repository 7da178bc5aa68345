#!/usr/bin/env bash
# The program from the unpacked package, its folder made read-only, started by an ordinary user:
# the first start gives the user a settings folder of the installed Res.ini and Themes.ini, the
# user's changes to them survive a restart, and the installed folder stays as it was.
# usage: read_only_user_test.sh PACKAGE_DIR (where package_test.sh left krel-album_*.deb)
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
debs=("$1"/krel-album_*.deb)
[ -f "${debs[0]}" ] || fail "no package in $1 (package_BuiltAndInspected makes it)"
for tool in dpkg-deb runuser; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done

work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
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
home="$work/home"
mkdir -p "$home"
[ "$(id -u)" -eq 0 ] && chown "$user" "$home"
env_of_user=(env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
    XDG_RUNTIME_DIR= TMPDIR="$home" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy)
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
stop() { kill "$pid"; wait "$pid" 2>/dev/null || true; pid=""; }

start
own="$home/.config/krel-album"
cmp -s "$own/Res.ini" "$folder/Res.ini" || fail "Res.ini was not seeded from the installed one"
cmp -s "$own/Themes.ini" "$folder/Themes.ini" || fail "Themes.ini was not seeded from the installed one"
stop
# The user's changed settings (as the preferences window writes them) are kept by the next start.
"${as_user[@]}" sh -c "printf '4\r\n1\r\n9\r\n-\r\n1205x1795 - 10x15\r\n' > '$own/Res.ini'" ||
    fail "the user cannot write the settings folder"
start
[ "$(sed -n 3p "$own/Res.ini" | tr -d '\r')" = 9 ] || fail "the restart replaced the user's Res.ini"
stop
[ "$installed_sum" = "$(cd "$folder" && find . -type f -exec md5sum {} + | sort | md5sum)" ] ||
    fail "the installed folder changed"
echo "read-only program folder: settings seeded into the user's folder and kept across starts"

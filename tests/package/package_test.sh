#!/usr/bin/env bash
# Builds the Debian package from the build tree and inspects it: its contents, the desktop file,
# the AppStream data, the computed dependencies and lintian's verdict.
# usage: package_test.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$1
out=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack dpkg-deb desktop-file-validate appstreamcli lintian; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done

rm -rf "$out"
mkdir -p "$out"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log" >&2; fail "cpack could not build the package"; }
debs=("$out"/krel-album_*.deb)
[ -f "${debs[0]}" ] || fail "no krel-album_*.deb in $out"
deb=${debs[0]}
echo "package: $deb"

contents=$(dpkg-deb -c "$deb")
want=(
    ./usr/lib/krel-album/krel-album
    ./usr/lib/krel-album/Res.ini
    ./usr/lib/krel-album/Themes.ini
    ./usr/lib/krel-album/GraphicRes/Main/Main.ini
    ./usr/lib/krel-album/GraphicRes/Wizard/Wizard.ini
    ./usr/lib/krel-album/GraphicRes/Splash.bmp
    ./usr/lib/krel-album/WavRes/1.wav
    ./usr/lib/krel-album/WavRes/2.wav
    "./usr/lib/krel-album/Help/Special thnx.htm"
    ./usr/lib/krel-album/Help/Help.html
    ./usr/lib/krel-album/Themes/Classic/Theme.ini
    ./usr/lib/krel-album/Albums/Sample.kpa
    ./usr/share/applications/krel-album.desktop
    ./usr/share/mime/packages/krel-album-kpa.xml
    ./usr/share/metainfo/org.krel.album.metainfo.xml
    ./usr/share/doc/krel-album/copyright
    ./usr/share/doc/krel-album/changelog.gz
    ./usr/share/man/man1/krel-album.1.gz
)
for size in 16 24 32 48 64 128 256; do
    want+=("./usr/share/icons/hicolor/${size}x${size}/apps/krel-album.png")
done
for path in "${want[@]}"; do
    grep -qF " $path" <<<"$contents" || fail "the package lacks $path"
done
grep -qE '^lrwxrwxrwx .* \./usr/bin/krel-album -> \.\./lib/krel-album/krel-album$' <<<"$contents" ||
    fail "/usr/bin/krel-album is not a link to ../lib/krel-album/krel-album"
# Nothing that a copy run from the build tree writes beside itself is shipped.
! grep -qE 'Themes1\.ini|\.kpa\.|/tests?/' <<<"$contents" || fail "the package holds files of a run"

root="$out/root"
dpkg-deb -x "$deb" "$root"
# Icons of the size their folder names.
for size in 16 24 32 48 64 128 256; do
    file "$root/usr/share/icons/hicolor/${size}x${size}/apps/krel-album.png" |
        grep -q "PNG image data, $size x $size" || fail "the ${size}x${size} icon has another size"
done
desktop-file-validate "$root/usr/share/applications/krel-album.desktop" ||
    fail "desktop-file-validate rejects the desktop file"
grep -qx 'Exec=krel-album %f' "$root/usr/share/applications/krel-album.desktop" ||
    fail "the desktop file does not start krel-album with the album"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.krel.album.metainfo.xml" ||
    fail "appstreamcli rejects the metainfo"
# The sample album names its pictures where the package installs them.
grep -q $'^/usr/lib/krel-album/Albums/Sample/Sunset.jpg\r$' "$root/usr/lib/krel-album/Albums/Sample.kpa" ||
    fail "the sample album does not name its installed pictures"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6printsupport6 libqt6network6 libturbojpeg0 libsdl2 libglib2.0-0 qt6-qpa-plugins fonts-liberation libc6; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib"
done

lintian --tag-display-limit 0 "$deb" >"$out/lintian.log" 2>&1 || true
cat "$out/lintian.log"
! grep -q '^E: ' "$out/lintian.log" || fail "lintian reports errors"
echo "package inspected: no errors"

#!/bin/sh
# Builds the Debian package, checks it with lintian, installs it into a
# scratch root with dpkg, and checks that its files are where a desktop looks
# for them, that the desktop entry and the AppStream file validate, and what
# the package depends on.
set -eu
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cd "$build"
cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; fail "cpack"; }
deb=$(ls "$scratch"/out/ventaro_*.deb)
echo "PASS: built $(basename "$deb")"
cpack -G DEB -B "$scratch/again" >/dev/null 2>&1 || fail "cpack, again"
cmp "$deb" "$scratch"/again/ventaro_*.deb || fail "two packages of the same build differ"
echo "PASS: a second package of the same build is byte for byte the same"

# Any error or warning fails; infos (such as a fortify check that finds no
# fortifiable call) are shown only.
TMPDIR="$scratch" lintian --pedantic --display-info "$deb" >"$scratch/lintian.log" 2>&1 || true
cat "$scratch/lintian.log"
! grep -qE '^[EW]: ' "$scratch/lintian.log" || fail "lintian has errors or warnings"
echo "PASS: lintian --pedantic: no error, no warning"

depends=$(dpkg-deb -f "$deb" Depends)
for need in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 fonts-ipafont-gothic; do
    printf '%s' "$depends" | grep -q "$need" || fail "Depends lacks $need: $depends"
done
echo "PASS: Depends: $depends"
recommends=$(dpkg-deb -f "$deb" Recommends)
[ "$recommends" = "xdg-utils, qt6-wayland" ] || fail "Recommends is '$recommends'"
echo "PASS: Recommends: $recommends"

root=$scratch/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-script-chrootless --log=/dev/null -i "$deb" \
    >"$scratch/dpkg.log" 2>&1 || { cat "$scratch/dpkg.log"; fail "dpkg -i into the scratch root"; }
dpkg --root="$root" -s ventaro | grep -q '^Status: install ok installed' || fail "not installed"
echo "PASS: installs into a scratch root"

for file in usr/bin/ventaro usr/libexec/ventaro/ventaro-relay usr/libexec/ventaro/ventaro-history.so \
    usr/share/applications/io.github.ventaro.Ventaro.desktop \
    usr/share/metainfo/io.github.ventaro.Ventaro.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/ventaro.svg \
    usr/share/man/man1/ventaro.1.gz usr/share/man/ja/man1/ventaro.1.gz \
    usr/share/ventaro/translations/ventaro_ja.qm \
    usr/share/doc/ventaro/copyright \
    usr/share/doc/ventaro/changelog.gz; do
    [ -f "$root/$file" ] || fail "missing /$file"
done
for size in 16 22 24 32 48 64 128 256; do
    [ -f "$root/usr/share/icons/hicolor/${size}x${size}/apps/ventaro.png" ] || fail "missing ${size}x${size} icon"
done
[ -x "$root/usr/bin/ventaro" ] || fail "/usr/bin/ventaro is not executable"
for program in usr/bin/ventaro usr/libexec/ventaro/ventaro-relay; do
    [ -x "$root/$program" ] || fail "/$program is not executable"
    ! readelf -d "$root/$program" | grep -q -E 'RUNPATH|RPATH' || fail "/$program has a run path"
done
echo "PASS: binary, desktop entry, metainfo, icons, manual pages, translations, copyright and changelog in place"
LANG=ja_JP.UTF-8 LC_ALL='' LANGUAGE='' "$root/usr/bin/ventaro" --help 2>/dev/null | grep -q 'このヘルプを表示します。' \
    || fail "the installed program does not find its Japanese words"
echo "PASS: the installed program speaks Japanese under a Japanese locale"

desktop-file-validate "$root/usr/share/applications/io.github.ventaro.Ventaro.desktop" || fail "desktop entry"
appstreamcli validate --pedantic --no-net "$root/usr/share/metainfo/io.github.ventaro.Ventaro.metainfo.xml" \
    >"$scratch/appstream.log" 2>&1 || { cat "$scratch/appstream.log"; fail "metainfo"; }
cat "$scratch/appstream.log"
# The reverse-DNS id keeps its capital (a pedantic note only).
! grep -qE '^[EWI]: ' "$scratch/appstream.log" || fail "metainfo has errors, warnings or infos"
echo "PASS: desktop entry and metainfo validate"

dpkg --root="$root" --force-script-chrootless --log=/dev/null -r ventaro >/dev/null 2>&1 || fail "dpkg -r"
[ ! -e "$root/usr/bin/ventaro" ] || fail "/usr/bin/ventaro left after removal"
echo "PASS: removes cleanly"

#!/usr/bin/env bash
# `cmake --install` into a staging folder gives exactly the installed tree, and the installed
# programs find their data there and keep their settings in the user's configuration folder.
# usage: install-tree-test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage=$work/stage

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null

expected=$work/expected
{
    printf 'usr/bin/%s\n' tillora tillora-cli tillora-ecr-sim
    for logo in "$source"/src/res/EcrLogo/*.bmp; do
        echo "usr/share/tillora/EcrLogo/${logo##*/}"
    done
    (cd "$source/docs/guide" && find . -type f) | sed 's|^\./|usr/share/doc/tillora/|'
    echo usr/share/applications/org.tillora.Tillora.desktop
    echo usr/share/metainfo/org.tillora.Tillora.metainfo.xml
    for size in 16 32 48 64 128 256; do
        echo "usr/share/icons/hicolor/${size}x${size}/apps/tillora.png"
    done
    echo usr/share/icons/hicolor/scalable/apps/tillora.svg
} | sort >"$expected"
(cd "$stage" && find . -type f -o -type l) | sed 's|^\./||' | sort >"$work/actual"
diff -u "$expected" "$work/actual" || fail "the installed tree differs (- expected, + installed)"

for program in tillora tillora-cli tillora-ecr-sim; do
    [ -x "$stage/usr/bin/$program" ] || fail "usr/bin/$program is not executable"
done
[ -s "$stage/usr/share/doc/tillora/index.html" ] || fail "the guide has no index.html"
for size in 16 32 48 64 128 256; do
    # A PNG file's width: four bytes, most significant first, at offset 16.
    read -r a b c d < <(od -An -tu1 -j16 -N4 "$stage/usr/share/icons/hicolor/${size}x${size}/apps/tillora.png")
    [ $(((a << 24) | (b << 16) | (c << 8) | d)) -eq "$size" ] || fail "the ${size}x${size} icon is not of that size"
done
grep -qx 'Exec=tillora %f' "$stage/usr/share/applications/org.tillora.Tillora.desktop" ||
    fail "the launcher does not start the installed program"
grep -q "<release version=\"$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")\"" \
    "$stage/usr/share/metainfo/org.tillora.Tillora.metainfo.xml" || fail "the metainfo's release is not the project's version"

# Every page, picture and style sheet a guide page links to is in the guide.
for page in "$stage"/usr/share/doc/tillora/*.html; do
    grep -o -E '(href|src)="[^"#:]+' "$page" | sed -E 's/^(href|src)="//' | while read -r link; do
        [ -e "$(dirname "$page")/$link" ] || fail "${page##*/} links to $link, which is missing"
    done
done

# The installed programs: settings in the user's folder, though root could write beside them.
config=$work/config
run() { env -u TILLORA_INI HOME="$work" XDG_CONFIG_HOME="$config" "$@"; }
run "$stage/usr/bin/tillora-cli" config --model 5 --com 2 --serial 4711 >/dev/null
ini=$config/tillora/tillora.ini
[ -f "$ini" ] || fail "the settings are not in the user's configuration folder"
grep -qi '^EcrType=5' "$ini" || fail "the settings file does not hold the model"
[ -z "$(find "$stage/usr/bin" -name '*.ini')" ] || fail "a settings file was written beside the programs"

# The model's default logo comes from the data folder.
logo=$(run "$stage/usr/bin/tillora-cli" --demo --yes logo --default) || fail "logo --default failed"
grep -qF "$stage/usr/share/tillora/EcrLogo/Vexo2MZB.bmp" <<<"$logo" ||
    fail "logo --default did not take the installed picture: $logo"

run QT_QPA_PLATFORM=offscreen "$stage/usr/bin/tillora" --help >/dev/null || fail "tillora --help failed"
echo "installed tree and installed programs as expected"

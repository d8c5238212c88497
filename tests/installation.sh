#!/usr/bin/env bash
# Installs the build into a scratch folder and checks what a desktop needs:
# every file in place, the menu entry and the metadata valid (where the
# validators are installed), and the manual page listing every option that
# the commands' help texts name.
set -u
build="$1"
fehler=0
scheitern() { echo "FAIL: $*"; fehler=1; }
ziel="$(mktemp -d)"
trap 'rm -rf "$ziel"' EXIT
DESTDIR="$ziel" cmake --install "$build" --prefix /usr >/dev/null || scheitern "cmake --install"
wurzel="$ziel/usr"
id=io.github.tarvello.Tarvello
for f in bin/tarvello share/applications/$id.desktop share/mime/packages/$id.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/metainfo/$id.metainfo.xml \
    share/man/man1/tarvello.1.gz share/doc/tarvello/copyright \
    share/doc/tarvello/changelog.gz share/bash-completion/completions/tarvello share/tarvello/docs/anleitung_de.html share/tarvello/docs/anleitung_en.html; do
    [ -s "$wurzel/$f" ] || scheitern "missing $f"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$wurzel/share/applications/$id.desktop" || scheitern "desktop entry"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$wurzel/share/metainfo/$id.metainfo.xml" >/dev/null ||
        scheitern "metainfo"
fi
# Each file kind the entry announces is defined with its pattern.
for art in map:qls settings:qle palette:qlf; do
    typ="application/x-tarvello-${art%%:*}"
    grep -q "MimeType=.*$typ;" "$wurzel/share/applications/$id.desktop" || scheitern "entry lacks $typ"
    grep -q "type=\"$typ\"" "$wurzel/share/mime/packages/$id.xml" || scheitern "no MIME type $typ"
    grep -q "pattern=\"\*\.${art##*:}\"" "$wurzel/share/mime/packages/$id.xml" || scheitern "no *.${art##*:}"
done
# The licence is named the same way wherever it is stated.
grep -q "^License: GPL-3.0-or-later" "$wurzel/share/doc/tarvello/copyright" || scheitern "copyright"
grep -q "<project_license>GPL-3.0-or-later<" "$wurzel/share/metainfo/$id.metainfo.xml" ||
    scheitern "metainfo licence"
gzip -t "$wurzel/share/doc/tarvello/changelog.gz" || scheitern "changelog not gzip"
# The window names the menu entry it belongs to.
grep -q "^StartupWMClass=$id$" "$wurzel/share/applications/$id.desktop" || scheitern "StartupWMClass"
# Neither the source nor the build folder is written into the program.
for ordner in "$(cd "$(dirname "$0")/.." && pwd)" "$(cd "$build" && pwd)"; do
    grep -qF "$ordner" "$wurzel/bin/tarvello" && scheitern "the program names $ordner"
done
# The manual page and the help texts name the same options.
bin="$wurzel/bin/tarvello"
seite="$ziel/tarvello.1"
gzip -dc "$wurzel/share/man/man1/tarvello.1.gz" >"$seite" || scheitern "man page not gzip"
for befehl in generate render params name palette; do
    for opt in $(LC_ALL=C "$bin" "$befehl" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
        grep -q -- "${opt//-/\\\\-}" "$seite" || scheitern "man page lacks $befehl $opt"
    done
done
exit $fehler

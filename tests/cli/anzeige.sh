#!/usr/bin/env bash
# The window without a display (over ssh, in a container): one line in the
# user's language naming the commands that need none, and exit 1, not Qt's
# abort.
set -u
bin=$(realpath "$1")
fehler=0
scheitern() { echo "FAIL: $*"; fehler=1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_CONFIG_HOME="$tmp/config"
ohne() { env -u DISPLAY -u WAYLAND_DISPLAY "$@"; }
for plattform in xcb ""; do
    for sprache in C.UTF-8:"no display found" de_DE.UTF-8:"keine Anzeige gefunden"; do
        QT_QPA_PLATFORM=$plattform LANG=${sprache%%:*} ohne "$bin" >"$tmp/aus" 2>"$tmp/err"
        rc=$?
        [ $rc = 1 ] || scheitern "[$plattform ${sprache%%:*}] exit $rc"
        [ "$(wc -l <"$tmp/err")" = 1 ] || scheitern "[$plattform] stderr: $(cat "$tmp/err")"
        grep -q "^tarvello: ${sprache#*:}.*'tarvello generate'.*'tarvello render'" "$tmp/err" ||
            scheitern "[$plattform ${sprache%%:*}] says: $(cat "$tmp/err")"
        [ -s "$tmp/aus" ] && scheitern "[$plattform] stdout: $(cat "$tmp/aus")"
    done
done
# A file to open changes nothing; the commands still work.
QT_QPA_PLATFORM=xcb LANG=C.UTF-8 ohne "$bin" "$tmp/stadt.qls" 2>/dev/null
[ $? = 1 ] || scheitern "a file argument without a display"
QT_QPA_PLATFORM= LANG=C.UTF-8 ohne "$bin" generate --preset 0 --seed 1 --quiet \
    --png "$tmp/k.png" --pixels 100 || scheitern "generate without a display"
exit $fehler

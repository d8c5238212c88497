#!/usr/bin/env bash
# Outputs that cannot be finished. Every kind of file that generate, render
# and palette write, onto a real small file system that is full or nearly
# full: exit 1, one line naming the file and the system's reason, the old
# file unchanged and nothing left beside it. And Ctrl-C while a PDF
# is drawn or finished: exit 3 and no file, or, when the signal came too
# late, exit 0 and the whole file.
set -u
bin=$(realpath "$1")
# Mounting needs a mount namespace of our own (and, for an ordinary user, a
# user namespace): the script runs itself again inside one when it can.
if [ -z "${TARVELLO_NAMENSRAUM:-}" ]; then
    for aufruf in "unshare -rm" "unshare -m"; do
        if $aufruf true 2>/dev/null; then
            TARVELLO_NAMENSRAUM=1 exec $aufruf bash "$0" "$@"
        fi
    done
fi
fehler=0
scheitern() { echo "FAIL: $*"; fehler=1; }

tmp=$(mktemp -d)
trap 'umount "$tmp/voll" 2>/dev/null; rm -rf "$tmp"' EXIT
export XDG_CONFIG_HOME="$tmp/config"
export XDG_RUNTIME_DIR="$tmp/laufzeit"
mkdir -m 700 "$XDG_RUNTIME_DIR"

klein="--preset 0 --seed 1 --quiet"
"$bin" generate $klein -o "$tmp/alt.qls" || scheitern "generate"

# --- a full file system -------------------------------------------------------

voll="$tmp/voll"
mkdir "$voll"
bestand() { (cd "$voll" && find . -type f -exec md5sum {} + | sort); }

# Runs the command, which writes $1 on the full file system, and expects
# exit 1, one line naming the file and the reason, and the folder as it was
# (for a BMP exit 2, refused before the run for want of space).
erwarte_voll() {
    local datei="$1" davor err ist code=1 grund="No space left on device"
    shift
    case "$datei" in *.bmp) grund="free on the target drive" ;; esac
    davor=$(bestand)
    err=$("$bin" "$@" 2>&1 >/dev/null)
    ist=$?
    echo "$stand: $* -> exit $ist: $err"
    [ "$ist" = "$code" ] || scheitern "$*: exit $ist, wanted $code ($err)"
    [ "$(wc -l <<<"$err")" = 1 ] || scheitern "$*: message not one line: $err"
    grep -qF -- "$datei" <<<"$err" || scheitern "$*: message lacks the file: $err"
    grep -qF -- "$grund" <<<"$err" || scheitern "$*: message lacks the reason: $err"
    [ "$(bestand)" = "$davor" ] || scheitern "$*: the folder changed: $(bestand)"
}

if mount -t tmpfs -o size=64k tarvello "$voll" 2>/dev/null; then
    for f in qls qle qlf png bmp svg pdf geojson; do printf 'alt\r\n' >"$voll/alt.$f"; done
    dd if=/dev/zero of="$voll/fueller" bs=4096 2>/dev/null
    for stand in full nearly-full; do
        # A nearly full disk takes the first part of a file and refuses the
        # rest (the map is 15 KB, the others larger); the small settings and
        # palette files fit into 8 KB and are tried on the full disk only.
        if [ "$stand" = full ]; then
            erwarte_voll "$voll/alt.qle" generate $klein --save-settings "$voll/alt.qle"
            erwarte_voll "$voll/alt.qlf" palette --save "$voll/alt.qlf"
        fi
        erwarte_voll "$voll/alt.qls" generate $klein -o "$voll/alt.qls"
        erwarte_voll "$voll/alt.qls" render "$tmp/alt.qls" -o "$voll/alt.qls"
        for f in png svg pdf geojson; do
            erwarte_voll "$voll/alt.$f" generate $klein --"$f" "$voll/alt.$f"
            erwarte_voll "$voll/alt.$f" render "$tmp/alt.qls" --"$f" "$voll/alt.$f"
        done
        # A BMP's size is known before the run: it is refused then, as a
        # write fault like the others (exit 1).
        for befehl in "generate $klein" "render $tmp/alt.qls"; do
            erwarte_voll "$voll/alt.bmp" $befehl --bmp "$voll/alt.bmp"
        done
        truncate -s -8K "$voll/fueller"
    done
else
    echo "skipped: a tmpfs cannot be mounted here (no root, no user namespace)"
fi

# --- Ctrl-C while a PDF is drawn or finished ---------------------------------

# The signal is sent once the program has opened its temporary file (the
# pages are being drawn) and once that file holds its first bytes (the
# document is being written out). Each run either stops (exit 3, nothing
# written, no temporary file) or was done before the signal (exit 0, the
# whole file).
# The large town the test runner made for the suites, or one of our own.
gross="${TARVELLO_GROSSE_KARTE:-}"
if [ ! -s "$gross" ]; then
    gross="$tmp/gross.qls"
    "$bin" generate --preset 13 --seed 1 --quiet -o "$gross" || scheitern "generate preset 13"
fi
pdf="--pdf $tmp/sig/karte.pdf --quiet"
mkdir "$tmp/sig"
"$bin" render "$gross" $pdf || scheitern "render of the PDF"
ganz=$(stat -c %s "$tmp/sig/karte.pdf")
abgebrochen=0
fertig=0
for wann in geoeffnet beschrieben; do
    rm -rf "$tmp/sig"
    mkdir "$tmp/sig"
    "$bin" render "$gross" $pdf &
    pid=$!
    # Until then, or until the program has ended (its file is there then).
    while kill -0 "$pid" 2>/dev/null; do
        if [ "$wann" = geoeffnet ]; then
            compgen -G "$tmp/sig/*" >/dev/null && break
        else
            for f in "$tmp"/sig/*; do [ -s "$f" ] && break 2; done
        fi
        sleep 0.01
    done
    kill -INT "$pid" 2>/dev/null
    wait "$pid"
    ist=$?
    inhalt=$(ls -A "$tmp/sig")
    if [ "$ist" = 3 ]; then
        abgebrochen=$((abgebrochen + 1))
        [ -z "$inhalt" ] || scheitern "SIGINT when $wann: exit 3 but left $inhalt"
    elif [ "$ist" = 0 ]; then
        fertig=$((fertig + 1))
        [ "$inhalt" = karte.pdf ] && [ "$(stat -c %s "$tmp/sig/karte.pdf")" = "$ganz" ] &&
            tail -c 8 "$tmp/sig/karte.pdf" | grep -q '%%EOF' ||
            scheitern "SIGINT when $wann: exit 0 without the whole PDF ($inhalt)"
    else
        scheitern "SIGINT when $wann: exit $ist"
    fi
done
echo "SIGINT during a PDF: $abgebrochen aborted (exit 3, no file), $fertig finished first"
[ "$abgebrochen" -ge 1 ] || scheitern "no run was aborted by SIGINT"

exit $fehler

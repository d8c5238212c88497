#!/usr/bin/env bash
# Signals: Ctrl-C ends the wait on a pipe nobody reads; SIGTERM and SIGHUP
# during the drawing end the program like Ctrl-C (exit 3) and leave every old
# file as it was and no temporary file; temporaries of a killed run older than
# a day go when their target is next written.
set -u
bin=$(realpath "$1")
fehler=0
scheitern() { echo "FAIL: $*"; fehler=1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/w"
cd "$tmp/w" || exit 1
export XDG_CONFIG_HOME="$tmp/config"

bestand() { find . -maxdepth 1 -type f -exec md5sum {} + | sort; }

# Sends signal $1 after $2 seconds to the program started with the rest, and
# expects exit 3 within 2 s of it.
signal_nach() {
    local signal="$1" warten="$2"
    shift 2
    "$bin" "$@" 2>"$tmp/err" &
    local pid=$!
    sleep "$warten"
    kill -0 "$pid" 2>/dev/null || scheitern "$*: ended before the signal"
    kill -"$signal" "$pid"
    local start=$SECONDS ist
    for _ in $(seq 40); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$pid" 2>/dev/null && {
        scheitern "$*: still running 2 s after SIG$signal"
        kill -KILL "$pid"
    }
    wait "$pid"
    ist=$?
    [ "$ist" = 3 ] || scheitern "$*: exit $ist after SIG$signal, wanted 3 ($(cat "$tmp/err"))"
    [ $((SECONDS - start)) -le 3 ] || scheitern "$*: SIG$signal obeyed late"
}

"$bin" generate --preset 13 --seed 1 --quiet -o gross.qls || scheitern "generate preset 13"
for f in png pdf qls geojson; do echo alt >"alt.$f"; done
davor=$(bestand)

# A pipe without a reader: opening it waits until Ctrl-C.
mkfifo rohr
signal_nach INT 0.5 render gross.qls -o rohr --quiet
signal_nach INT 0.5 generate --preset 0 --quiet --png rohr
rm rohr

# Several outputs of one command: none or all of them replaced.
for signal in TERM HUP; do
    signal_nach "$signal" 1 render gross.qls --png alt.png --pixels 6000 --pdf alt.pdf \
        --sheets 5 -o alt.qls --geojson alt.geojson --quiet
    signal_nach "$signal" 1 generate --preset 13 --quiet --png alt.png --pdf alt.pdf --sheets 5 \
        -o alt.qls
done
[ "$(bestand)" = "$davor" ] || scheitern "files changed or were left: $(ls -a)"

# A temporary of ours older than a day goes; a new one, another name stays.
touch -d '2 days ago' alt.qls.k3x9a1.tmp alt.qls.fremd.tmp.x
touch alt.qls.z7q2m0.tmp
"$bin" render gross.qls -o alt.qls --quiet || scheitern "render -o"
[ ! -e alt.qls.k3x9a1.tmp ] || scheitern "an old temporary stayed"
[ -e alt.qls.z7q2m0.tmp ] && [ -e alt.qls.fremd.tmp.x ] || scheitern "a file not ours went"
exit $fehler

#!/usr/bin/env bash
# The bash completion written beside the program: every option of every
# command's help completes from its first letters, a file option completes
# file names, --lang its two languages, and the first word the commands.
set -u
bin=$(realpath "$1")
datei="$(dirname "$bin")/tarvello.bash"
[ -s "$datei" ] || { echo "FAIL: no $datei"; exit 1; }
fehler=0
scheitern() { echo "FAIL: $*"; fehler=1; }
source "$datei"
# COMPREPLY for the words given, the last being completed.
ergaenzen() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    _tarvello
}
enthaelt() { local w; for w in "${COMPREPLY[@]}"; do [ "$w" = "$1" ] && return 0; done; return 1; }

ergaenzen tarvello gen
enthaelt generate || scheitern "gen does not complete to generate"
for befehl in generate render params name palette; do
    optionen=$(LC_ALL=C "$bin" "$befehl" --help | grep -o -- ' --\?[a-z][a-z-]*' | sort -u)
    [ -n "$optionen" ] || scheitern "$befehl --help names no option"
    for opt in $optionen; do
        ergaenzen tarvello "$befehl" "${opt:0:4}"
        enthaelt "$opt" || scheitern "$befehl ${opt:0:4} does not complete to $opt"
    done
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
touch "$tmp/stadt.qls"
ergaenzen tarvello render --png "$tmp/st"
enthaelt "$tmp/stadt.qls" || scheitern "--png does not complete a file name"
ergaenzen tarvello generate --lang ""
[ "${COMPREPLY[*]}" = "de en" ] || scheitern "--lang completes '${COMPREPLY[*]}'"
exit $fehler

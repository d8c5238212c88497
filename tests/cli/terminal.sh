#!/usr/bin/env bash
# On a terminal the progress line ends with a newline before the next
# message: the run's last words stand on a line of their own.
set -u
bin=$(realpath "$1")
command -v script >/dev/null || { echo "SKIP: script is not installed"; exit 77; }
fehler=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_CONFIG_HOME="$tmp/config"
script -qec "'$bin' generate --preset 0 --seed 1 --png '$tmp/k.png' --pixels 100" /dev/null \
    >"$tmp/aus" 2>&1 || { echo "FAIL: generate on a terminal"; fehler=1; }
tr -d '\r' <"$tmp/aus" | grep -aq '^City Map Finished!$' ||
    { echo "FAIL: the last message shares a line: $(tr -d '\r' <"$tmp/aus" | tail -c 200 | od -c | tail -5)"; fehler=1; }
[ "$(tail -c 1 "$tmp/aus" | od -An -c | tr -d ' ')" = '\n' ] || { echo "FAIL: no final newline"; fehler=1; }
exit $fehler

#!/usr/bin/env bash
# The layer check must pass on the real tree and flag each kind of planted
# offence: an upward include, a sideways one between two stages and between
# the two fronts, a Qt header below files, and the town names reaching above
# core or used below the fronts. The offences are planted in
# a small tree of their own, each in line 2 of a file whose line 1 is
# allowed, and checked in one pass.
set -uo pipefail
hier="$(cd "$(dirname "$0")" && pwd)"
bash "$hier/schichten.sh" "$hier/../src" || { echo "the real tree breaks the layers"; exit 1; }

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
pflanzen() { # FILE LINE
    mkdir -p "$(dirname "$tmp/src/$1")"
    printf '#include "core/zufall.h"\n%s\n' "$2" >"$tmp/src/$1"
}
pflanzen core/zufall.h '#include "generator/treiber.h"'
pflanzen geometry/geometrie.h '#include "streets/strassen.h"'
pflanzen streets/strassen.cpp '#include "wall/mauer.h"'
pflanzen files/kartendatei.cpp '#include "render/stadtplan.h"'
pflanzen cli/befehlszeile.cpp '#include "app/eingabe.h"'
pflanzen app/vorschau.cpp '#include "cli/konsolenwirt.h"'
pflanzen generator/treiber.cpp '#include <QString>'
pflanzen names/stadtname.cpp '#include "generator/treiber.h"'
pflanzen render/stadtplan.cpp '#include "names/stadtname.h"'

bericht=$(bash "$hier/schichten.sh" "$tmp/src") && { echo "nothing flagged"; exit 1; }
fehlt=0
for datei in $(cd "$tmp/src" && find . -type f | sed 's#^\./##' | sort); do
    grep -q "^$datei:2: " <<<"$bericht" || { echo "not flagged: line 2 of $datei"; fehlt=1; }
done
[ "$(wc -l <<<"$bericht")" = 9 ] || { echo "flagged more than the planted lines: $bericht"; fehlt=1; }
exit "$fehlt"

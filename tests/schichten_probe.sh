#!/usr/bin/env bash
# The layer check must pass on the real tree and flag each kind of planted
# offence in a copy of it: an upward include, a sideways one between two
# stages and between the two fronts, a Qt header below files, and the town
# names reaching above core or used below the fronts.
set -uo pipefail
hier="$(cd "$(dirname "$0")" && pwd)"
src="$hier/../src"
bash "$hier/schichten.sh" "$src" || { echo "the real tree breaks the layers"; exit 1; }

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fehlt=0
pflanzen() { # FILE LINE
    rm -rf "$tmp/src" && cp -r "$src" "$tmp/src"
    printf '\n%s\n' "$2" >>"$tmp/src/$1"
    if bash "$hier/schichten.sh" "$tmp/src" >/dev/null; then
        echo "not flagged: $2 in $1"
        fehlt=1
    fi
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
exit "$fehlt"

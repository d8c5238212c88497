#!/usr/bin/env bash
# Checks that every #include in src points to the same or a lower layer:
#   core < geometry < streets, rivers, areas, wall < generator < files
#        < render < cli, app < main.cpp
# names (the town names) builds on core alone and only the fronts use it.
# Folders on one level (the stages, the two fronts) never include each other,
# and nothing below files includes a Qt header.
#
#   tests/schichten.sh [SRC_FOLDER]     prints each offending line, exit 1 if any
set -uo pipefail
src="${1:-$(dirname "$0")/../src}"

# One grep over the tree and a table look-up per line: no process per line.
declare -A stufe=([core]=0 [geometry]=1 [names]=1 [streets]=2 [rivers]=2 [areas]=2 [wall]=2
    [generator]=3 [files]=4 [render]=5 [cli]=6 [app]=6 [main.cpp]=7)

fehler=0
melden() {
    echo "$1: $2"
    fehler=1
}

while IFS= read -r -d '' datei; do
    rel="${datei#"$src"/}"
    [ -n "${stufe[${rel%%/*}]:-}" ] || melden "$rel" "lies in no layer"
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

muster='^[[:space:]]*#[[:space:]]*include[[:space:]]*(["<])([^">]+)'
while IFS= read -r treffer; do
    # FILE:LINE:TEXT; the file names hold no colon.
    datei="${treffer%%:*}"
    rest="${treffer#*:}"
    nr="${rest%%:*}"
    zeile="${rest#*:}"
    rel="${datei#"$src"/}"
    ordner="${rel%%/*}"
    eigene="${stufe[$ordner]:-}"
    [ -n "$eigene" ] || continue # reported above
    [[ "$zeile" =~ $muster ]] || continue
    art="${BASH_REMATCH[1]}"
    ziel="${BASH_REMATCH[2]}"
    if [ "$art" = "<" ] || [[ "$ziel" != */* ]]; then
        # A Qt header (QString, QtCore/..., qglobal.h) is allowed from files upwards.
        if [[ "$ziel" =~ ^(Q|qt|Qt) ]] && [ "$eigene" -lt 4 ]; then
            melden "$rel:$nr" "Qt header <$ziel> below the files layer"
        fi
        continue
    fi
    zielordner="${ziel%%/*}"
    zielstufe="${stufe[$zielordner]:-}"
    if [ -z "$zielstufe" ]; then
        melden "$rel:$nr" "includes \"$ziel\", which lies in no layer"
    elif [ "$zielordner" = names ] && [ "$ordner" != names ] && [ "$eigene" -lt 6 ]; then
        melden "$rel:$nr" "includes \"$ziel\" below the fronts"
    elif [ "$zielstufe" -gt "$eigene" ]; then
        melden "$rel:$nr" "includes \"$ziel\" from a higher layer ($zielordner above $ordner)"
    elif [ "$zielstufe" -eq "$eigene" ] && [ "$zielordner" != "$ordner" ]; then
        melden "$rel:$nr" "includes \"$ziel\" sideways ($zielordner beside $ordner)"
    fi
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z |
    xargs -0 -r grep -HnE '^[[:space:]]*#[[:space:]]*include')

exit "$fehler"

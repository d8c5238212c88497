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

stufe() {
    case "$1" in
        core) echo 0 ;;
        geometry | names) echo 1 ;;
        streets | rivers | areas | wall) echo 2 ;;
        generator) echo 3 ;;
        files) echo 4 ;;
        render) echo 5 ;;
        cli | app) echo 6 ;;
        main.cpp) echo 7 ;;
        *) echo -1 ;;
    esac
}

fehler=0
melden() {
    echo "$1: $2"
    fehler=1
}

while IFS= read -r -d '' datei; do
    rel="${datei#"$src"/}"
    ordner="${rel%%/*}"
    eigene=$(stufe "$ordner")
    if [ "$eigene" -lt 0 ]; then
        melden "$rel" "lies in no layer"
        continue
    fi
    nr=0
    while IFS= read -r zeile; do
        nr=$((nr + 1))
        [[ "$zeile" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*([\"\<])([^\"\>]+) ]] || continue
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
        zielstufe=$(stufe "$zielordner")
        if [ "$zielstufe" -lt 0 ]; then
            melden "$rel:$nr" "includes \"$ziel\", which lies in no layer"
        elif [ "$zielordner" = names ] && [ "$ordner" != names ] && [ "$eigene" -lt 6 ]; then
            melden "$rel:$nr" "includes \"$ziel\" below the fronts"
        elif [ "$zielstufe" -gt "$eigene" ]; then
            melden "$rel:$nr" "includes \"$ziel\" from a higher layer ($zielordner above $ordner)"
        elif [ "$zielstufe" -eq "$eigene" ] && [ "$zielordner" != "$ordner" ]; then
            melden "$rel:$nr" "includes \"$ziel\" sideways ($zielordner beside $ordner)"
        fi
    done <"$datei"
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

exit "$fehler"

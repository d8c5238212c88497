#!/bin/sh
# Writes the bash completion of tarvello from the program's own help texts
# (the same option tables the help and the manual page are made of), so it
# completes exactly the options each command has.
#   sh tools/vervollstaendigung.sh TARVELLO OUTPUT
set -eu
bin="$1"
aus="$2"
export LC_ALL=C LANG=C LANGUAGE= ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
befehle="generate render params name palette"
tmp="$aus.tmp.$$"
trap 'rm -f "$tmp"' EXIT

# The options of a help text, and those of them that take a value; a value
# named FILE wants a file name.
optionen() { "$bin" "$@" --help | awk '
    /^  -/ { spalte = $0; sub(/^  /, "", spalte); sub(/  .*/, "", spalte)
             n = split(spalte, w, /[ ,]+/)
             for (i = 1; i <= n; ++i) if (w[i] ~ /^-/) print w[i] }' | sort -u | tr '\n' ' '; }
mit_wert() { "$bin" "$@" --help | awk -v art="$wertart" '
    /^  -/ { spalte = $0; sub(/^  /, "", spalte); sub(/  .*/, "", spalte)
             n = split(spalte, w, /[ ,]+/); wert = w[n]
             if (wert ~ /^-/) next
             datei = (wert ~ /FILE/)
             if ((art == "datei") != datei) next
             for (i = 1; i < n; ++i) if (w[i] ~ /^-/) print w[i] }' | sort -u | tr '\n' ' '; }

{
    echo "# bash completion for tarvello; written from its help texts."
    echo "_tarvello() {"
    echo '    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}'
    echo "    local optionen dateiwerte andere"
    echo '    if [ "$COMP_CWORD" -eq 1 ]; then'
    echo "        case \$cur in"
    echo "        -*) COMPREPLY=(\$(compgen -W '$(optionen)' -- \"\$cur\")) ;;"
    echo "        *) COMPREPLY=(\$(compgen -W '$befehle' -- \"\$cur\") \$(compgen -f -- \"\$cur\")) ;;"
    echo "        esac"
    echo "        return"
    echo "    fi"
    echo '    case ${COMP_WORDS[1]} in'
    for befehl in $befehle; do
        wertart=datei
        dateiwerte=$(mit_wert "$befehl")
        wertart=andere
        andere=$(mit_wert "$befehl")
        echo "    $befehl) optionen='$(optionen "$befehl")'; dateiwerte='$dateiwerte'; andere='$andere' ;;"
    done
    echo "    *) return ;;"
    echo "    esac"
    echo '    if [[ " $dateiwerte " == *" $prev "* ]]; then'
    echo '        COMPREPLY=($(compgen -f -- "$cur"))'
    echo '    elif [ "$prev" = --lang ]; then'
    echo "        COMPREPLY=(\$(compgen -W 'de en' -- \"\$cur\"))"
    echo '    elif [[ " $andere " == *" $prev "* ]]; then'
    echo "        COMPREPLY=()"
    echo '    elif [[ $cur == -* ]]; then'
    echo '        COMPREPLY=($(compgen -W "$optionen" -- "$cur"))'
    echo "    else"
    echo '        COMPREPLY=($(compgen -f -- "$cur"))'
    echo "    fi"
    echo "}"
    echo "complete -o filenames -F _tarvello tarvello"
} >"$tmp"
mv "$tmp" "$aus"
trap - EXIT

#!/bin/sh
# Writes the manual page tarvello(1) from the program's own help texts, so
# that the page always lists the options the program has.
#   sh tools/manpage.sh TARVELLO OUTPUT
set -eu
bin="$1"
aus="$2"
# The help in English whatever the builder's locale; a sanitizer build must
# not fail the build on leaks at exit.
export LC_ALL=C LANG=C LANGUAGE= ASAN_OPTIONS=detect_leaks=0
version=$("$bin" --version | sed 's/^Tarvello //')
tmp="$aus.tmp.$$"
trap 'rm -f "$tmp"' EXIT

# The options of one help text as .TP entries, other lines as paragraphs;
# a backslash, a dash or a leading dot in help text is escaped for troff.
optionen() {
    awk '
    function esc(s) { gsub(/\\/, "\\e", s); gsub(/-/, "\\-", s); if (s ~ /^[.\047]/) s = "\\&" s; return s }
    function ende() { if (opt != "") { print ".TP"; print "\\fB" esc(opt) "\\fR"; print esc(text); opt = ""; text = "" } }
    function eintrag(line,   n) {
        ende(); sub(/^  /, "", line); n = match(line, /  +/)
        if (n > 0) { opt = substr(line, 1, n - 1); text = substr(line, n); sub(/^ +/, "", text) }
        else { opt = line; text = "" }
    }
    /^Usage:/ { next }
    /^(Options|Arguments):$/ { ende(); next }
    /^  [-A-Z]/ { eintrag($0); next }
    /^     / { t = $0; sub(/^ +/, "", t); if (opt != "") text = text " " t; else print esc(t); next }
    /^$/ { ende(); next }
    { ende(); print esc($0); print ".PP" }
    END { ende() }'
}

{
    echo ".TH TARVELLO 1 \"\" \"Tarvello $version\" \"User Commands\""
    echo ".SH NAME"
    echo "tarvello \\- invent maps of towns for role\\-playing games"
    echo ".SH SYNOPSIS"
    echo ".B tarvello"
    echo ".br"
    echo ".B tarvello"
    echo ".IR MAP.qls \" | \" SETTINGS.qle \" | \" PALETTE.qlf"
    echo ".br"
    echo ".B tarvello"
    echo ".I command"
    echo ".RI [ options ]"
    echo ".SH DESCRIPTION"
    echo "Tarvello invents maps of towns, from a hamlet to a large city: rivers with"
    echo "bridges, streets grown point by point, a city wall with towers and gates,"
    echo "squares, parks and thousands of buildings."
    echo ".PP"
    echo "Without a command it opens its window; a map (.qls), settings (.qle) or"
    echo "palette (.qlf) file given as the only argument is opened in it. With a"
    echo "command it works on the command line and needs no display."
    echo ".SH OPTIONS"
    "$bin" --help | sed -n '/^Options:/,/^$/p' | optionen
    echo ".SH COMMANDS"
    for befehl in generate render params name palette; do
        echo ".SS \"$("$bin" "$befehl" --help | head -n1 | sed -e 's/^Usage: //' -e 's/-/\\-/g')\""
        "$bin" "$befehl" --help | optionen
    done
    echo ".SH EXIT STATUS"
    echo ".TP"; echo ".B 0"; echo "done"
    echo ".TP"; echo ".B 1"; echo "a file could not be read or written"
    echo ".TP"; echo ".B 2"; echo "a bad command, option or value"
    echo ".TP"; echo ".B 3"; echo "stopped by the user or a time limit"
    echo ".TP"; echo ".B 4"; echo "no town could be made, or there was none to draw"
    echo ".SH FILES"
    echo ".TP"; echo ".I *.qls"; echo "city maps"
    echo ".TP"; echo ".I *.qle"; echo "city settings"
    echo ".TP"; echo ".I *.qlf"; echo "colour palettes"
    echo ".SH SEE ALSO"
    echo "The manual \"Your 1st city map\" in the program's Info menu."
} >"$tmp"
mv "$tmp" "$aus"
trap - EXIT

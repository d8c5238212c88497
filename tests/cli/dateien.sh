#!/usr/bin/env bash
# Command-line checks of the map, settings and palette files: generate -o,
# --settings, --save-settings, render (also -o and --geojson) and palette.
set -u
bin=$(realpath "$1")
fehler=0
scheitern() { echo "FAIL: $*"; fehler=1; }

tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1
# The stored colours live here, never in the user's own settings.
export XDG_CONFIG_HOME="$tmp/config"
export XDG_RUNTIME_DIR="$tmp/laufzeit"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Expects exit code $1 and exactly one line on stderr containing $2.
erwarte() {
    local code="$1" text="$2"
    shift 2
    local err
    err=$("$bin" "$@" 2>&1 >/dev/null)
    local ist=$?
    [ "$ist" = "$code" ] || scheitern "$*: exit $ist, wanted $code ($err)"
    [ "$(wc -l <<<"$err")" = 1 ] || scheitern "$*: message not one line: $err"
    grep -qF -- "$text" <<<"$err" || scheitern "$*: message lacks '$text': $err"
}

crlf_zeilen() { tr -cd '\n' <"$1" | wc -c; }
cr_zeilen() { tr -cd '\r' <"$1" | wc -c; }

# A run saves its map and its control states.
"$bin" generate --preset 8 --seed 1 --quiet -o a.qls --save-settings a.qle ||
    scheitern "generate -o exit $?"
[ "$(head -n1 a.qls)" = $'5.00\r' ] || scheitern "map version line: $(head -n1 a.qls | od -c)"
[ "$(crlf_zeilen a.qle)" = 67 ] || scheitern "settings file has $(crlf_zeilen a.qle) lines"
[ "$(cr_zeilen a.qle)" = 67 ] || scheitern "settings lines do not end in CR LF"
[ "$(crlf_zeilen a.qls)" = "$(cr_zeilen a.qls)" ] || scheitern "map lines do not end in CR LF"

# The same settings file and seed give the same map, byte for byte.
"$bin" generate --settings a.qle --seed 1 --quiet -o b.qls || scheitern "generate --settings exit $?"
cmp -s a.qls b.qls || scheitern "same settings and seed, different map files"
[ "$("$bin" params --settings a.qle --json)" = "$("$bin" params --preset 8 --json)" ] ||
    scheitern "params --settings differs from the preset it was written from"
# --set applies after the settings file.
"$bin" params --settings a.qle --set Slider_weg_aufloesung=3 --json |
    grep -q '"Slider_weg_aufloesung": 3' || scheitern "--set after --settings"

# A saved map renders, the same way each time.
"$bin" render a.qls --png r1.png --pixels 300 --quiet || scheitern "render exit $?"
"$bin" render a.qls --png r2.png --pixels 300 --quiet || scheitern "render again exit $?"
[ -s r1.png ] || scheitern "render wrote no picture"
cmp -s r1.png r2.png || scheitern "two renders of one map differ"

# render -o saves the loaded map again: a town name in Windows-1252 keeps
# its bytes and prints as itself, an older version becomes the current one.
{
    head -n2 a.qls
    printf '\x84Alte M\xfchle\x93 \x96 S\xfcd \x80\r\n'
    tail -n +4 a.qls
} >w.qls
"$bin" render w.qls -o w2.qls || scheitern "render -o exit $?"
cmp -s w.qls w2.qls || scheitern "render -o changed the bytes of a Windows-1252 map"
sed '1s/^5\.00/4.00/' w.qls >v4.qls
"$bin" render v4.qls -o v4neu.qls --png v4.png --pixels 300 --quiet || scheitern "render -o --png exit $?"
cmp -s w.qls v4neu.qls || scheitern "a version 4 map was not saved as the current version"
[ -s v4.png ] || scheitern "render -o --png wrote no picture"
if command -v pdftotext >/dev/null; then
    "$bin" render w.qls --pdf w.pdf --quiet || scheitern "render --pdf exit $?"
    pdftotext w.pdf - | grep -qF '„Alte Mühle“ – Süd €' ||
        scheitern "the Windows-1252 town name is not printed: $(pdftotext w.pdf - | head -n3)"
fi

# Palettes: the stored colours as a file, a palette made the stored default,
# and drawing with a palette.
"$bin" palette --save standard.qlf || scheitern "palette --save exit $?"
[ "$(head -n1 standard.qlf)" = $' 16777215 \r' ] || scheitern "white is not ' 16777215 ' CR LF"
[ "$(crlf_zeilen standard.qlf)" = 16 ] || scheitern "palette has $(crlf_zeilen standard.qlf) lines"
sed 's/^ 16777215 / 255 /' standard.qlf >rot.qlf # white becomes red
"$bin" render a.qls --png rot.png --pixels 300 --quiet --palette rot.qlf || scheitern "render --palette"
cmp -s r1.png rot.png && scheitern "--palette changed nothing"
"$bin" palette --load rot.qlf --store || scheitern "palette --load --store exit $?"
"$bin" palette --save gespeichert.qlf
cmp -s rot.qlf gespeichert.qlf || scheitern "stored palette differs from the loaded one"
"$bin" render a.qls --png gespeichert.png --pixels 300 --quiet
cmp -s rot.png gespeichert.png || scheitern "render does not use the stored colours"
"$bin" palette | head -n1 | grep -q '^ 0  255   0   0' || scheitern "palette listing: $("$bin" palette | head -n1)"

# Bad files: exit code 1 and one line naming the file (and the line).
head -c 20000 a.qls >halb.qls
erwarte 1 "halb.qls: line " render halb.qls --png x.png
erwarte 1 "fehlt.qls" render fehlt.qls --png x.png
erwarte 1 "fehlt.qle" generate --settings fehlt.qle
erwarte 1 "a.qls: line 2: " params --settings a.qls
erwarte 1 "a.qle: line " render a.qle --png x.png
erwarte 1 "a.qle: line 1: " generate --preset 0 --palette a.qle --png x.png
erwarte 1 "a.qls: line 1: " palette --load a.qls
erwarte 1 "/dev/full: " generate --preset 0 --seed 1 --quiet -o /dev/full
erwarte 1 "/dev/full: " generate --preset 0 --seed 1 --quiet --save-settings /dev/full
erwarte 1 "/dev/full: " palette --save /dev/full
[ -e x.png ] && scheitern "a picture was written from a bad file"

# Usage errors: exit code 2.
erwarte 2 "render" render --png x.png
erwarte 2 "--output" render a.qls
erwarte 2 "--output is given more than once" render a.qls -o b.qls -o c.qls
erwarte 2 "--store" palette --store
erwarte 2 "--preset and --settings" generate --preset 1 --settings a.qle

# A failed save leaves the file that was there.
cp a.qls alt.qls
erwarte 1 "fehlt/neu.qls" generate --preset 0 --seed 1 --quiet -o fehlt/neu.qls
if [ "$(id -u)" != 0 ]; then
    mkdir geschuetzt && cp a.qls geschuetzt/alt.qls && chmod 555 geschuetzt
    erwarte 1 "geschuetzt/alt.qls" generate --preset 0 --seed 2 --quiet -o geschuetzt/alt.qls
    cmp -s a.qls geschuetzt/alt.qls || scheitern "a failed save changed the old map"
fi
cmp -s a.qls alt.qls || scheitern "the old map changed"


# The GeoJSON: one feature per line, as many buildings as the run counts,
# the same from the run and from its map; the picture section options are
# noted, not refused; a failed write leaves the old file.
"$bin" generate --preset 8 --seed 1 --quiet --stats --geojson g.geojson >stats.json ||
    scheitern "generate --geojson exit $?"
gebaeude=$(grep -o '"buildings":[0-9]*[,}]' stats.json | tr -cd '0-9')
[ "$(grep -c '"kind":"building"' g.geojson)" = "$gebaeude" ] ||
    scheitern "GeoJSON buildings $(grep -c '"kind":"building"' g.geojson), stats $gebaeude"
for art in street river wall tower gate building square park; do
    grep -q "\"kind\":\"$art\"" g.geojson || scheitern "GeoJSON without a $art"
done
head -c 40 g.geojson | grep -qF '{"type":"FeatureCollection","name":' || scheitern "GeoJSON head"
[ "$(tail -n1 g.geojson)" = $']}\r' ] || scheitern "GeoJSON does not end the collection"
hinweis=$("$bin" render a.qls --geojson r.geojson --matrix 2 --zoom 2 2>&1 >/dev/null) ||
    scheitern "render --geojson --matrix exit $?"
grep -qF -- "--matrix does not apply to the GeoJSON" <<<"$hinweis" || scheitern "no note: $hinweis"
grep -qF -- "--zoom does not apply to the GeoJSON" <<<"$hinweis" || scheitern "no note: $hinweis"
[ "$(grep -c '"kind":' r.geojson)" = "$(grep -c '"kind":' g.geojson)" ] ||
    scheitern "the map's GeoJSON differs in its features from the run's"
erwarte 2 "--geojson is given more than once" render a.qls --geojson x --geojson y
cp g.geojson alt.geojson
erwarte 1 "fehlt/neu.geojson" render a.qls --geojson fehlt/neu.geojson
if [ "$(id -u)" != 0 ]; then
    mkdir geschuetzt_g && cp g.geojson geschuetzt_g/alt.geojson && chmod 555 geschuetzt_g
    erwarte 1 "geschuetzt_g/alt.geojson" render a.qls --geojson geschuetzt_g/alt.geojson
    cmp -s g.geojson geschuetzt_g/alt.geojson || scheitern "a failed write changed the GeoJSON"
fi
cmp -s g.geojson alt.geojson || scheitern "the old GeoJSON changed"

exit $fehler

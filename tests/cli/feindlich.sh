#!/usr/bin/env bash
# Hostile input on the command line: targets that cannot be written or fill
# up, pictures too large for the memory, absurd numbers, files of a newer
# program and garbage where a file should be. Each ends with one line on
# stderr and a non-zero exit code, never a crash, and leaves the folder as
# it was: no new file, no temporary file, no old file changed.
set -u
bin=$(realpath "$1")
fehler=0
scheitern() { echo "FAIL: $*"; fehler=1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1
export XDG_CONFIG_HOME="$tmp/config"
export XDG_RUNTIME_DIR="$tmp/laufzeit"
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir arbeit

# What the folder holds, with contents.
bestand() { (cd arbeit && find . -type f -exec md5sum {} + | sort); }

# Runs the program in arbeit/ (with `vorher` run first in the same shell,
# for limits) and expects exit code $1 (any non-zero code for "x"), one
# line on stderr containing $2, and the folder unchanged.
erwarte() {
    local code="$1" text="$2" vorher="$3"
    shift 3
    local davor err ist
    davor=$(bestand)
    err=$(cd arbeit && eval "$vorher" && "$bin" "$@" 2>&1 >/dev/null)
    ist=$?
    if [ "$code" = x ]; then
        { [ "$ist" != 0 ] && [ "$ist" -lt 128 ]; } || scheitern "$*: exit $ist ($err)"
    else
        [ "$ist" = "$code" ] || scheitern "$*: exit $ist, wanted $code ($err)"
    fi
    [ "$(wc -l <<<"$err")" = 1 ] || scheitern "$*: message not one line: $err"
    grep -qF -- "$text" <<<"$err" || scheitern "$*: message lacks '$text': $err"
    [ "$(bestand)" = "$davor" ] || scheitern "$*: the folder changed: $(bestand)"
}

klein="--preset 0 --seed 1 --quiet"
"$bin" generate $klein -o arbeit/alt.qls --save-settings arbeit/alt.qle || scheitern "generate"
"$bin" palette --save arbeit/alt.qlf || scheitern "palette --save"
for f in png bmp svg pdf; do echo alt >"arbeit/alt.$f"; done

# Targets that cannot be written: inside /proc (even root cannot create
# files there), below a plain file, a folder.
for f in qls qle qlf png bmp svg pdf; do mkdir "arbeit/ordner.$f"; done
# (A BMP there may already be refused for want of space on the drive.)
for ziel in /proc/tarvello alt.qls/x ordner; do
    erwarte 1 "$ziel" : generate $klein -o "$ziel.qls"
    erwarte 1 "$ziel" : generate $klein --save-settings "$ziel.qle"
    erwarte 1 "$ziel" : palette --save "$ziel.qlf"
    for f in png bmp svg pdf; do
        erwarte x "$ziel" : generate $klein --"$f" "$ziel.$f"
        erwarte x "$ziel" : render alt.qls --"$f" "$ziel.$f"
    done
done
erwarte x "no file name" : generate $klein -o " "

# Every target is checked before the run: a long run fails at once, and
# nothing is written, the control states neither.
start=$SECONDS
erwarte 1 "nodir/a.qls: the folder " : generate --preset 13 -o nodir/a.qls --save-settings a.qle
erwarte 1 "ordner.svg: is a folder" : generate --preset 13 --png a.png --svg ordner --save-settings a.qle
erwarte 1 "nodir/a.geojson: the folder " : generate --preset 13 --geojson nodir/a.geojson -o a.qls
erwarte 1 "nodir/a.pdf: the folder " : generate --preset 13 --pdf nodir/a.pdf --png a.png
erwarte 1 "ordner.qls: is a folder" : render alt.qls --png a.png -o ordner.qls
erwarte 1 "nodir/a.qlf: the folder " : palette --save nodir/a.qlf
erwarte 1 "a.qls/: names a folder" : generate --preset 13 -o a.qls/
[ $((SECONDS - start)) -lt 5 ] || scheitern "targets were checked after the run"
mkdir arbeit/ordner_2_1.png
erwarte 1 "ordner_2_1.png: is a folder" : render alt.qls --png ordner --matrix 2
rmdir arbeit/ordner_2_1.png
# A picture name that is only a folder would write a hidden file.
for f in png bmp svg; do
    erwarte 2 "names no file (only ordner.$f/.$f)" : generate $klein --"$f" "ordner.$f/"
done
# A folder as a picture, an output that is also read, two outputs on
# standard output, a matrix into one stream: refused before the run.
mkdir arbeit/bilder
erwarte 2 "bilder is a folder" : render alt.qls --png bilder
erwarte 2 "alt.qls is read" : render alt.qls --geojson alt.qls
erwarte 2 "alt.qlf is read" : generate $klein --palette alt.qlf --png a.png --geojson alt.qlf
erwarte 2 "more than once" : generate $klein -o a.qls --geojson ./a.qls
erwarte 2 "standard output" : generate $klein --png - -o /dev/stdout
erwarte 2 "standard output" : generate $klein --stats --geojson -
erwarte 2 "one picture only" : render alt.qls --png - --matrix 2
rmdir arbeit/bilder
# Options are checked whatever else is given.
erwarte 2 "--north: 12 is outside 0..11" : generate $klein --north 12
erwarte 2 "--north: 'abc' is not a whole number" : generate $klein -o n.qls --north abc
erwarte 2 "--north: 12 is outside 0..11" : render alt.qls --png x.png --north 12
erwarte 2 "--timeout: '1e8' is not a number of seconds with 0 < SECONDS <= 10000000" : \
    render alt.qls --png x.png --timeout 1e8
# An aborted run leaves no control states behind.
erwarte 3 "Aborted" : generate --preset 13 --quiet --timeout 0.01 --save-settings a.qle -o a.qls

# render --timeout stops a long drawing: no PDF, no temporary file.
# The large town the test runner made for the suites, or one of our own.
if [ -s "${TARVELLO_GROSSE_KARTE:-}" ]; then
    cp "$TARVELLO_GROSSE_KARTE" arbeit/gross.qls
else
    "$bin" generate --preset 13 --seed 1 --quiet -o arbeit/gross.qls || scheitern "generate preset 13"
fi
start=$SECONDS
erwarte 3 "gross.pdf was not written" : render gross.qls --pdf gross.pdf --sheets 20 --quiet --timeout 0.3
erwarte 3 "image export aborted" : render gross.qls --png gross.png --pixels 6000 --quiet --timeout 0.3
[ $((SECONDS - start)) -lt 10 ] || scheitern "render --timeout came late"
rm arbeit/gross.qls

# A full disk: /dev/full, and a file size limit that makes every write fail
# (the signal it raises is ignored, as a full disk raises none). Old files
# stay as they were.
erwarte 1 "/dev/full" : generate $klein -o /dev/full
erwarte 1 "/dev/full" : generate $klein --save-settings /dev/full
erwarte 1 "/dev/full" : palette --save /dev/full
voll="trap '' XFSZ; ulimit -f 0"
erwarte 1 "alt.qls" "$voll" generate $klein -o alt.qls
erwarte 1 "alt.qle" "$voll" generate $klein --save-settings alt.qle
erwarte 1 "alt.qlf" "$voll" palette --save alt.qlf
erwarte 1 "neu.qls" "$voll" generate $klein -o neu.qls
for f in png bmp svg; do
    erwarte 1 "alt.$f" "$voll" generate $klein --"$f" "alt.$f" --pixels 100
    erwarte 1 "alt.$f" "$voll" render alt.qls --"$f" "alt.$f" --pixels 2000
done
erwarte 1 "alt.pdf" "$voll" generate $klein --pdf alt.pdf
erwarte 1 "alt.pdf" "$voll" render alt.qls --pdf alt.pdf --sheets 2
# A device or pipe is written in place, never replaced by a picture or a PDF
# (a finished file renamed over /dev/full would, for root, remove the
# device), and gets no suffix.
mkfifo arbeit/rohr arbeit/rohr.pdf
cat arbeit/rohr >"$tmp/aus_rohr.png" &
"$bin" generate $klein --png arbeit/rohr || scheitern "a picture into a pipe"
wait
cat arbeit/rohr.pdf >"$tmp/aus_rohr.pdf" &
"$bin" render arbeit/alt.qls --pdf arbeit/rohr.pdf || scheitern "a PDF into a pipe"
wait
[ -p arbeit/rohr ] && [ -p arbeit/rohr.pdf ] || scheitern "a pipe was replaced"
[ "$(head -c 4 "$tmp/aus_rohr.png" | tail -c 3)" = PNG ] || scheitern "no PNG came through the pipe"
[ "$(head -c 4 "$tmp/aus_rohr.pdf")" = %PDF ] || scheitern "no PDF came through the pipe"
[ ! -e arbeit/rohr.png ] || scheitern "a pipe got a suffix"
rm arbeit/rohr arbeit/rohr.pdf

# Pictures larger than the memory the process may use are refused before the
# run and before anything is allocated (the address-space limit does not
# work in a sanitizer build, which reserves far more; it is skipped there).
# A picture of 10000 x 10000 pixels needs 400 MB.
eng="ulimit -v 400000"
if { (eval "$eng" && "$bin" render arbeit/alt.qls --png "$tmp/probe.png" --pixels 100 --quiet); } 2>/dev/null; then
    erwarte 2 "MByte of memory" "$eng" generate $klein --png gross.png --pixels 10000
    erwarte 2 "MByte of memory" "$eng" render alt.qls --bmp gross.bmp --pixels 10000 --matrix 5
    # Refused before a run that would take long.
    start=$SECONDS
    erwarte 2 "MByte of memory" "$eng" generate --preset 13 --png gross.png --pixels 10000
    [ $((SECONDS - start)) -lt 5 ] || scheitern "the memory check came after the run"
else
    echo "skipped: the address-space limit (a sanitizer build reserves more)"
fi

# Absurd numbers.
for args in "--pixels 0" "--pixels -5" "--pixels 10001" "--pixels 99999999999999999999999" \
    "--pixels 1e4" "--pixels abc" "--pixels ''" "--matrix 0" "--matrix 6" "--matrix 1e9" \
    "--zoom 0" "--zoom nan" "--zoom inf" "--zoom 1e400" "--zoom 2 --view nan,1" \
    "--label-size 501" "--label-size -1"; do
    eval "erwarte 2 -- : generate $klein --png x.png $args"
    eval "erwarte 2 -- : render alt.qls --png x.png $args"
done
for args in "--seed 99999999999999999999999" "--seed -1" "--timeout nan" "--timeout inf" \
    "--timeout -1" "--timeout 1e400" "--set Slider_weg_aufloesung=99999999999999999999" \
    "--set Combo_n_gebaude=-1" "--set Check_Mauer=2" "--preset 1e1" "--pdf x.pdf --sheets 0" \
    "--pdf x.pdf --sheets 21" "--pdf x.pdf --sheets 3 --section 4,1" "--pdf x.pdf --north 12"; do
    eval "erwarte 2 -- : generate $klein $args"
done
# Messages name the value as given and the range allowed.
erwarte 2 "--timeout: '1e8' is not a number of seconds with 0 < SECONDS <= 10000000" : \
    generate $klein --timeout 1e8
# A map size beyond any run's, shown as written.
sed '4s/.*/ 1e9 \r/' arbeit/alt.qls >arbeit/riesig.qls
erwarte 1 "riesig.qls: line 4: the map size is 1e9 m, outside 10..10000 m" : render riesig.qls --png x.png

# A section far outside the map is brought back onto it.
"$bin" render arbeit/alt.qls --png "$tmp/weit.png" --pixels 100 --zoom 2 --view 1e30,-1e30 ||
    scheitern "--view far outside"

# Files of a newer program, and garbage where a file should be.
printf '5.01\r\n' >arbeit/neu.qle
erwarte 1 "newer program" : generate --settings neu.qle
sed '1s/.*/6.00\r/' arbeit/alt.qls >arbeit/neu.qls
erwarte 1 "newer program" : render neu.qls --png x.png
for version in nan inf -5.00 1e39 0x5 ''; do
    printf '%s\r\n' "$version" >arbeit/version.qle
    erwarte 1 "version.qle: line 1: " : params --settings version.qle
done
erwarte 1 "/dev/zero" : render /dev/zero --png x.png
erwarte 1 "/dev/null" : render /dev/null --png x.png
erwarte 1 "/dev/zero" : generate --settings /dev/zero
erwarte 1 "/dev/null" : palette --load /dev/null
erwarte 1 "folder" : render . --png x.png
head -c 3000 /dev/urandom >arbeit/zufall.bin
erwarte 1 "zufall.bin: line " : render zufall.bin --png x.png
erwarte 1 "zufall.bin: line " : generate --settings zufall.bin
erwarte 1 "zufall.bin: line " : palette --load zufall.bin
# Counts far beyond what the rest of the file can hold are refused at once.
sed '21s/.*/ 32757 \r/' arbeit/alt.qls >arbeit/wege.qls
erwarte 1 "wege.qls: line 21: " : render wege.qls --png x.png
awk 'BEGIN { for (i = 0; i < 17; ++i) printf " 16777216 \r\n" }' >arbeit/farben.qlf
erwarte 1 "farben.qlf: line 1: " : palette --load farben.qlf

# A town name with a line break stays on its line.
"$bin" generate $klein -o "$tmp/name.qls" --title $'Alt\nstadt' || scheitern "--title with a line break"
[ "$(sed -n 3p "$tmp/name.qls")" = $'Alt stadt\r' ] || scheitern "town name line: $(sed -n 3p "$tmp/name.qls")"

exit $fehler

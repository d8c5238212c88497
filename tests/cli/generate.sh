#!/usr/bin/env bash
# Command-line checks of `tarvello generate` and `tarvello params`.
set -u
bin="$1"
fehler=0
scheitern() { echo "FAIL: $*"; fehler=1; }
wert() { sed 's/"seconds":{[^}]*}//' <<<"$1" | grep -o "\"$2\":[^,}]*" | head -n1 | cut -d: -f2 | tr -d '"'; }

# Every preset finishes with the requested number of streets, and the same
# seed gives the same counts.
for p in $(seq 0 13); do
    json=$("$bin" generate --preset "$p" --seed 1 --stats --quiet) || scheitern "preset $p exit $?"
    [ "$(wert "$json" finished)" = true ] || scheitern "preset $p not finished"
    soll=$("$bin" params --preset "$p" --json | grep -o '"wege_anzahl": [0-9]*' | grep -o '[0-9]*$')
    [ "$(wert "$json" streets)" = "$soll" ] || scheitern "preset $p: $(wert "$json" streets) streets, wanted $soll"
    [ "$(wert "$json" seed)" = 1 ] || scheitern "preset $p: seed not reported"
    if [ "$p" = 8 ] || [ "$p" = 3 ]; then
        nochmal=$("$bin" generate --preset "$p" --seed 1 --stats --quiet)
        a=$(sed 's/"seconds":{[^}]*}//' <<<"$json")
        b=$(sed 's/"seconds":{[^}]*}//' <<<"$nochmal")
        [ "$a" = "$b" ] || scheitern "preset $p: same seed, different counts"
    fi
done

# Each command's help names the command, not the executable's path.
for befehl in generate render params name palette; do
    erste=$("$bin" "$befehl" --help | head -n1)
    [[ "$erste" == "Usage: tarvello $befehl "* ]] || scheitern "$befehl --help begins '$erste'"
done

# Without --seed a seed is drawn and reported.
err=$("$bin" generate --preset 0 2>&1 >/dev/null) || scheitern "generate without seed"
grep -q '^Seed: [0-9]*$' <<<"$err" || scheitern "no seed report: $err"

# The time limit covers generation only: a quick town whose 400-sheet PDF
# takes longer than the limit is still printed. The smallest town is made
# in a few milliseconds and its PDF takes several times the limit, so a
# busy machine, which stretches both, cannot make the town miss the limit.
pdf="$(mktemp -d)/zeit.pdf"
"$bin" generate --preset 0 --seed 1 --sheets 20 --pdf "$pdf" --quiet --timeout 0.05 ||
    scheitern "--timeout cut the PDF of a finished run (exit $?)"
[ -s "$pdf" ] || scheitern "--timeout: no PDF"
rm -rf "$(dirname "$pdf")"

# A time limit aborts with the abort status and exit code 3.
err=$("$bin" generate --preset 13 --seed 1 --timeout 0.05 2>&1 >/dev/null)
code=$?
[ "$code" = 3 ] || scheitern "timeout exit $code"
grep -q "City Map Aborted" <<<"$err" || scheitern "timeout message: $err"
err=$("$bin" generate --preset 13 --seed 1 --timeout 0.05 --lang de 2>&1 >/dev/null)
grep -q "Stadtplan abgebrochen" <<<"$err" || scheitern "German abort message: $err"

# Rivers too wide to reach the centre: the run ends saying why, exit code 4
# (a town whose thousand river attempts are quick).
err=$("$bin" generate --preset 10 --seed 1 --set Combo_fluss_breite_max=14 --timeout 60 2>&1 >/dev/null)
code=$?
[ "$code" = 4 ] || scheitern "wide river exit $code"
grep -q "^tarvello: No city map: in 1000 attempts no river" <<<"$err" || scheitern "wide river message: $err"

# Curvy streets on a small map with a wide range of street widths: the
# steering once swung the heading past its target, further at every step,
# until a street's points were no numbers. The run ends with a town.
"$bin" generate --seed 226061318276938 --set Combo_wege_anzahl=4 --set Combo_wege_anzahl_aus_stadt=13 \
    --set Combo_stadt_abmessung=0 --set Combo_wegbreite_max=18 --set Combo_wegbreite_min=3 \
    --set Combo_wi_abknick_max=1 --set Combo_haus_gxy_max=2 --set Combo_fluss_breite_max=1 \
    --set Slider_stadt_turbulenz=12 --set Slider_weg_aufloesung=39 --set Slider_weg_kurvigkeit=82 \
    --set Slider_weg_richtungstendenz=7 --set Slider_weg_abzweig_verjueng_wert=55 \
    --set Slider_weg_abzweig_verjueng_streu=42 --set Slider_fluss_kurvigkeit=43 \
    --set Slider_fluss_verzweigung_symetrie=28 --set Slider_fluss_quelle_abstand=93 \
    --set Slider_fluss_inselbildung=69 --set Slider_fluss_quellen_ausserhalb=43 \
    --set Slider_abstand_weg_fluss=24 --set Slider_weg_brueckenbildung=23 --timeout 60 >/dev/null 2>&1 ||
    scheitern "steering past its target: exit $?"

# Bad input: one line on stderr, exit code 2.
for args in "--preset 14" "--preset x" "--set Slider_weg_aufloesung=101" "--set Nope=1" \
    "--set Combo_stadt_abmessung=13" "--seed 1 --set Combo_wegbreite_min=18 --set Combo_wegbreite_max=0" \
    "--seed 1 --set Combo_fluss_breite_max=15" "--seed -1" "--timeout 0" "--lang fr" "--bogus" "extra"; do
    # shellcheck disable=SC2086
    err=$("$bin" generate $args 2>&1 >/dev/null)
    code=$?
    [ "$code" = 2 ] || scheitern "generate $args: exit $code"
    [ "$(wc -l <<<"$err")" = 1 ] || scheitern "generate $args: message not one line: $err"
done
for args in "--preset 99" "--set Check_Mauer=2" "--json extra"; do
    # shellcheck disable=SC2086
    "$bin" params $args >/dev/null 2>&1
    code=$?
    [ "$code" = 2 ] || scheitern "params $args: exit $code"
done

"$bin" --version | grep -q "5.00" || scheitern "--version"
"$bin" bogus >/dev/null 2>&1
[ $? = 2 ] || scheitern "unknown command exit"

exit $fehler

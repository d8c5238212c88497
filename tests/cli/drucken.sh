#!/usr/bin/env bash
# Command-line checks of printing into a PDF: pages per sheet, the section,
# paper sizes, the town name and north kept in the map file, refusals.
set -u
bin="$1"
fehler=0
scheitern() { echo "FAIL: $*"; fehler=1; }
ordner=$(mktemp -d)
trap 'rm -rf "$ordner"' EXIT
seiten() { grep -ac '^/Type /Page$' "$1"; }

"$bin" generate --preset 8 --seed 3 --quiet --title "Kleinstadt" --north 2 \
    -o "$ordner/k.qls" --pdf "$ordner/eins.pdf" || scheitern "generate --pdf exit $?"
[ "$(seiten "$ordner/eins.pdf")" = 1 ] || scheitern "one sheet: $(seiten "$ordner/eins.pdf") pages"
grep -aq '/MediaBox \[0 0 842' "$ordner/eins.pdf" || scheitern "not A4 landscape"
# The map file keeps the town name and the north button.
[ "$(sed -n 3p "$ordner/k.qls" | tr -d '\r')" = "Kleinstadt" ] || scheitern "town name not saved"
[ "$(sed -n 7p "$ordner/k.qls" | tr -d '\r')" = "1" ] || scheitern "north button 2 not saved"

"$bin" render "$ordner/k.qls" --quiet --sheets 3 --pdf "$ordner/neun.pdf" ||
    scheitern "render --sheets 3 exit $?"
[ "$(seiten "$ordner/neun.pdf")" = 9 ] || scheitern "3 x 3: $(seiten "$ordner/neun.pdf") pages"
"$bin" render "$ordner/k.qls" --quiet --sheets 3 --section "1,2; 2,1" --paper a3 \
    --no-crop-marks --title-on-first-only --label-size 8 --labels streets \
    --pdf "$ordner/zwei.pdf" || scheitern "render --section exit $?"
[ "$(seiten "$ordner/zwei.pdf")" = 2 ] || scheitern "section: $(seiten "$ordner/zwei.pdf") pages"
grep -aq '/MediaBox \[0 0 1191' "$ordner/zwei.pdf" || scheitern "not A3 landscape"
# Pictures and a PDF in one go; the shared options serve both.
"$bin" render "$ordner/k.qls" --quiet --outline-only --png "$ordner/b.png" --pdf "$ordner/c.pdf" ||
    scheitern "render --png --pdf exit $?"
[ -s "$ordner/b.png" ] && [ -s "$ordner/c.pdf" ] || scheitern "picture or PDF missing"

# Bad values: one line on stderr, exit code 2, no file.
for args in "--sheets 0" "--sheets 21" "--sheets 3 --section 4,1" "--section 1,1" \
    "--sheets 2 --section 1" "--sheets 2 --section ;" "--paper A99" "--north 12" \
    "--label-size 7"; do
    # shellcheck disable=SC2086
    err=$("$bin" render "$ordner/k.qls" $args --pdf "$ordner/schlecht.pdf" 2>&1 >/dev/null)
    code=$?
    [ "$code" = 2 ] || scheitern "render $args: exit $code"
    [ "$(wc -l <<<"$err")" = 1 ] || scheitern "render $args: message not one line: $err"
    [ -e "$ordner/schlecht.pdf" ] && scheitern "render $args wrote a file"
done
for args in "--sheets 2" "--no-crop-marks" "--high-resolution"; do
    # shellcheck disable=SC2086
    "$bin" render "$ordner/k.qls" $args --png "$ordner/x.png" >/dev/null 2>&1
    [ $? = 2 ] || scheitern "render $args without --pdf accepted"
done

# An unwritable file: exit 1, the message names it, an old file stays.
err=$("$bin" render "$ordner/k.qls" --pdf "$ordner/fehlt/karte.pdf" 2>&1 >/dev/null)
[ $? = 1 ] || scheitern "unwritable PDF: wrong exit code"
grep -q "$ordner/fehlt/karte.pdf" <<<"$err" || scheitern "message does not name the file: $err"

exit $fehler

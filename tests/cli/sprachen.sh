#!/usr/bin/env bash
# The command line speaks the locale's language (LANGUAGE, LC_ALL,
# LC_MESSAGES, LANG) unless --lang says otherwise: messages and help.
set -u
bin=$(realpath "$1")
fehler=0
scheitern() { echo "FAIL: $*"; fehler=1; }

tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1
export XDG_CONFIG_HOME="$tmp/config"
export XDG_RUNTIME_DIR="$tmp/laufzeit"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset LANGUAGE LC_ALL LC_MESSAGES

# With locale $1: expects exit code $2 and one line on stderr equal to $3.
erwarte() {
    local ort="$1" code="$2" text="$3"
    shift 3
    local err
    err=$(LANG="$ort" "$bin" "$@" 2>&1 >/dev/null)
    local ist=$?
    [ "$ist" = "$code" ] || scheitern "LANG=$ort $*: exit $ist, wanted $code ($err)"
    [ "$err" = "$text" ] || scheitern "LANG=$ort $*: '$err', wanted '$text'"
}

"$bin" generate --preset 1 --seed 1 --quiet -o gut.qls || scheitern "generate exit $?"
# A map whose size line is no number.
sed '4s/.*/12a\r/' gut.qls >broken.qls

de=de_DE.UTF-8
erwarte $de 1 'tarvello: broken.qls: Zeile 4: erwartet: die Kartengröße (eine Zahl), gefunden: "12a"' \
    render broken.qls --png a.png
erwarte $de 1 'tarvello: broken.qls: line 4: expected the map size (a number), found "12a"' \
    render broken.qls --png a.png --lang en
erwarte C.UTF-8 1 'tarvello: broken.qls: Zeile 4: erwartet: die Kartengröße (eine Zahl), gefunden: "12a"' \
    render broken.qls --png a.png --lang=de
erwarte $de 2 "tarvello: Unbekannte Option 'bogus'." render --bogus gut.qls
erwarte $de 2 "tarvello: Fehlender Wert nach '--pdf'." render gut.qls --pdf
erwarte $de 2 "tarvello: --lang: 'fr' ist weder de noch en" params --lang fr
erwarte $de 2 "tarvello: unbekannter Befehl 'frob' (siehe 'tarvello --help')" frob
erwarte $de 1 'tarvello: fehlt.qls: kann nicht geöffnet werden (No such file or directory)' \
    render fehlt.qls --png a.png
erwarte $de 1 'tarvello: ordner/fehlt/a.qls: der Ordner ordner/fehlt existiert nicht' \
    generate --preset 1 --seed 1 --quiet -o ordner/fehlt/a.qls
erwarte $de 2 'tarvello name: falscher Wert für --count: "0" (eine ganze Zahl von 1 bis 100000)' \
    name --count 0
# The locale variables in their order; LANGUAGE's first entry counts.
erwarte C 2 "tarvello: unknown command 'x' (try 'tarvello --help')" x
[ "$(LANGUAGE=de:en LANG=C "$bin" x 2>&1)" = "tarvello: unbekannter Befehl 'x' (siehe 'tarvello --help')" ] ||
    scheitern "LANGUAGE=de:en is not German"
[ "$(LC_ALL=en_US.UTF-8 LANG=de_DE.UTF-8 "$bin" x 2>&1)" = "tarvello: unknown command 'x' (try 'tarvello --help')" ] ||
    scheitern "LC_ALL=en_US does not win over LANG=de_DE"
[ "$(LC_MESSAGES=de_AT LANG=en_GB "$bin" x 2>&1)" = "tarvello: unbekannter Befehl 'x' (siehe 'tarvello --help')" ] ||
    scheitern "LC_MESSAGES=de_AT does not win over LANG=en_GB"

# Help: German headings and descriptions, the usage line naming the command.
for befehl in generate params name render palette; do
    hilfe=$(LANG=$de "$bin" $befehl --help)
    [ "$(head -n1 <<<"$hilfe" | cut -d' ' -f1-3)" = "Aufruf: tarvello $befehl" ] ||
        scheitern "$befehl --help begins '$(head -n1 <<<"$hilfe")'"
    grep -q -- '--lang' <<<"$hilfe" || scheitern "$befehl --help lacks --lang"
    grep -qE 'Usage|Options|options|Arguments|Displays' <<<"$hilfe" &&
        scheitern "$befehl --help has English: $hilfe"
    englisch=$(LANG=$de "$bin" $befehl --help --lang en)
    [ "$(head -n1 <<<"$englisch" | cut -d' ' -f1-3)" = "Usage: tarvello $befehl" ] ||
        scheitern "$befehl --help --lang en begins '$(head -n1 <<<"$englisch")'"
    [ "$hilfe" != "$englisch" ] || scheitern "$befehl --help is the same in both languages"
done
[ "$(LANG=$de "$bin" render --help | grep -c '^Optionen:$')" = 1 ] || scheitern "render --help lacks 'Optionen:'"
[ "$(LANG=$de "$bin" render --help | grep -c '^Argumente:$')" = 1 ] || scheitern "render --help lacks 'Argumente:'"
[ "$(LANG=$de "$bin" --help | head -n1)" = "Aufruf: tarvello [<Befehl> [Optionen]]" ] ||
    scheitern "tarvello --help is not German"
[ "$(LANG=$de "$bin" --help --lang en | head -n1)" = "Usage: tarvello [<command> [options]]" ] ||
    scheitern "tarvello --help --lang en is not English"
# The list items params shows are worded in the language too.
[ "$("$bin" params --preset 8 --lang en | awk '$1 == "Combo_stadt_form" { print $3 }')" = Round ] ||
    scheitern "params --lang en: $("$bin" params --preset 8 --lang en | grep Combo_stadt_form)"
[ "$("$bin" params --preset 8 --lang de --json | grep -A2 '"Combo_stadt_form"' | grep -o '"text": "[^"]*"')" = '"text": "rund"' ] ||
    scheitern "params --lang de --json is not German"

exit $fehler

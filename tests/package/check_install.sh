#!/usr/bin/env bash
# Checks an installed Orvelin below ROOT (a DESTDIR staging folder or an unpacked package) as a
# user meets it: only the program's own files, libraries found through the run path, the desktop
# files valid, `orvelin eval` and a dialog script working from the installed tree.
#   check_install.sh ROOT PREFIX        (PREFIX: /usr or /usr/local)
set -uo pipefail
root="$1"
prefix="$2"
here="$(cd "$(dirname "$0")" && pwd)"
top="$root$prefix"
fail=0
bad() { echo "FEHLER: $*"; fail=1; }

# Nothing but the program, its libraries, resources, desktop files and documentation.
while IFS= read -r f; do
    case "${f#"$top"/}" in
    bin/orvelin | lib/orvelin/lib*.so | share/orvelin/* | share/applications/orvelin.desktop | \
        share/icons/hicolor/scalable/apps/orvelin.svg | share/mime/packages/orvelin.xml | \
        share/man/man1/orvelin.1.gz | share/doc/orvelin/copyright | share/doc/orvelin/changelog.gz) ;;
    *) bad "unerwartete Datei ${f#"$root"}" ;;
    esac
done < <(find "$root" -path "$root/DEBIAN" -prune -o \( -type f -o -type l \) -print)
for lib in vdparser symbolic orvlplat orvlowl vdfunc orvldlgs orvlprn calcpad; do
    [ -f "$top/lib/orvelin/lib$lib.so" ] || bad "lib$lib.so fehlt"
done
[ -f "$top/share/orvelin/help/html/main9vzm.htm" ] || bad "Hilfeseiten fehlen"
[ -f "$top/share/orvelin/RESULT.vdm" ] || bad "Bilder fehlen"
# The test library that stands in for the symbolic one must never be installed.
if grep -rlq "fake" "$top/lib/orvelin" 2>/dev/null; then
    strings "$top/lib/orvelin/libsymbolic.so" | grep -q "symbolic_calculate" ||
        bad "libsymbolic.so ist nicht die echte Bibliothek"
fi

# Every library of ours resolves inside the installed tree, none in a build tree.
runpath="$(readelf -d "$top/bin/orvelin" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')"
[ "$runpath" = '$ORIGIN/../lib/orvelin' ] || bad "RUNPATH des Programms ist '$runpath'"
while read -r name _ path _; do
    case "$name" in
    libvdparser.so | libsymbolic.so | liborvl*.so | libvdfunc.so | libcalcpad.so | libfn*.so | \
        libmatcalc.so | liblinsolve.so | libstochast.so)
        real="$(realpath -m "$path")"
        [[ "$real" == "$(realpath -m "$top")/lib/orvelin/"* ]] || bad "$name wird aus '$real' geladen" ;;
    esac
done < <(ldd "$top/bin/orvelin")
for lib in "$top"/lib/orvelin/*.so; do
    ldd "$lib" | grep -q "not found" && bad "$(basename "$lib"): Bibliothek nicht gefunden"
done

# The installed program computes, and finds the symbolic library next to its own.
out="$("$top/bin/orvelin" eval "1+1")" || bad "orvelin eval scheitert"
[ "$out" = "2" ] || bad "orvelin eval \"1+1\" gibt '$out'"
sym="$("$top/bin/orvelin" eval --symbolic-diff x "x^3" 2>&1)" || bad "symbolische Ableitung: $sym"
[[ "$sym" == *"3"*"x^2"* ]] || bad "symbolische Ableitung von x^3 gibt '$sym'"

# A dialog script on the installed tree: the chooser, the calculator with a task file, pictures.
export QT_QPA_PLATFORM=offscreen
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
cp "$here"/installed.ors "$here"/aufgabe.rec "$tmp"/
"$top/bin/orvelin" script "$tmp/installed.ors" || bad "Dialogskript auf dem installierten Programm"

# `orvelin open` picks the module from the file; a missing or foreign file is refused.
msg="$("$top/bin/orvelin" open "$tmp/fehlt.rec" 2>&1)"
[ $? -eq 2 ] && [[ "$msg" == *"gibt es nicht"* ]] || bad "open mit fehlender Datei: $msg"
printf '[Irgendwas]\r\nx=1\r\n' > "$tmp/fremd.rec"
msg="$("$top/bin/orvelin" open "$tmp/fremd.rec" 2>&1)"
[ $? -eq 2 ] && [[ "$msg" == *"Kennzeichen"* ]] || bad "open mit fremder Datei: $msg"
# A task file opens its module's window, which stays open until the user closes it.
ORVELIN_HOME="$tmp/home" timeout 4 "$top/bin/orvelin" open "$tmp/aufgabe.rec" >/dev/null 2>&1
[ $? -eq 124 ] || bad "open mit einer Rechner-Aufgabe öffnet kein Fenster"

# Desktop entry and file types.
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$top/share/applications/orvelin.desktop" || bad "Desktop-Eintrag ungültig"
fi
if command -v update-mime-database >/dev/null; then
    mkdir -p "$tmp/mime/packages"
    cp "$top/share/mime/packages/orvelin.xml" "$tmp/mime/packages/"
    update-mime-database "$tmp/mime" >/dev/null 2>&1 || bad "Dateitypen ungültig"
    for ext in fud gls stc rec mat; do
        grep -q "^application/x-orvelin-$ext:\*\.$ext$" "$tmp/mime/globs" ||
            bad "Dateityp für .$ext fehlt"
    done
fi
zcat "$top/share/man/man1/orvelin.1.gz" | grep -q "^\.SH BEFEHLE" || bad "Handbuchseite fehlt"
# Every subcommand the program offers is described in the manual page.
man="$(zcat "$top/share/man/man1/orvelin.1.gz")"
for word in $("$top/bin/orvelin" --help 2>&1 | sed -n 's/^ *\(Aufruf: \)\{0,1\}orvelin \([a-z|]*\).*/\2/p' | tr '|' ' '); do
    grep -qw -- "$word" <<<"$man" || bad "die Handbuchseite nennt \"$word\" nicht"
done

[ $fail -eq 0 ] && echo "Installation in $root$prefix: in Ordnung"
exit $fail

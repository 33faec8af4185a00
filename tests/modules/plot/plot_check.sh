#!/bin/sh
# Runs `orvelin plot` on task files and checks what it wrote: a picture of the asked size, the
# drawing page as a one-page PDF with the task's texts, and the refusal of a file that is no
# task file or is not there.
# Usage: plot_check.sh ORVELIN FIXTURES WORKDIR
prog=$1 fixtures=$2 dir=$3
fail() { echo "plot_check: $*" >&2; exit 1; }
rm -rf "$dir" && mkdir -p "$dir" || fail "cannot make $dir"
"$prog" plot "$fixtures/gross.fud" --png "$dir/gross.png" --size 640x480 --pdf "$dir/gross.pdf" ||
    fail "plot failed"
[ -s "$dir/gross.png" ] || fail "no picture"
file "$dir/gross.png" | grep -q '640 x 480' || fail "wrong size: $(file "$dir/gross.png")"
info=$(pdfinfo "$dir/gross.pdf") || fail "pdfinfo cannot read the page"
echo "$info" | grep -Eq '^Pages: +1$' || fail "not one page"
text=$(pdftotext -layout "$dir/gross.pdf" -) || fail "pdftotext cannot read the page"
for expected in "Orvelin 5.0 - Funktionsdiskussion" "Funktion: f(x)=" "sin(x)+cos(x)" \
    "Variablen" "y-Wert:" "x-Intervall:" "[-5, 5]" "h-Intervall:" "[-1000, 1000]" "mit f'(x)" \
    "durchgezeichnet" "x-Abstand:" "h-Abstand:" "100"; do
    echo "$text" | grep -qF -- "$expected" || fail "text missing: $expected"
done
if "$prog" plot "$fixtures/ohne_programm.fud" --png "$dir/nein.png" 2> "$dir/err.txt"; then
    fail "a file without [Programm] was drawn"
fi
grep -q "Die Datei besitzt kein lesbares Format." "$dir/err.txt" || fail "no message: $(cat "$dir/err.txt")"
[ ! -e "$dir/nein.png" ] || fail "a picture was written for a refused file"
# A file that is not there is named as missing, not called unreadable.
if "$prog" plot "$dir/fehlt.fud" --png "$dir/nein.png" 2> "$dir/err.txt"; then
    fail "a missing file was drawn"
fi
grep -qF "Die Datei 'fehlt.fud' gibt es nicht." "$dir/err.txt" ||
    fail "missing file not named: $(cat "$dir/err.txt")"
[ ! -e "$dir/nein.png" ] || fail "a picture was written for a missing file"
"$prog" plot "$fixtures/gross.fud" --png "$dir/x.png" --size 3x3 2> /dev/null && fail "size 3x3 taken"
# With the discussion of the roots module the drawing is marked; the picture differs.
"$prog" plot "$fixtures/gross.fud" --png "$dir/markiert.png" --size 640x480 --markiert ||
    fail "plot --markiert failed"
cmp -s "$dir/gross.png" "$dir/markiert.png" && fail "the marks changed nothing"
echo "plot_check: picture, marked picture, drawing page and refusals"

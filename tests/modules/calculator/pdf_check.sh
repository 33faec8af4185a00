#!/bin/sh
# Runs the calculator's printing script and checks the PDF it printed: one A4 page with the
# function, the base and angle label, the variables and the result.
# Usage: pdf_check.sh ORVELIN SCRIPT WORKDIR
prog=$1 script=$2 dir=$3
fail() { echo "pdf_check: $*" >&2; exit 1; }
rm -rf "$dir" && mkdir -p "$dir" || fail "cannot make $dir"
"$prog" script "$script" --progdir "$dir" || fail "the dialog script failed"
pdf="$dir/rechner.pdf"
[ -s "$pdf" ] || fail "no PDF file was written"
info=$(pdfinfo "$pdf") || fail "pdfinfo cannot read the file"
echo "$info" | grep -Eq '^Pages: +1$' || fail "not one page: $info"
text=$(pdftotext -layout "$pdf" -) || fail "pdftotext cannot read the file"
for expected in "Orvelin 5.0 - Rechner" "Funktion" "(DEC/RAD):" "sqrt(x^2+y^2)*sin(z)+u*v-w" \
    "Variablen" "x-Wert:" "u-Wert:" "w-Wert:" "1.25" "0.52359877559829887307"; do
    echo "$text" | grep -qF -- "$expected" || fail "text missing: $expected"
done
echo "$text" | grep -Eq '^Ergebnis\(DEC\): +4\.5$' || fail "result line not found"
# The variables' rows: x beside u, z beside w.
echo "$text" | grep -Eq '^x-Wert: +3 +u-Wert: +2$' || fail "x and u not in one row"
echo "$text" | grep -Eq '^z-Wert: +0\.5235987755982988730[0-9]* +w-Wert: +0\.5$' ||
    fail "z and w not in one row"
echo "pdf_check: the calculator's page with function, variables and result"

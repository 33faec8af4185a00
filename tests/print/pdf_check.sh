#!/bin/sh
# Prints the test page into a PDF file through a dialog script and checks the file: one A4
# page with the page's texts, and nothing else left in the folder.
# Usage: pdf_check.sh ORVELIN SCRIPT WORKDIR
prog=$1 script=$2 dir=$3
fail() { echo "pdf_check: $*" >&2; exit 1; }
rm -rf "$dir" && mkdir -p "$dir" || fail "cannot make $dir"
"$prog" script "$script" --progdir "$dir" || fail "the dialog script failed"
pdf="$dir/testseite.pdf"
[ -s "$pdf" ] || fail "no PDF file was written"
info=$(pdfinfo "$pdf") || fail "pdfinfo cannot read the file"
echo "$info" | grep -Eq '^Pages: +1$' || fail "not one page: $info"
echo "$info" | grep -Eq '^Page size: +595(\.[0-9]+)? x 84[12](\.[0-9]+)? pts \(A4\)' ||
    fail "not A4: $info"
text=$(pdftotext -layout "$pdf" -) || fail "pdftotext cannot read the file"
for expected in "Orvelin Testseite" "Art der Ausgabe: 7" "Funktion:" \
    "sin(x)*cos(y)+3*x^2-4*x*y+(x-1)*(y+2)/(z^2+1)" "-987654321*y^3+(x+y+z+u+v+w)^2/(1+x^2+y^2)" \
    "Ende der Testseite"; do
    echo "$text" | grep -qF -- "$expected" || fail "text missing: $expected"
done
# The function text is broken into two lines, the second starting at the operator.
echo "$text" | grep -Eq '^ +-987654321' || fail "second function line not found"
left=$(ls "$dir" | grep -v -e '^testseite\.pdf$' -e '^orvlprn\.ini$')
[ -z "$left" ] || fail "files left behind: $left"
echo "pdf_check: one A4 page with the test page's texts"

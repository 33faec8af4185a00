#!/bin/sh
# Runs the printing script of the linear systems and checks the PDF it printed: one A4 page
# with the given system, the solution form and the sentence on the number of solutions.
# Usage: pdf_check.sh ORVELIN SCRIPT WORKDIR
prog=$1 script=$2 dir=$3
fail() { echo "pdf_check: $*" >&2; exit 1; }
rm -rf "$dir" && mkdir -p "$dir" || fail "cannot make $dir"
"$prog" script "$script" --progdir "$dir" || fail "the dialog script failed"
pdf="$dir/glsys.pdf"
[ -s "$pdf" ] || fail "no PDF file was written"
info=$(pdfinfo "$pdf") || fail "pdfinfo cannot read the file"
echo "$info" | grep -Eq '^Pages: +1$' || fail "not one page: $info"
text=$(pdftotext -layout "$pdf" -) || fail "pdftotext cannot read the file"
for expected in "Ausgangssystem:" "Lösungssystem:" "Das System hat genau eine Lösung." \
    "Ausdruck und Berechnungen über Orvelin"; do
    echo "$text" | grep -qF -- "$expected" || fail "text missing: $expected"
done
# The rows: the given system, then the solution form with the solution x = (2, 3, -1).
row() { echo "$text" | grep -Eq "^ *$1 *$" || fail "row not found: $1"; }
row '2\*x1\+ +1\*x2\+ +-1\*x3= +8'
row '-3\*x1\+ +-1\*x2\+ +2\*x3= +-11'
row '1\*x1\+ +0\*x2\+ +0\*x3= +2'
row '0\*x1\+ +1\*x2\+ +0\*x3= +3'
row '0\*x1\+ +0\*x2\+ +1\*x3= +-1'
echo "pdf_check: the page of the linear systems with both systems and the sentence"

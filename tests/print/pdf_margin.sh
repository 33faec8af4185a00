#!/bin/sh
# Prints through a dialog script into a PDF file and checks that the page stands inside a
# printer's printable area although a PDF file has no unprintable border: no word closer than
# 5 mm (14.17 pt) to the left edge of the paper.
# Usage: pdf_margin.sh ORVELIN SCRIPT WORKDIR PDFNAME
prog=$1 script=$2 dir=$3 name=$4
fail() { echo "pdf_margin: $*" >&2; exit 1; }
rm -rf "$dir" && mkdir -p "$dir" || fail "cannot make $dir"
"$prog" script "$script" --progdir "$dir" || fail "the dialog script failed"
[ -s "$dir/$name" ] || fail "no PDF file $name was written"
minx=$(pdftotext -bbox "$dir/$name" - | sed -n 's/.*<word xMin="\([0-9.]*\)".*/\1/p' | sort -n | head -1)
[ -n "$minx" ] || fail "no words with positions"
awk -v x="$minx" 'BEGIN { exit !(x >= 14.1) }' || fail "a word stands $minx pt from the left edge"
echo "pdf_margin: the leftmost word stands $minx pt from the edge"

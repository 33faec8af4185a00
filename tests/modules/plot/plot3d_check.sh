#!/bin/sh
# The 3D task: its drawing page printed through the print dialog into a PDF file carries the
# y interval and "y-Abstand:" (and no grid labels of the slices); `orvelin plot` and the input
# dialog's preview draw the same picture for the turns 0 and 360 and another one a quarter
# turn further; --ohne-linien leaves the lines out.
# Usage: plot3d_check.sh ORVELIN FIXTURES WORKDIR
prog=$1 fixtures=$2 dir=$3
fail() { echo "plot3d_check: $*" >&2; exit 1; }
rm -rf "$dir" && mkdir -p "$dir" || fail "cannot make $dir"
"$prog" script "$fixtures/drucken3d.ors" --progdir "$dir" || fail "the dialog script failed"
pdf="$dir/flaeche.pdf"
[ -s "$pdf" ] || fail "no PDF file was written"
pdfinfo "$pdf" | grep -Eq '^Pages: +1$' || fail "not one page"
text=$(pdftotext -layout "$pdf" -) || fail "pdftotext cannot read the page"
for expected in "Funktion: f(x,y)=" "sin(x)*cos(y)" "y-Intervall:" "[-2, 2.5]" "y-Abstand:" \
    "x-Intervall:" "[-3, 3]" "h-Intervall:" "[-1, 1]" "z-Wert:"; do
    echo "$text" | grep -qF -- "$expected" || fail "text missing: $expected"
done
echo "$text" | grep -Eq '^ *-3 +-1 +1 +3 *$' && fail "the slice grids are labelled"
for turn in 0 360 90; do
    sed "s/^Turn_Round=.*/Turn_Round=$turn/" "$fixtures/flaeche.fud" > "$dir/turn$turn.fud" ||
        fail "cannot write turn$turn.fud"
    "$prog" plot "$dir/turn$turn.fud" --png "$dir/turn$turn.png" --size 400x300 ||
        fail "plot of turn $turn failed"
done
cmp -s "$dir/turn0.png" "$dir/turn360.png" || fail "the turns 0 and 360 differ"
cmp -s "$dir/turn0.png" "$dir/turn90.png" && fail "a quarter turn changed nothing"
# The same in the input dialog: the preview of a file with 360 is the one of 0.
"$prog" script "$fixtures/drehen360.ors" --progdir "$dir/dialog" || fail "the turn script failed"
cmp -s "$dir/dialog/dreh0.png" "$dir/dialog/dreh360.png" || fail "the dialog's 0 and 360 differ"
cmp -s "$dir/dialog/dreh0.png" "$dir/dialog/dreh90.png" && fail "the dialog's turn changed nothing"
# Black and white: a task file always gives it lines, --ohne-linien leaves them out.
sed "s/^farbig=.*/farbig=N/" "$fixtures/flaeche.fud" > "$dir/sw.fud" || fail "cannot write sw.fud"
"$prog" plot "$dir/sw.fud" --png "$dir/sw.png" --size 400x300 || fail "plot of sw.fud failed"
"$prog" plot "$dir/sw.fud" --png "$dir/sw_ohne.png" --size 400x300 --ohne-linien ||
    fail "plot --ohne-linien failed"
cmp -s "$dir/sw.png" "$dir/sw_ohne.png" && fail "--ohne-linien changed nothing"
echo "plot3d_check: 3D drawing page with the y interval, turns 0 and 360 alike"

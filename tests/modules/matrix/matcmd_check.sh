#!/bin/sh
# The headless command: its output lines for a few matrices, and bad input refused with exit 1.
set -u
prog=$1
fail=0
check() { # expected-file-content, arguments...
    expected=$1
    shift
    actual=$("$prog" matrix "$@" 2>/dev/null)
    if [ "$actual" != "$expected" ]; then
        echo "orvelin matrix $*:"
        echo "--- expected"; echo "$expected"; echo "--- got"; echo "$actual"
        fail=1
    fi
}
check "Rang: 2
Determinante: -1
Inverse:
0 1
1 0
Stufenform:
1 0
0 1" "0,1;1,0"
check "Rang: 2
Determinante: 0
Inverse:
nicht invertierbar
Stufenform:
1e-09 0
0 1e-09
CharPolyText: (1*x^(2)-2e-09*x+0)
CharPolyAnzeige: 1*x^2 -2e-09*x +0" --charpoly "1e-9,0;0,1e-9"
check "Rang: 3
Determinante: 6
Inverse:
1 0 0
0 0.5 0
0 0 0.333333333333333
Stufenform:
1 0 0
0 2 0
0 0 3
CharPolyText: (-1*x^(3)+6*x^(2)-11*x+6)
CharPolyAnzeige: -1*x^3 +6*x^2 -11*x +6
Eigenwerte:
1.Verfahren:
1
2
3" --charpoly --eigen "1,0,0;0,2,0;0,0,3"
check "Rang: 1
Determinante: 2
Inverse:
0.5
Stufenform:
2
CharPolyText: 
CharPolyAnzeige: 
Eigenwerte:
1.Verfahren:
2" --charpoly --eigen "1+1"
for bad in "1,2;3" "1,2;3,x+" "1e5000,0;0,1" "1,2,3,4,5,6,7,8,9;1"; do
    if "$prog" matrix "$bad" >/dev/null 2>&1; then
        echo "orvelin matrix \"$bad\" was accepted"
        fail=1
    fi
done
exit $fail

#!/bin/sh
# Runs the stochastics printing script and checks the PDF of each distribution: one A4 page with
# the title, the description, the formula (with "ds" after the integrals), the values and the
# result.
# Usage: pdf_check.sh ORVELIN SCRIPT WORKDIR
prog=$1 script=$2 dir=$3
fail() { echo "pdf_check: $*" >&2; exit 1; }
rm -rf "$dir" && mkdir -p "$dir" || fail "cannot make $dir"
"$prog" script "$script" --progdir "$dir" || fail "the dialog script failed"

# check FILE TEXT... : one page holding every TEXT
check() {
    pdf="$dir/$1"
    shift
    [ -s "$pdf" ] || fail "no PDF file $pdf"
    info=$(pdfinfo "$pdf") || fail "pdfinfo cannot read $pdf"
    echo "$info" | grep -Eq '^Pages: +1$' || fail "$pdf: not one page"
    text=$(pdftotext -layout "$pdf" -) || fail "pdftotext cannot read $pdf"
    for expected in "Orvelin 5.0 - Stochastik" "Variablen" "x-Wert:" "$@"; do
        echo "$text" | grep -qF -- "$expected" || fail "$pdf: text missing: $expected"
    done
}

check binomial.pdf "Binomialverteilung:" "mit Zurücklegen" "P(X=x)=" \
    "(w!/(x!*(w-x)!))*(v/u)^x*(1-v/u)^(w-x)" "u-Wert:" "w-Wert:" "E(X):" "V(X):" \
    "mit E(X)=w*p, V(X)=w*p*q und p=v/u, q=1-p"
echo "$text" | grep -Eq '^Ergebnis: +0\.3087$' || fail "binomial: result line not found"
echo "$text" | grep -Eq '^E\(X\): +1\.5$' || fail "binomial: E(X) line not found"
echo "$text" | grep -Eq '^x-Wert: +2 +u-Wert: +10$' || fail "binomial: x and u not in one row"

check hypergeometrisch.pdf "Hypergeometrische Verteilung:" "ohne Zurücklegen" \
    "V(X)=w*p*q*(u-w)/(u-1)"
echo "$text" | grep -Eq '^Ergebnis: +0\.416666666666667$' || fail "hypergeometric: result"

check normal.pdf "Normalverteilung:" "N(y;z)-verteilt" "P(X<=x)=" \
    "1/(z*sqrt(2*pi))*e^(-1/2*((s-y)/z)^2)" "-oo" "y-Wert:" "z-Wert:"
echo "$text" | grep -Eq '^Ergebnis: +0\.977249$' || fail "normal: result line not found"
echo "$text" | grep -Eq '^z-Wert: +15$' || fail "normal: z line not found"
echo "$text" | grep -Eq '\^2\) +ds$' || fail "normal: no ds after the formula"

check poisson.pdf "Poisson-Verteilung:" "E(X)=y, die Varianz ist V(X)=y." "(y^x)/(x!)*exp(-y)" \
    "y-Wert:"
echo "$text" | grep -Eq '^Ergebnis: +0\.213763017249736$' || fail "Poisson: result"
echo "$text" | grep -qF "u-Wert:" && fail "Poisson: urn values printed"

check chi.pdf "Chi-Quadrat:" "Freiheitsgraden" "P(X²>=x)=" \
    "(s^(v/2-1)*exp(-s/2))/(2^(v/2)*GAMMA(v/2))" "oo" "v-Wert:" "E(X²):" "V(X²):" \
    "mit E(X²)=v, V(X²)=2*v"
echo "$text" | grep -Eq '^Ergebnis: +0\.049999$' || fail "chi-square: result line not found"
echo "$text" | grep -Eq '^V\(X²\): +20$' || fail "chi-square: V line not found"
echo "$text" | grep -Eq 'GAMMA\(v/2\)\) +ds$' || fail "chi-square: no ds after the formula"
echo "pdf_check: the pages of the five distributions"

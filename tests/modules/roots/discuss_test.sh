#!/usr/bin/env bash
# Usage: discuss_test.sh ORVELIN — `orvelin discuss` as a teacher's script meets it: the output
# of whole discussions, bad input and the exit status.
set -u
bin="$1"
export QT_QPA_PLATFORM=offscreen
check_command=discuss
check_timeout=60
source "$(dirname "$0")/../../lib/command_checks.sh"

# expect_err PATTERN STATUS ARGS...: stderr matches PATTERN, exit status STATUS.
expect_err() {
    local pattern="$1" want_rc="$2"
    shift 2
    run "$@"
    if ! [[ "$err" =~ $pattern ]] || [ "$rc" != "$want_rc" ]; then
        fail "$*" "got stderr '$err' (status $rc), expected /$pattern/ (status $want_rc)"
    fi
}

nl=$'\n'
expect "Integral: 0${nl}PosIntegral: 2308.0023${nl}NegIntegral: -2308.0023${nl}Nullstellen:${nl}-2,0${nl}0,0${nl}2,0${nl}Extrema:${nl}-1.154700538,3.079201436 H${nl}1.154700538,-3.079201436 T${nl}Wendestellen:${nl}0,0 rl${nl}Nst. f'''(x):" 0 "x^3-4*x"

# Only the integral; the interval and the accuracy from the options.
expect "Integral: 1${nl}PosIntegral: 1${nl}NegIntegral: 0${nl}Nullstellen:${nl}Extrema:${nl}Wendestellen:${nl}Nst. f'''(x):" 0 --integral --x1 0 --x2 1 1
expect "Integral: 0${nl}PosIntegral: 0.5${nl}NegIntegral: -0.5${nl}Nullstellen:${nl}Extrema:${nl}Wendestellen:${nl}Nst. f'''(x):" 0 --integral --x1 -1 --x2 1 x
# An undefined function integrates to 0 and is no failure.
expect "Integral: 0${nl}PosIntegral: 0${nl}NegIntegral: 0${nl}Nullstellen:${nl}Extrema:${nl}Wendestellen:${nl}Nst. f'''(x):" 0 --integral "sqrt(-1-x^2)"

# Only the discussion: a double root through the cross-check, a pole only when forced, the
# variables y ... w.
expect "Nullstellen:${nl}1,0${nl}Extrema:${nl}1,0 T${nl}Wendestellen:${nl}Nst. f'''(x):" 0 --diskussion "(x-1)^2"
expect "Nullstellen:${nl}Extrema:${nl}Wendestellen:${nl}Nst. f'''(x):" 0 --diskussion 1/x
run --diskussion --erzwinge 1/x
[ "$rc" = 0 ] && [ "$(echo "$out" | sed -n 2p | cut -d, -f2)" = "0" ] ||
    fail "--erzwinge 1/x" "got '$out' (status $rc)"
expect "Nullstellen:${nl}3,0${nl}Extrema:${nl}Wendestellen:${nl}Nst. f'''(x):" 0 --diskussion --at 3 "x-y"
expect "Nullstellen:${nl}-1,0${nl}Extrema:${nl}Wendestellen:${nl}Nst. f'''(x):" 0 --diskussion --x1 -5 --x2 5 --abstand 0.1 -- "x+1"

# An overflowing integral prints the rest and fails with a reason.
expect_err "Zahlenbereich" 1 --x1 0 --x2 2000 --genauigkeit 1 "9*10^4931+x"
# A function that cannot be set up, and bad options.
expect_err "Berechnungsfunktion:.*Klammer|Berechnungsfunktion:" 1 "2*(x"
expect_err "die Funktion fehlt" 2 --integral
expect_err "ungültiger Wert" 2 --abstand 0 x
expect_err "ungültiger Wert" 2 --x1 abc x
expect_err "x1 muss kleiner" 2 --x1 3 --x2 1 x
expect_err "unbekannte Option" 2 --schnell x

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi

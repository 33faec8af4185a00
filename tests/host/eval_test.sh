#!/usr/bin/env bash
# Usage: eval_test.sh ORVELIN GROUP — runs one group of checks of `orvelin eval`, reports every
# mismatch and exits with status 1 when any check failed.
set -u
bin="$1"
group="$2"
check_command=eval
check_timeout=10
source "$(dirname "$0")/../lib/command_checks.sh"

# near VALUE TOLERANCE ARGS...: a result within TOLERANCE of VALUE, exit status 0.
near() {
    local want="$1" tol="$2"
    shift 2
    run "$@"
    if [ "$rc" != 0 ] || ! awk -v g="$out" -v w="$want" -v t="$tol" \
        'BEGIN { d = g - w; if (d < 0) d = -d; exit !(g ~ /^-?[0-9.]+(e[-+]?[0-9]+)?$/ && d <= t) }'; then
        fail "$*" "got '$out' (status $rc, stderr '$err'), expected $want within $tol"
    fi
}

# usage ARGS...: wrong usage is exit status 2, a message on stderr and nothing on stdout.
usage() {
    run "$@"
    if [ "$rc" != 2 ] || [ -z "$err" ] || [ -n "$out" ]; then
        fail "$*" "got status $rc, stdout '$out', stderr '$err'; expected a usage error"
    fi
}

# sane ARGS...: any text gets a result or a parser error, one line, within 10 seconds: never a
# crash, a hang or a usage error.
sane() {
    run "$@"
    if [ "$rc" = 1 ] && [[ "$out" == "Fehler "[0-9]*": "* ]] && [ -z "$err" ]; then return; fi
    if [ "$rc" = 0 ] && [ -n "$out" ] && [[ "$out" != *$'\n'* ]] && [ -z "$err" ]; then return; fi
    fail "$*" "status $rc, stdout '${out:0:200}', stderr '${err:0:200}'"
}

# error CODE ARGS...: a parser error with this code.
error() {
    local code="$1"
    shift
    run "$@"
    if [ "$rc" != 1 ] || [[ "$out" != "Fehler $code: "* ]]; then
        fail "$*" "got '$out' (status $rc), expected error $code"
    fi
}

case "$group" in
results)
    # Digits as the calculator's result field shows them, more on request.
    expect "0.3" 0 "0.1+0.2"
    expect "0.333333333333333" 0 "1/3"
    expect "3.14159265358979" 0 "pi"
    expect "0.30000000000000000001" 0 --digits 20 "0.1+0.2"
    expect "0.33" 0 --digits 2 "1/3"
    expect 512 0 "2^3^2"
    # A negative zero is shown as 0, whether it comes from rounding or from the text.
    expect 0 0 "sin(pi)"
    expect 0 0 -- -1e-17
    expect 0 0 --vars x --count 1 --at 0 -- "-x"
    # Thousands of percent signs: hundredths that underflow to 0, no bracket message.
    expect 0 0 "50$(printf '%%%.0s' $(seq 1 3126))"
    expect 19 0 "1+2*3^2"
    expect 30 0 --vars xy --count 2 --at 3,4 "2x(y+1)"
    expect 30 0 --vars xy --at 3,4 "2x(y+1)"            # the count from the description
    expect 10 0 --vars "ab cd" --at 2,5 "ab*cd"
    expect 3 0 --vars x --at 3 "x"
    expect 30 0 --vars "x y" --count 2 --at 3,4 "2x(y+1)"
    expect 10 0 --vars "ab cd" --count 2 --at 2,5 "ab*cd"
    expect 4 0 --vars xy --count 2 --at 3 "x+y+1"      # missing contents are 0
    expect 9 0 --vars x --count 1 --at 3 "x²"          # UTF-8 superscript in the text
    expect 4 0 --vars x --count 1 --at -2 "x^2"
    expect 15 0 --vars x --count 1 --at 1.5e1 "x"
    expect 2.5 0 "10/4"
    expect 3 0 "1,5*2"                                   # decimal comma in the text
    expect 7 0 "7"                                       # a plain number is a result
    expect 3 0 --base 2 "10+1"
    expect 256 0 --base 16 "FF+1"
    expect FF 0 --out-base 16 255
    expect 1010.1 0 --out-base 2 10.5
    expect -1010.1 0 --out-base 2 -- -10.5
    expect 1 0 --unit 1 "sin(90)"
    expect 90 0 --unit 1 "asin(1)"
    expect -4 0 -- "-2^2"
    expect -4 0 "-2^2"
    expect 0 0 --derive 3 --snap --vars x --count 1 --at 3 "x^2"
    expect 0 0 --derive 1 "5"                             # derivative of a plain number
    near 6 1e-6 --derive 1 --vars x --count 1 --at 3 "x^2"
    near 2 1e-3 --derive 2 --vars x --count 1 --at 3 "x^2"
    near 18 1e-3 --derive 2 --var 1 --vars xy --count 2 --at 1,3 "x*y^3"
    near 27 1e-5 --derive 1 --var 1 --vars xy --count 2 --at 1,3 "x*y^3"
    near 0 1e-8 --unit 3 "cos(100)"
    ;;
errors)
    expect "Fehler 5: '1/0' kann keinen vertretbaren Wert ermitteln. (Division ist nicht im gültigen Bereich.)" 1 "1/0"
    expect "Fehler 5: '1/0' kann keinen vertretbaren Wert ermitteln. (Division ist nicht im gültigen Bereich.)" 1 \
        --vars x --count 1 --at 0 "1/x"
    expect "Fehler 15: Fehler im Abschluß der Funktion." 1 "2+"
    expect "Fehler 2: Fehler in der Klammerung der Funktion." 1 "2*(3+4"
    expect "Fehler 3: Unbekannte Konstante oder Variable 'q' in der Funktion." 1 "2*q"
    expect "Fehler 3: Unbekannte Konstante oder Variable 'ä' in der Funktion." 1 "2*ä"
    expect "Fehler 6: 'sqrt(-1)' kann keinen vertretbaren Wert ermitteln." 1 "sqrt(-1)"
    expect "Fehler 10: Eine zu große Ableitung wurde für die Berechnung angegeben." 1 \
        --derive 4 --vars x --count 1 --at 3 "x^2"
    expect "Fehler 18: Ungültiges Zeichen '#' in der Funktion." 1 "2#3"
    expect "Fehler 19: Die Konstante 'e' (bzw. 'E') kann nicht als Variable gesetzt werden." 1 \
        --vars xe --count 2 "x+1"
    ;;
usage)
    usage
    usage --digits 0 "1"
    usage --digits 21 "1"
    usage --digits zwei "1"
    # Contents that are no numbers are refused, not computed with.
    usage --vars x --count 1 --at nan "x"
    usage --vars x --count 1 --at inf "x"
    usage --vars x --count 1 --at 1e5000 "x"
    usage --foo "1+1"
    usage "1+1" "2+2"
    usage --count
    usage --vars x --count abc "x"
    usage --vars x --count -1 "x"
    usage --count 1 "x"
    usage --vars x --count 1 --at 1,abc "x"
    usage --vars x --count 1 --at 1,2 "x"
    usage --base 3 "10"
    usage --base 2 --vars x --count 1 "x"
    usage --unit 4 "sin(1)"
    usage --derive x --vars x --count 1 "x"
    usage --derive 1 --var -1 --vars x --count 1 "x"
    usage --derive 1 --var 2 --vars xy --count 2 "x*y"
    usage --out-base 7 "1"
    usage --symbolic-diff x --symbolic-int x "x"
    usage --
    run --help
    if [ "$rc" != 0 ] || [ -z "$out" ]; then fail "--help" "no help text on stdout (status $rc)"; fi
    ;;
symbolic)
    # Functions without a symbolic derivative get the fixed answer, with or without the library.
    expect "Berechnung der Ableitung ist bei der eingegebenen Funktion nicht möglich." 0 \
        --symbolic-diff x "fac(x)"
    expect "Berechnung der Stammfunktion ist bei der eingegebenen Funktion nicht möglich." 0 \
        --symbolic-int x "fac(x)"
    expect "Fehler 15: Fehler im Abschluß der Funktion." 1 --symbolic-diff x "2+"
    if [ -e "$(dirname "$bin")/../lib/libsymbolic.so" ]; then
        # What the library answers must compile and give the derivative's value.
        run --symbolic-diff x "x^3-4*x"
        derivative="$out"
        expect 8 0 --vars x --count 1 --at 2 "$derivative"
        run --symbolic-int x "3*x^2"
        near 8 1e-12 --vars x --count 1 --at 2 "$out"
    else
        echo "libsymbolic.so not built: symbolic results not checked"
    fi
    ;;
robust)
    # Factorial and percent signs followed by more text; brackets and signs without operands.
    for text in "2!3" "6!0" "(2+1)!3" "5%0" "2*5%3" "1%1%" "sqrt(%1)" "(%+%)" "(%+1%)" "%1" \
        "5%%" "x!!" "(-)" "((((" "))))" "^" "!" "%" "e" "E" "pi^pi^pi^pi" "1e5000" "-1e5000*2" \
        "fac(1755)" "GAMMA(1e30)" "rand(1e30)" "round(1e4000)" "tan(1e4000)" "2^-1e5000"; do
        sane --vars x --count 1 --at 2 -- "$text"
        sane -- "$text"
    done
    # Each percentage of a sum repeats the sum in front of it: no blow-up of the text.
    sane -- "1$(printf '+2%%*1%.0s' $(seq 1 18))"
    # A number beyond long double is said to be one.
    expect "Fehler 3: Die Zahl '1e5000' ist nicht im gültigen Bereich." 1 "2*1e5000"
    # Unknown text behind a bracket is no factor to drop silently.
    error 3 --vars x --count 1 --at 2 "sin(x)q"
    error 3 --vars x --count 1 --at 2 "(x+1)q"
    # Long texts, deep nesting and long names.
    long="x"
    for _ in $(seq 1 299); do long="$long+sin(x)*2"; done # 2692 characters
    near "$("$bin" eval -- "2+299*sin(2)*2")" 1e-9 --vars x --count 1 --at 2 -- "$long"
    sane --vars x --count 1 --at 2 -- "$(printf '(%.0s' $(seq 1 3000))x$(printf ')%.0s' $(seq 1 3000))"
    sane --vars x --count 1 --at 2 -- "$(printf 'a%.0s' $(seq 1 500))"
    sane --vars "$(printf 'v%.0s ' $(seq 1 1000))" --count 1000 -- "v"
    ;;
*)
    echo "unknown group $group"
    exit 1
    ;;
esac

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"

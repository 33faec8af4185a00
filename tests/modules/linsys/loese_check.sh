#!/bin/sh
# `orvelin glsys --loese`: the answer on standard output (UTF-8), exit code 0; bad input gives
# exit code 1 and the reason on standard error.
# Usage: loese_check.sh ORVELIN
prog=$1
fail() { echo "loese_check: $*" >&2; exit 1; }
out=$("$prog" glsys --loese "0,1,1;1,1,2" 2>/dev/null) || fail "exit code $? for a regular system"
want=$(printf 'Lösungssystem:\n1*x1+ 0*x2= 1\n0*x1+ 1*x2= 1\nDas System hat genau eine Lösung.\nx1 = 1\nx2 = 1')
[ "$out" = "$want" ] || fail "unexpected answer: $out"
# The example of the help page.
out=$("$prog" glsys --loese "2,1,5;1,-1,1" 2>/dev/null) || fail "exit code $? for the example"
echo "$out" | tail -2 | tr '\n' ' ' | grep -qx 'x1 = 2 x2 = 1 ' || fail "example: $out"
err=$("$prog" glsys --loese "1,2,3;4,5" 2>&1 >/dev/null) && fail "bad input accepted"
echo "$err" | grep -q "Gleichung 2: Sie hat 2 statt 3 Zahlen" || fail "no reason: $err"
err=$("$prog" glsys --loese 2>&1 >/dev/null) && fail "a missing system accepted"
echo "$err" | grep -q "Aufruf: orvelin glsys --loese" || fail "no usage: $err"
echo "loese_check: answer and reasons of orvelin glsys --loese"

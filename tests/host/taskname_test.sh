#!/usr/bin/env bash
# Usage: taskname_test.sh ORVELIN — a task file on the command line whose name Windows-1252
# cannot hold is refused with the German message, and no file appears under any name.
set -u
bin="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
cd "$dir"
err="$(QT_QPA_PLATFORM=offscreen ORVELIN_HOME="$dir/home" timeout 20 "$bin" calc "Ωmega.rec" 2>&1)"
rc=$?
failures=0
if [ "$rc" != 2 ]; then echo "FAIL: exit status $rc, expected 2"; failures=1; fi
case "$err" in
*"Der Dateiname enthält Zeichen"*) ;;
*) echo "FAIL: message '$err'"; failures=1 ;;
esac
left="$(ls -A "$dir" | grep -v '^home$')"
if [ -n "$left" ]; then echo "FAIL: files were made: $left"; failures=1; fi
exit $failures

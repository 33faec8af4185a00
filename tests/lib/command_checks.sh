# Checks of one subcommand of the program as a script meets it, sourced by the command tests.
# Before sourcing set: bin (the program), check_command (the subcommand, "eval") and
# check_timeout (seconds a run may take). Counts failed checks in `failures`.
failures=0

run() { # run ARGS... — sets out, err and rc (124 when it ran longer than check_timeout)
    local errfile
    errfile="$(mktemp)"
    out="$(timeout "$check_timeout" "$bin" "$check_command" "$@" 2>"$errfile")"
    rc=$?
    # Qt's note about a missing runtime directory is no output of the command.
    err="$(grep -v XDG_RUNTIME_DIR "$errfile")"
    rm -f "$errfile"
}

fail() {
    echo "FAIL: orvelin $check_command ${1:0:100}"
    echo "      $2"
    failures=$((failures + 1))
}

# expect OUTPUT STATUS ARGS...: stdout is exactly OUTPUT, exit status STATUS.
expect() {
    local want="$1" want_rc="$2"
    shift 2
    run "$@"
    if [ "$out" != "$want" ] || [ "$rc" != "$want_rc" ]; then
        fail "$*" "got '$out' (status $rc, stderr '$err'), expected '$want' (status $want_rc)"
    fi
}

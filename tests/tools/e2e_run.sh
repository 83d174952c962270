# What every end-to-end script shares: a work folder, and on every way out the program stopped,
# the sound server and the X session (where started) stopped, and the folder removed.
# Source it after x_probe.sh, then call `e2e_begin NAME`.

e2e_cleanup() {
    stop_app "$app_pid"
    [[ -d $work/pulse ]] && "$tools/pulse_server.sh" stop "$work/pulse"
    [[ -d $work/x ]] && "$tools/xsession.sh" stop "$work/x"
    rm -rf "$work"
}

e2e_begin() {
    work=$(mktemp -d "${TMPDIR:-/tmp}/corvessa-$1.XXXXXX") || exit 1
    app_pid=
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM
}

fail() {
    echo "FAIL: $*" >&2
    if [[ -s $work/app.log ]]; then
        echo "--- the program's output:" >&2
        tail -n 40 "$work/app.log" >&2
    fi
    exit 1
}

#!/usr/bin/env bash
# A private X display for tests: Xvfb on a display number that no other server holds, and on
# request a light window manager (openbox) on it, with every state file under DIR.
#
#   xsession.sh start DIR [--wm] [OWNER_PID]
#       Starts the server (and the window manager) in the background and waits (10 s at most)
#       until they answer. Prints DISPLAY=:N, and nothing else on stdout. With OWNER_PID,
#       everything is also stopped once that process has ended, so a test that dies before its
#       clean-up leaves nothing running. The screen is $XSESSION_SCREEN (default 1024x768x24).
#   xsession.sh stop DIR
#       Stops what start left running in DIR; harmless if nothing runs.
set -uo pipefail
source "$(dirname "$0")/processes.sh"

readonly start_timeout_tenths=100
readonly screen=${XSESSION_SCREEN:-1024x768x24}

usage() {
    echo "usage: $0 start DIR [--wm] [OWNER_PID] | stop DIR" >&2
    exit 2
}

fail() {
    echo "xsession.sh: $*" >&2
    exit 1
}

stop_session() {
    local dir=$1 status=0
    end_watcher "$dir/watcher.pid"
    end_pid_file "$dir/wm.pid" openbox || status=1
    end_pid_file "$dir/server.pid" Xvfb || status=1
    return $status
}

# Waits until CONDITION (a command) succeeds, while process PID (NAME) lives.
wait_for() {
    local pid=$1 name=$2 i
    shift 2
    for ((i = 0; i < start_timeout_tenths; i++)); do
        runs "$pid" "$name" || return 1
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

display_answers() { xdpyinfo -display "$1" >/dev/null 2>&1; }

# A window manager announces itself through this property of the root window.
wm_answers() { xprop -display "$1" -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

display_known() { [[ -s $1/display ]] && [[ $(head -n 1 "$1/display") =~ ^[0-9]+$ ]]; }

start_session() {
    local dir=$1 want_wm=$2 owner=$3
    mkdir -p "$dir" || fail "cannot create $dir"
    dir=$(cd "$dir" && pwd) || fail "cannot enter $dir"
    [[ -z $owner || $owner =~ ^[0-9]+$ ]] || fail "OWNER_PID must be a number: $owner"
    command -v Xvfb >/dev/null || fail "Xvfb is not installed (xvfb)"
    command -v xdpyinfo >/dev/null || fail "xdpyinfo is not installed (x11-utils)"
    if [[ $want_wm == yes ]]; then
        command -v openbox >/dev/null || fail "openbox is not installed"
    fi

    # A session left from an earlier run in the same folder goes first.
    stop_session "$dir"
    rm -f "$dir/display"

    # -displayfd: the server picks a free display number itself and writes it once it
    # accepts connections, so two tests never race for the same display.
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset \
        3>"$dir/display" </dev/null >"$dir/server.log" 2>&1 &
    local server=$!
    echo "$server" >"$dir/server.pid"

    if [[ -n $owner ]]; then
        # setsid gives the watcher its own process group, so stop can end it with its tail. It
        # reads the pid files only when the owner has ended, so it also ends the window
        # manager started below.
        setsid bash -c 'tail --pid="$1" -f /dev/null
            for f in "$2/wm.pid" "$2/server.pid"; do
                [[ -f $f ]] && kill -TERM "$(cat "$f")" 2>/dev/null
            done' watcher "$owner" "$dir" </dev/null >/dev/null 2>&1 &
        echo "$!" >"$dir/watcher.pid"
    fi

    if ! wait_for "$server" Xvfb display_known "$dir"; then
        echo "xsession.sh: the X server did not start; its log:" >&2
        cat "$dir/server.log" >&2
        stop_session "$dir"
        exit 1
    fi
    local display=":$(head -n 1 "$dir/display")"
    if ! wait_for "$server" Xvfb display_answers "$display"; then
        echo "xsession.sh: the X server on $display does not answer; its log:" >&2
        cat "$dir/server.log" >&2
        stop_session "$dir"
        exit 1
    fi

    if [[ $want_wm == yes ]]; then
        mkdir -p "$dir/config" "$dir/cache"
        env -u SESSION_MANAGER DISPLAY="$display" HOME="$dir" XDG_CONFIG_HOME="$dir/config" \
            XDG_CACHE_HOME="$dir/cache" DBUS_SESSION_BUS_ADDRESS=disabled: \
            openbox --sm-disable </dev/null >"$dir/wm.log" 2>&1 &
        local wm=$!
        echo "$wm" >"$dir/wm.pid"
        if ! wait_for "$wm" openbox wm_answers "$display"; then
            echo "xsession.sh: the window manager did not start; its log:" >&2
            cat "$dir/wm.log" >&2
            stop_session "$dir"
            exit 1
        fi
    fi

    echo "DISPLAY=$display"
}

case "${1:-}" in
    start)
        [[ $# -ge 2 && $# -le 4 ]] || usage
        dir=$2
        shift 2
        want_wm=no
        owner=
        for arg in "$@"; do
            case $arg in
                --wm) want_wm=yes ;;
                *) owner=$arg ;;
            esac
        done
        start_session "$dir" "$want_wm" "$owner"
        ;;
    stop)
        [[ $# -eq 2 ]] || usage
        [[ -d $2 ]] || exit 0
        stop_session "$2"
        ;;
    *)
        usage
        ;;
esac

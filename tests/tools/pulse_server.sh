#!/usr/bin/env bash
# A private PulseAudio server for tests: one null sink whose monitor can be recorded, reached
# through a socket inside DIR, with every runtime and state file under DIR.
#
#   pulse_server.sh start DIR [OWNER_PID]
#       Starts the server in the background and waits (10 s at most) until it answers. Prints
#       the environment a client needs, one KEY=VALUE a line, and nothing else on stdout.
#       With OWNER_PID, the server is also stopped once that process has ended, so a test that
#       crashes before its clean-up leaves nothing running.
#   pulse_server.sh stop DIR
#       Stops the server started in DIR (and its watcher); harmless if none is running.
#   pulse_server.sh kill DIR
#       Ends the server at once, as a crash would: its socket file stays behind with nobody
#       listening. start DIR again brings a server back at the same address.
#
# The clients' ALSA "default" device reaches this server through libasound2-plugins: the
# pulse hook in /etc/alsa/conf.d/99-pulse.conf makes "default" the pulse plugin whenever the
# server named by PULSE_SERVER answers at the time the client first reads its ALSA config.
# So PULSE_SERVER must be set before a process's first ALSA call, and the server must be up.
set -uo pipefail

readonly sink=corvessa_null
readonly start_timeout_tenths=100

source "$(dirname "$0")/processes.sh"

usage() {
    echo "usage: $0 start DIR [OWNER_PID] | stop DIR | kill DIR" >&2
    exit 2
}

fail() {
    echo "pulse_server.sh: $*" >&2
    exit 1
}

stop_server() {
    local dir=$1 status=0
    end_watcher "$dir/watcher.pid"
    end_pid_file "$dir/server.pid" pulseaudio || status=1
    return $status
}

kill_server() {
    local dir=$1 pid i
    [[ -f $dir/server.pid ]] || return 0
    pid=$(cat "$dir/server.pid")
    runs "$pid" pulseaudio || return 0
    kill -KILL "$pid" 2>/dev/null
    for ((i = 0; i < 50; i++)); do
        runs "$pid" pulseaudio || return 0
        sleep 0.1
    done
    return 1
}

server_answers() {
    PULSE_SERVER="unix:$1/native" PULSE_COOKIE="$1/client-cookie" \
        timeout 3 pactl info >/dev/null 2>&1
}

start_server() {
    local dir=$1 owner=${2:-}
    mkdir -p "$dir" || fail "cannot create $dir"
    dir=$(cd "$dir" && pwd) || fail "cannot enter $dir"
    [[ $dir =~ [[:space:]] ]] && fail "DIR must not contain white space: $dir"
    # A unix socket path holds at most 107 bytes.
    ((${#dir} + 7 <= 107)) || fail "DIR is too long for a socket path: $dir"
    [[ -z $owner || $owner =~ ^[0-9]+$ ]] || fail "OWNER_PID must be a number: $owner"
    command -v pulseaudio >/dev/null || fail "pulseaudio is not installed"
    command -v pactl >/dev/null || fail "pactl is not installed (pulseaudio-utils)"

    # A server left from an earlier run in the same folder would hold the socket.
    stop_server "$dir"
    rm -f "$dir/native"
    mkdir -p "$dir/runtime" "$dir/state" "$dir/config"

    # No session bus and no display: the server must not autolaunch a dbus-daemon (that
    # would outlive it). Running as root in a user-mode server only earns a warning.
    env -u DISPLAY -u WAYLAND_DISPLAY -u PULSE_SERVER \
        DBUS_SESSION_BUS_ADDRESS=disabled: \
        HOME="$dir" XDG_CONFIG_HOME="$dir/config" \
        PULSE_RUNTIME_PATH="$dir/runtime" PULSE_STATE_PATH="$dir/state" \
        pulseaudio -n --daemonize=no --system=no --exit-idle-time=-1 --disallow-exit \
        --use-pid-file=no --high-priority=no --realtime=no \
        --load="module-null-sink sink_name=$sink" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
        </dev/null >"$dir/server.log" 2>&1 &
    local pid=$!
    echo "$pid" >"$dir/server.pid"

    if [[ -n $owner ]]; then
        # setsid gives the watcher its own process group, so stop can end it with its tail.
        # shellcheck disable=SC2016  # $1 and $2 are the inner shell's arguments
        setsid bash -c 'tail --pid="$1" -f /dev/null; kill -TERM "$2" 2>/dev/null' \
            watcher "$owner" "$pid" </dev/null >/dev/null 2>&1 &
        echo "$!" >"$dir/watcher.pid"
    fi

    local i
    for ((i = 0; i < start_timeout_tenths; i++)); do
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "pulse_server.sh: the server ended at start; its log:" >&2
            cat "$dir/server.log" >&2
            stop_server "$dir"
            exit 1
        fi
        if server_answers "$dir"; then
            echo "PULSE_SERVER=unix:$dir/native"
            echo "PULSE_RUNTIME_PATH=$dir/runtime"
            echo "PULSE_STATE_PATH=$dir/state"
            # Clients write their cookie here instead of under the caller's home.
            echo "PULSE_COOKIE=$dir/client-cookie"
            # New playback streams go to the null sink; record what it plays with
            # parec -d "$PULSE_SINK.monitor" (--latency-msec=50 for small fragments).
            echo "PULSE_SINK=$sink"
            return 0
        fi
        sleep 0.1
    done
    echo "pulse_server.sh: the server did not answer within $((start_timeout_tenths / 10)) s; its log:" >&2
    cat "$dir/server.log" >&2
    stop_server "$dir"
    exit 1
}

case "${1:-}" in
    start)
        [[ $# -ge 2 && $# -le 3 ]] || usage
        start_server "$2" "${3:-}"
        ;;
    stop)
        [[ $# -eq 2 ]] || usage
        [[ -d $2 ]] || exit 0
        stop_server "$2"
        ;;
    kill)
        [[ $# -eq 2 ]] || usage
        [[ -d $2 ]] || exit 0
        kill_server "$2"
        ;;
    *)
        usage
        ;;
esac

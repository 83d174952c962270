# Shell functions for tests of the real program on an X display (see xsession.sh); source it.
# Every wait is bounded.
source "$(dirname "${BASH_SOURCE[0]}")/processes.sh"

now_ms() { date +%s%3N; }

within_one() { (($1 - $2 <= 1 && $2 - $1 <= 1)); }

# Starts the program on $DISPLAY with its output in WORK/app.log; sets app_pid. No sound
# server is named, so the program's sound goes nowhere.
start_app() {
    local binary=$1 work=$2
    [[ -x $binary ]] || return 1
    mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
    env -u PULSE_SERVER -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" \
        "$binary" </dev/null >"$work/app.log" 2>&1 &
    app_pid=$!
}

# Ends the program and reaps it; harmless when PID is empty or gone.
stop_app() {
    [[ -n $1 ]] || return 0
    end_process "$1"
    wait "$1" 2>/dev/null
    return 0
}

# True when the window asks for no decorations at all: Motif hints with the decorations field
# in use (flag 2) and set to 0.
borderless() {
    local hints
    hints=$(xprop -id "$1" _MOTIF_WM_HINTS 2>/dev/null | sed -n 's/^_MOTIF_WM_HINTS([^)]*) = //p')
    [[ -n $hints ]] || return 1
    local flags decorations
    IFS=', ' read -r flags _ decorations _ <<<"$hints"
    (((flags & 2) != 0 && decorations == 0))
}

# The main window: mapped, titled exactly "Corvessa", borderless. Waits up to SECONDS while
# PID lives, and prints its id.
wait_for_main_window() {
    local pid=$1 seconds=$2 deadline w
    deadline=$(($(now_ms) + seconds * 1000))
    while (($(now_ms) < deadline)); do
        runs "$pid" || return 1
        for w in $(xdotool search --onlyvisible --name '^Corvessa$' 2>/dev/null); do
            [[ $(xprop -id "$w" WM_NAME 2>/dev/null) == 'WM_NAME(STRING) = "Corvessa"' ]] || continue
            if borderless "$w"; then
                echo "$w"
                return 0
            fi
        done
        sleep 0.05
    done
    return 1
}

# One line of xwininfo about window ID, e.g. Width, Height, "Absolute upper-left X".
window_geometry() {
    xwininfo -id "$1" 2>/dev/null | sed -n "s/^ *$2: *//p" | grep -E '^-?[0-9]+$'
}

# The usable screen's height: the work area the window manager announces, else the screen.
usable_height() {
    local area
    area=$(xprop -root _NET_WORKAREA 2>/dev/null | sed -n 's/^_NET_WORKAREA([^)]*) = //p')
    if [[ -n $area ]]; then
        IFS=', ' read -r _ _ _ area _ <<<"$area"
        echo "$area"
        return
    fi
    xdpyinfo | sed -n 's/^ *dimensions: *[0-9]*x\([0-9]*\) pixels.*/\1/p'
}

# Half the width of the dome (the ellipse of the window's width and twice its height, from its
# top-left corner) at the middle of pixel row Y.
ellipse_half_width() {
    awk -v w="$1" -v h="$2" -v y="$3" 'BEGIN {
        d = (y + 0.5 - h) / h
        printf "%.2f", (w / 2) * sqrt(1 - d * d)
    }'
}

# The top-level window under screen point X Y, found by moving the pointer there; the X server
# answers through the windows' shapes.
window_at() {
    # --sync waits for the pointer to move, which it never does when it is there already.
    if [[ $(timeout 5 xdotool getmouselocation 2>/dev/null) != "x:$1 y:$2 "* ]]; then
        timeout 5 xdotool mousemove --sync "$1" "$2" >/dev/null 2>&1 || return 1
    fi
    timeout 5 xdotool getmouselocation --shell 2>/dev/null | sed -n 's/^WINDOW=//p'
}

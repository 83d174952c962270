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

# Starts the program like start_app, but with FOLDER as its working folder and with the
# caller's environment as it stands, so that a sound server named there (PULSE_SERVER and
# the rest, from pulse_server.sh) gets the program's sound. Sets app_pid.
start_app_in() {
    local binary=$1 work=$2 folder=$3
    [[ -x $binary && -d $folder ]] || return 1
    binary=$(realpath "$binary") || return 1
    mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
    # exec keeps the pid of the background job, so app_pid is the program's own.
    (cd "$folder" && exec env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb \
        XDG_RUNTIME_DIR="$work/runtime" "$binary") </dev/null >"$work/app.log" 2>&1 &
    # shellcheck disable=SC2034  # app_pid is the caller's
    app_pid=$!
}

# Runs COMMAND every 50 ms until it succeeds, for SECONDS at most (fractions allowed).
wait_until() {
    local deadline
    deadline=$(($(now_ms) + $(awk -v s="$1" 'BEGIN { printf "%d", s * 1000 }')))
    shift
    while true; do
        "$@" && return 0
        (($(now_ms) < deadline)) || return 1
        sleep 0.05
    done
}

ended() { ! runs "$1"; }

height_is() { [[ $(window_geometry "$1" Height) == "$2" ]]; }

# Waits until window WIN has unrolled to the usable screen's height, SECONDS at most.
wait_for_unroll() { wait_until "$2" height_is "$1" "$(usable_height)"; }

# The usable screen's width: the work area the window manager announces, else the screen.
usable_width() {
    local area
    area=$(xprop -root _NET_WORKAREA 2>/dev/null | sed -n 's/^_NET_WORKAREA([^)]*) = //p')
    if [[ -n $area ]]; then
        IFS=', ' read -r _ _ area _ <<<"$area"
        echo "$area"
        return
    fi
    xdpyinfo | sed -n 's/^ *dimensions: *\([0-9]*\)x[0-9]* pixels.*/\1/p'
}

# Twips per screen pixel as the program counts them: 1440 over the logical DPI, which Qt takes
# from Xft.dpi in the server's resources, and otherwise counts as 96.
twips_per_pixel() {
    local dpi
    dpi=$(xprop -root RESOURCE_MANAGER 2>/dev/null |
        sed -n 's/.*Xft\.dpi:\(\\t\|[[:space:]]\)*\([0-9][0-9.]*\).*/\2/p')
    awk -v d="${dpi:-96}" 'BEGIN { printf "%.6f", 1440 / (d > 0 ? d : 96) }'
}

# A position in twips, in the program's window whose top-left corner is on screen pixel
# ORIGIN, as a screen pixel: the nearest whole one.
twips_to_screen() {
    awk -v t="$1" -v o="$2" -v p="$3" 'BEGIN { printf "%d", o + int(t / p + 0.5) }'
}

# Moves the pointer to screen point X Y and waits until it is there.
pointer_to() {
    # --sync waits for the pointer to move, which it never does when it is there already.
    [[ $(timeout 5 xdotool getmouselocation 2>/dev/null) == "x:$1 y:$2 "* ]] && return 0
    timeout 5 xdotool mousemove --sync "$1" "$2" >/dev/null 2>&1
}

# Presses and releases mouse BUTTON (1 left, the default; 3 right) at screen point X Y.
click_at() {
    pointer_to "$1" "$2" || return 1
    timeout 5 xdotool click "${3:-1}" >/dev/null 2>&1
}

# Two left clicks at X Y, well within any double-click interval.
double_click_at() {
    pointer_to "$1" "$2" || return 1
    timeout 5 xdotool click --repeat 2 --delay 100 1 >/dev/null 2>&1
}

press_key() { timeout 5 xdotool key "$1" >/dev/null 2>&1; }

viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

window_exists() { xwininfo -id "$1" >/dev/null 2>&1; }
window_gone() { ! window_exists "$1"; }
not_viewable() { ! viewable "$1"; }

# The top-level window (a child of the root) that holds window WIN: WIN itself, or the frame
# a window manager has put around it. Prints its id as a decimal number, as xdotool does.
top_level_of() {
    local w=$1 info parent i
    for ((i = 0; i < 10; i++)); do
        info=$(xwininfo -id "$w" -children 2>/dev/null) || return 1
        if grep -q '^ *Parent window id: .*(the root window)' <<<"$info"; then
            printf '%d\n' "$w"
            return 0
        fi
        parent=$(sed -n 's/^ *Parent window id: \(0x[0-9a-fA-F]*\).*/\1/p' <<<"$info")
        [[ -n $parent ]] || return 1
        w=$parent
    done
    return 1
}

# True when the pointer at screen point X Y finds window WIN (or its frame) on top.
pointer_finds() {
    local found top
    found=$(window_at "$1" "$2") || return 1
    top=$(top_level_of "$3") || return 1
    [[ $found == "$3" || $found == "$top" ]]
}

# A popup menu: a mapped override-redirect top-level window whose top-left corner lies at
# screen point X Y, give or take 2 pixels. Prints "ID LEFT TOP WIDTH HEIGHT".
popup_at() {
    local x=$1 y=$2 id geometry w h left top
    while read -r id geometry; do
        [[ $geometry =~ ^([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+)$ ]] || continue
        read -r w h left top <<<"${BASH_REMATCH[*]:1}"
        ((left - x <= 2 && x - left <= 2 && top - y <= 2 && y - top <= 2)) || continue
        xwininfo -id "$id" 2>/dev/null | grep -q 'Override Redirect State: yes' || continue
        viewable "$id" || continue
        echo "$((id)) $left $top $w $h"
        return 0
    done < <(xwininfo -root -children 2>/dev/null | awk '$1 ~ /^0x/ { print $1, $(NF - 1) }')
    return 1
}

# True when some mapped override-redirect window (a menu, a tooltip) shows on the screen. A
# window manager may keep such windows of its own, 1 x 1 and off the screen; they do not count.
any_popup() {
    local id geometry w h left top
    while read -r id geometry; do
        [[ $geometry =~ ^([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+)$ ]] || continue
        read -r w h left top <<<"${BASH_REMATCH[*]:1}"
        ((w > 1 && h > 1 && left + w > 0 && top + h > 0)) || continue
        xwininfo -id "$id" 2>/dev/null | grep -q 'Override Redirect State: yes' || continue
        viewable "$id" && return 0
    done < <(xwininfo -root -children 2>/dev/null | awk '$1 ~ /^0x/ { print $1, $(NF - 1) }')
    return 1
}

# The ids of the windows titled exactly TITLE, mapped or not, one a line.
windows_titled() {
    local w
    for w in $(xdotool search --name "^$1\$" 2>/dev/null); do
        [[ $(xprop -id "$w" WM_NAME 2>/dev/null) == "WM_NAME(STRING) = \"$1\"" ||
            $(xprop -id "$w" WM_NAME 2>/dev/null) == "WM_NAME(UTF8_STRING) = \"$1\"" ]] && echo "$w"
    done
}

# The first mapped window titled exactly TITLE.
viewable_window_titled() {
    local w
    for w in $(windows_titled "$1"); do
        if viewable "$w"; then
            echo "$w"
            return 0
        fi
    done
    return 1
}

# The ICCCM state the window manager gives window WIN: Normal, Iconic or Withdrawn.
wm_state() {
    xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/^[[:space:]]*window state: *//p'
}

# The window's _NET_WM_STATE atoms, one a line.
net_wm_state() {
    xprop -id "$1" _NET_WM_STATE 2>/dev/null | sed -n 's/^_NET_WM_STATE(ATOM) = //p' | tr -d ' ' |
        tr ',' '\n' | sed '/^$/d'
}

# The bounding shape's extents as xwininfo prints them, e.g. 800x1200+0+0.
shape_extents() {
    xwininfo -id "$1" -shape 2>/dev/null | sed -n 's/^ *Window shape extents: *//p'
}

# The usable screen as the window manager announces it, "LEFT TOP WIDTH HEIGHT", else the
# whole screen.
usable_area() {
    local area
    area=$(xprop -root _NET_WORKAREA 2>/dev/null | sed -n 's/^_NET_WORKAREA([^)]*) = //p')
    if [[ -n $area ]]; then
        IFS=', ' read -r -a area <<<"$area"
        echo "${area[@]:0:4}"
        return
    fi
    echo "0 0 $(xdpyinfo | sed -n 's/^ *dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')"
}

# The place and size of window WIN's outer frame (the window manager's frame round it, or the
# window itself): "LEFT TOP WIDTH HEIGHT" in screen pixels.
frame_geometry() {
    local top x y w h
    top=$(top_level_of "$1") || return 1
    x=$(window_geometry "$top" "Absolute upper-left X") || return 1
    y=$(window_geometry "$top" "Absolute upper-left Y") || return 1
    w=$(window_geometry "$top" Width) || return 1
    h=$(window_geometry "$top" Height) || return 1
    echo "$x $y $w $h"
}

# How far the centre of window WIN's outer frame lies from the centre of the usable screen:
# "DX DY" in pixels, right and down positive.
frame_off_centre() {
    local frame x y w h ax ay aw ah
    frame=$(frame_geometry "$1") || return 1
    read -r x y w h <<<"$frame"
    read -r ax ay aw ah <<<"$(usable_area)"
    awk -v x="$x" -v y="$y" -v w="$w" -v h="$h" -v ax="$ax" -v ay="$ay" -v aw="$aw" -v ah="$ah" \
        'BEGIN { printf "%.1f %.1f\n", (x + w / 2) - (ax + aw / 2), (y + h / 2) - (ay + ah / 2) }'
}

# True when window WIN's frame stands centred on the usable screen, give or take 2 pixels.
frame_centred() {
    local off dx dy
    off=$(frame_off_centre "$1") || return 1
    read -r dx dy <<<"$off"
    awk -v dx="$dx" -v dy="$dy" 'BEGIN { exit !(dx <= 2 && dx >= -2 && dy <= 2 && dy >= -2) }'
}

# Closes window WIN as a user does with Alt+F4: the window manager is asked to activate it,
# and the key, which openbox binds to closing the active window, then makes the window
# manager send it a close request (WM_DELETE_WINDOW).
close_with_alt_f4() {
    timeout 5 xdotool windowactivate --sync "$1" >/dev/null 2>&1 || return 1
    press_key alt+F4
}

# Asks the window manager to minimise window WIN, as its minimise button would.
minimise_window() { timeout 5 xdotool windowminimize "$1" >/dev/null 2>&1; }

# True when the window manager holds window WIN minimised: iconic, hidden, off the screen.
minimised() { [[ $(wm_state "$1") == Iconic ]] && not_viewable "$1"; }

# True when window WIN is on the screen and on top at the centre of its frame.
viewable_on_top() {
    local frame x y w h
    viewable "$1" || return 1
    frame=$(frame_geometry "$1") || return 1
    read -r x y w h <<<"$frame"
    pointer_finds $((x + w / 2)) $((y + h / 2)) "$1"
}

# The first mapped window titled exactly TITLE other than window WIN: a message box of the
# program, captioned like its main window WIN.
viewable_window_titled_besides() {
    local w
    for w in $(windows_titled "$1"); do
        ((w != $2)) && viewable "$w" && echo "$w" && return 0
    done
    return 1
}

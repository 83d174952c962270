#!/usr/bin/env bash
# The real program on a real X display: after the splash, a borderless top-level window titled
# "Corvessa" appears, the X server holds the dome as its shape (an ellipse as wide as the window
# and twice as high, from its top-left corner), and the window unrolls to the usable screen's
# height within 5 s. Without an X display it says so and ends with status 1. Installed fonts
# draw names in the languages the playlist is likely to meet.
#
#   startup.sh PATH_TO_CORVESSA
set -uo pipefail

binary=${1:?usage: startup.sh PATH_TO_CORVESSA}
tools=$(cd "$(dirname "$0")/../tools" && pwd)
source "$tools/x_probe.sh"
source "$tools/e2e_run.sh"

e2e_begin startup

# Without an X display that answers, the program says so in one line and ends with status 1,
# at once, instead of Qt's abort.
unused=200
while [[ -e /tmp/.X11-unix/X$unused || -e /tmp/.X$unused-lock ]]; do ((unused++)); done
for display in "" ":$unused"; do
    if [[ -z $display ]]; then
        expected="Corvessa needs an X display; none is set (DISPLAY is empty)"
        set_display=(-u DISPLAY)
    else
        expected="Corvessa needs an X display; cannot open X display $display"
        set_display=(DISPLAY="$display")
    fi
    began=$(now_ms)
    env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE "${set_display[@]}" \
        timeout 10 "$binary" </dev/null >"$work/app.log" 2>&1
    status=$?
    took=$(($(now_ms) - began))
    ((status == 1)) || fail "with DISPLAY ${display:-unset} the program ended with status $status, not 1"
    [[ $(cat "$work/app.log") == "$expected" ]] ||
        fail "with DISPLAY ${display:-unset} the program did not say only: $expected"
    ((took < 3000)) || fail "with DISPLAY ${display:-unset} the program took $took ms to end"
    echo "DISPLAY ${display:-unset}: status 1 after $took ms, said: $expected"
done

# Song and folder names in these languages draw from some installed font, not as empty boxes.
for lang in ja zh-cn ko hi th ar he ru el; do
    [[ -n $(fc-list ":lang=$lang" family) ]] || fail "no installed font draws the language $lang"
done

# 800 x 600 unrolls in about 2.3 s (45 steps of 50 ms), well inside the 5 s.
session=$(XSESSION_SCREEN=800x600x24 "$tools/xsession.sh" start "$work/x" $$) || fail "no X display"
export "${session?}"
echo "X display $DISPLAY"

start_app "$binary" "$work" || fail "the program did not start"

main=$(wait_for_main_window "$app_pid" 10) || {
    runs "$app_pid" || fail "the program ended before its main window appeared"
    fail "no borderless window titled \"Corvessa\" within 10 s"
}
echo "main window $main"

xwininfo -id "$main" -tree | grep -q '^ *Parent window id: .*(the root window)' ||
    fail "the main window is not a top-level window"

usable=$(usable_height)
echo "usable screen height $usable"
height=0
deadline=$(($(now_ms) + 5000))
while (($(now_ms) < deadline)); do
    height=$(window_geometry "$main" Height) || fail "the main window went away while unrolling"
    ((height == usable)) && break
    sleep 0.05
done
((height == usable)) || fail "the main window is $height px high after 5 s, not $usable"
echo "unrolled to $height px"

width=$(window_geometry "$main" Width)
left=$(window_geometry "$main" "Absolute upper-left X")
top=$(window_geometry "$main" "Absolute upper-left Y")

# The bounding shape as the server holds it: the ellipse's box is the window's width and twice
# its height, from the top-left corner (one pixel of slack for the ellipse's polygon).
extents=$(xwininfo -id "$main" -shape | sed -n 's/^ *Window shape extents: *//p')
[[ $extents =~ ^([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+)$ ]] ||
    fail "the main window has no shape (xwininfo says: ${extents:-nothing})"
read -r sw sh sx sy <<<"${BASH_REMATCH[*]:1}"
echo "shape extents ${sw}x${sh}+${sx}+${sy}"
within_one "$sw" "$width" && within_one "$sh" $((2 * height)) && within_one "$sx" 0 &&
    within_one "$sy" 0 || fail "the shape's box is ${sw}x${sh}+${sx}+${sy}, not ${width}x$((2 * height))+0+0"

# The box alone would also fit a rectangle: sample rows of the shape where the ellipse's edge
# lies inside the window, and check that the pointer finds the window just inside the edge and
# the root window just outside it, on both sides.
margin=4
for fraction in 0.05 0.2 0.4 0.6 0.8; do
    y=$(awk -v h="$height" -v f="$fraction" 'BEGIN { printf "%d", h * f }')
    half=$(ellipse_half_width "$width" "$height" "$y")
    for side in -1 1; do
        edge=$(awk -v w="$width" -v hw="$half" -v s="$side" 'BEGIN { printf "%d", w / 2 + s * hw }')
        inside=$((edge - side * margin))
        outside=$((edge + side * margin))
        found=$(window_at $((left + inside)) $((top + y))) || fail "cannot move the pointer"
        [[ $found == "$main" ]] ||
            fail "row $y: ($inside, $y) should be inside the dome, the pointer finds window $found"
        if ((outside >= 0 && outside < width)); then
            found=$(window_at $((left + outside)) $((top + y))) || fail "cannot move the pointer"
            [[ $found != "$main" ]] ||
                fail "row $y: ($outside, $y) should be outside the dome, yet it is the window's"
        fi
    done
done
echo "the shape is the dome"

runs "$app_pid" || fail "the program ended by itself"
echo "startup: passed"

#!/usr/bin/env bash
# The borderless window's own commands on a real X display with a window manager (openbox):
#   - a right click on the window's surface opens the popup menu at the pointer, with exactly
#     five rows: an item, a separator, "About Me" (which opens "About us"), a separator and
#     "Exit", which ends the program; a left click, or a right click on a control, opens none;
#   - "Close" ends the program within one second;
#   - "Minimize" hides the window and leaves a window titled "Corvessa" minimised in the
#     taskbar; restoring that window brings the main window back as it was, cycle after cycle,
#     whether a taskbar restores it or the window manager maps it again.
#
#   window_commands.sh PATH_TO_CORVESSA
set -uo pipefail

binary=${1:?usage: window_commands.sh PATH_TO_CORVESSA}
tools=$(cd "$(dirname "$0")/../tools" && pwd)
source "$tools/x_probe.sh"
source "$tools/e2e_run.sh"
source "$tools/main_window_steps.sh"

e2e_begin commands

session=$(XSESSION_SCREEN=800x600x24 "$tools/xsession.sh" start "$work/x" --wm $$) ||
    fail "no X display with a window manager"
export "${session?}"
echo "X display $DISPLAY with openbox"

no_popup() { ! any_popup; }

# Starts the program and waits for its unrolled main window (find_main_window sets main, its
# place left and top, and W and H, the target size from which the layout places every control).
launch() {
    # A right click that reached the bare screen after "Exit" left the window manager's own
    # menu open, and the next click would only close it.
    if any_popup; then
        press_key Escape
        wait_until 5 no_popup || fail "a menu stays on the screen"
    fi
    start_app "$binary" "$work" || fail "the program did not start"
    find_main_window
}

# Centres of the two 23 x 23 pictures (345 twips): "Minimize" at W / 2.128, "Close" 30 twips
# right of it, both at H / 24.
minimize_x() { x_at 'W / 2.128 + 172.5'; }
close_x() { x_at 'W / 2.128 + 345 + 30 + 172.5'; }
images_y() { y_at 'H / 24 + 172.5'; }

# A point of the window's own surface: inside the dome, left of the cue panel (W / 7.14) and
# clear of every other control at any size.
surface_x() { x_at 'W * 0.12'; }
surface_y() { y_at 'H * 0.55'; }

# ---- The popup menu --------------------------------------------------------------------------

launch
sx=$(surface_x)
sy=$(surface_y)
pointer_finds "$sx" "$sy" "$main" || fail "($sx, $sy) should be the main window's surface"

# Opens the menu with a right click on the surface; prints "ID LEFT TOP WIDTH HEIGHT".
open_menu() {
    local menu deadline
    viewable "$main" || return 1
    click_at "$sx" "$sy" 3 || return 1
    deadline=$(($(now_ms) + 10000))
    while (($(now_ms) < deadline)); do
        runs "$app_pid" || return 1
        menu=$(popup_at "$sx" "$sy") && { echo "$menu"; return 0; }
        sleep 0.05
    done
    return 1
}

# Neither a left click on the surface nor a right click on a control opens a menu. Nothing
# marks that nothing happened, so each is given a second and a half. (A menu opens at the
# pointer; the mute button's tooltip, if it shows, lies below it.)
click_at "$sx" "$sy" 1 || fail "cannot click"
sleep 1.5
any_popup && fail "a left click on the window opened a menu"
mute_x=$(x_at 'W - 240 - 975 / 2')
mute_y=$(y_at 'H / 1.18032786885 + 1095 / 2')
click_at "$mute_x" "$mute_y" 3 || fail "cannot click"
sleep 1.5
popup_at "$mute_x" "$mute_y" >/dev/null && fail "a right click on the mute button opened a menu"
# Hovering leaves a tooltip behind; move on so that none is up when the menu is looked for.
pointer_to "$sx" "$sy"

read -r menu mx my mw mh <<<"$(open_menu)" || true
[[ -n ${menu:-} ]] || fail "a right click on the window opened no menu at the pointer"
echo "menu ${mw}x${mh} at ($mx, $my)"
# The menu's own window stays hidden: the only window titled "Corvessa" that shows is the
# main window (the menu itself is an override-redirect popup).
for w in $(windows_titled Corvessa); do
    [[ $w == "$main" ]] && continue
    viewable "$w" || continue
    xwininfo -id "$w" | grep -q 'Override Redirect State: yes' ||
        fail "a window titled \"Corvessa\" ($w) showed with the menu"
done

# The rows, pixel row by pixel row from the top. Each probe points at one pixel row of a
# freshly opened menu and presses Return: an item runs and closes the menu, while on a
# separator (or the menu's margin) Return only moves to the first item and the menu stays
# open. An item is told by what it does: "About Me" opens "About us", "Exit" ends the
# program; the first item leaves nothing to see. The next menu opening is the sign that the
# program has dealt with the item before it. One letter a pixel row:
#   s  the menu stayed open      c  an item ran, nothing to see
#   A  "About us" appeared       a  an item ran while "About us" was already open
#   X  the program ended
# The window is created while the item runs, before the next menu can open; the window
# manager may map it a moment later, so its existence is what counts here.
about_open() { [[ -n $(windows_titled "About us") ]]; }
about_open && fail "an \"About us\" window exists before anything asked for it"
rows=
probe_x=$((mx + mw / 2))
for ((dy = 0; dy < mh; dy++)); do
    if [[ -z $menu ]]; then
        read -r menu nx ny nw nh <<<"$(open_menu)" || true
        [[ -n ${menu:-} ]] || fail "the menu did not open again (rows so far: $rows)"
        [[ "$nx $ny $nw $nh" == "$mx $my $mw $mh" ]] ||
            fail "the menu came back as ${nw}x${nh} at ($nx, $ny), not ${mw}x${mh} at ($mx, $my)"
    fi
    pointer_to "$probe_x" $((my + dy)) || fail "cannot move the pointer"
    press_key Return || fail "cannot press Return"
    if wait_until 3 window_gone "$menu"; then
        menu=
        if ! read -r menu nx ny nw nh <<<"$(open_menu)" || [[ -z $menu ]]; then
            menu=
            wait_until 5 ended "$app_pid" || fail "the menu did not open again (rows so far: $rows)"
            rows+=X
            break
        fi
        [[ "$nx $ny $nw $nh" == "$mx $my $mw $mh" ]] ||
            fail "the menu came back as ${nw}x${nh} at ($nx, $ny), not ${mw}x${mh} at ($mx, $my)"
        if about_open; then
            if [[ $rows == *[Aa]* ]]; then
                rows+=a
            else
                rows+=A
                wait_until 10 viewable_window_titled "About us" >/dev/null ||
                    fail "\"About us\" was created but did not show"
            fi
        else
            rows+=c
        fi
    else
        rows+=s
        press_key Escape || fail "cannot press Escape"
        wait_until 3 window_gone "$menu" || fail "Escape did not close the menu"
        menu=
    fi
done
echo "menu rows by pixel: $rows"

# Exactly five rows: an item, a separator, "About Me", a separator, "Exit", each item as high
# as the others (so no two items share a stretch between separators), and below "Exit" no
# more than one item's height and the margin that is also above the first item.
[[ $rows =~ ^(s*)(c+)(s+)(Aa*)(s+)X$ ]] ||
    fail "the menu's rows are not an item, a separator, \"About Me\", a separator and \"Exit\" (by pixel: $rows)"
margin=${#BASH_REMATCH[1]}
first=${#BASH_REMATCH[2]}
about=${#BASH_REMATCH[4]}
exit_row=$((mh - ${#rows} + 1 - margin))
echo "rows of $first, $about and $exit_row pixels, separators of ${#BASH_REMATCH[3]} and ${#BASH_REMATCH[5]}"
for height in "$first" "$exit_row"; do
    within_one "$height" "$about" ||
        fail "the items are $first, $about and $exit_row pixels high: more than one item between separators"
done
runs "$app_pid" && fail "\"Exit\" did not end the program"
stop_app "$app_pid"
app_pid=
echo "the menu has five rows; \"About Me\" opens \"About us\"; \"Exit\" ends the program"

# ---- "Close" ---------------------------------------------------------------------------------

launch
click_at "$(close_x)" "$(images_y)" || fail "cannot click \"Close\""
wait_until 1 ended "$app_pid" || fail "\"Close\" did not end the program within one second"
stop_app "$app_pid"
app_pid=
echo "\"Close\" ends the program"

# ---- "Minimize" and restoring from the taskbar -------------------------------------------

launch
height=$(window_geometry "$main" Height)
width=$(window_geometry "$main" Width)
shape=$(shape_extents "$main")

# The placeholder: a window titled "Corvessa", not the main window, that the window manager
# holds minimised (iconic, hidden) and that stays in the taskbar.
placeholder_minimised() {
    local w
    for w in $(windows_titled Corvessa); do
        [[ $w == "$main" ]] && continue
        [[ $(wm_state "$w") == Iconic ]] || continue
        net_wm_state "$w" | grep -qx _NET_WM_STATE_HIDDEN || continue
        echo "$w"
        return 0
    done
    return 1
}

# Minimises with "Minimize" and restores the placeholder with COMMAND... PLACEHOLDER; the main
# window must come back as it was.
minimise_and_restore() {
    local placeholder
    click_at "$(minimize_x)" "$(images_y)" || fail "cannot click \"Minimize\""
    wait_until 10 not_viewable "$main" || fail "\"Minimize\" left the main window on the screen"
    placeholder=$(wait_until 10 placeholder_minimised) ||
        fail "\"Minimize\" left no minimised window titled \"Corvessa\""
    net_wm_state "$placeholder" | grep -qx _NET_WM_STATE_SKIP_TASKBAR &&
        fail "the minimised placeholder is kept out of the taskbar"
    [[ -z $(windows_titled Form5) ]] || fail "a window is titled \"Form5\""
    sleep 0.5
    viewable "$main" && fail "the main window came back by itself"

    timeout 5 "$@" "$placeholder" >/dev/null 2>&1
    wait_until 10 viewable "$main" ||
        fail "restoring the placeholder with \"$*\" did not bring the main window back"
    wait_until 10 not_viewable "$placeholder" || fail "the placeholder stayed on the screen"
    [[ $(window_geometry "$main" Height) == "$height" && $(window_geometry "$main" Width) == "$width" ]] ||
        fail "the main window came back $(window_geometry "$main" Width) x $(window_geometry "$main" Height), not $width x $height"
    [[ $(window_geometry "$main" "Absolute upper-left X") == 0 && $(window_geometry "$main" "Absolute upper-left Y") == 0 ]] ||
        fail "the main window came back away from the screen's top-left corner"
    [[ $(shape_extents "$main") == "$shape" ]] ||
        fail "the main window came back with the shape $(shape_extents "$main"), not $shape"
}

# A taskbar restores a window by asking the window manager to activate it (xdotool says it
# is a pager, source 2); a map request is the window manager's own way to de-iconify it. The
# window manager forgets a window's state when the program hides it, so the second cycle is
# where that shows.
cycle=0
for restore in "xdotool windowactivate" "xdotool windowmap" "xdotool windowactivate" "xdotool windowmap"; do
    cycle=$((cycle + 1))
    # shellcheck disable=SC2086  # the command and its argument are two words
    minimise_and_restore $restore
    echo "cycle $cycle: \"Minimize\", then \"$restore\" brought the main window back"
done

# The window takes its commands as before.
click_at "$(close_x)" "$(images_y)" || fail "cannot click \"Close\""
wait_until 5 ended "$app_pid" || fail "\"Close\" after a restore did not end the program"
stop_app "$app_pid"
app_pid=

echo "window_commands: passed"

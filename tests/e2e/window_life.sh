#!/usr/bin/env bash
# How the program's windows live with a window manager (openbox) on a real X display:
#   - the splash is named "Corvessa" and stands with its frame centred on the screen; a close
#     request to it (Alt+F4) ends the program;
#   - the loader and "About us" stand with their frames centred; minimised by the window
#     manager, they come back on the screen and on top when "Load list" or "About me " asks
#     for them again; closed with Alt+F4, they are unloaded and the program goes on;
#   - Alt+F4 on the borderless main window ends the program, as its "Close" does.
#
#   window_life.sh PATH_TO_CORVESSA
set -uo pipefail

binary=${1:?usage: window_life.sh PATH_TO_CORVESSA}
tools=$(cd "$(dirname "$0")/../tools" && pwd)
source "$tools/x_probe.sh"
source "$tools/e2e_run.sh"
source "$tools/main_window_steps.sh"

e2e_begin life

session=$(XSESSION_SCREEN=800x600x24 "$tools/xsession.sh" start "$work/x" --wm $$) ||
    fail "no X display with a window manager"
export "${session?}"
echo "X display $DISPLAY with openbox"

# ---- The splash ------------------------------------------------------------------------------

# The splash: the program's first window on the screen, framed (not borderless). Prints its id.
splash_of() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
        borderless "$w" && continue
        echo "$w"
        return 0
    done
    return 1
}

# The splash is on the screen for 700 ms only. Should the program open its main window before
# the close reaches the splash, the run proves nothing either way and is made again.
closed=
for try in 1 2 3; do
    start_app "$binary" "$work" || fail "the program did not start"
    splash=$(wait_until 10 splash_of "$app_pid") || fail "no splash within 10 s"
    name=$(xprop -id "$splash" WM_NAME 2>/dev/null)
    # The first expose puts a centred window's frame in place; allow it a moment.
    off=centred
    wait_until 0.4 frame_centred "$splash" || off=$(frame_off_centre "$splash")
    close_with_alt_f4 "$splash"
    if wait_until 3 ended "$app_pid"; then
        # The splash was there until the close, so what was seen of it before is its own.
        [[ $name == *' = "Corvessa"' ]] || fail "the splash is named ${name:-nothing}, not \"Corvessa\""
        [[ $off == centred ]] || fail "the splash's frame stands off the screen's centre by $off pixels"
        closed=yes
        break
    fi
    wait_for_main_window "$app_pid" 5 >/dev/null ||
        fail "a close request to the splash left the program running with no window"
    echo "the splash had gone before the close reached it (try $try)"
    stop_app "$app_pid"
    app_pid=
done
[[ -n $closed ]] || fail "three times the splash went before the close reached it"
stop_app "$app_pid"
app_pid=
echo "the splash is named \"Corvessa\", stands centred, and closing it ends the program"

# ---- The loader and "About us" ---------------------------------------------------------------

start_app "$binary" "$work" || fail "the program did not start"
find_main_window

# "Hide/Show Control" shows the panel with "Load list" and "About me ". The box is clicked on
# its tick square, above the "Volume" caption that the layout stretches over part of it.
click_at $(($(x_at check_left) + 8)) \
    "$(y_at '(check3_top + (volume_caption_top < check3_top + 255 ? volume_caption_top : check3_top + 255)) / 2')" ||
    fail "cannot click \"Hide/Show Control\""

# Asks for window TITLE with the label-button at the twips X, Y of the main window; the window
# must stand centred, come back on top from minimised when asked for again, and go with Alt+F4.
ask_minimise_and_close() {
    local title=$1 bx by win clicked
    bx=$(x_at "$2")
    by=$(y_at "$3")
    click_at "$bx" "$by" || fail "cannot click the button for \"$title\""
    clicked=$(now_ms)
    win=$(wait_until 10 viewable_window_titled "$title") || fail "no \"$title\" window within 10 s"
    wait_until 2 frame_centred "$win" ||
        fail "the frame of \"$title\" stands off the screen's centre by $(frame_off_centre "$win") pixels"

    minimise_window "$win" || fail "cannot minimise \"$title\""
    wait_until 5 minimised "$win" || fail "the window manager did not minimise \"$title\""
    # A second click at the same place within the double-click interval (400 ms) would be a
    # double-click, which is no second click.
    while (($(now_ms) < clicked + 700)); do sleep 0.05; done
    click_at "$bx" "$by" || fail "cannot click the button for \"$title\" again"
    wait_until 5 viewable_on_top "$win" ||
        fail "asked for again, the minimised \"$title\" did not come back on top ($(wm_state "$win"))"
    [[ $(windows_titled "$title") == "$win" ]] || fail "asked for again, \"$title\" came as a second window"

    close_with_alt_f4 "$win" || fail "cannot press Alt+F4 on \"$title\""
    wait_until 5 window_gone "$win" || fail "Alt+F4 left \"$title\" loaded"
    sleep 0.3
    runs "$app_pid" || fail "closing \"$title\" ended the program"
    viewable "$main" || fail "closing \"$title\" took the main window away"
    echo "\"$title\" stands centred, comes back from minimised, and Alt+F4 unloads it"
}
# The two label-buttons' caption labels, inside the button panel.
ask_minimise_and_close "Load playlist" 'frame2_left + 600 + 1095 / 2' 'frame2_top + 900 + 225 / 2'
ask_minimise_and_close "About us" 'frame2_left + 600 + 1095 / 2' 'frame2_top + 2100 + 225 / 2'

# ---- The main window -------------------------------------------------------------------------

close_with_alt_f4 "$main" || fail "cannot press Alt+F4 on the main window"
wait_until 2 ended "$app_pid" || fail "Alt+F4 on the main window did not end the program"
stop_app "$app_pid"
app_pid=
echo "Alt+F4 on the main window ends the program"

echo "window_life: passed"

#!/usr/bin/env bash
# The volume knob lets go when a message box takes the mouse from it, on a real X display (with
# openbox) and a PulseAudio null sink, whose volume the knob sets through ALSA. With the cue
# panel shown and its play-length field focused, the knob is pressed and held, a letter typed
# into the field opens the "only integers" message box, the button is released while the box is
# open, and Return closes the box. Then the pointer goes far left and far right with no button
# held: the sink's volume must not move. Twice over, then a plain drag must still set it, and
# the release after it must end it.
#
#   knob_lets_go.sh PATH_TO_CORVESSA
set -uo pipefail

binary=${1:?usage: knob_lets_go.sh PATH_TO_CORVESSA}
tools=$(cd "$(dirname "$0")/../tools" && pwd)
source "$tools/x_probe.sh"
source "$tools/e2e_run.sh"
source "$tools/sound_probe.sh"
source "$tools/main_window_steps.sh"

e2e_begin knob
mkdir -p "$work/songs"

start_display_and_sound

# The start-up placement puts the knob under the pointer's x. The track is centred in the
# window, which fills the usable screen: the pointer waits at the screen's middle column.
read -r area_left area_top area_width _ <<<"$(usable_area)"
pointer_to $((area_left + area_width / 2)) $((area_top + 1)) || fail "cannot move the pointer"
start_app_in "$binary" "$work" "$work/songs" || fail "the program did not start"
find_main_window
knob_x=$(x_at 'W / 2')
knob_y=$(y_at 'H / 1.10666 + 105 / 2')
far_right=$((area_left + area_width - 1))

# The sink's volume, the first channel's raw value.
sink_volume() {
    pactl get-sink-volume "$PULSE_SINK" 2>/dev/null | sed -n 's/^Volume: [a-z-]*: *\([0-9]*\) .*/\1/p'
}
# The pointer at X (on the knob's row), given the drag's ticks time to act; prints the volume.
volume_with_pointer_at() {
    pointer_to "$1" "$knob_y" || fail "cannot move the pointer"
    sleep 0.4
    sink_volume
}


# "Hide/Show Timing " on its tick square shows the cue panel; its play-length field is at
# 1920, 960 (390 x 285) inside the panel.
click_at $(($(x_at check_left) + 8)) "$(y_at 'buttons_top + 255 / 2')" ||
    fail "cannot click \"Hide/Show Timing \""
sleep 0.3
click_at "$(x_at 'frame6_left + 1920 + 390 / 2')" "$(y_at 'frame2_top + 960 + 285 / 2')" ||
    fail "cannot click the play-length field"

for round in 1 2; do
    pointer_to "$knob_x" "$knob_y" || fail "cannot move the pointer to the knob"
    timeout 5 xdotool mousedown 1 || fail "cannot press the button"
    sleep 0.3
    press_key a || fail "cannot type a letter"
    box=$(wait_until 5 message_box) || fail "round $round: no message box for a letter"
    timeout 5 xdotool mouseup 1 || fail "cannot release the button"
    timeout 5 xdotool windowactivate --sync "$box" >/dev/null 2>&1 || fail "cannot activate the box"
    press_key Return || fail "cannot press Return"
    wait_until 5 not_viewable "$box" || fail "Return did not close the message box"
    before=$(sink_volume)
    [[ -n $before ]] || fail "cannot read the sink's volume"
    # Not "left": that names the window's place, which x_at reads.
    at_left=$(volume_with_pointer_at 0)
    at_right=$(volume_with_pointer_at "$far_right")
    [[ $at_left == "$before" && $at_right == "$before" ]] ||
        fail "round $round: with no button held the volume followed the pointer: $before, far left $at_left, far right $at_right"
    echo "round $round: the knob let go; the volume stays at $before"
done

# A plain drag still sets the volume, and its release ends it.
pointer_to "$knob_x" "$knob_y" || fail "cannot move the pointer to the knob"
timeout 5 xdotool mousedown 1 || fail "cannot press the button"
dragged=$(volume_with_pointer_at 0)
timeout 5 xdotool mouseup 1 || fail "cannot release the button"
[[ -n $dragged && $dragged != "$before" ]] ||
    fail "a drag to the far left left the volume at $before"
after=$(volume_with_pointer_at "$far_right")
[[ $after == "$dragged" ]] || fail "after the drag's release the volume followed the pointer: $dragged, then $after"
echo "a drag set the volume to $dragged, and its release ended it"

close_program

echo "knob_lets_go: passed"

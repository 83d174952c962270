#!/usr/bin/env bash
# No file freezes the window, on a real X display (with openbox) and a PulseAudio null sink:
# the main window answers the window manager's pings (_NET_WM_PING, sent by wm_ping) all the
# while the playback tick walks from a short song past two large files that are no songs (20 MB
# of zeros, 20 MB of MP3 frame headers) to the song after them, which is heard, with no message
# box on the way. Then a double-click on the zeros file, again with the window answering its
# pings, brings up the open-failure message box; Return closes it and "Close" ends the program.
#
#   no_file_freezes_the_window.sh PATH_TO_CORVESSA
set -uo pipefail

binary=${1:?usage: no_file_freezes_the_window.sh PATH_TO_CORVESSA}
tools=$(cd "$(dirname "$0")/../tools" && pwd)
source "$tools/x_probe.sh"
source "$tools/e2e_run.sh"
source "$tools/sound_probe.sh"
source "$tools/main_window_steps.sh"

e2e_begin nofreeze
wm_ping=$(dirname "$binary")/wm_ping
[[ -x $wm_ping ]] || fail "no wm_ping beside $binary"

# A desktop reports a program "not responding" once its window leaves pings unanswered for a
# few seconds. Opening a file may hold the window's thread for a quarter of a second; the rest
# is room for Xvfb, openbox and the sound server sharing a loaded test machine.
readonly longest_gap_ms=1000
readonly first_tone=440 last_tone=880
mkdir -p "$work/songs"
"$tools/make_mp3.sh" "$work/songs/a_first.mp3" 3 "$first_tone" || fail "cannot make the first MP3 file"
head -c 20M /dev/zero >"$work/songs/b_zeros.mp3" || fail "cannot make the file of zeros"
# MPEG-1 Layer III frame headers (128 kbit/s, 44.1 kHz) back to back: every four bytes look
# like the start of a frame, and none is followed by the frame it announces.
head -c 20M <(yes $'\xff\xfb\x90\x64' | tr -d '\n') >"$work/songs/c_frames.mp3" ||
    fail "cannot make the file of frame headers"
"$tools/make_mp3.sh" "$work/songs/d_last.mp3" 10 "$last_tone" || fail "cannot make the last MP3 file"

start_display_and_sound
start_app_in "$binary" "$work" "$work/songs" || fail "the program did not start"
find_main_window
load_playlist

# Pings the main window for SECONDS in the background.
watch_pings() {
    "$wm_ping" "$main" "$1" >"$work/gap" 2>&1 &
    ping_pid=$!
}

# Waits for the watch to end, then fails when the window left a ping unanswered too long WHILE.
check_pings() {
    local gap
    wait "$ping_pid" || fail "wm_ping failed: $(cat "$work/gap")"
    gap=$(cat "$work/gap")
    [[ $gap =~ ^[0-9]+$ ]] || fail "wm_ping printed no gap: $gap"
    echo "the longest unanswered ping $1: $gap ms"
    ((gap < longest_gap_ms)) || fail "the window left a ping unanswered for $gap ms $1"
}


# The walk: the first song's 3 s, then each file that is no song until it is given up on, a
# few seconds at most, all within the watch.
watch_pings 30
play_item 0
hear_within 26 with_tone "$last_tone"
heard=$?
message_box >/dev/null && fail "a message box opened while the tick passed the files that are no songs"
runs "$ping_pid" || fail "the watch ended before the tick was past the files that are no songs"
check_pings "while the tick passed the files that are no songs"
((heard == 0)) || fail "the song after the files that are no songs did not play"
echo "the song after the files that are no songs plays"

watch_pings 9
play_item 1
box=$(wait_until 8 message_box) || fail "no message box after double-clicking the file of zeros"
check_pings "while the file of zeros was opened"
echo "the message box opened: window $box"
timeout 5 xdotool windowactivate --sync "$box" >/dev/null 2>&1 || fail "cannot activate the message box"
press_key Return || fail "cannot press Return"
wait_until 5 not_viewable "$box" || fail "Return did not close the message box"

close_program

echo "no_file_freezes_the_window: passed"

#!/usr/bin/env bash
# A double-click opens the song the user chose, and only that, on a real X display (with
# openbox) and a PulseAudio null sink: in a folder of two generated MP3s, load the playlist and
# double-click the first song; hear its tone, and hear it still, not the next song's, over the
# following playback ticks; double-click it again while it plays, each time a few ms before a
# playback tick, which then finds the song just opened, with the same result. Then the
# first file is replaced by random bytes: a double-click on it brings up the open-failure
# message box, and after it the next song plays. "Close" ends the program.
#
#   double_click_opens_the_song.sh PATH_TO_CORVESSA
set -uo pipefail

binary=${1:?usage: double_click_opens_the_song.sh PATH_TO_CORVESSA}
tools=$(cd "$(dirname "$0")/../tools" && pwd)
source "$tools/x_probe.sh"
source "$tools/e2e_run.sh"
source "$tools/sound_probe.sh"
source "$tools/main_window_steps.sh"

e2e_begin dblclick

# In name order: the song double-clicked holds 440 Hz, the one after it 880 Hz, so that what
# the sink plays tells whether the tick moved on.
readonly first_tone=440 second_tone=880
mkdir -p "$work/songs"
"$tools/make_mp3.sh" "$work/songs/a_first.mp3" 12 "$first_tone" ||
    fail "cannot make the first MP3 file"
"$tools/make_mp3.sh" "$work/songs/b_second.mp3" 12 "$second_tone" ||
    fail "cannot make the second MP3 file"

start_display_and_sound
start_app_in "$binary" "$work" "$work/songs" || fail "the program did not start"
find_main_window
load_playlist

# Every take of TAKES seconds in a row carries the first song's tone.
keeps_first_tone() {
    local i take
    for ((i = 0; i < $1; i++)); do
        take=$(listen) || fail "cannot record the sink"
        with_tone "$first_tone" "$take" || {
            echo "take $((i + 1)): $(describe_sound "$take" "$first_tone" "$second_tone")" >&2
            return 1
        }
    done
}

# The double-clicks on the first item come from one xdotool, timed by its own sleeps: the first
# starts the one-second playback tick, which keeps that beat, and each later one opens the song
# again LEAD ms before a tick. Only the way from a press to the program's handler lies between
# the beat and a later press, the same for every press, so a few ms can be aimed at.
readonly leads_ms=(1 2 3 5 8) apart_ms=3000 first_aim_ms=4000
clicks=(mousedown 1 mouseup 1 sleep 0.1 mousedown 1 mouseup 1)
since_beat=0
for i in "${!leads_ms[@]}"; do
    aim=$((first_aim_ms + i * apart_ms - leads_ms[i]))
    clicks+=(sleep "$(awk -v s=$((aim - since_beat - 100)) 'BEGIN { printf "%.3f", s / 1000 }')"
        mousedown 1 mouseup 1 sleep 0.1 mousedown 1 mouseup 1)
    since_beat=$aim
done

pointer_to "$(item_x)" "$(item_y 0)" ||
    fail "cannot move the pointer to the playlist"
timeout 60 xdotool "${clicks[@]}" >/dev/null 2>&1 &
clicker=$!
trap 'end_process "$clicker"; e2e_cleanup' EXIT
hear_within 10 with_tone "$first_tone" || fail "no $first_tone Hz tone from the song double-clicked"
keeps_first_tone 2 || fail "the song double-clicked did not go on playing"
echo "the song double-clicked plays"

# A tick that took the song, loading still, for ended would play the next song until the next
# double-click, 3 s later: one take at least would be all its tone.
while runs "$clicker"; do
    keeps_first_tone 1 || fail "a double-click just before a tick did not keep its song playing"
done
wait "$clicker" || fail "cannot double-click the playlist"
trap e2e_cleanup EXIT
keeps_first_tone 2 || fail "the song double-clicked again did not go on playing"
echo "the song double-clicked again, ${leads_ms[*]} ms before a tick, plays"

message_box >/dev/null && fail "a message box is open before the bad file was double-clicked"

# Replaced whole, as a copy over it would: the player still holds the old file open.
head -c 65536 /dev/urandom >"$work/noise" && mv "$work/noise" "$work/songs/a_first.mp3" ||
    fail "cannot replace the first file"
play_item 0
box=$(wait_until 5 message_box) || fail "no message box after double-clicking a file that is no song"
echo "the message box opened: window $box"
timeout 5 xdotool windowactivate --sync "$box" >/dev/null 2>&1 || fail "cannot activate the message box"
press_key Return || fail "cannot press Return"
wait_until 5 not_viewable "$box" || fail "Return did not close the message box"

# The tick takes the file that failed for ended, and moves on.
hear_within 8 with_tone "$second_tone" || fail "the song after the bad file did not play"
echo "the song after the bad file plays"

close_program

echo "double_click_opens_the_song: passed"

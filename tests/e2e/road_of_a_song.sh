#!/usr/bin/env bash
# The road of a song as a user meets it, on a real X display (with openbox) and a PulseAudio
# null sink: in a folder of two generated MP3s, tick "Hide/Show Control", click "Load list",
# choose "&Select all", double-click the first playlist item and hear its tone; mute and hear
# silence; unmute and hear it again; let it end and hear the second song's tone; then "Close"
# ends the program and its sound. Everything is done with the pointer through the X server,
# at the places the layout gives the controls for the screen's size.
#
#   road_of_a_song.sh PATH_TO_CORVESSA
set -uo pipefail

binary=${1:?usage: road_of_a_song.sh PATH_TO_CORVESSA}
tools=$(cd "$(dirname "$0")/../tools" && pwd)
source "$tools/x_probe.sh"
source "$tools/e2e_run.sh"
source "$tools/sound_probe.sh"
source "$tools/main_window_steps.sh"

e2e_begin road

# The two songs, in name order: the first holds 440 Hz and the second 880 Hz, so that what the
# sink plays tells which one runs. Each lasts long enough for the steps taken while it plays.
readonly first_tone=440 second_tone=880
mkdir -p "$work/songs"
"$tools/make_mp3.sh" "$work/songs/a_first.mp3" 8 "$first_tone" ||
    fail "cannot make the first MP3 file"
"$tools/make_mp3.sh" "$work/songs/b_second.mp3" 8 "$second_tone" ||
    fail "cannot make the second MP3 file"

# The program plays to the null sink and sets its volume through ALSA, which reaches the same
# server: both need the sound server's environment from the start.
start_display_and_sound
start_app_in "$binary" "$work" "$work/songs" || fail "the program did not start"
find_main_window

with_either_tone() { carries_tone "$1" "$first_tone" || carries_tone "$1" "$second_tone"; }

take=$(listen) || fail "cannot record the sink"
is_silent "$take" || fail "the sink plays before any song was chosen: $(describe_sound "$take")"

# The loader opens on the program's working folder, the folder of the songs.
load_playlist
play_item 0
hear_within 15 with_tone "$first_tone" || fail "no $first_tone Hz tone from the first song"
echo "the first song plays"

mute_x=$(x_at 'mute_left + 975 / 2')
mute_y=$(y_at 'buttons_top + 1095 / 2')
click_at "$mute_x" "$mute_y" || fail "cannot click the mute button"
hear_within 10 is_silent || fail "the mute button did not silence the song"
echo "muted"

# Should the first song have ended meanwhile, the second plays on: either tone proves the
# sound is back.
click_at "$mute_x" "$mute_y" || fail "cannot click the mute button"
hear_within 10 with_either_tone || fail "the mute button did not bring the sound back"
echo "unmuted"

hear_within 30 with_tone "$second_tone" ||
    fail "the second song's $second_tone Hz tone did not follow the first song"
echo "the second song plays after the first"

close_program
take=$(listen) || fail "cannot record the sink"
is_silent "$take" || fail "the sink still plays after the program ended: $(describe_sound "$take")"

echo "road_of_a_song: passed"

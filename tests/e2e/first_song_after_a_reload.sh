#!/usr/bin/env bash
# A playlist filled afresh while a song plays starts from its first song, on a real X display
# with openbox and a PulseAudio null sink. Three short songs of distinct tones; the first is
# double-clicked, the player moves on to the second by itself, and while the second plays the
# playlist is filled again with "&Select all". The new playlist has no selection, so when the
# second song ends the first one must play: not the second again (the list took the focus
# coming back from the loader for a choice of its first item), nor the third (the old
# selection survived the reload).
#
#   first_song_after_a_reload.sh PATH_TO_CORVESSA
set -uo pipefail

binary=${1:?usage: first_song_after_a_reload.sh PATH_TO_CORVESSA}
tools=$(cd "$(dirname "$0")/../tools" && pwd)
source "$tools/x_probe.sh"
source "$tools/e2e_run.sh"
source "$tools/sound_probe.sh"
source "$tools/main_window_steps.sh"

e2e_begin reload

# In name order. The second song is long enough to reload the playlist while it plays.
readonly first_tone=440 second_tone=660 third_tone=880
mkdir -p "$work/songs"
"$tools/make_mp3.sh" "$work/songs/a_first.mp3" 3 "$first_tone" || fail "cannot make an MP3 file"
"$tools/make_mp3.sh" "$work/songs/b_second.mp3" 6 "$second_tone" || fail "cannot make an MP3 file"
"$tools/make_mp3.sh" "$work/songs/c_third.mp3" 3 "$third_tone" || fail "cannot make an MP3 file"

start_display_and_sound
start_app_in "$binary" "$work" "$work/songs" || fail "the program did not start"
find_main_window
load_playlist

play_item 0
hear_within 10 with_tone "$first_tone" || fail "no $first_tone Hz tone from the first song"
hear_within 10 with_tone "$second_tone" || fail "the player did not move on to the second song"
echo "the second song plays"

# The panel is up from the first load, and the playlist keeps the keyboard focus from the
# double-click (load_playlist would tick the box first, which takes the focus and hides the
# panel). "&Select all" closes the loader, and the window manager gives the main window the
# focus back.
reload_playlist
with_tone "$second_tone" "$(listen)" || fail "the reload did not happen while the second song played"

# The next song the player moves to, told by its tone.
another_song() { with_tone "$first_tone" "$1" || with_tone "$third_tone" "$1"; }
hear_within 15 another_song || fail "no song after the second one"
take=$(listen) || fail "cannot record the sink"
with_tone "$first_tone" "$take" ||
    fail "after the reload the player did not start from the first song: $(describe_sound "$take" "$first_tone" "$second_tone" "$third_tone")"
echo "after the reload the first song plays next"

close_program

echo "first_song_after_a_reload: passed"
